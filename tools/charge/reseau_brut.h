// Non-blocking TCP sockets on the loopback, without Qt: the load tool holds thousands of them on
// one epoll loop, which costs a few hundred bytes each where a QTcpSocket costs kilobytes.
#pragma once

#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <sys/socket.h>

struct AdresseBrute {
    sockaddr_storage octets{};
    socklen_t taille = 0;
    bool v4() const { return octets.ss_family == AF_INET; }
};

// "127.0.0.1:7710", "[::1]:7710", "localhost:7710" (the port is required): a loopback address,
// nothing else, so that a load never leaves this machine.
std::optional<AdresseBrute> LireAdresseBoucle(const std::string& texte);

// The n-th address of a block of the IPv4 loopback (127.B.x.y), for a client of its own: a
// server's limits per address then see many players, as they would on the internet.
AdresseBrute SourceBoucle(int bloc, int n);

// A non-blocking connect from source (when IPv4) to the server; the socket, or -1.
int Connecter(const AdresseBrute& serveur, const AdresseBrute* source);
// 0 once a non-blocking connect has succeeded, or its errno.
int ErreurConnexion(int fd);

// Raises the soft limit of open files to the hard one; returns the limit now in force.
long LeverLimiteFichiers();
