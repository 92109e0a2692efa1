// The state checker of --check: a sound game passes, every kind of corruption is named.
#include <gtest/gtest.h>

#include <string>

#include "ai/compizug.h"
#include "control/fensterzustand.h"
#include "model/konsistenz.h"
#include "rules/ablauf.h"
#include "sim/serie.h"

using namespace vm;

namespace {

// A 3-player game of strategy 4 some moves in: cards on tables, in the display and in stacks.
struct PruefungMitten : ::testing::Test {
    TKatalog kat;
    TSpielsitzung g{kat};
    int sitz = 0; // a seat with green table cards

    void SetUp() override {
        TSimOptionen opt;
        opt.spieler = 3;
        opt.seedGesetzt = true;
        opt.seed = 99;
        opt.strategien = {4, 4, 4};
        ASSERT_EQ(SimVorbereiten(g, opt), "");
        g.S.Computer[1] = 1;
        SpielAufbau(g);
        ASSERT_EQ(PruefeInvarianten(g), "");
        auto bereit = [&] {
            return g.S.Runde >= 3 && g.S.Auslage[1].Anzahl > 0 && g.S.Auslage[2].Anzahl > 0;
        };
        for (int zug = 0; zug < 1000 && !g.S.Spielende && !bereit(); ++zug) {
            CompiZug(g);
            ASSERT_EQ(PruefeInvarianten(g), "") << "Zug " << zug;
        }
        ASSERT_TRUE(bereit());
        for (int p = 1; p <= 3 && !sitz; ++p)
            if (g.S.Spieler[p].Karten[1].Anzahl >= 2) sitz = p;
        ASSERT_NE(sitz, 0);
    }
    TKartenliste& Gruen() { return g.Sp(sitz).Karten[1]; }
    std::string Befund() { return PruefeInvarianten(g); }
};

TEST_F(PruefungMitten, AuslageMussGepacktSein) {
    TAuslageReihe& r1 = g.S.Auslage[1];
    TAuslageReihe& r2 = g.S.Auslage[2];
    {
        // A gap in row 1: its last card moved one place to the right.
        const TAuslageReihe alt = r1;
        if (r1.Anzahl < 8 && r1.Anzahl + r2.Anzahl < 8) {
            r1.Karten[r1.Anzahl + 1] = r1.Karten[r1.Anzahl];
            r1.Karten[r1.Anzahl] = {};
            EXPECT_EQ(Befund().rfind("Auslage Reihe 1 Platz ", 0), 0u) << Befund();
        }
        r1 = alt;
    }
    {
        // Row 2 packed to the left instead of the right.
        const TAuslageReihe alt = r2;
        for (int j = 1; j <= r2.Anzahl; ++j) r2.Karten[j] = alt.Karten[8 - r2.Anzahl + j];
        for (int j = r2.Anzahl + 1; j <= 8; ++j) r2.Karten[j] = {};
        if (r2.Anzahl < 8) {
            EXPECT_EQ(Befund().rfind("Auslage Reihe 2 Platz ", 0), 0u) << Befund();
        }
        r2 = alt;
    }
    {
        // A used mark belongs to table cards only.
        const TAuslageReihe alt = r1;
        r1.Karten[1].Farbe += Benutzt;
        EXPECT_EQ(Befund().rfind("Auslage Reihe 1 Platz 1 hält ", 0), 0u) << Befund();
        r1 = alt;
    }
    {
        const TAuslageReihe alt1 = r1, alt2 = r2;
        r1.Anzahl = 5;
        r2.Anzahl = 4;
        EXPECT_EQ(Befund(), "Auslage: beide Reihen halten zusammen 9 Karten");
        r2.Anzahl = 9;
        EXPECT_EQ(Befund(), "Auslage Reihe 2 hat 9 Karten");
        r1 = alt1;
        r2 = alt2;
    }
    EXPECT_EQ(Befund(), "");
}

} // namespace
