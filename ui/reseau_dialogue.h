// The "Jouer en réseau" dialog: create a game (on this computer or on a server) or join one with
// its address and code.
#pragma once

#include <QString>

#include "dialogue.h"
#include "reseau/session.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

struct ChoixReseau {
    bool Creer = true;
    // Creating: on this computer (its own host, on Port) or on the server at Adresse.
    bool Local = true;
    quint16 Port = PortParDefaut;
    int Equipe = Bleus;
    CommandeJeu Parametres;
    // Joining, or creating on a server.
    AdresseHote Adresse;
    QString Code;
    // Joining with the token of the seat held before: that seat is taken back.
    QString Jeton;
};

class TFormReseau : public DialogueOvane {
    Q_OBJECT
public:
    // parametres: the current game's, which a new game starts from.
    TFormReseau(const CommandeJeu& parametres, QWidget* parent = nullptr);

    QRadioButton* RadioCreer = nullptr;
    QRadioButton* RadioRejoindre = nullptr;
    QRadioButton* RadioLocal = nullptr;
    QRadioButton* RadioServeur = nullptr;
    QSpinBox* EditPort = nullptr;
    QLineEdit* EditServeur = nullptr;
    QComboBox* ComboEquipe = nullptr;
    QComboBox* ComboPions = nullptr;
    QComboBox* ComboTours = nullptr;
    QComboBox* ComboTemps = nullptr;
    QLineEdit* EditAdresse = nullptr;
    QLineEdit* EditCode = nullptr;
    QLabel* LabelErreur = nullptr;
    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonAnnuler = nullptr;

    // Offers to join the game left before, at its address with its code.
    void ProposerRetour(const ChoixReseau& avant);
    // What the dialog shows now, when it is complete and well formed.
    std::optional<ChoixReseau> Choix() const;

private:
    void Actualiser();
    void Valider();
};
