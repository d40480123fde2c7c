// ovane-serveur: hosts many network games at once, keeps them in a database, and finds them again
// after a restart. Prints "port N" on standard output once it listens; its log goes to standard
// error, one line per event, without tokens.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <exception>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "journal_sql.h"
#include "limites_options.h"
#include "reseau/accueil.h"
#include "reseau/repartiteur.h"

namespace {

int tubeSignal[2] = {-1, -1};

void SurSignal(int) {
    const char c = 1;
    // Only write(2) is safe here; the event loop does the rest.
    [[maybe_unused]] const auto n = ::write(tubeSignal[1], &c, 1);
}

// A line on a standard stream; there is nowhere else to say that it could not be written.
void Ecrire(std::FILE* flux, const QString& texte) {
    static_cast<void>(std::fputs(qPrintable(texte), flux));
}

void Journaliser(const QString& texte) {
    Ecrire(stderr, QStringLiteral("ovane-serveur: %1\n").arg(texte));
}

QString DossierParDefaut() {
    QString etat = qEnvironmentVariable("XDG_STATE_HOME");
    if (etat.isEmpty() || QDir::isRelativePath(etat))
        etat = QDir::homePath() + QStringLiteral("/.local/state");
    return etat + QStringLiteral("/ovane-serveur");
}

// Many connections want many descriptors: the soft limit goes up to the hard one.
void LeverLimiteFichiers() {
    rlimit limite{};
    if (getrlimit(RLIMIT_NOFILE, &limite) == 0 && limite.rlim_cur < limite.rlim_max) {
        limite.rlim_cur = limite.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limite);
    }
}

struct Options {
    quint16 port = PortParDefaut;
    QHostAddress ecoute = QHostAddress::Any;
    QString donnees;
    Accueil::Reglages reglages;
    // TLS: both files, or neither and plain TCP.
    QString certificat;
    QString cle;
};

struct OptionsTls {
    QCommandLineOption certificat{
        QStringLiteral("certificat"),
        QStringLiteral("Certificat du serveur (PEM, sa chaîne à la suite) : le port ne parle "
                       "plus que TLS. Va avec --cle."),
        QStringLiteral("FICHIER")};
    QCommandLineOption cle{QStringLiteral("cle"),
                           QStringLiteral("Clé privée du certificat (PEM, sans phrase secrète)."),
                           QStringLiteral("FICHIER")};
};

// The TLS files into options; the status to end with when one comes without the other.
int LireTls(const QCommandLineParser& lecteur, const OptionsTls& tls, Options& options) {
    if (lecteur.isSet(tls.certificat) != lecteur.isSet(tls.cle)) {
        Journaliser(QStringLiteral("--certificat et --cle vont ensemble"));
        return 2;
    }
    options.certificat = lecteur.value(tls.certificat);
    options.cle = lecteur.value(tls.cle);
    return 0;
}

