// What the rules ask of the window, and nothing more: the rules never know which window it is.
#pragma once

#include <string>

#include "game/jeu.h"

enum class Icone { Arret, Exclamation, Information };

inline constexpr int NbPanneaux = 6;

class Vue {
public:
    virtual ~Vue() = default;

    // Status panels 0 to 5: score, turn, action, step, team, time left.
    virtual void AfficherPanneau(int panneau, const std::string& texte) = 0;
    // The occupation gauge: range 0..maximum, progress, tooltip; repainted at once.
    virtual void DefinirJauge(int maximum, int progression, const std::string& bulle) = 0;
    // Every cell is drawn again before this returns.
    virtual void RedessinerPlateau() = 0;
    virtual void DefinirCurseur(int numero) = 0;
    virtual void ActiverHorloge(bool active) = 0;
    virtual bool HorlogeActive() const = 0;
    // A modal box with one OK button. The clock may tick while it is open.
    virtual void Message(const std::string& texte, const std::string& titre, Icone icone) = 0;
    // The grid's current cell, which a double-click acts on.
    virtual position CaseCourante() const = 0;
};

// The rules work on one game record, the two team records, and the window that shows them.
struct Partie {
    jeu& Jeu;
    Equipes& Joueurs;
    Vue& Ecran;
};
