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

TEST_F(Ablauf, PhaseEndetErstWennAlleHintereinanderPassen) {
    Aufbauen(3);
    g.S.AktuellerSpieler = 2;
    g.Sp(3).Geld = 10;
    g.S.Auslage[1].Anzahl = 1;
    g.S.Auslage[1].Karten[1] = K(1);

    PassenUndWeiter(2);
    EXPECT_EQ(g.S.AnzahlPassen, 1);
    ASSERT_EQ(g.S.AktuellerSpieler, 3);
    LegeBezahleSpielerkarteTisch(g, 3, 1, 1, ZieheKarteAuslage(g, 1, 1));
    EXPECT_EQ(g.S.AnzahlPassen, 0);
    NaechsterSpieler(g);
    PassenUndWeiter(1);
    PassenUndWeiter(2);
    EXPECT_EQ(g.S.AnzahlPassen, 2);
    EXPECT_EQ(g.S.Phase, 1);
    EXPECT_EQ(LetzteZeile(), "Nächster Spieler: 3");
    PassenUndWeiter(3);

    EXPECT_GE(Zeile("Spieler 1 passt(1)"), 0);
    EXPECT_GE(Zeile("Spieler 2 passt(2)"), 0);
    EXPECT_GE(Zeile("Spieler 3 passt(3)"), 0);
    EXPECT_GE(Zeile("Wertung Spieler 3: Geld = (3,10)  -  Siegpunkte = (0,0)"), 0);
    EXPECT_EQ(g.S.Phase, 2);
    EXPECT_EQ(g.S.AnzahlPassen, 0);
    EXPECT_EQ(g.S.AktuellerSpieler, g.S.Startspieler[2]);
    EXPECT_EQ(g.S.Runde, 1);
    // The display is refilled with the next phase's colour.
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 8);
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(g.S.Auslage[1].Karten[p].Farbe, 2);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Ablauf, NachSitzVierKommtEinsMitHistorieneintrag) {
    g.S.AktuellerSpieler = 3;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.AktuellerSpieler, 4);
    EXPECT_EQ(ablauf.historie, 0);
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.AktuellerSpieler, 1);
    EXPECT_EQ(ablauf.historie, 1);
    EXPECT_EQ(LetzteZeile(), "Nächster Spieler: 1");
    NaechsterSpieler(g);
    EXPECT_EQ(ablauf.historie, 1);
}

