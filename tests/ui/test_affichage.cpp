// What the player reads: every text whole in its place, in French, boxes where they belong.
#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QTimer>
#include <gtest/gtest.h>

#include "doubles.h"
#include "game/joueur.h"
#include "platform/aide_qt.h"
#include "rules/resultat.h"
#include "rules/textes.h"
#include "rules/vue_memoire.h"
#include "ui/apropos.h"
#include "ui/fdm.h"
#include "ui/partie_reseau.h"
#include "ui/prmjeu.h"

namespace {

QString Q(const std::string& texte) {
    return QString::fromStdString(texte);
}

struct TexteEnPlace {
    const char* nom;
    int panneau; // -1: the message line
    QString texte;
};

Equipes Resultat(int butsRouges, int butsBleus, int occupationRouges, int occupationBleus) {
    Equipes e;
    e[Rouges].Buts = butsRouges;
    e[Bleus].Buts = butsBleus;
    e[Rouges].Occupation = occupationRouges;
    e[Bleus].Occupation = occupationBleus;
    return e;
}

// Every text each panel can show, at its widest: the largest score and turn a game can reach
// (a team plays at most once a turn), every action and step, both teams, the longest time; on the
// message line, what the computer says and the longest results (a game of 60 turns shares at most
// 1200 occupation points).
std::vector<TexteEnPlace> TextesDesPanneaux() {
    std::vector<TexteEnPlace> lignes = {
        {"score le plus large", 0, Q(TexteScore(MaxTours, MaxTours))},
        {"dernier tour de la plus longue partie", 1, Q(TexteTour(MaxTours, MaxTours))},
        {"temps le plus long", 5, Q(TexteTemps(90000))},
        {"message de réflexion", -1, QString::fromUtf8(Textes::OrdinateurReflechit)},
        {"victoire aux buts", -1, Q(TexteResultat(Resultat(12, 11, 0, 0)))},
        {"victoire aux points", -1, Q(TexteResultat(Resultat(0, 0, 1000, 200)))},
        {"match nul", -1, Q(TexteResultat(Resultat(0, 0, 0, 0)))},
    };
    // What a person is to do, for the wider team's name, and the hint's own lines.
    for (const char* aFaire : Textes::AFaire)
        if (*aFaire)
            lignes.push_back(
                {"ce qu'une personne doit faire", -1,
                 QStringLiteral("Rouges : ") +
                     QString::fromUtf8(aFaire).replace(QStringLiteral("%d"), QStringLiteral("7"))});
    for (const char* conseil :
         {Textes::ConseilCherche, Textes::ConseilPasserAction, Textes::ConseilPasserTour})
        lignes.push_back({"conseil", -1, QString::fromUtf8(conseil)});
    // A network game's line, with the widest code and both teams.
    for (int equipe = 0; equipe < 2; ++equipe) {
        SituationReseau r;
        r.etape = SessionClient::Etape::EnJeu;
        r.secondes = 30;
        r.code = QStringLiteral("WWMMWW");
        r.equipe = equipe;
        r.adversaire = r.adversaireVu = true;
        r.aJouer = equipe ^ 1;
        lignes.push_back({"réseau, l'autre joue", -1, LigneReseau(r)});
        r.aJouer = equipe;
        r.messageLocal = QString::fromUtf8(Textes::OrdinateurReflechit);
        lignes.push_back({"réseau, l'ordinateur réfléchit", -1, LigneReseau(r)});
        r.adversaire = false;
        lignes.push_back({"réseau, déconnexion", -1, LigneReseau(r)});
        r.adversaireVu = false;
        lignes.push_back({"réseau, attente", -1, LigneReseau(r)});
        r.etape = SessionClient::Etape::Attente;
        lignes.push_back({"réseau, coupure", -1, LigneReseau(r)});
    }
    for (const char* action : NomsActions)
        lignes.push_back({"action", 2, QString::fromUtf8(action)});
    for (const char* etape : NomsEtapes) lignes.push_back({"étape", 3, QString::fromUtf8(etape)});
    for (int n = 1; n <= MaxPions; ++n) lignes.push_back({"pion à placer", 3, Q(TextePion(n))});
    for (const char* equipe : NomsEquipes)
        lignes.push_back({"équipe", 4, QString::fromUtf8(equipe)});
    return lignes;
}

// The room a text has inside a panel of the message line: the whole line, as one panel.
int LargeurLigneMessage(const BarreEtat& ligne) {
    BarreEtat entiere({{ligne.width(), Qt::AlignLeft, {}}});
    entiere.DefinirEchelle(ligne.Echelle());
    entiere.resize(ligne.size());
    return entiere.RectangleTexte(0).width();
}

// At every size of the board, the status lines growing with it.
TEST(Affichage, ChaqueTexteDesPanneauxTientEntier) {
    FenetreDeTest t;
    const BarreEtat& panneaux = *t.f().StatusBarPlateau;
    const BarreEtat& message = *t.f().StatusBarMsg;
    EXPECT_EQ(panneaux.fontMetrics().height(), 12);
    for (const int echelle : {1, 2, 3}) {
        t.f().DefinirEchelle(echelle);
        for (const TexteEnPlace& l : TextesDesPanneaux()) {
            const BarreEtat& ligne = l.panneau < 0 ? message : panneaux;
            const int place = l.panneau < 0 ? LargeurLigneMessage(message)
                                            : panneaux.RectangleTexte(l.panneau).width();
            EXPECT_LE(ligne.fontMetrics().horizontalAdvance(l.texte), place)
                << l.nom << " ×" << echelle << ": « " << l.texte.toStdString() << " »";
        }
    }
}

// Each text a dialog shows fits the widget that shows it.
void VerifierTextes(QWidget& dialogue) {
    dialogue.ensurePolished();
    for (QLabel* etiquette : dialogue.findChildren<QLabel*>()) {
        if (etiquette->text().isEmpty()) continue;
        EXPECT_LE(etiquette->sizeHint().width(), etiquette->width())
            << etiquette->text().toStdString();
    }
    for (QRadioButton* choix : dialogue.findChildren<QRadioButton*>())
        EXPECT_LE(choix->sizeHint().width(), choix->width()) << choix->text().toStdString();
    for (QGroupBox* groupe : dialogue.findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox options;
        options.initFrom(groupe);
        options.text = groupe->title();
        options.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect titre = groupe->style()->subControlRect(QStyle::CC_GroupBox, &options,
                                                            QStyle::SC_GroupBoxLabel, groupe);
        EXPECT_LE(titre.right(), groupe->width() - 1) << groupe->title().toStdString();
    }
    for (QPushButton* bouton : dialogue.findChildren<QPushButton*>()) {
        const int marge = bouton->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, bouton);
        EXPECT_LE(bouton->fontMetrics().horizontalAdvance(bouton->text().remove('&')) + 2 * marge,
                  bouton->width())
            << bouton->text().toStdString();
    }
}

