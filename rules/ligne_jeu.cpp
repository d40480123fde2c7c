// Game commands as text, and carried out through the rules.
#include "ligne_jeu.h"

#include <charconv>

#include "actions.h"
#include "commandes.h"

namespace {

using Genre = CommandeJeu::Genre;

struct NomCommande {
    std::string_view nom;
    Genre genre;
    std::size_t arguments;
};

constexpr NomCommande Noms[] = {
    {"clic", Genre::Clic, 2},
    {"passer-action", Genre::PasserAction, 0},
    {"passer-tour", Genre::PasserTour, 0},
    {"parametres", Genre::Parametres, 3},
    {"nouvelle", Genre::Nouvelle, 0},
    {"tic", Genre::Tic, 0},
};

const NomCommande* Trouver(std::string_view nom) {
    for (const NomCommande& n : Noms)
        if (n.nom == nom) return &n;
    return nullptr;
}

const NomCommande* Trouver(Genre genre) {
    for (const NomCommande& n : Noms)
        if (n.genre == genre) return &n;
    return nullptr;
}

} // namespace

bool ParametresProposables(int pions, int tours, std::uint32_t temps) {
    return EstUnChoix(ChoixNbPions, static_cast<std::int32_t>(pions)) &&
           EstUnChoix(ChoixNbTours, static_cast<std::int32_t>(tours)) &&
           EstUnChoix(ChoixMaxTemps, temps);
}

std::optional<long long> LireEntier(std::string_view mot) {
    // Ten digits hold every value the game uses; more would only be a way to overflow.
    if (mot.empty() || mot.size() > 10) return std::nullopt;
    long long valeur = 0;
    const auto [fin, erreur] = std::from_chars(mot.data(), mot.data() + mot.size(), valeur);
    if (erreur != std::errc() || fin != mot.data() + mot.size() || valeur < 0) return std::nullopt;
    return valeur;
}

std::optional<CommandeJeu> LireCommandeJeu(std::span<const std::string_view> mots) {
    if (mots.empty()) return std::nullopt;
    const NomCommande* nom = Trouver(mots[0]);
    if (!nom || mots.size() != nom->arguments + 1) return std::nullopt;
    CommandeJeu commande;
    commande.genre = nom->genre;
    long long valeurs[3] = {};
    for (std::size_t i = 0; i < nom->arguments; ++i) {
        const auto valeur = LireEntier(mots[i + 1]);
        if (!valeur) return std::nullopt;
        valeurs[i] = *valeur;
    }
    if (nom->genre == Genre::Clic) {
        if (valeurs[0] >= NbColonnes || valeurs[1] >= NbLignes) return std::nullopt;
        commande.cellule = position(static_cast<int>(valeurs[0]), static_cast<int>(valeurs[1]));
    } else if (nom->genre == Genre::Parametres) {
        if (valeurs[2] > ChoixMaxTemps.back() ||
            !ParametresProposables(static_cast<int>(valeurs[0]), static_cast<int>(valeurs[1]),
                                   static_cast<std::uint32_t>(valeurs[2])))
            return std::nullopt;
        commande.pions = static_cast<int>(valeurs[0]);
        commande.tours = static_cast<int>(valeurs[1]);
        commande.temps = static_cast<std::uint32_t>(valeurs[2]);
    }
    return commande;
}

std::string TexteCommandeJeu(const CommandeJeu& c) {
    std::string texte(Trouver(c.genre)->nom);
    if (c.genre == Genre::Clic)
        texte += ' ' + std::to_string(c.cellule.Colonne) + ' ' + std::to_string(c.cellule.Ligne);
    else if (c.genre == Genre::Parametres)
        texte += ' ' + std::to_string(c.pions) + ' ' + std::to_string(c.tours) + ' ' +
                 std::to_string(c.temps);
    return texte;
}

void AppliquerCommandeJeu(const Partie& p, const CommandeJeu& c) {
    switch (c.genre) {
    case Genre::Clic:
        return DrawGridPlateauDblClick(p, c.cellule);
    case Genre::PasserAction:
        return RubriquePasserActionClick(p);
    case Genre::PasserTour:
        return RubriquePasserTourClick(p);
    case Genre::Parametres:
        return AppliquerParametres(p, c.pions, c.tours, c.temps);
    case Genre::Nouvelle:
        return RubriqueNouvelleClick(p);
    case Genre::Tic:
        if (p.Ecran.HorlogeActive()) TimerTempsTimer(p);
        return;
    }
}
