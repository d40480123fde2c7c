// TLS for network play: a certificate's fingerprint as players compare it, the server's
// certificate and key read from their files, and the listening socket that speaks TLS only once it
// is given them. Beside them, the name a log gives a game without its code.
#pragma once

#include <QByteArray>
#include <QSslConfiguration>
#include <QSslServer>
#include <QString>
#include <optional>
#include <string>

// "AB:CD:…", as `openssl x509 -noout -fingerprint -sha256` prints it after "=".
QString TexteEmpreinte(const QByteArray& empreinte);
QString Empreinte(const QSslCertificate& certificat);
// The 32 bytes of a SHA-256 fingerprint typed with or without colons, in either case.
std::optional<QByteArray> LireEmpreinte(const QString& texte);

// A game in a log: its code lets anyone take its free seat, so the log names it by a keyed hash,
// the same for every run given the same key, from which the code cannot be found again.
QString NomPartie(const QByteArray& cle, const std::string& code);
// A fresh key for NomPartie.
QByteArray NouvelleCleJournal();

// The server's side of TLS from a PEM certificate (its chain may follow it) and a PEM private key
// without a passphrase, once a handshake on the loopback has shown that they go together; else
// nothing, and erreur says why, naming the file.
std::optional<QSslConfiguration> ChargerChiffrement(const QString& certificat, const QString& cle,
                                                    QString& erreur);

// A welcome desk's listening socket: plain TCP until it is given a certificate; from then on TLS
// only, and a connection reaches the desk once its handshake is done. A peer that speaks plain TCP
// there is closed by Qt without a byte in clear.
class Ecoute : public QSslServer {
    Q_OBJECT
public:
    using QSslServer::QSslServer;

    void Chiffrer(const QSslConfiguration& configuration);
    bool Chiffree() const { return chiffree_; }

signals:
    // A connection closed before its handshake was done: its address, and why.
    void Refus(const QString& pair, const QString& raison);

protected:
    void incomingConnection(qintptr descripteur) override;

private:
    void Surveiller(QSslSocket& socket);

    bool chiffree_ = false;
};