struct Dialogue : ::testing::Test {
    std::unique_ptr<jeu> j = std::make_unique<jeu>();
    Equipes joueurs;
    VueMemoire vue;
    Partie p{*j, joueurs, vue};
};

TEST_F(Dialogue, ChaqueTexteDesDialoguesTientEntier) {
    TFormParametres parametres(p);
    VerifierTextes(parametres);
    TFormAPropos aPropos(QStringLiteral(OVANE_PROGRAMME));
    VerifierTextes(aPropos);
    // The widest cells the sheet can hold: seven placements, a move into row 10, a shot from it.
    for (int k = 0; k < MaxPions; ++k) j->Coups[0].Placement[k] = position(8, 9);
    j->Coups[0].Deplacement = {position(8, 8), position(8, 10)};
    j->Coups[0].Tir = position(8, 10);
    j->NbPions = MaxPions;
    TFormFeuilleDeMatch feuille(*j);
    VerifierTextes(feuille);
    const QTableWidget& grille = *feuille.StringGridFeuilleDeMatch;
    for (int c = 1; c <= 3; ++c) {
        const QString texte = feuille.Cellule(c, 1);
        EXPECT_LE(grille.fontMetrics().horizontalAdvance(texte.trimmed()) + 2,
                  grille.columnWidth(c - 1) - 1)
            << texte.toStdString();
        const QString titre = feuille.Cellule(c, 0);
        EXPECT_LE(grille.horizontalHeader()->fontMetrics().horizontalAdvance(titre),
                  grille.columnWidth(c - 1) - 1)
            << titre.toStdString();
    }
}

