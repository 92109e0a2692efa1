// Turn sequence, pub round, refill and the end of the stacks, start-player tokens, the display
// and the draw stacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/stapel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

tKartenRef K(int32_t inx) {
    return KarteInx(inx);
}

class ZaehlAblauf : public ISpielAblauf {
public:
    int historie = 0, spielende = 0;
    void HistorieEintrag() override { ++historie; }
    void SpielendeAnzeigen() override { ++spielende; }
};

class Ablauf : public Stellung {
protected:
    ZaehlAblauf ablauf;
    void SetUp() override {
        Stellung::SetUp();
        g.SetzeAblauf(&ablauf);
    }
    // Index of the first log line equal to `z`, or -1.
    int Zeile(const std::string& z) const {
        const auto& v = g.Log.Zeilen();
        auto it = std::find(v.begin(), v.end(), z);
        return it == v.end() ? -1 : static_cast<int>(it - v.begin());
    }
    void PassenUndWeiter(int sitz) {
        ASSERT_EQ(g.S.AktuellerSpieler, sitz);
        Passen(g, sitz);
        NaechsterSpieler(g);
    }
};

class Startspieler : public ::testing::Test {
protected:
    TKatalog kat;
    // Deals the tokens for `n` players with start roles `r` from `seed`; returns Startspieler.
    Arr1<int32_t, 4> Verteile(int n, Arr1<int32_t, 4> r, uint32_t seed) {
        Spielsitzung g(kat);
        g.Einstellungen.Fuer(n).StartRolle = r;
        g.Menue.SpielerAnzahl = n;
        g.Zufall.RandSeed = seed;
        SpielAufbau(g);
        EXPECT_EQ(g.AnzahlFehler, 0);
        return g.S.Startspieler;
    }
    static int Marken(const Arr1<int32_t, 4>& st, int sitz) {
        return static_cast<int>(std::count(st.begin(), st.end(), sitz));
    }
};

} // namespace

TEST_F(Ablauf, SchenkeAktivierenMeldetFehlendeSchenke) {
    g.Sp(1).Geld = 10;
    AktiviereSchenke(g, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure AktiviereSchenke"), 1);
    g.Sp(1).AnzahlSchenken = 1; // counted, but no pub card on the table
    AktiviereSchenke(g, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 2 in Procedure AktiviereSchenke"), 1);
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST_F(Ablauf, HandLehntFalschePlaetzeUndEineVolleHandAb) {
    LegeInHand(g, 2, {Holzfaeller, Markt, Schreiber});
    const TSpielstand vorher = g.S;
    EXPECT_TRUE(ZieheKarteHand(g, 2, 0).Leer());
    EXPECT_TRUE(ZieheKarteHand(g, 2, 4).Leer());
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure ZieheKarteHand"), 2);
    // Full without the warehouse.
    EXPECT_FALSE(NimmKarteAufHand(g, 2, K(Goldgraeber)));
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_EQ(ZieheKarteHand(g, 2, 3), K(Schreiber));
    EXPECT_EQ(g.AnzahlFehler, 2);
}
