// Prices, upgrade prices and targets, and the purchase onto the table with its bookkeeping.
#include <gtest/gtest.h>

#include "control/fensterzustand.h"
#include "model/stapel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

tKartenRef K(int32_t inx) {
    return KarteInx(inx);
}

class Preise : public Stellung {};
class Upgrades : public Stellung {};
class Kauf : public Stellung {};

} // namespace

TEST_F(Preise, LeereOderBenutzteReferenzKostet999MitEinemFehler) {
    EXPECT_EQ(KostenKarte(g, 1, tKartenRef{}, 1), 999);
    EXPECT_EQ(g.AnzahlFehler, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure KostenKarte"), 1);
    EXPECT_EQ(KostenKarte(g, 1, tKartenRef{1002, 5}, 2), 999);
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST_F(Upgrades, BenutzteTischkarteIstNieZiel) {
    LegeAufTisch(g, 1, {Holzfaeller, Markt, Sternwarte_});
    g.Sp(1).Karten[2].Karten[2].Farbe += Benutzt; // position 3
    g.Sp(1).Geld = 50;
    TFensterZustand fenster(g);

    ASSERT_TRUE(AktiviereFreienTischplatz(g, 1, K(Hofoper), 1));
    EXPECT_TRUE(fenster.MarkierteTischplaetze[2]);
    EXPECT_FALSE(fenster.MarkierteTischplaetze[3]);
    EXPECT_FALSE(fenster.MarkierteTischplaetze[1]);
    EXPECT_TRUE(KannKarteKaufen(g, 1, K(Hofoper)));

    const TSpielstand vorher = g.S;
    LegeBezahleSpielerkarteTisch(g, 1, 3, 1, K(Hofoper));
    EXPECT_EQ(g.AnzahlFehler, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 3 in Procedure LegeBezahleSpielerkarteTisch"), 1);
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_EQ(g.AktionenImZug, 0);

    // Positions outside the blue list: the green card and beyond the last blue card.
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, K(Hofoper));
    LegeBezahleSpielerkarteTisch(g, 1, 4, 1, K(Hofoper));
    EXPECT_EQ(ZeilenMit("Internal Fault 3 in Procedure LegeBezahleSpielerkarteTisch"), 3);
    EXPECT_TRUE(Unveraendert(vorher));

    // Only the used observatory left: nothing is offered, without a fault.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Sternwarte_});
    g.Sp(2).Karten[2].Karten[1].Farbe += Benutzt;
    g.Sp(2).Geld = 50;
    fenster.Leeren();
    EXPECT_FALSE(KannKarteKaufen(g, 2, K(Hofoper)));
    EXPECT_FALSE(AktiviereFreienTischplatz(g, 2, K(Hofoper), 1));
    EXPECT_FALSE(fenster.IrgendeinAngebot());
    EXPECT_EQ(g.AnzahlFehler, 3);
}

TEST_F(Upgrades, KannKarteKaufen) {
    TSpieler& sp = g.Sp(1);
    sp.Geld = 5;
    EXPECT_TRUE(KannKarteKaufen(g, 1, K(Markt)));
    sp.Geld = 4;
    EXPECT_FALSE(KannKarteKaufen(g, 1, K(Markt)));

    // Upgrade: there must be a target, of its colour, within the money, at the upper-row price.
    LegeAufTisch(g, 1, {Holzfaeller, Markt});
    sp.Geld = 5; // Hofoper over the market: 10 - 5
    EXPECT_TRUE(KannKarteKaufen(g, 1, K(Hofoper)));
    sp.Geld = 4;
    EXPECT_FALSE(KannKarteKaufen(g, 1, K(Hofoper)));
    EXPECT_EQ(UpgradePreis(g, 1, K(Hofoper), K(Markt), 2), 4); // the lower row would do, but does not count
    sp.Geld = 100;
    EXPECT_FALSE(KannKarteKaufen(g, 1, K(Abt)));     // no aristocrat on the table
    EXPECT_FALSE(KannKarteKaufen(g, 1, K(Weberei))); // replaces Schäfer and Zar, not Holzfäller
    EXPECT_TRUE(KannKarteKaufen(g, 1, K(Schreinerei)));
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Kauf, SechsundfuenfzigstePositionNurInDerSimulation) {
    TSpieler& sp = g.Sp(1);
    for (int i = 0; i < 31; ++i) LegeAufTisch(g, 1, {Holzfaeller});
    for (int i = 0; i < 20; ++i) LegeAufTisch(g, 1, {Markt});
    LegeAufTisch(g, 1, {Schreiber, Schreiber, Schreiber, Schreiber});
    sp.Geld = 100;
    ASSERT_EQ(sp.Tischkarten(), 55);

    EXPECT_FALSE(AktiviereFreienTischplatz(g, 1, K(Richter), 1));
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure AktiviereFreienTischplatz - Zu viele Tischkarten"), 1);

    const TSpielstand vorher = g.S;
    LegeBezahleSpielerkarteTisch(g, 1, 56, 1, K(Richter));
    EXPECT_EQ(ZeilenMit("Internal Fault 5 in Procedure LegeBezahleSpielerkarteTisch: Zu viele Karten"), 1);
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_EQ(g.AnzahlFehler, 2);

    g.SimulationLaeuft = true;
    LegeBezahleSpielerkarteTisch(g, 1, 56, 1, K(Richter));
    EXPECT_EQ(g.AnzahlFehler, 2);
    EXPECT_EQ(sp.Karten[3].Anzahl, 5);
    EXPECT_EQ(sp.Karten[3].Karten[5], K(Richter));
    EXPECT_EQ(sp.Geld, 84);
    EXPECT_EQ(LetzteZeile(), "Spieler 1 kauft (Index 23 , Farbe 3 , Richter) für 16 Geld auf Position 56");
}

TEST_F(Kauf, KarteMitBenutztMarkeWirdAbgelehnt) {
    g.Sp(1).Geld = 50;
    const TSpielstand vorher = g.S;
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, tKartenRef{1002, 5});
    EXPECT_EQ(ZeilenMit("Internal Fault 4 in Procedure LegeBezahleSpielerkarteTisch"), 1);
    EXPECT_TRUE(Unveraendert(vorher));
}

// A list whose length went below 0 (a damaged state) takes no card: the purchase is refused
// with a fault before anything is written.
TEST_F(Kauf, ListeMitNegativerLaengeWirdNichtBeschrieben) {
    g.Sp(1).Geld = 50;
    g.Sp(1).Karten[2].Anzahl = -1;
    const TSpielstand vorher = g.S;
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, K(Markt));
    EXPECT_EQ(ZeilenMit("Internal Fault 5 in Procedure LegeBezahleSpielerkarteTisch: Zu viele Karten"), 1);
    EXPECT_TRUE(Unveraendert(vorher));
}

