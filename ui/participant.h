// Whoever plays one team at the board window: the person at it, the computer, or another player.
// The window asks the one whose team is to play for its action, tells it when the game changed,
// and carries out what it chooses with the rules.
#pragma once

#include <QObject>
#include <QString>

#include "ordinateur/ordinateur.h"

class Participant : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether the person at the window acts for this team: its double-clicks, Entrée or Espace
    // and skip commands are forwarded; the window ignores them otherwise.
    virtual bool Personne() const = 0;
    // The team is to play in a game that is not over. Called again after each change of the game
    // while it stays to play: what is under way for the same game goes on, not afresh.
    virtual void Jouer(const jeu& j, const Equipes& joueurs) = 0;
    // The game changed under it, its team is no longer to play, or the window closes: whatever it
    // was choosing or about to do is dropped, and nothing it had chosen is emitted afterwards.
    virtual void Interrompre() = 0;
    // What the message line says while this team is to play.
    virtual QString Message() const = 0;
    // Whether the board shows the busy cursor while this team is to play.
    virtual bool Occupe() const = 0;

signals:
    // The action chosen for the team.
    void Agit(ActionJoueur action);
    // The cell of an action about to be done, so that the board's focus frame is there first.
    void Montre(position cellule);
};
