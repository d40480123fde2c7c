// Quiet stand-ins for the window's services, for the window benchmarks.
#pragma once

#include <functional>
#include <memory>

#include "platform/aide.h"
#include "platform/registre.h"
#include "ui/boites.h"
#include "ui/grille.h"
#include "ui/plateau.h"

struct BoitesMuettes : Boites {
    std::function<void(const QString& titre)> SurBoite;
    void Afficher(QWidget*, const QString&, const QString& titre, Icone) override {
        if (SurBoite) SurBoite(titre);
    }
};

struct DialoguesMuets : DialoguesFichier {
    std::optional<QString> Ouvrir(QWidget*) override { return std::nullopt; }
    std::optional<QString> Enregistrer(QWidget*, const QString&) override { return std::nullopt; }
};

struct AideMuette : VisionneuseAide {
    void AfficherRubrique(QWidget*, const QString&, int) override {}
};

// The real board window over a fresh game, with quiet services.
struct FenetreBench {
    std::unique_ptr<jeu> j = std::make_unique<jeu>();
    Equipes joueurs;
    BoitesMuettes boites;
    DialoguesMuets dialogues;
    RegistreMemoire registre;
    AideMuette aide;
    TFormPlateau fenetre{*j, joueurs, {boites, dialogues, registre, aide, {}, QString()}};

    // Twelve placements through the window's handler: Bleus on row 2, Rouges on row 8. The last
    // one starts the first timed play; avant runs just before each.
    void PlacerDouze(const std::function<void()>& avant = {}) {
        for (int n = 0; n < 6; ++n) {
            for (const int ligne : {2, 8}) {
                fenetre.DrawGridPlateau->DefinirCaseCourante(n, ligne);
                if (avant) avant();
                fenetre.DrawGridPlateauDblClick();
            }
        }
    }
};
