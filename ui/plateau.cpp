// The board window.
#include "plateau.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

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
#include "rules/textes.h"
#include "rules/vue_memoire.h"

namespace {

constexpr int LargeurClient = 379;
constexpr int HauteurClient = 492;
constexpr int HauteurGrille = 454;
constexpr int LargeurGrille = 372;
constexpr int HauteurLigneEtat = 19;

std::string CheminLocal(const QString& nom) {
    return QFile::encodeName(nom).toStdString();
}

} // namespace

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

    StatusBarMsg = new BarreEtat({}, client);
    StatusBarMsg->setGeometry(0, HauteurGrille, LargeurClient, HauteurLigneEtat);

    const auto texte = [](int i) { return QString::fromStdString(Creation::Panneaux[i]); };
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
    CentrerSurEcran(*this);
    if (services_.aPropos) services_.aPropos(this);
    if (arguments.isEmpty()) {
        DefinirCurseur(acPlacement);
        return;
    }
    OpenDialogFileName = arguments.constFirst();
    RubriqueOuvrirClick();
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
        DefinirCurseur(curseur_);
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

void TFormPlateau::AfficherPanneau(int panneau, const std::string& texte) {
    StatusBarPlateau->DefinirTexte(panneau, QString::fromStdString(texte));
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
    DrawGridPlateau->setCursor(ImagesPour(DrawGridPlateau->devicePixelRatioF()).Curseurs[numero]);
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

void TFormPlateau::DrawGridPlateauDblClick() {
    ::DrawGridPlateauDblClick(partie_);
}
void TFormPlateau::RubriqueNouvelleClick() {
    ::RubriqueNouvelleClick(partie_);
}
void TFormPlateau::RubriquePasserActionClick() {
    ::RubriquePasserActionClick(partie_);
}
void TFormPlateau::RubriquePasserTourClick() {
    ::RubriquePasserTourClick(partie_);
}
void TFormPlateau::TimerTempsTimer() {
    ::TimerTempsTimer(partie_);
}
void TFormPlateau::RubriqueQuitterClick() {
    close();
}

void TFormPlateau::RubriqueOuvrirClick() {
    const bool horloge = HorlogeActive();
    ActiverHorloge(false);
    if (OpenDialogFileName.isEmpty()) {
        const auto nom = services_.dialogues.Ouvrir(this);
        if (!nom) {
            // Cancelled: the play under way goes on timed.
            ActiverHorloge(horloge);
            return;
        }
        OpenDialogFileName = *nom;
    }
    OuvrirPartie(partie_, CheminLocal(OpenDialogFileName), horloge);
    OpenDialogFileName.clear();
}

void TFormPlateau::RubriqueEnregistrerClick() {
    if (SaveDialogFileName.isEmpty()) {
        const auto nom = services_.dialogues.Enregistrer(this, SaveDialogFileName);
        if (!nom) return;
        SaveDialogFileName = *nom;
    }
    EnregistrerPartie(partie_, CheminLocal(SaveDialogFileName));
}

void TFormPlateau::RubriqueEnregistrerSousClick() {
    const auto nom = services_.dialogues.Enregistrer(this, SaveDialogFileName);
    if (!nom) return;
    SaveDialogFileName = *nom;
    RubriqueEnregistrerClick();
}

void TFormPlateau::RubriqueParametresClick() {
    TFormParametres dialogue(partie_, this);
    dialogue.exec();
}

void TFormPlateau::RubriqueFeuilleDeMatchClick() {
    TFormFeuilleDeMatch feuille(jeu_, this);
    feuille.exec();
}

void TFormPlateau::RubriqueAideContextuelleClick() {
    services_.aide.AfficherRubrique(this, QStringLiteral("ovane.hlp"), 0);
}

void TFormPlateau::RubriqueAProposClick() {
    if (services_.aPropos) services_.aPropos(this);
}
