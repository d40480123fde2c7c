// A seeded random player: mostly plausible clicks, some anywhere, skips and the clock, through
// the real rules. It drives the property tests and the rules benchmark.
#pragma once

#include <random>
#include <vector>

#include "rules/vue_memoire.h"

class JoueurAleatoire {
public:
    explicit JoueurAleatoire(unsigned graine) : hasard_(graine) {}

    int Entre(int min, int max) { return std::uniform_int_distribution<int>(min, max)(hasard_); }

    enum class Genre { Clic, Passe, Tic, Expiration };

    // How many events the rules have received from this player: clicks, skips and ticks.
    long long Evenements = 0;
    // Of those, the clock's ticks.
    long long Tics = 0;

    // Plays one event on the game shown by vue (or, for an expiry, every tick up to it);
    // returns what kind it was.
    Genre Evenement(const Partie& p, VueMemoire& vue);

    // A double-click on a cell, as the board would deliver it.
    static void Clic(const Partie& p, int colonne, int ligne);
    // Ticks until the time of the play runs out or the clock stops; returns how many.
    static int TicsJusquALExpiration(const Partie& p, const VueMemoire& vue);
    // A cell where the team to play could act, mostly: its camp, its pawns, near the moved pawn.
    position ClicPlausible(const jeu& j);

private:
    Genre Jouer(const Partie& p, VueMemoire& vue, int tirage);
    position Parmi(const std::vector<position>& cases);

    std::mt19937 hasard_;
};
