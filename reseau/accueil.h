// The welcome desk of a host: it listens, greets each connection, seats it in a game by code,
// and hands the game's requests to that game's host; one event loop for every game. The window
// runs one for its own game, the server one for all of its games.
#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <map>
#include <memory>
#include <string>

#include "chiffrement.h"
#include "hote.h"
#include "limites.h"

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
        // A line begun must end by then, or the connection is closed.
        int delaiLigneMs = 15000;
        ReglagesLimites limites;
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
        // The address that created it, which it counts against while it is held.
        std::string createur;
    };

    void Accepter();
    void Recevoir(Connexion* c, const std::string& ligne);
    void Accueillir(Connexion* c, const std::string& ligne);
    void Asseoir(Connexion* c, const Requete& r);
    void Creer(Connexion* c, const Requete& r);
    void Echec(Connexion* c);
    void Perdre(Connexion* c);
    void Lever(Connexion* c);
    Salle& NouvelleSalle(const std::string& code);
    void Actualiser(Salle& salle);
    std::string NouveauCode() const;
    // The limits: each returns why it refuses, or nullptr.
    const char* Admettre(Connexion* c);
    bool Debit(Connexion* c);
    const char* PlacePourPartie(const Connexion* c) const;
    void Rejeter(Connexion* c, const char* texte);
    // A game over, with nobody connected, leaves memory; the journal still holds it.
    void Evincer(const std::string& code);
    std::map<std::string, Salle>::iterator Rappeler(const std::string& code);
    bool Installer(const PartieEnregistree& partie);

    QString version_;
    Journal* journal_;
    Ecoute serveur_;
    std::map<std::string, Salle> salles_;
    Adresses adresses_{reglages.limites};
    QElapsedTimer temps_;
    qint64 dernierRefus_ = -1000;
    int refusTus_ = 0;
};
