// The saved-game file: its exact bytes, the round trip, and what a load refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pwd.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "octets.h"
#include "tests/dossier_temporaire.h"

namespace fs = std::filesystem;

namespace {

struct Fichiers : ::testing::Test {
    DossierTemporaire dossier;
    std::unique_ptr<jeu> j = std::make_unique<jeu>();
    Equipes joueurs;

    std::string Ecrire(const std::string& nom, const std::vector<std::uint8_t>& octets) {
        const fs::path chemin = dossier / nom;
        std::ofstream(chemin, std::ios::binary)
            .write(reinterpret_cast<const char*>(octets.data()),
                   static_cast<std::streamsize>(octets.size()));
        return chemin.string();
    }

    static std::vector<std::uint8_t> Lire(const std::string& chemin) {
        std::ifstream f(chemin, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }

    // A game in the middle of its second turn, with something in every kind of field.
    void PartieEnCours() {
        j->PlacerPion(joueurs, 0, 1);
        j->JoueurCourant = 1;
        j->PlacerPion(joueurs, 2, 10 - 3);
        j->JoueurCourant = 0;
        j->TourCourant = 2;
        j->Action = acTir;
        j->TempsRestant = 12400;
        j->ChoisirPion(0, 1);
        j->DeplacerPion(1, 2);
        joueurs[Bleus].NbCoups = 2;
        joueurs[Rouges].NbCoups = 2;
        joueurs[Rouges].Buts = 1;
        joueurs[Bleus].Occupation = 6;
        joueurs[Rouges].Occupation = 4;
    }
};

using FichierPartie = Fichiers;

TEST_F(FichierPartie, UneNouvellePartieFaitExactement9777Octets) {
    const auto o = Octets(*j, joueurs);
    ASSERT_EQ(o.size(), 9777u);
    const std::int32_t debut[] = {6, 40, 1, 0, -1, -1, 4, 5, 0};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(EntierA(o, 4 * i), debut[i]) << "champ " << i;
    EXPECT_EQ(o[36], 0);
    EXPECT_EQ(EntierA(o, 37), 0);
    EXPECT_EQ(EntierA(o, 41), 60000);
    EXPECT_EQ(o[45], 1);
    for (int i = 0; i < 99; ++i) EXPECT_EQ(o[46 + i], i == 49 ? 0 : 255) << "case " << i;
    for (int i = 145; i < 9745; ++i) ASSERT_EQ(o[i], 255) << "octet " << i;
    for (int i = 9745; i < 9777; ++i) ASSERT_EQ(o[i], 0) << "octet " << i;
}

TEST_F(FichierPartie, LesChampsDUnEnregistrementSontAleurPlace) {
    PartieEnCours();
    const auto o = Octets(*j, joueurs);
    EXPECT_EQ(EntierA(o, 37), 12400);
    EXPECT_EQ(o[45], acTir);
    // Bleus' record of turn 2 is record 2; its move at offset 56 in the record.
    EXPECT_EQ(EntierA(o, 145 + 80 * 2 + 56), 0);
    EXPECT_EQ(EntierA(o, 145 + 80 * 2 + 60), 1);
    EXPECT_EQ(EntierA(o, 145 + 80 * 2 + 64), 1);
    EXPECT_EQ(EntierA(o, 145 + 80 * 2 + 68), 2);
    // Rouges' first placement, record 1.
    EXPECT_EQ(EntierA(o, 145 + 80 + 4), 7);
    EXPECT_EQ(EntierA(o, 9761 + 4), 1);
    EXPECT_EQ(EntierA(o, 9745 + 12), 6);
}

TEST_F(FichierPartie, EnregistrerChargerEnregistrerDonneLesMemesOctets) {
    PartieEnCours();
    const std::string chemin = (dossier / "partie.ovn").string();
    ASSERT_EQ(SauvegarderPartie(chemin, *j, joueurs), Sauvegarde::Reussie);
    auto relu = std::make_unique<jeu>();
    Equipes equipes;
    ASSERT_EQ(ChargerPartie(chemin, *relu, equipes), Chargement::Reussi);
    EXPECT_EQ(relu->TempsRestant, 12400u);
    EXPECT_EQ(Octets(*relu, equipes), Lire(chemin));
    EXPECT_EQ(Octets(*relu, equipes), Octets(*j, joueurs));
}

TEST_F(FichierPartie, LesOctetsAuDelaDe9777SontIgnores) {
    j->MaxTemps = 30000;
    auto o = Octets(*j, joueurs);
    o.push_back(0x42);
    auto relu = std::make_unique<jeu>();
    Equipes equipes;
    ASSERT_EQ(ChargerPartie(Ecrire("long.ovn", o), *relu, equipes), Chargement::Reussi);
    EXPECT_EQ(relu->MaxTemps, 30000u);
}

TEST_F(FichierPartie, UnFichierIntrouvableEstSignaleSansToucherLaPartie) {
    PartieEnCours();
    const auto avant = Octets(*j, joueurs);
    EXPECT_EQ(ChargerPartie((dossier / "absent.ovn").string(), *j, joueurs),
              Chargement::Introuvable);
    EXPECT_EQ(Octets(*j, joueurs), avant);
}

// A byte patch that turns a good file into one the program must refuse.
struct Alteration {
    const char* nom;
    std::size_t offset;
    std::vector<std::uint8_t> octets;
    // A second patch, for values that are only wrong together.
    std::size_t offset2 = 0;
    std::vector<std::uint8_t> octets2 = {};
};

std::vector<std::uint8_t> Le32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
            static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
}

class Refus : public Fichiers, public ::testing::WithParamInterface<Alteration> {};

TEST_P(Refus, LaPartieEnCoursResteIntacte) {
    PartieEnCours();
    auto o = Octets(*j, joueurs);
    std::memcpy(o.data() + GetParam().offset, GetParam().octets.data(), GetParam().octets.size());
    if (!GetParam().octets2.empty())
        std::memcpy(o.data() + GetParam().offset2, GetParam().octets2.data(),
                    GetParam().octets2.size());
    const std::string chemin = Ecrire("mauvais.ovn", o);
    auto live = std::make_unique<jeu>();
    Equipes equipes;
    live->NbTours = 60;
    live->PlacerPion(equipes, 3, 3);
    const auto avant = Octets(*live, equipes);
    EXPECT_EQ(ChargerPartie(chemin, *live, equipes), Chargement::Donnees);
    EXPECT_EQ(Octets(*live, equipes), avant);
}

const std::vector<Alteration> Alterations = {
    {"ActionNulle", 45, {0}},
    {"ActionCinq", 45, {5}},
    {"JoueurDeux", 36, {2}},
    {"JoueurNegatif", 36, {0xFF}},
    {"CaseTrois", 46 + 10, {3}},
    {"Case254", 46 + 98, {254}},
    {"TourZero", 8, Le32(0)},
    {"Tour61", 8, Le32(61)},
    {"PionsHuit", 0, Le32(8)},
    {"PionsZero", 0, Le32(0)},
    {"ToursZero", 4, Le32(0)},
    {"ToursImpair", 4, Le32(21)},
    {"Tours62", 4, Le32(62)},
    {"TempsMaxNul", 41, Le32(0)},
    // In range, but none of the choices a player has.
    {"PionsQuatre", 0, Le32(4)},
    {"ToursTrente", 4, Le32(30)},
    {"TempsMax45000", 41, Le32(45000)},
    {"ButTrois", 12, Le32(3)},
    {"FinDeJeuDeux", 32, Le32(2)},
    {"PaletHorsPlateau", 24, Le32(9)},
    {"PaletLigneNegative", 28, Le32(-1)},
    {"PionDeplaceHorsPlateau", 16, Le32(20)},
    {"PionDeplaceAMoitieVide", 20, Le32(-1)},
    {"HistoriqueColonneNeuf", 145 + 80 * 7, Le32(9)},
    {"HistoriqueLigneOnze", 145 + 80 * 119 + 76, Le32(11)},
    {"HistoriqueAMoitieVide", 145 + 80 * 2 + 56, Le32(-1)},
    {"PionsPlacesHuit", 9745 + 8, Le32(8)},
    {"PionsPlacesNegatif", 9761 + 8, Le32(-1)},
    // Values each in range, but that no game holds together.
    {"PionDeplaceSurLePalet", 16, {4, 0, 0, 0, 5, 0, 0, 0}},
    {"PionDeplaceAdverse", 16, {2, 0, 0, 0, 7, 0, 0, 0}},
    {"DestinationSansPionChoisi", 16, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 45, {3}},
    {"PaletAilleursQueSaCase", 24, Le32(3)},
    {"PaletSurLaLigneDeBut", 28, Le32(0), 46 + 4 * 11, {0xFF}},
    {"DeuxPalets", 46 + 3, {0}},
    {"ButSansFinDeJeu", 12, Le32(1)},
    {"HuitPionsBleus", 46, {1, 1, 1, 1, 1, 1, 1, 1}},
    {"CoupsEcartDeDeux", 9745, Le32(4)},
    {"CoupsNegatifs", 9761, Le32(-1)},
    {"OccupationGeante", 9745 + 12, Le32(2147483647)},
    {"ButsGeants", 9761 + 4, Le32(2147483647)},
    // Each in range, but against what a game keeps true: the pawns on the board are the pawns
    // placed, the team to play has not played more than the other, and the counters can still
    // take the rest of the game.
    {"UnPionRougeDeTrop", 55, {2}},
    {"LesBleusOntDejaJoueCeTour", 9745, Le32(3)},
    {"OccupationAuPlafond", 9745 + 12, Le32(1000000)},
    {"ButsAuPlafond", 9761 + 4, Le32(1000000)},
};

INSTANTIATE_TEST_SUITE_P(Valeurs, Refus, ::testing::ValuesIn(Alterations),
                         [](const auto& info) { return info.param.nom; });

TEST_F(FichierPartie, UnFichierDe9776OctetsEstRefuse) {
    auto o = Octets(*j, joueurs);
    o.pop_back();
    auto live = std::make_unique<jeu>();
    Equipes equipes;
    live->TourCourant = 5;
    EXPECT_EQ(ChargerPartie(Ecrire("court.ovn", o), *live, equipes), Chargement::Donnees);
    EXPECT_EQ(live->TourCourant, 5);
    EXPECT_EQ(ChargerPartie(o.data(), o.size(), *live, equipes), Chargement::Donnees);
}

TEST_F(FichierPartie, UnPlacementQuiNePeutPlusContinuerEstRefuse) {
    // Rouges to place, two pawns behind Bleus: no game reaches this.
    for (int c = 0; c < 3; ++c) j->PlacerPion(joueurs, c, 1);
    j->JoueurCourant = Rouges;
    j->PlacerPion(joueurs, 0, 7);
    joueurs[Bleus].NbCoups = 3;
    joueurs[Rouges].NbCoups = 1;
    auto o = Octets(*j, joueurs);
    auto live = std::make_unique<jeu>();
    Equipes equipes;
    EXPECT_EQ(ChargerPartie(o.data(), o.size(), *live, equipes), Chargement::Donnees);
    j->PlacerPion(joueurs, 1, 7);
    joueurs[Rouges].NbCoups = 2;
    o = Octets(*j, joueurs);
    EXPECT_EQ(ChargerPartie(o.data(), o.size(), *live, equipes), Chargement::Reussi);
}

// Only a regular file is opened: a folder is a file that cannot be opened, and a pipe is refused
// without waiting for something to write into it.
TEST_F(FichierPartie, UnDossierOuUnTubeNeSOuvrentPas) {
    EXPECT_EQ(ChargerPartie(dossier.Chemin().string(), *j, joueurs), Chargement::Introuvable);
    const std::string tube = (dossier / "tube.ovn").string();
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    EXPECT_EQ(ChargerPartie(tube, *j, joueurs), Chargement::Introuvable);
}

TEST_F(FichierPartie, UnDossierAbsentEmpecheLaCreation) {
    EXPECT_EQ(SauvegarderPartie((dossier / "absent" / "p.ovn").string(), *j, joueurs),
              Sauvegarde::Creation);
}

// Simulates a full disk: the file size limit makes the write fail part-way.
TEST_F(FichierPartie, UneEcritureRateeLaisseLAncienFichierIntact) {
    const std::string chemin = (dossier / "partie.ovn").string();
    ASSERT_EQ(SauvegarderPartie(chemin, *j, joueurs), Sauvegarde::Reussie);
    const auto avant = Lire(chemin);
    PartieEnCours();

    rlimit ancienne{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &ancienne), 0);
    const auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = ancienne;
    petite.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);
    const Sauvegarde resultat = SauvegarderPartie(chemin, *j, joueurs);
    setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, ancienSignal);

    EXPECT_EQ(resultat, Sauvegarde::Donnees);
    EXPECT_EQ(Lire(chemin), avant);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier.Chemin()), fs::directory_iterator()), 1);
}

