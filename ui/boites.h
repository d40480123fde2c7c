// Modal message boxes and file dialogs, behind interfaces so that tests can answer them.
#pragma once

#include <QString>
#include <optional>

#include "rules/vue.h"

class QWidget;

// The three answers to the question asked before a game that was not saved is left.
enum class Abandon { Enregistrer, NePasEnregistrer, Annuler };

class Boites {
public:
    virtual ~Boites() = default;
    // A modal box with one OK button; returns once it is closed.
    virtual void Afficher(QWidget* parent, const QString& texte, const QString& titre,
                          Icone icone) = 0;
    // A modal question with Oui and Non; whether the answer was Oui.
    virtual bool Demander(QWidget* parent, const QString& texte, const QString& titre) = 0;
    // A box that closes by itself after the delay if nobody closes it first.
    virtual void AfficherUnMoment(QWidget* parent, const QString& texte, const QString& titre,
                                  Icone icone, int millisecondes) = 0;
    // A modal question with Enregistrer, Ne pas enregistrer and Annuler.
    virtual Abandon DemanderEnregistrement(QWidget* parent, const QString& texte,
                                           const QString& titre) = 0;
};

class DialoguesFichier {
public:
    virtual ~DialoguesFichier() = default;
    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<QString> Ouvrir(QWidget* parent) = 0;
    // nom: the dialog's own file name, the current save file, shown selected.
    virtual std::optional<QString> Enregistrer(QWidget* parent, const QString& nom) = 0;
};

// The title bar's icon, buttons and margins, as usual window managers draw them.
inline constexpr int DecorationsBarreDeTitre = 120;
// The width a box needs for its caption to show whole in its title bar.
int LargeurMinimaleBoite(const QString& titre);

class BoitesQt : public Boites {
public:
    void Afficher(QWidget* parent, const QString& texte, const QString& titre,
                  Icone icone) override;
    bool Demander(QWidget* parent, const QString& texte, const QString& titre) override;
    void AfficherUnMoment(QWidget* parent, const QString& texte, const QString& titre, Icone icone,
                          int millisecondes) override;
    Abandon DemanderEnregistrement(QWidget* parent, const QString& texte,
                                   const QString& titre) override;
};

class DialoguesQt : public DialoguesFichier {
public:
    std::optional<QString> Ouvrir(QWidget* parent) override;
    std::optional<QString> Enregistrer(QWidget* parent, const QString& nom) override;
};
