// ovane-serveur as a child process of a test, on a data folder of the test's, on a free port of
// the loopback; killed when the test lets it go.
#pragma once

#include <QProcess>
#include <QStringList>
#include <filesystem>

class ServeurProcessus {
public:
    // The test's players act as fast as the loopback lets them, far beyond a person's rate.
    explicit ServeurProcessus(const std::filesystem::path& donnees,
                              const QStringList& options = {}) {
        processus.setProcessChannelMode(QProcess::SeparateChannels);
        processus.start(
            QStringLiteral(OVANE_SERVEUR),
            QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--ecoute"),
                        QStringLiteral("127.0.0.1"), QStringLiteral("--donnees"),
                        QString::fromStdString(donnees.string()),
                        QStringLiteral("--lignes-par-seconde"), QStringLiteral("10000")} +
                options);
        if (!processus.waitForStarted(5000) || !processus.waitForReadyRead(10000)) return;
        const QByteArray ligne = processus.readLine().trimmed();
        if (ligne.startsWith("port ")) port_ = static_cast<quint16>(ligne.mid(5).toUInt());
    }
    ~ServeurProcessus() {
        processus.kill();
        processus.waitForFinished(5000);
    }
    ServeurProcessus(const ServeurProcessus&) = delete;
    ServeurProcessus& operator=(const ServeurProcessus&) = delete;

    // The port it said once it listened; 0 when it ended or stayed silent first.
    quint16 Port() const { return port_; }
    // Waits for the end (at most 10 s): its exit status, -1 if it did not end or crashed.
    int Fin() {
        // Already ended: waitForFinished would say false.
        if (processus.state() != QProcess::NotRunning && !processus.waitForFinished(10000))
            return -1;
        if (processus.exitStatus() != QProcess::NormalExit) return -1;
        return processus.exitCode();
    }
    QString Journal() { return QString::fromUtf8(processus.readAllStandardError()); }

    QProcess processus;

private:
    quint16 port_ = 0;
};
