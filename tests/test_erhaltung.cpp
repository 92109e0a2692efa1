// Whole games with random legal moves of every kind: the invariants of the game state hold
// after every single action, and a seed reproduces its game.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

bool UnterSanitizer() {
    return std::getenv("VELDMARK_SANITIZE") != nullptr;
}

struct TLauf {
    int spiele = 0;
    int64_t runden = 0;
    TAktionZaehler zaehler{};
};

// Plays `spiele` games of one player count, cycling through the eight variant combinations.
TLauf SpieleSerie(int spieler, int spiele, uint32_t basis, bool menschAufEins = false) {
    TLauf lauf;
    TKatalog kat;
    for (int i = 0; i < spiele; ++i) {
        Spielsitzung g(kat);
        const uint32_t seed = basis + static_cast<uint32_t>(i) * 7919u;
        // Start money varies so that rich and poor seats both occur.
        for (int s = 1; s <= 4; ++s)
            g.Einstellungen.Fuer(spieler).StartGeld[s] = 5 + static_cast<int32_t>((seed >> s) % 50);
        NeueTestpartie(g, spieler, seed, i & 1, (i >> 1) & 1, (i >> 2) & 1);
        if (menschAufEins) g.S.Computer[1] = 0;
        TestSpieler t(seed ^ 0x5eedu);
        std::string f = SpieleBisEnde(g, t, lauf.zaehler);
        if (!f.empty()) {
            ADD_FAILURE() << spieler << " Spieler, Spiel " << i << " (Seed " << seed << "): " << f;
            return lauf;
        }
        ++lauf.spiele;
        lauf.runden += g.S.Runde;
    }
    return lauf;
}

void PruefeSerie(int spieler) {
    // 3000 games over the three player counts; fewer under the sanitizers.
    const int spiele = UnterSanitizer() ? 100 : 1000;
    TLauf lauf = SpieleSerie(spieler, spiele, 1000u * static_cast<uint32_t>(spieler) + 17u);
    ASSERT_EQ(lauf.spiele, spiele);
    // Every kind of action must really have been played, or the check above proves little.
    for (int a = 0; a < AktionArten; ++a) {
        if (static_cast<Aktion>(a) != Aktion::SternwartePassen) {
            EXPECT_GT(lauf.zaehler[a], 0) << "nie gespielt: " << AktionName(static_cast<Aktion>(a));
        }
    }
    EXPECT_EQ(lauf.zaehler[static_cast<int>(Aktion::SternwartePassen)], 0);
    EXPECT_GT(lauf.runden, static_cast<int64_t>(spiele) * 2);
}

} // namespace

TEST(Kartenerhaltung, ZweiSpieler) {
    PruefeSerie(2);
}
TEST(Kartenerhaltung, DreiSpieler) {
    PruefeSerie(3);
}
TEST(Kartenerhaltung, VierSpieler) {
    PruefeSerie(4);
}

// Seat 1 played by the human's operations: the pub is offered to it, and an upgrade drawn at the
// observatory may wait and be discarded by passing.
TEST(Kartenerhaltung, MenschAufSitzEins) {
    const int spiele = UnterSanitizer() ? 60 : 300;
    int64_t wartend = 0, schenke = 0;
    for (int n = 2; n <= 4; ++n) {
        TLauf lauf = SpieleSerie(n, spiele / 3, 555u * static_cast<uint32_t>(n), true);
        ASSERT_EQ(lauf.spiele, spiele / 3);
        wartend += lauf.zaehler[static_cast<int>(Aktion::SternwartePassen)];
        schenke += lauf.zaehler[static_cast<int>(Aktion::Schenke)];
    }
    EXPECT_GT(wartend, 0);
    EXPECT_GT(schenke, 0);
}

