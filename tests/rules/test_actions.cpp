// The player actions: each check in its order with its message, and what a success changes.
#include <gtest/gtest.h>

#include "enregistreur.h"
#include "tests/game/octets.h"

namespace {

struct Actions : ::testing::Test {
    PartieDeTest t;

    // Puts the game in the given action for team equipe, on a board holding only the puck-pawn
    // at (pc, pl) and the given pawns; both placement phases done.
    void Preparer(int action, int equipe, int pc, int pl,
                  const std::vector<std::pair<position, int>>& pions) {
        PoserPlateau(*t.j, pc, pl, pions);
        t.j->Action = static_cast<std::int8_t>(action);
        t.j->JoueurCourant = static_cast<std::int8_t>(equipe);
        t.joueurs[Bleus].NbPionsPlaces = t.joueurs[Rouges].NbPionsPlaces = 6;
        t.joueurs[Bleus].NbCoups = t.joueurs[Rouges].NbCoups = 6;
    }

    // Expects the click to be refused with this text and to change nothing but the goal flag.
    void Refuse(int c, int l, const std::string& texte, const std::string& titre) {
        const auto avant = Octets(*t.j, t.joueurs);
        const std::size_t n = t.boites.size();
        t.Clic(c, l);
        ASSERT_EQ(t.boites.size(), n + 1) << "no message for " << c << "," << l;
        EXPECT_EQ(t.boites.back().texte, texte);
        EXPECT_EQ(t.boites.back().titre, titre);
        EXPECT_EQ(t.boites.back().icone, Icone::Arret);
        EXPECT_EQ(Octets(*t.j, t.joueurs), avant);
    }
};

TEST_F(Actions, PlacementDansSonCampSeulement) {
    Refuse(4, 0, Textes::HorsCamp, "Placement");
    Refuse(4, 5, Textes::HorsCamp, "Placement");
    Refuse(4, 6, Textes::HorsCamp, "Placement");
    t.Clic(0, 1);
    EXPECT_EQ(t.j->Case(0, 1), 1);
    Refuse(0, 1, Textes::HorsCamp, "Placement");
    Refuse(3, 5, Textes::HorsCamp, "Placement");
    Refuse(3, 10, Textes::HorsCamp, "Placement");
    t.Clic(8, 9);
    t.Clic(8, 4);
    EXPECT_EQ(t.j->Case(8, 4), 1);
    t.Clic(0, 6);
    Refuse(8, 4, Textes::CaseOccupee, "Placement");
}

TEST_F(Actions, DouzePlacementsAlternes) {
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(t.vue.Panneaux[4], "Bleus");
        t.Clic(n, 1);
        EXPECT_EQ(t.vue.Panneaux[3], TextePion(n + 1));
        EXPECT_EQ(t.vue.Panneaux[4], "Rouges");
        t.Clic(n, 9);
        if (n < 5) {
            EXPECT_EQ(t.vue.Panneaux[3], TextePion(n + 2));
        }
        EXPECT_EQ(t.vue.Panneaux[5], "0:00");
        EXPECT_FALSE(n < 5 && t.vue.Horloge);
    }
    EXPECT_EQ(t.j->Action, acDeplacement1);
    EXPECT_EQ(t.j->JoueurCourant, Bleus);
    EXPECT_EQ(t.j->Coups[0].Placement[5], position(5, 1));
    EXPECT_EQ(t.j->Coups[1].Placement[5], position(5, 9));
    EXPECT_TRUE(t.j->Coups[0].Placement[6].Vide());
    EXPECT_TRUE(t.boites.empty());
}

TEST_F(Actions, ChoixDuPionDeSonEquipe) {
    Preparer(acDeplacement1, Bleus, 4, 5, {{{2, 2}, Bleus}, {{2, 8}, Rouges}});
    Refuse(4, 5, "Vous devez choisir un pion bleu !", "Déplacement");
    Refuse(0, 0, "Vous devez choisir un pion bleu !", "Déplacement");
    Refuse(2, 8, "Vous devez choisir un pion bleu !", "Déplacement");
    t.Clic(2, 2);
    EXPECT_EQ(t.j->Action, acDeplacement2);
    EXPECT_EQ(t.j->ColonnePionDeplace, 2);
    EXPECT_EQ(t.j->Coups[0].Deplacement[0], position(2, 2));
    EXPECT_EQ(t.vue.Panneaux[3], "Destination");
    EXPECT_EQ(t.vue.Curseur, 3);
    t.j->Action = acDeplacement1;
    t.j->JoueurCourant = Rouges;
    Refuse(2, 2, "Vous devez choisir un pion rouge !", "Déplacement");
}

