// The frame of the computer players: the move step, the pub decisions, the strategy switch and
// the playing-strength presets.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/spielstaerke.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

enum : int32_t {
    Holzfaeller = 1,
    Schenke_ = 7,
    Markt = 10,
    Zollhaus = 12,
    Feuerwehr = 13,
    Schreiber = 18,
    Verwalter = 19,
    Kontorist = 20,
    Sekretaer = 21,
    Steuereintreiber = 46,
};

class KiRahmen : public Stellung {
protected:
    void SetUp() override {
        Stellung::SetUp();
        InitStrategieparameter(g.Einstellungen);
    }
    // The undrawn cards of stack k, top first.
    void Stapel(int k, std::initializer_list<int32_t> karten) {
        TKartenstapel& st = g.S.Kartenstapel[k];
        st.Naechste = st.Anzahl - static_cast<int32_t>(karten.size()) + 1;
        int p = st.Naechste;
        for (int32_t x : karten) st.Karten[p++] = KarteInx(x);
    }
    void Auslage(std::initializer_list<int32_t> reihe1) {
        LeereAuslage(g);
        for (int32_t x : reihe1) g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(x);
    }
    // A seat with one pub and the given money.
    void Wirt(int sp, int32_t geld) {
        LegeAufTisch(g, sp, {Schenke_});
        g.Sp(sp).Geld = geld;
    }
    TStrategieEinstellung& E4() { return g.Einstellungen.Fuer(4); }
};

uint32_t NachZiehungen(uint32_t seed, int n) {
    TZufall z{seed};
    for (int i = 0; i < n; ++i) z.Random(100);
    return z.RandSeed;
}

} // namespace

// ---- the move step ----

TEST_F(KiRahmen, MenschAmZugOderSpielendeAendertNichts) {
    g.S.AktuellerSpieler = 1; // seat 1 is the human's
    Auslage({Holzfaeller});
    g.Sp(1).Geld = 10;
    TSpielstand vorher = g.S;
    CompiZug(g);
    EXPECT_TRUE(Unveraendert(vorher));

    g.S.AktuellerSpieler = 2;
    g.Sp(2).Geld = 10;
    g.S.Spielende = 1;
    vorher = g.S;
    CompiZug(g);
    EXPECT_TRUE(Unveraendert(vorher));
}

TEST_F(KiRahmen, Strategie1UndUnbekanntePassenUndRuecken) {
    Auslage({Holzfaeller});
    for (int32_t strategie : {1, 0, 16, 42, 98}) {
        E4().Strategie[2] = strategie;
        g.S.AktuellerSpieler = 2;
        g.S.AnzahlPassen = 0;
        g.Sp(2).Geld = 10;
        CompiZug(g);
        EXPECT_EQ(g.Sp(2).LetzteAktion, 3) << strategie;
        EXPECT_EQ(g.S.AnzahlPassen, 1) << strategie;
        EXPECT_EQ(g.S.AktuellerSpieler, 3) << strategie;
        EXPECT_EQ(g.S.Auslage[1].Anzahl, 1) << strategie;
        EXPECT_EQ(g.Sp(2).Geld, 10) << strategie;
    }
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRahmen, UngueltigePhaseMeldetFehlerDerStrategie) {
    const struct {
        int32_t strategie;
        const char* name;
    } faelle[] = {{2, "CompiBeginnStrat2"},   {3, "CompiBeginnStrat2"},   {4, "CompiBeginnStrat4"},
                  {5, "CompiBeginnStrat5"},   {99, "CompiBeginnStrat4"},  {6, "CompiBeginnStrat6"},
                  {7, "CompiBeginnStrat7"},   {9, "CompiBeginnStrat9"},   {11, "CompiBeginnStrat11"},
                  {13, "CompiBeginnStrat13"}, {14, "CompiBeginnStrat14"}, {15, "CompiBeginnStrat15"}};
    Auslage({Holzfaeller});
    g.S.AktuellerSpieler = 2;
    g.Sp(2).Geld = 10;
    g.S.Phase = 5;
    for (const auto& f : faelle) {
        g.Log.Leeren();
        const int64_t fehler = g.AnzahlFehler;
        TSpielstand vorher = g.S;
        CompiStrategieZug(g, f.strategie);
        EXPECT_EQ(g.AnzahlFehler, fehler + 1) << f.strategie;
        EXPECT_EQ(ZeilenMit(std::string("Internal Fault 1 in Procedure ") + f.name), 1) << f.strategie;
        EXPECT_TRUE(Unveraendert(vorher)) << f.strategie; // no action, not even a pass
    }
}

