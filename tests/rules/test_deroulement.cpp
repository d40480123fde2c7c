// The turn engine: the course of a game, halves, goals, occupation points and the panels.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "enregistreur.h"
#include "rules/textes.h"

namespace {

struct Coup {
    int tour;
    int equipe;
};

// Plays every play as a pass (occupation counted, then the end of the play) and places the pawns
// of every half, until the game is over. Returns the plays in order.
std::vector<Coup> JouerJusquAuBout(PartieDeTest& t) {
    std::vector<Coup> coups;
    for (int garde = 0; !t.j->FinDeJeu && garde < 500; ++garde) {
        if (t.j->Action == acPlacement) {
            t.PlacerTous();
            continue;
        }
        coups.push_back({t.j->TourCourant, t.j->JoueurCourant});
        CompterOccupation(t.p);
        FinDeCoup(t.p);
    }
    return coups;
}

TEST(Deroulement, UnePartieDe40ToursSansBut) {
    PartieDeTest t;
    t.PlacerTous();
    EXPECT_EQ(t.vue.Panneaux[1], "1/40");
    EXPECT_EQ(t.j->JoueurCourant, Bleus);
    const auto coups = JouerJusquAuBout(t);
    ASSERT_EQ(coups.size(), 78u);
    // Turns 1 to 19: Bleus then Rouges; turn 20: Bleus alone.
    for (int n = 1; n <= 19; ++n) {
        EXPECT_EQ(coups[2 * (n - 1)].tour, n);
        EXPECT_EQ(coups[2 * (n - 1)].equipe, Bleus);
        EXPECT_EQ(coups[2 * (n - 1) + 1].equipe, Rouges);
    }
    EXPECT_EQ(coups[38].tour, 20);
    EXPECT_EQ(coups[38].equipe, Bleus);
    // Second half: Rouges first, turn 40 holds Rouges' play alone.
    EXPECT_EQ(coups[39].tour, 21);
    EXPECT_EQ(coups[39].equipe, Rouges);
    EXPECT_EQ(coups[40].equipe, Bleus);
    EXPECT_EQ(coups[77].tour, 40);
    EXPECT_EQ(coups[77].equipe, Rouges);
    EXPECT_EQ(t.j->FinDeJeu, 1);
    EXPECT_EQ(t.vue.Panneaux[1], "40/40");
    ASSERT_FALSE(t.boites.empty());
    EXPECT_EQ(t.boites.back().texte, "Fin de jeu");
    EXPECT_EQ(t.boites.back().titre, "Ovane");
    EXPECT_EQ(t.boites.back().icone, Icone::Information);
    EXPECT_EQ(t.boites.size(), 1u);
}

TEST(Deroulement, LaMiTempsApresLeCoupDesBleusAuTour20) {
    PartieDeTest t;
    t.PlacerTous();
    while (!(t.j->TourCourant == 20 && t.j->JoueurCourant == Bleus)) {
        CompterOccupation(t.p);
        FinDeCoup(t.p);
    }
    EXPECT_EQ(t.vue.Panneaux[1], "20/40");
    CompterOccupation(t.p);
    FinDeCoup(t.p);
    EXPECT_EQ(t.vue.Panneaux[1], "21/40");
    EXPECT_EQ(t.vue.Panneaux[4], "Rouges");
    EXPECT_EQ(t.vue.Panneaux[2], "Placement");
    EXPECT_EQ(t.vue.Panneaux[5], "0:00");
    EXPECT_EQ(t.j->Action, acPlacement);
    EXPECT_EQ(t.joueurs[Bleus].NbPionsPlaces, 0);
    EXPECT_EQ(t.joueurs[Bleus].NbCoups, t.joueurs[Rouges].NbCoups);
}

TEST(Deroulement, LesMiTempsDe20EtDe60Tours) {
    for (const int tours : {20, 60}) {
        PartieDeTest t;
        t.j->NbTours = tours;
        t.PlacerTous();
        std::vector<int> placements;
        for (int garde = 0; !t.j->FinDeJeu && garde < 500; ++garde) {
            if (t.j->Action == acPlacement) {
                placements.push_back(t.j->TourCourant);
                t.PlacerTous();
            }
            CompterOccupation(t.p);
            FinDeCoup(t.p);
        }
        EXPECT_EQ(placements, std::vector<int>{tours / 2 + 1});
        EXPECT_EQ(t.j->TourCourant, tours);
    }
}

TEST(Deroulement, LeTourNAvancePasPendantLePlacement) {
    PartieDeTest t;
    for (int i = 0; i < 11; ++i) {
        t.PlacerTous();
        EXPECT_EQ(t.j->TourCourant, 1);
    }
    EXPECT_EQ(t.joueurs[Bleus].NbCoups, 6);
    EXPECT_EQ(t.joueurs[Rouges].NbCoups, 6);
}

TEST(Deroulement, PointsDOccupation) {
    PartieDeTest t;
    t.j->LignePalet = 7;
    CompterOccupation(t.p);
    EXPECT_EQ(t.joueurs[Bleus].Occupation, 7);
    EXPECT_EQ(t.joueurs[Rouges].Occupation, 3);
    t.j->LignePalet = 5;
    CompterOccupation(t.p);
    EXPECT_EQ(t.joueurs[Bleus].Occupation, 12);
    EXPECT_EQ(t.joueurs[Rouges].Occupation, 8);
    t.j->But = 2;
    CompterOccupation(t.p);
    EXPECT_EQ(t.joueurs[Bleus].Occupation, 12);
    EXPECT_EQ(t.joueurs[Rouges].Occupation, 18);
    EXPECT_EQ(t.vue.MaximumJauge, 30);
    EXPECT_EQ(t.vue.ProgressionJauge, 18);
    EXPECT_EQ(t.vue.BulleJauge, "Occupation : Bleus 40.0% - 60.0% Rouges");
}

TEST(Deroulement, LaJaugeApresLePremierCoup) {
    PartieDeTest t;
    t.j->LignePalet = 6;
    CompterOccupation(t.p);
    EXPECT_EQ(t.vue.MaximumJauge, 10);
    EXPECT_EQ(t.vue.ProgressionJauge, 4);
    EXPECT_EQ(t.vue.BulleJauge, "Occupation : Bleus 60.0% - 40.0% Rouges");
}

// A toolkit calls setlocale(LC_ALL, ""); under a French locale printf writes a comma.
TEST(Deroulement, LaBulleDeLaJaugeGardeLePointEnFrancais) {
    const std::string avant = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr)
        << "the fr_FR.UTF-8 locale is missing: the test scripts generate it";
    char virgule[16];
    std::snprintf(virgule, sizeof virgule, "%3.1f", 56.666);
    EXPECT_STREQ(virgule, "56,7");
    const std::string bulle = TexteOccupation(17, 13);
    std::setlocale(LC_ALL, avant.c_str());
    EXPECT_EQ(bulle, "Occupation : Bleus 56.7% - 43.3% Rouges");
}