TEST_F(Ablauf, SchenkenrundeBesuchtSitzDreiVorSitzEins) {
    // Seats 1 and 3 own a pub and have money; seat 2's pub lacks money; seat 4 has none.
    LegeAufTisch(g, 1, {1, 7});
    LegeAufTisch(g, 2, {7});
    LegeAufTisch(g, 3, {7, 10});
    g.Sp(1).Geld = 10;
    g.Sp(2).Geld = 1;
    g.Sp(3).Geld = 2;
    g.Sp(4).Geld = 30;
    g.S.Computer[3] = 1;
    g.S.Phase = 2;
    g.S.AnzahlPassen = 4;
    g.S.AktuellerSpieler = 2;

    NaechsterSpieler(g);
    EXPECT_EQ(g.S.SchenkeModus, 1);
    EXPECT_EQ(g.S.Phase, 2);
    EXPECT_EQ(g.S.AktuellerSpieler, 3);
    EXPECT_GE(Zeile("Wertung Spieler 3: Geld = (0,2)  -  Siegpunkte = (1,1)"), 0);

    // A pass in the pub round changes nothing.
    const TSpielstand vorher = g.S;
    const size_t zeilen = g.Log.Zeilen().size();
    Passen(g, 3);
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_EQ(g.Log.Zeilen().size(), zeilen);

    KaufSiegpunkte(g, 3, 1);
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.SchenkeModus, 1);
    EXPECT_EQ(g.S.AktuellerSpieler, 1);
    EXPECT_TRUE(g.MarkierteTischplaetze[2]); // the human's pub is offered

    NaechsterSpieler(g);
    EXPECT_EQ(g.S.SchenkeModus, 0);
    EXPECT_EQ(g.S.Phase, 3);
    EXPECT_FALSE(g.MarkierteTischplaetze[2]);
    EXPECT_EQ(g.Sp(3).Siegpunkte, 2);
    EXPECT_EQ(g.Sp(3).Geld, 0);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Ablauf, OhneNutzbareSchenkeFolgtPhaseDreiSofort) {
    LegeAufTisch(g, 2, {7, 10});
    g.Sp(2).Geld = 1;
    g.S.Phase = 2;
    g.S.AnzahlPassen = 4;
    g.S.AktuellerSpieler = 4;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.SchenkeModus, 0);
    EXPECT_EQ(g.S.Phase, 3);
    EXPECT_EQ(g.Sp(2).Siegpunkte, 1);
    const int wertung = Zeile("Wertung Spieler 4: Geld = (0,0)  -  Siegpunkte = (0,0)");
    ASSERT_GE(wertung, 0);
    EXPECT_GT(Zeile("Neue Phase: 3"), wertung);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Ablauf, SchenkeAktivierenMeldetFehlendeSchenke) {
    g.Sp(1).Geld = 10;
    AktiviereSchenke(g, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure AktiviereSchenke"), 1);
    g.Sp(1).AnzahlSchenken = 1; // counted, but no pub card on the table
    AktiviereSchenke(g, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 2 in Procedure AktiviereSchenke"), 1);
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST_F(Ablauf, LetzteKarteBeimAuffuellenSetztStapelLeerUndDasSpielEndet) {
    TKartenstapel& rot = g.S.Kartenstapel[3];
    rot.Naechste = rot.Anzahl - 7; // exactly 8 cards left
    g.S.Phase = 2;
    g.S.AnzahlPassen = 4;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.Phase, 3);
    EXPECT_EQ(g.S.StapelLeer, 1);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 8);
    EXPECT_EQ(g.S.RestStapel(3), 0);

    g.S.AnzahlPassen = 4;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.Phase, 4);
    EXPECT_EQ(g.S.Spielende, 0);
    g.S.AnzahlPassen = 4;
    g.S.AktuellerSpieler = 3;
    g.Sp(2).Geld = 47;
    const int historie = ablauf.historie;
    NaechsterSpieler(g);
    EXPECT_EQ(g.S.Spielende, 1);
    EXPECT_EQ(g.S.AktuellerSpieler, 1);
    EXPECT_EQ(g.S.Runde, 1);
    EXPECT_EQ(LetzteZeile(), "Spielende !!");
    EXPECT_GE(Zeile("Wertung Spieler 2: Geld = (0,47)  -  Siegpunkte = (4,4)"), 0);
    EXPECT_EQ(ablauf.spielende, 1);
    EXPECT_EQ(ablauf.historie, historie + 1);
    EXPECT_EQ(g.Platz[2], 1);
    EXPECT_EQ(g.Platz[1], 2);
    EXPECT_EQ(g.AnzahlFehler, 0);
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

TEST_F(Ablauf, NeueRundeSchiebtMarkenUndAuslage) {
    Aufbauen(3);
    g.S.Startspieler = {1, 2, 3, 1};
    g.S.Auslage[1].Anzahl = 3;
    for (int p = 1; p <= 3; ++p) g.S.Auslage[1].Karten[p] = K(p);
    g.S.Auslage[2].Anzahl = 2;
    g.S.Auslage[2].Karten[7] = K(10);
    g.S.Auslage[2].Karten[8] = K(11);
    g.S.Phase = 4;
    g.S.AnzahlPassen = 3;
    NaechsterSpieler(g);

    EXPECT_EQ(g.S.Startspieler[1], 2);
    EXPECT_EQ(g.S.Startspieler[2], 3);
    EXPECT_EQ(g.S.Startspieler[3], 1);
    EXPECT_EQ(g.S.Startspieler[4], 2);
    const int werfe = Zeile("Werfe 2 Karten auf den Ablagestapel");
    ASSERT_GE(werfe, 0);
    const auto& z = g.Log.Zeilen();
    EXPECT_EQ(z[werfe + 1], "Verschiebe erste Reihe der Auslage in die zweite Reihe(3 Karten)");
    EXPECT_EQ(z[werfe + 2], "Startspielersteine weitergeschoben (2,3,1,2)");
    EXPECT_EQ(z[werfe + 3], "Neue Runde: 1");
    EXPECT_EQ(g.S.Runde, 2);
    EXPECT_EQ(g.S.Phase, 1);
    EXPECT_EQ(g.S.AktuellerSpieler, 2);
    EXPECT_EQ(g.S.AblageAnzahl, 2);
    EXPECT_EQ(g.S.Auslage[2].Anzahl, 3);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 5); // refilled to 8 from the green stack
}