// ---- pub decisions ----

TEST_F(KiRahmen, P1KauftAbSeinerRunde) {
    Wirt(2, 9);
    g.S.Runde = 6; // S2-Runde
    EXPECT_EQ(SchenkePunkte(g, 2, 2), 4);
    g.Sp(2).Geld = 30;
    EXPECT_EQ(SchenkePunkte(g, 2, 2), 5);
    LegeAufTisch(g, 2, {Schenke_});
    EXPECT_EQ(SchenkePunkte(g, 2, 2), 10);
    g.S.Runde = 5;
    EXPECT_EQ(SchenkePunkte(g, 2, 2), 0);
    // Strategy 3 reads its own round: 5 with four players, 6 with three.
    EXPECT_EQ(SchenkePunkte(g, 2, 3), 10);
    Aufbauen(3);
    InitStrategieparameter(g.Einstellungen);
    Wirt(2, 30);
    g.S.Runde = 5;
    EXPECT_EQ(SchenkePunkte(g, 2, 3), 0);
    g.S.Runde = 6;
    EXPECT_EQ(SchenkePunkte(g, 2, 3), 5);
    // Without a pub nothing, whatever the money.
    g.Sp(3).Geld = 50;
    EXPECT_EQ(SchenkePunkte(g, 3, 3), 0);
}

TEST_F(KiRahmen, StrategienOhneSchenkenregelKaufenNie) {
    Wirt(2, 40);
    g.S.Runde = 9;
    g.S.StapelLeer = 1;
    for (int32_t s : {1, 4, 5, 99, 0, 16}) EXPECT_EQ(SchenkePunkte(g, 2, s), 0) << s;
}

TEST_F(KiRahmen, P2SchlussrundeMitZweiHandkartenKauftNichts) {
    Wirt(2, 40);
    g.S.Runde = 5; // B_R4 with four players
    for (int32_t s : {6, 7, 8, 9}) EXPECT_EQ(SchenkePunkte(g, 2, s), 5) << s;
    g.S.Runde = 4;
    for (int32_t s : {6, 7, 8, 9}) EXPECT_EQ(SchenkePunkte(g, 2, s), 0) << s;
    // The final round buys even before B_R4 ...
    g.S.StapelLeer = 1;
    LegeInHand(g, 2, {Markt});
    for (int32_t s : {6, 7, 8, 9}) EXPECT_EQ(SchenkePunkte(g, 2, s), 5) << s;
    // ... but not with two hand cards, however rich.
    LegeInHand(g, 2, {Schreiber});
    g.Sp(2).Geld = 200;
    for (int32_t s : {6, 7, 8, 9}) EXPECT_EQ(SchenkePunkte(g, 2, s), 0) << s;
}

TEST_F(KiRahmen, P3RechnetMitRotemEinkommenUndHandpreisen) {
    Wirt(2, 10);
    g.S.Runde = 5;                         // B_R4 of strategy 10 with four players
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 2); // (10 / 2) / 2
    g.S.Runde = 4;
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 0);
    g.S.StapelLeer = 1;
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 2);
    g.S.StapelLeer = 0;
    g.S.Runde = 5;

    // Red income counts, with one money per green card under the tax collector.
    LegeAufTisch(g, 2, {Holzfaeller, Holzfaeller, Holzfaeller, Holzfaeller, Steuereintreiber});
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 3); // (10 + 4) / 2 = 7, 7 / 2
    EXPECT_EQ(SchenkePunkte(g, 2, 11), 3);

    // Hand cards are paid first: 12 money, red income 3, a Zollhaus (8) in the hand.
    LeereSpieler(g, 2);
    Wirt(2, 12);
    LegeAufTisch(g, 2, {Kontorist});
    LegeInHand(g, 2, {Zollhaus});
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 1); // (12 + 3 - 8) / 2 = 3, 3 / 2

    // More owed than owned: nothing.
    LeereSpieler(g, 2);
    Wirt(2, 4);
    LegeInHand(g, 2, {Feuerwehr});
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 0);

    // The half never exceeds the money, and at most 5 per pub.
    LeereSpieler(g, 2);
    Wirt(2, 60);
    LegeAufTisch(g, 2, {Sekretaer, Sekretaer, Sekretaer});
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 5);
}

