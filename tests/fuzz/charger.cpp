// Any bytes: either refused, leaving the game untouched, or loaded into a game that saves back
// to the same first 9777 bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "tests/game/octets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    auto j = std::make_unique<jeu>();
    Equipes joueurs;
    const auto avant = Octets(*j, joueurs);
    const Chargement resultat = ChargerPartie(donnees, taille, *j, joueurs);
    const auto apres = Octets(*j, joueurs);
    if (resultat == Chargement::Reussi) {
        if (taille < TaillePartie || std::memcmp(apres.data(), donnees, TaillePartie) != 0)
            std::abort();
    } else if (resultat != Chargement::Donnees || apres != avant) {
        std::abort();
    }
    return 0;
}
