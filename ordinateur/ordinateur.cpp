// The computer player's front: the levels, and actions written as commands.
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
    : Ordinateur(Ajustes(niveau, budget), graine) {}

Ordinateur::Ordinateur(const Reglages& reglages, std::uint32_t graine)
    : recherche_(std::make_unique<Recherche>(reglages, graine)) {}

Ordinateur::~Ordinateur() = default;

std::optional<ActionJoueur> Ordinateur::Choisir(const jeu& j, const Equipes& joueurs,
                                                std::stop_token arret) {
    if (j.FinDeJeu) return std::nullopt;
    return recherche_->Choisir(j, joueurs, std::move(arret));
}

long long Ordinateur::Essais() const {
    return recherche_->Essais();
}

int Ordinateur::Profondeur() const {
    return recherche_->Profondeur();
}
