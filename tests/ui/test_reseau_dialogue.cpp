// The "Jouer en réseau" dialog with a server's address: plain or TLS, a pasted fingerprint, what
// it says of one typed wrong, and the address it offers again to come back.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "ui/reseau_dialogue.h"

namespace {

struct CasDialogue {
    const char* nom;
    const char* adresse;
    // Empty: accepted.
    const char* erreur;
};

const CasDialogue CasDialogues[] = {
    {"clair", "jeux.example.org:7711", ""},
    {"tls", "ovanes://jeux.example.org", ""},
    {"tls_empreinte",
     "ovanes://192.0.2.7:7711#sha256=AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:"
     "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB",
     ""},
    {"empreinte_courte", "ovanes://192.0.2.7#sha256=AB:CD",
     "Empreinte incorrecte : #sha256= puis 64 chiffres hexadécimaux."},
    {"espace", "jeux example", "Adresse incorrecte : nom:port, ou ovanes://nom:port pour TLS."},
};

class DialogueReseau : public ::testing::TestWithParam<CasDialogue> {};

TEST_P(DialogueReseau, RejoindreAvecCetteAdresse) {
    const CasDialogue& cas = GetParam();
    TFormReseau d(CommandeParametres(5, 20, 30000));
    d.RadioRejoindre->setChecked(true);
    d.EditAdresse->setText(QString::fromUtf8(cas.adresse));
    d.EditCode->setText(QStringLiteral("XK4P7M"));
    d.ButtonOk->click();
    EXPECT_EQ(d.LabelErreur->text(), QString::fromUtf8(cas.erreur));
    if (*cas.erreur != '\0') return;
    EXPECT_EQ(d.result(), QDialog::Accepted);
    // Offered again after the game was left, the address reads as it was typed.
    TFormReseau retour(CommandeParametres(5, 20, 30000));
    retour.ProposerRetour(*d.Choix());
    EXPECT_EQ(retour.EditAdresse->text(), QString::fromUtf8(cas.adresse));
    EXPECT_EQ(retour.EditCode->text(), QStringLiteral("XK4P7M"));
}

INSTANTIATE_TEST_SUITE_P(Reseau, DialogueReseau, ::testing::ValuesIn(CasDialogues),
                         [](const auto& info) { return std::string(info.param.nom); });

} // namespace
