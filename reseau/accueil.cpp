// The welcome desk.
#include "accueil.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

#include "connexion.h"
#include "rules/commandes.h"

namespace {

QString Nom(const Connexion* c) {
    const auto* socket = c->findChild<QTcpSocket*>();
    return socket ? socket->peerAddress().toString() : QString();
}

// What a peer's limits are counted against: its IPv4 address, or the /64 network of an IPv6 one
// (a single home gets a whole /64).
std::string CleAdresse(const QHostAddress& adresse) {
    bool v4 = false;
    const quint32 ipv4 = adresse.toIPv4Address(&v4);
    if (v4) return QHostAddress(ipv4).toString().toStdString();
    const Q_IPV6ADDR ipv6 = adresse.toIPv6Address();
    return QByteArray(reinterpret_cast<const char*>(ipv6.c), 8).toHex().toStdString() + "::/64";
}

} // namespace

Accueil::Accueil(QString version, Journal* journal, QObject* parent)
    : QObject(parent), version_(std::move(version)), journal_(journal) {
    connect(&serveur_, &QTcpServer::pendingConnectionAvailable, this, &Accueil::Accepter);
    temps_.start();
}

Accueil::~Accueil() {
    // The hosts hold the connections' addresses: they go first.
    salles_.clear();
}

bool Accueil::Ecouter(const QHostAddress& adresse, quint16 port) {
    // Qt's default of 50 waiting connections drops a burst of players: the kernel's cap decides.
    serveur_.setListenBacklogSize(4096);
    return serveur_.listen(adresse, port);
}

const HotePartie* Accueil::Partie(const std::string& code) const {
    const auto salle = salles_.find(code);
    return salle == salles_.end() ? nullptr : salle->second.hote.get();
}

void Accueil::Accepter() {
    while (QTcpSocket* socket = serveur_.nextPendingConnection()) {
        auto* c = new Connexion(socket, LongueurMaxRequete, this);
        connect(c, &Connexion::LigneRecue, this, &Accueil::Recevoir);
        connect(c, &Connexion::LigneTropLongue, this,
                [this](Connexion* c2) { Rejeter(c2, TextesReseau::LigneTropLongue); });
        connect(c, &Connexion::LigneTropLente, this,
                [this](Connexion* c2) { Rejeter(c2, TextesReseau::LigneTropLente); });
        connect(c, &Connexion::Perdue, this, &Accueil::Perdre);
        if (const char* refus = Admettre(c)) {
            c->Fermer(refus);
            continue;
        }
        c->Bonjour = new QTimer(c);
        c->Bonjour->setSingleShot(true);
        connect(c->Bonjour, &QTimer::timeout, c, [c] { c->Fermer(TextesReseau::Silence); });
        c->Bonjour->start(reglages.delaiBonjourMs);
    }
}

void Accueil::Recevoir(Connexion* c, const std::string& ligne) {
    if (!Debit(c)) return;
    if (!c->Accueillie) return Accueillir(c, ligne);
    const LectureRequete lue = LireRequete(ligne);
    if (!lue.requete) return c->Envoyer(LigneErreur(lue.erreur));
    const Requete& r = *lue.requete;
    using G = Requete::Genre;
    if (r.genre == G::Bonjour) return c->Envoyer(LigneErreur(TextesReseau::CommandeIllisible));
    if (r.genre == G::Creer || r.genre == G::Rejoindre || r.genre == G::Reprendre) {
        if (c->Hote) return c->Envoyer(LigneErreur(TextesReseau::DejaAssis));
        return r.genre == G::Creer ? Creer(c, r) : Asseoir(c, r);
    }
    if (!c->Hote) return c->Envoyer(LigneErreur(TextesReseau::PasAssis));
    auto& salle = salles_.at(c->Hote->Code());
    const bool finie = salle.hote->Jeu().FinDeJeu != 0;
    salle.hote->Traiter(*c, r);
    if (!finie && salle.hote->Jeu().FinDeJeu)
        emit Evenement(
            QStringLiteral("partie %1 terminée").arg(NomPartie(CleJournal, salle.hote->Code())));
    Actualiser(salle);
}

