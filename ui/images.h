// The board's pictures and the four action cursors, loaded from the embedded resources and made
// for the screen's pixel ratio: the pixel art is enlarged by whole factors only, so that its
// pixels stay square and sharp on every screen.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <array>

struct Images {
    // Cell backgrounds, in the order of the background table's indexes; each covers a whole cell.
    std::array<QPixmap, 5> ImageList;
    // The puck-pawn, a Bleus pawn, a Rouges pawn (the board values 0, 1, 2), the moved-pawn mark.
    std::array<QPixmap, 4> IconeList;
    // Registered under the action numbers 1 to 4; index 0 is the ordinary arrow.
    std::array<QCursor, 5> Curseurs;
    // The device pixels per window pixel they were made for.
    qreal Ratio = 1;

    static Images Charger(qreal ratio = 1);
};

inline constexpr int IconePionDeplace = 3;

// The whole factor by which pixel art is enlarged at a pixel ratio: never more than the ratio,
// so that a picture stays within the place it has at ratio 1.
int FacteurImages(qreal ratio);
// The cursors' factor: the nearest whole one, as the pointer need not fit a cell.
int FacteurCurseurs(qreal ratio);
