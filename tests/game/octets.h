// Test helpers: a whole game as the bytes a save would write.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "game/partie.h"

inline std::vector<std::uint8_t> Octets(const jeu& j, const Equipes& joueurs) {
    return OctetsPartie(j, joueurs);
}

inline std::int32_t EntierA(const std::vector<std::uint8_t>& o, std::size_t i) {
    return static_cast<std::int32_t>(o[i] | o[i + 1] << 8 | o[i + 2] << 16 |
                                     static_cast<std::uint32_t>(o[i + 3]) << 24);
}
