// A hosted game with its two players in the same process: both players' records stay equal to
// the host's at every step, and the host keeps what it announced.
#include <gtest/gtest.h>

#include "client_memoire.h"
#include "tools/aleatoire/joueur_aleatoire.h"

namespace {

Requete Action(const CommandeJeu& commande) {
    Requete r;
    r.genre = Requete::Genre::Jeu;
    r.jeu = commande;
    return r;
}

CommandeJeu Clic(position cellule) {
    CommandeJeu c = CommandeSimple(CommandeJeu::Genre::Clic);
    c.cellule = cellule;
    return c;
}

std::vector<std::uint8_t> Octets(const HotePartie& hote) {
    return OctetsPartie(hote.Jeu(), hote.Joueurs());
}

struct Table {
    // seuil: lines between two snapshots of the stream, in memory and in the journal.
    explicit Table(std::size_t seuil = 512) : hote("XK4P7M", &journal, seuil) {
        EXPECT_TRUE(hote.Creer(Bleus, CommandeParametres(5, 20, 30000), *clients[Bleus]));
        EXPECT_TRUE(hote.Rejoindre(*clients[Rouges]));
    }

    JournalMemoire journal;
    HotePartie hote;
    std::array<std::unique_ptr<ClientMemoire>, 2> clients{std::make_unique<ClientMemoire>(),
                                                          std::make_unique<ClientMemoire>()};

