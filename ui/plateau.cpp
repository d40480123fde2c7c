// The board window.
#include "plateau.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <chrono>

#include "barre_etat.h"
#include "centrage.h"
#include "fdm.h"
#include "grille.h"
#include "jauge.h"
#include "platform/aide.h"
#include "platform/association.h"
#include "prmjeu.h"
#include "rules/actions.h"
#include "rules/commandes.h"
#include "rules/geometrie.h"
#include "rules/resultat.h"
#include "rules/textes.h"

namespace {

constexpr int LargeurClient = 379;
constexpr int HauteurClient = 492;
constexpr int HauteurGrille = 454;
constexpr int LargeurGrille = 372;
constexpr int HauteurLigneEtat = 19;

std::string CheminLocal(const QString& nom) {
    return QFile::encodeName(nom).toStdString();
}

// The computer's choices differ from one run to the next.
std::uint32_t GraineDuMoment(int equipe) {
    const auto maintenant = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(maintenant) ^
           (0x9E3779B9u * static_cast<unsigned>(equipe + 1));
}

} // namespace

// Every handler that can change the game runs inside one. The computer never looks at a game
// between two steps of the rules, and a game that changed drops its search and its pending
// action; at the end the computer is asked to go on, from the event loop.
class TFormPlateau::Traitement {
public:
    explicit Traitement(TFormPlateau& f, bool change = true) : f_(f), change_(change) {
        ++f_.traitements_;
    }
    ~Traitement() {
        --f_.traitements_;
        if (change_) {
            ++f_.generation_;
            f_.OublierOrdinateur();
        }
        f_.ReprendreOrdinateur();
    }
    Traitement(const Traitement&) = delete;
    Traitement& operator=(const Traitement&) = delete;
    void Changement() { change_ = true; }

private:
    TFormPlateau& f_;
    bool change_;
};

