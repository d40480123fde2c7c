// The game's dialogs: modal windows that open centred on the screen. Those without a cancel
// button ignore Escape, as they have nothing for it to stand for.
#pragma once

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>

#include "centrage.h"

// A text or picture placed at fixed coordinates, as the dialogs are laid out.
inline QLabel* Etiquette(const QString& texte, const QRect& place, QWidget* parent) {
    auto* etiquette = new QLabel(texte, parent);
    etiquette->setGeometry(place);
    return etiquette;
}

class DialogueOvane : public QDialog {
public:
    DialogueOvane(QWidget* parent, Qt::WindowFlags drapeaux, bool annulable)
        : QDialog(parent, drapeaux), annulable_(annulable) {}

protected:
    void showEvent(QShowEvent* event) override {
        CentrerSurEcran(*this);
        QDialog::showEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!annulable_ && event->key() == Qt::Key_Escape) return;
        QDialog::keyPressEvent(event);
    }

private:
    bool annulable_;
};
