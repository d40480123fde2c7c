// A player's comforts at the real window: taking back and playing again, the hint, the marks of
// the other side's play, and the question before a game that was not saved is left.
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>

#include "doubles.h"
#include "game/partie.h"
#include "rules/actions.h"
#include "rules/commandes.h"
#include "rules/legales.h"

namespace {

struct Confort : ::testing::Test, FenetreDeTest {
    std::vector<std::uint8_t> Octets() const { return OctetsPartie(*j, joueurs); }
    // The records as a save writes them, and whether the play is being timed.
    std::pair<std::vector<std::uint8_t>, bool> Position() const {
        return {Octets(), f().TimerTemps->isActive()};
    }
    const TFormPlateau& f() const { return *fenetre; }
    using FenetreDeTest::f;

    // A legal action of the team to play, drawn by the generator.
    ActionJoueur AuHasard(std::mt19937& hasard) const {
        ActionsLegales liste;
        ListerActionsLegales(*j, liste);
        const int choix = liste.Nombre + (liste.PasserAction ? 1 : 0) + (liste.PasserTour ? 1 : 0);
        const int k = std::uniform_int_distribution(0, choix - 1)(hasard);
        if (k < liste.Nombre)
            return {ActionJoueur::Genre::Clic, {liste.Cases[k].Colonne, liste.Cases[k].Ligne}};
        if (liste.PasserAction && k == liste.Nombre) return {ActionJoueur::Genre::PasserAction, {}};
        return {ActionJoueur::Genre::PasserTour, {}};
    }
    // Rouges to a computer whose choices the seed fixes, acting without a pause.
    ParticipantOrdinateur& OrdinateurRouge(Niveau niveau, int pause) {
        auto ordinateur = std::make_unique<ParticipantOrdinateur>(niveau, 7);
        ordinateur->Pause = pause;
        ParticipantOrdinateur& place = *ordinateur;
        f().DefinirParticipant(Rouges, std::move(ordinateur));
        return place;
    }
    bool AuxBleus() {
        return QTest::qWaitFor([&] { return j->Equipe() == Bleus && !j->FinDeJeu; }, 10000);
    }
    // Bleus place on the first free cell of their camp, the computer answers each time.
    void PlacerContreLOrdinateur() {
        while (j->Action == acPlacement) {
            ActionsLegales legales;
            ListerActionsLegales(*j, legales);
            f().Agir(Bleus, {ActionJoueur::Genre::Clic,
                             {legales.Cases[0].Colonne, legales.Cases[0].Ligne}});
            ASSERT_TRUE(AuxBleus());
        }
    }
};

TEST_F(Confort, ChaqueAnnulationRendLesOctetsDeLaPositionPrecedente) {
    for (const unsigned graine : {1u, 2u, 3u}) {
        SCOPED_TRACE(graine);
        f().RubriqueNouvelleClick();
        std::mt19937 hasard(graine);
        std::vector<std::pair<std::vector<std::uint8_t>, bool>> positions{Position()};
        // Placements, plays and at least one half or goal: two persons take turns.
        while (positions.size() < 90 && !j->FinDeJeu) {
            f().Agir(j->Equipe(), AuHasard(hasard));
            positions.push_back(Position());
        }
        for (std::size_t i = positions.size() - 1; i-- > 0;) {
            f().RubriqueAnnulerClick();
            ASSERT_EQ(Position(), positions[i]) << "annulation vers " << i;
        }
        // At the start there is nothing left to take back.
        f().RubriqueAnnulerClick();
        EXPECT_EQ(Position(), positions[0]);
        for (std::size_t i = 1; i < positions.size(); ++i) {
            f().RubriqueRetablirClick();
            ASSERT_EQ(Position(), positions[i]) << "rétablissement vers " << i;
        }
    }
}

TEST_F(Confort, ContreLOrdinateurAnnulerReprendAussiSaReponse) {
    ParticipantOrdinateur& rouges = OrdinateurRouge(Niveau::Debutant, 60000);
    const auto depart = Position();
    DoubleClic(4, 2);
    // While the computer is about to act nothing is taken back, and the board says it is busy.
    ASSERT_TRUE(QTest::qWaitFor([&] { return rouges.TimerPause->isActive(); }, 10000));
    EXPECT_FALSE(f().RubriqueAnnuler->isEnabled());
    EXPECT_EQ(f().DrawGridPlateau->cursor().shape(), Qt::BusyCursor);
    const auto apresBleus = Position();
    f().RubriqueAnnulerClick();
    EXPECT_EQ(Position(), apresBleus);
    rouges.TimerPause->start(0);
    ASSERT_TRUE(AuxBleus());
    const auto apresRouges = Position();
    QTest::qWait(10);
    EXPECT_TRUE(f().RubriqueAnnuler->isEnabled());
    f().RubriqueAnnulerClick();
    EXPECT_EQ(Position(), depart);
    f().RubriqueRetablirClick();
    EXPECT_EQ(Position(), apresRouges);
    // Taken back again, then another placement: what was taken back cannot be played again.
    f().RubriqueAnnulerClick();
    DoubleClic(3, 2);
    const auto nouvelle = Position();
    QTest::qWait(10);
    EXPECT_FALSE(f().RubriqueRetablir->isEnabled());
    f().RubriqueRetablirClick();
    EXPECT_EQ(Position(), nouvelle);
}

TEST_F(Confort, LeConseilSeMontreSansEtreJoue) {
    PlacerDouze();
    // At the shot the search is short: the move is given up.
    f().RubriquePasserActionClick();
    ASSERT_EQ(j->Action, acTir);
    // The time left aside: the position must be the same to the byte.
    f().TimerTemps->stop();
    const auto avant = Position();
    f().RubriqueConseilClick();
    EXPECT_EQ(f().StatusBarMsg->Texte(0), "Conseil : l'ordinateur réfléchit…");
    ASSERT_TRUE(QTest::qWaitFor([&] { return f().Conseil().has_value(); }, 20000));
    EXPECT_EQ(Position(), avant);
    const ActionJoueur conseil = *f().Conseil();
    if (conseil.genre == ActionJoueur::Genre::Clic) {
        EXPECT_EQ(VerifierClic(*j, conseil.cellule), Refus::Aucun);
        const QImage image = f().DrawGridPlateau
                                 ->grab(f().DrawGridPlateau->RectangleCase(conseil.cellule.Colonne,
                                                                           conseil.cellule.Ligne))
                                 .toImage();
        EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 255, 0));
    } else {
        EXPECT_TRUE(f().StatusBarMsg->Texte(0).startsWith("Conseil : passez"));
    }
    // The next action takes it away.
    f().RubriquePasserTourClick();
    EXPECT_FALSE(f().Conseil().has_value());
}

