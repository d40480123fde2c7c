// Who plays each team, a person or the computer at a level, and the dialog that chooses it. The
// choice lasts for the run, like the game parameters, and never goes into saved games.
#pragma once

#include <array>

#include "dialogue.h"
#include "ordinateur/ordinateur.h"

class QComboBox;
class QPushButton;
class QRadioButton;

struct ChoixJoueurs {
    std::array<bool, 2> Ordinateur{false, false};
    std::array<Niveau, 2> Niveaux{Niveau::Amateur, Niveau::Amateur};

    // Both teams to the computer: a game that plays itself to its end.
    bool Demonstration() const { return Ordinateur[Bleus] && Ordinateur[Rouges]; }
    friend bool operator==(const ChoixJoueurs&, const ChoixJoueurs&) = default;
};

class TFormJoueurs : public DialogueOvane {
    Q_OBJECT
public:
    explicit TFormJoueurs(const ChoixJoueurs& choix, QWidget* parent = nullptr);

    // Per team, index 0 Bleus and 1 Rouges.
    std::array<QRadioButton*, 2> RadioHumain{};
    std::array<QRadioButton*, 2> RadioOrdinateur{};
    std::array<QComboBox*, 2> ComboNiveau{};
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonAnnuler = nullptr;

    // What the dialog shows now.
    ChoixJoueurs Choix() const;
};
