// The searching computer player: it ignores what its seat cannot see, repeats itself, and
// touches the game only through the action it takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "ai/vorausschau.h"
#include "rules/ablauf.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

constexpr TVorausschauParameter Klein{120, 10, 50};

// A game of rule-based seats, played `zuege` moves on.
void Partie(TSpielsitzung& g, int spieler, uint32_t seed, bool verdeckt, int zuege) {
    InitStrategieparameter(g.Einstellungen);
    for (int s = 1; s <= 4; ++s) g.Einstellungen.Fuer(spieler).Strategie[s] = 10;
    NeueTestpartie(g, spieler, seed, false, verdeckt);
    for (int i = 0; i < zuege && !g.S.Spielende; ++i) CompiZug(g);
}

void Uebernehmen(TSpielsitzung& ziel, const TSpielsitzung& quelle) {
    ziel.S = quelle.S;
    ziel.Zufall = quelle.Zufall;
    ziel.Einstellungen = quelle.Einstellungen;
    ziel.ZustandErsetzt();
}

// What the seat on turn cannot see, changed: each stack's unseen order and, with hidden hands,
// another seat's hand card (against an unseen card of its stack) and money.
void VerborgenesAendern(TSpielstand& s) {
    for (int k = 1; k <= 4; ++k) {
        TKartenstapel& st = s.Kartenstapel[k];
        if (st.Naechste >= 1 && st.Naechste < st.Anzahl)
            std::reverse(&st.Karten[st.Naechste], &st.Karten[st.Anzahl] + 1);
    }
    if (!s.VerdeckteHandkarten) return;
    for (int o = 1; o <= s.SpielerAnzahl; ++o) {
        if (o == s.AktuellerSpieler) continue;
        s.Spieler[o].Geld += 7;
        TKartenliste& h = s.Spieler[o].Hand();
        for (int i = 1; i <= h.Anzahl; ++i) {
            TKartenstapel& st = s.Kartenstapel[h.Karten[i].Farbe];
            for (int j = st.Naechste; j >= 1 && j <= st.Anzahl; ++j)
                if (!(st.Karten[j] == h.Karten[i])) {
                    std::swap(st.Karten[j], h.Karten[i]);
                    return;
                }
        }
    }
}

// Neither what the seat cannot see nor the number of cores changes the decision.
TEST(Vorausschau, VerborgenesUndKerneAendernDieEntscheidungNicht) {
    TKatalog katalog;
    auto a = std::make_unique<TSpielsitzung>(katalog);
    auto b = std::make_unique<TSpielsitzung>(katalog);
    TVorausschau suche(katalog);
    TVorausschau drei(katalog, 3);
    int verschieden = 0, gesucht = 0;
    for (const bool verdeckt : {false, true}) {
        for (int zuege = 3; zuege < 120; zuege += 13) {
            Partie(*a, verdeckt ? 2 : 4, 40u + static_cast<uint32_t>(zuege), verdeckt, zuege);
            if (a->S.Spielende) continue;
            Uebernehmen(*b, *a);
            VerborgenesAendern(b->S);
            ASSERT_NE(std::memcmp(&a->S, &b->S, sizeof a->S), 0);
            const TVorausschauErgebnis x = suche.Suche(*a, Klein);
            gesucht += suche.Spiele() > 0;
            const TVorausschauErgebnis y = drei.Suche(*a, Klein);
            EXPECT_TRUE(y.aktion == x.aktion && y.gewinnchance == x.gewinnchance && y.spiele == x.spiele);
            if (!(suche.Entscheide(*b, Klein) == x.aktion)) ++verschieden;
        }
    }
    EXPECT_GT(gesucht, 10);
    EXPECT_EQ(verschieden, 0);
}

TEST(Vorausschau, DerZugAendertNurDurchSeineAktion) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto nach = std::make_unique<TSpielsitzung>(katalog);
    TVorausschau suche(katalog);
    for (int zuege = 0; zuege < 150; zuege += 10) {
        Partie(*g, 3, 900u + static_cast<uint32_t>(zuege), false, zuege);
        if (g->S.Spielende) continue;
        g->Einstellungen.Fuer(3).Strategie[g->S.AktuellerSpieler] = 16;
        g->Einstellungen.Fuer(3).Parameter123[ParameterSlot(16, "Budget")] = Klein.Budget;
        g->Einstellungen.Fuer(3).Parameter123[ParameterSlot(16, "Rollout")] = Klein.Rollout;
        Uebernehmen(*nach, *g);
        const TVorausschauAktion x = suche.Entscheide(*nach, VorausschauParameter(*nach));
        TVorausschau::Anwenden(*nach, x);
        NaechsterSpieler(*nach);
        CompiZug(*g);
        EXPECT_EQ(std::memcmp(&g->S, &nach->S, sizeof g->S), 0) << zuege;
        EXPECT_EQ(g->Zufall.RandSeed, nach->Zufall.RandSeed) << zuege;
        EXPECT_EQ(PruefeSpielstand(*g), "") << zuege;
    }
}

