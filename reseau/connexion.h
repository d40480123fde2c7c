// One TCP connection, as lines: reads at most one line's limit of a line that does not end,
// writes whole lines, and never keeps more than a bounded backlog for a peer that does not read.
#pragma once

#include <QObject>
#include <string>

#include "hote.h"
#include "lignes.h"
#include "limites.h"

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
    // The address it counts against, once admitted; its lines a second.
    std::string Adresse;
    Seau Lignes;

    // A line begun must end within this time (0: no limit): a peer that sends a byte now and
    // then holds nothing of the host for long.
    void DelaiLigne(int ms) { delaiLigneMs_ = ms; }

    // The output a peer may leave unread in this process, beyond what the kernel holds for it,
    // before it is dropped: several catch-ups' worth.
    static constexpr qint64 SortieMax = 1 << 20;

signals:
    void LigneRecue(Connexion* connexion, const std::string& ligne);
    void LigneTropLongue(Connexion* connexion);
    void LigneTropLente(Connexion* connexion);
    // The connection is closed, whichever side closed it; emitted once.
    void Perdue(Connexion* connexion);

private:
    void Lire();
    void Couper();
    void SurveillerLigne();
    std::size_t EnvoyerDirect(const std::string& texte);

    QTcpSocket* socket_;
    LecteurLignes lecteur_;
    QTimer* ligne_ = nullptr;
    int delaiLigneMs_ = 0;
    bool direct_;
    bool fermee_ = false;
    bool perdue_ = false;
};