void Accueil::Accueillir(Connexion* c, const std::string& ligne) {
    const LectureRequete lue = LireRequete(ligne);
    if (!lue.requete || lue.requete->genre != Requete::Genre::Bonjour) {
        const bool version = lue.erreur == TextesReseau::VersionInconnue;
        emit Evenement(QStringLiteral("%1 refusé : pas de bonjour").arg(Nom(c)));
        return c->Fermer(version ? TextesReseau::VersionInconnue : TextesReseau::BonjourAttendu);
    }
    c->Accueillie = true;
    // A greeted connection holds no timer: thousands of idle ones cost no more than their socket.
    delete c->Bonjour;
    c->Bonjour = nullptr;
    c->Envoyer("ovane " + std::string(VersionProtocole) + ' ' + version_.toStdString());
}

void Accueil::Creer(Connexion* c, const Requete& r) {
    if (const char* refus = PlacePourPartie(c)) return c->Envoyer(LigneErreur(refus));
    const std::string code = NouveauCode();
    Salle& salle = NouvelleSalle(code);
    if (!salle.hote->Creer(r.equipe, r.jeu, *c)) {
        delete salle.horloge;
        salles_.erase(code);
        return c->Envoyer(LigneErreur(TextesReseau::Stockage));
    }
    salle.createur = c->Adresse;
    static_cast<void>(adresses_.Creer(c->Adresse));
    c->Hote = salle.hote.get();
    emit Evenement(QStringLiteral("partie %1 créée par %2 (%3)")
                       .arg(NomPartie(CleJournal, code), Nom(c), MotEquipe(r.equipe)));
    Actualiser(salle);
}

void Accueil::Asseoir(Connexion* c, const Requete& r) {
    auto trouvee = salles_.find(r.code);
    if (trouvee == salles_.end()) trouvee = Rappeler(r.code);
    if (trouvee == salles_.end()) return Echec(c);
    Salle& salle = trouvee->second;
    const bool reprise = r.genre == Requete::Genre::Reprendre;
    if (reprise ? !salle.hote->Reprendre(r.jeton, *c) : !salle.hote->Rejoindre(*c)) {
        // A wrong token is answered as an unknown code is.
        if (reprise) return Echec(c);
        emit Evenement(QStringLiteral("%1 refusé : partie %2 complète")
                           .arg(Nom(c), NomPartie(CleJournal, r.code)));
        return;
    }
    c->Hote = salle.hote.get();
    emit Evenement(QStringLiteral("partie %1 %2 par %3")
                       .arg(NomPartie(CleJournal, r.code),
                            reprise ? QStringLiteral("reprise") : QStringLiteral("rejointe"),
                            Nom(c)));
    Actualiser(salle);
}

// An unknown code answers as a wrong token does, and both count towards closing.
void Accueil::Echec(Connexion* c) {
    emit Evenement(QStringLiteral("%1 refusé : partie inconnue ou jeton faux").arg(Nom(c)));
    if (++c->Echecs >= reglages.essaisMax) return c->Fermer(TextesReseau::TropDEssais);
    c->Envoyer(LigneErreur(TextesReseau::PartieInconnue));
}

void Accueil::Perdre(Connexion* c) {
    if (!c->Adresse.empty()) adresses_.Liberer(c->Adresse);
    c->Adresse.clear();
    Lever(c);
    c->deleteLater();
}

// The connection leaves its seat, which stays its player's; a game over and empty leaves memory.
void Accueil::Lever(Connexion* c) {
    if (!c->Hote) return;
    const std::string code = c->Hote->Code();
    auto& salle = salles_.at(code);
    salle.hote->Quitter(*c);
    c->Hote = nullptr;
    Actualiser(salle);
    Evincer(code);
}

Accueil::Salle& Accueil::NouvelleSalle(const std::string& code) {
    Salle& salle = salles_[code];
    salle.hote = std::make_unique<HotePartie>(code, journal_);
    salle.horloge = new QTimer(this);
    salle.horloge->setInterval(static_cast<int>(IntervalleHorloge));
    // A coarse timer may fire early: a play must never be cut short.
    salle.horloge->setTimerType(Qt::PreciseTimer);
    connect(salle.horloge, &QTimer::timeout, this, [this, code] {
        Salle& s = salles_.at(code);
        s.hote->Tic();
        Actualiser(s);
    });
    return salle;
}

bool Accueil::Restaurer(const PartieEnregistree& partie) {
    if (!Installer(partie)) return false;
    Evincer(partie.code);
    return true;
}