TEST_F(Ablauf, VerschiebeAuslageSpiegeltReiheEins) {
    g.S.Auslage[1].Anzahl = 3;
    g.S.Auslage[1].Karten[1] = K(1);
    g.S.Auslage[1].Karten[2] = K(2);
    g.S.Auslage[1].Karten[3] = K(3);
    g.S.Auslage[2].Anzahl = 2;
    g.S.Auslage[2].Karten[7] = K(10);
    g.S.Auslage[2].Karten[8] = K(11);
    g.S.AblageAnzahl = 5;
    EXPECT_EQ(VerschiebeAuslage(g), 2);
    EXPECT_EQ(g.S.AblageAnzahl, 7);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 0);
    EXPECT_EQ(g.S.Auslage[2].Anzahl, 3);
    for (int p = 1; p <= 8; ++p) EXPECT_TRUE(g.S.Auslage[1].Karten[p].Leer()) << p;
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(g.S.Auslage[2].Karten[p].Leer()) << p;
    EXPECT_EQ(g.S.Auslage[2].Karten[6], K(3));
    EXPECT_EQ(g.S.Auslage[2].Karten[7], K(2));
    EXPECT_EQ(g.S.Auslage[2].Karten[8], K(1));
}

TEST_F(Ablauf, ZieheKarteAuslageSchliesstDieLuecke) {
    TAuslageReihe& r1 = g.S.Auslage[1];
    TAuslageReihe& r2 = g.S.Auslage[2];
    r1.Anzahl = 5;
    for (int p = 1; p <= 5; ++p) r1.Karten[p] = K(p);
    EXPECT_EQ(ZieheKarteAuslage(g, 1, 3), K(3));
    EXPECT_EQ(r1.Anzahl, 4);
    EXPECT_EQ(r1.Karten[1], K(1));
    EXPECT_EQ(r1.Karten[2], K(2));
    EXPECT_EQ(r1.Karten[3], K(4));
    EXPECT_EQ(r1.Karten[4], K(5));
    EXPECT_TRUE(r1.Karten[5].Leer());

    r1.Anzahl = 0;
    for (tKartenRef& k : r1.Karten) k = {};
    r2.Anzahl = 5;
    r2.Karten[4] = K(7);
    r2.Karten[5] = K(8);
    r2.Karten[6] = K(10);
    r2.Karten[7] = K(11);
    r2.Karten[8] = K(12);
    EXPECT_EQ(ZieheKarteAuslage(g, 2, 6), K(10));
    EXPECT_EQ(r2.Anzahl, 4);
    EXPECT_TRUE(r2.Karten[4].Leer());
    EXPECT_EQ(r2.Karten[5], K(7));
    EXPECT_EQ(r2.Karten[6], K(8));
    EXPECT_EQ(r2.Karten[7], K(11));
    EXPECT_EQ(r2.Karten[8], K(12));
    EXPECT_EQ(ZieheKarteAuslage(g, 2, 8), K(12));
    EXPECT_EQ(r2.Karten[8], K(11));
    EXPECT_TRUE(r2.Karten[5].Leer());
    EXPECT_EQ(g.AnzahlFehler, 0);

    const TSpielstand vorher = g.S;
    EXPECT_TRUE(ZieheKarteAuslage(g, 0, 1).Leer());
    EXPECT_TRUE(ZieheKarteAuslage(g, 3, 1).Leer());
    EXPECT_TRUE(ZieheKarteAuslage(g, 1, 0).Leer());
    EXPECT_TRUE(ZieheKarteAuslage(g, 2, 9).Leer());
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure ZieheKarteAuslage"), 4);
    EXPECT_TRUE(Unveraendert(vorher));
}

