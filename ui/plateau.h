// The board window: the board, the gauge, the two status lines, the menu and the clock. It holds
// no game state: it draws the records it is given, shows what the rules tell it, and takes each
// team's actions from the participant that plays it.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "boites.h"
#include "historique.h"
#include "images.h"
#include "joueurs.h"
#include "participant.h"
#include "reseau_dialogue.h"
#include "rules/vue.h"

class BarreEtat;
class PartieReseau;
class GrillePlateau;
class JaugeOccupation;
class QAction;
class QCloseEvent;
class QMenu;
class QTimer;
class RechercheFond;
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
    // The preferences file, read at the first showing and written when the board's size is
    // chosen; none is kept when empty.
    QString preferences = {};
};

class TFormPlateau : public QMainWindow, public Vue {
    Q_OBJECT
public:
    TFormPlateau(jeu& j, Equipes& joueurs, ServicesPlateau services, QWidget* parent = nullptr);
    ~TFormPlateau() override;

    // First showing: the board's size kept, the About box, then the saved game named by the first
    // argument, if any.
    void FormShow(const QStringList& arguments);

    void AfficherPanneau(Panneau panneau, const std::string& texte) override;
    void DefinirJauge(int maximum, int progression, const std::string& bulle) override;
    void RedessinerPlateau() override;
    void DefinirCurseur(int numero) override;
    void ActiverHorloge(bool active) override;
    bool HorlogeActive() const override;
    void Message(const std::string& texte, const std::string& titre, Icone icone) override;
    // The grid's current cell, which a double-click acts on.
    position CaseCourante() const;

    // The board's factor: its pixel art drawn that many times larger, the gauge and the status
    // lines with it. Setting it lays the window's client area out again, without resizing it.
    int Echelle() const;
    void DefinirEchelle(int echelle);
    // The room the screen leaves for the window, which bounds the factor a menu entry chooses.
    std::function<QSize()> PlaceEcran;
    // Says a change of team or a goal to a screen reader; tests put their own ear here.
    std::function<void(const QString&)> Annoncer;

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
    QAction* RubriqueReseau = nullptr;
    QAction* RubriqueQuitter = nullptr;
    QAction* RubriqueParametres = nullptr;
    QAction* RubriqueFeuilleDeMatch = nullptr;
    QAction* RubriqueJoueurs = nullptr;
    QAction* RubriqueAgrandir = nullptr;
    QAction* RubriqueReduire = nullptr;
    QAction* RubriqueTailleNormale = nullptr;
    QAction* RubriquePasserAction = nullptr;
    QAction* RubriquePasserTour = nullptr;
    QAction* RubriqueAnnuler = nullptr;
    QAction* RubriqueRetablir = nullptr;
    QAction* RubriqueConseil = nullptr;
    QAction* RubriqueAideContextuelle = nullptr;
    QAction* RubriqueAPropos = nullptr;
    // The current save file, which "Enregistrer" writes to without asking once it is chosen.
    QString SaveDialogFileName;
    // Brings back an action that waits for a box or a dialog to close.
    QTimer* TimerAction = nullptr;

    const Images& Pictures() const { return images_; }

    const ChoixJoueurs& Joueurs() const { return choixJoueurs_; }
    // A new choice of players: the teams whose choice changed get a new participant, and what any
    // participant was choosing or about to do is dropped.
    void DefinirJoueurs(const ChoixJoueurs& choix);
    // Seats the participant that plays the team (index 0 Bleus, 1 Rouges) in place of the one
    // there; the window owns it.
    void DefinirParticipant(int equipe, std::unique_ptr<Participant> participant);
    Participant& ParticipantDe(int equipe) const;
    // Every action goes through here, whoever chose it. An action for a team that is not to play
    // in a live game is dropped; one that comes while a box or a dialog is open waits for it to
    // close, and is dropped if the game changes meanwhile.
    void Agir(int equipe, const ActionJoueur& action);
    // How an accepted action is carried out: by default, by the rules on this window's records;
    // a game whose authority is elsewhere puts its own step here.
    std::function<void(const ActionJoueur&)> ExecuterAction;

    // A network game, created or joined as the choice says; the game at the window is replaced
    // by the host's. Leaves any network game under way first.
    void JouerEnReseau(const ChoixReseau& choix);
    // Back to a game at this window alone, from where the records stand.
    void QuitterReseau();
    // The network game under way, if any.
    PartieReseau* Reseau() const { return reseau_.get(); }

