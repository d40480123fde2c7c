// The board window, driven as a player would: double-clicks on real cells, shortcuts, menus.
#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "doubles.h"
#include "game/partie.h"
#include "ui/application.h"
#include "ui/jauge.h"

namespace {

struct Plateau : ::testing::Test, FenetreDeTest {
    QColor Pixel(int x, int y) { return f().DrawGridPlateau->grab().toImage().pixelColor(x, y); }
    QImage ImageCase(int c, int l) {
        return f().DrawGridPlateau->grab(f().DrawGridPlateau->RectangleCase(c, l)).toImage();
    }
    void Activer() {
        f().show();
        f().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f()));
    }
    static int Compter(const QImage& image, QColor couleur) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == couleur;
        return n;
    }
};

TEST_F(Plateau, GeometrieDeLaFenetreEtDesPanneaux) {
    EXPECT_EQ(f().windowTitle(), "Ovane");
    // At factor 1 on a screen of ratio 1, the board's original measures; the window may grow.
    if (f().devicePixelRatioF() != 1) GTEST_SKIP() << "measures of a screen of ratio 1";
    EXPECT_EQ(f().DrawGridPlateau->parentWidget()->size(), QSize(379, 492));
    EXPECT_NE(f().minimumSize(), f().maximumSize());
    EXPECT_TRUE(f().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(f().DrawGridPlateau->geometry(), QRect(0, 0, 372, 454));
    EXPECT_EQ(f().CGaugeOccupation->geometry(), QRect(372, 0, 7, 454));
    EXPECT_EQ(f().StatusBarMsg->geometry(), QRect(0, 454, 379, 19));
    EXPECT_EQ(f().StatusBarPlateau->geometry(), QRect(0, 473, 379, 19));
    const int largeurs[] = {100, 36, 75, 82, 48};
    int x = 0;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f().StatusBarPlateau->Rectangle(i).left(), x);
        x += largeurs[i];
    }
    EXPECT_EQ(f().StatusBarPlateau->Rectangle(5).left(), x);
    EXPECT_EQ(f().StatusBarPlateau->Rectangle(5).right() + 2, 379 - 1);
    EXPECT_EQ(f().DrawGridPlateau->RectangleCase(8, 10), QRect(2 + 41 * 8, 2 + 41 * 10, 40, 40));
}

TEST_F(Plateau, TextesALaCreation) {
    const QStringList attendus = {"Bleus 0-0 Rouges", "1/40",  "Placement",
                                  "Pion n°1",         "Bleus", "0:00"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Panneau(i), attendus[i]);
    EXPECT_EQ(f().StatusBarPlateau->toolTip(), "Score, tour, action, séquence, joueur et temps");
    EXPECT_EQ(f().CGaugeOccupation->toolTip(), "Occupation");
    EXPECT_EQ(f().CGaugeOccupation->Pourcentage(), 50);
    EXPECT_FALSE(f().TimerTemps->isActive());
    EXPECT_EQ(f().TimerTemps->interval(), 200);
    EXPECT_EQ(f().TimerTemps->timerType(), Qt::PreciseTimer);
    f().FormShow({});
    EXPECT_EQ(aPropos, 1);
    EXPECT_EQ(f().DrawGridPlateau->cursor().bitmap().toImage(),
              f().Pictures().Curseurs[1].bitmap().toImage());
}