TEST_F(Ablauf, GruenerStapelGibtEinunddreissigKarten) {
    TKartenstapel& st = g.S.Kartenstapel[1];
    st.Naechste = 1;
    tKartenRef k;
    int32_t rest = -1;
    for (int i = 1; i <= 31; ++i) {
        ASSERT_TRUE(ZieheVomStapel(g, 1, k, rest)) << i;
        EXPECT_EQ(k, st.Karten[i]);
        EXPECT_EQ(rest, 31 - i);
    }
    EXPECT_EQ(st.Naechste, 32);
    EXPECT_EQ(LetzteZeile(), "Ziehe vom Stapel 1 : " + KarteText(kat, st.Karten[31]));
    const size_t zeilen = g.Log.Zeilen().size();
    rest = 7;
    EXPECT_FALSE(ZieheVomStapel(g, 1, k, rest));
    EXPECT_EQ(rest, 0);
    EXPECT_TRUE(k.Leer());
    EXPECT_EQ(st.Naechste, 32);
    EXPECT_EQ(g.Log.Zeilen().size(), zeilen);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Ablauf, KeineHofmeisterinInRundeEins) {
    const tKartenRef hof = K(24);
    TKartenstapel& rot = g.S.Kartenstapel[3];
    // One Hofmeisterin on top of the undrawn cards, the other among the drawn ones.
    auto hofmeisterinOben = [&](int naechste) {
        rot.Naechste = naechste;
        int erste = 1;
        while (!(rot.Karten[erste] == hof)) ++erste;
        std::swap(rot.Karten[erste], rot.Karten[naechste]);
        if (naechste > 1)
            for (int j = naechste + 1; j <= rot.Anzahl; ++j)
                if (rot.Karten[j] == hof) std::swap(rot.Karten[j], rot.Karten[1]);
    };
    tKartenRef k;
    int32_t rest;

    // Variant off: the card is drawn as it lies.
    hofmeisterinOben(1);
    ASSERT_TRUE(ZieheVomStapel(g, 3, k, rest));
    EXPECT_EQ(k, hof);

    // Variant on, round 1: swapped with the undrawn place the generator names.
    g.S.KeineHofmeisterinRunde1 = 1;
    hofmeisterinOben(5);
    TZufall vorhersage = g.Zufall;
    const int32_t j = 6 + vorhersage.Random(rot.Anzahl - 6 + 1);
    const tKartenRef erwartet = rot.Karten[j];
    ASSERT_FALSE(erwartet == hof);
    ASSERT_TRUE(ZieheVomStapel(g, 3, k, rest));
    EXPECT_EQ(k, erwartet);
    EXPECT_EQ(rot.Karten[j], hof);
    EXPECT_EQ(g.Zufall.RandSeed, vorhersage.RandSeed);
    EXPECT_EQ(LetzteZeile(), "Ziehe vom Stapel 3 : " + KarteText(kat, erwartet));

    // The last undrawn card stays the drawn card.
    hofmeisterinOben(rot.Anzahl);
    uint32_t seed = g.Zufall.RandSeed;
    ASSERT_TRUE(ZieheVomStapel(g, 3, k, rest));
    EXPECT_EQ(k, hof);
    EXPECT_EQ(g.Zufall.RandSeed, seed);

    // Only Hofmeisterinnen left: after 100 tries it stays.
    rot.Naechste = rot.Anzahl - 1;
    rot.Karten[rot.Anzahl - 1] = hof;
    rot.Karten[rot.Anzahl] = hof;
    TZufall hundert = g.Zufall;
    for (int i = 0; i < 100; ++i) hundert.Random(1);
    ASSERT_TRUE(ZieheVomStapel(g, 3, k, rest));
    EXPECT_EQ(k, hof);
    EXPECT_EQ(g.Zufall.RandSeed, hundert.RandSeed);

    // Round 2: no swap.
    Aufbauen(4);
    g.S.KeineHofmeisterinRunde1 = 1;
    g.S.Runde = 2;
    hofmeisterinOben(3);
    seed = g.Zufall.RandSeed;
    ASSERT_TRUE(ZieheVomStapel(g, 3, k, rest));
    EXPECT_EQ(k, hof);
    EXPECT_EQ(g.Zufall.RandSeed, seed);

    // Another stack: no swap either.
    g.S.Runde = 1;
    g.S.Kartenstapel[2].Karten[g.S.Kartenstapel[2].Naechste] = hof;
    ASSERT_TRUE(ZieheVomStapel(g, 2, k, rest));
    EXPECT_EQ(k, hof);
    EXPECT_EQ(g.Zufall.RandSeed, seed);
}

