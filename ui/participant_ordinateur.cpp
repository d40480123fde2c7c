// The computer as the player of a team.
#include "participant_ordinateur.h"

#include <chrono>

#include "rules/textes.h"

std::uint32_t GraineDuMoment(int equipe) {
    const auto maintenant = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(maintenant) ^
           (0x9E3779B9u * static_cast<unsigned>(equipe + 1));
}

ParticipantOrdinateur::ParticipantOrdinateur(Niveau niveau, std::uint32_t graine, QObject* parent)
    : Participant(parent), TimerPause(new QTimer(this)),
      recherche_(new RechercheFond(niveau, graine, this)) {
    TimerPause->setSingleShot(true);
    connect(TimerPause, &QTimer::timeout, this, &ParticipantOrdinateur::Agir);
    connect(recherche_, &RechercheFond::Trouvee, this, &ParticipantOrdinateur::Resultat);
}

void ParticipantOrdinateur::Jouer(const jeu& j, const Equipes& joueurs) {
    if (rendue_ || action_ || recherche_->EnCours()) return;
    recherche_->Lancer(j, joueurs);
}

void ParticipantOrdinateur::Interrompre() {
    recherche_->Arreter();
    action_.reset();
    rendue_ = false;
    TimerPause->stop();
}

QString ParticipantOrdinateur::Message() const {
    return QString::fromUtf8(Textes::OrdinateurReflechit);
}

void ParticipantOrdinateur::Resultat(const std::optional<ActionJoueur>& action) {
    // Nothing to do in this game: the next call to Jouer searches again.
    if (!action) return;
    action_ = action;
    // The cell first, then the action.
    if (action->genre == ActionJoueur::Genre::Clic) emit Montre(action->cellule);
    TimerPause->start(Pause);
}
void ParticipantOrdinateur::Agir() {
    if (!action_) return;
    const ActionJoueur action = *action_;
    action_.reset();
    // Before the signal: the window carries the action out at once, and interrupts us then.
    rendue_ = true;
    emit Agit(action);
}
