// The board grid.
#include "grille.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "accessibilite.h"

namespace {

const QColor Gris(128, 128, 128);
const QColor Argent(192, 192, 192);

// One cell for assistive technologies: its place on the board and what it holds.
class CaseAccessible : public ElementAccessible {
public:
    CaseAccessible(GrillePlateau* grille, int index) : ElementAccessible(grille, index) {}

    QString text(QAccessible::Text type) const override {
        if (!Grille() || type != QAccessible::Name) return {};
        return Grille()->DescriptionCase(Cellule().Colonne, Cellule().Ligne);
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State etat;
        etat.focusable = true;
        etat.focused = Grille() && Grille()->hasFocus() && Grille()->CaseCourante() == Cellule();
        return etat;
    }

protected:
    QRect Rectangle() const override {
        return Grille()->RectangleCase(Cellule().Colonne, Cellule().Ligne);
    }

private:
    GrillePlateau* Grille() const { return static_cast<GrillePlateau*>(Widget()); }
    position Cellule() const { return position(Index() / NbLignes, Index() % NbLignes); }
};

// The board as a table of 99 cells, named "Plateau"; the current cell is its focused child.
class GrilleAccessible : public QAccessibleWidget {
public:
    explicit GrilleAccessible(GrillePlateau* grille)
        : QAccessibleWidget(grille, QAccessible::Table),
          cases_(NbCases, [grille](int index) { return new CaseAccessible(grille, index); }) {}

    int childCount() const override { return cases_.Nombre(); }
    QAccessibleInterface* child(int index) const override { return cases_.Element(index); }
    int indexOfChild(const QAccessibleInterface* enfant) const override {
        return cases_.Index(enfant);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const position p = Grille()->CaseEn(Grille()->mapFromGlobal(QPointF(x, y)));
        return p.Vide() ? nullptr : child(jeu::Index(p.Colonne, p.Ligne));
    }
    QAccessibleInterface* focusChild() const override {
        const position p = Grille()->CaseCourante();
        return Grille()->hasFocus() ? child(jeu::Index(p.Colonne, p.Ligne)) : nullptr;
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name) return QStringLiteral("Plateau");
        return QAccessibleWidget::text(type);
    }

private:
    GrillePlateau* Grille() const { return static_cast<GrillePlateau*>(widget()); }

    ElementsAccessibles cases_;
};

QAccessibleInterface* FabriqueAccessible(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("GrillePlateau") && objet && objet->isWidgetType())
        return new GrilleAccessible(static_cast<GrillePlateau*>(objet));
    return nullptr;
}

// Windows' sunken edge, ring by ring from the outside: top and left, then bottom and right.
constexpr std::array<std::pair<QRgb, QRgb>, 2> BordCreux = {
    {{qRgb(128, 128, 128), qRgb(255, 255, 255)}, {qRgb(0, 0, 0), qRgb(192, 192, 192)}}};

// A ring of the given width just inside the rectangle, its top and left edges in one colour, its
// bottom and right in the other.
void Anneau(QPainter& peintre, const QRect& r, int largeur, QColor hautGauche, QColor basDroite) {
    peintre.fillRect(r.left(), r.top(), r.width(), largeur, hautGauche);
    peintre.fillRect(r.left(), r.top(), largeur, r.height(), hautGauche);
    peintre.fillRect(r.left(), r.bottom() + 1 - largeur, r.width(), largeur, basDroite);
    peintre.fillRect(r.right() + 1 - largeur, r.top(), largeur, r.height(), basDroite);
}

} // namespace

MesuresGrille MesuresGrille::Pour(qreal pixelsParPixelArt) {
    // A line is never thinner than one screen pixel; the cells take the exact size.
    const int trait = std::max(1, qRound(pixelsParPixelArt));
    return {qRound(GrillePlateau::TailleCase * pixelsParPixelArt), trait,
            GrillePlateau::Bord * trait};
}

QSize MesuresGrille::Taille() const {
    return QSize(2 * Bord + NbColonnes * Pas() - Trait, 2 * Bord + NbLignes * Pas() - Trait);
}

QRect MesuresGrille::Case(int colonne, int ligne) const {
    return QRect(Bord + Pas() * colonne, Bord + Pas() * ligne, Cellule, Cellule);
}

position MesuresGrille::CaseEn(const QPoint& point) const {
    const int x = point.x() - Bord;
    const int y = point.y() - Bord;
    if (x < 0 || y < 0) return {};
    const int c = x / Pas();
    const int l = y / Pas();
    if (!SurPlateau(c, l)) return {};
    return {c, l};
}

