// A network game seen from the board window: this window's own host when it hosts the game, the
// session that keeps the window's records equal to the host's, the local team's actions sent to
// the host, and the other team played from afar. The window stays what it is; this says what a
// network game changes about it.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <tuple>

#include "participant.h"
#include "reseau/accueil.h"
#include "reseau/session.h"
#include "reseau_dialogue.h"

class Boites;
class QTimer;
class QWidget;

// The other team, played at another computer: its actions reach the records through the stream.
class ParticipantDistant : public Participant {
    Q_OBJECT
public:
    using Participant::Participant;

    bool Personne() const override { return false; }
    void Jouer(const jeu&, const Equipes&) override {}
    void Interrompre() override {}
    QString Message() const override { return {}; }
    bool Occupe() const override { return true; }
};

// What the message line says of a network game, from what the window knows of it.
struct SituationReseau {
    SessionClient::Etape etape = SessionClient::Etape::Connexion;
    QString hote;
    int secondes = 0;
    QString code;
    int equipe = Bleus;
    bool adversaire = false;
    // The other player has been here once: gone since, rather than not come yet.
    bool adversaireVu = false;
    int aJouer = Bleus;
    // The result, once the game is over.
    QString resultat;
    // What the local team's player says while it plays ("L'ordinateur réfléchit…").
    QString messageLocal;
};
QString LigneReseau(const SituationReseau& s);

class PartieReseau : public QObject {
    Q_OBJECT
public:
    // The records and view are the window's; boites shows the boxes a network game adds.
    PartieReseau(const Partie& p, Boites& boites, QWidget* fenetre, QString version);
    ~PartieReseau() override;

    // Starts what the choice says; false (after saying why) when this computer cannot host.
    bool Demarrer(const ChoixReseau& choix);
    // The team this window plays, once seated.
    int EquipeLocale() const { return session_->Equipe(); }
    // Whether the local team may act now: seated, connected, its answer not awaited.
    bool PeutJouer(int equipe) const;
    void Envoyer(const ActionJoueur& action);
    // "Nouvelle" and the parameters are offered to the other player.
    void Proposer(const CommandeJeu& proposition);
    // The message line: the code, the local team, and whose play it is.
    QString Message(const QString& messageLocal) const;
    const SessionClient& Session() const { return *session_; }
    // Whether the game goes on: seated, or trying to come back.
    bool Active() const;
    // The address and code of this game, for trying again once the session gave up.
    const ChoixReseau& Choix() const { return choix_; }

    // Addresses a friend can type to reach a host on this computer.
    static QStringList AdressesLocales(quint16 port);

signals:
    // The records changed (a line of the stream): changement says whether more than the time.
    void Applique(bool changement);
    // The message line or the cursor may read differently.
    void Actualiser();
    // The session stopped for good; the reason was shown.
    void Termine();

private:
    void Assise();
    void Proposition(const CommandeJeu& proposition, int numero);

    Partie p_;
    Boites& boites_;
    QWidget* fenetre_;
    QString version_;
    ChoixReseau choix_;
    std::unique_ptr<Accueil> hote_;
    std::unique_ptr<SessionClient> session_;
    QTimer* decompte_ = nullptr;
    bool annonce_ = false;
    bool adversaireVu_ = false;
    // Whose play and which step the records last showed: a tick that changes neither is only
    // time going by.
    std::tuple<int, int, int, int> derniere_{-1, -1, -1, -1};
};
