// The version block that the program carries in its own executable file, in a dedicated ELF
// section: one "query path=value" line per entry, as in "\StringFileInfo\040C04E4\FileVersion".
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

inline constexpr const char* SectionVersion = "ovane_version";

// The named section's bytes from an ELF file; nothing for a file that is not a well-formed
// 64-bit little-endian ELF file or has no such section. Every offset is checked against the size.
std::optional<QByteArray> LireSectionElf(const QByteArray& octets, const char* nom);

// The value at a query path of a version block.
std::optional<QString> ValeurVersion(const QByteArray& bloc, const QString& requete);

// Reads a string of the version block of an executable file.
std::optional<QString> LireVersion(const QString& executable, const QString& requete);

// The file version of the program, as the About box and --version show it.
inline const QString RequeteVersionFichier =
    QStringLiteral("\\StringFileInfo\\040C04E4\\FileVersion");
inline std::optional<QString> VersionDuProgramme(const QString& executable) {
    return LireVersion(executable, RequeteVersionFichier);
}
