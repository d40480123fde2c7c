// Board geometry.
#include "geometrie.h"

#include <cstdlib>

namespace {

constexpr std::array<std::int8_t, NbCases> ConstruireFonds() {
    std::array<std::int8_t, NbCases> fonds{};
    for (int c = 0; c < NbColonnes; ++c) {
        const bool dansBut = c >= 3 && c <= 5;
        for (int l = 0; l < NbLignes; ++l) {
            std::int8_t fond = -1;
            if (l == 0)
                fond = dansBut ? 1 : 3;
            else if (l == NbLignes - 1)
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

} // namespace

const std::array<std::int8_t, NbCases> FondCases = ConstruireFonds();

bool DansCamp(int equipe, int ligne) {
    return ligne >= 5 * equipe + 1 && ligne <= 5 * equipe + 4;
}

bool DansZoneAdverse(int equipe, int ligne) {
    return ligne == (equipe == Bleus ? 10 : 0);
}

bool DansPropreBut(int equipe, int colonne, int ligne) {
    return ligne == (equipe == Bleus ? 0 : 10) && colonne >= 3 && colonne <= 5;
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
    if (Ligne + Signe(vr) > NbLignes - 2 || Ligne + Signe(vr) < 1) {
        vr = -vr;
        finDeLigne = true;
    }
    Colonne += Signe(vc);
    Ligne += Signe(vr);
    return finDeLigne;
}

FuturPalet FuturEmplacementPalet(int colonnePalet, int lignePalet, int colonneTireur,
                                 int ligneTireur) {
    int c = 2 * colonnePalet - colonneTireur;
    const int brute = 2 * lignePalet - ligneTireur;
    int l = brute;
    if (c < 1) c = -c;
    if (c > 8) c = 16 - c;
    if (l < 1) l = 2 - l;
    if (l > 9) l = 18 - l;
    return {c, l, brute};
}

bool TirCadre(int equipe, int colonneTireur, int ligneTireur, int colonnePalet, int lignePalet) {
    const int sr = ligneTireur, pr = lignePalet, sc = colonneTireur, pc = colonnePalet;
    int e = 2 * pc * (sr - pr) + (19 - 18 * equipe - 2 * pr) * (sc - pc);
    if (pr > sr) e = -e;
    const int ecart = std::abs(pr - sr);
    return 5 * ecart < e && e < 11 * ecart;
}