TEST_F(KiRahmen, P4LaesstFuerDieAristokratenreserveEinenPunktWeg) {
    Wirt(2, 20);
    g.S.Runde = 6;                                // B_R4 of 12..15
    Stapel(3, {Schreiber, Verwalter, Sekretaer}); // reserve 12
    // n = 5 would leave 10 < 12, one point less leaves 12.
    for (int32_t s : {12, 13, 14, 15}) EXPECT_EQ(SchenkePunkte(g, 2, s), 4) << s;
    EXPECT_EQ(SchenkePunkte(g, 2, 10), 5);        // P3 knows no reserve
    Stapel(3, {Schreiber, Verwalter, Kontorist}); // reserve 10: 10 left is enough
    EXPECT_EQ(SchenkePunkte(g, 2, 12), 5);
    Stapel(3, {Sekretaer, Sekretaer, Sekretaer, Sekretaer}); // 12 again, on top only
    EXPECT_EQ(SchenkePunkte(g, 2, 14), 4);
    Stapel(3, {Kontorist});
    g.S.Kartenstapel[3].Naechste = g.S.Kartenstapel[3].Anzahl + 1; // empty stack: no reserve
    EXPECT_EQ(SchenkePunkte(g, 2, 12), 5);
    // When one point fewer does not reach the reserve either, all are bought.
    g.Sp(2).Geld = 20;
    Stapel(3, {24 /* Hofmeisterin: 18 */});
    EXPECT_EQ(SchenkePunkte(g, 2, 12), 5);
    // Never below 0.
    g.Sp(2).Geld = 3;
    Stapel(3, {Schreiber}); // reserve 4: 3 < 4 and 5 >= 4
    EXPECT_EQ(SchenkePunkte(g, 2, 12), 0);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRahmen, SchenkenzugKauftMitKaufSiegpunkte) {
    Wirt(2, 9);
    g.S.Runde = 6;
    g.S.Phase = 2;
    g.S.AktuellerSpieler = 2;
    E4().Strategie[2] = 2;
    CompiSchenkeZug(g);
    EXPECT_EQ(g.Sp(2).Siegpunkte, 4);
    EXPECT_EQ(g.Sp(2).Geld, 1);
    EXPECT_EQ(g.S.GekaufteSiegpunkte, 4);
    EXPECT_EQ(LetzteZeile(), "Spieler 2 kauft 4 Siegpunkte");
    // A strategy without a pub rule changes nothing.
    E4().Strategie[2] = 4;
    g.Sp(2).Geld = 30;
    TSpielstand vorher = g.S;
    CompiSchenkeZug(g);
    EXPECT_TRUE(Unveraendert(vorher));
}

// ---- strategy switch ----

TEST_F(KiRahmen, StrategiewechselOhneBedingungZiehtKeineZahl) {
    g.S.AktuellerSpieler = 2;
    g.S.Runde = 3;
    const uint32_t seed = g.Zufall.RandSeed;
    EXPECT_FALSE(Strategiewechsel(g, 4, 6, 7, 100)); // round before the range
    EXPECT_FALSE(Strategiewechsel(g, 1, 2, 7, 100)); // round after it
    EXPECT_FALSE(Strategiewechsel(g, 1, 6, 0, 100)); // no strategy
    EXPECT_EQ(g.Zufall.RandSeed, seed);
    EXPECT_EQ(ZeilenMit("Random Strategiewechsel"), 0);

    // Inside the range the draw is made even when it cannot succeed.
    EXPECT_FALSE(Strategiewechsel(g, 3, 3, 7, 0));
    EXPECT_EQ(g.Zufall.RandSeed, NachZiehungen(seed, 1));
    EXPECT_EQ(LetzteZeile(), "Random Strategiewechsel nach 7 : Not OK");
    EXPECT_EQ(g.Sp(2).LetzteAktion, 0);
}