TEST_F(Ablauf, ZweiBenutzteSternwartenZweiSpurzeilen) {
    LegeAufTisch(g, 2, {11, 11});
    LegeAufTisch(g, 3, {10, 11});
    g.S.Phase = 2;
    BenutzeTischkarte(g, 2, 2, 1);
    BenutzeTischkarte(g, 2, 2); // by position
    BenutzeTischkarte(g, 3, 2, 2);
    EXPECT_TRUE(KarteBenutzt(g.Sp(2).Karten[2].Karten[1]) && KarteBenutzt(g.Sp(2).Karten[2].Karten[2]));
    NeuePhase(g, 3);
    EXPECT_EQ(ZeilenMit("Reaktivieren der Sternwarte für Spieler 2"), 2);
    EXPECT_EQ(ZeilenMit("Reaktivieren der Sternwarte für Spieler 3"), 1);
    EXPECT_LT(Zeile("Reaktivieren der Sternwarte für Spieler 3"), Zeile("Neue Phase: 3"));
    for (int s = 2; s <= 3; ++s)
        for (int i = 1; i <= 2; ++i) EXPECT_FALSE(KarteBenutzt(g.Sp(s).Karten[2].Karten[i]));

    // Taking the mark off again by position.
    BenutzeTischkarte(g, 3, 2);
    ASSERT_TRUE(KarteBenutzt(g.Sp(3).Karten[2].Karten[2]));
    ReaktiviereTischkarte(g, 3, 2);
    EXPECT_FALSE(KarteBenutzt(g.Sp(3).Karten[2].Karten[2]));
}

