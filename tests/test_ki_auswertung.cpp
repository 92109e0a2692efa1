// The evaluation record of a computer seat and the market position, on hand-built positions.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "ai/auswertung.h"
#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/routinen.h"
#include "rules/hand.h"
#include "rules/korrektur.h"
#include "rules/wertung.h"
#include "test_persist_hilfe.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

enum : int32_t {
    Holzfaeller = 1,
    Goldgraeber = 2,
    Schaefer = 3,
    Zar = 6,
    Lagerhaus_ = 8,
    Markt = 10,
    Sternwarte_ = 11,
    Zollhaus = 12,
    Schreiber = 18,
    Verwalter = 19,
    Kontorist = 20,
    Sekretaer = 21,
    Kontrolleur = 22,
    Richter = 23,
    Hofmeisterin = 24,
    Schreinerei = 25,
    Goldschmiede = 26,
    Weberei = 27,
    Kuerschnerei = 28,
    Werft = 29,
    Hofoper = 30,
    Bank = 31,
    Abt = 40,
    Kammerfrau = 41,
    Heroldmeister = 42,
    Baumeister = 43,
    Patriarch = 45,
    Steuereintreiber = 46,
    Admiral = 47,
    Zarin = 49,
};

::testing::AssertionResult GleicheAuswertung(const tAuswKarten& x, const tAuswKarten& y);

class KiAuswertung : public Stellung {
protected:
    tAuswKarten a{};
    tAuswKarten frisch{};

    // The session's kept record of seat 2, checked against one built afresh.
    const tAuswKarten& PruefeGemerkt(const char* schritt) {
        const tAuswKarten& m = Auswertung(g, 2);
        ErstelleAuswKarten(g, 2, frisch);
        EXPECT_TRUE(GleicheAuswertung(m, frisch)) << schritt;
        return m;
    }

    void SetUp() override {
        Stellung::SetUp();
        InitStrategieparameter(g.Einstellungen);
    }
    void Auslage(std::initializer_list<int32_t> r1, std::initializer_list<int32_t> r2 = {}) {
        LeereAuslage(g);
        for (int32_t x : r1) g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(x);
        int p = 9 - static_cast<int>(r2.size());
        for (int32_t x : r2) g.S.Auslage[2].Karten[p++] = KarteInx(x);
        g.S.Auslage[2].Anzahl = static_cast<int32_t>(r2.size());
    }
    // Leaves n cards undrawn in stack k.
    void Rest(int k, int32_t n) { g.S.Kartenstapel[k].Naechste = g.S.Kartenstapel[k].Anzahl - n + 1; }
    void Stapel(int k, std::initializer_list<int32_t> karten) {
        Rest(k, static_cast<int32_t>(karten.size()));
        int p = g.S.Kartenstapel[k].Naechste;
        for (int32_t x : karten) g.S.Kartenstapel[k].Karten[p++] = KarteInx(x);
    }
    const tAuswKarten& Bewerte(int sp) {
        ErstelleAuswKarten(g, sp, a);
        return a;
    }
    void Benutze(int sp, int farbe, int index) { g.Sp(sp).Karten[farbe].Karten[index].Farbe += Benutzt; }
};

} // namespace

TEST_F(KiAuswertung, AuslageErstReihe1DannReihe2) {
    LegeAufTisch(g, 2, {Markt});
    Auslage({Markt, Schreiber}, {Zollhaus, Markt});
    Bewerte(2);
    ASSERT_EQ(a.Auslage->AnzahlAuslage, 4);
    const int32_t inx[5] = {0, Markt, Schreiber, Zollhaus, Markt};
    const int32_t reihe[5] = {0, 1, 1, 2, 2}, platz[5] = {0, 1, 2, 7, 8}, preis[5] = {0, 4, 4, 7, 3};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(a.Auslage->TKarten[i]->Inx, inx[i]) << i;
        EXPECT_EQ(a.Auslage->Karten[i], KarteInx(inx[i])) << i;
        EXPECT_EQ(a.Auslage->Reihe[i], reihe[i]) << i;
        EXPECT_EQ(a.Auslage->Platz[i], platz[i]) << i;
        EXPECT_EQ(a.Preis(i), preis[i]) << i;
    }
    EXPECT_EQ(a.Auslage->AnzahlReihe2, 4);
    Auslage({Markt, Schreiber});
    Bewerte(2);
    EXPECT_EQ(a.Auslage->AnzahlAuslage, 2);
    EXPECT_EQ(a.Auslage->AnzahlReihe2, 0);
    Auslage({}, {Holzfaeller});
    Bewerte(2);
    EXPECT_EQ(a.Auslage->AnzahlAuslage, 1);
    EXPECT_EQ(a.Auslage->Platz[1], 8);
    EXPECT_EQ(a.Auslage->AnzahlReihe2, 1);
    // Prices are the seat's own: its discounts, not another's.
    LegeAufTisch(g, 3, {Schreinerei}); // blue 1 less
    Auslage({Markt, Bank});
    EXPECT_EQ(Bewerte(3).Preis(1), 4);
    EXPECT_EQ(a.Preis(2), 12);
    EXPECT_EQ(Bewerte(2).Preis(1), 4); // its own Markt
    EXPECT_EQ(a.Preis(2), 13);
    // A marked card in the display has no price; the full rule reports it at every evaluation,
    // kept record or not, and the plain cards beside it keep theirs.
    Auslage({Markt, Bank});
    g.S.Auslage[1].Karten[2].Farbe += Benutzt;
    for (int runde = 1; runde <= 2; ++runde) {
        const int64_t fehler = g.AnzahlFehler;
        EXPECT_FALSE(Bewerte(3).Auslage->Normal);
        EXPECT_EQ(a.Preis(1), 4);
        EXPECT_EQ(a.Preis(2), 999);
        const tAuswKarten& m = Auswertung(g, 3);
        EXPECT_EQ(m.Preis(1), 4);
        EXPECT_EQ(m.Preis(2), 999);
        EXPECT_EQ(g.AnzahlFehler, fehler + 2) << runde;
    }
}