    ClientMemoire& Client(int equipe) { return *clients[static_cast<std::size_t>(equipe)]; }
};

// A seeded game of plausible clicks, skips, clock runs and strays from the wrong seat, with
// drops and returns, and snapshots often enough that catch-ups and the journal start from them.
TEST(HotePartie, LesDeuxJoueursRestentEgauxALHote) {
    for (unsigned graine = 1; graine <= 6; ++graine) {
        Table t(graine % 2 ? 512 : 24);
        JoueurAleatoire hasard(graine);
        // The game as the journal's last write left it: what a restart must give back.
        auto gardee = Octets(t.hote);
        int ecritures = t.journal.ecritures;
        const auto suivre = [&] {
            if (t.journal.ecritures == ecritures) return;
            ecritures = t.journal.ecritures;
            gardee = Octets(t.hote);
        };
        for (int n = 0; n < 1500 && !t.hote.Jeu().FinDeJeu; ++n) {
            const int equipe = t.hote.Jeu().Equipe();
            const int tirage = hasard.Entre(0, 99);
            if (tirage < 60) {
                t.hote.Traiter(t.Client(equipe), Action(Clic(hasard.ClicPlausible(t.hote.Jeu()))));
            } else if (tirage < 70) {
                t.hote.Traiter(t.Client(equipe),
                               Action(CommandeSimple(CommandeJeu::Genre::PasserTour)));
            } else if (tirage < 75) {
                // The other seat cannot act: refused, nothing changes.
                const auto avant = Octets(t.hote);
                t.hote.Traiter(t.Client(equipe ^ 1), Action(Clic(position(4, 4))));
                EXPECT_EQ(t.Client(equipe ^ 1).recues.back(),
                          std::string("erreur ") + TextesReseau::PasVotreTour);
                EXPECT_EQ(Octets(t.hote), avant);
            } else if (tirage < 77) {
                // A drop, then the seat taken back by a new connection with its token.
                const std::string jeton = t.Client(equipe).jeton;
                t.hote.Quitter(t.Client(equipe));
                t.clients[static_cast<std::size_t>(equipe)] = std::make_unique<ClientMemoire>();
                ASSERT_TRUE(t.hote.Reprendre(jeton, t.Client(equipe)));
            } else {
                for (int k = hasard.Entre(1, 80); k > 0; --k) {
                    t.hote.Tic();
                    suivre();
                }
            }
            ASSERT_EQ(t.Client(Bleus).Octets(), Octets(t.hote)) << graine << " " << n;
            ASSERT_EQ(t.Client(Rouges).Octets(), Octets(t.hote)) << graine << " " << n;
            suivre();
            // A restart now finds the game where the journal's last write left it.
            if (n % 25 == 0) {
                HotePartie restauree("XK4P7M", nullptr);
                ASSERT_TRUE(restauree.Restaurer(t.journal.partie));
                ASSERT_EQ(Octets(restauree), gardee) << graine << " " << n;
            }
        }
    }
}

// A player checks its own records against the host's saved-game bytes.
TEST(HotePartie, LaSauvegardeEstCelleDeLHote) {
    Table t;
    t.hote.Traiter(t.Client(Bleus), Action(Clic(position(4, 2))));
    Requete r;
    r.genre = Requete::Genre::Sauvegarde;
    t.hote.Traiter(t.Client(Rouges), r);
    const auto& recues = t.Client(Rouges).recues;
    ASSERT_EQ(recues.back(), "ok");
    const auto sauvegarde = LireAnnonce(recues.end()[-2]);
    ASSERT_TRUE(sauvegarde && sauvegarde->genre == Annonce::Genre::Sauvegarde);
    EXPECT_EQ(sauvegarde->octets, Octets(t.hote));
    EXPECT_EQ(sauvegarde->octets, t.Client(Rouges).Octets());
}

TEST(HotePartie, LesBoitesDUnRefusVontASonAuteurSeul) {
    Table t;
    const std::size_t avant = t.Client(Rouges).recues.size();
    t.hote.Traiter(t.Client(Bleus), Action(Clic(position(4, 9))));
    EXPECT_EQ(t.Client(Bleus).recues.back(), "ok");
    const auto boite = LireAnnonce(t.Client(Bleus).recues.end()[-2]);
    ASSERT_TRUE(boite);
    EXPECT_EQ(boite->genre, Annonce::Genre::Boite);
    EXPECT_EQ(t.Client(Rouges).recues.size(), avant);
}

TEST(HotePartie, SiegesJetonsEtRetourDuPlusRecent) {
    Table t;
    ClientMemoire troisieme;
    EXPECT_FALSE(t.hote.Rejoindre(troisieme));
    EXPECT_EQ(troisieme.recues.back(), std::string("erreur ") + TextesReseau::PartieComplete);
    std::string faux = t.Client(Rouges).jeton;
    faux[0] = faux[0] == 'a' ? 'b' : 'a';
    EXPECT_FALSE(t.hote.Reprendre(faux, troisieme));

    // The newest connection of a seat wins; the older one is told and let go.
    ClientMemoire nouveau;
    const std::size_t avant = t.Client(Bleus).recues.size();
    ASSERT_TRUE(t.hote.Reprendre(t.Client(Rouges).jeton, nouveau));
    EXPECT_TRUE(t.Client(Rouges).ferme);
    EXPECT_EQ(nouveau.Octets(), Octets(t.hote));
    // The opponent never saw the seat empty.
    EXPECT_EQ(t.Client(Bleus).recues.size(), avant);
}

TEST(HotePartie, LHorlogeAttendLEquipeQuiDoitJouer) {
    Table t;
    // Five pawns each, then Bleus' first play is timed.
    const int colonnes[] = {0, 2, 4, 6, 8};
    for (int c : colonnes) {
        t.hote.Traiter(t.Client(Bleus), Action(Clic(position(c, 2))));
        t.hote.Traiter(t.Client(Rouges), Action(Clic(position(c, 8))));
    }
    ASSERT_TRUE(t.hote.HorlogeEnMarche());
    t.hote.Quitter(t.Client(Bleus));
    EXPECT_FALSE(t.hote.HorlogeEnMarche());
    EXPECT_EQ(t.Client(Rouges).recues.back(), "adversaire absent");
    const auto avant = Octets(t.hote);
    t.hote.Tic();
    EXPECT_EQ(Octets(t.hote), avant);
}

TEST(HotePartie, UnePropositionAccepteeVaAuFlux) {
    Table t;
    Requete proposer;
    proposer.genre = Requete::Genre::Proposer;
    proposer.jeu = CommandeParametres(7, 60, 90000);
    t.hote.Traiter(t.Client(Bleus), proposer);
    EXPECT_EQ(t.Client(Rouges).recues.back(), "proposition parametres 7 60 90000");
    Requete accepter;
    accepter.genre = Requete::Genre::Accepter;
    t.hote.Traiter(t.Client(Bleus), accepter);
    EXPECT_EQ(t.Client(Bleus).recues.back(),
              std::string("erreur ") + TextesReseau::AucuneProposition);
    t.hote.Traiter(t.Client(Rouges), accepter);
    EXPECT_TRUE(t.Client(Bleus).ARecu("jeu parametres 7 60 90000"));
    EXPECT_EQ(t.Client(Bleus).recues.back(), "reponse acceptee");
    EXPECT_EQ(t.hote.Jeu().NbPions, 7);
    // A proposal dies with its author's connection: the other side's answer can never accept a
    // later one.
    t.hote.Traiter(t.Client(Bleus), proposer);
    t.hote.Quitter(t.Client(Bleus));
    EXPECT_EQ(t.Client(Rouges).recues.back(), "proposition annulee");
}

TEST(HotePartie, UneActionNonGardeeNEstNiAppliqueeNiAnnoncee) {
    Table t;
    t.journal.plein = true;
    const auto avant = Octets(t.hote);
    t.hote.Traiter(t.Client(Bleus), Action(Clic(position(4, 2))));
    EXPECT_EQ(t.Client(Bleus).recues.back(), std::string("erreur ") + TextesReseau::Stockage);
    EXPECT_EQ(Octets(t.hote), avant);
    EXPECT_EQ(t.Client(Rouges).recues.back(), "ok");
    // Space is back: the same action goes through.
    t.journal.plein = false;
    t.hote.Traiter(t.Client(Bleus), Action(Clic(position(4, 2))));
    EXPECT_EQ(t.Client(Rouges).recues.back(), "jeu clic 4 2");
}

} // namespace
