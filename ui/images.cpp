// Loading the pictures and cursors.
#include "images.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "grille.h"

namespace {

// Enlarged to the given size pixel for pixel: each screen pixel takes the colour of the art pixel
// under its centre.
QImage AuxDimensions(const QImage& image, int cote) {
    return image.scaled(cote, cote, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// A size of the art, in screen pixels.
int Cote(int pixelsArt, qreal pixelsParPixelArt) {
    return std::max(1, qRound(pixelsArt * pixelsParPixelArt));
}

constexpr int TailleCurseur = 32;

QBitmap BitmapCurseur(const QString& nom, int cote) {
    const QImage image(QStringLiteral(":/cursors/%1.xbm").arg(nom));
    return QBitmap::fromImage(AuxDimensions(image, cote), Qt::ThresholdDither);
}

QCursor Curseur(const QString& nom, qreal pixelsParPixelArt) {
    const int cote = Cote(TailleCurseur, pixelsParPixelArt);
    // The hot spot stays at the middle of the drawing.
    return QCursor(BitmapCurseur(nom, cote), BitmapCurseur(nom + QStringLiteral("_mask"), cote),
                   cote / 2, cote / 2);
}

QImage Image(const char* nom) {
    return QImage(QStringLiteral(":/images/%1.xpm").arg(nom));
}

QPixmap Icone(const char* nom, qreal pixelsParPixelArt) {
    const QImage image = Image(nom);
    return QPixmap::fromImage(AuxDimensions(image, Cote(image.width(), pixelsParPixelArt)));
}

// A cell background: the pattern enlarged by a whole factor and repeated to fill the cell, which
// at a fractional scale is not a whole number of art pixels.
QPixmap Fond(const char* nom, qreal pixelsParPixelArt) {
    const QImage image = Image(nom);
    const int facteur = FacteurMotifs(pixelsParPixelArt);
    const QImage motif =
        image.scaled(image.size() * facteur, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int cote = Cote(GrillePlateau::TailleCase, pixelsParPixelArt);
    QImage fond(cote, cote, QImage::Format_RGB32);
    QPainter peintre(&fond);
    peintre.fillRect(fond.rect(), QBrush(motif));
    peintre.end();
    return QPixmap::fromImage(fond);
}

} // namespace

int FacteurMotifs(qreal pixelsParPixelArt) {
    return std::max(1, static_cast<int>(std::floor(pixelsParPixelArt + 1e-6)));
}

Images Images::Charger(qreal pixelsParPixelArt) {
    const qreal s = pixelsParPixelArt;
    Images images;
    images.PixelsParPixelArt = s;
    images.ImageList = {Fond("zone_neutre", s), Fond("buts_bleus", s), Fond("buts_rouges", s),
                        Fond("zone_bleus", s), Fond("zone_rouges", s)};
    images.IconeList = {Icone("palet", s), Icone("pion_bleu", s), Icone("pion_rouge", s),
                        Icone("pion_deplace", s)};
    images.Curseurs = {QCursor(Qt::ArrowCursor), Curseur("crplacement", s), Curseur("crdeplt1", s),
                       Curseur("crdeplt2", s), Curseur("crtir", s)};
    return images;
}
