// The board's pictures and the four action cursors, loaded once from the embedded resources.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <array>

struct Images {
    // Cell backgrounds, in the order of the background table's indexes.
    std::array<QPixmap, 5> ImageList;
    // The puck-pawn, a Bleus pawn, a Rouges pawn (the board values 0, 1, 2), the moved-pawn mark.
    std::array<QPixmap, 4> IconeList;
    // Registered under the action numbers 1 to 4; index 0 is the ordinary arrow.
    std::array<QCursor, 5> Curseurs;

    static Images Charger();
};

inline constexpr int IconePionDeplace = 3;
