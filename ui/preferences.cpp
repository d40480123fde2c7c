// The settings file.
#include "preferences.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "game/remplacement.h"

namespace {

// Far more than the one line the program writes: a larger file is not ours.
constexpr qint64 TailleMaximale = 4096;
const QByteArray CleEchelle = "echelle";

void Signaler(const QString& texte) {
    static_cast<void>(std::fprintf(stderr, "ovane : %s\n", texte.toLocal8Bit().constData()));
}

std::optional<int> Entier(const QByteArray& texte, int minimum, int maximum) {
    // Digits only: no sign, no space, no leading zero, at most a few of them.
    if (texte.isEmpty() || texte.size() > 3 || texte.front() == '0') return std::nullopt;
    for (const char c : texte)
        if (c < '0' || c > '9') return std::nullopt;
    const int valeur = texte.toInt();
    if (valeur < minimum || valeur > maximum) return std::nullopt;
    return valeur;
}

// The settings in the file's bytes, or the reason they are not.
std::optional<Preferences> Analyser(const QByteArray& contenu, QString& faute) {
    Preferences preferences;
    bool echelleLue = false;
    const QByteArrayList lignes = contenu.split('\n');
    for (int i = 0; i < lignes.size(); ++i) {
        const QByteArray& ligne = lignes[i];
        if (ligne.isEmpty() || ligne.startsWith('#')) continue;
        const qsizetype egal = ligne.indexOf('=');
        const QByteArray cle = ligne.left(egal);
        const auto echelle = Entier(ligne.mid(egal + 1), 1, EchelleMaximale);
        if (egal < 0 || cle != CleEchelle || echelleLue || !echelle) {
            faute = QStringLiteral("ligne %1 illisible").arg(i + 1);
            return std::nullopt;
        }
        preferences.Echelle = *echelle;
        echelleLue = true;
    }
    return preferences;
}

} // namespace

QString CheminPreferences() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ovane/ovane.conf");
}

Preferences LirePreferences(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.exists()) return {};
    const auto ignores = [&](const QString& faute) {
        Signaler(QStringLiteral("préférences ignorées dans « %1 » : %2").arg(chemin, faute));
        return Preferences{};
    };
    if (!QFileInfo(chemin).isFile()) return ignores(QStringLiteral("ce n'est pas un fichier"));
    if (!fichier.open(QIODevice::ReadOnly)) return ignores(fichier.errorString());
    const QByteArray contenu = fichier.read(TailleMaximale + 1);
    if (contenu.size() > TailleMaximale) return ignores(QStringLiteral("fichier trop grand"));
    QString faute;
    const auto preferences = Analyser(contenu, faute);
    return preferences ? *preferences : ignores(faute);
}

bool EcrirePreferences(const QString& chemin, const Preferences& preferences) {
    const QByteArray contenu = CleEchelle + '=' + QByteArray::number(preferences.Echelle) + '\n';
    const QString dossier = QFileInfo(chemin).absolutePath();
    const bool ecrit =
        QDir().mkpath(dossier) &&
        RemplacerFichier(QFile::encodeName(chemin).toStdString(), [&](std::FILE* f) {
            return std::fwrite(contenu.constData(), 1, static_cast<std::size_t>(contenu.size()),
                               f) == static_cast<std::size_t>(contenu.size());
        }) == Sauvegarde::Reussie;
    if (!ecrit)
        Signaler(QStringLiteral("préférences non enregistrées dans « %1 » : %2")
                     .arg(chemin, qt_error_string(errno)));
    return ecrit;
}
