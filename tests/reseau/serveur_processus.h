// ovane-serveur as a test starts it: on a free port of the loopback, its data in the folder given,
// killed when the test lets it go.
#pragma once

#include <QProcess>
#include <filesystem>

class ServeurProcessus {
public:
    ServeurProcessus(const std::filesystem::path& donnees, const QStringList& options = {}) {
        processus.start(QStringLiteral(OVANE_SERVEUR),
                        QStringList{QStringLiteral("--port"), QStringLiteral("0"),
                                    QStringLiteral("--ecoute"), QStringLiteral("127.0.0.1"),
                                    QStringLiteral("--donnees"),
                                    QString::fromStdString(donnees.string())} +
                            options);
    }
    ~ServeurProcessus() {
        processus.kill();
        processus.waitForFinished(5000);
    }
    ServeurProcessus(const ServeurProcessus&) = delete;
    ServeurProcessus& operator=(const ServeurProcessus&) = delete;

    // The port it says once it listens; 0 when it ends or stays silent first.
    quint16 Port() {
        if (port_ == 0 && processus.waitForReadyRead(10000)) {
            const QByteArray ligne = processus.readLine().trimmed();
            if (ligne.startsWith("port ")) port_ = static_cast<quint16>(ligne.mid(5).toUInt());
        }
        return port_;
    }

    QProcess processus;

private:
    quint16 port_ = 0;
};