TEST_F(KiAuswertung, PunkteprognoseJePhase) {
    g.Sp(2).Siegpunkte = 5;
    LegeAufTisch(g, 2, {Kuerschnerei, Werft, Markt, Sternwarte_, Zollhaus, Kontrolleur, Richter});
    Benutze(2, 2, 2); // a used observatory still counts
    LegeInHand(g, 2, {Schreiber});
    // green 2+1, blue 1+1+2, red 1+2; three aristocrat kinds with the hand: 6
    const int32_t soll[5] = {0, 5 + 3 + 4 + 3 + 6, 5 + 4 + 3 + 6, 5 + 3 + 6, 5 + 6};
    for (int phase = 1; phase <= 4; ++phase) {
        g.S.Phase = phase;
        EXPECT_EQ(Punkteprognose(g, 2, Bewerte(2)), soll[phase]) << "Phase " << phase;
    }
    EXPECT_EQ(a.SS[1].Punkte, 3);
    EXPECT_EQ(a.SS[2].Punkte, 4);
    EXPECT_EQ(a.SS[3].Punkte, 3);
    EXPECT_EQ(Geldprognose(a), 3 + 6 + 4 + 5);
    EXPECT_EQ(a.SS[1].Geld, 9);
    EXPECT_EQ(a.SS[3].Geld, 9);

    // Red upgrades are kinds of their own; the variant's table above ten kinds.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2,
                 {Schreiber, Verwalter, Kontorist, Sekretaer, Kontrolleur, Richter, Hofmeisterin, Abt,
                  Kammerfrau, Heroldmeister});
    LegeInHand(g, 2, {Baumeister, Schreiber});
    g.Sp(2).Siegpunkte = 0;
    g.S.Phase = 4;
    EXPECT_EQ(Punkteprognose(g, 2, Bewerte(2)), 55);
    g.S.AdelsbonusErweitert = 1;
    EXPECT_EQ(Punkteprognose(g, 2, Bewerte(2)), 65);
    EXPECT_EQ(Punkteprognose(g, 2, a), AdelsbonusMitHand(g, 2).bonus);
}

TEST_F(KiAuswertung, EinkommenMitGeldProRotUndGeldProGruen) {
    LegeAufTisch(g, 2, {Holzfaeller, Holzfaeller, Hofoper, Markt, Schreiber, Steuereintreiber});
    Bewerte(2);
    EXPECT_EQ(a.SS[1].Geld, 6);
    EXPECT_EQ(a.SS[2].Geld, 2); // one per red card
    EXPECT_EQ(a.SS[3].Geld, 3); // Schreiber 1, one per green card
    EXPECT_EQ(Geldprognose(a), 11);
    // The same as the scoring pays.
    EXPECT_EQ(a.SS[2].Geld, EinkommenGeld(g, 2, 2));
    EXPECT_EQ(a.SS[3].Geld, EinkommenGeld(g, 3, 2));
    EXPECT_EQ(a.SS[2].AnzahlErw, 1);
    EXPECT_EQ(a.SS[3].AnzahlErw, 1);
    EXPECT_EQ(a.SS[1].AnzahlErw, 0);
}

TEST_F(KiAuswertung, GrueneZieleDerJokerNurAlsNotloesung) {
    LegeAufTisch(g, 2, {Goldgraeber, Zar});
    LegeInHand(g, 2, {Schreinerei, Goldschmiede, Holzfaeller});
    Bewerte(2);
    EXPECT_EQ(a.ZarInx, 2);
    // Schreinerei finds no Holzfaeller and takes the joker; Goldschmiede its Goldgraeber.
    EXPECT_EQ(a.SS[4].Ziel[1], 2);
    EXPECT_EQ(a.SS[4].Ziel[2], 1);
    EXPECT_EQ(a.SS[1].Ziel[2], 1);
    EXPECT_EQ(a.SS[1].Ziel[1], 2);
    EXPECT_EQ(a.SS[1].HandPreis, 1 + 2 + 3); // max(4-8,1), 6-4, the worker
    EXPECT_EQ(a.SS[1].HandAnzahl, 3);
    EXPECT_EQ(a.SS[1].HandErw, 2);

    // In the other hand order the joker still waits for the upgrade without another target.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Goldgraeber, Zar});
    LegeInHand(g, 2, {Goldschmiede, Schreinerei});
    Bewerte(2);
    EXPECT_EQ(a.SS[4].Ziel[1], 1);
    EXPECT_EQ(a.SS[4].Ziel[2], 2);

    // Two upgrades for one joker: the second has no target and counts its full price.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Zar});
    LegeInHand(g, 2, {Schreinerei, Weberei});
    Bewerte(2);
    EXPECT_EQ(a.SS[4].Ziel[1], 1);
    EXPECT_EQ(a.SS[4].Ziel[2], 0);
    EXPECT_EQ(a.SS[1].HandPreis, 1 + 8);
    EXPECT_EQ(a.HandPreisGesamt, 9);

    // No joker: a table card serves one upgrade only.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Schaefer, Schaefer});
    LegeInHand(g, 2, {Weberei, Weberei});
    Bewerte(2);
    EXPECT_EQ(a.ZarInx, 0);
    EXPECT_EQ(a.SS[4].Ziel[1], 1);
    EXPECT_EQ(a.SS[4].Ziel[2], 2);
    EXPECT_EQ(a.SS[1].HandPreis, 3 + 3); // 8-5 each
}

