// The player actions: each check in its fixed order, the first failure reported alone.
#include "actions.h"

#include "deroulement.h"
#include "geometrie.h"
#include "textes.h"

namespace {

int Equipe(const jeu& j) {
    return j.JoueurCourant & 1;
}

bool PionDe(const jeu& j, int equipe, int colonne, int ligne) {
    return j.Case(colonne, ligne) == equipe + 1;
}

std::string ChoisirPionDe(int equipe) {
    return Format(Textes::ChoisirPion, AdjectifsEquipes[equipe]);
}

// The goal flag of the shot, from where its line crosses the goal line; 0 without a goal.
int ButDuTir(const jeu& j, int sc, int sr, FuturPalet futur) {
    if (sr == j.LignePalet || !TirCadre(Equipe(j), sc, sr, j.ColonnePalet, j.LignePalet)) return 0;
    if (futur.LigneBrute >= 10) return 1;
    if (futur.LigneBrute <= 0) return 2;
    return 0;
}

// Walks the puck-pawn over the cells before its future one. Returns whether the walk is blocked
// with no clear step before it, and tells through bloquee whether it is blocked at all.
bool MarcheBloquee(const jeu& j, Decalage d, bool& bloquee) {
    TrajectoirePalet marche{j.ColonnePalet, j.LignePalet, d.dc, d.dr};
    bool libreJusquIci = false;
    bloquee = false;
    for (int pas = 1; pas < Longueur(d); ++pas) {
        const bool finDeLigne = marche.Pas();
        const bool occupee = Occupee(j, marche.Colonne, marche.Ligne);
        if (!finDeLigne) libreJusquIci = !occupee;
        if (occupee) {
            bloquee = true;
            break;
        }
    }
    return bloquee && !libreJusquIci;
}

void SequenceDeBut(const Partie& p, int sc, int sr, FuturPalet futur);

} // namespace

void DrawGridPlateauDblClick(const Partie& p) {
    const position c = p.Ecran.CaseCourante();
    if (p.Jeu.FinDeJeu || !c.SurPlateau()) return;
    switch (p.Jeu.Action) {
    case acPlacement:
        Placement(p, c.Colonne, c.Ligne);
        break;
    case acDeplacement1:
        ChoixPion(p, c.Colonne, c.Ligne);
        break;
    case acDeplacement2:
        ChoixDestination(p, c.Colonne, c.Ligne);
        break;
    case acTir:
        Tir(p, c.Colonne, c.Ligne);
        break;
    default:
        break;
    }
}

void Placement(const Partie& p, int colonne, int ligne) {
    jeu& j = p.Jeu;
    const int t = Equipe(j);
    // The number of pawns may have been lowered to a count both teams have already placed.
    if (PlacementTermine(j, p.Joueurs)) return ConclurePlacement(p);
    if (!DansCamp(t, ligne)) return AfficherErreur(p, Textes::HorsCamp);
    if (Occupee(j, colonne, ligne)) return AfficherErreur(p, Textes::CaseOccupee);
    j.PlacerPion(p.Joueurs, colonne, ligne);
    p.Ecran.RedessinerPlateau();
    ChangerJoueur(p);
    p.Ecran.AfficherPanneau(3, TextePion(p.Joueurs[Equipe(j)].NbPionsPlaces + 1));
    ConclurePlacement(p);
}

void ChoixPion(const Partie& p, int colonne, int ligne) {
    const int t = Equipe(p.Jeu);
    if (!PionDe(p.Jeu, t, colonne, ligne)) return AfficherErreur(p, ChoisirPionDe(t));
    p.Jeu.ChoisirPion(colonne, ligne);
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acDeplacement2);
}

