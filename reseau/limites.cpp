// Limits per connection and per address.
#include "limites.h"

#include <algorithm>

#include "protocole.h"

double Seau::Niveau(std::int64_t maintenantMs) const {
    const double ecoule = static_cast<double>(std::max<std::int64_t>(0, maintenantMs - dernier_));
    return std::min(rafale_, jetons_ + ecoule * parSeconde_ / 1000.0);
}

bool Seau::Prendre(std::int64_t maintenantMs) {
    jetons_ = Niveau(maintenantMs);
    dernier_ = maintenantMs;
    if (jetons_ < 1) return false;
    jetons_ -= 1;
    return true;
}

bool Seau::Plein(std::int64_t maintenantMs) const {
    return Niveau(maintenantMs) >= rafale_;
}

const char* Adresses::Connecter(const std::string& adresse, std::int64_t maintenantMs) {
    // Now and then, the addresses with nothing left to remember go: the table stays as small
    // as the set of addresses seen in the last few seconds.
    if (++appels_ % 1024 == 0) Oublier(maintenantMs);
    Entree& e = Trouver(adresse);
    if (!e.nouvelles.Prendre(maintenantMs)) return TextesReseau::TropDeConnexions;
    if (e.connexions >= reglages_.connexionsParAdresse) return TextesReseau::TropDeConnexions;
    ++e.connexions;
    return nullptr;
}

void Adresses::Liberer(const std::string& adresse) {
    const auto place = entrees_.find(adresse);
    if (place != entrees_.end() && place->second.connexions > 0) --place->second.connexions;
}

const char* Adresses::Creer(const std::string& adresse) {
    Entree& e = Trouver(adresse);
    if (e.parties >= reglages_.partiesParAdresse) return TextesReseau::TropDeParties;
    ++e.parties;
    return nullptr;
}

int Adresses::Parties(const std::string& adresse) const {
    const auto place = entrees_.find(adresse);
    return place == entrees_.end() ? 0 : place->second.parties;
}

void Adresses::Rendre(const std::string& adresse) {
    const auto place = entrees_.find(adresse);
    if (place != entrees_.end() && place->second.parties > 0) --place->second.parties;
}

Adresses::Entree& Adresses::Trouver(const std::string& adresse) {
    auto [place, nouvelle] = entrees_.try_emplace(adresse);
    if (nouvelle)
        place->second.nouvelles = Seau(reglages_.connexionsParSeconde, reglages_.rafaleConnexions);
    return place->second;
}

void Adresses::Oublier(std::int64_t maintenantMs) {
    std::erase_if(entrees_, [maintenantMs](const auto& paire) {
        const Entree& e = paire.second;
        return e.connexions == 0 && e.parties == 0 && e.nouvelles.Plein(maintenantMs);
    });
}
