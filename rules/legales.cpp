// The legal actions of the team to play.
#include "legales.h"

#include "actions.h"

void ListerActionsLegales(const jeu& j, ActionsLegales& liste) {
    liste.Nombre = 0;
    for (int c = 0; c < NbColonnes; ++c) {
        for (int l = 0; l < NbLignes; ++l) {
            int but = 0;
            if (j.Action == acTir && !j.FinDeJeu) {
                const VerdictTir verdict = VerifierTir(j, c, l);
                if (verdict.refus != Refus::Aucun) continue;
                but = verdict.But;
            } else if (VerifierClic(j, position(c, l)) != Refus::Aucun) {
                continue;
            }
            liste.Cases[static_cast<std::size_t>(liste.Nombre++)] = {static_cast<std::int8_t>(c),
                                                                     static_cast<std::int8_t>(l),
                                                                     static_cast<std::int8_t>(but)};
        }
    }
    const bool passer = VerifierPasser(j) == Refus::Aucun;
    liste.PasserAction = passer;
    liste.PasserTour = passer;
}
