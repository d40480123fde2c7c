// The game record's construction, resets and recording steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "game/jeu.h"

namespace {

struct Fixture : ::testing::Test {
    std::unique_ptr<jeu> j = std::make_unique<jeu>();
    Equipes joueurs;
};

int CompterCases(const jeu& j, std::uint8_t valeur) {
    return static_cast<int>(std::count(j.Cases.begin(), j.Cases.end(), valeur));
}

bool HistoriqueVide(const jeu& j) {
    return std::all_of(j.Coups.begin(), j.Coups.end(), [](const tour& t) {
        return std::all_of(t.Placement.begin(), t.Placement.end(),
                           [](const position& p) { return p.Vide(); }) &&
               t.Deplacement[0].Vide() && t.Deplacement[1].Vide() && t.Tir.Vide();
    });
}

using Jeu = Fixture;

TEST_F(Jeu, ConstructionDonneLaPartieDeDemarrage) {
    EXPECT_EQ(j->NbPions, 6);
    EXPECT_EQ(j->NbTours, 40);
    EXPECT_EQ(j->TourCourant, 1);
    EXPECT_EQ(j->MaxTemps, 60000u);
    EXPECT_EQ(j->TempsRestant, 0u);
    EXPECT_EQ(j->JoueurCourant, 0);
    EXPECT_EQ(j->Action, acPlacement);
    EXPECT_EQ(j->ColonnePionDeplace, -1);
    EXPECT_EQ(CompterCases(*j, CaseVide), 98);
    EXPECT_EQ(j->Cases[49], CasePalet);
    EXPECT_TRUE(HistoriqueVide(*j));
    for (const joueur& e : joueurs) {
        EXPECT_EQ(e.NbCoups, 0);
        EXPECT_EQ(e.Occupation, 0);
    }
}

TEST_F(Jeu, ReinitialiserVideLePlateauMaisGardeLeTourEtLHistorique) {
    j->TourCourant = 7;
    j->JoueurCourant = 1;
    j->Action = acTir;
    j->But = 2;
    j->TempsRestant = 4000;
    j->PlacerPion(joueurs, 2, 7);
    j->ChoisirPion(2, 7);
    joueurs[Rouges].Buts = 3;
    j->Reinitialiser();
    EXPECT_EQ(CompterCases(*j, CaseVide), 98);
    EXPECT_EQ(j->Case(4, 5), CasePalet);
    EXPECT_EQ(j->Action, acPlacement);
    EXPECT_EQ(j->But, 0);
    EXPECT_EQ(j->TempsRestant, 0u);
    EXPECT_EQ(j->LignePionDeplace, -1);
    EXPECT_EQ(j->TourCourant, 7);
    EXPECT_EQ(j->JoueurCourant, 1);
    EXPECT_EQ(joueurs[Rouges].Buts, 3);
    EXPECT_EQ(j->Coups[13].Placement[0], position(2, 7));
}

TEST_F(Jeu, PlacementDuTroisiemePionRouge) {
    j->JoueurCourant = Rouges;
    joueurs[Rouges].NbPionsPlaces = 2;
    j->PlacerPion(joueurs, 2, 7);
    EXPECT_EQ(j->Cases[29], 2);
    EXPECT_EQ(j->Coups[1].Placement[2], position(2, 7));
    EXPECT_EQ(joueurs[Rouges].NbPionsPlaces, 3);
    EXPECT_EQ(joueurs[Bleus].NbPionsPlaces, 0);
}

TEST_F(Jeu, DeplacementPuisTirSansBut) {
    j->Case(4, 2) = 1;
    j->ChoisirPion(4, 2);
    j->DeplacerPion(4, 3);
    EXPECT_EQ(j->Case(4, 2), CaseVide);
    EXPECT_EQ(j->Case(4, 3), 1);
    EXPECT_EQ(j->ColonnePionDeplace, 4);
    EXPECT_EQ(j->LignePionDeplace, 3);
    EXPECT_EQ(j->Coups[0].Deplacement[0], position(4, 2));
    EXPECT_EQ(j->Coups[0].Deplacement[1], position(4, 3));
    j->DeplacerPalet(4, 3, 4, 7);
    EXPECT_EQ(j->Case(4, 3), CaseVide);
    EXPECT_EQ(j->Case(4, 5), 1);
    EXPECT_EQ(j->Case(4, 7), CasePalet);
    EXPECT_EQ(j->ColonnePalet, 4);
    EXPECT_EQ(j->LignePalet, 7);
    EXPECT_EQ(j->Coups[0].Tir, position(4, 3));
}

TEST_F(Jeu, UnTirQuiMarqueLaisseLePaletHorsDuPlateau) {
    j->Case(4, 7) = 1;
    j->ColonnePalet = 4;
    j->LignePalet = 8;
    j->Case(4, 5) = CaseVide;
    j->Case(4, 8) = CasePalet;
    j->But = 1;
    j->DeplacerPalet(4, 7, 4, 9);
    EXPECT_EQ(CompterCases(*j, CasePalet), 0);
    EXPECT_EQ(j->Case(4, 8), 1);
    EXPECT_EQ(j->LignePalet, 8);
    EXPECT_EQ(j->Coups[0].Tir, position(4, 7));
}

TEST(Position, TexteCase) {
    char texte[4];
    position(8, 10).TexteCase(texte);
    EXPECT_STREQ(texte, "8X ");
    position(0, 0).TexteCase(texte);
    EXPECT_STREQ(texte, "00 ");
    position(3, 5).TexteCase(texte);
    EXPECT_STREQ(texte, "35 ");
}

TEST_F(Jeu, NouvellePartieRemetLesCompteursAZeroEnCoursDeTour) {
    joueurs[Bleus].Buts = 3;
    joueurs[Rouges].Buts = 2;
    joueurs[Bleus].NbCoups = 31;
    joueurs[Rouges].NbCoups = 30;
    joueurs[Rouges].Occupation = 120;
    j->NbPions = 7;
    j->NbTours = 20;
    j->MaxTemps = 30000;
    j->TourCourant = 12;
    j->FinDeJeu = 1;
    j->JoueurCourant = 1;
    j->PlacerPion(joueurs, 1, 7);
    j->NouvellePartie(joueurs);
    for (const joueur& e : joueurs) {
        EXPECT_EQ(e.Buts, 0);
        EXPECT_EQ(e.NbCoups, 0);
        EXPECT_EQ(e.Occupation, 0);
        EXPECT_EQ(e.NbPionsPlaces, 0);
    }
    EXPECT_EQ(j->TourCourant, 1);
    EXPECT_EQ(j->JoueurCourant, 0);
    EXPECT_EQ(j->FinDeJeu, 0);
    EXPECT_TRUE(HistoriqueVide(*j));
    EXPECT_EQ(j->NbPions, 7);
    EXPECT_EQ(j->NbTours, 20);
    EXPECT_EQ(j->MaxTemps, 30000u);
}

TEST_F(Jeu, LeDernierEnregistrementEstCeluiDesRougesAuTour60) {
    j->NbTours = 60;
    j->TourCourant = 60;
    j->JoueurCourant = Rouges;
    EXPECT_EQ(&j->CoupCourant(), &j->Coups[119]);
}

} // namespace
