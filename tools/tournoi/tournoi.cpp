// Games between two players.
#include "tournoi.h"

#include <ctime>
#include <memory>
#include <random>

#include "ordinateur/ordinateur.h"
#include "rules/commandes.h"
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

std::unique_ptr<Ordinateur> Creer(Joueur joueur, std::uint32_t graine, long long budget) {
    if (joueur == Reference) {
        Reglages r = ReglagesDeReference();
        if (budget > 0) r.budget = budget;
        return std::make_unique<Ordinateur>(r, graine);
    }
    if (joueur <= 0) return nullptr;
    return std::make_unique<Ordinateur>(static_cast<Niveau>(joueur), graine, budget);
}

// The processor time this thread has used, in milliseconds: what a choice costs, whatever else
// the machine runs meanwhile.
double TempsDeCalcul() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// A game of the tournament's kind at its start: 2 x 10 turns, 6 pawns, 30 s a play.
void Commencer(PartieMemoire& partie) {
    AppliquerParametres(partie.p, 6, 20, 30000);
}

} // namespace

Reglages ReglagesDeReference() {
    return {.profondeurPlacement = 3,
            .profondeurJeu = 3,
            .budget = 250000,
            .bruit = 0.2,
            .potentiels = true,
            .valeurBut = 40,
            .avanceBut = 0,
            .victoire = 100000,
            .poidsTrait = 0.9,
            .poidsReplique = 0.5,
            .plan = false};
}

const char* NomDuJoueur(Joueur joueur) {
    if (joueur == 0) return "Hasard";
    if (joueur == Reference) return "Référence";
    return NomsNiveaux[static_cast<std::size_t>(joueur)];
}

ResultatPartie JouerPartie(Joueur premier, Joueur second, bool bleus, std::uint32_t graine,
                           long long budget) {
    PartieMemoire partie;
    bool refus = false;
    partie.vue.SurMessage = [&](const std::string&, const std::string&, Icone icone) {
        refus |= icone == Icone::Arret;
    };
    Commencer(partie);
    // Team index -> player, and each player's own seeded choices.
    const Joueur joueurs[2] = {bleus ? premier : second, bleus ? second : premier};
    std::unique_ptr<Ordinateur> ordinateurs[2];
    std::mt19937 hasard[2] = {std::mt19937(graine * 2 + 1), std::mt19937(graine * 2 + 2)};
    for (int t = 0; t < 2; ++t)
        ordinateurs[t] = Creer(joueurs[t], graine * 2 + 1 + static_cast<unsigned>(t), budget);
    ResultatPartie r;
    const int moi = bleus ? Bleus : Rouges;
    for (; r.actions < ActionsMax && !partie.j->FinDeJeu; ++r.actions) {
        const int t = partie.j->Equipe();
        ActionJoueur action;
        if (ordinateurs[t]) {
            const bool placement = partie.j->Action == acPlacement;
            const double debut = TempsDeCalcul();
            const auto choix = ordinateurs[t]->Choisir(*partie.j, partie.joueurs);
            if (t == moi) {
                const double duree = TempsDeCalcul() - debut;
                r.reflexions.push_back(duree);
                if (const int p = ordinateurs[t]->Profondeur(); p > 0) {
                    r.recherchesMs.push_back(duree);
                    r.profondeurs[placement ? 0 : 1] += p;
                    ++r.recherches[placement ? 0 : 1];
                }
            }
            if (!choix) break;
            action = *choix;
        } else {
            action = AuHasard(*partie.j, hasard[t]);
        }
        const bool laisse = t == moi && ordinateurs[t] && partie.j->Action == acDeplacement2 &&
                            action.genre != ActionJoueur::Genre::Clic;
        r.pionsLaisses += laisse ? 1 : 0;
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

Signature SignatureDeLaRecherche() {
    Signature s;
    // Positions that random legal play reaches: in the first placement phase, then in play.
    for (const std::uint32_t graine : {1u, 2u, 3u}) {
        for (const int actions : {5, 40}) {
            PartieMemoire partie;
            Commencer(partie);
            std::mt19937 hasard(graine);
            for (int n = 0; n < actions && !partie.j->FinDeJeu; ++n)
                Executer(partie.p, AuHasard(*partie.j, hasard));
            Ordinateur expert(Niveau::Expert, graine);
            Ordinateur maitre(Niveau::Maitre, graine);
            expert.Choisir(*partie.j, partie.joueurs);
            maitre.Choisir(*partie.j, partie.joueurs);
            s.expert += expert.Essais();
            s.maitre += maitre.Essais();
        }
    }
    return s;
}
