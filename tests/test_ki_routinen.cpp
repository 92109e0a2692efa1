// The acting routines of the computer players on hand-built positions: which card each one
// takes among equal ones, what it refuses, and that a refusal changes nothing.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ai/auswertung.h"
#include "ai/einstellungen.h"
#include "ai/routinen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

enum : int32_t {
    Holzfaeller = 1,
    Goldgraeber = 2,
    Schaefer = 3,
    Pelzjaeger = 4,
    Schiffbauer = 5,
    Zar = 6,
    Schenke_ = 7,
    Lagerhaus_ = 8,
    Dorf = 9,
    Markt = 10,
    Sternwarte_ = 11,
    Zollhaus = 12,
    Feuerwehr = 13,
    Krankenhaus = 14,
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
    Lindenhof = 32,
    Bergkirche = 34,
    Abt = 40,
    Kammerfrau = 41,
    Heroldmeister = 42,
    Baumeister = 43,
    Senator = 44,
    Patriarch = 45,
    Steuereintreiber = 46,
};

using Liste = std::vector<int32_t>;

class KiRoutine : public Stellung {
protected:
    tAuswKarten a{};

    void SetUp() override {
        Stellung::SetUp();
        InitStrategieparameter(g.Einstellungen);
        g.S.AktuellerSpieler = 2;
    }
    void Auslage(std::initializer_list<int32_t> r1, std::initializer_list<int32_t> r2 = {}) {
        LeereAuslage(g);
        for (int32_t x : r1) g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(x);
        int p = 9 - static_cast<int>(r2.size());
        for (int32_t x : r2) g.S.Auslage[2].Karten[p++] = KarteInx(x);
        g.S.Auslage[2].Anzahl = static_cast<int32_t>(r2.size());
    }
    // A fresh seat with these cards and money.
    void Sitz(int sp, int32_t geld, std::initializer_list<int32_t> tisch,
              std::initializer_list<int32_t> hand = {}) {
        LeereSpieler(g, sp);
        LegeAufTisch(g, sp, tisch);
        LegeInHand(g, sp, hand);
        g.Sp(sp).Geld = geld;
    }
    // The seat's evaluation at this moment, as a strategy builds it at the start of its move.
    KI Ki(int sp = 2) {
        g.S.AktuellerSpieler = sp;
        ErstelleAuswKarten(g, sp, a);
        return KI{g, sp, a};
    }
    void Stapel(int k, std::initializer_list<int32_t> karten) {
        TKartenstapel& st = g.S.Kartenstapel[k];
        st.Naechste = st.Anzahl - static_cast<int32_t>(karten.size()) + 1;
        int p = st.Naechste;
        for (int32_t x : karten) st.Karten[p++] = KarteInx(x);
    }
    Liste Karten(int sp, int liste) const {
        Liste l;
        const TKartenliste& k = g.S.Spieler[sp].Karten[liste];
        for (int i = 1; i <= k.Anzahl; ++i) l.push_back(g.Daten(k.Karten[i]).Inx);
        return l;
    }
    Liste Reihe(int r) const {
        Liste l;
        for (int p = 1; p <= 8; ++p)
            if (!g.S.Auslage[r].Karten[p].Leer()) l.push_back(g.Daten(g.S.Auslage[r].Karten[p]).Inx);
        return l;
    }
    int32_t Geld(int sp = 2) const { return g.S.Spieler[sp].Geld; }
};

} // namespace

// ---- buying from the display ----

TEST_F(KiRoutine, KaufeKarteInxNimmtDieSpaetereVonZweiGleichen) {
    g.S.Phase = 2;
    Sitz(2, 10, {});
    Auslage({Markt, Zollhaus, Markt});
    KI k = Ki();
    EXPECT_TRUE(KaufeKarteInx(k, 2, 0, Markt));
    EXPECT_EQ(Reihe(1), (Liste{Markt, Zollhaus}));
    EXPECT_EQ(Geld(), 5);
    // Across the rows the later one is in row 2 (and one cheaper).
    Auslage({Markt}, {Markt});
    Ki();
    EXPECT_TRUE(KaufeKarteInx(k, 2, 0, Markt));
    EXPECT_EQ(Reihe(1), (Liste{Markt}));
    EXPECT_EQ(Reihe(2), Liste{});
    EXPECT_EQ(Geld(), 2); // 5 + 1 - 2 (row 2) - 1 (one on the table)
    EXPECT_EQ(Karten(2, 2), (Liste{Markt, Markt}));
}

TEST_F(KiRoutine, KaufeKarteInxRestZaehltDasEinkommenDieserPhase) {
    Sitz(3, 5, {});
    Auslage({Schreiber});
    g.S.Phase = 2; // rest 5 - 4 = 1
    KI k = Ki(3);
    EXPECT_FALSE(KaufeKarteInx(k, 3, 2, Schreiber));
    g.S.Phase = 3; // the Schreiber pays 1 in this very scoring: rest 2
    Ki(3);
    EXPECT_FALSE(KaufeKarteInx(k, 3, 3, Schreiber));
    EXPECT_TRUE(KaufeKarteInx(k, 3, 2, Schreiber));
    EXPECT_EQ(Geld(3), 1);
}

TEST_F(KiRoutine, KaufeGuenstigsteKarteGruenePhaseRechnetDasEinkommenMit) {
    g.S.Phase = 1;
    Sitz(2, 10, {});
    Auslage({Goldgraeber, Schreinerei});
    KI k = Ki();
    EXPECT_FALSE(KaufeGuenstigsteKarte(k, 1, 0)); // 4 - 3 > 0; upgrades are not looked at
    EXPECT_TRUE(KaufeGuenstigsteKarte(k, 1, 1));
    EXPECT_EQ(Karten(2, 1), (Liste{Goldgraeber}));
    // A worker costing limit + 3 is accepted in the green phase only.
    Auslage({Holzfaeller});
    g.S.Phase = 2;
    Ki();
    EXPECT_FALSE(KaufeGuenstigsteKarte(k, 1, 0));
    EXPECT_TRUE(KaufeGuenstigsteKarte(k, 1, 3));
    Auslage({Holzfaeller});
    g.S.Phase = 1;
    Ki();
    EXPECT_TRUE(KaufeGuenstigsteKarte(k, 1, 0));
    EXPECT_EQ(Geld(), 10 - 4 - 3 - 2);
}

TEST_F(KiRoutine, KaufeGuenstigsteKarteBeiGleichemPreisDieNiedrigerenKosten) {
    g.S.Phase = 1;
    // Schaefer costs 3 with two on the table, the same as the Holzfaeller behind it.
    Sitz(3, 10, {Schaefer, Schaefer});
    Auslage({Schaefer, Holzfaeller});
    KI k = Ki(3);
    EXPECT_TRUE(KaufeGuenstigsteKarte(k, 1, OhneLimit));
    EXPECT_EQ(Reihe(1), (Liste{Schaefer}));
    // Not affordable, or no money at all: nothing.
    Sitz(3, 2, {});
    Auslage({Holzfaeller});
    TSpielstand vorher = g.S;
    Ki(3);
    EXPECT_FALSE(KaufeGuenstigsteKarte(k, 1, OhneLimit));
    g.Sp(3).Geld = 0;
    Ki(3);
    EXPECT_FALSE(KaufeGuenstigsteKarte(k, 1, OhneLimit));
    g.Sp(3).Geld = 2;
    EXPECT_TRUE(Unveraendert(vorher));
}

