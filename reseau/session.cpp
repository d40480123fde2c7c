// A player's side of a network game.
#include "session.h"

#include <QDateTime>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

#include "chiffrement.h"
#include "rules/vue.h"

namespace {

const QString SchemaTls = QStringLiteral("ovanes://");
const QString FragmentEmpreinte = QStringLiteral("#sha256=");

// The TLS part of an address, taken off reste into adresse; false when it is wrong. A fingerprint
// without TLS is wrong: it could only be ignored.
bool LireChiffrement(QString& reste, AdresseHote& adresse) {
    const auto diese = reste.indexOf(QLatin1Char('#'));
    QString fragment;
    if (diese >= 0) {
        fragment = reste.mid(diese);
        reste.truncate(diese);
    }
    adresse.chiffree = reste.startsWith(SchemaTls, Qt::CaseInsensitive);
    if (adresse.chiffree) reste.remove(0, SchemaTls.size());
    if (fragment.isEmpty()) return true;
    if (!adresse.chiffree || !fragment.startsWith(FragmentEmpreinte, Qt::CaseInsensitive))
        return false;
    const auto empreinte = LireEmpreinte(fragment.mid(FragmentEmpreinte.size()));
    if (!empreinte) return false;
    adresse.empreinte = *empreinte;
    return true;
}

} // namespace

// The caller's view, with its boxes held back during a catch-up.
class SessionClient::VueRelais : public Vue {
public:
    explicit VueRelais(Vue& vue) : vue_(vue) {}
    bool Muette = false;

    void AfficherPanneau(Panneau panneau, const std::string& texte) override {
        vue_.AfficherPanneau(panneau, texte);
    }
    void DefinirJauge(int maximum, int progression, const std::string& bulle) override {
        vue_.DefinirJauge(maximum, progression, bulle);
    }
    void RedessinerPlateau() override { vue_.RedessinerPlateau(); }
    void DefinirCurseur(int numero) override { vue_.DefinirCurseur(numero); }
    void ActiverHorloge(bool active) override { vue_.ActiverHorloge(active); }
    bool HorlogeActive() const override { return vue_.HorlogeActive(); }
    void Message(const std::string& texte, const std::string& titre, Icone icone) override {
        if (!Muette) vue_.Message(texte, titre, icone);
    }

private:
    Vue& vue_;
};

std::optional<AdresseHote> LireAdresse(const QString& texte) {
    AdresseHote adresse;
    QString reste = texte.trimmed();
    if (!LireChiffrement(reste, adresse)) return std::nullopt;
    QString port;
    if (reste.startsWith(QLatin1Char('['))) {
        const auto fin = reste.indexOf(QLatin1Char(']'));
        if (fin < 0) return std::nullopt;
        adresse.hote = reste.mid(1, fin - 1);
        reste = reste.mid(fin + 1);
        if (!reste.isEmpty() && !reste.startsWith(QLatin1Char(':'))) return std::nullopt;
        port = reste.mid(1);
    } else if (reste.count(QLatin1Char(':')) == 1) {
        adresse.hote = reste.section(QLatin1Char(':'), 0, 0);
        port = reste.section(QLatin1Char(':'), 1);
    } else {
        adresse.hote = reste;
    }
    if (adresse.hote.isEmpty() || adresse.hote.contains(QLatin1Char(' '))) return std::nullopt;
    if (!port.isEmpty()) {
        bool ok = false;
        const uint valeur = port.toUInt(&ok);
        if (!ok || valeur == 0 || valeur > 65535) return std::nullopt;
        adresse.port = static_cast<quint16>(valeur);
    }
    return adresse;
}

QString TexteAdresse(const AdresseHote& adresse) {
    QString texte = adresse.hote.contains(QLatin1Char(':'))
                        ? QStringLiteral("[%1]").arg(adresse.hote)
                        : adresse.hote;
    if (adresse.port != PortParDefaut) texte += QStringLiteral(":%1").arg(adresse.port);
    if (!adresse.chiffree) return texte;
    texte.prepend(SchemaTls);
    if (!adresse.empreinte.isEmpty())
        texte += FragmentEmpreinte + TexteEmpreinte(adresse.empreinte);
    return texte;
}

SessionClient::SessionClient(const Partie& p, QObject* parent)
    : QObject(parent), p_(p), relais_(std::make_unique<VueRelais>(p.Ecran)),
      miroir_(Partie{p.Jeu, p.Joueurs, *relais_}) {
    essai_ = new QTimer(this);
    essai_->setSingleShot(true);
    connect(essai_, &QTimer::timeout, this, &SessionClient::Connecter);
}

SessionClient::~SessionClient() {
    if (socket_) socket_->disconnect(this);
}