TEST_F(Dialogue, LesPanneauxDeLaFeuilleCoiffentLeursColonnes) {
    TFormFeuilleDeMatch feuille(*j);
    const QTableWidget& grille = *feuille.StringGridFeuilleDeMatch;
    // A column group's left and right edges, in the sheet's coordinates.
    const auto bords = [&](int premiere) {
        const QPoint gauche =
            grille.viewport()->mapTo(&feuille, QPoint(grille.columnViewportPosition(premiere), 0));
        const int derniere = premiere + 2;
        return std::pair(gauche.x(), gauche.x() + grille.columnViewportPosition(derniere) -
                                         grille.columnViewportPosition(premiere) +
                                         grille.columnWidth(derniere));
    };
    // Panels share their border lines with the grid's: one pixel of overlap either side.
    const auto [gaucheBleus, droiteBleus] = bords(0);
    EXPECT_EQ(feuille.PanelBleus->geometry().left(), gaucheBleus);
    EXPECT_LE(std::abs(feuille.PanelBleus->geometry().right() + 1 - droiteBleus), 1);
    const auto [gaucheRouges, droiteRouges] = bords(3);
    EXPECT_LE(std::abs(feuille.PanelRouges->geometry().left() - gaucheRouges), 1);
    EXPECT_LE(std::abs(feuille.PanelRouges->geometry().right() + 1 - droiteRouges), 1);
    // No dead strip between the last column and the scroll bar.
    const QRect barre = grille.verticalScrollBar()->geometry();
    EXPECT_LE(barre.left() - (grille.viewport()->x() + droiteRouges - grille.x()), 2);
}

TEST_F(Dialogue, LesChoixDesParametresOntDeLAir) {
    TFormParametres parametres(p);
    for (QButtonGroup* groupe : {parametres.RadioGroupNbPions, parametres.RadioGroupNbTours}) {
        const QList<QAbstractButton*> choix = groupe->buttons();
        for (int i = 1; i < choix.size(); ++i) {
            const int finDuTexte = choix[i - 1]->x() + choix[i - 1]->sizeHint().width();
            EXPECT_GE(choix[i]->x() - finDuTexte, 4) << choix[i]->text().toStdString();
        }
        EXPECT_LE(choix.last()->geometry().right(), choix.last()->parentWidget()->width() - 2);
    }
}

// A real box, shown over a window not yet placed, as at start-up: read while it is open.
QRect BoiteReelle(const QString& titre) {
    QWidget fenetreCachee;
    QRect place;
    QTimer::singleShot(0, [&] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!boite) return;
        place = boite->geometry();
        boite->accept();
    });
    BoitesQt().Afficher(&fenetreCachee, QStringLiteral("Fin de jeu"), titre, Icone::Information);
    return place;
}

TEST(Boites, LeTitreEntierEtLaBoiteAuCentreDeLEcran) {
    const char* titres[] = {"Placement",
                            "Déplacement",
                            "Tir",
                            "Bleus",
                            "Rouges",
                            "Ovane",
                            "Aide",
                            Textes::ChargementNonEffectue,
                            Textes::SauvegardeNonEffectuee};
    const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
    for (const char* titre : titres) {
        const QRect place = BoiteReelle(QString::fromUtf8(titre));
        ASSERT_TRUE(place.isValid()) << titre;
        EXPECT_GE(place.width(), LargeurMinimaleBoite(QString::fromUtf8(titre))) << titre;
        // Centred as a frame, whose margins the platform adds around the box.
        EXPECT_LE((place.center() - centre).manhattanLength(), 5) << titre;
    }
    // The title bar's bold face is wider than the dialog's: a short caption still gets its room.
    EXPECT_GT(LargeurMinimaleBoite(QStringLiteral("Sauvegarde non effectuée")),
              QFontMetrics(QApplication::font()).horizontalAdvance("Sauvegarde non effectuée") +
                  DecorationsBarreDeTitre);
}

