// Replacing a file whole or not at all, as a saved game is written.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

enum class Sauvegarde { Reussie, Creation, Donnees };

// Writes the new content through ecrire into a new file in the target's folder and, only once it
// is complete and on disk, renames it over the target, then syncs the folder so that the new name
// survives a power cut as well as the content. The folder is opened first, so that one that
// cannot be synced fails the save before anything is touched, and everything after works
// relative to it, so that any path the system can open can be saved. A symbolic link is
// followed, as editors do: its target is replaced and the link stays. An existing target must be
// a regular file that may be written to (Creation otherwise); the new file takes its
// permissions, never its set-user-ID and set-group-ID bits. Replacing breaks hard links to the
// old file.
// The new file has no name where the file system allows it, and takes one, its own for each save
// (".ovane-" and 16 hexadecimal digits), just before the rename: programs saving the same file
// at once never meet. A save killed between the two steps leaves that file; a save into the same
// folder removes it once it is a minute old.
// A failure leaves the earlier file as it was, nothing beside it, and the system's reason in
// errno. Once the new file is in place the save is reported done, even if the folder's sync
// then fails.
Sauvegarde RemplacerFichier(const std::string& chemin,
                            const std::function<bool(std::FILE*)>& ecrire);