TEST_F(Actions, DestinationsInterditesDesBleus) {
    Preparer(acDeplacement1, Bleus, 4, 5, {{{1, 1}, Bleus}, {{5, 1}, Bleus}, {{2, 8}, Bleus}});
    t.Clic(1, 1);
    t.Clic(0, 0);
    EXPECT_EQ(t.j->Case(0, 0), 1);
    EXPECT_EQ(t.j->Action, acTir);

    Preparer(acDeplacement1, Bleus, 4, 5, {{{5, 1}, Bleus}, {{7, 1}, Bleus}, {{2, 8}, Bleus}});
    t.Clic(7, 1);
    t.Clic(8, 0);
    EXPECT_EQ(t.j->Case(8, 0), 1);

    Preparer(acDeplacement1, Bleus, 4, 5, {{{4, 1}, Bleus}, {{2, 8}, Bleus}});
    t.Clic(4, 1);
    Refuse(3, 0, Textes::ZoneDeBut, "Déplacement");
    Refuse(4, 0, Textes::ZoneDeBut, "Déplacement");
    t.j->ChoisirPion(2, 8);
    Refuse(2, 10, Textes::ZoneAdverse, "Déplacement");
    Refuse(4, 10, Textes::ZoneAdverse, "Déplacement");
}

TEST_F(Actions, LOrdreDesControlesDeLaDestination) {
    Preparer(acDeplacement1, Bleus, 4, 5,
             {{{4, 6}, Bleus}, {{4, 10}, Rouges}, {{3, 3}, Bleus}, {{5, 7}, Rouges}});
    t.Clic(4, 6);
    Refuse(4, 6, Textes::CaseLibre, "Déplacement");  // the chosen pawn itself
    Refuse(4, 10, Textes::CaseLibre, "Déplacement"); // occupied, in the opponent's end row
    t.j->Case(4, 10) = CaseVide;
    t.j->ChoisirPion(3, 3);
    Refuse(3, 10, Textes::ZoneAdverse, "Déplacement"); // seven rows away: zone first
    Refuse(6, 5, Textes::Direction, "Déplacement");    // offset (3, 2)
    Refuse(7, 4, Textes::TropLoin, "Déplacement");     // offset (4, 1)
    Refuse(3, 7, Textes::TropLoin, "Déplacement");
    t.j->Case(4, 4) = 2;
    Refuse(6, 5 - 0, Textes::Direction, "Déplacement");
    Refuse(5, 5, Textes::PionTrajectoire, "Déplacement"); // diagonal through (4, 4)
    t.Clic(2, 4);                                         // one cell: never a path
    EXPECT_EQ(t.j->Action, acTir);
    EXPECT_EQ(t.j->Case(3, 3), CaseVide);
    EXPECT_EQ(t.j->Case(2, 4), 1);
    EXPECT_EQ(t.vue.Panneaux[2], "Tir");
    EXPECT_EQ(t.vue.Panneaux[3], "Pion-tireur");
    EXPECT_EQ(t.j->Coups[0].Deplacement[1], position(2, 4));
}

TEST_F(Actions, LeTireurVientDEtreDeplace) {
    Preparer(acDeplacement1, Bleus, 4, 5, {{{4, 2}, Bleus}, {{8, 1}, Bleus}});
    t.Clic(4, 2);
    t.Clic(4, 3);
    Refuse(4, 3, Textes::TireurDeplace, "Tir");
    Refuse(8, 1, Textes::TireurLoin, "Tir");
    Refuse(4, 5, "Vous devez choisir un pion bleu !", "Tir");
}

TEST_F(Actions, ApresPasserLActionToutPionPeutTirer) {
    Preparer(acDeplacement1, Bleus, 4, 5, {{{4, 3}, Bleus}});
    t.Clic(4, 3);
    RubriquePasserActionClick(t.p);
    EXPECT_EQ(t.j->ColonnePionDeplace, -1);
    EXPECT_EQ(t.j->Action, acTir);
    t.Clic(4, 3);
    EXPECT_EQ(t.j->Case(4, 7), CasePalet);
    EXPECT_EQ(t.j->Case(4, 5), 1);
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    EXPECT_EQ(t.j->Coups[0].Deplacement[0], position(4, 3));
    EXPECT_TRUE(t.j->Coups[0].Deplacement[1].Vide());
}