// A phase start skips a blue list it left without marks while the list's count stays; a mark set
// by any counted way, or by a state put in whole (loading, undo), is still taken off.
TEST_F(Ablauf, PhasenbeginnFindetJedeNeueMarke) {
    LegeAufTisch(g, 2, {11, 11});
    NeuePhase(g, 2);
    NeuePhase(g, 3);
    EXPECT_EQ(ZeilenMit("Reaktivieren der Sternwarte"), 0);

    BenutzeTischkarte(g, 2, 2, 2);
    NeuePhase(g, 4);
    EXPECT_EQ(ZeilenMit("Reaktivieren der Sternwarte für Spieler 2"), 1);
    EXPECT_FALSE(KarteBenutzt(g.S.Spieler[2].Karten[2].Karten[2]));

    g.Sp(2).Karten[2].Karten[1].Farbe += Benutzt;
    NeuePhase(g, 1);
    EXPECT_EQ(ZeilenMit("Reaktivieren der Sternwarte für Spieler 2"), 2);

    TSpielstand geladen = g.S;
    geladen.Spieler[2].Karten[2].Karten[2].Farbe += Benutzt;
    g.S = geladen;
    g.ZustandErsetzt();
    NeuePhase(g, 2);
    EXPECT_EQ(ZeilenMit("Reaktivieren der Sternwarte für Spieler 2"), 3);
    for (int i = 1; i <= 2; ++i) EXPECT_FALSE(KarteBenutzt(g.S.Spieler[2].Karten[2].Karten[i]));
}

TEST_F(Ablauf, SternwarteZiehenUndAbwerfen) {
    LegeAufTisch(g, 2, {11});
    g.S.Phase = 2;
    g.S.AnzahlPassen = 2;
    BenutzeTischkarte(g, 2, 2, 1);
    tKartenRef k;
    int32_t rest;
    const int32_t vorher = g.S.RestStapel(4);
    ASSERT_TRUE(ZieheVomStapel(g, 4, k, rest));
    EXPECT_EQ(rest, vorher - 1);
    WirfKarteAb(g, 2, k);
    EXPECT_EQ(LetzteZeile(), "Spieler 2 wirft " + KarteText(kat, k) + " ab(1)");
    EXPECT_EQ(g.S.AblageAnzahl, 1);
    EXPECT_EQ(g.S.AnzahlPassen, 0);
    EXPECT_EQ(g.Sp(2).LetzteAktion, AktionSAbwurf);
    EXPECT_EQ(g.Sp(2).LetzteKarte, k);
    EXPECT_EQ(g.S.RestStapel(4), vorher - 1);

    // Into the hand: refused with a full hand, else "S-Hand".
    LegeInHand(g, 3, {1, 2, 3});
    g.Sp(3).LetzteAktion = AktionPasse;
    EXPECT_FALSE(NimmKarteAufHandSW(g, 3, K(4)));
    EXPECT_EQ(g.Sp(3).LetzteAktion, AktionPasse);
    EXPECT_EQ(g.Sp(3).Hand().Anzahl, 3);
    EXPECT_TRUE(NimmKarteAufHandSW(g, 2, K(4)));
    EXPECT_EQ(g.Sp(2).LetzteAktion, AktionSHand);
    EXPECT_EQ(LetzteZeile(), "Spieler 2 nimmt (Index 4 , Farbe 1 , Pelzjäger) auf die Hand(1)");
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Ablauf, HandkartenZiehenUndAufnehmen) {
    LegeInHand(g, 2, {1, 10, 18});
    TKartenliste& h = g.Sp(2).Hand();
    EXPECT_EQ(ZieheKarteHand(g, 2, 2), K(10));
    EXPECT_EQ(LetzteZeile(), "Handkarte (Index 10 , Farbe 2 , Markt) auswählen");
    EXPECT_EQ(h.Anzahl, 2);
    EXPECT_EQ(h.Karten[1], K(1));
    EXPECT_EQ(h.Karten[2], K(18));
    EXPECT_TRUE(h.Karten[3].Leer());

    const TSpielstand vorher = g.S;
    EXPECT_TRUE(ZieheKarteHand(g, 2, 0).Leer());
    EXPECT_TRUE(ZieheKarteHand(g, 2, 3).Leer());
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure ZieheKarteHand"), 2);
    EXPECT_TRUE(Unveraendert(vorher));

    g.S.AnzahlPassen = 3;
    g.AktionenImZug = 0;
    EXPECT_TRUE(NimmKarteAufHand(g, 2, K(24)));
    EXPECT_EQ(LetzteZeile(), "Spieler 2 nimmt (Index 24 , Farbe 3 , Hofmeisterin) auf die Hand(3)");
    EXPECT_EQ(h.Anzahl, 3);
    EXPECT_EQ(h.Karten[3], K(24));
    EXPECT_EQ(g.Sp(2).LetzteAktion, AktionHand);
    EXPECT_EQ(g.Sp(2).LetzteKarte, K(24));
    EXPECT_EQ(g.S.AnzahlPassen, 0);
    EXPECT_EQ(g.AktionenImZug, 1);

    // Full without the warehouse: refused, nothing changes.
    const TSpielstand voll = g.S;
    EXPECT_FALSE(NimmKarteAufHand(g, 2, K(2)));
    EXPECT_TRUE(Unveraendert(voll));
    EXPECT_EQ(FreieHandplaetze(g, 2), 0);
    EXPECT_EQ(FreieHandplaetze(g, 3), 3);
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST_F(Ablauf, KaufSiegpunkte) {
    TSpieler& sp = g.Sp(2);
    sp.Geld = 5;
    sp.Siegpunkte = 4;
    const TSpielstand vorher = g.S;
    KaufSiegpunkte(g, 2, 3);
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure KaufSiegpunkte"), 1);
    EXPECT_TRUE(Unveraendert(vorher));

    sp.Geld = 7;
    KaufSiegpunkte(g, 2, 3);
    EXPECT_EQ(LetzteZeile(), "Spieler 2 kauft 3 Siegpunkte");
    EXPECT_EQ(sp.Geld, 1);
    EXPECT_EQ(sp.Siegpunkte, 7);
    EXPECT_EQ(g.S.GekaufteSiegpunkte, 3);
    EXPECT_EQ(sp.LetzteAktion, AktionKaufSp);
    EXPECT_EQ(g.AnzahlFehler, 1);
}

TEST_F(Ablauf, PassenMitWartenderSternwartenkarte) {
    g.S.AktuellerSpieler = 1;
    g.S.AnzahlPassen = 2;
    g.SternwartenKarte = K(49);
    g.MarkierteTischplaetze[3] = 1;
    Passen(g, 1);
    EXPECT_TRUE(g.SternwartenKarte.Leer());
    EXPECT_FALSE(g.MarkierteTischplaetze[3]);
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
    g.SternwartenKarte = K(49);
    Passen(g, 2);
    EXPECT_EQ(g.S.AnzahlPassen, 2);
    EXPECT_EQ(g.S.AblageAnzahl, 1);
}

TEST_F(Startspieler, ZweiSpielerOhneVorgabe) {
    std::set<std::vector<int32_t>> verteilungen;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        Arr1<int32_t, 4> st = Verteile(2, {0, 0, 0, 0}, seed);
        ASSERT_EQ(Marken(st, 1), 2) << seed;
        ASSERT_EQ(Marken(st, 2), 2) << seed;
        verteilungen.insert(std::vector<int32_t>(st.begin(), st.end()));
    }
    EXPECT_EQ(verteilungen.size(), 6u); // every way of giving two roles to seat 1
}

