// The server's event loop on epoll. Qt's own loop hands poll() every socket at every turn, and
// the kernel then walks them all: with ten thousand connections at rest, each turn cost a
// millisecond. epoll reports only the sockets that are ready, so a turn costs the same with
// them as without them.
#pragma once

#include <QAbstractEventDispatcher>
#include <atomic>
#include <chrono>
#include <map>
#include <unordered_map>

class RepartiteurEpoll final : public QAbstractEventDispatcher {
public:
    RepartiteurEpoll();
    ~RepartiteurEpoll() override;
    RepartiteurEpoll(const RepartiteurEpoll&) = delete;
    RepartiteurEpoll& operator=(const RepartiteurEpoll&) = delete;

    // Makes it the main thread's event loop, before QCoreApplication is made; Qt then owns it.
    // If the kernel refuses epoll or its wake-up descriptor, Qt's own loop serves, slower.
    static void Installer();
    bool Pret() const { return epoll_ >= 0 && reveil_ >= 0; }

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    void registerSocketNotifier(QSocketNotifier* notifier) override;
    void unregisterSocketNotifier(QSocketNotifier* notifier) override;
    void registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                       QObject* object) override;
    bool unregisterTimer(int timerId) override;
    bool unregisterTimers(QObject* object) override;
    QList<TimerInfo> registeredTimers(QObject* object) const override;
    int remainingTime(int timerId) override;
    void wakeUp() override;
    void interrupt() override;

private:
    using Horloge = std::chrono::steady_clock;
    struct Notificateurs {
        QSocketNotifier* lecture = nullptr;
        QSocketNotifier* ecriture = nullptr;
        QSocketNotifier* exception = nullptr;
    };
    struct Minuterie {
        qint64 intervalle;
        Qt::TimerType genre;
        QObject* objet;
        std::multimap<Horloge::time_point, int>::iterator place;
    };

    void Suivre(int fd, const Notificateurs& avant);
    int Delai() const;
    int Activer(int fd, std::uint32_t evenements);
    int Declencher();
    void Oublier(std::unordered_map<int, Minuterie>::iterator minuterie);

    int epoll_ = -1;
    int reveil_ = -1;
    std::atomic<bool> reveille_{false};
    std::atomic<bool> interrompu_{false};
    std::unordered_map<int, Notificateurs> sockets_;
    std::unordered_map<int, Minuterie> minuteries_;
    std::multimap<Horloge::time_point, int> echeances_;
};
