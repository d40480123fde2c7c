// The computer's search.
#include "recherche.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "rules/deroulement.h"

// The rules' window for a look-ahead: it shows nothing, and tells the rules so, which then make
// no text at all.
class VueMuette : public Vue {
public:
    void AfficherPanneau(Panneau, const std::string&) override {}
    void DefinirJauge(int, int, const std::string&) override {}
    void RedessinerPlateau() override {}
    void DefinirCurseur(int) override {}
    void ActiverHorloge(bool) override {}
    bool HorlogeActive() const override { return false; }
    void Message(const std::string&, const std::string&, Icone) override {}
    bool Muette() const override { return true; }
};

namespace {

constexpr double Infini = std::numeric_limits<double>::infinity();
// The width of a null window: far below any difference the judgement makes between positions.
constexpr double Fenetre = 1e-6;
// The most plays one position has: seven pawns, each with 24 destinations and then seven shots,
// and the skips. A play beyond this room is not tried.
constexpr int MaxVariantes = 2048;
// Order of the plays: the one a former search found best, then goals, then by what they gain.
constexpr double CleConseil = 1e9;
constexpr double CleBut = 1e6;
constexpr double CleTueur = 1e5;
// The transposition table: 4 MiB, room for the positions of the largest budgets; a search one
// play deep never reaches it.
constexpr int BitsTable = 17;
constexpr int BitsTableSansRecherche = 4;

// Goals first, then the shots by the occupation points they take for team t; equal ones in the
// order of the cells.
void OrdonnerTirs(ActionsLegales& l, int t) {
    const auto cle = [t](const CaseJouable& c) {
        const double valeur = c.But ? CleBut : PointsOccupation(t, c.LignePalet);
        return std::pair(-valeur, jeu::Index(c.Colonne, c.Ligne));
    };
    std::sort(l.Cases.begin(), l.Cases.begin() + l.Nombre,
              [&](const CaseJouable& a, const CaseJouable& b) { return cle(a) < cle(b); });
}

// How far a placement's cell is from the puck-pawn, in moves of a king.
int DistanceAuPalet(const EtatJeu& e, const Variante& placement) {
    const position p = Decoder(placement.codes[0]).cellule;
    return std::max(std::abs(p.Colonne - e.ColonnePalet), std::abs(p.Ligne - e.LignePalet));
}

} // namespace

Reglages ReglagesDuNiveau(Niveau niveau) {
    switch (niveau) {
    case Niveau::Debutant:
        return {.bruit = 3.0};
    case Niveau::Amateur:
        return {.bruit = 0.5, .potentiels = true};
    case Niveau::Expert:
        return {.profondeurPlacement = 5,
                .profondeurJeu = 4,
                .budget = 1000000,
                .bruit = 0.2,
                .potentiels = true};
    case Niveau::Maitre:
        // The team about to play takes at least its best shot: the Maître counts it whole. Among
        // placements it judges equal, it takes the cell nearest the puck-pawn.
        return {.profondeurPlacement = 5,
                .profondeurJeu = 4,
                .budget = 3000000,
                .bruit = 0.2,
                .departage = 0.02,
                .potentiels = true,
                .poidsTrait = 1.0};
    }
    return {};
}

Recherche::Recherche(const Reglages& reglages, std::uint32_t graine)
    : reglages_(reglages),
      horizon_(std::max(reglages.profondeurPlacement, reglages.profondeurJeu) + 1), hasard_(graine),
      brouillon_(std::make_unique<jeu>()), vue_(std::make_unique<VueMuette>()),
      table_(horizon_ > 2 ? BitsTable : BitsTableSansRecherche),
      listes_(static_cast<std::size_t>(horizon_)), enfants_(static_cast<std::size_t>(horizon_)),
      tueurs_(static_cast<std::size_t>(horizon_)), bruits_(MaxVariantes) {
    for (Enfants& e : enfants_) {
        e.liste.resize(MaxVariantes);
        e.ordre.resize(MaxVariantes);
    }
}

Recherche::~Recherche() = default;

bool Recherche::Interrompue() {
    if (reglages_.budget > 0 && essais_ > reglages_.budget) epuise_ = true;
    return epuise_ || arret_.stop_requested();
}

