// The addresses a player types: plain or TLS, with or without the certificate's fingerprint, and
// written back as the dialog offers them again.
#include <gtest/gtest.h>
#include <string>

#include "reseau/chiffrement.h"
#include "reseau/session.h"

namespace {

struct CasAdresse {
    const char* nom;
    std::string texte;
    // Empty: refused.
    std::string ecrite;
    const char* hote;
    quint16 port;
    bool chiffree;
    std::string empreinte;
};

const std::string AbPoints = "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:"
                             "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB";
const std::string AbHexa = "abababababababababababababababab"
                           "abababababababababababababababab";

const CasAdresse CasAdresses[] = {
    {"nom", " jeux.example.org ", "jeux.example.org", "jeux.example.org", 7710, false, ""},
    {"nom_port", "jeux.example.org:7711", "jeux.example.org:7711", "jeux.example.org", 7711, false,
     ""},
    {"ipv6", "[::1]:7711", "[::1]:7711", "::1", 7711, false, ""},
    {"tls", "ovanes://jeux.example.org", "ovanes://jeux.example.org", "jeux.example.org", 7710,
     true, ""},
    {"tls_empreinte", "ovanes://[::1]:7711#sha256=" + AbPoints,
     "ovanes://[::1]:7711#sha256=" + AbPoints, "::1", 7711, true, AbPoints},
    {"majuscules_minuscules_sans_deux_points", "OVANES://h:7711#SHA256=" + AbHexa,
     "ovanes://h:7711#sha256=" + AbPoints, "h", 7711, true, AbPoints},
    {"empreinte_sans_tls", "h:7711#sha256=" + AbPoints, "", "", 0, false, ""},
    {"empreinte_courte", "ovanes://h#sha256=AB:AB", "", "", 0, false, ""},
    {"empreinte_pas_hexadecimale", "ovanes://h#sha256=" + AbHexa.substr(2) + "zz", "", "", 0, false,
     ""},
    {"autre_hachage", "ovanes://h#md5=" + AbHexa, "", "", 0, false, ""},
    {"schema_seul", "ovanes://", "", "", 0, false, ""},
};

class Adresses : public testing::TestWithParam<CasAdresse> {};

TEST_P(Adresses, LuesPuisEcrites) {
    const CasAdresse& cas = GetParam();
    const auto adresse = LireAdresse(QString::fromStdString(cas.texte));
    ASSERT_EQ(adresse.has_value(), !cas.ecrite.empty());
    if (!adresse) return;
    EXPECT_EQ(adresse->hote, QString::fromLatin1(cas.hote));
    EXPECT_EQ(adresse->port, cas.port);
    EXPECT_EQ(adresse->chiffree, cas.chiffree);
    EXPECT_EQ(TexteEmpreinte(adresse->empreinte), QString::fromStdString(cas.empreinte));
    EXPECT_EQ(TexteAdresse(*adresse), QString::fromStdString(cas.ecrite));
}

INSTANTIATE_TEST_SUITE_P(Reseau, Adresses, testing::ValuesIn(CasAdresses),
                         [](const auto& info) { return std::string(info.param.nom); });

} // namespace
