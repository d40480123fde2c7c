// Seeded random games through the real rules: the record's invariants hold after every event,
// a game saved at any moment loads back to the same bytes and the same display, and a saved game
// with one value changed is either refused or plays on to its end keeping them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        ASSERT_EQ(pions, t.joueurs[e].NbPionsPlaces);
        ASSERT_LE(pions, MaxPions);
        ASSERT_LE(t.joueurs[e].Occupation, 1000000);
        ASSERT_LE(t.joueurs[e].Buts, 1000000);
        ASSERT_LE(t.joueurs[e].NbCoups, 1000000);
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
    // The team to play has not handed over more often than the other.
    const int retard = t.joueurs[j.JoueurCourant ^ 1].NbCoups - t.joueurs[j.JoueurCourant].NbCoups;
    ASSERT_TRUE(retard == 0 || retard == 1) << retard;
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

// The fields of a saved game, by offset and width: the game record's thirteen, then the four of
// each team.
struct Champ {
    std::size_t offset;
    std::size_t taille;
};

std::vector<Champ> ChampsDuFichier() {
    std::vector<Champ> champs;
    for (std::size_t o = 0; o < 36; o += 4) champs.push_back({o, 4});
    champs.insert(champs.end(), {{36, 1}, {37, 4}, {41, 4}, {45, 1}});
    for (std::size_t o = TailleJeu; o < TaillePartie; o += 4) champs.push_back({o, 4});
    return champs;
}

// A value near what the field holds, at an edge of what the loader takes, or anything.
std::int64_t ValeurAlteree(JoueurAleatoire& hasard, std::int64_t actuelle) {
    switch (hasard.Entre(0, 5)) {
    case 0:
        return actuelle + hasard.Entre(-2, 2);
    case 1:
        return hasard.Entre(-1, 8);
    case 2:
        return hasard.Entre(0, 130);
    case 3:
        return 1000000 - hasard.Entre(0, 2500);
    case 4:
        return hasard.Entre(0, 1) ? 2147483647 : -2147483647 - 1;
    default:
        return static_cast<std::int64_t>(hasard.Entre(0, 0xFFFF)) * 0x10001;
    }
}

// Changes one field or one board byte.
void Alterer(std::vector<std::uint8_t>& octets, JoueurAleatoire& hasard) {
    static const std::vector<Champ> champs = ChampsDuFichier();
    if (hasard.Entre(0, 2) == 0) {
        const std::uint8_t valeurs[] = {CaseVide, CasePalet, 1, 2};
        const int i = hasard.Entre(0, NbCases - 1);
        octets[46 + static_cast<std::size_t>(i)] = valeurs[hasard.Entre(0, 3)];
        return;
    }
    const int n = static_cast<int>(champs.size());
    const Champ c = champs[static_cast<std::size_t>(hasard.Entre(0, n - 1))];
    const std::int64_t actuelle =
        c.taille == 1 ? static_cast<std::int8_t>(octets[c.offset]) : EntierA(octets, c.offset);
    const auto valeur = static_cast<std::uint64_t>(ValeurAlteree(hasard, actuelle));
    for (std::size_t i = 0; i < c.taille; ++i)
        octets[c.offset + i] = static_cast<std::uint8_t>(valeur >> (8 * i));
}

// Random events, the parameters sometimes changed, until the game ends or n events.
void Jouer(PartieDeTest& t, JoueurAleatoire& joueur, int n, bool verifier) {
    for (int i = 0; i < n && !t.j->FinDeJeu; ++i) {
        joueur.Evenement(t.p, t.vue);
        if (joueur.Entre(0, 199) == 0)
            AppliquerParametres(t.p, joueur.Entre(5, 7), 20 * joueur.Entre(1, 3),
                                30000u * static_cast<unsigned>(joueur.Entre(1, 3)));
        if (verifier) {
            ASSERT_NO_FATAL_FAILURE(VerifierInvariants(t, false)) << "evenement " << i;
        }
    }
}

// Some of the reachable states also seed the loader's fuzzer, when the test run asks for them.
void GarderGraine(const std::vector<std::uint8_t>& octets, unsigned graine) {
    const char* dossier = std::getenv("OVANE_GRAINES");
    if (!dossier) return;
    std::filesystem::create_directories(dossier);
    std::ofstream(std::filesystem::path(dossier) / ("etat-" + std::to_string(graine) + ".ovn"),
                  std::ios::binary)
        .write(reinterpret_cast<const char*>(octets.data()),
               static_cast<std::streamsize>(octets.size()));
}

TEST(Alterations, UnEtatModifieEstRefuseOuJoueJusquAuBout) {
    int refuses = 0, rejoues = 0;
    for (unsigned graine = 1; graine <= 1000; ++graine) {
        SCOPED_TRACE("graine " + std::to_string(graine));
        JoueurAleatoire joueur(graine);
        PartieDeTest depart;
        AppliquerParametres(depart.p, joueur.Entre(5, 7), 20 * joueur.Entre(1, 3), 30000);
        ASSERT_NO_FATAL_FAILURE(Jouer(depart, joueur, joueur.Entre(0, 800), false));
        auto octets = Octets(*depart.j, depart.joueurs);
        if (graine % 10 == 0) GarderGraine(octets, graine);
        Alterer(octets, joueur);
        PartieDeTest t;
        if (ChargerPartie(octets.data(), octets.size(), *t.j, t.joueurs) != Chargement::Reussi) {
            ++refuses;
            continue;
        }
        AfficherEtat(t.p);
        ASSERT_NO_FATAL_FAILURE(Jouer(t, joueur, 100000, true));
        ASSERT_TRUE(t.j->FinDeJeu) << "tour " << t.j->TourCourant;
        ++rejoues;
    }
    EXPECT_GT(refuses, 300);
    EXPECT_GT(rejoues, 150);
}

} // namespace
