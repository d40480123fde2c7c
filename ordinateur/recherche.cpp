// The computer's search.
#include "recherche.h"

#include <algorithm>
#include <limits>

#include "rules/actions.h"
#include "rules/deroulement.h"
#include "rules/resultat.h"

// The rules' window for a look-ahead: it shows nothing.
class VueMuette : public Vue {
public:
    void AfficherPanneau(Panneau, const std::string&) override {}
    void DefinirJauge(int, int, const std::string&) override {}
    void RedessinerPlateau() override {}
    void DefinirCurseur(int) override {}
    void ActiverHorloge(bool) override {}
    bool HorlogeActive() const override { return false; }
    void Message(const std::string&, const std::string&, Icone) override {}
};

namespace {

using Etat = Recherche::Etat;
using Genre = ActionJoueur::Genre;

constexpr double Victoire = 100000;
constexpr double Infini = std::numeric_limits<double>::infinity();
// Actions looked at within one play: the pawn, its destination, the shot.
constexpr int NiveauxParCoup = 3;

int EquipeDe(const Etat& s) {
    return s.jeu.JoueurCourant & 1;
}

// One play's occupation points for team t, net of the other team's, with the puck-pawn on row l.
double GainLigne(int t, int ligne) {
    return PointsOccupation(t, ligne) - PointsOccupation(t ^ 1, ligne);
}

double Materiel(const Etat& s, int t, double valeurBut) {
    const joueur& a = s.joueurs[t];
    const joueur& b = s.joueurs[t ^ 1];
    return valeurBut * (a.Buts - b.Buts) + (a.Occupation - b.Occupation);
}

double Terminal(const Etat& s, int t, double valeurBut) {
    const int v = Vainqueur(s.joueurs);
    const int signe = v < 0 ? 0 : (v == t ? 1 : -1);
    return signe * Victoire + Materiel(s, t, valeurBut);
}

// Whether the play ends with this action: a pawn placed, a shot made or given up, a turn passed.
bool FinDuCoup(const Etat& avant, const ActionJoueur& a, const Etat& apres) {
    return avant.jeu.Action == acPlacement || avant.jeu.Action == acTir ||
           a.genre == Genre::PasserTour || apres.jeu.FinDeJeu;
}

// The team that plays next once any placement phase under way is over: the one that began it,
// as ChangerJoueur and ConclurePlacement hand over, pawn by pawn, then to the first placer.
int ProchainAJouer(const Etat& s) {
    const int t = EquipeDe(s);
    if (s.jeu.Action != acPlacement) return t;
    return s.joueurs[t].NbPionsPlaces == s.joueurs[t ^ 1].NbPionsPlaces ? t : t ^ 1;
}

ActionJoueur Clic(CaseJouable c) {
    return {Genre::Clic, position(c.Colonne, c.Ligne)};
}

} // namespace

Reglages ReglagesDuNiveau(Niveau niveau) {
    switch (niveau) {
    case Niveau::Debutant:
        return {.profondeurMax = 1, .potentiels = false, .budget = 0, .bruit = 3.0};
    case Niveau::Amateur:
        return {.profondeurMax = 1, .potentiels = true, .budget = 0, .bruit = 0.5};
    case Niveau::Expert:
        return {.profondeurMax = 3, .potentiels = true, .budget = 250000, .bruit = 0.2};
    }
    return {};
}

Recherche::Recherche(Reglages reglages, std::uint32_t graine)
    : reglages_(reglages), hasard_(graine), brouillon_(std::make_unique<jeu>()),
      vue_(std::make_unique<VueMuette>()),
      listes_(static_cast<std::size_t>(NiveauxParCoup * (reglages.profondeurMax + 2))) {
    // A play has at most a few thousand variants: the list is made once.
    racine_.reserve(4096);
}

Recherche::~Recherche() = default;

bool Recherche::Interrompue() {
    if (reglages_.budget > 0 && essais_ > reglages_.budget) epuise_ = true;
    return epuise_ || (arret_ && arret_->load(std::memory_order_relaxed));
}

Etat Recherche::Appliquer(const Etat& s, const ActionJoueur& action) {
    ++essais_;
    brouillon_->DefinirEtat(s.jeu);
    Etat t{{}, s.joueurs};
    Executer(Partie{*brouillon_, t.joueurs, *vue_}, action);
    t.jeu = brouillon_->Etat();
    return t;
}

// Tries every variant of the play of the team to play, action by action through the rules, and
// hands each finished one to visite(first action, position after it); stops when visite says so.
// Equivalent variants are tried once: a turn passed is a move and a shot given up, and a chosen
// pawn given up is no move. Likely strong variants come first, so that alpha-beta cuts early.
template <class Visite>
bool Recherche::Developper(const Etat& s, const ActionJoueur* premiere, int niveau,
                           Visite& visite) {
    ActionsLegales& l = listes_[static_cast<std::size_t>(niveau)];
    brouillon_->DefinirEtat(s.jeu);
    ListerActionsLegales(*brouillon_, l);
    const auto essayer = [&](const ActionJoueur& a) {
        const Etat t = Appliquer(s, a);
        const ActionJoueur& debut = premiere ? *premiere : a;
        if (FinDuCoup(s, a, t)) return visite(debut, t);
        return Developper(t, &debut, niveau + 1, visite);
    };
    const int action = s.jeu.Action;
    const bool passer = l.PasserAction && (action != acDeplacement2 || premiere == nullptr);
    if (passer && action == acDeplacement1 && !essayer({Genre::PasserAction, {}})) return false;
    for (const bool buts : {true, false}) {
        for (int i = 0; i < l.Nombre; ++i) {
            const CaseJouable c = l.Cases[static_cast<std::size_t>(i)];
            if ((c.But != 0) == buts && !essayer(Clic(c))) return false;
        }
    }
    if (passer && action != acDeplacement1) return essayer({Genre::PasserAction, {}});
    return true;
}

