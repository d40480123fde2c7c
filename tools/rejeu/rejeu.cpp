// The replay tool's reader and writer: one command a line in, one line per box or state out.
#include "rejeu.h"

#include <algorithm>
#include <array>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "ordinateur/ordinateur.h"
#include "rules/actions.h"
#include "rules/commandes.h"
#include "rules/vue_memoire.h"

namespace {

const char* NomIcone(Icone icone) {
    switch (icone) {
    case Icone::Arret:
        return "stop";
    case Icone::Exclamation:
        return "exclamation";
    case Icone::Information:
        return "information";
    }
    return "";
}

std::string SurUneLigne(const std::string& texte) {
    std::string ligne;
    for (const char c : texte) {
        if (c == '\n')
            ligne += "\\n";
        else
            ligne += c;
    }
    return ligne;
}

void EcrireEtat(std::ostream& sortie, const VueMemoire& vue) {
    sortie << "etat";
    for (const std::string& panneau : vue.Panneaux) sortie << '\t' << panneau;
    sortie << '\t' << vue.MaximumJauge << '\t' << vue.ProgressionJauge << '\t' << vue.BulleJauge
           << '\t' << vue.Curseur << '\t' << (vue.Horloge ? 1 : 0) << '\n';
}

bool UnDe(int valeur, int a, int b, int c) {
    return valeur == a || valeur == b || valeur == c;
}

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
            sortie_ << "boite\t" << NomIcone(i) << '\t' << titre << '\t' << SurUneLigne(texte)
                    << '\n';
        };
    }

    // Returns whether the line was understood (and then carried out).
    bool Executer(const std::string& ligne) {
        std::istringstream mots(ligne);
        std::string commande;
        mots >> commande;
        if (commande == "clic") return Clic(mots);
        if (commande == "parametres") return Parametres(mots);
        if (commande == "enregistrer" || commande == "ouvrir") return Fichier(commande, mots);
        if (commande == "graine") return Graine(mots);
        if (commande == "ordinateur") return Ordinateur(mots);
        std::string reste;
        if (mots >> reste) return false;
        return Simple(commande);
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
        if (!(mots >> niveau) || (mots >> reste) || niveau < 1 || niveau > 3) return false;
        auto& ordinateur = ordinateurs_[static_cast<std::size_t>(niveau - 1)];
        if (!ordinateur)
            ordinateur = std::make_unique<::Ordinateur>(static_cast<Niveau>(niveau), graine_);
        const auto action = ordinateur->Choisir(*partie_.j, partie_.joueurs);
        if (!action) return true;
        sortie_ << "ordinateur\t" << TexteAction(*action) << '\n';
        ::Executer(partie_.p, *action);
        return true;
    }

    bool Clic(std::istringstream& mots) {
        int c = 0, l = 0;
        std::string reste;
        if (!(mots >> c >> l) || (mots >> reste) || !SurPlateau(c, l)) return false;
        DrawGridPlateauDblClick(partie_.p, position(c, l));
        return true;
    }

    bool Parametres(std::istringstream& mots) {
        int pions = 0, tours = 0, temps = 0;
        std::string reste;
        if (!(mots >> pions >> tours >> temps) || (mots >> reste)) return false;
        if (!UnDe(pions, 5, 6, 7) || !UnDe(tours, 20, 40, 60) || !UnDe(temps, 30000, 60000, 90000))
            return false;
        AppliquerParametres(partie_.p, pions, tours, static_cast<std::uint32_t>(temps));
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

    bool Simple(const std::string& commande) {
        if (commande == "passer-action")
            RubriquePasserActionClick(partie_.p);
        else if (commande == "passer-tour")
            RubriquePasserTourClick(partie_.p);
        else if (commande == "nouvelle")
            RubriqueNouvelleClick(partie_.p);
        else if (commande == "tic") {
            if (partie_.vue.HorlogeActive()) TimerTempsTimer(partie_.p);
        } else if (commande == "etat")
            EcrireEtat(sortie_, partie_.vue);
        else
            return false;
        return true;
    }

    std::ostream& sortie_;
    PartieMemoire partie_;
    std::uint32_t graine_ = 1;
    std::array<std::unique_ptr<::Ordinateur>, 3> ordinateurs_;
};

bool Ignoree(const std::string& ligne) {
    const auto debut = ligne.find_first_not_of(" \t\r");
    return debut == std::string::npos || ligne[debut] == '#';
}

} // namespace

int Rejouer(std::istream& entree, std::ostream& sortie, std::ostream& erreurs) {
    Rejeu rejeu(sortie);
    std::string ligne;
    for (int numero = 1; std::getline(entree, ligne); ++numero) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (Ignoree(ligne)) continue;
        if (!rejeu.Executer(ligne)) {
            erreurs << "ovane-rejeu: ligne " << numero << " illisible : " << ligne << '\n';
            return 2;
        }
        // A program driving the replay through pipes reads each answer before its next command.
        sortie.flush();
    }
    return 0;
}
