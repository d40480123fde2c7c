// The game's fonts, all from fonts-liberation, which the program depends on: its metrics do not
// change with the machine, so every text measured to fit its place fits everywhere.
#pragma once

#include <QFont>

namespace Polices {

// Menus, dialogs and boxes: characters 11 pixels high.
inline QFont Interface() {
    QFont police(QStringLiteral("Liberation Sans"));
    police.setStyleHint(QFont::SansSerif);
    police.setPixelSize(11);
    return police;
}

// The status lines: the same height, narrower, so that the longest texts of the narrow panels
// ("Pion à déplacer", a two-digit score) fit whole with room to spare; as many times higher as
// the board's factor.
inline QFont Etat(int echelle = 1) {
    QFont police(QStringLiteral("Liberation Sans Narrow"));
    police.setStyleHint(QFont::SansSerif);
    police.setPixelSize(11 * echelle);
    return police;
}

} // namespace Polices
