// The positions a person can take back and play again, as whole records held in memory: the
// saved files know nothing of them.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "game/jeu.h"

// A position as a saved game holds it, and whether its play was being timed.
struct Instantane {
    std::unique_ptr<jeu> j;
    Equipes joueurs;
    bool horloge = false;
};

class Historique {
public:
    // A new decision taken from the position: it can be taken back, and what was taken back
    // before can no longer be played again.
    void Noter(Instantane position);
    // The position before the last decision, in exchange for the current one, which "Rétablir"
    // gives back; nothing when there is none.
    std::optional<Instantane> Annuler(Instantane actuelle);
    // The position last taken back, in exchange for the current one.
    std::optional<Instantane> Retablir(Instantane actuelle);
    bool PeutAnnuler() const { return !annuler_.empty(); }
    bool PeutRetablir() const { return !retablir_.empty(); }
    // The game went on otherwise: what was taken back is gone.
    void OublierRetablir() { retablir_.clear(); }
    // Another game.
    void Vider();

private:
    static std::optional<Instantane> Echanger(std::vector<Instantane>& depuis,
                                              std::vector<Instantane>& vers, Instantane actuelle);

    std::vector<Instantane> annuler_;
    std::vector<Instantane> retablir_;
};
