// Clock accuracy: the real time a 30-second play takes to run out in the real window and its
// event loop, while another process keeps one core busy.
#include <QApplication>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/ui/doubles.h"
#include "ui/grille.h"
#include "ui/plateau.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const pid_t occupe = fork();
    if (occupe == 0) {
        volatile unsigned long n = 0;
        for (;;) n = n + 1;
    }
    QApplication application(argc, argv);
    FenetreDeTest banc;
    banc.j->MaxTemps = 30000;
    banc.f().show();
    std::chrono::steady_clock::time_point debut, fin;
    banc.boites.PendantLaBoite = [&](const BoiteVue&) {
        fin = std::chrono::steady_clock::now();
        QCoreApplication::quit();
    };
    banc.PlacerDouze([&] { debut = std::chrono::steady_clock::now(); });
    QApplication::exec();
    kill(occupe, SIGKILL);
    waitpid(occupe, nullptr, 0);
    std::printf("horloge_ms %.1f 30000\n",
                std::chrono::duration<double, std::milli>(fin - debut).count());
    return 0;
}
