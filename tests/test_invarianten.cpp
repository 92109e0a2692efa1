// Invariants over many games: random legal moves of every kind and whole games of the computer
// players keep the state sound after every action; the kept evaluation record equals a fresh one;
// every acting routine of the computer players either changes nothing or performs one action.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ai/auswertung.h"
#include "ai/routinen.h"
#include "rules/korrektur.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

// Everything the builder fills; list places only up to their count.
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
    VERGLEICHE(AdelRot);
    VERGLEICHE(AdelHand);
    for (int l = 1; l <= 3; ++l) VERGLEICHE(GeldListe[l]);
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

// ---- random legal moves of every kind ----

void ZufallsSerie(int spieler, int spiele, bool menschAufEins) {
    TKatalog kat;
    TAktionZaehler zaehler{};
    for (int i = 0; i < spiele; ++i) {
        TSpielsitzung g(kat);
        const uint32_t seed = 1000u * static_cast<uint32_t>(spieler) + 17u + static_cast<uint32_t>(i) * 7919u;
        // Start money varies so that rich and poor seats both occur; the variants cycle.
        for (int s = 1; s <= 4; ++s)
            g.Einstellungen.Fuer(spieler).StartGeld[s] = 5 + static_cast<int32_t>((seed >> s) % 50);
        NeueTestpartie(g, spieler, seed, i & 1, (i >> 1) & 1, (i >> 2) & 1);
        if (menschAufEins) g.S.Computer[1] = 0;
        TestSpieler t(seed ^ 0x5eedu);
        const std::string f = SpieleBisEnde(g, t, zaehler);
        ASSERT_EQ(f, "") << spieler << " Spieler, Spiel " << i << " (Seed " << seed << ")";
        EXPECT_GE(g.S.Runde, 2);
    }
    // Every kind of action must really have been played, or the checks prove little.
    for (int a = 0; a < AktionArten; ++a)
        if (menschAufEins || static_cast<Aktion>(a) != Aktion::SternwartePassen) {
            EXPECT_GT(zaehler[a], 0) << "nie gespielt: " << AktionName(static_cast<Aktion>(a));
        }
}

// ---- the acting routines ----

struct TRoutine {
    const char* name;
    std::function<bool(TKI&)> f;
    bool nurBlau; // the observatory: the strategies call it in the blue phase only
};