bool Accueil::Installer(const PartieEnregistree& partie) {
    if (!LireCode(partie.code) || salles_.count(partie.code)) return false;
    Salle& salle = NouvelleSalle(partie.code);
    if (salle.hote->Restaurer(partie)) return true;
    delete salle.horloge;
    salles_.erase(partie.code);
    return false;
}

// The clock runs only for a game whose team to play is here: an idle game costs nothing.
void Accueil::Actualiser(Salle& salle) {
    const bool marche = salle.hote->HorlogeEnMarche();
    if (marche && !salle.horloge->isActive())
        salle.horloge->start();
    else if (!marche)
        salle.horloge->stop();
}

std::string Accueil::NouveauCode() const {
    std::string code(LongueurCode, ' ');
    do {
        for (char& c : code)
            c = AlphabetCode[QRandomGenerator::system()->bounded(
                static_cast<quint32>(AlphabetCode.size()))];
    } while (salles_.count(code));
    return code;
}

void Accueil::Arreter() {
    serveur_.close();
    for (auto& [code, salle] : salles_) {
        salle.horloge->stop();
        salle.hote->FermerTout(TextesReseau::Arret);
    }
    for (Connexion* c : findChildren<Connexion*>()) c->Fermer(TextesReseau::Arret);
}

// A new connection counts against its address: connections at once and a second.
const char* Accueil::Admettre(Connexion* c) {
    const auto* socket = c->findChild<QTcpSocket*>();
    if (!socket) return TextesReseau::TropDeConnexions;
    const std::string cle = CleAdresse(socket->peerAddress());
    if (const char* refus = adresses_.Connecter(cle, temps_.elapsed())) {
        // One line a second at most: a flood must not fill the log as well.
        if (temps_.elapsed() - dernierRefus_ < 1000) {
            ++refusTus_;
            return refus;
        }
        emit Evenement(QStringLiteral("%1 refusé : trop de connexions (%2 autres refus tus)")
                           .arg(Nom(c))
                           .arg(refusTus_));
        dernierRefus_ = temps_.elapsed();
        refusTus_ = 0;
        return refus;
    }
    c->Adresse = cle;
    c->Lignes = Seau(reglages.limites.lignesParSeconde, reglages.limites.rafaleLignes);
    c->DelaiLigne(reglages.delaiLigneMs);
    return nullptr;
}

// Lines a second: a peer past its bucket is closed; a player's window never comes near it.
bool Accueil::Debit(Connexion* c) {
    if (c->Lignes.Prendre(temps_.elapsed())) return true;
    emit Evenement(QStringLiteral("%1 refusé : trop de commandes").arg(Nom(c)));
    Rejeter(c, TextesReseau::TropDeCommandes);
    return false;
}

const char* Accueil::PlacePourPartie(const Connexion* c) const {
    if (salles_.size() >= static_cast<std::size_t>(reglages.limites.partiesMax))
        return TextesReseau::ServeurComplet;
    if (adresses_.Parties(c->Adresse) >= reglages.limites.partiesParAdresse)
        return TextesReseau::TropDeParties;
    return nullptr;
}

// The seat is let go at once: a peer that does not read may keep the socket for long.
void Accueil::Rejeter(Connexion* c, const char* texte) {
    Lever(c);
    c->Fermer(texte);
}

void Accueil::Evincer(const std::string& code) {
    const auto place = salles_.find(code);
    if (place == salles_.end()) return;
    const Salle& salle = place->second;
    if (!salle.hote->Jeu().FinDeJeu || !salle.hote->Vide()) return;
    if (!salle.createur.empty()) adresses_.Rendre(salle.createur);
    delete salle.horloge;
    salles_.erase(place);
}

// A game evicted from memory, found again in the journal when one of its players comes back.
std::map<std::string, Accueil::Salle>::iterator Accueil::Rappeler(const std::string& code) {
    PartieEnregistree partie;
    if (!journal_ || !journal_->Relire(code, partie) || !Installer(partie)) return salles_.end();
    return salles_.find(code);
}

void Accueil::Chiffrer(const QSslConfiguration& configuration) {
    serveur_.Chiffrer(configuration);
    connect(&serveur_, &Ecoute::Refus, this, [this](const QString& pair, const QString& raison) {
        emit Evenement(QStringLiteral("%1 refusé : %2").arg(pair, raison));
    });
}