TEST_F(Actions, TirEnArriereSelonLEquipe) {
    Preparer(acTir, Rouges, 4, 5, {{{4, 3}, Rouges}, {{2, 5}, Rouges}});
    Refuse(4, 3, Textes::TirArriere, "Tir");
    t.Clic(2, 5); // along the row
    EXPECT_EQ(t.j->Case(6, 5), CasePalet);
    EXPECT_EQ(t.j->Case(4, 5), 2);
}

TEST_F(Actions, UnTirEnBiaisSauteLesPions) {
    Preparer(acTir, Bleus, 4, 5,
             {{{3, 3}, Bleus}, {{3, 4}, Rouges}, {{4, 4}, Rouges}, {{4, 6}, Rouges}});
    t.Clic(3, 3);
    EXPECT_EQ(t.j->Case(5, 7), CasePalet);
    EXPECT_EQ(t.j->ColonnePalet, 5);
    EXPECT_EQ(t.j->LignePalet, 7);
    EXPECT_EQ(t.joueurs[Bleus].Occupation, 7);
}

TEST_F(Actions, LePaletVaSurLaCaseDuTireur) {
    Preparer(acTir, Bleus, 0, 5, {{{2, 5}, Bleus}});
    t.Clic(2, 5);
    EXPECT_EQ(t.j->Case(2, 5), CasePalet);
    EXPECT_EQ(t.j->Case(0, 5), 1);
    EXPECT_EQ(t.j->Case(1, 5), CaseVide);
}

TEST_F(Actions, LaFutureCaseEstCelleDuPalet) {
    Preparer(acTir, Bleus, 1, 5, {{{3, 5}, Bleus}});
    Refuse(3, 5, Textes::FutureCase, "Tir");
    EXPECT_EQ(t.j->But, 0);
}

TEST_F(Actions, PionsSurLaTrajectoireDuTir) {
    Preparer(acTir, Bleus, 4, 5, {{{4, 2}, Bleus}, {{4, 3}, Rouges}, {{4, 7}, Rouges}});
    Refuse(4, 2, Textes::PionAvantPalet, "Tir");
    t.j->Case(4, 3) = CaseVide;
    Refuse(4, 2, Textes::PionApresPalet, "Tir");
    t.j->Case(4, 7) = CaseVide;
    t.j->Case(4, 8) = 2;
    Refuse(4, 2, Textes::FutureCase, "Tir");
}

TEST_F(Actions, ButApresUnPasEnFinDeLigneSurLaCaseDuPalet) {
    Preparer(acTir, Bleus, 4, 8, {{{4, 5}, Bleus}, {{1, 2}, Bleus}, {{1, 8}, Rouges}});
    t.joueurs[Bleus].NbCoups = 7;
    t.j->TourCourant = 3;
    t.Clic(4, 5);
    ASSERT_EQ(t.boites.size(), 1u);
    EXPECT_EQ(t.boites[0].texte, "But des Bleus !!!");
    EXPECT_EQ(t.boites[0].titre, "Tir");
    EXPECT_EQ(t.boites[0].icone, Icone::Exclamation);
    EXPECT_EQ(t.joueurs[Bleus].Buts, 1);
    EXPECT_EQ(t.vue.Panneaux[0], "Bleus 1-0 Rouges");
    EXPECT_EQ(t.joueurs[Bleus].Occupation, 10);
    // The kick-off: Rouges place first on an emptied board, in the next turn.
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    EXPECT_EQ(t.j->TourCourant, 4);
    EXPECT_EQ(t.j->Action, acPlacement);
    EXPECT_EQ(t.j->Case(4, 5), CasePalet);
    EXPECT_EQ(t.j->Case(1, 2), CaseVide);
    EXPECT_EQ(t.j->But, 0);
    EXPECT_EQ(t.joueurs[Bleus].NbPionsPlaces, 0);
    EXPECT_EQ(t.joueurs[Bleus].NbCoups, t.joueurs[Rouges].NbCoups);
    EXPECT_EQ(t.vue.Panneaux[4], "Rouges");
    EXPECT_EQ(t.vue.Panneaux[1], "4/40");
    EXPECT_EQ(t.vue.Panneaux[2], "Placement");
    EXPECT_EQ(t.j->Coups[4].Tir, position(4, 5));
}

