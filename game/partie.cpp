// Loading and saving a whole game, with the checks that make a foreign file harmless.
#include "partie.h"

#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file is only read: closing it cannot lose anything.
struct FermeFichier {
    void operator()(std::FILE* f) const { static_cast<void>(std::fclose(f)); }
};
using Fichier = std::unique_ptr<std::FILE, FermeFichier>;

bool PositionValide(const position& p) {
    return p.Vide() || p.SurPlateau();
}

bool CaseValide(std::uint8_t c) {
    return c == CaseVide || c <= 2;
}

bool EnPlage(std::int32_t v, std::int32_t min, std::int32_t max) {
    return v >= min && v <= max;
}

bool ParametresValides(const jeu& j) {
    return EstUnChoix(ChoixNbPions, j.NbPions) && EstUnChoix(ChoixNbTours, j.NbTours) &&
           EstUnChoix(ChoixMaxTemps, j.MaxTemps);
}

bool HistoriqueValide(const jeu& j) {
    return std::all_of(j.Coups.begin(), j.Coups.end(), [](const tour& t) {
        return std::all_of(t.Placement.begin(), t.Placement.end(), PositionValide) &&
               PositionValide(t.Deplacement[0]) && PositionValide(t.Deplacement[1]) &&
               PositionValide(t.Tir);
    });
}

bool ChampsValides(const jeu& j) {
    return ParametresValides(j) && EnPlage(j.TourCourant, 1, MaxTours) && EnPlage(j.But, 0, 2) &&
           EnPlage(j.FinDeJeu, 0, 1) && EnPlage(j.JoueurCourant, 0, 1) &&
           EnPlage(j.Action, acPlacement, acTir);
}

// One puck-pawn, where its cell says, between the goal lines; none only once a goal has ended the
// game.
bool PlateauValide(const jeu& j) {
    if (!std::all_of(j.Cases.begin(), j.Cases.end(), CaseValide)) return false;
    if (!EnPlage(j.ColonnePalet, 0, NbColonnes - 1) || !EnPlage(j.LignePalet, 1, NbLignes - 2))
        return false;
    const auto palets = std::count(j.Cases.begin(), j.Cases.end(), CasePalet);
    if (j.FinDeJeu && j.But != 0) return palets == 0;
    return j.But == 0 && palets == 1 && j.Case(j.ColonnePalet, j.LignePalet) == CasePalet;
}

// The moved pawn is none or a pawn of the team to play, and the destination step has one
// (a game that ended with the time of such a step keeps the step, without the pawn).
bool PionDeplaceValide(const jeu& j) {
    const position pion(j.ColonnePionDeplace, j.LignePionDeplace);
    if (pion.Vide()) return j.Action != acDeplacement2 || j.FinDeJeu;
    return pion.SurPlateau() && j.Case(pion.Colonne, pion.Ligne) == j.JoueurCourant + 1;
}

// Pawns leave the board only all together, when a placement phase begins and the counts of pawns
// placed go back to zero: each team has on the board exactly the pawns it placed in the current
// phase. Once the phase is over both teams have placed as many; during it, the team to play still
// has a slot for its next pawn.
bool PionsValides(const jeu& j, const Equipes& joueurs) {
    for (int e : {Bleus, Rouges}) {
        const auto pions = std::count(j.Cases.begin(), j.Cases.end(), e + 1);
        if (pions != joueurs[e].NbPionsPlaces) return false;
    }
    if (j.Action == acPlacement) return joueurs[j.JoueurCourant].NbPionsPlaces < MaxPions;
    return joueurs[Bleus].NbPionsPlaces == joueurs[Rouges].NbPionsPlaces &&
           joueurs[Bleus].NbPionsPlaces > 0;
}

// Every phase starts with even play counts, and each hand-over adds one to the team that hands
// over, so the team to play has handed over as often as the other (it opens the turn, or places
// the same pawn number) or once less (it plays second, or places second). In a placement phase
// every hand-over so far was a pawn placed.
int Retard(const jeu& j, const Equipes& joueurs) {
    const int t = j.JoueurCourant;
    return joueurs[t ^ 1].NbCoups - joueurs[t].NbCoups;
}

bool MainValide(const jeu& j, const Equipes& joueurs) {
    const int retard = Retard(j, joueurs);
    if (retard != 0 && retard != 1) return false;
    const int t = j.JoueurCourant;
    return j.Action != acPlacement ||
           retard == joueurs[t ^ 1].NbPionsPlaces - joueurs[t].NbPionsPlaces;
}

// The most a counter can still grow before the game ends. Each play left gives at most ten
// occupation points, one goal, one hand-over; each pawn left to place in this phase one hand-over;
// each turn after this one at most a placement phase of both teams and the evening of the counts.
// Every event of the rules lowers this bound by at least what it adds to any counter, so a game
// whose counters are within the cap with this margin stays within it to its end.
std::int32_t CroissanceRestante(const jeu& j, const Equipes& joueurs) {
    if (j.FinDeJeu) return 0;
    const int toursApres = MaxTours - j.TourCourant;
    int coupsDuTour = 2;
    int pionsAPlacer = 0;
    if (j.Action == acPlacement)
        pionsAPlacer = 2 * MaxPions - joueurs[Bleus].NbPionsPlaces - joueurs[Rouges].NbPionsPlaces;
    else
        coupsDuTour -= Retard(j, joueurs);
    const int coupsRestants = coupsDuTour + 2 * toursApres;
    return 10 * coupsRestants + (2 * MaxPions + 1) * toursApres + pionsAPlacer;
}

