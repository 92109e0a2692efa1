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

void Karte(TKartenliste& l, tKartenRef k) {
    l.Karten[++l.Anzahl] = k;
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

TEST(StatistikSpiel, ZaehltEinSpielMitAllenGroessen) {
    TEnde e(3);
    InitStrategieparameter(e.g.Einstellungen);
    e.g.Zufall.RandSeed = 77;
    TSimStatistik st;
    StatistikInit(st, e.g);
    EXPECT_EQ(st.SpielerAnzahl, 3);
    EXPECT_EQ(st.RandSeed, 77u);
    EXPECT_EQ(st.Einstellung.Strategie[2], 10);
    EXPECT_EQ(st.Runden.Min, 1000);
    EXPECT_EQ(st.Runden.Max, 0);
    EXPECT_EQ(st.Siegpunkte[1].Max, -1);

    TSpieler& s1 = e.g.Sp(1);
    Karte(s1.Karten[1], {1, 1});
    Karte(s1.Karten[1], {4, 1});    // green upgrade: counted in the upgrade rows
    Karte(s1.Karten[2], {1002, 5}); // a used observatory still counts as table card
    Karte(s1.Karten[3], {3, 1});
    Karte(s1.Karten[3], {3, 1});
    Karte(s1.Karten[3], {4, 17});
    Karte(s1.Hand(), {2, 4});
    Karte(e.g.Sp(3).Hand(), {2, 4});
    Karte(e.g.Sp(3).Hand(), {2, 6});
    e.Setze(1, 60, 5);
    e.Setze(2, 60, 4);
    e.Setze(3, 20, 50);
    e.g.S.Kartenstapel[3].Naechste = 5; // 6 cards left
    e.g.S.AblageAnzahl = 13;
    e.g.S.Runde = 8;
    BerechnePlatz(e.g);
    ASSERT_TRUE(StatistikSpiel(st, e.g));

    EXPECT_EQ(st.AnzahlSpiele, 1);
    EXPECT_EQ(st.Runden.Sum, 8);
    EXPECT_EQ(st.Runden.Min, 8);
    EXPECT_EQ(st.Runden.Max, 8);
    EXPECT_EQ(st.SpieleMitRunden[8], 1);
    EXPECT_EQ(st.Platzierungen[1][1], 1);
    EXPECT_EQ(st.Platzierungen[2][2], 1);
    EXPECT_EQ(st.Platzierungen[3][3], 1);
    EXPECT_EQ(st.StapelRest[1].Sum, 0);
    EXPECT_EQ(st.StapelRest[3].Sum, 6);
    EXPECT_EQ(st.StapelRest[5].Sum, 13);
    EXPECT_EQ(st.Tischkarten[1].Sum, 6);
    EXPECT_EQ(st.TischkartenFarbe[1][1].Sum, 2);
    EXPECT_EQ(st.TischkartenFarbe[1][2].Sum, 1);
    EXPECT_EQ(st.TischkartenFarbe[1][3].Sum, 3);
    EXPECT_EQ(st.Tischkarten[2].Min, 0);
    EXPECT_EQ(st.SiegpunkteNachRunden[8][1].Sum, 60);
    EXPECT_EQ(st.SiegpunkteNachRunden[7][1].Max, -1);
    EXPECT_EQ(st.SiegpunkteSieger.Sum, 60);
    EXPECT_EQ(st.Handkarten[1][2], 1);  // one hand card
    EXPECT_EQ(st.Handkarten[2][1], 1);  // none
    EXPECT_EQ(st.Handkarten[3][3], 1);  // two
    EXPECT_EQ(st.Adelsarten[1].Sum, 2); // Schreiber twice and Kammerfrau
    EXPECT_EQ(st.Karten[1][1][1][1], 1);
    EXPECT_EQ(st.Karten[1][1][4][1], 1);
    EXPECT_EQ(st.Karten[1][1][2][5], 1);
    EXPECT_EQ(st.Karten[1][1][3][1], 2);
    EXPECT_EQ(st.Karten[1][1][4][17], 1);
    EXPECT_EQ(st.Karten[1][2][3][1], 0);

    // A second game: the winner is seat 3 now, min and max spread.
    e.Setze(3, 90, 0);
    e.g.S.Runde = 6;
    BerechnePlatz(e.g);
    ASSERT_TRUE(StatistikSpiel(st, e.g));
    EXPECT_EQ(st.Runden.Min, 6);
    EXPECT_EQ(st.Runden.Max, 8);
    EXPECT_EQ(st.SiegpunkteSieger.Min, 60);
    EXPECT_EQ(st.SiegpunkteSieger.Max, 90);
    EXPECT_EQ(st.SiegpunkteSieger.Sum, 150);
    EXPECT_EQ(st.Platzierungen[3][1], 1);
    EXPECT_EQ(st.Karten[1][2][3][1], 2);
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

TEST(StatistikBericht, KartentabelleZaehltZeichenUndTeiltDurchDiePlatzierungen) {
    TKatalog kat;
    const auto z = Zeilen(StatistikBerichtText(HandStatistik(), kat, 5));
    const int p1 = Finde(z, "Player 1 at Position 1..2: ");
    const int p2 = Finde(z, "Player 2 at Position 1..2: ");
    ASSERT_GT(p1, 0);
    ASSERT_GT(p2, p1);
    EXPECT_EQ(p2 - p1, 51) << "heading, 49 card kinds, an empty line";
    EXPECT_EQ(z[p1 - 1], "");
    // Name and colon padded to 32 characters: the umlaut is one character, two bytes.
    EXPECT_EQ(z[p1 + 3], "Schäfer:                        1.50   0.00");
    EXPECT_EQ(z[p1 + 1], "Holzfäller:                     0.00   0.00");
    EXPECT_EQ(z[p1 + 41], "Kammerfrau:                     0.00   1.00");
    EXPECT_EQ(z[p1 + 49], "Zarin:                          0.00   0.00");
    EXPECT_EQ(z[p2 + 15], "Bibliothek:                     0.00   0.50");
    EXPECT_EQ(z[p2 + 37], "Weißes Kloster:                 0.00   0.00");
}

TEST(StatistikBericht, KopfEinstellungenUndParameterbloecke) {
    TKatalog kat;
    const auto z = Zeilen(StatistikBerichtText(HandStatistik(), kat, 0xFFFFFFFEu));
    ASSERT_GE(z.size(), 6u);
    EXPECT_EQ(z[0], "**********************************************");
    EXPECT_EQ(z[1], "*****        STATISTIC                   *****");
    EXPECT_EQ(z[3], "");
    EXPECT_EQ(z[4], "");
    EXPECT_EQ(z[5], "Number of cards of card type for each player for each position ");

    const int seed = Finde(z, "RandSeed: -2");
    ASSERT_GT(seed, 2);
    EXPECT_EQ(z[seed - 1], "");
    EXPECT_EQ(z[seed - 2], "");
    const std::vector<std::string> kopf = {"RandSeed: -2",
                                           "",
                                           "Number of players : 2",
                                           "",
                                           "Strategy  Spieler 1 : 12",
                                           "Strategy  Spieler 2 : 14",
                                           "Start money  player 1 : 25",
                                           "Start money  player 2 : 25",
                                           "Start role player 1 : 0",
                                           "Start role player 2 : 0",
                                           "Start role player 3 : 0",
                                           "Start role player 4 : 3",
                                           "",
                                           "Parameter Strategy 2:",
                                           "S2-GrenzeB : 18",
                                           "S2-GrenzeR : 10",
                                           "S2-Runde   : 6",
                                           "",
                                           "Parameter Strategy 3:",
                                           "S3-GrenzeB : 14"};
    for (size_t i = 0; i < kopf.size(); ++i) EXPECT_EQ(z[seed + i], kopf[i]) << i;

    // Block sizes: heading, its lines, one empty line.
    const int zeilen[] = {0, 0, 3, 3, 13, 13, 19, 19, 18, 18, 19, 19, 15, 15, 15, 15};
    for (int s = 2; s <= 15; ++s) {
        const int b = Finde(z, "Parameter Strategy " + std::to_string(s) + ":");
        ASSERT_GT(b, 0) << s;
        EXPECT_EQ(z[b + zeilen[s] + 1], "") << s;
        EXPECT_NE(z[b + zeilen[s]], "") << s;
        if (s < 15) {
            EXPECT_EQ(z[b + zeilen[s] + 2], "Parameter Strategy " + std::to_string(s + 1) + ":");
        }
    }
    const int b10 = Finde(z, "Parameter Strategy 10:");
    EXPECT_EQ(z[b10 + 11], "B_W18  : 10");
    EXPECT_EQ(z[b10 + 12], "B_R19  : 4");
    EXPECT_EQ(z[b10 + 13], "R_G2   : 6");
    const int b12 = Finde(z, "Parameter Strategy 12:");
    EXPECT_EQ(z[b12 + 6], "B_G21  : 18");
    EXPECT_EQ(z[b12 + 15], "E_A17  : 1");
    const int b15 = Finde(z, "Parameter Strategy 15:");
    EXPECT_EQ(z[b15 + 17], "");
    EXPECT_EQ(z[b15 + 18], "");
    EXPECT_EQ(z[b15 + 19], "number of games: 3");
}

TEST(StatistikBericht, MittelwerteRundenVerteilungUndPlaetze) {
    TKatalog kat;
    const auto z = Zeilen(StatistikBerichtText(HandStatistik(), kat, 5));
    const int g = Finde(z, "number of games: 3");
    ASSERT_GT(g, 0);
    const std::vector<std::string> runden = {"number of games: 3",
                                             "Number of rounds : 20",
                                             "Mean number of rounds: 6.67",
                                             "Minimal number of rounds : 6",
                                             "Maximal number of rounds : 7",
                                             "",
                                             "Number of games with X rounds:",
                                             "5 rounds: 0",
                                             "6 rounds: 1",
                                             "7 rounds: 2"};
    for (size_t i = 0; i < runden.size(); ++i) EXPECT_EQ(z[g + i], runden[i]) << i;
    EXPECT_EQ(z[g + 17], "15 rounds: 0");
    EXPECT_EQ(z[g + 18], "");
    EXPECT_EQ(z[g + 19], "green stack at end(Min,Mean,Max)       : 1000  0.0  -1");
    EXPECT_EQ(z[g + 22], "upgrade stack at end(Min,Mean,Max)     : 2  3.3  5");

    const int hand = Finde(z, "How often has each player 0, 1, 2, 3, or 4 cards on hand at game end: ");
    ASSERT_GT(hand, 0);
    EXPECT_EQ(z[hand - 1], "");
    EXPECT_EQ(z[hand - 2], "");
    EXPECT_EQ(z[hand + 1], "Spieler 1 : 3  0  0  0  0");
    EXPECT_EQ(z[hand + 2], "Spieler 2 : 0  2  0  0  1");
    EXPECT_EQ(z[hand + 3], "");
    EXPECT_EQ(z[hand + 4], "Statistic of games with 6 rounds: ");
    EXPECT_EQ(z[hand + 6], "number of victory points of player 2 (Min,Mean,Max): 5  5.0  5");
    EXPECT_EQ(z[hand + 8], "Statistic of games with 7 rounds: ");
    EXPECT_EQ(z[hand + 9], "number of victory points of player 1 (Min,Mean,Max): 0  0.5  1");
    EXPECT_EQ(z[hand + 11], "");
    EXPECT_EQ(z[hand + 12], "Complete statistic: ");
    EXPECT_EQ(z[hand + 14], "number of victory points of player 2 (Min,Mean,Max): 3  3.7  5");

    const std::vector<std::string> schluss = {
        "How often was each player on position X at game end (Pos1/Pos2/Pos3/Pos4): ", "Player 1 : 2   1   ",
        "Player 2 : 1   2   "};
    ASSERT_GE(z.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(z[z.size() - 3 + i], schluss[i]);
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

TEST(ExtraStatistik, KopfNenntVierSpieler) {
    const std::string k = ExtraStatistikKopf();
    EXPECT_EQ(k.rfind("AnzS,Runde,Phase,1G,1S,11K,11G,11S,12K,12G,12S,13K,13G,13S,2G,", 0), 0u);
    EXPECT_EQ(k.substr(k.size() - 20), "42G,42S,43K,43G,43S,");
    EXPECT_EQ(std::count(k.begin(), k.end(), ','), 3 + 4 * 11);
}

TEST(ExtraStatistik, ZeileAusHandgebautemStand) {
    TEnde e(2);
    e.g.S.Runde = 3;
    e.g.S.Phase = 2;
    TSpieler& s1 = e.g.Sp(1);
    s1.Geld = 27;
    s1.Siegpunkte = 4;
    Karte(s1.Karten[1], {1, 2});    // Goldgräber K4 G3
    Karte(s1.Karten[1], {4, 3});    // Weberei K8 G6
    Karte(s1.Karten[2], {1002, 5}); // used Sternwarte K6 S1
    Karte(s1.Karten[2], {4, 6});    // Hofoper: its per-card money is no catalogue value
    Karte(s1.Karten[3], {3, 1});    // Schreiber K4 G1
    Karte(s1.Karten[3], {3, 1});
    Karte(s1.Karten[3], {4, 20}); // Senator K12 G2 S2
    s1.Sondereigenschaften = GeldProRot;
    Karte(s1.Hand(), {3, 7}); // hand cards count nowhere
    TSpieler& s2 = e.g.Sp(2);
    s2.Geld = 9;
    Karte(e.g.Sp(3).Karten[1], {1, 1}); // a seat that does not take part is not written

    char puffer[ExtraStatistikZeileMax];
    size_t n = ExtraStatistikZeile(e.g, 12, puffer);
    // Points of seat 1: 4 + bonus 3 (two kinds: Schreiber, Senator) + 27 div 10.
    EXPECT_EQ(std::string(puffer, n), "12,3,2,27,9,12,9,0,16,0,1,20,4,2,9,0,0,0,0,0,0,0,0,0,0,");

    // After the final scoring the bonus and money points are in Siegpunkte and count again.
    e.g.S.AdelsbonusErweitert = 1;
    s1.Siegpunkte = 100;
    n = ExtraStatistikZeile(e.g, 1, puffer);
    EXPECT_EQ(std::string(puffer, n).substr(0, 13), "1,3,2,27,105,");
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
