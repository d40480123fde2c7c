// The options of ovane-serveur that set its limits per connection and per address: one table, so
// that the usage, the parsing and the defaults cannot drift apart.
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "reseau/accueil.h"

void DeclarerLimites(QCommandLineParser& lecteur);
// The limits given on the command line over the defaults; false with the message for the first
// value that is not a whole number in its range.
bool LireLimites(const QCommandLineParser& lecteur, Accueil::Reglages& reglages, QString& erreur);
