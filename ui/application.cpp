// The application object.
#include "application.h"

#include <QMessageBox>
#include <exception>

ApplicationOvane::ApplicationOvane(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Ovane"));
    setDesktopFileName(QStringLiteral("org.ovane.Ovane"));
}

bool ApplicationOvane::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const std::exception& erreur) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Ovane"),
                              QString::fromLocal8Bit(erreur.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Ovane"),
                              QStringLiteral("Erreur inattendue"));
    }
    return false;
}
