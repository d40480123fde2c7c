// Test helpers: a fresh game with a window that records what the rules show.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rules/actions.h"
#include "rules/commandes.h"
#include "rules/deroulement.h"
#include "rules/vue_memoire.h"

struct Boite {
    std::string texte;
    std::string titre;
    Icone icone;
};

struct PartieDeTest : PartieMemoire {
    std::vector<Boite> boites;

    PartieDeTest();

    void Clic(int colonne, int ligne);
    // Twelve placements, alternating from the team to play, on free cells of each camp.
    void PlacerTous();
    // Ticks until the time runs out (its box) or the clock stops by itself; returns how many.
    int TicsJusquALArret(int limite = 1000);
    std::string DernierMessage() const { return boites.empty() ? "" : boites.back().texte; }
};

// A board that holds only the puck-pawn at (pc, pl) and the given pawns.
void PoserPlateau(jeu& j, int pc, int pl, const std::vector<std::pair<position, int>>& pions);
