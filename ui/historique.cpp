// The positions to take back and play again.
#include "historique.h"

void Historique::Noter(Instantane position) {
    annuler_.push_back(std::move(position));
    retablir_.clear();
}

std::optional<Instantane> Historique::Annuler(Instantane actuelle) {
    return Echanger(annuler_, retablir_, std::move(actuelle));
}

std::optional<Instantane> Historique::Retablir(Instantane actuelle) {
    return Echanger(retablir_, annuler_, std::move(actuelle));
}

void Historique::Vider() {
    annuler_.clear();
    retablir_.clear();
}

std::optional<Instantane> Historique::Echanger(std::vector<Instantane>& depuis,
                                               std::vector<Instantane>& vers, Instantane actuelle) {
    if (depuis.empty()) return std::nullopt;
    Instantane position = std::move(depuis.back());
    depuis.pop_back();
    vers.push_back(std::move(actuelle));
    return position;
}