TEST_F(KiAuswertung, HandpreiseBlauUndRot) {
    // A red upgrade counts its price less an allowance from the dearest aristocrat (16 here)
    // that shrinks by 2 per red upgrade already priced, never below 4; a blue upgrade counts 1.
    LegeAufTisch(g, 2, {Lagerhaus_, Richter});
    LegeInHand(g, 2, {Patriarch, Bank, Admiral, Zarin});
    Bewerte(2);
    EXPECT_EQ(a.SS[3].HandPreis, 1 + 4 + 12); // 16-16, 18-14, 24-12
    EXPECT_EQ(a.SS[2].HandPreis, 1);
    EXPECT_EQ(a.HandPreisGesamt, 18);
    EXPECT_EQ(a.SS[3].HandAnzahl, 3);
    EXPECT_EQ(a.SS[3].HandErw, 3);
    EXPECT_EQ(a.SS[2].HandErw, 1);
    EXPECT_EQ(a.SS[4].Anzahl, 4);

    // The allowance stops at 4; without any aristocrat it is 4 as well.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Schreiber});
    LegeInHand(g, 2, {Abt, Kammerfrau});
    EXPECT_EQ(Bewerte(2).SS[3].HandPreis, 2 + 4);
    LeereSpieler(g, 2);
    LegeInHand(g, 2, {Abt, Kammerfrau});
    EXPECT_EQ(Bewerte(2).SS[3].HandPreis, 2 + 4);

    // Aristocrats in the hand count for the allowance and cost their own price.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Schreiber});
    LegeInHand(g, 2, {Hofmeisterin, Patriarch});
    EXPECT_EQ(Bewerte(2).SS[3].HandPreis, 18 + 1);

    // Plain cards at the seat's price: same cards on the table and the minus abilities count.
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Goldschmiede, Markt, Schreiber});
    LegeInHand(g, 2, {Markt, Schreiber, Holzfaeller});
    Bewerte(2);
    EXPECT_EQ(a.SS[2].HandPreis, 4);
    EXPECT_EQ(a.SS[3].HandPreis, 2); // 4 - one on the table - Goldschmiede
    EXPECT_EQ(a.SS[1].HandPreis, 3);
    EXPECT_EQ(a.HandPreisGesamt, 9);
}

TEST_F(KiAuswertung, WarnflaggenStapelLeerUndPhase4) {
    TEndwarnung w;
    Auslage({Markt});
    Rest(1, 1), Rest(2, 1), Rest(3, 1), Rest(4, 1);
    g.S.Phase = 4;
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(w.EndeNah[i] || w.StapelKnapp[i]) << i;
    g.S.StapelLeer = 1;
    Rest(1, 30), Rest(2, 28), Rest(3, 27), Rest(4, 30);
    for (int phase = 1; phase <= 4; ++phase) {
        g.S.Phase = phase;
        w = Endwarnung(g);
        for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.EndeNah[i] && w.StapelKnapp[i]) << phase << " " << i;
    }
}

TEST_F(KiAuswertung, WarnflaggenBedarfGegenRestDesNaechstenStapels) {
    TEndwarnung w;
    g.S.Phase = 1;                                            // next: blue
    Auslage({Holzfaeller, Holzfaeller, Markt, Markt, Markt}); // the refill needs 3 + i
    Rest(2, 4);
    w = Endwarnung(g);
    const bool knapp[4] = {false, true, true, true};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.StapelKnapp[i], knapp[i]) << i;
        EXPECT_EQ(w.EndeNah[i], knapp[i]) << i;
    }
    // Any stack from the next colour on with fewer than 4 cards: end near, stack not short.
    Rest(4, 3);
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.StapelKnapp[i], knapp[i]) << i;
        EXPECT_TRUE(w.EndeNah[i]) << i;
    }
    Rest(4, 4);
    // Stacks before the next colour do not count.
    g.S.Phase = 2;
    Rest(1, 0), Rest(2, 0);
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(w.EndeNah[i] || w.StapelKnapp[i]) << i;

    // The need is at most 8: an empty display against 9 and 8 cards.
    g.S.Phase = 1;
    Auslage({});
    Rest(2, 9);
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(w.StapelKnapp[i] || w.EndeNah[i]) << i;
    Rest(2, 8);
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.StapelKnapp[i] && w.EndeNah[i]) << i;

    // Red phase: the upgrade stack is next; a full display needs only the look-ahead.
    g.S.Phase = 3;
    Rest(2, 20);
    Auslage({Markt, Markt, Markt, Markt}, {Markt, Markt, Markt, Markt});
    Rest(4, 3);
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.StapelKnapp[i], i == 3) << i;
        EXPECT_TRUE(w.EndeNah[i]) << i;
    }
    // An empty stack (never below 0) is short at every look-ahead.
    Rest(4, 0);
    w = Endwarnung(g);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(w.StapelKnapp[i]) << i;
}