// The best net gain of a shot that team t could make now, without a move, or of letting the
// play end where the puck-pawn stands.
double Recherche::Potentiel(const Etat& s, int t) {
    ++essais_;
    jeu& j = *brouillon_;
    j.DefinirEtat(s.jeu);
    j.JoueurCourant = static_cast<std::int8_t>(t);
    j.Action = acTir;
    j.OublierPionDeplace();
    double meilleur = GainLigne(t, j.LignePalet);
    for (int c = 0; c < NbColonnes; ++c) {
        for (int l = 0; l < NbLignes; ++l) {
            // Only the team's own pawns can shoot: VerifierTir's first check, spared the other
            // cells.
            if (j.Case(c, l) != t + 1) continue;
            const VerdictTir v = VerifierTir(j, c, l);
            if (v.refus != Refus::Aucun) continue;
            meilleur = std::max(meilleur, v.But ? reglages_.valeurBut + PointsParCoup
                                                : GainLigne(t, v.Futur.Ligne));
        }
    }
    return meilleur;
}

// A position judged for team x without looking further: the score, and the shots the team about
// to play and its opponent could make.
double Recherche::Statique(const Etat& s, int x) {
    if (s.jeu.FinDeJeu) return Terminal(s, x, reglages_.valeurBut);
    const double materiel = Materiel(s, x, reglages_.valeurBut);
    if (!reglages_.potentiels) return materiel;
    const int trait = ProchainAJouer(s);
    const double menace = reglages_.poidsTrait * Potentiel(s, trait) -
                          reglages_.poidsReplique * Potentiel(s, trait ^ 1);
    return materiel + (trait == x ? menace : -menace);
}

// The value of the position for its team to play, its plays searched this many plays deep.
double Recherche::Valeur(const Etat& s, int profondeur, double alpha, double beta) {
    const int x = EquipeDe(s);
    if (s.jeu.FinDeJeu || profondeur == 0 || Interrompue()) return Statique(s, x);
    double meilleure = -Infini;
    auto visite = [&](const ActionJoueur&, const Etat& t) {
        const double v = EquipeDe(t) == x ? Valeur(t, profondeur - 1, alpha, beta)
                                          : -Valeur(t, profondeur - 1, -beta, -alpha);
        meilleure = std::max(meilleure, v);
        alpha = std::max(alpha, v);
        return alpha < beta && !Interrompue();
    };
    Developper(s, nullptr, NiveauxParCoup * profondeur, visite);
    return meilleure == -Infini ? Statique(s, x) : meilleure;
}

double Recherche::ValeurApres(const Candidat& c, int x, int profondeur, double alpha) {
    if (EquipeDe(c.apres) == x) return Valeur(c.apres, profondeur, alpha, Infini);
    return -Valeur(c.apres, profondeur, -Infini, -alpha);
}

void Recherche::ListerRacine(const Etat& racine) {
    racine_.clear();
    auto visite = [&](const ActionJoueur& premiere, const Etat& apres) {
        const double bruit = reglages_.bruit * (static_cast<double>(hasard_()) / 4294967296.0);
        racine_.push_back({premiere, apres, bruit, 0});
        return true;
    };
    Developper(racine, nullptr, NiveauxParCoup * (reglages_.profondeurMax + 1), visite);
}

std::optional<ActionJoueur> Recherche::Choisir(const jeu& j, const Equipes& joueurs,
                                               const std::atomic<bool>* arret) {
    arret_ = arret;
    essais_ = 0;
    epuise_ = false;
    const Etat racine{j.Etat(), joueurs};
    const int x = EquipeDe(racine);
    ListerRacine(racine);
    if (racine_.empty()) return std::nullopt;
    for (Candidat& c : racine_) c.valeur = ValeurApres(c, x, 0, -Infini) + c.bruit;
    for (int profondeur = 1; profondeur < reglages_.profondeurMax && !Interrompue(); ++profondeur) {
        // The best plays so far are searched first: alpha-beta then cuts the most.
        std::stable_sort(racine_.begin(), racine_.end(),
                         [](const Candidat& a, const Candidat& b) { return a.valeur > b.valeur; });
        double alpha = -Infini;
        std::size_t faits = 0;
        for (; faits < racine_.size(); ++faits) {
            Candidat& c = racine_[faits];
            const double v = ValeurApres(c, x, profondeur, alpha - c.bruit) + c.bruit;
            if (Interrompue()) break;
            c.valeur = v;
            alpha = std::max(alpha, v);
        }
        // A deeper search cut short still speaks for the plays it finished, the best of the
        // shallower one first among them; the others keep no place in the choice.
        if (faits < racine_.size()) {
            if (faits == 0) break;
            racine_.resize(faits);
        }
    }
    if (arret_ && arret_->load()) return std::nullopt;
    const auto meilleur =
        std::max_element(racine_.begin(), racine_.end(),
                         [](const Candidat& a, const Candidat& b) { return a.valeur < b.valeur; });
    return meilleur->premiere;
}
