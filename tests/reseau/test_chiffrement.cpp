// TLS through the loopback, with a certificate authority made for the occasion by openssl: the
// hosts a player trusts and those it refuses, what a peer that speaks in clear gets, and what the
// server says of its certificate and key.
#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>
#include <string>

#include "client_socket.h"
#include "reseau/accueil.h"
#include "reseau/chiffrement.h"
#include "reseau/connexion.h"
#include "reseau/session.h"
#include "serveur_processus.h"
#include "tests/attendre.h"
#include "tests/dossier_temporaire.h"

namespace {

// The authority, the server's certificate and keys: made once for the whole program.
class Certificats {
public:
    static const Certificats& Tous() {
        static const Certificats certificats;
        return certificats;
    }
    QString Fichier(const char* nom) const {
        return QString::fromStdString((dossier_.Chemin() / nom).string());
    }
    QString Lire(const char* nom) const {
        QFile fichier(Fichier(nom));
        return fichier.open(QIODevice::ReadOnly) ? QString::fromLatin1(fichier.readAll()).trimmed()
                                                 : QString();
    }
    bool faits = false;

private:
    Certificats() {
        faits = QProcess::execute(QStringLiteral("sh"),
                                  {QStringLiteral(OVANE_CERTIFICATS), Fichier("")}) == 0;
    }
    DossierTemporaire dossier_;
};

QSslConfiguration ConfigurationServeur() {
    const Certificats& c = Certificats::Tous();
    QString erreur;
    const auto configuration =
        ChargerChiffrement(c.Fichier("serveur.pem"), c.Fichier("serveur.cle"), erreur);
    EXPECT_TRUE(configuration) << erreur.toStdString();
    return configuration.value_or(QSslConfiguration());
}

// A host of this process that speaks TLS only, and what its desk said.
struct HoteTls {
    Accueil accueil{QStringLiteral("essai")};
    QStringList evenements;

    HoteTls() {
        accueil.Chiffrer(ConfigurationServeur());
        EXPECT_TRUE(accueil.Ecouter(QHostAddress::LocalHost, 0));
        QObject::connect(&accueil, &Accueil::Evenement, &accueil,
                         [this](const QString& texte) { evenements << texte; });
    }
};

// A TLS host that only listens: every byte that reaches it, decrypted, and every connection that
// ended, with or without a handshake.
struct Espion {
    Ecoute ecoute;
    QByteArray recu;
    QStringList refus;
    int finies = 0;

    Espion() {
        ecoute.Chiffrer(ConfigurationServeur());
        EXPECT_TRUE(ecoute.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&ecoute, &Ecoute::Refus, [this](const QString&, const QString& raison) {
            refus << raison;
            ++finies;
        });
        QObject::connect(&ecoute, &QTcpServer::pendingConnectionAvailable, [this] {
            while (QTcpSocket* socket = ecoute.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead,
                                 [this, socket] { recu += socket->readAll(); });
                QObject::connect(socket, &QTcpSocket::disconnected, [this] { ++finies; });
            }
        });
    }
};

// A fingerprint that no certificate made here has.
const std::string EmpreinteFausse = "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:"
                                    "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB";

struct CasClient {
    const char* nom;
    // The address the player types, %1 the port, %2 the right fingerprint.
    std::string adresse;
    bool autoriteConnue;
    // The start of the reason given to the player, when it is refused.
    const char* refus;
};

AdresseHote Adresse(const CasClient& cas, quint16 port) {
    const auto adresse = LireAdresse(
        QString::fromStdString(cas.adresse)
            .replace(QStringLiteral("%2"), Certificats::Tous().Lire("serveur.empreinte"))
            .arg(port));
    EXPECT_TRUE(adresse) << cas.adresse;
    return adresse.value_or(AdresseHote());
}

void Autorites(const CasClient& cas, SessionClient& session) {
    if (cas.autoriteConnue)
        session.AutoritesTls =
            QSslCertificate::fromPath(Certificats::Tous().Fichier("autorite.pem"));
}

class HoteReconnu : public ::testing::TestWithParam<CasClient> {};

