// For tests that drive an event loop: runs it until the condition holds, ten seconds at most.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

inline bool Attendre(const std::function<bool()>& condition) {
    QElapsedTimer duree;
    duree.start();
    while (!condition() && duree.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}
