// Test helper: whole plays through the real rules.
#include "coups_entiers.h"

#include <vector>

#include "rules/vue_memoire.h"

namespace {

bool Jouer(const EtatJeu& etat, const Equipes& equipes, int etape, bool variantes,
           const std::function<void(const jeu&, const Equipes&)>& visite) {
    if (etape >= ActionsParCoup) return false;
    PartieMemoire essai;
    essai.j->DefinirEtat(etat);
    ActionsLegales l;
    if (variantes)
        ListerVariantes(*essai.j, etape > 0, l);
    else
        ListerActionsLegales(*essai.j, l);
    std::vector<ActionJoueur> actions;
    for (int i = 0; i < l.Nombre; ++i) {
        const CaseJouable c = l.Cases[static_cast<std::size_t>(i)];
        actions.push_back({ActionJoueur::Genre::Clic, position(c.Colonne, c.Ligne)});
    }
    if (l.PasserAction) actions.push_back({ActionJoueur::Genre::PasserAction, {}});
    if (l.PasserTour) actions.push_back({ActionJoueur::Genre::PasserTour, {}});
    bool complets = true;
    for (const ActionJoueur& a : actions) {
        essai.j->DefinirEtat(etat);
        essai.joueurs = equipes;
        const bool fin = FinitLeCoup(*essai.j, a);
        Executer(essai.p, a);
        if (fin)
            visite(*essai.j, essai.joueurs);
        else
            complets &= Jouer(essai.j->Etat(), essai.joueurs, etape + 1, variantes, visite);
    }
    return complets;
}

} // namespace

bool ParcourirCoups(const jeu& j, const Equipes& joueurs, bool variantes,
                    const std::function<void(const jeu&, const Equipes&)>& visite) {
    return Jouer(j.Etat(), joueurs, 0, variantes, visite);
}

bool PeutMarquer(const jeu& j, const Equipes& joueurs) {
    const int t = j.Equipe();
    bool but = false;
    ParcourirCoups(j, joueurs, true, [&](const jeu&, const Equipes& apres) {
        but |= apres[t].Buts > joueurs[t].Buts;
    });
    return but;
}
