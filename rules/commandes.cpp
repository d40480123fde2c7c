// The commands and the clock.
#include "commandes.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "actions.h"
#include "deroulement.h"
#include "game/partie.h"
#include "legales.h"
#include "textes.h"

namespace {

// Whether the skip may go on; a refused one has shown its message.
// The file's name without its folders, as a player names it.
std::string NomSeul(const std::string& chemin) {
    const auto barre = chemin.find_last_of('/');
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

bool PasserAccepte(const Partie& p) {
    const Refus refus = VerifierPasser(p.Jeu);
    if (refus != Refus::Aucun && refus != Refus::Ignore)
        AfficherErreur(p, TexteRefus(refus, p.Jeu.Equipe()));
    return refus == Refus::Aucun;
}

} // namespace

void RubriquePasserActionClick(const Partie& p) {
    if (!PasserAccepte(p)) return;
    // Skipping what ends the play is passing the turn.
    if (FinitLeCoup(p.Jeu, {ActionJoueur::Genre::PasserAction, {}}))
        return RubriquePasserTourClick(p);
    p.Jeu.OublierPionDeplace();
    p.Ecran.RedessinerPlateau();
    DefinirAction(p, acTir);
}

void RubriquePasserTourClick(const Partie& p) {
    if (!PasserAccepte(p)) return;
    CompterOccupation(p);
    FinDeCoup(p);
}

void RubriqueNouvelleClick(const Partie& p) {
    p.Ecran.ActiverHorloge(false);
    p.Jeu.NouvellePartie(p.Joueurs);
    AfficherEtat(p);
}

void TimerTempsTimer(const Partie& p) {
    jeu& j = p.Jeu;
    if (j.FinDeJeu) return p.Ecran.ActiverHorloge(false);
    if (j.Action == acPlacement) {
        p.Ecran.AfficherPanneau(Panneau::Temps, TexteTemps(0));
        return p.Ecran.ActiverHorloge(false);
    }
    // A count that is not a multiple of the interval (a file made elsewhere) expires on the tick
    // that finds no more than one interval left, instead of wrapping round the unsigned count.
    j.TempsRestant = j.TempsRestant > IntervalleHorloge ? j.TempsRestant - IntervalleHorloge : 0;
    if (j.TempsRestant != 0)
        return p.Ecran.AfficherPanneau(Panneau::Temps, TexteTemps(j.TempsRestant));
    p.Ecran.ActiverHorloge(false);
    p.Ecran.Message(Textes::TempsEcoule, NomsEquipes[j.Equipe()], Icone::Exclamation);
    RubriquePasserTourClick(p);
}

void AppliquerParametres(const Partie& p, int nbPions, int nbTours, std::uint32_t maxTemps) {
    jeu& j = p.Jeu;
    j.NbTours = nbTours;
    j.NbPions = nbPions;
    j.MaxTemps = maxTemps;
    p.Ecran.AfficherPanneau(Panneau::Tour, TexteTour(j.TourCourant, j.NbTours));
    if (j.Action == acPlacement && !j.FinDeJeu && PlacementTermine(j, p.Joueurs))
        ConclurePlacement(p);
}

bool OuvrirPartie(const Partie& p, const std::string& chemin, bool horlogeAvant) {
    p.Ecran.ActiverHorloge(false);
    const Chargement resultat = ChargerPartie(chemin, p.Jeu, p.Joueurs);
    if (resultat == Chargement::Reussi) {
        AfficherEtat(p);
        return true;
    }
    const std::string texte =
        resultat == Chargement::Introuvable
            ? Format(Textes::ImpossibleOuvrir, NomSeul(chemin).c_str(), TexteRaison(errno).c_str())
            : Textes::ErreurDonnees;
    p.Ecran.Message(texte, Textes::ChargementNonEffectue, Icone::Arret);
    // The game in progress is untouched, so its play goes on timed.
    p.Ecran.ActiverHorloge(horlogeAvant);
    return false;
}

bool EnregistrerPartie(const Partie& p, const std::string& chemin) {
    const Sauvegarde resultat = SauvegarderPartie(chemin, p.Jeu, p.Joueurs);
    if (resultat == Sauvegarde::Reussie) return true;
    // The box keeps to the game's own words; the system's reason goes to the error output.
    static_cast<void>(std::fprintf(stderr, "%s: %s: %s\n", program_invocation_short_name,
                                   chemin.c_str(), std::generic_category().message(errno).c_str()));
    const char* texte =
        resultat == Sauvegarde::Creation ? Textes::ImpossibleCreer : Textes::ErreurDonnees;
    p.Ecran.Message(texte, Textes::SauvegardeNonEffectuee, Icone::Arret);
    return false;
}
