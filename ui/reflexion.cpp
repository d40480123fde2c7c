// The computer's search off the window's thread.
#include "reflexion.h"

Reflexion::Reflexion() : copie_(std::make_unique<jeu>()) {}

Reflexion::~Reflexion() {
    Arreter();
}

void Reflexion::Lancer(Ordinateur& ordinateur, const jeu& j, const Equipes& joueurs, Fin fin) {
    Arreter();
    arret_ = false;
    *copie_ = j;
    equipes_ = joueurs;
    fil_ = std::thread([this, &ordinateur, fin = std::move(fin)] {
        auto action = ordinateur.Choisir(*copie_, equipes_, &arret_);
        if (!arret_) fin(action);
    });
}

void Reflexion::Arreter() {
    arret_ = true;
    if (fil_.joinable()) fil_.join();
}