Noeud Recherche::Appliquer(const Noeud& s, const ActionJoueur& action, int ply, bool* finDuCoup) {
    ++essais_;
    brouillon_->DefinirEtat(s.jeu);
    if (finDuCoup) *finDuCoup = FinitLeCoup(*brouillon_, action);
    Noeud t{{}, s.joueurs, s.avance};
    Executer(Partie{*brouillon_, t.joueurs, *vue_}, action);
    t.jeu = brouillon_->Etat();
    for (int e = 0; e < 2; ++e) {
        if (t.joueurs[e].Buts == s.joueurs[e].Buts) continue;
        const double avance = reglages_.avanceBut * (horizon_ - ply);
        t.avance += e == Bleus ? avance : -avance;
    }
    return t;
}

// Hands every variant of the play under way from this action on to visite(variante, position
// after it), through the rules' own lists and their answer to when the play ends; stops when
// visite says so. Shots come goals first, then by where they send the puck-pawn.
template <class Visite>
bool Recherche::Parcourir(const Noeud& s, int ply, int etape, const Variante& variante,
                          Visite& visite) {
    // A rule that made a play longer than this would leave it out: the count table shows it.
    if (etape >= ActionsParCoup) return true;
    ActionsLegales& l = listes_[static_cast<std::size_t>(ply)][static_cast<std::size_t>(etape)];
    brouillon_->DefinirEtat(s.jeu);
    ListerVariantes(*brouillon_, etape > 0, l);
    if (s.jeu.Action == acTir) OrdonnerTirs(l, EquipeDe(s));
    const auto essayer = [&](const ActionJoueur& a) {
        bool fin = false;
        const Noeud t = Appliquer(s, a, ply + 1, &fin);
        Variante suite = variante;
        suite.codes[static_cast<std::size_t>(etape)] = Coder(a);
        suite.nombre = static_cast<std::uint8_t>(etape + 1);
        return fin ? visite(suite, t) : Parcourir(t, ply, etape + 1, suite, visite);
    };
    if (l.PasserAction && !essayer({ActionJoueur::Genre::PasserAction, {}})) return false;
    for (int i = 0; i < l.Nombre; ++i) {
        const CaseJouable c = l.Cases[static_cast<std::size_t>(i)];
        if (!essayer({ActionJoueur::Genre::Clic, position(c.Colonne, c.Ligne)})) return false;
    }
    return !l.PasserTour || essayer({ActionJoueur::Genre::PasserTour, {}});
}

// Likely strong plays first, so that alpha-beta cuts early: the one a former search found best
// here, goals, then by the occupation points the play takes; placements nearest the puck-pawn.
void Recherche::Ordonner(const Noeud& s, int ply, const Variante* conseil) {
    Enfants& e = enfants_[static_cast<std::size_t>(ply)];
    const int x = EquipeDe(s);
    for (int i = 0; i < e.nombre; ++i) {
        Enfant& c = e.liste[static_cast<std::size_t>(i)];
        const EtatJeu& apres = c.noeud.jeu;
        if (conseil && c.variante == *conseil) {
            c.cle = CleConseil;
        } else if (c.noeud.joueurs[x].Buts > s.joueurs[x].Buts) {
            c.cle = CleBut;
        } else if (c.variante == tueurs_[static_cast<std::size_t>(ply)][0]) {
            c.cle = CleTueur + 1;
        } else if (c.variante == tueurs_[static_cast<std::size_t>(ply)][1]) {
            c.cle = CleTueur;
        } else if (s.jeu.Action == acPlacement) {
            c.cle = -DistanceAuPalet(s.jeu, c.variante);
        } else {
            c.cle =
                PointsOccupation(x, apres.LignePalet) - PointsOccupation(x ^ 1, apres.LignePalet);
        }
        e.ordre[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i);
    }
    e.Trier();
}

void Recherche::Enfants::Trier() {
    std::sort(ordre.begin(), ordre.begin() + nombre, [&](std::uint16_t a, std::uint16_t b) {
        const double ca = liste[a].cle, cb = liste[b].cle;
        return ca != cb ? ca > cb : a < b;
    });
}