TEST_F(Startspieler, FesteRollen) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Arr1<int32_t, 4> st = Verteile(2, {2, 0, 4, 0}, seed);
        EXPECT_EQ(st[2], 1);
        EXPECT_EQ(st[4], 1);
        EXPECT_EQ(st[1], 2);
        EXPECT_EQ(st[3], 2);

        st = Verteile(4, {2, 0, 4, 0}, seed);
        EXPECT_EQ(st[2], 1);
        EXPECT_EQ(st[4], 3);
        EXPECT_TRUE((st[1] == 2 && st[3] == 4) || (st[1] == 4 && st[3] == 2));

        st = Verteile(3, {0, 0, 0, 2}, seed);
        EXPECT_EQ(Marken(st, 1), 1);
        EXPECT_EQ(Marken(st, 2), 2);
        EXPECT_EQ(Marken(st, 3), 1);

        st = Verteile(3, {3, 1, 0, 0}, seed);
        EXPECT_EQ(st[3], 1);
        EXPECT_EQ(st[1], 2);
        EXPECT_GE(Marken(st, 3), 1);
        EXPECT_EQ(Marken(st, 1) + Marken(st, 2) + Marken(st, 3), 4);
    }
}

TEST_F(Startspieler, DreiSpielerVierteMarkeAnZufaelligenSitz) {
    int doppelt[4] = {};
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        Arr1<int32_t, 4> st = Verteile(3, {0, 0, 0, 0}, seed);
        for (int s = 1; s <= 3; ++s) {
            ASSERT_GE(Marken(st, s), 1) << seed;
            if (Marken(st, s) == 2) ++doppelt[s];
        }
    }
    EXPECT_EQ(doppelt[1] + doppelt[2] + doppelt[3], 60);
    for (int s = 1; s <= 3; ++s) EXPECT_GT(doppelt[s], 0) << s;
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

