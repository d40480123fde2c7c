// Loading the pictures and cursors.
#include "images.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "grille.h"

namespace {

QImage Agrandie(const QImage& image, int facteur) {
    return image.scaled(image.size() * facteur, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QBitmap BitmapCurseur(const QString& nom, int facteur) {
    const QImage image(QStringLiteral(":/cursors/%1.xbm").arg(nom));
    return QBitmap::fromImage(Agrandie(image, facteur), Qt::ThresholdDither);
}

QCursor Curseur(const QString& nom, int facteur) {
    // The hot spot stays at the middle of the 32 × 32 drawing.
    return QCursor(BitmapCurseur(nom, facteur),
                   BitmapCurseur(nom + QStringLiteral("_mask"), facteur), 16 * facteur,
                   16 * facteur);
}

QImage Image(const char* nom) {
    return QImage(QStringLiteral(":/images/%1.xpm").arg(nom));
}

QPixmap Icone(const char* nom, qreal ratio) {
    QPixmap icone = QPixmap::fromImage(Agrandie(Image(nom), FacteurImages(ratio)));
    icone.setDevicePixelRatio(ratio);
    return icone;
}

// A cell background at the device's resolution: the patterns are drawn at whole factors and
// repeated to fill the cell, which at a fractional ratio is not a whole number of art pixels.
QPixmap Fond(const char* nom, qreal ratio) {
    const QImage motif = Agrandie(Image(nom), FacteurImages(ratio));
    const int cote = qRound(GrillePlateau::TailleCase * ratio);
    QImage fond(cote, cote, QImage::Format_RGB32);
    QPainter peintre(&fond);
    peintre.fillRect(fond.rect(), QBrush(motif));
    peintre.end();
    QPixmap resultat = QPixmap::fromImage(fond);
    resultat.setDevicePixelRatio(ratio);
    return resultat;
}

} // namespace

int FacteurImages(qreal ratio) {
    return std::max(1, static_cast<int>(std::floor(ratio + 1e-6)));
}

int FacteurCurseurs(qreal ratio) {
    return std::max(1, qRound(ratio));
}

Images Images::Charger(qreal ratio) {
    Images images;
    images.Ratio = ratio;
    images.ImageList = {Fond("zone_neutre", ratio), Fond("buts_bleus", ratio),
                        Fond("buts_rouges", ratio), Fond("zone_bleus", ratio),
                        Fond("zone_rouges", ratio)};
    images.IconeList = {Icone("palet", ratio), Icone("pion_bleu", ratio),
                        Icone("pion_rouge", ratio), Icone("pion_deplace", ratio)};
    const int facteur = FacteurCurseurs(ratio);
    images.Curseurs = {QCursor(Qt::ArrowCursor), Curseur("crplacement", facteur),
                       Curseur("crdeplt1", facteur), Curseur("crdeplt2", facteur),
                       Curseur("crtir", facteur)};
    return images;
}