TEST_F(KiRoutine, BereichsroutinenUndIhreReihenfolge) {
    g.S.Phase = 2;
    Sitz(2, 20, {});
    Auslage({Sternwarte_});
    KI k = Ki();
    EXPECT_FALSE(KaufeBereichAufsteigend(k, 2, 0, 11, 11)); // skips the observatory
    EXPECT_FALSE(KaufeFehlendeAufsteigend(k, 2, 0, 11, 11));
    EXPECT_TRUE(KaufeBereichAbsteigend(k, 2, 0, 11, 11));

    Sitz(2, 20, {});
    Auslage({Markt, Zollhaus});
    Ki();
    EXPECT_TRUE(KaufeBereichAbsteigend(k, 2, 0, 17, 7));
    EXPECT_EQ(Karten(2, 2), (Liste{Zollhaus}));
    Sitz(2, 20, {});
    Auslage({Zollhaus, Markt});
    Ki();
    EXPECT_TRUE(KaufeBereichAufsteigend(k, 2, 0, 17, 7));
    EXPECT_EQ(Karten(2, 2), (Liste{Markt}));
    // Owned means on the table or in the hand.
    Sitz(2, 20, {}, {Zollhaus});
    Auslage({Markt, Zollhaus});
    Ki();
    EXPECT_TRUE(KaufeFehlendeAbsteigend(k, 2, 0, 17, 7));
    EXPECT_EQ(Karten(2, 2), (Liste{Markt}));
    Sitz(2, 0, {});
    Auslage({Markt});
    Ki();
    EXPECT_FALSE(KaufeBereichAbsteigend(k, 2, -5, 17, 7));

    // Limited by the table count of the colour.
    g.S.Phase = 3;
    Sitz(2, 20, {Schreiber});
    Auslage({Verwalter});
    Ki();
    EXPECT_FALSE(KaufeBereichBegrenzt(k, 3, 1, 0, 24, 18));
    EXPECT_TRUE(KaufeBereichBegrenzt(k, 3, 2, 0, 24, 18));

    // Kinds: pubs, observatories and upgrades do not count.
    g.S.Phase = 2;
    Sitz(2, 20, {Schenke_, Sternwarte_, Bank, Markt});
    Auslage({Zollhaus, Lagerhaus_});
    Ki();
    EXPECT_FALSE(KaufeArtenBegrenzt(k, 2, 1, 0, 13, 8));
    Sitz(2, 20, {Schenke_, Sternwarte_, Bank});
    Ki();
    EXPECT_TRUE(KaufeArtenBegrenzt(k, 2, 1, 0, 13, 8));
    EXPECT_EQ(Reihe(1), (Liste{Zollhaus}));

    // Duplicates beyond the first of each number.
    g.S.Phase = 3;
    Sitz(2, 20, {Schreiber, Schreiber, Verwalter, Verwalter});
    Auslage({Verwalter, Schreiber});
    Ki();
    EXPECT_FALSE(KaufeBereichDuplikatBegrenzt(k, 3, 2, 0, 24, 18));
    EXPECT_TRUE(KaufeBereichDuplikatBegrenzt(k, 3, 3, 0, 24, 18));
    EXPECT_EQ(Reihe(1), (Liste{Verwalter}));
}

TEST_F(KiRoutine, SchreiberVerwalterEinzelstueckUndBlaueWertung) {
    g.S.Phase = 4;
    Sitz(2, 11, {});
    Auslage({Schreiber, Verwalter});
    KI k = Ki();
    EXPECT_FALSE(KaufeSchreiberVerwalter(k, 0, 11, 12));
    EXPECT_TRUE(KaufeSchreiberVerwalter(k, 0, 9, 11)); // only the Verwalter limit is passed
    EXPECT_EQ(Karten(2, 3), (Liste{Verwalter}));
    Sitz(2, 11, {});
    Auslage({Schreiber, Verwalter});
    Ki();
    // The minimum rest holds for both: the Schreiber would leave 7, the Verwalter 4.
    EXPECT_FALSE(KaufeSchreiberVerwalter(k, 8, 9, 10));
    EXPECT_TRUE(KaufeSchreiberVerwalter(k, 5, 9, 10));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));

    g.S.Phase = 2;
    Sitz(2, 20, {});
    Auslage({Krankenhaus, Krankenhaus});
    Ki();
    EXPECT_FALSE(KaufeEinzelstueck(k, Krankenhaus, 0));
    Auslage({Krankenhaus});
    Ki();
    EXPECT_FALSE(KaufeEinzelstueck(k, Krankenhaus, 7));
    EXPECT_TRUE(KaufeEinzelstueck(k, Krankenhaus, 6));

    // Single pieces first, the cheaper kind even before a pair of dearer ones.
    Sitz(2, 30, {});
    Auslage({Feuerwehr, Zollhaus, Feuerwehr});
    Ki();
    EXPECT_TRUE(KaufeBlaueWertung(k, 0, 0));
    EXPECT_EQ(Karten(2, 2), (Liste{Zollhaus}));
    Sitz(2, 30, {});
    Auslage({Krankenhaus, Krankenhaus});
    Ki();
    EXPECT_FALSE(KaufeBlaueWertung(k, 5, 17)); // 30 - 14 < 17
    EXPECT_TRUE(KaufeBlaueWertung(k, 5, 16));
}

TEST_F(KiRoutine, SperreAdligenSchautNurAufSpieler1) {
    g.S.Phase = 4;
    Sitz(1, 4, {Schreiber, Verwalter, Kontorist, Sekretaer});
    Sitz(2, 20, {});
    Auslage({Kontrolleur, Schreiber});
    KI k = Ki();
    EXPECT_TRUE(SperreAdligen(k, 18, 24, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Kontrolleur}));
    Auslage({Kontrolleur});
    g.Sp(1).Geld = 3;
    Ki();
    EXPECT_FALSE(SperreAdligen(k, 18, 24, 0));
    Sitz(1, 10, {Schreiber, Verwalter, Kontorist});
    Ki();
    EXPECT_FALSE(SperreAdligen(k, 18, 24, 0));
    Sitz(1, 10, {Schreiber, Verwalter, Kontorist, Sekretaer}, {Kontrolleur});
    Ki();
    EXPECT_FALSE(SperreAdligen(k, 18, 24, 0));
}

// ---- red upgrades ----

TEST_F(KiRoutine, KaufeRotesUpgradeAusserhalbDerSchlussrunde) {
    g.S.Phase = 4;
    // A single Sekretaer or higher is replaced only in the final round ...
    Sitz(2, 20, {Sekretaer});
    Auslage({Abt});
    KI k = Ki();
    TSpielstand vorher = g.S;
    EXPECT_FALSE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, true));
    EXPECT_EQ(Karten(2, 3), (Liste{Abt}));
    EXPECT_EQ(Geld(), 19);
    // ... or when the hand holds another of its kind.
    Sitz(2, 20, {Sekretaer}, {Sekretaer});
    Auslage({Abt});
    Ki();
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_EQ(Karten(2, 3), (Liste{Abt}));
    // Pairs above the Sekretaer wait for the final round too.
    Sitz(2, 20, {Kontrolleur, Kontrolleur});
    Auslage({Abt});
    Ki();
    EXPECT_FALSE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, true));
    EXPECT_EQ(Karten(2, 3), (Liste{Kontrolleur, Abt}));
}