TEST_F(Plateau, LeMenuEtSesRaccourcis) {
    const auto verifier = [](QAction* a, const char* titre, QKeySequence touche) {
        EXPECT_EQ(a->text(), QString::fromUtf8(titre));
        EXPECT_EQ(a->shortcut(), touche) << titre;
    };
    const QList<QAction*> menus = f().menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), "&Partie");
    EXPECT_EQ(menus[1]->text(), "&Options");
    EXPECT_EQ(menus[2]->text(), "&Commandes");
    EXPECT_EQ(menus[3]->text(), "&Aide");
    verifier(f().RubriqueNouvelle, "&Nouvelle", QKeySequence(Qt::Key_F4));
    verifier(f().RubriqueOuvrir, "&Ouvrir", QKeySequence(Qt::Key_F3));
    verifier(f().RubriqueEnregistrer, "&Enregistrer", QKeySequence(Qt::Key_F2));
    verifier(f().RubriqueEnregistrerSous, "Enregistrer &sous...",
             QKeySequence(Qt::SHIFT | Qt::Key_F2));
    verifier(f().RubriqueQuitter, "&Quitter", QKeySequence(Qt::CTRL | Qt::Key_Q));
    verifier(f().RubriqueParametres, "&Paramètres de jeu", QKeySequence(Qt::CTRL | Qt::Key_P));
    verifier(f().RubriqueFeuilleDeMatch, "&Feuille de match", QKeySequence(Qt::CTRL | Qt::Key_F));
    verifier(f().RubriqueAgrandir, "A&grandir le plateau", QKeySequence(Qt::CTRL | Qt::Key_Plus));
    verifier(f().RubriqueReduire, "&Réduire le plateau", QKeySequence(Qt::CTRL | Qt::Key_Minus));
    verifier(f().RubriqueTailleNormale, "&Taille normale", QKeySequence(Qt::CTRL | Qt::Key_0));
    verifier(f().RubriquePasserAction, "&Passer l'action",
             QKeySequence(Qt::ALT | Qt::Key_Backspace));
    verifier(f().RubriquePasserTour, "&Passer son tour",
             QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
    verifier(f().RubriqueAnnuler, "&Annuler", QKeySequence(Qt::CTRL | Qt::Key_Z));
    verifier(f().RubriqueRetablir, "&Rétablir", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    verifier(f().RubriqueConseil, "C&onseil", QKeySequence(Qt::CTRL | Qt::Key_H));
    verifier(f().RubriqueAideContextuelle, "&Aide contextuelle", QKeySequence(Qt::Key_F1));
    verifier(f().RubriqueAPropos, "À &propos...", QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

TEST_F(Plateau, UnePartieJoueeALaSourisEtAuClavier) {
    Activer();
    PlacerPourUnBut([this](int c, int l, int) { DoubleClic(c, l); });
    EXPECT_EQ(Panneau(2), "Déplacement");
    EXPECT_TRUE(f().TimerTemps->isActive());
    // Bleus skip the move with Alt+Backspace and shoot from (4, 2): the puck-pawn goes to (4, 8).
    QTest::keyClick(&f(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Panneau(2), "Tir");
    DoubleClic(4, 2);
    EXPECT_EQ(j->Case(4, 8), CasePalet);
    EXPECT_EQ(Panneau(4), "Rouges");
    EXPECT_EQ(f().CGaugeOccupation->toolTip(), "Occupation : Bleus 80.0% - 20.0% Rouges");
    // Rouges pass their turn with Shift+Alt+Backspace.
    QTest::keyClick(&f(), Qt::Key_Backspace, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(Panneau(1), "2/40");
    QTest::keyClick(&f(), Qt::Key_Backspace, Qt::AltModifier);
    DoubleClic(4, 5);
    ASSERT_FALSE(boites.Vues.empty());
    EXPECT_EQ(boites.Vues.back().texte, "But des Bleus !!!");
    EXPECT_EQ(boites.Vues.back().titre, "Tir");
    EXPECT_EQ(Panneau(0), "Bleus 1-0 Rouges");
    EXPECT_EQ(Panneau(2), "Placement");
    EXPECT_EQ(Panneau(4), "Rouges");
    EXPECT_EQ(j->Case(4, 5), CasePalet);
    // F4 starts a new game.
    QTest::keyClick(&f(), Qt::Key_F4);
    EXPECT_EQ(Panneau(0), "Bleus 0-0 Rouges");
    EXPECT_EQ(Panneau(1), "1/40");
    EXPECT_FALSE(f().TimerTemps->isActive());
    QTest::keyClick(&f(), Qt::Key_F1);
    ASSERT_EQ(aide.Demandes.size(), 1u);
    EXPECT_EQ(aide.Demandes[0].first, "ovane.hlp");
    EXPECT_EQ(aide.Demandes[0].second, 0);
    QTest::keyClick(&f(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(aPropos, 1);
}

TEST_F(Plateau, LesFlechesDeplacentLaCaseCouranteSansAgir) {
    f().show();
    f().DrawGridPlateau->setFocus();
    QTest::keyClick(f().DrawGridPlateau, Qt::Key_Down);
    QTest::keyClick(f().DrawGridPlateau, Qt::Key_Right);
    QTest::keyClick(f().DrawGridPlateau, Qt::Key_Right);
    EXPECT_EQ(f().CaseCourante(), position(2, 1));
    QTest::keyClick(f().DrawGridPlateau, Qt::Key_Up);
    QTest::keyClick(f().DrawGridPlateau, Qt::Key_Up);
    EXPECT_EQ(f().CaseCourante(), position(2, 0));
    EXPECT_EQ(j->Case(2, 1), CaseVide);
    EXPECT_TRUE(boites.Vues.empty());
}

TEST_F(Plateau, LeDessinDesCases) {
    f().show();
    f().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f()));
    // The puck-pawn's light grey on the centre cell, over the blue-and-red checkerboard.
    const QImage centre = ImageCase(4, 5);
    EXPECT_EQ(centre.pixelColor(20, 20), QColor(192, 192, 192));
    const QColor coin = centre.pixelColor(0, 0);
    EXPECT_TRUE(coin == QColor(0, 0, 255) || coin == QColor(255, 0, 0));
    EXPECT_NE(centre.pixelColor(0, 0), centre.pixelColor(1, 0));
    // An empty cell of the camp of the team not to place is plain grey; the lines between cells
    // are silver.
    const QImage camp = ImageCase(2, 7);
    EXPECT_EQ(Compter(camp, QColor(128, 128, 128)), 40 * 40);
    EXPECT_EQ(Pixel(2 + 40, 2 + 41 * 3 + 20), QColor(192, 192, 192));
    // The D marker on a chosen pawn: white appears on a blue pawn.
    PlacerDouze();
    EXPECT_EQ(Compter(ImageCase(3, 2), QColor(255, 255, 255)), 0);
    DoubleClic(3, 2);
    // The current cell's frame elsewhere, so that its white is not counted.
    f().DrawGridPlateau->DefinirCaseCourante(8, 4);
    EXPECT_GT(Compter(ImageCase(3, 2), QColor(255, 255, 255)), 60);
    QTest::keyClick(&f(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Compter(ImageCase(3, 2), QColor(255, 255, 255)), 0);
}

TEST_F(Plateau, LaJaugeApresLePremierCoup) {
    f().show();
    PlacerDouze();
    // Bleus pass: the puck-pawn stays on row 5.
    f().RubriquePasserTourClick();
    EXPECT_EQ(f().CGaugeOccupation->Maximum(), 10);
    EXPECT_EQ(f().CGaugeOccupation->Progression(), 5);
    j->LignePalet = 6;
    f().RubriquePasserTourClick();
    EXPECT_EQ(f().CGaugeOccupation->toolTip(), "Occupation : Bleus 55.0% - 45.0% Rouges");
    EXPECT_EQ(f().CGaugeOccupation->Pourcentage(), 45);
    const QImage jauge = f().CGaugeOccupation->grab().toImage();
    const int rouge = 454 * 45 / 100;
    EXPECT_EQ(jauge.pixelColor(3, 453), QColor(255, 0, 0));
    EXPECT_EQ(jauge.pixelColor(3, 454 - rouge), QColor(255, 0, 0));
    EXPECT_EQ(jauge.pixelColor(3, 454 - rouge - 1), QColor(0, 0, 255));
}

TEST_F(Plateau, LeTempsExpirePendantUnMessageDeRegle) {
    f().show();
    PlacerDouze();
    j->TempsRestant = 200;
    boites.PendantLaBoite = [this](const BoiteVue&) {
        if (f().TimerTemps->isActive()) f().TimerTempsTimer();
    };
    DoubleClic(4, 5);
    ASSERT_EQ(boites.Vues.size(), 2u);
    EXPECT_EQ(boites.Vues[0].texte, "Vous devez choisir un pion bleu !");
    EXPECT_EQ(boites.Vues[1].titre, "Bleus");
    EXPECT_EQ(Panneau(4), "Rouges");
    EXPECT_TRUE(f().TimerTemps->isActive());
}

TEST_F(Plateau, LHorlogeCompteLeTempsAffiche) {
    f().show();
    PlacerDouze();
    for (int i = 0; i < 5; ++i) f().TimerTempsTimer();
    EXPECT_EQ(Panneau(5), "0:59");
    for (int i = 0; i < 5; ++i) f().TimerTempsTimer();
    EXPECT_EQ(Panneau(5), "0:58");
}

// WCAG's relative luminance and contrast ratio: 3 to 1 is what a frame needs to be seen.
double Luminance(QColor couleur) {
    const auto lineaire = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineaire(couleur.redF()) + 0.7152 * lineaire(couleur.greenF()) +
           0.0722 * lineaire(couleur.blueF());
}

double Contraste(QColor a, QColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// At every factor: a frame as wide as two lines of the grid runs all around the cell, and at every
// point of it one of its two colours stands out from the cell's own pixel there.
TEST_F(Plateau, LeCadreDeLaCaseCouranteSeVoitSurChaqueFond) {
    struct Fond {
        const char* nom;
        int colonne, ligne;
    };
    const Fond fonds[] = {{"ligne neutre", 1, 5},    {"but des Bleus", 3, 0},
                          {"but des Rouges", 3, 10}, {"zone bleue", 0, 0},
                          {"zone rouge", 0, 10},     {"camp", 2, 3}};
    // Each factor on a screen of ratio 1; the factor 1 on the screens that scale it themselves.
    const std::vector<int> echelles =
        f().devicePixelRatioF() == 1 ? std::vector<int>{1, 2, 3} : std::vector<int>{1};
    for (const int echelle : echelles) {
        f().DefinirEchelle(echelle);
        const int trait = f().DrawGridPlateau->PixelArt();
        f().DrawGridPlateau->DefinirCaseCourante(8, 4);
        const QImage plateauSans = f().DrawGridPlateau->grab().toImage();
        for (const Fond& fond : fonds) {
            const QRect r = f().DrawGridPlateau->Mesures().Case(fond.colonne, fond.ligne);
            f().DrawGridPlateau->DefinirCaseCourante(fond.colonne, fond.ligne);
            const QImage avec = f().DrawGridPlateau->grab().toImage().copy(r);
            const QImage sans = plateauSans.copy(r);
            const int n = r.width();
            int changes = 0, vus = 0;
            for (int y = 0; y < n; ++y) {
                for (int x = 0; x < n; ++x) {
                    // The distance to the cell's edge, in pixels.
                    const int bord = std::min({x, y, n - 1 - x, n - 1 - y});
                    changes += avec.pixel(x, y) != sans.pixel(x, y) && bord >= 2 * trait;
                    if (bord != 0) continue;
                    // This edge pixel, and the nearest one a frame's line inward: the frame's
                    // two colours.
                    const QPoint p(x, y);
                    const QPoint dedans(std::clamp(x, trait, n - 1 - trait),
                                        std::clamp(y, trait, n - 1 - trait));
                    const QColor fondIci = sans.pixelColor(p);
                    const double contraste = std::max(Contraste(avec.pixelColor(p), fondIci),
                                                      Contraste(avec.pixelColor(dedans), fondIci));
                    vus += contraste >= 3.0;
                    EXPECT_GE(contraste, 3.0)
                        << fond.nom << " ×" << echelle << " " << x << "," << y;
                }
            }
            EXPECT_EQ(changes, 0) << fond.nom << " ×" << echelle << ": the frame stays at the edge";
            EXPECT_EQ(vus, 4 * (n - 1)) << fond.nom << " ×" << echelle;
        }
    }
}

// The keyboard alone: arrows to the cell, then Entrée or Espace.
struct Clavier : Plateau {
    void Touche(Qt::Key touche, Qt::KeyboardModifiers modificateurs = {}) {
        QTest::keyClick(f().DrawGridPlateau, touche, modificateurs);
    }
    void Raccourci(Qt::Key touche, Qt::KeyboardModifiers modificateurs) {
        QTest::keyClick(&f(), touche, modificateurs);
    }
    void Jouer(int colonne, int ligne, Qt::Key touche) {
        Touche(Qt::Key_Home);
        for (int c = 0; c < colonne; ++c) Touche(Qt::Key_Right);
        for (int i = 0; i < NbLignes && f().CaseCourante().Ligne != ligne; ++i)
            Touche(f().CaseCourante().Ligne < ligne ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(f().CaseCourante(), position(colonne, ligne));
        Touche(touche);
    }
};

TEST_F(Clavier, UnePartieSansSourisJusquAuPremierBut) {
    Activer();
    PlacerPourUnBut([this](int c, int l, int equipe) {
        Jouer(c, l, equipe == Bleus ? Qt::Key_Return : Qt::Key_Space);
    });
    EXPECT_EQ(Panneau(2), "Déplacement");
    Raccourci(Qt::Key_Backspace, Qt::AltModifier);
    Jouer(4, 2, Qt::Key_Enter);
    EXPECT_EQ(j->Case(4, 8), CasePalet);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f().DrawGridPlateau)
                  ->focusChild()
                  ->text(QAccessible::Name),
              "Case 4, 2 : vide");
    Raccourci(Qt::Key_Backspace, Qt::ShiftModifier | Qt::AltModifier);
    Raccourci(Qt::Key_Backspace, Qt::AltModifier);
    Jouer(4, 5, Qt::Key_Space);
    ASSERT_FALSE(boites.Vues.empty());
    EXPECT_EQ(boites.Vues.back().texte, "But des Bleus !!!");
    EXPECT_EQ(Panneau(0), "Bleus 1-0 Rouges");
    // The goal taken back by its key, and played again by the other once the menu knows it.
    const auto apresBut = OctetsPartie(*j, joueurs);
    QTest::qWait(10);
    Raccourci(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Panneau(0), "Bleus 0-0 Rouges");
    QTest::qWait(10);
    Raccourci(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(OctetsPartie(*j, joueurs), apresBut);
    // What a screen reader says: each cell, and the current one as it moves.
    QAccessibleInterface* grille = QAccessible::queryAccessibleInterface(f().DrawGridPlateau);
    ASSERT_NE(grille, nullptr);
    ASSERT_EQ(grille->childCount(), NbCases);
    EXPECT_EQ(grille->child(jeu::Index(4, 5))->text(QAccessible::Name), "Case 4, 5 : pion-palet");
    EXPECT_EQ(grille->child(jeu::Index(0, 2))->text(QAccessible::Name), "Case 0, 2 : vide");
    EXPECT_EQ(grille->focusChild(), grille->child(jeu::Index(4, 5)));
    Jouer(0, 1, Qt::Key_Down);
    EXPECT_EQ(grille->focusChild()->text(QAccessible::Name), "Case 0, 2 : vide");
    EXPECT_EQ(grille->text(QAccessible::Name), "Plateau");
}

TEST_F(Clavier, EntreeAvecAltAppartientAuxRaccourcis) {
    f().show();
    Touche(Qt::Key_Down);
    Touche(Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(j->Case(0, 1), CaseVide);
    Touche(Qt::Key_Return);
    EXPECT_NE(j->Case(0, 1), CaseVide);
}

struct Fichiers : Plateau {
    QTemporaryDir dossier;
    QString Chemin(const char* nom) const { return dossier.filePath(QString::fromUtf8(nom)); }
};

TEST_F(Fichiers, EnregistrerDemandeUnNomUneFoisPuisLeGarde) {
    PlacerDouze();
    dialogues.Reponses = {Chemin("a.ovn")};
    f().RubriqueEnregistrerClick();
    EXPECT_EQ(QFile(Chemin("a.ovn")).size(), 9777);
    EXPECT_EQ(f().SaveDialogFileName, Chemin("a.ovn"));
    f().RubriqueEnregistrerClick();
    EXPECT_EQ(dialogues.Enregistrements, 1);
    // "Enregistrer sous" shows the current name, and cancelled keeps it.
    f().RubriqueEnregistrerSousClick();
    EXPECT_EQ(dialogues.NomPropose, Chemin("a.ovn"));
    EXPECT_EQ(f().SaveDialogFileName, Chemin("a.ovn"));
    dialogues.Reponses = {Chemin("b.ovn")};
    f().RubriqueEnregistrerSousClick();
    EXPECT_EQ(QFile(Chemin("b.ovn")).size(), 9777);
    EXPECT_TRUE(boites.Vues.empty());
}

TEST_F(Fichiers, OuvrirChargeEtReprendLHorloge) {
    PlacerDouze();
    for (int i = 0; i < 238; ++i) f().TimerTempsTimer();
    dialogues.Reponses = {Chemin("p.ovn")};
    f().RubriqueEnregistrerSousClick();
    f().RubriqueNouvelleClick();
    EXPECT_EQ(Panneau(2), "Placement");
    dialogues.Reponses = {Chemin("p.ovn")};
    f().RubriqueOuvrirClick();
    EXPECT_EQ(Panneau(2), "Déplacement");
    EXPECT_EQ(Panneau(5), "0:12");
    EXPECT_TRUE(f().TimerTemps->isActive());
    // Saving goes to the save name, not to the file that was opened.
    dialogues.Reponses.clear();
    f().RubriqueEnregistrerClick();
    EXPECT_EQ(dialogues.Enregistrements, 1);
}

TEST_F(Fichiers, UnOuvrirAnnuleOuRateLaisseLeCoupEnTemps) {
    PlacerDouze();
    ASSERT_TRUE(f().TimerTemps->isActive());
    f().RubriqueOuvrirClick();
    EXPECT_EQ(dialogues.Ouvertures, 1);
    EXPECT_TRUE(f().TimerTemps->isActive());
    QFile court(Chemin("court.ovn"));
    ASSERT_TRUE(court.open(QIODevice::WriteOnly));
    court.write(QByteArray(9776, '\0'));
    court.close();
    const auto avant = j->Cases;
    dialogues.Reponses = {Chemin("court.ovn")};
    f().RubriqueOuvrirClick();
    ASSERT_EQ(boites.Vues.size(), 1u);
    EXPECT_EQ(boites.Vues[0].texte, "Erreur de données dans le fichier");
    EXPECT_EQ(boites.Vues[0].titre, "Chargement non effectué");
    EXPECT_EQ(j->Cases, avant);
    EXPECT_TRUE(f().TimerTemps->isActive());
}

TEST_F(Fichiers, UnePartieNommeeAuDemarrageSeChargeApresLAPropos) {
    jeu autre;
    Equipes equipes;
    autre.TourCourant = 7;
    autre.NbTours = 20;
    ASSERT_EQ(SauvegarderPartie(Chemin("depart.ovn").toStdString(), autre, equipes),
              Sauvegarde::Reussie);
    int tourPendantAPropos = 0;
    FenetreDeTest t(false);
    t.fenetre = std::make_unique<TFormPlateau>(
        *t.j, t.joueurs,
        ServicesPlateau{t.boites, t.dialogues, t.registre, t.aide,
                        [&](QWidget*) { tourPendantAPropos = t.j->TourCourant; }, QString()});
    t.f().FormShow({Chemin("depart.ovn"), QStringLiteral("ignore")});
    EXPECT_EQ(tourPendantAPropos, 1);
    EXPECT_EQ(t.j->TourCourant, 7);
    EXPECT_EQ(t.Panneau(1), "7/20");
    EXPECT_EQ(t.dialogues.Ouvertures, 0);
    // A later "Ouvrir" shows the dialog again.
    t.f().RubriqueOuvrirClick();
    EXPECT_EQ(t.dialogues.Ouvertures, 1);
}

TEST_F(Fichiers, UnNomAbsentAuDemarrageLaisseLaPartieDeDepart) {
    f().FormShow({Chemin("absent.ovn")});
    ASSERT_EQ(boites.Vues.size(), 1u);
    EXPECT_EQ(boites.Vues[0].texte,
              "Impossible d'ouvrir le fichier « absent.ovn » : fichier introuvable");
    EXPECT_EQ(Panneau(1), "1/40");
}

TEST(Enregistrement, LeTypeDeFichierALaCreationDeLaFenetre) {
    FenetreDeTest t;
    EXPECT_EQ(t.registre.Cles.value(".ovn"), "Ovane");
    EXPECT_EQ(t.registre.Cles.value("Ovane"), "Partie d'Ovane");
    EXPECT_EQ(t.registre.Cles.value("Ovane\\DefaultIcon"), "/opt/ovane/bin/ovane,0");
    EXPECT_TRUE(t.boites.Vues.empty());
    FenetreDeTest refus(false);
    refus.registre.RefuserEcritures = true;
    refus.Construire();
    ASSERT_EQ(refus.boites.Vues.size(), 1u);
    EXPECT_EQ(refus.boites.Vues[0].texte,
              "Impossible d'ouvrir et/ou de mettre à jour la base de registres");
    EXPECT_EQ(refus.boites.Vues[0].titre, "Ovane");
    EXPECT_EQ(refus.Panneau(0), "Bleus 0-0 Rouges");
}

} // namespace

namespace {

struct Fautif : QObject {
    bool event(QEvent*) override { throw std::runtime_error("panne simulée"); }
};

TEST(Application, UneErreurDansUnGestionnaireEstAfficheeEtLeProgrammeContinue) {
    auto* application = static_cast<ApplicationOvane*>(QCoreApplication::instance());
    QStringList erreurs;
    const auto avant = application->SignalerErreur;
    application->SignalerErreur = [&](const QString& texte) { erreurs << texte; };
    Fautif objet;
    QEvent evenement(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&objet, &evenement));
    application->SignalerErreur = avant;
    EXPECT_EQ(erreurs, QStringList{"panne simulée"});
}

} // namespace
