// The computer player: given the records, the next single action of the team to play, found by
// asking the rules which actions are legal and trying them on copies of the records. It sees what
// a player sees (the board, the score, the clock) and plays through the very rules a human is
// checked by. Deterministic for a seed and a sequence of calls.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "rules/legales.h"

enum class Niveau { Debutant = 1, Amateur = 2, Expert = 3 };
inline constexpr std::array<const char*, 4> NomsNiveaux = {"", "Débutant", "Amateur", "Expert"};

// The action written as the replay tool's command: "clic C L", "passer-action", "passer-tour".
std::string TexteAction(const ActionJoueur& action);

class Recherche;

class Ordinateur {
public:
    // budget: the tries an Expert may spend on one choice, when not its own (0 or less): quick
    // runs of many games use a smaller one.
    Ordinateur(Niveau niveau, std::uint32_t graine, long long budget = 0);
    ~Ordinateur();
    Ordinateur(const Ordinateur&) = delete;
    Ordinateur& operator=(const Ordinateur&) = delete;

    Niveau NiveauDeJeu() const { return niveau_; }

    // The next action of the team to play; nothing when the game is over, or when arret was
    // raised meanwhile (the search then stops at once and its result means nothing).
    std::optional<ActionJoueur> Choisir(const jeu& j, const Equipes& joueurs,
                                        const std::atomic<bool>* arret = nullptr);
    // How many actions the last choice tried on its copies.
    long long Essais() const;

private:
    Niveau niveau_;
    std::unique_ptr<Recherche> recherche_;
};
