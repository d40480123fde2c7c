// The game commands that are not board clicks, the clock's tick, and the file commands' rules.
#pragma once

#include <cstdint>
#include <string>

#include "vue.h"

inline constexpr std::uint32_t IntervalleHorloge = 200;

void RubriquePasserActionClick(const Partie& p);
void RubriquePasserTourClick(const Partie& p);
void RubriqueNouvelleClick(const Partie& p);
// One tick of the 200 ms clock; the window delivers it only while the clock is enabled.
void TimerTempsTimer(const Partie& p);

// The parameters chosen in their dialog, written in the dialog's order. A placement phase that
// the new number of pawns completes ends at once.
void AppliquerParametres(const Partie& p, int nbPions, int nbTours, std::uint32_t maxTemps);

// Loads the named file and shows it. On failure shows why and keeps the game, with its clock
// back in the state it had before the command (horlogeAvant). Returns whether it was loaded.
bool OuvrirPartie(const Partie& p, const std::string& chemin, bool horlogeAvant);
// Saves to the named file; on failure shows why. Returns whether it was saved.
bool EnregistrerPartie(const Partie& p, const std::string& chemin);
