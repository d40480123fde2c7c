// The protocol's lines: what a host accepts from a player and what a player accepts from a host.
#include <gtest/gtest.h>

#include "game/partie.h"
#include "reseau/lignes.h"
#include "reseau/protocole.h"

namespace {

struct CasRequete {
    const char* nom;
    std::string_view ligne;
    // The line written back from what was read; nullptr: refused with erreur.
    const char* relue;
    const char* erreur;
};

const CasRequete CasRequetes[] = {
    {"bonjour", "ovane 1", "ovane 1", nullptr},
    {"autre_version", "ovane 2", nullptr, TextesReseau::VersionInconnue},
    {"creer", "creer rouges 7 60 90000", "creer rouges 7 60 90000", nullptr},
    {"creer_parametres_hors_dialogue", "creer bleus 8 60 90000", nullptr,
     TextesReseau::CommandeIllisible},
    {"creer_equipe_inconnue", "creer verts 6 40 60000", nullptr, TextesReseau::CommandeIllisible},
    {"rejoindre_en_minuscules", "rejoindre xk4p7m", "rejoindre XK4P7M", nullptr},
    {"code_avec_zero", "rejoindre XK4P70", nullptr, TextesReseau::CommandeIllisible},
    {"code_avec_l", "rejoindre XK4P7L", nullptr, TextesReseau::CommandeIllisible},
    {"reprendre", "reprendre XK4P7M 0123456789abcdef0123456789abcdef",
     "reprendre XK4P7M 0123456789abcdef0123456789abcdef", nullptr},
    {"jeton_court", "reprendre XK4P7M 0123", nullptr, TextesReseau::CommandeIllisible},
    {"clic", "clic 8 10", "clic 8 10", nullptr},
    {"clic_hors_plateau", "clic 9 0", nullptr, TextesReseau::CommandeIllisible},
    {"clic_signe", "clic +3 4", nullptr, TextesReseau::CommandeIllisible},
    {"clic_enorme", "clic 99999999999999999999 1", nullptr, TextesReseau::CommandeIllisible},
    {"deux_espaces", "clic 3  4", nullptr, TextesReseau::CommandeIllisible},
    {"espace_final", "passer-tour ", nullptr, TextesReseau::CommandeIllisible},
    {"passer_action", "passer-action", "passer-action", nullptr},
    {"tic_reserve_a_l_hote", "tic", nullptr, TextesReseau::CommandeIllisible},
    {"nouvelle_reservee_a_l_hote", "nouvelle", nullptr, TextesReseau::CommandeIllisible},
    {"proposer_parametres", "proposer parametres 5 20 30000", "proposer parametres 5 20 30000",
     nullptr},
    {"proposer_un_clic", "proposer clic 3 4", nullptr, TextesReseau::CommandeIllisible},
    {"accepter", "accepter", "accepter", nullptr},
    {"etat_avec_argument", "etat 1", nullptr, TextesReseau::CommandeIllisible},
    {"sauvegarde", "sauvegarde", "sauvegarde", nullptr},
    {"inconnue", "bonjour", nullptr, TextesReseau::CommandeInconnue},
    {"vide", "", nullptr, TextesReseau::CommandeIllisible},
    {"octet_nul", std::string_view("clic 3 4\0", 9), nullptr, TextesReseau::CommandeIllisible},
};

class Requetes : public testing::TestWithParam<CasRequete> {};

TEST_P(Requetes, LueEtReecrite) {
    const CasRequete& cas = GetParam();
    const LectureRequete lue = LireRequete(cas.ligne);
    if (cas.relue) {
        ASSERT_TRUE(lue.requete) << lue.erreur;
        EXPECT_EQ(TexteRequete(*lue.requete), cas.relue);
    } else {
        EXPECT_FALSE(lue.requete);
        EXPECT_STREQ(lue.erreur, cas.erreur);
    }
}

INSTANTIATE_TEST_SUITE_P(Protocole, Requetes, testing::ValuesIn(CasRequetes),
                         [](const auto& info) { return std::string(info.param.nom); });

struct CasAnnonce {
    const char* nom;
    std::string ligne;
    bool lisible;
};

std::string InstantaneDeTaille(std::size_t taille) {
    return "instantane " + EnBase64(std::vector<std::uint8_t>(taille, 0xA5));
}

const CasAnnonce CasAnnonces[] = {
    {"bonjour", "ovane 1 1.0.0.45", true},
    {"bonjour_autre_version", "ovane 2 1.0.0.45", false},
    {"partie", "partie XK4P7M rouges 0123456789abcdef0123456789abcdef", true},
    {"jeu_tic", "jeu tic", true},
    {"jeu_nouvelle", "jeu nouvelle", true},
    {"jeu_parametres", "jeu parametres 6 40 60000", true},
    {"jeu_hors_plateau", "jeu clic 4 11", false},
    {"boite", "boite\texclamation\tTir\tBut des Bleus !\\nBravo", true},
    {"boite_icone_inconnue", "boite\tquestion\tTir\tBut", false},
    {"erreur_avec_espaces", "erreur Ce n'est pas à vous de jouer.", true},
    {"adversaire", "adversaire absent", true},
    {"proposition", "proposition parametres 7 60 90000", true},
    {"reponse", "reponse annulee", true},
    {"reponse_inconnue", "reponse peut-etre", false},
    {"fin", "fin Match nul", true},
    {"instantane", InstantaneDeTaille(TaillePartie), true},
    {"instantane_tronque", InstantaneDeTaille(TaillePartie - 1), false},
    {"instantane_base64_invalide", "instantane AAA*", false},
    {"sauvegarde", "sauvegarde " + EnBase64(std::vector<std::uint8_t>(TaillePartie, 0x5A)), true},
    {"sauvegarde_tronquee", "sauvegarde " + EnBase64(std::vector<std::uint8_t>(8, 0x5A)), false},
    {"inconnue", "salut", false},
};

class Annonces : public testing::TestWithParam<CasAnnonce> {};

TEST_P(Annonces, LueEtReecrite) {
    const auto annonce = LireAnnonce(GetParam().ligne);
    ASSERT_EQ(annonce.has_value(), GetParam().lisible);
    if (annonce) {
        EXPECT_EQ(TexteAnnonce(*annonce), GetParam().ligne);
    }
}

INSTANTIATE_TEST_SUITE_P(Protocole, Annonces, testing::ValuesIn(CasAnnonces),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(Base64, AllerRetourEtFormeUnique) {
    for (std::size_t taille = 0; taille < 8; ++taille) {
        std::vector<std::uint8_t> octets(taille);
        for (std::size_t i = 0; i < taille; ++i) octets[i] = static_cast<std::uint8_t>(0xF0 + i);
        EXPECT_EQ(DepuisBase64(EnBase64(octets)), octets) << taille;
    }
    EXPECT_EQ(EnBase64({'M', 'a'}), "TWE=");
    // The same bytes with stray bits after them: another text for them is refused.
    EXPECT_FALSE(DepuisBase64("TWF="));
    EXPECT_FALSE(DepuisBase64("TW=E"));
}

TEST(LecteurLignes, DecoupeEtBorne) {
    LecteurLignes lecteur(8);
    EXPECT_TRUE(lecteur.Ajouter("ab\r\n12345678\r"));
    EXPECT_TRUE(lecteur.Ajouter("\nsuite"));
    EXPECT_EQ(lecteur.Suivante(), "ab");
    EXPECT_EQ(lecteur.Suivante(), "12345678");
    EXPECT_EQ(lecteur.Suivante(), std::nullopt);
    // Ten bytes and no end: refused before the line feed comes, and nothing more is held.
    EXPECT_FALSE(lecteur.Ajouter("67890"));
    EXPECT_TRUE(lecteur.TropLongue());
    EXPECT_EQ(lecteur.Taille(), 0u);
}

} // namespace
