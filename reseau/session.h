// A player's side of a network game: connects to a host, says who it is, keeps its own records
// equal to the host's by applying the host's stream, sends the local team's actions, and comes
// back by itself after a dropped connection. The records are the caller's (the window's, or a
// test's), shown through the caller's view; the boxes of the catch-up are not shown.
#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "lignes.h"
#include "miroir.h"

class QSslSocket;
class QTcpSocket;
class QTimer;

// Where a host listens: "nom", "nom:port", "[adresse IPv6]:port"; over TLS with "ovanes://" before
// it, and after it "#sha256=EMPREINTE" for a host whose certificate no authority signed.
struct AdresseHote {
    QString hote;
    quint16 port = PortParDefaut;
    bool chiffree = false;
    // The SHA-256 fingerprint the player was given for the host's certificate; when empty, the
    // certificate authorities decide.
    QByteArray empreinte = {};
};
std::optional<AdresseHote> LireAdresse(const QString& texte);
// The address as a player types it, the default port left out.
QString TexteAdresse(const AdresseHote& adresse);
// How an address is written, for a player who typed one wrong.
constexpr const char* FormesAdresse = "nom:port, ou ovanes://nom:port pour TLS";

class SessionClient : public QObject {
    Q_OBJECT
public:
    enum class Etape { Libre, Connexion, EnJeu, Attente, Abandon };

    SessionClient(const Partie& p, QObject* parent = nullptr);
    ~SessionClient() override;

    void Creer(const AdresseHote& adresse, int equipe, const CommandeJeu& parametres);
    void Rejoindre(const AdresseHote& adresse, const QString& code);
    // The seat held before, with its token: after a drop, or a restart of the window.
    void Reprendre(const AdresseHote& adresse, const QString& code, const QString& jeton);
    // Leaves the game; the seat stays the player's, to take back with the token.
    void Quitter();

    // An action of the local team; false when there is no connection to send it on.
    bool Jouer(const CommandeJeu& action);
    bool Proposer(const CommandeJeu& proposition);
    // The answer to the proposal of that number (as Proposition gave it).
    bool Repondre(bool accepte, int numero);
    bool DemanderEtat();

    Etape EtapeCourante() const { return etape_; }
    const AdresseHote& Adresse() const { return adresse_; }
    const QString& Code() const { return code_; }
    const QString& Jeton() const { return jeton_; }
    int Equipe() const { return equipe_; }
    bool AdversairePresent() const { return adversaire_; }
    // Whether an action was sent and its answer has not come back yet.
    bool ActionEnCours() const;
    // The seconds before the next try, while waiting to reconnect.
    int SecondesAvantEssai() const;
    const std::string& DernierEtat() const { return dernierEtat_; }

    // The waits between tries after a drop; their sum is how long it keeps trying.
    std::vector<int> DelaisMs = {1000, 2000, 4000, 8000, 16000, 30000, 30000, 30000};
    // The authorities that vouch for a TLS host's certificate; the system's when empty.
    QList<QSslCertificate> AutoritesTls;
    // The most a host's lines may hold while they wait for an open box to close.
    static constexpr std::size_t AttenteMax = 1 << 20;

signals:
    // The step, the seat or the opponent's presence changed.
    void Changement();
    // A line of the stream was applied to the records.
    void Applique();
    // A box of this player's own refused action.
    void Refus(const Boite& boite);
    // The host refused a request ("Ce n'est pas à vous de jouer.").
    void ErreurHote(const QString& texte);
    void Proposition(const CommandeJeu& proposition, int numero);
    void Reponse(Annonce::Suite suite);
    void Fin(const QString& resultat);
    // It stopped for good: the reason, for the player.
    void Abandon(const QString& raison);

private:
    struct Attendu {
        Requete::Genre genre;
        CommandeJeu jeu;
        bool accepte = false;
    };

    void Connecter();
    QSslSocket* SocketChiffree();
    void RefuserCertificat(const QSslSocket& socket, const QString& cause);
    void Envoyer(const Requete& requete);
    void Lire();
    void Traiter();
    void TraiterAnnonce(const Annonce& a);
    void Reponse_(const Annonce& a);
    void Perdue();
    void Arreter(const QString& raison);
    void Lacher();

    Partie p_;
    class VueRelais;
    std::unique_ptr<VueRelais> relais_;
    MiroirPartie miroir_;
    QTcpSocket* socket_ = nullptr;
    QTimer* essai_ = nullptr;
    LecteurLignes lecteur_{LongueurMaxAnnonce};
    std::deque<std::string> recues_;
    std::size_t octetsRecus_ = 0;
    // An end that came while a line was being applied, said once it is done.
    std::optional<QString> abandon_;
    int numeroProposition_ = 0;
    bool propositionEnCours_ = false;
    bool enTraitement_ = false;
    std::deque<Attendu> attendus_;

    Etape etape_ = Etape::Libre;
    AdresseHote adresse_;
    Requete siege_;
    QString code_;
    QString jeton_;
    int equipe_ = 0;
    bool adversaire_ = false;
    bool assise_ = false;
    bool rattrapage_ = false;
    std::size_t tentatives_ = 0;
    QString derniereErreur_;
    // Why this side refused the host's certificate, said once the handshake has failed.
    QString refusTls_;
    std::string dernierEtat_;
    qint64 echeance_ = 0;
};
