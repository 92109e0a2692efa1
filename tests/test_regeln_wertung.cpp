// Phase scoring, the final scoring and the ranking.
#include <gtest/gtest.h>

#include "rules/wertung.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

class Wertungen : public Stellung {};

} // namespace

TEST_F(Wertungen, EinkommenJeFarbe) {
    LegeAufTisch(g, 1, {1, 1, 1, 1, 1});
    EXPECT_EQ(EinkommenGeld(g, 1, 1), 15);
    EXPECT_EQ(EinkommenPunkte(g, 1, 1), 0);

    // Hofoper: 1 money per red card, itself nothing; the market adds its point.
    LegeAufTisch(g, 2, {10, 30, 18, 18, 19, 23});
    EXPECT_EQ(EinkommenGeld(g, 2, 2), 4);
    EXPECT_EQ(EinkommenPunkte(g, 2, 2), 1);
    EXPECT_EQ(EinkommenGeld(g, 3, 2), 1 + 1 + 2 + 5);
    EXPECT_EQ(EinkommenPunkte(g, 3, 2), 2);

    // Steuereintreiber: 1 money per green card, workers and green upgrades alike.
    LegeAufTisch(g, 3, {1, 2, 3, 4, 5, 27, 18, 46});
    EXPECT_EQ(EinkommenGeld(g, 3, 3), 1 + 6);
    EXPECT_EQ(EinkommenGeld(g, 2, 3), 0);
    EXPECT_EQ(EinkommenGeld(g, 1, 3), 3 * 5 + 6);

    // A used observatory scores nothing until its mark is gone.
    LegeAufTisch(g, 4, {10, 11, 11});
    EXPECT_EQ(EinkommenPunkte(g, 2, 4), 3);
    g.Sp(4).Karten[2].Karten[3].Farbe += Benutzt;
    EXPECT_EQ(EinkommenPunkte(g, 2, 4), 2);

    for (int p = 1; p <= 3; ++p) EXPECT_EQ(EinkommenGeld(g, 4, p), 0);
    EXPECT_EQ(EinkommenPunkte(g, 4, 2), 0);
}

TEST_F(Wertungen, PhasenwertungSchreibtEineZeileJeSitz) {
    LegeAufTisch(g, 1, {1, 1});
    LegeAufTisch(g, 2, {30, 18, 18});
    g.Sp(1).Geld = 4;
    g.Sp(2).Siegpunkte = 3;
    Wertung(g, 1);
    Wertung(g, 2);
    const std::vector<std::string> erwartet = {
        "Wertung Spieler 1: Geld = (6,10)  -  Siegpunkte = (0,0)",
        "Wertung Spieler 2: Geld = (0,0)  -  Siegpunkte = (0,3)",
        "Wertung Spieler 3: Geld = (0,0)  -  Siegpunkte = (0,0)",
        "Wertung Spieler 4: Geld = (0,0)  -  Siegpunkte = (0,0)",
        "Wertung Spieler 1: Geld = (0,10)  -  Siegpunkte = (0,0)",
        "Wertung Spieler 2: Geld = (2,2)  -  Siegpunkte = (0,3)",
        "Wertung Spieler 3: Geld = (0,0)  -  Siegpunkte = (0,0)",
        "Wertung Spieler 4: Geld = (0,0)  -  Siegpunkte = (0,0)",
    };
    EXPECT_EQ(g.Log.Zeilen(), erwartet);

    // The upgrade phase of an ordinary round pays nothing but is still traced.
    g.Log.Leeren();
    LegeInHand(g, 1, {1, 2});
    const TSpielstand vorher = g.S;
    Wertung(g, 4);
    EXPECT_TRUE(Unveraendert(vorher));
    ASSERT_EQ(g.Log.Zeilen().size(), 4u);
    EXPECT_EQ(g.Log.Zeilen()[0], "Wertung Spieler 1: Geld = (0,10)  -  Siegpunkte = (0,0)");

    // Only the seats that take part are scored.
    Aufbauen(2);
    Wertung(g, 3);
    EXPECT_EQ(g.Log.Zeilen().size(), 2u);
}

