// Loading the pictures and cursors.
#include "images.h"

#include <QBitmap>

namespace {

QCursor Curseur(const QString& nom) {
    const QBitmap dessin(QStringLiteral(":/cursors/%1.xbm").arg(nom));
    const QBitmap masque(QStringLiteral(":/cursors/%1_mask.xbm").arg(nom));
    return QCursor(dessin, masque, 16, 16);
}

QPixmap Image(const char* nom) {
    return QPixmap(QStringLiteral(":/images/%1.xpm").arg(nom));
}

} // namespace

Images Images::Charger() {
    Images images;
    images.ImageList = {Image("zone_neutre"), Image("buts_bleus"), Image("buts_rouges"),
                        Image("zone_bleus"), Image("zone_rouges")};
    images.IconeList = {Image("palet"), Image("pion_bleu"), Image("pion_rouge"),
                        Image("pion_deplace")};
    images.Curseurs = {QCursor(Qt::ArrowCursor), Curseur("crplacement"), Curseur("crdeplt1"),
                       Curseur("crdeplt2"), Curseur("crtir")};
    return images;
}
