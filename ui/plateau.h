// The board window: the board, the gauge, the two status lines, the menu and the clock. It holds
// no game state: it draws the records it is given and shows what the rules tell it.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "boites.h"
#include "images.h"
#include "rules/vue.h"

class BarreEtat;
class GrillePlateau;
class JaugeOccupation;
class QAction;
class QMenu;
class QTimer;
class RegistreClasses;
class VisionneuseAide;

// The desktop services the window uses; the program passes the real ones, tests their own.
struct ServicesPlateau {
    Boites& boites;
    DialoguesFichier& dialogues;
    RegistreClasses& registre;
    VisionneuseAide& aide;
    // Shows the About box modally over the given window.
    std::function<void(QWidget*)> aPropos;
    // The running program's path, as registered for saved games and read for the version.
    QString programme;
};

class TFormPlateau : public QMainWindow, public Vue {
    Q_OBJECT
public:
    TFormPlateau(jeu& j, Equipes& joueurs, ServicesPlateau services, QWidget* parent = nullptr);

    // First showing: the About box, then the saved game named by the first argument, if any.
    void FormShow(const QStringList& arguments);

    void AfficherPanneau(int panneau, const std::string& texte) override;
    void DefinirJauge(int maximum, int progression, const std::string& bulle) override;
    void RedessinerPlateau() override;
    void DefinirCurseur(int numero) override;
    void ActiverHorloge(bool active) override;
    bool HorlogeActive() const override;
    void Message(const std::string& texte, const std::string& titre, Icone icone) override;
    position CaseCourante() const override;

    GrillePlateau* DrawGridPlateau = nullptr;
    JaugeOccupation* CGaugeOccupation = nullptr;
    BarreEtat* StatusBarMsg = nullptr;
    BarreEtat* StatusBarPlateau = nullptr;
    QTimer* TimerTemps = nullptr;
    QMenu* MenuFichier = nullptr;
    QMenu* MenuOptions = nullptr;
    QMenu* MenuAction = nullptr;
    QMenu* MenuAide = nullptr;
    QAction* RubriqueNouvelle = nullptr;
    QAction* RubriqueOuvrir = nullptr;
    QAction* RubriqueEnregistrer = nullptr;
    QAction* RubriqueEnregistrerSous = nullptr;
    QAction* RubriqueQuitter = nullptr;
    QAction* RubriqueParametres = nullptr;
    QAction* RubriqueFeuilleDeMatch = nullptr;
    QAction* RubriquePasserAction = nullptr;
    QAction* RubriquePasserTour = nullptr;
    QAction* RubriqueAideContextuelle = nullptr;
    QAction* RubriqueAPropos = nullptr;
    // The two dialogs' file names: a file waiting to be loaded, and the current save file.
    QString OpenDialogFileName;
    QString SaveDialogFileName;

    const Images& Pictures() const { return images_; }

public slots:
    void DrawGridPlateauDblClick();
    void RubriqueNouvelleClick();
    void RubriqueOuvrirClick();
    void RubriqueEnregistrerClick();
    void RubriqueEnregistrerSousClick();
    void RubriqueQuitterClick();
    void RubriqueParametresClick();
    void RubriqueFeuilleDeMatchClick();
    void RubriquePasserActionClick();
    void RubriquePasserTourClick();
    void RubriqueAideContextuelleClick();
    void RubriqueAProposClick();
    void TimerTempsTimer();

private:
    void FormCreate();
    void CreerComposants();
    void CreerMenu();
    void DrawGridPlateauDrawCell(QPainter& peintre, int colonne, int ligne, const QRect& r);
    const Images& ImagesPour(qreal ratio);
    QString DescriptionCase(int colonne, int ligne) const;

    jeu& jeu_;
    Equipes& joueurs_;
    ServicesPlateau services_;
    Partie partie_;
    Images images_;
    int curseur_ = acPlacement;
};
