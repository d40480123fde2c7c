// The board grid: 9 × 11 cells of 40 pixels with 1-pixel lines, a current cell moved by mouse
// presses and arrow keys, and a double-click (or Entrée, or Espace) that acts on the current cell.
#pragma once

#include <QFrame>
#include <functional>

#include "game/jeu.h"

class GrillePlateau : public QFrame {
    Q_OBJECT
public:
    static constexpr int TailleCase = 40;
    static constexpr int Pas = TailleCase + 1;
    static constexpr int Bord = 2;

    explicit GrillePlateau(QWidget* parent = nullptr);

    // Draws one cell into its rectangle, after the grid has filled it with its background.
    std::function<void(QPainter&, int colonne, int ligne, const QRect&)> DessinerCase;
    // What a cell holds, in words.
    std::function<QString(int colonne, int ligne)> DecrireCase;

    position CaseCourante() const { return courante_; }
    void DefinirCaseCourante(int colonne, int ligne);
    // "Case 4, 5 : pion-palet": a cell and what it holds, for assistive technologies.
    QString DescriptionCase(int colonne, int ligne) const;
    QString DescriptionCaseCourante() const;
    // The cell's rectangle in the grid's own coordinates.
    static QRect RectangleCase(int colonne, int ligne);
    // The cell under a point of the grid, or an empty position.
    static position CaseEn(const QPoint& point);

signals:
    // A double-click on a cell, or Entrée or Espace: the action on the current cell.
    void DoubleClic();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The current cell as drawn, with its focus frame, at the device's resolution.
    QImage ImageCaseCourante() const;
    void SignalerCaseCourante();

    position courante_{0, 0};
};
