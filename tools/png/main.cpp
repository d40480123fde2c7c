// Build helper: writes a picture of the resources as PNG, for the icon theme.
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: ovane-png SOURCE DESTINATION.png\n", stderr);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    return !image.isNull() && image.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
