// Any line, as a host reads a player's and a player reads a host's: either refused with a reason,
// or read into a message that writes back to a line read the same way; and any bytes cut into
// lines never longer than the limit.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "reseau/lignes.h"
#include "reseau/protocole.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const LectureRequete lue = LireRequete(texte);
    if (lue.requete) {
        const std::string ecrite = TexteRequete(*lue.requete);
        const LectureRequete relue = LireRequete(ecrite);
        if (!relue.requete || TexteRequete(*relue.requete) != ecrite) std::abort();
    } else if (lue.erreur == nullptr) {
        std::abort();
    }
    if (const auto annonce = LireAnnonce(texte)) {
        const std::string ecrite = TexteAnnonce(*annonce);
        const auto relue = LireAnnonce(ecrite);
        if (!relue || TexteAnnonce(*relue) != ecrite) std::abort();
    }
    constexpr std::size_t Limite = 64;
    LecteurLignes lecteur(Limite);
    for (std::size_t i = 0; i < texte.size(); i += 7) lecteur.Ajouter(texte.substr(i, 7));
    while (const auto ligne = lecteur.Suivante())
        if (ligne->size() > Limite || ligne->find('\n') != std::string::npos) std::abort();
    if (lecteur.Taille() > texte.size()) std::abort();
    return 0;
}
