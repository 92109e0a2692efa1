// The correction mode: table edits without payment, the ability bookkeeping, the trace lines,
// the limits of a table, money clicks and the dialog's state.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "control/fensterzustand.h"
#include "control/korrektur.h"
#include "rules/kaufen.h"
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

TEST_F(Korrektur, InxToKarteRefFindetJedeKartennummerUndSonstNichts) {
    for (int32_t inx = 1; inx <= 49; ++inx) {
        tKartenRef k = InxToKarteRef(kat, inx);
        ASSERT_TRUE(TKatalog::Gueltig(k)) << inx;
        EXPECT_EQ(kat.Daten(k).Inx, inx);
        EXPECT_EQ(g.KarteRefToInx(k), inx);
    }
    EXPECT_EQ(InxToKarteRef(kat, 25), (tKartenRef{4, 1}));
    EXPECT_EQ(InxToKarteRef(kat, 24), (tKartenRef{3, 7}));
    for (int32_t inx : {0, -1, 50, 1000}) EXPECT_TRUE(InxToKarteRef(kat, inx).Leer()) << inx;
}

TEST_F(Korrektur, EineVonZweiSternwartenEntfernenBehaeltDieFaehigkeit) {
    Lege(2, {Holzfaeller, Sternwarte_, Markt, Sternwarte_});
    ASSERT_EQ(g.Sp(2).AnzahlSternwarten, 2);
    ASSERT_EQ(Liste(2, 2), (std::vector<int32_t>{Markt, Sternwarte_, Sternwarte_}));

    EXPECT_EQ(KorrigiereTischkarte(g, 2, Position(2, Sternwarte_), KorrekturAktion::Entfernen, 1),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(2).AnzahlSternwarten, 1);
    EXPECT_TRUE(g.Sp(2).Sondereigenschaften & Sternwarte);
    EXPECT_EQ(Liste(2, 2), (std::vector<int32_t>{Markt, Sternwarte_}));

    EXPECT_EQ(KorrigiereTischkarte(g, 2, Position(2, Sternwarte_), KorrekturAktion::Entfernen, 1),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(2).AnzahlSternwarten, 0);
    EXPECT_FALSE(g.Sp(2).Sondereigenschaften & Sternwarte);
    EXPECT_EQ(Liste(2, 2), (std::vector<int32_t>{Markt}));
    EXPECT_EQ(Liste(2, 1), (std::vector<int32_t>{Holzfaeller}));

    const std::vector<std::string> erwartet{"Korrektur(Spieler 2): Lösche Karte Sternwarte",
                                            "Korrektur(Spieler 2): Lösche Karte Sternwarte"};
    EXPECT_EQ(g.Log.Zeilen(), erwartet);
}

