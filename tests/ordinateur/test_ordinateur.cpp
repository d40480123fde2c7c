// The computer over many seeded games at every level: only actions the rules accept, every game
// played to its end, every pawn it chooses moved, the same game for the same seed, and a search
// that stops when told to.
#include <gtest/gtest.h>

#include <stop_token>

#include "ordinateur/ordinateur.h"
#include "rules/vue_memoire.h"
#include "tournoi.h"

namespace {

struct Rencontre {
    const char* nom;
    Joueur premier;
    Joueur second;
    int parties;
};

// The searching levels' method with a small budget of tries: legality, endings and plans do not
// depend on it.
constexpr long long BudgetRapide = 400;

class Niveaux : public ::testing::TestWithParam<Rencontre> {};

TEST_P(Niveaux, CoupsLegauxEtPartiesFinies) {
    const Rencontre r = GetParam();
    int buts = 0;
    for (int g = 0; g < r.parties * OVANE_PARTIES_PAR_CENT / 100; ++g) {
        const ResultatPartie p = JouerPartie(r.premier, r.second, g % 2 == 0,
                                             static_cast<std::uint32_t>(g + 1), BudgetRapide);
        ASSERT_TRUE(p.legale) << "graine " << g + 1;
        ASSERT_TRUE(p.finie) << "graine " << g + 1;
        ASSERT_EQ(p.pionsLaisses, 0) << "graine " << g + 1;
        buts += p.buts[0] + p.buts[1];
    }
    // Games with goals go through kick-offs, the placement phases the computer must also play.
    EXPECT_GT(buts, 0);
}

INSTANTIATE_TEST_SUITE_P(Parties, Niveaux,
                         ::testing::Values(Rencontre{"DebutantHasard", 1, 0, 1000},
                                           Rencontre{"AmateurDebutant", 2, 1, 1000},
                                           Rencontre{"ExpertHasard", 3, 0, 500},
                                           Rencontre{"ExpertAmateur", 3, 2, 500},
                                           Rencontre{"MaitreExpert", 4, 3, 200},
                                           Rencontre{"ExpertReference", 3, Reference, 100}),
                         [](const auto& info) { return info.param.nom; });

// The levels with room for their deeper searches (alpha-beta over several plays, a team that
// plays twice at half-time, the transposition table): still legal, still the same game for the
// same seed.
TEST(Ordinateur, UneGraineDonneToujoursLaMemePartie) {
    constexpr long long Budget = 20000 * OVANE_PARTIES_PAR_CENT / 100;
    for (const Joueur niveau : {1, 2, 3, 4}) {
        const ResultatPartie a = JouerPartie(niveau, 2, true, 11, Budget);
        const ResultatPartie b = JouerPartie(niveau, 2, true, 11, Budget);
        EXPECT_TRUE(a.legale && a.finie) << niveau;
        EXPECT_EQ(a.actions, b.actions) << niveau;
        EXPECT_EQ(a.occupation[0], b.occupation[0]) << niveau;
        EXPECT_EQ(a.buts[1], b.buts[1]) << niveau;
    }
}

TEST(Ordinateur, UneRechercheArreteeNeRendRien) {
    PartieMemoire partie;
    std::stop_source arret;
    arret.request_stop();
    Ordinateur expert(Niveau::Expert, 1);
    EXPECT_FALSE(expert.Choisir(*partie.j, partie.joueurs, arret.get_token()));
    EXPECT_TRUE(expert.Choisir(*partie.j, partie.joueurs, std::stop_source().get_token()));
}

} // namespace
