// The load: a state machine per connection, timers in one heap, one epoll loop.
#include "charge.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <deque>
#include <fstream>
#include <sstream>
#include <sys/epoll.h>
#include <unistd.h>

#include "game/partie.h"
#include "hostiles.h"
#include "reseau/lignes.h"
#include "reseau/miroir.h"
#include "reseau/protocole.h"
#include "reseau_brut.h"
#include "rules/commandes.h"
#include "rules/vue_memoire.h"

namespace {

using Horloge = std::chrono::steady_clock;
using Instant = Horloge::time_point;

double Ms(Horloge::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

Horloge::duration DeMs(double ms) {
    return std::chrono::duration_cast<Horloge::duration>(
        std::chrono::duration<double, std::milli>(ms));
}

// The source addresses' blocks of the loopback: players, idle connections, hostile ones.
enum Bloc { BlocJoueurs = 1, BlocInactifs = 2, BlocHostiles = 3 };
// The bit of an epoll event's number that says it is a hostile connection's.
constexpr std::uint32_t MarqueHostile = 1u << 30;
// Idle connections share an address four by four, as a household's would.
constexpr int InactivesParAdresse = 4;

enum class Role : std::int8_t { Createur, Invite, Inactif, Hostile };
enum class Etape : std::int8_t { Connexion, Bonjour, Assis, Perdu };
enum class Attendu : std::int8_t { Siege, Action, Etat, Sauvegarde, Autre };

struct Demande {
    Attendu genre;
    Instant envoi;
    // An action sent within the measured window counts towards the figures.
    bool mesuree = false;
    CommandeJeu action;
};

// The records without the time left in the play: a restarted host gives a play back the time
// it had at its last action.
std::vector<std::uint8_t> SansTemps(const jeu& j, const Equipes& joueurs) {
    jeu copie = j;
    copie.TempsRestant = 0;
    return OctetsPartie(copie, joueurs);
}

struct Client {
    Client(Role r, int n) : role(r), numero(n) {
        if (r == Role::Createur || r == Role::Invite) {
            partie = std::make_unique<PartieMemoire>();
            miroir = std::make_unique<MiroirPartie>(partie->p);
        }
    }
    Role role;
    int numero;
    int fd = -1;
    Etape etape = Etape::Connexion;
    std::uint32_t generation = 0;
    std::string sortie;
    bool ecritureAttendue = false;
    LecteurLignes lecteur{LongueurMaxAnnonce};
    std::unique_ptr<PartieMemoire> partie;
    std::unique_ptr<MiroirPartie> miroir;
    std::deque<Demande> demandes;
    std::string code, jeton;
    int equipe = 0;
    bool rattrapage = false;
    bool actionPrevue = false;
    // When its last action was planned for: the game's timetable.
    Horloge::time_point prevue{};
    bool desynchro = false;
    // After a drop: the records as they were, and as they would be with the action under way.
    std::vector<std::vector<std::uint8_t>> attenduApresReprise;
    bool reprise = false;
    int essais = 0;
};

struct Echeance {
    Instant quand;
    int client;
    std::uint32_t generation;
    enum Quoi : std::int8_t { Action, Reconnexion, Proposer } quoi;
    bool operator>(const Echeance& autre) const { return quand > autre.quand; }
};

enum class Phase : std::int8_t { Preparation, Jeu, Vidange, Verification, Finie };

class Banc {
public:
    explicit Banc(const OptionsCharge& o) : o_(o), ordinateur_(Niveau::Debutant, 1) {}

    bool Preparer(std::string& erreur);
    ResultatCharge Lancer();

private:
    void Ouvrir(int i);
    void Boucle(Instant fin);
    void Evenement(Client& c, std::uint32_t evenements);
    void Connecte(Client& c);
    void Lire(Client& c);
    void Ligne(Client& c, const std::string& texte);
    void Reponse(Client& c, const Annonce& a);
    void Siege(Client& c);
    void Envoyer(Client& c, const std::string& ligne, Attendu genre, bool mesuree = false,
                 const CommandeJeu& action = {});
    void Ecrire(Client& c);
    void Perdre(Client& c);
    void Planifier(Client& c);
    void Agir(Client& c);
    void Echeances();
    void Avancer();
    void Verifier();
    void MesurerServeur(bool debut);
    void AvancerHostiles();
    bool Joueur(const Client& c) const {
        return c.role == Role::Createur || c.role == Role::Invite;
    }
    int Partenaire(const Client& c) const { return c.numero ^ 1; }

    OptionsCharge o_;
    AdresseBrute serveur_;
    Ordinateur ordinateur_;
    std::mt19937 hasard_{12345};
    int epoll_ = -1;
    std::vector<std::unique_ptr<Client>> clients_;
    std::priority_queue<Echeance, std::vector<Echeance>, std::greater<>> echeances_;
    Phase phase_ = Phase::Preparation;
    Instant debut_, finJeu_, limitePhase_;
    int prochain_ = 0;
    int enConnexion_ = 0;
    int assis_ = 0;
    int inactivesTenues_ = 0;
    int verifies_ = 0;
    std::vector<float> latences_;
    std::unique_ptr<Hostiles> hostiles_;
    Instant prochainHostile_{};
    ResultatCharge r_;
    long long cpuDebut_ = 0;
    long long attenteDebut_ = 0;
};

// The clients, in this order: each game's creator and guest side by side, then the idle ones.
bool Banc::Preparer(std::string& erreur) {
    const auto adresse = LireAdresseBoucle(o_.hote + ':' + std::to_string(o_.port));
    if (!adresse) {
        erreur = "adresse du serveur refusée (la boucle locale seulement)";
        return false;
    }
    serveur_ = *adresse;
    LeverLimiteFichiers();
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    if (epoll_ < 0) {
        erreur = "epoll indisponible";
        return false;
    }
    for (int p = 0; p < o_.parties; ++p) {
        clients_.push_back(std::make_unique<Client>(Role::Createur, 2 * p));
        clients_.push_back(std::make_unique<Client>(Role::Invite, 2 * p + 1));
    }
    for (int i = 0; i < o_.inactives; ++i)
        clients_.push_back(
            std::make_unique<Client>(Role::Inactif, static_cast<int>(clients_.size())));
    return true;
}

void Banc::Ouvrir(int i) {
    Client& c = *clients_[static_cast<std::size_t>(i)];
    const AdresseBrute source =
        Joueur(c) ? SourceBoucle(BlocJoueurs, c.numero / 2)
                  : SourceBoucle(BlocInactifs, (c.numero - 2 * o_.parties) / InactivesParAdresse);
    c.fd = Connecter(serveur_, &source);
    c.etape = Etape::Connexion;
    ++c.generation;
    if (c.fd < 0) return Perdre(c);
    epoll_event e{};
    e.events = EPOLLOUT | EPOLLIN | EPOLLRDHUP;
    e.data.u32 = static_cast<std::uint32_t>(i);
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, c.fd, &e);
    c.ecritureAttendue = true;
    ++enConnexion_;
}

void Banc::Evenement(Client& c, std::uint32_t evenements) {
    if (c.fd < 0) return;
    if (c.etape == Etape::Connexion) {
        if (!(evenements & (EPOLLOUT | EPOLLERR | EPOLLHUP))) return;
        --enConnexion_;
        if (ErreurConnexion(c.fd) != 0) return Perdre(c);
        return Connecte(c);
    }
    if (evenements & EPOLLIN) Lire(c);
    if (c.fd >= 0 && (evenements & EPOLLOUT)) Ecrire(c);
    if (c.fd >= 0 && (evenements & (EPOLLERR | EPOLLHUP))) Perdre(c);
}

void Banc::Connecte(Client& c) {
    c.etape = Etape::Bonjour;
    c.lecteur = LecteurLignes(LongueurMaxAnnonce);
    c.demandes.clear();
    c.sortie.clear();
    Envoyer(c, "ovane 1", Attendu::Autre);
    // The greeting has no ok: it is answered by "ovane 1 VERSION".
    c.demandes.clear();
}

void Banc::Lire(Client& c) {
    char tampon[65536];
    for (int tours = 0; tours < 64; ++tours) {
        const ssize_t lus = ::read(c.fd, tampon, sizeof tampon);
        if (lus == 0) return Perdre(c);
        if (lus < 0) {
            if (errno == EAGAIN || errno == EINTR) break;
            return Perdre(c);
        }
        if (!c.lecteur.Ajouter(std::string_view(tampon, static_cast<std::size_t>(lus))))
            return Perdre(c);
        while (auto ligne = c.lecteur.Suivante()) {
            Ligne(c, *ligne);
            if (c.fd < 0) return;
        }
    }
    Planifier(c);
}

void Banc::Ligne(Client& c, const std::string& texte) {
    if (!Joueur(c)) {
        if (texte.rfind("ovane 1 ", 0) == 0) Siege(c);
        return;
    }
    const auto a = LireAnnonce(texte);
    if (!a) {
        ++r_.erreurs;
        return;
    }
    using G = Annonce::Genre;
    switch (a->genre) {
    case G::Bonjour:
        return Siege(c);
    case G::Partie:
        c.code = a->code;
        c.jeton = a->jeton;
        c.equipe = a->equipe;
        c.rattrapage = true;
        c.miroir->Recommencer();
        return;
    case G::Jeu:
    case G::Instantane:
        if (!c.miroir->Appliquer(*a)) ++r_.erreurs;
        if (a->genre == G::Jeu && !c.rattrapage && phase_ != Phase::Preparation) ++r_.lignesJeu;
        return;
    case G::Fin:
        if (!c.rattrapage && c.role == Role::Createur && phase_ == Phase::Jeu)
            echeances_.push(
                {Horloge::now() + DeMs(o_.cadenceMs), c.numero, c.generation, Echeance::Proposer});
        return;
    case G::Proposition:
        if (a->jeu.genre == CommandeJeu::Genre::Nouvelle) Envoyer(c, "accepter", Attendu::Autre);
        return;
    case G::Etat:
        if (a->texte != LigneEtat(c.partie->vue)) c.desynchro = true;
        return;
    case G::Sauvegarde:
        if (a->octets != OctetsPartie(*c.partie->j, c.partie->joueurs)) c.desynchro = true;
        return;
    case G::Ok:
    case G::Erreur:
        return Reponse(c, *a);
    default:
        return;
    }
}

// The greeting answered: an idle connection stays there; a player takes its seat.
void Banc::Siege(Client& c) {
    if (c.role == Role::Inactif) {
        ++inactivesTenues_;
        c.etape = Etape::Assis;
        return;
    }
    if (c.reprise) return Envoyer(c, "reprendre " + c.code + ' ' + c.jeton, Attendu::Siege);
    if (c.role == Role::Createur)
        return Envoyer(c,
                       "creer bleus " + std::to_string(o_.pions) + ' ' + std::to_string(o_.tours) +
                           ' ' + std::to_string(o_.temps),
                       Attendu::Siege);
    const Client& createur = *clients_[static_cast<std::size_t>(Partenaire(c))];
    Envoyer(c, "rejoindre " + createur.code, Attendu::Siege);
}

void Banc::Reponse(Client& c, const Annonce& a) {
    const bool erreur = a.genre == Annonce::Genre::Erreur;
    if (c.demandes.empty()) {
        // Said before the host closes: only expected once the run is over.
        if (erreur && phase_ < Phase::Verification) ++r_.erreurs;
        return;
    }
    const Demande d = c.demandes.front();
    c.demandes.pop_front();
    if (erreur && d.genre != Attendu::Autre) {
        ++r_.erreurs;
        if (r_.erreurs <= 5)
            static_cast<void>(
                std::fprintf(stderr, "ovane-charge: erreur du serveur : %s\n", a.texte.c_str()));
    }
    switch (d.genre) {
    case Attendu::Siege:
        if (erreur) return;
        c.etape = Etape::Assis;
        c.rattrapage = false;
        if (c.reprise) {
            c.reprise = false;
            ++r_.reprises;
            // The host may have sent a last line to one player and not yet to the other: the
            // game comes back as the one that saw more had it, or with an action in flight.
            const auto maintenant = SansTemps(*c.partie->j, c.partie->joueurs);
            const auto& autre =
                clients_[static_cast<std::size_t>(Partenaire(c))]->attenduApresReprise;
            auto attendus = c.attenduApresReprise;
            attendus.insert(attendus.end(), autre.begin(), autre.end());
            if (std::find(attendus.begin(), attendus.end(), maintenant) == attendus.end())
                ++r_.pertes;
            Planifier(*clients_[static_cast<std::size_t>(Partenaire(c))]);
        } else {
            ++assis_;
            // The guest joins once the creator has its code.
            if (c.role == Role::Createur && !o_.attente) Ouvrir(Partenaire(c));
        }
        return;
    case Attendu::Action:
        if (d.mesuree) {
            ++r_.actions;
            latences_.push_back(static_cast<float>(Ms(Horloge::now() - d.envoi)));
        }
        return;
    case Attendu::Sauvegarde:
        ++verifies_;
        if (c.desynchro) ++r_.desynchros;
        return;
    default:
        return;
    }
}

void Banc::Envoyer(Client& c, const std::string& ligne, Attendu genre, bool mesuree,
                   const CommandeJeu& action) {
    if (c.fd < 0) return;
    c.demandes.push_back({genre, Horloge::now(), mesuree, action});
    c.sortie += ligne;
    c.sortie += '\n';
    Ecrire(c);
}

void Banc::Ecrire(Client& c) {
    while (!c.sortie.empty()) {
        const ssize_t n = ::write(c.fd, c.sortie.data(), c.sortie.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) break;
        if (n <= 0) return Perdre(c);
        c.sortie.erase(0, static_cast<std::size_t>(n));
    }
    const bool attendre = !c.sortie.empty();
    if (attendre == c.ecritureAttendue) return;
    c.ecritureAttendue = attendre;
    epoll_event e{};
    e.events = EPOLLIN | EPOLLRDHUP | (attendre ? EPOLLOUT : 0u);
    e.data.u32 = static_cast<std::uint32_t>(c.numero);
    ::epoll_ctl(epoll_, EPOLL_CTL_MOD, c.fd, &e);
}

// A connection lost. With reprise, a seated player comes back with its token; it then expects
// the records it had, or those with the action it had sent, and nothing else.
void Banc::Perdre(Client& c) {
    if (c.fd >= 0) {
        if (c.etape == Etape::Connexion) --enConnexion_;
        ::close(c.fd);
        c.fd = -1;
    }
    ++c.generation;
    c.actionPrevue = false;
    const bool enJeu = phase_ == Phase::Jeu || phase_ == Phase::Preparation;
    if (o_.reprise && Joueur(c) && !c.jeton.empty() && enJeu) {
        if (!c.reprise) {
            c.attenduApresReprise = {SansTemps(*c.partie->j, c.partie->joueurs)};
            for (const Demande& d : c.demandes) {
                if (d.genre != Attendu::Action) continue;
                jeu j = *c.partie->j;
                Equipes joueurs = c.partie->joueurs;
                VueMemoire vue;
                Partie p{j, joueurs, vue};
                AppliquerCommandeJeu(p, d.action);
                c.attenduApresReprise.push_back(SansTemps(j, joueurs));
            }
            c.reprise = true;
            c.essais = 0;
        }
        c.demandes.clear();
        const double attente = std::min(1000, 100 << std::min(c.essais++, 4));
        echeances_.push(
            {Horloge::now() + DeMs(attente), c.numero, c.generation, Echeance::Reconnexion});
        c.etape = Etape::Connexion;
        return;
    }
    if (c.etape != Etape::Perdu && phase_ < Phase::Verification) ++r_.erreurs;
    c.etape = Etape::Perdu;
}

// The player to play acts about a cadence after the game's last action was planned for, or at
// once if that time has passed: the pace of a game is the cadence, whatever time an action takes
// to come back. A game late by more than a cadence (after a restart) does not make up the rest.
void Banc::Planifier(Client& c) {
    if (phase_ != Phase::Jeu || o_.attente || c.actionPrevue || !Joueur(c) ||
        c.etape != Etape::Assis || c.rattrapage || !c.demandes.empty())
        return;
    // While the other player comes back, nobody acts: its catch-up must hold what it had seen,
    // and nothing more.
    const Client& autre = *clients_[static_cast<std::size_t>(Partenaire(c))];
    if (autre.etape != Etape::Assis || autre.reprise) return;
    const jeu& j = *c.partie->j;
    if (j.FinDeJeu || j.Equipe() != c.equipe) return;
    std::uniform_real_distribution<double> tirage(0.5, 1.5);
    c.actionPrevue = true;
    const auto maintenant = Horloge::now();
    const auto cadence = DeMs(o_.cadenceMs);
    const auto derniere = std::max(c.prevue, autre.prevue);
    if (derniere == Horloge::time_point{}) {
        // A game's first action falls anywhere within a cadence, as it would in a game under way
        // when the measure starts: the games' pace is then the cadence from the first second.
        std::uniform_real_distribution<double> debut(0, 1);
        c.prevue = maintenant + DeMs(o_.cadenceMs * debut(hasard_));
    } else {
        const auto base = std::max(derniere, maintenant - cadence);
        c.prevue = std::max(maintenant, base + DeMs(o_.cadenceMs * tirage(hasard_)));
    }
    echeances_.push({c.prevue, c.numero, c.generation, Echeance::Action});
}

void Banc::Agir(Client& c) {
    c.actionPrevue = false;
    if (phase_ != Phase::Jeu || c.etape != Etape::Assis || !c.demandes.empty()) return;
    const jeu& j = *c.partie->j;
    if (j.FinDeJeu || j.Equipe() != c.equipe) return;
    const auto action = ordinateur_.Choisir(j, c.partie->joueurs);
    if (!action) return;
    const std::string texte = TexteAction(*action);
    const auto mots = Mots(texte);
    const auto commande = mots ? LireCommandeJeu(*mots) : std::nullopt;
    if (!commande) return;
    Envoyer(c, texte, Attendu::Action, true, *commande);
}

void Banc::Echeances() {
    const Instant maintenant = Horloge::now();
    while (!echeances_.empty() && echeances_.top().quand <= maintenant) {
        const Echeance e = echeances_.top();
        echeances_.pop();
        Client& c = *clients_[static_cast<std::size_t>(e.client)];
        if (e.generation != c.generation) continue;
        switch (e.quoi) {
        case Echeance::Action:
            Agir(c);
            break;
        case Echeance::Reconnexion:
            if (phase_ <= Phase::Jeu) Ouvrir(c.numero);
            break;
        case Echeance::Proposer:
            if (c.etape == Etape::Assis && c.partie->j->FinDeJeu)
                Envoyer(c, "proposer nouvelle", Attendu::Autre);
            break;
        }
    }
}

// /proc/PID/stat: utime and stime, in clock ticks; /proc/PID/status: VmRSS and VmHWM.
void Banc::MesurerServeur(bool debut) {
    if (o_.pid <= 0) return;
    std::ifstream stat("/proc/" + std::to_string(o_.pid) + "/stat");
    std::string tout;
    std::getline(stat, tout);
    const auto fin = tout.rfind(')');
    long long cpu = 0;
    if (fin != std::string::npos) {
        std::istringstream champs(tout.substr(fin + 2));
        std::string champ;
        // After the name: state is field 3; utime and stime are fields 14 and 15.
        for (int n = 3; n <= 15 && champs >> champ; ++n)
            if (n >= 14) cpu += std::stoll(champ);
    }
    // /proc/PID/schedstat: time run, then time spent runnable but waiting for a core.
    std::ifstream ordonnanceur("/proc/" + std::to_string(o_.pid) + "/schedstat");
    long long tourne = 0, attente = 0;
    ordonnanceur >> tourne >> attente;
    if (debut) {
        cpuDebut_ = cpu;
        attenteDebut_ = attente;
        return;
    }
    r_.attenteServeur = static_cast<double>(attente - attenteDebut_) / 1e9;
    r_.cpuServeur =
        static_cast<double>(cpu - cpuDebut_) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    std::ifstream status("/proc/" + std::to_string(o_.pid) + "/status");
    std::string ligne;
    while (std::getline(status, ligne)) {
        if (ligne.rfind("VmRSS:", 0) == 0) r_.memoireKio = std::stoll(ligne.substr(6));
        if (ligne.rfind("VmHWM:", 0) == 0) r_.picMemoireKio = std::stoll(ligne.substr(6));
    }
}

void Banc::Verifier() {
    for (auto& c : clients_) {
        if (!Joueur(*c) || c->etape != Etape::Assis) continue;
        c->desynchro = false;
        Envoyer(*c, "etat", Attendu::Etat);
        Envoyer(*c, "sauvegarde", Attendu::Sauvegarde);
    }
}

// The phases: games seated (connections opened a few hundred at a time), play for the duration,
// the last answers, then every player checks its records.
void Banc::Avancer() {
    const Instant maintenant = Horloge::now();
    const int joueurs = 2 * o_.parties;
    switch (phase_) {
    case Phase::Preparation: {
        const int createurs = o_.attente ? o_.parties : joueurs;
        // A guest connects once its creator has a code to give it.
        while (prochain_ < static_cast<int>(clients_.size()) && enConnexion_ < 200) {
            if (prochain_ >= joueurs || prochain_ % 2 == 0) Ouvrir(prochain_);
            ++prochain_;
        }
        const bool pret = assis_ >= createurs && inactivesTenues_ >= o_.inactives;
        if (pret || maintenant > limitePhase_) {
            phase_ = Phase::Jeu;
            debut_ = maintenant;
            finJeu_ = maintenant + DeMs(o_.duree * 1000);
            MesurerServeur(true);
            for (auto& c : clients_) Planifier(*c);
        }
        return;
    }
    case Phase::Jeu:
        if (maintenant < finJeu_) return;
        MesurerServeur(false);
        r_.dureeMesuree = Ms(maintenant - debut_) / 1000;
        phase_ = Phase::Vidange;
        limitePhase_ = maintenant + std::chrono::seconds(5);
        return;
    case Phase::Vidange: {
        const bool calme = std::none_of(clients_.begin(), clients_.end(),
                                        [](const auto& c) { return !c->demandes.empty(); });
        if (!calme && maintenant < limitePhase_) return;
        phase_ = Phase::Verification;
        limitePhase_ = maintenant + std::chrono::seconds(15);
        return Verifier();
    }
    case Phase::Verification: {
        const bool fini = std::none_of(clients_.begin(), clients_.end(),
                                       [](const auto& c) { return !c->demandes.empty(); });
        if (fini || maintenant > limitePhase_) phase_ = Phase::Finie;
        return;
    }
    case Phase::Finie:
        return;
    }
}

// Hostile clients run while the games play, and stop with them.
void Banc::AvancerHostiles() {
    if (!o_.hostiles) return;
    const Instant maintenant = Horloge::now();
    if (phase_ == Phase::Jeu && !hostiles_)
        hostiles_ = std::make_unique<Hostiles>(serveur_, epoll_, MarqueHostile);
    if (!hostiles_) return;
    if (phase_ != Phase::Jeu) {
        r_.hostilesOuvertes = hostiles_->Ouvertes;
        r_.hostilesRefusees = hostiles_->Fermees;
        hostiles_.reset();
        o_.hostiles = false;
        return;
    }
    if (maintenant < prochainHostile_) return;
    prochainHostile_ = maintenant + std::chrono::milliseconds(10);
    hostiles_->Avancer(maintenant);
}

void Banc::Boucle(Instant fin) {
    std::vector<epoll_event> evenements(1024);
    while (phase_ != Phase::Finie && Horloge::now() < fin) {
        Avancer();
        int attente = 5;
        if (!echeances_.empty()) {
            const double ms = Ms(echeances_.top().quand - Horloge::now());
            attente = std::clamp(static_cast<int>(ms), 0, 5);
        }
        const int n =
            ::epoll_wait(epoll_, evenements.data(), static_cast<int>(evenements.size()), attente);
        for (int i = 0; i < n; ++i) {
            const epoll_event& e = evenements[static_cast<std::size_t>(i)];
            if (e.data.u32 & MarqueHostile) {
                if (hostiles_) hostiles_->Evenement(e.data.u32, e.events);
                continue;
            }
            Evenement(*clients_[e.data.u32], e.events);
        }
        AvancerHostiles();
        Echeances();
    }
}

ResultatCharge Banc::Lancer() {
    limitePhase_ = Horloge::now() + std::chrono::seconds(60);
    // Bounded whatever the server does: preparation, play, and the checks.
    Boucle(Horloge::now() + std::chrono::seconds(90) + DeMs(o_.duree * 1000));
    if (r_.dureeMesuree == 0) MesurerServeur(false);
    for (auto& c : clients_) {
        if (Joueur(*c) && c->etape == Etape::Assis && c->role == Role::Createur &&
            clients_[static_cast<std::size_t>(Partenaire(*c))]->etape == Etape::Assis)
            ++r_.partiesEnJeu;
        if (c->fd >= 0) {
            ++r_.connexions;
            ::close(c->fd);
        }
    }
    if (o_.attente)
        r_.partiesEnJeu =
            static_cast<int>(std::count_if(clients_.begin(), clients_.end(), [](const auto& c) {
                return c->role == Role::Createur && c->etape == Etape::Assis;
            }));
    r_.inactivesTenues = inactivesTenues_;
    r_.verifies = verifies_;
    if (r_.dureeMesuree > 0)
        r_.actionsParSeconde = static_cast<double>(r_.actions) / r_.dureeMesuree;
    if (!latences_.empty()) {
        std::sort(latences_.begin(), latences_.end());
        const auto rang = [&](double q) {
            return latences_[std::min(
                latences_.size() - 1,
                static_cast<std::size_t>(q * static_cast<double>(latences_.size())))];
        };
        r_.medianeMs = rang(0.5);
        r_.p99Ms = rang(0.99);
        r_.pireMs = latences_.back();
    }
    ::close(epoll_);
    return r_;
}

} // namespace

ResultatCharge LancerCharge(const OptionsCharge& options) {
    Banc banc(options);
    std::string erreur;
    if (!banc.Preparer(erreur)) {
        static_cast<void>(std::fprintf(stderr, "ovane-charge: %s\n", erreur.c_str()));
        ResultatCharge r;
        r.erreurs = 1;
        return r;
    }
    return banc.Lancer();
}
