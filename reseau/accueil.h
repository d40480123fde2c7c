// The welcome desk of a host: it listens, greets each connection, seats it in a game by code,
// and hands the game's requests to that game's host; one event loop for every game. The window
// runs one for its own game, the server one for all of its games.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <map>
#include <memory>
#include <string>

#include "chiffrement.h"
#include "hote.h"

class Connexion;
class QTimer;

class Accueil : public QObject {
    Q_OBJECT
public:
    struct Reglages {
        // A connection that has not said "ovane 1" by then is closed.
        int delaiBonjourMs = 30000;
        // Refused codes and tokens a connection may try before it is closed.
        int essaisMax = 5;
    };

    // version: the program's, said in the greeting. The journal, if any, outlives the desk.
    explicit Accueil(QString version, Journal* journal = nullptr, QObject* parent = nullptr);
    ~Accueil() override;

    bool Ecouter(const QHostAddress& adresse, quint16 port);
    // TLS only from now on, with this certificate: a peer whose handshake fails is refused.
    void Chiffrer(const QSslConfiguration& configuration);
    quint16 Port() const { return serveur_.serverPort(); }
    QString ErreurEcoute() const { return serveur_.errorString(); }
    // A game found again in the journal; false when what it holds is not a game.
    bool Restaurer(const PartieEnregistree& partie);
    // Stops listening and tells every connection that the host stops.
    void Arreter();

    std::size_t NbParties() const { return salles_.size(); }
    const HotePartie* Partie(const std::string& code) const;

    Reglages reglages;
    // The key of the names the log gives games (NomPartie); a server keeps its own from run to run.
    QByteArray CleJournal = NouvelleCleJournal();

signals:
    // One line for the host's log: a game created, joined, taken back, ended; a refusal.
    void Evenement(const QString& texte);

private:
    struct Salle {
        std::unique_ptr<HotePartie> hote;
        QTimer* horloge = nullptr;
    };

    void Accepter();
    void Recevoir(Connexion* c, const std::string& ligne);
    void Accueillir(Connexion* c, const std::string& ligne);
    void Asseoir(Connexion* c, const Requete& r);
    void Creer(Connexion* c, const Requete& r);
    void Echec(Connexion* c);
    void Perdre(Connexion* c);
    Salle& NouvelleSalle(const std::string& code);
    void Actualiser(Salle& salle);
    std::string NouveauCode() const;

    QString version_;
    Journal* journal_;
    Ecoute serveur_;
    std::map<std::string, Salle> salles_;
};
