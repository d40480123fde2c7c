// The classes root on a freedesktop desktop.
#include "registre_xdg.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

bool Ecrire(const QString& chemin, const QByteArray& contenu) {
    if (!QDir().mkpath(QFileInfo(chemin).absolutePath())) return false;
    QSaveFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(contenu) == contenu.size() &&
           fichier.commit();
}

QString EchapperXml(QString texte) {
    return texte.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
}

// The path inside a quoted command: "path" "%1", with \" for a quote inside it.
QString CheminDeCommande(const QString& commande) {
    if (!commande.startsWith('"')) return commande.section(' ', 0, 0);
    QString chemin;
    for (qsizetype i = 1; i < commande.size(); ++i) {
        if (commande[i] == '\\' && i + 1 < commande.size() && commande[i + 1] == '"') {
            chemin += '"';
            ++i;
        } else if (commande[i] == '"') {
            break;
        } else {
            chemin += commande[i];
        }
    }
    return chemin;
}

void Actualiser(const QString& outil, const QString& dossier) {
    const QString programme = QStandardPaths::findExecutable(outil);
    if (!programme.isEmpty()) QProcess::execute(programme, {dossier});
}

// Sets key=value in the [Default Applications] group of a mimeapps.list, keeping the rest.
QByteArray AvecDefaut(const QByteArray& ancien, const QString& cle, const QString& valeur) {
    QStringList lignes = QString::fromUtf8(ancien).split('\n');
    while (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
    const QString groupe = QStringLiteral("[Default Applications]");
    qsizetype debut = lignes.indexOf(groupe);
    if (debut < 0) {
        if (!lignes.isEmpty()) lignes << QString();
        lignes << groupe;
        debut = lignes.size() - 1;
    }
    qsizetype fin = debut + 1;
    while (fin < lignes.size() && !lignes[fin].startsWith('[')) ++fin;
    for (qsizetype i = debut + 1; i < fin; ++i) {
        if (lignes[i].startsWith(cle + '=')) {
            lignes[i] = cle + '=' + valeur;
            return (lignes.join('\n') + '\n').toUtf8();
        }
    }
    lignes.insert(fin, cle + '=' + valeur);
    return (lignes.join('\n') + '\n').toUtf8();
}

} // namespace

RegistreXdg::RegistreXdg(QString donnees, QString config, QImage icone)
    : donnees_(std::move(donnees)), config_(std::move(config)), icone_(std::move(icone)) {}

RegistreXdg RegistreXdg::DepuisEnvironnement(QImage icone) {
    const auto dossier = [](const char* variable, const char* defaut) {
        const QString valeur = qEnvironmentVariable(variable);
        return QDir::isAbsolutePath(valeur) ? valeur
                                            : QDir::home().absoluteFilePath(QLatin1String(defaut));
    };
    return RegistreXdg(dossier("XDG_DATA_HOME", ".local/share"),
                       dossier("XDG_CONFIG_HOME", ".config"), std::move(icone));
}

QString RegistreXdg::FichierCles() const {
    return donnees_ + QStringLiteral("/ovane/classes");
}

bool RegistreXdg::Ouvrir() {
    cles_.clear();
    modifie_ = false;
    QFile fichier(FichierCles());
    if (!fichier.open(QIODevice::ReadOnly)) return true; // nothing registered yet
    for (const QString& ligne : QString::fromUtf8(fichier.readAll()).split('\n')) {
        const qsizetype tab = ligne.indexOf('\t');
        if (tab > 0) cles_.insert(ligne.left(tab), ligne.mid(tab + 1));
    }
    return true;
}

bool RegistreXdg::SauverCles() const {
    QByteArray contenu;
    for (auto it = cles_.cbegin(); it != cles_.cend(); ++it)
        contenu += (it.key() + '\t' + it.value() + '\n').toUtf8();
    return Ecrire(FichierCles(), contenu);
}

bool RegistreXdg::EcrireValeur(const QString& cle, const QString& valeur) {
    if (cle.contains('\t') || cle.contains('\n') || valeur.contains('\n')) return false;
    cles_.insert(cle, valeur);
    modifie_ = true;
    return SauverCles();
}

void RegistreXdg::Fermer() {
    if (modifie_) Materialiser();
    modifie_ = false;
}

QString RegistreXdg::ExecDepuisCommande(const QString& commande) {
    QString chemin = CheminDeCommande(commande);
    // Inside double quotes, these four are escaped by a backslash; then the whole value is a
    // desktop-entry string, where a backslash is itself written twice. A percent is doubled.
    QString cite;
    for (const QChar c : chemin) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') cite += '\\';
        cite += c;
    }
    cite.replace('\\', QStringLiteral("\\\\"));
    cite.replace('%', QStringLiteral("%%"));
    return '"' + cite + QStringLiteral("\" %f");
}

void RegistreXdg::Materialiser() const {
    const QString classe = cles_.value(QStringLiteral(".ovn"));
    const QString description = cles_.value(classe, QStringLiteral("Partie d'Ovane"));
    const QString commande = cles_.value(classe + QStringLiteral("\\shell\\open\\command"));
    const QString icone = QString(TypeMime).replace('/', '-');

    Ecrire(donnees_ + "/mime/packages/" + Identifiant + ".xml",
           QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/"
                          "shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <icon name=\"%3\"/>\n"
                          "    <glob pattern=\"*.ovn\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
               .arg(TypeMime, EchapperXml(description), icone)
               .toUtf8());

    for (const QString& dossier :
         {QStringLiteral("apps/") + Identifiant, QStringLiteral("mimetypes/") + icone}) {
        const QString chemin = donnees_ + "/icons/hicolor/32x32/" + dossier + ".png";
        QDir().mkpath(QFileInfo(chemin).absolutePath());
        icone_.save(chemin, "PNG");
    }

    if (!commande.isEmpty()) {
        Ecrire(donnees_ + "/applications/" + Identifiant + ".desktop",
               QStringLiteral("[Desktop Entry]\nType=Application\nName=Ovane\n"
                              "Comment=Jeu de plateau pour deux joueurs\n"
                              "Exec=%1\nIcon=%2\nMimeType=%3;\nCategories=Game;BoardGame;\n"
                              "Terminal=false\n")
                   .arg(ExecDepuisCommande(commande), Identifiant, TypeMime)
                   .toUtf8());
        QFile ancien(config_ + "/mimeapps.list");
        const QByteArray contenu =
            ancien.open(QIODevice::ReadOnly) ? ancien.readAll() : QByteArray();
        Ecrire(config_ + "/mimeapps.list",
               AvecDefaut(contenu, TypeMime, Identifiant + QStringLiteral(".desktop")));
    }
    Actualiser(QStringLiteral("update-mime-database"), donnees_ + "/mime");
    Actualiser(QStringLiteral("update-desktop-database"), donnees_ + "/applications");
}