TEST_F(KiRahmen, Strategie6MitStandardparameternZiehtNie) {
    ASSERT_EQ(E4().Param(6, 18), 0); // X_S19
    E4().Param(6, 17) = 100;         // even with a sure percentage
    Auslage({Holzfaeller});
    for (int phase : {1, 3}) {
        g.S.Phase = phase;
        g.S.AktuellerSpieler = 2;
        g.Sp(2).Geld = 10;
        const uint32_t seed = g.Zufall.RandSeed;
        CompiStrategieZug(g, 6);
        EXPECT_EQ(g.Zufall.RandSeed, seed) << "Phase " << phase;
    }
    EXPECT_EQ(ZeilenMit("Random"), 0);
    EXPECT_EQ(g.Sp(2).Karten[1].Anzahl, 1); // the green phase still bought its worker
}

TEST_F(KiRahmen, StrategiewechselIstAufZehnEbenenBegrenzt) {
    // Strategy 6 switches into itself with certainty in every round.
    E4().Param(6, 15) = 1, E4().Param(6, 16) = 99, E4().Param(6, 17) = 100, E4().Param(6, 18) = 6;
    E4().Strategie[2] = 6;
    Auslage({Holzfaeller});
    g.S.AktuellerSpieler = 2;
    g.Sp(2).Geld = 10;
    const uint32_t seed = g.Zufall.RandSeed;
    CompiZug(g);
    // Ten switches and the refused eleventh, each with its draw; then one move of its own.
    EXPECT_EQ(ZeilenMit("Random Strategiewechsel nach 6 : OK"), 11);
    EXPECT_EQ(g.Zufall.RandSeed, NachZiehungen(seed, 11));
    EXPECT_EQ(g.StrategiewechselTiefe, 0);
    EXPECT_EQ(g.Sp(2).Karten[1].Anzahl, 1);
    EXPECT_EQ(g.Sp(2).Geld, 7);
    EXPECT_EQ(g.S.AktuellerSpieler, 3);
    EXPECT_EQ(g.AnzahlFehler, 0); // one action only, or the advance reports it

    // 6 and 7 switching into each other are bounded the same way.
    E4().Param(7, 15) = 1, E4().Param(7, 16) = 99, E4().Param(7, 17) = 100, E4().Param(7, 18) = 6;
    E4().Param(6, 18) = 7;
    g.Log.Leeren();
    g.S.AktuellerSpieler = 2;
    Auslage({Holzfaeller});
    CompiZug(g);
    EXPECT_EQ(ZeilenMit("Random Strategiewechsel nach 7 : OK"), 6);
    EXPECT_EQ(ZeilenMit("Random Strategiewechsel nach 6 : OK"), 5);
    EXPECT_EQ(g.StrategiewechselTiefe, 0);
    EXPECT_EQ(g.Sp(2).Karten[1].Anzahl, 2);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRahmen, ZufallMarktpflegeZiehtEinmal) {
    const uint32_t seed = g.Zufall.RandSeed;
    EXPECT_TRUE(ZufallMarktpflege(g, 100, 2));
    EXPECT_EQ(LetzteZeile(), "Random Marktpflege in Phase 2 : OK");
    EXPECT_FALSE(ZufallMarktpflege(g, 0, 4));
    EXPECT_EQ(LetzteZeile(), "Random Marktpflege in Phase 4 : Not OK");
    EXPECT_EQ(g.Zufall.RandSeed, NachZiehungen(seed, 2));
    // The draw succeeds exactly when r < percent.
    TZufall z{g.Zufall.RandSeed};
    const int32_t r = z.Random(100);
    EXPECT_FALSE(ZufallMarktpflege(g, r, 1));
    const int32_t r2 = TZufall{g.Zufall.RandSeed}.Random(100);
    EXPECT_TRUE(ZufallMarktpflege(g, r2 + 1, 1));
}

// ---- playing strength ----

