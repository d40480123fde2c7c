// Replays a game script through the real rules, from the game of start-up.
#pragma once

#include <iosfwd>

// Reads commands from entree, writes every modal box and every requested state to sortie.
// Returns 0, or 2 after naming on erreurs the first line it could not read.
int Rejouer(std::istream& entree, std::ostream& sortie, std::ostream& erreurs);
