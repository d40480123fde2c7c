// The transposition table.
#include "table.h"

namespace {

// 2^17 entries of 32 bytes: 4 MiB, room for every position of the deepest searches' budgets.
constexpr std::size_t NbEntrees = std::size_t{1} << 17;

std::size_t Place(std::uint64_t empreinte) {
    return static_cast<std::size_t>(empreinte & (NbEntrees - 1));
}

} // namespace

TableTransposition::TableTransposition() : entrees_(NbEntrees) {}

const EntreeTable* TableTransposition::Trouver(std::uint64_t empreinte) const {
    const EntreeTable& e = entrees_[Place(empreinte)];
    return e.generation == generation_ && e.empreinte == empreinte ? &e : nullptr;
}

void TableTransposition::Ranger(const EntreeTable& entree) {
    EntreeTable& e = entrees_[Place(entree.empreinte)];
    // A deeper result on the same position is kept; anything else gives way to the newer one.
    if (e.generation == generation_ && e.empreinte == entree.empreinte &&
        e.profondeur > entree.profondeur)
        return;
    e = entree;
    e.generation = generation_;
}
