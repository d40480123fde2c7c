// The freedesktop backend of the classes root, in temporary data and config folders.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "platform/association.h"
#include "platform/registre_xdg.h"

namespace {

QString Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QImage Icone() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    return image;
}

// The caches are rebuilt by programs left to run on their own: a test waits until none of them
// works in its folders any more, before it looks at their work or removes the folders.
void AttendreActualisations(const QString& racine) {
    const QByteArray dossier = QFile::encodeName(racine);
    const auto enCours = [&dossier] {
        const QStringList processus = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        return std::any_of(processus.begin(), processus.end(), [&](const QString& pid) {
            QFile ligne(QStringLiteral("/proc/%1/cmdline").arg(pid));
            return ligne.open(QIODevice::ReadOnly) && ligne.readAll().contains(dossier);
        });
    };
    for (int i = 0; i < 500 && enCours(); ++i) QThread::msleep(20);
}

void EcrireFichier(const QString& chemin, const QByteArray& contenu) {
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

struct Xdg : ::testing::Test {
    QTemporaryDir racine;
    QString donnees = racine.filePath("donnees");
    QString config = racine.filePath("config");

    void TearDown() override { AttendreActualisations(racine.path()); }

    // The messages shown, if any.
    QStringList Enregistrer(const QString& programme) {
        RegistreXdg registre(donnees, config, Icone());
        QStringList messages;
        EnregistrerTypeFichier(registre, programme,
                               [&messages](const QString& texte) { messages << texte; });
        return messages;
    }
};

TEST_F(Xdg, LAssociationDevientReellePourLeBureau) {
    EXPECT_TRUE(Enregistrer(QStringLiteral("/opt/mes jeux/ovane")).isEmpty());
    const QString mime = Lire(donnees + "/mime/packages/org.ovane.Ovane.xml");
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.ovn\"/>"));
    EXPECT_TRUE(mime.contains("<comment>Partie d'Ovane</comment>"));
    EXPECT_TRUE(mime.contains("type=\"application/x-ovane\""));
    const QString entree = Lire(donnees + "/applications/org.ovane.Ovane.desktop");
    EXPECT_TRUE(entree.contains("Exec=\"/opt/mes jeux/ovane\" %f\n"));
    EXPECT_TRUE(entree.contains("MimeType=application/x-ovane;\n"));
    EXPECT_TRUE(
        Lire(config + "/mimeapps.list").contains("application/x-ovane=org.ovane.Ovane.desktop"));
    EXPECT_TRUE(QFile::exists(donnees + "/icons/hicolor/32x32/apps/org.ovane.Ovane.png"));
    EXPECT_TRUE(QFile::exists(donnees + "/icons/hicolor/32x32/mimetypes/application-x-ovane.png"));
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        AttendreActualisations(racine.path());
        EXPECT_TRUE(QFile::exists(donnees + "/mime/mime.cache"));
    }
}

TEST_F(Xdg, UnSecondDemarrageNEcritRien) {
    EXPECT_TRUE(Enregistrer(QStringLiteral("/opt/ovane")).isEmpty());
    QFile::remove(donnees + "/applications/org.ovane.Ovane.desktop");
    EXPECT_TRUE(Enregistrer(QStringLiteral("/ailleurs/ovane")).isEmpty());
    EXPECT_FALSE(QFile::exists(donnees + "/applications/org.ovane.Ovane.desktop"));
    RegistreXdg registre(donnees, config, QImage());
    ASSERT_TRUE(registre.Ouvrir());
    EXPECT_TRUE(registre.CleExiste(".ovn"));
    EXPECT_TRUE(registre.CleExiste("Ovane\\DefaultIcon"));
    EXPECT_FALSE(registre.CleExiste("Ovane\\shell"));
}

// The user's mimeapps.list before and after the first start.
struct ListeMimeapps {
    const char* nom;
    QByteArray avant;
    QByteArray apres;
};

class Defauts : public Xdg, public ::testing::WithParamInterface<ListeMimeapps> {};

TEST_P(Defauts, LaListeGardeCeQuElleDit) {
    if (!GetParam().avant.isNull()) {
        ASSERT_NO_FATAL_FAILURE(EcrireFichier(config + "/mimeapps.list", GetParam().avant));
    }
    EXPECT_TRUE(Enregistrer(QStringLiteral("/opt/ovane")).isEmpty());
    EXPECT_EQ(Lire(config + "/mimeapps.list").toUtf8(), GetParam().apres);
}

