// Start-up: the game against an empty Qt window of the same size, run alternately. Each run is
// timed from just before it starts to its first window on screen, which the program reports
// (OVANE_MESURE_DEMARRAGE); its peak resident memory comes from the kernel's accounting. A first
// start, which registers the file type and has the desktop's caches rebuilt, is timed apart, each
// run in empty XDG folders of its own under $XDG_DATA_HOME.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Mesure {
    double millisecondes = 0;
    long kio = 0;
    bool valide = false;
};

long long Maintenant() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// xdg: the folder under which the run gets XDG folders of its own, empty; none keeps the caller's.
Mesure Lancer(const char* programme, const std::string& xdg = {}) {
    int tube[2];
    if (pipe(tube) != 0) return {};
    const long long debut = Maintenant();
    const pid_t enfant = fork();
    if (enfant == 0) {
        dup2(tube[1], STDOUT_FILENO);
        close(tube[0]);
        setenv("OVANE_MESURE_DEMARRAGE", "1", 1);
        if (!xdg.empty()) {
            setenv("XDG_DATA_HOME", (xdg + "/donnees").c_str(), 1);
            setenv("XDG_CONFIG_HOME", (xdg + "/config").c_str(), 1);
        }
        execl(programme, programme, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tube[1]);
    char texte[64] = {};
    const ssize_t lus = read(tube[0], texte, sizeof texte - 1);
    close(tube[0]);
    int statut = 0;
    rusage usage{};
    wait4(enfant, &statut, 0, &usage);
    Mesure m;
    m.valide = lus > 0 && WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    m.millisecondes = static_cast<double>(std::atoll(texte) - debut) / 1e6;
    m.kio = usage.ru_maxrss;
    return m;
}

template <class T> T Mediane(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// First starts, each in empty XDG folders of its own under the caller's data folder, which the
// caller removes. Empty when a run failed.
std::vector<double> PremiersDemarrages(const char* programme, int essais) {
    const char* racine = std::getenv("XDG_DATA_HOME");
    std::vector<double> t;
    for (int i = 0; racine && i < essais; ++i) {
        const Mesure m = Lancer(programme, std::string(racine) + "/premier-" + std::to_string(i));
        if (!m.valide) return {};
        t.push_back(m.millisecondes);
        // The caches' programs run on after the window: let them finish before the next run.
        usleep(300000);
    }
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: bench_demarrage GAME REFERENCE [RUNS]\n", stderr);
        return 2;
    }
    const int essais = argc > 3 ? std::atoi(argv[3]) : 15;
    // One unmeasured run each: the first start registers the file type and warms the caches.
    Lancer(argv[1]);
    Lancer(argv[2]);
    std::vector<double> tJeu, tRef;
    std::vector<long> mJeu, mRef;
    for (int i = 0; i < essais; ++i) {
        for (const bool jeu : {true, false}) {
            const Mesure m = Lancer(jeu ? argv[1] : argv[2]);
            if (!m.valide) {
                std::fprintf(stderr, "run of %s failed\n", jeu ? argv[1] : argv[2]);
                return 1;
            }
            (jeu ? tJeu : tRef).push_back(m.millisecondes);
            (jeu ? mJeu : mRef).push_back(m.kio);
        }
    }
    std::printf("demarrage_ms %.1f %.1f\n", Mediane(tJeu), Mediane(tRef));
    std::printf("memoire_kio %ld %ld\n", Mediane(mJeu), Mediane(mRef));
    const std::vector<double> tPremier = PremiersDemarrages(argv[1], essais);
    if (tPremier.empty()) return 1;
    std::printf("premier_demarrage_ms %.1f %.1f\n", Mediane(tPremier), Mediane(tJeu));
    return 0;
}
