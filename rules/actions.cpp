// The player actions: each check in its fixed order, the first failure reported alone.
#include "actions.h"

#include <array>

#include "deroulement.h"
#include "textes.h"

namespace {

bool PionDe(const jeu& j, int equipe, int colonne, int ligne) {
    return j.Case(colonne, ligne) == equipe + 1;
}

// The goal flag of the shot, the scoring team + 1, from where its line crosses the goal line; 0
// without a goal.
int ButDuTir(const jeu& j, int sc, int sr, FuturPalet futur) {
    if (sr == j.LignePalet || !TirCadre(j.Equipe(), sc, sr, j.ColonnePalet, j.LignePalet)) return 0;
    if (futur.LigneBrute >= LigneButRouges) return Bleus + 1;
    if (futur.LigneBrute <= LigneButBleus) return Rouges + 1;
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

// The checks of a shot up to its outcome; the caller has the shooter's offset to the puck-pawn.
VerdictTir VerifierTirDepuis(const jeu& j, int sc, int sr, Decalage d) {
    const int t = j.Equipe();
    if (!PionDe(j, t, sc, sr)) return {Refus::ChoisirPion};
    if (!DansPortee(d)) return {Refus::TireurLoin};
    if (TirEnArriere(t, d)) return {Refus::TirArriere};
    if (sc == j.ColonnePionDeplace && sr == j.LignePionDeplace) return {Refus::TireurDeplace};
    bool bloquee = false;
    if (EnLigneDroite(d)) {
        if (!TrajectoireLibre(j, sc, sr, d)) return {Refus::PionAvantPalet};
        if (MarcheBloquee(j, d, bloquee)) return {Refus::PionApresPalet};
    }
    const FuturPalet futur = FuturEmplacementPalet(j.ColonnePalet, j.LignePalet, sc, sr);
    const int but = ButDuTir(j, sc, sr, futur);
    if (but != 0) return {Refus::Aucun, but, futur};
    if (bloquee) return {Refus::PionApresPalet};
    const bool surTireur = futur.Colonne == sc && futur.Ligne == sr;
    if (Occupee(j, futur.Colonne, futur.Ligne) && !surTireur) return {Refus::FutureCase};
    return {Refus::Aucun, 0, futur};
}

void Refuser(const Partie& p, Refus refus) {
    if (refus != Refus::Ignore) AfficherErreur(p, TexteRefus(refus, p.Jeu.Equipe()));
}

// The effects of the four actions, once their checks have passed.
void Placer(const Partie& p, int colonne, int ligne) {
    jeu& j = p.Jeu;
    j.PlacerPion(p.Joueurs, colonne, ligne);
    p.Ecran.RedessinerPlateau();
    ChangerJoueur(p);
    if (p.Montre())
        p.Ecran.AfficherPanneau(Panneau::Etape, TextePion(p.Joueurs[j.Equipe()].NbPionsPlaces + 1));
    ConclurePlacement(p);
}

void Choisir(const Partie& p, int colonne, int ligne) {
    p.Jeu.ChoisirPion(colonne, ligne);
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acDeplacement2);
}

void Deplacer(const Partie& p, int colonne, int ligne) {
    p.Jeu.DeplacerPion(colonne, ligne);
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acTir);
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
    if (p.Montre())
        p.Ecran.Message(Format(Textes::ButDes, NomsEquipes[buteur]), NomsActions[acTir],
                        Icone::Exclamation);
    MarquerBut(p, buteur);
    EgaliserCoups(p.Joueurs);
    if (FinDeMiTemps(j)) {
        j.FinDeJeu = DernierTour(j) ? 1 : 0;
        if (j.FinDeJeu) return;
    }
    // The team that conceded the goal places first.
    Engagement(p, 2 - j.But);
}

void Tirer(const Partie& p, int sc, int sr) {
    jeu& j = p.Jeu;
    const VerdictTir verdict = VerifierTir(j, sc, sr);
    j.But = verdict.But;
    if (j.But != 0) return SequenceDeBut(p, sc, sr, verdict.Futur);
    j.DeplacerPalet(sc, sr, verdict.Futur.Colonne, verdict.Futur.Ligne);
    CompterOccupation(p);
    FinDeCoup(p);
}

Refus RefusTir(const jeu& j, int colonne, int ligne) {
    return VerifierTir(j, colonne, ligne).refus;
}

