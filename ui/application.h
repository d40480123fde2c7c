// The application object: French throughout, the game's fonts, no settings of Qt's, and an error
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
    // Qt 6's file dialogs name a file's kind in a context that Qt's French catalogue of 6.4 does
    // not cover; the same words are in the dialog's own context, which it does.
    class TypesDeFichiers : public QTranslator {
    public:
        QString translate(const char* contexte, const char* source, const char* desambiguisation,
                          int n) const override;
        bool isEmpty() const override { return false; }
    };

    QTranslator traductionQt_;
    TypesDeFichiers typesDeFichiers_;
};
