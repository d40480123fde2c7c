// The helps drawn over the board's cells.
#include "reperes.h"

#include <QPainter>
#include <QRect>
#include <algorithm>

namespace {

// One pixel of the 40-pixel art, in the cell's own pixels.
int Unite(const QRect& r) {
    return std::max(1, r.width() / 20);
}

// Colours of the 16-colour palette the pictures use.
const QColor Blanc(255, 255, 255);
const QColor VertVif(0, 255, 0);
const QColor GrisClair(192, 192, 192);

} // namespace

void DessinerMarque(QPainter& peintre, const QRect& r) {
    const int u = Unite(r);
    const int l = 4 * u;
    const QRect x = r.adjusted(u, u, -u, -u);
    for (const QPoint coin : {x.topLeft(), x.topRight(), x.bottomLeft(), x.bottomRight()}) {
        // Each corner's two strokes point into the cell.
        const int dx = coin.x() == x.left() ? 0 : -l + 1;
        const int dy = coin.y() == x.top() ? 0 : -l + 1;
        const int ox = coin.x() == x.left() ? 0 : -u + 1;
        const int oy = coin.y() == x.top() ? 0 : -u + 1;
        peintre.fillRect(coin.x() + dx, coin.y() + oy, l, u, Blanc);
        peintre.fillRect(coin.x() + ox, coin.y() + dy, u, l, Blanc);
    }
}

void DessinerConseil(QPainter& peintre, const QRect& r) {
    const int u = Unite(r);
    peintre.fillRect(r.left(), r.top(), r.width(), u, VertVif);
    peintre.fillRect(r.left(), r.bottom() - u + 1, r.width(), u, VertVif);
    peintre.fillRect(r.left(), r.top(), u, r.height(), VertVif);
    peintre.fillRect(r.right() - u + 1, r.top(), u, r.height(), VertVif);
}

void DessinerCamp(QPainter& peintre, const QRect& r) {
    const int u = Unite(r);
    const int cote = 3 * u;
    const QPoint c = r.center();
    peintre.fillRect(c.x() - cote / 2, c.y() - cote / 2, cote, cote, GrisClair);
}
