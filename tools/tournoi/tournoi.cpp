// Games between two players.
#include "tournoi.h"

#include <chrono>
#include <memory>
#include <random>

#include "ordinateur/ordinateur.h"
#include "rules/commandes.h"
#include "rules/legales.h"
#include "rules/resultat.h"
#include "rules/vue_memoire.h"

namespace {

// The longest game: 20 turns of two plays of three actions, a placement phase per goal.
constexpr int ActionsMax = 20000;

ActionJoueur AuHasard(const jeu& j, std::mt19937& hasard) {
    ActionsLegales l;
    ListerActionsLegales(j, l);
    const int n = l.Nombre + (l.PasserAction ? 1 : 0) + (l.PasserTour ? 1 : 0);
    int k = static_cast<int>(hasard() % static_cast<unsigned>(n));
    if (k < l.Nombre) {
        const CaseJouable c = l.Cases[static_cast<std::size_t>(k)];
        return {ActionJoueur::Genre::Clic, position(c.Colonne, c.Ligne)};
    }
    k -= l.Nombre;
    return {l.PasserAction && k == 0 ? ActionJoueur::Genre::PasserAction
                                     : ActionJoueur::Genre::PasserTour,
            {}};
}

} // namespace

ResultatPartie JouerPartie(Joueur premier, Joueur second, bool bleus, std::uint32_t graine,
                           long long budget) {
    PartieMemoire partie;
    bool refus = false;
    partie.vue.SurMessage = [&](const std::string&, const std::string&, Icone icone) {
        refus |= icone == Icone::Arret;
    };
    AppliquerParametres(partie.p, 6, 20, 30000);
    // Team index -> player, and each player's own seeded choices.
    const Joueur joueurs[2] = {bleus ? premier : second, bleus ? second : premier};
    std::unique_ptr<Ordinateur> ordinateurs[2];
    std::mt19937 hasard[2] = {std::mt19937(graine * 2 + 1), std::mt19937(graine * 2 + 2)};
    for (int t = 0; t < 2; ++t)
        if (joueurs[t] > 0)
            ordinateurs[t] = std::make_unique<Ordinateur>(
                static_cast<Niveau>(joueurs[t]), graine * 2 + 1 + static_cast<unsigned>(t), budget);
    ResultatPartie r;
    const int moi = bleus ? Bleus : Rouges;
    for (; r.actions < ActionsMax && !partie.j->FinDeJeu; ++r.actions) {
        const int t = partie.j->Equipe();
        ActionJoueur action;
        if (ordinateurs[t]) {
            const auto debut = std::chrono::steady_clock::now();
            const auto choix = ordinateurs[t]->Choisir(*partie.j, partie.joueurs);
            const std::chrono::duration<double, std::milli> duree =
                std::chrono::steady_clock::now() - debut;
            if (t == moi) r.reflexions.push_back(duree.count());
            if (!choix) break;
            action = *choix;
        } else {
            action = AuHasard(*partie.j, hasard[t]);
        }
        Executer(partie.p, action);
        r.legale &= !refus;
    }
    r.finie = partie.j->FinDeJeu != 0;
    for (int t = 0; t < 2; ++t) {
        r.buts[t] = partie.joueurs[t].Buts;
        r.occupation[t] = partie.joueurs[t].Occupation;
    }
    const int vainqueur = Vainqueur(partie.joueurs);
    r.score = vainqueur < 0 ? 0.5 : (vainqueur == moi ? 1 : 0);
    return r;
}
