// The limits' options.
#include "limites_options.h"

#include <array>

namespace {

using Reglages = Accueil::Reglages;

// One option: its name, its help (%1: the default), its range, and where it goes.
struct Limite {
    const char* nom;
    const char* aide;
    int min, max;
    int (*lire)(const Reglages&);
    void (*ecrire)(Reglages&, int);
};

// The bursts follow the rates: a client may catch up at once on what it did not send.
constexpr std::array<Limite, 8> Limites = {{
    {"lignes-par-seconde", "Commandes par seconde d'une connexion (%1), le triple d'un coup.", 1,
     100000, [](const Reglages& r) { return static_cast<int>(r.limites.lignesParSeconde); },
     [](Reglages& r, int n) {
         r.limites.lignesParSeconde = n;
         r.limites.rafaleLignes = 3.0 * n;
     }},
    {"connexions-par-adresse", "Connexions ouvertes à la fois par une adresse (%1).", 1, 1000000,
     [](const Reglages& r) { return r.limites.connexionsParAdresse; },
     [](Reglages& r, int n) { r.limites.connexionsParAdresse = n; }},
    {"connexions-par-seconde",
     "Nouvelles connexions par seconde d'une adresse (%1), six fois plus d'un coup.", 1, 1000000,
     [](const Reglages& r) { return static_cast<int>(r.limites.connexionsParSeconde); },
     [](Reglages& r, int n) {
         r.limites.connexionsParSeconde = n;
         r.limites.rafaleConnexions = 6.0 * n;
     }},
    {"parties-max", "Parties gardées en mémoire (%1).", 1, 10000000,
     [](const Reglages& r) { return r.limites.partiesMax; },
     [](Reglages& r, int n) { r.limites.partiesMax = n; }},
    {"parties-par-adresse", "Parties en cours créées depuis une même adresse (%1).", 1, 1000000,
     [](const Reglages& r) { return r.limites.partiesParAdresse; },
     [](Reglages& r, int n) { r.limites.partiesParAdresse = n; }},
    {"delai-bonjour", "Secondes laissées pour dire bonjour (%1).", 1, 3600,
     [](const Reglages& r) { return r.delaiBonjourMs / 1000; },
     [](Reglages& r, int n) { r.delaiBonjourMs = n * 1000; }},
    {"delai-ligne", "Secondes laissées pour finir une ligne commencée (%1).", 1, 3600,
     [](const Reglages& r) { return r.delaiLigneMs / 1000; },
     [](Reglages& r, int n) { r.delaiLigneMs = n * 1000; }},
    {"essais-max", "Codes ou jetons refusés avant qu'une connexion soit fermée (%1).", 1, 1000,
     [](const Reglages& r) { return r.essaisMax; }, [](Reglages& r, int n) { r.essaisMax = n; }},
}};

} // namespace

void DeclarerLimites(QCommandLineParser& lecteur) {
    const Reglages defaut;
    for (const Limite& l : Limites)
        lecteur.addOption(QCommandLineOption(QString::fromLatin1(l.nom),
                                             QString::fromUtf8(l.aide).arg(l.lire(defaut)),
                                             QStringLiteral("N")));
}

bool LireLimites(const QCommandLineParser& lecteur, Reglages& reglages, QString& erreur) {
    for (const Limite& l : Limites) {
        const QString nom = QString::fromLatin1(l.nom);
        if (!lecteur.isSet(nom)) continue;
        bool ok = false;
        const int n = lecteur.value(nom).toInt(&ok);
        if (!ok || n < l.min || n > l.max) {
            erreur = QStringLiteral("--%1 : %2 n'est pas un nombre de %3 à %4")
                         .arg(nom, lecteur.value(nom))
                         .arg(l.min)
                         .arg(l.max);
            return false;
        }
        l.ecrire(reglages, n);
    }
    return true;
}
