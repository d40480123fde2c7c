// The transposition table: what a search learnt of a position, found again when another order of
// the same plays leads there (placements transpose often) and when a deeper search comes back.
// Fixed size, made once; each search starts it anew without clearing it.
#pragma once

#include <cstdint>
#include <vector>

#include "noeud.h"

struct EntreeTable {
    enum Borne : std::uint8_t { Exacte, Minimum, Maximum };
    std::uint64_t empreinte = 0;
    double valeur = 0;
    std::uint32_t generation = 0;
    std::int8_t profondeur = -1;
    Borne borne = Exacte;
    // The best play found there, tried first when the position comes back.
    Variante meilleure;
};

class TableTransposition {
public:
    // 2^bits entries of 32 bytes, made once.
    explicit TableTransposition(int bits);

    // Forgets every entry, at once: they are left where they are, from an older generation.
    void Oublier() { ++generation_; }
    // The entry of this position in the current search, or nothing.
    const EntreeTable* Trouver(std::uint64_t empreinte) const;
    void Ranger(const EntreeTable& entree);

private:
    std::vector<EntreeTable> entrees_;
    std::uint64_t masque_;
    std::uint32_t generation_ = 1;
};
