// The skip commands, a new game, the clock, the parameters changed mid-game and the file commands.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "enregistreur.h"
#include "tests/dossier_temporaire.h"
#include "tests/game/octets.h"

namespace {

TEST(Commandes, PasserPendantLePlacementEstRefuse) {
    PartieDeTest t;
    t.Clic(0, 1);
    const auto avant = Octets(*t.j, t.joueurs);
    RubriquePasserActionClick(t.p);
    RubriquePasserTourClick(t.p);
    ASSERT_EQ(t.boites.size(), 2u);
    for (const Boite& b : t.boites) {
        EXPECT_EQ(b.texte, "Vous êtes obligé de placer vos pions !");
        EXPECT_EQ(b.titre, "Placement");
        EXPECT_EQ(b.icone, Icone::Arret);
    }
    EXPECT_EQ(Octets(*t.j, t.joueurs), avant);
}

TEST(Commandes, PasserLActionPuisLeTir) {
    PartieDeTest t;
    t.PlacerTous();
    t.Clic(0, 2);
    EXPECT_EQ(t.j->Action, acDeplacement2);
    t.vue.Redessins = 0;
    RubriquePasserActionClick(t.p);
    EXPECT_EQ(t.j->Action, acTir);
    EXPECT_EQ(t.j->ColonnePionDeplace, -1);
    EXPECT_GT(t.vue.Redessins, 0);
    EXPECT_TRUE(t.vue.Horloge);
    EXPECT_EQ(t.j->Coups[0].Deplacement[0], position(0, 2));
    RubriquePasserActionClick(t.p);
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    EXPECT_EQ(t.j->Action, acDeplacement1);
    EXPECT_EQ(t.joueurs[Bleus].Occupation, 5);
    EXPECT_EQ(t.joueurs[Rouges].Occupation, 5);
}

TEST(Commandes, PasserSonTourAuChoixDuPionNeLaisseRienDansLHistorique) {
    PartieDeTest t;
    t.PlacerTous();
    RubriquePasserTourClick(t.p);
    const tour& coup = t.j->Coups[0];
    EXPECT_TRUE(coup.Deplacement[0].Vide() && coup.Deplacement[1].Vide() && coup.Tir.Vide());
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    EXPECT_EQ(t.j->TempsRestant, 60000u);
}

TEST(Commandes, NouvellePartieEnPleinCoupArreteLHorloge) {
    PartieDeTest t;
    t.PlacerTous();
    for (int i = 0; i < 5; ++i) TimerTempsTimer(t.p);
    EXPECT_EQ(t.vue.Panneaux[5], "0:59");
    RubriqueNouvelleClick(t.p);
    EXPECT_FALSE(t.vue.Horloge);
    EXPECT_EQ(t.vue.Panneaux[5], "0:00");
    EXPECT_EQ(t.j->TempsRestant, 0u);
}

TEST(Commandes, LeTempsExpireAu150eAu300eEtAu450eTic) {
    for (const auto& [temps, tics] : {std::pair{30000u, 150}, {60000u, 300}, {90000u, 450}}) {
        PartieDeTest t;
        t.j->MaxTemps = temps;
        t.PlacerTous();
        EXPECT_EQ(t.TicsJusquALArret(), tics);
        ASSERT_EQ(t.boites.size(), 1u);
        EXPECT_EQ(t.boites[0].texte, "Votre temps est écoulé !\nVous devez passer votre tour !");
        EXPECT_EQ(t.boites[0].titre, "Bleus");
        EXPECT_EQ(t.boites[0].icone, Icone::Exclamation);
        // The turn passed: Rouges play, on a fresh clock.
        EXPECT_EQ(t.j->JoueurCourant, Rouges);
        EXPECT_TRUE(t.vue.Horloge);
        EXPECT_EQ(t.j->TempsRestant, temps);
    }
}

TEST(Commandes, LeTexteDuTempsAChaqueTic) {
    PartieDeTest t;
    t.PlacerTous();
    std::vector<std::string> textes;
    t.vue.SurMessage = [&](const std::string&, const std::string&, Icone) {
        textes.push_back(t.vue.Panneaux[5]);
    };
    for (int i = 0; i < 300; ++i) {
        TimerTempsTimer(t.p);
        if (i < 299) textes.push_back(t.vue.Panneaux[5]);
    }
    EXPECT_EQ(textes.front(), "0:59");
    EXPECT_EQ(textes[4], "0:59");
    EXPECT_EQ(textes[5], "0:58");
    EXPECT_EQ(textes[294], "0:01");
    EXPECT_EQ(textes[295], "0:00");
    EXPECT_EQ(textes[298], "0:00");
    EXPECT_EQ(textes.back(), "0:00"); // the panel as the time-up box opens
}

TEST(Commandes, UnTempsQuiNEstPasUnMultipleDe200NeBouclePas) {
    PartieDeTest t;
    t.PlacerTous();
    t.j->TempsRestant = 150;
    TimerTempsTimer(t.p);
    EXPECT_EQ(t.boites.size(), 1u);
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    t.j->TempsRestant = 201;
    TimerTempsTimer(t.p);
    EXPECT_EQ(t.j->TempsRestant, 1u);
    TimerTempsTimer(t.p);
    EXPECT_EQ(t.boites.size(), 2u);
}

TEST(Commandes, UnTicPendantLePlacementEteintLHorloge) {
    PartieDeTest t;
    t.vue.Horloge = true;
    t.vue.Panneaux[5] = "0:17";
    TimerTempsTimer(t.p);
    EXPECT_FALSE(t.vue.Horloge);
    EXPECT_EQ(t.vue.Panneaux[5], "0:00");
}

// The time runs out while a refusal is on screen: the turn passes under the box, and the
// handler that showed it must not act afterwards.
TEST(Commandes, LeTempsExpirePendantUnMessageDeRefus) {
    PartieDeTest t;
    t.PlacerTous();
    t.j->TempsRestant = 200;
    t.vue.SurMessage = [&](const std::string& texte, const std::string& titre, Icone icone) {
        t.boites.push_back({texte, titre, icone});
        if (t.vue.Horloge) TimerTempsTimer(t.p);
    };
    t.Clic(4, 5);
    ASSERT_EQ(t.boites.size(), 2u);
    EXPECT_EQ(t.boites[0].texte, "Vous devez choisir un pion bleu !");
    EXPECT_EQ(t.boites[1].titre, "Bleus");
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    EXPECT_EQ(t.j->Action, acDeplacement1);
    EXPECT_TRUE(t.j->Coups[0].Deplacement[0].Vide());
}

TEST(Parametres, OkEcritLesValeursEtLePanneauDuTour) {
    PartieDeTest t;
    AppliquerParametres(t.p, 6, 20, 30000);
    EXPECT_EQ(t.vue.Panneaux[1], "1/20");
    t.j->TourCourant = 12;
    AppliquerParametres(t.p, 6, 60, 60000);
    EXPECT_EQ(t.vue.Panneaux[1], "12/60");
    EXPECT_EQ(t.j->NbTours, 60);
}

TEST(Parametres, TrenteSecondesPendantUnCoupNeChangeQueLeCoupSuivant) {
    PartieDeTest t;
    t.PlacerTous();
    TimerTempsTimer(t.p);
    AppliquerParametres(t.p, 6, 40, 30000);
    EXPECT_EQ(t.j->TempsRestant, 59800u);
    RubriquePasserTourClick(t.p);
    EXPECT_EQ(t.j->TempsRestant, 30000u);
}

TEST(Parametres, LaPremiereMiTempsSAllongeA30Tours) {
    PartieDeTest t;
    t.PlacerTous();
    while (t.j->TourCourant < 12) RubriquePasserTourClick(t.p);
    AppliquerParametres(t.p, 6, 60, 60000);
    while (t.j->Action != acPlacement && !t.j->FinDeJeu) RubriquePasserTourClick(t.p);
    EXPECT_EQ(t.j->TourCourant, 31);
}

// Fewer turns than the turn reached: the game ends with the play under way.
TEST(Parametres, MoinsDeToursQueLeTourCourantFinitLaPartie) {
    PartieDeTest t;
    t.PlacerTous();
    while (t.j->TourCourant < 25) {
        if (t.j->Action == acPlacement)
            t.PlacerTous();
        else
            RubriquePasserTourClick(t.p);
    }
    AppliquerParametres(t.p, 6, 20, 60000);
    EXPECT_EQ(t.vue.Panneaux[1], "25/20");
    EXPECT_EQ(t.j->FinDeJeu, 0);
    RubriquePasserTourClick(t.p);
    EXPECT_EQ(t.j->FinDeJeu, 1);
    EXPECT_EQ(t.j->TourCourant, 25);
    EXPECT_EQ(t.DernierMessage(), "Fin de jeu");
}

// Fewer pawns than both teams have placed: the phase ends at once, the first placer plays.
TEST(Parametres, MoinsDePionsQueDejaPlacesTermineLePlacement) {
    PartieDeTest t;
    for (int i = 0; i < 10; ++i) t.Clic(i % 5, i % 2 == 0 ? 1 : 9);
    ASSERT_EQ(t.joueurs[Bleus].NbPionsPlaces, 5);
    ASSERT_EQ(t.joueurs[Rouges].NbPionsPlaces, 5);
    AppliquerParametres(t.p, 5, 40, 60000);
    EXPECT_EQ(t.j->Action, acDeplacement1);
    EXPECT_EQ(t.j->JoueurCourant, Bleus);
    EXPECT_TRUE(t.vue.Horloge);
    EXPECT_EQ(t.vue.Panneaux[2], "Déplacement");
}

// With one team a pawn ahead, the other still places to even the counts.
TEST(Parametres, MoinsDePionsAvecUneEquipeEnAvance) {
    PartieDeTest t;
    for (int i = 0; i < 11; ++i) t.Clic(i / 2, i % 2 == 0 ? 1 : 9);
    AppliquerParametres(t.p, 5, 40, 60000);
    EXPECT_EQ(t.j->Action, acPlacement);
    EXPECT_EQ(t.j->JoueurCourant, Rouges);
    t.Clic(7, 9);
    EXPECT_EQ(t.joueurs[Rouges].NbPionsPlaces, 6);
    EXPECT_EQ(t.j->Action, acDeplacement1);
    EXPECT_EQ(t.j->JoueurCourant, Bleus);
}

// Whatever writes the record, a team never places an eighth pawn.
TEST(Parametres, JamaisPlusDeSeptPlacements) {
    PartieDeTest t;
    t.j->NbPions = 9;
    t.PlacerTous();
    EXPECT_EQ(t.joueurs[Bleus].NbPionsPlaces, 7);
    EXPECT_EQ(t.joueurs[Rouges].NbPionsPlaces, 7);
    EXPECT_EQ(t.j->Action, acDeplacement1);
}

struct Fichier : ::testing::Test {
    DossierTemporaire dossier;
};

TEST_F(Fichier, OuvrirReprendLHorlogeDuFichier) {
    const std::string chemin = (dossier / "p.ovn").string();
    PartieDeTest a;
    a.PlacerTous();
    for (int i = 0; i < 238; ++i) TimerTempsTimer(a.p);
    ASSERT_EQ(a.j->TempsRestant, 12400u);
    ASSERT_TRUE(EnregistrerPartie(a.p, chemin));

    PartieDeTest b;
    ASSERT_TRUE(OuvrirPartie(b.p, chemin, false));
    EXPECT_TRUE(b.vue.Horloge);
    EXPECT_EQ(b.vue.Panneaux[5], "0:12");
    TimerTempsTimer(b.p);
    EXPECT_EQ(b.vue.Panneaux[5], "0:12");
    EXPECT_EQ(b.j->TempsRestant, 12200u);
}

TEST_F(Fichier, UnFichierAbsentOuAbimeGardeLaPartieEtSonHorloge) {
    PartieDeTest t;
    t.PlacerTous();
    const auto avant = Octets(*t.j, t.joueurs);
    EXPECT_FALSE(OuvrirPartie(t.p, (dossier / "absent.ovn").string(), true));
    EXPECT_EQ(t.DernierMessage(),
              "Impossible d'ouvrir le fichier « absent.ovn » : fichier introuvable");
    EXPECT_EQ(t.boites.back().titre, "Chargement non effectué");
    EXPECT_TRUE(t.vue.Horloge);
    const std::string court = (dossier / "court.ovn").string();
    std::ofstream(court) << "trop court";
    EXPECT_FALSE(OuvrirPartie(t.p, court, true));
    EXPECT_EQ(t.DernierMessage(), "Erreur de données dans le fichier");
    EXPECT_EQ(Octets(*t.j, t.joueurs), avant);
    EXPECT_TRUE(t.vue.Horloge);
}

TEST_F(Fichier, EnregistrerSansDossierEchoueEtDitPourquoi) {
    PartieDeTest t;
    const std::string chemin = (dossier / "non" / "p.ovn").string();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(EnregistrerPartie(t.p, chemin));
    const std::string raison = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(t.DernierMessage(), "Impossible de créer le fichier");
    EXPECT_EQ(t.boites.back().titre, "Sauvegarde non effectuée");
    EXPECT_EQ(raison, std::string(program_invocation_short_name) + ": " + chemin + ": " +
                          std::strerror(ENOENT) + "\n");
}

} // namespace
