// The correction mode marks the game for good; the dialog's state when opened, confirmed and aborted.
#include <gtest/gtest.h>

#include "control/fensterzustand.h"
#include "control/korrektur.h"

using namespace vm;

TEST(Korrektur, ModusMarkiertDasSpielDauerhaft) {
    TKatalog kat;
    TSpielsitzung g{kat};
    KorrekturModusSetzen(g, true);
    EXPECT_FALSE(KorrekturmodusAn(g)) << "without a window there is no correction mode";
    EXPECT_EQ(g.S.Korrigiert, 0);
    TFensterZustand fenster(g);
    KorrekturModusSetzen(g, false);
    EXPECT_EQ(g.S.Korrigiert, 0);
    KorrekturModusSetzen(g, true);
    EXPECT_TRUE(KorrekturmodusAn(g));
    EXPECT_EQ(g.S.Korrigiert, 1);
    EXPECT_EQ(KorrekturStatus(true), "Korrektur");
    KorrekturModusSetzen(g, false);
    EXPECT_FALSE(KorrekturmodusAn(g));
    EXPECT_EQ(g.S.Korrigiert, 1);
    // A game set up while the mode is on starts marked.
    KorrekturModusSetzen(g, true);
    g.ZustandZuruecksetzen();
    EXPECT_EQ(g.S.Korrigiert, 1);
    KorrekturModusSetzen(g, false);
    g.ZustandZuruecksetzen();
    EXPECT_EQ(g.S.Korrigiert, 0);
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
