// The correction mode: table edits without payment, the ability bookkeeping, the trace lines,
// the limits of a table, money clicks and the dialog's state.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "rules/kaufen.h"
#include "rules/korrektur.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

class Brett : public IBrett {
public:
    std::vector<std::pair<int, int>> positionen; // (seat, position) redrawn one by one
    std::set<int> tische;
    std::set<int> geld;
    void TischpositionAnzeigen(int sp, int pos) override { positionen.emplace_back(sp, pos); }
    void TischAnzeigen(int sp) override { tische.insert(sp); }
    void GeldAnzeigen(int sp) override { geld.insert(sp); }
};

class Korrektur : public ::testing::Test {
protected:
    TKatalog kat;
    Spielsitzung g{kat};
    Brett brett;

    void SetUp() override {
        g.SetzeBrett(&brett);
        g.S.SpielerAnzahl = 4;
        g.S.AktuellerSpieler = 1;
        g.S.Spielende = 0;
        for (int sp = 1; sp <= 4; ++sp) {
            g.Sp(sp).Geld = 20 + sp;
            g.Sp(sp).LetzteAktion = AktionPasse;
        }
        g.Log.TraceAn = true;
        KorrekturModusSetzen(g, true);
    }

    tKartenRef K(int32_t inx) { return InxToKarteRef(kat, inx); }

    // Lays cards on a seat's table as buying would: sorted into their lists, abilities counted.
    void Lege(int sp, std::initializer_list<int32_t> karten) {
        for (int32_t inx : karten) {
            ASSERT_TRUE(FuegeTischkarteEin(g, sp, K(inx)));
            FaehigkeitenHinzufuegen(g, sp, g.Daten(K(inx)));
        }
    }
    std::vector<int32_t> Liste(int sp, int farbe) {
        std::vector<int32_t> v;
        const TKartenliste& l = g.Sp(sp).Karten[farbe];
        for (int i = 1; i <= l.Anzahl; ++i) v.push_back(g.Daten(l.Karten[i]).Inx);
        return v;
    }
    int32_t Position(int sp, int32_t inx) {
        for (int32_t pos = 1; pos <= g.Sp(sp).Tischkarten(); ++pos)
            if (TischkarteInx(g, sp, pos) == inx) return pos;
        return 0;
    }
};

TEST_F(Korrektur, ModusMarkiertDasSpielDauerhaft) {
    g.S.Korrigiert = 0;
    KorrekturModusSetzen(g, false);
    EXPECT_EQ(g.S.Korrigiert, 0);
    KorrekturModusSetzen(g, true);
    EXPECT_TRUE(g.Menue.Korrekturmodus);
    EXPECT_EQ(g.S.Korrigiert, 1);
    EXPECT_EQ(KorrekturStatus(true), "Korrektur");
    KorrekturModusSetzen(g, false);
    EXPECT_FALSE(g.Menue.Korrekturmodus);
    EXPECT_EQ(g.S.Korrigiert, 1);
    EXPECT_EQ(KorrekturStatus(false), "  ");
}

TEST(KorrekturDialog, ZustandBeimOeffnenBestaetigenUndAbbrechen) {
    TKorrekturDialogZustand d;
    d.Vorwaehlen(0);
    d.Aktivieren();
    EXPECT_EQ(d.Inx(), 1);
    EXPECT_EQ(d.Nummer(), 1);
    d.Vorwaehlen(31);
    d.Aktivieren();
    EXPECT_EQ(d.InxBeimOeffnen(), 31);
    EXPECT_EQ(d.Aktion(), KorrekturAktion::Austauschen);
    d.NummerAendern(60);
    EXPECT_EQ(d.Nummer(), 49);
    d.NummerAendern(12);
    EXPECT_EQ(d.Inx(), 12);
    d.Abbruch();
    EXPECT_EQ(d.Inx(), 31);
    EXPECT_EQ(d.InxBeimOeffnen(), 0);

    d.Aktivieren();
    d.NummerAendern(12);
    d.Ok(KorrekturAktion::Einfuegen);
    EXPECT_EQ(d.Inx(), 12);
    EXPECT_EQ(d.InxBeimOeffnen(), 0);
    EXPECT_EQ(d.Aktion(), KorrekturAktion::Einfuegen);
    // Every opening offers the exchange again.
    d.Aktivieren();
    EXPECT_EQ(d.Aktion(), KorrekturAktion::Austauschen);
    EXPECT_EQ(d.Nummer(), 12);
}

} // namespace
