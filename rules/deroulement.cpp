// The turn engine.
#include "deroulement.h"

#include <algorithm>

#include "textes.h"

namespace {

void AfficherJauge(const Partie& p) {
    if (!p.Montre()) return;
    const int bleus = p.Joueurs[Bleus].Occupation;
    const int rouges = p.Joueurs[Rouges].Occupation;
    const int total = bleus + rouges;
    if (total == 0)
        p.Ecran.DefinirJauge(MaximumJaugeVide, ProgressionJaugeVide, Textes::Occupation);
    else
        p.Ecran.DefinirJauge(total, rouges, TexteOccupation(bleus, rouges));
}

int ActionAffichable(const jeu& j) {
    return std::clamp<int>(j.Action, 0, acTir);
}

} // namespace

int ToursDeLaPartie(const jeu& j) {
    return std::clamp(j.NbTours, 2, MaxTours);
}

bool DernierTour(const jeu& j) {
    return j.TourCourant >= ToursDeLaPartie(j);
}

bool FinDeMiTemps(const jeu& j) {
    return j.TourCourant % (ToursDeLaPartie(j) / 2) == 0 || DernierTour(j);
}

int PionsAPlacer(const jeu& j, const joueur& equipe) {
    return std::max(0, std::min(j.NbPions, MaxPions) - equipe.NbPionsPlaces);
}

bool PlacementTermine(const jeu& j, const Equipes& joueurs) {
    const int bleus = joueurs[Bleus].NbPionsPlaces;
    return (bleus == joueurs[Rouges].NbPionsPlaces && PionsAPlacer(j, joueurs[Bleus]) == 0) ||
           joueurs[j.Equipe()].NbPionsPlaces >= MaxPions;
}

void ConclurePlacement(const Partie& p) {
    if (PlacementTermine(p.Jeu, p.Joueurs)) DefinirAction(p, acDeplacement1);
    DemarrerTemps(p);
}

void AfficherErreur(const Partie& p, const std::string& texte) {
    p.Ecran.Message(texte, NomsActions[ActionAffichable(p.Jeu)], Icone::Arret);
}

void DemarrerTemps(const Partie& p) {
    if (p.Jeu.Action == acPlacement) {
        if (p.Montre()) p.Ecran.AfficherPanneau(Panneau::Temps, TexteTemps(0));
        return;
    }
    p.Jeu.TempsRestant = p.Jeu.MaxTemps;
    p.Ecran.ActiverHorloge(true);
}

void FinDeCoup(const Partie& p) {
    jeu& j = p.Jeu;
    j.OublierPionDeplace();
    p.Ecran.RedessinerPlateau();
    if (!FinDeMiTemps(j)) {
        ChangerJoueur(p);
        DefinirAction(p, acDeplacement1);
        return;
    }
    j.FinDeJeu = DernierTour(j) ? 1 : 0;
    if (j.FinDeJeu) {
        if (p.Montre()) p.Ecran.Message(Textes::FinDeJeu, Textes::Ovane, Icone::Information);
    } else {
        NouvelleMiTemps(p);
    }
}

void EgaliserCoups(Equipes& joueurs) {
    joueur& bleus = joueurs[Bleus];
    joueur& rouges = joueurs[Rouges];
    if (bleus.NbCoups != rouges.NbCoups)
        ++(bleus.NbCoups < rouges.NbCoups ? bleus : rouges).NbCoups;
}

void Engagement(const Partie& p, int equipe) {
    AvancerTour(p);
    p.Jeu.Reinitialiser();
    p.Jeu.JoueurCourant = static_cast<std::int8_t>(equipe & 1);
    if (p.Montre()) p.Ecran.AfficherPanneau(Panneau::Equipe, NomsEquipes[equipe & 1]);
    for (joueur& e : p.Joueurs) e.EffacerPionsPlaces();
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acPlacement);
    DemarrerTemps(p);
}

