// The result of a game: more goals win; level on goals, more occupation points; else a draw.
#pragma once

#include <string>

#include "game/joueur.h"

// The winning team (Bleus or Rouges), or -1 for a draw.
int Vainqueur(const Equipes& joueurs);
// "Les Bleus gagnent : 2 buts à 1", "Les Rouges gagnent aux points d'occupation : 212 à 168",
// "Match nul".
std::string TexteResultat(const Equipes& joueurs);