TFormPlateau::TFormPlateau(jeu& j, Equipes& joueurs, ServicesPlateau services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      jeu_(j), joueurs_(joueurs), services_(std::move(services)), partie_{j, joueurs, *this} {
    setWindowTitle(QString::fromUtf8(Textes::Ovane));
    CreerComposants();
    CreerMenu();
    // The client area is fixed; the window is what it takes, menu bar included, and no more.
    setFixedSize(sizeHint());
    FormCreate();
}

TFormPlateau::~TFormPlateau() {
    // The search's thread never outlives the window.
    reflexion_.Arreter();
}

void TFormPlateau::CreerComposants() {
    auto* client = new QWidget(this);
    client->setFixedSize(LargeurClient, HauteurClient);
    setCentralWidget(client);

    DrawGridPlateau = new GrillePlateau(client);
    DrawGridPlateau->setGeometry(0, 0, LargeurGrille, HauteurGrille);
    DrawGridPlateau->DessinerCase = [this](QPainter& p, int c, int l, const QRect& r) {
        DrawGridPlateauDrawCell(p, c, l, r);
    };
    DrawGridPlateau->DecrireCase = [this](int c, int l) { return DescriptionCase(c, l); };
    connect(DrawGridPlateau, &GrillePlateau::DoubleClic, this,
            &TFormPlateau::DrawGridPlateauDblClick);

    CGaugeOccupation = new JaugeOccupation(client);
    CGaugeOccupation->setGeometry(LargeurGrille, 0, LargeurClient - LargeurGrille, HauteurGrille);
    CGaugeOccupation->setToolTip(QString::fromUtf8(Textes::Occupation));

    // The message line: what the computer is doing, and the result of a finished game.
    StatusBarMsg = new BarreEtat({{LargeurClient, Qt::AlignLeft, {}}}, client);
    StatusBarMsg->setGeometry(0, HauteurGrille, LargeurClient, HauteurLigneEtat);

    const auto texte = [](int i) { return QString::fromUtf8(Textes::PanneauxCreation[i]); };
    StatusBarPlateau = new BarreEtat({{100, Qt::AlignHCenter, texte(0)},
                                      {36, Qt::AlignHCenter, texte(1)},
                                      {75, Qt::AlignHCenter, texte(2)},
                                      {82, Qt::AlignLeft, texte(3)},
                                      {48, Qt::AlignHCenter, texte(4)},
                                      {32, Qt::AlignHCenter, texte(5)}},
                                     client);
    StatusBarPlateau->setGeometry(0, HauteurGrille + HauteurLigneEtat, LargeurClient,
                                  HauteurLigneEtat);
    StatusBarPlateau->setToolTip(QString::fromUtf8(Textes::HintBarreEtat));

    TimerOrdinateur = new QTimer(this);
    TimerOrdinateur->setSingleShot(true);
    connect(TimerOrdinateur, &QTimer::timeout, this, &TFormPlateau::JouerActionOrdinateur);

    TimerTemps = new QTimer(this);
    TimerTemps->setInterval(static_cast<int>(IntervalleHorloge));
    // A coarse timer may fire early: a play must never be cut short.
    TimerTemps->setTimerType(Qt::PreciseTimer);
    connect(TimerTemps, &QTimer::timeout, this, &TFormPlateau::TimerTempsTimer);

    DrawGridPlateau->setFocus();
}

void TFormPlateau::CreerMenu() {
    const auto rubrique = [this](QMenu* menu, const char* titre, const QKeySequence& touche,
                                 void (TFormPlateau::*gestionnaire)()) {
        QAction* action = menu->addAction(QString::fromUtf8(titre));
        action->setShortcut(touche);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, gestionnaire);
        return action;
    };
    MenuFichier = menuBar()->addMenu(QStringLiteral("&Partie"));
    RubriqueNouvelle =
        rubrique(MenuFichier, "&Nouvelle", Qt::Key_F4, &TFormPlateau::RubriqueNouvelleClick);
    RubriqueOuvrir =
        rubrique(MenuFichier, "&Ouvrir", Qt::Key_F3, &TFormPlateau::RubriqueOuvrirClick);
    RubriqueEnregistrer =
        rubrique(MenuFichier, "&Enregistrer", Qt::Key_F2, &TFormPlateau::RubriqueEnregistrerClick);
    RubriqueEnregistrerSous = rubrique(MenuFichier, "Enregistrer &sous...", Qt::SHIFT | Qt::Key_F2,
                                       &TFormPlateau::RubriqueEnregistrerSousClick);
    RubriqueQuitter = rubrique(MenuFichier, "&Quitter", Qt::CTRL | Qt::Key_Q,
                               &TFormPlateau::RubriqueQuitterClick);

    MenuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    RubriqueParametres = rubrique(MenuOptions, "&Paramètres de jeu", Qt::CTRL | Qt::Key_P,
                                  &TFormPlateau::RubriqueParametresClick);
    RubriqueFeuilleDeMatch = rubrique(MenuOptions, "&Feuille de match", Qt::CTRL | Qt::Key_F,
                                      &TFormPlateau::RubriqueFeuilleDeMatchClick);
    RubriqueJoueurs = rubrique(MenuOptions, "&Joueurs...", Qt::CTRL | Qt::Key_J,
                               &TFormPlateau::RubriqueJoueursClick);

    MenuAction = menuBar()->addMenu(QStringLiteral("&Commandes"));
    RubriquePasserAction = rubrique(MenuAction, "&Passer l'action", Qt::ALT | Qt::Key_Backspace,
                                    &TFormPlateau::RubriquePasserActionClick);
    RubriquePasserTour =
        rubrique(MenuAction, "&Passer son tour", Qt::SHIFT | Qt::ALT | Qt::Key_Backspace,
                 &TFormPlateau::RubriquePasserTourClick);

    MenuAide = menuBar()->addMenu(QStringLiteral("&Aide"));
    RubriqueAideContextuelle = rubrique(MenuAide, "&Aide contextuelle", Qt::Key_F1,
                                        &TFormPlateau::RubriqueAideContextuelleClick);
    RubriqueAPropos = rubrique(MenuAide, "&A propos...", Qt::SHIFT | Qt::Key_F1,
                               &TFormPlateau::RubriqueAProposClick);
}