// The checker itself must see the faults it is there for, each with its own message.
TEST(Kartenerhaltung, PrueferMeldetVerletzungen) {
    TKatalog kat;
    Spielsitzung g(kat);
    NeueTestpartie(g, 3, 99);
    ASSERT_EQ(PruefeSpielstand(g), "");

    auto verletzt = [&](auto aendern, const TSpielstand* vorher = nullptr) {
        TSpielstand gesichert = g.S;
        aendern();
        std::string f = PruefeSpielstand(g, vorher);
        g.S = gesichert;
        return f;
    };
    EXPECT_ENTHAELT(verletzt([&] { ++g.S.AblageAnzahl; }), "AblageAnzahl");
    EXPECT_ENTHAELT(verletzt([&] { ++g.S.Kartenstapel[2].Naechste; }), "AblageAnzahl");
    EXPECT_ENTHAELT(verletzt([&] { g.S.Auslage[1].Karten[2] = {}; }), "links gepackt");
    EXPECT_ENTHAELT(verletzt([&] {
                        g.S.Auslage[2].Karten[8] = g.S.Auslage[1].Karten[1];
                        g.S.Auslage[2].Anzahl = 1;
                        g.S.Auslage[2].Karten[7] = g.S.Auslage[1].Karten[1];
                    }),
                    "rechts gepackt");
    EXPECT_ENTHAELT(verletzt([&] { LegeAufTisch(g, 1, {6, 6}); }), "Stück im Spiel");
    EXPECT_ENTHAELT(verletzt([&] { g.Sp(1).Geld = -1; }), "Geld -1");
    EXPECT_ENTHAELT(verletzt([&] { g.Sp(4).Geld = 5; }), "nimmt nicht teil");
    EXPECT_ENTHAELT(verletzt([&] { g.Sp(2).Sondereigenschaften = Lagerhaus; }), "Sondereigenschaften");
    EXPECT_ENTHAELT(verletzt([&] {
                        LegeAufTisch(g, 2, {7});
                        --g.Sp(2).AnzahlSchenken;
                    }),
                    "AnzahlSchenken");
    EXPECT_ENTHAELT(verletzt([&] { LegeAufTisch(g, 1, {10, 7}); }), "sortiert");
    EXPECT_ENTHAELT(verletzt([&] {
                        LegeAufTisch(g, 2, {18});
                        g.Sp(2).Karten[3].Karten[1].Farbe += Benutzt;
                    }),
                    "Benutzt-Marke");
    EXPECT_ENTHAELT(verletzt([&] {
                        LegeAufTisch(g, 2, {11});
                        g.Sp(2).Karten[2].Karten[1].Farbe += Benutzt; // used observatory, but in phase 1
                    }),
                    "Benutzt-Marke");

    const TSpielstand vorher = g.S;
    EXPECT_ENTHAELT(verletzt([&] { LegeInHand(g, 1, {1, 2}); }, &vorher), "Hand von 0 auf 2");
    EXPECT_ENTHAELT(verletzt([&] { LegeInHand(g, 1, {1, 2, 3, 4, 5}); }), "5 Handkarten");
    TSpielstand abgeworfen = g.S;
    ++abgeworfen.Kartenstapel[3].Naechste;
    ++abgeworfen.AblageAnzahl;
    EXPECT_ENTHAELT(verletzt([] {}, &abgeworfen), "zurückgekommen");

    g.AnzahlFehler = 1;
    EXPECT_ENTHAELT(PruefeSpielstand(g), "interne Fehler");
}

// The same seeds give the same game, trace line for trace line; another seed another game.
TEST(Kartenerhaltung, GleicherSeedGleicheSpur) {
    TKatalog kat;
    auto spur = [&](uint32_t seed, uint32_t spielerSeed) {
        Spielsitzung g(kat);
        g.Log.TraceAn = true;
        NeueTestpartie(g, 3, seed, true, false, true);
        TestSpieler t(spielerSeed);
        TAktionZaehler z{};
        EXPECT_EQ(SpieleBisEnde(g, t, z), "");
        return g.Log.Zeilen();
    };
    const std::vector<std::string> a = spur(4711, 1);
    const std::vector<std::string> b = spur(4711, 1);
    EXPECT_GT(a.size(), 300u);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, spur(4712, 1));
    EXPECT_NE(a, spur(4711, 2));
}
