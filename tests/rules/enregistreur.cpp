// Test helpers: a fresh game with a recording window.
#include "enregistreur.h"

PartieDeTest::PartieDeTest() {
    vue.SurMessage = [this](const std::string& texte, const std::string& titre, Icone icone) {
        boites.push_back({texte, titre, icone});
    };
}

void PartieDeTest::Clic(int colonne, int ligne) {
    DrawGridPlateauDblClick(p, position(colonne, ligne));
}

void PartieDeTest::PlacerTous() {
    int rang[2] = {joueurs[0].NbPionsPlaces, joueurs[1].NbPionsPlaces};
    for (int garde = 0; j->Action == acPlacement && garde < 20; ++garde) {
        const int t = j->JoueurCourant;
        // Bleus fill row 2 then 3, Rouges row 8 then 7, from column 0.
        const int n = rang[t]++;
        const int ligne = t == Bleus ? 2 + n / 9 : 8 - n / 9;
        Clic(n % 9, ligne);
    }
}

int PartieDeTest::TicsJusquALArret(int limite) {
    int n = 0;
    const std::size_t avant = boites.size();
    while (vue.Horloge && boites.size() == avant && n < limite) {
        TimerTempsTimer(p);
        ++n;
    }
    return n;
}

void PoserPlateau(jeu& j, int pc, int pl, const std::vector<std::pair<position, int>>& pions) {
    j.Cases.fill(CaseVide);
    j.ColonnePalet = pc;
    j.LignePalet = pl;
    j.Case(pc, pl) = CasePalet;
    for (const auto& [cellule, equipe] : pions)
        j.Case(cellule.Colonne, cellule.Ligne) = static_cast<std::uint8_t>(equipe + 1);
}
