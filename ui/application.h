// The application object: an error escaping an event handler is shown, and the program goes on.
#pragma once

#include <QApplication>
#include <functional>

class ApplicationOvane : public QApplication {
public:
    ApplicationOvane(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* evenement) override;

    // Shows the error's text; a box captioned "Ovane" with the stop icon unless replaced.
    std::function<void(const QString& texte)> SignalerErreur;
};
