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
    Spielsitzung g{kat};
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

TEST_F(Spielende, VerlorenesSpielZaehltSpielAberKeinenSieg) {
    g.Sp(1).Siegpunkte = 30;
    g.Sp(3).Siegpunkte = 31;
    TSpielendeDialog d = SpielendeAuswerten(g, w, false, deutsch);
    EXPECT_FALSE(d.Gewonnen);
    EXPECT_EQ(d.Kopf, "Schade !");
    EXPECT_EQ(d.Ergebnis, "Du hast leider nicht gewonnen !");
    EXPECT_EQ(w.G_AnzSpiele, 5);
    EXPECT_EQ(w.G_AnzGewonnen, 2);
    EXPECT_EQ(d.AnzahlSpiele, "5");
    EXPECT_EQ(d.Prozent, "40");
    // The highscore counts seat 1's points whether it won or not.
    EXPECT_EQ(w.G_MaxPunkte4, 30);
    EXPECT_EQ(d.Highscore, "30");
    EXPECT_EQ(d.HighscoreText, "Dein Highscore(4 Personen):");
    EXPECT_TRUE(d.Gezaehlt);
    EXPECT_EQ(g.Platz[1], 2);
}

TEST_F(Spielende, GleichstandEntscheidetDasGeld) {
    g.Sp(1).Siegpunkte = 40;
    g.Sp(2).Siegpunkte = 40;
    g.Sp(1).Geld = 5;
    g.Sp(2).Geld = 3;
    TSpielendeDialog d = SpielendeAuswerten(g, w, false, deutsch);
    EXPECT_TRUE(d.Gewonnen);
    EXPECT_EQ(d.Kopf, "Herzlichen Glückwunsch !");
    EXPECT_EQ(d.Ergebnis, "Du hast gewonnen !");
    EXPECT_EQ(w.G_AnzSpiele, 5);
    EXPECT_EQ(w.G_AnzGewonnen, 3);
    EXPECT_EQ(d.Prozent, "60");
    EXPECT_EQ(w.G_MaxPunkte4, 40);

    // Equal money too: the lower seat wins.
    g.Sp(2).Geld = 5;
    EXPECT_TRUE(SpielendeAuswerten(g, w, false, deutsch).Gewonnen);
    g.Sp(2).Geld = 6;
    EXPECT_FALSE(SpielendeAuswerten(g, w, false, deutsch).Gewonnen);
    EXPECT_EQ(w.G_AnzSpiele, 7);
    EXPECT_EQ(w.G_AnzGewonnen, 4);
}

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

TEST_F(Spielende, GegnerNamenUndHighscoreDerSpielerzahl) {
    Spieler(3);
    g.Einstellungen.Fuer(3).Strategie[2] = 10;
    g.Einstellungen.Fuer(3).Strategie[3] = 3;
    g.Einstellungen.Fuer(3).Strategie[4] = 14;
    g.Einstellungen.Fuer(4).Strategie[2] = 5;
    g.Sp(1).Siegpunkte = 20;
    TSpielendeDialog d = SpielendeAuswerten(g, w, false, deutsch);
    EXPECT_EQ(d.Gegner[0], "Baron Münchhausen (V3)");
    EXPECT_EQ(d.Gegner[1], "Der Simpel");
    EXPECT_EQ(d.Gegner[2], "");
    EXPECT_EQ(d.HighscoreText, "Dein Highscore(3 Personen):");
    EXPECT_EQ(d.Highscore, "60");
    EXPECT_EQ(w.G_MaxPunkte3, 60);

    Spieler(2);
    g.Sp(1).Siegpunkte = 51;
    d = SpielendeAuswerten(g, w, false, deutsch);
    EXPECT_EQ(d.Gegner[0], "Blaublütiger Adel (V2)");
    EXPECT_EQ(d.Gegner[1], "");
    EXPECT_EQ(d.HighscoreText, "Dein Highscore(2 Personen):");
    EXPECT_EQ(w.G_MaxPunkte2, 51);
    EXPECT_EQ(w.G_MaxPunkte3, 60);
    EXPECT_EQ(w.G_MaxPunkte4, 25);
}

TEST_F(Spielende, ZaehlerLaufenNichtUeber) {
    w.G_AnzSpiele = INT32_MAX;
    w.G_AnzGewonnen = INT32_MAX;
    g.Sp(1).Siegpunkte = 50;
    TSpielendeDialog d = SpielendeAuswerten(g, w, false, deutsch);
    EXPECT_EQ(w.G_AnzSpiele, INT32_MAX);
    EXPECT_EQ(w.G_AnzGewonnen, INT32_MAX);
    EXPECT_EQ(d.Prozent, "100");
}

TEST(InfoBox, StatistikZeile) {
    TSprache deutsch;
    TProfilWerte w;
    EXPECT_EQ(InfoStatistik(w, deutsch), "Du hast 0 % von 0 Spielen gewonnen !");
    w.G_AnzSpiele = 120;
    w.G_AnzGewonnen = 54;
    EXPECT_EQ(InfoStatistik(w, deutsch), "Du hast 45 % von 120 Spielen gewonnen !");
    w.G_AnzSpiele = 3;
    w.G_AnzGewonnen = 2;
    EXPECT_EQ(InfoStatistik(w, deutsch), "Du hast 66 % von 3 Spielen gewonnen !");
}

} // namespace
