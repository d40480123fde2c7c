// What the board draws over a cell's pictures to help a player: the marks of the other side's
// last play, the hint's frame and the cells of a placement camp. Each takes the cell's rectangle
// as the board computes it and draws in whole pixel-art units of it, so that it follows the
// board's size.
#pragma once

class QPainter;
class QRect;

// Four light corners: the other side's last play went through this cell.
void DessinerMarque(QPainter& peintre, const QRect& r);
// A frame round the whole cell: the hint's choice.
void DessinerConseil(QPainter& peintre, const QRect& r);
// A small light dot in the middle: a pawn may be placed here.
void DessinerCamp(QPainter& peintre, const QRect& r);
