// A player's copy of a hosted game: the records rebuilt from the host's catch-up, then kept equal
// to the host's by applying its stream, line by line, through the same rules.
#pragma once

#include "protocole.h"

class MiroirPartie {
public:
    explicit MiroirPartie(const Partie& p) : p_(p) {}

    // Back to the start-up game and a freshly created window's view, before a catch-up.
    void Recommencer();
    // A "jeu" or "instantane" announcement; any other is not the records' business. False for
    // a snapshot that is not a game, which leaves the records as they were.
    bool Appliquer(const Annonce& annonce);

private:
    Partie p_;
};