namespace {

class KiSpielstaerke : public KiRahmen {
protected:
    // Settings a user might have made: nothing as in the defaults.
    void EigeneEinstellungen() {
        for (int n = 2; n <= 4; ++n) {
            TStrategieEinstellung& r = g.Einstellungen.Fuer(n);
            for (int s = 1; s <= 4; ++s) {
                r.Strategie[s] = 10 + s + n;
                r.StartGeld[s] = 40 + s;
                r.StartRolle[s] = 0;
            }
            r.StartRolle[1] = 2;
            r.AnzahlSim = 77 + n;
            r.Sim = n == 3;
            for (int i = 0; i < 10; ++i) r.Parameter123[i] = 90 + i;
            for (int st = 4; st <= 15; ++st)
                for (int slot = 0; slot < 19; ++slot) r.Param(st, slot) = st * 3 + slot + n;
        }
    }
    bool WieStandard(const TStrategieEinstellung& r, const TStrategieEinstellung& std) {
        return std::memcmp(r.Parameter123, std.Parameter123, sizeof r.Parameter123) == 0 &&
               std::memcmp(r.Parameter, std.Parameter, sizeof r.Parameter) == 0 &&
               r.AnzahlSim == std.AnzahlSim && r.Sim == 0;
    }
};

struct TKStufe {
    int32_t tag;
    int32_t s4[4], s3[3], s2[2];
    int32_t geld; // of the opponents
    int32_t r4[4], r3[4], r2[4];
};

} // namespace

TEST_F(KiSpielstaerke, KStufenSetzenStrategienGeldUndRollen) {
    const TKStufe stufen[] = {
        {11, {1, 4, 10, 10}, {1, 10, 10}, {1, 12}, 25, {}, {}, {}},
        {12, {1, 4, 10, 10}, {1, 10, 10}, {1, 12}, 30, {}, {}, {}},
        {13, {1, 4, 10, 10}, {1, 10, 10}, {1, 12}, 35, {}, {}, {}},
        {21, {1, 10, 4, 10}, {1, 10, 10}, {1, 12}, 25, {}, {}, {}},
        // The caption promises 30 to every opponent, the two-player game included.
        {22, {1, 10, 4, 10}, {1, 10, 10}, {1, 12}, 30, {}, {}, {}},
        {23, {1, 10, 4, 10}, {1, 10, 10}, {1, 12}, 35, {}, {}, {}},
        {31, {1, 10, 10, 10}, {1, 10, 10}, {1, 14}, 25, {}, {}, {}},
        {32, {1, 10, 10, 10}, {1, 10, 10}, {1, 14}, 30, {}, {}, {}},
        {33, {1, 10, 10, 10}, {1, 10, 10}, {1, 14}, 35, {}, {}, {}},
        {41, {1, 4, 10, 10}, {1, 10, 10}, {1, 14}, 25, {1, 4, 3, 2}, {1, 3, 2, 2}, {1, 3, 2, 4}},
        {42, {1, 4, 10, 10}, {1, 10, 10}, {1, 14}, 30, {1, 4, 3, 2}, {1, 3, 2, 2}, {1, 3, 2, 4}},
        {43, {1, 4, 10, 10}, {1, 10, 10}, {1, 14}, 35, {1, 4, 3, 2}, {1, 3, 2, 2}, {1, 3, 2, 4}},
    };
    TStrategieeinstellungen std{};
    InitStrategieparameter(std);
    for (const TKStufe& k : stufen) {
        EigeneEinstellungen();
        const uint32_t seed = g.Zufall.RandSeed;
        SpielstaerkeAnwenden(g, k.tag);
        EXPECT_EQ(g.Zufall.RandSeed, seed) << k.tag; // nothing drawn
        const int32_t* strategien[3] = {k.s2, k.s3, k.s4};
        const int32_t* rollen[3] = {k.r2, k.r3, k.r4};
        for (int n = 2; n <= 4; ++n) {
            const TStrategieEinstellung& r = g.Einstellungen.Fuer(n);
            const TStrategieEinstellung& d = std.Fuer(n);
            EXPECT_TRUE(WieStandard(r, d)) << k.tag << ", " << n << " Spieler";
            for (int s = 1; s <= 4; ++s) {
                const int32_t soll = s <= n ? strategien[n - 2][s - 1] : d.Strategie[s];
                EXPECT_EQ(r.Strategie[s], soll) << k.tag << ", " << n << " Spieler, Sitz " << s;
                const int32_t geld = s == 1 || s > n ? 25 : k.geld;
                EXPECT_EQ(r.StartGeld[s], geld) << k.tag << ", " << n << " Spieler, Sitz " << s;
                EXPECT_EQ(r.StartRolle[s], rollen[n - 2][s - 1])
                    << k.tag << ", " << n << " Spieler, Sitz " << s;
            }
        }
    }
}

