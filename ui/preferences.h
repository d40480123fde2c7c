// The one setting the program keeps from one run to the next, the board's factor, in a small text
// file of the user's configuration folder: "echelle=2".
#pragma once

#include <QString>

inline constexpr int EchelleMaximale = 8;

struct Preferences {
    int Echelle = 1;
};

// $XDG_CONFIG_HOME/ovane/ovane.conf, or the same under its default, ~/.config.
QString CheminPreferences();
// The settings read from the file, each value checked. A missing file gives the defaults; so
// does a damaged one, with a line on the standard error that names the file and the fault.
Preferences LirePreferences(const QString& chemin);
// Replaces the file whole or not at all, making its folder if needed. A failure is told on the
// standard error and changes nothing else: the program goes on.
bool EcrirePreferences(const QString& chemin, const Preferences& preferences);
