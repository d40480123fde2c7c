// Start-up measurement: with OVANE_MESURE_DEMARRAGE set, the first window shown on screen makes
// the program write the monotonic clock's time (nanoseconds) on standard output and exit at
// once. The start-up benchmark runs the game and an empty Qt window this way.
#pragma once

class QCoreApplication;

void InstallerMesureDemarrage(QCoreApplication& application);