TEST_F(KiRoutine, KaufeRotesUpgradeEinzelneNurMitUpgradesBis10) {
    g.S.Phase = 4;
    Sitz(2, 20, {Schreiber});
    Auslage({Senator}); // 12
    KI k = Ki();
    EXPECT_FALSE(KaufeRotesUpgrade(k, 0, false));
    Auslage({Baumeister}); // 10
    Ki();
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_EQ(Karten(2, 3), (Liste{Baumeister}));
    EXPECT_EQ(Geld(), 14);
    for (int32_t adel : {Kontorist, Sekretaer}) {
        Sitz(2, 20, {adel});
        Auslage({Baumeister});
        Ki();
        EXPECT_EQ(KaufeRotesUpgrade(k, 0, false), adel == Kontorist) << adel;
    }
    // Singles are tried from the Schreiber up.
    Sitz(2, 20, {Schreiber, Verwalter});
    Auslage({Abt});
    Ki();
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_EQ(Karten(2, 3), (Liste{Verwalter, Abt}));
    // Pairs first, from the highest kind down.
    Sitz(2, 20, {Schreiber, Schreiber, Kontorist, Kontorist});
    Auslage({Abt});
    Ki();
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Schreiber, Kontorist, Abt}));
}

TEST_F(KiRoutine, KaufeRotesUpgradeGuenstigstesSpaeteresUndRoteNettokosten) {
    g.S.Phase = 4;
    Sitz(2, 20, {Schreiber, Schreiber});
    Auslage({Kammerfrau, Heroldmeister}); // both cost 8
    KI k = Ki();
    EXPECT_TRUE(KaufeRotesUpgrade(k, 0, false));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Heroldmeister}));
    EXPECT_EQ(Reihe(1), (Liste{Kammerfrau}));

    // Heroldmeister over a Verwalter costs 1; in the red phase it also pays 4 instead of 2.
    Sitz(2, 1, {Verwalter, Verwalter});
    Auslage({Heroldmeister});
    g.S.Phase = 4;
    Ki();
    EXPECT_FALSE(KaufeRotesUpgrade(k, 2, false));
    g.S.Phase = 3;
    Ki();
    EXPECT_TRUE(KaufeRotesUpgrade(k, 2, false));
    EXPECT_EQ(Geld(), 0);
    Sitz(2, 0, {Verwalter, Verwalter});
    Auslage({Heroldmeister});
    Ki();
    EXPECT_FALSE(KaufeRotesUpgrade(k, -10, true));
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRoutine, LegeRotesUpgradeZaehltNurTischduplikate) {
    g.S.Phase = 4;
    Sitz(2, 20, {Sekretaer}, {Abt, Sekretaer});
    KI k = Ki();
    EXPECT_FALSE(LegeRotesUpgrade(k, 0, false));
    EXPECT_TRUE(LegeRotesUpgrade(k, 0, true));
    EXPECT_EQ(Karten(2, 3), (Liste{Abt}));
    EXPECT_EQ(Karten(2, 4), (Liste{Sekretaer}));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 8);
    // The cheapest in the hand, the later of equals.
    Sitz(2, 20, {Schreiber, Schreiber}, {Patriarch, Kammerfrau, Heroldmeister});
    Ki();
    EXPECT_TRUE(LegeRotesUpgrade(k, 0, false));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Heroldmeister}));
}

TEST_F(KiRoutine, LegeTeuerstesRotesUpgradeDreiDurchgaenge) {
    g.S.Phase = 4;
    // The dearest upgrade; pairs first.
    Sitz(2, 20, {Schreiber, Schreiber, Kontrolleur}, {Abt, Patriarch});
    KI k = Ki();
    EXPECT_TRUE(LegeTeuerstesRotesUpgrade(k, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Kontrolleur, Patriarch}));
    // Singles from the lowest kind where it costs 1 upwards: the Kontorist, not the Richter.
    Sitz(2, 20, {Schreiber, Kontorist, Richter}, {Abt});
    Ki();
    EXPECT_TRUE(LegeTeuerstesRotesUpgrade(k, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Richter, Abt}));
    // In the red phase the dearer targets pay more money: then downwards from there.
    g.S.Phase = 3;
    Sitz(2, 4, {Schreiber, Kontorist, Richter}, {Abt});
    Ki();
    EXPECT_TRUE(LegeTeuerstesRotesUpgrade(k, 2));
    EXPECT_EQ(Karten(2, 3), (Liste{Kontorist, Richter, Abt}));
    // No kind where it costs 1: from the top down.
    g.S.Phase = 4;
    Sitz(2, 20, {Schreiber}, {Abt});
    Ki();
    EXPECT_TRUE(LegeTeuerstesRotesUpgrade(k, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Abt}));
    Sitz(2, 0, {Schreiber}, {Abt});
    Ki();
    EXPECT_FALSE(LegeTeuerstesRotesUpgrade(k, -5));
    // Of two equally dear upgrades the later one.
    Sitz(2, 20, {Schreiber, Schreiber}, {Heroldmeister, Kammerfrau});
    Ki();
    EXPECT_TRUE(LegeTeuerstesRotesUpgrade(k, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Kammerfrau}));
    EXPECT_EQ(Karten(2, 4), (Liste{Heroldmeister}));
}

TEST_F(KiRoutine, RotePunkteUpgradesUndIhrZiel) {
    g.S.Phase = 4;
    Sitz(2, 20, {Schreiber, Kontorist});
    Auslage({Kammerfrau, Senator, Patriarch});
    KI k = Ki();
    EXPECT_EQ(FindeRotesZiel(k, 3), 2); // 16 - 10 is less than 16 - 4
    EXPECT_TRUE(KaufeRotesPunkteUpgrade(k));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Patriarch}));
    EXPECT_EQ(Geld(), 14);
    // Equal points: the lower cost; equal cost too: the dearer card.
    Sitz(2, 20, {Kontorist});
    Auslage({Senator, Kammerfrau});
    Ki();
    EXPECT_TRUE(KaufeRotesPunkteUpgrade(k));
    EXPECT_EQ(Karten(2, 3), (Liste{Kammerfrau}));
    Sitz(2, 20, {Sekretaer});
    Auslage({Kammerfrau, Senator});
    Ki();
    EXPECT_TRUE(KaufeRotesPunkteUpgrade(k));
    EXPECT_EQ(Karten(2, 3), (Liste{Senator}));
    // No points, or no target left: nothing.
    Sitz(2, 20, {Kontorist});
    Auslage({Heroldmeister});
    Ki();
    EXPECT_FALSE(KaufeRotesPunkteUpgrade(k));
    Sitz(2, 20, {Abt});
    Auslage({Senator});
    Ki();
    EXPECT_EQ(FindeRotesZiel(k, 1), 0);
    EXPECT_FALSE(KaufeRotesPunkteUpgrade(k));
    // Equal cost over two targets: the one with the higher Kosten.
    Sitz(2, 20, {Schreiber, Kontorist, Kontrolleur});
    Auslage({Abt});
    EXPECT_EQ(FindeRotesZiel(Ki(), 1), 3);
}

// ---- green upgrades ----

TEST_F(KiRoutine, FindeGruenesZielNimmtDenFreienJoker) {
    g.S.Phase = 4;
    Sitz(2, 10, {Holzfaeller, Zar});
    Auslage({Schreinerei});
    KI k = Ki();
    EXPECT_EQ(FindeGruenesZiel(k, 1), 2);
    EXPECT_TRUE(KaufeGruenesGeldUpgrade(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller, Schreinerei}));
    EXPECT_EQ(Geld(), 9); // 4 - 8, at least 1
    // The joker already serves a hand upgrade: the worker it was meant for.
    Sitz(2, 10, {Holzfaeller, Zar}, {Goldschmiede});
    Auslage({Schreinerei});
    EXPECT_EQ(FindeGruenesZiel(Ki(), 1), 1);
    // Only the joker fits.
    Sitz(2, 10, {Schaefer, Zar});
    EXPECT_EQ(FindeGruenesZiel(Ki(), 1), 2);
    // Nothing fits.
    Sitz(2, 10, {Schaefer});
    Ki();
    EXPECT_EQ(FindeGruenesZiel(k, 1), 0);
    EXPECT_FALSE(KaufeGruenesGeldUpgrade(k));
}