void TFormPlateau::FormCreate() {
    images_ = Images::Charger(devicePixelRatioF());
    setWindowIcon(QIcon(QStringLiteral(":/icons/ovane.xpm")));
    EnregistrerTypeFichier(services_.registre, services_.programme, [this](const QString& texte) {
        services_.boites.Afficher(this, texte, QString::fromUtf8(Textes::Ovane), Icone::Arret);
    });
}

void TFormPlateau::FormShow(const QStringList& arguments) {
    Traitement traitement(*this);
    CentrerSurEcran(*this);
    if (services_.aPropos) services_.aPropos(this);
    if (arguments.isEmpty()) {
        DefinirCurseur(acPlacement);
        return;
    }
    Ouvrir(arguments.constFirst());
    DefinirCurseur(jeu_.Action);
    RedessinerPlateau();
}

void TFormPlateau::DrawGridPlateauDrawCell(QPainter& peintre, int colonne, int ligne,
                                           const QRect& r) {
    const Images& images = ImagesPour(peintre.device()->devicePixelRatioF());
    const int i = jeu::Index(colonne, ligne);
    if (FondCases[i] >= 0) peintre.drawPixmap(r.topLeft(), images.ImageList[FondCases[i]]);
    const auto contenu = static_cast<std::int8_t>(jeu_.Cases[i]);
    // The icons are centred in the cell: 4 pixels in at ratio 1.
    const QSizeF taille = images.IconeList[0].deviceIndependentSize();
    const QPointF icone = QRectF(r).center() - QPointF(taille.width(), taille.height()) / 2;
    if (contenu >= 0 && contenu <= 2) peintre.drawPixmap(icone, images.IconeList[contenu]);
    if (colonne == jeu_.ColonnePionDeplace && ligne == jeu_.LignePionDeplace)
        peintre.drawPixmap(icone, images.IconeList[IconePionDeplace]);
}

const Images& TFormPlateau::ImagesPour(qreal ratio) {
    // A window moved to a screen of another pixel ratio gets pictures and cursors made for it.
    if (!qFuzzyCompare(images_.Ratio, ratio)) {
        images_ = Images::Charger(ratio);
        curseurAffiche_ = -1;
        ActualiserCurseur();
    }
    return images_;
}

QString TFormPlateau::DescriptionCase(int colonne, int ligne) const {
    const std::uint8_t contenu = jeu_.Case(colonne, ligne);
    // A team's pawn is stored as the team + 1.
    const int equipe = contenu - 1;
    QString texte = contenu == CasePalet ? QStringLiteral("pion-palet")
                    : equipe == Bleus || equipe == Rouges
                        ? QStringLiteral("pion %1").arg(QString::fromUtf8(AdjectifsEquipes[equipe]))
                        : QStringLiteral("vide");
    if (colonne == jeu_.ColonnePionDeplace && ligne == jeu_.LignePionDeplace)
        texte += QStringLiteral(", marqué D");
    return texte;
}

void TFormPlateau::AfficherPanneau(Panneau panneau, const std::string& texte) {
    StatusBarPlateau->DefinirTexte(static_cast<int>(panneau), QString::fromStdString(texte));
}

void TFormPlateau::DefinirJauge(int maximum, int progression, const std::string& bulle) {
    CGaugeOccupation->setToolTip(QString::fromStdString(bulle));
    CGaugeOccupation->Definir(maximum, progression);
}

void TFormPlateau::RedessinerPlateau() {
    DrawGridPlateau->repaint();
}

void TFormPlateau::DefinirCurseur(int numero) {
    if (numero < acPlacement || numero > acTir) return;
    curseur_ = numero;
    ActualiserCurseur();
}

void TFormPlateau::ActualiserCurseur() {
    // While the computer plays, the board says it is busy and takes no double-click.
    const int curseur = TourOrdinateur() ? 0 : curseur_;
    const Images& images = ImagesPour(DrawGridPlateau->devicePixelRatioF());
    if (curseur == curseurAffiche_) return;
    curseurAffiche_ = curseur;
    if (curseur == 0)
        DrawGridPlateau->setCursor(Qt::BusyCursor);
    else
        DrawGridPlateau->setCursor(images.Curseurs[static_cast<std::size_t>(curseur)]);
}

