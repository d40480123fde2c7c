// The computer player's front: levels, and actions written as commands.
#include "ordinateur.h"

#include "recherche.h"

std::string TexteAction(const ActionJoueur& a) {
    switch (a.genre) {
    case ActionJoueur::Genre::Clic:
        return "clic " + std::to_string(a.cellule.Colonne) + ' ' + std::to_string(a.cellule.Ligne);
    case ActionJoueur::Genre::PasserAction:
        return "passer-action";
    case ActionJoueur::Genre::PasserTour:
        return "passer-tour";
    }
    return {};
}

namespace {

Reglages Ajustes(Niveau niveau, long long budget) {
    Reglages r = ReglagesDuNiveau(niveau);
    if (budget > 0 && r.budget > 0) r.budget = budget;
    return r;
}

} // namespace

Ordinateur::Ordinateur(Niveau niveau, std::uint32_t graine, long long budget)
    : niveau_(niveau), recherche_(std::make_unique<Recherche>(Ajustes(niveau, budget), graine)) {}

Ordinateur::~Ordinateur() = default;

std::optional<ActionJoueur> Ordinateur::Choisir(const jeu& j, const Equipes& joueurs,
                                                const std::atomic<bool>* arret) {
    if (j.FinDeJeu) return std::nullopt;
    return recherche_->Choisir(j, joueurs, arret);
}

long long Ordinateur::Essais() const {
    return recherche_->Essais();
}
