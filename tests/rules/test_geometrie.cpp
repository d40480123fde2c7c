// Board geometry: zones, reach, paths, the puck-pawn's walk, its future cell and the goal test.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "rules/geometrie.h"

namespace {

TEST(Geometrie, IndexDeStockage) {
    EXPECT_EQ(jeu::Index(4, 5), 49);
    EXPECT_EQ(jeu::Index(8, 10), 98);
    EXPECT_EQ(jeu::Index(0, 10), 10);
}

TEST(Geometrie, FondCasesCompteLesZones) {
    const auto compter = [](int v) { return std::count(FondCases.begin(), FondCases.end(), v); };
    EXPECT_EQ(compter(0), 9);
    EXPECT_EQ(compter(1), 3);
    EXPECT_EQ(compter(2), 3);
    EXPECT_EQ(compter(3), 6);
    EXPECT_EQ(compter(4), 6);
    EXPECT_EQ(compter(-1), 99 - 27);
    EXPECT_EQ(FondCases[jeu::Index(3, 0)], 1);
    EXPECT_EQ(FondCases[jeu::Index(2, 0)], 3);
    EXPECT_EQ(FondCases[jeu::Index(5, 10)], 2);
    EXPECT_EQ(FondCases[jeu::Index(6, 10)], 4);
    EXPECT_EQ(FondCases[jeu::Index(0, 4)], -1);
}

TEST(Geometrie, ZonesParEquipe) {
    EXPECT_TRUE(DansCamp(Bleus, 1));
    EXPECT_TRUE(DansCamp(Bleus, 4));
    EXPECT_FALSE(DansCamp(Bleus, 5));
    EXPECT_FALSE(DansCamp(Bleus, 0));
    EXPECT_TRUE(DansCamp(Rouges, 6));
    EXPECT_TRUE(DansCamp(Rouges, 9));
    EXPECT_FALSE(DansCamp(Rouges, 10));
    EXPECT_TRUE(DansZoneAdverse(Bleus, 10));
    EXPECT_TRUE(DansZoneAdverse(Rouges, 0));
    EXPECT_TRUE(DansPropreBut(Bleus, 3, 0));
    EXPECT_FALSE(DansPropreBut(Bleus, 2, 0));
    EXPECT_TRUE(DansPropreBut(Rouges, 5, 10));
    EXPECT_FALSE(DansPropreBut(Rouges, 5, 0));
}

TEST(Geometrie, PorteeEtLigneDroite) {
    EXPECT_TRUE(DansPortee({3, 3}) && EnLigneDroite({3, 3}));
    EXPECT_TRUE(DansPortee({0, -3}) && EnLigneDroite({0, -3}));
    EXPECT_TRUE(DansPortee({-2, 2}) && EnLigneDroite({-2, 2}));
    EXPECT_TRUE(DansPortee({3, 2}));
    EXPECT_FALSE(EnLigneDroite({3, 2}));
    EXPECT_TRUE(EnLigneDroite({4, 0}));
    EXPECT_FALSE(DansPortee({4, 0}));
    EXPECT_EQ(Longueur({0, -3}), 3);
    EXPECT_EQ(Longueur({-2, 2}), 2);
}

TEST(Geometrie, TirEnArriereSelonLEquipe) {
    EXPECT_TRUE(TirEnArriere(Bleus, {0, -1}));
    EXPECT_FALSE(TirEnArriere(Bleus, {0, 2}));
    EXPECT_TRUE(TirEnArriere(Rouges, {1, 1}));
    EXPECT_FALSE(TirEnArriere(Rouges, {3, 0}));
    EXPECT_FALSE(TirEnArriere(Bleus, {-2, 0}));
}

TEST(Geometrie, TrajectoireLibreNExamineQueLesCasesEntreLesDeux) {
    auto j = std::make_unique<jeu>();
    j->Cases.fill(CaseVide);
    EXPECT_TRUE(TrajectoireLibre(*j, 4, 4, {0, 3}));
    j->Case(4, 6) = 2;
    EXPECT_FALSE(TrajectoireLibre(*j, 4, 4, {0, 3}));
    // The destination itself is not examined.
    EXPECT_TRUE(TrajectoireLibre(*j, 4, 4, {0, 2}));
    j->Case(3, 3) = 1;
    EXPECT_TRUE(TrajectoireLibre(*j, 2, 2, {1, 1}));
    j->Case(4, 5) = CasePalet;
    EXPECT_FALSE(TrajectoireLibre(*j, 4, 3, {0, 3}));
}

struct CasFutur {
    int pc, pl, sc, sl;
    int c, l, brute;
};

TEST(Geometrie, FuturEmplacementPalet) {
    const CasFutur cas[] = {
        {0, 5, 2, 5, 2, 5, 5},  {8, 3, 6, 1, 6, 5, 5}, {4, 9, 4, 7, 4, 7, 11},
        {4, 2, 4, 5, 4, 3, -1}, {1, 5, 3, 5, 1, 5, 5}, {4, 5, 3, 3, 5, 7, 7},
    };
    for (const CasFutur& k : cas) {
        const FuturPalet f = FuturEmplacementPalet(k.pc, k.pl, k.sc, k.sl);
        EXPECT_EQ(f.Colonne, k.c) << k.pc << "," << k.pl << " depuis " << k.sc << "," << k.sl;
        EXPECT_EQ(f.Ligne, k.l) << k.pc << "," << k.pl << " depuis " << k.sc << "," << k.sl;
        EXPECT_EQ(f.LigneBrute, k.brute);
    }
}

TEST(Geometrie, MarcheDuPaletAvecRebondSurLaLigneDeBut) {
    TrajectoirePalet marche{4, 8, 0, 3};
    EXPECT_FALSE(marche.Pas());
    EXPECT_EQ(marche.Colonne, 4);
    EXPECT_EQ(marche.Ligne, 9);
    EXPECT_TRUE(marche.Pas());
    EXPECT_EQ(marche.Ligne, 8);
    EXPECT_FALSE(marche.Pas());
    EXPECT_EQ(marche.Ligne, 7);
    const FuturPalet f = FuturEmplacementPalet(4, 8, 4, 5);
    EXPECT_EQ(f.Ligne, marche.Ligne);
}

TEST(Geometrie, MarcheDuPaletRebonditSurLesBords) {
    TrajectoirePalet marche{7, 2, 3, -3};
    marche.Pas();
    EXPECT_EQ(marche.Colonne, 8);
    EXPECT_EQ(marche.Ligne, 1);
    EXPECT_TRUE(marche.Pas());
    EXPECT_EQ(marche.Colonne, 7);
    EXPECT_EQ(marche.Ligne, 2);
    const FuturPalet f = FuturEmplacementPalet(7, 2, 4, 5);
    EXPECT_EQ(f.Colonne, 6);
    EXPECT_EQ(f.Ligne, 3);
    marche.Pas();
    EXPECT_EQ(marche.Colonne, f.Colonne);
    EXPECT_EQ(marche.Ligne, f.Ligne);
}

TEST(Geometrie, TirCadre) {
    EXPECT_TRUE(TirCadre(Bleus, 4, 6, 4, 8));
    EXPECT_TRUE(TirCadre(Bleus, 1, 6, 3, 8));
    EXPECT_FALSE(TirCadre(Bleus, 4, 8, 5, 9)); // on the post
    EXPECT_EQ(FuturEmplacementPalet(5, 9, 4, 8).Colonne, 6);
    EXPECT_EQ(FuturEmplacementPalet(5, 9, 4, 8).Ligne, 8);
    EXPECT_TRUE(TirCadre(Rouges, 4, 4, 4, 2));
    EXPECT_LE(FuturEmplacementPalet(4, 2, 4, 4).LigneBrute, 0);
    EXPECT_TRUE(TirCadre(Bleus, 4, 5, 4, 8));
    EXPECT_FALSE(TirCadre(Bleus, 2, 5, 2, 8));
}

} // namespace
