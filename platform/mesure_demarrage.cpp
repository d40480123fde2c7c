// Start-up measurement.
#include "mesure_demarrage.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

class PremiereFenetre : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        auto* fenetre = qobject_cast<QWindow*>(objet);
        if (evenement->type() == QEvent::Expose && fenetre && fenetre->isExposed() && !vue_) {
            vue_ = true;
            // Once this expose has been handled, the window's first frame is on screen.
            QTimer::singleShot(0, [] {
                timespec t{};
                clock_gettime(CLOCK_MONOTONIC, &t);
                std::printf("%lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
                // The process ends here: there is nobody left to tell of a failed write.
                static_cast<void>(std::fflush(stdout));
                _exit(0);
            });
        }
        return false;
    }

private:
    bool vue_ = false;
};

} // namespace

void InstallerMesureDemarrage(QCoreApplication& application) {
    if (!qEnvironmentVariableIsSet("OVANE_MESURE_DEMARRAGE")) return;
    application.installEventFilter(new PremiereFenetre(&application));
}
