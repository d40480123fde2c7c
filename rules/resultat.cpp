// The result of a game.
#include "resultat.h"

#include "textes.h"

int Vainqueur(const Equipes& joueurs) {
    const joueur& b = joueurs[Bleus];
    const joueur& r = joueurs[Rouges];
    if (b.Buts != r.Buts) return b.Buts > r.Buts ? Bleus : Rouges;
    if (b.Occupation != r.Occupation) return b.Occupation > r.Occupation ? Bleus : Rouges;
    return -1;
}

std::string TexteResultat(const Equipes& joueurs) {
    const int v = Vainqueur(joueurs);
    if (v < 0) return Textes::MatchNul;
    const joueur& g = joueurs[v];
    const joueur& p = joueurs[v ^ 1];
    if (g.Buts != p.Buts)
        return Format(Textes::GagnentAuxButs, NomsEquipes[v], g.Buts, g.Buts > 1 ? "buts" : "but",
                      p.Buts);
    return Format(Textes::GagnentAuxPoints, NomsEquipes[v], g.Occupation, p.Occupation);
}