TEST_F(KiSpielstaerke, ZStufenZiehenIhreGegner) {
    const int32_t Liste[9] = {2, 3, 4, 4, 6, 8, 10, 10, 10};
    const struct { int32_t tag, geld; } stufen[] = {{3, 25}, {5, 28}, {6, 31}, {7, 34}, {8, 37}, {9, 40}};
    std::set<int32_t> zweiSpieler, gezogen;
    for (const auto& z : stufen) {
        for (uint32_t seed = 1; seed <= 60; ++seed) {
            EigeneEinstellungen();
            g.Zufall.RandSeed = seed * 2654435761u;
            // The draws in record order: seat 2 of two players, then the three-player record
            // (seat 2), then the four-player record (seats 3 and 2).
            TZufall erwartet{g.Zufall.RandSeed};
            const int32_t s2 = erwartet.Random(100) > 35 ? 14 : 12;
            const int32_t s3_2 = Liste[erwartet.Random(9)];
            const int32_t s4_3 = Liste[erwartet.Random(9)];
            const int32_t s4_2 = Liste[erwartet.Random(9)];
            SpielstaerkeAnwenden(g, z.tag);
            EXPECT_EQ(g.Zufall.RandSeed, erwartet.RandSeed);
            const TStrategieEinstellung &r2 = g.Einstellungen.Fuer(2), &r3 = g.Einstellungen.Fuer(3),
                                        &r4 = g.Einstellungen.Fuer(4);
            EXPECT_EQ(r2.Strategie[2], s2);
            EXPECT_EQ(r3.Strategie[2], s3_2);
            EXPECT_EQ(r3.Strategie[3], 10);
            EXPECT_EQ(r4.Strategie[2], s4_2);
            EXPECT_EQ(r4.Strategie[3], s4_3);
            EXPECT_EQ(r4.Strategie[4], 10);
            zweiSpieler.insert(r2.Strategie[2]);
            gezogen.insert(r4.Strategie[3]);
            // Seat 1 keeps the default strategy and money; every opponent gets the raise.
            EXPECT_EQ(r2.Strategie[1], 12);
            EXPECT_EQ(r4.Strategie[1], 4);
            for (int n = 2; n <= 4; ++n) {
                const TStrategieEinstellung& r = g.Einstellungen.Fuer(n);
                EXPECT_EQ(r.StartGeld[1], 25);
                for (int s = 2; s <= n; ++s)
                    EXPECT_EQ(r.StartGeld[s], z.geld) << z.tag << " " << n << " " << s;
                for (int s = 1; s <= 4; ++s) EXPECT_EQ(r.StartRolle[s], 0);
            }
        }
    }
    EXPECT_EQ(zweiSpieler, (std::set<int32_t>{12, 14}));
    EXPECT_EQ(gezogen, (std::set<int32_t>{2, 3, 4, 6, 8, 10}));
}

TEST_F(KiSpielstaerke, NiedrigUndMittelZiehenJedenSitz) {
    const int32_t Niedrig[4] = {2, 3, 3, 4}, Mittel[6] = {2, 4, 4, 6, 6, 12};
    TStrategieeinstellungen std{};
    InitStrategieparameter(std);
    for (int32_t tag : {1, 2}) {
        std::set<int32_t> gesehen;
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            EigeneEinstellungen();
            g.Zufall.RandSeed = seed * 40503u;
            TZufall erwartet{g.Zufall.RandSeed};
            SpielstaerkeAnwenden(g, tag);
            for (int n = 2; n <= 4; ++n) {
                const TStrategieEinstellung& r = g.Einstellungen.Fuer(n);
                EXPECT_TRUE(WieStandard(r, std.Fuer(n)));
                for (int s = 1; s <= 4; ++s) {
                    const int32_t soll = tag == 1 ? Niedrig[erwartet.Random(4)] : Mittel[erwartet.Random(6)];
                    EXPECT_EQ(r.Strategie[s], soll) << tag << " " << n << " " << s;
                    EXPECT_EQ(r.StartGeld[s], 25);
                    EXPECT_EQ(r.StartRolle[s], 0);
                    gesehen.insert(r.Strategie[s]);
                }
            }
            EXPECT_EQ(g.Zufall.RandSeed, erwartet.RandSeed);
        }
        EXPECT_EQ(gesehen, tag == 1 ? (std::set<int32_t>{2, 3, 4}) : (std::set<int32_t>{2, 4, 6, 12}));
    }
}

