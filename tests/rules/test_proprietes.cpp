// Seeded random games through the real rules: the record's invariants hold after every event,
// and a game saved at any moment loads back to the same bytes and the same display.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "enregistreur.h"
#include "rules/geometrie.h"
#include "tests/dossier_temporaire.h"
#include "tests/game/octets.h"
#include "tools/aleatoire/joueur_aleatoire.h"

namespace {

void VerifierInvariants(const PartieDeTest& t, bool parametresFixes) {
    const jeu& j = *t.j;
    const auto palets = std::count(j.Cases.begin(), j.Cases.end(), CasePalet);
    if (j.FinDeJeu && j.But != 0) {
        ASSERT_EQ(palets, 0);
    } else {
        ASSERT_EQ(palets, 1);
        ASSERT_EQ(j.Case(j.ColonnePalet, j.LignePalet), CasePalet);
        ASSERT_GE(j.LignePalet, 1);
        ASSERT_LE(j.LignePalet, 9);
    }
    for (int e = 0; e < 2; ++e) {
        const auto pions = std::count(j.Cases.begin(), j.Cases.end(), e + 1);
        ASSERT_LE(pions, MaxPions);
        ASSERT_LE(t.joueurs[e].NbPionsPlaces, MaxPions);
        if (parametresFixes) {
            ASSERT_LE(pions, j.NbPions);
            ASSERT_LE(t.joueurs[e].NbPionsPlaces, j.NbPions);
        }
    }
    ASSERT_GE(j.TourCourant, 1);
    ASSERT_LE(j.TourCourant, MaxTours);
    if (parametresFixes) {
        ASSERT_LE(j.TourCourant, j.NbTours);
    }
    ASSERT_LE(std::abs(t.joueurs[0].NbCoups - t.joueurs[1].NbCoups), 1);
    if (j.ColonnePionDeplace != -1) {
        ASSERT_EQ(j.Case(j.ColonnePionDeplace, j.LignePionDeplace), j.JoueurCourant + 1);
    }
    ASSERT_TRUE(PartieValide(j, t.joueurs));
}

struct Proprietes : ::testing::TestWithParam<bool> {
    DossierTemporaire dossier;

    void VerifierRelecture(const PartieDeTest& t, bool apresTic) {
        const std::string chemin = (dossier / "p.ovn").string();
        ASSERT_EQ(SauvegarderPartie(chemin, *t.j, t.joueurs), Sauvegarde::Reussie);
        PartieDeTest relue;
        ASSERT_TRUE(OuvrirPartie(relue.p, chemin, false));
        ASSERT_EQ(Octets(*relue.j, relue.joueurs), Octets(*t.j, t.joueurs));
        // The time panel keeps its last text until a new play's first tick; the rest is state.
        for (int i = 0; i < (apresTic ? 6 : 5); ++i)
            ASSERT_EQ(relue.vue.Panneaux[i], t.vue.Panneaux[i]) << "panneau " << i;
        ASSERT_EQ(relue.vue.MaximumJauge, t.vue.MaximumJauge);
        ASSERT_EQ(relue.vue.ProgressionJauge, t.vue.ProgressionJauge);
        ASSERT_EQ(relue.vue.BulleJauge, t.vue.BulleJauge);
        ASSERT_EQ(relue.vue.Curseur, t.vue.Curseur);
    }
};

TEST_P(Proprietes, PartiesAleatoires) {
    const bool changerParametres = GetParam();
    int buts = 0, finies = 0, relectures = 0, miTemps = 0;
    for (unsigned graine = 1; graine <= 40; ++graine) {
        JoueurAleatoire joueur(graine);
        PartieDeTest t;
        AppliquerParametres(t.p, joueur.Entre(5, 7), 20 * joueur.Entre(1, 2), 30000);
        for (int n = 0; n < 6000 && !t.j->FinDeJeu; ++n) {
            const int tour = t.j->TourCourant;
            // After an expiry the new play's time panel keeps the old text until its first tick.
            const bool tic = joueur.Evenement(t.p, t.vue) == JoueurAleatoire::Genre::Tic;
            if (changerParametres && joueur.Entre(0, 199) == 0)
                AppliquerParametres(t.p, joueur.Entre(5, 7), 20 * joueur.Entre(1, 3),
                                    30000u * static_cast<unsigned>(joueur.Entre(1, 3)));
            SCOPED_TRACE("graine " + std::to_string(graine) + ", evenement " + std::to_string(n));
            ASSERT_NO_FATAL_FAILURE(VerifierInvariants(t, !changerParametres));
            if (t.j->TourCourant != tour) {
                ASSERT_EQ(t.joueurs[0].NbCoups, t.joueurs[1].NbCoups);
                miTemps += t.j->Action == acPlacement;
            }
            if (joueur.Entre(0, 99) == 0) {
                ASSERT_NO_FATAL_FAILURE(VerifierRelecture(t, tic));
                ++relectures;
            }
        }
        buts += t.joueurs[0].Buts + t.joueurs[1].Buts;
        finies += t.j->FinDeJeu;
    }
    // The games must really go through halves, goals and endings for the checks to mean much.
    EXPECT_GT(buts, 10);
    EXPECT_GT(miTemps, 20);
    EXPECT_GT(finies, 30);
    EXPECT_GT(relectures, 100);
}

INSTANTIATE_TEST_SUITE_P(Parametres, Proprietes, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Changes" : "Fixes"; });

} // namespace
