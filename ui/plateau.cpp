// The board window.
#include "plateau.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "accessibilite.h"
#include "barre_etat.h"
#include "centrage.h"
#include "fdm.h"
#include "game/partie.h"
#include "grille.h"
#include "jauge.h"
#include "participant_ordinateur.h"
#include "participant_personne.h"
#include "partie_reseau.h"
#include "platform/aide.h"
#include "platform/association.h"
#include "platform/version.h"
#include "preferences.h"
#include "prmjeu.h"
#include "recherche.h"
#include "reperes.h"
#include "rules/actions.h"
#include "rules/commandes.h"
#include "rules/deroulement.h"
#include "rules/geometrie.h"
#include "rules/resultat.h"
#include "rules/textes.h"

namespace {

// How long a box of a demonstration stays open with nobody to close it.
constexpr int DureeBoiteDemonstration = 4000;
const char* const QuestionEnregistrer =
    "La partie en cours n'a pas été enregistrée. Voulez-vous l'enregistrer ?";
// The gauge's width at factor 1; the board and the status lines say their own sizes.
constexpr int LargeurJauge = 7;
// What each panel shows, for assistive technologies, in the words of the line's tooltip.
const std::array<const char*, NbPanneaux> NomsPanneaux = {"Score",    "Tour",   "Action",
                                                          "Séquence", "Joueur", "Temps"};
// Announced to a screen reader when the team to play changes.
constexpr const char* AuxEquipeDeJouer = "Aux %1 de jouer";

bool Tient(QSize taille, QSize place) {
    return taille.width() <= place.width() && taille.height() <= place.height();
}

// The largest factor that passes the test, 1 if none does.
int PlusGrandeEchelle(const std::function<bool(int)>& convient) {
    int echelle = 1;
    while (echelle < EchelleMaximale && convient(echelle + 1)) ++echelle;
    return echelle;
}

// The window's client area: the board's place, at the board's size, in the middle of whatever
// room the window gives it. It tells the window when that room changes.
class FondFenetre : public QWidget {
public:
    explicit FondFenetre(QWidget* parent) : QWidget(parent) {}
    std::function<void()> Redimensionne;
    QSize Contenu;
    QSize sizeHint() const override { return Contenu; }

protected:
    void resizeEvent(QResizeEvent*) override {
        if (Redimensionne) Redimensionne();
    }
};

std::string CheminLocal(const QString& nom) {
    return QFile::encodeName(nom).toStdString();
}

std::unique_ptr<Participant> NouveauParticipant(const ChoixJoueurs& choix, int equipe) {
    const auto t = static_cast<std::size_t>(equipe);
    if (!choix.Ordinateur[t]) return std::make_unique<ParticipantPersonne>();
    return std::make_unique<ParticipantOrdinateur>(choix.Niveaux[t], GraineDuMoment(equipe));
}

// Whether the participant is the one the choice names for the team: then it stays, and a
// computer keeps what it learnt of the game.
bool Convient(const Participant& participant, const ChoixJoueurs& choix, int equipe) {
    const auto t = static_cast<std::size_t>(equipe);
    if (!choix.Ordinateur[t]) return qobject_cast<const ParticipantPersonne*>(&participant);
    const auto* ordinateur = qobject_cast<const ParticipantOrdinateur*>(&participant);
    return ordinateur && ordinateur->NiveauDeJeu() == choix.Niveaux[t];
}

} // namespace

