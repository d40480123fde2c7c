// Each team is played by a participant: the window asks the one whose team is to play, takes
// every action through one entry, and the computer's interrupted choices never come back.
#include <QTest>
#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "doubles.h"
#include "rules/actions.h"
#include "rules/vue_memoire.h"
#include "ui/participant.h"

namespace {

using namespace std::chrono_literals;

// A player that does nothing by itself; the test makes it act.
class ParticipantScripte : public Participant {
public:
    int Demandes = 0;
    int Interruptions = 0;

    bool Personne() const override { return false; }
    void Jouer(const jeu&, const Equipes&) override { ++Demandes; }
    void Interrompre() override { ++Interruptions; }
    QString Message() const override { return QStringLiteral("Les Rouges jouent"); }
    bool Occupe() const override { return true; }
};

const ActionJoueur ClicRouge{ActionJoueur::Genre::Clic, {4, 8}};

struct Participants : ::testing::Test, FenetreDeTest {
    ParticipantScripte& Asseoir(int equipe) {
        auto participant = std::make_unique<ParticipantScripte>();
        ParticipantScripte& place = *participant;
        f().DefinirParticipant(equipe, std::move(participant));
        return place;
    }
    int PionsRouges() const {
        return static_cast<int>(std::count(j->Cases.begin(), j->Cases.end(), 2));
    }
    // Lets the window go on from the event loop, as it does after each handler.
    static void Poursuivre() { QTest::qWait(10); }
};

TEST_F(Participants, LEquipeAJouerEstDemandeeEtAffichee) {
    ParticipantScripte& rouges = Asseoir(Rouges);
    DoubleClic(4, 2);
    Poursuivre();
    EXPECT_GE(rouges.Demandes, 1);
    EXPECT_EQ(f().StatusBarMsg->Texte(0), "Les Rouges jouent");
    EXPECT_EQ(f().DrawGridPlateau->cursor().shape(), Qt::BusyCursor);
}

TEST_F(Participants, LaPersonneNAgitPasPourUnAutreJoueur) {
    Asseoir(Rouges);
    DoubleClic(4, 2);
    DoubleClic(4, 8);
    f().RubriquePasserActionClick();
    f().RubriquePasserTourClick();
    EXPECT_EQ(PionsRouges(), 0);
    EXPECT_EQ(j->Equipe(), Rouges);
    EXPECT_TRUE(boites.Vues.empty());
}

TEST_F(Participants, UneActionDuJoueurSuitLesReglesPuisIlEstInterrompu) {
    ParticipantScripte& rouges = Asseoir(Rouges);
    DoubleClic(4, 2);
    Poursuivre();
    const int interruptions = rouges.Interruptions;
    emit rouges.Agit(ClicRouge);
    Poursuivre();
    EXPECT_EQ(j->Case(4, 8), 2);
    EXPECT_EQ(j->Equipe(), Bleus);
    EXPECT_GT(rouges.Interruptions, interruptions);
    EXPECT_EQ(f().StatusBarMsg->Texte(0), "Bleus : placez le pion n°2");
    EXPECT_NE(f().DrawGridPlateau->cursor().shape(), Qt::BusyCursor);
}

// Whoever chose it, an action reaches the one step that carries it out, and only for the team
// to play.
struct Source {
    const char* nom;
    std::function<void(Participants&)> agir;
    std::vector<ActionJoueur> attendues;
};

TEST_F(Participants, ToutesLesActionsPassentParLaMemeEntree) {
    const ActionJoueur clicBleu{ActionJoueur::Genre::Clic, {3, 2}};
    const std::vector<Source> sources = {
        {"double-clic de la personne", [](Participants& t) { t.DoubleClic(3, 2); }, {clicBleu}},
        {"Passer l'action",
         [](Participants& t) { t.f().RubriquePasserActionClick(); },
         {{ActionJoueur::Genre::PasserAction, {}}}},
        {"Passer son tour",
         [](Participants& t) { t.f().RubriquePasserTourClick(); },
         {{ActionJoueur::Genre::PasserTour, {}}}},
        {"joueur de l'équipe à jouer",
         [&](Participants& t) { emit t.Asseoir(Bleus).Agit(clicBleu); },
         {clicBleu}},
        {"joueur de l'autre équipe",
         [](Participants& t) { emit t.Asseoir(Rouges).Agit(ClicRouge); },
         {}},
    };
    for (const Source& source : sources) {
        SCOPED_TRACE(source.nom);
        f().DefinirJoueurs({});
        std::vector<ActionJoueur> executees;
        f().ExecuterAction = [&](const ActionJoueur& a) { executees.push_back(a); };
        source.agir(*this);
        EXPECT_EQ(executees, source.attendues);
    }
}

// The computer interrupted while it searches, once its result is posted but not yet received,
// or while it shows its choice, then asked to play another game: the first action it emits is
// one for that game.
enum class Moment { Recherche, ResultatPoste, Pause };
struct Interruption {
    const char* nom;
    Moment moment;
};

TEST(ParticipantOrdinateur, RienNeSortDUnChoixInterrompu) {
    PartieMemoire avant;
    PartieMemoire apres;
    DrawGridPlateauDblClick(apres.p, {4, 2});
    ASSERT_EQ(apres.j->Equipe(), Rouges);
    const Interruption cas[] = {{"pendant la recherche", Moment::Recherche},
                                {"résultat posté", Moment::ResultatPoste},
                                {"pendant la pause", Moment::Pause}};
    for (const Interruption& c : cas) {
        SCOPED_TRACE(c.nom);
        ParticipantOrdinateur ordinateur(Niveau::Debutant, 7);
        ordinateur.Pause = 60000;
        int montrees = 0;
        std::vector<ActionJoueur> actions;
        QObject::connect(&ordinateur, &Participant::Montre, [&](position) { ++montrees; });
        QObject::connect(&ordinateur, &Participant::Agit,
                         [&](ActionJoueur a) { actions.push_back(a); });
        ordinateur.Jouer(*avant.j, avant.joueurs);
        // A beginner's search takes far less; the event loop does not run meanwhile.
        if (c.moment == Moment::ResultatPoste) std::this_thread::sleep_for(200ms);
        if (c.moment == Moment::Pause) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return montrees == 1; }, 5000));
        }
        ordinateur.Interrompre();
        ordinateur.Pause = 0;
        ordinateur.Jouer(*apres.j, apres.joueurs);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !actions.empty(); }, 5000));
        // A Bleus' placement, chosen before, would be refused in Rouges' camp.
        EXPECT_EQ(VerifierClic(*apres.j, actions.front().cellule), Refus::Aucun);
    }
}

} // namespace