// Saving through a link replaces what it points to, as editors do, and keeps the link.
TEST_F(FichierPartie, UnLienEstSuiviJusquASaCible) {
    const std::string cible = Ecrire("vraie.ovn", {1, 2, 3});
    const fs::path lien = dossier / "lien.ovn";
    fs::create_symlink("vraie.ovn", lien);
    PartieEnCours();
    ASSERT_EQ(SauvegarderPartie(lien.string(), *j, joueurs), Sauvegarde::Reussie);
    EXPECT_TRUE(fs::is_symlink(lien));
    EXPECT_EQ(Lire(cible), Octets(*j, joueurs));
}

TEST_F(FichierPartie, CeQuiNEstPasUnFichierOrdinaireNEstPasRemplace) {
    const fs::path tube = dossier / "tube.ovn";
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    EXPECT_EQ(SauvegarderPartie(tube.string(), *j, joueurs), Sauvegarde::Creation);
    EXPECT_TRUE(fs::is_fifo(tube));
    // A device, reached through a link so that the test never risks a real one.
    const fs::path peripherique = dossier / "nul.ovn";
    fs::create_symlink("/dev/null", peripherique);
    EXPECT_EQ(SauvegarderPartie(peripherique.string(), *j, joueurs), Sauvegarde::Creation);
    EXPECT_TRUE(fs::is_symlink(peripherique));
}

