// Where hosted games are kept, so that a host restarted after a crash finds each game where its
// last action left it. The window's own host keeps nothing; the server keeps its games in SQLite.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct LigneEnregistree {
    // Ticks that only counted time down before this line; they are not kept one by one.
    int tics = 0;
    std::string texte;
};

struct PartieEnregistree {
    std::string code;
    // Each seat's token hash; empty while the seat is free.
    std::array<std::string, 2> empreintes;
    // A snapshot in the saved-game format; empty: the start-up game.
    std::vector<std::uint8_t> base;
    std::vector<LigneEnregistree> lignes;
};

// Every call returns whether it was kept for good; what was not kept must not be announced.
class Journal {
public:
    virtual ~Journal() = default;
    // A new game: its first seat and the first line of its stream, together or not at all.
    virtual bool Creer(const std::string& code, int equipe, const std::string& empreinte,
                       const std::string& ligne) = 0;
    virtual bool Asseoir(const std::string& code, int equipe, const std::string& empreinte) = 0;
    virtual bool Ajouter(const std::string& code, const LigneEnregistree& ligne) = 0;
    // The snapshot replaces the base and every line kept so far.
    virtual bool Compacter(const std::string& code, const std::vector<std::uint8_t>& base) = 0;
    // One game read back, for a host that let it leave its memory; false when there is none.
    virtual bool Relire(const std::string& code, PartieEnregistree& partie) {
        static_cast<void>(code);
        static_cast<void>(partie);
        return false;
    }
};
