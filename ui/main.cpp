// Start-up: the records first, then the application, the board window and the event loop.
#include <QImage>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <exception>
#include <memory>

#include "application.h"
#include "apropos.h"
#include "game/jeu.h"
#include "ligne_commande.h"
#include "plateau.h"
#include "platform/aide_qt.h"
#include "platform/mesure_demarrage.h"
#include "platform/registre_xdg.h"
#include "platform/version.h"
#include "preferences.h"
#include "rules/textes.h"

namespace {

// Without a display and without an explicit platform, Qt would abort with a long message.
bool AffichageDisponible() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The command line is read before any window: --help and --version need no display. A core
// application of its own gives it the program's path and Qt's messages in French.
std::variant<LigneCommande, int> LireArguments(int& argc, char** argv) {
    QCoreApplication noyau(argc, argv);
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduction);
    const auto version = VersionDuProgramme(QCoreApplication::applicationFilePath());
    return LireLigneCommande(QCoreApplication::arguments(), version.value_or(QString()));
}

int Executer(jeu& partie, Equipes& joueurs, const LigneCommande& ligne) {
    const QString programme = QCoreApplication::applicationFilePath();
    BoitesQt boites;
    DialoguesQt dialogues;
    RegistreXdg registre =
        RegistreXdg::DepuisEnvironnement(QImage(QStringLiteral(":/icons/ovane.xpm")));
    VisionneuseAideQt aide(
        VisionneuseAideQt::DossiersParDefaut(QCoreApplication::applicationDirPath()),
        [&boites](QWidget* fenetre, const QString& texte, const QString& titre) {
            boites.Afficher(fenetre, texte, titre, Icone::Arret);
        });
    TFormPlateau fenetre(partie, joueurs,
                         {boites, dialogues, registre, aide,
                          [programme](QWidget* parent) { AfficherAPropos(parent, programme); },
                          programme, CheminPreferences()});
    fenetre.DefinirJoueurs(ligne.joueurs);
    fenetre.FormShow(ligne.fichiers);
    fenetre.show();
    if (ligne.reseau) fenetre.JouerEnReseau(*ligne.reseau);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    // The one game record and the two team records live as long as the process.
    auto partie = std::make_unique<jeu>();
    auto joueurs = std::make_unique<Equipes>();
    const auto arguments = LireArguments(argc, argv);
    if (const int* statut = std::get_if<int>(&arguments)) return *statut;
    if (!AffichageDisponible()) {
        static_cast<void>(std::fputs(
            "Ovane a besoin d'un affichage graphique (DISPLAY ou WAYLAND_DISPLAY).\n", stderr));
        return 1;
    }
    ApplicationOvane application(argc, argv);
    InstallerMesureDemarrage(application);
    try {
        return Executer(*partie, *joueurs, std::get<LigneCommande>(arguments));
    } catch (const std::exception& erreur) {
        // An error outside any event handler: shown, then the program ends.
        BoitesQt().Afficher(nullptr, QString::fromLocal8Bit(erreur.what()),
                            QString::fromUtf8(Textes::Ovane), Icone::Arret);
        return 1;
    }
}
