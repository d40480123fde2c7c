// The program's command line.
#include "ligne_commande.h"

#include <QCommandLineParser>
#include <cstdio>

namespace {

int Erreur(const QCommandLineParser& lecteur, const QString& message) {
    static_cast<void>(std::fputs(
        qPrintable(QStringLiteral("ovane : %1\n\n%2").arg(message, lecteur.helpText())), stderr));
    return 2;
}

QString ValeurIncorrecte(const QString& option, const QString& valeur, const QString& attendues) {
    return QStringLiteral("valeur incorrecte pour --%1 : « %2 » (%3)")
        .arg(option, valeur, attendues);
}

// Qt's own options, which the window's application takes for itself from the same line: known
// here so that they are not refused, and left out of the usage.
void OptionsDeQt(QCommandLineParser& lecteur) {
    for (const char* nom :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "style", "stylesheet", "display", "geometry", "session"}) {
        QCommandLineOption option(QString::fromLatin1(nom), QString(), QStringLiteral("valeur"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        lecteur.addOption(option);
    }
    for (const char* nom : {"reverse", "sync", "nograb", "dograb", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(nom));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        lecteur.addOption(option);
    }
}

// The network options, into ligne; what is wrong with them, if anything.
std::optional<QString> LireReseau(const QCommandLineParser& lecteur,
                                  const QCommandLineOption& creer,
                                  const QCommandLineOption& serveur,
                                  const QCommandLineOption& rejoindre, LigneCommande& ligne) {
    if (lecteur.isSet(creer) && lecteur.isSet(rejoindre))
        return QStringLiteral("--creer et --rejoindre ne vont pas ensemble");
    if (lecteur.isSet(serveur) && !lecteur.isSet(creer))
        return QStringLiteral("--serveur va avec --creer");
    if (!lecteur.isSet(creer) && !lecteur.isSet(rejoindre)) return std::nullopt;
    ChoixReseau choix;
    // The parameters of a game at start-up.
    const jeu depart;
    choix.Parametres = CommandeParametres(depart.NbPions, depart.NbTours,
                                          static_cast<std::uint32_t>(depart.MaxTemps));
    const bool rejoint = lecteur.isSet(rejoindre);
    choix.Creer = !rejoint;
    choix.Local = choix.Creer && !lecteur.isSet(serveur);
    if (choix.Creer) {
        const auto equipe = LireEquipe(lecteur.value(creer).toStdString());
        if (!equipe)
            return ValeurIncorrecte(QStringLiteral("creer"), lecteur.value(creer),
                                    QStringLiteral("bleus ou rouges"));
        choix.Equipe = *equipe;
    }
    if (!choix.Local) {
        const QString texte = lecteur.value(rejoint ? rejoindre : serveur);
        const auto adresse = LireAdresse(texte);
        if (!adresse)
            return ValeurIncorrecte(rejoint ? QStringLiteral("rejoindre")
                                            : QStringLiteral("serveur"),
                                    texte, QString::fromUtf8(FormesAdresse));
        choix.Adresse = *adresse;
    }
    if (rejoint) {
        // The code stands where a file would: ovane --rejoindre ADRESSE CODE.
        const QString texte = ligne.fichiers.value(0);
        const auto code = LireCode(texte.toStdString());
        if (!code)
            return QStringLiteral("code de partie incorrect : « %1 » (six lettres ou chiffres)")
                .arg(texte);
        choix.Code = QString::fromStdString(*code);
        ligne.fichiers.removeFirst();
    }
    ligne.reseau = choix;
    return std::nullopt;
}

} // namespace

std::variant<LigneCommande, int> LireLigneCommande(const QStringList& arguments,
                                                   const QString& version) {
    QCommandLineParser lecteur;
    lecteur.setApplicationDescription(
        QStringLiteral("Ovane, jeu de plateau pour deux joueurs : Bleus contre Rouges."));
    const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Affiche la version du programme."));
    const QCommandLineOption ordinateur(
        QStringLiteral("ordinateur"),
        QStringLiteral("Donne une équipe à l'ordinateur : bleus, rouges, ou tous pour une "
                       "démonstration où il joue les deux."),
        QStringLiteral("équipe"));
    const QCommandLineOption niveau(
        QStringLiteral("niveau"),
        QStringLiteral("Niveau de l'ordinateur : 1 (Débutant), 2 (Amateur, par défaut), 3 "
                       "(Expert) ou 4 (Maître)."),
        QStringLiteral("niveau"));
    const QCommandLineOption creer(
        QStringLiteral("creer"),
        QStringLiteral("Crée une partie en réseau et y joue cette équipe : bleus ou rouges. Sur "
                       "cet ordinateur, port %1, sans --serveur.")
            .arg(PortParDefaut),
        QStringLiteral("équipe"));
    const QCommandLineOption serveur(
        QStringLiteral("serveur"),
        QStringLiteral("Avec --creer : crée la partie sur ce serveur (nom:port ; "
                       "ovanes://nom:port pour TLS, suivi de #sha256=EMPREINTE pour un "
                       "certificat qu'aucune autorité n'a signé)."),
        QStringLiteral("adresse"));
    const QCommandLineOption rejoindre(
        QStringLiteral("rejoindre"),
        QStringLiteral("Rejoint la partie en réseau de ce code à cette adresse : --rejoindre "
                       "ADRESSE CODE. ADRESSE comme pour --serveur."),
        QStringLiteral("adresse"));
    lecteur.addOptions({aide, versionOption, ordinateur, niveau, creer, serveur, rejoindre});
    // Qt writes its options with a single dash ("-style fusion"): one word, not five letters.
    lecteur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    OptionsDeQt(lecteur);
    lecteur.addPositionalArgument(QStringLiteral("fichier"),
                                  QStringLiteral("Une partie enregistrée (.ovn) à ouvrir."),
                                  QStringLiteral("[FICHIER]"));
    if (!lecteur.parse(arguments)) return Erreur(lecteur, lecteur.errorText());
    if (lecteur.isSet(aide)) {
        static_cast<void>(std::fputs(qPrintable(lecteur.helpText()), stdout));
        return 0;
    }
    if (lecteur.isSet(versionOption)) {
        static_cast<void>(
            std::fputs(qPrintable(QStringLiteral("ovane %1\n").arg(version)), stdout));
        return 0;
    }
    LigneCommande ligne;
    if (lecteur.isSet(niveau)) {
        const QString valeur = lecteur.value(niveau);
        const int n = valeur.size() == 1 ? valeur[0].digitValue() : 0;
        if (n < 1 || n > NbNiveaux)
            return Erreur(lecteur, ValeurIncorrecte(QStringLiteral("niveau"), valeur,
                                                    QStringLiteral("1, 2, 3 ou 4")));
        ligne.joueurs.Niveaux = {static_cast<Niveau>(n), static_cast<Niveau>(n)};
    }
    if (lecteur.isSet(ordinateur)) {
        const QString valeur = lecteur.value(ordinateur);
        const bool tous = valeur == QLatin1String("tous");
        ligne.joueurs.Ordinateur = {tous || valeur == QLatin1String("bleus"),
                                    tous || valeur == QLatin1String("rouges")};
        if (!ligne.joueurs.Ordinateur[Bleus] && !ligne.joueurs.Ordinateur[Rouges])
            return Erreur(lecteur, ValeurIncorrecte(QStringLiteral("ordinateur"), valeur,
                                                    QStringLiteral("bleus, rouges ou tous")));
    }
    ligne.fichiers = lecteur.positionalArguments();
    if (const auto erreur = LireReseau(lecteur, creer, serveur, rejoindre, ligne))
        return Erreur(lecteur, *erreur);
    return ligne;
}