void ChoixDestination(const Partie& p, int colonne, int ligne) {
    jeu& j = p.Jeu;
    const int t = Equipe(j);
    if (!SurPlateau(j.ColonnePionDeplace, j.LignePionDeplace)) return;
    const Decalage d = DecalageEntre(j.ColonnePionDeplace, j.LignePionDeplace, colonne, ligne);
    if (Occupee(j, colonne, ligne)) return AfficherErreur(p, Textes::CaseLibre);
    if (DansZoneAdverse(t, ligne)) return AfficherErreur(p, Textes::ZoneAdverse);
    if (DansPropreBut(t, colonne, ligne)) return AfficherErreur(p, Textes::ZoneDeBut);
    if (!DansPortee(d)) return AfficherErreur(p, Textes::TropLoin);
    if (!EnLigneDroite(d)) return AfficherErreur(p, Textes::Direction);
    if (!TrajectoireLibre(j, j.ColonnePionDeplace, j.LignePionDeplace, d))
        return AfficherErreur(p, Textes::PionTrajectoire);
    j.DeplacerPion(colonne, ligne);
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acTir);
}

void Tir(const Partie& p, int sc, int sr) {
    jeu& j = p.Jeu;
    const int t = Equipe(j);
    const Decalage d = DecalageEntre(sc, sr, j.ColonnePalet, j.LignePalet);
    j.But = 0;
    if (!PionDe(j, t, sc, sr)) return AfficherErreur(p, ChoisirPionDe(t));
    if (!DansPortee(d)) return AfficherErreur(p, Textes::TireurLoin);
    if (TirEnArriere(t, d)) return AfficherErreur(p, Textes::TirArriere);
    if (sc == j.ColonnePionDeplace && sr == j.LignePionDeplace)
        return AfficherErreur(p, Textes::TireurDeplace);
    bool bloquee = false;
    if (EnLigneDroite(d)) {
        if (!TrajectoireLibre(j, sc, sr, d)) return AfficherErreur(p, Textes::PionAvantPalet);
        if (MarcheBloquee(j, d, bloquee)) return AfficherErreur(p, Textes::PionApresPalet);
    }
    const FuturPalet futur = FuturEmplacementPalet(j.ColonnePalet, j.LignePalet, sc, sr);
    j.But = ButDuTir(j, sc, sr, futur);
    if (j.But != 0) return SequenceDeBut(p, sc, sr, futur);
    if (bloquee) return AfficherErreur(p, Textes::PionApresPalet);
    const bool surTireur = futur.Colonne == sc && futur.Ligne == sr;
    if (Occupee(j, futur.Colonne, futur.Ligne) && !surTireur)
        return AfficherErreur(p, Textes::FutureCase);
    j.DeplacerPalet(sc, sr, futur.Colonne, futur.Ligne);
    CompterOccupation(p);
    FinDeCoup(p);
}

namespace {

void EngagementApresBut(const Partie& p) {
    jeu& j = p.Jeu;
    j.JoueurCourant = static_cast<std::int8_t>(2 - j.But);
    p.Ecran.AfficherPanneau(4, NomsEquipes[Equipe(j)]);
    AvancerTour(p);
    j.Reinitialiser();
    for (joueur& e : p.Joueurs) e.EffacerPionsPlaces();
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acPlacement);
    DemarrerTemps(p);
}

void SequenceDeBut(const Partie& p, int sc, int sr, FuturPalet futur) {
    jeu& j = p.Jeu;
    const int buteur = j.But - 1;
    j.DeplacerPalet(sc, sr, futur.Colonne, futur.Ligne);
    CompterOccupation(p);
    p.Ecran.RedessinerPlateau();
    // The clock stays off from here: the announcement is modal and ticks still arrive, and an
    // expiry must not pass a turn in the middle of the goal. What follows is a placement phase
    // or the end of the game, neither of which is timed.
    p.Ecran.ActiverHorloge(false);
    p.Ecran.Message(Format(Textes::ButDes, NomsEquipes[buteur]), NomsActions[acTir],
                    Icone::Exclamation);
    MarquerBut(p, buteur);
    EgaliserCoups(p.Joueurs);
    if (FinDeMiTemps(j)) {
        j.FinDeJeu = DernierTour(j) ? 1 : 0;
        if (j.FinDeJeu) return;
    }
    EngagementApresBut(p);
}

} // namespace
