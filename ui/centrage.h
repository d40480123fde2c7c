// Windows that open centred on the screen, not on the window that opened them.
#pragma once

#include <QScreen>
#include <QWidget>

inline void CentrerSurEcran(QWidget& fenetre) {
    if (const QScreen* ecran = fenetre.screen())
        fenetre.move(ecran->availableGeometry().center() -
                     QPoint(fenetre.width() / 2, fenetre.height() / 2));
}
