// A player's copy of a hosted game.
#include "miroir.h"

#include "game/partie.h"
#include "rules/deroulement.h"
#include "rules/textes.h"

void MiroirPartie::Recommencer() {
    p_.Jeu = jeu();
    p_.Joueurs = Equipes{};
    Vue& vue = p_.Ecran;
    vue.ActiverHorloge(false);
    for (int i = 0; i < NbPanneaux; ++i)
        vue.AfficherPanneau(static_cast<Panneau>(i), Textes::PanneauxCreation[i]);
    vue.DefinirJauge(MaximumJaugeVide, ProgressionJaugeVide, Textes::Occupation);
    vue.DefinirCurseur(acPlacement);
    vue.RedessinerPlateau();
}

bool MiroirPartie::Appliquer(const Annonce& a) {
    if (a.genre == Annonce::Genre::Jeu) {
        AppliquerCommandeJeu(p_, a.jeu);
        return true;
    }
    if (a.genre != Annonce::Genre::Instantane) return true;
    // As "Ouvrir" shows a saved game, without its boxes.
    if (ChargerPartie(a.octets.data(), a.octets.size(), p_.Jeu, p_.Joueurs) != Chargement::Reussi)
        return false;
    AfficherEtat(p_);
    return true;
}
