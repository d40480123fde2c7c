// Non-blocking loopback sockets.
#include "reseau_brut.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <unistd.h>

std::optional<AdresseBrute> LireAdresseBoucle(const std::string& texte) {
    const auto deuxPoints = texte.rfind(':');
    if (deuxPoints == std::string::npos) return std::nullopt;
    std::string hote = texte.substr(0, deuxPoints);
    const std::string port = texte.substr(deuxPoints + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != port.npos)
        return std::nullopt;
    const unsigned long numero = std::stoul(port);
    if (numero == 0 || numero > 65535) return std::nullopt;
    if (hote == "localhost") hote = "127.0.0.1";
    if (hote.size() > 2 && hote.front() == '[' && hote.back() == ']')
        hote = hote.substr(1, hote.size() - 2);
    AdresseBrute a;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&a.octets);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&a.octets);
    if (inet_pton(AF_INET, hote.c_str(), &v4->sin_addr) == 1) {
        if ((ntohl(v4->sin_addr.s_addr) >> 24) != 127) return std::nullopt;
        v4->sin_family = AF_INET;
        v4->sin_port = htons(static_cast<std::uint16_t>(numero));
        a.taille = sizeof(sockaddr_in);
        return a;
    }
    if (inet_pton(AF_INET6, hote.c_str(), &v6->sin6_addr) == 1) {
        if (!IN6_IS_ADDR_LOOPBACK(&v6->sin6_addr)) return std::nullopt;
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(static_cast<std::uint16_t>(numero));
        a.taille = sizeof(sockaddr_in6);
        return a;
    }
    return std::nullopt;
}

AdresseBrute SourceBoucle(int bloc, int n) {
    AdresseBrute a;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&a.octets);
    v4->sin_family = AF_INET;
    const auto x = static_cast<std::uint32_t>((n / 250) & 0xFF);
    const auto y = static_cast<std::uint32_t>(n % 250 + 1);
    v4->sin_addr.s_addr =
        htonl((127u << 24) | (static_cast<std::uint32_t>(bloc) << 16) | (x << 8) | y);
    a.taille = sizeof(sockaddr_in);
    return a;
}

int Connecter(const AdresseBrute& serveur, const AdresseBrute* source) {
    const int fd =
        ::socket(serveur.octets.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    // One line an action: sent at once, not held for a full segment.
    const int un = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &un, sizeof un);
    if (source && serveur.v4() &&
        ::bind(fd, reinterpret_cast<const sockaddr*>(&source->octets), source->taille) != 0) {
        ::close(fd);
        return -1;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&serveur.octets), serveur.taille) != 0 &&
        errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int ErreurConnexion(int fd) {
    int erreur = 0;
    socklen_t taille = sizeof erreur;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &erreur, &taille) != 0) return errno;
    return erreur;
}

long LeverLimiteFichiers() {
    rlimit limite{};
    if (::getrlimit(RLIMIT_NOFILE, &limite) != 0) return -1;
    if (limite.rlim_cur < limite.rlim_max) {
        limite.rlim_cur = limite.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limite);
    }
    return static_cast<long>(limite.rlim_cur);
}