// Every handler that can change the game runs inside one. No participant looks at a game
// between two steps of the rules, and a game that changed drops what they were choosing and
// any action waiting; at the end the team to play is asked to go on, from the event loop.
class TFormPlateau::Traitement {
public:
    explicit Traitement(TFormPlateau& f, bool change = true) : f_(f), change_(change) {
        ++f_.traitements_;
    }
    ~Traitement() {
        --f_.traitements_;
        if (change_) f_.OublierActions();
        f_.Reprendre();
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
                              Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                              Qt::WindowCloseButtonHint),
      jeu_(j), joueurs_(joueurs), services_(std::move(services)), partie_{j, joueurs, *this} {
    setWindowTitle(QString::fromUtf8(Textes::Ovane));
    ExecuterAction = [this](const ActionJoueur& action) { Executer(partie_, action); };
    CreerComposants();
    CreerMenu();
    // The hint is the Expert's choice, sought as the computer seeks its own.
    conseiller_ = new RechercheFond(Niveau::Expert, GraineDuMoment(Bleus), this);
    connect(conseiller_, &RechercheFond::Trouvee, this, &TFormPlateau::ConseilTrouve);
    for (int t = 0; t < 2; ++t) Installer(t, NouveauParticipant(choixJoueurs_, t));
    Annoncer = [this](const QString& texte) { ::Annoncer(this, texte); };
    PlaceEcran = [this] {
        const QScreen* ecran = screen();
        return ecran ? ecran->availableGeometry().size() : QSize();
    };
    // The window starts at the board's size; below the size of factor 1 it cannot go.
    fond_->setMinimumSize(TailleClient(1));
    resize(sizeHint());
    FormCreate();
    ReferencerPartie();
}

TFormPlateau::~TFormPlateau() {
    for (const auto& participant : participants_) participant->Interrompre();
}

void TFormPlateau::CreerComposants() {
    auto* fond = new FondFenetre(this);
    fond_ = fond;
    setCentralWidget(fond_);
    auto* client = new QWidget(fond_);
    client_ = client;

    DrawGridPlateau = new GrillePlateau(client);
    DrawGridPlateau->DessinerCase = [this](QPainter& p, int c, int l, const QRect& r) {
        DrawGridPlateauDrawCell(p, c, l, r);
    };
    DrawGridPlateau->DecrireCase = [this](int c, int l) { return DescriptionCase(c, l); };
    connect(DrawGridPlateau, &GrillePlateau::DoubleClic, this,
            &TFormPlateau::DrawGridPlateauDblClick);

    CGaugeOccupation = new JaugeOccupation(client);
    CGaugeOccupation->setToolTip(QString::fromUtf8(Textes::Occupation));

    // The message line: what the computer is doing, and the result of a finished game.
    StatusBarMsg = new BarreEtat({{0, Qt::AlignLeft, {}, QStringLiteral("Message")}}, client);

    const auto panneau = [](int i, int largeur, Qt::Alignment alignement) {
        return BarreEtat::Panneau{largeur, alignement,
                                  QString::fromUtf8(Textes::PanneauxCreation[i]),
                                  QString::fromUtf8(NomsPanneaux[static_cast<std::size_t>(i)])};
    };
    StatusBarPlateau =
        new BarreEtat({panneau(0, 100, Qt::AlignHCenter), panneau(1, 36, Qt::AlignHCenter),
                       panneau(2, 75, Qt::AlignHCenter), panneau(3, 82, Qt::AlignLeft),
                       panneau(4, 48, Qt::AlignHCenter), panneau(5, 32, Qt::AlignHCenter)},
                      client);
    StatusBarPlateau->setToolTip(QString::fromUtf8(Textes::HintBarreEtat));
    fond->Redimensionne = [this] { AjusterEchelleALaPlace(); };
    Disposer();

    TimerAction = new QTimer(this);
    TimerAction->setSingleShot(true);
    TimerAction->setInterval(100);
    connect(TimerAction, &QTimer::timeout, this, &TFormPlateau::AgirEnAttente);

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
    RubriqueReseau = rubrique(MenuFichier, "&Jouer en réseau...", Qt::CTRL | Qt::Key_R,
                              &TFormPlateau::RubriqueReseauClick);
    RubriqueQuitter = rubrique(MenuFichier, "&Quitter", Qt::CTRL | Qt::Key_Q,
                               &TFormPlateau::RubriqueQuitterClick);

    MenuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    RubriqueParametres = rubrique(MenuOptions, "&Paramètres de jeu", Qt::CTRL | Qt::Key_P,
                                  &TFormPlateau::RubriqueParametresClick);
    RubriqueFeuilleDeMatch = rubrique(MenuOptions, "&Feuille de match", Qt::CTRL | Qt::Key_F,
                                      &TFormPlateau::RubriqueFeuilleDeMatchClick);
    RubriqueJoueurs = rubrique(MenuOptions, "&Joueurs...", Qt::CTRL | Qt::Key_J,
                               &TFormPlateau::RubriqueJoueursClick);
    // The board's size, as a group of its own.
    MenuOptions->addSeparator();
    RubriqueAgrandir = rubrique(MenuOptions, "A&grandir le plateau", Qt::CTRL | Qt::Key_Plus,
                                &TFormPlateau::RubriqueAgrandirClick);
    // Where "+" needs Maj, Ctrl+= is the same key.
    RubriqueAgrandir->setShortcuts(QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                                       QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    RubriqueReduire = rubrique(MenuOptions, "&Réduire le plateau", Qt::CTRL | Qt::Key_Minus,
                               &TFormPlateau::RubriqueReduireClick);
    RubriqueTailleNormale = rubrique(MenuOptions, "&Taille normale", Qt::CTRL | Qt::Key_0,
                                     &TFormPlateau::RubriqueTailleNormaleClick);

    MenuAction = menuBar()->addMenu(QStringLiteral("&Commandes"));
    RubriquePasserAction = rubrique(MenuAction, "&Passer l'action", Qt::ALT | Qt::Key_Backspace,
                                    &TFormPlateau::RubriquePasserActionClick);
    RubriquePasserTour =
        rubrique(MenuAction, "&Passer son tour", Qt::SHIFT | Qt::ALT | Qt::Key_Backspace,
                 &TFormPlateau::RubriquePasserTourClick);
    MenuAction->addSeparator();
    RubriqueAnnuler =
        rubrique(MenuAction, "&Annuler", Qt::CTRL | Qt::Key_Z, &TFormPlateau::RubriqueAnnulerClick);
    RubriqueRetablir = rubrique(MenuAction, "&Rétablir", Qt::CTRL | Qt::SHIFT | Qt::Key_Z,
                                &TFormPlateau::RubriqueRetablirClick);
    RubriqueConseil =
        rubrique(MenuAction, "C&onseil", Qt::CTRL | Qt::Key_H, &TFormPlateau::RubriqueConseilClick);
    RubriqueAnnuler->setEnabled(false);
    RubriqueRetablir->setEnabled(false);

    MenuAide = menuBar()->addMenu(QStringLiteral("&Aide"));
    RubriqueAideContextuelle = rubrique(MenuAide, "&Aide contextuelle", Qt::Key_F1,
                                        &TFormPlateau::RubriqueAideContextuelleClick);
    RubriqueAPropos = rubrique(MenuAide, "À &propos...", Qt::SHIFT | Qt::Key_F1,
                               &TFormPlateau::RubriqueAProposClick);
}

QSize TFormPlateau::TailleClient(int echelle) const {
    const QSize grille = GrillePlateau::TailleFenetre(echelle, devicePixelRatioF());
    return QSize(grille.width() + LargeurJauge * echelle,
                 grille.height() + 2 * BarreEtat::Hauteur * echelle);
}

int TFormPlateau::Echelle() const {
    return DrawGridPlateau->Echelle();
}

void TFormPlateau::DefinirEchelle(int echelle) {
    echelle = std::clamp(echelle, 1, EchelleMaximale);
    DrawGridPlateau->DefinirEchelle(echelle);
    StatusBarMsg->DefinirEchelle(echelle);
    StatusBarPlateau->DefinirEchelle(echelle);
    Disposer();
    // The cursor of the new size, at once.
    ActualiserCurseur();
}

void TFormPlateau::Disposer() {
    const int e = Echelle();
    const QSize grille = DrawGridPlateau->sizeHint();
    const int largeur = grille.width() + LargeurJauge * e;
    const int ligne = BarreEtat::Hauteur * e;
    DrawGridPlateau->setGeometry(QRect(QPoint(0, 0), grille));
    CGaugeOccupation->setGeometry(grille.width(), 0, LargeurJauge * e, grille.height());
    StatusBarMsg->setGeometry(0, grille.height(), largeur, ligne);
    StatusBarPlateau->setGeometry(0, grille.height() + ligne, largeur, ligne);
    client_->resize(largeur, grille.height() + 2 * ligne);
    static_cast<FondFenetre*>(fond_)->Contenu = client_->size();
    fond_->updateGeometry();
    // The window's size hint follows at once, for a resize that comes before the event loop.
    if (layout()) layout()->invalidate();
    Centrer();
}

void TFormPlateau::Centrer() {
    const QSize reste = fond_->size() - client_->size();
    client_->move(std::max(0, reste.width() / 2), std::max(0, reste.height() / 2));
}

int TFormPlateau::EchelleMaximaleSurEcran() const {
    const QSize place = PlaceEcran ? PlaceEcran() : QSize();
    if (!place.isValid()) return EchelleMaximale;
    // What the window adds around its client area: the menu, and the frame once it has one.
    const QSize autour = frameGeometry().size() - size() + QSize(0, menuBar()->sizeHint().height());
    return PlusGrandeEchelle(
        [&](int echelle) { return Tient(TailleClient(echelle) + autour, place); });
}

void TFormPlateau::ChoisirEchelle(int echelle) {
    // A window that fills the screen keeps its size, and the board takes what fits in it;
    // another takes the board's new size, as far as the screen allows, and stays on the screen.
    const bool pleinEcran = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    echelle = std::clamp(echelle, 1, pleinEcran ? EchelleALaPlace() : EchelleMaximaleSurEcran());
    if (echelle == Echelle()) return;
    DefinirEchelle(echelle);
    Retenir();
    if (pleinEcran) return;
    resize(sizeHint());
    if (const QScreen* ecran = screen()) {
        const QRect place = ecran->availableGeometry();
        const QRect cadre(frameGeometry().topLeft(),
                          sizeHint() + frameGeometry().size() - geometry().size());
        move(pos() + QPoint(std::min(0, place.right() - cadre.right()),
                            std::min(0, place.bottom() - cadre.bottom())));
    }
}

int TFormPlateau::EchelleALaPlace() const {
    return PlusGrandeEchelle(
        [this](int echelle) { return Tient(TailleClient(echelle), fond_->size()); });
}

// The window was resized: the board takes the largest factor that fits in it now.
void TFormPlateau::AjusterEchelleALaPlace() {
    const int echelle = EchelleALaPlace();
    if (echelle != Echelle()) {
        DefinirEchelle(echelle);
        Retenir();
    }
    Centrer();
}

void TFormPlateau::Retenir() const {
    if (!services_.preferences.isEmpty()) EcrirePreferences(services_.preferences, {Echelle()});
}

void TFormPlateau::RubriqueAgrandirClick() {
    ChoisirEchelle(Echelle() + 1);
}
void TFormPlateau::RubriqueReduireClick() {
    ChoisirEchelle(Echelle() - 1);
}
void TFormPlateau::RubriqueTailleNormaleClick() {
    ChoisirEchelle(1);
}

void TFormPlateau::FormCreate() {
    images_ = Images::Charger(DrawGridPlateau->PixelsParPixelArt());
    setWindowIcon(QIcon(QStringLiteral(":/icons/ovane.xpm")));
    EnregistrerTypeFichier(services_.registre, services_.programme, [this](const QString& texte) {
        services_.boites.Afficher(this, texte, QString::fromUtf8(Textes::Ovane), Icone::Arret);
    });
}

void TFormPlateau::FormShow(const QStringList& arguments) {
    Traitement traitement(*this);
    // The size kept from the last run, as far as this screen allows.
    if (!services_.preferences.isEmpty()) {
        DefinirEchelle(
            std::min(LirePreferences(services_.preferences).Echelle, EchelleMaximaleSurEcran()));
        resize(sizeHint());
    }
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
    const Images& images = ImagesPour(DrawGridPlateau->PixelsParPixelArt());
    const int i = jeu::Index(colonne, ligne);
    if (FondCases[i] >= 0) peintre.drawPixmap(r.topLeft(), images.ImageList[FondCases[i]]);
    const auto contenu = static_cast<std::int8_t>(jeu_.Cases[i]);
    // The icons are centred in the cell: 4 art pixels in.
    const QSize taille = images.IconeList[0].size();
    const QPoint icone =
        r.topLeft() + QPoint(r.width() - taille.width(), r.height() - taille.height()) / 2;
    if (contenu >= 0 && contenu <= 2) peintre.drawPixmap(icone, images.IconeList[contenu]);
    if (colonne == jeu_.ColonnePionDeplace && ligne == jeu_.LignePionDeplace)
        peintre.drawPixmap(icone, images.IconeList[IconePionDeplace]);
    DessinerAides(peintre, colonne, ligne, r);
}

void TFormPlateau::DessinerAides(QPainter& peintre, int colonne, int ligne, const QRect& r) {
    if (marques_[jeu::Index(colonne, ligne)]) DessinerMarque(peintre, r);
    const Participant* aJouer = ParticipantAJouer();
    if (jeu_.Action == acPlacement && aJouer && aJouer->Personne() &&
        VerifierPlacement(jeu_, colonne, ligne) == Refus::Aucun)
        DessinerCamp(peintre, r);
    if (conseil_ && conseil_->genre == ActionJoueur::Genre::Clic &&
        conseil_->cellule == position(colonne, ligne))
        DessinerConseil(peintre, r);
}

const Images& TFormPlateau::ImagesPour(qreal pixelsParPixelArt) {
    // A new factor, or a window moved to a screen of another pixel ratio: pictures and cursors
    // made for it.
    if (!qFuzzyCompare(images_.PixelsParPixelArt, pixelsParPixelArt)) {
        images_ = Images::Charger(pixelsParPixelArt);
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
    const int i = static_cast<int>(panneau);
    const QString nouveau = QString::fromStdString(texte);
    const bool change = StatusBarPlateau->Texte(i) != nouveau;
    StatusBarPlateau->DefinirTexte(i, nouveau);
    if (change && panneau == Panneau::Equipe)
        Annoncer(QString::fromUtf8(AuxEquipeDeJouer).arg(nouveau));
    if (change && panneau == Panneau::Score) AnnoncerBut(texte);
}

// The score panel is written before the goal is counted: a score one goal above the count is a
// goal, any other a game loaded or begun.
void TFormPlateau::AnnoncerBut(const std::string& score) {
    const int bleus = joueurs_[Bleus].Buts;
    const int rouges = joueurs_[Rouges].Buts;
    for (const int buteur : {Bleus, Rouges}) {
        if (score != TexteScore(bleus + (buteur == Bleus), rouges + (buteur == Rouges))) continue;
        std::string but = Format(Textes::ButDes, NomsEquipes[buteur]);
        but += ' ';
        but += score;
        Annoncer(QString::fromStdString(but));
    }
}

void TFormPlateau::DefinirJauge(int maximum, int progression, const std::string& bulle) {
    CGaugeOccupation->Definir(maximum, progression, QString::fromStdString(bulle));
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
    // While a participant that is busy plays, the board says so.
    const Participant* aJouer = ParticipantAJouer();
    const int curseur = aJouer && aJouer->Occupe() ? 0 : curseur_;
    const Images& images = ImagesPour(DrawGridPlateau->PixelsParPixelArt());
    if (curseur == curseurAffiche_) return;
    curseurAffiche_ = curseur;
    if (curseur == 0)
        DrawGridPlateau->setCursor(Qt::BusyCursor);
    else
        DrawGridPlateau->setCursor(images.Curseurs[static_cast<std::size_t>(curseur)]);
}

void TFormPlateau::ActiverHorloge(bool active) {
    if (reseau_) {
        horlogeReseau_ = active;
        return;
    }
    // A running clock keeps its rhythm.
    if (active && !TimerTemps->isActive())
        TimerTemps->start();
    else if (!active)
        TimerTemps->stop();
}

bool TFormPlateau::HorlogeActive() const {
    return reseau_ ? horlogeReseau_ : TimerTemps->isActive();
}

void TFormPlateau::Message(const std::string& texte, const std::string& titre, Icone icone) {
    // While a box waits for a person, nobody is thinking: the message line says nothing.
    StatusBarMsg->DefinirTexte(0, {});
    const QString t = QString::fromStdString(texte);
    const QString titreQt = QString::fromStdString(titre);
    // In a demonstration nobody may be there to close it.
    if (choixJoueurs_.Demonstration() && !reseau_)
        return services_.boites.AfficherUnMoment(this, t, titreQt, icone, DureeBoiteDemonstration);
    services_.boites.Afficher(this, t, titreQt, icone);
}

position TFormPlateau::CaseCourante() const {
    return DrawGridPlateau->CaseCourante();
}

void TFormPlateau::DrawGridPlateauDblClick() {
    AgirPersonne({ActionJoueur::Genre::Clic, CaseCourante()});
}
void TFormPlateau::RubriquePasserActionClick() {
    AgirPersonne({ActionJoueur::Genre::PasserAction, {}});
}
void TFormPlateau::RubriquePasserTourClick() {
    AgirPersonne({ActionJoueur::Genre::PasserTour, {}});
}

// The person at the window acts only for a team it plays: the others' input is ignored.
void TFormPlateau::AgirPersonne(const ActionJoueur& action) {
    const int equipe = jeu_.Equipe();
    if (ParticipantDe(equipe).Personne()) Agir(equipe, action);
}

void TFormPlateau::RubriqueNouvelleClick() {
    if (reseau_) return reseau_->Proposer(CommandeSimple(CommandeJeu::Genre::Nouvelle));
    if (!AbandonAccepte()) return;
    Traitement traitement(*this);
    // A new game ends a demonstration: it waits for its players.
    if (choixJoueurs_.Demonstration()) DefinirJoueurs({});
    ::RubriqueNouvelleClick(partie_);
    AutrePartie();
}

void TFormPlateau::AutrePartie() {
    historique_.Vider();
    marques_.fill(false);
    equipeMarquee_ = -1;
    ReferencerPartie();
}

std::vector<std::uint8_t> TFormPlateau::OctetsSansTemps() const {
    // The time left runs down by itself: a game only looked at has not changed.
    auto copie = std::make_unique<jeu>(jeu_);
    copie->TempsRestant = 0;
    return OctetsPartie(*copie, joueurs_);
}

void TFormPlateau::ReferencerPartie() {
    reference_ = OctetsSansTemps();
}

bool TFormPlateau::PartieModifiee() const {
    return OctetsSansTemps() != reference_;
}

bool TFormPlateau::AbandonAccepte() {
    if (!PartieModifiee()) return true;
    switch (services_.boites.DemanderEnregistrement(this, QString::fromUtf8(QuestionEnregistrer),
                                                    QString::fromUtf8(Textes::Ovane))) {
    case Abandon::Enregistrer:
        return Enregistrer(SaveDialogFileName.isEmpty());
    case Abandon::NePasEnregistrer:
        return true;
    case Abandon::Annuler:
        break;
    }
    return false;
}

void TFormPlateau::closeEvent(QCloseEvent* event) {
    if (AbandonAccepte())
        event->accept();
    else
        event->ignore();
}

void TFormPlateau::TimerTempsTimer() {
    // A person who holds a box or a dialog open over the computer's play does not use up its
    // time: its action waits for the window to be free.
    const Participant* aJouer = ParticipantAJouer();
    if (aJouer && !aJouer->Personne() && !reseau_ && QApplication::activeModalWidget()) return;
    // A tick changes the game only when the time runs out: the computer goes on thinking.
    Traitement traitement(*this, false);
    const int equipe = jeu_.JoueurCourant;
    const int action = jeu_.Action;
    ::TimerTempsTimer(partie_);
    if (equipe != jeu_.JoueurCourant || action != jeu_.Action || jeu_.FinDeJeu) {
        traitement.Changement();
        historique_.OublierRetablir();
    }
}
void TFormPlateau::RubriqueQuitterClick() {
    close();
}

void TFormPlateau::RubriqueOuvrirClick() {
    Ouvrir({});
}

void TFormPlateau::Ouvrir(const QString& fichier) {
    if (reseau_) {
        if (!services_.boites.Demander(
                this,
                QStringLiteral("Ouvrir une partie enregistrée quitte la partie en réseau. "
                               "Voulez-vous la quitter ?"),
                QStringLiteral("Jouer en réseau")))
            return;
        QuitterReseau();
    }
    Traitement traitement(*this);
    if (!AbandonAccepte()) return;
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
    if (OuvrirPartie(partie_, CheminLocal(nom), horloge)) AutrePartie();
}

void TFormPlateau::RubriqueEnregistrerClick() {
    Enregistrer(SaveDialogFileName.isEmpty());
}

void TFormPlateau::RubriqueEnregistrerSousClick() {
    Enregistrer(true);
}

bool TFormPlateau::Enregistrer(bool demanderNom) {
    Traitement traitement(*this, false);
    if (demanderNom) {
        const auto nom = services_.dialogues.Enregistrer(this, SaveDialogFileName);
        if (!nom) return false;
        SaveDialogFileName = *nom;
    }
    if (!EnregistrerPartie(partie_, CheminLocal(SaveDialogFileName))) return false;
    ReferencerPartie();
    return true;
}

void TFormPlateau::RubriqueParametresClick() {
    if (reseau_) {
        // The dialog works on a copy: new parameters are the other player's to accept.
        PartieMemoire copie;
        AppliquerParametres(copie.p, jeu_.NbPions, jeu_.NbTours, jeu_.MaxTemps);
        TFormParametres dialogue(copie.p, this);
        if (dialogue.exec() != QDialog::Accepted || !reseau_) return;
        const CommandeJeu parametres =
            CommandeParametres(copie.j->NbPions, copie.j->NbTours, copie.j->MaxTemps);
        if (parametres.pions != jeu_.NbPions || parametres.tours != jeu_.NbTours ||
            parametres.temps != jeu_.MaxTemps)
            reseau_->Proposer(parametres);
        return;
    }
    Traitement traitement(*this);
    TFormParametres dialogue(partie_, this);
    if (dialogue.exec() == QDialog::Accepted) historique_.OublierRetablir();
}

void TFormPlateau::RubriqueReseauClick() {
    TFormReseau dialogue(CommandeParametres(jeu_.NbPions, jeu_.NbTours, jeu_.MaxTemps), this);
    if (dernierReseau_) dialogue.ProposerRetour(*dernierReseau_);
    if (dialogue.exec() != QDialog::Accepted) return;
    auto choix = dialogue.Choix();
    if (!choix) return;
    // The same game at the same address: the seat held before is taken back with its token.
    if (dernierReseau_ && !choix->Creer && choix->Code == dernierReseau_->Code &&
        choix->Adresse.hote == dernierReseau_->Adresse.hote &&
        choix->Adresse.port == dernierReseau_->Adresse.port)
        choix->Jeton = dernierReseau_->Jeton;
    JouerEnReseau(*choix);
}

void TFormPlateau::JouerEnReseau(const ChoixReseau& choix) {
    QuitterReseau();
    Traitement traitement(*this);
    const bool horloge = HorlogeActive();
    TimerTemps->stop();
    reseau_ = std::make_unique<PartieReseau>(
        partie_, services_.boites, this,
        VersionDuProgramme(services_.programme).value_or(QStringLiteral("inconnue")));
    horlogeReseau_ = false;
    equipeReseau_ = -1;
    historique_.Vider();
    casesReseau_ = jeu_.Cases;
    equipeAvantReseau_ = jeu_.Equipe();
    connect(reseau_.get(), &PartieReseau::Applique, this, [this](bool change) {
        MarquerLigneReseau(change);
        if (change) OublierActions();
        DrawGridPlateau->update();
        Reprendre();
    });
    connect(reseau_.get(), &PartieReseau::Actualiser, this, &TFormPlateau::InstallerReseau);
    connect(reseau_.get(), &PartieReseau::Termine, this, &TFormPlateau::QuitterReseauPlusTard);
    ExecuterAction = [this](const ActionJoueur& action) { reseau_->Envoyer(action); };
    for (int t = 0; t < 2; ++t) Installer(t, std::make_unique<ParticipantDistant>());
    if (!reseau_->Demarrer(choix)) {
        reseau_.reset();
        ActiverHorloge(horloge);
        ExecuterAction = [this](const ActionJoueur& action) { Executer(partie_, action); };
        for (int t = 0; t < 2; ++t) Installer(t, NouveauParticipant(choixJoueurs_, t));
    }
}

// Once seated, the local team is played as the Joueurs dialog says, the other from afar.
void TFormPlateau::InstallerReseau() {
    if (reseau_ && reseau_->Session().EtapeCourante() == SessionClient::Etape::EnJeu &&
        equipeReseau_ != reseau_->EquipeLocale()) {
        equipeReseau_ = reseau_->EquipeLocale();
        Installer(equipeReseau_, NouveauParticipant(choixJoueurs_, equipeReseau_));
        Installer(equipeReseau_ ^ 1, std::make_unique<ParticipantDistant>());
        OublierActions();
    }
    Reprendre();
}

// Not from inside the session's own signal, nor while a box or a dialog that may use the network
// game is open: it goes once the event loop is back at its top.
void TFormPlateau::QuitterReseauPlusTard() {
    QTimer::singleShot(traitements_ > 0 || QApplication::activeModalWidget() ? 100 : 0, this,
                       [this] {
                           if (traitements_ > 0 || QApplication::activeModalWidget())
                               return QuitterReseauPlusTard();
                           QuitterReseau();
                       });
}

void TFormPlateau::QuitterReseau() {
    if (!reseau_) return;
    Traitement traitement(*this);
    const SessionClient& session = reseau_->Session();
    if (!session.Code().isEmpty()) {
        dernierReseau_ = reseau_->Choix();
        dernierReseau_->Creer = false;
        dernierReseau_->Adresse = session.Adresse();
        dernierReseau_->Code = session.Code();
        dernierReseau_->Jeton = session.Jeton();
    }
    const bool horloge = horlogeReseau_ && !jeu_.FinDeJeu;
    reseau_.reset();
    equipeReseau_ = -1;
    ExecuterAction = [this](const ActionJoueur& action) { Executer(partie_, action); };
    for (int t = 0; t < 2; ++t) Installer(t, NouveauParticipant(choixJoueurs_, t));
    // The game goes on at this window alone, as it stood.
    ActiverHorloge(horloge);
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

void TFormPlateau::DefinirJoueurs(const ChoixJoueurs& choix) {
    for (int t = 0; t < 2; ++t) {
        // In a network game, only the team played here is this window's to give.
        if (reseau_ && t != equipeReseau_) continue;
        if (!Convient(ParticipantDe(t), choix, t)) Installer(t, NouveauParticipant(choix, t));
    }
    choixJoueurs_ = choix;
    OublierActions();
    Reprendre();
}

void TFormPlateau::DefinirParticipant(int equipe, std::unique_ptr<Participant> participant) {
    Installer(equipe, std::move(participant));
    OublierActions();
    Reprendre();
}

void TFormPlateau::Installer(int equipe, std::unique_ptr<Participant> participant) {
    auto& place = participants_[static_cast<std::size_t>(equipe)];
    if (place) place->Interrompre();
    place = std::move(participant);
    connect(place.get(), &Participant::Agit, this,
            [this, equipe](const ActionJoueur& action) { Agir(equipe, action); });
    connect(place.get(), &Participant::Montre, this, [this](position cellule) {
        DrawGridPlateau->DefinirCaseCourante(cellule.Colonne, cellule.Ligne);
    });
}

Participant& TFormPlateau::ParticipantDe(int equipe) const {
    return *participants_[static_cast<std::size_t>(equipe)];
}

Participant* TFormPlateau::ParticipantAJouer() const {
    return jeu_.FinDeJeu ? nullptr : &ParticipantDe(jeu_.Equipe());
}

void TFormPlateau::Agir(int equipe, const ActionJoueur& action) {
    attente_ = ActionEnAttente{equipe, action};
    AgirEnAttente();
}

void TFormPlateau::AgirEnAttente() {
    if (!attente_) return;
    // It waits while a box or a dialog is open, and goes on once it is closed.
    if (traitements_ > 0 || QApplication::activeModalWidget()) return TimerAction->start();
    const ActionEnAttente attente = *attente_;
    attente_.reset();
    if (jeu_.FinDeJeu || attente.equipe != jeu_.Equipe()) return;
    Traitement traitement(*this);
    if (reseau_) return ExecuterAction(attente.action);
    const bool personne = ParticipantDe(attente.equipe).Personne();
    Instantane avant = Photo();
    ExecuterAction(attente.action);
    // A refused action leaves nothing to take back.
    if (OctetsPartie(jeu_, joueurs_) == OctetsPartie(*avant.j, avant.joueurs)) return;
    NoterMarques(attente.equipe, personne, avant.j->Cases);
    if (personne)
        historique_.Noter(std::move(avant));
    else
        historique_.OublierRetablir();
}

Instantane TFormPlateau::Photo() const {
    return {std::make_unique<jeu>(jeu_), joueurs_, HorlogeActive()};
}

void TFormPlateau::Restaurer(Instantane position) {
    jeu_ = *position.j;
    joueurs_ = position.joueurs;
    marques_.fill(false);
    equipeMarquee_ = -1;
    AfficherEtat(partie_);
    ActiverHorloge(position.horloge);
}

// A person's action clears the marks; the other side's actions add the cells they changed, from
// the first action of its play on.
void TFormPlateau::NoterMarques(int equipe, bool personne,
                                const std::array<std::uint8_t, NbCases>& avant) {
    // The rules have drawn the board before the marks change: it is drawn again after.
    DrawGridPlateau->update();
    if (personne || equipe != equipeMarquee_) marques_.fill(false);
    equipeMarquee_ = personne ? -1 : equipe;
    if (personne) return;
    std::array<bool, NbCases> changees{};
    int nombre = 0;
    for (std::size_t i = 0; i < changees.size(); ++i) {
        changees[i] = avant[i] != jeu_.Cases[i];
        nombre += changees[i] ? 1 : 0;
    }
    // A shot changes three cells at most: more is a board emptied for a kick-off or a half,
    // where nothing of the play is left to show.
    if (nombre > 3) return marques_.fill(false);
    for (std::size_t i = 0; i < changees.size(); ++i) marques_[i] = marques_[i] || changees[i];
}

// The host's lines come one action at a time: each is the action of the team that was to play
// before it, the other player's or this window's own.
void TFormPlateau::MarquerLigneReseau(bool change) {
    if (change || casesReseau_ != jeu_.Cases)
        NoterMarques(equipeAvantReseau_, equipeAvantReseau_ == equipeReseau_, casesReseau_);
    casesReseau_ = jeu_.Cases;
    equipeAvantReseau_ = jeu_.Equipe();
}

bool TFormPlateau::RetourPossible() const {
    const Participant* aJouer = ParticipantAJouer();
    return !reseau_ && (!aJouer || aJouer->Personne());
}

void TFormPlateau::RubriqueAnnulerClick() {
    if (!RetourPossible() || !historique_.PeutAnnuler()) return;
    Traitement traitement(*this);
    Restaurer(*historique_.Annuler(Photo()));
}

void TFormPlateau::RubriqueRetablirClick() {
    if (!RetourPossible() || !historique_.PeutRetablir()) return;
    Traitement traitement(*this);
    Restaurer(*historique_.Retablir(Photo()));
}

void TFormPlateau::RubriqueConseilClick() {
    const Participant* aJouer = ParticipantAJouer();
    if (!aJouer || !aJouer->Personne() || conseiller_->EnCours()) return;
    conseil_.reset();
    conseiller_->Lancer(jeu_, joueurs_);
    ActualiserMessage();
}

void TFormPlateau::ConseilTrouve(const std::optional<ActionJoueur>& action) {
    conseil_ = action;
    DrawGridPlateau->update();
    ActualiserMessage();
}

void TFormPlateau::ActualiserRubriques() {
    const bool retour = RetourPossible();
    RubriqueAnnuler->setEnabled(retour && historique_.PeutAnnuler());
    RubriqueRetablir->setEnabled(retour && historique_.PeutRetablir());
    const Participant* aJouer = ParticipantAJouer();
    RubriqueConseil->setEnabled(aJouer && aJouer->Personne());
}

// The game changed: an action chosen for the game before is dropped, wherever it waits.
void TFormPlateau::OublierActions() {
    attente_.reset();
    TimerAction->stop();
    for (const auto& participant : participants_) participant->Interrompre();
    conseiller_->Arreter();
    if (conseil_) {
        conseil_.reset();
        DrawGridPlateau->update();
    }
}

// The team to play is asked to go on once the event loop has finished what it is doing.
void TFormPlateau::Reprendre() {
    if (repriseProgrammee_) return;
    repriseProgrammee_ = true;
    QTimer::singleShot(0, this, [this] {
        repriseProgrammee_ = false;
        Poursuivre();
    });
}

void TFormPlateau::Poursuivre() {
    if (traitements_ > 0) return;
    ActualiserMessage();
    ActualiserCurseur();
    ActualiserRubriques();
    Participant* aJouer = ParticipantAJouer();
    for (const auto& participant : participants_)
        if (participant.get() != aJouer) participant->Interrompre();
    // An action sent to the host is played before the next one is chosen.
    if (aJouer && reseau_ && !reseau_->PeutJouer(jeu_.Equipe())) return;
    if (aJouer) aJouer->Jouer(jeu_, joueurs_);
}

void TFormPlateau::ActualiserMessage() {
    const Participant* aJouer = ParticipantAJouer();
    const QString message = !aJouer              ? QString()
                            : aJouer->Personne() ? MessagePersonne()
                                                 : aJouer->Message();
    if (reseau_) return StatusBarMsg->DefinirTexte(0, reseau_->Message(message));
    StatusBarMsg->DefinirTexte(0,
                               aJouer ? message : QString::fromStdString(TexteResultat(joueurs_)));
}

QString TFormPlateau::TexteConseil() const {
    if (conseiller_->EnCours()) return QString::fromUtf8(Textes::ConseilCherche);
    if (conseil_ && conseil_->genre == ActionJoueur::Genre::PasserAction)
        return QString::fromUtf8(Textes::ConseilPasserAction);
    if (conseil_ && conseil_->genre == ActionJoueur::Genre::PasserTour)
        return QString::fromUtf8(Textes::ConseilPasserTour);
    return {};
}

QString TFormPlateau::MessagePersonne() const {
    QString conseil = TexteConseil();
    // A network game's line has room for one sentence of its own: only the hint joins it.
    if (!conseil.isEmpty() || reseau_) return conseil;
    const int equipe = jeu_.Equipe();
    return QString::fromStdString(TexteAFaire(
        equipe, jeu_.Action, joueurs_[static_cast<std::size_t>(equipe)].NbPionsPlaces + 1));
}
