// The version block read back from an executable file, and files that are not what they seem.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <cstring>
#include <elf.h>

#include "platform/version.h"

namespace {

const QString Requete = QStringLiteral("\\StringFileInfo\\040C04E4\\FileVersion");

QByteArray Programme() {
    QFile f(QStringLiteral(OVANE_PROGRAMME));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Version, LeProgrammePorteSonBloc) {
    EXPECT_EQ(LireVersion(QStringLiteral(OVANE_PROGRAMME), Requete), QStringLiteral(OVANE_VERSION));
    EXPECT_EQ(LireVersion(QStringLiteral(OVANE_PROGRAMME),
                          QStringLiteral("\\StringFileInfo\\040C04E4\\ProductVersion")),
              QStringLiteral(OVANE_VERSION_PRODUIT));
    EXPECT_EQ(LireVersion(QStringLiteral(OVANE_PROGRAMME),
                          QStringLiteral("\\StringFileInfo\\040C04E4\\ProductName")),
              QStringLiteral("Ovane"));
}

TEST(Version, SansBlocOuSansChaine) {
    EXPECT_FALSE(LireVersion(QCoreApplication::applicationFilePath(), Requete));
    EXPECT_FALSE(LireVersion(QStringLiteral("/nonexistent"), Requete));
    EXPECT_FALSE(ValeurVersion("\\StringFileInfo\\040C04E4\\ProductName=Ovane\n", Requete));
    EXPECT_EQ(ValeurVersion(QByteArray("a=1\n") + Requete.toUtf8() + "=2\0ignored", Requete),
              QStringLiteral("2"));
}

TEST(Version, UnFichierAbimeNeFaitPasLireHorsDeSesOctets) {
    const QByteArray bon = Programme();
    ASSERT_GT(bon.size(), 1000);
    ASSERT_TRUE(LireSectionElf(bon, SectionVersion));
    Elf64_Ehdr entete;
    std::memcpy(&entete, bon.constData(), sizeof entete);

    EXPECT_FALSE(LireSectionElf(bon.left(40), SectionVersion));
    EXPECT_FALSE(
        LireSectionElf(bon.left(static_cast<qsizetype>(entete.e_shoff) + 10), SectionVersion));
    QByteArray abime = bon;
    abime[1] = 'X';
    EXPECT_FALSE(LireSectionElf(abime, SectionVersion));
    abime = bon;
    Elf64_Ehdr faux = entete;
    faux.e_shoff = 0xFFFFFFFFFFFFFF00ULL;
    std::memcpy(abime.data(), &faux, sizeof faux);
    EXPECT_FALSE(LireSectionElf(abime, SectionVersion));
    faux = entete;
    faux.e_shstrndx = faux.e_shnum;
    std::memcpy(abime.data(), &faux, sizeof faux);
    EXPECT_FALSE(LireSectionElf(abime, SectionVersion));
    // Every section pointing far past the end of the file.
    abime = bon;
    for (quint64 i = 0; i < entete.e_shnum; ++i) {
        Elf64_Shdr s;
        const auto offset = static_cast<qsizetype>(entete.e_shoff + i * sizeof s);
        std::memcpy(&s, abime.constData() + offset, sizeof s);
        s.sh_offset = 0x7FFFFFFFFFFFULL;
        std::memcpy(abime.data() + offset, &s, sizeof s);
    }
    EXPECT_FALSE(LireSectionElf(abime, SectionVersion));
}

} // namespace
