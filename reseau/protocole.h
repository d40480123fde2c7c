// The network protocol, version 1, as pure functions: a line in, a typed message or a refusal
// out; a message in, a line out. Nothing here touches a socket, so every rule of the protocol is
// tested and fuzzed without one. docs/protocole.md is the contract these functions keep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/ligne_jeu.h"
#include "rules/transcription.h"

inline constexpr std::string_view VersionProtocole = "1";
// A line to the host, line feed excluded; a longer one closes the connection.
inline constexpr std::size_t LongueurMaxRequete = 4096;
// A line from the host: an instantane is about 13 KB.
inline constexpr std::size_t LongueurMaxAnnonce = std::size_t{64} * 1024;
inline constexpr std::uint16_t PortParDefaut = 7710;

// A game's code: six characters read aloud without confusion (no 0/O, 1/I/L).
inline constexpr std::string_view AlphabetCode = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
inline constexpr std::size_t LongueurCode = 6;
// A seat's token: 128 random bits in lowercase hexadecimal.
inline constexpr std::size_t LongueurJeton = 32;

// What the host says to a player, in French.
namespace TextesReseau {
inline constexpr const char* BonjourAttendu = "Ce serveur parle le protocole « ovane 1 ».";
inline constexpr const char* VersionInconnue = "Version du protocole non prise en charge.";
inline constexpr const char* CommandeInconnue = "Commande inconnue.";
inline constexpr const char* CommandeIllisible = "Commande mal formée.";
inline constexpr const char* LigneTropLongue = "Ligne trop longue.";
inline constexpr const char* Silence = "Aucun bonjour reçu à temps.";
inline constexpr const char* PartieInconnue = "Partie introuvable ou jeton refusé.";
inline constexpr const char* TropDEssais = "Trop d'essais refusés.";
inline constexpr const char* PartieComplete = "Cette partie a déjà ses deux joueurs.";
inline constexpr const char* DejaAssis = "Vous jouez déjà une partie sur cette connexion.";
inline constexpr const char* PasAssis = "Créez ou rejoignez d'abord une partie.";
inline constexpr const char* AttenteAdversaire = "La partie attend son deuxième joueur.";
inline constexpr const char* PasVotreTour = "Ce n'est pas à vous de jouer.";
inline constexpr const char* PartieFinie = "La partie est terminée.";
inline constexpr const char* Remplace = "Votre place a été reprise par une autre connexion.";
inline constexpr const char* Stockage =
    "Le serveur ne peut pas enregistrer la partie : réessayez plus tard.";
inline constexpr const char* AdversaireAbsent = "Votre adversaire n'est pas connecté.";
inline constexpr const char* PropositionEnCours = "Une proposition attend déjà sa réponse.";
inline constexpr const char* AucuneProposition = "Aucune proposition n'attend votre réponse.";
inline constexpr const char* Arret = "Le serveur s'arrête.";
inline constexpr const char* TropDeConnexions = "Trop de connexions depuis votre adresse.";
inline constexpr const char* TropDeParties = "Trop de parties créées depuis votre adresse.";
inline constexpr const char* ServeurComplet = "Le serveur est complet : réessayez plus tard.";
inline constexpr const char* TropDeCommandes = "Trop de commandes à la fois.";
inline constexpr const char* LigneTropLente = "Ligne reçue trop lentement.";
} // namespace TextesReseau

// "erreur TEXTE".
std::string LigneErreur(const char* texte);

// "bleus" or "rouges".
const char* MotEquipe(int equipe);
std::optional<int> LireEquipe(std::string_view mot);
// The code in capitals when every character is of the alphabet, in either case.
std::optional<std::string> LireCode(std::string_view mot);
bool JetonBienForme(std::string_view mot);

std::string EnBase64(const std::vector<std::uint8_t>& octets);
// Strict: the standard alphabet, padded, nothing else.
std::optional<std::vector<std::uint8_t>> DepuisBase64(std::string_view texte);

// The words of a line separated by single spaces; an empty word (two spaces, a space at either
// end) makes the line unreadable.
std::optional<std::vector<std::string_view>> Mots(std::string_view ligne);

// A line from a player to the host.
struct Requete {
    enum class Genre : std::int8_t {
        Bonjour,    // ovane 1
        Creer,      // creer EQUIPE P T M
        Rejoindre,  // rejoindre CODE
        Reprendre,  // reprendre CODE JETON
        Jeu,        // clic C L | passer-action | passer-tour
        Etat,       // etat
        Proposer,   // proposer nouvelle | proposer parametres P T M
        Accepter,   // accepter
        Refuser,    // refuser
        Sauvegarde, // sauvegarde
    };
    Genre genre = Genre::Bonjour;
    int equipe = 0;
    // Jeu: the action; Creer: its parameters; Proposer: nouvelle or its parameters.
    CommandeJeu jeu;
    std::string code;
    std::string jeton;
};

struct LectureRequete {
    std::optional<Requete> requete;
    // Why the line was refused, when it was: a text for the player.
    const char* erreur = nullptr;
};
LectureRequete LireRequete(std::string_view ligne);
std::string TexteRequete(const Requete& requete);

// A line from the host to a player.
struct Annonce {
    enum class Genre : std::int8_t {
        Bonjour,     // ovane 1 VERSION
        Ok,          // ok
        Erreur,      // erreur TEXTE
        Partie,      // partie CODE EQUIPE JETON
        Jeu,         // jeu LIGNE
        Boite,       // boite<TAB>ICONE<TAB>TITRE<TAB>TEXTE
        Etat,        // etat<TAB>...
        Instantane,  // instantane BASE64
        Adversaire,  // adversaire present | adversaire absent
        Proposition, // proposition nouvelle | proposition parametres P T M
        Retrait,     // proposition annulee
        Reponse,     // reponse acceptee | reponse refusee | reponse annulee
        Fin,         // fin TEXTE
        Sauvegarde,  // sauvegarde BASE64
    };
    enum class Suite : std::int8_t { Acceptee, Refusee, Annulee };

    Genre genre = Genre::Ok;
    // Bonjour: the host's version; Erreur, Fin: the text; Etat: the whole line.
    std::string texte;
    std::string code;
    std::string jeton;
    int equipe = 0;
    // Jeu: the line; Proposition: nouvelle or parametres.
    CommandeJeu jeu;
    Boite boite;
    // Instantane, Sauvegarde: a saved game's bytes.
    std::vector<std::uint8_t> octets;
    bool present = false;
    Suite suite = Suite::Acceptee;
};
std::optional<Annonce> LireAnnonce(std::string_view ligne);
std::string TexteAnnonce(const Annonce& annonce);