void TFormPlateau::ActiverHorloge(bool active) {
    // A running clock keeps its rhythm.
    if (active && !TimerTemps->isActive())
        TimerTemps->start();
    else if (!active)
        TimerTemps->stop();
}

bool TFormPlateau::HorlogeActive() const {
    return TimerTemps->isActive();
}

void TFormPlateau::Message(const std::string& texte, const std::string& titre, Icone icone) {
    services_.boites.Afficher(this, QString::fromStdString(texte), QString::fromStdString(titre),
                              icone);
}

position TFormPlateau::CaseCourante() const {
    return DrawGridPlateau->CaseCourante();
}

// A person cannot act for the computer: its team's double-clicks and skips are ignored.
void TFormPlateau::DrawGridPlateauDblClick() {
    if (TourOrdinateur()) return;
    Traitement traitement(*this);
    ::DrawGridPlateauDblClick(partie_, CaseCourante());
}
void TFormPlateau::RubriquePasserActionClick() {
    if (TourOrdinateur()) return;
    Traitement traitement(*this);
    ::RubriquePasserActionClick(partie_);
}
void TFormPlateau::RubriquePasserTourClick() {
    if (TourOrdinateur()) return;
    Traitement traitement(*this);
    ::RubriquePasserTourClick(partie_);
}

void TFormPlateau::RubriqueNouvelleClick() {
    Traitement traitement(*this);
    // A new game ends a demonstration: it waits for its players.
    if (choixJoueurs_.Demonstration()) DefinirJoueurs({});
    ::RubriqueNouvelleClick(partie_);
}

void TFormPlateau::TimerTempsTimer() {
    // A tick changes the game only when the time runs out: the computer goes on thinking.
    Traitement traitement(*this, false);
    const int equipe = jeu_.JoueurCourant;
    const int action = jeu_.Action;
    ::TimerTempsTimer(partie_);
    if (equipe != jeu_.JoueurCourant || action != jeu_.Action || jeu_.FinDeJeu)
        traitement.Changement();
}
void TFormPlateau::RubriqueQuitterClick() {
    close();
}

void TFormPlateau::RubriqueOuvrirClick() {
    Ouvrir({});
}

void TFormPlateau::Ouvrir(const QString& fichier) {
    Traitement traitement(*this);
    const bool horloge = HorlogeActive();
    ActiverHorloge(false);
    QString nom = fichier;
    if (nom.isEmpty()) {
        const auto choisi = services_.dialogues.Ouvrir(this);
        if (!choisi) {
            // Cancelled: the play under way goes on timed.
            ActiverHorloge(horloge);
            return;
        }
        nom = *choisi;
    }
    OuvrirPartie(partie_, CheminLocal(nom), horloge);
}

void TFormPlateau::RubriqueEnregistrerClick() {
    Traitement traitement(*this, false);
    if (SaveDialogFileName.isEmpty()) {
        const auto nom = services_.dialogues.Enregistrer(this, SaveDialogFileName);
        if (!nom) return;
        SaveDialogFileName = *nom;
    }
    EnregistrerPartie(partie_, CheminLocal(SaveDialogFileName));
}

void TFormPlateau::RubriqueEnregistrerSousClick() {
    Traitement traitement(*this, false);
    const auto nom = services_.dialogues.Enregistrer(this, SaveDialogFileName);
    if (!nom) return;
    SaveDialogFileName = *nom;
    RubriqueEnregistrerClick();
}

void TFormPlateau::RubriqueParametresClick() {
    Traitement traitement(*this);
    TFormParametres dialogue(partie_, this);
    dialogue.exec();
}

void TFormPlateau::RubriqueFeuilleDeMatchClick() {
    Traitement traitement(*this, false);
    TFormFeuilleDeMatch feuille(jeu_, this);
    feuille.exec();
}

void TFormPlateau::RubriqueJoueursClick() {
    Traitement traitement(*this);
    TFormJoueurs dialogue(choixJoueurs_, this);
    if (dialogue.exec() == QDialog::Accepted) DefinirJoueurs(dialogue.Choix());
}

