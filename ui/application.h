// The application object: French throughout, the game's fonts, no settings file, and an error
// escaping an event handler is shown while the program goes on.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <functional>

class ApplicationOvane : public QApplication {
public:
    ApplicationOvane(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* evenement) override;

    // Shows the error's text; a box captioned "Ovane" with the stop icon unless replaced.
    std::function<void(const QString& texte)> SignalerErreur;

private:
    QTranslator traductionQt_;
};
