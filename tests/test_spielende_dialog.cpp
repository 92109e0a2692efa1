// The end-of-game counters and highscores, the info box's statistics line and the sizes of a
// scale, without widgets.
#include <gtest/gtest.h>

#include <climits>

#include "ai/einstellungen.h"
#include "control/spielende.h"
#include "persist/sprache.h"

using namespace vm;

namespace {

class Spielende : public ::testing::Test {
protected:
    TKatalog kat;
    TSpielsitzung g{kat};
    TProfilWerte w;
    TSprache deutsch;

    void SetUp() override {
        InitStrategieparameter(g.Einstellungen);
        Spieler(4);
        w.G_AnzSpiele = 4;
        w.G_AnzGewonnen = 2;
        w.G_MaxPunkte2 = 50;
        w.G_MaxPunkte3 = 60;
        w.G_MaxPunkte4 = 25;
    }
    void Spieler(int n) {
        g.S.SpielerAnzahl = n;
        for (int sp = 1; sp <= 4; ++sp) {
            g.Sp(sp).Siegpunkte = 10;
            g.Sp(sp).Geld = 1;
        }
    }
};

TEST_F(Spielende, GeladenesPuzzleAendertKeinenZaehler) {
    g.Sp(1).Siegpunkte = 99;
    const TProfilWerte vorher = w;
    TSpielendeDialog d = SpielendeAuswerten(g, w, true, deutsch);
    EXPECT_TRUE(d.Gewonnen);
    EXPECT_EQ(d.Kopf, "Herzlichen Glückwunsch !");
    EXPECT_FALSE(d.Gezaehlt);
    EXPECT_EQ(w.G_AnzSpiele, vorher.G_AnzSpiele);
    EXPECT_EQ(w.G_AnzGewonnen, vorher.G_AnzGewonnen);
    EXPECT_EQ(w.G_MaxPunkte4, vorher.G_MaxPunkte4);
    EXPECT_EQ(d.Highscore, "25");
    EXPECT_EQ(d.AnzahlSpiele, "4");
    EXPECT_EQ(d.Prozent, "50");

    // Before any counted game the share is formed over one game and the counter stays 0.
    w = TProfilWerte{};
    d = SpielendeAuswerten(g, w, true, deutsch);
    EXPECT_EQ(w.G_AnzSpiele, 0);
    EXPECT_EQ(d.AnzahlSpiele, "0");
    EXPECT_EQ(d.Prozent, "0");
}

} // namespace
