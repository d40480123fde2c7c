// Test helper: every whole play of the team to play, action by action through the real rules.
#pragma once

#include <functional>

#include "rules/legales.h"

// Hands the records after each play of the team to play from (j, joueurs) to visite: the plays
// the rules' variants list, or every sequence of legal actions. Returns false when a play would
// need more than ActionsParCoup actions.
bool ParcourirCoups(const jeu& j, const Equipes& joueurs, bool variantes,
                    const std::function<void(const jeu&, const Equipes&)>& visite);

// Whether the team to play can score in its play.
bool PeutMarquer(const jeu& j, const Equipes& joueurs);
