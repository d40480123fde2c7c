// What the team to play may do now: the rules answer the question without acting, from the very
// checks that a double-click and the skip commands run.
#pragma once

#include <array>
#include <cstdint>

#include "game/jeu.h"

// A cell that a double-click would act on without a refusal; for a shot, whether it scores
// (1 + the scoring team) or not (0).
struct CaseJouable {
    std::int8_t Colonne = 0;
    std::int8_t Ligne = 0;
    std::int8_t But = 0;
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

void ListerActionsLegales(const jeu& j, ActionsLegales& liste);