TEST_F(KiRoutine, GrueneUpgradesErstGeldOderPunkteDannDerRest) {
    g.S.Phase = 4;
    Sitz(2, 20, {Holzfaeller, Schaefer});
    Auslage({Weberei, Schreinerei});
    KI k = Ki();
    EXPECT_TRUE(KaufeGruenesGeldUpgrade(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller, Weberei}));
    EXPECT_EQ(Geld(), 17);
    Sitz(2, 20, {Holzfaeller, Goldgraeber});
    Auslage({Schreinerei, Goldschmiede});
    Ki();
    EXPECT_TRUE(KaufeGruenesGeldUpgrade(k)); // second pass, last to first
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller, Goldschmiede}));
    Sitz(2, 20, {Pelzjaeger, Schiffbauer});
    Auslage({Kuerschnerei, Werft});
    Ki();
    EXPECT_TRUE(KaufeGruenesPunkteUpgrade(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Schiffbauer, Kuerschnerei}));
    EXPECT_EQ(Geld(), 16);
    Auslage({Werft});
    Ki();
    EXPECT_TRUE(KaufeGruenesPunkteUpgrade(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Kuerschnerei, Werft}));
}

TEST_F(KiRoutine, GrueneUpgradesOhneGeldKaufenNichts) {
    // Kuerschnerei from row 2 with another on the table costs 8, as much as the joker:
    // price less target is 0, but an upgrade always costs at least 1.
    g.S.Phase = 4;
    Sitz(2, 0, {Kuerschnerei, Zar});
    Auslage({}, {Kuerschnerei});
    KI k = Ki();
    ASSERT_EQ(a.Preis(1), 8);
    ASSERT_EQ(FindeGruenesZiel(k, 1), 2);
    TSpielstand vorher = g.S;
    EXPECT_FALSE(KaufeGruenesPunkteUpgrade(k));
    EXPECT_FALSE(KaufeGruenesGeldUpgrade(k));
    EXPECT_TRUE(Unveraendert(vorher));
    Auslage({}, {Weberei}); // 7 over the joker's 8
    Ki();
    EXPECT_FALSE(KaufeGruenesGeldUpgrade(k));
    EXPECT_EQ(g.AnzahlFehler, 0);

    g.Sp(2).Geld = 1;
    Auslage({}, {Kuerschnerei});
    Ki();
    EXPECT_TRUE(KaufeGruenesPunkteUpgrade(k));
    EXPECT_EQ(Geld(), 0);
    EXPECT_EQ(Karten(2, 1), (Liste{Kuerschnerei, Kuerschnerei}));
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRoutine, KaufeZielFuerGruenesUpgrade) {
    g.S.Phase = 1;
    Sitz(2, 10, {}, {Weberei});
    Auslage({Schaefer, Holzfaeller, Schaefer});
    KI k = Ki();
    EXPECT_TRUE(KaufeZielFuerGruenesUpgrade(k)); // the last replaceable card
    EXPECT_EQ(Reihe(1), (Liste{Schaefer, Holzfaeller}));
    EXPECT_EQ(Karten(2, 1), (Liste{Schaefer}));
    // Matched now: nothing more to do.
    Ki();
    EXPECT_FALSE(KaufeZielFuerGruenesUpgrade(k));
    // Too dear: into the hand.
    Sitz(2, 3, {}, {Weberei});
    Auslage({Schaefer});
    Ki();
    EXPECT_TRUE(KaufeZielFuerGruenesUpgrade(k));
    EXPECT_EQ(Karten(2, 4), (Liste{Weberei, Schaefer}));
    EXPECT_EQ(Geld(), 3);
    // Too dear and no room: the scan goes on to an earlier card it can pay.
    Sitz(2, 5, {}, {Weberei, Markt, Zollhaus});
    Auslage({Schaefer, Zar});
    Ki();
    EXPECT_TRUE(KaufeZielFuerGruenesUpgrade(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Schaefer}));
    EXPECT_EQ(Reihe(1), (Liste{Zar}));
    // With room the joker goes into the hand instead.
    Sitz(2, 5, {}, {Weberei});
    Auslage({Schaefer, Zar});
    Ki();
    EXPECT_TRUE(KaufeZielFuerGruenesUpgrade(k));
    EXPECT_EQ(Karten(2, 4), (Liste{Weberei, Zar}));
    // No green upgrade in the hand.
    Sitz(2, 5, {}, {Markt});
    Ki();
    EXPECT_FALSE(KaufeZielFuerGruenesUpgrade(k));
}

// ---- blue upgrades and duplicates ----

TEST_F(KiRoutine, KaufeBlauesUpgradeMitZielLueckeUndZiel) {
    g.S.Phase = 4;
    Sitz(2, 10, {Markt});
    Auslage({Bank});
    KI k = Ki();
    EXPECT_TRUE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100)); // gap 3: a Markt will do
    EXPECT_EQ(Karten(2, 2), (Liste{Bank}));
    EXPECT_EQ(Geld(), 2);
    Sitz(2, 7, {Markt});
    Auslage({Bank});
    Ki();
    EXPECT_FALSE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100)); // gap 6: no Markt any more

    // The Potjemkinsches Dorf comes first; 13 - 2 must be within the money, then it costs 4 less.
    Sitz(2, 10, {Dorf, Markt});
    Auslage({Bank});
    Ki();
    EXPECT_FALSE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100));
    g.Sp(2).Geld = 11;
    Ki();
    EXPECT_TRUE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100));
    EXPECT_EQ(Karten(2, 2), (Liste{Markt, Bank}));
    EXPECT_EQ(Geld(), 4);

    // The minimum rest counts the money difference in the blue phase only.
    // Bank over Markt costs 8 of 10 and pays 5 more than the Markt.
    for (int phase : {2, 4}) {
        g.S.Phase = phase;
        for (int32_t rest : {2, 3, 7, 8}) {
            Sitz(2, 10, {Markt});
            Auslage({Bank});
            Ki();
            const bool soll = rest <= (phase == 2 ? 7 : 2);
            EXPECT_EQ(KaufeBlauesUpgradeMitZiel(k, rest, false, 100), soll) << phase << " " << rest;
        }
    }
    g.S.Phase = 4;
    Sitz(2, 10, {Markt, Hofoper});
    Auslage({Bank});
    Ki();
    EXPECT_FALSE(KaufeBlauesUpgradeMitZiel(k, 0, false, 1)); // already one blue upgrade
    Sitz(2, 0, {Markt});
    Ki();
    EXPECT_FALSE(KaufeBlauesUpgradeMitZiel(k, -20, false, 100));
}

TEST_F(KiRoutine, KaufeBlauesUpgradeMitZielReihenfolgeDerArten) {
    g.S.Phase = 4;
    Sitz(2, 20, {Markt, Markt});
    Auslage({Lindenhof, Bank});
    KI k = Ki();
    EXPECT_TRUE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100));
    EXPECT_EQ(Reihe(1), (Liste{Lindenhof}));
    Sitz(2, 20, {Markt, Markt});
    Auslage({Lindenhof, Bank});
    Ki();
    EXPECT_TRUE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100, BlauOrdnung::Punkte));
    EXPECT_EQ(Reihe(1), (Liste{Bank}));

    // The Hofoper: from the hand, and from the display in a two-player game only.
    Sitz(2, 10, {Markt});
    Auslage({Hofoper});
    Ki();
    EXPECT_FALSE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100));
    Sitz(2, 10, {Markt}, {Hofoper});
    Ki();
    EXPECT_TRUE(KaufeBlauesUpgradeMitZiel(k, 0, true, 100));
    EXPECT_EQ(Karten(2, 2), (Liste{Hofoper}));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 8);
    Aufbauen(2);
    InitStrategieparameter(g.Einstellungen);
    g.S.Phase = 4;
    Sitz(2, 10, {Markt});
    Auslage({Hofoper});
    Ki();
    EXPECT_TRUE(KaufeBlauesUpgradeMitZiel(k, 0, false, 100));
    EXPECT_EQ(Karten(2, 2), (Liste{Hofoper}));
}

