// Hostile connections.
#include "hostiles.h"

#include <cerrno>
#include <sys/epoll.h>
#include <unistd.h>

namespace {

using Horloge = std::chrono::steady_clock;

// Their addresses, in the hostile block of the loopback: the flood alone on its own.
constexpr int BlocHostiles = 3;
constexpr int AdresseDeluge = 0;
// Connections opened a tick (10 ms) by the flood: a thousand a second.
constexpr int DelugeParTic = 10;
// Clients of each kind, kept open or opened again as soon as the server closes them.
constexpr int ParGenre = 4;

} // namespace

Hostiles::Hostiles(const AdresseBrute& serveur, int epoll, std::uint32_t marque)
    : serveur_(serveur), epoll_(epoll), marque_(marque) {
    for (int g = 0; g <= static_cast<int>(Genre::Sourde); ++g)
        for (int n = 0; n < ParGenre; ++n) {
            Client c;
            c.genre = static_cast<Genre>(g);
            clients_.push_back(std::move(c));
        }
}

Hostiles::~Hostiles() {
    Arreter();
}

// What each kind sends, all of it bounded: the script is sent once, at its pace.
std::string Hostiles::Script(Genre genre) {
    std::string s = "ovane 1\n";
    switch (genre) {
    case Genre::Ordure:
        for (int n = 0; n < 20; ++n) s += "bonjour le serveur " + std::to_string(hasard_()) + '\n';
        return s;
    case Genre::Binaire:
        for (int n = 0; n < 2000; ++n) s += static_cast<char>(hasard_() % 256);
        return s + '\n';
    case Genre::Longue:
        return s + std::string(8192, 'x') + '\n';
    case Genre::Lente:
        return s + "etat\n";
    case Genre::Muette:
        return {};
    case Genre::Devin:
        for (int n = 0; n < 10; ++n)
            s += "rejoindre ABCD" + std::string(1, "23456789"[n % 8]) + "Z\n";
        return s;
    case Genre::Sourde:
        for (int n = 0; n < 50; ++n) s += "etat\n";
        return s;
    }
    return s;
}

void Hostiles::Ouvrir(std::size_t i) {
    Client& c = clients_[i];
    const AdresseBrute source = SourceBoucle(BlocHostiles, static_cast<int>(i) + 1);
    c.fd = Connecter(serveur_, &source);
    if (c.fd < 0) return;
    ++Ouvertes;
    if (c.genre == Genre::Sourde) {
        // It never reads: the smallest window, so that the server's side fills at once.
        const int petit = 1024;
        ::setsockopt(c.fd, SOL_SOCKET, SO_RCVBUF, &petit, sizeof petit);
    }
    c.script = Script(c.genre);
    c.envoye = 0;
    c.prochain = Horloge::now() + std::chrono::milliseconds(100);
    epoll_event e{};
    e.events = (c.genre == Genre::Sourde ? 0u : static_cast<std::uint32_t>(EPOLLIN)) | EPOLLRDHUP;
    e.data.u32 = marque_ | static_cast<std::uint32_t>(i);
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, c.fd, &e);
}

void Hostiles::Fermer(std::size_t i) {
    Client& c = clients_[i];
    if (c.fd < 0) return;
    ::close(c.fd);
    c.fd = -1;
    ++Fermees;
    // Back a second later, as a stubborn attacker would.
    c.prochain = Horloge::now() + std::chrono::seconds(1);
}

// The next piece of its script: a byte a second for the slow one, the rest a line at a time.
void Hostiles::Parler(Client& c) {
    if (c.envoye >= c.script.size()) return;
    std::size_t n = c.genre == Genre::Lente ? 1 : c.script.size() - c.envoye;
    if (c.genre == Genre::Ordure || c.genre == Genre::Devin)
        n = c.script.find('\n', c.envoye) + 1 - c.envoye;
    const ssize_t ecrits = ::write(c.fd, c.script.data() + c.envoye, n);
    if (ecrits > 0) c.envoye += static_cast<std::size_t>(ecrits);
    const auto pas =
        c.genre == Genre::Lente ? std::chrono::milliseconds(1000) : std::chrono::milliseconds(200);
    c.prochain = Horloge::now() + pas;
}

void Hostiles::Deluge() {
    // Last tick's connections go, whether or not the server let them in.
    for (const int fd : deluge_) ::close(fd);
    deluge_.clear();
    const AdresseBrute source = SourceBoucle(BlocHostiles, AdresseDeluge);
    for (int n = 0; n < DelugeParTic; ++n) {
        const int fd = Connecter(serveur_, &source);
        if (fd < 0) continue;
        ++Ouvertes;
        deluge_.push_back(fd);
    }
}

void Hostiles::Avancer(Horloge::time_point maintenant) {
    Deluge();
    for (std::size_t i = 0; i < clients_.size(); ++i) {
        Client& c = clients_[i];
        if (maintenant < c.prochain) continue;
        if (c.fd < 0)
            Ouvrir(i);
        else
            Parler(c);
    }
}

void Hostiles::Evenement(std::uint32_t numero, std::uint32_t evenements) {
    const std::size_t i = numero & ~marque_;
    if (i >= clients_.size() || clients_[i].fd < 0) return;
    char tampon[16384];
    if (evenements & EPOLLIN) {
        for (int tours = 0; tours < 16; ++tours) {
            const ssize_t lus = ::read(clients_[i].fd, tampon, sizeof tampon);
            if (lus == 0 || (lus < 0 && errno != EAGAIN && errno != EINTR)) return Fermer(i);
            if (lus < 0) break;
        }
    }
    if (evenements & (EPOLLRDHUP | EPOLLHUP | EPOLLERR)) Fermer(i);
}

void Hostiles::Arreter() {
    for (std::size_t i = 0; i < clients_.size(); ++i) {
        if (clients_[i].fd >= 0) ::close(clients_[i].fd);
        clients_[i].fd = -1;
    }
    for (const int fd : deluge_) ::close(fd);
    deluge_.clear();
}