TEST_F(Korrektur, EntfernenSchiebtNachUndVerbirgtDieLetztePosition) {
    Lege(3, {Holzfaeller, Schaefer, Markt, Zollhaus, Schreiber});
    brett.positionen.clear();
    brett.tische.clear();
    // Position 2 is the Schäfer; the cards behind move one place forward.
    ASSERT_EQ(KorrigiereTischkarte(g, 3, 2, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(Liste(3, 1), (std::vector<int32_t>{Holzfaeller}));
    const TKartenliste& gruen = g.Sp(3).Karten[1];
    EXPECT_EQ(gruen.Anzahl, 1);
    EXPECT_TRUE(gruen.Karten[2].Leer());
    EXPECT_EQ(TischkarteInx(g, 3, 2), Markt);
    EXPECT_EQ(TischkarteInx(g, 3, 4), Schreiber);
    EXPECT_EQ(TischkarteInx(g, 3, 5), 0);
    EXPECT_EQ(brett.tische, (std::set<int>{3}));
    EXPECT_EQ(brett.positionen, (std::vector<std::pair<int, int>>{{3, 5}}));
}

TEST_F(Korrektur, AustauschGegenErweiterungEinerAnderenFarbe) {
    Lege(1, {Holzfaeller, Schaefer, Markt, Kronpalast, Lagerhaus_});
    ASSERT_TRUE(g.Sp(1).Sondereigenschaften & Lagerhaus);
    // Bank is an upgrade of the blue list: it leaves the green list and sorts before Kronpalast.
    ASSERT_EQ(KorrigiereTischkarte(g, 1, Position(1, Holzfaeller), KorrekturAktion::Austauschen, Bank),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(Liste(1, 1), (std::vector<int32_t>{Schaefer}));
    EXPECT_EQ(Liste(1, 2), (std::vector<int32_t>{Lagerhaus_, Markt, Bank, Kronpalast}));
    EXPECT_EQ(g.Log.Zeilen().back(), "Korrektur(Spieler 1): Austausch der Karte Holzfäller durch Bank");

    // The old card's abilities go, the new card's come.
    ASSERT_EQ(KorrigiereTischkarte(g, 1, Position(1, Lagerhaus_), KorrekturAktion::Austauschen, Hofoper),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(1).Sondereigenschaften, GeldProRot);
    EXPECT_EQ(Liste(1, 2), (std::vector<int32_t>{Markt, Hofoper, Bank, Kronpalast}));
    ASSERT_EQ(KorrigiereTischkarte(g, 1, Position(1, Schaefer), KorrekturAktion::Austauschen, Schreinerei),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(1).Sondereigenschaften, GeldProRot | MinusBlau);
    EXPECT_EQ(Liste(1, 1), (std::vector<int32_t>{Schreinerei}));
    // Exchanging a pub for an observatory moves the counters along.
    Lege(1, {Schenke_});
    ASSERT_EQ(g.Sp(1).AnzahlSchenken, 1);
    ASSERT_EQ(
        KorrigiereTischkarte(g, 1, Position(1, Schenke_), KorrekturAktion::Austauschen, Sternwarte_),
        KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(1).AnzahlSchenken, 0);
    EXPECT_EQ(g.Sp(1).AnzahlSternwarten, 1);
    EXPECT_EQ(g.Sp(1).Sondereigenschaften, GeldProRot | MinusBlau | Sternwarte);
}

TEST_F(Korrektur, EinfuegenAufDemGezeigtenSitzLaesstDieAnderenUnberuehrt) {
    Lege(1, {Holzfaeller, Markt});
    Lege(3, {Schaefer, Richter});
    const TSpieler vorher1 = g.Sp(1);
    g.S.AktuellerSpieler = 1;
    ASSERT_EQ(KorrigiereTischkarte(g, 3, Position(3, Richter), KorrekturAktion::Einfuegen, Zarin),
              KorrekturErgebnis::Ausgefuehrt);
    // The clicked card stays; the new one joins its own list in number order.
    EXPECT_EQ(Liste(3, 3), (std::vector<int32_t>{Richter, Zarin}));
    EXPECT_EQ(Liste(3, 1), (std::vector<int32_t>{Schaefer}));
    EXPECT_EQ(std::memcmp(&g.Sp(1), &vorher1, sizeof(TSpieler)), 0);
    EXPECT_EQ(g.Log.Zeilen().back(), "Korrektur(Spieler 3): Einfügen Karte Zarin");
    ASSERT_EQ(KorrigiereTischkarte(g, 3, 1, KorrekturAktion::Einfuegen, Schreiber),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(Liste(3, 3), (std::vector<int32_t>{Schreiber, Richter, Zarin}));
}

TEST_F(Korrektur, GeldZugRundeUndLetzteAktionBleiben) {
    Lege(2, {Holzfaeller, Sternwarte_});
    g.S.AktuellerSpieler = 3;
    g.S.Runde = 4;
    g.S.Phase = 2;
    g.S.AnzahlPassen = 1;
    const TSpielstand vorher = g.S;
    ASSERT_EQ(KorrigiereTischkarte(g, 2, 1, KorrekturAktion::Einfuegen, Zar), KorrekturErgebnis::Ausgefuehrt);
    ASSERT_EQ(KorrigiereTischkarte(g, 2, 1, KorrekturAktion::Austauschen, Bank),
              KorrekturErgebnis::Ausgefuehrt);
    ASSERT_EQ(KorrigiereTischkarte(g, 2, 1, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(2).Geld, vorher.Spieler[2].Geld);
    EXPECT_EQ(g.Sp(2).Siegpunkte, vorher.Spieler[2].Siegpunkte);
    EXPECT_EQ(g.Sp(2).LetzteAktion, vorher.Spieler[2].LetzteAktion);
    EXPECT_EQ(g.Sp(2).LetzteKarte, vorher.Spieler[2].LetzteKarte);
    EXPECT_EQ(g.S.AktuellerSpieler, 3);
    EXPECT_EQ(g.S.AnzahlPassen, 1);
    EXPECT_EQ(g.S.AblageAnzahl, vorher.AblageAnzahl);
    EXPECT_EQ(std::memcmp(&g.S.Kartenstapel, &vorher.Kartenstapel, sizeof vorher.Kartenstapel), 0);
}

TEST_F(Korrektur, BenutzteKarteWirdWieUnbenutzteBehandelt) {
    Lege(1, {Markt, Sternwarte_});
    TKartenliste& blau = g.Sp(1).Karten[2];
    blau.Karten[2].Farbe += Benutzt;
    EXPECT_EQ(TischkarteInx(g, 1, 2), Sternwarte_);
    ASSERT_EQ(KorrigiereTischkarte(g, 1, 2, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(1).AnzahlSternwarten, 0);
    EXPECT_EQ(g.Log.Zeilen().back(), "Korrektur(Spieler 1): Lösche Karte Sternwarte");
}

TEST_F(Korrektur, ZuVieleKartenWerdenAbgelehnt) {
    // 31 green cards: no further green card fits, by insertion or by exchange from another list.
    for (int i = 0; i < StapelPlaetze; ++i) ASSERT_TRUE(FuegeTischkarteEin(g, 2, K(Holzfaeller)));
    Lege(2, {Markt});
    g.Log.Leeren();
    const TSpieler vorher = g.Sp(2);
    EXPECT_FALSE(FuegeTischkarteEin(g, 2, K(Schaefer)));
    EXPECT_EQ(KorrigiereTischkarte(g, 2, 1, KorrekturAktion::Einfuegen, Schaefer),
              KorrekturErgebnis::TischVoll);
    EXPECT_EQ(KorrigiereTischkarte(g, 2, 32, KorrekturAktion::Austauschen, Schreinerei),
              KorrekturErgebnis::TischVoll);
    EXPECT_EQ(std::memcmp(&g.Sp(2), &vorher, sizeof(TSpieler)), 0);
    EXPECT_TRUE(g.Log.Zeilen().empty());
    // Within the full list an exchange takes the freed place.
    EXPECT_EQ(KorrigiereTischkarte(g, 2, 5, KorrekturAktion::Austauschen, Schaefer),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(2).Karten[1].Anzahl, StapelPlaetze);
    EXPECT_EQ(TischkarteInx(g, 2, 31), Schaefer);

    // 55 positions: 31 green and 24 blue; a red card no longer fits, an exchange still does.
    for (int i = 0; i < 23; ++i) ASSERT_TRUE(FuegeTischkarteEin(g, 2, K(Zollhaus)));
    ASSERT_EQ(g.Sp(2).Tischkarten(), MaxTischpositionen);
    EXPECT_FALSE(FuegeTischkarteEin(g, 2, K(Schreiber)));
    EXPECT_EQ(KorrigiereTischkarte(g, 2, 40, KorrekturAktion::Einfuegen, Schreiber),
              KorrekturErgebnis::TischVoll);
    EXPECT_EQ(KorrigiereTischkarte(g, 2, 40, KorrekturAktion::Austauschen, Schreiber),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(g.Sp(2).Tischkarten(), MaxTischpositionen);
    EXPECT_EQ(TischkarteInx(g, 2, 55), Schreiber);
}

TEST_F(Korrektur, LeerePositionUndUnbekannteNummerAendernNichts) {
    Lege(1, {Holzfaeller});
    g.Log.Leeren();
    EXPECT_EQ(KorrigiereTischkarte(g, 1, 2, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::KeineKarte);
    EXPECT_EQ(KorrigiereTischkarte(g, 1, 0, KorrekturAktion::Einfuegen, 3), KorrekturErgebnis::KeineKarte);
    EXPECT_EQ(KorrigiereTischkarte(g, 1, 1, KorrekturAktion::Austauschen, 50), KorrekturErgebnis::KeineKarte);
    EXPECT_EQ(KorrigiereTischkarte(g, 5, 1, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::KeineKarte);
    EXPECT_EQ(Liste(1, 1), (std::vector<int32_t>{Holzfaeller}));
    EXPECT_TRUE(g.Log.Zeilen().empty());
}

TEST_F(Korrektur, OhneTraceKeineZeilen) {
    g.Log.TraceAn = false;
    Lege(1, {Holzfaeller});
    ASSERT_EQ(KorrigiereTischkarte(g, 1, 1, KorrekturAktion::Austauschen, Schaefer),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_TRUE(g.Log.Zeilen().empty());
}

TEST_F(Korrektur, EingriffAufSitz1HebtAngeboteneZieleAuf) {
    Lege(1, {Holzfaeller, Markt});
    TFensterZustand fenster(g);
    fenster.MarkierteTischplaetze[2] = 1;
    ASSERT_EQ(KorrigiereTischkarte(g, 1, 1, KorrekturAktion::Einfuegen, Schaefer),
              KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(fenster.MarkierteTischplaetze[2], 0);

    // A waiting observatory card keeps seat 1's table as it is; other seats can still be edited.
    fenster.SternwartenKarte = K(Markt);
    const TSpieler vorher = g.Sp(1);
    EXPECT_EQ(KorrigiereTischkarte(g, 1, 1, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::KarteWartet);
    EXPECT_EQ(std::memcmp(&g.Sp(1), &vorher, sizeof(TSpieler)), 0);
    Lege(2, {Holzfaeller});
    fenster.MarkierteTischplaetze[3] = 1;
    EXPECT_EQ(KorrigiereTischkarte(g, 2, 1, KorrekturAktion::Entfernen, 1), KorrekturErgebnis::Ausgefuehrt);
    EXPECT_EQ(fenster.MarkierteTischplaetze[3], 1);
}

TEST_F(Korrektur, GeldKlicksOhneUntergrenze) {
    g.Sp(3).Geld = 0;
    EXPECT_TRUE(KorrigiereGeld(g, 3, false));
    EXPECT_EQ(g.Sp(3).Geld, -1);
    EXPECT_TRUE(KorrigiereGeld(g, 3, true));
    EXPECT_TRUE(KorrigiereGeld(g, 3, true));
    EXPECT_EQ(g.Sp(3).Geld, 1);
    EXPECT_EQ(brett.geld, (std::set<int>{3}));
    EXPECT_TRUE(g.Log.Zeilen().empty());
    // The amount stays within what a game file accepts.
    g.Sp(2).Geld = 1000000;
    EXPECT_FALSE(KorrigiereGeld(g, 2, true));
    EXPECT_EQ(g.Sp(2).Geld, 1000000);
    g.Sp(2).Geld = -1000000;
    EXPECT_FALSE(KorrigiereGeld(g, 2, false));
    EXPECT_TRUE(KorrigiereGeld(g, 2, true));
    EXPECT_EQ(g.Sp(2).Geld, -999999);
}

TEST_F(Korrektur, KlicksZaehlenNurImModusMitAltWennDerMenschZiehenDarf) {
    EXPECT_TRUE(KorrekturKlickGilt(g, true, true));
    EXPECT_FALSE(KorrekturKlickGilt(g, false, true));
    EXPECT_FALSE(KorrekturKlickGilt(g, true, false));
    KorrekturModusSetzen(g, false);
    EXPECT_FALSE(KorrekturKlickGilt(g, true, true));
}

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
