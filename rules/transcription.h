// A modal box and the window's state written as one line of text each: what the replay tool
// prints and what a network host sends. Tabs separate the fields; a line feed inside a text is
// written "\n".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vue_memoire.h"

struct Boite {
    std::string texte;
    std::string titre;
    Icone icone = Icone::Information;
};

// "boite<TAB>ICONE<TAB>TITRE<TAB>TEXTE", without the line feed.
std::string LigneBoite(const Boite& boite);
// The box of such a line; nothing when the line is not one.
std::optional<Boite> LireLigneBoite(std::string_view ligne);
// "etat<TAB>" then the six panels, the gauge's maximum, progress and tooltip, the cursor and the
// clock (1 or 0), without the line feed.
std::string LigneEtat(const VueMemoire& vue);