TEST_F(Confort, LesCasesDuCoupDeLOrdinateurSontMarqueesJusquALActionSuivante) {
    OrdinateurRouge(Niveau::Debutant, 0);
    std::array<std::uint8_t, NbCases> avant{};
    // Every cell whose content the play changed is marked (a cell left and filled again by the
    // play may be too), and drawn so: four white corners, one pixel-art unit in from its edge.
    enum class Attendu { Aucune, Changees, Engagement };
    const auto verifierMarques = [&](Attendu attendu) {
        const QImage plateau = f().DrawGridPlateau->grab().toImage();
        int marquees = 0;
        for (int c = 0; c < NbColonnes; ++c) {
            for (int l = 0; l < NbLignes; ++l) {
                const bool marquee = f().Marquee(c, l);
                const bool changee = avant[jeu::Index(c, l)] != j->Case(c, l);
                if (attendu == Attendu::Aucune) {
                    EXPECT_FALSE(marquee) << c << ", " << l;
                } else if (attendu == Attendu::Changees && changee) {
                    EXPECT_TRUE(marquee) << c << ", " << l;
                }
                const QPoint coin =
                    f().DrawGridPlateau->RectangleCase(c, l).topLeft() + QPoint(2, 2);
                EXPECT_EQ(plateau.pixelColor(coin) == QColor(255, 255, 255), marquee)
                    << c << ", " << l;
                marquees += marquee ? 1 : 0;
            }
        }
        return marquees;
    };
    // Placements, then whole plays: Bleus give up theirs, the cells of Rouges' are marked.
    int marquees = 0;
    for (int coup = 0; coup < 10 && !j->FinDeJeu; ++coup) {
        SCOPED_TRACE(coup);
        ActionsLegales legales;
        ListerActionsLegales(*j, legales);
        if (j->Action == acPlacement)
            f().Agir(Bleus, {ActionJoueur::Genre::Clic,
                             {legales.Cases[0].Colonne, legales.Cases[0].Ligne}});
        else
            f().RubriquePasserTourClick();
        verifierMarques(Attendu::Aucune);
        avant = j->Cases;
        ASSERT_TRUE(AuxBleus());
        QTest::qWait(10);
        // A goal empties the board for the kick-off: what the play did there is gone, and only
        // a placement after it may be marked.
        const bool engagement =
            std::count(j->Cases.begin(), j->Cases.end(), Bleus + 1) == 0 && coup > 0;
        const int n = verifierMarques(engagement ? Attendu::Engagement : Attendu::Changees);
        // A pawn moved, then a shot.
        EXPECT_LE(n, engagement ? 1 : 5);
        marquees += n;
    }
    EXPECT_GT(marquees, 6);
}