INSTANTIATE_TEST_SUITE_P(
    Mimeapps, Defauts,
    ::testing::Values(
        ListeMimeapps{
            "Absente", {}, "[Default Applications]\napplication/x-ovane=org.ovane.Ovane.desktop\n"},
        ListeMimeapps{"AutresAssociations",
                      "[Added Associations]\ntext/plain=edit.desktop;\n\n[Default Applications]\n"
                      "text/html=web.desktop\n\n[Removed Associations]\n",
                      "[Added Associations]\ntext/plain=edit.desktop;\n\n[Default Applications]\n"
                      "text/html=web.desktop\napplication/x-ovane=org.ovane.Ovane.desktop\n\n"
                      "[Removed Associations]\n"},
        ListeMimeapps{"SansLeGroupe", "[Added Associations]\ntext/plain=edit.desktop;\n",
                      "[Added Associations]\ntext/plain=edit.desktop;\n\n[Default Applications]\n"
                      "application/x-ovane=org.ovane.Ovane.desktop\n"},
        ListeMimeapps{"ChoixDeLUtilisateur",
                      "[Default Applications]\napplication/x-ovane = autre.desktop\n",
                      "[Default Applications]\napplication/x-ovane = autre.desktop\n"},
        ListeMimeapps{"FinsDeLigneCrlf", "[Default Applications]\r\ntext/html=web.desktop\r\n",
                      "[Default Applications]\r\ntext/html=web.desktop\r\n"
                      "application/x-ovane=org.ovane.Ovane.desktop\r\n"}),
    [](const auto& info) { return info.param.nom; });

// A desktop entry holds no control character: a tab is escaped, anything else is refused with
// the registry's message before anything is written for the program.
TEST_F(Xdg, UnCheminAvecUnCaractereDeControle) {
    const QString entree = donnees + "/applications/org.ovane.Ovane.desktop";
    EXPECT_TRUE(Enregistrer(QStringLiteral("/opt/mes\tjeux/ovane")).isEmpty());
    const QString valider = QStandardPaths::findExecutable("desktop-file-validate");
    if (!valider.isEmpty()) {
        EXPECT_EQ(QProcess::execute(valider, {entree}), 0) << Lire(entree).toStdString();
    }
    donnees = racine.filePath("autres-donnees");
    EXPECT_EQ(Enregistrer(QStringLiteral("/opt/mes\x01jeux/ovane")),
              QStringList{Association::EchecMiseAJour});
    EXPECT_FALSE(QFile::exists(donnees + "/applications/org.ovane.Ovane.desktop"));
}

// A file that cannot be written is a registration that failed, and says so.
TEST_F(Xdg, UneEcritureRateeEstSignalee) {
    ASSERT_NO_FATAL_FAILURE(EcrireFichier(config, "un fichier, pas un dossier"));
    EXPECT_EQ(Enregistrer(QStringLiteral("/opt/ovane")), QStringList{Association::EchecMiseAJour});
}

TEST(ExecDesktop, LesCaracteresSpeciauxSontEchappes) {
    EXPECT_EQ(RegistreXdg::ExecDepuisCommande("\"/usr/bin/ovane\" \"%1\""),
              "\"/usr/bin/ovane\" %f");
    EXPECT_EQ(RegistreXdg::ExecDepuisCommande("\"/a b/$x`y\\\"z%\" \"%1\""),
              "\"/a b/\\\\$x\\\\`y\\\\\"z%%\" %f");
}

// What a file manager sees: the type of a saved game and its default application.
TEST_F(Xdg, GioReconnaitLesPartiesDOvane) {
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty() || QStandardPaths::findExecutable("update-mime-database").isEmpty())
        GTEST_SKIP() << "gio or update-mime-database is not installed";
    // A desktop entry whose program does not exist is ignored by GLib.
    EXPECT_TRUE(Enregistrer(QStringLiteral(OVANE_PROGRAMME)).isEmpty());
    AttendreActualisations(racine.path());
    const QString partie = racine.filePath("une partie.ovn");
    QFile f(partie);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(9777, '\xff'));
    f.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", donnees);
    env.insert("XDG_CONFIG_HOME", config);
    p.setProcessEnvironment(env);
    p.start(gio, {"info", "-a", "standard::content-type", partie});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_TRUE(p.readAllStandardOutput().contains("application/x-ovane"));
    p.start(gio, {"mime", "application/x-ovane"});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_TRUE(p.readAllStandardOutput().contains("org.ovane.Ovane.desktop"));
}

} // namespace
