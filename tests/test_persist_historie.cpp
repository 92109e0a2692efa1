// The history: record layout, entries pushed by the rules, undo/redo and their conditions.
#include <gtest/gtest.h>

#include <cstring>

#include "control/fensterzustand.h"
#include "testspieler.h"

using namespace vm;
using vm::test::SpielMitHistorie;

namespace {

template <class T> T LiesBei(const void* basis, size_t offset) {
    T v;
    std::memcpy(&v, static_cast<const char*>(basis) + offset, sizeof v);
    return v;
}

bool GleicherStand(const TSpielstand& a, const TSpielstand& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(Historie, DieRegelnLegenEinenEintragAnWennSitz1AmZugIst) {
    SpielMitHistorie s(4);
    s.Neu();
    // Seat 1 may or may not begin; every entry is a position with seat 1 to move.
    int32_t letzte = s.h.H().AnzahlEintraege;
    while (!s.g.S.Spielende) {
        s.Zug();
        const TSpielHistorie& h = s.h.H();
        ASSERT_LE(h.AnzahlEintraege, HistorieEintraege);
        if (h.AnzahlEintraege != letzte) {
            ASSERT_EQ(h.AnzahlEintraege, letzte + 1);
            ASSERT_EQ(h.AktuellerEintrag, h.AnzahlEintraege);
            EXPECT_EQ(h.Eintrag[h.AktuellerEintrag].AktuellerSpieler, 1);
            EXPECT_TRUE(GleicherStand(h.Eintrag[h.AktuellerEintrag], s.g.S) || s.g.S.AktuellerSpieler != 1);
            letzte = h.AnzahlEintraege;
        }
    }
    const TSpielHistorie& h = s.h.H();
    ASSERT_GE(h.AnzahlEintraege, 10);
    // The final position is the last entry.
    EXPECT_EQ(h.Eintrag[h.AnzahlEintraege].Spielende, 1);
    EXPECT_TRUE(GleicherStand(h.Eintrag[h.AnzahlEintraege], s.g.S));
    EXPECT_EQ(s.h.Anzeige().Status,
              "History: " + std::to_string(h.AnzahlEintraege) + " von " + std::to_string(h.AnzahlEintraege));
}

TEST(Historie, RueckgaengigUndWiederherstellenSchreitenDurchDieEintraege) {
    SpielMitHistorie s(3);
    s.Neu();
    s.BisEintraege(5);
    ASSERT_EQ(s.h.H().AnzahlEintraege, 5);
    ASSERT_EQ(s.g.S.AktuellerSpieler, 1);
    EXPECT_TRUE(s.h.Anzeige().Rueckgaengig);
    EXPECT_FALSE(s.h.Anzeige().Wiederherstellen);
    s.g.Log.TraceAn = true;

    EXPECT_TRUE(s.h.Rueckgaengig(s.g));
    EXPECT_TRUE(s.h.Rueckgaengig(s.g));
    EXPECT_EQ(s.h.H().AktuellerEintrag, 3);
    EXPECT_TRUE(GleicherStand(s.g.S, s.h.H().Eintrag[3]));
    EXPECT_EQ(s.h.Anzeige().Status, "History: 3 von 5");
    EXPECT_TRUE(s.h.Anzeige().Rueckgaengig);
    EXPECT_TRUE(s.h.Anzeige().Wiederherstellen);

    EXPECT_TRUE(s.h.Wiederherstellen(s.g));
    EXPECT_TRUE(GleicherStand(s.g.S, s.h.H().Eintrag[4]));
    EXPECT_TRUE(s.h.GanzZurueck(s.g));
    EXPECT_EQ(s.h.H().AktuellerEintrag, 1);
    EXPECT_FALSE(s.h.Anzeige().Rueckgaengig);
    EXPECT_FALSE(s.h.Rueckgaengig(s.g));
    EXPECT_TRUE(s.h.GanzVor(s.g));
    EXPECT_EQ(s.h.H().AktuellerEintrag, 5);
    EXPECT_FALSE(s.h.Anzeige().Wiederherstellen);
    EXPECT_FALSE(s.h.Wiederherstellen(s.g));

    std::vector<std::string> erwartet = {"UNDO auf (4 von 5)", "UNDO auf (3 von 5)", "REDO auf (4 von 5)",
                                         "UNDO auf (1 von 5)", "REDO auf (5 von 5)"};
    EXPECT_EQ(s.g.Log.Zeilen(), erwartet);
}

TEST(Historie, RueckgaengigWirdAbgelehntWennDieBedingungenFehlen) {
    SpielMitHistorie s(3);
    s.Neu();
    s.BisEintraege(4);
    ASSERT_EQ(s.g.S.AktuellerSpieler, 1);
    auto alleAbgelehnt = [&] {
        const TSpielstand vorher = s.g.S;
        EXPECT_FALSE(s.h.Rueckgaengig(s.g));
        EXPECT_FALSE(s.h.GanzZurueck(s.g));
        EXPECT_FALSE(s.h.GanzVor(s.g));
        EXPECT_EQ(s.h.H().AktuellerEintrag, 4);
        EXPECT_TRUE(GleicherStand(s.g.S, vorher));
    };
    s.g.S.AktuellerSpieler = 2; // a computer seat to move
    alleAbgelehnt();
    s.g.S.AktuellerSpieler = 1;
    s.g.S.Computer[1] = 1; // seat 1 played by the computer
    alleAbgelehnt();
    s.g.S.Computer[1] = 0;
    s.h.HistorieAktiv = true;
    alleAbgelehnt();
    s.h.HistorieAktiv = false;
    s.h.Sperre = PuzzleSperre(false);
    alleAbgelehnt();
    s.h.Sperre = {};
    EXPECT_TRUE(s.h.Rueckgaengig(s.g));
}

