// The board grid.
#include "grille.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

GrillePlateau::GrillePlateau(QWidget* parent) : QFrame(parent) {
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
}

void GrillePlateau::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter peintre(this);
    const QRect interieur = contentsRect();
    // The lines between cells are what the silver fill leaves between the grey cells.
    peintre.fillRect(interieur, QColor(192, 192, 192));
    for (int c = 0; c < NbColonnes; ++c) {
        for (int l = 0; l < NbLignes; ++l) {
            const QRect r = RectangleCase(c, l);
            peintre.fillRect(r, QColor(128, 128, 128));
            if (DessinerCase) DessinerCase(peintre, c, l, r);
        }
    }
    QStyleOptionFocusRect cadre;
    cadre.initFrom(this);
    cadre.rect = RectangleCase(courante_.Colonne, courante_.Ligne);
    peintre.setPen(QPen(Qt::white, 1, Qt::DotLine));
    peintre.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    peintre.drawRect(cadre.rect.adjusted(0, 0, -1, -1));
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
        QFrame::keyPressEvent(event);
        return;
    }
    DefinirCaseCourante(c, l);
}
