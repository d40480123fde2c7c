// One search of the computer, off the window's thread, on copies of the records: the window goes
// on drawing, ticking and answering its menus meanwhile.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "ordinateur/ordinateur.h"

class Reflexion {
public:
    // Called on the search's own thread with its result, at most once a search. Never once
    // Arreter() has been called: a Fin under way when it is called finishes first, and Arreter()
    // waits for it.
    using Fin = std::function<void(std::optional<ActionJoueur>)>;

    Reflexion();
    ~Reflexion();
    Reflexion(const Reflexion&) = delete;
    Reflexion& operator=(const Reflexion&) = delete;

    // The ordinateur must outlive the search; a search under way is stopped first.
    void Lancer(Ordinateur& ordinateur, const jeu& j, const Equipes& joueurs, Fin fin);
    // Stops a search under way and waits for its thread, which the search's frequent checks of
    // its stop token keep to a few milliseconds. Fin must not call it: it would wait for itself.
    void Arreter();
    // A search was started and its thread not yet waited for.
    bool EnCours() const { return fil_.joinable(); }

private:
    std::jthread fil_;
    // Held while Fin runs and while a stop is requested, so that no Fin starts after the request.
    std::mutex fin_;
    std::unique_ptr<jeu> copie_;
    Equipes equipes_;
};
