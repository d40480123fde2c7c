// The in-memory registry.
#include "registre.h"

bool RegistreMemoire::EcrireValeur(const QString& cle, const QString& valeur) {
    if (RefuserEcritures) return false;
    Cles.insert(cle, valeur);
    return true;
}