TEST_F(Kauf, SternwartenVarianten) {
    TSpieler& sp = g.Sp(1);
    sp.Geld = 8;
    LegeAufTisch(g, 1, {Holzfaeller, Markt});

    const TSpielstand vorher = g.S;
    EXPECT_FALSE(LegeBezahleSpielerkarteTischNormSW(g, 1, K(Hofoper)));
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure LegeBezahleSpielerkarteTischNormSW"), 1);
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_FALSE(LegeBezahleSpielerkarteTischNormSW(g, 1, K(Feuerwehr))); // 11 > 8: silently nothing
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_EQ(g.AnzahlFehler, 1);

    EXPECT_TRUE(LegeBezahleSpielerkarteTischNormSW(g, 1, K(Markt))); // upper-row price 4
    EXPECT_EQ(LetzteZeile(), "Spieler 1 kauft (Index 10 , Farbe 2 , Markt) für 4 Geld auf Position 3");
    EXPECT_EQ(sp.LetzteAktion, AktionSKauf);
    EXPECT_EQ(sp.Geld, 4);

    const TSpielstand vorher2 = g.S;
    LegeBezahleSpielerkarteTischErwSW(g, 1, 2, K(Markt));
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure LegeBezahleSpielerkarteTischErwSW"), 1);
    EXPECT_TRUE(Unveraendert(vorher2));

    EXPECT_FALSE(AktiviereFreienTischplatzErwSW(g, 1, K(Markt))); // a normal card: silently false
    EXPECT_EQ(g.AnzahlFehler, 2);
    EXPECT_FALSE(AktiviereFreienTischplatzErwSW(g, 1, K(Abt))); // no aristocrat to replace
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure AktiviereFreienTischplatzErwSW"), 1);

    sp.Geld = 8;
    TFensterZustand fenster(g);
    EXPECT_TRUE(AktiviereFreienTischplatzErwSW(g, 1, K(Bank)));
    EXPECT_TRUE(fenster.MarkierteTischplaetze[2] && fenster.MarkierteTischplaetze[3]);
    EXPECT_EQ(sp.LetzteAktion, AktionSKauf);
    EXPECT_EQ(sp.LetzteKarte, K(Bank));
    // 13 less 5 for the market replaced; no lower-row discount.
    LegeBezahleSpielerkarteTischErwSW(g, 1, 3, K(Bank));
    EXPECT_EQ(LetzteZeile(),
              "Spieler 1 kauft Erw.-Karte (Index 31 , Farbe 2-erw , Bank) für 8 Geld auf Position "
              "3; Abwurf der Karte (Index 10 , Farbe 2 , Markt)");
    EXPECT_EQ(sp.LetzteAktion, AktionSKauf);
    EXPECT_EQ(sp.Geld, 0);
    EXPECT_EQ(g.AnzahlFehler, 3);
}

TEST_F(Kauf, ZweiKartenaktionenInEinemZugSindEinFehler) {
    g.Sp(1).Geld = 50;
    g.Sp(2).Geld = 50;
    g.S.AktuellerSpieler = 1;
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, K(Markt));
    NimmKarteAufHand(g, 1, K(Zollhaus));
    EXPECT_EQ(g.AktionenImZug, 2);
    NaechsterSpieler(g);
    EXPECT_EQ(ZeilenMit("Internal Fault 2 in Procedure NaechsterSpieler"), 1);
    EXPECT_EQ(g.AktionenImZug, 0);
    EXPECT_EQ(g.S.AktuellerSpieler, 2);
    LegeBezahleSpielerkarteTisch(g, 2, 1, 1, K(Schenke_));
    NaechsterSpieler(g);
    EXPECT_EQ(g.AnzahlFehler, 1);
}
