// The classes root on a freedesktop desktop.
#include "registre_xdg.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <optional>

#include "association.h"

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

// The desktop's caches are rebuilt by programs of their own, left to run while the window comes
// up: detached, so that they outlive a quick exit and never linger as zombies, and silent, since
// their notes mean nothing to a player.
void Actualiser(const QString& outil, const QString& dossier) {
    QProcess processus;
    processus.setProgram(QStandardPaths::findExecutable(outil));
    if (processus.program().isEmpty()) return;
    processus.setArguments({dossier});
    processus.setStandardOutputFile(QProcess::nullDevice());
    processus.setStandardErrorFile(QProcess::nullDevice());
    processus.startDetached();
}

bool EstGroupe(const QString& ligne) {
    return ligne.trimmed().startsWith('[');
}

// A mimeapps.list with key=value added to its [Default Applications] group, in the file's own
// line ends; nothing when the group already names a default for the key, which is the user's
// choice and stays.
std::optional<QByteArray> AvecDefaut(const QByteArray& ancien, const QString& cle,
                                     const QString& valeur) {
    const QString saut = ancien.contains("\r\n") ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lignes = QString::fromUtf8(ancien).split('\n');
    for (QString& ligne : lignes)
        if (ligne.endsWith('\r')) ligne.chop(1);
    while (!lignes.isEmpty() && lignes.last().isEmpty()) lignes.removeLast();
    const QString groupe = QStringLiteral("[Default Applications]");
    qsizetype debut = 0;
    while (debut < lignes.size() && lignes[debut].trimmed() != groupe) ++debut;
    if (debut == lignes.size()) {
        if (!lignes.isEmpty()) lignes << QString();
        lignes << groupe;
        debut = lignes.size() - 1;
    }
    qsizetype fin = debut + 1;
    while (fin < lignes.size() && !EstGroupe(lignes[fin])) ++fin;
    for (qsizetype i = debut + 1; i < fin; ++i)
        if (lignes[i].section('=', 0, 0).trimmed() == cle) return std::nullopt;
    // After the group's last entry, before the blank lines that part it from the next group.
    while (fin > debut + 1 && lignes[fin - 1].trimmed().isEmpty()) --fin;
    lignes.insert(fin, cle + '=' + valeur);
    return (lignes.join(saut) + saut).toUtf8();
}

// Control characters cannot be kept in the keys' file, one line a key, nor in a desktop entry,
// except the tab, which a desktop entry writes as \t.
bool TexteEnregistrable(const QString& texte) {
    return std::none_of(texte.begin(), texte.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control && c != '\t'; });
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
    if (cle.contains('\t') || !TexteEnregistrable(cle) || !TexteEnregistrable(valeur)) return false;
    cles_.insert(cle, valeur);
    modifie_ = true;
    return SauverCles();
}

bool RegistreXdg::Fermer() {
    const bool ok = !modifie_ || Materialiser();
    modifie_ = false;
    return ok;
}

QString RegistreXdg::ExecDepuisCommande(const QString& commande) {
    QString chemin = CheminDeCommande(commande);
    // Inside double quotes, these four are escaped by a backslash; then the whole value is a
    // desktop-entry string, where a backslash is itself written twice and a tab as \t. A percent
    // is doubled.
    QString cite;
    for (const QChar c : chemin) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') cite += '\\';
        cite += c;
    }
    cite.replace('\\', QStringLiteral("\\\\"));
    cite.replace('\t', QStringLiteral("\\t"));
    cite.replace('%', QStringLiteral("%%"));
    return '"' + cite + QStringLiteral("\" %f");
}

bool RegistreXdg::Materialiser() const {
    const QString classe = cles_.value(Association::Extension);
    const QString description = cles_.value(classe, Association::Description);
    const QString commande = cles_.value(classe + Association::CleCommande);
    const QString icone = QString(TypeMime).replace('/', '-');

    bool ok = Ecrire(donnees_ + "/mime/packages/" + Identifiant + ".xml",
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
        ok = QDir().mkpath(QFileInfo(chemin).absolutePath()) && icone_.save(chemin, "PNG") && ok;
    }

    if (!commande.isEmpty()) ok = EcrireApplication(commande) && ok;
    Actualiser(QStringLiteral("update-mime-database"), donnees_ + "/mime");
    Actualiser(QStringLiteral("update-desktop-database"), donnees_ + "/applications");
    return ok;
}

bool RegistreXdg::EcrireApplication(const QString& commande) const {
    const bool entree =
        Ecrire(donnees_ + "/applications/" + Identifiant + ".desktop",
               QStringLiteral("[Desktop Entry]\nType=Application\nName=Ovane\n"
                              "Comment=Jeu de plateau pour deux joueurs\n"
                              "Exec=%1\nIcon=%2\nMimeType=%3;\nCategories=Game;BoardGame;\n"
                              "Terminal=false\n")
                   .arg(ExecDepuisCommande(commande), Identifiant, TypeMime)
                   .toUtf8());
    const QString chemin = config_ + "/mimeapps.list";
    QFile ancien(chemin);
    QByteArray liste;
    if (ancien.exists()) {
        if (!ancien.open(QIODevice::ReadOnly)) return false;
        liste = ancien.readAll();
    }
    const auto contenu = AvecDefaut(liste, TypeMime, Identifiant + QStringLiteral(".desktop"));
    return entree && (!contenu || Ecrire(chemin, *contenu));
}