TEST_P(HoteReconnu, LeJoueurSAssoit) {
    ASSERT_TRUE(Certificats::Tous().faits);
    HoteTls hote;
    PartieMemoire partie;
    SessionClient session(partie.p);
    Autorites(GetParam(), session);
    QString raison;
    QObject::connect(&session, &SessionClient::Abandon,
                     [&raison](const QString& texte) { raison = texte; });
    session.Creer(Adresse(GetParam(), hote.accueil.Port()), Bleus,
                  CommandeParametres(5, 20, 30000));
    ASSERT_TRUE(Attendre([&] { return session.EtapeCourante() == SessionClient::Etape::EnJeu; }))
        << raison.toStdString();
    EXPECT_EQ(hote.accueil.NbParties(), 1u);
    // The end of a connection that spoke TLS is no refusal.
    session.Quitter();
    ASSERT_TRUE(Attendre([&] { return hote.accueil.findChildren<Connexion*>().isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(hote.evenements.filter(QStringLiteral("refusé")), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Chiffrement, HoteReconnu,
    ::testing::Values(CasClient{"AutoriteConnue", "ovanes://localhost:%1", true, ""},
                      CasClient{"EmpreinteCollee", "ovanes://127.0.0.1:%1#sha256=%2", false, ""}),
    [](const auto& info) { return std::string(info.param.nom); });

class HoteRefuse : public ::testing::TestWithParam<CasClient> {};

// Tried as a seat held before is after a drop: the refusal is still final, and nothing reaches the
// host, in clear or not, not even hello.
TEST_P(HoteRefuse, RienNeLuiEstDit) {
    const CasClient& cas = GetParam();
    ASSERT_TRUE(Certificats::Tous().faits);
    Espion espion;
    PartieMemoire partie;
    SessionClient session(partie.p);
    Autorites(cas, session);
    QString raison;
    QObject::connect(&session, &SessionClient::Abandon,
                     [&raison](const QString& texte) { raison = texte; });
    session.Reprendre(Adresse(cas, espion.ecoute.serverPort()), QStringLiteral("ABCDEF"),
                      QStringLiteral("0123456789abcdef0123456789abcdef"));
    ASSERT_TRUE(Attendre([&] { return !raison.isEmpty() && espion.finies > 0; }));
    EXPECT_EQ(session.EtapeCourante(), SessionClient::Etape::Abandon);
    EXPECT_TRUE(raison.startsWith(QString::fromUtf8(cas.refus))) << raison.toStdString();
    EXPECT_EQ(espion.recu, QByteArray());
    EXPECT_EQ(espion.finies, 1);
    EXPECT_FALSE(espion.refus.contains(QStringLiteral("parle en clair")));
}

INSTANTIATE_TEST_SUITE_P(
    Chiffrement, HoteRefuse,
    ::testing::Values(
        CasClient{"AutoriteInconnue", "ovanes://localhost:%1", false,
                  "Le certificat de localhost n'est pas reconnu"},
        CasClient{"EmpreinteFausse", "ovanes://127.0.0.1:%1#sha256=" + EmpreinteFausse, false,
                  "Le certificat de 127.0.0.1 n'a pas l'empreinte donnée"},
        // Signed by an authority the player trusts, and still not the certificate it was given.
        CasClient{"EmpreinteFausseAutoriteConnue",
                  "ovanes://localhost:%1#sha256=" + EmpreinteFausse, true,
                  "Le certificat de localhost n'a pas l'empreinte donnée"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Chiffrement, UnClientEnClairNeRecoitRien) {
    ASSERT_TRUE(Certificats::Tous().faits);
    HoteTls hote;
    ClientSocket clair;
    clair.socket.connectToHost(QStringLiteral("127.0.0.1"), hote.accueil.Port());
    ASSERT_TRUE(clair.socket.waitForConnected(5000));
    clair.socket.write("ovane 1\n");
    ASSERT_TRUE(Attendre([&] {
        clair.socket.waitForReadyRead(10);
        return clair.socket.state() == QAbstractSocket::UnconnectedState;
    }));
    EXPECT_EQ(clair.socket.readAll(), QByteArray());
    ASSERT_EQ(hote.evenements.size(), 1);
    EXPECT_TRUE(hote.evenements.constFirst().endsWith(QStringLiteral("refusé : parle en clair")));
}

// The server started with its certificate says the fingerprint that openssl gives, and a player
// who pastes it plays there.
TEST(Chiffrement, LeServeurDonneSonEmpreinte) {
    const Certificats& c = Certificats::Tous();
    ASSERT_TRUE(c.faits);
    DossierTemporaire donnees;
    ServeurProcessus serveur(donnees.Chemin(),
                             {QStringLiteral("--certificat"), c.Fichier("serveur.pem"),
                              QStringLiteral("--cle"), c.Fichier("serveur.cle")});
    const quint16 port = serveur.Port();
    ASSERT_NE(port, 0);
    const QString empreinte = c.Lire("serveur.empreinte");
    EXPECT_TRUE(QString::fromLocal8Bit(serveur.processus.readAllStandardError())
                    .contains(QStringLiteral("empreinte SHA-256 du certificat : ") + empreinte));

    PartieMemoire partie;
    SessionClient session(partie.p);
    const auto adresse = LireAdresse(
        QStringLiteral("ovanes://127.0.0.1:%1#sha256=%2").arg(QString::number(port), empreinte));
    ASSERT_TRUE(adresse);
    session.Creer(*adresse, Rouges, CommandeParametres(5, 20, 30000));
    EXPECT_TRUE(Attendre([&] { return session.EtapeCourante() == SessionClient::Etape::EnJeu; }));
}

struct CasFichiers {
    const char* nom;
    const char* certificat;
    const char* cle;
    // What the message says after the file's name.
    const char* message;
};

class FichiersTls : public ::testing::TestWithParam<CasFichiers> {};

// Files that cannot serve stop the server at once, with the file named and a status of 1.
TEST_P(FichiersTls, ArretentLeServeurEnLesNommant) {
    const CasFichiers& cas = GetParam();
    const Certificats& c = Certificats::Tous();
    ASSERT_TRUE(c.faits);
    DossierTemporaire donnees;
    ServeurProcessus serveur(donnees.Chemin(),
                             {QStringLiteral("--certificat"), c.Fichier(cas.certificat),
                              QStringLiteral("--cle"), c.Fichier(cas.cle)});
    ASSERT_EQ(serveur.Fin(), 1);
    EXPECT_EQ(serveur.processus.readAllStandardOutput(), QByteArray());
    const QString erreur = QString::fromLocal8Bit(serveur.processus.readAllStandardError());
    EXPECT_TRUE(erreur.contains(c.Fichier(cas.certificat) + QString::fromUtf8(cas.message)) ||
                erreur.contains(c.Fichier(cas.cle) + QString::fromUtf8(cas.message)))
        << erreur.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Chiffrement, FichiersTls,
    ::testing::Values(
        CasFichiers{"CertificatAbsent", "absent.pem", "serveur.cle", " : "},
        CasFichiers{"PasUnCertificat", "serveur.cle", "serveur.cle",
                    " ne contient pas de certificat"},
        CasFichiers{"PasUneCle", "serveur.pem", "serveur.pem", " ne contient pas de clé"},
        CasFichiers{"CleDUnAutre", "serveur.pem", "autre.cle", " ne peuvent pas servir"}),
    [](const auto& info) { return std::string(info.param.nom); });

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
