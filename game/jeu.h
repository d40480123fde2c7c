// The game record and its parts: the board, the puck-pawn, the play under way and the history.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "joueur.h"
#include "opdisque.h"

// Board size and storage: a cell (column, row) is stored at index column * NbLignes + row.
inline constexpr int NbColonnes = 9;
inline constexpr int NbLignes = 11;
inline constexpr int NbCases = NbColonnes * NbLignes;
inline constexpr int ColonneCentre = 4;
inline constexpr int LigneCentre = 5;

// What a board cell holds: a team's pawn is stored as team + 1.
inline constexpr std::uint8_t CaseVide = 255;
inline constexpr std::uint8_t CasePalet = 0;

// Fixed storage: the history keeps two records per turn for the longest game,
// and a record has room for the largest team.
inline constexpr int MaxTours = 60;
inline constexpr int NbCoupsHistorique = 2 * MaxTours;
inline constexpr int MaxPions = 7;

// The values a player may choose for each game parameter, in the order the parameters dialog
// shows them; a saved game holds one of each.
inline constexpr std::array<std::int32_t, 3> ChoixNbPions = {5, 6, 7};
inline constexpr std::array<std::int32_t, 3> ChoixNbTours = {20, 40, 60};
inline constexpr std::array<std::uint32_t, 3> ChoixMaxTemps = {30000, 60000, 90000};
static_assert(ChoixNbPions.back() <= MaxPions && ChoixNbTours.back() <= MaxTours);

template <class T> constexpr bool EstUnChoix(const std::array<T, 3>& choix, T valeur) {
    return valeur == choix[0] || valeur == choix[1] || valeur == choix[2];
}

enum Action : std::int8_t {
    acPlacement = 1,
    acDeplacement1 = 2,
    acDeplacement2 = 3,
    acTir = 4,
};

class position : public opdisque {
public:
    std::int32_t Colonne = -1;
    std::int32_t Ligne = -1;

    position() = default;
    position(std::int32_t colonne, std::int32_t ligne) : Colonne(colonne), Ligne(ligne) {}

    bool Vide() const { return Colonne == -1 && Ligne == -1; }
    bool SurPlateau() const;
    // Writes the three-character form ("35 ", "4X ") and a terminating zero into texte.
    void TexteCase(char (&texte)[4]) const;

    int Lire(std::FILE* f) override;
    int Ecrire(std::FILE* f) const override;

    friend bool operator==(const position& a, const position& b) {
        return a.Colonne == b.Colonne && a.Ligne == b.Ligne;
    }
};

// What one team did in one turn.
class tour : public opdisque {
public:
    std::array<position, MaxPions> Placement;
    std::array<position, 2> Deplacement;
    position Tir;

    void Effacer();

    int Lire(std::FILE* f) override;
    int Ecrire(std::FILE* f) const override;
};

// Every field of the game record but the history, which the rules only ever write: what a
// look-ahead needs of a game, at a small fraction of the size of the whole record.
struct EtatJeu {
    std::int32_t NbPions;
    std::int32_t NbTours;
    std::int32_t TourCourant;
    std::int32_t But;
    std::int32_t ColonnePionDeplace;
    std::int32_t LignePionDeplace;
    std::int32_t ColonnePalet;
    std::int32_t LignePalet;
    std::int32_t FinDeJeu;
    std::int8_t JoueurCourant;
    std::uint32_t TempsRestant;
    std::uint32_t MaxTemps;
    std::int8_t Action;
    std::array<std::uint8_t, NbCases> Cases;
};

class jeu : public opdisque {
public:
    std::int32_t NbPions = 6;
    std::int32_t NbTours = 40;
    std::int32_t TourCourant = 1;
    std::int32_t But = 0;
    std::int32_t ColonnePionDeplace = -1;
    std::int32_t LignePionDeplace = -1;
    std::int32_t ColonnePalet = ColonneCentre;
    std::int32_t LignePalet = LigneCentre;
    std::int32_t FinDeJeu = 0;
    std::int8_t JoueurCourant = 0;
    std::uint32_t TempsRestant = 0;
    std::uint32_t MaxTemps = 60000;
    std::int8_t Action = acPlacement;
    std::array<std::uint8_t, NbCases> Cases{};
    std::array<tour, NbCoupsHistorique> Coups;

    // A fresh game's record: the defaults above, an empty history, the board of a placement phase.
    jeu();

    // The team to play, kept to 0 or 1 whatever the field holds.
    int Equipe() const { return JoueurCourant & 1; }

    static constexpr int Index(int colonne, int ligne) { return colonne * NbLignes + ligne; }
    std::uint8_t& Case(int colonne, int ligne) { return Cases[Index(colonne, ligne)]; }
    std::uint8_t Case(int colonne, int ligne) const { return Cases[Index(colonne, ligne)]; }

    // The history record of the team to play in the current turn.
    tour& CoupCourant();
    const tour& CoupCourant() const;

    void Reinitialiser();
    void EffacerHistorique();
    // No pawn chosen or moved in the play under way.
    void OublierPionDeplace() {
        ColonnePionDeplace = -1;
        LignePionDeplace = -1;
    }
    EtatJeu Etat() const;
    // Replaces every field but the history.
    void DefinirEtat(const EtatJeu& etat);
    void PlacerPion(Equipes& joueurs, int colonne, int ligne);
    void ChoisirPion(int colonne, int ligne);
    void DeplacerPion(int colonne, int ligne);
    void DeplacerPalet(int colonneTireur, int ligneTireur, int colonne, int ligne);
    void NouvellePartie(Equipes& joueurs);

    int Lire(std::FILE* f) override;
    int Ecrire(std::FILE* f) const override;
};

inline constexpr bool SurPlateau(int colonne, int ligne) {
    return colonne >= 0 && colonne < NbColonnes && ligne >= 0 && ligne < NbLignes;
}
