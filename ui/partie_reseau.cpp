// A network game seen from the board window.
#include "partie_reseau.h"

#include <QNetworkInterface>
#include <QTimer>

#include "boites.h"
#include "rules/resultat.h"

namespace {

QString Nom(int equipe) {
    return QString::fromUtf8(NomsEquipes[static_cast<std::size_t>(equipe & 1)]);
}

CommandeJeu CommandeDe(const ActionJoueur& action) {
    CommandeJeu c;
    switch (action.genre) {
    case ActionJoueur::Genre::Clic:
        c.genre = CommandeJeu::Genre::Clic;
        c.cellule = action.cellule;
        break;
    case ActionJoueur::Genre::PasserAction:
        c.genre = CommandeJeu::Genre::PasserAction;
        break;
    case ActionJoueur::Genre::PasserTour:
        c.genre = CommandeJeu::Genre::PasserTour;
        break;
    }
    return c;
}

QString TexteProposition(const CommandeJeu& c) {
    if (c.genre == CommandeJeu::Genre::Nouvelle) return QStringLiteral("une nouvelle partie");
    const QString temps = c.temps == 30000   ? QStringLiteral("30 s")
                          : c.temps == 60000 ? QStringLiteral("1 min")
                                             : QStringLiteral("1 min 30");
    return QStringLiteral("de nouveaux paramètres : %1 pions, %2 tours, %3 par coup")
        .arg(c.pions)
        .arg(c.tours)
        .arg(temps);
}

} // namespace

PartieReseau::PartieReseau(const Partie& p, Boites& boites, QWidget* fenetre, QString version)
    : p_(p), boites_(boites), fenetre_(fenetre), version_(std::move(version)),
      session_(std::make_unique<SessionClient>(p)) {
    decompte_ = new QTimer(this);
    decompte_->setInterval(1000);
    connect(decompte_, &QTimer::timeout, this, &PartieReseau::Actualiser);
    SessionClient* s = session_.get();
    connect(s, &SessionClient::Changement, this, [this] {
        if (session_->EtapeCourante() == SessionClient::Etape::EnJeu) Assise();
        if (session_->AdversairePresent()) adversaireVu_ = true;
        if (session_->EtapeCourante() == SessionClient::Etape::Attente)
            decompte_->start();
        else
            decompte_->stop();
        emit Actualiser();
    });
    // A tick that changes only the time leaves the computer thinking.
    connect(s, &SessionClient::Applique, this, [this] {
        const jeu& j = p_.Jeu;
        const auto position = std::make_tuple(j.Equipe(), j.Action, j.FinDeJeu, j.TourCourant);
        emit Applique(position != derniere_);
        derniere_ = position;
    });
    connect(s, &SessionClient::Refus, this, [this](const Boite& b) {
        boites_.Afficher(fenetre_, QString::fromStdString(b.texte), QString::fromStdString(b.titre),
                         b.icone);
    });
    connect(s, &SessionClient::ErreurHote, this, [this](const QString& texte) {
        boites_.Afficher(fenetre_, texte, QStringLiteral("Jouer en réseau"), Icone::Information);
    });
    connect(s, &SessionClient::Proposition, this, &PartieReseau::Proposition);
    connect(s, &SessionClient::Reponse, this, [this](Annonce::Suite suite) {
        const QString adversaire = Nom(session_->Equipe() ^ 1);
        const QString texte = suite == Annonce::Suite::Acceptee
                                  ? QStringLiteral("Les %1 ont accepté votre proposition.")
                              : suite == Annonce::Suite::Refusee
                                  ? QStringLiteral("Les %1 ont refusé votre proposition.")
                                  : QStringLiteral("Les %1 se sont déconnectés avant de répondre.");
        boites_.Afficher(fenetre_, texte.arg(adversaire), QStringLiteral("Jouer en réseau"),
                         Icone::Information);
    });
    connect(s, &SessionClient::Abandon, this, [this](const QString& raison) {
        boites_.Afficher(fenetre_, raison, QStringLiteral("Jouer en réseau"), Icone::Arret);
        emit Termine();
    });
}

PartieReseau::~PartieReseau() {
    // The session goes first: it talks to the host, never the other way round. Nothing it says
    // while it goes reaches a window that may be going too.
    session_->disconnect();
    session_->Quitter();
    session_.reset();
    if (hote_) hote_->Arreter();
}

bool PartieReseau::Demarrer(const ChoixReseau& choix) {
    choix_ = choix;
    if (choix.Creer && choix.Local) {
        hote_ = std::make_unique<Accueil>(version_);
        if (!hote_->Ecouter(QHostAddress::Any, choix.Port)) {
            boites_.Afficher(fenetre_,
                             QStringLiteral("Impossible d'héberger la partie sur le port %1 : %2")
                                 .arg(choix.Port)
                                 .arg(hote_->ErreurEcoute()),
                             QStringLiteral("Jouer en réseau"), Icone::Arret);
            hote_.reset();
            return false;
        }
        choix_.Adresse = {QStringLiteral("127.0.0.1"), hote_->Port()};
    }
    if (choix_.Creer)
        session_->Creer(choix_.Adresse, choix_.Equipe, choix_.Parametres);
    else if (!choix_.Jeton.isEmpty())
        session_->Reprendre(choix_.Adresse, choix_.Code, choix_.Jeton);
    else
        session_->Rejoindre(choix_.Adresse, choix_.Code);
    return true;
}

