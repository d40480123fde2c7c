// Storage of the team record: four little-endian 32-bit fields.
#include "joueur.h"

#include "champs.h"

int joueur::Lire(std::FILE* f) {
    return LireChamp(f, NbCoups) && LireChamp(f, Buts) && LireChamp(f, NbPionsPlaces) &&
           LireChamp(f, Occupation);
}

int joueur::Ecrire(std::FILE* f) const {
    return EcrireChamp(f, NbCoups) && EcrireChamp(f, Buts) && EcrireChamp(f, NbPionsPlaces) &&
           EcrireChamp(f, Occupation);
}
