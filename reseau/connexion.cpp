// A connection as lines.
#include "connexion.h"

#include <QTcpSocket>
#include <QTimer>

Connexion::Connexion(QTcpSocket* socket, std::size_t longueurMax, QObject* parent)
    : QObject(parent), socket_(socket), lecteur_(longueurMax) {
    socket_->setParent(this);
    // The kernel keeps what this side has not read yet; the peer is then slowed by TCP itself.
    socket_->setReadBufferSize(static_cast<qint64>(longueurMax) * 4 + 4096);
    // A line is a whole message: it leaves at once, not once the previous one is acknowledged.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::readyRead, this, &Connexion::Lire);
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        fermee_ = true;
        if (perdue_) return;
        perdue_ = true;
        emit Perdue(this);
    });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (socket_->state() == QAbstractSocket::UnconnectedState && !perdue_) {
            fermee_ = true;
            perdue_ = true;
            emit Perdue(this);
        }
    });
}

void Connexion::Lire() {
    while (!fermee_ && socket_->bytesAvailable() > 0) {
        char tampon[8192];
        const qint64 lus = socket_->read(tampon, sizeof tampon);
        if (lus <= 0) break;
        const bool bon = lecteur_.Ajouter(std::string_view(tampon, static_cast<std::size_t>(lus)));
        while (!fermee_) {
            auto ligne = lecteur_.Suivante();
            if (!ligne) break;
            emit LigneRecue(this, *ligne);
        }
        if (!bon && !fermee_) emit LigneTropLongue(this);
    }
    SurveillerLigne();
}

// The timer runs only while a line is under way: a connection at rest costs no timer.
void Connexion::SurveillerLigne() {
    if (fermee_ || delaiLigneMs_ <= 0) return;
    const bool enCours = lecteur_.Taille() > 0;
    if (!enCours) {
        if (ligne_) ligne_->stop();
        return;
    }
    if (!ligne_) {
        ligne_ = new QTimer(this);
        ligne_->setSingleShot(true);
        connect(ligne_, &QTimer::timeout, this, [this] {
            if (!fermee_) emit LigneTropLente(this);
        });
    }
    if (!ligne_->isActive()) ligne_->start(delaiLigneMs_);
}

void Connexion::Envoyer(const std::string& ligne) {
    if (fermee_) return;
    // A peer that does not read is dropped before its backlog can grow this process.
    if (socket_->bytesToWrite() > SortieMax) return Couper();
    std::string texte = ligne;
    texte += '\n';
    socket_->write(texte.data(), static_cast<qint64>(texte.size()));
}

void Connexion::Fermer(const std::string& erreur) {
    if (fermee_) return;
    Envoyer("erreur " + erreur);
    // As much as the socket takes at once: a host that goes right after still says why.
    socket_->flush();
    fermee_ = true;
    // Closed from the event loop: the caller may be in the middle of a loop over connections.
    QTimer::singleShot(0, socket_, [s = socket_] { s->disconnectFromHost(); });
}

void Connexion::Couper() {
    fermee_ = true;
    QTimer::singleShot(0, socket_, [s = socket_] { s->abort(); });
}
