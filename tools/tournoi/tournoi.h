// Whole games between two players through the real rules: a level of the computer, the Expert as
// it judged before (a reference to measure the levels against), or a player that picks any legal
// action at random.
#pragma once

#include <cstdint>
#include <vector>

#include "ordinateur/reglages.h"

// 0 for the random legal player, 1 to NbNiveaux for a level of the computer, Reference for the
// former Expert.
using Joueur = int;
inline constexpr Joueur Reference = NbNiveaux + 1;

// The Expert as it was before goals were valued above threats and plays planned whole: a goal
// worth 40 occupation points, a won game 100,000 only once it ends within the look-ahead, each
// action searched anew.
Reglages ReglagesDeReference();
const char* NomDuJoueur(Joueur joueur);

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
    // Pawns that the first player, a computer, chose and then left where they stood.
    int pionsLaisses = 0;
    // Think time of the first player's computer actions, in milliseconds of processor time, each.
    std::vector<double> reflexions;
    // The same for the actions that searched, a play's first: the others follow its plan.
    std::vector<double> recherchesMs;
    // How deep the first player's searches looked, in placement phases and in play: the sum over
    // its searches, and their number.
    long long profondeurs[2] = {0, 0};
    int recherches[2] = {0, 0};
};

// The first player takes Bleus when bleus is true, Rouges otherwise; 2 x 10 turns, 6 pawns.
// budget: the searching levels' tries per choice when not their own (see Ordinateur).
ResultatPartie JouerPartie(Joueur premier, Joueur second, bool bleus, std::uint32_t graine,
                           long long budget = 0);

// The search's signature: the tries the Expert and the Maître spend on a fixed set of positions,
// each. Any change to the rules' answers, the judgement or the order of the search moves it.
struct Signature {
    long long expert = 0;
    long long maitre = 0;
};
Signature SignatureDeLaRecherche();
