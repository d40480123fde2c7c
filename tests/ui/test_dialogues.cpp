// The parameters dialog, the match sheet and the About box, on their real widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "doubles.h"
#include "rules/vue_memoire.h"
#include "ui/apropos.h"
#include "ui/fdm.h"
#include "ui/prmjeu.h"

namespace {

struct Dialogues : ::testing::Test, PartieMemoire {
    static QString Choisi(QButtonGroup* groupe) { return groupe->checkedButton()->text(); }
};

TEST_F(Dialogues, ParametresParDefautEtOk) {
    TFormParametres d(p);
    EXPECT_EQ(d.windowTitle(), "Paramètres de jeu");
    EXPECT_EQ(d.size(), QSize(432, 135));
    d.FormShow();
    EXPECT_EQ(Choisi(d.RadioGroupNbPions), "&6 pions");
    EXPECT_EQ(Choisi(d.RadioGroupNbTours), "2x&20 tours");
    EXPECT_EQ(Choisi(d.RadioGroupMaxTemps), "1 &minute");
    const auto* cadre = qobject_cast<QWidget*>(d.RadioGroupNbPions->parent());
    ASSERT_NE(cadre, nullptr);
    EXPECT_EQ(cadre->geometry(), QRect(8, 8, 225, 41));
    EXPECT_TRUE(d.ButtonOk->isDefault());
    vue.Panneaux[1] = "x";
    d.ButtonOk->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(j->NbPions, 6);
    EXPECT_EQ(j->NbTours, 40);
    EXPECT_EQ(j->MaxTemps, 60000u);
    EXPECT_EQ(vue.Panneaux[1], "1/40");
}

TEST_F(Dialogues, ParametresChangesAuTour12) {
    j->TourCourant = 12;
    TFormParametres d(p);
    d.FormShow();
    d.RadioGroupNbTours->button(2)->click();
    d.RadioGroupNbPions->button(0)->click();
    d.RadioGroupMaxTemps->button(0)->click();
    d.ButtonOk->click();
    EXPECT_EQ(j->NbTours, 60);
    EXPECT_EQ(j->NbPions, 5);
    EXPECT_EQ(j->MaxTemps, 30000u);
    EXPECT_EQ(vue.Panneaux[1], "12/60");
}

TEST_F(Dialogues, AnnulerNeChangeRien) {
    TFormParametres d(p);
    d.FormShow();
    d.RadioGroupNbTours->button(0)->click();
    d.RadioGroupNbPions->button(2)->click();
    d.ButtonAnnuler->click();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(j->NbTours, 40);
    EXPECT_EQ(j->NbPions, 6);
    EXPECT_EQ(vue.Panneaux[1], "1/40");
    TFormParametres encore(p);
    encore.FormShow();
    EXPECT_EQ(Choisi(encore.RadioGroupNbTours), "2x&20 tours");
}

TEST_F(Dialogues, UnEnregistrementHorsDesChoix) {
    j->NbPions = 4;
    j->NbTours = 50;
    j->MaxTemps = 200;
    TFormParametres d(p);
    d.FormShow();
    EXPECT_EQ(Choisi(d.RadioGroupNbPions), "&5 pions");
    EXPECT_EQ(Choisi(d.RadioGroupNbTours), "2x&20 tours");
    EXPECT_EQ(Choisi(d.RadioGroupMaxTemps), "30 &secondes");
    d.ButtonOk->click();
    EXPECT_EQ(j->NbPions, 5);
    EXPECT_EQ(j->NbTours, 40);
    EXPECT_EQ(j->MaxTemps, 30000u);
    j->MaxTemps = 90000;
    j->NbTours = 60;
    d.FormShow();
    EXPECT_EQ(Choisi(d.RadioGroupMaxTemps), "1 minute 3&0");
    EXPECT_EQ(Choisi(d.RadioGroupNbTours), "2x&30 tours");
}

TEST_F(Dialogues, FeuilleDeMatchAuPremierTour) {
    TFormFeuilleDeMatch feuille(*j);
    EXPECT_EQ(feuille.windowTitle(), "Feuille de match");
    EXPECT_EQ(feuille.size(), QSize(393, 388));
    EXPECT_EQ(feuille.PanelBleus->text(), "Bleus");
    EXPECT_EQ(feuille.PanelRouges->geometry(), QRect(204, 6, 167, 20));
    EXPECT_EQ(feuille.NbLignes(), 41);
    EXPECT_EQ(feuille.Cellule(0, 1), "  01");
    EXPECT_EQ(feuille.Cellule(0, 40), "  40");
    EXPECT_EQ(feuille.Cellule(1, 0), "Placement");
    EXPECT_EQ(feuille.Cellule(5, 0), "Dépl.");
    EXPECT_EQ(feuille.Cellule(6, 0), "Tir");
    for (int c = 1; c < 7; ++c) EXPECT_EQ(feuille.Cellule(c, 1), "") << c;
    // Each column as wide as its text, plus the grid line Qt draws inside it.
    EXPECT_EQ(feuille.StringGridFeuilleDeMatch->columnWidth(0), 113 + 1);
    EXPECT_EQ(feuille.StringGridFeuilleDeMatch->columnWidth(2), 17 + 1);
}

TEST_F(Dialogues, FeuilleDeMatchDUnePartieEnCours) {
    const std::pair<int, int> bleus[] = {{0, 1}, {2, 2}, {4, 3}, {6, 2}, {8, 1}, {4, 4}};
    for (const auto& [c, l] : bleus) j->PlacerPion(joueurs, c, l);
    j->ChoisirPion(4, 4);
    j->DeplacerPion(4, 7);
    j->JoueurCourant = Rouges;
    j->Coups[1].Deplacement[0] = position(2, 8);
    j->Coups[1].Tir = position(7, 10);
    j->TourCourant = 2;
    TFormFeuilleDeMatch feuille(*j);
    EXPECT_EQ(feuille.Cellule(1, 1), "01 22 43 62 81 44 ");
    EXPECT_EQ(feuille.Cellule(2, 1), "44 47 ");
    EXPECT_EQ(feuille.Cellule(5, 1), "28 ");
    EXPECT_EQ(feuille.Cellule(6, 1), "7X ");
    EXPECT_EQ(feuille.Cellule(1, 2), "");
}

TEST_F(Dialogues, FeuilleDeMatchDe60ToursSansDepasserLaGrille) {
    j->NbTours = 60;
    j->NbPions = 5;
    for (int k = 0; k < 7; ++k) j->Coups[0].Placement[k] = position(k, 1);
    j->TourCourant = 60;
    TFormFeuilleDeMatch feuille(*j);
    EXPECT_EQ(feuille.NbLignes(), 61);
    EXPECT_EQ(feuille.Cellule(0, 60), "  60");
    EXPECT_EQ(feuille.Cellule(1, 1), "01 11 21 31 41 ");
    // A record whose turn went past its number of turns: nothing beyond the grid.
    j->NbTours = 20;
    j->TourCourant = 25;
    TFormFeuilleDeMatch courte(*j);
    EXPECT_EQ(courte.NbLignes(), 21);
    EXPECT_EQ(courte.StringGridFeuilleDeMatch->rowCount(), 20);
}

TEST(APropos, VersionDuProgrammeEtFermeture) {
    TFormAPropos boite(QStringLiteral(OVANE_PROGRAMME));
    EXPECT_EQ(boite.windowTitle(), "À propos...");
    EXPECT_EQ(boite.size(), QSize(210, 113));
    EXPECT_EQ(boite.StaticTextVersion->text(), "version " OVANE_VERSION);
    EXPECT_EQ(boite.StaticTextOvane->text(), "Ovane");
    EXPECT_NEAR(QFontMetrics(boite.StaticTextOvane->font()).height(), 32, 2);
    EXPECT_LE(QFontMetrics(boite.StaticTextOvane->font()).horizontalAdvance("Ovane"), 76);
    EXPECT_FALSE(boite.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(boite.ButtonFermer->isDefault());
    EXPECT_EQ(boite.Timer->interval(), 3000);
    EXPECT_TRUE(boite.Timer->isActive());
}

TEST(APropos, SansBlocDeVersion) {
    TFormAPropos boite(QCoreApplication::applicationFilePath());
    EXPECT_EQ(boite.StaticTextVersion->text(), "version ");
    TFormAPropos absent(QStringLiteral("/nonexistent/ovane"));
    EXPECT_EQ(absent.StaticTextVersion->text(), "version ");
}

TEST(APropos, SeFermeSeuleOuParEntree) {
    // Its own timer closes it, whatever its interval; a box that stays open is rejected after a
    // while, so that the test fails instead of waiting for ever.
    TFormAPropos seule(QString{});
    seule.Timer->setInterval(0);
    seule.Timer->start();
    QTimer::singleShot(10000, &seule, &QDialog::reject);
    EXPECT_EQ(seule.exec(), QDialog::Accepted);

    TFormAPropos entree(QString{});
    QTimer::singleShot(0, &entree, [&] {
        QTest::keyClick(&entree, Qt::Key_Escape);
        EXPECT_TRUE(entree.isVisible());
        QTest::keyClick(&entree, Qt::Key_Return);
    });
    EXPECT_EQ(entree.exec(), QDialog::Accepted);
    EXPECT_TRUE(entree.Timer->isActive());
}

} // namespace

namespace {

TEST_F(Dialogues, LaFeuilleSeFermeParEchapEtSOuvreAuCentreDeLEcran) {
    TFormFeuilleDeMatch feuille(*j);
    // A sheet that stays open is closed after a while, so that the test fails instead of hanging.
    QTimer::singleShot(10000, &feuille, &QDialog::accept);
    QTimer::singleShot(0, &feuille, [&] {
        const QPoint centre = feuille.screen()->availableGeometry().center();
        EXPECT_LE((feuille.geometry().center() - centre).manhattanLength(), 3);
        QTest::keyClick(&feuille, Qt::Key_Escape);
    });
    EXPECT_EQ(feuille.exec(), QDialog::Rejected);
    EXPECT_FALSE(feuille.isVisible());
}

} // namespace
