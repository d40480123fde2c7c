// One search of the computer, off the window's thread, on copies of the records: the window goes
// on drawing, ticking and answering its menus meanwhile.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "ordinateur/ordinateur.h"

class Reflexion {
public:
    // Called on the search's own thread with its result; never once Arreter() has returned.
    using Fin = std::function<void(std::optional<ActionJoueur>)>;

    Reflexion();
    ~Reflexion();
    Reflexion(const Reflexion&) = delete;
    Reflexion& operator=(const Reflexion&) = delete;

    // The ordinateur must outlive the search; a search under way is stopped first.
    void Lancer(Ordinateur& ordinateur, const jeu& j, const Equipes& joueurs, Fin fin);
    // Stops a search under way and waits for its thread, which the search's frequent checks of
    // the stop flag keep to a few milliseconds.
    void Arreter();
    // A search was started and its thread not yet waited for.
    bool EnCours() const { return fil_.joinable(); }

private:
    std::thread fil_;
    std::atomic<bool> arret_{false};
    std::unique_ptr<jeu> copie_;
    Equipes equipes_;
};