TEST_F(FichierPartie, UnFichierEnLectureSeuleNEstPasRemplace) {
    const std::string chemin = Ecrire("lecture.ovn", {1, 2, 3});
    ASSERT_EQ(::chmod(chemin.c_str(), 0444), 0);
    EXPECT_EQ(SauvegarderPartie(chemin, *j, joueurs), Sauvegarde::Creation);
    EXPECT_EQ(Lire(chemin), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST_F(FichierPartie, LesDroitsSontGardesSaufSetuidEtSetgid) {
    const std::string chemin = Ecrire("droits.ovn", {1});
    ASSERT_EQ(::chmod(chemin.c_str(), 06754), 0);
    ASSERT_EQ(SauvegarderPartie(chemin, *j, joueurs), Sauvegarde::Reussie);
    struct stat etat {};
    ASSERT_EQ(::stat(chemin.c_str(), &etat), 0);
    EXPECT_EQ(etat.st_mode & 07777, 0754u);
}

// Starts f in a child process, which exits with what f returns.
template <class F> pid_t Lancer(F f) {
    const pid_t enfant = ::fork();
    if (enfant == 0) ::_exit(f());
    return enfant;
}

// The child's exit status, or -1 when it did not exit by itself.
int Statut(pid_t enfant) {
    int statut = 0;
    if (enfant < 0 || ::waitpid(enfant, &statut, 0) != enfant || !WIFEXITED(statut)) return -1;
    return WEXITSTATUS(statut);
}

// Makes the file look as a killed save would have left it that long ago.
void Vieillir(const fs::path& chemin, std::chrono::seconds age) {
    fs::last_write_time(chemin, fs::file_time_type::clock::now() - age);
}

// A program killed in the middle of its saves leaves, once it saves again a minute later, the
// game and nothing else.
TEST_F(FichierPartie, DesSauvegardesInterrompuesNeLaissentRien) {
    const std::string chemin = (dossier / "partie.ovn").string();
    std::mt19937 hasard(1);
    for (int i = 0; i < 100; ++i) {
        const pid_t enfant = ::fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0)
            for (;;) SauvegarderPartie(chemin, *j, joueurs);
        ::usleep(std::uniform_int_distribution<unsigned>(0, 3000)(hasard));
        ::kill(enfant, SIGKILL);
        ::waitpid(enfant, nullptr, 0);
    }
    for (const auto& entree : fs::directory_iterator(dossier.Chemin()))
        Vieillir(entree.path(), std::chrono::minutes(2));
    ASSERT_EQ(SauvegarderPartie(chemin, *j, joueurs), Sauvegarde::Reussie);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier.Chemin()), fs::directory_iterator()), 1);
}

