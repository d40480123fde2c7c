// The computer's search: every variant of the play of the team to play, tried through the rules on
// copies of the records, the replies searched with alpha-beta over whole plays, deepened while a
// budget of tries allows. The budget counts tries, not time, so that a seed always gives the same
// choices. The chosen play is kept and played out action by action.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <stop_token>
#include <vector>

#include "noeud.h"
#include "reglages.h"
#include "table.h"

class Recherche {
public:
    Recherche(const Reglages& reglages, std::uint32_t graine);
    ~Recherche();
    Recherche(const Recherche&) = delete;
    Recherche& operator=(const Recherche&) = delete;

    std::optional<ActionJoueur> Choisir(const jeu& j, const Equipes& joueurs,
                                        std::stop_token arret);
    long long Essais() const { return essais_; }
    int Profondeur() const { return profondeur_; }

private:
    // A play from a node: its actions, where they lead, and the order or value it is given.
    struct Enfant {
        Variante variante;
        Noeud noeud;
        double cle = 0;
    };
    // The plays of the nodes of one depth, listed once; their order of search by index.
    struct Enfants {
        std::vector<Enfant> liste;
        std::vector<std::uint16_t> ordre;
        int nombre = 0;

        // Orders them by key, the higher first, equal keys in the order they were listed.
        void Trier();
    };

    // The play chosen at its first action, and where its next action is expected to be played.
    struct Plan {
        Variante variante;
        int suivante = 0;
        Noeud attendu;
    };

    bool Interrompue();
    Noeud Appliquer(const Noeud& s, const ActionJoueur& action, int ply, bool* finDuCoup = nullptr);
    void Developper(const Noeud& s, int ply, const Variante* conseil);
    template <class Visite>
    bool Parcourir(const Noeud& s, int ply, int etape, const Variante& variante, Visite& visite);
    void Ordonner(const Noeud& s, int ply, const Variante* conseil);
    double Valeur(const Noeud& s, int ply, int profondeur, double alpha, double beta);
    double ValeurFrontiere(const Noeud& s, int ply, double alpha, double beta);
    // x: the team the value is for.
    double ValeurDe(const Noeud& n, int x, int ply, int profondeur, double alpha, double beta);
    double Essayer(const Noeud& n, int x, int ply, int profondeur, double alpha, double beta,
                   bool premier);
    void Approfondir(const Noeud& racine);
    std::optional<ActionJoueur> SuivrePlan(const jeu& j, const Equipes& joueurs);
    ActionJoueur Planifier(const Noeud& racine, const Variante& variante);
    void Retenir(int ply, const Variante& variante);

    // The judgement of a position without looking further (evaluation.cpp).
    double Statique(const Noeud& n, int x);
    double Potentiel(int t);

    Reglages reglages_;
    // The ply past the deepest search: a goal's worth for coming soon counts down to it.
    int horizon_;
    std::mt19937 hasard_;
    // Scratch records the rules act on; their history is written and never read.
    std::unique_ptr<jeu> brouillon_;
    std::unique_ptr<class VueMuette> vue_;
    TableTransposition table_;
    // Per depth below the root: the rules' lists for each action of a play, and the plays.
    std::vector<std::array<ActionsLegales, ActionsParCoup>> listes_;
    std::vector<Enfants> enfants_;
    // Per depth, the two latest plays that cut there (killer plays).
    std::vector<std::array<Variante, 2>> tueurs_;
    std::vector<double> bruits_;
    // The judgement's list of shots.
    ActionsLegales tirs_;
    Plan plan_;
    std::stop_token arret_;
    long long essais_ = 0;
    bool epuise_ = false;
    int profondeur_ = 0;
};
