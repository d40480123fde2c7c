// A connection as lines.
#include "connexion.h"

#include <sys/socket.h>

#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

Connexion::Connexion(QTcpSocket* socket, std::size_t longueurMax, QObject* parent)
    : QObject(parent), socket_(socket), lecteur_(longueurMax),
      direct_(qobject_cast<QSslSocket*>(socket) == nullptr) {
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
    // All that is there, at once: Qt then hands over its own block rather than a copy, and keeps
    // no 16 KiB input block for a connection at rest.
    while (!fermee_ && socket_->bytesAvailable() > 0) {
        const QByteArray bloc = socket_->read(socket_->bytesAvailable());
        if (bloc.isEmpty()) break;
        const bool bon = lecteur_.Ajouter(
            std::string_view(bloc.constData(), static_cast<std::size_t>(bloc.size())));
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
    const std::size_t envoyes = EnvoyerDirect(texte);
    if (envoyes < texte.size())
        socket_->write(texte.data() + envoyes, static_cast<qint64>(texte.size() - envoyes));
}

// A plain connection hands a line straight to the kernel when nothing waits before it, as Qt's
// unbuffered mode would (a socket a server accepts cannot have it): Qt's own output buffer, a
// block of 32 KiB kept for the connection's whole life, then exists only for a peer that reads
// slowly, and a line leaves without waiting for the event loop's next turn. Whatever the kernel
// does not take, or an error, goes through Qt, which sends the rest or reports the loss.
std::size_t Connexion::EnvoyerDirect(const std::string& texte) {
    if (!direct_ || socket_->bytesToWrite() > 0 ||
        socket_->state() != QAbstractSocket::ConnectedState)
        return 0;
    const auto envoyes = ::send(static_cast<int>(socket_->socketDescriptor()), texte.data(),
                                texte.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    return envoyes > 0 ? static_cast<std::size_t>(envoyes) : 0;
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
    // Reset, not closed: the kernel drops at once what the peer left unread, rather than keep
    // it for a peer that may never read.
    if (const auto fd = socket_->socketDescriptor(); fd >= 0) {
        const linger aussitot{.l_onoff = 1, .l_linger = 0};
        static_cast<void>(
            ::setsockopt(static_cast<int>(fd), SOL_SOCKET, SO_LINGER, &aussitot, sizeof aussitot));
    }
    QTimer::singleShot(0, socket_, [s = socket_] { s->abort(); });
}
