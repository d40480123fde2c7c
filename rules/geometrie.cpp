// Board geometry.
#include "geometrie.h"

#include <cstdlib>

namespace {

constexpr bool ColonneDeBut(int colonne) {
    return colonne >= PremiereColonneBut && colonne <= DerniereColonneBut;
}

constexpr std::array<std::int8_t, NbCases> ConstruireFonds() {
    std::array<std::int8_t, NbCases> fonds{};
    for (int c = 0; c < NbColonnes; ++c) {
        const bool dansBut = ColonneDeBut(c);
        for (int l = 0; l < NbLignes; ++l) {
            std::int8_t fond = -1;
            if (l == LigneButBleus)
                fond = dansBut ? 1 : 3;
            else if (l == LigneButRouges)
                fond = dansBut ? 2 : 4;
            else if (l == LigneCentre)
                fond = 0;
            fonds[jeu::Index(c, l)] = fond;
        }
    }
    return fonds;
}

constexpr int Signe(int v) {
    return (v > 0) - (v < 0);
}

// The value mirrored off the bound of [min, max] it passed, then off the other if it passed it.
constexpr int Refleter(int v, int min, int max) {
    if (v < min) v = 2 * min - v;
    if (v > max) v = 2 * max - v;
    return v;
}

// The puck-pawn stays off the end rows: it rebounds off the goal lines.
constexpr int PremiereLignePalet = LigneButBleus + 1;
constexpr int DerniereLignePalet = LigneButRouges - 1;

} // namespace

const std::array<std::int8_t, NbCases> FondCases = ConstruireFonds();

bool DansCamp(int equipe, int ligne) {
    return ligne >= 5 * equipe + 1 && ligne <= 5 * equipe + 4;
}

bool DansZoneAdverse(int equipe, int ligne) {
    return ligne == (equipe == Bleus ? LigneButRouges : LigneButBleus);
}

bool DansPropreBut(int equipe, int colonne, int ligne) {
    return ligne == (equipe == Bleus ? LigneButBleus : LigneButRouges) && ColonneDeBut(colonne);
}

bool DansPortee(Decalage d) {
    return std::abs(d.dc) <= Portee && std::abs(d.dr) <= Portee;
}

bool EnLigneDroite(Decalage d) {
    return d.dc == 0 || d.dr == 0 || std::abs(d.dc) == std::abs(d.dr);
}

int Longueur(Decalage d) {
    return d.dc != 0 ? std::abs(d.dc) : std::abs(d.dr);
}

bool TirEnArriere(int equipe, Decalage d) {
    return equipe == Bleus ? d.dr < 0 : d.dr > 0;
}

bool TrajectoireLibre(const jeu& j, int colonne, int ligne, Decalage d) {
    const int n = Longueur(d);
    const int pc = Signe(d.dc);
    const int pl = Signe(d.dr);
    for (int i = 1; i < n; ++i)
        if (Occupee(j, colonne + i * pc, ligne + i * pl)) return false;
    return true;
}

bool TrajectoirePalet::Pas() {
    if (Colonne + Signe(vc) > NbColonnes - 1 || Colonne + Signe(vc) < 0) vc = -vc;
    bool finDeLigne = false;
    if (Ligne + Signe(vr) > DerniereLignePalet || Ligne + Signe(vr) < PremiereLignePalet) {
        vr = -vr;
        finDeLigne = true;
    }
    Colonne += Signe(vc);
    Ligne += Signe(vr);
    return finDeLigne;
}

FuturPalet FuturEmplacementPalet(int colonnePalet, int lignePalet, int colonneTireur,
                                 int ligneTireur) {
    // The shooter's offset to the puck-pawn, once more, rebounding off the edges.
    const int colonne = 2 * colonnePalet - colonneTireur;
    const int brute = 2 * lignePalet - ligneTireur;
    return {Refleter(colonne, 0, NbColonnes - 1),
            Refleter(brute, PremiereLignePalet, DerniereLignePalet), brute};
}

// In half cells, where the edges of cells fall on whole numbers: the goal line aimed at is the
// edge between the end row and the row before it, and the posts are the goal columns' outer
// edges. With dc and dl the offsets from the shooter to the puck-pawn, the shot's line crosses
// the goal line at the column x where 2x·dl = 2·colonnePalet·dl + (ligneBut - 2·lignePalet)·dc;
// croisement is 2x·|dl|, and the posts are taken times |dl| too, to stay in integers.
bool TirCadre(int equipe, int colonneTireur, int ligneTireur, int colonnePalet, int lignePalet) {
    const int ligneBut = equipe == Bleus ? 2 * LigneButRouges - 1 : 2 * LigneButBleus + 1;
    const int dc = colonnePalet - colonneTireur;
    const int dl = lignePalet - ligneTireur;
    int croisement = 2 * colonnePalet * dl + (ligneBut - 2 * lignePalet) * dc;
    if (dl < 0) croisement = -croisement;
    const int ecart = std::abs(dl);
    return (2 * PremiereColonneBut - 1) * ecart < croisement &&
           croisement < (2 * DerniereColonneBut + 1) * ecart;
}
