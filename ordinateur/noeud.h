// What the search holds of a position and of a play: the records as the rules see them, the
// goals scored along the line that leads there, a play's actions packed small, and the position's
// fingerprint for the transposition table.
#pragma once

#include <array>
#include <cstdint>

#include "rules/legales.h"

struct Noeud {
    EtatJeu jeu;
    Equipes joueurs;
    // What the goals scored along the line since the root gained by coming soon (see
    // Reglages::avanceBut), for Bleus: a goal of Rouges counts against.
    double avance = 0;
};

inline int EquipeDe(const Noeud& n) {
    return n.jeu.JoueurCourant & 1;
}

// Whether the two positions are one for the rules' future: equal in everything but the time left
// in the play, which the search never uses.
bool MemePosition(const EtatJeu& a, const Equipes& ea, const EtatJeu& b, const Equipes& eb);

// A hash of the position, the line's goals and how many plays deep it stands: two nodes that
// share it have the same value, barring a collision of 64-bit hashes.
std::uint64_t Empreinte(const Noeud& n, int ply);

// A whole play, its actions in order, each in a byte: a cell's index, or a skip.
struct Variante {
    std::array<std::uint8_t, ActionsParCoup> codes{};
    std::uint8_t nombre = 0;

    friend bool operator==(const Variante&, const Variante&) = default;
};

std::uint8_t Coder(const ActionJoueur& action);
ActionJoueur Decoder(std::uint8_t code);
