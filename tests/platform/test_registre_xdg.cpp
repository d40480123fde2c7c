// The freedesktop backend of the classes root, in temporary data and config folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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

struct Xdg : ::testing::Test {
    QTemporaryDir racine;
    QString donnees = racine.filePath("donnees");
    QString config = racine.filePath("config");

    void Enregistrer(const QString& programme) {
        RegistreXdg registre(donnees, config, Icone());
        EnregistrerTypeFichier(registre, programme,
                               [](const QString& texte) { ADD_FAILURE() << texte.toStdString(); });
    }
};

TEST_F(Xdg, LAssociationDevientReellePourLeBureau) {
    Enregistrer(QStringLiteral("/opt/mes jeux/ovane"));
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
        EXPECT_TRUE(QFile::exists(donnees + "/mime/mime.cache"));
    }
}

TEST_F(Xdg, UnSecondDemarrageNEcritRien) {
    Enregistrer(QStringLiteral("/opt/ovane"));
    QFile::remove(donnees + "/applications/org.ovane.Ovane.desktop");
    Enregistrer(QStringLiteral("/ailleurs/ovane"));
    EXPECT_FALSE(QFile::exists(donnees + "/applications/org.ovane.Ovane.desktop"));
    RegistreXdg registre(donnees, config, QImage());
    ASSERT_TRUE(registre.Ouvrir());
    EXPECT_TRUE(registre.CleExiste(".ovn"));
    EXPECT_TRUE(registre.CleExiste("Ovane\\DefaultIcon"));
    EXPECT_FALSE(registre.CleExiste("Ovane\\shell"));
}

TEST_F(Xdg, LesAutresAssociationsSontGardees) {
    QDir().mkpath(config);
    QFile liste(config + "/mimeapps.list");
    ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
    liste.write("[Added Associations]\ntext/plain=edit.desktop;\n\n[Default Applications]\n"
                "text/html=web.desktop\n");
    liste.close();
    Enregistrer(QStringLiteral("/opt/ovane"));
    const QString texte = Lire(config + "/mimeapps.list");
    EXPECT_TRUE(texte.contains("text/plain=edit.desktop;"));
    EXPECT_TRUE(
        texte.contains("text/html=web.desktop\napplication/x-ovane=org.ovane.Ovane.desktop\n"));
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
    Enregistrer(QStringLiteral(OVANE_PROGRAMME));
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