// The search weighs the moves a rule-based seat would make: some enumerated action, applied, gives
// the very position the rule-based move gives (row 2 of the display fills from the right, so a
// search that looks only at its first places misses its cards). Not every move: the search places
// the observatory's card by a fixed rule (about 1 % of the moves).
TEST(Vorausschau, RegelzuegeSindUnterDenAktionen) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto regel = std::make_unique<TSpielsitzung>(katalog);
    auto probe = std::make_unique<TSpielsitzung>(katalog);
    TVorausschau suche(katalog);
    int stellungen = 0, gefunden = 0;
    for (int spieler = 2; spieler <= 4; ++spieler)
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            Partie(*g, spieler, 300u * seed + static_cast<uint32_t>(spieler), spieler == 3, 0);
            while (!g->S.Spielende) {
                Uebernehmen(*regel, *g);
                CompiZug(*regel);
                const int n = suche.Aufzaehlen(*g);
                bool da = false;
                for (int i = 0; i < n && !da; ++i) {
                    Uebernehmen(*probe, *g);
                    TVorausschau::Anwenden(*probe, suche.Aktion(i));
                    NaechsterSpieler(*probe);
                    da = std::memcmp(&probe->S, &regel->S, sizeof probe->S) == 0;
                }
                ++stellungen;
                gefunden += da;
                CompiZug(*g);
            }
        }
    EXPECT_GT(stellungen, 500);
    EXPECT_GE(gefunden, stellungen * 98 / 100) << gefunden << " of " << stellungen;
}

TEST(Vorausschau, NullHeisstVorgabe) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    for (int spieler = 2; spieler <= 4; ++spieler) {
        Partie(*g, spieler, 5, false, 0);
        TStrategieEinstellung& e = g->Einstellungen.Fuer(spieler);
        TVorausschauParameter p = VorausschauParameter(*g);
        EXPECT_EQ(p.Budget, VorausschauBudgetVorgabe);
        EXPECT_EQ(p.Rollout, spieler == 2 ? 12 : 10);
        EXPECT_EQ(p.Erkundung, VorausschauErkundungVorgabe);
        e.Parameter123[ParameterSlot(16, "Budget")] = 300;
        e.Parameter123[ParameterSlot(16, "Rollout")] = 14;
        e.Parameter123[ParameterSlot(16, "Erkundung")] = 30;
        p = VorausschauParameter(*g);
        EXPECT_TRUE(p.Budget == 300 && p.Rollout == 14 && p.Erkundung == 30);
    }
    // A rollout strategy out of range plays the default's games.
    TVorausschau suche(katalog);
    Partie(*g, 3, 8, false, 20);
    const TVorausschauErgebnis vorgabe = suche.Suche(*g, {120, 10, 50});
    const TVorausschauErgebnis null = suche.Suche(*g, {120, 0, 50});
    EXPECT_TRUE(null.aktion == vorgabe.aktion && null.gewinnchance == vorgabe.gewinnchance);
}

// A series with strategy 16: no violation, no internal fault, and the same games run after run.
TEST(Vorausschau, SerienSindGeprueftUndWiederholbar) {
    const std::filesystem::path ordner = FrischerOrdner("vorausschau");
    const std::filesystem::path param = ordner / "p.ini";
    {
        std::ofstream f(param);
        for (int n = 2; n <= 4; ++n)
            f << "[Strategie_" << n << "_Spieler]\nStrategie_123_P_6=6\n";
    }
    auto lauf = [&](std::vector<std::string> args) {
        for (const char* w : {"--params", "", "--check", "--quiet", "--seed", "77"}) args.push_back(w);
        args[args.size() - 5] = param.string();
        TSimArgumente a = ParseSimArgumente(args);
        EXPECT_TRUE(a.ok) << a.fehler;
        std::ostringstream aus, fehler;
        EXPECT_EQ(SimLaufen(a.opt, aus, fehler), 0) << fehler.str();
        EXPECT_ENTHAELT(fehler.str(), "0 Verletzungen, 0 interne Fehler");
        return aus.str();
    };
    const std::vector<std::vector<std::string>> serien = {
        {"--players", "2", "--strategies", "16,16", "--games", "12", "--variants", "0,1,0"},
        {"--players", "3", "--strategies", "10,16,10", "--games", "12"},
        {"--players", "4", "--strategies", "16,10,16,10", "--games", "12", "--variants", "1,0,1"},
    };
    for (const auto& s : serien) lauf(s);
    std::vector<std::string> zweimal = serien[1];
    zweimal[5] = "4";
    zweimal.insert(zweimal.end(), {"--report", "-"});
    const std::string bericht = lauf(zweimal);
    EXPECT_EQ(lauf(zweimal), bericht);
    EXPECT_ENTHAELT(bericht, "Parameter Strategy 16:\nBudget    : 6\nRollout   : 0\nErkundung : 0\n");
}

} // namespace