void SessionClient::Creer(const AdresseHote& adresse, int equipe, const CommandeJeu& parametres) {
    Requete r;
    r.genre = Requete::Genre::Creer;
    r.equipe = equipe;
    r.jeu = parametres;
    adresse_ = adresse;
    siege_ = r;
    assise_ = false;
    Connecter();
}

void SessionClient::Rejoindre(const AdresseHote& adresse, const QString& code) {
    Requete r;
    r.genre = Requete::Genre::Rejoindre;
    r.code = LireCode(code.toStdString()).value_or(code.toStdString());
    adresse_ = adresse;
    siege_ = r;
    assise_ = false;
    Connecter();
}

void SessionClient::Reprendre(const AdresseHote& adresse, const QString& code,
                              const QString& jeton) {
    Requete r;
    r.genre = Requete::Genre::Reprendre;
    r.code = LireCode(code.toStdString()).value_or(code.toStdString());
    r.jeton = jeton.toStdString();
    adresse_ = adresse;
    siege_ = r;
    code_ = QString::fromStdString(r.code);
    jeton_ = jeton;
    assise_ = true;
    tentatives_ = 0;
    Connecter();
}

void SessionClient::Quitter() {
    essai_->stop();
    etape_ = Etape::Libre;
    attendus_.clear();
    recues_.clear();
    Lacher();
    emit Changement();
}

// The connection is dropped without a word, and nothing it still says is heard.
void SessionClient::Lacher() {
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
    socket_ = nullptr;
}

void SessionClient::Connecter() {
    Lacher();
    attendus_.clear();
    recues_.clear();
    lecteur_ = LecteurLignes(LongueurMaxAnnonce);
    derniereErreur_.clear();
    refusTls_.clear();
    etape_ = Etape::Connexion;
    socket_ = adresse_.chiffree ? SocketChiffree() : new QTcpSocket(this);
    socket_->setReadBufferSize(4 * static_cast<qint64>(LongueurMaxAnnonce));
    if (!adresse_.chiffree) {
        connect(socket_, &QTcpSocket::connected, this, [this] {
            Requete bonjour;
            Envoyer(bonjour);
        });
    }
    connect(socket_, &QTcpSocket::readyRead, this, &SessionClient::Lire);
    connect(socket_, &QTcpSocket::disconnected, this, &SessionClient::Perdue);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
        if (socket_ && socket_->state() == QAbstractSocket::UnconnectedState) Perdue();
    });
    emit Changement();
    if (auto* tls = qobject_cast<QSslSocket*>(socket_))
        tls->connectToHostEncrypted(adresse_.hote, adresse_.port);
    else
        socket_->connectToHost(adresse_.hote, adresse_.port);
}

// A TLS connection that says hello only once the host has shown the certificate the authorities
// vouch for, or the one whose fingerprint the player gave. A refusal is final: another try would
// meet the same certificate, and nothing may go to a host that is not the one meant.
QSslSocket* SessionClient::SocketChiffree() {
    auto* socket = new QSslSocket(this);
    if (!AutoritesTls.isEmpty()) {
        QSslConfiguration configuration = socket->sslConfiguration();
        configuration.setCaCertificates(AutoritesTls);
        socket->setSslConfiguration(configuration);
    }
    const auto epinglee = [this, socket] {
        return socket->peerCertificate().digest(QCryptographicHash::Sha256) == adresse_.empreinte;
    };
    // Refused here, the handshake fails, and errorOccurred below says why.
    connect(socket, &QSslSocket::sslErrors, this,
            [this, socket, epinglee](const QList<QSslError>& erreurs) {
                if (!adresse_.empreinte.isEmpty() && epinglee()) return socket->ignoreSslErrors();
                RefuserCertificat(*socket, erreurs.isEmpty() ? QString()
                                                             : erreurs.constFirst().errorString());
            });
    // Connected before the session's own: a refusal ends the session before a drop is retried.
    connect(socket, &QAbstractSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError e) {
                if (!refusTls_.isEmpty()) return Arreter(refusTls_);
                if (e == QAbstractSocket::SslHandshakeFailedError)
                    Arreter(
                        QStringLiteral("La connexion chiffrée avec %1 a échoué (%2) : ce serveur "
                                       "parle-t-il TLS ?")
                            .arg(adresse_.hote, socket->errorString()));
            });
    connect(socket, &QSslSocket::encrypted, this, [this, socket, epinglee] {
        // A certificate the authorities vouch for is still not the one the player was given.
        if (!adresse_.empreinte.isEmpty() && !epinglee()) {
            RefuserCertificat(*socket, QString());
            return Arreter(refusTls_);
        }
        Requete bonjour;
        Envoyer(bonjour);
    });
    return socket;
}