TEST_F(Confort, LeTempsDeLOrdinateurAttendQuUneFenetreOuverteSeFerme) {
    ParticipantOrdinateur& rouges = OrdinateurRouge(Niveau::Debutant, 0);
    PlacerContreLOrdinateur();
    rouges.Pause = 60000;
    f().RubriquePasserTourClick();
    ASSERT_EQ(j->Equipe(), Rouges);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rouges.TimerPause->isActive(); }, 10000));
    const std::uint32_t temps = j->TempsRestant;
    QDialog feuille(&f());
    feuille.setModal(true);
    feuille.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &feuille);
    for (int i = 0; i < 10; ++i) f().TimerTempsTimer();
    EXPECT_EQ(j->TempsRestant, temps);
    feuille.hide();
    f().TimerTempsTimer();
    EXPECT_EQ(j->TempsRestant, temps - IntervalleHorloge);
}

// The four ways out of a game, each with the three answers and without a change.
struct Sortie {
    const char* nom;
    std::function<void(TFormPlateau&)> sortir;
    // Whether the way out was taken: a new game, the open dialog, the window closed.
    std::function<bool(Confort&)> faite;
};

TEST_F(Confort, LaQuestionAvantDeQuitterUnePartieNonEnregistree) {
    QTemporaryDir dossier;
    const auto nouvellePartie = [](Confort& t) { return t.j->Case(4, 2) == CaseVide; };
    const Sortie sorties[] = {
        {"Nouvelle", [](TFormPlateau& f) { f.RubriqueNouvelleClick(); }, nouvellePartie},
        {"Ouvrir", [](TFormPlateau& f) { f.RubriqueOuvrirClick(); },
         [](Confort& t) { return t.dialogues.Ouvertures == 1; }},
        {"Quitter", [](TFormPlateau& f) { f.RubriqueQuitterClick(); },
         [](Confort& t) { return !t.f().isVisible(); }},
        {"Fermer la fenêtre",
         [](TFormPlateau& f) {
             QCloseEvent fermeture;
             QCoreApplication::sendEvent(&f, &fermeture);
             if (fermeture.isAccepted()) f.hide();
         },
         [](Confort& t) { return !t.f().isVisible(); }},
    };
    struct Cas {
        const char* nom;
        bool changee;
        std::optional<Abandon> reponse;
        bool faite;
    };
    const Cas cas[] = {{"inchangée", false, std::nullopt, true},
                       {"Annuler", true, Abandon::Annuler, false},
                       {"Ne pas enregistrer", true, Abandon::NePasEnregistrer, true},
                       {"Enregistrer", true, Abandon::Enregistrer, true}};
    for (const Sortie& sortie : sorties) {
        for (const Cas& c : cas) {
            SCOPED_TRACE(std::string(sortie.nom) + ", " + c.nom);
            *j = jeu();
            joueurs = {};
            Construire();
            f().show();
            if (c.changee) DoubleClic(4, 2);
            const QString fichier = dossier.filePath(QString::fromUtf8(sortie.nom) + c.nom);
            boites.QuestionsEnregistrement.clear();
            dialogues.Ouvertures = 0;
            if (c.reponse) boites.Abandons = {*c.reponse};
            dialogues.Reponses = {fichier};
            sortie.sortir(f());
            EXPECT_EQ(boites.QuestionsEnregistrement.size(), c.changee ? 1u : 0u);
            if (c.changee) {
                EXPECT_EQ(
                    boites.QuestionsEnregistrement[0],
                    "La partie en cours n'a pas été enregistrée. Voulez-vous l'enregistrer ?");
            }
            EXPECT_EQ(sortie.faite(*this), c.faite);
            EXPECT_EQ(QFile::exists(fichier), c.reponse == Abandon::Enregistrer);
        }
    }
}

} // namespace
