// The computer in the real window: a demonstration played to its end, a search dropped when the
// game changes under it, and a person who cannot act for it.
#include <QDeadlineTimer>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "doubles.h"
#include "game/partie.h"
#include "rules/actions.h"
#include "rules/resultat.h"
#include "rules/textes.h"
#include "rules/vue_memoire.h"
#include "ui/joueurs.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

namespace {

struct Joueurs : ::testing::Test, FenetreDeTest {
    // Lets the event loop run until the condition holds, or the time is up.
    template <class Condition> bool Attendre(Condition condition, int millisecondes) {
        QDeadlineTimer fin(millisecondes);
        while (!condition() && !fin.hasExpired()) QTest::qWait(5);
        return condition();
    }

    static ChoixJoueurs Choix(bool bleus, bool rouges, Niveau niveau) {
        ChoixJoueurs choix;
        choix.Ordinateur = {bleus, rouges};
        choix.Niveaux = {niveau, niveau};
        return choix;
    }
};

TEST_F(Joueurs, UneDemonstrationSeJoueJusquALaFin) {
    j->NbTours = 20;
    j->NbPions = 5;
    // While a box waits, the message line does not say that the computer is thinking.
    QStringList lignesPendantLesBoites;
    boites.PendantLaBoite = [&](const BoiteVue&) {
        lignesPendantLesBoites << f().StatusBarMsg->Texte(0);
    };
    DefinirJoueurs(Choix(true, true, Niveau::Debutant), 0);
    ASSERT_TRUE(Attendre([&] { return j->FinDeJeu != 0; }, 60000));
    EXPECT_EQ(lignesPendantLesBoites.join(QString()), QString());
    // Its boxes close by themselves: nobody may be there.
    ASSERT_FALSE(boites.Vues.empty());
    for (const BoiteVue& b : boites.Vues) {
        EXPECT_NE(b.icone, Icone::Arret) << b.texte.toStdString();
        EXPECT_GT(b.fermeture, 0) << b.texte.toStdString();
    }
    const QString resultat = QString::fromStdString(TexteResultat(joueurs));
    EXPECT_EQ(f().StatusBarMsg->Texte(0), resultat);
    // A new game ends the demonstration: once the window has taken it in, nobody plays it.
    f().RubriqueNouvelleClick();
    ASSERT_TRUE(Attendre([&] { return f().StatusBarMsg->Texte(0) != resultat; }, 5000));
    EXPECT_FALSE(f().Joueurs().Demonstration());
    EXPECT_EQ(std::count(j->Cases.begin(), j->Cases.end(), 1), 0);
    EXPECT_EQ(f().StatusBarMsg->Texte(0), "Bleus : placez le pion n°1");
}

TEST_F(Joueurs, UnResultatEstOublieQuandLaPartieChange) {
    DefinirJoueurs(Choix(false, true, Niveau::Debutant), 60000);
    DoubleClic(4, 2);
    // Rouges' choice is made and shown on its cell; it waits for its pause.
    ASSERT_TRUE(Attendre([&] { return Ordinateur(Rouges).TimerPause->isActive(); }, 5000));
    const position choisie = f().CaseCourante();
    // Another game where Rouges are also to play, and that very cell is taken.
    PartieMemoire autre;
    for (const position& c : {position(4, 2), choisie, position(0, 1)})
        DrawGridPlateauDblClick(autre.p, c);
    ASSERT_EQ(autre.j->Equipe(), Rouges);
    QTemporaryDir dossier;
    const QString fichier = dossier.filePath(QStringLiteral("autre.ovn"));
    ASSERT_EQ(SauvegarderPartie(fichier.toStdString(), *autre.j, autre.joueurs),
              Sauvegarde::Reussie);
    Ordinateur(Rouges).Pause = 0;
    f().Ouvrir(fichier);
    // The choice made for the other game is dropped: Rouges choose afresh, and are not refused.
    ASSERT_TRUE(Attendre([&] { return j->Equipe() == Bleus; }, 5000));
    EXPECT_TRUE(boites.Vues.empty());
    EXPECT_EQ(std::count(j->Cases.begin(), j->Cases.end(), 2), 2);
}

TEST_F(Joueurs, UnePersonneNeJouePasPourLOrdinateur) {
    DefinirJoueurs(Choix(false, true, Niveau::Debutant), 60000);
    DoubleClic(4, 2);
    // Rouges' turn: their camp's cell, the skips and a shortcut are all ignored.
    DoubleClic(4, 8);
    f().RubriquePasserTourClick();
    EXPECT_EQ(std::count(j->Cases.begin(), j->Cases.end(), 2), 0);
    EXPECT_TRUE(boites.Vues.empty());
    // The computer's choice is shown on its cell, then done after the pause.
    ASSERT_TRUE(Attendre([&] { return Ordinateur(Rouges).TimerPause->isActive(); }, 5000));
    EXPECT_EQ(f().DrawGridPlateau->cursor().shape(), Qt::BusyCursor);
    Ordinateur(Rouges).TimerPause->setInterval(0);
    ASSERT_TRUE(Attendre([&] { return j->Equipe() == Bleus; }, 5000));
    EXPECT_EQ(std::count(j->Cases.begin(), j->Cases.end(), 2), 1);
    EXPECT_EQ(j->Case(f().CaseCourante().Colonne, f().CaseCourante().Ligne), 2);
    EXPECT_NE(f().DrawGridPlateau->cursor().shape(), Qt::BusyCursor);
}

TEST_F(Joueurs, LOrdinateurAttendQueLesBoitesSeFerment) {
    DefinirJoueurs(Choix(false, true, Niveau::Debutant), 0);
    DoubleClic(4, 2);
    QDialog boite(&f());
    long pionsPendant = -1;
    // The computer's first attempt to play comes while the box is open: it must not play, and
    // the window brings it back later. A box that no attempt closes is rejected after a while,
    // so that the test fails instead of waiting for ever.
    QObject::connect(
        f().TimerAction, &QTimer::timeout, &boite,
        [&] {
            pionsPendant = std::count(j->Cases.begin(), j->Cases.end(), 2);
            boite.accept();
        },
        Qt::SingleShotConnection);
    QTimer::singleShot(10000, &boite, &QDialog::reject);
    EXPECT_EQ(boite.exec(), QDialog::Accepted);
    EXPECT_EQ(pionsPendant, 0);
    EXPECT_TRUE(Attendre([&] { return j->Equipe() == Bleus; }, 5000));
    EXPECT_EQ(std::count(j->Cases.begin(), j->Cases.end(), 2), 1);
}

TEST_F(Joueurs, LeDialogueChoisitEquipeParEquipe) {
    TFormJoueurs d(Choix(false, true, Niveau::Expert));
    EXPECT_EQ(d.windowTitle(), "Joueurs");
    EXPECT_TRUE(d.RadioHumain[Bleus]->isChecked());
    EXPECT_FALSE(d.ComboNiveau[Bleus]->isEnabled());
    EXPECT_EQ(d.ComboNiveau[Rouges]->currentText(), "Expert");
    QTest::mouseClick(d.RadioOrdinateur[Bleus], Qt::LeftButton);
    EXPECT_TRUE(d.ComboNiveau[Bleus]->isEnabled());
    d.ComboNiveau[Bleus]->setCurrentIndex(3);
    QTest::mouseClick(d.RadioHumain[Rouges], Qt::LeftButton);
    const ChoixJoueurs c = d.Choix();
    EXPECT_TRUE(c.Ordinateur[Bleus]);
    EXPECT_FALSE(c.Ordinateur[Rouges]);
    EXPECT_EQ(c.Niveaux[Bleus], Niveau::Maitre);
    EXPECT_EQ(f().RubriqueJoueurs->text(), "&Joueurs...");
    EXPECT_EQ(f().RubriqueJoueurs->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
}

} // namespace
