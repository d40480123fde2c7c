// Board geometry: zones, reach, straight lines, paths and the puck-pawn's travel, in integers.
#pragma once

#include <array>
#include <cstdint>

#include "game/jeu.h"

// The goals: the columns between the posts, on each team's end row (Bleus' at the top).
inline constexpr int PremiereColonneBut = 3;
inline constexpr int DerniereColonneBut = 5;
inline constexpr int LigneButBleus = 0;
inline constexpr int LigneButRouges = NbLignes - 1;

// Background picture of each cell in storage order: an index into the window's list of
// backgrounds, -1 for the camps, which have none.
extern const std::array<std::int8_t, NbCases> FondCases;

// How far a pawn moves and a shooter stands from the puck-pawn, on each axis.
inline constexpr int Portee = 3;

struct Decalage {
    int dc = 0;
    int dr = 0;
};

inline constexpr Decalage DecalageEntre(int c1, int l1, int c2, int l2) {
    return {c2 - c1, l2 - l1};
}

// The cell's value read as a signed byte: the puck-pawn and both teams' pawns occupy it.
inline bool Occupee(const jeu& j, int colonne, int ligne) {
    return static_cast<std::int8_t>(j.Case(colonne, ligne)) >= 0;
}

bool DansCamp(int equipe, int ligne);
bool DansZoneAdverse(int equipe, int ligne);
bool DansPropreBut(int equipe, int colonne, int ligne);
bool DansPortee(Decalage d);
bool EnLigneDroite(Decalage d);
int Longueur(Decalage d);
bool TirEnArriere(int equipe, Decalage d);

// Whether the cells strictly between (c, l) and (c, l) + d, a straight offset, are all free.
bool TrajectoireLibre(const jeu& j, int colonne, int ligne, Decalage d);

// One walk of the puck-pawn, bouncing off the side edges and the goal lines.
struct TrajectoirePalet {
    int Colonne;
    int Ligne;
    int vc;
    int vr;
    // Takes one step; returns whether it was an end-line step.
    bool Pas();
};

struct FuturPalet {
    int Colonne;
    int Ligne;
    // The row before the rebound: LigneButRouges or more past the Rouges goal line, LigneButBleus
    // or less past Bleus'.
    int LigneBrute;
};

FuturPalet FuturEmplacementPalet(int colonnePalet, int lignePalet, int colonneTireur,
                                 int ligneTireur);

// Whether the shot from the shooter through the puck-pawn crosses the goal line aimed at between
// the posts. Defined only when the two rows differ.
bool TirCadre(int equipe, int colonneTireur, int ligneTireur, int colonnePalet, int lignePalet);
