// One TCP connection, as lines: reads at most one line's limit of a line that does not end,
// writes whole lines, and never keeps more than a bounded backlog for a peer that does not read.
#pragma once

#include <QObject>
#include <string>

#include "hote.h"
#include "lignes.h"

class QTcpSocket;
class QTimer;

class Connexion : public QObject, public Lien {
    Q_OBJECT
public:
    // Takes the socket as its child. longueurMax: the longest line the peer may send.
    Connexion(QTcpSocket* socket, std::size_t longueurMax, QObject* parent = nullptr);

    void Envoyer(const std::string& ligne) override;
    void Fermer(const std::string& erreur) override;
    // Closed by this side, or lost: nothing more is read or sent.
    bool Fermee() const { return fermee_; }

    // What the host's welcome desk knows of the connection.
    bool Accueillie = false;
    HotePartie* Hote = nullptr;
    int Echecs = 0;
    QTimer* Bonjour = nullptr;

    // The output a peer may leave unread before it is dropped: several catch-ups' worth.
    static constexpr qint64 SortieMax = 1 << 20;

signals:
    void LigneRecue(Connexion* connexion, const std::string& ligne);
    void LigneTropLongue(Connexion* connexion);
    // The connection is closed, whichever side closed it; emitted once.
    void Perdue(Connexion* connexion);

private:
    void Lire();
    void Couper();

    QTcpSocket* socket_;
    LecteurLignes lecteur_;
    bool fermee_ = false;
    bool perdue_ = false;
};