TEST_F(KiSpielstaerke, ExpertenmodusAendertNichts) {
    EigeneEinstellungen();
    const TStrategieeinstellungen vorher = g.Einstellungen;
    const uint32_t seed = g.Zufall.RandSeed;
    SpielstaerkeAnwenden(g, Expertenmodus);
    EXPECT_EQ(std::memcmp(&vorher, &g.Einstellungen, sizeof vorher), 0);
    EXPECT_EQ(g.Zufall.RandSeed, seed);
}

TEST_F(KiSpielstaerke, ExpertenmodusVerlassenUndWiederBetreten) {
    g.Menue.Spielstaerke = Expertenmodus;
    g.Menue.SpielerAnzahl = 3;
    EigeneEinstellungen();
    const TStrategieeinstellungen eigene = g.Einstellungen;
    g.S.Computer[1] = 1;

    SetzeSpielstaerke(g, 42);
    EXPECT_EQ(g.Menue.Spielstaerke, 42);
    EXPECT_EQ(LetzteZeile(), "Spielstärke ändern auf 42");
    // A preset is no simulation: flag, series length and seat 1 of the chosen count are cleared.
    EXPECT_EQ(g.Einstellungen.Fuer(3).Sim, 0);
    EXPECT_EQ(g.Einstellungen.Fuer(3).AnzahlSim, 0);
    EXPECT_EQ(g.S.Computer[1], 0);
    // New games under presets rewrite the settings, the strength may change in between.
    SpielstaerkeAnwenden(g, 42);
    SetzeSpielstaerke(g, 2);
    SpielstaerkeAnwenden(g, 2);
    SetzeSpielstaerke(g, 7);
    SpielstaerkeAnwenden(g, 7);
    EXPECT_NE(std::memcmp(&eigene, &g.Einstellungen, sizeof eigene), 0);

    SetzeSpielstaerke(g, Expertenmodus);
    EXPECT_EQ(std::memcmp(&eigene, &g.Einstellungen, sizeof eigene), 0);
    EXPECT_EQ(g.S.Computer[1], 1); // the restored simulation flag of three players
    // Choosing it again keeps them, and so does a new game.
    SetzeSpielstaerke(g, Expertenmodus);
    SpielstaerkeAnwenden(g, Expertenmodus);
    EXPECT_EQ(std::memcmp(&eigene, &g.Einstellungen, sizeof eigene), 0);

    // Edits made in expert mode are what the next round trip restores.
    g.Einstellungen.Fuer(4).Param(10, 0) = 1;
    const TStrategieeinstellungen geaendert = g.Einstellungen;
    SetzeSpielstaerke(g, 11);
    SpielstaerkeAnwenden(g, 11);
    SetzeSpielstaerke(g, Expertenmodus);
    EXPECT_EQ(std::memcmp(&geaendert, &g.Einstellungen, sizeof geaendert), 0);
    g.Menue.SpielerAnzahl = 4;
    SetzeSpielstaerke(g, 1);
    SetzeSpielstaerke(g, Expertenmodus);
    EXPECT_EQ(g.S.Computer[1], 0); // four players: no simulation
}

// ---- defaults and names ----

