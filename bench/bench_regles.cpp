// Rules throughput: player events per second through the real rules, and saved games per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

#include "game/partie.h"
#include "tools/aleatoire/joueur_aleatoire.h"

namespace {

// Seeded random games, one after the other, each played to its end.
void Evenements(benchmark::State& etat) {
    PartieMemoire partie;
    jeu* const j = partie.j.get();
    unsigned graine = 1;
    JoueurAleatoire joueur(graine);
    long long evenements = 0, tics = 0;
    for (auto _ : etat) {
        if (j->FinDeJeu) {
            evenements += joueur.Evenements;
            tics += joueur.Tics;
            j->NouvellePartie(partie.joueurs);
            joueur = JoueurAleatoire(++graine);
        }
        joueur.Evenement(partie.p, partie.vue);
    }
    evenements += joueur.Evenements;
    tics += joueur.Tics;
    etat.counters["evenements/s"] =
        benchmark::Counter(static_cast<double>(evenements), benchmark::Counter::kIsRate);
    // Clicks and skips alone: the ticks are many and cheap, the actions are what players wait on.
    etat.counters["actions/s"] =
        benchmark::Counter(static_cast<double>(evenements - tics), benchmark::Counter::kIsRate);
}
BENCHMARK(Evenements);

std::vector<std::uint8_t> PartieEnCours() {
    PartieMemoire partie;
    JoueurAleatoire joueur(7);
    for (int i = 0; i < 400; ++i) joueur.Evenement(partie.p, partie.vue);
    std::vector<std::uint8_t> octets(TaillePartie);
    std::FILE* f = fmemopen(octets.data(), octets.size(), "wb");
    EcrirePartie(f, *partie.j, partie.joueurs);
    std::fclose(f);
    return octets;
}

// What "Ouvrir" and "Enregistrer" do to the bytes: read, check, write; no disk.
void ChargerVerifierEcrire(benchmark::State& etat) {
    const auto fichier = PartieEnCours();
    auto j = std::make_unique<jeu>();
    Equipes joueurs;
    std::vector<std::uint8_t> sortie(TaillePartie);
    for (auto _ : etat) {
        if (ChargerPartie(fichier.data(), fichier.size(), *j, joueurs) != Chargement::Reussi)
            etat.SkipWithError("refused");
        std::FILE* f = fmemopen(sortie.data(), sortie.size(), "wb");
        EcrirePartie(f, *j, joueurs);
        std::fclose(f);
        benchmark::DoNotOptimize(sortie.data());
    }
    etat.counters["parties/s"] =
        benchmark::Counter(static_cast<double>(etat.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(ChargerVerifierEcrire);

// The atomic save to a real file, flushed to the disk.
void SauvegardeAtomique(benchmark::State& etat) {
    auto j = std::make_unique<jeu>();
    Equipes joueurs;
    const std::string chemin = "/tmp/ovane-bench-" + std::to_string(::getpid()) + ".ovn";
    for (auto _ : etat)
        if (SauvegarderPartie(chemin, *j, joueurs) != Sauvegarde::Reussie)
            etat.SkipWithError("save failed");
    std::remove(chemin.c_str());
    etat.counters["sauvegardes/s"] =
        benchmark::Counter(static_cast<double>(etat.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SauvegardeAtomique)->Iterations(200);

} // namespace

BENCHMARK_MAIN();
