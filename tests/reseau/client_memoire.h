// A player's connection inside a test: every line a host sends is read as a player reads it, and
// its stream applied to the player's own records.
#pragma once

#include <gtest/gtest.h>

#include "game/partie.h"
#include "reseau/hote.h"
#include "reseau/miroir.h"

class ClientMemoire : public Lien {
public:
    ClientMemoire() {
        partie.vue.SurMessage = [this](const std::string& texte, const std::string& titre,
                                       Icone icone) {
            if (!rattrapage) boites.push_back({texte, titre, icone});
        };
    }

    void Envoyer(const std::string& ligne) override {
        recues.push_back(ligne);
        const auto annonce = LireAnnonce(ligne);
        ASSERT_TRUE(annonce) << ligne;
        if (annonce->genre == Annonce::Genre::Partie) {
            jeton = annonce->jeton;
            rattrapage = true;
            miroir.Recommencer();
        } else if (annonce->genre == Annonce::Genre::Ok) {
            rattrapage = false;
        }
        EXPECT_TRUE(miroir.Appliquer(*annonce)) << ligne;
    }
    void Fermer(const std::string& erreur) override {
        recues.push_back("erreur " + erreur);
        ferme = true;
    }

    std::vector<std::uint8_t> Octets() const { return OctetsPartie(*partie.j, partie.joueurs); }
    bool ARecu(const std::string& ligne) const {
        return std::find(recues.begin(), recues.end(), ligne) != recues.end();
    }

    PartieMemoire partie;
    MiroirPartie miroir{partie.p};
    std::vector<std::string> recues;
    // The boxes its own replay of the stream showed.
    std::vector<Boite> boites;
    std::string jeton;
    bool rattrapage = false;
    bool ferme = false;
};

// What a server's database would keep, in memory.
class JournalMemoire : public Journal {
public:
    bool Creer(const std::string& code, int equipe, const std::string& empreinte,
               const std::string& ligne) override {
        partie.code = code;
        partie.empreintes[equipe & 1] = empreinte;
        return Ajouter(code, {0, ligne});
    }
    bool Asseoir(const std::string&, int equipe, const std::string& empreinte) override {
        partie.empreintes[equipe & 1] = empreinte;
        return true;
    }
    bool Ajouter(const std::string&, const LigneEnregistree& ligne) override {
        if (plein) return false;
        partie.lignes.push_back(ligne);
        ++ecritures;
        return true;
    }
    bool Compacter(const std::string&, const std::vector<std::uint8_t>& base) override {
        if (plein) return false;
        partie.base = base;
        partie.lignes.clear();
        ++ecritures;
        return true;
    }

    bool Relire(const std::string& code, PartieEnregistree& lue) override {
        if (code != partie.code) return false;
        lue = partie;
        return true;
    }

    PartieEnregistree partie;
    // Lines and snapshots kept so far.
    int ecritures = 0;
    // A full disk: nothing more is kept.
    bool plein = false;
};
