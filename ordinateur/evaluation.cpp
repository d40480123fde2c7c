// The computer's judgement of a position without looking further: the score, the goals of the
// line by how soon they came, and the shots each team could make from there.
#include <algorithm>

#include "recherche.h"
#include "rules/deroulement.h"
#include "rules/resultat.h"

namespace {

// One play's occupation points for team t, net of the other team's, with the puck-pawn on row l.
double GainLigne(int t, int ligne) {
    return PointsOccupation(t, ligne) - PointsOccupation(t ^ 1, ligne);
}

} // namespace

double Recherche::Statique(const Noeud& n, int x) {
    const joueur& a = n.joueurs[x];
    const joueur& b = n.joueurs[x ^ 1];
    const double score = reglages_.valeurBut * (a.Buts - b.Buts) + (a.Occupation - b.Occupation) +
                         (x == Bleus ? n.avance : -n.avance);
    if (n.jeu.FinDeJeu) {
        const int vainqueur = Vainqueur(n.joueurs);
        if (vainqueur < 0) return score;
        return score + (vainqueur == x ? reglages_.victoire : -reglages_.victoire);
    }
    if (!reglages_.potentiels) return score;
    // The team to play shoots first; in a placement phase, the team that placed first.
    brouillon_->DefinirEtat(n.jeu);
    const int trait = PremierAJouer(*brouillon_, n.joueurs);
    const double menace =
        reglages_.poidsTrait * Potentiel(trait) - reglages_.poidsReplique * Potentiel(trait ^ 1);
    return score + (trait == x ? menace : -menace);
}

// The net gain of the best shot that team t could make now, without a move, or of letting the
// play end where the puck-pawn stands. brouillon_ holds the position; the shots are the rules' own
// list, so that a pawn placed or moved where a shot would send the puck-pawn, or in its way, takes
// that shot from the other team.
double Recherche::Potentiel(int t) {
    ++essais_;
    jeu& j = *brouillon_;
    j.JoueurCourant = static_cast<std::int8_t>(t);
    j.Action = acTir;
    j.OublierPionDeplace();
    ListerActionsLegales(j, tirs_);
    double meilleur = GainLigne(t, j.LignePalet);
    for (int i = 0; i < tirs_.Nombre; ++i) {
        const CaseJouable c = tirs_.Cases[static_cast<std::size_t>(i)];
        meilleur = std::max(meilleur, c.But ? reglages_.valeurBut + PointsParCoup
                                            : GainLigne(t, c.LignePalet));
    }
    return meilleur;
}