// Indexed by action kind; index 0 stands for no action.
using Verification = Refus (*)(const jeu&, int, int);
using Effet = void (*)(const Partie&, int, int);
constexpr std::array<Verification, 5> Verifications = {
    nullptr, VerifierPlacement, VerifierChoixPion, VerifierDestination, RefusTir};
constexpr std::array<Effet, 5> Effets = {nullptr, Placer, Choisir, Deplacer, Tirer};

// The action a double-click on the cell would run, or 0 when it does nothing at all.
int ActionDuClic(const jeu& j, position c) {
    if (j.FinDeJeu || !c.SurPlateau() || j.Action < acPlacement || j.Action > acTir) return 0;
    return j.Action;
}

} // namespace

std::string TexteRefus(Refus refus, int equipe) {
    if (refus == Refus::ChoisirPion)
        return Format(Textes::ChoisirPion, AdjectifsEquipes[equipe & 1]);
    static constexpr std::array<const char*, 18> Textes = {"",
                                                           "",
                                                           Textes::HorsCamp,
                                                           Textes::CaseOccupee,
                                                           "",
                                                           Textes::CaseLibre,
                                                           Textes::ZoneAdverse,
                                                           Textes::ZoneDeBut,
                                                           Textes::TropLoin,
                                                           Textes::Direction,
                                                           Textes::PionTrajectoire,
                                                           Textes::TireurLoin,
                                                           Textes::TirArriere,
                                                           Textes::TireurDeplace,
                                                           Textes::PionAvantPalet,
                                                           Textes::PionApresPalet,
                                                           Textes::FutureCase,
                                                           Textes::ObligePlacer};
    return Textes[static_cast<std::size_t>(refus)];
}

Refus VerifierPlacement(const jeu& j, int colonne, int ligne) {
    if (!DansCamp(j.Equipe(), ligne)) return Refus::HorsCamp;
    if (Occupee(j, colonne, ligne)) return Refus::CaseOccupee;
    return Refus::Aucun;
}

Refus VerifierChoixPion(const jeu& j, int colonne, int ligne) {
    return PionDe(j, j.Equipe(), colonne, ligne) ? Refus::Aucun : Refus::ChoisirPion;
}

Refus VerifierDestination(const jeu& j, int colonne, int ligne) {
    const int t = j.Equipe();
    if (!SurPlateau(j.ColonnePionDeplace, j.LignePionDeplace)) return Refus::Ignore;
    const Decalage d = DecalageEntre(j.ColonnePionDeplace, j.LignePionDeplace, colonne, ligne);
    if (Occupee(j, colonne, ligne)) return Refus::CaseLibre;
    if (DansZoneAdverse(t, ligne)) return Refus::ZoneAdverse;
    if (DansPropreBut(t, colonne, ligne)) return Refus::ZoneDeBut;
    if (!DansPortee(d)) return Refus::TropLoin;
    if (!EnLigneDroite(d)) return Refus::Direction;
    if (!TrajectoireLibre(j, j.ColonnePionDeplace, j.LignePionDeplace, d))
        return Refus::PionTrajectoire;
    return Refus::Aucun;
}

VerdictTir VerifierTir(const jeu& j, int colonne, int ligne) {
    return VerifierTirDepuis(j, colonne, ligne,
                             DecalageEntre(colonne, ligne, j.ColonnePalet, j.LignePalet));
}

Refus VerifierClic(const jeu& j, position c) {
    const int action = ActionDuClic(j, c);
    return action == 0 ? Refus::Ignore : Verifications[action](j, c.Colonne, c.Ligne);
}

Refus VerifierPasser(const jeu& j) {
    if (j.FinDeJeu) return Refus::Ignore;
    if (j.Action == acPlacement) return Refus::ObligePlacer;
    return j.Action >= acDeplacement1 && j.Action <= acTir ? Refus::Aucun : Refus::Ignore;
}

void DrawGridPlateauDblClick(const Partie& p, position c) {
    jeu& j = p.Jeu;
    const int action = ActionDuClic(j, c);
    if (action == 0) return;
    // The shot clears its goal flag before any check, and a refusal leaves it cleared.
    if (action == acTir) j.But = 0;
    // The number of pawns may have been lowered to a count both teams have already placed.
    if (action == acPlacement && PlacementTermine(j, p.Joueurs)) return ConclurePlacement(p);
    if (const Refus r = Verifications[action](j, c.Colonne, c.Ligne); r != Refus::Aucun)
        return Refuser(p, r);
    Effets[action](p, c.Colonne, c.Ligne);
}
