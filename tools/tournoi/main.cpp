// ovane-tournoi: N games between two players, sides alternated, and what they show of strength;
// or, with --signature, the tries the searching levels spend on a fixed set of positions.
// Usage: ovane-tournoi [-n PARTIES] [-j FILS] [-b] JOUEUR JOUEUR | --signature
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ordinateur/ordinateur.h"
#include "tournoi.h"

namespace {

// The Elo difference that gives this expected score; infinite at 0 and 100 %.
double Elo(double score) {
    if (score <= 0) return -std::numeric_limits<double>::infinity();
    if (score >= 1) return std::numeric_limits<double>::infinity();
    return -400 * std::log10(1 / score - 1);
}

// The 95 % interval of the score share over n games (Wilson's, sound at 0 and 100 % too).
std::pair<double, double> Intervalle(double score, double n) {
    constexpr double z = 1.96;
    const double centre = (score + z * z / (2 * n)) / (1 + z * z / n);
    const double demi =
        z / (1 + z * z / n) * std::sqrt(score * (1 - score) / n + z * z / (4 * n * n));
    return {centre - demi, centre + demi};
}

// Only while the command line is read, before any thread starts.
void Usage() {
    static_cast<void>(
        std::fputs("usage: ovane-tournoi [-n PARTIES] [-j FILS] [-b] JOUEUR JOUEUR\n"
                   "       ovane-tournoi --signature\n"
                   "  JOUEUR: 0 (coups légaux au hasard), 1 (Débutant), 2 (Amateur), 3 (Expert),\n"
                   "          4 (Maître), 5 (Référence : l'Expert d'avant, son jugement d'alors)\n",
                   stderr));
    std::exit(2); // NOLINT(concurrency-mt-unsafe)
}

double Mediane(std::vector<double> valeurs) {
    if (valeurs.empty()) return 0;
    const auto milieu = valeurs.begin() + static_cast<std::ptrdiff_t>(valeurs.size() / 2);
    std::nth_element(valeurs.begin(), milieu, valeurs.end());
    return *milieu;
}

int Entier(const char* texte, int min, int max) {
    char* fin = nullptr;
    const long v = std::strtol(texte, &fin, 10);
    if (!*texte || *fin || v < min || v > max) Usage();
    return static_cast<int>(v);
}

} // namespace

int main(int argc, char** argv) {
    int parties = 200;
    int fils = 2;
    bool brut = false;
    std::vector<Joueur> joueurs;
    if (argc == 2 && !std::strcmp(argv[1], "--signature")) {
        const Signature signature = SignatureDeLaRecherche();
        std::printf("signature Expert %lld Maître %lld\n", signature.expert, signature.maitre);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-n") && i + 1 < argc)
            parties = Entier(argv[++i], 1, 100000);
        else if (!std::strcmp(argv[i], "-j") && i + 1 < argc)
            fils = Entier(argv[++i], 1, 64);
        else if (!std::strcmp(argv[i], "-b"))
            brut = true;
        else
            joueurs.push_back(Entier(argv[i], 0, Reference));
    }
    if (joueurs.size() != 2) Usage();

    std::vector<ResultatPartie> resultats(static_cast<std::size_t>(parties));
    std::atomic<int> suivante{0};
    std::vector<std::thread> travailleurs;
    travailleurs.reserve(static_cast<std::size_t>(fils));
    for (int f = 0; f < fils; ++f)
        travailleurs.emplace_back([&] {
            for (int g; (g = suivante++) < parties;)
                resultats[static_cast<std::size_t>(g)] = JouerPartie(
                    joueurs[0], joueurs[1], g % 2 == 0, static_cast<std::uint32_t>(g + 1));
        });
    for (std::thread& t : travailleurs) t.join();

    double total = 0;
    int nonFinies = 0, illegales = 0, buts = 0, victoires = 0, nuls = 0;
    std::vector<double> temps, recherches;
    int laisses = 0;
    long long profondeurs[2] = {0, 0};
    long long nbRecherches[2] = {0, 0};
    for (const ResultatPartie& r : resultats) {
        for (int phase = 0; phase < 2; ++phase) {
            profondeurs[phase] += r.profondeurs[phase];
            nbRecherches[phase] += r.recherches[phase];
        }
        total += r.score;
        victoires += r.score == 1;
        nuls += r.score == 0.5;
        nonFinies += !r.finie;
        illegales += !r.legale;
        buts += r.buts[0] + r.buts[1];
        temps.insert(temps.end(), r.reflexions.begin(), r.reflexions.end());
        recherches.insert(recherches.end(), r.recherchesMs.begin(), r.recherchesMs.end());
        laisses += r.pionsLaisses;
    }
    const double n = parties;
    const double score = total / n;
    const auto [bas, haut] = Intervalle(score, n);
    const double mediane = Mediane(temps);
    const double medianeRecherches = Mediane(recherches);
    const double pire = temps.empty() ? 0 : *std::max_element(temps.begin(), temps.end());
    const auto moyenne = [&](int phase) {
        return nbRecherches[phase] ? static_cast<double>(profondeurs[phase]) /
                                         static_cast<double>(nbRecherches[phase])
                                   : 0;
    };
    if (brut) {
        std::printf("%.1f %.0f %.0f %.0f %.2f %.1f %d %.2f %.2f %.2f %d\n", 100 * score, Elo(score),
                    Elo(bas), Elo(haut), mediane, pire, nonFinies + illegales, moyenne(0),
                    moyenne(1), medianeRecherches, laisses);
        return nonFinies || illegales ? 1 : 0;
    }
    std::printf("%-9s contre %-9s parties %d  score %.1f %%  Elo %+.0f [%+.0f, %+.0f]  "
                "gagnées %d nulles %d perdues %d  réflexion médiane %.2f ms (%.2f ms au début "
                "d'un coup), pire %.1f ms  profondeur placement %.2f, jeu %.2f  buts/partie %.2f  "
                "pions laissés %d",
                NomDuJoueur(joueurs[0]), NomDuJoueur(joueurs[1]), parties, 100 * score, Elo(score),
                Elo(bas), Elo(haut), victoires, nuls, parties - victoires - nuls, mediane,
                medianeRecherches, pire, moyenne(0), moyenne(1), buts / n, laisses);
    if (nonFinies || illegales) std::printf("  NON FINIES %d  REFUSÉES %d", nonFinies, illegales);
    std::printf("\n");
    return nonFinies || illegales ? 1 : 0;
}