TEST_F(KiRoutine, BunkernBlauesUpgradeReihenfolgen) {
    g.S.Phase = 4;
    Sitz(2, 0, {});
    Auslage({Hofoper, Bergkirche, Bank});
    KI k = Ki();
    EXPECT_TRUE(BunkernBlauesUpgrade(k, 2, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Bank}));
    Sitz(2, 0, {}, {Lindenhof});
    Ki();
    EXPECT_FALSE(BunkernBlauesUpgrade(k, 1, 0)); // already holds one
    Sitz(2, 0, {});
    Auslage({Hofoper, Bergkirche, Bank});
    Ki();
    EXPECT_TRUE(BunkernBlauesUpgrade(k, 2, 0, BlauOrdnung::Punkte));
    EXPECT_EQ(Karten(2, 4), (Liste{Bergkirche}));
    Auslage({Bank, Hofoper});
    Ki();
    EXPECT_FALSE(BunkernBlauesUpgrade(k, 2, 0, BlauOrdnung::Punkte));
    // Row 1 only in mode 1.
    Sitz(2, 0, {});
    Auslage({}, {Bank});
    Ki();
    EXPECT_FALSE(BunkernBlauesUpgrade(k, 2, 1));
    EXPECT_TRUE(BunkernBlauesUpgrade(k, 2, 0));
    // Two players and seven red cards: the Hofoper first.
    Aufbauen(2);
    InitStrategieparameter(g.Einstellungen);
    g.S.Phase = 4;
    Sitz(2, 0, {Schreiber, Schreiber, Schreiber, Verwalter, Verwalter, Kontorist});
    Auslage({Hofoper, Bank});
    Ki();
    EXPECT_TRUE(BunkernBlauesUpgrade(k, 2, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Bank}));
    Sitz(2, 0, {Schreiber, Schreiber, Schreiber, Verwalter, Verwalter, Kontorist, Kontorist});
    Auslage({Hofoper, Bank});
    Ki();
    EXPECT_TRUE(BunkernBlauesUpgrade(k, 2, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Hofoper}));
}

TEST_F(KiRoutine, KaufeBlaueDuplikate) {
    g.S.Phase = 2;
    // A higher hand card of the colour first, then the table card's own number.
    Sitz(2, 20, {Markt}, {Zollhaus});
    Auslage({Markt, Zollhaus});
    KI k = Ki();
    EXPECT_TRUE(KaufeBlaueDuplikate(k, 2, 1, 0));
    EXPECT_EQ(Karten(2, 2), (Liste{Markt, Zollhaus}));
    Sitz(2, 20, {Markt}, {Zollhaus});
    Auslage({Markt});
    Ki();
    EXPECT_TRUE(KaufeBlaueDuplikate(k, 2, 1, 0));
    EXPECT_EQ(Karten(2, 2), (Liste{Markt, Markt}));
    // Hoarding mode takes into the hand.
    Sitz(2, 0, {Markt});
    Auslage({Markt});
    Ki();
    EXPECT_TRUE(KaufeBlaueDuplikate(k, 2, 0, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Markt}));
    // Never for the observatory; the minimum rest holds when buying.
    Sitz(2, 20, {Sternwarte_});
    Auslage({Sternwarte_});
    Ki();
    EXPECT_FALSE(KaufeBlaueDuplikate(k, 2, 1, 0));
    EXPECT_FALSE(KaufeBlaueDuplikate(k, 2, 0, 0));
    Sitz(2, 20, {Zollhaus});
    Auslage({Zollhaus});
    Ki();
    EXPECT_FALSE(KaufeBlaueDuplikate(k, 2, 1, 14));
    EXPECT_TRUE(KaufeBlaueDuplikate(k, 2, 1, 13));
}

// ---- hoarding ----

TEST_F(KiRoutine, VolleHandLaesstJedesBunkernScheitern) {
    g.S.Phase = 4;
    const std::vector<std::pair<std::string, std::function<bool(KI&)>>> routinen = {
        {"BunkernKarten gruen", [](KI& k) { return BunkernKarten(k, 1, true, 9, 99); }},
        {"BunkernKarten blau", [](KI& k) { return BunkernKarten(k, 2, false, 9, 99); }},
        {"NimmKarteInxInHand", [](KI& k) { return NimmKarteInxInHand(k, Markt); }},
        {"NimmKarteInxInHandLimit", [](KI& k) { return NimmKarteInxInHandLimit(k, Markt, 99); }},
        {"NimmKarteInxInHandReihe1", [](KI& k) { return NimmKarteInxInHandReihe1(k, Markt); }},
        {"BunkernBereich", [](KI& k) { return BunkernBereich(k, 0, 9, -1, 49, 1); }},
        {"BunkernBereich Reihe 1", [](KI& k) { return BunkernBereich(k, 1, 9, -1, 49, 1); }},
        {"BunkernBereichFarbe", [](KI& k) { return BunkernBereichFarbe(k, 2, 9, -1, 17, 7); }},
        {"BunkernBereichHand", [](KI& k) { return BunkernBereichHand(k, 9, -1, 49, 1); }},
        {"BunkernKartenbereich rot", [](KI& k) { return BunkernKartenbereich(k, 0, 9, 49, 40, 3); }},
        {"BunkernKartenbereich blau", [](KI& k) { return BunkernKartenbereich(k, 1, 9, 39, 30, 2); }},
        {"BunkernKartenbereich gruen", [](KI& k) { return BunkernKartenbereich(k, 0, 9, 29, 25, 1); }},
        {"BunkernFehlendeAbsteigend", [](KI& k) { return BunkernFehlendeAbsteigend(k, 3, 24, 18); }},
        {"BunkernFehlendeAufsteigend", [](KI& k) { return BunkernFehlendeAufsteigend(k, 3, 24, 18, 999); }},
        {"BunkernGrueneGeldUpgrade", [](KI& k) { return BunkernGrueneGeldUpgrade(k); }},
        {"BunkernBlauesUpgrade", [](KI& k) { return BunkernBlauesUpgrade(k, 9, 0); }},
        {"BunkernBlauesUpgrade Reihe 1", [](KI& k) { return BunkernBlauesUpgrade(k, 9, 1); }},
        {"BunkernBlauesUpgrade Punkte",
         [](KI& k) { return BunkernBlauesUpgrade(k, 9, 0, BlauOrdnung::Punkte); }},
        {"KaufeBlaueDuplikate bunkern", [](KI& k) { return KaufeBlaueDuplikate(k, 2, 0, 0); }},
        {"NimmInHand", [](KI& k) { return NimmInHand(k, 1); }},
        {"KaufeZielFuerGruenesUpgrade ohne Geld", [](KI& k) { return KaufeZielFuerGruenesUpgrade(k); }},
    };
    const std::initializer_list<int32_t> auslage1 = {Holzfaeller, Markt, Schreiber, Bank, Abt, Weberei};
    const std::initializer_list<int32_t> auslage2 = {Sternwarte_, Schenke_};
    for (bool lagerhaus : {false, true}) {
        if (lagerhaus)
            Sitz(2, 20, {Schaefer, Lagerhaus_, Markt, Schreiber},
                 {Zollhaus, Verwalter, Schreinerei, Feuerwehr});
        else
            Sitz(2, 20, {Schaefer, Markt, Schreiber}, {Zollhaus, Verwalter, Schreinerei});
        Auslage(auslage1, auslage2);
        for (const auto& [name, routine] : routinen) {
            g.Sp(2).Geld = name.find("ohne Geld") != std::string::npos ? 0 : 20;
            const TSpielstand vorher = g.S;
            KI k = Ki();
            EXPECT_FALSE(routine(k)) << name << (lagerhaus ? " (Lagerhaus)" : "");
            EXPECT_TRUE(Unveraendert(vorher)) << name << (lagerhaus ? " (Lagerhaus)" : "");
        }
        // With one place free the same position is worth hoarding.
        g.Sp(2).Geld = 20;
        --g.Sp(2).Hand().Anzahl;
        KI k = Ki();
        EXPECT_TRUE(NimmKarteInxInHand(k, Markt));
    }
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRoutine, BunkernKartenGuenstigsteZuerstDannEinUpgradeMitZiel) {
    g.S.Phase = 1;
    // All three cost 3: the first of them.
    Sitz(2, 0, {Schaefer, Schaefer});
    Auslage({Schaefer, Holzfaeller}, {Goldgraeber});
    KI k = Ki();
    EXPECT_TRUE(BunkernKarten(k, 1, false, 2, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Schaefer}));
    // Net price is price less income: a Goldgraeber nets 1.
    Sitz(2, 0, {});
    Auslage({Goldgraeber});
    Ki();
    EXPECT_FALSE(BunkernKarten(k, 1, true, 2, 0));
    EXPECT_TRUE(BunkernKarten(k, 1, true, 2, 1));
    // Enough green cards held already.
    Sitz(2, 0, {}, {Holzfaeller, Goldgraeber});
    Auslage({Holzfaeller});
    Ki();
    EXPECT_FALSE(BunkernKarten(k, 1, true, 2, 9));
    // No worker cheap enough: the last green upgrade that has a target.
    Sitz(2, 0, {Schaefer});
    Auslage({Weberei, Goldschmiede, Schiffbauer});
    Ki();
    EXPECT_FALSE(BunkernKarten(k, 1, false, 2, 0));
    EXPECT_TRUE(BunkernKarten(k, 1, true, 2, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Weberei}));
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiRoutine, NimmKarteInxInHandUndSeineVarianten) {
    g.S.Phase = 2;
    Sitz(2, 0, {});
    Auslage({Markt}, {Markt});
    KI k = Ki();
    EXPECT_TRUE(NimmKarteInxInHand(k, Markt)); // last to first
    EXPECT_EQ(Reihe(2), Liste{});
    Sitz(2, 0, {});
    Auslage({Markt, Zollhaus, Markt}, {Markt});
    Ki();
    EXPECT_TRUE(NimmKarteInxInHandReihe1(k, Markt)); // row 1, first to last
    EXPECT_EQ(Reihe(1), (Liste{Zollhaus, Markt}));
    EXPECT_EQ(Reihe(2), (Liste{Markt}));
    Sitz(2, 0, {});
    Auslage({}, {Markt});
    Ki();
    EXPECT_FALSE(NimmKarteInxInHandReihe1(k, Markt));
    Auslage({Markt}, {Markt});
    Ki();
    EXPECT_FALSE(NimmKarteInxInHandLimit(k, Markt, 3));
    EXPECT_TRUE(NimmKarteInxInHandLimit(k, Markt, 4));
    EXPECT_EQ(Reihe(1), (Liste{Markt}));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 2);
}

