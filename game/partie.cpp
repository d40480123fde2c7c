// Loading and saving a whole game, with the checks that make a foreign file harmless.
#include "partie.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FermeFichier {
    void operator()(std::FILE* f) const { std::fclose(f); }
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
    return EnPlage(j.NbPions, 1, MaxPions) && EnPlage(j.NbTours, 2, MaxTours) &&
           j.NbTours % 2 == 0 && j.MaxTemps > 0;
}

bool HistoriqueValide(const jeu& j) {
    return std::all_of(j.Coups.begin(), j.Coups.end(), [](const tour& t) {
        return std::all_of(t.Placement.begin(), t.Placement.end(), PositionValide) &&
               PositionValide(t.Deplacement[0]) && PositionValide(t.Deplacement[1]) &&
               PositionValide(t.Tir);
    });
}

// In a placement phase the team to play has placed as many pawns as the other, or one fewer,
// and still has a slot for the next one.
bool PlacementValide(const jeu& j, const Equipes& joueurs) {
    if (j.Action != acPlacement) return true;
    const int t = j.JoueurCourant;
    const int avance = joueurs[t ^ 1].NbPionsPlaces - joueurs[t].NbPionsPlaces;
    return (avance == 0 || avance == 1) && joueurs[t].NbPionsPlaces < MaxPions;
}

} // namespace

int LirePartie(std::FILE* f, jeu& j, Equipes& joueurs) {
    return j.Lire(f) && joueurs[Bleus].Lire(f) && joueurs[Rouges].Lire(f);
}

int EcrirePartie(std::FILE* f, const jeu& j, const Equipes& joueurs) {
    return j.Ecrire(f) && joueurs[Bleus].Ecrire(f) && joueurs[Rouges].Ecrire(f);
}

bool PartieValide(const jeu& j, const Equipes& joueurs) {
    const bool champs = ParametresValides(j) && EnPlage(j.TourCourant, 1, MaxTours) &&
                        EnPlage(j.But, 0, 2) && EnPlage(j.FinDeJeu, 0, 1) &&
                        EnPlage(j.JoueurCourant, 0, 1) && EnPlage(j.Action, acPlacement, acTir);
    const bool cases = SurPlateau(j.ColonnePalet, j.LignePalet) &&
                       PositionValide(position(j.ColonnePionDeplace, j.LignePionDeplace)) &&
                       std::all_of(j.Cases.begin(), j.Cases.end(), CaseValide);
    const bool equipes = std::all_of(joueurs.begin(), joueurs.end(), [](const joueur& e) {
        return EnPlage(e.NbPionsPlaces, 0, MaxPions);
    });
    return champs && cases && equipes && HistoriqueValide(j) && PlacementValide(j, joueurs);
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

Chargement ChargerPartie(const std::string& chemin, jeu& j, Equipes& joueurs) {
    const Fichier f(std::fopen(chemin.c_str(), "rb"));
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

namespace {

std::string Dossier(const std::string& chemin) {
    const auto barre = chemin.find_last_of('/');
    if (barre == std::string::npos) return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

// The mode a new file gets from the umask, or the mode of the file being replaced.
mode_t ModeCible(const std::string& chemin) {
    struct stat existant {};
    if (::stat(chemin.c_str(), &existant) == 0) return existant.st_mode & 07777;
    const mode_t masque = ::umask(0);
    ::umask(masque);
    return 0666 & ~masque;
}

bool EcrireEtFermer(int descripteur, const jeu& j, const Equipes& joueurs) {
    std::FILE* f = ::fdopen(descripteur, "wb");
    if (!f) {
        ::close(descripteur);
        return false;
    }
    bool ok = EcrirePartie(f, j, joueurs) && std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

} // namespace

Sauvegarde SauvegarderPartie(const std::string& chemin, const jeu& j, const Equipes& joueurs) {
    std::string temporaire = Dossier(chemin) + "/.ovane-XXXXXX";
    const int descripteur = ::mkstemp(temporaire.data());
    if (descripteur < 0) return Sauvegarde::Creation;
    ::fchmod(descripteur, ModeCible(chemin));
    if (!EcrireEtFermer(descripteur, j, joueurs)) {
        ::unlink(temporaire.c_str());
        return Sauvegarde::Donnees;
    }
    if (::rename(temporaire.c_str(), chemin.c_str()) != 0) {
        ::unlink(temporaire.c_str());
        return Sauvegarde::Creation;
    }
    return Sauvegarde::Reussie;
}
