// Boxes and states as lines.
#include "transcription.h"

#include <array>

namespace {

constexpr std::array<std::pair<Icone, std::string_view>, 3> NomsIcones = {{
    {Icone::Arret, "stop"},
    {Icone::Exclamation, "exclamation"},
    {Icone::Information, "information"},
}};

std::string SurUneLigne(std::string_view texte) {
    std::string ligne;
    for (const char c : texte) {
        if (c == '\n')
            ligne += "\\n";
        else
            ligne += c;
    }
    return ligne;
}

std::string SurPlusieursLignes(std::string_view ligne) {
    std::string texte;
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        if (ligne[i] == '\\' && i + 1 < ligne.size() && ligne[i + 1] == 'n') {
            texte += '\n';
            ++i;
        } else {
            texte += ligne[i];
        }
    }
    return texte;
}

} // namespace

std::string LigneBoite(const Boite& boite) {
    std::string_view icone;
    for (const auto& [i, nom] : NomsIcones)
        if (i == boite.icone) icone = nom;
    return "boite\t" + std::string(icone) + '\t' + boite.titre + '\t' + SurUneLigne(boite.texte);
}

std::optional<Boite> LireLigneBoite(std::string_view ligne) {
    constexpr std::string_view Debut = "boite\t";
    if (ligne.substr(0, Debut.size()) != Debut) return std::nullopt;
    ligne.remove_prefix(Debut.size());
    const auto tab1 = ligne.find('\t');
    if (tab1 == std::string_view::npos) return std::nullopt;
    const auto tab2 = ligne.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) return std::nullopt;
    Boite boite;
    const std::string_view icone = ligne.substr(0, tab1);
    bool connue = false;
    for (const auto& [i, nom] : NomsIcones)
        if (nom == icone) {
            boite.icone = i;
            connue = true;
        }
    if (!connue) return std::nullopt;
    boite.titre = std::string(ligne.substr(tab1 + 1, tab2 - tab1 - 1));
    boite.texte = SurPlusieursLignes(ligne.substr(tab2 + 1));
    return boite;
}

std::string LigneEtat(const VueMemoire& vue) {
    std::string ligne = "etat";
    for (const std::string& panneau : vue.Panneaux) ligne += '\t' + panneau;
    ligne += '\t' + std::to_string(vue.MaximumJauge) + '\t' + std::to_string(vue.ProgressionJauge) +
             '\t' + vue.BulleJauge + '\t' + std::to_string(vue.Curseur) + '\t' +
             (vue.Horloge ? '1' : '0');
    return ligne;
}
