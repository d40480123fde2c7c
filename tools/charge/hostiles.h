// Hostile connections beside the games, from addresses of their own: garbage and binary lines,
// lines over the limit, a byte a second, silent connections, code guessing, a client that never
// reads, and a flood of a thousand connections a second from one address. They count what they
// opened and how often the server closed them; the games' figures show what they cost others.
#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "reseau_brut.h"

class Hostiles {
public:
    // epoll: the load's loop; marque: the bit that tells their events from the players'.
    Hostiles(const AdresseBrute& serveur, int epoll, std::uint32_t marque);
    ~Hostiles();
    Hostiles(const Hostiles&) = delete;
    Hostiles& operator=(const Hostiles&) = delete;

    // Every 10 ms while the games play: what is due is sent, closed ones come back.
    void Avancer(std::chrono::steady_clock::time_point maintenant);
    void Evenement(std::uint32_t numero, std::uint32_t evenements);
    void Arreter();

    long long Ouvertes = 0;
    long long Fermees = 0;

private:
    enum class Genre : std::int8_t { Ordure, Binaire, Longue, Lente, Muette, Devin, Sourde };
    struct Client {
        Genre genre = Genre::Ordure;
        int fd = -1;
        std::size_t envoye = 0;
        std::string script;
        std::chrono::steady_clock::time_point prochain{};
    };

    void Ouvrir(std::size_t i);
    void Fermer(std::size_t i);
    void Parler(Client& c);
    void Deluge();
    std::string Script(Genre genre);

    AdresseBrute serveur_;
    int epoll_;
    std::uint32_t marque_;
    std::vector<Client> clients_;
    std::vector<int> deluge_;
    std::mt19937 hasard_{99};
};
