// The application object: an error escaping an event handler is shown, and the program goes on.
#pragma once

#include <QApplication>

class ApplicationOvane : public QApplication {
public:
    ApplicationOvane(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* evenement) override;
};
