// Statistics of a series: ranking, counting a game, the report's format, the extra statistics
// line and the JSON form of the record.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "ai/einstellungen.h"
#include "rules/wertung.h"
#include "sim/extrastatistik.h"
#include "sim/json.h"
#include "sim/statistik.h"

using namespace vm;

namespace {

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> z;
    std::istringstream in(text);
    std::string zeile;
    while (std::getline(in, zeile)) z.push_back(zeile);
    return z;
}

// Index of the first line equal to `zeile`, or -1.
int Finde(const std::vector<std::string>& z, const std::string& zeile, int ab = 0) {
    for (int i = ab; i < static_cast<int>(z.size()); ++i)
        if (z[i] == zeile) return i;
    return -1;
}

// A session with a finished-looking 2- to 4-player state: empty tables, given points and money.
struct TEnde {
    TKatalog kat;
    Spielsitzung g{kat};
    explicit TEnde(int n) {
        g.Menue.SpielerAnzahl = n;
        g.S.SpielerAnzahl = n;
        g.S.Runde = 7;
        for (int k = 1; k <= 4; ++k) g.S.Kartenstapel[k] = {10, 11, {}};
    }
    void Setze(int p, int32_t punkte, int32_t geld) {
        g.S.Spieler[p].Siegpunkte = punkte;
        g.S.Spieler[p].Geld = geld;
    }
};

TEST(BerechnePlatz, MehrPunkteDannMehrGeldDannNiedrigererSitz) {
    TEnde e(2);
    e.Setze(1, 40, 12);
    e.Setze(2, 40, 15);
    BerechnePlatz(e.g);
    EXPECT_EQ(e.g.Platz[1], 2);
    EXPECT_EQ(e.g.Platz[2], 1);

    e.Setze(2, 40, 12);
    BerechnePlatz(e.g);
    EXPECT_EQ(e.g.Platz[1], 1);
    EXPECT_EQ(e.g.Platz[2], 2);

    // Money only decides between equal points: 10000 money never outweighs a point.
    e.Setze(1, 39, 9999);
    BerechnePlatz(e.g);
    EXPECT_EQ(e.g.Platz[1], 2);
    EXPECT_EQ(e.g.Platz[2], 1);
}

TEST(BerechnePlatz, VierSpielerMitGleichstaendenUndNullpunkten) {
    TEnde e(4);
    e.Setze(1, 0, 0);
    e.Setze(2, 50, 3);
    e.Setze(3, 0, 0);
    e.Setze(4, 50, 3);
    BerechnePlatz(e.g);
    EXPECT_EQ(e.g.Platz[2], 1);
    EXPECT_EQ(e.g.Platz[4], 2);
    EXPECT_EQ(e.g.Platz[1], 3);
    EXPECT_EQ(e.g.Platz[3], 4);

    // A 3-player game ranks seats 1..3 only and leaves seat 4 without a place.
    TEnde d(3);
    d.Setze(1, 5, 0);
    d.Setze(2, 5, 1);
    d.Setze(3, 5, 0);
    BerechnePlatz(d.g);
    EXPECT_EQ(d.g.Platz[2], 1);
    EXPECT_EQ(d.g.Platz[1], 2);
    EXPECT_EQ(d.g.Platz[3], 3);
    EXPECT_EQ(d.g.Platz[4], 0);
}

TEST(StatistikSpiel, VollerZaehlerNimmtDasSpielNichtHalbAuf) {
    TEnde e(2);
    TSimStatistik st;
    StatistikInit(st, e.g);
    e.Setze(1, 100, 0);
    e.Setze(2, 50, 0);
    BerechnePlatz(e.g);
    st.Siegpunkte[2].Sum = INT32_MAX - 49;
    const TSimStatistik vorher = st;
    EXPECT_FALSE(StatistikSpiel(st, e.g));
    EXPECT_EQ(std::memcmp(&st, &vorher, sizeof st), 0);
    st.Siegpunkte[2].Sum = INT32_MAX - 50;
    EXPECT_TRUE(StatistikSpiel(st, e.g));
    EXPECT_EQ(st.Siegpunkte[2].Sum, INT32_MAX);
}

