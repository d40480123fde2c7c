// The event loop on epoll: Qt's socket notifiers and timers, posted events, wake-ups.
#include "repartiteur.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimerEvent>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

RepartiteurEpoll::RepartiteurEpoll()
    : epoll_(epoll_create1(EPOLL_CLOEXEC)), reveil_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!Pret()) return;
    epoll_event e{};
    e.events = EPOLLIN;
    e.data.fd = reveil_;
    if (epoll_ctl(epoll_, EPOLL_CTL_ADD, reveil_, &e) != 0) {
        close(reveil_);
        reveil_ = -1;
    }
}

void RepartiteurEpoll::Installer() {
    if (auto repartiteur = std::make_unique<RepartiteurEpoll>(); repartiteur->Pret())
        QCoreApplication::setEventDispatcher(repartiteur.release());
}

RepartiteurEpoll::~RepartiteurEpoll() {
    if (reveil_ >= 0) close(reveil_);
    if (epoll_ >= 0) close(epoll_);
}

bool RepartiteurEpoll::processEvents(QEventLoop::ProcessEventsFlags flags) {
    interrompu_.store(false);
    emit awake();
    QCoreApplication::sendPostedEvents();
    // Level-triggered: sockets left out this turn would wake the wait at once, so it waits not.
    const bool attendre = flags.testFlag(QEventLoop::WaitForMoreEvents) &&
                          !flags.testFlag(QEventLoop::ExcludeSocketNotifiers) &&
                          !interrompu_.load();
    if (attendre) emit aboutToBlock();
    std::array<epoll_event, 256> prets{};
    int n = 0;
    do {
        n = epoll_wait(epoll_, prets.data(), static_cast<int>(prets.size()),
                       attendre ? Delai() : 0);
    } while (n < 0 && errno == EINTR);
    if (attendre) emit awake();
    int traites = 0;
    for (int i = 0; i < n; ++i) {
        const epoll_event& e = prets[static_cast<std::size_t>(i)];
        if (e.data.fd == reveil_) {
            // Cleared before it is read: a wake-up that comes meanwhile writes again.
            reveille_.store(false);
            std::uint64_t compte = 0;
            static_cast<void>(read(reveil_, &compte, sizeof compte));
        } else if (!flags.testFlag(QEventLoop::ExcludeSocketNotifiers)) {
            traites += Activer(e.data.fd, e.events);
        }
    }
    return traites + Declencher() > 0;
}

// Each notifier is looked up again before it is told: the one told before may have closed the
// socket, or another socket may have taken its descriptor.
int RepartiteurEpoll::Activer(int fd, std::uint32_t evenements) {
    int actives = 0;
    const auto dire = [&](QSocketNotifier* Notificateurs::*genre) {
        const auto it = sockets_.find(fd);
        if (it == sockets_.end() || !(it->second.*genre)) return;
        QEvent e(QEvent::SockAct);
        QCoreApplication::sendEvent(it->second.*genre, &e);
        ++actives;
    };
    if (evenements & (EPOLLIN | EPOLLHUP | EPOLLERR)) dire(&Notificateurs::lecture);
    if (evenements & (EPOLLOUT | EPOLLHUP | EPOLLERR)) dire(&Notificateurs::ecriture);
    if (evenements & EPOLLPRI) dire(&Notificateurs::exception);
    return actives;
}

void RepartiteurEpoll::registerSocketNotifier(QSocketNotifier* notifier) {
    const int fd = static_cast<int>(notifier->socket());
    Notificateurs& n = sockets_[fd];
    const Notificateurs avant = n;
    switch (notifier->type()) {
    case QSocketNotifier::Read:
        n.lecture = notifier;
        break;
    case QSocketNotifier::Write:
        n.ecriture = notifier;
        break;
    case QSocketNotifier::Exception:
        n.exception = notifier;
        break;
    }
    Suivre(fd, avant);
}

void RepartiteurEpoll::unregisterSocketNotifier(QSocketNotifier* notifier) {
    const int fd = static_cast<int>(notifier->socket());
    const auto it = sockets_.find(fd);
    if (it == sockets_.end()) return;
    const Notificateurs avant = it->second;
    for (QSocketNotifier** n : {&it->second.lecture, &it->second.ecriture, &it->second.exception})
        if (*n == notifier) *n = nullptr;
    Suivre(fd, avant);
}

namespace {

std::uint32_t Masque(QSocketNotifier* lecture, QSocketNotifier* ecriture,
                     QSocketNotifier* exception) {
    return (lecture ? EPOLLIN : 0U) | (ecriture ? EPOLLOUT : 0U) | (exception ? EPOLLPRI : 0U);
}

} // namespace