// The options read, or the status to end with at once.
std::variant<Options, int> LireOptions(const QCoreApplication& app) {
    QCommandLineParser lecteur;
    lecteur.setApplicationDescription(
        QStringLiteral("Serveur de parties en réseau d'Ovane : héberge les parties, les garde "
                       "dans une base de données et les retrouve après un redémarrage. Avec "
                       "--certificat et --cle, il ne parle que TLS. Installé par le paquet, il "
                       "tourne comme service : systemctl enable --now ovane-serveur (voir "
                       "ovane-serveur(6), SERVICE)."));
    // Their own words: Qt's French catalogue lacks those of the standard options.
    const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version du programme."));
    const QCommandLineOption port(
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Port d'écoute (%1 par défaut ; 0 : un port libre).").arg(PortParDefaut),
        QStringLiteral("PORT"));
    const QCommandLineOption ecoute(QStringLiteral("ecoute"),
                                    QStringLiteral("Adresse d'écoute (toutes par défaut)."),
                                    QStringLiteral("ADRESSE"));
    const QCommandLineOption donnees(
        {QStringLiteral("d"), QStringLiteral("donnees")},
        QStringLiteral("Dossier des données (%1 par défaut).").arg(DossierParDefaut()),
        QStringLiteral("DOSSIER"));
    lecteur.addOptions({aide, version, port, ecoute, donnees});
    DeclarerLimites(lecteur);
    const OptionsTls tls;
    lecteur.addOptions({tls.certificat, tls.cle});
    if (!lecteur.parse(app.arguments())) {
        Ecrire(
            stderr,
            QStringLiteral("ovane-serveur: %1\n%2").arg(lecteur.errorText(), lecteur.helpText()));
        return 2;
    }
    if (lecteur.isSet(aide)) {
        Ecrire(stdout, lecteur.helpText());
        return 0;
    }
    if (lecteur.isSet(version)) {
        Ecrire(stdout, QStringLiteral("ovane-serveur %1\n").arg(QStringLiteral(OVANE_VERSION)));
        return 0;
    }
    Options options;
    options.donnees = lecteur.isSet(donnees) ? lecteur.value(donnees) : DossierParDefaut();
    if (lecteur.isSet(port)) {
        bool ok = false;
        const uint valeur = lecteur.value(port).toUInt(&ok);
        if (!ok || valeur > 65535) {
            Journaliser(QStringLiteral("port invalide : %1").arg(lecteur.value(port)));
            return 2;
        }
        options.port = static_cast<quint16>(valeur);
    }
    if (lecteur.isSet(ecoute) && !options.ecoute.setAddress(lecteur.value(ecoute))) {
        Journaliser(QStringLiteral("adresse invalide : %1").arg(lecteur.value(ecoute)));
        return 2;
    }
    if (QString erreur; !LireLimites(lecteur, options.reglages, erreur)) {
        Journaliser(erreur);
        return 2;
    }
    if (const int statut = LireTls(lecteur, tls, options)) return statut;
    if (!lecteur.positionalArguments().isEmpty()) {
        Journaliser(QStringLiteral("argument inattendu : %1")
                        .arg(lecteur.positionalArguments().constFirst()));
        return 2;
    }
    return options;
}

int Restaurer(JournalSql& journal, Accueil& accueil) {
    std::vector<PartieEnregistree> parties;
    QString erreur;
    if (!journal.Charger(parties, erreur)) {
        Journaliser(QStringLiteral("base de données illisible : %1").arg(erreur));
        return 1;
    }
    for (const PartieEnregistree& partie : parties) {
        if (!accueil.Restaurer(partie))
            Journaliser(QStringLiteral("partie %1 illisible, laissée de côté")
                            .arg(QString::fromStdString(partie.code)));
    }
    Journaliser(QStringLiteral("%1 parties retrouvées").arg(accueil.NbParties()));
    return 0;
}

// The certificate and key, checked, when the options name them; false once said why they cannot
// serve. The fingerprint goes to the log: players of a self-hosted server paste it.
bool ChargerTls(const Options& options, std::optional<QSslConfiguration>& chiffrement) {
    if (options.certificat.isEmpty()) return true;
    QString erreur;
    chiffrement = ChargerChiffrement(options.certificat, options.cle, erreur);
    if (!chiffrement) {
        Journaliser(erreur);
        return false;
    }
    Journaliser(QStringLiteral("TLS seulement ; empreinte SHA-256 du certificat : %1")
                    .arg(Empreinte(chiffrement->localCertificate())));
    return true;
}