GrillePlateau::GrillePlateau(QWidget* parent) : QFrame(parent) {
    static const bool fabrique = (QAccessible::installFactory(FabriqueAccessible), true);
    Q_UNUSED(fabrique);
    // The sunken border is drawn with the board, in the screen's pixels, as thick as its lines.
    setFrameStyle(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GrillePlateau::DefinirEchelle(int echelle) {
    if (echelle < 1 || echelle == echelle_) return;
    echelle_ = echelle;
    updateGeometry();
    update();
}

qreal GrillePlateau::PixelsParPixelArt() const {
    return echelle_ * devicePixelRatioF();
}

MesuresGrille GrillePlateau::Mesures() const {
    return MesuresGrille::Pour(PixelsParPixelArt());
}

QSize GrillePlateau::TailleFenetre(int echelle, qreal ratio) {
    // Enough window pixels for every screen pixel of the board.
    const QSizeF taille = QSizeF(MesuresGrille::Pour(echelle * ratio).Taille()) / ratio;
    return QSize(static_cast<int>(std::ceil(taille.width() - 1e-6)),
                 static_cast<int>(std::ceil(taille.height() - 1e-6)));
}

QSize GrillePlateau::sizeHint() const {
    return TailleFenetre(echelle_, devicePixelRatioF());
}

QRect GrillePlateau::RectangleCase(int colonne, int ligne) const {
    const QRectF r = Mesures().Case(colonne, ligne);
    const qreal ratio = devicePixelRatioF();
    return QRectF(r.topLeft() / ratio, r.size() / ratio).toAlignedRect();
}

position GrillePlateau::CaseEn(const QPointF& point) const {
    const QPointF p = point * devicePixelRatioF();
    return Mesures().CaseEn(
        QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))));
}

void GrillePlateau::DefinirCaseCourante(int colonne, int ligne) {
    if (!SurPlateau(colonne, ligne) || position(colonne, ligne) == courante_) return;
    update(RectangleCase(courante_.Colonne, courante_.Ligne));
    courante_ = position(colonne, ligne);
    update(RectangleCase(colonne, ligne));
    SignalerCaseCourante();
}

QString GrillePlateau::DescriptionCase(int colonne, int ligne) const {
    QString texte = QStringLiteral("Case %1, %2").arg(colonne).arg(ligne);
    if (DecrireCase) texte += QStringLiteral(" : ") + DecrireCase(colonne, ligne);
    return texte;
}

void GrillePlateau::SignalerCaseCourante() {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(jeu::Index(courante_.Colonne, courante_.Ligne));
    QAccessible::updateAccessibility(&focus);
}

QImage GrillePlateau::ImagePlateau(const QRect& zone) const {
    const MesuresGrille m = Mesures();
    QImage image(zone.size(), QImage::Format_RGB32);
    QPainter peintre(&image);
    peintre.translate(-zone.topLeft());
    peintre.fillRect(zone, palette().window());
    // The lines between cells are what the silver fill leaves between the grey cells.
    const QRect plateau(QPoint(0, 0), m.Taille());
    peintre.fillRect(plateau, Argent);
    for (int i = 0; i < 2; ++i)
        Anneau(peintre, plateau.adjusted(i * m.Trait, i * m.Trait, -i * m.Trait, -i * m.Trait),
               m.Trait, BordCreux[i].first, BordCreux[i].second);
    for (int c = 0; c < NbColonnes; ++c) {
        for (int l = 0; l < NbLignes; ++l) {
            const QRect r = m.Case(c, l);
            if (!r.intersects(zone)) continue;
            peintre.fillRect(r, Gris);
            if (DessinerCase) DessinerCase(peintre, c, l, r);
        }
    }
    // The current cell's frame: black outside, white inside, each one art pixel wide, so that
    // one of the two stands out on every background and over every pawn.
    const QRect courante = m.Case(courante_.Colonne, courante_.Ligne);
    Anneau(peintre, courante, m.Trait, Qt::black, Qt::black);
    Anneau(peintre, courante.adjusted(m.Trait, m.Trait, -m.Trait, -m.Trait), m.Trait, Qt::white,
           Qt::white);
    peintre.end();
    return image;
}

void GrillePlateau::paintEvent(QPaintEvent* event) {
    // Only what needs painting, in whole screen pixels: a cell's change redraws that cell.
    const qreal ratio = devicePixelRatioF();
    const QRectF r = event->rect();
    const QRect zone = QRectF(r.topLeft() * ratio, r.size() * ratio).toAlignedRect();
    QImage image = ImagePlateau(zone);
    image.setDevicePixelRatio(ratio);
    QPainter peintre(this);
    peintre.drawImage(QPointF(zone.topLeft()) / ratio, image);
}

void GrillePlateau::mousePressEvent(QMouseEvent* event) {
    const position p = CaseEn(event->position());
    if (!p.Vide()) DefinirCaseCourante(p.Colonne, p.Ligne);
    QFrame::mousePressEvent(event);
}

void GrillePlateau::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The first press of a double-click has already made the cell under it the current one.
    const position p = CaseEn(event->position());
    if (!p.Vide()) {
        DefinirCaseCourante(p.Colonne, p.Ligne);
        emit DoubleClic();
    }
}

void GrillePlateau::keyPressEvent(QKeyEvent* event) {
    int c = courante_.Colonne;
    int l = courante_.Ligne;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A key held down would act again and again: one press, one action. With Alt or Ctrl,
        // the key belongs to a shortcut, not to the board.
        if (event->modifiers() & ~Qt::KeypadModifier) break;
        if (!event->isAutoRepeat()) emit DoubleClic();
        return;
    case Qt::Key_Left:
        --c;
        break;
    case Qt::Key_Right:
        ++c;
        break;
    case Qt::Key_Up:
        --l;
        break;
    case Qt::Key_Down:
        ++l;
        break;
    case Qt::Key_Home:
        c = 0;
        break;
    case Qt::Key_End:
        c = NbColonnes - 1;
        break;
    default:
        break;
    }
    if (position(c, l) == courante_) {
        QFrame::keyPressEvent(event);
        return;
    }
    DefinirCaseCourante(c, l);
}
