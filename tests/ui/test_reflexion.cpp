// The computer's search on its own thread: the choice the computer would make, worked out on
// copies of the records, and nothing from a search that was stopped.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "rules/vue_memoire.h"
#include "ui/reflexion.h"

namespace {

// What the search's thread hands over, for the test's thread to wait on.
class Resultats {
public:
    Reflexion::Fin Fin() {
        return [this](std::optional<ActionJoueur> action) {
            const std::lock_guard verrou(verrou_);
            recus_.push_back(action);
            arrivee_.notify_all();
        };
    }
    // The results received so far, once there are n of them or the wait has gone on too long.
    std::vector<std::optional<ActionJoueur>> Attendre(std::size_t n) {
        std::unique_lock verrou(verrou_);
        arrivee_.wait_for(verrou, std::chrono::minutes(1), [&] { return recus_.size() >= n; });
        return recus_;
    }
    std::size_t Nombre() {
        const std::lock_guard verrou(verrou_);
        return recus_.size();
    }

private:
    std::mutex verrou_;
    std::condition_variable arrivee_;
    std::vector<std::optional<ActionJoueur>> recus_;
};

constexpr std::uint32_t Graine = 7;

struct Reflexions : ::testing::Test {
    PartieMemoire partie;

    // Past the placement, so that the Expert has a real search to make.
    Reflexions() {
        Ordinateur debutant(Niveau::Debutant, Graine);
        while (partie.j->Action == acPlacement)
            Executer(partie.p, *debutant.Choisir(*partie.j, partie.joueurs));
    }

    // What a computer of that level and seed chooses for the game as it now stands.
    std::optional<ActionJoueur> Choix(Niveau niveau) const {
        return Ordinateur(niveau, Graine).Choisir(*partie.j, partie.joueurs);
    }
};

TEST_F(Reflexions, LaRechercheRendLeChoixDeLOrdinateurSurUneCopie) {
    const auto attendu = Choix(Niveau::Amateur);
    Ordinateur ordinateur(Niveau::Amateur, Graine);
    Resultats resultats;
    Reflexion reflexion;
    reflexion.Lancer(ordinateur, *partie.j, partie.joueurs, resultats.Fin());
    // The game goes on meanwhile: the search works on the records as they were.
    partie.j->Cases.fill(CaseVide);
    partie.joueurs[Bleus].Buts = 3;
    const auto recus = resultats.Attendre(1);
    reflexion.Arreter();
    EXPECT_FALSE(reflexion.EnCours());
    ASSERT_EQ(recus.size(), 1u);
    EXPECT_EQ(recus[0], attendu);
}

// The Expert takes far longer over this game than the test takes to stop it.
TEST_F(Reflexions, UneRechercheArreteeNeRendRien) {
    const auto attendu = Choix(Niveau::Debutant);
    Ordinateur expert(Niveau::Expert, Graine);
    Ordinateur debutant(Niveau::Debutant, Graine);
    Resultats arretes, resultats;
    {
        Reflexion detruite;
        detruite.Lancer(expert, *partie.j, partie.joueurs, arretes.Fin());
    }
    Reflexion reflexion;
    reflexion.Lancer(expert, *partie.j, partie.joueurs, arretes.Fin());
    reflexion.Arreter();
    // A new search stops the one under way.
    reflexion.Lancer(expert, *partie.j, partie.joueurs, arretes.Fin());
    reflexion.Lancer(debutant, *partie.j, partie.joueurs, resultats.Fin());
    const auto recus = resultats.Attendre(1);
    reflexion.Arreter();
    ASSERT_EQ(recus.size(), 1u);
    EXPECT_EQ(recus[0], attendu);
    EXPECT_EQ(arretes.Nombre(), 0u);
}

} // namespace
