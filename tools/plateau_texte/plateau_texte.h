// A position written as a board of text, for the tests and the tournament's fixed positions:
// eleven lines of nine cells, row 0 first, plus what the board does not show.
#pragma once

#include <array>

#include "game/jeu.h"

// Cells: '.' empty, 'B' a Bleus pawn, 'R' a Rouges pawn, 'o' the puck-pawn; 'b' or 'r' is the
// pawn chosen, or moved, in the play under way. In a placement phase each team has placed the
// pawns it has on the board.
struct PlateauTexte {
    std::array<const char*, NbLignes> lignes{};
    int action = acDeplacement1;
    int equipe = Bleus;
    int tour = 2;
    int nbTours = 20;
    int nbPions = 6;
    std::array<int, 2> buts{0, 0};
    std::array<int, 2> occupation{0, 0};
    // The team to play plays second in its turn: the other team has already played in it.
    bool secondDuTour = false;
};

// Sets the records to the position, the history emptied. Returns 0, and leaves the records in an
// unspecified state, when a line is not nine known cells long or the puck-pawn is not on the board
// once.
int PoserPlateauTexte(const PlateauTexte& texte, jeu& j, Equipes& joueurs);
