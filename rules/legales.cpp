// The legal actions of the team to play, and what its play amounts to.
#include "legales.h"

#include <algorithm>

#include "actions.h"
#include "commandes.h"
#include "geometrie.h"

namespace {

void Ajouter(ActionsLegales& l, int colonne, int ligne, int but, int lignePalet) {
    l.Cases[static_cast<std::size_t>(l.Nombre++)] = {
        static_cast<std::int8_t>(colonne), static_cast<std::int8_t>(ligne),
        static_cast<std::int8_t>(but), static_cast<std::int8_t>(lignePalet)};
}

// The cells within reach of (colonne, ligne), in storage order, that the check accepts.
template <class Essai> void AutourDe(int colonne, int ligne, Essai essai) {
    for (int c = std::max(0, colonne - Portee); c <= std::min(NbColonnes - 1, colonne + Portee);
         ++c)
        for (int l = std::max(0, ligne - Portee); l <= std::min(NbLignes - 1, ligne + Portee); ++l)
            essai(c, l);
}

// The shooters are the team's pawns within reach of the puck-pawn.
void ListerTirs(const jeu& j, ActionsLegales& liste) {
    const int pion = j.Equipe() + 1;
    AutourDe(j.ColonnePalet, j.LignePalet, [&](int c, int l) {
        if (j.Case(c, l) != pion) return;
        const VerdictTir v = VerifierTir(j, c, l);
        if (v.refus == Refus::Aucun)
            Ajouter(liste, c, l, v.But, v.But ? j.LignePalet : v.Futur.Ligne);
    });
}

void ListerCases(const jeu& j, ActionsLegales& liste) {
    const auto essai = [&](int c, int l) {
        if (VerifierClic(j, position(c, l)) == Refus::Aucun) Ajouter(liste, c, l, 0, 0);
    };
    // Pawns are placed and moved onto free cells only.
    const auto libre = [&](int c, int l) {
        if (!Occupee(j, c, l)) essai(c, l);
    };
    const int t = j.Equipe();
    switch (j.Action) {
    case acPlacement:
        for (int c = 0; c < NbColonnes; ++c)
            for (int l = 0; l < NbLignes; ++l)
                if (DansCamp(t, l)) libre(c, l);
        return;
    case acDeplacement1:
        for (int c = 0; c < NbColonnes; ++c)
            for (int l = 0; l < NbLignes; ++l)
                if (j.Case(c, l) == t + 1) essai(c, l);
        return;
    case acDeplacement2:
        if (SurPlateau(j.ColonnePionDeplace, j.LignePionDeplace))
            AutourDe(j.ColonnePionDeplace, j.LignePionDeplace, libre);
        return;
    case acTir:
        return ListerTirs(j, liste);
    }
}

} // namespace

void Executer(const Partie& p, const ActionJoueur& a) {
    switch (a.genre) {
    case ActionJoueur::Genre::Clic:
        return DrawGridPlateauDblClick(p, a.cellule);
    case ActionJoueur::Genre::PasserAction:
        return RubriquePasserActionClick(p);
    case ActionJoueur::Genre::PasserTour:
        return RubriquePasserTourClick(p);
    }
}

void ListerActionsLegales(const jeu& j, ActionsLegales& liste) {
    liste.Nombre = 0;
    if (!j.FinDeJeu) ListerCases(j, liste);
    const bool passer = VerifierPasser(j) == Refus::Aucun;
    liste.PasserAction = passer;
    liste.PasserTour = passer;
}

bool FinitLeCoup(const jeu& j, const ActionJoueur& a) {
    return j.Action == acPlacement || j.Action == acTir ||
           a.genre == ActionJoueur::Genre::PasserTour;
}

int PremierAJouer(const jeu& j, const Equipes& joueurs) {
    const int t = j.Equipe();
    if (j.Action != acPlacement) return t;
    return joueurs[t].NbPionsPlaces == joueurs[t ^ 1].NbPionsPlaces ? t : t ^ 1;
}

void ListerVariantes(const jeu& j, bool suiteDuCoup, ActionsLegales& liste) {
    ListerActionsLegales(j, liste);
    if (j.Action == acDeplacement2 && suiteDuCoup) {
        liste.PasserAction = false;
        liste.PasserTour = false;
    } else if (j.Action == acTir) {
        liste.PasserAction = false;
        if (suiteDuCoup && !SurPlateau(j.ColonnePionDeplace, j.LignePionDeplace))
            liste.PasserTour = false;
    }
}