std::vector<TRoutine> Routinen() {
    std::vector<TRoutine> r;
    auto dazu = [&](const char* name, std::function<bool(TKI&)> f) {
        r.push_back(
            {name, std::move(f), std::string_view(name).find("Sternwarte") != std::string_view::npos});
    };
    for (int i = 1; i <= 8; ++i) dazu("NimmInHand", [i](TKI& k) { return NimmInHand(k, i); });
    for (int f = 1; f <= 3; ++f) {
        for (int32_t m : {0, 6}) {
            dazu("KaufeGuenstigsteKarte",
                 [f, m](TKI& k) { return KaufeGuenstigsteKarte(k, f, m ? 4 : OhneLimit); });
            dazu("KaufeBereichAbsteigend", [f, m](TKI& k) { return KaufeBereichAbsteigend(k, f, m, 49, 1); });
            dazu("KaufeBereichAufsteigend",
                 [f, m](TKI& k) { return KaufeBereichAufsteigend(k, f, m, 49, 1); });
            dazu("KaufeFehlendeAbsteigend",
                 [f, m](TKI& k) { return KaufeFehlendeAbsteigend(k, f, m, 49, 1); });
            dazu("KaufeFehlendeAufsteigend",
                 [f, m](TKI& k) { return KaufeFehlendeAufsteigend(k, f, m, 49, 1); });
            dazu("KaufeBereichBegrenzt", [f, m](TKI& k) { return KaufeBereichBegrenzt(k, f, 2, m, 49, 1); });
            dazu("KaufeArtenBegrenzt", [f, m](TKI& k) { return KaufeArtenBegrenzt(k, f, 2, m, 49, 1); });
            dazu("KaufeBereichDuplikatBegrenzt",
                 [f, m](TKI& k) { return KaufeBereichDuplikatBegrenzt(k, f, 1, m, 49, 1); });
            dazu("LegeTeuersteHandkarte", [f, m](TKI& k) { return LegeTeuersteHandkarte(k, f, m); });
            dazu("KaufeBlaueDuplikate", [f, m](TKI& k) { return KaufeBlaueDuplikate(k, f, m ? 1 : 0, m); });
            dazu("KaufeNutzeSternwarte",
                 [f, m](TKI& k) { return KaufeNutzeSternwarte(k, f, m ? 4 : OhneLimit, m); });
            dazu("NutzeSternwarte", [f, m](TKI& k) { return NutzeSternwarte(k, f, m); });
            dazu("BunkernKarten",
                 [f, m](TKI& k) { return BunkernKarten(k, f, m == 0, 2, m ? 3 : OhneLimit); });
            dazu("BunkernBereichFarbe", [f, m](TKI& k) { return BunkernBereichFarbe(k, f, 2, m, 49, 1); });
            dazu("BunkernFehlendeAbsteigend", [f](TKI& k) { return BunkernFehlendeAbsteigend(k, f, 49, 1); });
            dazu("BunkernFehlendeAufsteigend",
                 [f, m](TKI& k) { return BunkernFehlendeAufsteigend(k, f, 49, 1, m ? 4 : OhneLimit); });
            dazu("BunkernKartenbereich",
                 [f, m](TKI& k) { return BunkernKartenbereich(k, m ? 1 : 0, 1, 49, 1, f); });
            dazu("LegeHandkarteInx", [f, m](TKI& k) {
                for (int32_t inx = 1; inx <= 49; ++inx)
                    if (LegeHandkarteInx(k, f, m, inx)) return true;
                return false;
            });
        }
    }
    for (int32_t m : {0, 6}) {
        for (bool schluss : {false, true}) {
            dazu("KaufeRotesUpgrade", [m, schluss](TKI& k) { return KaufeRotesUpgrade(k, m, schluss); });
            dazu("LegeRotesUpgrade", [m, schluss](TKI& k) { return LegeRotesUpgrade(k, m, schluss); });
            dazu("KaufeBlauesUpgradeMitZiel", [m, schluss](TKI& k) {
                return KaufeBlauesUpgradeMitZiel(k, m, schluss, 3,
                                                 m ? BlauOrdnung::Punkte : BlauOrdnung::Basis);
            });
        }
        dazu("LegeTeuerstesRotesUpgrade", [m](TKI& k) { return LegeTeuerstesRotesUpgrade(k, m); });
        dazu("LegeTeuersteBlaueHandkarte", [m](TKI& k) { return LegeTeuersteBlaueHandkarte(k, m); });
        dazu("KaufeSchreiberVerwalter", [m](TKI& k) { return KaufeSchreiberVerwalter(k, m, 10, 20); });
        dazu("KaufeBlaueWertung", [m](TKI& k) { return KaufeBlaueWertung(k, m, m + 2); });
        dazu("SperreAdligen", [m](TKI& k) { return SperreAdligen(k, 18, 24, m); });
        dazu("BunkernBereich", [m](TKI& k) { return BunkernBereich(k, m ? 1 : 0, 3, m, 49, 1); });
        dazu("BunkernBereichHand", [m](TKI& k) { return BunkernBereichHand(k, 3, m, 49, 1); });
        dazu("BunkernBlauesUpgrade", [m](TKI& k) {
            return BunkernBlauesUpgrade(k, 2, m ? 1 : 0, m ? BlauOrdnung::Punkte : BlauOrdnung::Basis);
        });
        dazu("LegeRotesUpgradeBereich",
             [m](TKI& k) { return LegeRotesUpgradeBereich(k, 49, m, 18, 24, 40); });
        dazu("NutzeSternwarteRot", [m](TKI& k) { return NutzeSternwarteRot(k, m); });
        for (int32_t inx : {1, 11, 23, 31, 44})
            dazu("KaufeKarteInx", [m, inx](TKI& k) {
                for (int f = 1; f <= 3; ++f)
                    if (KaufeKarteInx(k, f, m, inx)) return true;
                return false;
            });
    }
    for (int32_t inx : {2, 7, 11, 18, 24, 30, 41, 46}) {
        dazu("KaufeEinzelstueck", [inx](TKI& k) { return KaufeEinzelstueck(k, inx, 0); });
        dazu("NimmKarteInxInHand", [inx](TKI& k) { return NimmKarteInxInHand(k, inx); });
        dazu("NimmKarteInxInHandLimit", [inx](TKI& k) { return NimmKarteInxInHandLimit(k, inx, 5); });
        dazu("NimmKarteInxInHandReihe1", [inx](TKI& k) { return NimmKarteInxInHandReihe1(k, inx); });
    }
    dazu("LegeRotesUpgradeInx", [](TKI& k) {
        for (int32_t inx = 40; inx <= 49; ++inx)
            if (LegeRotesUpgradeInx(k, inx)) return true;
        return false;
    });
    dazu("LegeGuenstigsteGrueneHandkarte", [](TKI& k) { return LegeGuenstigsteGrueneHandkarte(k); });
    dazu("KaufeGruenesGeldUpgrade", [](TKI& k) { return KaufeGruenesGeldUpgrade(k); });
    dazu("KaufeGruenesPunkteUpgrade", [](TKI& k) { return KaufeGruenesPunkteUpgrade(k); });
    dazu("KaufeZielFuerGruenesUpgrade", [](TKI& k) { return KaufeZielFuerGruenesUpgrade(k); });
    dazu("KaufeRotesPunkteUpgrade", [](TKI& k) { return KaufeRotesPunkteUpgrade(k); });
    dazu("BunkernGrueneGeldUpgrade", [](TKI& k) { return BunkernGrueneGeldUpgrade(k); });
    dazu("BunkernNutzeErwSternwarte", [](TKI& k) { return BunkernNutzeErwSternwarte(k); });
    return r;
}