// A record filled by hand: two players, three games.
TSimStatistik HandStatistik() {
    TStrategieeinstellungen e;
    InitStrategieparameter(e);
    TSimStatistik st;
    StatistikLeeren(st);
    st.SpielerAnzahl = 2;
    st.Einstellung = e.Fuer(2);
    st.Einstellung.StartRolle[4] = 3;
    st.AnzahlSpiele = 3;
    st.Runden = {6, 20, 7};
    st.SpieleMitRunden[6] = 1;
    st.SpieleMitRunden[7] = 2;
    st.Platzierungen[1][1] = 2;
    st.Platzierungen[1][2] = 1;
    st.Platzierungen[2][1] = 1;
    st.Platzierungen[2][2] = 2;
    st.Karten[1][1][1][3] = 3;  // Schäfer: 3 in 2 wins
    st.Karten[1][2][4][17] = 1; // Kammerfrau (an upgrade) in the one second place
    st.Karten[2][2][2][9] = 1;  // Bibliothek: 1 in 2 second places
    st.Siegpunkte[1] = {0, 1, 1};
    st.Siegpunkte[2] = {3, 11, 5};
    st.SiegpunkteNachRunden[6][1] = {0, 0, 0};
    st.SiegpunkteNachRunden[6][2] = {5, 5, 5};
    st.SiegpunkteNachRunden[7][1] = {0, 1, 1};
    st.SiegpunkteNachRunden[7][2] = {3, 6, 3};
    st.StapelRest[4] = {2, 10, 5};
    st.Handkarten[1][1] = 3;
    st.Handkarten[2][2] = 2;
    st.Handkarten[2][5] = 1;
    return st;
}

TEST(StatistikBericht, MittelWieCsPrintfUndDezimalzeichen) {
    TKatalog kat;
    TSimStatistik st = HandStatistik();
    // Sums whose means sit on or near a rounding edge.
    const int32_t spiele[] = {4, 8, 3, 40, 1000};
    const int32_t summen[] = {1, 3, 2, 1, 12345};
    for (int i = 0; i < 5; ++i) {
        st.AnzahlSpiele = spiele[i];
        st.Runden.Sum = summen[i];
        st.Siegpunkte[1] = {0, summen[i], 99};
        const auto z = Zeilen(StatistikBerichtText(st, kat, 5));
        char eins[32], zwei[32];
        std::snprintf(eins, sizeof eins, "%.1f", static_cast<double>(summen[i]) / spiele[i]);
        std::snprintf(zwei, sizeof zwei, "%.2f", static_cast<double>(summen[i]) / spiele[i]);
        EXPECT_NE(Finde(z, std::string("Mean number of rounds: ") + zwei), -1) << zwei;
        EXPECT_NE(
            Finde(z, std::string("number of victory points of player 1 (Min,Mean,Max): 0  ") + eins + "  99"),
            -1)
            << eins;
    }
    const auto komma = Zeilen(StatistikBerichtText(HandStatistik(), kat, 5, ','));
    EXPECT_NE(Finde(komma, "Mean number of rounds: 6,67"), -1);
    EXPECT_NE(Finde(komma, "Schäfer:                        1,50   0,00"), -1);
}

TEST(StatistikBericht, OhneSpieleDividiertNicht) {
    TKatalog kat;
    TSimStatistik st;
    StatistikLeeren(st);
    st.SpielerAnzahl = 4;
    const auto z = Zeilen(StatistikBerichtText(st, kat, 1));
    EXPECT_NE(Finde(z, "Mean number of rounds: 0.00"), -1);
    EXPECT_NE(Finde(z, "number of victory points of winner (Min,Mittel,Max): 1000  0.0  -1"), -1);
    EXPECT_NE(Finde(z, "Player 4 : 0   0   0   0   "), -1);
    EXPECT_EQ(Finde(z, "Statistic of games with 7 rounds: "), -1);
}