// The key of the names the log gives games, kept in the data folder so that a game keeps its name
// across restarts; made at the first start. False once said why it cannot be read or made.
bool LireCleJournal(const QString& dossier, QByteArray& cle) {
    const QString chemin = QDir(dossier).filePath(QStringLiteral("cle-journal"));
    QFile fichier(chemin);
    if (fichier.exists()) {
        if (!fichier.open(QIODevice::ReadOnly)) {
            Journaliser(
                QStringLiteral("impossible de lire %1 : %2").arg(chemin, fichier.errorString()));
            return false;
        }
        cle = QByteArray::fromHex(fichier.read(256).trimmed());
        if (cle.size() != 32) {
            Journaliser(QStringLiteral("%1 ne contient pas une clé de 32 octets").arg(chemin));
            return false;
        }
        return true;
    }
    cle = NouvelleCleJournal();
    QSaveFile nouveau(chemin);
    const bool ecrit = nouveau.open(QIODevice::WriteOnly) &&
                       nouveau.write(cle.toHex() + '\n') > 0 && nouveau.commit();
    if (!ecrit || !QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner)) {
        Journaliser(
            QStringLiteral("impossible d'écrire %1 : %2").arg(chemin, nouveau.errorString()));
        return false;
    }
    return true;
}

int Servir(int argc, char* argv[]) {
    // An event loop on epoll, neither GLib's nor Qt's own on poll(): with those, every turn of
    // the loop walks all the sockets, and 10,000 connections at rest doubled the players' wait
    // (bench/reseau.sh).
    RepartiteurEpoll::Installer();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ovane-serveur"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OVANE_VERSION));
    // Qt's own words in the usage (the standard options) in French, as the rest of it.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduction);
    const auto lues = LireOptions(app);
    if (const int* statut = std::get_if<int>(&lues)) return *statut;
    const Options& options = std::get<Options>(lues);
    LeverLimiteFichiers();
    std::optional<QSslConfiguration> chiffrement;
    if (!ChargerTls(options, chiffrement)) return 1;

    if (!QDir().mkpath(options.donnees)) {
        Journaliser(QStringLiteral("impossible de créer le dossier %1").arg(options.donnees));
        return 1;
    }
    JournalSql journal;
    QString erreur;
    if (!journal.Ouvrir(QDir(options.donnees).filePath(QStringLiteral("parties.sqlite")), erreur)) {
        Journaliser(erreur);
        return 1;
    }
    QByteArray cleJournal;
    if (!LireCleJournal(options.donnees, cleJournal)) return 1;
    Accueil accueil(QStringLiteral(OVANE_VERSION), &journal);
    accueil.reglages = options.reglages;
    accueil.CleJournal = cleJournal;
    QObject::connect(&accueil, &Accueil::Evenement, &accueil, Journaliser);
    if (chiffrement) accueil.Chiffrer(*chiffrement);
    if (const int statut = Restaurer(journal, accueil)) return statut;
    if (!accueil.Ecouter(options.ecoute, options.port)) {
        Journaliser(QStringLiteral("impossible d'écouter sur le port %1 : %2")
                        .arg(options.port)
                        .arg(accueil.ErreurEcoute()));
        return 1;
    }
    // The first line, once it listens: a program that started it reads the port there.
    Ecrire(stdout, QStringLiteral("port %1\n").arg(accueil.Port()));
    static_cast<void>(std::fflush(stdout));

    // SIGTERM and SIGINT: stop accepting, tell the players, let the last writes go, exit 0.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, tubeSignal) != 0) return 1;
    QSocketNotifier notificateur(tubeSignal[0], QSocketNotifier::Read);
    QObject::connect(&notificateur, &QSocketNotifier::activated, &app, [&] {
        notificateur.setEnabled(false);
        Journaliser(QStringLiteral("arrêt demandé"));
        accueil.Arreter();
        QTimer::singleShot(200, &app, [] { QCoreApplication::exit(0); });
    });
    static_cast<void>(std::signal(SIGTERM, SurSignal));
    static_cast<void>(std::signal(SIGINT, SurSignal));
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        return Servir(argc, argv);
    } catch (const std::exception& erreur) {
        // Nothing here throws on purpose: an allocation that fails, said before the end.
        Journaliser(QString::fromLocal8Bit(erreur.what()));
        return 1;
    }
}
