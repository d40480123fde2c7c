// Scenario files: a replay script beside the exact output it must give.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rejeu.h"
#include "tests/dossier_temporaire.h"

namespace fs = std::filesystem;

namespace {

std::string Contenu(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream texte;
    texte << f.rdbuf();
    return texte.str();
}

// The scripts name the files they save and load relative to where they run; here those names
// are moved into the test's own folder, and the process keeps its working directory.
std::string DansLeDossier(const std::string& script, const fs::path& dossier) {
    std::istringstream lignes(script);
    std::string ligne, resultat;
    while (std::getline(lignes, ligne)) {
        const auto espace = ligne.find(' ');
        const auto debut = ligne.find_first_not_of(' ', espace);
        const std::string commande = ligne.substr(0, espace);
        if ((commande == "enregistrer" || commande == "ouvrir") && debut != std::string::npos) {
            const fs::path fichier = ligne.substr(debut);
            if (fichier.is_relative()) ligne = commande + ' ' + (dossier / fichier).string();
        }
        resultat += ligne + '\n';
    }
    return resultat;
}

TEST(Scenarios, ChaqueScriptDonneExactementSaSortie) {
    const fs::path scenarios = fs::path(OVANE_TEST_DATA) / "scenarios";
    int n = 0;
    for (const auto& entree : fs::directory_iterator(scenarios)) {
        if (entree.path().extension() != ".rejeu") continue;
        SCOPED_TRACE(entree.path().filename().string());
        const DossierTemporaire dossier;
        std::istringstream script(DansLeDossier(Contenu(entree.path()), dossier.Chemin()));
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(Rejouer(script, sortie, erreurs), 0) << erreurs.str();
        fs::path attendu = entree.path();
        attendu.replace_extension(".attendu");
        EXPECT_EQ(sortie.str(), Contenu(attendu));
        ++n;
    }
    EXPECT_GE(n, 3);
}

TEST(Scenarios, UneLigneIllisibleEstNommee) {
    for (const char* ligne : {"clic 9 0", "clic 1", "clic a b", "tic 3", "parametres 4 40 60000",
                              "parametres 6 40 45000", "ouvrir", "danser"}) {
        std::istringstream script(std::string("etat\n# note\n\n") + ligne + "\netat\n");
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(Rejouer(script, sortie, erreurs), 2) << ligne;
        EXPECT_NE(erreurs.str().find("ligne 4"), std::string::npos) << erreurs.str();
        const std::string texte = sortie.str();
        EXPECT_EQ(std::count(texte.begin(), texte.end(), '\n'), 1);
    }
}

// The line count is wider than any script: line 2^31 is numbered, not wrapped to a negative.
TEST(Scenarios, LeNumeroDeLigneNeDebordePas) {
    std::istringstream script("etat\n");
    LigneScript ligne{2147483647u, {}};
    ASSERT_EQ(LireLigne(script, ligne), Lecture::Ligne);
    EXPECT_EQ(ligne.Numero, 2147483648u);
    EXPECT_EQ(ligne.Texte, "etat");
}

// A line holds at most 4096 bytes, line feed aside, whether one follows or the input ends.
TEST(Scenarios, UneLigneDe4096OctetsEstLaPlusLongue) {
    struct Cas {
        const char* nom;
        std::size_t longueur;
        const char* fin;
        int statut;
    };
    for (const Cas& cas :
         {Cas{"4096", 4096, "\netat\n", 0}, Cas{"4097", 4097, "\netat\n", 2},
          Cas{"4096SansSautFinal", 4096, "", 0}, Cas{"4097SansSautFinal", 4097, "", 2}}) {
        SCOPED_TRACE(cas.nom);
        std::istringstream script('#' + std::string(cas.longueur - 1, 'x') + cas.fin);
        std::ostringstream sortie, erreurs;
        EXPECT_EQ(Rejouer(script, sortie, erreurs), cas.statut) << erreurs.str();
    }
}

} // namespace