TEST_F(Actions, LeMemeTirDeuxColonnesPlusLoinEstRefuse) {
    Preparer(acTir, Bleus, 2, 8, {{{2, 5}, Bleus}});
    Refuse(2, 5, Textes::PionApresPalet, "Tir");
}

TEST_F(Actions, TirsPresDuButDesRouges) {
    Preparer(acTir, Bleus, 4, 8, {{{4, 7}, Bleus}});
    t.Clic(4, 7);
    EXPECT_EQ(t.j->Case(4, 9), CasePalet);
    EXPECT_TRUE(t.boites.empty());
    Preparer(acTir, Bleus, 4, 9, {{{4, 8}, Bleus}});
    t.Clic(4, 8);
    EXPECT_EQ(t.DernierMessage(), "But des Bleus !!!");
}

TEST_F(Actions, LePoteauRenvoieLePalet) {
    Preparer(acTir, Bleus, 5, 9, {{{4, 8}, Bleus}});
    t.Clic(4, 8);
    EXPECT_TRUE(t.boites.empty());
    EXPECT_EQ(t.j->Case(6, 8), CasePalet);
}

TEST_F(Actions, ButDesRougesEnFinDePremiereMiTemps) {
    Preparer(acTir, Rouges, 4, 2, {{{4, 4}, Rouges}});
    t.j->TourCourant = 20;
    t.joueurs[Rouges].NbCoups = 25;
    t.joueurs[Bleus].NbCoups = 26;
    t.Clic(4, 4);
    EXPECT_EQ(t.DernierMessage(), "But des Rouges !!!");
    EXPECT_EQ(t.j->FinDeJeu, 0);
    EXPECT_EQ(t.j->JoueurCourant, Bleus);
    EXPECT_EQ(t.j->TourCourant, 21);
    EXPECT_EQ(t.j->Action, acPlacement);
    EXPECT_EQ(t.joueurs[Rouges].NbCoups, 26);
}

TEST_F(Actions, UnButAuDernierTourFinitLaPartie) {
    Preparer(acTir, Rouges, 4, 2, {{{4, 4}, Rouges}, {{0, 9}, Bleus}});
    t.joueurs[Bleus].NbPionsPlaces = t.joueurs[Rouges].NbPionsPlaces = 1;
    t.j->TourCourant = 40;
    t.vue.Horloge = true;
    t.Clic(4, 4);
    EXPECT_EQ(t.j->FinDeJeu, 1);
    EXPECT_EQ(t.boites.size(), 1u);
    EXPECT_EQ(t.j->Case(4, 2), 2);
    EXPECT_EQ(t.j->Action, acTir);
    EXPECT_FALSE(t.vue.Horloge);
    // No puck-pawn on the board, and still a game that saves and loads back.
    EXPECT_TRUE(PartieValide(*t.j, t.joueurs));
    const auto avant = Octets(*t.j, t.joueurs);
    t.Clic(4, 2);
    RubriquePasserTourClick(t.p);
    RubriquePasserActionClick(t.p);
    TimerTempsTimer(t.p);
    EXPECT_EQ(Octets(*t.j, t.joueurs), avant);
    EXPECT_EQ(t.boites.size(), 1u);
}

// The clock would expire during the goal announcement; it must not pass a turn there.
TEST_F(Actions, LHorlogeSArretePendantLAnnonceDuBut) {
    Preparer(acTir, Bleus, 4, 9, {{{4, 8}, Bleus}});
    t.j->TempsRestant = 200;
    t.vue.Horloge = true;
    t.vue.SurMessage = [this](const std::string& texte, const std::string&, Icone) {
        t.boites.push_back({texte, "", Icone::Arret});
        if (t.vue.Horloge) TimerTempsTimer(t.p);
    };
    t.Clic(4, 8);
    ASSERT_EQ(t.boites.size(), 1u);
    EXPECT_EQ(t.boites[0].texte, "But des Bleus !!!");
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    EXPECT_EQ(t.j->Action, acPlacement);
    EXPECT_EQ(t.joueurs[Bleus].Buts, 1);
}

} // namespace