// What a killed save leaves goes at the next save into that folder once a minute old; a younger
// one may be another program's save under way, and stays.
TEST_F(FichierPartie, LesRestesDePlusDUneMinuteSontRetires) {
    const std::string vieux = Ecrire(".ovane-0123456789abcdef", {1});
    const std::string recent = Ecrire(".ovane-fedcba9876543210", {2});
    Vieillir(vieux, std::chrono::seconds(61));
    ASSERT_EQ(SauvegarderPartie((dossier / "partie.ovn").string(), *j, joueurs),
              Sauvegarde::Reussie);
    EXPECT_FALSE(fs::exists(vieux));
    EXPECT_TRUE(fs::exists(recent));
}

// Two programs saving the same file at once: each save has its own new file, so none fails.
TEST_F(FichierPartie, DeuxProgrammesEnregistrentLeMemeFichierEnsemble) {
    const std::string chemin = (dossier / "partie.ovn").string();
    const auto enregistrer = [&] {
        int echecs = 0;
        for (int i = 0; i < 400; ++i)
            echecs += SauvegarderPartie(chemin, *j, joueurs) != Sauvegarde::Reussie;
        return std::min(echecs, 100);
    };
    const pid_t premier = Lancer(enregistrer);
    const pid_t second = Lancer(enregistrer);
    EXPECT_EQ(Statut(premier), 0);
    EXPECT_EQ(Statut(second), 0);
}