// Tells the kernel what is now watched on fd. A descriptor closed before its notifiers went has
// left the set by itself, and its number may already be another socket's: add and modify each
// fall back on the other.
void RepartiteurEpoll::Suivre(int fd, const Notificateurs& avant) {
    const Notificateurs& n = sockets_[fd];
    const std::uint32_t masque = Masque(n.lecture, n.ecriture, n.exception);
    const std::uint32_t ancien = Masque(avant.lecture, avant.ecriture, avant.exception);
    if (masque == ancien) return;
    if (masque == 0) {
        static_cast<void>(epoll_ctl(epoll_, EPOLL_CTL_DEL, fd, nullptr));
        sockets_.erase(fd);
        return;
    }
    epoll_event e{};
    e.events = masque;
    e.data.fd = fd;
    const int premier = ancien == 0 ? EPOLL_CTL_ADD : EPOLL_CTL_MOD;
    if (epoll_ctl(epoll_, premier, fd, &e) == 0) return;
    const int second = premier == EPOLL_CTL_ADD ? EPOLL_CTL_MOD : EPOLL_CTL_ADD;
    if (epoll_ctl(epoll_, second, fd, &e) != 0)
        qWarning("epoll ne peut pas surveiller le descripteur %d (errno %d)", fd, errno);
}

void RepartiteurEpoll::registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                                     QObject* object) {
    const auto place =
        echeances_.emplace(Horloge::now() + std::chrono::milliseconds(interval), timerId);
    minuteries_[timerId] = {interval, timerType, object, place};
}

void RepartiteurEpoll::Oublier(std::unordered_map<int, Minuterie>::iterator minuterie) {
    echeances_.erase(minuterie->second.place);
    minuteries_.erase(minuterie);
}

bool RepartiteurEpoll::unregisterTimer(int timerId) {
    const auto it = minuteries_.find(timerId);
    if (it == minuteries_.end()) return false;
    Oublier(it);
    return true;
}

// Called when an object with timers goes, seldom: a walk over the timers is enough.
bool RepartiteurEpoll::unregisterTimers(QObject* object) {
    bool trouve = false;
    for (auto it = minuteries_.begin(); it != minuteries_.end();) {
        const auto suivant = std::next(it);
        if (it->second.objet == object) {
            Oublier(it);
            trouve = true;
        }
        it = suivant;
    }
    return trouve;
}

QList<QAbstractEventDispatcher::TimerInfo>
RepartiteurEpoll::registeredTimers(QObject* object) const {
    QList<TimerInfo> liste;
    for (const auto& [id, m] : minuteries_)
        if (m.objet == object) liste.append(TimerInfo(id, static_cast<int>(m.intervalle), m.genre));
    return liste;
}

int RepartiteurEpoll::remainingTime(int timerId) {
    const auto it = minuteries_.find(timerId);
    if (it == minuteries_.end()) return -1;
    const auto reste =
        std::chrono::ceil<std::chrono::milliseconds>(it->second.place->first - Horloge::now());
    return static_cast<int>(std::max<std::int64_t>(0, reste.count()));
}

// Milliseconds until the next timer is due; -1: no timer, the wait has no end.
int RepartiteurEpoll::Delai() const {
    if (echeances_.empty()) return -1;
    const auto reste =
        std::chrono::ceil<std::chrono::milliseconds>(echeances_.begin()->first - Horloge::now());
    return static_cast<int>(std::clamp<std::int64_t>(reste.count(), 0, INT_MAX));
}

// The timers due, each once a turn, rescheduled before they are told: their object may stop or
// restart them, or go.
int RepartiteurEpoll::Declencher() {
    const auto maintenant = Horloge::now();
    std::vector<int> dues;
    for (auto it = echeances_.begin(); it != echeances_.end() && it->first <= maintenant; ++it)
        dues.push_back(it->second);
    int declenchees = 0;
    for (const int id : dues) {
        const auto it = minuteries_.find(id);
        // Gone, or stopped and started again by a timer told before it.
        if (it == minuteries_.end() || it->second.place->first > maintenant) continue;
        Minuterie& m = it->second;
        echeances_.erase(m.place);
        m.place = echeances_.emplace(maintenant + std::chrono::milliseconds(m.intervalle), id);
        QTimerEvent e(id);
        QCoreApplication::sendEvent(m.objet, &e);
        ++declenchees;
    }
    return declenchees;
}

void RepartiteurEpoll::wakeUp() {
    if (reveille_.exchange(true)) return;
    const std::uint64_t un = 1;
    static_cast<void>(write(reveil_, &un, sizeof un));
}

void RepartiteurEpoll::interrupt() {
    interrompu_.store(true);
    wakeUp();
}
