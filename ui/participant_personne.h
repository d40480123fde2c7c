// The person at the window plays the team: the board's and the menu's input is its action.
#pragma once

#include "participant.h"

class ParticipantPersonne : public Participant {
    Q_OBJECT
public:
    using Participant::Participant;

    bool Personne() const override { return true; }
    // The person's actions come from the window's input, not from here.
    void Jouer(const jeu&, const Equipes&) override {}
    void Interrompre() override {}
    QString Message() const override { return {}; }
    bool Occupe() const override { return false; }
};
