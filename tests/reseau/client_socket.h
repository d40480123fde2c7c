// A player through a real socket, driven step by step by a test: each line the host sends is
// read into a ClientMemoire, so the test sees the player's own records.
#pragma once

#include <QTcpSocket>
#include <QThread>

#include "client_memoire.h"

class ClientSocket {
public:
    // Connects and greets; false when the host cannot be reached.
    bool Connecter(quint16 port) {
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!socket.waitForConnected(5000)) return false;
        return Commande("ovane 1", "ovane 1 ");
    }

    // Sends the line and reads until a line that starts with fin (by default the answer's end).
    bool Commande(const std::string& ligne, const std::string& fin = {}) {
        const std::string texte = ligne + '\n';
        socket.write(texte.data(), static_cast<qint64>(texte.size()));
        return Attendre(fin);
    }
    bool Attendre(const std::string& fin = {}) {
        for (int essais = 0; essais < 200; ++essais) {
            while (socket.canReadLine()) {
                std::string ligne = socket.readLine().toStdString();
                ligne.pop_back();
                memoire.Envoyer(ligne);
                const bool reponse = ligne == "ok" || ligne.rfind("erreur ", 0) == 0;
                if (fin.empty() ? reponse : ligne.rfind(fin, 0) == 0) return true;
            }
            if (socket.state() != QAbstractSocket::ConnectedState) return false;
            socket.waitForReadyRead(50);
        }
        return false;
    }
    const std::string& Derniere() const { return memoire.recues.back(); }

    QTcpSocket socket;
    ClientMemoire memoire;
};
