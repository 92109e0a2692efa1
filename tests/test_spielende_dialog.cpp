// The end-of-game counters and highscores, the info box's statistics line and the sizes of a
// scale, without widgets.
#include <gtest/gtest.h>

#include <climits>

#include "ai/einstellungen.h"
#include "persist/spielende.h"
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

TEST_F(Spielende, TexteFolgenDerSprachdatei) {
    TSprache englisch;
    englisch.LadenText(
        "[Other]\nSchade !=Too bad !\nDu hast leider nicht gewonnen !=You lost !\n"
        "Dein Highscore(4 Personen):=Your highscore (4 players):\nDer wahre Kastor=The true Kastor\n"
        "Du hast=You won\n% von=% of\nSpielen gewonnen !=games !\n");
    g.Sp(2).Siegpunkte = 99;
    TSpielendeDialog d = SpielendeAuswerten(g, w, false, englisch);
    EXPECT_EQ(d.Kopf, "Too bad !");
    EXPECT_EQ(d.Ergebnis, "You lost !");
    EXPECT_EQ(d.HighscoreText, "Your highscore (4 players):");
    EXPECT_EQ(d.Gegner[0], "The true Kastor");
    EXPECT_EQ(InfoStatistik(w, englisch), "You won 40 % of 5 games !");
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

TEST(Skalierung, FenstergroessenUndStartzeile) {
    EXPECT_EQ(SkalierungStartzeile(150), "ScaledBy 150 Prozent");
    EXPECT_EQ(SkalierungStartzeile(100), "Keine Skalierung notwendig");

    // The end-of-game dialog keeps its size between 80 and 120 percent.
    EXPECT_FALSE(SpielendeGroesse(80).has_value());
    EXPECT_FALSE(SpielendeGroesse(120).has_value());
    EXPECT_EQ(SpielendeGroesse(79), (TFenstergroesse{459, 311}));
    EXPECT_EQ(SpielendeGroesse(150), (TFenstergroesse{856, 581}));

    // A profile value outside the dialog's range is taken at its edge.
    EXPECT_EQ(WirksameSkalierung(0), 50);
    EXPECT_EQ(WirksameSkalierung(10), 50);
    EXPECT_EQ(WirksameSkalierung(1000), 200);
    EXPECT_EQ(SpielendeGroesse(-5), (TFenstergroesse{296, 201}));
    EXPECT_EQ(SkalierungStartzeile(5000), "ScaledBy 200 Prozent");
}

} // namespace
