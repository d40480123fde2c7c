// What the rules ask of the window, and nothing more: the rules never know which window it is.
#pragma once

#include <string>

#include "game/jeu.h"

enum class Icone { Arret, Exclamation, Information };

// The six panels of the status line, from left to right.
enum class Panneau { Score, Tour, Action, Etape, Equipe, Temps };
inline constexpr int NbPanneaux = 6;

// The gauge before any occupation point: an even share.
inline constexpr int MaximumJaugeVide = 100;
inline constexpr int ProgressionJaugeVide = 50;

class Vue {
public:
    virtual ~Vue() = default;

    virtual void AfficherPanneau(Panneau panneau, const std::string& texte) = 0;
    // The occupation gauge: range 0..maximum, progress, tooltip; repainted at once.
    virtual void DefinirJauge(int maximum, int progression, const std::string& bulle) = 0;
    // Every cell is drawn again before this returns.
    virtual void RedessinerPlateau() = 0;
    virtual void DefinirCurseur(int numero) = 0;
    virtual void ActiverHorloge(bool active) = 0;
    virtual bool HorlogeActive() const = 0;
    // A modal box with one OK button. The clock may tick while it is open.
    virtual void Message(const std::string& texte, const std::string& titre, Icone icone) = 0;
    // A view that shows no text, such as a look-ahead's: the rules then format none of the
    // panels, tooltips and boxes, the better part of the cost of an action they try.
    virtual bool Muette() const { return false; }
};

// The rules work on one game record, the two team records, and the window that shows them.
struct Partie {
    jeu& Jeu;
    Equipes& Joueurs;
    Vue& Ecran;

    // Whether the texts the rules would show are worth making.
    bool Montre() const { return !Ecran.Muette(); }
};
