// Positions written as text.
#include "plateau_texte.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view Symboles = ".BRbro";
constexpr std::array<std::uint8_t, 6> Valeurs = {CaseVide, 1, 2, 1, 2, CasePalet};

int LireCases(const PlateauTexte& t, jeu& j) {
    int palets = 0;
    for (int l = 0; l < NbLignes; ++l) {
        const char* ligne = t.lignes[static_cast<std::size_t>(l)];
        if (!ligne || std::strlen(ligne) != NbColonnes) return 0;
        for (int c = 0; c < NbColonnes; ++c) {
            const std::size_t k = Symboles.find(ligne[c]);
            if (k == std::string_view::npos) return 0;
            j.Case(c, l) = Valeurs[k];
            if (ligne[c] == 'o') {
                ++palets;
                j.ColonnePalet = c;
                j.LignePalet = l;
            } else if (ligne[c] == 'b' || ligne[c] == 'r') {
                j.ColonnePionDeplace = c;
                j.LignePionDeplace = l;
            }
        }
    }
    return palets == 1;
}

} // namespace

int PoserPlateauTexte(const PlateauTexte& t, jeu& j, Equipes& joueurs) {
    j.NouvellePartie(joueurs);
    j.NbPions = t.nbPions;
    j.NbTours = t.nbTours;
    j.TourCourant = t.tour;
    j.JoueurCourant = static_cast<std::int8_t>(t.equipe & 1);
    j.Action = static_cast<std::int8_t>(t.action);
    j.TempsRestant = t.action == acPlacement ? 0 : j.MaxTemps;
    if (!LireCases(t, j)) return 0;
    for (int e = 0; e < 2; ++e) {
        joueur& equipe = joueurs[static_cast<std::size_t>(e)];
        const auto pions = std::count(j.Cases.begin(), j.Cases.end(), e + 1);
        equipe.Buts = t.buts[static_cast<std::size_t>(e)];
        equipe.Occupation = t.occupation[static_cast<std::size_t>(e)];
        equipe.NbPionsPlaces = static_cast<std::int32_t>(pions);
        // Hand-overs: one per pawn placed, and both teams even at the start of a turn.
        equipe.NbCoups = t.action == acPlacement ? equipe.NbPionsPlaces : 0;
    }
    if (t.secondDuTour) ++joueurs[static_cast<std::size_t>(t.equipe ^ 1)].NbCoups;
    return 1;
}
