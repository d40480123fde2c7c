// File-type registration on a registry in memory.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/association.h"

namespace {

struct Association : ::testing::Test {
    RegistreMemoire registre;
    QStringList messages;
    void Enregistrer(const QString& programme = QStringLiteral("/usr/games/ovane")) {
        EnregistrerTypeFichier(registre, programme,
                               [this](const QString& texte) { messages << texte; });
    }
};

TEST_F(Association, PremierDemarrageCreeLesQuatreCles) {
    Enregistrer();
    EXPECT_EQ(registre.Cles.size(), 4);
    EXPECT_EQ(registre.Cles.value(".ovn"), "Ovane");
    EXPECT_EQ(registre.Cles.value("Ovane"), "Partie d'Ovane");
    EXPECT_EQ(registre.Cles.value("Ovane\\DefaultIcon"), "/usr/games/ovane,0");
    EXPECT_EQ(registre.Cles.value("Ovane\\shell\\open\\command"), "\"/usr/games/ovane\" \"%1\"");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(registre.Fermetures, 1);
}

TEST_F(Association, SeuleLExtensionExiste) {
    registre.Cles.insert(".ovn", "AutreJeu");
    Enregistrer();
    EXPECT_EQ(registre.Cles.value(".ovn"), "AutreJeu");
    EXPECT_EQ(registre.Cles.value("Ovane"), "Partie d'Ovane");
    EXPECT_EQ(registre.Cles.size(), 4);
}

TEST_F(Association, LesDeuxClesExistentRienNEstEcrit) {
    registre.Cles.insert(".ovn", "Ovane");
    registre.Cles.insert("Ovane", "ancien");
    Enregistrer(QStringLiteral("/ailleurs/ovane"));
    EXPECT_EQ(registre.Cles.size(), 2);
    EXPECT_EQ(registre.Cles.value("Ovane"), "ancien");
}

TEST_F(Association, UnRegistreQuiRefuseLesEcritures) {
    registre.RefuserEcritures = true;
    Enregistrer();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Impossible d'ouvrir et/ou de mettre à jour la base de registres");
    EXPECT_EQ(registre.Fermetures, 1);
}

TEST_F(Association, UnRegistreInaccessible) {
    registre.RefuserAcces = true;
    Enregistrer();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Mémoire insuffisante pour ouvrir la base de registres");
    EXPECT_TRUE(registre.Cles.isEmpty());
}

TEST_F(Association, UnCheminAvecEspacesEtGuillemetsResteUnSeulMot) {
    Enregistrer(QStringLiteral("/home/léa/mes jeux/o\"vane"));
    EXPECT_EQ(registre.Cles.value("Ovane\\shell\\open\\command"),
              "\"/home/léa/mes jeux/o\\\"vane\" \"%1\"");
}

} // namespace
