// Build helper: writes a picture of the resources as PNG for the icon theme, enlarged by a whole
// number with nearest-pixel sampling so that the pixel art keeps its hard edges.
#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int facteur = argc == 4 ? std::atoi(argv[2]) : 0;
    if (facteur < 1 || facteur > 16) {
        static_cast<void>(
            std::fputs("usage: ovane-png SOURCE FACTEUR(1-16) DESTINATION.png\n", stderr));
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) return 1;
    const QImage agrandie =
        image.scaled(image.size() * facteur, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return agrandie.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
