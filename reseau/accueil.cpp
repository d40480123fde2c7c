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

} // namespace

Accueil::Accueil(QString version, Journal* journal, QObject* parent)
    : QObject(parent), version_(std::move(version)), journal_(journal) {
    connect(&serveur_, &QTcpServer::pendingConnectionAvailable, this, &Accueil::Accepter);
}

Accueil::~Accueil() {
    // The hosts hold the connections' addresses: they go first.
    salles_.clear();
}

bool Accueil::Ecouter(const QHostAddress& adresse, quint16 port) {
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
        connect(c, &Connexion::LigneTropLongue, this, [this](Connexion* c2) {
            // The seat is let go now: a peer that does not read may keep the socket for long.
            if (c2->Hote) {
                auto& salle = salles_.at(c2->Hote->Code());
                salle.hote->Quitter(*c2);
                c2->Hote = nullptr;
                Actualiser(salle);
            }
            c2->Fermer(TextesReseau::LigneTropLongue);
        });
        connect(c, &Connexion::Perdue, this, &Accueil::Perdre);
        c->Bonjour = new QTimer(c);
        c->Bonjour->setSingleShot(true);
        connect(c->Bonjour, &QTimer::timeout, c, [c] { c->Fermer(TextesReseau::Silence); });
        c->Bonjour->start(reglages.delaiBonjourMs);
    }
}

void Accueil::Recevoir(Connexion* c, const std::string& ligne) {
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
    c->Bonjour->stop();
    c->Envoyer("ovane " + std::string(VersionProtocole) + ' ' + version_.toStdString());
}

void Accueil::Creer(Connexion* c, const Requete& r) {
    const std::string code = NouveauCode();
    Salle& salle = NouvelleSalle(code);
    if (!salle.hote->Creer(r.equipe, r.jeu, *c)) {
        delete salle.horloge;
        salles_.erase(code);
        return c->Envoyer(LigneErreur(TextesReseau::Stockage));
    }
    c->Hote = salle.hote.get();
    emit Evenement(QStringLiteral("partie %1 créée par %2 (%3)")
                       .arg(NomPartie(CleJournal, code), Nom(c), MotEquipe(r.equipe)));
    Actualiser(salle);
}

void Accueil::Asseoir(Connexion* c, const Requete& r) {
    const auto trouvee = salles_.find(r.code);
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
    if (c->Hote) {
        auto& salle = salles_.at(c->Hote->Code());
        salle.hote->Quitter(*c);
        Actualiser(salle);
    }
    c->deleteLater();
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

void Accueil::Chiffrer(const QSslConfiguration& configuration) {
    serveur_.Chiffrer(configuration);
    connect(&serveur_, &Ecoute::Refus, this, [this](const QString& pair, const QString& raison) {
        emit Evenement(QStringLiteral("%1 refusé : %2").arg(pair, raison));
    });
}