TEST(Deroulement, MarquerBut) {
    PartieDeTest t;
    t.joueurs[Bleus].Buts = 1;
    t.joueurs[Rouges].Buts = 1;
    MarquerBut(t.p, Rouges);
    EXPECT_EQ(t.vue.Panneaux[0], "Bleus 1-2 Rouges");
    EXPECT_EQ(t.joueurs[Rouges].Buts, 2);
}

TEST(Deroulement, AfficherEtatApresUneNouvellePartie) {
    PartieDeTest t;
    t.j->LignePalet = 3;
    CompterOccupation(t.p);
    t.vue.Panneaux.fill("x");
    t.j->NbTours = 60;
    RubriqueNouvelleClick(t.p);
    const std::array<std::string, 6> attendus = {"Bleus 0-0 Rouges", "1/60",  "Placement",
                                                 "Pion n°1",         "Bleus", "0:00"};
    EXPECT_EQ(t.vue.Panneaux, attendus);
    EXPECT_EQ(t.vue.BulleJauge, "Occupation");
    EXPECT_EQ(t.vue.MaximumJauge, 100);
    EXPECT_EQ(t.vue.ProgressionJauge, 50);
    EXPECT_EQ(t.vue.Curseur, 1);
    EXPECT_FALSE(t.vue.Horloge);
}

