// The computer's search: the plays of the team to play, each tried through the rules on copies of
// the records, the opponent's replies searched with alpha-beta, deepened while a budget of tries
// allows. The budget counts tries, not time, so that a seed always gives the same choices.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "ordinateur.h"
#include "rules/legales.h"

struct Reglages {
    // Plays looked ahead, the computer's own included; deepened one by one up to this.
    int profondeurMax = 1;
    // Whether a position is judged by the shots each team could make from it, or by the score.
    bool potentiels = false;
    // Tries allowed for one choice; a deeper search that would not fit is not started.
    long long budget = 0;
    // Amplitude of the random part of each root play's value: variety among near-equal plays.
    double bruit = 0;
    // A goal against one play's occupation points (at most 8 net): a goal decides the game, where
    // occupation points only decide between teams level on goals.
    double valeurBut = 40;
    // The weight of the best shot of the team about to play, and of its opponent's after it.
    double poidsTrait = 0.9;
    double poidsReplique = 0.5;
};

Reglages ReglagesDuNiveau(Niveau niveau);

class Recherche {
public:
    Recherche(Reglages reglages, std::uint32_t graine);
    ~Recherche();

    std::optional<ActionJoueur> Choisir(const jeu& j, const Equipes& joueurs,
                                        const std::atomic<bool>* arret);
    long long Essais() const { return essais_; }

    // A position as the rules see it: everything but the history.
    struct Etat {
        EtatJeu jeu;
        Equipes joueurs;
    };
    // A play of the team to play from the root: its first action, where it leads, its values.
    struct Candidat {
        ActionJoueur premiere;
        Etat apres;
        double bruit;
        double valeur;
    };

private:
    template <class Visite>
    bool Developper(const Etat& s, const ActionJoueur* premiere, int niveau, Visite& visite);
    Etat Appliquer(const Etat& s, const ActionJoueur& action);
    double Valeur(const Etat& s, int profondeur, double alpha, double beta);
    double ValeurApres(const Candidat& c, int x, int profondeur, double alpha);
    double Statique(const Etat& s, int x);
    double Potentiel(const Etat& s, int t);
    bool Interrompue();
    void ListerRacine(const Etat& racine);

    Reglages reglages_;
    std::mt19937 hasard_;
    // Scratch records the rules act on; their history is written and never read.
    std::unique_ptr<jeu> brouillon_;
    std::unique_ptr<class VueMuette> vue_;
    std::vector<ActionsLegales> listes_;
    std::vector<Candidat> racine_;
    const std::atomic<bool>* arret_ = nullptr;
    long long essais_ = 0;
    bool epuise_ = false;
};
