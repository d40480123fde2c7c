// The rules' answer to "what may the team to play do now?" against what a double-click and the
// skip commands really accept, over states that seeded random games reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "enregistreur.h"
#include "rules/legales.h"
#include "tests/game/octets.h"
#include "tools/aleatoire/joueur_aleatoire.h"

namespace {

// What a double-click on the cell does to a copy of the game: refused (a stop box), or accepted,
// and then whether it announced a goal.
struct Effet {
    bool refuse = false;
    bool but = false;
};

// essai: a scratch game, set to the state of t first.
Effet Essayer(const PartieDeTest& t, PartieDeTest& essai, int c, int l) {
    essai.j->DefinirEtat(t.j->Etat());
    essai.joueurs = t.joueurs;
    essai.boites.clear();
    essai.Clic(c, l);
    Effet effet;
    for (const Boite& b : essai.boites) {
        effet.refuse |= b.icone == Icone::Arret;
        effet.but |= b.texte.rfind("But des", 0) == 0;
    }
    return effet;
}

bool PasserAccepte(const PartieDeTest& t, void (*commande)(const Partie&)) {
    PartieDeTest essai;
    essai.j->DefinirEtat(t.j->Etat());
    essai.joueurs = t.joueurs;
    const auto avant = Octets(*essai.j, essai.joueurs);
    commande(essai.p);
    const bool refuse = std::any_of(essai.boites.begin(), essai.boites.end(),
                                    [](const Boite& b) { return b.icone == Icone::Arret; });
    return !refuse && Octets(*essai.j, essai.joueurs) != avant;
}

void Comparer(const PartieDeTest& t) {
    PartieDeTest essai;
    ActionsLegales legales;
    ListerActionsLegales(*t.j, legales);
    for (int c = 0; c < NbColonnes; ++c) {
        for (int l = 0; l < NbLignes; ++l) {
            const auto fin = legales.Cases.begin() + legales.Nombre;
            const auto trouvee = std::find_if(legales.Cases.begin(), fin, [&](CaseJouable k) {
                return k.Colonne == c && k.Ligne == l;
            });
            const Effet effet = Essayer(t, essai, c, l);
            SCOPED_TRACE("case " + std::to_string(c) + "," + std::to_string(l));
            ASSERT_EQ(trouvee != fin, !effet.refuse && !t.j->FinDeJeu);
            if (trouvee != fin) {
                ASSERT_EQ(trouvee->But != 0, effet.but);
            }
        }
    }
    ASSERT_EQ(legales.PasserAction, PasserAccepte(t, RubriquePasserActionClick));
    ASSERT_EQ(legales.PasserTour, PasserAccepte(t, RubriquePasserTourClick));
}

TEST(ActionsLegales, CeQueLaListeDitEstCeQueLeDoubleClicFait) {
    int etats = 0, tirs = 0, buts = 0;
    for (unsigned graine = 1; graine <= 12; ++graine) {
        JoueurAleatoire joueur(graine);
        PartieDeTest t;
        for (int n = 0; n < 1500 && !t.j->FinDeJeu; ++n) {
            joueur.Evenement(t.p, t.vue);
            if (joueur.Entre(0, t.j->Action == acTir ? 3 : 39) != 0) continue;
            SCOPED_TRACE("graine " + std::to_string(graine) + ", evenement " + std::to_string(n));
            ASSERT_NO_FATAL_FAILURE(Comparer(t));
            ++etats;
            ActionsLegales l;
            ListerActionsLegales(*t.j, l);
            tirs += t.j->Action == acTir;
            buts += std::any_of(l.Cases.begin(), l.Cases.begin() + l.Nombre,
                                [](CaseJouable k) { return k.But != 0; });
        }
    }
    EXPECT_GT(etats, 200);
    EXPECT_GT(tirs, 40);
    EXPECT_GT(buts, 5);
}

// The rules' answers about the play against what the rules then do, over seeded random games of
// legal actions: an action ends the play exactly when what follows is a pawn to place or to
// choose, or the end of the game; the team named to play first once a placement phase is over is
// the one that does.
TEST(ActionsLegales, LaFinDuCoupEtLePremierAJouerSontCeQueFontLesRegles) {
    int fins = 0, phases = 0;
    for (unsigned graine = 1; graine <= 8; ++graine) {
        std::mt19937 hasard(graine);
        PartieDeTest t;
        int premier = -1;
        for (int n = 0; n < 3000 && !t.j->FinDeJeu; ++n) {
            SCOPED_TRACE("graine " + std::to_string(graine) + ", action " + std::to_string(n));
            ActionsLegales l;
            ListerActionsLegales(*t.j, l);
            const int k = static_cast<int>(hasard() % static_cast<unsigned>(l.Nombre + 2));
            ActionJoueur a{ActionJoueur::Genre::PasserAction, {}};
            if (k < l.Nombre)
                a = {ActionJoueur::Genre::Clic,
                     position(l.Cases[static_cast<std::size_t>(k)].Colonne,
                              l.Cases[static_cast<std::size_t>(k)].Ligne)};
            else if (k == l.Nombre + 1)
                a.genre = ActionJoueur::Genre::PasserTour;
            if (!l.PasserAction && a.genre != ActionJoueur::Genre::Clic) continue;
            if (t.j->Action == acPlacement) {
                const int p = PremierAJouer(*t.j, t.joueurs);
                ASSERT_TRUE(premier < 0 || premier == p);
                premier = p;
            }
            const bool fin = FinitLeCoup(*t.j, a);
            Executer(t.p, a);
            const int action = t.j->Action;
            ASSERT_EQ(fin, t.j->FinDeJeu || action == acPlacement || action == acDeplacement1);
            fins += fin;
            if (premier >= 0 && action != acPlacement && !t.j->FinDeJeu) {
                ASSERT_EQ(t.j->Equipe(), premier);
                premier = -1;
                ++phases;
            }
        }
    }
    EXPECT_GT(fins, 500);
    EXPECT_GT(phases, 10);
}

// A view that shows no text, as a look-ahead's: the rules make none for it, and play the same.
class VueSansTexte : public VueMemoire {
public:
    bool Muette() const override { return true; }
};

TEST(ActionsLegales, UneVueMuetteVoitLaMemePartie) {
    for (unsigned graine = 1; graine <= 4; ++graine) {
        std::mt19937 hasard(graine);
        PartieDeTest montree;
        VueSansTexte vue;
        jeu j;
        Equipes joueurs;
        const Partie muette{j, joueurs, vue};
        for (int n = 0; n < 2000 && !j.FinDeJeu; ++n) {
            ActionsLegales l;
            ListerActionsLegales(j, l);
            const auto k = hasard() % static_cast<unsigned>(l.Nombre + 1);
            ActionJoueur a{ActionJoueur::Genre::PasserAction, {}};
            if (k < static_cast<unsigned>(l.Nombre))
                a = {ActionJoueur::Genre::Clic, position(l.Cases[k].Colonne, l.Cases[k].Ligne)};
            Executer(montree.p, a);
            Executer(muette, a);
            ASSERT_EQ(Octets(j, joueurs), Octets(*montree.j, montree.joueurs)) << n;
        }
        EXPECT_TRUE(j.FinDeJeu);
        EXPECT_EQ(vue.Texte(Panneau::Score), Textes::PanneauxCreation[0]);
    }
}

TEST(ActionsLegales, LaCopieDEtatEstLeJeuSansSonHistorique) {
    JoueurAleatoire joueur(3);
    PartieDeTest t;
    for (int n = 0; n < 300; ++n) joueur.Evenement(t.p, t.vue);
    jeu copie;
    copie.DefinirEtat(t.j->Etat());
    const auto a = Octets(*t.j, t.joueurs);
    const auto b = Octets(copie, t.joueurs);
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 145, b.begin()));
}

} // namespace