TEST_F(KiRoutine, BunkernBereicheGrenzenUndRichtung) {
    g.S.Phase = 2;
    Sitz(2, 0, {});
    Auslage({Zollhaus, Markt});
    KI k = Ki();
    EXPECT_FALSE(BunkernBereich(k, 0, 3, 0, 12, 10)); // money must exceed the floor
    EXPECT_TRUE(BunkernBereich(k, 0, 3, -1, 12, 10)); // ascending
    EXPECT_EQ(Karten(2, 4), (Liste{Markt}));
    Sitz(2, 5, {}, {Schreiber, Verwalter});
    Auslage({Zollhaus, Markt});
    Ki();
    EXPECT_FALSE(BunkernBereich(k, 0, 2, 0, 12, 10)); // fewer than 2 hand cards
    EXPECT_FALSE(BunkernBereichHand(k, 2, 0, 12, 10));
    EXPECT_TRUE(BunkernBereichFarbe(k, 2, 1, 0, 12, 10)); // no blue card held: descending
    EXPECT_EQ(Karten(2, 4), (Liste{Schreiber, Verwalter, Zollhaus}));
    Sitz(2, 5, {}, {Feuerwehr});
    Auslage({Zollhaus, Markt});
    Ki();
    EXPECT_FALSE(BunkernBereichFarbe(k, 2, 1, 0, 12, 10));
    EXPECT_TRUE(BunkernBereichHand(k, 2, 0, 12, 10));
    EXPECT_EQ(Karten(2, 4), (Liste{Feuerwehr, Zollhaus}));

    // Upgrades held of the colour, and row 1 only in mode 1.
    g.S.Phase = 4;
    Sitz(2, 0, {}, {Abt, Kammerfrau});
    Auslage({Markt}, {Heroldmeister});
    Ki();
    EXPECT_FALSE(BunkernKartenbereich(k, 0, 2, 49, 40, 3));
    EXPECT_FALSE(BunkernKartenbereich(k, 1, 3, 49, 40, 3));
    EXPECT_TRUE(BunkernKartenbereich(k, 0, 3, 49, 40, 3));
    EXPECT_EQ(Karten(2, 4), (Liste{Abt, Kammerfrau, Heroldmeister}));

    // Missing kinds only; the ascending one within a price limit.
    g.S.Phase = 3;
    Sitz(2, 0, {}, {Hofmeisterin});
    Auslage({Richter, Hofmeisterin});
    Ki();
    EXPECT_TRUE(BunkernFehlendeAbsteigend(k, 3, 24, 18));
    EXPECT_EQ(Karten(2, 4), (Liste{Hofmeisterin, Richter}));
    Sitz(2, 0, {Schreiber});
    Auslage({Schreiber, Verwalter});
    Ki();
    EXPECT_FALSE(BunkernFehlendeAufsteigend(k, 3, 24, 18, 6));
    EXPECT_TRUE(BunkernFehlendeAufsteigend(k, 3, 24, 18, 7));
    EXPECT_EQ(Karten(2, 4), (Liste{Verwalter}));
}

TEST_F(KiRoutine, BunkernGrueneGeldUpgrade) {
    g.S.Phase = 4;
    Sitz(2, 0, {Holzfaeller, Schaefer});
    Auslage({Weberei, Schreinerei, Werft});
    KI k = Ki();
    EXPECT_TRUE(BunkernGrueneGeldUpgrade(k)); // 6 money first; the Werft has no target
    EXPECT_EQ(Karten(2, 4), (Liste{Weberei}));
    Sitz(2, 0, {Holzfaeller, Schaefer});
    Auslage({Schreinerei, Werft});
    Ki();
    EXPECT_TRUE(BunkernGrueneGeldUpgrade(k));
    EXPECT_EQ(Karten(2, 4), (Liste{Schreinerei}));
    Sitz(2, 0, {Holzfaeller});
    Auslage({Werft});
    Ki();
    EXPECT_FALSE(BunkernGrueneGeldUpgrade(k));
}

// ---- laying hand cards ----

