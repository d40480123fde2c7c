// Reading the version block back from an executable file.
#include "version.h"

#include <QFile>
#include <cstring>
#include <elf.h>

namespace {

template <class T> bool Extraire(const QByteArray& octets, quint64 offset, T& valeur) {
    if (offset > static_cast<quint64>(octets.size()) ||
        sizeof(T) > static_cast<quint64>(octets.size()) - offset)
        return false;
    std::memcpy(&valeur, octets.constData() + offset, sizeof(T));
    return true;
}

bool DansFichier(const QByteArray& octets, quint64 offset, quint64 taille) {
    const auto total = static_cast<quint64>(octets.size());
    return offset <= total && taille <= total - offset;
}

bool EnteteValide(const Elf64_Ehdr& e) {
    return std::memcmp(e.e_ident, ELFMAG, SELFMAG) == 0 && e.e_ident[EI_CLASS] == ELFCLASS64 &&
           e.e_ident[EI_DATA] == ELFDATA2LSB && e.e_shentsize == sizeof(Elf64_Shdr) &&
           e.e_shstrndx < e.e_shnum;
}

// The zero-terminated name at an offset of the section-name table, if it lies inside it.
QByteArray NomSection(const QByteArray& octets, const Elf64_Shdr& noms, quint32 offset) {
    if (offset >= noms.sh_size) return {};
    const quint64 debut = noms.sh_offset + offset;
    const quint64 fin = noms.sh_offset + noms.sh_size;
    QByteArray nom;
    for (quint64 i = debut; i < fin && octets[static_cast<qsizetype>(i)] != '\0'; ++i)
        nom += octets[static_cast<qsizetype>(i)];
    return nom;
}

} // namespace

std::optional<QByteArray> LireSectionElf(const QByteArray& octets, const char* nom) {
    Elf64_Ehdr entete;
    if (!Extraire(octets, 0, entete) || !EnteteValide(entete)) return std::nullopt;
    const auto section = [&](quint64 i, Elf64_Shdr& s) {
        return Extraire(octets, entete.e_shoff + i * sizeof(Elf64_Shdr), s);
    };
    Elf64_Shdr noms;
    if (!section(entete.e_shstrndx, noms) || !DansFichier(octets, noms.sh_offset, noms.sh_size))
        return std::nullopt;
    for (quint64 i = 0; i < entete.e_shnum; ++i) {
        Elf64_Shdr s;
        if (!section(i, s)) return std::nullopt;
        if (s.sh_type == SHT_NOBITS || NomSection(octets, noms, s.sh_name) != nom) continue;
        if (!DansFichier(octets, s.sh_offset, s.sh_size)) return std::nullopt;
        return octets.mid(static_cast<qsizetype>(s.sh_offset), static_cast<qsizetype>(s.sh_size));
    }
    return std::nullopt;
}

std::optional<QString> ValeurVersion(const QByteArray& bloc, const QString& requete) {
    const QString texte =
        QString::fromUtf8(bloc.left(bloc.indexOf('\0') < 0 ? bloc.size() : bloc.indexOf('\0')));
    const QString prefixe = requete + QLatin1Char('=');
    for (const QString& ligne : texte.split(QLatin1Char('\n')))
        if (ligne.startsWith(prefixe)) return ligne.mid(prefixe.size());
    return std::nullopt;
}

std::optional<QString> LireVersion(const QString& executable, const QString& requete) {
    QFile fichier(executable);
    if (!fichier.open(QIODevice::ReadOnly) || fichier.size() <= 0) return std::nullopt;
    // Mapped rather than read: the executable can be large, and only a few pages are needed.
    const uchar* donnees = fichier.map(0, fichier.size());
    if (!donnees) return std::nullopt;
    const auto octets = QByteArray::fromRawData(reinterpret_cast<const char*>(donnees),
                                                static_cast<qsizetype>(fichier.size()));
    const auto section = LireSectionElf(octets, SectionVersion);
    if (!section) return std::nullopt;
    return ValeurVersion(*section, requete);
}
