// The computer's levels, and the settings of its search and judgement that make each one.
#pragma once

#include <array>

enum class Niveau { Debutant = 1, Amateur = 2, Expert = 3, Maitre = 4 };
inline constexpr int NbNiveaux = 4;
inline constexpr std::array<const char*, NbNiveaux + 1> NomsNiveaux = {"", "Débutant", "Amateur",
                                                                       "Expert", "Maître"};

struct Reglages {
    // Plays looked ahead, the computer's own included, deepened one by one up to these: in a
    // placement phase (a play is one pawn) and once play has begun.
    int profondeurPlacement = 1;
    int profondeurJeu = 1;
    // Tries allowed for one choice; the deepening stops where they run out. 0: no limit.
    long long budget = 0;
    // Amplitude of the random part of each root play's value: variety among near-equal plays.
    double bruit = 0;
    // What a placement loses for each cell between it and the puck-pawn, among placements the
    // search judges equal: kept with the noise below half a point, the smallest difference the
    // judgement makes, so that it never overrules it. Where every placement looks alike, the
    // play will start around the puck-pawn, and pawns near it take part in it.
    double departage = 0;
    // Whether a position is judged by the shots each team could make from it, or by the score.
    bool potentiels = false;
    // A goal against occupation points, which only decide between teams level on goals.
    double valeurBut = 1000;
    // What a goal gains for each play it comes sooner in a line: a goal now is worth more than the
    // same goal later with any occupation points taken meanwhile, and a goal conceded later costs
    // less than one conceded now.
    double avanceBut = 100;
    // A finished game's result beyond its score. 0: a decisive lead is judged the same whether or
    // not the end of the game falls within the look-ahead.
    double victoire = 0;
    // The weight of the best shot of the team about to play, and of its opponent's after it.
    double poidsTrait = 0.9;
    double poidsReplique = 0.5;
    // The whole play (move and shot) chosen at its first action and then played as chosen, while
    // the game stays where the plan expects it.
    bool plan = true;
};

Reglages ReglagesDuNiveau(Niveau niveau);
