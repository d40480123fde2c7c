// A load on a game server: many games, two players each, both played by the computer, through
// non-blocking sockets on one epoll loop, so that one core drives thousands of connections. It
// measures what a player feels (the time from an action to its "ok") and checks at the end that
// every player's records are the host's. Only the loopback: the server must run on this machine.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <queue>
#include <random>
#include <string>
#include <sys/types.h>
#include <vector>

#include "ordinateur/ordinateur.h"

struct OptionsCharge {
    std::string hote = "127.0.0.1";
    std::uint16_t port = 0;
    int parties = 10;
    double duree = 10;
    // The player to play sends an action this long after it may, on average.
    int cadenceMs = 500;
    // Connections that greet and then say nothing, beside the games.
    int inactives = 0;
    // Games created and never joined: nobody plays, no clock runs.
    bool attente = false;
    // A lost connection comes back with its token, and its records are checked against the
    // catch-up (the server killed and restarted meanwhile).
    bool reprise = false;
    // Hostile connections from another address while the games play.
    bool hostiles = false;
    // The server's process, for its memory and CPU time.
    pid_t pid = 0;
    int pions = 6, tours = 60, temps = 60000;
};

struct ResultatCharge {
    int partiesEnJeu = 0;
    int connexions = 0;
    int inactivesTenues = 0;
    long long actions = 0;
    double actionsParSeconde = 0;
    double medianeMs = 0, p99Ms = 0, pireMs = 0;
    long long erreurs = 0;
    // Players whose etat or saved-game bytes differ from the host's at the end.
    int desynchros = 0;
    int verifies = 0;
    long long lignesJeu = 0;
    // With reprise: seats taken back, and those whose catch-up lacked a line they had received.
    int reprises = 0;
    int pertes = 0;
    long long hostilesOuvertes = 0;
    long long hostilesRefusees = 0;
    // The server's, when its process was given.
    long long memoireKio = 0, picMemoireKio = 0;
    double cpuServeur = 0;
    // Time the server was ready to run but waited for a core: others' load on this machine.
    double attenteServeur = 0;
    double dureeMesuree = 0;
};

ResultatCharge LancerCharge(const OptionsCharge& options);