// The longest paths once failed: the new file's name, longer than the target's, made too long a
// path. 4080 bytes: a short name in a folder whose path is long.
TEST_F(FichierPartie, UnCheminDe4080OctetsSEnregistre) {
    constexpr std::size_t Longueur = 4080;
    const std::string nom = "/p.ovn";
    fs::path chemin = dossier.Chemin();
    while (Longueur - nom.size() - chemin.native().size() > 201) chemin /= std::string(200, 'd');
    chemin /= std::string(Longueur - nom.size() - chemin.native().size() - 1, 'd');
    fs::create_directories(chemin);
    chemin += nom;
    ASSERT_EQ(chemin.native().size(), Longueur);
    PartieEnCours();
    ASSERT_EQ(SauvegarderPartie(chemin, *j, joueurs), Sauvegarde::Reussie);
    EXPECT_EQ(Lire(chemin), Octets(*j, joueurs));
}

// A folder that may be written to but not read cannot be synced: the save fails before anything
// is touched, instead of reporting a failure once the file is replaced. Root reads any folder, so
// under root the save runs as nobody.
TEST_F(FichierPartie, UnDossierQuiNeSeSynchronisePasLaisseLeFichierIntact) {
    const fs::path sous = dossier / "ecriture";
    fs::create_directory(sous);
    const std::string chemin = Ecrire("ecriture/partie.ovn", {1, 2, 3});
    const passwd* personne = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || personne);
    if (root) {
        ASSERT_EQ(::chmod(dossier.Chemin().c_str(), 0711), 0);
        ASSERT_EQ(::chown(sous.c_str(), personne->pw_uid, personne->pw_gid), 0);
        ASSERT_EQ(::chown(chemin.c_str(), personne->pw_uid, personne->pw_gid), 0);
    }
    ASSERT_EQ(::chmod(sous.c_str(), 0333), 0);
    PartieEnCours();
    const int resultat = Statut(Lancer([&] {
        if (root && (::setgid(personne->pw_gid) != 0 || ::setuid(personne->pw_uid) != 0)) return 99;
        return static_cast<int>(SauvegarderPartie(chemin, *j, joueurs));
    }));
    ASSERT_EQ(::chmod(sous.c_str(), 0755), 0);
    EXPECT_EQ(resultat, static_cast<int>(Sauvegarde::Creation));
    EXPECT_EQ(Lire(chemin), (std::vector<std::uint8_t>{1, 2, 3}));
}

} // namespace
