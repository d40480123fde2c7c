// The window in a network game it joins, against a player that a test drives through its own
// session: both keep the host's records, the window acts only for its team, and the boxes and the
// message line say what a player needs.
#include <QTcpSocket>
#include <gtest/gtest.h>

#include "doubles.h"
#include "game/partie.h"
#include "reseau/accueil.h"
#include "tests/attendre.h"
#include "ui/partie_reseau.h"

namespace {

struct PartieEnReseau {
    Accueil hote{QStringLiteral("essai")};
    PartieMemoire bleus;
    SessionClient session{bleus.p};
    FenetreDeTest rouges;

    PartieEnReseau() {
        EXPECT_TRUE(hote.Ecouter(QHostAddress::LocalHost, 0));
        session.Creer({QStringLiteral("127.0.0.1"), hote.Port()}, Bleus,
                      CommandeParametres(5, 20, 30000));
        EXPECT_TRUE(Attendre([this] { return !session.Code().isEmpty(); }));
        ChoixReseau choix;
        choix.Creer = false;
        choix.Adresse = {QStringLiteral("127.0.0.1"), hote.Port()};
        choix.Code = session.Code().toLower();
        rouges.f().JouerEnReseau(choix);
        EXPECT_TRUE(Attendre([this] { return session.AdversairePresent(); }));
    }
    bool Egales() const {
        return OctetsPartie(*bleus.j, bleus.joueurs) == OctetsPartie(*rouges.j, rouges.joueurs);
    }
    QString Message() const { return rouges.fenetre->StatusBarMsg->Texte(0); }
    void JouerBleus(const CommandeJeu& action) {
        ASSERT_TRUE(session.Jouer(action));
        ASSERT_TRUE(Attendre([this] { return !session.ActionEnCours() && Egales(); }));
    }
    void JouerBleus(int colonne, int ligne) {
        CommandeJeu clic = CommandeSimple(CommandeJeu::Genre::Clic);
        clic.cellule = position(colonne, ligne);
        JouerBleus(clic);
    }
};

TEST(Reseau, LaFenetreJoueSonEquipeEtSuitLAutre) {
    PartieEnReseau partie;
    EXPECT_EQ(partie.Message(),
              QStringLiteral("Partie %1 — vous jouez les Rouges — les Bleus jouent")
                  .arg(partie.session.Code()));
    // The other team's turn: the window's double-click does nothing.
    partie.rouges.DoubleClic(4, 8);
    QTest::qWait(50);
    EXPECT_EQ(partie.rouges.j->Case(4, 8), CaseVide);
    for (int colonne = 0; colonne < 5; ++colonne) {
        partie.JouerBleus(colonne, 2);
        // The other player's placement is marked until the window's own.
        EXPECT_TRUE(partie.rouges.f().Marquee(colonne, 2));
        partie.rouges.DoubleClic(colonne, 8);
        ASSERT_TRUE(Attendre([&] { return partie.bleus.j->Case(colonne, 8) == Rouges + 1; }));
        ASSERT_TRUE(Attendre([&] { return partie.Egales(); }));
        EXPECT_FALSE(partie.rouges.f().Marquee(colonne, 2));
    }
    // The first timed play: the host's clock reaches both.
    const auto temps = partie.rouges.j->TempsRestant;
    ASSERT_TRUE(Attendre([&] { return partie.rouges.j->TempsRestant < temps; }));
    // A refused action of the window's own shows its box at the window alone.
    partie.JouerBleus(0, 2);
    ASSERT_EQ(partie.rouges.j->Equipe(), Bleus);
    partie.JouerBleus(CommandeSimple(CommandeJeu::Genre::PasserTour));
    ASSERT_TRUE(Attendre([&] { return partie.rouges.j->Equipe() == Rouges; }));
    const std::size_t boites = partie.rouges.boites.Vues.size();
    partie.rouges.DoubleClic(8, 8);
    ASSERT_TRUE(Attendre([&] { return partie.rouges.boites.Vues.size() > boites; }));
}

TEST(Reseau, NouvelleEstUnePropositionQueLAutreAccepte) {
    PartieEnReseau partie;
    partie.JouerBleus(0, 2);
    partie.rouges.boites.Reponses = {true};
    // The proposal comes while a box of the window is open, as a real one runs its own event
    // loop; in a placement no tick follows it, and the window still reads it once the box closes.
    partie.rouges.boites.PendantLaBoite = [&](const BoiteVue&) {
        partie.rouges.boites.PendantLaBoite = nullptr;
        partie.session.Proposer(CommandeSimple(CommandeJeu::Genre::Nouvelle));
        QTest::qWait(200);
    };
    partie.rouges.DoubleClic(4, 2);
    ASSERT_TRUE(Attendre([&] { return partie.rouges.boites.Questions.size() == 1; }));
    ASSERT_TRUE(
        Attendre([&] { return partie.bleus.j->Case(0, 2) == CaseVide && partie.Egales(); }));
}

TEST(Reseau, UneCoupureSeRattrapeSeule) {
    PartieEnReseau partie;
    partie.JouerBleus(0, 2);
    auto& session = const_cast<SessionClient&>(partie.rouges.f().Reseau()->Session());
    session.DelaisMs = {50, 50, 50};
    // The window's connection drops; it comes back by itself and catches up.
    session.findChild<QTcpSocket*>()->abort();
    ASSERT_TRUE(
        Attendre([&] { return partie.Message().startsWith(QStringLiteral("Connexion perdue")); }));
    ASSERT_TRUE(
        Attendre([&] { return partie.Message().contains(QStringLiteral("à vous de jouer")); }));
    EXPECT_TRUE(partie.Egales());
}

} // namespace
