// Responsiveness: a double-click that moves a pawn, from the event to the board fully
// repainted, on the real window, offscreen.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "tests/ui/doubles.h"
#include "ui/grille.h"
#include "ui/plateau.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    FenetreDeTest banc;
    TFormPlateau& fenetre = banc.f();
    jeu* j = banc.j.get();
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre)) return 1;
    banc.PlacerDouze();
    const int essais = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::vector<double> durees;
    for (int i = 0; i < essais; ++i) {
        // Bleus' pawn of column c moves one row down and back, alternately.
        const int c = i % 6;
        const int depart = 2 + (i / 6) % 2;
        const int arrivee = 5 - depart;
        j->Action = acDeplacement2;
        j->JoueurCourant = Bleus;
        j->ChoisirPion(c, depart);
        const QPoint centre = fenetre.DrawGridPlateau->RectangleCase(c, arrivee).center();
        QTest::mouseClick(fenetre.DrawGridPlateau, Qt::LeftButton, {}, centre);
        const auto debut = std::chrono::steady_clock::now();
        QTest::mouseDClick(fenetre.DrawGridPlateau, Qt::LeftButton, {}, centre);
        const auto fin = std::chrono::steady_clock::now();
        if (j->Case(c, arrivee) != 1) {
            std::fputs("the move was refused\n", stderr);
            return 1;
        }
        durees.push_back(std::chrono::duration<double, std::milli>(fin - debut).count());
    }
    std::sort(durees.begin(), durees.end());
    std::printf("reactivite_ms %.3f %.3f\n", durees[durees.size() / 2], durees.back());
    return 0;
}