void TFormPlateau::RubriqueAideContextuelleClick() {
    services_.aide.AfficherRubrique(this, QStringLiteral("ovane.hlp"), 0);
}

void TFormPlateau::RubriqueAProposClick() {
    Traitement traitement(*this, false);
    if (services_.aPropos) services_.aPropos(this);
}

bool TFormPlateau::TourOrdinateur() const {
    return !jeu_.FinDeJeu && choixJoueurs_.Ordinateur[static_cast<std::size_t>(jeu_.Equipe())];
}

void TFormPlateau::DefinirJoueurs(const ChoixJoueurs& choix) {
    OublierOrdinateur();
    for (std::size_t t = 0; t < 2; ++t)
        if (choix.Niveaux[t] != choixJoueurs_.Niveaux[t]) ordinateurs_[t].reset();
    choixJoueurs_ = choix;
    ++generation_;
    ReprendreOrdinateur();
}

Ordinateur& TFormPlateau::OrdinateurDe(int equipe) {
    auto& ordinateur = ordinateurs_[static_cast<std::size_t>(equipe)];
    if (!ordinateur)
        ordinateur = std::make_unique<Ordinateur>(
            choixJoueurs_.Niveaux[static_cast<std::size_t>(equipe)], GraineDuMoment(equipe));
    return *ordinateur;
}

void TFormPlateau::OublierOrdinateur() {
    reflexion_.Arreter();
    actionOrdinateur_.reset();
    TimerOrdinateur->stop();
}

// The computer is asked to go on once the event loop has finished what it is doing.
void TFormPlateau::ReprendreOrdinateur() {
    if (repriseProgrammee_) return;
    repriseProgrammee_ = true;
    QTimer::singleShot(0, this, [this] {
        repriseProgrammee_ = false;
        PoursuivreOrdinateur();
    });
}

void TFormPlateau::PoursuivreOrdinateur() {
    if (traitements_ > 0) return;
    ActualiserMessage();
    ActualiserCurseur();
    if (!TourOrdinateur()) return OublierOrdinateur();
    if (actionOrdinateur_ || reflexion_.EnCours()) return;
    const int recherche = ++recherche_;
    reflexion_.Lancer(OrdinateurDe(jeu_.Equipe()), jeu_, joueurs_,
                      [this, recherche](const std::optional<ActionJoueur>& action) {
                          QMetaObject::invokeMethod(
                              this,
                              [this, recherche, action] { ResultatOrdinateur(recherche, action); },
                              Qt::QueuedConnection);
                      });
}

void TFormPlateau::ResultatOrdinateur(int recherche, std::optional<ActionJoueur> action) {
    // A search dropped since may have posted its result before it stopped.
    if (recherche != recherche_ || !reflexion_.EnCours()) return;
    reflexion_.Arreter();
    if (!action || !TourOrdinateur()) return ReprendreOrdinateur();
    actionOrdinateur_ = action;
    generationAction_ = generation_;
    // The cell first, then the action, so that a person sees what the computer does.
    if (action->genre == ActionJoueur::Genre::Clic)
        DrawGridPlateau->DefinirCaseCourante(action->cellule.Colonne, action->cellule.Ligne);
    TimerOrdinateur->start(PauseOrdinateur);
}

void TFormPlateau::JouerActionOrdinateur() {
    if (!actionOrdinateur_) return;
    // It waits while a box or a dialog is open, and goes on once it is closed.
    if (traitements_ > 0 || QApplication::activeModalWidget()) return TimerOrdinateur->start(100);
    if (generationAction_ != generation_ || !TourOrdinateur()) {
        actionOrdinateur_.reset();
        return ReprendreOrdinateur();
    }
    const ActionJoueur action = *actionOrdinateur_;
    actionOrdinateur_.reset();
    Traitement traitement(*this);
    Executer(partie_, action);
}

void TFormPlateau::ActualiserMessage() {
    QString texte;
    if (jeu_.FinDeJeu)
        texte = QString::fromStdString(TexteResultat(joueurs_));
    else if (TourOrdinateur())
        texte = QString::fromUtf8(Textes::OrdinateurReflechit);
    StatusBarMsg->DefinirTexte(0, texte);
}
