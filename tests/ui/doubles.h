// Doubles for the window's services, and the real board window built over them: for the window's
// tests and its benchmarks.
#pragma once

#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/aide.h"
#include "platform/registre.h"
#include "ui/barre_etat.h"
#include "ui/boites.h"
#include "ui/grille.h"
#include "ui/participant_ordinateur.h"
#include "ui/plateau.h"

struct BoiteVue {
    QString texte;
    QString titre;
    Icone icone;
    // The delay after which it closes by itself, or 0.
    int fermeture = 0;
};

class BoitesEnregistrees : public Boites {
public:
    std::vector<BoiteVue> Vues;
    // Runs while the box would be open, as the events of a nested loop would.
    std::function<void(const BoiteVue&)> PendantLaBoite;

    void Afficher(QWidget*, const QString& texte, const QString& titre, Icone icone) override {
        Vues.push_back({texte, titre, icone});
        if (PendantLaBoite) PendantLaBoite(Vues.back());
    }
    void AfficherUnMoment(QWidget*, const QString& texte, const QString& titre, Icone icone,
                          int millisecondes) override {
        Vues.push_back({texte, titre, icone, millisecondes});
        if (PendantLaBoite) PendantLaBoite(Vues.back());
    }
    // The questions before leaving a game that was not saved, and the answers given in order
    // (Ne pas enregistrer once they run out).
    std::vector<QString> QuestionsEnregistrement;
    std::deque<Abandon> Abandons;
    Abandon DemanderEnregistrement(QWidget*, const QString& texte, const QString&) override {
        QuestionsEnregistrement.push_back(texte);
        if (Abandons.empty()) return Abandon::NePasEnregistrer;
        const Abandon reponse = Abandons.front();
        Abandons.pop_front();
        return reponse;
    }
    // The questions asked, and the answers given in order (Non once they run out).
    std::vector<QString> Questions;
    std::deque<bool> Reponses;
    bool Demander(QWidget*, const QString& texte, const QString&) override {
        Questions.push_back(texte);
        if (Reponses.empty()) return false;
        const bool oui = Reponses.front();
        Reponses.pop_front();
        return oui;
    }
};

class DialoguesScriptes : public DialoguesFichier {
public:
    // The answers, in order; an empty optional is a cancel.
    std::deque<std::optional<QString>> Reponses;
    int Ouvertures = 0;
    int Enregistrements = 0;

    std::optional<QString> Ouvrir(QWidget*) override {
        ++Ouvertures;
        return Suivante();
    }
    QString NomPropose;
    std::optional<QString> Enregistrer(QWidget*, const QString& nom) override {
        ++Enregistrements;
        NomPropose = nom;
        return Suivante();
    }

private:
    std::optional<QString> Suivante() {
        if (Reponses.empty()) return std::nullopt;
        std::optional<QString> r;
        r.swap(Reponses.front());
        Reponses.pop_front();
        return r;
    }
};

class AideEnregistree : public VisionneuseAide {
public:
    std::vector<std::pair<QString, int>> Demandes;
    void AfficherRubrique(QWidget*, const QString& fichier, int contexte) override {
        Demandes.emplace_back(fichier, contexte);
    }
};

struct FenetreDeTest {
    std::unique_ptr<jeu> j = std::make_unique<jeu>();
    Equipes joueurs;
    BoitesEnregistrees boites;
    DialoguesScriptes dialogues;
    RegistreMemoire registre;
    AideEnregistree aide;
    int aPropos = 0;
    std::unique_ptr<TFormPlateau> fenetre;

    explicit FenetreDeTest(bool construire = true) {
        if (construire) Construire();
    }

    void Construire() {
        fenetre = std::make_unique<TFormPlateau>(
            *j, joueurs,
            ServicesPlateau{boites, dialogues, registre, aide, [this](QWidget*) { ++aPropos; },
                            QStringLiteral("/opt/ovane/bin/ovane")});
    }

    TFormPlateau& f() { return *fenetre; }

    // The computer seated for the team; it must be one.
    ParticipantOrdinateur& Ordinateur(int equipe) {
        return dynamic_cast<ParticipantOrdinateur&>(f().ParticipantDe(equipe));
    }
    // The players chosen, with the computers' pause between showing a cell and acting on it.
    void DefinirJoueurs(const ChoixJoueurs& choix, int pause) {
        f().DefinirJoueurs(choix);
        for (int t = 0; t < 2; ++t)
            if (choix.Ordinateur[static_cast<std::size_t>(t)]) Ordinateur(t).Pause = pause;
    }

    void DoubleClic(int colonne, int ligne) {
        const QPoint centre = f().DrawGridPlateau->RectangleCase(colonne, ligne).center();
        QTest::mouseClick(f().DrawGridPlateau, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(f().DrawGridPlateau, Qt::LeftButton, {}, centre);
    }

    QString Panneau(int i) const { return fenetre->StatusBarPlateau->Texte(i); }

    // The placements of the game that reaches a goal fastest: Bleus, then Rouges, six times.
    template <class Poser> static void PlacerPourUnBut(Poser poser) {
        const std::pair<int, int> bleus[] = {{4, 2}, {0, 1}, {1, 1}, {2, 1}, {6, 1}, {7, 1}};
        const std::pair<int, int> rouges[] = {{0, 9}, {1, 9}, {2, 9}, {6, 9}, {7, 9}, {8, 9}};
        for (int n = 0; n < 6; ++n) {
            poser(bleus[n].first, bleus[n].second, Bleus);
            poser(rouges[n].first, rouges[n].second, Rouges);
        }
    }

    // Twelve placements by double-clicks: Bleus on row 2, Rouges on row 8, columns 0 to 5. The
    // last one starts the first timed play; avant runs just before each.
    void PlacerDouze(const std::function<void()>& avant = {}) {
        for (int n = 0; n < 6; ++n) {
            for (const int ligne : {2, 8}) {
                if (avant) avant();
                DoubleClic(n, ligne);
            }
        }
    }
};
