// The count table: for a few boards, the legal actions of the team to play and its whole coups,
// listed as a player looking ahead lists them (the rules' variants) and as every legal sequence of
// actions; a change in any of the rules' answers shows as a number. Over states of random games,
// the variants reach every position the sequences reach, and a play ends within its actions.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "rules/vue_memoire.h"
#include "tests/coups_entiers.h"
#include "tools/aleatoire/joueur_aleatoire.h"
#include "tools/plateau_texte/plateau_texte.h"

namespace {

// A position as the fields the rules' future depends on, the clock aside; a finished game has no
// action under way left.
std::string Cle(const jeu& j, const Equipes& e) {
    std::string cle(j.Cases.begin(), j.Cases.end());
    const int action = j.FinDeJeu ? 0 : j.Action;
    for (const int v : {j.ColonnePalet, j.LignePalet, j.ColonnePionDeplace, j.LignePionDeplace,
                        int{j.JoueurCourant}, action, j.TourCourant, j.FinDeJeu, e[0].Buts,
                        e[1].Buts, e[0].Occupation, e[1].Occupation, e[0].NbCoups, e[1].NbCoups,
                        e[0].NbPionsPlaces, e[1].NbPionsPlaces})
        cle += std::to_string(v) + ',';
    return cle;
}

struct CoupsEntiers {
    int nombre = 0;
    std::set<std::string> positions;
    bool complets = true;
};

CoupsEntiers Compter(const jeu& j, const Equipes& e, bool variantes) {
    CoupsEntiers coups;
    coups.complets = ParcourirCoups(j, e, variantes, [&](const jeu& apres, const Equipes& equipes) {
        ++coups.nombre;
        coups.positions.insert(Cle(apres, equipes));
    });
    return coups;
}

int NombreDActions(const jeu& j) {
    ActionsLegales l;
    ListerActionsLegales(j, l);
    return l.Nombre + l.PasserAction + l.PasserTour;
}

struct Comptage {
    const char* nom;
    PlateauTexte plateau;
    int actions;
    int variantes;
    int sequences;
    int positions;
};

class TableDesComptes : public ::testing::TestWithParam<Comptage> {};

TEST_P(TableDesComptes, ActionsEtCoupsEntiers) {
    const Comptage& c = GetParam();
    PartieMemoire partie;
    ASSERT_TRUE(PoserPlateauTexte(c.plateau, *partie.j, partie.joueurs));
    const CoupsEntiers variantes = Compter(*partie.j, partie.joueurs, true);
    const CoupsEntiers sequences = Compter(*partie.j, partie.joueurs, false);
    EXPECT_EQ(NombreDActions(*partie.j), c.actions);
    EXPECT_EQ(variantes.nombre, c.variantes);
    EXPECT_EQ(sequences.nombre, c.sequences);
    EXPECT_EQ(sequences.positions.size(), static_cast<std::size_t>(c.positions));
    EXPECT_EQ(variantes.positions, sequences.positions);
}

// Six pawns a team, placed; the puck-pawn in the centre. Goals lead to one kick-off whatever the
// shot: ButEnVue's plays reach far fewer positions than there are plays.
constexpr std::array<const char*, NbLignes> Place = {
    ".........", ".........", ".B..B..B.", "..B...B..", "....B....", "....o....",
    "...R.R...", ".R.....R.", "...R.R...", ".........", "........."};

INSTANTIATE_TEST_SUITE_P(
    Plateaux, TableDesComptes,
    ::testing::Values(Comptage{"PremierPion",
                               {.lignes = {".........", ".........", ".........", ".........",
                                           ".........", "....o....", ".........", ".........",
                                           ".........", ".........", "........."},
                                .action = acPlacement},
                               36,
                               36,
                               36,
                               36},
                      Comptage{"PlacementEntame",
                               {.lignes = {".........", ".........", "..B......", "....B....",
                                           ".........", "....o....", ".........", "....R....",
                                           ".........", ".........", "........."},
                                .action = acPlacement,
                                .equipe = Rouges},
                               35,
                               35,
                               35,
                               35},
                      Comptage{"PremierCoup", {.lignes = Place}, 8, 175, 288, 175},
                      Comptage{"DestinationChoisie",
                               {.lignes = {".........", ".........", ".B..B..B.", "..B...B..",
                                           "....b....", "....o....", "...R.R...", ".R.....R.",
                                           "...R.R...", ".........", "........."},
                                .action = acDeplacement2},
                               19,
                               35,
                               54,
                               35},
                      Comptage{"TirApresDeplacement",
                               {.lignes = {".........", ".........", ".B..B..B.", "..B...B..",
                                           "...b.....", "....o....", "...R.R...", ".R.....R.",
                                           "...R.R...", ".........", "........."},
                                .action = acTir},
                               3,
                               2,
                               3,
                               2},
                      Comptage{"ButEnVue",
                               {.lignes = {".........", ".........", "..B...B..", ".........",
                                           ".B....B..", ".........", "....B....", ".R.....R.",
                                           "..R.o.R..", "...R.....", "........."},
                                .nbPions = 5},
                               7,
                               153,
                               259,
                               86}),
    [](const auto& info) { return info.param.nom; });

TEST(Variantes, AtteignentCeQueToutesLesSequencesAtteignent) {
    int etats = 0;
    for (unsigned graine = 1; graine <= 6; ++graine) {
        JoueurAleatoire joueur(graine);
        PartieMemoire t;
        for (int n = 0; n < 600 && !t.j->FinDeJeu; ++n) {
            joueur.Evenement(t.p, t.vue);
            if (t.j->Action == acPlacement || joueur.Entre(0, 9) != 0) continue;
            SCOPED_TRACE("graine " + std::to_string(graine) + ", evenement " + std::to_string(n));
            const CoupsEntiers variantes = Compter(*t.j, t.joueurs, true);
            const CoupsEntiers sequences = Compter(*t.j, t.joueurs, false);
            ASSERT_TRUE(sequences.complets);
            ASSERT_EQ(variantes.positions, sequences.positions);
            ASSERT_LE(variantes.nombre, sequences.nombre);
            ++etats;
        }
    }
    EXPECT_GT(etats, 30);
}

} // namespace