TEST(KiEinstellungen, StandardwerteJeSpielerzahl) {
    TStrategieeinstellungen e;
    std::memset(&e, 0x5a, sizeof e);
    InitStrategieparameter(e);
    // Values for 2, 3 and 4 players, in block order; slots after the list hold 0.
    struct W {
        int32_t v[3];
        W(int32_t x) : v{x, x, x} {}
        W(int32_t a, int32_t b, int32_t c) : v{a, b, c} {}
    };
    const std::vector<W> p123 = {18, {10, 6, 7}, 6, {14, 10, 14}, 7, {6, 6, 5}, 0, 0, 0, 0};
    const std::vector<W> p4 = {{6, 4, 4}, 1, 2,         {5, 3, 3}, 6,  10,       15,
                               {6, 4, 3}, 6, {7, 5, 4}, 10,        12, {7, 5, 4}};
    const std::vector<W> p6 = {5, 2, 18, {6, 6, 5}, {3, 3, 2}, 0, 10, 14, 50, 13,
                               6, 4, 4,  7,         100,       3, 3,  0,  0};
    const std::vector<W> p8 = {{6, 5, 5}, 2, 18,        {6, 5, 5}, {3, 2, 2}, 0,   10,        14, 30, 13,
                               10,        6, {5, 4, 4}, {5, 4, 4}, 7,         100, {4, 3, 3}, 1,  4};
    std::vector<W> p9 = p8;
    p9[18] = W{4, 0, 0};
    const std::vector<W> p10 = {5, {2, 1, 1}, 18, {6, 5, 5}, {3, 2, 2}, 0, 10, 14, {30, 90, 90}, 13, 10,
                                6, 4,         4,  7,         100,       3, 1,  4};
    const std::vector<W> p12 = {5, 3, 18, 6, 12, {18, 13, 13}, 4, 100, 10, 5, 5, 10, 100, 4, {1, 2, 2}};
    std::vector<W> p14 = p12;
    p14[0] = 4, p14[1] = 1;
    const std::vector<W>* bloecke[12] = {&p4, &p4, &p6, &p6, &p8, &p9, &p10, &p10, &p12, &p12, &p14, &p14};
    const int32_t strategien[3][4] = {{12, 14, 1, 1}, {4, 10, 10, 1}, {4, 4, 10, 10}};
    for (int n = 2; n <= 4; ++n) {
        const TStrategieEinstellung& r = e.Fuer(n);
        EXPECT_EQ(r.Sim, 0);
        EXPECT_EQ(r.AnzahlSim, 500);
        for (int s = 1; s <= 4; ++s) {
            EXPECT_EQ(r.Strategie[s], strategien[n - 2][s - 1]) << n << " Spieler, Sitz " << s;
            EXPECT_EQ(r.StartGeld[s], 25);
            EXPECT_EQ(r.StartRolle[s], 0);
        }
        for (int i = 0; i < 10; ++i) EXPECT_EQ(r.Parameter123[i], p123[i].v[n - 2]) << n << " Spieler, " << i;
        for (int st = 4; st <= 15; ++st) {
            const std::vector<W>& b = *bloecke[st - 4];
            for (int slot = 0; slot < 19; ++slot) {
                const int32_t soll = slot < static_cast<int>(b.size()) ? b[slot].v[n - 2] : 0;
                EXPECT_EQ(r.Param(st, slot), soll) << n << " Spieler, Strategie " << st << ", Platz " << slot;
            }
        }
    }
}

TEST(KiEinstellungen, StrategienamenUndVerfuegbarkeit) {
    const char* namen[16] = {"",
                             "Passe !",
                             "Blaublütiger Adel (V1)",
                             "Der Simpel",
                             "Der wahre Kastor",
                             "Der wahre Kastor",
                             "Baron Münchhausen (V1)",
                             "Baron Münchhausen (V1)",
                             "Baron Münchhausen (V2)",
                             "Baron Münchhausen (V2)",
                             "Baron Münchhausen (V3)",
                             "Baron Münchhausen (V3)",
                             "Baron Münchhausen (V4)",
                             "Baron Münchhausen (V4)",
                             "Blaublütiger Adel (V2)",
                             "Blaublütiger Adel (V2)"};
    for (int s = 0; s <= 15; ++s) EXPECT_EQ(Strategiename(s), namen[s]) << s;
    for (int s : {16, 50, 99, -1}) EXPECT_EQ(Strategiename(s), "") << s;
    for (int s = 1; s <= 15; ++s) EXPECT_TRUE(StrategieVerfuegbar(s)) << s;
    EXPECT_TRUE(StrategieVerfuegbar(99));
    for (int s : {0, 16, 98, 100}) EXPECT_FALSE(StrategieVerfuegbar(s)) << s;
}
