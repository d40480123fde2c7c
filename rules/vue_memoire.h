// A window without pixels: it keeps what the rules show, for the replay tool, the tests and the
// benchmarks.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "textes.h"
#include "vue.h"

class VueMemoire : public Vue {
public:
    // What the board window shows when it is created, before any game operation has run.
    std::array<std::string, NbPanneaux> Panneaux = {
        Textes::PanneauxCreation[0], Textes::PanneauxCreation[1], Textes::PanneauxCreation[2],
        Textes::PanneauxCreation[3], Textes::PanneauxCreation[4], Textes::PanneauxCreation[5]};
    int MaximumJauge = MaximumJaugeVide;
    int ProgressionJauge = ProgressionJaugeVide;
    std::string BulleJauge = Textes::Occupation;
    int Curseur = acPlacement;
    bool Horloge = false;
    int Redessins = 0;
    // Called for every modal box; it may run other events, as a real nested loop would.
    std::function<void(const std::string& texte, const std::string& titre, Icone)> SurMessage;

    const std::string& Texte(Panneau panneau) const {
        return Panneaux[static_cast<std::size_t>(panneau)];
    }

    void AfficherPanneau(Panneau panneau, const std::string& texte) override;
    void DefinirJauge(int maximum, int progression, const std::string& bulle) override;
    void RedessinerPlateau() override { ++Redessins; }
    void DefinirCurseur(int numero) override { Curseur = numero; }
    void ActiverHorloge(bool active) override { Horloge = active; }
    bool HorlogeActive() const override { return Horloge; }
    void Message(const std::string& texte, const std::string& titre, Icone icone) override;
};

// A whole game of start-up held in memory, shown by a window without pixels. Not copyable: the
// rules' view of it refers to its own members.
struct PartieMemoire {
    std::unique_ptr<jeu> j = std::make_unique<jeu>();
    Equipes joueurs;
    VueMemoire vue;
    Partie p{*j, joueurs, vue};

    PartieMemoire() = default;
    PartieMemoire(const PartieMemoire&) = delete;
    PartieMemoire& operator=(const PartieMemoire&) = delete;
};
