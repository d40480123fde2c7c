// The four player actions behind a double-click on the board, and their checks as questions.
#pragma once

#include <cstdint>
#include <string>

#include "geometrie.h"
#include "vue.h"

// Why a request of the team to play is refused: the first check that fails. Aucun accepts it;
// Ignore is a request that does nothing and says nothing (a finished game, a cell off the board).
enum class Refus : std::int8_t {
    Aucun,
    Ignore,
    HorsCamp,
    CaseOccupee,
    ChoisirPion,
    CaseLibre,
    ZoneAdverse,
    ZoneDeBut,
    TropLoin,
    Direction,
    PionTrajectoire,
    TireurLoin,
    TirArriere,
    TireurDeplace,
    PionAvantPalet,
    PionApresPalet,
    FutureCase,
    ObligePlacer,
};

// The message of a refusal; the team fills "Vous devez choisir un pion %s !".
std::string TexteRefus(Refus refus, int equipe);

// A shot's checks: its refusal or, accepted, its goal flag (0, or 1 + the scoring team) and where
// the puck-pawn goes.
struct VerdictTir {
    Refus refus = Refus::Aucun;
    int But = 0;
    FuturPalet Futur{};
};

// The checks of each action in their fixed order, on the game as it stands; none changes it.
Refus VerifierPlacement(const jeu& j, int colonne, int ligne);
Refus VerifierChoixPion(const jeu& j, int colonne, int ligne);
Refus VerifierDestination(const jeu& j, int colonne, int ligne);
VerdictTir VerifierTir(const jeu& j, int colonne, int ligne);
// What a double-click on the cell would meet in the current action.
Refus VerifierClic(const jeu& j, position cellule);
// What "Passer l'action" and "Passer son tour" would meet: both accept and refuse alike.
Refus VerifierPasser(const jeu& j);

// Acts on the double-clicked cell according to the current action. A refused action shows its
// message and changes nothing but the shot's goal flag, which it clears.
void DrawGridPlateauDblClick(const Partie& p, position cellule);
