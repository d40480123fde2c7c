// The board grid.
#include "grille.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <array>
#include <cmath>

#include "images.h"

namespace {

const QColor Gris(128, 128, 128);
const QColor Argent(192, 192, 192);

// One cell for assistive technologies: its place on the board and what it holds.
class CaseAccessible : public QAccessibleInterface {
public:
    CaseAccessible(GrillePlateau* grille, position cellule) : grille_(grille), case_(cellule) {}

    bool isValid() const override { return !grille_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return grille_ ? grille_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grille_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override {
        if (!grille_ || type != QAccessible::Name) return {};
        return grille_->DescriptionCase(case_.Colonne, case_.Ligne);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!grille_) return {};
        const QRect r = GrillePlateau::RectangleCase(case_.Colonne, case_.Ligne);
        return QRect(grille_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State etat;
        etat.focusable = true;
        etat.focused = grille_ && grille_->hasFocus() && grille_->CaseCourante() == case_;
        return etat;
    }

private:
    QPointer<GrillePlateau> grille_;
    position case_;
};

// The board as a table of 99 cells; its own name is the current cell's, read as it moves.
class GrilleAccessible : public QAccessibleWidget {
public:
    explicit GrilleAccessible(GrillePlateau* grille)
        : QAccessibleWidget(grille, QAccessible::Table) {}
    ~GrilleAccessible() override {
        for (const QAccessible::Id id : cases_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return NbCases; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= NbCases) return nullptr;
        if (!cases_[index]) {
            const position cellule(index / NbLignes, index % NbLignes);
            cases_[index] =
                QAccessible::registerAccessibleInterface(new CaseAccessible(Grille(), cellule));
        }
        return QAccessible::accessibleInterface(cases_[index]);
    }
    int indexOfChild(const QAccessibleInterface* enfant) const override {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(enfant));
        const auto trouve = std::find(cases_.begin(), cases_.end(), id);
        return trouve == cases_.end() ? -1 : static_cast<int>(trouve - cases_.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const position p = GrillePlateau::CaseEn(Grille()->mapFromGlobal(QPoint(x, y)));
        return p.Vide() ? nullptr : child(jeu::Index(p.Colonne, p.Ligne));
    }
    QAccessibleInterface* focusChild() const override {
        const position p = Grille()->CaseCourante();
        return Grille()->hasFocus() ? child(jeu::Index(p.Colonne, p.Ligne)) : nullptr;
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name) return Grille()->DescriptionCaseCourante();
        return QAccessibleWidget::text(type);
    }

private:
    GrillePlateau* Grille() const { return static_cast<GrillePlateau*>(widget()); }

    mutable std::array<QAccessible::Id, NbCases> cases_{};
};

QAccessibleInterface* FabriqueAccessible(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("GrillePlateau") && objet && objet->isWidgetType())
        return new GrilleAccessible(static_cast<GrillePlateau*>(objet));
    return nullptr;
}

double Luminance(QRgb pixel) {
    const auto lineaire = [](int composante) {
        const double c = composante / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineaire(qRed(pixel)) + 0.7152 * lineaire(qGreen(pixel)) +
           0.0722 * lineaire(qBlue(pixel));
}

// The dotted focus frame along the image's edge, each dot dark on a light pixel and light on a
// dark one, so that it shows on every background (a XOR frame vanishes on mid grey). Black wins
// above the luminance where both contrast equally.
void CadrePointille(QImage& image, int epaisseur) {
    const int n = image.width();
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const bool bord =
                x < epaisseur || y < epaisseur || x >= n - epaisseur || y >= n - epaisseur;
            if (!bord || (x / epaisseur + y / epaisseur) % 2) continue;
            const bool clair = Luminance(image.pixel(x, y)) > 0.179;
            image.setPixel(x, y, clair ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
}

} // namespace

GrillePlateau::GrillePlateau(QWidget* parent) : QFrame(parent) {
    static const bool fabrique = (QAccessible::installFactory(FabriqueAccessible), true);
    Q_UNUSED(fabrique);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(Bord);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect GrillePlateau::RectangleCase(int colonne, int ligne) {
    return QRect(Bord + Pas * colonne, Bord + Pas * ligne, TailleCase, TailleCase);
}

position GrillePlateau::CaseEn(const QPoint& point) {
    const int x = point.x() - Bord;
    const int y = point.y() - Bord;
    if (x < 0 || y < 0) return {};
    const int c = x / Pas;
    const int l = y / Pas;
    if (!SurPlateau(c, l)) return {};
    return {c, l};
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

QString GrillePlateau::DescriptionCaseCourante() const {
    return DescriptionCase(courante_.Colonne, courante_.Ligne);
}

void GrillePlateau::SignalerCaseCourante() {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(jeu::Index(courante_.Colonne, courante_.Ligne));
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent nom(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nom);
}

QImage GrillePlateau::ImageCaseCourante() const {
    const qreal ratio = devicePixelRatioF();
    const int cote = qRound(TailleCase * ratio);
    QImage image(cote, cote, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    const QRect cellule(0, 0, TailleCase, TailleCase);
    QPainter peintre(&image);
    peintre.fillRect(cellule, Gris);
    if (DessinerCase) DessinerCase(peintre, courante_.Colonne, courante_.Ligne, cellule);
    peintre.end();
    CadrePointille(image, FacteurImages(ratio));
    return image;
}

void GrillePlateau::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter peintre(this);
    // The lines between cells are what the silver fill leaves between the grey cells.
    peintre.fillRect(contentsRect(), Argent);
    for (int c = 0; c < NbColonnes; ++c) {
        for (int l = 0; l < NbLignes; ++l) {
            const QRect r = RectangleCase(c, l);
            peintre.fillRect(r, Gris);
            if (DessinerCase) DessinerCase(peintre, c, l, r);
        }
    }
    peintre.drawImage(RectangleCase(courante_.Colonne, courante_.Ligne).topLeft(),
                      ImageCaseCourante());
}

void GrillePlateau::mousePressEvent(QMouseEvent* event) {
    const position p = CaseEn(event->position().toPoint());
    if (!p.Vide()) DefinirCaseCourante(p.Colonne, p.Ligne);
    QFrame::mousePressEvent(event);
}

void GrillePlateau::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The first press of a double-click has already made the cell under it the current one.
    const position p = CaseEn(event->position().toPoint());
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
