// The game record's construction, resets, recording steps and storage.
#include "jeu.h"

#include <algorithm>

#include "champs.h"

bool position::SurPlateau() const {
    return ::SurPlateau(Colonne, Ligne);
}

void position::TexteCase(char (&texte)[4]) const {
    const auto chiffre = [](std::int32_t v) {
        if (v >= 10) return 'X';
        return static_cast<char>('0' + std::clamp<std::int32_t>(v, 0, 9));
    };
    texte[0] = chiffre(Colonne);
    texte[1] = chiffre(Ligne);
    texte[2] = ' ';
    texte[3] = '\0';
}

int position::Lire(std::FILE* f) {
    return LireChamp(f, Colonne) && LireChamp(f, Ligne);
}

int position::Ecrire(std::FILE* f) const {
    return EcrireChamp(f, Colonne) && EcrireChamp(f, Ligne);
}

void tour::Effacer() {
    Placement.fill(position());
    Deplacement.fill(position());
    Tir = position();
}

int tour::Lire(std::FILE* f) {
    for (position& p : Placement)
        if (!p.Lire(f)) return 0;
    for (position& p : Deplacement)
        if (!p.Lire(f)) return 0;
    return Tir.Lire(f);
}

int tour::Ecrire(std::FILE* f) const {
    for (const position& p : Placement)
        if (!p.Ecrire(f)) return 0;
    for (const position& p : Deplacement)
        if (!p.Ecrire(f)) return 0;
    return Tir.Ecrire(f);
}

jeu::jeu() {
    Reinitialiser();
}

EtatJeu jeu::Etat() const {
    return {NbPions,          NbTours,      TourCourant, But,      ColonnePionDeplace,
            LignePionDeplace, ColonnePalet, LignePalet,  FinDeJeu, JoueurCourant,
            TempsRestant,     MaxTemps,     Action,      Cases};
}

void jeu::DefinirEtat(const EtatJeu& e) {
    NbPions = e.NbPions;
    NbTours = e.NbTours;
    TourCourant = e.TourCourant;
    But = e.But;
    ColonnePionDeplace = e.ColonnePionDeplace;
    LignePionDeplace = e.LignePionDeplace;
    ColonnePalet = e.ColonnePalet;
    LignePalet = e.LignePalet;
    FinDeJeu = e.FinDeJeu;
    JoueurCourant = e.JoueurCourant;
    TempsRestant = e.TempsRestant;
    MaxTemps = e.MaxTemps;
    Action = e.Action;
    Cases = e.Cases;
}
// The index is kept inside the history even for a record that some caller left out of range:
// a wrong record is recoverable, a write outside the array is not.
static int IndexCoupCourant(const jeu& j) {
    const int index = (j.TourCourant - 1) * 2 + j.JoueurCourant;
    return std::clamp(index, 0, NbCoupsHistorique - 1);
}

tour& jeu::CoupCourant() {
    return Coups[IndexCoupCourant(*this)];
}
const tour& jeu::CoupCourant() const {
    return Coups[IndexCoupCourant(*this)];
}

void jeu::Reinitialiser() {
    Action = acPlacement;
    OublierPionDeplace();
    But = 0;
    TempsRestant = 0;
    ColonnePalet = ColonneCentre;
    LignePalet = LigneCentre;
    Cases.fill(CaseVide);
    Case(ColonneCentre, LigneCentre) = CasePalet;
}

void jeu::EffacerHistorique() {
    for (tour& t : Coups) t.Effacer();
}

void jeu::PlacerPion(Equipes& joueurs, int colonne, int ligne) {
    joueur& equipe = joueurs[Equipe()];
    Case(colonne, ligne) = static_cast<std::uint8_t>(JoueurCourant + 1);
    // Callers never place an eighth pawn; the bound only keeps a broken caller inside the record.
    const int k = std::clamp<std::int32_t>(equipe.NbPionsPlaces, 0, MaxPions - 1);
    CoupCourant().Placement[k] = position(colonne, ligne);
    ++equipe.NbPionsPlaces;
}

void jeu::ChoisirPion(int colonne, int ligne) {
    ColonnePionDeplace = colonne;
    LignePionDeplace = ligne;
    CoupCourant().Deplacement[0] = position(colonne, ligne);
}

void jeu::DeplacerPion(int colonne, int ligne) {
    if (::SurPlateau(ColonnePionDeplace, LignePionDeplace))
        Case(ColonnePionDeplace, LignePionDeplace) = CaseVide;
    ColonnePionDeplace = colonne;
    LignePionDeplace = ligne;
    Case(colonne, ligne) = static_cast<std::uint8_t>(JoueurCourant + 1);
    CoupCourant().Deplacement[1] = position(colonne, ligne);
}

void jeu::DeplacerPalet(int colonneTireur, int ligneTireur, int colonne, int ligne) {
    Case(colonneTireur, ligneTireur) = CaseVide;
    Case(ColonnePalet, LignePalet) = static_cast<std::uint8_t>(JoueurCourant + 1);
    if (But == 0) {
        ColonnePalet = colonne;
        LignePalet = ligne;
        Case(colonne, ligne) = CasePalet;
    }
    CoupCourant().Tir = position(colonneTireur, ligneTireur);
}

void jeu::NouvellePartie(Equipes& joueurs) {
    Reinitialiser();
    EffacerHistorique();
    JoueurCourant = 0;
    TourCourant = 1;
    FinDeJeu = 0;
    for (joueur& j : joueurs) j = joueur();
}

int jeu::Lire(std::FILE* f) {
    if (!(LireChamp(f, NbPions) && LireChamp(f, NbTours) && LireChamp(f, TourCourant) &&
          LireChamp(f, But) && LireChamp(f, ColonnePionDeplace) && LireChamp(f, LignePionDeplace) &&
          LireChamp(f, ColonnePalet) && LireChamp(f, LignePalet) && LireChamp(f, FinDeJeu) &&
          LireChamp(f, JoueurCourant) && LireChamp(f, TempsRestant) && LireChamp(f, MaxTemps) &&
          LireChamp(f, Action)))
        return 0;
    for (std::uint8_t& c : Cases)
        if (!LireChamp(f, c)) return 0;
    for (tour& t : Coups)
        if (!t.Lire(f)) return 0;
    return 1;
}

int jeu::Ecrire(std::FILE* f) const {
    if (!(EcrireChamp(f, NbPions) && EcrireChamp(f, NbTours) && EcrireChamp(f, TourCourant) &&
          EcrireChamp(f, But) && EcrireChamp(f, ColonnePionDeplace) &&
          EcrireChamp(f, LignePionDeplace) && EcrireChamp(f, ColonnePalet) &&
          EcrireChamp(f, LignePalet) && EcrireChamp(f, FinDeJeu) && EcrireChamp(f, JoueurCourant) &&
          EcrireChamp(f, TempsRestant) && EcrireChamp(f, MaxTemps) && EcrireChamp(f, Action)))
        return 0;
    for (const std::uint8_t c : Cases)
        if (!EcrireChamp(f, c)) return 0;
    for (const tour& t : Coups)
        if (!t.Ecrire(f)) return 0;
    return 1;
}