constexpr std::int32_t Plafond = 1000000;

bool CompteursEnPlage(const Equipes& joueurs) {
    return std::all_of(joueurs.begin(), joueurs.end(), [](const joueur& e) {
        return EnPlage(e.NbPionsPlaces, 0, MaxPions) && EnPlage(e.NbCoups, 0, Plafond) &&
               EnPlage(e.Buts, 0, Plafond) && EnPlage(e.Occupation, 0, Plafond);
    });
}

bool CompteursSousLePlafond(const jeu& j, const Equipes& joueurs) {
    const std::int32_t limite = Plafond - CroissanceRestante(j, joueurs);
    return std::all_of(joueurs.begin(), joueurs.end(), [limite](const joueur& e) {
        return e.NbCoups <= limite && e.Buts <= limite && e.Occupation <= limite;
    });
}

} // namespace

int LirePartie(std::FILE* f, jeu& j, Equipes& joueurs) {
    return j.Lire(f) && joueurs[Bleus].Lire(f) && joueurs[Rouges].Lire(f);
}

int EcrirePartie(std::FILE* f, const jeu& j, const Equipes& joueurs) {
    return j.Ecrire(f) && joueurs[Bleus].Ecrire(f) && joueurs[Rouges].Ecrire(f);
}

bool PartieValide(const jeu& j, const Equipes& joueurs) {
    // The field ranges first: the other checks use them as indexes and in differences.
    return ChampsValides(j) && CompteursEnPlage(joueurs) && HistoriqueValide(j) &&
           PlateauValide(j) && PionDeplaceValide(j) && PionsValides(j, joueurs) &&
           MainValide(j, joueurs) && CompteursSousLePlafond(j, joueurs);
}

static Chargement ChargerDepuis(std::FILE* f, jeu& j, Equipes& joueurs) {
    // The records are large; the scratch copy lives on the heap, once per load.
    auto brouillon = std::make_unique<jeu>();
    Equipes equipes;
    if (!LirePartie(f, *brouillon, equipes) || !PartieValide(*brouillon, equipes))
        return Chargement::Donnees;
    j = *brouillon;
    joueurs = equipes;
    return Chargement::Reussi;
}

// Opens a regular file for reading. A folder, a device or a pipe "cannot be opened": a pipe is
// opened without waiting for a writer, then refused.
static Fichier OuvrirFichierOrdinaire(const std::string& chemin) {
    const int descripteur = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descripteur < 0) return nullptr;
    struct stat etat {};
    if (::fstat(descripteur, &etat) != 0 || !S_ISREG(etat.st_mode) ||
        ::fcntl(descripteur, F_SETFL, 0) != 0) {
        const int raison =
            !S_ISREG(etat.st_mode) ? (S_ISDIR(etat.st_mode) ? EISDIR : ENODEV) : errno;
        ::close(descripteur);
        // The reason is shown to the player: the one that refused the file, not close()'s.
        errno = raison;
        return nullptr;
    }
    Fichier f(::fdopen(descripteur, "rb"));
    if (!f) ::close(descripteur);
    return f;
}

Chargement ChargerPartie(const std::string& chemin, jeu& j, Equipes& joueurs) {
    const Fichier f = OuvrirFichierOrdinaire(chemin);
    if (!f) return Chargement::Introuvable;
    return ChargerDepuis(f.get(), j, joueurs);
}

Chargement ChargerPartie(const std::uint8_t* donnees, std::size_t taille, jeu& j,
                         Equipes& joueurs) {
    if (taille < TaillePartie) return Chargement::Donnees;
    // fmemopen reads the same way a file does, so memory input takes the very same path.
    const Fichier f(fmemopen(const_cast<std::uint8_t*>(donnees), taille, "rb"));
    if (!f) return Chargement::Donnees;
    return ChargerDepuis(f.get(), j, joueurs);
}

std::vector<std::uint8_t> OctetsPartie(const jeu& j, const Equipes& joueurs) {
    std::vector<std::uint8_t> octets(TaillePartie);
    // fmemopen writes the way a file is written, so the bytes are those of a save.
    const Fichier f(fmemopen(octets.data(), octets.size(), "wb"));
    if (!f || !EcrirePartie(f.get(), j, joueurs) || std::fflush(f.get()) != 0 ||
        std::ftell(f.get()) != static_cast<long>(TaillePartie))
        return {};
    return octets;
}

Sauvegarde SauvegarderPartie(const std::string& chemin, const jeu& j, const Equipes& joueurs) {
    return RemplacerFichier(chemin, [&](std::FILE* f) { return EcrirePartie(f, j, joueurs) != 0; });
}
