// ovane-charge: a load of computer-played games on a game server of this machine, with the
// figures a player and an administrator care about. One "nom valeur" line per figure.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "charge.h"
#include "reseau_brut.h"

namespace {

const char* const Usage =
    "usage: ovane-charge --serveur ADRESSE:PORT [--parties N] [--duree S] [--cadence MS]\n"
    "                    [--inactives N] [--attente] [--reprise] [--hostiles] [--pid PID]\n"
    "  --serveur    le serveur, sur cette machine (127.0.0.1:PORT, [::1]:PORT)\n"
    "  --parties    parties jouées à la fois, deux joueurs chacune (10)\n"
    "  --duree      secondes de jeu mesurées (10)\n"
    "  --cadence    délai moyen, en ms, entre le moment où un joueur peut agir et son action "
    "(500)\n"
    "  --inactives  connexions qui saluent puis se taisent, à côté des parties (0)\n"
    "  --attente    parties créées et jamais rejointes : personne ne joue\n"
    "  --reprise    une connexion perdue revient avec son jeton et vérifie le rattrapage\n"
    "  --hostiles   des clients hostiles, d'une autre adresse, pendant les parties\n"
    "  --pid        le processus du serveur : sa mémoire et son temps de calcul\n";

bool Entier(const char* texte, long min, long max, long& valeur) {
    char* fin = nullptr;
    valeur = std::strtol(texte, &fin, 10);
    return fin != texte && *fin == '\0' && valeur >= min && valeur <= max;
}

// The options, or a message on standard error and false.
bool LireOptions(int argc, char** argv, OptionsCharge& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string nom = argv[i];
        if (nom == "--attente" || nom == "--reprise" || nom == "--hostiles") {
            (nom == "--attente" ? o.attente : nom == "--reprise" ? o.reprise : o.hostiles) = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* valeur = argv[++i];
        long n = 0;
        if (nom == "--serveur") {
            const auto adresse = LireAdresseBoucle(valeur);
            if (!adresse) {
                static_cast<void>(std::fprintf(
                    stderr, "ovane-charge: %s n'est pas une adresse de cette machine\n", valeur));
                return false;
            }
            const std::string texte = valeur;
            const auto deuxPoints = texte.rfind(':');
            o.hote = texte.substr(0, deuxPoints);
            if (o.hote.front() == '[') o.hote = o.hote.substr(1, o.hote.size() - 2);
            if (o.hote == "localhost") o.hote = "127.0.0.1";
            o.port = static_cast<std::uint16_t>(std::stoul(texte.substr(deuxPoints + 1)));
        } else if (nom == "--parties" && Entier(valeur, 0, 20000, n)) {
            o.parties = static_cast<int>(n);
        } else if (nom == "--duree" && Entier(valeur, 1, 3600, n)) {
            o.duree = static_cast<double>(n);
        } else if (nom == "--cadence" && Entier(valeur, 1, 600000, n)) {
            o.cadenceMs = static_cast<int>(n);
        } else if (nom == "--inactives" && Entier(valeur, 0, 60000, n)) {
            o.inactives = static_cast<int>(n);
        } else if (nom == "--pid" && Entier(valeur, 1, 1L << 30, n)) {
            o.pid = static_cast<pid_t>(n);
        } else {
            return false;
        }
    }
    return o.port != 0;
}

} // namespace

int main(int argc, char** argv) {
    OptionsCharge o;
    if (!LireOptions(argc, argv, o)) {
        static_cast<void>(std::fputs(Usage, stderr));
        return 2;
    }
    const ResultatCharge r = LancerCharge(o);
    std::printf("parties_en_jeu %d\n", o.attente ? 0 : r.partiesEnJeu);
    std::printf("parties_en_attente %d\n", o.attente ? r.partiesEnJeu : 0);
    std::printf("connexions_tenues %d\n", r.connexions);
    std::printf("inactives_tenues %d\n", r.inactivesTenues);
    std::printf("duree_s %.1f\n", r.dureeMesuree);
    std::printf("actions %lld\n", r.actions);
    std::printf("actions_par_s %.0f\n", r.actionsParSeconde);
    std::printf("latence_ms %.2f %.2f %.2f\n", r.medianeMs, r.p99Ms, r.pireMs);
    std::printf("erreurs %lld\n", r.erreurs);
    std::printf("verifies %d\n", r.verifies);
    std::printf("desynchros %d\n", r.desynchros);
    std::printf("lignes_jeu %lld\n", r.lignesJeu);
    std::printf("reprises %d\n", r.reprises);
    std::printf("pertes %d\n", r.pertes);
    std::printf("hostiles %lld %lld\n", r.hostilesOuvertes, r.hostilesRefusees);
    if (o.pid > 0) {
        std::printf("memoire_serveur_kio %lld %lld\n", r.memoireKio, r.picMemoireKio);
        std::printf("cpu_serveur_s %.2f\n", r.cpuServeur);
        std::printf("attente_cpu_serveur_s %.2f\n", r.attenteServeur);
    }
    return r.erreurs == 0 && r.desynchros == 0 && r.pertes == 0 ? 0 : 1;
}
