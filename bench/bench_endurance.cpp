// Endurance: the real window, offscreen, with the real message boxes, file dialogs, help window
// and About box, each dismissed as a user would. After a warm-up, 10,000 double-clicks of a
// seeded random player and every dialog opened and closed 100 times; reports how much the
// anonymous memory, the heap in use and the number of widgets grew meanwhile.
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <malloc.h>
#include <memory>

#include "platform/aide_qt.h"
#include "platform/registre.h"
#include "tools/aleatoire/joueur_aleatoire.h"
#include "ui/apropos.h"
#include "ui/boites.h"
#include "ui/grille.h"
#include "ui/plateau.h"

namespace {

// Dismisses the modal window that the nested event loop about to start shows.
void FermerLaProchaine() {
    QTimer::singleShot(0, [] {
        if (QWidget* fenetre = QApplication::activeModalWidget()) fenetre->close();
    });
}

struct BoitesFermees : Boites {
    BoitesQt reelles;
    void Afficher(QWidget* parent, const QString& texte, const QString& titre,
                  Icone icone) override {
        FermerLaProchaine();
        reelles.Afficher(parent, texte, titre, icone);
    }
    bool Demander(QWidget* parent, const QString& texte, const QString& titre) override {
        FermerLaProchaine();
        return reelles.Demander(parent, texte, titre);
    }
    void AfficherUnMoment(QWidget* parent, const QString& texte, const QString& titre, Icone icone,
                          int millisecondes) override {
        FermerLaProchaine();
        reelles.AfficherUnMoment(parent, texte, titre, icone, millisecondes);
    }
    // The real question, closed at once; the game is then left unsaved, so that the run goes on
    // to new games as it did before the question was asked.
    Abandon DemanderEnregistrement(QWidget* parent, const QString& texte,
                                   const QString& titre) override {
        FermerLaProchaine();
        static_cast<void>(reelles.DemanderEnregistrement(parent, texte, titre));
        return Abandon::NePasEnregistrer;
    }
};

struct DialoguesFermes : DialoguesFichier {
    DialoguesQt reels;
    std::optional<QString> Ouvrir(QWidget* parent) override {
        FermerLaProchaine();
        return reels.Ouvrir(parent);
    }
    std::optional<QString> Enregistrer(QWidget* parent, const QString& nom) override {
        FermerLaProchaine();
        return reels.Enregistrer(parent, nom);
    }
};

struct Memoire {
    long anonymeKio = 0;
    long tasKio = 0;
    long widgets = 0;
};

// Once the windows closed meanwhile are really deleted.
Memoire Mesurer() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Memoire m;
    QFile etat(QStringLiteral("/proc/self/status"));
    if (etat.open(QIODevice::ReadOnly))
        for (const QByteArray& ligne : etat.readAll().split('\n'))
            if (ligne.startsWith("RssAnon:"))
                m.anonymeKio = ligne.mid(8).trimmed().split(' ')[0].toLong();
    const struct mallinfo2 tas = mallinfo2();
    m.tasKio = static_cast<long>((tas.uordblks + tas.hblkhd) / 1024);
    m.widgets = QApplication::allWidgets().size();
    return m;
}

class Endurance {
public:
    Endurance()
        : aide_({QStringLiteral(OVANE_DOSSIER_AIDE)},
                [this](QWidget* fenetre, const QString& texte, const QString& titre) {
                    boites_.Afficher(fenetre, texte, titre, Icone::Arret);
                }),
          fenetre_(*jeu_, joueurs_,
                   {boites_, dialogues_, registre_, aide_,
                    [](QWidget* parent) {
                        FermerLaProchaine();
                        AfficherAPropos(parent, QStringLiteral(OVANE_PROGRAMME));
                    },
                    QStringLiteral(OVANE_PROGRAMME)}) {
        fenetre_.show();
    }

    // A double-click where the random player would play, now and then a skip, and a new game
    // once one is over.
    void DoubleClic() {
        if (jeu_->FinDeJeu) fenetre_.RubriqueNouvelleClick();
        if (hasard_.Entre(0, 19) == 0) fenetre_.RubriquePasserTourClick();
        const position c = hasard_.ClicPlausible(*jeu_);
        const QPoint centre = fenetre_.DrawGridPlateau->RectangleCase(c.Colonne, c.Ligne).center();
        QTest::mouseClick(fenetre_.DrawGridPlateau, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(fenetre_.DrawGridPlateau, Qt::LeftButton, {}, centre);
    }

    void ChaqueDialogue() {
        FermerLaProchaine();
        fenetre_.RubriqueParametresClick();
        FermerLaProchaine();
        fenetre_.RubriqueFeuilleDeMatchClick();
        FermerLaProchaine();
        fenetre_.RubriqueJoueursClick();
        fenetre_.RubriqueAProposClick();
        fenetre_.RubriqueOuvrirClick();
        fenetre_.RubriqueEnregistrerSousClick();
        fenetre_.Message("Case déjà occupée !", "Placement", Icone::Arret);
        fenetre_.RubriqueAideContextuelleClick();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &fenetre_ && w->isVisible()) w->close();
    }

    void Jouer(int clics, int tours) {
        for (int i = 0; i < clics; ++i) {
            DoubleClic();
            if (tours > 0 && i % (clics / tours) == 0) ChaqueDialogue();
        }
    }

private:
    std::unique_ptr<jeu> jeu_ = std::make_unique<jeu>();
    Equipes joueurs_;
    BoitesFermees boites_;
    DialoguesFermes dialogues_;
    RegistreMemoire registre_;
    VisionneuseAideQt aide_;
    TFormPlateau fenetre_;
    JoueurAleatoire hasard_{1};
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Endurance endurance;
    const Memoire debut = Mesurer();
    endurance.Jouer(1000, 10);
    const Memoire avant = Mesurer();
    endurance.Jouer(10000, 100);
    const Memoire apres = Mesurer();
    // The warm-up's own growth (the first file dialog, fonts, caches), then what follows it.
    std::printf("rodage_kio %ld %ld\n", debut.anonymeKio, avant.anonymeKio);
    std::printf("endurance %ld %ld %ld\n", apres.anonymeKio - avant.anonymeKio,
                apres.tasKio - avant.tasKio, apres.widgets - avant.widgets);
    return 0;
}
