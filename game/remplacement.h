// Replacing a file whole or not at all, as a saved game is written.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

enum class Sauvegarde { Reussie, Creation, Donnees };

// Writes the new content through ecrire into a file without a name in the target's folder, and
// only once it is complete and on disk, puts it in the target's place and syncs the folder. A
// symbolic link is followed, as editors do: its target is replaced and the link stays. An
// existing target must be a regular file that may be written to (Creation otherwise); the new
// file takes its permissions, never its set-user-ID and set-group-ID bits. Replacing breaks hard
// links to the old file. A failure leaves the earlier file as it was, nothing beside it, and the
// system's reason in errno.
Sauvegarde RemplacerFichier(const std::string& chemin,
                            const std::function<bool(std::FILE*)>& ecrire);
