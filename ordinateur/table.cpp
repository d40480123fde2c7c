// The transposition table.
#include "table.h"

TableTransposition::TableTransposition(int bits)
    : entrees_(std::size_t{1} << bits), masque_((std::uint64_t{1} << bits) - 1) {}

const EntreeTable* TableTransposition::Trouver(std::uint64_t empreinte) const {
    const EntreeTable& e = entrees_[static_cast<std::size_t>(empreinte & masque_)];
    return e.generation == generation_ && e.empreinte == empreinte ? &e : nullptr;
}

void TableTransposition::Ranger(const EntreeTable& entree) {
    EntreeTable& e = entrees_[static_cast<std::size_t>(entree.empreinte & masque_)];
    // A deeper result on the same position is kept; anything else gives way to the newer one.
    if (e.generation == generation_ && e.empreinte == entree.empreinte &&
        e.profondeur > entree.profondeur)
        return;
    e = entree;
    e.generation = generation_;
}
