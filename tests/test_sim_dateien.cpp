// Game files from the simulator: a recorded game keeps the history of a human seat 1, plays the
// simulator's game, saves and reloads through the window's code, and inspect shows or refuses it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ai/compizug.h"
#include "ai/spielstaerke.h"
#include "persist/spieldatei.h"
#include "sim/aufnahme.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

// The options of a recording; kept in memory only, the file name is a stand-in.
TAufnahmeOptionen Aufnahme(std::vector<std::string> args) {
    if (std::find(args.begin(), args.end(), "--out") == args.end())
        args.insert(args.end(), {"--out", "x.vmk"});
    TAufnahmeArgumente a = ParseAufnahmeArgumente(args);
    EXPECT_TRUE(a.ok) << a.fehler;
    return a.opt;
}

// A recorded game in memory.
struct TAufgenommen {
    TKatalog kat;
    std::unique_ptr<TSpielsitzung> g = std::make_unique<TSpielsitzung>(kat);
    std::unique_ptr<THistorie> h = std::make_unique<THistorie>();
    int64_t zuege = 0;
    std::string fehler;

    explicit TAufgenommen(const TAufnahmeOptionen& o) { fehler = SpielAufnehmen(*g, *h, o, zuege); }
    const TSpielHistorie& H() const { return h->H(); }
};

// A file loaded as the window loads it.
struct TGeladen {
    TKatalog kat;
    std::unique_ptr<TSpielsitzung> g = std::make_unique<TSpielsitzung>(kat);
    std::unique_ptr<THistorie> h = std::make_unique<THistorie>();
    TLadeErgebnis e;

    explicit TGeladen(const std::string& datei) {
        std::string ordner;
        e = LadeSpieldatei(*g, *h, datei, ordner);
    }
};

} // namespace

TEST(SimAufnahme, GanzesSpielIstDasSpielDesSimulatorsMitDerHistorieVonSitz1) {
    const std::vector<std::string> args = {"--seed", "7", "--players", "3", "--strategies", "4,10,10"};
    TAufgenommen r(Aufnahme(args));
    ASSERT_EQ(r.fehler, "");
    const TSpielHistorie& h = r.H();
    ASSERT_GE(h.AnzahlEintraege, 10);
    EXPECT_EQ(h.AktuellerEintrag, h.AnzahlEintraege);
    EXPECT_EQ(r.g->AnzahlFehler, 0);
    // Every entry shows seat 1 on turn and played by a human, as the window's history does.
    for (int i = 1; i <= h.AnzahlEintraege; ++i) {
        const TSpielstand& e = h.Eintrag[i];
        EXPECT_EQ(e.AktuellerSpieler, 1) << i;
        EXPECT_EQ(e.Computer[1], 0) << i;
        EXPECT_EQ(e.Computer[2], 1) << i;
        EXPECT_EQ(e.Spielende, i == h.AnzahlEintraege ? 1 : 0) << i;
        EXPECT_EQ(e.Spielstaerke, Expertenmodus) << i;
    }
    for (int n = 2; n <= 4; ++n) EXPECT_EQ(h.Einstellungen.Fuer(n).Sim, 0) << n;
    EXPECT_EQ(h.Einstellungen.Fuer(3).Strategie[2], 10);

    // The same game as the simulator plays it from the same seed.
    TSimArgumente s = ParseSimArgumente(args);
    ASSERT_TRUE(s.ok);
    TKatalog kat;
    auto sim = std::make_unique<TSpielsitzung>(kat);
    ASSERT_EQ(SimVorbereiten(*sim, s.opt), "");
    SimSpiel(*sim);
    const TSpielstand& ende = h.Eintrag[h.AnzahlEintraege];
    EXPECT_EQ(ende.Runde, sim->S.Runde);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(ende.Spieler[p].Siegpunkte, sim->S.Spieler[p].Siegpunkte) << p;
        EXPECT_EQ(ende.Spieler[p].Geld, sim->S.Spieler[p].Geld) << p;
        EXPECT_EQ(std::memcmp(&ende.Spieler[p], &sim->S.Spieler[p], sizeof ende.Spieler[p]), 0) << p;
    }
    EXPECT_EQ(r.g->Zufall.RandSeed, sim->Zufall.RandSeed);
}