// Cards that left the display, the stacks or the seat's hand: one action moves exactly one.
int32_t Bewegte(const TSpielstand& v, const TSpielstand& n, int sp) {
    int32_t b = (v.Auslage[1].Anzahl + v.Auslage[2].Anzahl) - (n.Auslage[1].Anzahl + n.Auslage[2].Anzahl);
    for (int k = 1; k <= 4; ++k) b += n.Kartenstapel[k].Naechste - v.Kartenstapel[k].Naechste;
    const int32_t ab = v.Spieler[sp].Hand().Anzahl - n.Spieler[sp].Hand().Anzahl;
    const int32_t zu = n.Spieler[sp].Hand().Anzahl - v.Spieler[sp].Hand().Anzahl;
    // A card into the hand came from the display or a stack; one out of it went onto the table.
    return b + (ab > 0 ? ab : 0) + (zu > 1 ? zu : 0);
}

// Tries every routine on the seat on turn and puts the position back after each.
void PruefeRoutinen(TSpielsitzung& g, const std::vector<TRoutine>& routinen,
                    std::vector<int64_t>& gehandelt) {
    const int sp = g.S.AktuellerSpieler;
    const TSpielstand vorher = g.S;
    const TZufall zufall = g.Zufall;
    const int32_t aktionen = g.AktionenImZug;
    for (size_t i = 0; i < routinen.size(); ++i) {
        if (routinen[i].nurBlau && vorher.Phase != 2) continue;
        TKI k{g, sp, Auswertung(g, sp)};
        const bool hat = routinen[i].f(k);
        const std::string wo = std::string(routinen[i].name) + " #" + std::to_string(i) + ", Runde " +
                               std::to_string(vorher.Runde) + ", Phase " + std::to_string(vorher.Phase);
        if (!hat) {
            ASSERT_EQ(std::memcmp(&vorher, &g.S, sizeof vorher), 0) << wo << ": abgelehnt, aber geändert";
        } else {
            ++gehandelt[i];
            ASSERT_EQ(PruefeSpielstand(g, &vorher), "") << wo;
            ASSERT_EQ(Bewegte(vorher, g.S, sp), 1) << wo;
            ASSERT_LE(g.AktionenImZug, aktionen + 1) << wo; // a discarded observatory card counts none
            ASSERT_LE(g.S.Spieler[sp].Geld, vorher.Spieler[sp].Geld) << wo;
            ASSERT_EQ(g.S.AktuellerSpieler, sp) << wo;
            for (int s = 1; s <= 4; ++s) {
                const bool gleich =
                    s == sp || std::memcmp(&vorher.Spieler[s], &g.S.Spieler[s], sizeof(TSpieler)) == 0;
                ASSERT_TRUE(gleich) << wo << ": Spieler " << s << " geändert";
            }
        }
        ASSERT_EQ(g.AnzahlFehler, 0) << wo;
        g.S = vorher;
        g.Zufall = zufall;
        g.AktionenImZug = aktionen;
        g.ZustandErsetzt();
    }
}

} // namespace

TEST(Invarianten, ZufaelligeZuegeJederArt) {
    const int spiele = UnterSanitizer() ? 60 : 500;
    for (int n = 2; n <= 4; ++n) ZufallsSerie(n, spiele, false);
    // A human on seat 1: a drawn upgrade waits for its target and may be discarded by passing.
    ZufallsSerie(4, spiele / 2, true);
}

