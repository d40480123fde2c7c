// TLS for network play.
#include "chiffrement.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

// The longest a handshake on the loopback may take before the pair is said not to work.
constexpr int DelaiEssaiMs = 5000;

std::optional<QByteArray> LireFichier(const QString& chemin, const QString& nature,
                                      QString& erreur) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        erreur = QStringLiteral("impossible de lire %1 %2 : %3")
                     .arg(nature, chemin, fichier.errorString());
        return std::nullopt;
    }
    return fichier.readAll();
}

// Qt's words end with " : " when OpenSSL gave no detail.
QString SansDeuxPoints(QString texte) {
    texte = texte.trimmed();
    while (texte.endsWith(QLatin1Char(':'))) texte = texte.chopped(1).trimmed();
    return texte;
}

QSslKey LireCle(const QByteArray& pem) {
    for (const QSsl::KeyAlgorithm algorithme : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        QSslKey cle(pem, algorithme, QSsl::Pem, QSsl::PrivateKey);
        if (!cle.isNull()) return cle;
    }
    return {};
}

// Qt finds that a key does not go with its certificate only when a handshake starts: one on the
// loopback says so before any player meets it. What went wrong, or nothing.
std::optional<QString> EssayerPoignee(const QSslConfiguration& configuration) {
    QSslServer serveur;
    serveur.setSslConfiguration(configuration);
    if (!serveur.listen(QHostAddress::LocalHost, 0)) return serveur.errorString();
    QSslSocket client;
    client.setPeerVerifyMode(QSslSocket::VerifyNone);
    QEventLoop boucle;
    std::optional<QString> erreur = QStringLiteral("pas de réponse en %1 ms").arg(DelaiEssaiMs);
    QObject::connect(&serveur, &QTcpServer::pendingConnectionAvailable, &boucle, [&] {
        erreur.reset();
        boucle.quit();
    });
    QObject::connect(&serveur, &QSslServer::errorOccurred, &boucle,
                     [&](QSslSocket* socket, QAbstractSocket::SocketError) {
                         erreur = socket->errorString();
                         boucle.quit();
                     });
    QTimer::singleShot(DelaiEssaiMs, &boucle, &QEventLoop::quit);
    client.connectToHostEncrypted(QStringLiteral("127.0.0.1"), serveur.serverPort());
    boucle.exec();
    return erreur;
}

} // namespace

QString TexteEmpreinte(const QByteArray& empreinte) {
    return QString::fromLatin1(empreinte.toHex(':').toUpper());
}

QString Empreinte(const QSslCertificate& certificat) {
    return TexteEmpreinte(certificat.digest(QCryptographicHash::Sha256));
}

std::optional<QByteArray> LireEmpreinte(const QString& texte) {
    QString chiffres = texte.trimmed();
    chiffres.remove(QLatin1Char(':'));
    const auto hexadecimal = [](QChar c) {
        return QStringLiteral("0123456789abcdefABCDEF").contains(c);
    };
    if (chiffres.size() != 64 || !std::all_of(chiffres.begin(), chiffres.end(), hexadecimal))
        return std::nullopt;
    return QByteArray::fromHex(chiffres.toLatin1());
}

QString NomPartie(const QByteArray& cle, const std::string& code) {
    const QByteArray empreinte = QMessageAuthenticationCode::hash(QByteArray::fromStdString(code),
                                                                  cle, QCryptographicHash::Sha256);
    // Forty bits: a thousand games at once share one by chance less than once in a million runs.
    return QStringLiteral("#") + QString::fromLatin1(empreinte.left(5).toHex());
}

QByteArray NouvelleCleJournal() {
    QByteArray cle(32, '\0');
    QRandomGenerator::system()->generate(cle.begin(), cle.end());
    return cle;
}

std::optional<QSslConfiguration> ChargerChiffrement(const QString& certificat, const QString& cle,
                                                    QString& erreur) {
    const auto pemCertificat = LireFichier(certificat, QStringLiteral("le certificat"), erreur);
    if (!pemCertificat) return std::nullopt;
    const auto pemCle = LireFichier(cle, QStringLiteral("la clé"), erreur);
    if (!pemCle) return std::nullopt;
    const QList<QSslCertificate> chaine = QSslCertificate::fromData(*pemCertificat, QSsl::Pem);
    if (chaine.isEmpty() || chaine.constFirst().isNull()) {
        erreur = QStringLiteral("%1 ne contient pas de certificat au format PEM").arg(certificat);
        return std::nullopt;
    }
    const QSslKey clePrivee = LireCle(*pemCle);
    if (clePrivee.isNull()) {
        erreur = QStringLiteral("%1 ne contient pas de clé privée au format PEM (RSA, EC ou DSA, "
                                "sans phrase secrète)")
                     .arg(cle);
        return std::nullopt;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain(chaine);
    configuration.setPrivateKey(clePrivee);
    // Players show no certificate: the server is the one that proves who it is.
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    configuration.setProtocol(QSsl::TlsV1_2OrLater);
    if (const auto echec = EssayerPoignee(configuration)) {
        erreur = QStringLiteral("le certificat %1 et la clé %2 ne peuvent pas servir ensemble (la "
                                "clé est-elle celle du certificat ?) : %3")
                     .arg(certificat, cle, SansDeuxPoints(*echec));
        return std::nullopt;
    }
    return configuration;
}

void Ecoute::Chiffrer(const QSslConfiguration& configuration) {
    setSslConfiguration(configuration);
    chiffree_ = true;
}

void Ecoute::incomingConnection(qintptr descripteur) {
    // Plain: what QTcpServer does, a QTcpSocket ready at once, skipping on purpose the TLS that
    // QSslServer's own would start.
    if (!chiffree_)
        return QTcpServer::incomingConnection(descripteur); // NOLINT(bugprone-parent-virtual-call)
    QSslServer::incomingConnection(descripteur);
    // The socket Qt has just made for the handshake is its newest child.
    if (children().isEmpty()) return;
    if (auto* socket = qobject_cast<QSslSocket*>(children().constLast())) Surveiller(*socket);
}

// A connection that Qt drops before its handshake is done is said once, when it goes; one that
// completes it is the desk's from then on, and its end is no refusal.
void Ecoute::Surveiller(QSslSocket& socket) {
    const QString pair = socket.peerAddress().toString();
    auto raison = std::make_shared<QString>();
    QElapsedTimer duree;
    duree.start();
    const auto erreur =
        connect(&socket, &QAbstractSocket::errorOccurred, this,
                [raison, s = &socket](QAbstractSocket::SocketError) {
                    *raison = QStringLiteral("négociation TLS échouée (%1)").arg(s->errorString());
                });
    const auto fin = connect(&socket, &QObject::destroyed, this, [this, pair, raison, duree] {
        // Qt closes without a word both a peer that speaks in clear and one that stays silent.
        if (raison->isEmpty())
            *raison =
                duree.elapsed() >= handshakeTimeout()
                    ? QStringLiteral("pas de négociation TLS en %1 ms").arg(handshakeTimeout())
                    : QStringLiteral("parle en clair");
        emit Refus(pair, *raison);
    });
    connect(&socket, &QSslSocket::encrypted, this, [erreur, fin] {
        disconnect(erreur);
        disconnect(fin);
    });
}
