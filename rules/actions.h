// The four player actions behind a double-click on the board.
#pragma once

#include "vue.h"

// Acts on the grid's current cell according to the current action. A refused action shows its
// message and changes nothing but the shot's goal flag.
void DrawGridPlateauDblClick(const Partie& p);

void Placement(const Partie& p, int colonne, int ligne);
void ChoixPion(const Partie& p, int colonne, int ligne);
void ChoixDestination(const Partie& p, int colonne, int ligne);
void Tir(const Partie& p, int colonne, int ligne);
