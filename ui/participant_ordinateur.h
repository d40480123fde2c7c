// The computer plays the team: it searches off the window's thread, shows the cell of its choice,
// and acts after a pause, so that a person sees what it does.
#pragma once

#include <QTimer>
#include <cstdint>
#include <optional>

#include "participant.h"
#include "recherche.h"

// A seed that differs from one run to the next, and between the two teams.
std::uint32_t GraineDuMoment(int equipe);

class ParticipantOrdinateur : public Participant {
    Q_OBJECT
public:
    ParticipantOrdinateur(Niveau niveau, std::uint32_t graine, QObject* parent = nullptr);

    bool Personne() const override { return false; }
    void Jouer(const jeu& j, const Equipes& joueurs) override;
    void Interrompre() override;
    QString Message() const override;
    bool Occupe() const override { return true; }

    Niveau NiveauDeJeu() const { return recherche_->NiveauDeJeu(); }

    // The pause between showing the cell of the chosen action and doing it, in milliseconds.
    int Pause = 500;
    QTimer* TimerPause = nullptr;

private:
    void Resultat(const std::optional<ActionJoueur>& action);
    void Agir();

    RechercheFond* recherche_;
    // The action chosen, shown, and waiting for its pause.
    std::optional<ActionJoueur> action_;
    // The chosen action was handed to the window: the next one waits for the game to change.
    bool rendue_ = false;
};