TEST(StatistikJson, RundreiseGibtDenselbenBericht) {
    TKatalog kat;
    TSimStatistik st = HandStatistik();
    st.RandSeed = 4000000000u;
    st.Einstellung.Param(9, 18) = -7;
    TJsonLauf lauf;
    lauf.Varianten[1] = 1;
    lauf.Spielstaerke = 41;
    lauf.SeedEnde = 123;
    lauf.Abgebrochen = true;
    lauf.Geprueft = true;
    lauf.Verletzungen = 2;
    lauf.InterneFehler = 5;
    std::string json;
    JsonKopf(json, st, lauf);
    TSpielErgebnis e{7, {10, 20, 0, 0}, {1, 2, 0, 0}, {2, 1, 0, 0}};
    JsonSpiel(json, e, 2, true);
    JsonSpiel(json, e, 2, false);
    JsonSchluss(json, st, lauf);
    EXPECT_NE(json.find("\"seed\": 4000000000"), std::string::npos);
    EXPECT_LT(json.find("\"seed\""), json.find("\"spiele\""));
    EXPECT_NE(json.find("{\"runden\": 7, \"punkte\": [10,20], \"geld\": [1,2], \"platz\": [2,1]}"),
              std::string::npos);

    TSimStatistik zurueck;
    TJsonLauf l2;
    std::string fehler;
    ASSERT_TRUE(StatistikAusJson(json, zurueck, l2, fehler)) << fehler;
    EXPECT_EQ(std::memcmp(&zurueck, &st, sizeof st), 0);
    EXPECT_EQ(l2.Varianten[1], 1);
    EXPECT_EQ(l2.Spielstaerke, 41);
    EXPECT_EQ(l2.SeedEnde, 123u);
    EXPECT_TRUE(l2.Abgebrochen);
    EXPECT_EQ(l2.Verletzungen, 2);
    EXPECT_EQ(l2.InterneFehler, 5);
    EXPECT_EQ(StatistikBerichtText(zurueck, kat, l2.SeedEnde), StatistikBerichtText(st, kat, lauf.SeedEnde));
    // A run given no streams is written as one stream from its seed to its end, and a file without
    // the field is read as that one stream.
    EXPECT_EQ(l2.Stroeme, (std::vector<TStrom>{{4000000000u, 3, 123}}));
    const std::string feld = ",\n  \"stroeme\": [[4000000000,3,123]]";
    ASSERT_NE(json.find(feld), std::string::npos);
    std::string ohneStroeme = json;
    ohneStroeme.erase(json.find(feld), feld.size());
    l2.Stroeme.clear();
    ASSERT_TRUE(StatistikAusJson(ohneStroeme, zurueck, l2, fehler)) << fehler;
    EXPECT_EQ(l2.Stroeme, (std::vector<TStrom>{{4000000000u, 3, 123}}));
    std::string_view spiele;
    ASSERT_TRUE(StatistikAusJson(json, zurueck, l2, fehler, &spiele)) << fehler;
    EXPECT_EQ(spiele, "{\"runden\": 7, \"punkte\": [10,20], \"geld\": [1,2], \"platz\": [2,1]},\n"
                      "    {\"runden\": 7, \"punkte\": [10,20], \"geld\": [1,2], \"platz\": [2,1]}");

    // Several streams go through as written; their games must add up to the record's.
    std::string mehr;
    JsonKopf(mehr, st, lauf);
    lauf.Stroeme = {{1, 2, 3}, {4000000000u, 1, 6}};
    JsonSchluss(mehr, st, lauf);
    EXPECT_NE(mehr.find("\"stroeme\": [[1,2,3],[4000000000,1,6]]"), std::string::npos);
    ASSERT_TRUE(StatistikAusJson(mehr, zurueck, l2, fehler, &spiele)) << fehler;
    EXPECT_EQ(l2.Stroeme, lauf.Stroeme);
    EXPECT_EQ(spiele, "");
    std::string falsch = mehr;
    falsch.replace(falsch.find("[4000000000,1,6]"), 16, "[4000000000,2,6]");
    EXPECT_FALSE(StatistikAusJson(falsch, zurueck, l2, fehler));
    EXPECT_EQ(fehler, "die Ströme zählen 4 Spiele, die Statistik 3");

    // Malformed or foreign files are refused with a reason.
    const std::string kaputt[] = {
        json.substr(0, json.size() / 2), "{\"format\": \"anders\", \"version\": 1}",
        std::string(json).replace(json.find("\"Runden\": [6,20,7]"), 18, "\"Runden\": [6,20]"), json + "x"};
    for (const std::string& k : kaputt) {
        fehler.clear();
        EXPECT_FALSE(StatistikAusJson(k, zurueck, l2, fehler));
        EXPECT_FALSE(fehler.empty());
    }
}