void SessionClient::RefuserCertificat(const QSslSocket& socket, const QString& cause) {
    if (!adresse_.empreinte.isEmpty()) {
        refusTls_ = QStringLiteral("Le certificat de %1 n'a pas l'empreinte donnée : connexion "
                                   "refusée, rien ne lui a été envoyé.\n\nEmpreinte donnée :\n"
                                   "%2\n\nEmpreinte reçue :\n%3")
                        .arg(adresse_.hote, TexteEmpreinte(adresse_.empreinte),
                             Empreinte(socket.peerCertificate()));
        return;
    }
    refusTls_ = QStringLiteral("Le certificat de %1 n'est pas reconnu (%2) : connexion refusée, "
                               "rien ne lui a été envoyé.\n\nSi ce serveur est celui d'un ami, "
                               "demandez-lui l'empreinte de son certificat et ajoutez-la à "
                               "l'adresse : %3#sha256=…")
                    .arg(adresse_.hote, cause, TexteAdresse(adresse_));
}

void SessionClient::Envoyer(const Requete& r) {
    if (!socket_) return;
    if (r.genre != Requete::Genre::Bonjour) attendus_.push_back({r.genre, r.jeu});
    const std::string ligne = TexteRequete(r) + '\n';
    socket_->write(ligne.data(), static_cast<qint64>(ligne.size()));
}

bool SessionClient::Jouer(const CommandeJeu& action) {
    if (etape_ != Etape::EnJeu || !action.Action()) return false;
    Requete r;
    r.genre = Requete::Genre::Jeu;
    r.jeu = action;
    Envoyer(r);
    return true;
}

bool SessionClient::Proposer(const CommandeJeu& proposition) {
    if (etape_ != Etape::EnJeu) return false;
    Requete r;
    r.genre = Requete::Genre::Proposer;
    r.jeu = proposition;
    Envoyer(r);
    return true;
}

bool SessionClient::Repondre(bool accepte, int numero) {
    // An answer to a proposal withdrawn since, or replaced, is not sent.
    if (etape_ != Etape::EnJeu || !propositionEnCours_ || numero != numeroProposition_)
        return false;
    propositionEnCours_ = false;
    Requete r;
    r.genre = accepte ? Requete::Genre::Accepter : Requete::Genre::Refuser;
    Envoyer(r);
    return true;
}

bool SessionClient::DemanderEtat() {
    if (etape_ != Etape::EnJeu) return false;
    Requete r;
    r.genre = Requete::Genre::Etat;
    Envoyer(r);
    return true;
}

bool SessionClient::ActionEnCours() const {
    for (const Attendu& a : attendus_)
        if (a.genre == Requete::Genre::Jeu) return true;
    return false;
}

int SessionClient::SecondesAvantEssai() const {
    const qint64 reste = echeance_ - QDateTime::currentMSecsSinceEpoch();
    return reste <= 0 ? 0 : static_cast<int>((reste + 999) / 1000);
}

void SessionClient::Lire() {
    QTcpSocket* socket = socket_;
    while (socket == socket_ && socket_->bytesAvailable() > 0) {
        char tampon[16384];
        const qint64 lus = socket_->read(tampon, sizeof tampon);
        if (lus <= 0) break;
        if (!lecteur_.Ajouter(std::string_view(tampon, static_cast<std::size_t>(lus)))) {
            // A host that breaks the protocol: start again from a fresh catch-up.
            socket_->abort();
            return;
        }
        while (auto ligne = lecteur_.Suivante()) {
            octetsRecus_ += ligne->size();
            recues_.push_back(std::move(*ligne));
        }
        // Lines held while a box is open stay bounded: a host that floods is left, and the
        // catch-up of the next connection says the same in a few lines.
        if (octetsRecus_ > AttenteMax) {
            socket_->abort();
            return;
        }
    }
    // Not from here: a box that a line opens runs a nested event loop, and a socket never emits
    // readyRead again while a slot of its readyRead is under way.
    QMetaObject::invokeMethod(this, &SessionClient::Traiter, Qt::QueuedConnection);
}

// One line at a time, in order: a box that a line opens runs a nested event loop, and the lines
// that arrive meanwhile wait for it.
void SessionClient::Traiter() {
    if (enTraitement_) return;
    enTraitement_ = true;
    while (!recues_.empty()) {
        const std::string ligne = std::move(recues_.front());
        recues_.pop_front();
        const auto annonce = LireAnnonce(ligne);
        if (!annonce) {
            recues_.clear();
            if (socket_) socket_->abort();
            break;
        }
        octetsRecus_ -= std::min(octetsRecus_, ligne.size());
        TraiterAnnonce(*annonce);
    }
    enTraitement_ = false;
    if (abandon_) {
        const QString raison = *abandon_;
        abandon_.reset();
        emit Changement();
        emit Abandon(raison);
    }
}

