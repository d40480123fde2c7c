// The game parameters dialog: pawns per team, turns, time per play.
#pragma once

#include "dialogue.h"

#include "rules/vue.h"

class QButtonGroup;
class QPushButton;

class TFormParametres : public DialogueOvane {
    Q_OBJECT
public:
    TFormParametres(const Partie& partie, QWidget* parent = nullptr);

    QButtonGroup* RadioGroupNbPions = nullptr;
    QButtonGroup* RadioGroupNbTours = nullptr;
    QButtonGroup* RadioGroupMaxTemps = nullptr;
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonAnnuler = nullptr;

    void FormShow();
    void ButtonOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Partie partie_;
};
