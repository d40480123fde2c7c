// Replays a game script through the real rules, from the game of start-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

// Reads commands from entree, writes every modal box and every requested state to sortie.
// Returns 0 once the whole script is played; 2 at the first line it cannot read (an unknown
// command, a bad argument, a line too long, a NUL byte); 1 when entree cannot be read or sortie
// written. 1 and 2 come with one line on erreurs, starting "ovane-rejeu: ".
int Rejouer(std::istream& entree, std::ostream& sortie, std::ostream& erreurs);

// The longest line a script may hold, line feed aside: a longer one is an error, and is never
// held in memory whole.
inline constexpr std::size_t LongueurMaxLigne = 4096;

// A line of the script, numbered from 1, without its line feed.
struct LigneScript {
    std::uint64_t Numero = 0;
    std::string Texte;
};

enum class Lecture { Ligne, TropLongue, Fin, Erreur };

// Reads the next line and counts it. Of a line too long, only the first characters are kept.
Lecture LireLigne(std::istream& entree, LigneScript& ligne);