void SessionClient::TraiterAnnonce(const Annonce& a) {
    using G = Annonce::Genre;
    switch (a.genre) {
    case G::Bonjour:
        return Envoyer(siege_);
    case G::Partie:
        code_ = QString::fromStdString(a.code);
        jeton_ = QString::fromStdString(a.jeton);
        equipe_ = a.equipe;
        rattrapage_ = true;
        relais_->Muette = true;
        miroir_.Recommencer();
        return;
    case G::Jeu:
    case G::Instantane:
        if (!attendus_.empty() && attendus_.front().genre == Requete::Genre::Jeu &&
            a.genre == G::Jeu && a.jeu == attendus_.front().jeu)
            attendus_.front().accepte = true;
        if (!miroir_.Appliquer(a) && socket_) socket_->abort();
        emit Applique();
        return;
    case G::Boite:
        if (!attendus_.empty() && attendus_.front().genre == Requete::Genre::Jeu &&
            !attendus_.front().accepte)
            emit Refus(a.boite);
        return;
    case G::Etat:
        dernierEtat_ = a.texte;
        return;
    case G::Sauvegarde:
        // Asked for a check of one's own records only; nothing of the game changes.
        return;
    case G::Adversaire:
        adversaire_ = a.present;
        return emit Changement();
    case G::Proposition:
        ++numeroProposition_;
        propositionEnCours_ = true;
        return emit Proposition(a.jeu, numeroProposition_);
    case G::Retrait:
        ++numeroProposition_;
        propositionEnCours_ = false;
        return;
    case G::Reponse:
        return emit Reponse(a.suite);
    case G::Fin:
        if (!rattrapage_) emit Fin(QString::fromStdString(a.texte));
        return;
    case G::Ok:
    case G::Erreur:
        return Reponse_(a);
    }
}

void SessionClient::Reponse_(const Annonce& a) {
    if (attendus_.empty()) {
        // An error with nothing asked: the host closes this connection and says why.
        derniereErreur_ = QString::fromStdString(a.texte);
        return;
    }
    const Attendu attendu = attendus_.front();
    attendus_.pop_front();
    const bool siege = attendu.genre == Requete::Genre::Creer ||
                       attendu.genre == Requete::Genre::Rejoindre ||
                       attendu.genre == Requete::Genre::Reprendre;
    if (!siege) {
        if (a.genre == Annonce::Genre::Erreur) emit ErreurHote(QString::fromStdString(a.texte));
        return;
    }
    rattrapage_ = false;
    relais_->Muette = false;
    if (a.genre == Annonce::Genre::Erreur) return Arreter(QString::fromStdString(a.texte));
    etape_ = Etape::EnJeu;
    assise_ = true;
    tentatives_ = 0;
    // A drop from here on is followed by taking the seat back.
    siege_.genre = Requete::Genre::Reprendre;
    siege_.code = code_.toStdString();
    siege_.jeton = jeton_.toStdString();
    emit Changement();
}

void SessionClient::Perdue() {
    if (!socket_ || etape_ == Etape::Abandon || etape_ == Etape::Libre) return;
    Lacher();
    attendus_.clear();
    // The host's last word may still wait behind an open box: the newest connection of a seat
    // wins, and this one must know it was replaced.
    const std::string remplace = LigneErreur(TextesReseau::Remplace);
    for (const std::string& ligne : recues_)
        if (ligne == remplace) derniereErreur_ = QString::fromUtf8(TextesReseau::Remplace);
    recues_.clear();
    octetsRecus_ = 0;
    relais_->Muette = false;
    rattrapage_ = false;
    if (derniereErreur_ == QString::fromUtf8(TextesReseau::Remplace) || !assise_)
        return Arreter(derniereErreur_.isEmpty()
                           ? QStringLiteral("Impossible de joindre %1.").arg(adresse_.hote)
                           : derniereErreur_);
    if (tentatives_ >= DelaisMs.size())
        return Arreter(QStringLiteral("La connexion avec %1 est perdue.").arg(adresse_.hote));
    const int delai = DelaisMs[tentatives_++];
    etape_ = Etape::Attente;
    echeance_ = QDateTime::currentMSecsSinceEpoch() + delai;
    essai_->start(delai);
    emit Changement();
}

void SessionClient::Arreter(const QString& raison) {
    etape_ = Etape::Abandon;
    essai_->stop();
    Lacher();
    recues_.clear();
    // Said once the line under way is done: whoever hears it may let this session go.
    if (enTraitement_) {
        abandon_ = raison;
        return;
    }
    emit Changement();
    emit Abandon(raison);
}