void Recherche::Developper(const Noeud& s, int ply, const Variante* conseil) {
    Enfants& e = enfants_[static_cast<std::size_t>(ply)];
    e.nombre = 0;
    auto ranger = [&](const Variante& v, const Noeud& t) {
        if (e.nombre < MaxVariantes) e.liste[static_cast<std::size_t>(e.nombre++)] = {v, t, 0};
        return true;
    };
    Parcourir(s, ply, 0, {}, ranger);
    Ordonner(s, ply, conseil);
}

// A node one play above the horizon: its plays judged as they come, with no table and no list,
// until one is too good for the opponent to allow.
double Recherche::ValeurFrontiere(const Noeud& s, int ply, double alpha, double beta) {
    const int x = EquipeDe(s);
    double meilleure = -Infini;
    auto juger = [&](const Variante&, const Noeud& t) {
        const double v = ValeurDe(t, x, ply + 1, 0, alpha, beta);
        meilleure = std::max(meilleure, v);
        alpha = std::max(alpha, v);
        return alpha < beta && !Interrompue();
    };
    Parcourir(s, ply, 0, {}, juger);
    return meilleure == -Infini ? Statique(s, x) : meilleure;
}

double Recherche::ValeurDe(const Noeud& n, int x, int ply, int profondeur, double alpha,
                           double beta) {
    if (EquipeDe(n) == x) return Valeur(n, ply, profondeur, alpha, beta);
    return -Valeur(n, ply, profondeur, -beta, -alpha);
}

// The value of a play for team x: the first of a node searched with the whole window, the others
// first with a null one, which only asks whether they do better (principal variation search).
double Recherche::Essayer(const Noeud& n, int x, int ply, int profondeur, double alpha, double beta,
                          bool premier) {
    if (premier || profondeur == 0) return ValeurDe(n, x, ply, profondeur, alpha, beta);
    const double v = ValeurDe(n, x, ply, profondeur, alpha, alpha + Fenetre);
    if (v <= alpha || v >= beta || Interrompue()) return v;
    return ValeurDe(n, x, ply, profondeur, alpha, beta);
}

// The value of the position for its team to play, its plays searched this many plays deep.
double Recherche::Valeur(const Noeud& s, int ply, int profondeur, double alpha, double beta) {
    const int x = EquipeDe(s);
    if (s.jeu.FinDeJeu || profondeur == 0 || Interrompue() || ply >= horizon_ - 1)
        return Statique(s, x);
    if (profondeur == 1) return ValeurFrontiere(s, ply, alpha, beta);
    const std::uint64_t empreinte = Empreinte(s, ply);
    const EntreeTable* connue = table_.Trouver(empreinte);
    if (connue && connue->profondeur >= profondeur) {
        if (connue->borne == EntreeTable::Exacte) return connue->valeur;
        if (connue->borne == EntreeTable::Minimum && connue->valeur >= beta) return connue->valeur;
        if (connue->borne == EntreeTable::Maximum && connue->valeur <= alpha) return connue->valeur;
    }
    Developper(s, ply, connue ? &connue->meilleure : nullptr);
    const Enfants& e = enfants_[static_cast<std::size_t>(ply)];
    if (e.nombre == 0) return Statique(s, x);
    const double alphaInitial = alpha;
    double meilleure = -Infini;
    Variante choisie;
    for (int k = 0; k < e.nombre; ++k) {
        const Enfant& c = e.liste[e.ordre[static_cast<std::size_t>(k)]];
        const double v = Essayer(c.noeud, x, ply + 1, profondeur - 1, alpha, beta, k == 0);
        if (Interrompue()) return std::max(meilleure, v);
        if (v > meilleure) {
            meilleure = v;
            choisie = c.variante;
        }
        alpha = std::max(alpha, v);
        if (alpha >= beta) {
            if (c.cle < CleBut) Retenir(ply, c.variante);
            break;
        }
    }
    const EntreeTable::Borne borne = meilleure <= alphaInitial ? EntreeTable::Maximum
                                     : meilleure >= beta       ? EntreeTable::Minimum
                                                               : EntreeTable::Exacte;
    table_.Ranger({empreinte, meilleure, 0, static_cast<std::int8_t>(profondeur), borne, choisie});
    return meilleure;
}

