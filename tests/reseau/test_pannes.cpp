// The server's faults, through the real program: a database it cannot use at start, a stop asked
// for, a full disk. Each test takes a second or two.
#include <QTcpSocket>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include "client_socket.h"
#include "serveur_processus.h"
#include "tests/dossier_temporaire.h"
#include "tools/aleatoire/joueur_aleatoire.h"

namespace {

namespace fs = std::filesystem;

// Every file of a folder with its bytes: what "nothing deleted or overwritten" compares.
std::map<std::string, std::string> Contenus(const fs::path& dossier) {
    std::map<std::string, std::string> contenus;
    for (const auto& entree : fs::recursive_directory_iterator(dossier)) {
        std::ifstream f(entree.path(), std::ios::binary);
        contenus[entree.path().string()] = entree.is_directory()
                                               ? "<dossier>"
                                               : std::string(std::istreambuf_iterator<char>(f), {});
    }
    return contenus;
}

// A database the server cannot use, as a test makes it; what it returns lives through the test.
struct CasBase {
    const char* nom;
    std::unique_ptr<ServeurProcessus> (*preparer)(const fs::path& dossier);
};

const CasBase CasBases[] = {
    {"endommagee",
     [](const fs::path& dossier) {
         std::ofstream(dossier / "parties.sqlite", std::ios::binary)
             << "SQLite format 3" << std::string(8192, '\x5a');
         return std::unique_ptr<ServeurProcessus>();
     }},
    {"verrouillee_par_un_autre_serveur",
     [](const fs::path& dossier) { return std::make_unique<ServeurProcessus>(dossier); }},
    {"illisible",
     [](const fs::path& dossier) {
         // A folder where the file should be: no user, root included, can read it as a database.
         fs::create_directory(dossier / "parties.sqlite");
         return std::unique_ptr<ServeurProcessus>();
     }},
};

class BaseInutilisable : public testing::TestWithParam<CasBase> {};

TEST_P(BaseInutilisable, LeServeurNommeLeFichierEtNeToucheARien) {
    DossierTemporaire donnees;
    const auto premier = GetParam().preparer(donnees.Chemin());
    const auto avant = Contenus(donnees.Chemin());
    ServeurProcessus serveur(donnees.Chemin());
    EXPECT_EQ(serveur.Port(), 0);
    EXPECT_EQ(serveur.Fin(), 1);
    EXPECT_TRUE(serveur.Journal().contains(
        QString::fromStdString((donnees.Chemin() / "parties.sqlite").string())));
    EXPECT_EQ(Contenus(donnees.Chemin()), avant);
    // The server that holds the games goes on serving.
    if (premier) {
        ClientSocket c;
        EXPECT_TRUE(c.Connecter(premier->Port()));
    }
}

INSTANTIATE_TEST_SUITE_P(Pannes, BaseInutilisable, testing::ValuesIn(CasBases),
                         [](const auto& info) { return std::string(info.param.nom); });

using Clients = std::array<std::unique_ptr<ClientSocket>, 2>;

// A game on the server, both seats taken.
void Asseoir(Clients& c, quint16 port) {
    for (auto& client : c) {
        client = std::make_unique<ClientSocket>();
        ASSERT_TRUE(client->Connecter(port));
    }
    ASSERT_TRUE(c[0]->Commande("creer bleus 5 20 90000"));
    const auto partie = LireAnnonce(c[0]->memoire.recues[1]);
    ASSERT_TRUE(partie && partie->genre == Annonce::Genre::Partie);
    ASSERT_TRUE(c[1]->Commande("rejoindre " + partie->code));
    ASSERT_EQ(c[1]->Derniere(), "ok");
}

// Both players read every line the host sent them so far.
void Lire(Clients& c) {
    for (auto& client : c) ASSERT_TRUE(client->Commande("etat"));
}

// A plausible click of the team to play, tried until the rules take one: its line, or "" when
// the host refused them all for another reason.
std::string UneAction(Clients& c, JoueurAleatoire& hasard, std::string& refus) {
    for (int essai = 0; essai < 50; ++essai) {
        const jeu& j = *c[0]->memoire.partie.j;
        ClientSocket& joueur = *c[static_cast<std::size_t>(j.Equipe())];
        const position p = hasard.ClicPlausible(j);
        const std::string ligne =
            "clic " + std::to_string(p.Colonne) + ' ' + std::to_string(p.Ligne);
        const std::size_t avant = joueur.memoire.recues.size();
        if (!joueur.Commande(ligne)) return {};
        refus = joueur.Derniere().rfind("erreur ", 0) == 0 ? joueur.Derniere() : std::string();
        if (!refus.empty()) return ligne;
        for (std::size_t i = avant; i < joueur.memoire.recues.size(); ++i)
            if (joueur.memoire.recues[i] == "jeu " + ligne) return ligne;
    }
    return {};
}

TEST(Pannes, SigtermPrevientLesJoueursFinitSesEcrituresEtSortAvecZero) {
    DossierTemporaire donnees;
    std::string jeton, code;
    {
        ServeurProcessus serveur(donnees.Chemin());
        ASSERT_NE(serveur.Port(), 0);
        ClientSocket c;
        ASSERT_TRUE(c.Connecter(serveur.Port()));
        ASSERT_TRUE(c.Commande("creer bleus 5 20 30000"));
        code = LireAnnonce(c.memoire.recues[1])->code;
        jeton = c.memoire.jeton;
        ::kill(static_cast<pid_t>(serveur.processus.processId()), SIGTERM);
        ASSERT_TRUE(c.Attendre("erreur "));
        EXPECT_EQ(c.Derniere(), std::string("erreur ") + TextesReseau::Arret);
        EXPECT_EQ(serveur.Fin(), 0);
    }
    ServeurProcessus suivant(donnees.Chemin());
    ClientSocket c;
    ASSERT_TRUE(c.Connecter(suivant.Port()));
    ASSERT_TRUE(c.Commande("reprendre " + code + ' ' + jeton));
    EXPECT_EQ(c.Derniere(), "ok");
}

// A small tmpfs of the test's own; only root may mount one.
class Tmpfs {
public:
    explicit Tmpfs(const fs::path& point) : point_(point) {
        monte_ = ::geteuid() == 0 &&
                 ::mount("tmpfs", point.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=2m") == 0;
    }
    ~Tmpfs() {
        if (monte_) ::umount2(point_.c_str(), MNT_DETACH);
    }
    bool Monte() const { return monte_; }

private:
    fs::path point_;
    bool monte_ = false;
};

// Fills the file system until it refuses a byte more.
void Remplir(const fs::path& fichier) {
    std::FILE* f = std::fopen(fichier.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const std::string bloc(4096, '\0');
    for (int n = 0; n < 4096 && std::fwrite(bloc.data(), 1, bloc.size(), f) == bloc.size(); ++n) {
    }
    static_cast<void>(std::fclose(f));
}

TEST(Pannes, UnDisquePleinRefuseLesActionsSansRienPerdrePuisReprend) {
    DossierTemporaire point;
    const Tmpfs disque(point.Chemin());
    if (!disque.Monte()) GTEST_SKIP() << "monter un tmpfs demande les droits de root";
    auto serveur = std::make_unique<ServeurProcessus>(point.Chemin() / "donnees");
    ASSERT_NE(serveur->Port(), 0);
    Clients c;
    Asseoir(c, serveur->Port());
    JoueurAleatoire hasard(3);
    std::string refus;
    ASSERT_FALSE(UneAction(c, hasard, refus).empty());
    ASSERT_TRUE(refus.empty()) << refus;

    Lire(c);
    Remplir(point.Chemin() / "remplissage");
    const auto avant = c[0]->memoire.Octets();
    EXPECT_FALSE(UneAction(c, hasard, refus).empty());
    Lire(c);
    EXPECT_EQ(refus, std::string("erreur ") + TextesReseau::Stockage);
    EXPECT_EQ(c[0]->memoire.Octets(), avant);
    EXPECT_EQ(c[1]->memoire.Octets(), avant);

    fs::remove(point.Chemin() / "remplissage");
    ASSERT_FALSE(UneAction(c, hasard, refus).empty());
    EXPECT_TRUE(refus.empty()) << refus;
    Lire(c);
    const auto gardee = c[0]->memoire.Octets();

    // What was accepted is in the database: a server killed now gives it all back.
    const std::string jeton = c[0]->memoire.jeton;
    const std::string code = LireAnnonce(c[0]->memoire.recues[1])->code;
    serveur.reset();
    serveur = std::make_unique<ServeurProcessus>(point.Chemin() / "donnees");
    ClientSocket retour;
    ASSERT_TRUE(retour.Connecter(serveur->Port()));
    ASSERT_TRUE(retour.Commande("reprendre " + code + ' ' + jeton));
    jeu sansTemps = *retour.memoire.partie.j;
    jeu attendu;
    Equipes joueurs;
    ASSERT_EQ(ChargerPartie(gardee.data(), gardee.size(), attendu, joueurs), Chargement::Reussi);
    sansTemps.TempsRestant = attendu.TempsRestant;
    EXPECT_EQ(OctetsPartie(sansTemps, retour.memoire.partie.joueurs), gardee);
}

} // namespace