TEST(Deroulement, AfficherEtatReprendLeTempsRestant) {
    PartieDeTest t;
    t.j->Action = acDeplacement1;
    t.j->TempsRestant = 12400;
    AfficherEtat(t.p);
    EXPECT_EQ(t.vue.Panneaux[5], "0:12");
    EXPECT_TRUE(t.vue.Horloge);
    EXPECT_EQ(t.vue.Curseur, 2);
    EXPECT_EQ(t.vue.Panneaux[3], "Pion à déplacer");
    TimerTempsTimer(t.p);
    EXPECT_EQ(t.j->TempsRestant, 12200u);
    EXPECT_EQ(t.vue.Panneaux[5], "0:12");
}

TEST(Deroulement, ApresLeDernierPionLaPartieSeJoueEnTemps) {
    PartieDeTest t;
    t.PlacerTous();
    EXPECT_EQ(t.vue.Panneaux[2], "Déplacement");
    EXPECT_EQ(t.vue.Panneaux[3], "Pion à déplacer");
    EXPECT_EQ(t.vue.Curseur, 2);
    EXPECT_TRUE(t.vue.Horloge);
    EXPECT_EQ(t.j->TempsRestant, 60000u);
}

TEST(Deroulement, TexteDuTemps) {
    EXPECT_EQ(TexteTemps(59800), "0:59");
    EXPECT_EQ(TexteTemps(60000), "1:00");
    EXPECT_EQ(TexteTemps(1000), "0:01");
    EXPECT_EQ(TexteTemps(800), "0:00");
    EXPECT_EQ(TexteTemps(200), "0:00");
    EXPECT_EQ(TexteTemps(89800), "1:29");
}

} // namespace

namespace {

// Sets up a scoring shot for the team to play and takes it: Bleus from (4, 5) on a puck-pawn
// at (4, 8), Rouges from (4, 4) on a puck-pawn at (4, 2).
void Marquer(PartieDeTest& t) {
    const bool bleus = t.j->JoueurCourant == Bleus;
    PoserPlateau(*t.j, 4, bleus ? 8 : 2,
                 {{bleus ? position(4, 5) : position(4, 4), bleus ? 0 : 1}});
    t.j->Action = acTir;
    t.j->ColonnePionDeplace = t.j->LignePionDeplace = -1;
    t.Clic(4, bleus ? 5 : 4);
}

TEST(Deroulement, UnePartieDe40ToursAvecDesButs) {
    PartieDeTest t;
    std::vector<std::string> buts;
    std::vector<std::pair<int, int>>
        premiers; // (turn, team) of the first play after each placement
    bool apresPlacement = true;
    for (int garde = 0; !t.j->FinDeJeu && garde < 500; ++garde) {
        if (t.j->Action == acPlacement) {
            t.PlacerTous();
            apresPlacement = true;
            continue;
        }
        if (apresPlacement) premiers.emplace_back(t.j->TourCourant, t.j->JoueurCourant);
        apresPlacement = false;
        const int tour = t.j->TourCourant;
        const bool rouges = t.j->JoueurCourant == Rouges;
        // Rouges score in turn 5; Bleus score with the first play of turn 20, ending the half;
        // Rouges score with the last play of the game.
        if ((tour == 5 && rouges) || (tour == 20 && !rouges) || tour == 40) {
            Marquer(t);
            buts.push_back(t.boites.back().texte);
        } else {
            RubriquePasserTourClick(t.p);
        }
    }
    EXPECT_EQ(buts, (std::vector<std::string>{"But des Rouges !!!", "But des Bleus !!!",
                                              "But des Rouges !!!"}));
    // Kick-offs: Bleus after Rouges' goal (turn 6), Rouges after Bleus' goal ending the half.
    const std::vector<std::pair<int, int>> attendus = {{1, Bleus}, {6, Bleus}, {21, Rouges}};
    EXPECT_EQ(premiers, attendus);
    EXPECT_EQ(t.j->FinDeJeu, 1);
    EXPECT_EQ(t.j->TourCourant, 40);
    EXPECT_EQ(t.vue.Panneaux[0], "Bleus 1-2 Rouges");
    // A game that ends on a goal shows no "Fin de jeu".
    EXPECT_EQ(t.boites.back().texte, "But des Rouges !!!");
    EXPECT_EQ(std::count(t.j->Cases.begin(), t.j->Cases.end(), CasePalet), 0);
}

} // namespace
