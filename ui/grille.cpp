// The board grid.
#include "grille.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "images.h"

namespace {

const QColor Gris(128, 128, 128);
const QColor Argent(192, 192, 192);

// The grid speaks of its current cell: assistive technologies read its name as the cell moves.
class GrilleAccessible : public QAccessibleWidget {
public:
    explicit GrilleAccessible(GrillePlateau* grille) : QAccessibleWidget(grille) {}
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Name)
            return static_cast<const GrillePlateau*>(widget())->DescriptionCaseCourante();
        return QAccessibleWidget::text(type);
    }
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

QString GrillePlateau::DescriptionCaseCourante() const {
    QString texte = QStringLiteral("Case %1, %2").arg(courante_.Colonne).arg(courante_.Ligne);
    if (DecrireCase)
        texte += QStringLiteral(" : ") + DecrireCase(courante_.Colonne, courante_.Ligne);
    return texte;
}

void GrillePlateau::SignalerCaseCourante() {
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