// Deepens the search of the root's plays one play at a time while the budget allows; the best
// plays so far are searched first, where alpha-beta then cuts the most. A deeper search cut short
// still speaks for the plays it finished; the others keep no place in the choice.
void Recherche::Approfondir(const Noeud& racine) {
    Enfants& e = enfants_[0];
    const int x = EquipeDe(racine);
    const int profondeurMax =
        racine.jeu.Action == acPlacement ? reglages_.profondeurPlacement : reglages_.profondeurJeu;
    profondeur_ = 1;
    for (int profondeur = 1; profondeur < profondeurMax && !Interrompue(); ++profondeur) {
        e.Trier();
        double alpha = -Infini;
        int faits = 0;
        for (; faits < e.nombre; ++faits) {
            const std::uint16_t i = e.ordre[static_cast<std::size_t>(faits)];
            Enfant& c = e.liste[i];
            const double bruit = bruits_[i];
            const double v =
                Essayer(c.noeud, x, 1, profondeur, alpha - bruit, Infini, faits == 0) + bruit;
            if (Interrompue()) break;
            c.cle = v;
            alpha = std::max(alpha, v);
        }
        if (faits == 0) break;
        for (int k = faits; k < e.nombre; ++k)
            e.liste[e.ordre[static_cast<std::size_t>(k)]].cle = -Infini;
        if (faits == e.nombre) profondeur_ = profondeur + 1;
    }
}

// A play that cut at this depth: tried early at its siblings, where it often cuts again.
void Recherche::Retenir(int ply, const Variante& variante) {
    auto& tueurs = tueurs_[static_cast<std::size_t>(ply)];
    if (tueurs[0] == variante) return;
    tueurs[1] = tueurs[0];
    tueurs[0] = variante;
}

ActionJoueur Recherche::Planifier(const Noeud& racine, const Variante& variante) {
    ActionJoueur premiere = Decoder(variante.codes[0]);
    plan_ = {variante, 1, Appliquer(racine, premiere, 1)};
    return premiere;
}

std::optional<ActionJoueur> Recherche::SuivrePlan(const jeu& j, const Equipes& joueurs) {
    if (plan_.suivante == 0 || plan_.suivante >= plan_.variante.nombre) return std::nullopt;
    if (!MemePosition(j.Etat(), joueurs, plan_.attendu.jeu, plan_.attendu.joueurs))
        return std::nullopt;
    const ActionJoueur a =
        Decoder(plan_.variante.codes[static_cast<std::size_t>(plan_.suivante++)]);
    plan_.attendu = Appliquer({j.Etat(), joueurs, 0}, a, 1);
    return a;
}

std::optional<ActionJoueur> Recherche::Choisir(const jeu& j, const Equipes& joueurs,
                                               std::stop_token arret) {
    arret_ = std::move(arret);
    essais_ = 0;
    epuise_ = false;
    profondeur_ = 0;
    if (reglages_.plan)
        if (auto suite = SuivrePlan(j, joueurs)) return suite;
    plan_ = {};
    table_.Oublier();
    for (auto& tueurs : tueurs_) tueurs = {};
    const Noeud racine{j.Etat(), joueurs, 0};
    const int x = EquipeDe(racine);
    Developper(racine, 0, nullptr);
    Enfants& e = enfants_[0];
    if (e.nombre == 0) return std::nullopt;
    for (int i = 0; i < e.nombre; ++i) {
        const auto k = static_cast<std::size_t>(i);
        bruits_[k] = reglages_.bruit * (static_cast<double>(hasard_()) / 4294967296.0);
        if (racine.jeu.Action == acPlacement)
            bruits_[k] -= reglages_.departage * DistanceAuPalet(racine.jeu, e.liste[k].variante);
        e.liste[k].cle = ValeurDe(e.liste[k].noeud, x, 1, 0, -Infini, Infini) + bruits_[k];
    }
    Approfondir(racine);
    if (arret_.stop_requested()) return std::nullopt;
    const Enfant* meilleur = &e.liste[0];
    for (int i = 1; i < e.nombre; ++i)
        if (e.liste[static_cast<std::size_t>(i)].cle > meilleur->cle)
            meilleur = &e.liste[static_cast<std::size_t>(i)];
    return Planifier(racine, meilleur->variante);
}
