// The host's log as an administrator reads it: one line for each event of a game, every line of a
// game naming it alike, and neither its code nor a token anywhere.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "reseau/accueil.h"
#include "reseau/session.h"
#include "serveur_processus.h"
#include "tests/attendre.h"
#include "tests/dossier_temporaire.h"

namespace {

struct Joueur {
    PartieMemoire partie;
    SessionClient session{partie.p};
    QString raison;

    Joueur() {
        QObject::connect(&session, &SessionClient::Abandon,
                         [this](const QString& texte) { raison = texte; });
    }
    bool Assis() {
        return Attendre([this] { return session.EtapeCourante() == SessionClient::Etape::EnJeu; });
    }
};

TEST(Journal, UneLigneParEvenementSansCodeNiJeton) {
    Accueil accueil(QStringLiteral("essai"));
    ASSERT_TRUE(accueil.Ecouter(QHostAddress::LocalHost, 0));
    QStringList lignes;
    QObject::connect(&accueil, &Accueil::Evenement,
                     [&lignes](const QString& texte) { lignes << texte; });
    const AdresseHote adresse{QStringLiteral("127.0.0.1"), accueil.Port()};

    Joueur bleus;
    bleus.session.Creer(adresse, Bleus, CommandeParametres(5, 20, 30000));
    ASSERT_TRUE(bleus.Assis());
    const QString code = bleus.session.Code();
    Joueur rouges;
    rouges.session.Rejoindre(adresse, code);
    ASSERT_TRUE(rouges.Assis());
    Joueur tiers;
    tiers.session.Rejoindre(adresse, code);
    ASSERT_TRUE(Attendre([&] { return lignes.size() == 3; }));
    Joueur retour;
    retour.session.Reprendre(adresse, code, rouges.session.Jeton());
    ASSERT_TRUE(retour.Assis());
    Joueur egare;
    egare.session.Rejoindre(adresse, QStringLiteral("ZZZZZZ"));
    ASSERT_TRUE(Attendre([&] { return !egare.raison.isEmpty(); }));

    const QString nom = NomPartie(accueil.CleJournal, code.toStdString());
    const QStringList attendues = {
        QStringLiteral("partie %1 créée par 127.0.0.1 (bleus)").arg(nom),
        QStringLiteral("partie %1 rejointe par 127.0.0.1").arg(nom),
        QStringLiteral("127.0.0.1 refusé : partie %1 complète").arg(nom),
        QStringLiteral("partie %1 reprise par 127.0.0.1").arg(nom),
        QStringLiteral("127.0.0.1 refusé : partie inconnue ou jeton faux")};
    EXPECT_EQ(lignes, attendues);
    for (const QString& ligne : lignes) {
        EXPECT_FALSE(ligne.contains(code, Qt::CaseInsensitive)) << ligne.toStdString();
        EXPECT_FALSE(ligne.contains(rouges.session.Jeton())) << ligne.toStdString();
        EXPECT_FALSE(ligne.contains(bleus.session.Jeton())) << ligne.toStdString();
    }
}

// The server keeps its key in its data folder: after a restart, a game has the name it had.
TEST(Journal, UnePartieGardeSonNomApresUnRedemarrage) {
    DossierTemporaire donnees;
    Joueur bleus;
    QString avant;
    {
        ServeurProcessus serveur(donnees.Chemin());
        ASSERT_NE(serveur.Port(), 0);
        bleus.session.Creer({QStringLiteral("127.0.0.1"), serveur.Port()}, Bleus,
                            CommandeParametres(5, 20, 30000));
        ASSERT_TRUE(bleus.Assis());
        ASSERT_TRUE(Attendre([&] {
            serveur.processus.waitForReadyRead(10);
            avant += QString::fromUtf8(serveur.processus.readAllStandardError());
            return avant.contains(QStringLiteral("créée"));
        }));
    }
    ServeurProcessus serveur(donnees.Chemin());
    ASSERT_NE(serveur.Port(), 0);
    Joueur retour;
    retour.session.Reprendre({QStringLiteral("127.0.0.1"), serveur.Port()}, bleus.session.Code(),
                             bleus.session.Jeton());
    ASSERT_TRUE(retour.Assis());
    QString apres;
    ASSERT_TRUE(Attendre([&] {
        serveur.processus.waitForReadyRead(10);
        apres += QString::fromUtf8(serveur.processus.readAllStandardError());
        return apres.contains(QStringLiteral("reprise"));
    }));
    const QString nom = avant.section(QStringLiteral("partie "), 1).section(QLatin1Char(' '), 0, 0);
    EXPECT_TRUE(nom.startsWith(QLatin1Char('#'))) << avant.toStdString();
    EXPECT_TRUE(apres.contains(QStringLiteral("partie %1 reprise").arg(nom)))
        << apres.toStdString();
    EXPECT_FALSE((avant + apres).contains(bleus.session.Code())) << (avant + apres).toStdString();
}

} // namespace
