// The computer's search, its result brought back to the window's thread.
#include "recherche.h"

RechercheFond::RechercheFond(Niveau niveau, std::uint32_t graine, QObject* parent)
    : QObject(parent), niveau_(niveau), ordinateur_(niveau, graine) {}

void RechercheFond::Lancer(const jeu& j, const Equipes& joueurs) {
    const int numero = ++numero_;
    reflexion_.Lancer(
        ordinateur_, j, joueurs, [this, numero](const std::optional<ActionJoueur>& action) {
            QMetaObject::invokeMethod(
                this, [this, numero, action] { Resultat(numero, action); }, Qt::QueuedConnection);
        });
}

void RechercheFond::Resultat(int numero, const std::optional<ActionJoueur>& action) {
    // A search dropped since may have posted its result before it stopped.
    if (numero != numero_ || !reflexion_.EnCours()) return;
    reflexion_.Arreter();
    emit Trouvee(action);
}
