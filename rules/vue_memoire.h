// A window without pixels: it keeps what the rules show, for the replay tool and the tests.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "textes.h"
#include "vue.h"

// What the board window shows when it is created, before any game operation has run.
namespace Creation {
inline const std::array<std::string, NbPanneaux> Panneaux = {
    "Bleus 0-0 Rouges", "1/40", "Placement", "Pion n°1", "Bleus", "0:00"};
inline constexpr int MaximumJauge = 100;
inline constexpr int ProgressionJauge = 50;
inline constexpr int Curseur = acPlacement;
} // namespace Creation

class VueMemoire : public Vue {
public:
    std::array<std::string, NbPanneaux> Panneaux = Creation::Panneaux;
    int MaximumJauge = Creation::MaximumJauge;
    int ProgressionJauge = Creation::ProgressionJauge;
    std::string BulleJauge = Textes::Occupation;
    int Curseur = Creation::Curseur;
    bool Horloge = false;
    int Redessins = 0;
    position Courante{0, 0};
    // Called for every modal box; it may run other events, as a real nested loop would.
    std::function<void(const std::string& texte, const std::string& titre, Icone)> SurMessage;

    void AfficherPanneau(int panneau, const std::string& texte) override;
    void DefinirJauge(int maximum, int progression, const std::string& bulle) override;
    void RedessinerPlateau() override { ++Redessins; }
    void DefinirCurseur(int numero) override { Curseur = numero; }
    void ActiverHorloge(bool active) override { Horloge = active; }
    bool HorlogeActive() const override { return Horloge; }
    void Message(const std::string& texte, const std::string& titre, Icone icone) override;
    position CaseCourante() const override { return Courante; }
};
