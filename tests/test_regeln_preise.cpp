// Prices, upgrade prices and targets, and the purchase onto the table with its bookkeeping.
#include <gtest/gtest.h>

#include "model/stapel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

// Card numbers used below.
enum : int32_t {
    Holzfaeller = 1,
    Goldgraeber = 2,
    Schaefer = 3,
    Zar = 6,
    Schenke_ = 7,
    Lagerhaus_ = 8,
    Dorf = 9,
    Markt = 10,
    Sternwarte_ = 11,
    Zollhaus = 12,
    Feuerwehr = 13,
    Schreiber = 18,
    Richter = 23,
    Schreinerei = 25,
    Goldschmiede = 26,
    Weberei = 27,
    Hofoper = 30,
    Bank = 31,
    Lindenhof = 32,
    Kunsthalle = 38,
    Abt = 40,
};

tKartenRef K(int32_t inx) {
    return KarteInx(inx);
}

class Preise : public Stellung {};
class Upgrades : public Stellung {};
class Kauf : public Stellung {};

} // namespace

TEST_F(Preise, UntereReiheUndKartenGleicherNummer) {
    EXPECT_EQ(KostenKarte(g, 1, K(Markt), 1), 5);
    EXPECT_EQ(KostenKarte(g, 1, K(Markt), 2), 4);
    LegeAufTisch(g, 1, {Markt, Markt});
    EXPECT_EQ(KostenKarte(g, 1, K(Markt), 1), 3);
    EXPECT_EQ(KostenKarte(g, 1, K(Markt), 2), 2);
    EXPECT_EQ(KostenKarte(g, 1, K(Zollhaus), 1), 8);
    EXPECT_EQ(KostenKarte(g, 2, K(Markt), 1), 5); // another seat's table does not count

    // A used observatory still makes the next one cheaper.
    LegeAufTisch(g, 2, {Sternwarte_});
    g.Sp(2).Karten[2].Karten[1].Farbe += Benutzt;
    EXPECT_EQ(KostenKarte(g, 2, K(Sternwarte_), 1), 5);

    // Upgrades of the same number count too.
    LegeAufTisch(g, 3, {Weberei});
    EXPECT_EQ(KostenKarte(g, 3, K(Weberei), 1), 7);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Preise, MinusBlauUndMinusRotAuchFuerUpgrades) {
    LegeAufTisch(g, 1, {Schreinerei});
    EXPECT_EQ(KostenKarte(g, 1, K(Markt), 1), 4);
    EXPECT_EQ(KostenKarte(g, 1, K(Hofoper), 1), 9);
    EXPECT_EQ(KostenKarte(g, 1, K(Schreiber), 1), 4);
    EXPECT_EQ(KostenKarte(g, 1, K(Holzfaeller), 1), 3);
    EXPECT_EQ(KostenKarte(g, 1, K(Abt), 1), 6);

    LegeAufTisch(g, 2, {Goldschmiede});
    EXPECT_EQ(KostenKarte(g, 2, K(Schreiber), 1), 3);
    EXPECT_EQ(KostenKarte(g, 2, K(Abt), 2), 4);
    EXPECT_EQ(KostenKarte(g, 2, K(Markt), 1), 5);

    // 5 + 1 - 2 (lower row) - 1 (one on the table) - 1 (MinusBlau) = 2
    LegeAufTisch(g, 1, {Markt});
    EXPECT_EQ(KostenKarte(g, 1, K(Markt), 2), 2);

    // Discounts beyond the price leave 1, never 0 or less.
    LegeAufTisch(g, 1, {Schenke_, Schenke_});
    EXPECT_EQ(KostenKarte(g, 1, K(Schenke_), 2), 1);
    EXPECT_EQ(KostenKarte(g, 1, K(Schenke_), 1), 1);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Preise, LeereOderBenutzteReferenzKostet999MitEinemFehler) {
    EXPECT_EQ(KostenKarte(g, 1, tKartenRef{}, 1), 999);
    EXPECT_EQ(g.AnzahlFehler, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure KostenKarte"), 1);
    EXPECT_EQ(KostenKarte(g, 1, tKartenRef{1002, 5}, 2), 999);
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST_F(Upgrades, PreisUeberZaehltSechsUndUeberTeurenKarten) {
    LegeAufTisch(g, 1, {Schenke_, Dorf, Feuerwehr});
    ASSERT_EQ(KostenKarte(g, 1, K(Hofoper), 1), 10);
    EXPECT_EQ(UpgradePreis(g, 1, K(Hofoper), K(Dorf), 1), 4); // max(10 - 2, 1) - 4
    EXPECT_EQ(UpgradePreis(g, 1, K(Hofoper), K(Feuerwehr), 1), 1);
    EXPECT_EQ(UpgradePreis(g, 1, K(Hofoper), K(Schenke_), 1), 9);
    EXPECT_EQ(UpgradePreis(g, 1, K(Hofoper), K(Dorf), 2), 3);
    EXPECT_EQ(UpgradePreis(g, 1, K(Bank), K(Dorf), 1), 7);

    // With enough discounts the card that counts six still leaves a price of 1.
    LegeAufTisch(g, 2, {Schreinerei, Dorf, Hofoper, Hofoper, Hofoper});
    ASSERT_EQ(KostenKarte(g, 2, K(Hofoper), 2), 5);
    EXPECT_EQ(UpgradePreis(g, 2, K(Hofoper), K(Dorf), 2), 1);
}

TEST_F(Upgrades, KaufUeberDasDorfMitSpurzeile) {
    LegeAufTisch(g, 1, {Schreinerei, Schenke_, Dorf, Lindenhof, Lindenhof});
    g.Sp(1).Geld = 20;
    g.S.Auslage[2].Anzahl = 1;
    g.S.Auslage[2].Karten[8] = K(Lindenhof);
    const int32_t ablage = g.S.AblageAnzahl;

    tKartenRef u = ZieheKarteAuslage(g, 2, 8);
    ASSERT_TRUE(AktiviereFreienTischplatz(g, 1, u, 2));
    EXPECT_TRUE(g.MarkierteTischplaetze[3]);
    EXPECT_TRUE(g.MarkierteTischplaetze[2]); // the pub is a target as well
    LegeBezahleSpielerkarteTisch(g, 1, 3, 2, u);

    EXPECT_EQ(LetzteZeile(), "Spieler 1 kauft Erw.-Karte (Index 32 , Farbe 2-erw , Lindenhof) für 4 Geld auf "
                             "Position 3; Abwurf der Karte (Index 9 , Farbe 2 , Potjemkinsches Dorf)");
    const TSpieler& sp = g.Sp(1);
    EXPECT_EQ(sp.Geld, 16);
    ASSERT_EQ(sp.Karten[2].Anzahl, 4);
    EXPECT_EQ(sp.Karten[2].Karten[1], K(Schenke_));
    for (int i = 2; i <= 4; ++i) EXPECT_EQ(sp.Karten[2].Karten[i], K(Lindenhof)) << i;
    EXPECT_EQ(sp.Sondereigenschaften, MinusBlau | Schenke);
    EXPECT_EQ(sp.LetzteAktion, AktionKauf);
    EXPECT_EQ(sp.LetzteKarte, K(Lindenhof));
    EXPECT_EQ(g.S.AblageAnzahl, ablage + 1);
    EXPECT_EQ(g.S.AnzahlPassen, 0);
    EXPECT_EQ(g.AktionenImZug, 1);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Upgrades, BenutzteTischkarteIstNieZiel) {
    LegeAufTisch(g, 1, {Holzfaeller, Markt, Sternwarte_});
    g.Sp(1).Karten[2].Karten[2].Farbe += Benutzt; // position 3
    g.Sp(1).Geld = 50;

    ASSERT_TRUE(AktiviereFreienTischplatz(g, 1, K(Hofoper), 1));
    EXPECT_TRUE(g.MarkierteTischplaetze[2]);
    EXPECT_FALSE(g.MarkierteTischplaetze[3]);
    EXPECT_FALSE(g.MarkierteTischplaetze[1]);
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
    for (uint8_t& m : g.MarkierteTischplaetze) m = 0;
    EXPECT_FALSE(KannKarteKaufen(g, 2, K(Hofoper)));
    EXPECT_FALSE(AktiviereFreienTischplatz(g, 2, K(Hofoper), 1));
    EXPECT_FALSE(g.MarkierteTischplaetze[1]);
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

TEST_F(Upgrades, ZieleWerdenUeberAlleListenNummeriert) {
    LegeAufTisch(g, 1, {Holzfaeller, Goldgraeber, Zar, Markt, Schreiber, Richter});
    g.Sp(1).Geld = 100;
    auto markiert = [&]() {
        std::vector<int> v;
        for (int p = 1; p <= MaxTischpositionen; ++p)
            if (g.MarkierteTischplaetze[p]) v.push_back(p);
        for (uint8_t& m : g.MarkierteTischplaetze) m = 0;
        return v;
    };
    EXPECT_TRUE(AktiviereFreienTischplatz(g, 1, K(Schreinerei), 1));
    EXPECT_EQ(markiert(), (std::vector<int>{1, 3}));
    EXPECT_TRUE(AktiviereFreienTischplatz(g, 1, K(Goldschmiede), 1));
    EXPECT_EQ(markiert(), (std::vector<int>{2, 3}));
    EXPECT_TRUE(AktiviereFreienTischplatz(g, 1, K(Abt), 2));
    EXPECT_EQ(markiert(), (std::vector<int>{5, 6}));
    EXPECT_TRUE(AktiviereFreienTischplatz(g, 1, K(Markt), 2));
    EXPECT_EQ(markiert(), (std::vector<int>{7}));
    // Only the targets within the money: Abt over Schreiber costs 2, over Richter 1.
    g.Sp(1).Geld = 1;
    EXPECT_TRUE(AktiviereFreienTischplatz(g, 1, K(Abt), 1));
    EXPECT_EQ(markiert(), (std::vector<int>{6}));
    g.Sp(1).Geld = 3; // the market costs 4 with one on the table
    EXPECT_FALSE(AktiviereFreienTischplatz(g, 1, K(Markt), 1));
    EXPECT_TRUE(markiert().empty());
}

TEST_F(Kauf, PreisUeberDemGeldNimmtAllesGeld) {
    g.Sp(1).Geld = 3;
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, K(Markt));
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure LegeBezahleSpielerkarteTisch"), 1);
    EXPECT_EQ(g.Sp(1).Geld, 0);
    EXPECT_EQ(g.Sp(1).Karten[2].Anzahl, 1);
    EXPECT_EQ(LetzteZeile(), "Spieler 1 kauft (Index 10 , Farbe 2 , Markt) für 3 Geld auf Position 1");

    g.Sp(2).Geld = 2;
    LegeAufTisch(g, 2, {Schenke_});
    LegeBezahleSpielerkarteTisch(g, 2, 1, 1, K(Bank));
    EXPECT_EQ(ZeilenMit("Internal Fault 2 in Procedure LegeBezahleSpielerkarteTisch"), 1);
    EXPECT_EQ(g.Sp(2).Geld, 0);
    EXPECT_EQ(g.Sp(2).Karten[2].Karten[1], K(Bank));
    EXPECT_EQ(g.AnzahlFehler, 2);
}

// The price counts every copy on the table, used ones too; the card goes before the first card
// of a higher number, used or not, even where the list is out of order behind it.
TEST_F(Kauf, PreisUndPlatzEinerNeuenKarte) {
    TSpieler& sp = g.Sp(1);
    sp.Geld = 100;
    LegeAufTisch(g, 1, {Dorf, Markt, Sternwarte_, Zollhaus});
    sp.Karten[2].Karten[2].Farbe += Benutzt; // the Markt
    sp.Karten[2].Karten[3].Farbe += Benutzt; // the observatory
    const uint32_t vorher = g.ListenStand[1][2];
    LegeBezahleSpielerkarteTisch(g, 1, 5, 1, K(Markt));
    EXPECT_EQ(sp.Geld, 96);
    const TKartenliste& l = sp.Karten[2];
    ASSERT_EQ(l.Anzahl, 5);
    const int32_t erwartet[6] = {0, Dorf, Markt, Markt, Sternwarte_, Zollhaus};
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(g.Daten(l.Karten[i]).Inx, erwartet[i]) << i;
    EXPECT_EQ(l.Karten[3], K(Markt)); // the new card, unmarked, behind the used copy
    const Spielsitzung::TListenAenderung& e = g.LetzteListenAenderung[1][2];
    EXPECT_EQ(e.art, Spielsitzung::Eingefuegt);
    EXPECT_EQ(e.index, 3);
    EXPECT_EQ(e.vorher, vorher);
    EXPECT_EQ(e.nachher, g.ListenStand[1][2]);

    // Highest number: last. Out of order: before the first higher one.
    g.Sp(2).Geld = 100;
    LegeAufTisch(g, 2, {Zollhaus, Dorf});
    LegeBezahleSpielerkarteTisch(g, 2, 3, 2, K(Feuerwehr));
    LegeBezahleSpielerkarteTisch(g, 2, 4, 1, K(Markt));
    const TKartenliste& m = g.S.Spieler[2].Karten[2];
    ASSERT_EQ(m.Anzahl, 4);
    const int32_t folge[5] = {0, Markt, Zollhaus, Dorf, Feuerwehr};
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(g.Daten(m.Karten[i]).Inx, folge[i]) << i;
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Kauf, FaehigkeitenBeimErsetzen) {
    // One of two pubs replaced: the ability stays; the second one replaced: it goes.
    TSpieler& sp = g.Sp(1);
    sp.Geld = 100;
    LegeAufTisch(g, 1, {Schenke_, Schenke_, Markt});
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, K(Bank));
    EXPECT_EQ(sp.AnzahlSchenken, 1);
    EXPECT_TRUE(sp.Sondereigenschaften & Schenke);
    EXPECT_TRUE(g.S.KannSchenkeNutzen(1));
    ASSERT_EQ(sp.Karten[2].Karten[1], K(Schenke_));
    LegeBezahleSpielerkarteTisch(g, 1, 1, 1, K(Lindenhof));
    EXPECT_EQ(sp.AnzahlSchenken, 0);
    EXPECT_FALSE(sp.Sondereigenschaften & Schenke);
    EXPECT_FALSE(g.S.KannSchenkeNutzen(1));

    // The same for the two observatories.
    TSpieler& s2 = g.Sp(2);
    s2.Geld = 100;
    LegeAufTisch(g, 2, {Sternwarte_, Sternwarte_});
    LegeBezahleSpielerkarteTisch(g, 2, 2, 1, K(Bank));
    EXPECT_EQ(s2.AnzahlSternwarten, 1);
    EXPECT_EQ(s2.Sondereigenschaften, Sternwarte);
    LegeBezahleSpielerkarteTisch(g, 2, 1, 1, K(Lindenhof));
    EXPECT_EQ(s2.AnzahlSternwarten, 0);
    EXPECT_EQ(s2.Sondereigenschaften, 0);

    // The warehouse replaced: the limit falls back to 3, the four cards held stay.
    TSpieler& s3 = g.Sp(3);
    s3.Geld = 100;
    LegeAufTisch(g, 3, {Lagerhaus_});
    LegeInHand(g, 3, {Holzfaeller, Holzfaeller, Markt});
    EXPECT_TRUE(KannHandkarteAufnehmen(g, 3));
    EXPECT_TRUE(NimmKarteAufHand(g, 3, K(Schreiber)));
    EXPECT_FALSE(KannHandkarteAufnehmen(g, 3));
    LegeBezahleSpielerkarteTisch(g, 3, 1, 1, K(Hofoper));
    EXPECT_EQ(s3.Sondereigenschaften, GeldProRot);
    EXPECT_EQ(s3.Hand().Anzahl, 4);
    EXPECT_EQ(s3.Hand().Karten[4], K(Schreiber));
    EXPECT_FALSE(KannHandkarteAufnehmen(g, 3));
    EXPECT_EQ(FreieHandplaetze(g, 3), 0);
    EXPECT_FALSE(NimmKarteAufHand(g, 3, K(Markt)));
    ZieheKarteHand(g, 3, 1);
    EXPECT_FALSE(KannHandkarteAufnehmen(g, 3)); // 3 cards without the warehouse
    ZieheKarteHand(g, 3, 1);
    EXPECT_TRUE(KannHandkarteAufnehmen(g, 3));
    EXPECT_EQ(FreieHandplaetze(g, 3), 1);

    // The card that counts six goes with its bit; bits of other cards stay; the upgrade's come.
    TSpieler& s4 = g.Sp(4);
    s4.Geld = 100;
    LegeAufTisch(g, 4, {Holzfaeller, Dorf});
    LegeBezahleSpielerkarteTisch(g, 4, 1, 1, K(Schreinerei));
    EXPECT_EQ(s4.Sondereigenschaften, ZaehltSechs | MinusBlau);
    LegeBezahleSpielerkarteTisch(g, 4, 2, 1, K(Kunsthalle));
    EXPECT_EQ(s4.Sondereigenschaften, MinusBlau);
    EXPECT_EQ(g.S.AblageAnzahl, 7);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Kauf, PositionsangabeZeigtSichNurInDerSpur) {
    LegeAufTisch(g, 1,
                 {Holzfaeller, Holzfaeller, Goldgraeber, Schaefer, Schenke_, Markt, Zollhaus, Schreiber,
                  Schreiber, Richter});
    g.Sp(1).Geld = 20;
    const TSpieler vorher = g.Sp(1);
    LegeBezahleSpielerkarteTisch(g, 1, 3, 1, K(Markt));
    EXPECT_EQ(LetzteZeile(), "Spieler 1 kauft (Index 10 , Farbe 2 , Markt) für 4 Geld auf Position 3");
    const TSpieler& sp = g.Sp(1);
    EXPECT_EQ(std::memcmp(&sp.Karten[1], &vorher.Karten[1], sizeof sp.Karten[1]), 0);
    EXPECT_EQ(std::memcmp(&sp.Karten[3], &vorher.Karten[3], sizeof sp.Karten[3]), 0);
    ASSERT_EQ(sp.Karten[2].Anzahl, 4);
    EXPECT_EQ(sp.Karten[2].Karten[1], K(Schenke_));
    EXPECT_EQ(sp.Karten[2].Karten[2], K(Markt));
    EXPECT_EQ(sp.Karten[2].Karten[3], K(Markt));
    EXPECT_EQ(sp.Karten[2].Karten[4], K(Zollhaus));
    EXPECT_EQ(sp.Geld, 16);
    EXPECT_EQ(sp.LetzteAktion, AktionKauf);
    EXPECT_EQ(sp.LetzteKarte, K(Markt));

    // A card of a number already on the table goes behind those cards.
    LegeAufTisch(g, 2, {Sternwarte_, Zollhaus});
    g.Sp(2).Karten[2].Karten[1].Farbe += Benutzt;
    g.Sp(2).Geld = 20;
    LegeBezahleSpielerkarteTisch(g, 2, 3, 1, K(Sternwarte_));
    const TKartenliste& blau = g.Sp(2).Karten[2];
    EXPECT_EQ(blau.Karten[1], (tKartenRef{1002, 5}));
    EXPECT_EQ(blau.Karten[2], (tKartenRef{2, 5}));
    EXPECT_EQ(blau.Karten[3], K(Zollhaus));

    // An upgrade taking the first slot moves behind the upgrades with lower numbers.
    LegeAufTisch(g, 3, {Schenke_, Markt, Bank, Kunsthalle});
    g.Sp(3).Geld = 20;
    LegeBezahleSpielerkarteTisch(g, 3, 1, 1, K(Lindenhof));
    const TKartenliste& b3 = g.Sp(3).Karten[2];
    EXPECT_EQ(b3.Karten[1], K(Markt));
    EXPECT_EQ(b3.Karten[2], K(Bank));
    EXPECT_EQ(b3.Karten[3], K(Lindenhof));
    EXPECT_EQ(b3.Karten[4], K(Kunsthalle));
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
    EXPECT_TRUE(AktiviereFreienTischplatzErwSW(g, 1, K(Bank)));
    EXPECT_TRUE(g.MarkierteTischplaetze[2] && g.MarkierteTischplaetze[3]);
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