// The warning most lists read alone is the one of the full set, in every phase, with every
// stack rest around the limits and every display count; the counts are set directly.
TEST_F(KiAuswertung, EndeNahGleichDerWarnungMitEinerKarte) {
    const int32_t reste[] = {0, 1, 3, 4, 5, 7, 8, 9, 20};
    int faelle = 0, nah = 0;
    for (int32_t leer = 0; leer <= 1; ++leer)
        for (int32_t phase = 0; phase <= 5; ++phase)
            for (int32_t r2 : reste)
                for (int32_t r3 : reste)
                    for (int32_t r4 : reste)
                        for (int32_t n1 = 0; n1 <= 8; n1 += 2)
                            for (int32_t n2 = 0; n1 + n2 <= 8; n2 += 3) {
                                g.S.StapelLeer = leer;
                                g.S.Phase = phase;
                                Rest(2, r2), Rest(3, r3), Rest(4, r4);
                                g.S.Auslage[1].Anzahl = n1;
                                g.S.Auslage[2].Anzahl = n2;
                                ASSERT_EQ(EndeNah(g), Endwarnung(g).EndeNah[1])
                                    << leer << " " << phase << " " << r2 << " " << r3 << " " << r4 << " "
                                    << n1 << " " << n2;
                                ++faelle;
                                nah += EndeNah(g);
                            }
    EXPECT_GT(nah, 0);
    EXPECT_LT(nah, faelle);
}