    // The action the hint proposes, once found; gone with the next change of the game.
    const std::optional<ActionJoueur>& Conseil() const { return conseil_; }
    // The cells the other side touched in its last play, until the next action.
    bool Marquee(int colonne, int ligne) const { return marques_[jeu::Index(colonne, ligne)]; }

public slots:
    void DrawGridPlateauDblClick();
    void RubriqueNouvelleClick();
    void RubriqueOuvrirClick();
    // "Ouvrir" on the named file, or on the one chosen in the open dialog when none is named.
    void Ouvrir(const QString& fichier);
    void RubriqueEnregistrerClick();
    void RubriqueEnregistrerSousClick();
    void RubriqueReseauClick();
    void RubriqueQuitterClick();
    void RubriqueParametresClick();
    void RubriqueFeuilleDeMatchClick();
    void RubriqueJoueursClick();
    void RubriqueAgrandirClick();
    void RubriqueReduireClick();
    void RubriqueTailleNormaleClick();
    void RubriquePasserActionClick();
    void RubriquePasserTourClick();
    void RubriqueAnnulerClick();
    void RubriqueRetablirClick();
    void RubriqueConseilClick();
    void RubriqueAideContextuelleClick();
    void RubriqueAProposClick();
    void TimerTempsTimer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Traitement;

    void FormCreate();
    void CreerComposants();
    void CreerMenu();
    void DrawGridPlateauDrawCell(QPainter& peintre, int colonne, int ligne, const QRect& r);
    const Images& ImagesPour(qreal pixelsParPixelArt);
    void AnnoncerBut(const std::string& score);

    // The client area at a factor, in window pixels.
    QSize TailleClient(int echelle) const;
    void Disposer();
    void Centrer();
    int EchelleMaximaleSurEcran() const;
    // The largest factor whose client area fits in the window as it is.
    int EchelleALaPlace() const;
    // A factor chosen from the menu: kept, and the window resized to it.
    void ChoisirEchelle(int echelle);
    void AjusterEchelleALaPlace();
    void Retenir() const;
    QString DescriptionCase(int colonne, int ligne) const;

    void Installer(int equipe, std::unique_ptr<Participant> participant);
    // The participant of the team to play, or none once the game is over.
    Participant* ParticipantAJouer() const;
    void AgirPersonne(const ActionJoueur& action);
    void AgirEnAttente();
    void OublierActions();
    void Reprendre();
    void Poursuivre();
    void ActualiserMessage();
    void ActualiserCurseur();
    void ActualiserRubriques();
    // Whether the person at the window is to act, or the game is over, outside a network game:
    // then a position can be taken back.
    bool RetourPossible() const;
    Instantane Photo() const;
    void Restaurer(Instantane position);
    // The marks after an action of the team, from the board before it.
    void NoterMarques(int equipe, bool personne, const std::array<std::uint8_t, NbCases>& avant);
    void MarquerLigneReseau(bool change);
    void ConseilTrouve(const std::optional<ActionJoueur>& action);
    QString TexteConseil() const;
    // What the message line says while a person is to play.
    QString MessagePersonne() const;
    // The game is another one: nothing to take back, no marks, nothing changed since.
    void AutrePartie();
    std::vector<std::uint8_t> OctetsSansTemps() const;
    void ReferencerPartie();
    bool PartieModifiee() const;
    // Asks before a game changed since it was last saved or opened is left; whether it may be.
    bool AbandonAccepte();
    // Saves to the current save file, or to one chosen first; whether it was saved.
    bool Enregistrer(bool demanderNom);
    void DessinerAides(QPainter& peintre, int colonne, int ligne, const QRect& r);
    void InstallerReseau();
    void QuitterReseauPlusTard();

    jeu& jeu_;
    Equipes& joueurs_;
    ServicesPlateau services_;
    Partie partie_;
    Images images_;
    QWidget* fond_ = nullptr;
    QWidget* client_ = nullptr;
    // The cursor of the current action, shown whenever a person is to play.
    int curseur_ = acPlacement;
    // The cursor on the board now: an action's, or 0 for the busy one.
    int curseurAffiche_ = -1;

    ChoixJoueurs choixJoueurs_;
    std::array<std::unique_ptr<Participant>, 2> participants_;
    struct ActionEnAttente {
        int equipe;
        ActionJoueur action;
    };
    std::optional<ActionEnAttente> attente_;
    // Handlers under way, nested ones included.
    int traitements_ = 0;
    bool repriseProgrammee_ = false;

    // Declared after the participants: it goes first, and it may hold one of them.
    std::unique_ptr<PartieReseau> reseau_;
    // In a network game the host keeps time: the window's clock is only the rules' flag.
    bool horlogeReseau_ = false;
    // The team this window plays in the network game, once seated.
    int equipeReseau_ = -1;
    // The last network game given up, to take its seat back from the dialog.
    std::optional<ChoixReseau> dernierReseau_;

    Historique historique_;
    RechercheFond* conseiller_ = nullptr;
    std::optional<ActionJoueur> conseil_;
    std::array<bool, NbCases> marques_{};
    // The team whose play the marks show, or -1.
    int equipeMarquee_ = -1;
    // The board and the team to play as the last line of the network game left them.
    std::array<std::uint8_t, NbCases> casesReseau_{};
    int equipeAvantReseau_ = -1;
    // The game as last saved, opened or started, its time left aside.
    std::vector<std::uint8_t> reference_;
};
