// The program's command line: ovane [--ordinateur bleus|rouges|tous] [--niveau 1|2|3|4] [FICHIER],
// or a network game: --creer bleus|rouges [--serveur ADRESSE], --rejoindre ADRESSE CODE; with
// --help and --version.
#pragma once

#include <QStringList>
#include <variant>

#include "joueurs.h"
#include "reseau_dialogue.h"

struct LigneCommande {
    ChoixJoueurs joueurs;
    // A network game to create or join at start.
    std::optional<ChoixReseau> reseau;
    // The saved game to open at start, first; any others are ignored.
    QStringList fichiers;
};

// The line read, or the status the program ends with at once: 0 once --help or --version has
// been answered on standard output, 2 once an unknown option or a bad value has been named on
// standard error with the usage. version: the program's, for --version.
std::variant<LigneCommande, int> LireLigneCommande(const QStringList& arguments,
                                                   const QString& version);
