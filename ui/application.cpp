// The application object.
#include "application.h"

#include <QLibraryInfo>
#include <QSettings>
#include <exception>

#include "boites.h"
#include "polices.h"
#include "rules/textes.h"

namespace {

// The program keeps only the board's size, in its own file (preferences.h), but Qt's file
// dialogs save their history and last folder in the user's QtProject.conf. A folder that can
// never exist makes every user-scope setting of the process read nothing and write nowhere.
void AucunFichierDeReglages() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

} // namespace

ApplicationOvane::ApplicationOvane(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(Textes::Ovane));
    setDesktopFileName(QStringLiteral("org.ovane.Ovane"));
    AucunFichierDeReglages();
    // What Qt draws itself (file dialogs, standard buttons, key names) speaks French too; without
    // its translations installed, it stays in English and the game goes on.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    if (traductionQt_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&traductionQt_);
        installTranslator(&typesDeFichiers_);
    }
    setFont(Polices::Interface());
    SignalerErreur = [](const QString& texte) {
        BoitesQt().Afficher(QApplication::activeWindow(), texte, QString::fromUtf8(Textes::Ovane),
                            Icone::Arret);
    };
}

QString ApplicationOvane::TypesDeFichiers::translate(const char* contexte, const char* source,
                                                     const char*, int) const {
    if (qstrcmp(contexte, "QAbstractFileIconProvider") != 0) return {};
    const QString texte = QCoreApplication::translate("QFileDialog", source);
    // Untranslated there too: let the other catalogues answer.
    return texte == QLatin1String(source) ? QString() : texte;
}

bool ApplicationOvane::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const std::exception& erreur) {
        SignalerErreur(QString::fromLocal8Bit(erreur.what()));
    } catch (...) {
        SignalerErreur(QStringLiteral("Erreur inattendue"));
    }
    return false;
}
