// The turn engine: hand-overs, turns, halves, goals, occupation points and the status panels.
#pragma once

#include <string>

#include "vue.h"

// Every finished play shares this many occupation points; a goal gives them all to the scorer.
inline constexpr int PointsParCoup = 10;
// The points a team gets for a play that ends with the puck-pawn on this row: the puck-pawn
// advancing towards the Rouges' goal favours Bleus.
inline constexpr int PointsOccupation(int equipe, int ligne) {
    return equipe == Bleus ? ligne : PointsParCoup - ligne;
}

void AfficherErreur(const Partie& p, const std::string& texte);
void DemarrerTemps(const Partie& p);
void FinDeCoup(const Partie& p);
void NouvelleMiTemps(const Partie& p);
// A placement phase on an emptied board that starts a new turn, the team given placing first:
// the second half, or the kick-off after a goal.
void Engagement(const Partie& p, int equipe);
void ChangerJoueur(const Partie& p);
void DefinirAction(const Partie& p, int action);
void AvancerTour(const Partie& p);
void MarquerBut(const Partie& p, int equipe);
void CompterOccupation(const Partie& p);
void AfficherEtat(const Partie& p);

// The number of turns the game really has: the parameter, kept within the history.
int ToursDeLaPartie(const jeu& j);
// Whether the play that ends closes a half; a game whose number of turns was lowered below the
// current turn closes at once.
bool FinDeMiTemps(const jeu& j);
bool DernierTour(const jeu& j);

// Whether the placement phase is over: both teams have placed as many pawns, and at least the
// number of pawns now chosen. Never more than the seven a history record can hold.
bool PlacementTermine(const jeu& j, const Equipes& joueurs);
// How many pawns the team still has to place in the placement phase under way.
int PionsAPlacer(const jeu& j, const joueur& equipe);
// Raises the lower play count by one, so that the next turn starts with both teams even.
void EgaliserCoups(Equipes& joueurs);
// Ends a complete placement phase (first play timed) and shows the time panel either way.
void ConclurePlacement(const Partie& p);
