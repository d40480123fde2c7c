// One hosted game.
#include "hote.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include "game/partie.h"
#include "rules/commandes.h"
#include "rules/deroulement.h"
#include "rules/resultat.h"
#include "rules/transcription.h"

namespace {

// The records and the view of a game, as they were before a command that may be undone.
struct Copie {
    explicit Copie(const PartieMemoire& p)
        : j(std::make_unique<jeu>(*p.j)), joueurs(p.joueurs), panneaux(p.vue.Panneaux),
          maximum(p.vue.MaximumJauge), progression(p.vue.ProgressionJauge), bulle(p.vue.BulleJauge),
          curseur(p.vue.Curseur), horloge(p.vue.Horloge) {}

    void Remettre(PartieMemoire& p) const {
        *p.j = *j;
        p.joueurs = joueurs;
        p.vue.Panneaux = panneaux;
        p.vue.DefinirJauge(maximum, progression, bulle);
        p.vue.Curseur = curseur;
        p.vue.Horloge = horloge;
    }

    std::unique_ptr<jeu> j;
    Equipes joueurs;
    std::array<std::string, NbPanneaux> panneaux;
    int maximum, progression;
    std::string bulle;
    int curseur;
    bool horloge;
};

bool MemesEmpreintes(const std::string& a, const std::string& b) {
    // Constant time: how much of a guess matched never shows in the answer's delay.
    if (a.size() != b.size() || a.empty()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

std::string Annonce_(Annonce::Genre genre) {
    Annonce a;
    a.genre = genre;
    return TexteAnnonce(a);
}

} // namespace

std::string NouveauJeton() {
    std::array<quint32, LongueurJeton / 8> mots{};
    QRandomGenerator::system()->fillRange(mots.data(), mots.size());
    const QByteArray octets(reinterpret_cast<const char*>(mots.data()),
                            static_cast<qsizetype>(sizeof(mots)));
    return octets.toHex().toStdString();
}

std::string EmpreinteJeton(const std::string& jeton) {
    return QCryptographicHash::hash(QByteArray::fromStdString(jeton), QCryptographicHash::Sha256)
        .toStdString();
}

HotePartie::HotePartie(std::string code, Journal* journal, std::size_t lignesAvantInstantane)
    : code_(std::move(code)), journal_(journal), lignesAvantInstantane_(lignesAvantInstantane) {
    partie_.vue.SurMessage = [this](const std::string& texte, const std::string& titre,
                                    Icone icone) {
        boites_.push_back({texte, titre, icone});
    };
}

bool HotePartie::Creer(int equipe, const CommandeJeu& parametres, Lien& lien) {
    const std::string jeton = NouveauJeton();
    const std::string ligne = TexteCommandeJeu(parametres);
    if (journal_ && !journal_->Creer(code_, equipe, EmpreinteJeton(jeton), ligne)) return false;
    AppliquerCommandeJeu(partie_.p, parametres);
    flux_.push_back(ligne);
    lignesJournal_ = 1;
    sieges_[equipe & 1].empreinte = EmpreinteJeton(jeton);
    Asseoir(equipe, lien, jeton);
    return true;
}

bool HotePartie::Restaurer(const PartieEnregistree& e) {
    PartieMemoire& p = partie_;
    if (!e.base.empty()) {
        if (ChargerPartie(e.base.data(), e.base.size(), *p.j, p.joueurs) != Chargement::Reussi)
            return false;
        // Shown as the live host's view was when it took the snapshot: its clock runs in a play.
        AfficherEtat(p.p);
    }
    // No play has more ticks than its longest time allows: a row that says more is damaged.
    constexpr int TicsMax = static_cast<int>(ChoixMaxTemps.back() / IntervalleHorloge);
    for (const LigneEnregistree& ligne : e.lignes) {
        if (ligne.tics < 0 || ligne.tics > TicsMax) return false;
        for (int t = 0; t < ligne.tics; ++t) AppliquerCommandeJeu(p.p, CommandeJeu{});
        const auto mots = Mots(ligne.texte);
        const auto commande = mots ? LireCommandeJeu(*mots) : std::nullopt;
        if (!commande) return false;
        AppliquerCommandeJeu(p.p, *commande);
    }
    for (int e2 = 0; e2 < 2; ++e2) sieges_[e2].empreinte = e.empreintes[e2];
    // From here on the game is the snapshot of where it stands, shown as an opened file is.
    base_ = OctetsPartie(*p.j, p.joueurs);
    if (base_.empty() ||
        ChargerPartie(base_.data(), base_.size(), *p.j, p.joueurs) != Chargement::Reussi)
        return false;
    AfficherEtat(p.p);
    boites_.clear();
    lignesJournal_ = e.lignes.size();
    return true;
}

int HotePartie::SiegeDe(const Lien& lien) const {
    for (int e = 0; e < 2; ++e)
        if (sieges_[e].lien == &lien) return e;
    return -1;
}

void HotePartie::Asseoir(int equipe, Lien& lien, const std::string& jeton) {
    Siege& siege = sieges_[equipe & 1];
    Lien* ancien = siege.lien;
    siege.lien = &lien;
    // The newest connection wins: the older one is told and let go.
    if (ancien && ancien != &lien) ancien->Fermer(TextesReseau::Remplace);
    Annonce partie;
    partie.genre = Annonce::Genre::Partie;
    partie.code = code_;
    partie.equipe = equipe;
    partie.jeton = jeton;
    lien.Envoyer(TexteAnnonce(partie));
    Rattrapage(lien);
    lien.Envoyer(Annonce_(Annonce::Genre::Ok));
    if (!ancien) {
        if (Lien* autre = sieges_[(equipe & 1) ^ 1].lien) autre->Envoyer("adversaire present");
    }
}

void HotePartie::Rattrapage(Lien& lien) const {
    if (!base_.empty()) {
        Annonce instantane;
        instantane.genre = Annonce::Genre::Instantane;
        instantane.octets = base_;
        lien.Envoyer(TexteAnnonce(instantane));
    }
    for (const std::string& ligne : flux_) lien.Envoyer("jeu " + ligne);
    const int equipe = SiegeDe(lien);
    lien.Envoyer(sieges_[equipe ^ 1].lien ? "adversaire present" : "adversaire absent");
    if (partie_.j->FinDeJeu) lien.Envoyer("fin " + TexteResultat(partie_.joueurs));
}

bool HotePartie::Rejoindre(Lien& lien) {
    for (int e = 0; e < 2; ++e) {
        if (SiegePris(e)) continue;
        const std::string jeton = NouveauJeton();
        const std::string empreinte = EmpreinteJeton(jeton);
        if (journal_ && !journal_->Asseoir(code_, e, empreinte)) {
            lien.Envoyer(LigneErreur(TextesReseau::Stockage));
            return false;
        }
        sieges_[e].empreinte = empreinte;
        Asseoir(e, lien, jeton);
        return true;
    }
    lien.Envoyer(LigneErreur(TextesReseau::PartieComplete));
    return false;
}

bool HotePartie::Reprendre(const std::string& jeton, Lien& lien) {
    const std::string empreinte = EmpreinteJeton(jeton);
    for (int e = 0; e < 2; ++e) {
        if (!MemesEmpreintes(sieges_[e].empreinte, empreinte)) continue;
        Asseoir(e, lien, jeton);
        return true;
    }
    return false;
}

void HotePartie::Quitter(Lien& lien) {
    const int equipe = SiegeDe(lien);
    if (equipe < 0) return;
    sieges_[equipe].lien = nullptr;
    if (Lien* autre = sieges_[equipe ^ 1].lien) autre->Envoyer("adversaire absent");
    if (proposition_) {
        // A proposal dies with either side's connection, and the side still here hears of it:
        // an answer to it can never accept another one made since.
        const int autreCote = equipe ^ 1;
        if (Lien* reste = sieges_[autreCote].lien)
            reste->Envoyer(proposition_->equipe == equipe ? "proposition annulee"
                                                          : "reponse annulee");
        proposition_.reset();
    }
}

void HotePartie::FermerTout(const std::string& erreur) {
    for (Siege& siege : sieges_) {
        Lien* lien = siege.lien;
        siege.lien = nullptr;
        if (lien) lien->Fermer(erreur);
    }
}

void HotePartie::Traiter(Lien& lien, const Requete& r) {
    const int equipe = SiegeDe(lien);
    if (equipe < 0) return lien.Envoyer(LigneErreur(TextesReseau::PasAssis));
    using G = Requete::Genre;
    switch (r.genre) {
    case G::Jeu:
        return Jouer(equipe, lien, r.jeu);
    case G::Etat:
        lien.Envoyer(LigneEtat(partie_.vue));
        return lien.Envoyer("ok");
    case G::Sauvegarde: {
        Annonce sauvegarde;
        sauvegarde.genre = Annonce::Genre::Sauvegarde;
        sauvegarde.octets = OctetsPartie(*partie_.j, partie_.joueurs);
        lien.Envoyer(TexteAnnonce(sauvegarde));
        return lien.Envoyer("ok");
    }
    case G::Proposer:
        return Proposer(equipe, lien, r.jeu);
    case G::Accepter:
    case G::Refuser:
        return Repondre(equipe, lien, r.genre == G::Accepter);
    default:
        return lien.Envoyer(LigneErreur(TextesReseau::DejaAssis));
    }
}

void HotePartie::Jouer(int equipe, Lien& lien, const CommandeJeu& commande) {
    const char* refus = !SiegePris(Bleus) || !SiegePris(Rouges) ? TextesReseau::AttenteAdversaire
                        : partie_.j->FinDeJeu                   ? TextesReseau::PartieFinie
                        : partie_.j->Equipe() != equipe         ? TextesReseau::PasVotreTour
                                                                : nullptr;
    if (refus) return lien.Envoyer(LigneErreur(refus));
    Evenement(commande, &lien);
}

// The command on the records; what it changed goes to the journal, then to both seats, and the
// boxes it showed to its author. A command that changed nothing shows its boxes only.
HotePartie::Issue HotePartie::Evenement(const CommandeJeu& commande, Lien* auteur) {
    const Copie avant(partie_);
    const std::string etatAvant = LigneEtat(partie_.vue);
    const bool finAvant = partie_.j->FinDeJeu != 0;
    boites_.clear();
    AppliquerCommandeJeu(partie_.p, commande);
    // Writing the records out is most of an action's cost: only when the view did not change,
    // and from the copy kept anyway.
    const bool change =
        LigneEtat(partie_.vue) != etatAvant ||
        OctetsPartie(*partie_.j, partie_.joueurs) != OctetsPartie(*avant.j, avant.joueurs);
    const std::string ligne = TexteCommandeJeu(commande);
    if (change && !Garder(ligne)) {
        avant.Remettre(partie_);
        if (auteur) auteur->Envoyer(LigneErreur(TextesReseau::Stockage));
        return Issue::NonGarde;
    }
    if (change) Diffuser("jeu " + ligne);
    if (auteur) {
        for (const Boite& boite : boites_) auteur->Envoyer(LigneBoite(boite));
        auteur->Envoyer("ok");
    }
    AnnoncerFin(finAvant);
    if (flux_.size() >= lignesAvantInstantane_) Compacter();
    return change ? Issue::Change : Issue::Rien;
}

bool HotePartie::Garder(const std::string& ligne) {
    if (journal_) {
        if (!journal_->Ajouter(code_, {ticsNonGardes_, ligne})) return false;
        ticsNonGardes_ = 0;
        ++lignesJournal_;
    }
    flux_.push_back(ligne);
    return true;
}

void HotePartie::Diffuser(const std::string& ligne) {
    for (const Siege& siege : sieges_)
        if (siege.lien) siege.lien->Envoyer(ligne);
}

void HotePartie::AnnoncerFin(bool avant) {
    if (!avant && partie_.j->FinDeJeu) Diffuser("fin " + TexteResultat(partie_.joueurs));
}

// The catch-up starts again from where the game stands, so that it never grows without bound.
void HotePartie::Compacter() {
    auto base = OctetsPartie(*partie_.j, partie_.joueurs);
    if (base.empty()) return;
    base_ = std::move(base);
    flux_.clear();
    if (journal_ && lignesJournal_ >= lignesAvantInstantane_ && journal_->Compacter(code_, base_)) {
        lignesJournal_ = 0;
        ticsNonGardes_ = 0;
    }
}

bool HotePartie::HorlogeEnMarche() const {
    const jeu& j = *partie_.j;
    return partie_.vue.Horloge && !j.FinDeJeu && SiegePris(Bleus) && SiegePris(Rouges) &&
           Connecte(j.Equipe());
}

void HotePartie::Tic() {
    if (!HorlogeEnMarche()) return;
    const jeu& j = *partie_.j;
    // A tick that only counts time down is sent at once and kept with the next line: a restart
    // may give a play back the time it had at its last action, never lose an action.
    if (j.TempsRestant > IntervalleHorloge && j.Action != acPlacement) {
        AppliquerCommandeJeu(partie_.p, CommandeJeu{});
        ++ticsNonGardes_;
        flux_.push_back(TexteCommandeJeu(CommandeJeu{}));
        Diffuser("jeu tic");
        if (flux_.size() >= lignesAvantInstantane_) Compacter();
        return;
    }
    Evenement(CommandeJeu{}, nullptr);
}

void HotePartie::Proposer(int equipe, Lien& lien, const CommandeJeu& commande) {
    if (proposition_) return lien.Envoyer(LigneErreur(TextesReseau::PropositionEnCours));
    Lien* autre = sieges_[equipe ^ 1].lien;
    if (!autre) return lien.Envoyer(LigneErreur(TextesReseau::AdversaireAbsent));
    proposition_ = Proposition{equipe, commande};
    autre->Envoyer("proposition " + TexteCommandeJeu(commande));
    lien.Envoyer("ok");
}

void HotePartie::Repondre(int equipe, Lien& lien, bool accepte) {
    if (!proposition_ || proposition_->equipe == equipe)
        return lien.Envoyer(LigneErreur(TextesReseau::AucuneProposition));
    const Proposition proposition = *proposition_;
    proposition_.reset();
    Lien* auteur = sieges_[proposition.equipe].lien;
    if (accepte && Evenement(proposition.commande, nullptr) == Issue::NonGarde) {
        if (auteur) auteur->Envoyer("reponse annulee");
        return lien.Envoyer(LigneErreur(TextesReseau::Stockage));
    }
    if (auteur) auteur->Envoyer(accepte ? "reponse acceptee" : "reponse refusee");
    lien.Envoyer("ok");
}
