// Turn sequence, pub round, refill and the end of the stacks, start-player tokens, the display
// and the draw stacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "control/fensterzustand.h"
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

TEST_F(Ablauf, KurzerOderLeererStapelLaesstDieAuslageKurz) {
    g.S.Auslage[2].Anzahl = 2;
    g.S.Auslage[2].Karten[7] = K(1);
    g.S.Auslage[2].Karten[8] = K(2);
    TKartenstapel& blau = g.S.Kartenstapel[2];
    blau.Naechste = blau.Anzahl - 2; // 3 cards left for 6 places
    g.S.AnzahlPassen = 4;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.Phase, 2);
    EXPECT_EQ(g.S.StapelLeer, 1);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 3);
    EXPECT_EQ(g.S.Auslage[2].Anzahl, 2);
    EXPECT_EQ(ZeilenMit("Ziehe vom Stapel 2 : "), 3);

    // A stack that is already empty gives nothing and is not traced.
    Aufbauen(4);
    TKartenstapel& gruen = g.S.Kartenstapel[1];
    gruen.Naechste = gruen.Anzahl + 1;
    g.S.Phase = 4;
    g.S.AnzahlPassen = 4;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.Phase, 1);
    EXPECT_EQ(g.S.Runde, 2);
    EXPECT_EQ(g.S.StapelLeer, 1);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 0);
    EXPECT_EQ(ZeilenMit("Ziehe vom Stapel"), 0);

    // Nine cards for eight places: the stack is not used up.
    Aufbauen(4);
    TKartenstapel& erw = g.S.Kartenstapel[4];
    erw.Naechste = erw.Anzahl - 8;
    g.S.Phase = 3;
    g.S.AnzahlPassen = 4;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.StapelLeer, 0);
    EXPECT_EQ(g.S.RestStapel(4), 1);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Ablauf, PassenMitWartenderSternwartenkarte) {
    g.S.AktuellerSpieler = 1;
    g.S.AnzahlPassen = 2;
    TFensterZustand fenster(g);
    fenster.SternwartenKarte = K(49);
    fenster.MarkierteTischplaetze[3] = 1;
    Passen(g, 1);
    EXPECT_TRUE(fenster.SternwartenKarte.Leer());
    EXPECT_FALSE(fenster.MarkierteTischplaetze[3]);
    EXPECT_EQ(g.S.AblageAnzahl, 1);
    EXPECT_EQ(g.S.AnzahlPassen, 0);
    EXPECT_EQ(g.Sp(1).LetzteAktion, AktionSAbwurf);
    EXPECT_EQ(g.Sp(1).LetzteKarte, K(49));
    EXPECT_EQ(LetzteZeile(), "Spieler 1 wirft (Index 49 , Farbe 3-erw , Zarin) ab(1)");
    EXPECT_EQ(ZeilenMit("passt"), 0);

    // An ordinary pass afterwards.
    g.Sp(1).LetzteKarte = K(3);
    Passen(g, 1);
    EXPECT_EQ(g.S.AnzahlPassen, 1);
    EXPECT_EQ(g.Sp(1).LetzteAktion, AktionPasse);
    EXPECT_TRUE(g.Sp(1).LetzteKarte.Leer());
    EXPECT_EQ(LetzteZeile(), "Spieler 1 passt(1)");

    // A computer seat passes even with a card waiting.
    fenster.SternwartenKarte = K(49);
    Passen(g, 2);
    EXPECT_EQ(g.S.AnzahlPassen, 2);
    EXPECT_EQ(g.S.AblageAnzahl, 1);
}

// Settings that name a role twice, or a seat beyond the third in a 3-player game, cannot be
// dealt as they stand; the deal must still give every role to a seat that takes part.
TEST_F(Startspieler, UnspielbareVorgabenGebenTrotzdemEineVolleVerteilung) {
    const std::pair<int, Arr1<int32_t, 4>> faelle[] = {
        {4, {1, 1, 0, 0}}, {4, {2, 2, 2, 2}}, {2, {1, 0, 1, 0}}, {3, {0, 0, 0, 4}}, {3, {2, 2, 0, 1}},
    };
    for (const auto& [n, r] : faelle) {
        for (uint32_t seed = 1; seed <= 10; ++seed) {
            Arr1<int32_t, 4> st = Verteile(n, r, seed);
            for (int rolle = 1; rolle <= 4; ++rolle) {
                EXPECT_GE(st[rolle], 1) << n << " Spieler, Rolle " << rolle;
                EXPECT_LE(st[rolle], n) << n << " Spieler, Rolle " << rolle;
            }
            if (n == 2) {
                EXPECT_EQ(Marken(st, 1), 2);
            }
        }
    }
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
