// One hosted game: its records, its two seats and their tokens, the ordered stream of what
// happened, and the clock's ticks. The only authority of a network game: it checks every action
// with the rules, keeps it, and only then sends it to both seats. No socket and no timer here:
// the owner delivers lines and ticks, so a test drives a host without an event loop.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal.h"
#include "protocole.h"
#include "rules/vue_memoire.h"

// The connection that holds a seat, as the host sees it.
class Lien {
public:
    virtual ~Lien() = default;
    virtual void Envoyer(const std::string& ligne) = 0;
    // Sends "erreur TEXTE" and closes. The host has already let the seat go; it is not called
    // back about this link.
    virtual void Fermer(const std::string& erreur) = 0;
};

// A new secret: 128 bits from the system's generator, in hexadecimal.
std::string NouveauJeton();
// What the host keeps of a token: its SHA-256.
std::string EmpreinteJeton(const std::string& jeton);

class HotePartie {
public:
    // An empty game: Creer or Restaurer gives it its stream. The journal, if any, outlives it.
    // The stream starts again from a snapshot every lignesAvantInstantane lines, in memory and
    // in the journal.
    HotePartie(std::string code, Journal* journal, std::size_t lignesAvantInstantane = 512);
    HotePartie(const HotePartie&) = delete;
    HotePartie& operator=(const HotePartie&) = delete;

    const std::string& Code() const { return code_; }

    // The first seat of a new game with these parameters: "partie", the catch-up, then "ok".
    // False when the journal refused the game (nothing was sent).
    bool Creer(int equipe, const CommandeJeu& parametres, Lien& lien);
    // A game found again in the journal; false when what it holds is not a game.
    bool Restaurer(const PartieEnregistree& enregistree);
    // rejoindre and reprendre. Returns whether a seat was taken. A refused rejoindre has been
    // answered with "erreur"; a refused reprendre is the caller's to answer, as for an unknown
    // code, so that the two cannot be told apart.
    bool Rejoindre(Lien& lien);
    bool Reprendre(const std::string& jeton, Lien& lien);
    // A request of the link that holds a seat: an action, etat, a proposal or its answer.
    void Traiter(Lien& lien, const Requete& requete);
    // The link is gone; the seat stays the player's, to take back with its token.
    void Quitter(Lien& lien);
    // The stream and seats as they stand, with an "erreur" sent to every link, which is let go.
    void FermerTout(const std::string& erreur);

    // Whether the clock should tick now: it runs in the game, and the team to play is here.
    bool HorlogeEnMarche() const;
    void Tic();

    // Seats, for the owner's bookkeeping.
    bool SiegePris(int equipe) const { return !sieges_[equipe & 1].empreinte.empty(); }
    bool Connecte(int equipe) const { return sieges_[equipe & 1].lien != nullptr; }
    bool Vide() const { return !Connecte(Bleus) && !Connecte(Rouges); }
    const jeu& Jeu() const { return *partie_.j; }
    const Equipes& Joueurs() const { return partie_.joueurs; }
    const VueMemoire& Ecran() const { return partie_.vue; }

private:
    struct Siege {
        std::string empreinte;
        Lien* lien = nullptr;
    };
    struct Proposition {
        int equipe = 0;
        CommandeJeu commande;
    };

    int SiegeDe(const Lien& lien) const;
    void Asseoir(int equipe, Lien& lien, const std::string& jeton);
    void Rattrapage(Lien& lien) const;
    void Jouer(int equipe, Lien& lien, const CommandeJeu& commande);
    enum class Issue { Change, Rien, NonGarde };
    Issue Evenement(const CommandeJeu& commande, Lien* auteur);
    bool Garder(const std::string& ligne);
    void Diffuser(const std::string& ligne);
    void Compacter();
    void Proposer(int equipe, Lien& lien, const CommandeJeu& commande);
    void Repondre(int equipe, Lien& lien, bool accepte);
    void AnnoncerFin(bool avant);

    std::string code_;
    Journal* journal_;
    std::size_t lignesAvantInstantane_;
    PartieMemoire partie_;
    std::array<Siege, 2> sieges_;
    // The boxes the rules showed during the command under way.
    std::vector<Boite> boites_;
    // The catch-up: a snapshot (none: the start-up game) and the stream's lines since.
    std::vector<std::uint8_t> base_;
    std::vector<std::string> flux_;
    // Ticks that only counted time down, not yet in the journal, and lines since its snapshot.
    int ticsNonGardes_ = 0;
    std::size_t lignesJournal_ = 0;
    std::optional<Proposition> proposition_;
};
