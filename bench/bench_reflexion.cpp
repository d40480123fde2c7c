// The window while the computer thinks: a demonstration between two Experts on the real window,
// offscreen, with a 10 ms timer that measures how late the event loop answers it.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/ui/doubles.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    FenetreDeTest banc;
    banc.j->NbTours = 20;
    banc.f().show();
    if (!QTest::qWaitForWindowExposed(&banc.f())) return 1;

    constexpr int Periode = 10;
    std::vector<double> retards;
    QElapsedTimer horloge;
    QTimer sonde;
    sonde.setTimerType(Qt::PreciseTimer);
    qint64 precedent = 0;
    QObject::connect(&sonde, &QTimer::timeout, [&] {
        const qint64 maintenant = horloge.nsecsElapsed();
        retards.push_back(std::max(0.0, (maintenant - precedent) / 1e6 - Periode));
        precedent = maintenant;
        if (banc.j->FinDeJeu) application.quit();
    });
    ChoixJoueurs choix;
    choix.Ordinateur = {true, true};
    choix.Niveaux = {Niveau::Expert, Niveau::Expert};
    banc.DefinirJoueurs(choix, 0);
    horloge.start();
    sonde.start(Periode);
    application.exec();
    std::sort(retards.begin(), retards.end());
    std::printf("boucle_ms %.1f %.1f\n", retards[retards.size() * 99 / 100], retards.back());
    return banc.j->FinDeJeu ? 0 : 1;
}