// Once seated for the first time, the player who created the game learns what to tell a friend.
void PartieReseau::Assise() {
    if (annonce_) return;
    annonce_ = true;
    if (!choix_.Creer) return;
    QString texte = QStringLiteral("Partie %1 créée : vous jouez les %2.\n\n")
                        .arg(session_->Code(), Nom(session_->Equipe()));
    if (hote_) {
        texte += QStringLiteral("Votre ami choisit « Rejoindre une partie » avec le code %1 et "
                                "l'une de ces adresses :\n%2")
                     .arg(session_->Code(), AdressesLocales(hote_->Port()).join(QLatin1Char('\n')));
    } else {
        texte += QStringLiteral("Votre ami choisit « Rejoindre une partie » avec l'adresse %1 et "
                                "le code %2.")
                     .arg(TexteAdresse(choix_.Adresse), session_->Code());
    }
    boites_.Afficher(fenetre_, texte, QStringLiteral("Jouer en réseau"), Icone::Information);
}

QStringList PartieReseau::AdressesLocales(quint16 port) {
    QStringList adresses;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.isLoopback() || a.isLinkLocal() || a.isNull()) continue;
        const bool v6 = a.protocol() == QAbstractSocket::IPv6Protocol;
        const QString texte = v6 ? QStringLiteral("[%1]:%2") : QStringLiteral("%1:%2");
        (v6 ? adresses.append(texte.arg(a.toString()).arg(port))
            : adresses.prepend(texte.arg(a.toString()).arg(port)));
    }
    adresses.append(QStringLiteral("127.0.0.1:%1 (sur cet ordinateur)").arg(port));
    return adresses;
}

bool PartieReseau::Active() const {
    const auto etape = session_->EtapeCourante();
    return etape != SessionClient::Etape::Abandon && etape != SessionClient::Etape::Libre;
}

bool PartieReseau::PeutJouer(int equipe) const {
    // Until the other player has come, the host takes no action.
    return session_->EtapeCourante() == SessionClient::Etape::EnJeu &&
           equipe == session_->Equipe() && !session_->ActionEnCours() && adversaireVu_;
}

void PartieReseau::Envoyer(const ActionJoueur& action) {
    session_->Jouer(CommandeDe(action));
}

void PartieReseau::Proposer(const CommandeJeu& proposition) {
    if (!session_->Proposer(proposition)) return;
    boites_.Afficher(fenetre_,
                     QStringLiteral("Votre proposition est envoyée aux %1 : %2.")
                         .arg(Nom(session_->Equipe() ^ 1), TexteProposition(proposition)),
                     QStringLiteral("Jouer en réseau"), Icone::Information);
}

void PartieReseau::Proposition(const CommandeJeu& proposition, int numero) {
    const QString texte = QStringLiteral("Les %1 proposent %2. Acceptez-vous ?")
                              .arg(Nom(session_->Equipe() ^ 1), TexteProposition(proposition));
    const bool oui = boites_.Demander(fenetre_, texte, QStringLiteral("Jouer en réseau"));
    session_->Repondre(oui, numero);
}

QString LigneReseau(const SituationReseau& s) {
    switch (s.etape) {
    case SessionClient::Etape::Libre:
    case SessionClient::Etape::Abandon:
        return QStringLiteral("Partie en réseau terminée");
    case SessionClient::Etape::Connexion:
        return QStringLiteral("Connexion à %1…").arg(s.hote);
    case SessionClient::Etape::Attente:
        return QStringLiteral("Connexion perdue, nouvel essai dans %1 s…").arg(s.secondes);
    case SessionClient::Etape::EnJeu:
        break;
    }
    // The end and a gone opponent say it alone: the line has room for one sentence.
    if (!s.resultat.isEmpty()) return s.resultat;
    const QString autre = Nom(s.equipe ^ 1);
    if (!s.adversaire && s.adversaireVu)
        return QStringLiteral("Les %1 se sont déconnectés").arg(autre);
    const QString texte =
        QStringLiteral("Partie %1 — vous jouez les %2 — ").arg(s.code, Nom(s.equipe));
    if (!s.adversaire) return texte + QStringLiteral("en attente des %1").arg(autre);
    if (s.aJouer != s.equipe) return texte + QStringLiteral("les %1 jouent").arg(autre);
    return texte + (s.messageLocal.isEmpty() ? QStringLiteral("à vous de jouer") : s.messageLocal);
}

QString PartieReseau::Message(const QString& messageLocal) const {
    const SessionClient& session = *session_;
    const jeu& j = p_.Jeu;
    return LigneReseau(
        {session.EtapeCourante(), session.Adresse().hote, session.SecondesAvantEssai(),
         session.Code(), session.Equipe(), session.AdversairePresent(), adversaireVu_, j.Equipe(),
         j.FinDeJeu ? QString::fromStdString(TexteResultat(p_.Joueurs)) : QString(), messageLocal});
}
