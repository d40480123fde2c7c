// The replay tool's reader and writer: one command a line in, one line per box or state out.
#include "rejeu.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ordinateur/ordinateur.h"
#include "rules/commandes.h"
#include "rules/ligne_jeu.h"
#include "rules/transcription.h"
#include "rules/vue_memoire.h"

namespace {

// The rest of the line after the command word: a file name, spaces allowed.
bool Argument(std::istringstream& mots, std::string& texte) {
    std::getline(mots >> std::ws, texte);
    return !texte.empty();
}

class Rejeu {
public:
    explicit Rejeu(std::ostream& sortie) : sortie_(sortie) {
        partie_.vue.SurMessage = [this](const std::string& texte, const std::string& titre,
                                        Icone i) {
            sortie_ << LigneBoite({texte, titre, i}) << '\n';
        };
    }

    // Returns whether the line was understood (and then carried out).
    bool Executer(const std::string& ligne) {
        std::istringstream mots(ligne);
        std::string commande;
        mots >> commande;
        if (commande == "enregistrer" || commande == "ouvrir") return Fichier(commande, mots);
        if (commande == "graine") return Graine(mots);
        if (commande == "ordinateur") return Ordinateur(mots);
        if (commande == "etat") return Etat(mots);
        return Jeu(ligne);
    }

private:
    bool Graine(std::istringstream& mots) {
        unsigned long long graine = 0;
        std::string reste;
        if (!(mots >> graine) || (mots >> reste) || graine > 0xFFFFFFFFull) return false;
        graine_ = static_cast<std::uint32_t>(graine);
        for (auto& o : ordinateurs_) o.reset();
        return true;
    }

    // The computer's next action for the team to play, written as the command it is, then done
    // exactly as if that command had been read. Each level keeps its own seeded choices.
    bool Ordinateur(std::istringstream& mots) {
        int niveau = 0;
        std::string reste;
        if (!(mots >> niveau) || (mots >> reste) || niveau < 1 || niveau > NbNiveaux) return false;
        auto& ordinateur = ordinateurs_[static_cast<std::size_t>(niveau - 1)];
        if (!ordinateur)
            ordinateur = std::make_unique<::Ordinateur>(static_cast<Niveau>(niveau), graine_);
        const auto action = ordinateur->Choisir(*partie_.j, partie_.joueurs);
        if (!action) return true;
        sortie_ << "ordinateur\t" << TexteAction(*action) << '\n';
        ::Executer(partie_.p, *action);
        return true;
    }

    // A command that changes the game, its words separated by any blanks.
    bool Jeu(const std::string& ligne) {
        std::vector<std::string_view> mots;
        std::string_view reste(ligne);
        for (;;) {
            const auto debut = reste.find_first_not_of(" \t");
            if (debut == std::string_view::npos) break;
            reste.remove_prefix(debut);
            const auto fin = std::min(reste.find_first_of(" \t"), reste.size());
            mots.push_back(reste.substr(0, fin));
            reste.remove_prefix(fin);
        }
        const auto commande = LireCommandeJeu(mots);
        if (!commande) return false;
        AppliquerCommandeJeu(partie_.p, *commande);
        return true;
    }

    bool Fichier(const std::string& commande, std::istringstream& mots) {
        std::string chemin;
        if (!Argument(mots, chemin)) return false;
        if (commande == "enregistrer")
            EnregistrerPartie(partie_.p, chemin);
        else
            OuvrirPartie(partie_.p, chemin, partie_.vue.HorlogeActive());
        return true;
    }

    bool Etat(std::istringstream& mots) {
        std::string reste;
        if (mots >> reste) return false;
        sortie_ << LigneEtat(partie_.vue) << '\n';
        return true;
    }

    std::ostream& sortie_;
    PartieMemoire partie_;
    std::uint32_t graine_ = 1;
    std::array<std::unique_ptr<::Ordinateur>, NbNiveaux> ordinateurs_;
};

bool Ignoree(const std::string& ligne) {
    const auto debut = ligne.find_first_not_of(" \t\r");
    return debut == std::string::npos || ligne[debut] == '#';
}

// A line as the messages show it: its first characters, control characters as '?', so that the
// message stays one short line whatever the script holds.
std::string Extrait(const std::string& ligne) {
    constexpr std::size_t Longueur = 60;
    std::size_t fin = std::min(ligne.size(), Longueur);
    // Never cut a UTF-8 character in two.
    while (fin < ligne.size() && fin > 0 && (static_cast<unsigned char>(ligne[fin]) & 0xC0) == 0x80)
        --fin;
    std::string extrait = ligne.substr(0, fin);
    for (char& c : extrait)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return fin < ligne.size() ? extrait + "…" : extrait;
}

// The reason of the last failed system call, when there is one to give.
std::string Raison() {
    return errno != 0 ? " : " + std::generic_category().message(errno) : std::string();
}

} // namespace

Lecture LireLigne(std::istream& entree, LigneScript& ligne) {
    // A whole line and the terminator: getline takes the line feed that follows a full buffer,
    // and fails on any other character there.
    std::array<char, LongueurMaxLigne + 1> texte;
    entree.getline(texte.data(), texte.size());
    const auto lus = static_cast<std::size_t>(entree.gcount());
    if (entree.bad()) return Lecture::Erreur;
    if (lus == 0 && entree.eof()) return Lecture::Fin;
    ++ligne.Numero;
    // getline fails only on a line that fills the buffer; the last line may lack its line feed.
    const bool tropLongue = entree.fail();
    const bool finSansSaut = entree.eof();
    ligne.Texte.assign(texte.data(), tropLongue || finSansSaut ? lus : lus - 1);
    return tropLongue ? Lecture::TropLongue : Lecture::Ligne;
}

int Rejouer(std::istream& entree, std::ostream& sortie, std::ostream& erreurs) {
    Rejeu rejeu(sortie);
    LigneScript ligne;
    for (;;) {
        errno = 0;
        const Lecture lecture = LireLigne(entree, ligne);
        if (lecture == Lecture::Fin) return 0;
        if (lecture == Lecture::Erreur) {
            erreurs << "ovane-rejeu: entrée illisible" << Raison() << '\n';
            return 1;
        }
        const std::string numero = "ovane-rejeu: ligne " + std::to_string(ligne.Numero);
        if (lecture == Lecture::TropLongue) {
            erreurs << numero << " trop longue (plus de " << LongueurMaxLigne
                    << " octets) : " << Extrait(ligne.Texte) << '\n';
            return 2;
        }
        std::string& texte = ligne.Texte;
        if (!texte.empty() && texte.back() == '\r') texte.pop_back();
        if (Ignoree(texte)) continue;
        // A command never holds a NUL byte: a file name would stop there and name another file.
        if (texte.find('\0') != std::string::npos || !rejeu.Executer(texte)) {
            erreurs << numero << " illisible : " << Extrait(texte) << '\n';
            return 2;
        }
        // A program driving the replay through pipes reads each answer before its next command.
        errno = 0;
        if (!sortie.flush()) {
            erreurs << "ovane-rejeu: sortie impossible à écrire" << Raison() << '\n';
            return 1;
        }
    }
}
