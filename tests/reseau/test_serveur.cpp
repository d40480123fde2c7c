// ovane-serveur as players meet it: through the loopback, with a drop, a hostile client, and a
// kill -9 in the middle of a game.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "client_socket.h"
#include "reseau/accueil.h"
#include "reseau/repartiteur.h"
#include "serveur_processus.h"
#include "tests/dossier_temporaire.h"
#include "tools/aleatoire/joueur_aleatoire.h"

namespace {

// The records without the time left in the play: a restart may give back the ticks since the
// last action.
std::vector<std::uint8_t> SansTemps(const PartieMemoire& p) {
    jeu copie = *p.j;
    copie.TempsRestant = 0;
    return OctetsPartie(copie, p.joueurs);
}

// Both players have every line the host sent before their etat; each one's view is the host's.
void Synchroniser(ClientSocket& a, ClientSocket& b) {
    for (ClientSocket* c : {&a, &b}) {
        ASSERT_TRUE(c->Commande("etat"));
        const std::string etat = c->memoire.recues.end()[-2];
        EXPECT_EQ(etat, LigneEtat(c->memoire.partie.vue));
    }
}

// A few plays of the team to play, through the right socket.
using Clients = std::array<std::unique_ptr<ClientSocket>, 2>;

void Jouer(Clients& c, JoueurAleatoire& hasard, int actions) {
    for (int n = 0; n < actions; ++n) {
        const jeu& j = *c[0]->memoire.partie.j;
        if (j.FinDeJeu) return;
        ClientSocket& joueur = *c[static_cast<std::size_t>(j.Equipe())];
        const position cellule = hasard.ClicPlausible(j);
        const bool passe = hasard.Entre(0, 9) == 0 && j.Action != acPlacement;
        ASSERT_TRUE(joueur.Commande(passe ? std::string("passer-tour")
                                          : "clic " + std::to_string(cellule.Colonne) + ' ' +
                                                std::to_string(cellule.Ligne)));
        Synchroniser(*c[0], *c[1]);
        ASSERT_EQ(SansTemps(c[0]->memoire.partie), SansTemps(c[1]->memoire.partie));
    }
}

TEST(Serveur, UnePartieSurvitAUneCoupureEtAKill9) {
    DossierTemporaire donnees;
    auto serveur = std::make_unique<ServeurProcessus>(donnees.Chemin());
    ASSERT_NE(serveur->Port(), 0);
    Clients c{std::make_unique<ClientSocket>(), std::make_unique<ClientSocket>()};
    ASSERT_TRUE(c[0]->Connecter(serveur->Port()));
    ASSERT_TRUE(c[0]->Commande("creer bleus 5 20 90000"));
    const auto partie = LireAnnonce(c[0]->memoire.recues[1]);
    ASSERT_TRUE(partie && partie->genre == Annonce::Genre::Partie);
    ASSERT_TRUE(c[1]->Connecter(serveur->Port()));
    ASSERT_TRUE(c[1]->Commande("rejoindre " + partie->code));
    ASSERT_EQ(c[1]->Derniere(), "ok");
    JoueurAleatoire hasard(7);
    Jouer(c, hasard, 40);

    // A drop: the other side hears of it, and the seat comes back with its token.
    const std::string jeton = c[1]->memoire.jeton;
    c[1]->socket.abort();
    ASSERT_TRUE(c[0]->Attendre("adversaire absent"));
    c[1] = std::make_unique<ClientSocket>();
    ASSERT_TRUE(c[1]->Connecter(serveur->Port()));
    ASSERT_TRUE(c[1]->Commande("reprendre " + partie->code + ' ' + jeton));
    ASSERT_EQ(c[1]->Derniere(), "ok");
    Jouer(c, hasard, 20);

    // kill -9, then a restart on the same folder: the game is where its last action left it.
    const auto avant = SansTemps(c[0]->memoire.partie);
    serveur.reset();
    serveur = std::make_unique<ServeurProcessus>(donnees.Chemin());
    ASSERT_NE(serveur->Port(), 0);
    for (int e = 0; e < 2; ++e) {
        const std::string jetonE = c[e]->memoire.jeton;
        c[e] = std::make_unique<ClientSocket>();
        ASSERT_TRUE(c[e]->Connecter(serveur->Port()));
        ASSERT_TRUE(c[e]->Commande("reprendre " + partie->code + ' ' + jetonE));
        ASSERT_EQ(c[e]->Derniere(), "ok");
        EXPECT_EQ(SansTemps(c[e]->memoire.partie), avant);
    }
    Jouer(c, hasard, 10);
}

TEST(Serveur, UnClientHostileNeDerangePersonne) {
    Accueil accueil(QStringLiteral("essai"));
    accueil.reglages.delaiBonjourMs = 2000;
    ASSERT_TRUE(accueil.Ecouter(QHostAddress::LocalHost, 0));
    // The players in a thread of their own, the host in this one's event loop.
    std::atomic<bool> fini{false};
    std::thread joueurs([port = accueil.Port(), &fini] {
        const std::unique_ptr<std::atomic<bool>, void (*)(std::atomic<bool>*)> finir(
            &fini, [](std::atomic<bool>* f) { *f = true; });
        // Silent: closed with a word once the delay has passed.
        ClientSocket muet;
        muet.socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        ASSERT_TRUE(muet.socket.waitForConnected(5000));
        ASSERT_TRUE(muet.Attendre());
        EXPECT_EQ(muet.Derniere(), std::string("erreur ") + TextesReseau::Silence);

        ClientSocket c;
        ASSERT_TRUE(c.Connecter(port));
        ASSERT_TRUE(c.Commande("\x01\xff binaire"));
        EXPECT_EQ(c.Derniere(), std::string("erreur ") + TextesReseau::CommandeInconnue);
        for (int essai = 1; essai < 5; ++essai) {
            ASSERT_TRUE(c.Commande("reprendre ABCDEF 0123456789abcdef0123456789abcdef"));
            EXPECT_EQ(c.Derniere(), std::string("erreur ") + TextesReseau::PartieInconnue);
        }
        ASSERT_TRUE(c.Commande("rejoindre ABCDEF"));
        EXPECT_EQ(c.Derniere(), std::string("erreur ") + TextesReseau::TropDEssais);

        ClientSocket bavard;
        ASSERT_TRUE(bavard.Connecter(port));
        ASSERT_TRUE(bavard.Commande(std::string(LongueurMaxRequete + 1, 'x')));
        EXPECT_EQ(bavard.Derniere(), std::string("erreur ") + TextesReseau::LigneTropLongue);
        bavard.socket.waitForDisconnected(2000);
        EXPECT_EQ(bavard.socket.state(), QAbstractSocket::UnconnectedState);
    });
    QElapsedTimer duree;
    duree.start();
    while (!fini && duree.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    joueurs.join();
}

// Runs the players' side in a thread of its own while this thread's event loop serves them.
void Servir(const std::function<void()>& joueurs) {
    std::atomic<bool> fini{false};
    std::thread fil([&] {
        joueurs();
        fini = true;
    });
    QElapsedTimer duree;
    duree.start();
    while (!fini && duree.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    fil.join();
}

// Reads whatever comes until the host closes the connection; false if it has not within 10 s.
bool JusquALaFermeture(QTcpSocket& socket, qint64& lus) {
    for (int essai = 0; essai < 200 && socket.state() == QAbstractSocket::ConnectedState; ++essai) {
        socket.waitForReadyRead(50);
        lus += socket.readAll().size();
    }
    return socket.state() != QAbstractSocket::ConnectedState;
}

// The limits of a real server, made short for the test: a line begun must end within 300 ms, an
// address may open 10 connections at once and then one a second, a client that does not read
// its answers is dropped.
TEST(Serveur, LesLimitesCoupentLesAbus) {
    Accueil accueil(QStringLiteral("essai"));
    accueil.reglages.delaiLigneMs = 300;
    accueil.reglages.limites.lignesParSeconde = 1e6;
    accueil.reglages.limites.rafaleLignes = 1e6;
    accueil.reglages.limites.connexionsParSeconde = 1;
    accueil.reglages.limites.rafaleConnexions = 10;
    ASSERT_TRUE(accueil.Ecouter(QHostAddress::LocalHost, 0));
    Servir([port = accueil.Port()] {
        // A byte now and then: the line never ends in time.
        ClientSocket lent;
        ASSERT_TRUE(lent.Connecter(port));
        lent.socket.write("e");
        ASSERT_TRUE(lent.Attendre());
        EXPECT_EQ(lent.Derniere(), std::string("erreur ") + TextesReseau::LigneTropLente);

        // It asks for saved games and never reads them: dropped long before it has them all.
        ClientSocket sourd;
        ASSERT_TRUE(sourd.Connecter(port));
        ASSERT_TRUE(sourd.Commande("creer bleus 5 20 30000"));
        sourd.socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        const std::string demandes = [] {
            std::string d;
            for (int n = 0; n < 1000; ++n) d += "sauvegarde\n";
            return d;
        }();
        sourd.socket.write(demandes.data(), static_cast<qint64>(demandes.size()));
        sourd.socket.waitForBytesWritten(2000);
        QThread::msleep(500);
        qint64 lus = 0;
        EXPECT_TRUE(JusquALaFermeture(sourd.socket, lus));
        EXPECT_LT(lus, 1000 * 13000);

        // A flood from one address: the burst gets in, the rest is refused at once.
        std::vector<std::unique_ptr<QTcpSocket>> deluge;
        int refusees = 0;
        for (int n = 0; n < 40; ++n) {
            deluge.push_back(std::make_unique<QTcpSocket>());
            deluge.back()->connectToHost(QStringLiteral("127.0.0.1"), port);
            ASSERT_TRUE(deluge.back()->waitForConnected(5000));
        }
        // The refused ones have their answer by now; the others are waiting for a hello.
        QThread::msleep(300);
        for (auto& s : deluge) {
            s->waitForReadyRead(20);
            if (s->readAll().startsWith("erreur " + QByteArray(TextesReseau::TropDeConnexions)))
                ++refusees;
        }
        // Three connections above were let in before; about ten more get in now.
        EXPECT_GE(refusees, 25);
    });
}

// A game over leaves the host's memory once nobody is connected, and comes back from the journal
// when a player takes its seat back. An address may hold only so many games.
TEST(Serveur, UnePartieFinieQuitteLaMemoireEtRevientDuJournal) {
    JournalMemoire journal;
    Accueil accueil(QStringLiteral("essai"), &journal);
    accueil.reglages.limites.lignesParSeconde = 1e6;
    accueil.reglages.limites.rafaleLignes = 1e6;
    accueil.reglages.limites.partiesParAdresse = 1;
    ASSERT_TRUE(accueil.Ecouter(QHostAddress::LocalHost, 0));
    std::string code, jeton;
    Servir([&, port = accueil.Port()] {
        Clients c{std::make_unique<ClientSocket>(), std::make_unique<ClientSocket>()};
        for (auto& client : c) ASSERT_TRUE(client->Connecter(port));
        ASSERT_TRUE(c[0]->Commande("creer bleus 5 20 90000"));
        code = LireAnnonce(c[0]->memoire.recues[1])->code;
        ASSERT_TRUE(c[1]->Commande("creer rouges 5 20 90000"));
        EXPECT_EQ(c[1]->Derniere(), std::string("erreur ") + TextesReseau::TropDeParties);
        ASSERT_TRUE(c[1]->Commande("rejoindre " + code));
        JoueurAleatoire hasard(11);
        Jouer(c, hasard, 5000);
        ASSERT_TRUE(c[0]->memoire.partie.j->FinDeJeu);
        jeton = c[1]->memoire.jeton;
    });
    // Both connections gone: the host lets the game go once it hears of it.
    QElapsedTimer attente;
    attente.start();
    while (accueil.NbParties() > 0 && attente.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(accueil.NbParties(), 0U);
    Servir([&, port = accueil.Port()] {
        ClientSocket retour;
        ASSERT_TRUE(retour.Connecter(port));
        ASSERT_TRUE(retour.Commande("reprendre " + code + ' ' + jeton));
        EXPECT_EQ(retour.Derniere(), "ok");
        EXPECT_TRUE(retour.memoire.recues.end()[-2].rfind("fin ", 0) == 0);
    });
}

// The epoll loop that the tests of this program run on, as the server does: timers in the order
// they fall due, a repeating one stopped from its own handler, a zero one, and a call posted
// from another thread waking a loop that waits.
TEST(Repartiteur, MinuteriesEtReveils) {
    ASSERT_NE(dynamic_cast<RepartiteurEpoll*>(QAbstractEventDispatcher::instance()), nullptr);
    std::vector<std::string> vus;
    QEventLoop boucle;
    QTimer::singleShot(2000, &boucle, [&] { boucle.exit(1); });
    QTimer::singleShot(40, [&] { vus.emplace_back("40 ms"); });
    QTimer::singleShot(10, [&] { vus.emplace_back("10 ms"); });
    QTimer repete;
    int coups = 0;
    QObject::connect(&repete, &QTimer::timeout, [&] {
        if (++coups == 3) repete.stop();
    });
    repete.start(5);
    QTimer zero;
    int tours = 0;
    QObject::connect(&zero, &QTimer::timeout, [&] {
        if (++tours == 10) zero.stop();
    });
    zero.start(0);
    std::thread autre([&] {
        QThread::msleep(100);
        QMetaObject::invokeMethod(
            &boucle, [&] { boucle.exit(0); }, Qt::QueuedConnection);
    });
    EXPECT_EQ(boucle.exec(), 0);
    autre.join();
    EXPECT_EQ(vus, (std::vector<std::string>{"10 ms", "40 ms"}));
    EXPECT_EQ(coups, 3);
    EXPECT_EQ(tours, 10);
}

} // namespace

int main(int argc, char** argv) {
    RepartiteurEpoll::Installer();
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