TEST_F(Wertungen, Adelsbonus) {
    LegeAufTisch(g, 1, {18, 18, 23, 40});
    TAdelsbonus a = Adelsbonus(g, 1);
    EXPECT_EQ(a.arten, 3);
    EXPECT_EQ(a.bonus, 6);

    LegeAufTisch(g, 2, {18, 19, 20, 21, 22, 23, 24, 40, 41, 42, 43, 44});
    EXPECT_EQ(Adelsbonus(g, 2).arten, 12);
    EXPECT_EQ(Adelsbonus(g, 2).bonus, 55);
    g.S.AdelsbonusErweitert = 1;
    EXPECT_EQ(Adelsbonus(g, 2).bonus, 75);
    LegeAufTisch(g, 2, {45, 46, 47, 48, 49});
    EXPECT_EQ(Adelsbonus(g, 2).arten, 17);
    EXPECT_EQ(Adelsbonus(g, 2).bonus, 125);
    g.S.AdelsbonusErweitert = 0;
    EXPECT_EQ(Adelsbonus(g, 2).bonus, 55);

    const int32_t standard[11] = {0, 1, 3, 6, 10, 15, 21, 28, 36, 45, 55};
    for (int n = 0; n <= 10; ++n) {
        EXPECT_EQ(AdelsbonusTabelle(n, false), standard[n]) << n;
        EXPECT_EQ(AdelsbonusTabelle(n, true), standard[n]) << n;
    }
    EXPECT_EQ(AdelsbonusTabelle(11, true), 65);
    EXPECT_EQ(AdelsbonusTabelle(31, true), 265);
    EXPECT_EQ(AdelsbonusTabelle(31, false), 55);

    // With the hand: red cards and red upgrades count, other colours do not.
    LegeInHand(g, 1, {19, 18, 49, 10});
    EXPECT_EQ(Adelsbonus(g, 1).arten, 3);
    EXPECT_EQ(AdelsbonusMitHand(g, 1).arten, 5);
    EXPECT_EQ(AdelsbonusMitHand(g, 1).bonus, 15);
}

TEST_F(Wertungen, Schlusswertung) {
    g.S.StapelLeer = 1;
    g.Sp(1).Geld = 47;
    g.Sp(2).Siegpunkte = 3;
    g.Sp(2).Geld = 9;
    LegeInHand(g, 2, {1, 10});
    LegeAufTisch(g, 3, {18, 18, 23, 40});
    g.Sp(3).Siegpunkte = 10;
    g.Sp(3).Geld = 25;
    LegeInHand(g, 3, {2});
    g.Sp(4).Siegpunkte = 2;

    // The red scoring is no final scoring even with StapelLeer set; seat 3 gets 8 money, 3 points.
    Wertung(g, 3);
    EXPECT_EQ(g.Sp(1).Siegpunkte, 0);
    EXPECT_EQ(g.Sp(3).Geld, 33);
    g.Log.Leeren();

    Wertung(g, 4);
    const std::vector<std::string> erwartet = {
        "Wertung Spieler 1: Geld = (0,47)  -  Siegpunkte = (4,4)",
        "Wertung Spieler 2: Geld = (0,9)  -  Siegpunkte = (-10,0)",
        "Wertung Spieler 3: Geld = (0,33)  -  Siegpunkte = (4,17)", // 6 bonus + 3 money - 5 hand
        "Wertung Spieler 4: Geld = (0,0)  -  Siegpunkte = (0,2)",
    };
    EXPECT_EQ(g.Log.Zeilen(), erwartet);
    EXPECT_EQ(g.Sp(1).Geld, 47);
    EXPECT_EQ(g.Sp(2).Siegpunkte, 0);
    EXPECT_EQ(g.Sp(2).Hand().Anzahl, 2);
    EXPECT_EQ(g.Sp(3).Geld, 33);

    g.S.StapelLeer = 0;
    g.Log.Leeren();
    Wertung(g, 4);
    EXPECT_EQ(g.Log.Zeilen()[0], "Wertung Spieler 1: Geld = (0,47)  -  Siegpunkte = (0,4)");
}

TEST_F(Wertungen, Rangfolge) {
    auto setze = [&](int s, int32_t sp, int32_t geld) {
        g.Sp(s).Siegpunkte = sp;
        g.Sp(s).Geld = geld;
    };
    setze(1, 40, 12);
    setze(2, 40, 15);
    setze(3, 41, 0);
    setze(4, 0, 999);
    BerechnePlatz(g);
    EXPECT_EQ(g.Platz[3], 1);
    EXPECT_EQ(g.Platz[2], 2);
    EXPECT_EQ(g.Platz[1], 3);
    EXPECT_EQ(g.Platz[4], 4);

    setze(2, 40, 12);
    setze(3, 40, 12);
    setze(4, 40, 12);
    BerechnePlatz(g);
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(g.Platz[s], s);

    setze(1, 0, 0);
    setze(4, 50, 0);
    BerechnePlatz(g);
    EXPECT_EQ(g.Platz[4], 1);
    EXPECT_EQ(g.Platz[2], 2);
    EXPECT_EQ(g.Platz[3], 3);
    EXPECT_EQ(g.Platz[1], 4);

    Aufbauen(3);
    setze(1, 5, 0);
    setze(2, 5, 1);
    setze(3, 5, 0);
    BerechnePlatz(g);
    EXPECT_EQ(g.Platz[2], 1);
    EXPECT_EQ(g.Platz[1], 2);
    EXPECT_EQ(g.Platz[3], 3);
    EXPECT_EQ(g.Platz[4], 0);
}
