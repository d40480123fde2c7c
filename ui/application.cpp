// The application object.
#include "application.h"

#include <QMessageBox>
#include <exception>

ApplicationOvane::ApplicationOvane(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Ovane"));
    setDesktopFileName(QStringLiteral("org.ovane.Ovane"));
    SignalerErreur = [](const QString& texte) {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Ovane"), texte);
    };
}

bool ApplicationOvane::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const std::exception& erreur) {
        SignalerErreur(QString::fromLocal8Bit(erreur.what()));
    } catch (...) {
        SignalerErreur(QStringLiteral("Erreur inattendue"));
    }
    return false;
}
