// The seeded random player.
#include "joueur_aleatoire.h"

#include <algorithm>

#include "rules/actions.h"
#include "rules/commandes.h"
#include "rules/geometrie.h"

namespace {

std::vector<position> PionsDe(const jeu& j, int equipe) {
    std::vector<position> pions;
    for (int c = 0; c < NbColonnes; ++c)
        for (int l = 0; l < NbLignes; ++l)
            if (j.Case(c, l) == equipe + 1) pions.emplace_back(c, l);
    return pions;
}

} // namespace

void JoueurAleatoire::Clic(const Partie& p, int colonne, int ligne) {
    DrawGridPlateauDblClick(p, position(colonne, ligne));
}

int JoueurAleatoire::TicsJusquALExpiration(const Partie& p, const VueMemoire& vue) {
    const int equipe = p.Jeu.JoueurCourant;
    int n = 0;
    while (vue.Horloge && p.Jeu.JoueurCourant == equipe && !p.Jeu.FinDeJeu && n < 1000) {
        TimerTempsTimer(p);
        ++n;
    }
    return n;
}

JoueurAleatoire::Genre JoueurAleatoire::Evenement(const Partie& p, VueMemoire& vue) {
    const int tirage = Entre(0, 99);
    if (tirage >= 6 && tirage < 8) {
        const int tics = TicsJusquALExpiration(p, vue);
        Evenements += tics;
        Tics += tics;
        return Genre::Expiration;
    }
    ++Evenements;
    return Jouer(p, vue, tirage);
}

JoueurAleatoire::Genre JoueurAleatoire::Jouer(const Partie& p, VueMemoire& vue, int tirage) {
    if (tirage < 3) {
        RubriquePasserActionClick(p);
        return Genre::Passe;
    }
    if (tirage < 6) {
        RubriquePasserTourClick(p);
        return Genre::Passe;
    }
    if (tirage < 25) {
        if (!vue.Horloge) return Genre::Tic;
        ++Tics;
        const std::uint32_t avant = p.Jeu.TempsRestant;
        TimerTempsTimer(p);
        return p.Jeu.TempsRestant < avant ? Genre::Tic : Genre::Expiration;
    }
    const position cible = tirage < 32 ? position(Entre(0, 8), Entre(0, 10)) : ClicPlausible(p.Jeu);
    Clic(p, cible.Colonne, cible.Ligne);
    return Genre::Clic;
}

position JoueurAleatoire::Parmi(const std::vector<position>& cases) {
    if (cases.empty()) return position(Entre(0, 8), Entre(0, 10));
    return cases[static_cast<std::size_t>(Entre(0, static_cast<int>(cases.size()) - 1))];
}

position JoueurAleatoire::ClicPlausible(const jeu& j) {
    const int equipe = j.JoueurCourant;
    switch (j.Action) {
    case acPlacement:
        return position(Entre(0, 8), 5 * equipe + Entre(1, 4));
    case acDeplacement1:
        return Parmi(PionsDe(j, equipe));
    case acDeplacement2: {
        const int n = Entre(1, 3);
        return position(std::clamp(j.ColonnePionDeplace + Entre(-1, 1) * n, 0, 8),
                        std::clamp(j.LignePionDeplace + Entre(-1, 1) * n, 0, 10));
    }
    default: {
        auto pions = PionsDe(j, equipe);
        std::erase_if(pions, [&](const position& c) {
            return !DansPortee(DecalageEntre(c.Colonne, c.Ligne, j.ColonnePalet, j.LignePalet));
        });
        return Parmi(pions);
    }
    }
}