TEST(StatistikVereinigen, AddiertZaehlerUndVerlangtGleicheEinstellungen) {
    TSimStatistik a = HandStatistik();
    TSimStatistik b = HandStatistik();
    b.Runden = {5, 5, 5};
    b.AnzahlSpiele = 1;
    b.Siegpunkte[2] = {9, 9, 9};
    ASSERT_TRUE(StatistikVereinigen(a, b));
    EXPECT_EQ(a.AnzahlSpiele, 4);
    EXPECT_EQ(a.Runden.Min, 5);
    EXPECT_EQ(a.Runden.Sum, 25);
    EXPECT_EQ(a.Runden.Max, 7);
    EXPECT_EQ(a.Siegpunkte[2].Max, 9);
    EXPECT_EQ(a.Siegpunkte[2].Sum, 20);
    EXPECT_EQ(a.Karten[1][1][1][3], 6);

    // Every refusal names its field; strategy and money of a seat that does not play do not count.
    const TSimStatistik vorher = a;
    EXPECT_EQ(StatistikUnterschied(a, HandStatistik()), "");
    const std::vector<std::pair<void (*)(TSimStatistik&), std::string>> anders = {
        {[](TSimStatistik& c) { c.Einstellung.Param(4, 0) += 1; }, "Parameter 0 der Strategie 4 ist "},
        {[](TSimStatistik& c) { c.Einstellung.Param(15, 18) = -3; },
         "Parameter 18 der Strategie 15 ist -3, nicht "},
        {[](TSimStatistik& c) { c.Einstellung.Parameter123[9] = 1234; }, "Parameter123[9] ist 1234, nicht "},
        {[](TSimStatistik& c) { c.SpielerAnzahl = 3; }, "Spieleranzahl ist 3, nicht 2"},
        {[](TSimStatistik& c) { c.Einstellung.Strategie[2] = 99; }, "Strategie von Spieler 2 ist 99, nicht "},
        {[](TSimStatistik& c) { c.Einstellung.StartGeld[1] = 40; },
         "Startgeld von Spieler 1 ist 40, nicht 25"},
        {[](TSimStatistik& c) { c.Einstellung.StartRolle[4] = 0; },
         "Startrolle von Spieler 4 ist 0, nicht 3"},
    };
    for (const auto& [aendern, text] : anders) {
        TSimStatistik c = HandStatistik();
        aendern(c);
        EXPECT_FALSE(StatistikVereinigen(a, c)) << text;
        EXPECT_EQ(StatistikUnterschied(a, c).rfind(text, 0), 0u) << StatistikUnterschied(a, c);
    }
    EXPECT_EQ(std::memcmp(&a, &vorher, sizeof a), 0);
    TSimStatistik c = HandStatistik();
    c.Siegpunkte[1].Sum = INT32_MAX;
    EXPECT_FALSE(StatistikVereinigen(a, c));
    EXPECT_EQ(StatistikUnterschied(a, c), "") << "an overflow is no difference of the settings";
    EXPECT_EQ(std::memcmp(&a, &vorher, sizeof a), 0);
    c = HandStatistik();
    c.Einstellung.Strategie[3] = 99;
    c.Einstellung.StartGeld[4] = 1;
    c.Einstellung.Sim = 1;
    c.Einstellung.AnzahlSim = 7;
    EXPECT_EQ(StatistikUnterschied(a, c), "");
    EXPECT_TRUE(StatistikVereinigen(a, c));
    EXPECT_EQ(a.AnzahlSpiele, 7);
}

TEST(StatistikBericht, StroemeNurBeiMehrAlsEinemStrom) {
    EXPECT_EQ(StroemeBerichtText({}), "");
    EXPECT_EQ(StroemeBerichtText({{5, 10, 6}}), "");
    EXPECT_EQ(StroemeBerichtText({{5, 10, 4294967295u}, {2147483648u, 9, 0}}),
              "\nNumber of streams : 2\n"
              "Stream 1 : 10 games, RandSeed 5, at end -1\n"
              "Stream 2 : 9 games, RandSeed -2147483648, at end 0\n");
}

} // namespace