TEST(Invarianten, ComputerspieleUndIhreRoutinen) {
    // Games of every strategy with the variants, checked after every move; the kept evaluation
    // record of the seat on turn equals a fresh one; at sampled positions every routine is tried.
    const int spiele = UnterSanitizer() ? 8 : 60;
    const std::vector<TRoutine> routinen = Routinen();
    std::vector<int64_t> gehandelt(routinen.size(), 0);
    TKatalog kat;
    tAuswKarten frisch{};
    int64_t stellungen = 0;
    for (int i = 0; i < spiele; ++i) {
        TSpielsitzung g(kat);
        TSimOptionen o;
        o.spieler = 2 + i % 3;
        o.seedGesetzt = true;
        o.seed = 900u + static_cast<uint32_t>(i);
        for (int s = 0; s < 4; ++s) o.strategien.push_back(2 + (i * 3 + s * 5) % 14);
        for (int v = 0; v < 3; ++v) o.varianten[v] = (i >> v) & 1;
        ASSERT_EQ(SimVorbereiten(g, o), "");
        g.S.Computer[1] = 1;
        SpielAufbau(g);
        g.S.Computer[1] = 1;
        ASSERT_EQ(PruefeSpielstand(g), "");
        for (int zug = 0; !g.S.Spielende; ++zug) {
            ASSERT_LT(zug, 5000) << "Spiel " << i << " endet nicht";
            const int sp = g.S.AktuellerSpieler;
            if (!g.S.SchenkeModus) {
                const tAuswKarten& gemerkt = Auswertung(g, sp);
                ErstelleAuswKarten(g, sp, frisch);
                ASSERT_TRUE(GleicheAuswertung(gemerkt, frisch)) << "Spiel " << i << ", Zug " << zug;
                if (zug % 3 == 0) {
                    PruefeRoutinen(g, routinen, gehandelt);
                    ++stellungen;
                    if (HasFatalFailure()) return;
                }
            }
            const TSpielstand vorher = g.S;
            int32_t prognose[5] = {};
            for (int p = 1; p <= o.spieler; ++p) prognose[p] = Punkteprognose(g, p, Auswertung(g, p));
            CompiZug(g);
            ASSERT_EQ(PruefeSpielstand(g, &vorher), "") << "Spiel " << i << ", Zug " << zug;
            // The forecast is what the scorings still pay: a scoring moves it into the points.
            if (g.S.Phase == vorher.Phase + 1 && vorher.Phase != 2 && !g.S.Spielende) {
                for (int p = 1; p <= o.spieler; ++p) {
                    const auto& karten = vorher.Spieler[p].Karten;
                    if (std::memcmp(&karten, &g.S.Spieler[p].Karten, sizeof karten) != 0) continue;
                    EXPECT_EQ(Punkteprognose(g, p, Auswertung(g, p)), prognose[p])
                        << "Spiel " << i << ", Sitz " << p << ", Phase " << vorher.Phase;
                }
            }
        }
    }
    EXPECT_GT(stellungen, spiele * 10);
    // A routine that never acted was not tested by this property.
    std::map<std::string, int64_t> jeName;
    for (size_t i = 0; i < routinen.size(); ++i) jeName[routinen[i].name] += gehandelt[i];
    for (const auto& [name, n] : jeName)
        EXPECT_TRUE(n > 0 || UnterSanitizer()) << name << " hat nie gehandelt";
}

TEST(Invarianten, GemerkteDatensaetzeNachRuecknahmeUndKorrektur) {
    // Undo puts a whole earlier state in place at once, where display rows and lists often have
    // the lengths they have now; the correction mode edits tables outside any move.
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
    auto ersterMitGruen = [&] {
        int sitz = 2;
        while (sitz <= 4 && s.g.S.Spieler[sitz].Karten[1].Anzahl == 0) ++sitz;
        return sitz;
    };
    // A later entry that differs only in one table card and one display card, lengths kept.
    const TSpielstand frueher = s.g.S;
    const int sitz = ersterMitGruen();
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
    const int s2 = ersterMitGruen();
    ASSERT_LE(s2, 4);
    const tKartenRef erste = s.g.S.Spieler[s2].Karten[1].Karten[1];
    ASSERT_TRUE(LoescheTischkarte(s.g, s2, 1, 1));
    pruefe("geloescht");
    ASSERT_TRUE(FuegeTischkarteEin(s.g, s2, erste));
    pruefe("eingefuegt");
}

// ---- documented bounds ----

class Strategiewechsel : public Stellung {};

TEST_F(Strategiewechsel, IstAufZehnEbenenBegrenzt) {
    // Strategy 6 switches into itself with certainty in every round.
    InitStrategieparameter(g.Einstellungen);
    TStrategieEinstellung& e = g.Einstellungen.Fuer(4);
    e.Param(6, 15) = 1, e.Param(6, 16) = 99, e.Param(6, 17) = 100, e.Param(6, 18) = 6;
    e.Strategie[2] = 6;
    LeereAuslage(g);
    g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(Holzfaeller);
    g.S.AktuellerSpieler = 2;
    g.Sp(2).Geld = 10;
    CompiZug(g);
    // Ten switches and the refused eleventh; then one move of its own.
    EXPECT_EQ(ZeilenMit("Random Strategiewechsel nach 6 : OK"), 11);
    EXPECT_EQ(g.StrategiewechselTiefe, 0);
    EXPECT_EQ(g.Sp(2).Karten[1].Anzahl, 1);
    EXPECT_EQ(g.S.AktuellerSpieler, 3);
    EXPECT_EQ(g.AnzahlFehler, 0);
}
