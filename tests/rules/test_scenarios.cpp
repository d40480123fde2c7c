// Scenario files: a replay script beside the exact output it must give.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "rejeu.h"

namespace fs = std::filesystem;

namespace {

std::string Contenu(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::ostringstream texte;
    texte << f.rdbuf();
    return texte.str();
}

TEST(Scenarios, ChaqueScriptDonneExactementSaSortie) {
    const fs::path dossier = fs::path(OVANE_TEST_DATA) / "scenarios";
    int n = 0;
    for (const auto& entree : fs::directory_iterator(dossier)) {
        if (entree.path().extension() != ".rejeu") continue;
        SCOPED_TRACE(entree.path().filename().string());
        // Scripts that save and load work in the build folder.
        fs::current_path(fs::temp_directory_path());
        std::ifstream script(entree.path());
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

} // namespace
