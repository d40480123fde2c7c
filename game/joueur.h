// The team record, and the teams' names.
#pragma once

#include <array>
#include <cstdint>

#include "opdisque.h"

// Team indexes: the other team is team ^ 1.
inline constexpr int Bleus = 0;
inline constexpr int Rouges = 1;

inline constexpr std::array<const char*, 2> NomsEquipes = {"Bleus", "Rouges"};
inline constexpr std::array<const char*, 2> AdjectifsEquipes = {"bleu", "rouge"};

class joueur : public opdisque {
public:
    // Hand-overs to the other team: one per pawn placed and one per finished play.
    std::int32_t NbCoups = 0;
    std::int32_t Buts = 0;
    // Pawns placed in the current placement phase.
    std::int32_t NbPionsPlaces = 0;
    std::int32_t Occupation = 0;

    void EffacerPionsPlaces() { NbPionsPlaces = 0; }

    int Lire(std::FILE* f) override;
    int Ecrire(std::FILE* f) const override;
};

// Index 0 is Bleus, 1 Rouges.
using Equipes = std::array<joueur, 2>;
