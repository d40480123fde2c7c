// What one connection, and one address, may take of a host: lines a second, connections at once
// and a second, games held. Plain C++ with the time given by the caller, so that a test checks
// each limit without waiting.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// A token bucket: up to `rafale` at once, `parSeconde` over time.
class Seau {
public:
    Seau() = default;
    Seau(double parSeconde, double rafale)
        : parSeconde_(parSeconde), rafale_(rafale), jetons_(rafale) {}
    // Takes one token if there is one.
    bool Prendre(std::int64_t maintenantMs);
    // Whether it is full again: nothing of its past is left to remember.
    bool Plein(std::int64_t maintenantMs) const;

private:
    double Niveau(std::int64_t maintenantMs) const;

    double parSeconde_ = 0;
    double rafale_ = 0;
    double jetons_ = 0;
    std::int64_t dernier_ = 0;
};

struct ReglagesLimites {
    // Lines a connection may send a second, and at once.
    double lignesParSeconde = 20;
    double rafaleLignes = 60;
    // Connections one address may hold at once, and open a second (and at once).
    int connexionsParAdresse = 32;
    double connexionsParSeconde = 5;
    double rafaleConnexions = 30;
    // Games the server holds in memory, and games one address may have created there.
    int partiesMax = 20000;
    int partiesParAdresse = 16;
};

// What each address holds of the host. Each call that may refuse returns why, or nullptr.
class Adresses {
public:
    explicit Adresses(const ReglagesLimites& reglages) : reglages_(reglages) {}

    // A new connection from this address; on success it counts until Liberer.
    const char* Connecter(const std::string& adresse, std::int64_t maintenantMs);
    void Liberer(const std::string& adresse);
    // A new game created from this address; it counts until Rendre.
    const char* Creer(const std::string& adresse);
    void Rendre(const std::string& adresse);
    int Parties(const std::string& adresse) const;
    std::size_t Suivies() const { return entrees_.size(); }

private:
    struct Entree {
        int connexions = 0;
        int parties = 0;
        Seau nouvelles;
    };
    Entree& Trouver(const std::string& adresse);
    void Oublier(std::int64_t maintenantMs);

    const ReglagesLimites& reglages_;
    std::unordered_map<std::string, Entree> entrees_;
    std::uint32_t appels_ = 0;
};