TEST_F(Startspieler, SpurDerVerteilung) {
    Spielsitzung g(kat);
    g.Log.TraceAn = true;
    g.Einstellungen.Fuer(4).StartRolle = {3, 1, 4, 2};
    g.Menue.SpielerAnzahl = 4;
    SpielAufbau(g);
    const auto& z = g.Log.Zeilen();
    auto it = std::find(z.begin(), z.end(), "Anzahl Spieler: 4");
    ASSERT_NE(it, z.end());
    EXPECT_EQ(*(it - 1), "");
    EXPECT_EQ(*(it + 1), "Startspieler Rolle 1 ist Spieler 2");
    EXPECT_EQ(*(it + 2), "Startspieler Rolle 2 ist Spieler 4");
    EXPECT_EQ(*(it + 3), "Startspieler Rolle 3 ist Spieler 1");
    EXPECT_EQ(*(it + 4), "Startspieler Rolle 4 ist Spieler 3");
}

TEST(Aufbau, DreiSpielerAuslageUndLeereSitze) {
    TKatalog kat;
    Spielsitzung g(kat);
    g.Menue.SpielerAnzahl = 3;
    g.Zufall.RandSeed = 12;
    for (int s = 1; s <= 4; ++s) g.Einstellungen.Fuer(3).StartGeld[s] = 20 + s;
    SpielAufbau(g);
    EXPECT_EQ(g.S.Spielende, 0);
    EXPECT_EQ(g.S.Phase, 1);
    EXPECT_EQ(g.S.Runde, 1);
    EXPECT_EQ(g.S.AktuellerSpieler, g.S.Startspieler[1]);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 6);
    for (int p = 1; p <= 6; ++p) EXPECT_EQ(g.S.Auslage[1].Karten[p], g.S.Kartenstapel[1].Karten[p]);
    EXPECT_TRUE(g.S.Auslage[1].Karten[7].Leer());
    EXPECT_EQ(g.S.Auslage[2].Anzahl, 0);
    EXPECT_EQ(g.S.Kartenstapel[1].Naechste, 7);
    EXPECT_EQ(g.Sp(1).Geld, 21);
    EXPECT_EQ(g.Sp(3).Geld, 23);
    EXPECT_EQ(g.Sp(4).Geld, 0);
    EXPECT_EQ(PruefeSpielstand(g), "");

    g.Menue.SpielerAnzahl = 2;
    SpielAufbau(g);
    EXPECT_EQ(g.S.Auslage[1].Anzahl, 4);
    for (int s = 3; s <= 4; ++s) {
        EXPECT_EQ(g.Sp(s).Geld, 0);
        EXPECT_EQ(g.Sp(s).Siegpunkte, 0);
        for (int l = 1; l <= 4; ++l) EXPECT_EQ(g.Sp(s).Karten[l].Anzahl, 0);
    }
    EXPECT_EQ(PruefeSpielstand(g), "");
}
