// Whole games between two players through the real rules: a level of the computer, or a player
// that picks any legal action at random.
#pragma once

#include <cstdint>
#include <vector>

// 0 for the random legal player, else a level of the computer (1 to 3).
using Joueur = int;

struct ResultatPartie {
    // 1 when the first player won, 0.5 for a draw, 0 when it lost.
    double score = 0;
    int buts[2] = {0, 0};
    int occupation[2] = {0, 0};
    int actions = 0;
    // Whether the game reached its end within the actions a game can take.
    bool finie = false;
    // Every action was accepted by the rules.
    bool legale = true;
    // Think time of the first player's computer actions, in milliseconds, each.
    std::vector<double> reflexions;
};

// The first player takes Bleus when bleus is true, Rouges otherwise; 2 x 10 turns, 6 pawns.
// budget: the Expert's tries per choice when not its own (see Ordinateur).
ResultatPartie JouerPartie(Joueur premier, Joueur second, bool bleus, std::uint32_t graine,
                           long long budget = 0);
