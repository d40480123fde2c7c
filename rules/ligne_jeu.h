// The commands that change a game, as lines of the replay language: what the replay tool reads,
// what a network host sends to both seats, and what each of them applies to its own records.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "vue.h"

struct CommandeJeu {
    enum class Genre : std::int8_t { Clic, PasserAction, PasserTour, Parametres, Nouvelle, Tic };
    Genre genre = Genre::Tic;
    // Clic: the cell, always on the board.
    position cellule;
    // Parametres: values the parameters dialog offers.
    int pions = 0;
    int tours = 0;
    std::uint32_t temps = 0;

    // The actions a team's player may send, as opposed to what only a host or a script says.
    bool Action() const {
        return genre == Genre::Clic || genre == Genre::PasserAction || genre == Genre::PasserTour;
    }
    friend bool operator==(const CommandeJeu&, const CommandeJeu&) = default;
};

inline CommandeJeu CommandeSimple(CommandeJeu::Genre genre) {
    CommandeJeu c;
    c.genre = genre;
    return c;
}
inline CommandeJeu CommandeParametres(int pions, int tours, std::uint32_t temps) {
    CommandeJeu c = CommandeSimple(CommandeJeu::Genre::Parametres);
    c.pions = pions;
    c.tours = tours;
    c.temps = temps;
    return c;
}

// The values the parameters dialog offers: pawns per team, turns per game, milliseconds per play.
bool ParametresProposables(int pions, int tours, std::uint32_t temps);

// A whole decimal number without sign, leading '+' or anything after it.
std::optional<long long> LireEntier(std::string_view mot);

// The command of the words of one line ("clic", "3", "4"); nothing when they are not one.
std::optional<CommandeJeu> LireCommandeJeu(std::span<const std::string_view> mots);
// The line that LireCommandeJeu reads back: "clic 3 4", "parametres 6 40 60000", "tic"...
std::string TexteCommandeJeu(const CommandeJeu& commande);
// Carries the command out as the board, the menus and the clock would: a tick counts only while
// the clock runs.
void AppliquerCommandeJeu(const Partie& p, const CommandeJeu& commande);
