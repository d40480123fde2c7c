// Positions and plays as the search holds them.
#include "noeud.h"

#include <bit>
#include <cstring>
#include <tuple>

namespace {

// The fields that the rules' future depends on, in one place for the comparison and the hash.
auto Champs(const EtatJeu& j, const Equipes& e) {
    return std::tie(j.NbPions, j.NbTours, j.TourCourant, j.But, j.ColonnePionDeplace,
                    j.LignePionDeplace, j.ColonnePalet, j.LignePalet, j.FinDeJeu, j.JoueurCourant,
                    j.MaxTemps, j.Action, j.Cases, e[0].NbCoups, e[0].Buts, e[0].NbPionsPlaces,
                    e[0].Occupation, e[1].NbCoups, e[1].Buts, e[1].NbPionsPlaces, e[1].Occupation);
}

// One step of a 64-bit multiplicative hash, and its final mixing (splitmix64's).
constexpr std::uint64_t Melanger(std::uint64_t h, std::uint64_t v) {
    return (h ^ v) * 0x100000001b3ull + 0x9e3779b97f4a7c15ull;
}

constexpr std::uint64_t Finir(std::uint64_t h) {
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ull;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebull;
    return h ^ (h >> 31);
}

template <class T> std::uint64_t Ajouter(std::uint64_t h, const T& v) {
    return Melanger(h, static_cast<std::uint64_t>(v));
}

template <std::size_t N>
std::uint64_t Ajouter(std::uint64_t h, const std::array<std::uint8_t, N>& cases) {
    for (std::size_t i = 0; i < N; i += 8) {
        std::uint64_t mot = 0;
        std::memcpy(&mot, cases.data() + i, std::min<std::size_t>(8, N - i));
        h = Melanger(h, mot);
    }
    return h;
}

constexpr std::uint8_t CodePasserAction = NbCases;
constexpr std::uint8_t CodePasserTour = NbCases + 1;

} // namespace

bool MemePosition(const EtatJeu& a, const Equipes& ea, const EtatJeu& b, const Equipes& eb) {
    return Champs(a, ea) == Champs(b, eb);
}

std::uint64_t Empreinte(const Noeud& n, int ply) {
    std::uint64_t h = Melanger(0, static_cast<std::uint64_t>(ply));
    h = Melanger(h, std::bit_cast<std::uint64_t>(n.avance));
    std::apply([&](const auto&... champ) { ((h = Ajouter(h, champ)), ...); },
               Champs(n.jeu, n.joueurs));
    return Finir(h);
}

std::uint8_t Coder(const ActionJoueur& a) {
    switch (a.genre) {
    case ActionJoueur::Genre::Clic:
        return static_cast<std::uint8_t>(jeu::Index(a.cellule.Colonne, a.cellule.Ligne));
    case ActionJoueur::Genre::PasserAction:
        return CodePasserAction;
    case ActionJoueur::Genre::PasserTour:
        return CodePasserTour;
    }
    return CodePasserTour;
}

ActionJoueur Decoder(std::uint8_t code) {
    if (code == CodePasserAction) return {ActionJoueur::Genre::PasserAction, {}};
    if (code == CodePasserTour) return {ActionJoueur::Genre::PasserTour, {}};
    return {ActionJoueur::Genre::Clic, position(code / NbLignes, code % NbLignes)};
}