TEST_F(KiRoutine, HandkartenLegen) {
    g.S.Phase = 1;
    // The green card with the best rating: Weberei over Schaefer nets 3 + 3 - 6.
    Sitz(2, 10, {Schaefer}, {Goldgraeber, Weberei});
    KI k = Ki();
    EXPECT_TRUE(LegeGuenstigsteGrueneHandkarte(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Weberei}));
    EXPECT_EQ(Karten(2, 4), (Liste{Goldgraeber}));
    EXPECT_EQ(Geld(), 7);
    EXPECT_EQ(g.Sp(2).LetzteAktion, 8);
    Sitz(2, 2, {Schaefer}, {Goldgraeber, Weberei});
    Ki();
    EXPECT_FALSE(LegeGuenstigsteGrueneHandkarte(k));
    // Equal ratings: the first in the hand (a worker nets 0, Weberei over Schaefer 3 + 3 - 6).
    Sitz(2, 10, {Schaefer}, {Holzfaeller, Weberei});
    Ki();
    EXPECT_TRUE(LegeGuenstigsteGrueneHandkarte(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller, Schaefer}));
    Sitz(2, 10, {Schaefer}, {Weberei, Holzfaeller});
    Ki();
    EXPECT_TRUE(LegeGuenstigsteGrueneHandkarte(k));
    EXPECT_EQ(Karten(2, 1), (Liste{Weberei}));

    // A card of a number: an upgrade of that number ends it; the income of this phase counts.
    g.S.Phase = 3;
    Sitz(2, 5, {Markt}, {Bank, Schreiber});
    Ki();
    EXPECT_FALSE(LegeHandkarteInx(k, 2, 0, Bank));
    EXPECT_FALSE(LegeHandkarteInx(k, 3, 3, Schreiber));
    EXPECT_TRUE(LegeHandkarteInx(k, 3, 2, Schreiber));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));

    // The dearest plain card of the colour.
    Sitz(2, 20, {}, {Schreiber, Verwalter, Abt});
    Ki();
    EXPECT_TRUE(LegeTeuersteHandkarte(k, 3, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Verwalter}));
    Sitz(2, 6, {}, {Schreiber, Verwalter});
    Ki();
    EXPECT_TRUE(LegeTeuersteHandkarte(k, 3, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));
    Sitz(2, 20, {}, {Markt});
    Ki();
    EXPECT_FALSE(LegeTeuersteHandkarte(k, 3, 0));

    g.S.Phase = 2;
    const struct { int32_t rest, karte; } blau[] = {{0, Zollhaus}, {3, Markt}, {6, 0}};
    for (const auto& b : blau) {
        Sitz(2, 10, {}, {Markt, Zollhaus, Bank});
        Ki();
        EXPECT_EQ(LegeTeuersteBlaueHandkarte(k, b.rest), b.karte != 0) << b.rest;
        EXPECT_EQ(Karten(2, 2), b.karte ? Liste{b.karte} : Liste{}) << b.rest;
    }
}

// ---- observatory ----

namespace {

class KiSternwarte : public KiRoutine {
protected:
    void SetUp() override {
        KiRoutine::SetUp();
        g.S.Phase = 2;
        Sitz(2, 20, {Sternwarte_});
    }
    bool Benutzt_(int sp = 2) const { return KarteBenutzt(g.S.Spieler[sp].Karten[2].Karten[1]); }
};

} // namespace

TEST_F(KiSternwarte, KaufeNutzeSternwarteLegtKauftOderNimmt) {
    Stapel(3, {Schreiber, Verwalter});
    KI k = Ki();
    EXPECT_FALSE(KaufeNutzeSternwarte(k, 4, 99, 0)); // never the upgrade stack
    EXPECT_TRUE(KaufeNutzeSternwarte(k, 3, 99, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 5);
    EXPECT_TRUE(Benutzt_());
    EXPECT_EQ(g.S.RestStapel(3), 1);
    EXPECT_EQ(ZeilenMit("Spieler 2 nutzt die Sternwarte"), 1);
    Ki();
    EXPECT_FALSE(KaufeNutzeSternwarte(k, 3, 99, 0)); // used, and one card is not enough anyway

    // An owned kind above the price limit is discarded.
    Sitz(2, 20, {Sternwarte_, Schreiber});
    Stapel(3, {Schreiber, Verwalter});
    Ki();
    EXPECT_TRUE(KaufeNutzeSternwarte(k, 3, 2, 0));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 6);
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));
    Sitz(2, 20, {Sternwarte_, Schreiber});
    Stapel(3, {Schreiber, Verwalter});
    Ki();
    EXPECT_TRUE(KaufeNutzeSternwarte(k, 3, 3, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Schreiber}));

    // Too dear for the minimum rest: into the hand, even though the hand's debts are higher
    // than the money (7 + 8 > 10) ...
    for (bool endeNah : {false, true}) {
        Sitz(2, 10, {Sternwarte_}, {Zollhaus});
        Stapel(3, {Verwalter, Schreiber, Schreiber, Schreiber, Schreiber, Schreiber, Schreiber, Schreiber,
                   Schreiber, Schreiber});
        g.S.StapelLeer = endeNah;
        Ki();
        ASSERT_EQ(Endwarnung(g).EndeNah[1], endeNah);
        EXPECT_TRUE(KaufeNutzeSternwarte(k, 3, 99, 4));
        // ... unless the end is near: then it is thrown away.
        EXPECT_EQ(g.Sp(2).LetzteAktion, endeNah ? 6 : 4);
        EXPECT_EQ(Karten(2, 4), endeNah ? (Liste{Zollhaus}) : (Liste{Zollhaus, Verwalter}));
        EXPECT_EQ(Geld(), 10);
    }
    Sitz(2, 10, {Sternwarte_});
    Stapel(3, {Verwalter, Schreiber});
    g.S.StapelLeer = 1;
    Ki();
    EXPECT_TRUE(KaufeNutzeSternwarte(k, 3, 99, 4)); // 7 is within 10 + incomes
    EXPECT_EQ(Karten(2, 4), (Liste{Verwalter}));
    g.S.StapelLeer = 0;
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiSternwarte, VolleHandUndWenigGeldLaesstDieSternwarteRuhen) {
    Sitz(2, 7, {Sternwarte_}, {Markt, Zollhaus, Feuerwehr});
    Stapel(3, {Schreiber, Verwalter});
    TSpielstand vorher = g.S;
    KI k = Ki();
    EXPECT_FALSE(KaufeNutzeSternwarte(k, 3, 99, 4)); // 7 <= 4 + 3
    EXPECT_FALSE(NutzeSternwarte(k, 3, 1));          // 7 <= 1 + 6
    EXPECT_TRUE(Unveraendert(vorher));
    g.Sp(2).Geld = 3;
    vorher = g.S;
    Ki();
    EXPECT_FALSE(BunkernNutzeErwSternwarte(k));       // 3 <= 0 + 3
    EXPECT_FALSE(KaufeNutzeSternwarte(k, 3, 99, -9)); // a negative rest counts as 0 ...
    EXPECT_TRUE(Unveraendert(vorher));
    g.Sp(2).Geld = 8;
    Ki();
    EXPECT_TRUE(KaufeNutzeSternwarte(k, 3, 99, 4)); // ... and 8 > 4 + 3: the Schreiber is laid
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));
}

TEST_F(KiSternwarte, NutzeSternwarteNimmtUpgradesAufDieHand) {
    Stapel(4, {Bank, Abt});
    KI k = Ki();
    EXPECT_TRUE(NutzeSternwarte(k, 4, 0));
    EXPECT_EQ(Karten(2, 4), (Liste{Bank}));
    EXPECT_EQ(Karten(2, 2), (Liste{Sternwarte_}));
    EXPECT_EQ(Geld(), 20);
    // Plain cards are laid as by the buying variant, owned or not.
    Sitz(2, 20, {Sternwarte_, Holzfaeller});
    Stapel(1, {Holzfaeller, Holzfaeller});
    Ki();
    EXPECT_TRUE(NutzeSternwarte(k, 1, 0));
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller, Holzfaeller}));
}

