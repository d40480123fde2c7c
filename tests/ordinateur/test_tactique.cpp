// Named positions, each for a fault of judgement it guards against: a goal left on the board, a
// goal of the opponent let in when a stop exists, the last play of a game lost on occupation
// points, and a lost position conceded at once. The levels play their whole play from each.
#include <gtest/gtest.h>

#include "ordinateur/ordinateur.h"
#include "rules/resultat.h"
#include "rules/vue_memoire.h"
#include "tests/coups_entiers.h"
#include "tools/plateau_texte/plateau_texte.h"

namespace {

// The level plays the whole play of the team to play from the position.
void JouerLeCoup(Niveau niveau, PartieMemoire& partie) {
    Ordinateur ordinateur(niveau, 1);
    for (int k = 0; k < ActionsParCoup; ++k) {
        const auto action = ordinateur.Choisir(*partie.j, partie.joueurs);
        ASSERT_TRUE(action);
        const bool fin = FinitLeCoup(*partie.j, *action);
        Executer(partie.p, *action);
        if (fin) return;
    }
    FAIL() << "un coup de plus de " << ActionsParCoup << " actions";
}

// Whether the team to play could score if it played nothing now.
bool MenaceApresRien(const PartieMemoire& partie) {
    PartieMemoire rien;
    rien.j->DefinirEtat(partie.j->Etat());
    rien.joueurs = partie.joueurs;
    Executer(rien.p, {ActionJoueur::Genre::PasserTour, {}});
    return PeutMarquer(*rien.j, rien.joueurs);
}

std::string Nom(const ::testing::TestParamInfo<Niveau>& info) {
    constexpr std::array<const char*, NbNiveaux + 1> Noms = {"", "Debutant", "Amateur", "Expert",
                                                             "Maitre"};
    return Noms[static_cast<std::size_t>(info.param)];
}

// Bleus score with the pawn below the puck-pawn, or after moving the pawn that stands between
// their shooter and the puck-pawn: the whole play has to be seen at its first action.
const PlateauTexte ButDirect{.lignes = {".........", ".........", "..B...B..", ".........",
                                        ".B....B..", ".........", "....B....", ".R.....R.",
                                        "..R.o.R..", "...R.....", "........."},
                             .nbPions = 5};
const PlateauTexte ButApresDeplacement{
    .lignes = {".........", "..B...B..", ".........", ".........", ".........", "....B....",
               ".........", "....B....", ".R..o..R.", "..R...R..", "........."},
    .nbPions = 4};

class ButEnUnCoup : public ::testing::TestWithParam<Niveau> {};

TEST_P(ButEnUnCoup, EstMarque) {
    for (const PlateauTexte* plateau : {&ButDirect, &ButApresDeplacement}) {
        PartieMemoire partie;
        ASSERT_TRUE(PoserPlateauTexte(*plateau, *partie.j, partie.joueurs));
        ASSERT_NO_FATAL_FAILURE(JouerLeCoup(GetParam(), partie));
        EXPECT_EQ(partie.joueurs[Bleus].Buts, 1) << plateau->lignes[5];
    }
}

INSTANTIATE_TEST_SUITE_P(NiveauxAuDessusDuDebutant, ButEnUnCoup,
                         ::testing::Values(Niveau::Amateur, Niveau::Expert, Niveau::Maitre), Nom);

// Rouges threaten a straight shot into the Bleus goal; one Bleus pawn can step into its way.
// With a second Rouges pawn that can come to a shot no pawn can block, the goal only waits.
constexpr std::array<const char*, NbLignes> Menace = {
    ".........", ".........", "....o....", ".B.......", "....R....", ".........",
    ".........", ".........", "B.......B", "R.......R", "........."};
constexpr std::array<const char*, NbLignes> MenaceEtRenfort = {
    ".........", ".........", "....o....", ".B.......", "....R....", ".........",
    ".........", "...R.....", "B.......B", "R.......R", "........."};

class ButAdverse : public ::testing::TestWithParam<Niveau> {};

TEST_P(ButAdverse, EstArreteQuandUnArretExiste) {
    PartieMemoire partie;
    ASSERT_TRUE(PoserPlateauTexte({.lignes = Menace, .nbPions = 3}, *partie.j, partie.joueurs));
    ASSERT_TRUE(MenaceApresRien(partie));
    ASSERT_NO_FATAL_FAILURE(JouerLeCoup(GetParam(), partie));
    EXPECT_FALSE(PeutMarquer(*partie.j, partie.joueurs));
}

TEST_P(ButAdverse, UnePositionPerdueNEstPasConcedeeDeSuite) {
    PartieMemoire partie;
    ASSERT_TRUE(
        PoserPlateauTexte({.lignes = MenaceEtRenfort, .nbPions = 4}, *partie.j, partie.joueurs));
    ASSERT_TRUE(MenaceApresRien(partie));
    ASSERT_NO_FATAL_FAILURE(JouerLeCoup(GetParam(), partie));
    EXPECT_FALSE(PeutMarquer(*partie.j, partie.joueurs));
}

INSTANTIATE_TEST_SUITE_P(NiveauxQuiVoientLesTirs, ButAdverse,
                         ::testing::Values(Niveau::Amateur, Niveau::Expert, Niveau::Maitre), Nom);

// The last play of the game: Bleus trail by 5 occupation points, and only a shot that sends the
// puck-pawn to row 8 (8 points to 2) wins; passing, or the shot to row 6, loses.
class DernierCoup : public ::testing::TestWithParam<Niveau> {};

TEST_P(DernierCoup, GagneAuxPointsDOccupation) {
    PartieMemoire partie;
    ASSERT_TRUE(PoserPlateauTexte(
        {.lignes = {".........", ".........", "....B....", ".........", "...B.....", "....o....",
                    ".........", ".........", ".........", "R.......R", "........."},
         .tour = 20,
         .nbTours = 20,
         .nbPions = 2,
         .occupation = {95, 100}},
        *partie.j, partie.joueurs));
    ASSERT_NO_FATAL_FAILURE(JouerLeCoup(GetParam(), partie));
    ASSERT_TRUE(partie.j->FinDeJeu);
    EXPECT_EQ(Vainqueur(partie.joueurs), Bleus);
}

INSTANTIATE_TEST_SUITE_P(TousLesNiveaux, DernierCoup,
                         ::testing::Values(Niveau::Debutant, Niveau::Amateur, Niveau::Expert,
                                           Niveau::Maitre),
                         Nom);

} // namespace
