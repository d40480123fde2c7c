// The computer's search off the window's thread.
#include "reflexion.h"

Reflexion::Reflexion() : copie_(std::make_unique<jeu>()) {}

Reflexion::~Reflexion() {
    Arreter();
}

void Reflexion::Lancer(Ordinateur& ordinateur, const jeu& j, const Equipes& joueurs, Fin fin) {
    Arreter();
    *copie_ = j;
    equipes_ = joueurs;
    fil_ = std::jthread([this, &ordinateur, fin = std::move(fin)](const std::stop_token& arret) {
        const auto action = ordinateur.Choisir(*copie_, equipes_, arret);
        const std::lock_guard verrou(fin_);
        if (!arret.stop_requested()) fin(action);
    });
}

void Reflexion::Arreter() {
    {
        const std::lock_guard verrou(fin_);
        fil_.request_stop();
    }
    if (fil_.joinable()) fil_.join();
}
