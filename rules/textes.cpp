// Formatting of the panel texts and messages.
#include "textes.h"

#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <system_error>

#include "game/jeu.h"

std::string Format(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copie;
    va_copy(copie, args);
    const int taille = std::vsnprintf(nullptr, 0, format, copie);
    va_end(copie);
    std::string texte(taille > 0 ? static_cast<std::size_t>(taille) : 0, '\0');
    // The same text a second time, into room now known to be enough.
    if (taille > 0) static_cast<void>(std::vsnprintf(texte.data(), texte.size() + 1, format, args));
    va_end(args);
    return texte;
}

namespace {

// The panels are rewritten at every tick: integers go through to_chars rather than printf.
void Ajouter(std::string& texte, long long valeur, int chiffresMin = 1) {
    char chiffres[24];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, valeur).ptr;
    for (auto n = fin - chiffres; n < chiffresMin; ++n) texte += '0';
    texte.append(chiffres, fin);
}

} // namespace

std::string TexteScore(int butsBleus, int butsRouges) {
    std::string texte = "Bleus ";
    Ajouter(texte, butsBleus);
    texte += '-';
    Ajouter(texte, butsRouges);
    return texte + " Rouges";
}

std::string TexteTour(int tourCourant, int nbTours) {
    std::string texte;
    Ajouter(texte, tourCourant);
    texte += '/';
    Ajouter(texte, nbTours);
    return texte;
}

std::string TexteTemps(std::uint32_t millisecondes) {
    std::string texte;
    Ajouter(texte, millisecondes / 60000);
    texte += ':';
    Ajouter(texte, millisecondes / 1000 % 60, 2);
    return texte;
}

std::string TexteAFaire(int equipe, int action, int pionSuivant) {
    if (action < acPlacement || action > acTir) return {};
    std::string texte = NomsEquipes[static_cast<std::size_t>(equipe & 1)];
    texte += " : ";
    return texte + Format(Textes::AFaire[static_cast<std::size_t>(action)], pionSuivant);
}

std::string TexteRaison(int erreur) {
    switch (erreur) {
    case ENOENT:
        return "fichier introuvable";
    case EACCES:
    case EPERM:
        return "accès refusé";
    case EISDIR:
        return "c'est un dossier";
    case ENODEV:
    case ENXIO:
        return "ce n'est pas un fichier ordinaire";
    case ENAMETOOLONG:
        return "nom trop long";
    default:
        return std::generic_category().message(erreur);
    }
}

std::string TextePion(int numero) {
    std::string texte = "Pion n°";
    Ajouter(texte, numero);
    return texte;
}

// std::to_chars ignores the C locale, unlike printf's %f, which writes "56,7" under fr_FR once
// the toolkit has called setlocale. Its rounding is the same exact rounding as printf's.
static std::string Pourcentage(double valeur) {
    char texte[32];
    const auto fin =
        std::to_chars(texte, texte + sizeof texte, valeur, std::chars_format::fixed, 1);
    return std::string(texte, fin.ptr);
}

std::string TexteOccupation(int bleus, int rouges) {
    const double total = static_cast<double>(bleus) + rouges;
    return "Occupation : Bleus " + Pourcentage(100.0 * bleus / total) + "% - " +
           Pourcentage(100.0 * rouges / total) + "% Rouges";
}
