// The reference for start-up: an empty main window with a menu bar and a status bar, the size
// of the game's window, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "platform/mesure_demarrage.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallerMesureDemarrage(application);
    QMainWindow fenetre;
    for (const char* titre : {"&Partie", "&Options", "&Commandes", "&Aide"})
        fenetre.menuBar()->addMenu(QString::fromUtf8(titre));
    fenetre.statusBar()->showMessage(QStringLiteral("Bleus 0-0 Rouges"));
    auto* client = new QWidget(&fenetre);
    client->setFixedSize(379, 492 - 19);
    fenetre.setCentralWidget(client);
    fenetre.show();
    return QApplication::exec();
}
