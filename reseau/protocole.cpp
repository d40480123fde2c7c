// The protocol's lines, read and written.
#include "protocole.h"

#include <algorithm>
#include <array>

#include "game/partie.h"

namespace {

constexpr std::string_view Base64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::array<const char*, 2> MotsEquipes = {"bleus", "rouges"};

using Mots_ = std::vector<std::string_view>;

std::optional<CommandeJeu> CommandeDe(const Mots_& mots, std::size_t debut) {
    return LireCommandeJeu(std::span<const std::string_view>(mots).subspan(debut));
}

// proposer/proposition: "nouvelle" or "parametres P T M".
std::optional<CommandeJeu> Proposable(const Mots_& mots) {
    auto commande = CommandeDe(mots, 1);
    if (!commande || (commande->genre != CommandeJeu::Genre::Nouvelle &&
                      commande->genre != CommandeJeu::Genre::Parametres))
        return std::nullopt;
    return commande;
}

// The words after the first space, kept whole: a text with spaces of its own.
std::string_view Reste(std::string_view ligne) {
    const auto espace = ligne.find(' ');
    return espace == std::string_view::npos ? std::string_view() : ligne.substr(espace + 1);
}

LectureRequete Illisible() {
    return {std::nullopt, TextesReseau::CommandeIllisible};
}

LectureRequete Lue(Requete r) {
    return {std::move(r), nullptr};
}

LectureRequete Seats(const Mots_& mots, Requete r) {
    if (r.genre == Requete::Genre::Creer) {
        if (mots.size() != 5) return Illisible();
        const auto equipe = LireEquipe(mots[1]);
        const Mots_ parametres = {"parametres", mots[2], mots[3], mots[4]};
        const auto commande = CommandeDe(parametres, 0);
        if (!equipe || !commande) return Illisible();
        r.equipe = *equipe;
        r.jeu = *commande;
        return Lue(std::move(r));
    }
    const std::size_t attendus = r.genre == Requete::Genre::Rejoindre ? 2 : 3;
    if (mots.size() != attendus) return Illisible();
    const auto code = LireCode(mots[1]);
    if (!code) return Illisible();
    r.code = *code;
    if (attendus == 3) {
        if (!JetonBienForme(mots[2])) return Illisible();
        r.jeton = std::string(mots[2]);
    }
    return Lue(std::move(r));
}

} // namespace

std::string LigneErreur(const char* texte) {
    return std::string("erreur ") + texte;
}

const char* MotEquipe(int equipe) {
    return MotsEquipes[static_cast<std::size_t>(equipe & 1)];
}

std::optional<int> LireEquipe(std::string_view mot) {
    for (int e = 0; e < 2; ++e)
        if (mot == MotsEquipes[static_cast<std::size_t>(e)]) return e;
    return std::nullopt;
}

std::optional<std::string> LireCode(std::string_view mot) {
    if (mot.size() != LongueurCode) return std::nullopt;
    std::string code(mot);
    for (char& c : code) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (AlphabetCode.find(c) == std::string_view::npos) return std::nullopt;
    }
    return code;
}

