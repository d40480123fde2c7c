// The board grid: 9 × 11 cells of 40 art pixels with a one-pixel line between them, enlarged by a
// whole factor, a current cell moved by mouse presses and arrow keys, and a double-click (or
// Entrée, or Espace) that acts on the current cell.
#pragma once

#include <QFrame>
#include <functional>

#include "game/jeu.h"

// The grid's measures in the screen's own pixels, for a number of screen pixels per art pixel:
// every cell, every line and the border keep one width across the board, whatever that number.
struct MesuresGrille {
    int Cellule;
    int Trait;
    int Bord;

    static MesuresGrille Pour(qreal pixelsParPixelArt);
    int Pas() const { return Cellule + Trait; }
    QSize Taille() const;
    QRect Case(int colonne, int ligne) const;
    // The cell under a point, or an empty position.
    position CaseEn(const QPoint& point) const;
};

class GrillePlateau : public QFrame {
    Q_OBJECT
public:
    // A cell of the pixel art, and the border of the grid, at factor 1.
    static constexpr int TailleCase = 40;
    static constexpr int Bord = 2;

    explicit GrillePlateau(QWidget* parent = nullptr);

    // Draws one cell into its rectangle, after the grid has filled it with its background. The
    // painter works in screen pixels; one art pixel is PixelArt() of them, about.
    std::function<void(QPainter&, int colonne, int ligne, const QRect&)> DessinerCase;
    // What a cell holds, in words.
    std::function<QString(int colonne, int ligne)> DecrireCase;

    // The board's factor, a whole number from 1: the art's pixels drawn that many times larger.
    int Echelle() const { return echelle_; }
    void DefinirEchelle(int echelle);
    // Screen pixels per art pixel: the factor times the screen's own pixel ratio.
    qreal PixelsParPixelArt() const;
    // The width of a line between cells, in screen pixels: the art's pixel, rounded.
    int PixelArt() const { return Mesures().Trait; }
    MesuresGrille Mesures() const;
    // The grid's size in window pixels, at a factor and a screen's pixel ratio.
    static QSize TailleFenetre(int echelle, qreal ratio);
    QSize sizeHint() const override;

    position CaseCourante() const { return courante_; }
    void DefinirCaseCourante(int colonne, int ligne);
    // "Case 4, 5 : pion-palet": a cell and what it holds, for assistive technologies.
    QString DescriptionCase(int colonne, int ligne) const;
    // The cell's rectangle in the grid's own coordinates (which the screen may scale).
    QRect RectangleCase(int colonne, int ligne) const;
    // The cell under a point of the grid, or an empty position.
    position CaseEn(const QPointF& point) const;

signals:
    // A double-click on a cell, or Entrée or Espace: the action on the current cell.
    void DoubleClic();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The part of the board, border included, in the zone given in screen pixels.
    QImage ImagePlateau(const QRect& zone) const;
    void SignalerCaseCourante();

    position courante_{0, 0};
    int echelle_ = 1;
};
