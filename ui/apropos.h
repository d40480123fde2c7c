// The About box: the icon, the name, the version read back from the program's own file, and a
// credit line. It closes itself after three seconds.
#pragma once

#include "dialogue.h"

class QLabel;
class QPushButton;
class QTimer;

class TFormAPropos : public DialogueOvane {
    Q_OBJECT
public:
    // programme: the executable whose version block gives the version text.
    explicit TFormAPropos(const QString& programme, QWidget* parent = nullptr);

    QLabel* IconeOvane = nullptr;
    QLabel* StaticTextOvane = nullptr;
    QLabel* StaticTextVersion = nullptr;
    QLabel* StaticTextAuteur = nullptr;
    QPushButton* ButtonFermer = nullptr;
    QTimer* Timer = nullptr;

private:
    void FormShow(const QString& programme);
};

// Creates the box, shows it modally and destroys it once closed.
void AfficherAPropos(QWidget* parent, const QString& programme);
