// The board's pictures and the four action cursors, loaded from the embedded resources and made
// for a number of screen pixels per art pixel (the board's factor times the screen's pixel ratio):
// enlarged pixel for pixel, never blended, so that they stay sharp at every size.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <array>

struct Images {
    // Cell backgrounds, in the order of the background table's indexes; each covers a whole cell.
    std::array<QPixmap, 5> ImageList;
    // The puck-pawn, a Bleus pawn, a Rouges pawn (the board values 0, 1, 2), the moved-pawn mark;
    // enlarged by the same factor as the cells.
    std::array<QPixmap, 4> IconeList;
    // Registered under the action numbers 1 to 4; index 0 is the ordinary arrow. Enlarged by the
    // same factor as the cells too.
    std::array<QCursor, 5> Curseurs;
    // The screen pixels per art pixel they were made for, 0 before any is loaded. All are in
    // screen pixels.
    qreal PixelsParPixelArt = 0;

    static Images Charger(qreal pixelsParPixelArt = 1);
};

inline constexpr int IconePionDeplace = 3;

// The whole factor by which the backgrounds' patterns are enlarged: never more than the screen
// pixels per art pixel, so that a pattern's squares stay square and even across a cell.
int FacteurMotifs(qreal pixelsParPixelArt);
