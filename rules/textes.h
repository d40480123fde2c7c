// Every text the rules show: one place for each.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Indexed by action kind; index 0 is never shown.
inline constexpr std::array<const char*, 5> NomsActions = {"", "Placement", "Déplacement",
                                                           "Déplacement", "Tir"};
inline constexpr std::array<const char*, 5> NomsEtapes = {"", "Pion n°1", "Pion à déplacer",
                                                          "Destination", "Pion-tireur"};

namespace Textes {
// What the status line shows when the window is created: a new game, Bleus to place pawn n°1.
inline constexpr std::array<const char*, 6> PanneauxCreation = {
    "Bleus 0-0 Rouges", "1/40", "Placement", "Pion n°1", "Bleus", "0:00"};
inline constexpr const char* HintBarreEtat = "Score, tour, action, séquence, joueur et temps";
inline constexpr const char* Occupation = "Occupation";
inline constexpr const char* Ovane = "Ovane";
inline constexpr const char* FinDeJeu = "Fin de jeu";
inline constexpr const char* TempsEcoule =
    "Votre temps est écoulé !\nVous devez passer votre tour !";
inline constexpr const char* ObligePlacer = "Vous êtes obligé de placer vos pions !";
inline constexpr const char* HorsCamp =
    "Vous devez placer votre pion dans la zone libre de votre camp !";
inline constexpr const char* CaseOccupee = "Case déjà occupée !";
inline constexpr const char* ChoisirPion = "Vous devez choisir un pion %s !";
inline constexpr const char* CaseLibre = "Vous devez choisir une case libre !";
inline constexpr const char* ZoneAdverse = "Vous ne pouvez déplacer de pion sur la zone adverse !";
inline constexpr const char* ZoneDeBut = "Vous ne pouvez déplacer de pion dans la zone de but !";
inline constexpr const char* TropLoin = "Le déplacement ne peut dépasser 3 cases !";
inline constexpr const char* Direction =
    "La direction doit être horizontale, verticale ou en diagonale !";
inline constexpr const char* PionTrajectoire = "Il y a un pion sur la trajectoire !";
inline constexpr const char* TireurLoin = "Le pion-tireur est à plus de 3 cases du pion-palet !";
inline constexpr const char* TirArriere = "Le tir en arrière est interdit !";
inline constexpr const char* TireurDeplace =
    "Le pion qui vient d'être déplacé ne peut pas être le pion-tireur !";
inline constexpr const char* PionAvantPalet =
    "Il y a un pion entre le pion-tireur et le pion-palet !";
inline constexpr const char* PionApresPalet =
    "Il y a un pion entre le pion-palet et son futur emplacement !";
inline constexpr const char* FutureCase = "Un pion occupe la future case du pion-palet !";
inline constexpr const char* ButDes = "But des %s !!!";
// The file named, then the system's reason.
inline constexpr const char* ImpossibleOuvrir = "Impossible d'ouvrir le fichier « %s » : %s";
inline constexpr const char* ImpossibleCreer = "Impossible de créer le fichier";
inline constexpr const char* ErreurDonnees = "Erreur de données dans le fichier";
inline constexpr const char* ChargementNonEffectue = "Chargement non effectué";
inline constexpr const char* SauvegardeNonEffectuee = "Sauvegarde non effectuée";
// The result of a finished game, on the message line.
inline constexpr const char* GagnentAuxButs = "Les %s gagnent : %d %s à %d";
inline constexpr const char* GagnentAuxPoints = "Les %s gagnent aux points d'occupation : %d à %d";
inline constexpr const char* MatchNul = "Match nul";
// The message line while the computer looks for its next action.
inline constexpr const char* OrdinateurReflechit = "L'ordinateur réfléchit…";
// The message line on a person's play: the team, then what it is to do, by action kind.
inline constexpr std::array<const char*, 5> AFaire = {
    "", "placez le pion n°%d", "choisissez le pion à déplacer, ou passez l'action",
    "choisissez la destination du pion, ou passez l'action",
    "choisissez le pion-tireur, ou passez votre tour"};
// The hint, while it is sought and when it is a skip; a cell it names is framed on the board.
inline constexpr const char* ConseilCherche = "Conseil : l'ordinateur réfléchit…";
inline constexpr const char* ConseilPasserAction = "Conseil : passez l'action";
inline constexpr const char* ConseilPasserTour = "Conseil : passez votre tour";
} // namespace Textes

// printf-style formatting into a std::string, for the panel and message formats above.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string TexteScore(int butsBleus, int butsRouges);
std::string TexteTour(int tourCourant, int nbTours);
std::string TexteTemps(std::uint32_t millisecondes);
std::string TextePion(int numero);
// Why the system refused a file, in the player's words: "fichier introuvable" for ENOENT.
std::string TexteRaison(int erreur);
// What the team to play is to do now, as the message line tells a person: "Bleus : placez le
// pion n°2"; the number is that of the pawn it places next.
std::string TexteAFaire(int equipe, int action, int pionSuivant);
// The gauge's tooltip, with a point as decimal separator whatever the user's locale.
std::string TexteOccupation(int bleus, int rouges);