TEST_F(KiSternwarte, BunkernNutzeErwSternwarteBehaeltNurBlaueUpgradesMitZiel) {
    Sitz(2, 20, {Markt, Sternwarte_});
    Stapel(4, {Bank, Abt});
    KI k = Ki();
    EXPECT_TRUE(BunkernNutzeErwSternwarte(k));
    EXPECT_EQ(Karten(2, 4), (Liste{Bank}));
    EXPECT_EQ(ZeilenMit("Spieler 2 nutzt die Sternwarte(Upgrade bunkern)"), 1);
    Sitz(2, 20, {Markt, Sternwarte_});
    Stapel(4, {Abt, Bank});
    Ki();
    EXPECT_TRUE(BunkernNutzeErwSternwarte(k));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 6);
    EXPECT_EQ(Karten(2, 4), Liste{});
    // The observatory in use is no target for the upgrade.
    Sitz(2, 20, {Sternwarte_});
    Stapel(4, {Bank, Abt});
    Ki();
    EXPECT_TRUE(BunkernNutzeErwSternwarte(k));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 6);
    EXPECT_EQ(Karten(2, 4), Liste{});
}

// ---- routines of strategies 14 and 15 ----

TEST_F(KiRoutine, LegeRotesUpgradeInx) {
    g.S.Phase = 4;
    Sitz(2, 3, {Schreiber, Kontrolleur, Kontrolleur}, {Steuereintreiber});
    KI k = Ki();
    EXPECT_TRUE(LegeRotesUpgradeInx(k, Steuereintreiber)); // onto the pair, 17 - 14
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber, Kontrolleur, Steuereintreiber}));
    EXPECT_EQ(Geld(), 0);
    Sitz(2, 2, {Schreiber, Kontrolleur, Kontrolleur}, {Steuereintreiber});
    Ki();
    EXPECT_FALSE(LegeRotesUpgradeInx(k, Steuereintreiber)); // the single Schreiber: 13 is too dear
    // Richter and Hofmeisterin are never targets; another number is not this one.
    Sitz(2, 30, {Hofmeisterin, Hofmeisterin, Richter}, {Steuereintreiber, Patriarch});
    Ki();
    EXPECT_FALSE(LegeRotesUpgradeInx(k, Steuereintreiber));
    EXPECT_FALSE(LegeRotesUpgradeInx(k, Abt));
    Sitz(2, 30, {Schreiber}, {Steuereintreiber});
    Ki();
    EXPECT_TRUE(LegeRotesUpgradeInx(k, Steuereintreiber));
}

TEST_F(KiRoutine, LegeRotesUpgradeBereichLehntFalscheBereicheAb) {
    g.S.Phase = 4;
    Sitz(2, 10, {Kontorist, Sekretaer}, {Patriarch});
    const int32_t falsch[][5] = {{49, 0, 17, 21, 45}, {49, 0, 18, 25, 45}, {50, 0, 18, 21, 45},
                                 {49, 0, 18, 21, 39}, {44, 0, 18, 21, 45}, {49, 0, 21, 18, 45}};
    for (const auto& f : falsch) {
        const TSpielstand vorher = g.S;
        KI k = Ki();
        EXPECT_FALSE(LegeRotesUpgradeBereich(k, f[0], f[1], f[2], f[3], f[4]))
            << f[0] << " " << f[2] << ".." << f[3];
        EXPECT_TRUE(Unveraendert(vorher));
    }
    KI k = Ki();
    EXPECT_TRUE(LegeRotesUpgradeBereich(k, 49, 0, 18, 21, 45)); // the single Sekretaer, 16 - 12
    EXPECT_EQ(Karten(2, 3), (Liste{Kontorist, Patriarch}));
    EXPECT_EQ(Geld(), 6);
    // Pairs first; the range of aristocrats is kept.
    Sitz(2, 10, {Kontorist, Sekretaer, Sekretaer}, {Patriarch});
    Ki();
    EXPECT_FALSE(LegeRotesUpgradeBereich(k, 49, 0, 18, 20, 45 + 1));
    EXPECT_TRUE(LegeRotesUpgradeBereich(k, 49, 0, 20, 21, 45));
    EXPECT_EQ(Karten(2, 3), (Liste{Kontorist, Sekretaer, Patriarch}));
    // The minimum rest, with the red phase's money difference.
    g.S.Phase = 3;
    Sitz(2, 10, {Sekretaer}, {Patriarch});
    Ki();
    EXPECT_FALSE(LegeRotesUpgradeBereich(k, 49, 3, 18, 21, 45)); // 10 - (4 + 4) < 3
    EXPECT_TRUE(LegeRotesUpgradeBereich(k, 49, 2, 18, 21, 45));
}

TEST_F(KiSternwarte, NutzeSternwarteRotLegtKeinenKontoristOderSekretaer) {
    for (int32_t karte : {Kontorist, Sekretaer}) {
        Sitz(2, 30, {Sternwarte_});
        Stapel(3, {karte, Schreiber});
        KI k = Ki();
        EXPECT_TRUE(NutzeSternwarteRot(k, 0));
        EXPECT_EQ(Karten(2, 3), Liste{}) << karte;
        EXPECT_EQ(Karten(2, 4), Liste{karte}) << karte;
        EXPECT_EQ(g.Sp(2).LetzteAktion, 4);
        EXPECT_EQ(Geld(), 30);
        EXPECT_TRUE(Benutzt_());
        // Owning two already: discarded.
        Sitz(2, 30, {Sternwarte_, karte}, {karte});
        Stapel(3, {karte, Schreiber});
        const int32_t ablage = g.S.AblageAnzahl;
        Ki();
        EXPECT_TRUE(NutzeSternwarteRot(k, 0));
        EXPECT_EQ(g.Sp(2).LetzteAktion, 6) << karte;
        EXPECT_EQ(g.S.AblageAnzahl, ablage + 1);
    }
    EXPECT_EQ(ZeilenMit("Spieler 2 nutzt die Sternwarte -ROT1-"), 4);
    Sitz(2, 30, {Sternwarte_});
    Stapel(3, {Verwalter, Schreiber});
    KI k = Ki();
    EXPECT_TRUE(NutzeSternwarteRot(k, 0));
    EXPECT_EQ(Karten(2, 3), (Liste{Verwalter}));
    EXPECT_EQ(g.Sp(2).LetzteAktion, 5);
    EXPECT_EQ(Geld(), 23);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiSternwarte, NutzeSternwarteRotVoraussetzungen) {
    Stapel(3, {Verwalter, Sekretaer}); // reserve 12
    g.Sp(2).Geld = 11;
    const TSpielstand vorher = g.S;
    KI k = Ki();
    EXPECT_FALSE(NutzeSternwarteRot(k, 0));
    g.Sp(2).Geld = 14;
    g.S.StapelLeer = 1;
    Ki();
    EXPECT_FALSE(NutzeSternwarteRot(k, 3)); // in the final round the rest comes on top
    g.Sp(2).Geld = 11;
    g.S.StapelLeer = 0;
    EXPECT_TRUE(Unveraendert(vorher));
    Stapel(3, {Verwalter});
    g.Sp(2).Geld = 30;
    Ki();
    EXPECT_FALSE(NutzeSternwarteRot(k, 0)); // one card is not enough
    Stapel(3, {Verwalter, Sekretaer});
    g.S.StapelLeer = 1;
    g.Sp(2).Geld = 14;
    Ki();
    EXPECT_TRUE(NutzeSternwarteRot(k, 2));
    Ki();
    EXPECT_FALSE(NutzeSternwarteRot(k, 0)); // used
}
