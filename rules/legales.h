// What the team to play may do now, and what its play amounts to: the rules answer the questions
// without acting, from the very checks that a double-click and the skip commands run, so that a
// player looking ahead (the computer) holds no copy of a rule.
#pragma once

#include <array>
#include <cstdint>

#include "game/jeu.h"
#include "vue.h"

// One thing a player can do: a double-click on a cell, or one of the two skip commands.
struct ActionJoueur {
    enum class Genre { Clic, PasserAction, PasserTour };
    Genre genre = Genre::Clic;
    position cellule;

    friend bool operator==(const ActionJoueur&, const ActionJoueur&) = default;
};

// Carries out the action as the board and the menu would.
void Executer(const Partie& p, const ActionJoueur& action);

// A cell that a double-click would act on without a refusal; for a shot, whether it scores
// (1 + the scoring team) or not (0), and the row the puck-pawn then lands on (a goal: the row
// where it stood).
struct CaseJouable {
    std::int8_t Colonne = 0;
    std::int8_t Ligne = 0;
    std::int8_t But = 0;
    std::int8_t LignePalet = 0;
};

// Placement cells, pawns that can be chosen, destinations of the chosen pawn or shooters,
// according to the current action; then the two skips. Fixed storage: nothing is allocated.
struct ActionsLegales {
    std::array<CaseJouable, ::NbCases> Cases{};
    int Nombre = 0;
    bool PasserAction = false;
    bool PasserTour = false;

    bool Vide() const { return Nombre == 0 && !PasserAction && !PasserTour; }
};

// In the order of the cells' storage. Only the cells an action can reach are examined: the camp,
// the team's pawns, the squares around the chosen pawn and around the puck-pawn.
void ListerActionsLegales(const jeu& j, ActionsLegales& liste);

// The most actions one play holds: a pawn chosen, its destination, the shot.
inline constexpr int ActionsParCoup = 3;

// Whether the action, accepted, ends the play of the team to play: a pawn placed, a shot made or
// given up, a turn passed. The play that follows may be the same team's (after half-time).
bool FinitLeCoup(const jeu& j, const ActionJoueur& action);

// The team whose play comes next once the placement phase under way, if any, is over: the one
// that placed first, since the teams place by turns and an even number of pawns.
int PremierAJouer(const jeu& j, const Equipes& joueurs);

// The legal actions, less those that only repeat another listed sequence of the same play: a
// shot given up is a turn passed; once the play was listed from an earlier action (suiteDuCoup),
// a chosen pawn given up is the move skipped before the choice, and a turn passed with no pawn
// moved is the turn passed at that earlier action. Every position the play can reach stays
// reachable, by one sequence where the rules allow.
void ListerVariantes(const jeu& j, bool suiteDuCoup, ActionsLegales& liste);