void NouvelleMiTemps(const Partie& p) {
    // The counts are even here unless the number of turns was changed in the middle of a turn;
    // evened, the second half still runs one play per team and turn.
    EgaliserCoups(p.Joueurs);
    Engagement(p, Rouges);
}

void ChangerJoueur(const Partie& p) {
    jeu& j = p.Jeu;
    j.OublierPionDeplace();
    ++p.Joueurs[j.Equipe()].NbCoups;
    if (j.Action != acPlacement && p.Joueurs[Bleus].NbCoups == p.Joueurs[Rouges].NbCoups)
        AvancerTour(p);
    j.JoueurCourant = static_cast<std::int8_t>(j.Equipe() ^ 1);
    if (p.Montre()) p.Ecran.AfficherPanneau(Panneau::Equipe, NomsEquipes[j.Equipe()]);
    DemarrerTemps(p);
}

void DefinirAction(const Partie& p, int action) {
    p.Jeu.Action = static_cast<std::int8_t>(action);
    if (p.Montre()) {
        p.Ecran.AfficherPanneau(Panneau::Action, NomsActions[ActionAffichable(p.Jeu)]);
        p.Ecran.AfficherPanneau(Panneau::Etape, NomsEtapes[ActionAffichable(p.Jeu)]);
    }
    p.Ecran.DefinirCurseur(action);
}

void AvancerTour(const Partie& p) {
    if (p.Montre())
        p.Ecran.AfficherPanneau(Panneau::Tour, TexteTour(p.Jeu.TourCourant + 1, p.Jeu.NbTours));
    ++p.Jeu.TourCourant;
}

void MarquerBut(const Partie& p, int equipe) {
    Equipes& e = p.Joueurs;
    const int bleus = e[Bleus].Buts + (equipe == Bleus ? 1 : 0);
    const int rouges = e[Rouges].Buts + (equipe == Rouges ? 1 : 0);
    if (p.Montre()) p.Ecran.AfficherPanneau(Panneau::Score, TexteScore(bleus, rouges));
    ++e[equipe & 1].Buts;
}

void CompterOccupation(const Partie& p) {
    const jeu& j = p.Jeu;
    if (j.But == 1 || j.But == 2) {
        p.Joueurs[j.But - 1].Occupation += PointsParCoup;
    } else {
        p.Joueurs[Bleus].Occupation += PointsOccupation(Bleus, j.LignePalet);
        p.Joueurs[Rouges].Occupation += PointsOccupation(Rouges, j.LignePalet);
    }
    AfficherJauge(p);
}

void AfficherEtat(const Partie& p) {
    const jeu& j = p.Jeu;
    p.Ecran.ActiverHorloge(false);
    p.Ecran.AfficherPanneau(Panneau::Score,
                            TexteScore(p.Joueurs[Bleus].Buts, p.Joueurs[Rouges].Buts));
    p.Ecran.AfficherPanneau(Panneau::Tour, TexteTour(j.TourCourant, j.NbTours));
    p.Ecran.AfficherPanneau(Panneau::Action, NomsActions[ActionAffichable(j)]);
    // In a placement phase the step names the next pawn of the team to play, as each placement
    // does, so that a game loaded in the middle of one reads the same as before it was saved.
    if (j.Action == acPlacement)
        p.Ecran.AfficherPanneau(Panneau::Etape, TextePion(p.Joueurs[j.Equipe()].NbPionsPlaces + 1));
    else
        p.Ecran.AfficherPanneau(Panneau::Etape, NomsEtapes[ActionAffichable(j)]);
    p.Ecran.AfficherPanneau(Panneau::Equipe, NomsEquipes[j.Equipe()]);
    p.Ecran.AfficherPanneau(Panneau::Temps, TexteTemps(j.TempsRestant));
    AfficherJauge(p);
    if (j.Action != acPlacement) p.Ecran.ActiverHorloge(true);
    p.Ecran.RedessinerPlateau();
    p.Ecran.DefinirCurseur(j.Action);
}
