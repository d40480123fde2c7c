// Where the help viewer finds its file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/aide_qt.h"

namespace {

TEST(Aide, LePremierDossierQuiALeFichier) {
    QTemporaryDir a, b;
    QFile f(b.filePath("ovane.hlp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
    f.close();
    EXPECT_EQ(TrouverFichierAide("ovane.hlp", {a.path(), b.path()}), b.filePath("ovane.hlp"));
    EXPECT_EQ(TrouverFichierAide("ovane.hlp", {a.path()}), QString());
    EXPECT_EQ(TrouverFichierAide("ovane.hlp", {}), QString());
}

TEST(Aide, LeFichierDuProgrammeEstAcoteDeLui) {
    const QStringList dossiers =
        VisionneuseAideQt::DossiersParDefaut(QStringLiteral(OVANE_DOSSIER_PROGRAMME));
    EXPECT_FALSE(TrouverFichierAide("ovane.hlp", dossiers).isEmpty());
}

TEST(Aide, UnFichierIntrouvableEstSignaleParLesBoitesDuProgramme) {
    QStringList boites;
    VisionneuseAideQt aide({}, [&](QWidget*, const QString& texte, const QString& titre) {
        boites << titre << texte;
    });
    aide.AfficherRubrique(nullptr, "ovane.hlp", 0);
    EXPECT_EQ(boites,
              QStringList({"Aide", "Impossible de trouver le fichier d'aide « ovane.hlp »."}));
}

} // namespace
