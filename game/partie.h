// A whole saved game: the game record, then Bleus, then Rouges, 9777 bytes with no header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "jeu.h"
#include "joueur.h"
#include "remplacement.h"

inline constexpr std::size_t TailleJeu = 145 + 80 * static_cast<std::size_t>(NbCoupsHistorique);
inline constexpr std::size_t TailleJoueur = 16;
inline constexpr std::size_t TaillePartie = TailleJeu + 2 * TailleJoueur;

// Whole-file transfers on an open handle; 1 on success, 0 at the first failed record.
int LirePartie(std::FILE* f, jeu& j, Equipes& joueurs);
int EcrirePartie(std::FILE* f, const jeu& j, const Equipes& joueurs);

// The bytes a save of the records writes; empty only when the records cannot be written.
std::vector<std::uint8_t> OctetsPartie(const jeu& j, const Equipes& joueurs);

// Whether the records are a state some game can be in, including after the parameters changed
// during it: every value used as an index or a table key in range; one puck-pawn where its cell
// says; a moved pawn of the team to play; on the board, for each team, exactly the pawns it has
// placed in the current phase; a team to play that has handed over as often as the other or once
// less; and counters that stay within their cap for the rest of any game. Every event of the
// rules keeps a game that passes this passing it. A file that fails it is refused, never
// half-used.
bool PartieValide(const jeu& j, const Equipes& joueurs);

enum class Chargement { Reussi, Introuvable, Donnees };

// Reads into a scratch copy and replaces the live records only once the copy has passed every
// check: a failed load leaves the game exactly as it was. Bytes past the first 9777 are ignored.
Chargement ChargerPartie(const std::string& chemin, jeu& j, Equipes& joueurs);
Chargement ChargerPartie(const std::uint8_t* donnees, std::size_t taille, jeu& j, Equipes& joueurs);

// Replaces the file as a whole, as RemplacerFichier says: a failure leaves any earlier file of
// that name as it was, with the system's reason in errno.
Sauvegarde SauvegarderPartie(const std::string& chemin, const jeu& j, const Equipes& joueurs);
