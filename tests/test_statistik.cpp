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

// A session with a finished-looking 2- to 4-player state: empty tables, given points and money.
struct TEnde {
    TKatalog kat;
    TSpielsitzung g{kat};
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

} // namespace