bool JetonBienForme(std::string_view mot) {
    return mot.size() == LongueurJeton && std::all_of(mot.begin(), mot.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::string EnBase64(const std::vector<std::uint8_t>& octets) {
    std::string texte;
    texte.reserve((octets.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < octets.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, octets.size() - i);
        std::uint32_t bloc = static_cast<std::uint32_t>(octets[i]) << 16;
        if (n > 1) bloc |= static_cast<std::uint32_t>(octets[i + 1]) << 8;
        if (n > 2) bloc |= octets[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            texte += k <= n ? Base64[(bloc >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return texte;
}

std::optional<std::vector<std::uint8_t>> DepuisBase64(std::string_view texte) {
    if (texte.size() % 4 != 0) return std::nullopt;
    std::vector<std::uint8_t> octets;
    octets.reserve(texte.size() / 4 * 3);
    for (std::size_t i = 0; i < texte.size(); i += 4) {
        const bool dernier = i + 4 == texte.size();
        std::uint32_t bloc = 0;
        std::size_t pleins = 4;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = texte[i + k];
            const auto v = Base64.find(c);
            if (c == '=' && dernier && k >= 2) {
                if (pleins == 4) pleins = k;
                continue;
            }
            if (v == std::string_view::npos || pleins != 4) return std::nullopt;
            bloc |= static_cast<std::uint32_t>(v) << (18 - 6 * k);
        }
        for (std::size_t k = 0; k + 1 < pleins; ++k)
            octets.push_back(static_cast<std::uint8_t>(bloc >> (16 - 8 * k)));
        // Bits past the last byte must be zero: one text for one content.
        if (pleins < 4 && (bloc & ((1u << (24 - 8 * (pleins - 1))) - 1)) != 0) return std::nullopt;
    }
    return octets;
}

std::optional<std::vector<std::string_view>> Mots(std::string_view ligne) {
    std::vector<std::string_view> mots;
    for (;;) {
        const auto espace = ligne.find(' ');
        const std::string_view mot = ligne.substr(0, espace);
        if (mot.empty()) return std::nullopt;
        mots.push_back(mot);
        if (espace == std::string_view::npos) return mots;
        ligne.remove_prefix(espace + 1);
    }
}

LectureRequete LireRequete(std::string_view ligne) {
    const auto mots = Mots(ligne);
    if (!mots) return Illisible();
    const std::string_view commande = (*mots)[0];
    Requete r;
    using G = Requete::Genre;
    if (commande == "ovane") {
        if (mots->size() != 2) return Illisible();
        if ((*mots)[1] != VersionProtocole) return {std::nullopt, TextesReseau::VersionInconnue};
        return Lue(r);
    }
    if (commande == "creer" || commande == "rejoindre" || commande == "reprendre") {
        r.genre = commande == "creer"       ? G::Creer
                  : commande == "rejoindre" ? G::Rejoindre
                                            : G::Reprendre;
        return Seats(*mots, std::move(r));
    }
    if (commande == "proposer") {
        const auto proposee = Proposable(*mots);
        if (!proposee) return Illisible();
        r.genre = G::Proposer;
        r.jeu = *proposee;
        return Lue(r);
    }
    if (commande == "etat" || commande == "accepter" || commande == "refuser" ||
        commande == "sauvegarde") {
        if (mots->size() != 1) return Illisible();
        r.genre = commande == "etat"       ? G::Etat
                  : commande == "accepter" ? G::Accepter
                  : commande == "refuser"  ? G::Refuser
                                           : G::Sauvegarde;
        return Lue(r);
    }
    const auto action = CommandeDe(*mots, 0);
    if (action && action->Action()) {
        r.genre = G::Jeu;
        r.jeu = *action;
        return Lue(r);
    }
    // A known game word with wrong arguments is a malformed command, not an unknown one.
    const Mots_ seul = {commande};
    if (action || CommandeDe(seul, 0) || commande == "clic" || commande == "parametres")
        return Illisible();
    return {std::nullopt, TextesReseau::CommandeInconnue};
}

std::string TexteRequete(const Requete& r) {
    using G = Requete::Genre;
    switch (r.genre) {
    case G::Bonjour:
        return "ovane " + std::string(VersionProtocole);
    case G::Creer:
        return "creer " + std::string(MotEquipe(r.equipe)) + ' ' + std::to_string(r.jeu.pions) +
               ' ' + std::to_string(r.jeu.tours) + ' ' + std::to_string(r.jeu.temps);
    case G::Rejoindre:
        return "rejoindre " + r.code;
    case G::Reprendre:
        return "reprendre " + r.code + ' ' + r.jeton;
    case G::Jeu:
        return TexteCommandeJeu(r.jeu);
    case G::Etat:
        return "etat";
    case G::Proposer:
        return "proposer " + TexteCommandeJeu(r.jeu);
    case G::Accepter:
        return "accepter";
    case G::Refuser:
        return "refuser";
    case G::Sauvegarde:
        return "sauvegarde";
    }
    return {};
}

namespace {

constexpr std::array<std::string_view, 3> MotsSuites = {"acceptee", "refusee", "annulee"};

std::optional<Annonce> AnnonceAMots(std::string_view ligne, const Mots_& mots) {
    using G = Annonce::Genre;
    Annonce a;
    const std::string_view premier = mots[0];
    if (premier == "ok" && mots.size() == 1) {
        a.genre = G::Ok;
    } else if (premier == "ovane" && mots.size() == 3 && mots[1] == VersionProtocole) {
        a.genre = G::Bonjour;
        a.texte = std::string(mots[2]);
    } else if (premier == "partie" && mots.size() == 4) {
        const auto code = LireCode(mots[1]);
        const auto equipe = LireEquipe(mots[2]);
        if (!code || !equipe || !JetonBienForme(mots[3])) return std::nullopt;
        a.genre = G::Partie;
        a.code = *code;
        a.equipe = *equipe;
        a.jeton = std::string(mots[3]);
    } else if (premier == "jeu") {
        const auto commande = CommandeDe(mots, 1);
        if (!commande) return std::nullopt;
        a.genre = G::Jeu;
        a.jeu = *commande;
    } else if ((premier == "instantane" || premier == "sauvegarde") && mots.size() == 2) {
        auto octets = DepuisBase64(mots[1]);
        if (!octets || octets->size() != TaillePartie) return std::nullopt;
        a.genre = premier == "instantane" ? G::Instantane : G::Sauvegarde;
        a.octets = std::move(*octets);
    } else if (premier == "adversaire" && mots.size() == 2 &&
               (mots[1] == "present" || mots[1] == "absent")) {
        a.genre = G::Adversaire;
        a.present = mots[1] == "present";
    } else if (premier == "proposition" && mots.size() == 2 && mots[1] == "annulee") {
        a.genre = G::Retrait;
    } else if (premier == "proposition") {
        const auto proposee = Proposable(mots);
        if (!proposee) return std::nullopt;
        a.genre = G::Proposition;
        a.jeu = *proposee;
    } else if (premier == "reponse" && mots.size() == 2) {
        const auto suite = std::find(MotsSuites.begin(), MotsSuites.end(), mots[1]);
        if (suite == MotsSuites.end()) return std::nullopt;
        a.genre = G::Reponse;
        a.suite = static_cast<Annonce::Suite>(suite - MotsSuites.begin());
    } else if (premier == "erreur" || premier == "fin") {
        a.genre = premier == "erreur" ? G::Erreur : G::Fin;
        a.texte = std::string(Reste(ligne));
    } else {
        return std::nullopt;
    }
    return a;
}

} // namespace

std::optional<Annonce> LireAnnonce(std::string_view ligne) {
    if (ligne.size() > LongueurMaxAnnonce) return std::nullopt;
    if (ligne.substr(0, 6) == "boite\t") {
        auto boite = LireLigneBoite(ligne);
        if (!boite) return std::nullopt;
        Annonce a;
        a.genre = Annonce::Genre::Boite;
        a.boite = std::move(*boite);
        return a;
    }
    if (ligne.substr(0, 5) == "etat\t") {
        Annonce a;
        a.genre = Annonce::Genre::Etat;
        a.texte = std::string(ligne);
        return a;
    }
    // A text after erreur or fin may hold any spaces; the other lines are single-spaced words.
    const bool texteLibre = ligne.substr(0, 7) == "erreur " || ligne.substr(0, 4) == "fin ";
    const auto mots =
        texteLibre ? std::optional<Mots_>(Mots_{ligne.substr(0, ligne.find(' '))}) : Mots(ligne);
    if (!mots) return std::nullopt;
    return AnnonceAMots(ligne, *mots);
}

std::string TexteAnnonce(const Annonce& a) {
    using G = Annonce::Genre;
    switch (a.genre) {
    case G::Bonjour:
        return "ovane " + std::string(VersionProtocole) + ' ' + a.texte;
    case G::Ok:
        return "ok";
    case G::Erreur:
        return "erreur " + a.texte;
    case G::Partie:
        return "partie " + a.code + ' ' + MotEquipe(a.equipe) + ' ' + a.jeton;
    case G::Jeu:
        return "jeu " + TexteCommandeJeu(a.jeu);
    case G::Boite:
        return LigneBoite(a.boite);
    case G::Etat:
        return a.texte;
    case G::Instantane:
        return "instantane " + EnBase64(a.octets);
    case G::Sauvegarde:
        return "sauvegarde " + EnBase64(a.octets);
    case G::Adversaire:
        return a.present ? "adversaire present" : "adversaire absent";
    case G::Proposition:
        return "proposition " + TexteCommandeJeu(a.jeu);
    case G::Retrait:
        return "proposition annulee";
    case G::Reponse:
        return "reponse " + std::string(MotsSuites[static_cast<std::size_t>(a.suite)]);
    case G::Fin:
        return "fin " + a.texte;
    }
    return {};
}
