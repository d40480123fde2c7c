// The computer player: given the records, the next single action of the team to play, found by
// asking the rules which actions are legal and trying them on copies of the records. It sees what
// a player sees of the position (the board, the score, the turn), never the time left, and plays
// through the very rules a human is checked by. Deterministic for a seed and a sequence of calls.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "reglages.h"
#include "rules/legales.h"

// The action written as the replay tool's command: "clic C L", "passer-action", "passer-tour".
std::string TexteAction(const ActionJoueur& action);

class Recherche;

class Ordinateur {
public:
    // budget: the tries a level that counts them may spend on one choice, when not its own (0 or
    // less): quick runs of many games use a smaller one.
    Ordinateur(Niveau niveau, std::uint32_t graine, long long budget = 0);
    // A player made of its settings alone, such as a former level kept for comparison.
    Ordinateur(const Reglages& reglages, std::uint32_t graine);
    ~Ordinateur();
    Ordinateur(const Ordinateur&) = delete;
    Ordinateur& operator=(const Ordinateur&) = delete;

    // The next action of the team to play; nothing when the game is over, or when a stop was
    // requested before the choice was made (the search then ends at its next check). The first
    // action of a play chooses the whole play; the next ones follow it while the game is where
    // the choice left it, and choose again otherwise (the clock passed the turn, a game loaded).
    std::optional<ActionJoueur> Choisir(const jeu& j, const Equipes& joueurs,
                                        std::stop_token arret = {});
    // How many actions and judgements the last choice tried on its copies.
    long long Essais() const;
    // How many plays deep the last search looked, its own included; 0 when it followed its plan.
    int Profondeur() const;

private:
    std::unique_ptr<Recherche> recherche_;
};