namespace {

// Everything the builder fills, compared field by field; list places only up to their count.
::testing::AssertionResult GleicheAuswertung(const tAuswKarten& x, const tAuswKarten& y) {
    auto fehler = [](const char* feld, long long a, long long b) {
        return ::testing::AssertionFailure() << feld << ": " << a << " gegen " << b;
    };
#define VERGLEICHE(feld)                                                                                     \
    if (x.feld != y.feld) return fehler(#feld, static_cast<long long>(x.feld), static_cast<long long>(y.feld))
    VERGLEICHE(ZarInx);
    VERGLEICHE(Auslage->AnzahlAuslage);
    VERGLEICHE(Auslage->AnzahlReihe2);
    VERGLEICHE(HandPreisGesamt);
    VERGLEICHE(Auslage->AuslageNummern);
    VERGLEICHE(HandNummern);
    VERGLEICHE(BesitzNummern);
    VERGLEICHE(Auslage->AuslageArten);
    for (int art = 0; art < 8; ++art) VERGLEICHE(Auslage->ArtPlaetze[art]);
    VERGLEICHE(Sondereigenschaften);
    VERGLEICHE(Auslage->Normal);
    for (int inx = 0; inx < 50; ++inx) {
        VERGLEICHE(Besitz[inx]);
        VERGLEICHE(Tisch[inx]);
        VERGLEICHE(Auslage->AuslageLetzte[inx]);
    }
    for (int i = 1; i <= x.Auslage->AnzahlAuslage; ++i) {
        if (!(x.Auslage->Karten[i] == y.Auslage->Karten[i]) || x.Auslage->TKarten[i] != y.Auslage->TKarten[i])
            return ::testing::AssertionFailure() << "Auslagekarte " << i;
        VERGLEICHE(Auslage->Reihe[i]);
        VERGLEICHE(Auslage->Platz[i]);
        VERGLEICHE(Preis(i));
        VERGLEICHE(Auslage->AuslageVorige[i]);
    }
    for (int c = 1; c <= 4; ++c) {
        VERGLEICHE(SS[c].Anzahl);
        VERGLEICHE(SS[c].AnzahlErw);
        VERGLEICHE(SS[c].HandErw);
        VERGLEICHE(SS[c].HandAnzahl);
        VERGLEICHE(SS[c].Geld);
        VERGLEICHE(SS[c].Punkte);
        VERGLEICHE(SS[c].HandPreis);
        for (int i = 1; i <= x.SS[c].Anzahl; ++i) {
            if (x.SS[c].Karten[i] != y.SS[c].Karten[i])
                return ::testing::AssertionFailure() << "Liste " << c << " Karte " << i;
            VERGLEICHE(SS[c].Ziel[i]);
        }
    }
#undef VERGLEICHE
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(KiAuswertung, WiederverwendeterDatensatzEntsprichtFrischem) {
    // A record built for a big position, then for a small one, holds what a fresh one holds.
    LegeAufTisch(g, 2, {Goldgraeber, Zar, Lagerhaus_, Hofoper, Markt, Richter, Richter, Steuereintreiber});
    LegeInHand(g, 2, {Goldschmiede, Schreinerei, Patriarch, Bank});
    g.Sp(2).Siegpunkte = 9;
    Auslage({Markt, Schreiber, Zollhaus}, {Holzfaeller, Bank});
    g.S.StapelLeer = 1;
    Bewerte(2);
    g.S.StapelLeer = 0;
    LegeAufTisch(g, 3, {Holzfaeller});
    LegeInHand(g, 3, {Schreinerei});
    Auslage({Markt});
    ErstelleAuswKarten(g, 3, a);
    tAuswKarten f{};
    ErstelleAuswKarten(g, 3, f);
    EXPECT_TRUE(GleicheAuswertung(a, f));
    EXPECT_EQ(a.Auslage->AnzahlAuslage, 1);
    EXPECT_EQ(a.Auslage->AnzahlReihe2, 0);
    EXPECT_EQ(a.HandPreisGesamt, 1);
    // What the routines ask of the record.
    KI k{g, 3, a};
    EXPECT_FALSE(k.Besitzt(Richter));
    EXPECT_TRUE(k.Besitzt(Schreinerei));
    EXPECT_EQ(k.AnzahlBesitz(Holzfaeller), 1);
}

TEST_F(KiAuswertung, GemerkterDatensatzFolgtJederAenderung) {
    // The session's record is reused while a seat's cards stay the same; every change of them,
    // even one that keeps the counts, must show.
    LegeAufTisch(g, 2, {Goldgraeber, Zar, Markt, Schreiber, Richter});
    LegeInHand(g, 2, {Weberei, Kammerfrau});
    Auslage({Markt, Schreiber, Weberei}, {Holzfaeller});
    auto pruefe = [&](const char* schritt) { return &PruefeGemerkt(schritt); };
    pruefe("erster Aufruf");
    pruefe("unveraendert");
    Auslage({Zollhaus, Schreiber});
    pruefe("neue Auslage");
    g.Sp(2).Hand().Karten[2] = KarteInx(Abt);
    pruefe("Handkarte getauscht");
    g.Sp(2).Karten[1].Karten[1] = KarteInx(Holzfaeller);
    pruefe("Tischkarte getauscht");
    g.Sp(2).Sondereigenschaften |= MinusRot;
    pruefe("Eigenschaft dazu");
    g.Sp(2).Siegpunkte += 7;
    g.S.Phase = 3;
    pruefe("Punkte und Phase");
    --g.Sp(2).Hand().Anzahl;
    pruefe("Handkarte weg");
    Benutze(2, 3, 1);
    pruefe("benutzt");
    LeereSpieler(g, 2);
    pruefe("leer");
}

TEST_F(KiAuswertung, GemerkteZieleFolgenHandUndGruenerListeEinzeln) {
    // The kept record rebuilds only the lists that changed; the green targets tie the hand to the
    // green list, so a change of either alone must clear the targets on the other side.
    auto pruefe = [&](const char* schritt) { return &PruefeGemerkt(schritt); };
    LegeAufTisch(g, 2, {Goldgraeber, Schaefer});
    LegeInHand(g, 2, {Weberei, Goldschmiede});
    EXPECT_EQ(pruefe("Ziele")->SS[1].Ziel[2], 1);
    // Each step changes one list only, as the rules do.
    auto liste = [&](int l) -> TKartenliste& { return g.SpListe(2, l); };
    // The upgrade leaves the hand: its target on the table is free again.
    ZieheKarteHand(g, 2, 1);
    const tAuswKarten* m = pruefe("Hand ohne Weberei");
    EXPECT_EQ(m->SS[1].Ziel[2], 0);
    EXPECT_EQ(m->SS[4].Ziel[1], 1);
    // The target leaves the table: the upgrade back in the hand has none.
    LegeKarteInHand(g, 2, 2, KarteInx(Weberei));
    pruefe("Weberei zurueck");
    TKartenliste& gruen = liste(1);
    gruen.Karten[2] = {};
    gruen.Anzahl = 1;
    m = pruefe("Tisch ohne Schaefer");
    EXPECT_EQ(m->SS[4].Ziel[2], 0);
    EXPECT_EQ(m->SS[4].Ziel[1], 1);
    liste(1).Karten[++liste(1).Anzahl] = KarteInx(Schaefer);
    EXPECT_EQ(pruefe("Schaefer zurueck")->SS[4].Ziel[2], 2);
    // Only the red list changes: the targets stay.
    liste(3).Karten[++liste(3).Anzahl] = KarteInx(Richter);
    m = pruefe("rot dazu");
    EXPECT_EQ(m->SS[1].Ziel[2], 2);
    EXPECT_EQ(m->SS[4].Ziel[1], 1);
}

TEST_F(KiAuswertung, GemerkterDatensatzFolgtEinzelnenKartenDerRegeln) {
    // A card bought onto the table or taken into or out of the hand by the rules is followed by
    // the kept record without rebuilding the list; it must end as a fresh record would.
    auto pruefe = [&](const char* schritt) { return &PruefeGemerkt(schritt); };
    g.SpKonto(2).Geld = 100;
    LegeAufTisch(g, 2, {Goldgraeber, Schaefer, Schreiber});
    LegeInHand(g, 2, {Hofmeisterin, Patriarch});
    pruefe("Start");
    auto kaufe = [&](int32_t inx) {
        LegeBezahleSpielerkarteTisch(g, 2, g.S.Spieler[2].Tischkarten() + 1, 1, KarteInx(inx));
        g.AktionenImZug = 0;
    };
    // The joker goes behind the lower numbers; a card put in front of it moves it on.
    kaufe(Zar);
    EXPECT_EQ(pruefe("Zar gekauft")->ZarInx, 3);
    kaufe(Holzfaeller);
    EXPECT_EQ(pruefe("Holzfaeller davor")->ZarInx, 4);
    // The dearest aristocrat leaves the hand: the red upgrade's allowance falls to the table's.
    const int32_t mitHofmeisterin = pruefe("vorher")->SS[3].HandPreis;
    ZieheKarteHand(g, 2, 1);
    const tAuswKarten* m = pruefe("Hofmeisterin weg");
    EXPECT_EQ(m->HandNummern, uint64_t{1} << Patriarch);
    EXPECT_GT(m->SS[3].HandPreis, mitHofmeisterin - 18);
    kaufe(Richter);
    pruefe("Richter");
    ASSERT_TRUE(NimmKarteAufHand(g, 2, KarteInx(Hofmeisterin)));
    pruefe("Hofmeisterin zurueck");
    ASSERT_TRUE(NimmKarteAufHand(g, 2, KarteInx(Patriarch)));
    ZieheKarteHand(g, 2, 1);
    m = pruefe("ein Patriarch weg, einer bleibt");
    EXPECT_TRUE((m->HandNummern >> Patriarch) & 1u);
    EXPECT_EQ(m->SS[3].HandAnzahl, 2);
}

TEST_F(KiAuswertung, GemerkterDatensatzFolgtUpgradesUndMarken) {
    // An upgrade replaces a table card and is sorted to its own place; used marks change no card
    // the record holds. The kept record follows both without rebuilding the list.
    auto pruefe = [&](const char* schritt) { return &PruefeGemerkt(schritt); };
    g.SpKonto(2).Geld = 100;
    LegeAufTisch(g, 2, {Goldgraeber, Schaefer, Zar, Sternwarte_, Schreiber, Richter, Hofmeisterin});
    EXPECT_EQ(pruefe("Start")->ZarInx, 3);
    auto kaufe = [&](int32_t position, int32_t inx) {
        LegeBezahleSpielerkarteTisch(g, 2, position, 1, KarteInx(inx));
        g.AktionenImZug = 0;
    };
    // Weberei replaces Schaefer and goes behind the joker, which moves up one place.
    kaufe(2, Weberei);
    const tAuswKarten* m = pruefe("Weberei statt Schaefer");
    EXPECT_EQ(m->ZarInx, 2);
    EXPECT_EQ(m->SS[1].Karten[3]->Inx, Weberei);
    // Abt replaces the dearest aristocrat.
    kaufe(3 + 1 + 3, Abt);
    m = pruefe("Abt statt Hofmeisterin");
    EXPECT_EQ(m->AdelRot, g.Daten(KarteInx(Richter)).Kosten);
    EXPECT_EQ(m->Tisch[Hofmeisterin], 0);
    // Marks set and taken off.
    BenutzeTischkarte(g, 2, 2, 1);
    pruefe("Sternwarte benutzt");
    ReaktiviereSternwarten(g);
    pruefe("Sternwarte wieder frei");
    // A mark and then a change the rules did not note: the list is built anew.
    BenutzeTischkarte(g, 2, 3, 1);
    g.SpListe(2, 3).Karten[2] = KarteInx(Kontrolleur);
    m = pruefe("benutzt, dann getauscht");
    EXPECT_EQ(m->Tisch[Richter], 0);
    EXPECT_EQ(m->Tisch[Kontrolleur], 1);
}

TEST(KiAuswertungSpiele, GemerkteDatensaetzeGleichenFrischenInGanzenPartien) {
    // Every seat's remembered record against a fresh one before every action of whole games:
    // computer moves of the main strategies and random actions of every kind.
    TKatalog kat;
    Spielsitzung g(kat);
    InitStrategieparameter(g.Einstellungen);
    tAuswKarten f{};
    int64_t vergleiche = 0;
    for (uint32_t partie = 1; partie <= 24; ++partie) {
        const int spieler = 2 + static_cast<int>(partie % 3);
        static constexpr int32_t Mischungen[4][4] = {
            {4, 4, 10, 10}, {12, 14, 2, 8}, {14, 15, 6, 13}, {10, 11, 9, 5}};
        for (int s = 1; s <= 4; ++s)
            g.Einstellungen.Fuer(spieler).Strategie[s] = Mischungen[partie % 4][s - 1];
        NeueTestpartie(g, spieler, 1000 + partie);
        TestSpieler zufall(partie);
        const bool zufaellig = partie % 2 == 0;
        for (int aktion = 0; aktion < 3000 && !g.S.Spielende; ++aktion) {
            for (int s = 1; s <= spieler; ++s) {
                const tAuswKarten& m = Auswertung(g, s);
                ErstelleAuswKarten(g, s, f);
                ASSERT_TRUE(GleicheAuswertung(m, f))
                    << "Partie " << partie << ", Aktion " << aktion << ", Sitz " << s;
                ++vergleiche;
            }
            if (zufaellig)
                zufall.Zug(g);
            else
                CompiZug(g);
        }
    }
    EXPECT_GT(vergleiche, 10000);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST(KiAuswertungSpiele, GemerkteDatensaetzeFolgenRuecknahmeUndKorrektur) {
    // Undo puts a whole earlier state in place at once, where display rows and lists often have
    // the lengths they have now; correction mode edits tables outside any move.
    SpielMitHistorie s(4, 815);
    for (TStrategieEinstellung& e : s.g.Einstellungen.R)
        for (int sp = 2; sp <= 4; ++sp) e.Strategie[sp] = sp == 2 ? 4 : 10;
    s.Neu();
    s.BisEintraege(8);
    tAuswKarten f{};
    auto pruefe = [&](const std::string& schritt) {
        for (int sp = 1; sp <= 4; ++sp) {
            const tAuswKarten& m = Auswertung(s.g, sp);
            ErstelleAuswKarten(s.g, sp, f);
            EXPECT_TRUE(GleicheAuswertung(m, f)) << schritt << ", Sitz " << sp;
        }
    };
    pruefe("Start");
    // A later entry that differs only in one table card and one display card, lengths kept.
    const TSpielstand frueher = s.g.S;
    int sitz = 2;
    while (sitz <= 4 && s.g.S.Spieler[sitz].Karten[1].Anzahl == 0) ++sitz;
    ASSERT_LE(sitz, 4);
    ASSERT_GE(s.g.S.Auslage[1].Anzahl, 1);
    tKartenRef& tisch = s.g.Sp(sitz).Karten[1].Karten[1];
    tisch = tisch == KarteInx(Holzfaeller) ? KarteInx(Goldgraeber) : KarteInx(Holzfaeller);
    s.g.AuslageGeaendert();
    tKartenRef& auslage = s.g.S.Auslage[1].Karten[1];
    auslage = auslage == KarteInx(Markt) ? KarteInx(Zollhaus) : KarteInx(Markt);
    s.h.SichereSpielstand(s.g);
    pruefe("spaeter");
    ASSERT_TRUE(s.h.Rueckgaengig(s.g));
    ASSERT_EQ(std::memcmp(&s.g.S, &frueher, sizeof frueher), 0);
    pruefe("gleiche Laengen");
    for (int schritt = 1; schritt <= 6; ++schritt) {
        ASSERT_TRUE(s.h.Rueckgaengig(s.g));
        pruefe("zurueck " + std::to_string(schritt));
    }
    ASSERT_TRUE(s.h.Wiederherstellen(s.g));
    pruefe("wieder");
    ASSERT_TRUE(s.h.GanzZurueck(s.g));
    pruefe("ganz zurueck");
    s.BisEintraege(8);
    pruefe("weiter");
    sitz = 2;
    while (sitz <= 4 && s.g.S.Spieler[sitz].Karten[1].Anzahl == 0) ++sitz;
    ASSERT_LE(sitz, 4);
    const tKartenRef erste = s.g.S.Spieler[sitz].Karten[1].Karten[1];
    ASSERT_TRUE(LoescheTischkarte(s.g, sitz, 1, 1));
    pruefe("geloescht");
    ASSERT_TRUE(FuegeTischkarteEin(s.g, sitz, erste));
    pruefe("eingefuegt");
}

TEST_F(KiAuswertung, BesitzUndAristokratenreserve) {
    LegeAufTisch(g, 2, {Sternwarte_, Sternwarte_, Schreiber, Schreiber});
    LegeInHand(g, 2, {Schreiber, Markt});
    EXPECT_EQ(AnzahlBesitz(g, 2, 3, Schreiber), 3);
    EXPECT_TRUE(Besitzt(g, 2, 2, Markt)); // in the hand counts for any colour
    EXPECT_FALSE(Besitzt(g, 2, 2, Zollhaus));
    Bewerte(2);
    KI k{g, 2, a};
    EXPECT_EQ(k.AnzahlBesitz(Schreiber), 3);
    EXPECT_EQ(k.AnzahlBesitz(Sternwarte_), 2);
    Benutze(2, 2, 1);
    EXPECT_TRUE(BesitztUnbenutzt(g, 2, 2, Sternwarte_));
    Benutze(2, 2, 2);
    EXPECT_FALSE(BesitztUnbenutzt(g, 2, 2, Sternwarte_));
    EXPECT_EQ(AnzahlBesitz(g, 2, 2, Sternwarte_), 2); // used ones are still owned
    EXPECT_FALSE(BesitztUnbenutzt(g, 2, 2, Markt));   // the hand does not count here
    EXPECT_FALSE(BesitztUnbenutzt(g, 2, 1, Schreiber));

    EXPECT_EQ(Aristokratenreserve(g, 18), 18); // the full red stack
    EXPECT_EQ(Aristokratenreserve(g, 30), 18);
    Stapel(3, {Schreiber, Verwalter, Schreiber});
    EXPECT_EQ(Aristokratenreserve(g, 18), 7);
    EXPECT_EQ(Aristokratenreserve(g, 5), 5);
    EXPECT_EQ(Aristokratenreserve(g, 0), 0);
    EXPECT_EQ(Aristokratenreserve(g, -3), 0);
    // Drawn cards are gone, even though they still stand in their places.
    g.S.Kartenstapel[3].Karten[g.S.Kartenstapel[3].Naechste - 1] = KarteInx(Hofmeisterin);
    EXPECT_EQ(Aristokratenreserve(g, 18), 7);
    Stapel(3, {Sekretaer});
    EXPECT_EQ(Aristokratenreserve(g, 18), 12);
    Rest(3, 0);
    EXPECT_EQ(Aristokratenreserve(g, 18), 0);
}

TEST_F(KiAuswertung, UngedeckteAdelsduplikate) {
    auto ungedeckt = [&] {
        ErstelleAuswKarten(g, 2, a);
        KI k{g, 2, a};
        return UngedeckteAdelsduplikate(k);
    };
    LegeAufTisch(g, 2, {Schreiber, Schreiber, Verwalter, Abt});
    LegeInHand(g, 2, {Schreiber, Verwalter});
    EXPECT_EQ(ungedeckt(), 3); // Schreiber 3 - 1, Verwalter 2 - 1; the Abt is no kind
    LegeInHand(g, 2, {Kammerfrau});
    EXPECT_EQ(ungedeckt(), 2); // a red upgrade in the hand covers one
    LeereSpieler(g, 2);
    LegeAufTisch(g, 2, {Schreiber, Verwalter});
    LegeInHand(g, 2, {Abt, Kammerfrau});
    EXPECT_EQ(ungedeckt(), 0); // never below 0
}

// ---- market position ----

namespace {

class KiMarktlage : public KiAuswertung {
protected:
    TMarktLage Lage(int sp) { return MarktpflegeLage(g, sp, Bewerte(sp)); }
    void Erwarte(int sp, bool ok, int32_t frei, int32_t anteil) {
        TMarktLage l = Lage(sp);
        EXPECT_EQ(l.ok, ok) << "Spieler " << sp;
        EXPECT_EQ(l.frei, frei) << "Spieler " << sp;
        EXPECT_EQ(l.anteil, anteil) << "Spieler " << sp;
    }
};

} // namespace

TEST_F(KiMarktlage, VierSpielerGruenePhase) {
    g.S.Phase = 1;
    g.S.Startspieler[2] = 3;
    Auslage({Holzfaeller, Holzfaeller, Holzfaeller, Holzfaeller, Holzfaeller});
    // Three places go to seats 3, 4, 1; the next would be seat 2's.
    Erwarte(2, true, 3, 0);
    Erwarte(3, false, 3, 1);
    Erwarte(4, false, 3, 1);
    Erwarte(1, false, 3, 1);
    Rest(2, 3); // the blue stack must hold f + 1 cards
    Erwarte(2, false, 3, 0);
    Rest(2, 4);
    Erwarte(2, true, 3, 0);

    Auslage({Holzfaeller, Holzfaeller});
    Rest(2, 20);
    Erwarte(3, false, 6, 2);
    Erwarte(4, false, 6, 2);
    Erwarte(1, true, 6, 1);
    Erwarte(2, false, 6, 1);
}

TEST_F(KiMarktlage, ZweiUndDreiSpieler) {
    Aufbauen(2);
    g.S.Phase = 2;
    g.S.Startspieler[3] = 2;
    Auslage({Markt, Markt, Markt, Markt, Markt});
    Erwarte(1, true, 3, 1);
    Erwarte(2, false, 3, 2);

    // A full display: nothing to hand out, the next place goes to the start player.
    Aufbauen(3);
    g.S.Phase = 3;
    g.S.Startspieler[4] = 1;
    Auslage({Schreiber, Schreiber, Schreiber, Schreiber}, {Markt, Markt, Markt, Markt});
    Erwarte(1, true, 0, 0);
    Erwarte(2, false, 0, 0);
    Rest(4, 0);
    Erwarte(1, false, 0, 0);
}

TEST_F(KiMarktlage, Phase4ZaehltReihe2UndBeginntNachDemGruenenStartspieler) {
    g.S.Phase = 4;
    g.S.Startspieler[1] = 4; // at the new round the token moves to seat 1
    Auslage({Abt, Abt, Abt, Abt}, {Markt, Markt, Markt});
    Erwarte(1, true, 4, 1);
    Erwarte(2, false, 4, 1);
    Rest(1, 4);
    Erwarte(1, false, 4, 1);
    Rest(1, 5);
    Erwarte(1, true, 4, 1);

    Aufbauen(3);
    g.S.Phase = 4;
    g.S.Startspieler[1] = 2; // the refill starts with seat 3
    Auslage({Abt, Abt, Abt});
    Erwarte(3, false, 5, 2);
    Erwarte(1, false, 5, 2);
    Erwarte(2, true, 5, 1);
    g.S.Startspieler[1] = 3; // wraps to seat 1
    Erwarte(1, false, 5, 2);
    Erwarte(3, true, 5, 1);
}
