// The limits per connection and per address, with the time given by the test.
#include <gtest/gtest.h>

#include "reseau/limites.h"
#include "reseau/protocole.h"

namespace {

TEST(Seau, UneRafalePuisLeDebit) {
    Seau seau(2, 3);
    for (int n = 0; n < 3; ++n) EXPECT_TRUE(seau.Prendre(0)) << n;
    EXPECT_FALSE(seau.Prendre(0));
    // Two a second: one more after half a second, not before.
    EXPECT_FALSE(seau.Prendre(400));
    EXPECT_TRUE(seau.Prendre(500));
    EXPECT_FALSE(seau.Prendre(500));
    EXPECT_TRUE(seau.Plein(2000));
}

TEST(Adresses, ConnexionsAUneFoisEtParSeconde) {
    ReglagesLimites reglages;
    reglages.connexionsParAdresse = 2;
    reglages.connexionsParSeconde = 1;
    reglages.rafaleConnexions = 3;
    Adresses adresses(reglages);
    EXPECT_EQ(adresses.Connecter("192.0.2.1", 0), nullptr);
    EXPECT_EQ(adresses.Connecter("192.0.2.1", 0), nullptr);
    EXPECT_STREQ(adresses.Connecter("192.0.2.1", 0), TextesReseau::TropDeConnexions);
    // Another address has its own count.
    EXPECT_EQ(adresses.Connecter("192.0.2.2", 0), nullptr);
    // A connection gone makes room, but the burst is spent until a second has passed.
    adresses.Liberer("192.0.2.1");
    EXPECT_STREQ(adresses.Connecter("192.0.2.1", 0), TextesReseau::TropDeConnexions);
    EXPECT_EQ(adresses.Connecter("192.0.2.1", 1000), nullptr);
}

TEST(Adresses, PartiesParAdresse) {
    ReglagesLimites reglages;
    reglages.partiesParAdresse = 1;
    Adresses adresses(reglages);
    EXPECT_EQ(adresses.Creer("192.0.2.1"), nullptr);
    EXPECT_STREQ(adresses.Creer("192.0.2.1"), TextesReseau::TropDeParties);
    adresses.Rendre("192.0.2.1");
    EXPECT_EQ(adresses.Creer("192.0.2.1"), nullptr);
}

// The table forgets an address only once nothing of it is left: neither connections, games,
// nor a spent burst.
TEST(Adresses, OublieSeulementCeQuiNeComptePlus) {
    ReglagesLimites reglages;
    reglages.connexionsParSeconde = 1;
    reglages.rafaleConnexions = 1;
    Adresses adresses(reglages);
    ASSERT_EQ(adresses.Connecter("192.0.2.1", 0), nullptr);
    adresses.Liberer("192.0.2.1");
    // Enough other connections, much later, for the table to be swept.
    for (int n = 0; n < 2048; ++n) {
        const std::string autre = "198.51.100." + std::to_string(n % 200);
        if (!adresses.Connecter(autre, 100000 + n)) adresses.Liberer(autre);
    }
    // The first address is gone; the 200 others, their bursts spent, are still there.
    EXPECT_EQ(adresses.Suivies(), 200U);
    // A spent burst is remembered while it refills.
    ASSERT_EQ(adresses.Connecter("203.0.113.9", 200000), nullptr);
    adresses.Liberer("203.0.113.9");
    EXPECT_STREQ(adresses.Connecter("203.0.113.9", 200000), TextesReseau::TropDeConnexions);
}

} // namespace
