// One search of the computer at a time, run off the window's thread and its result delivered
// back on the thread that owns this object: what the computer as a player and the hint share.
#pragma once

#include <QObject>
#include <cstdint>
#include <optional>

#include "reflexion.h"

class RechercheFond : public QObject {
    Q_OBJECT
public:
    RechercheFond(Niveau niveau, std::uint32_t graine, QObject* parent = nullptr);

    // Starts a search on copies of the records; one under way is dropped first.
    void Lancer(const jeu& j, const Equipes& joueurs);
    // Drops the search under way: its result never comes.
    void Arreter() { reflexion_.Arreter(); }
    bool EnCours() const { return reflexion_.EnCours(); }
    Niveau NiveauDeJeu() const { return niveau_; }

signals:
    // The action found, or none when the team has nothing to do; once a search.
    void Trouvee(std::optional<ActionJoueur> action);

private:
    void Resultat(int numero, const std::optional<ActionJoueur>& action);

    Niveau niveau_;
    Ordinateur ordinateur_;
    // Declared after the computer it uses: its thread is stopped before the computer goes.
    Reflexion reflexion_;
    // Each search is numbered: a result posted by a search since dropped is recognised.
    int numero_ = 0;
};
