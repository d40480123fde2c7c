// Registers the saved-game file type under the classes root, once: keys that exist are left as
// they are, whatever they hold.
#pragma once

#include <QString>
#include <functional>

#include "registre.h"

namespace Association {
inline const QString Extension = QStringLiteral(".ovn");
inline const QString Classe = QStringLiteral("Ovane");
inline const QString Description = QStringLiteral("Partie d'Ovane");
// Under the class: the command that opens a saved game.
inline const QString CleCommande = QStringLiteral("\\shell\\open\\command");
inline const QString MemoireInsuffisante =
    QStringLiteral("Mémoire insuffisante pour ouvrir la base de registres");
inline const QString EchecMiseAJour =
    QStringLiteral("Impossible d'ouvrir et/ou de mettre à jour la base de registres");

// The command that opens a saved game: the program path quoted, so that a path with spaces or
// special characters stays one word, then the file's placeholder.
QString CommandeOuvrir(const QString& programme);
} // namespace Association

// Reports a failure with one of the two messages above; registration never stops start-up.
void EnregistrerTypeFichier(RegistreClasses& registre, const QString& programme,
                            const std::function<void(const QString&)>& signaler);