TEST(Francais, LesDialoguesDeFichierEtLesNomsDeTouches) {
    EXPECT_EQ(QKeySequence(Qt::SHIFT | Qt::Key_F2).toString(QKeySequence::NativeText), "Maj+F2");
    EXPECT_EQ(QKeySequence(Qt::ALT | Qt::Key_Backspace).toString(QKeySequence::NativeText),
              "Alt+Effacement");
    // The kind of a folder in the file list, which Qt's own catalogue misses.
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())), "Dossier");
    const QString reglages =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/QtProject.conf");
    const QFileInfo avant(reglages);
    QStringList boutons, types;
    QTimer::singleShot(0, [&] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogue) return;
        for (QAbstractButton* b : dialogue->findChild<QDialogButtonBox*>()->buttons())
            boutons << b->text().remove('&');
        dialogue->reject();
    });
    DialoguesQt().Ouvrir(nullptr);
    boutons.sort();
    EXPECT_EQ(boutons, QStringList({"Annuler", "Ouvrir"}));
    // The dialog kept nothing: no settings file appeared or changed.
    const QFileInfo apres(reglages);
    EXPECT_EQ(apres.exists(), avant.exists());
    if (avant.exists()) {
        EXPECT_EQ(apres.lastModified(), avant.lastModified());
    }
}

} // namespace

namespace {

// The help as the real viewer shows it, from the file installed next to the program.
struct AideAffichee : ::testing::Test {
    std::vector<QString> erreurs;
    VisionneuseAideQt aide{
        {QFileInfo(QStringLiteral(OVANE_PROGRAMME)).absolutePath()},
        [this](QWidget*, const QString& texte, const QString&) { erreurs.push_back(texte); }};

    QTextDocument* Document() {
        aide.AfficherRubrique(nullptr, QStringLiteral("ovane.hlp"), 0);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* page = w->findChild<QTextBrowser*>(QStringLiteral("page")))
                return page->document();
        return nullptr;
    }
    ~AideAffichee() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->findChild<QTextBrowser*>(QStringLiteral("page"))) w->close();
    }
};

TEST_F(AideAffichee, LeSommaireEtLesTitresNumerotesPareil) {
    QTextDocument* document = Document();
    ASSERT_NE(document, nullptr);
    QStringList sommaire, titres;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        // The contents: the numbered list before the first heading.
        if (b.textList() && b.textList()->format().style() == QTextListFormat::ListDecimal &&
            titres.isEmpty())
            sommaire << QStringLiteral("%1. %2")
                            .arg(b.textList()->itemNumber(b) + 1)
                            .arg(b.text().trimmed());
        if (b.blockFormat().headingLevel() == 2) titres << b.text().trimmed();
    }
    EXPECT_EQ(sommaire.size(), 14);
    EXPECT_EQ(sommaire.join('\n').toStdString(), titres.join('\n').toStdString());
    EXPECT_TRUE(erreurs.empty());
}

TEST_F(AideAffichee, LesTouchesNommeesCommeDansLesMenus) {
    QTextDocument* document = Document();
    ASSERT_NE(document, nullptr);
    // Command and shortcut of every row of the help's tables.
    QMap<QString, QString> raccourcis;
    for (QTextFrame* cadre : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(cadre);
        if (!table || table->columns() < 3) continue;
        for (int l = 0; l < table->rows(); ++l)
            for (int c = 0; c + 1 < table->columns(); ++c)
                raccourcis[table->cellAt(l, c).firstCursorPosition().block().text()] =
                    table->cellAt(l, c + 1).firstCursorPosition().block().text();
    }
    FenetreDeTest t;
    int verifiees = 0;
    for (QAction* menu : t.f().menuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (action->isSeparator()) continue;
            const QString commande = action->text().remove('&').replace("...", "…");
            EXPECT_EQ(raccourcis.value(commande),
                      action->shortcut().toString(QKeySequence::NativeText))
                << commande.toStdString();
            ++verifiees;
        }
    }
    EXPECT_GE(verifiees, 14);
}

} // namespace
