// "Who wins from here": a finished game belongs to its winner, start positions give what a plain
// series gives, and neither threads nor a stop change what was counted.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>

#include "persist/aktionstext.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"
#include "sim/analyse.h"
#include "sim/schaetzung.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

void Partie(TSpielsitzung& g, int spieler, uint32_t seed, int zuege) {
    InitStrategieparameter(g.Einstellungen);
    for (int s = 1; s <= 4; ++s) g.Einstellungen.Fuer(spieler).Strategie[s] = 10;
    NeueTestpartie(g, spieler, seed);
    for (int i = 0; (zuege < 0 || i < zuege) && !g.S.Spielende; ++i) CompiZug(g);
}

TEST(Analyse, EinBeendetesSpielGehoertSeinemSieger) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    for (int spieler = 2; spieler <= 4; ++spieler) {
        Partie(*g, spieler, 300u + static_cast<uint32_t>(spieler), -1);
        BerechnePlatz(*g);
        TAnalyseOptionen o;
        o.Spiele = 4;
        const TAnalyse a = Analysiere(*g, o);
        EXPECT_EQ(a.Spieler, spieler);
        EXPECT_TRUE(a.Aktionen.empty());
        for (int s = 1; s <= spieler; ++s) {
            EXPECT_EQ(a.Sitz[s].Anteil, g->Platz[s] == 1 ? 1.0 : 0.0) << spieler << "/" << s;
            EXPECT_EQ(a.Sitz[s].MittelPunkte, g->S.Spieler[s].Siegpunkte);
            EXPECT_EQ(a.Sitz[s].Spiele, 4);
        }
    }
}

// The set-ups of a series, each played on a few times from what seat 1 sees: pooled, the seats'
// chances agree with the series' own results.
TEST(Analyse, StartstellungenGebenDieChancenDerSerie) {
    TSimOptionen opt;
    opt.spieler = 2;
    opt.strategien = {4, 12};
    opt.seed = 2026;
    opt.seedGesetzt = true;
    constexpr int Serie = 240, JeStellung = 4;

    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto stellung = std::make_unique<TSpielsitzung>(katalog);
    ASSERT_EQ(SimVorbereiten(*g, opt), "");
    std::array<double, 3> analyse{};
    std::array<int, 3> serie{};
    TAnalyseOptionen o;
    o.Spiele = JeStellung;
    o.MitAktionen = false;
    for (int k = 0; k < Serie; ++k) {
        g->S.Computer[1] = 1;
        SpielAufbau(*g);
        stellung->S = g->S;
        stellung->Zufall = g->Zufall;
        stellung->Einstellungen = g->Einstellungen;
        stellung->ZustandErsetzt();
        o.Saat = static_cast<uint32_t>(k + 1);
        const TAnalyse a = Analysiere(*stellung, o);
        while (!g->S.Spielende) CompiZug(*g);
        BerechnePlatz(*g);
        for (int s = 1; s <= 2; ++s) {
            analyse[s] += a.Sitz[s].Anteil * JeStellung;
            serie[s] += g->Platz[s] == 1;
        }
    }
    // These are the series' own games.
    opt.spiele = Serie;
    opt.spieleGesetzt = true;
    TSimSerie lauf;
    ASSERT_EQ(lauf.Vorbereiten(opt), "");
    lauf.Laufen();
    EXPECT_EQ(lauf.Statistik().Platzierungen[1][1], serie[1]);
    for (int s = 1; s <= 2; ++s) {
        const TIntervall x = Wilson(analyse[s], Serie * JeStellung);
        const TIntervall y = Wilson(serie[s], Serie);
        EXPECT_TRUE(x.Unten <= y.Oben && y.Unten <= x.Oben)
            << s << ": " << WilsonText(x) << " gegen " << WilsonText(y);
    }
}

// Mid-game with seat 1 on turn: threads change nothing, the progress reaches the total, a stop
// counts only what was played, and every action has a name with its cards.
TEST(Analyse, KerneFortschrittAbbruchUndAktionsnamen) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    const TTexte texte;
    int geprueft = 0;
    for (uint32_t seed = 1; seed < 40 && geprueft < 3; ++seed) {
        Partie(*g, 3, seed, static_cast<int>(20 + seed * 7));
        if (g->S.Spielende || g->S.AktuellerSpieler != 1) continue;
        ++geprueft;
        TAnalyseOptionen o;
        o.Spiele = 6;
        o.Saat = seed;
        TSuchsteuerung steuerung;
        const TAnalyse a = Analysiere(*g, o, &steuerung);
        ASSERT_FALSE(a.Aktionen.empty());
        EXPECT_EQ(steuerung.fertig.load(), AnalyseSpiele(*g, o));
        EXPECT_EQ(steuerung.fertig.load(), o.Spiele * static_cast<int64_t>(1 + a.Aktionen.size()));
        o.Kerne = 3;
        const TAnalyse b = Analysiere(*g, o);
        ASSERT_EQ(b.Aktionen.size(), a.Aktionen.size());
        for (int s = 1; s <= 3; ++s)
            EXPECT_TRUE(b.Sitz[s].Anteil == a.Sitz[s].Anteil &&
                        b.Sitz[s].MittelPunkte == a.Sitz[s].MittelPunkte);
        for (size_t i = 0; i < a.Aktionen.size(); ++i) {
            EXPECT_TRUE(b.Aktionen[i].Aktion == a.Aktionen[i].Aktion);
            EXPECT_EQ(b.Aktionen[i].Chance.Anteil, a.Aktionen[i].Chance.Anteil);
            const std::string t = AktionText(texte, katalog, g->S, a.Aktionen[i].Aktion);
            EXPECT_TRUE(!t.empty() && t.find('%') == std::string::npos && t.find("  ") == std::string::npos &&
                        t.back() != ' ')
                << "'" << t << "'";
        }
        steuerung.abbruch = true;
        const TAnalyse c = Analysiere(*g, o, &steuerung);
        EXPECT_TRUE(c.Abgebrochen);
        EXPECT_EQ(c.Sitz[1].Spiele, 0);
    }
    EXPECT_EQ(geprueft, 3);
}

// Each action's row counts seat 1's games after that action: the row of the move seat 1's own
// strategy makes here meets the re-deals row 0 meets, so its mean points are seat 1's, not another's.
TEST(Analyse, DieAktionszeilenGehoerenSitzEins) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto regel = std::make_unique<TSpielsitzung>(katalog);
    auto probe = std::make_unique<TSpielsitzung>(katalog);
    auto kopie = [&g](TSpielsitzung& z) {
        z.S = g->S;
        z.Zufall = g->Zufall;
        z.Einstellungen = g->Einstellungen;
        z.ZustandErsetzt();
    };
    int geprueft = 0;
    for (uint32_t seed = 1; seed < 60 && geprueft < 4; ++seed) {
        Partie(*g, 2, seed, static_cast<int>(30 + seed * 5));
        if (g->S.Spielende || g->S.AktuellerSpieler != 1) continue;
        TAnalyseOptionen o;
        o.Spiele = 40;
        const TAnalyse a = Analysiere(*g, o);
        const double eins = a.Sitz[1].MittelPunkte, zwei = a.Sitz[2].MittelPunkte;
        if (std::abs(eins - zwei) < 8) continue;
        kopie(*regel);
        CompiZug(*regel);
        for (const TAktionsChance& x : a.Aktionen) {
            kopie(*probe);
            TVorausschau::Anwenden(*probe, x.Aktion);
            NaechsterSpieler(*probe);
            if (std::memcmp(&probe->S, &regel->S, sizeof probe->S) != 0) continue;
            ++geprueft;
            EXPECT_LT(std::abs(x.Chance.MittelPunkte - eins), std::abs(x.Chance.MittelPunkte - zwei))
                << seed << ": " << x.Chance.MittelPunkte << " " << eins << " " << zwei;
        }
    }
    EXPECT_EQ(geprueft, 4);
}

TEST(Analyse, KommandozeileLaedtDieDateiUndPrueftDieStrategien) {
    const std::filesystem::path ordner = FrischerOrdner("analyse");
    const std::string datei = (ordner / "ende.vmk").string();
    std::ostringstream aus, fehler;
    ASSERT_EQ(
        SimProgramm({"record", "--players", "3", "--seed", "5", "--strategies", "4,10,10", "--out", datei},
                    aus, fehler),
        0)
        << fehler.str();
    auto lauf = [&](std::vector<std::string> args) {
        aus.str("");
        fehler.str("");
        args.insert(args.begin(), "analyse");
        return SimProgramm(args, aus, fehler);
    };
    EXPECT_EQ(lauf({datei, "--games", "3", "--strategies", "0,5"}), 0) << fehler.str();
    EXPECT_ENTHAELT(aus.str(), "Spielende; 3 Spiele je Zeile");
    EXPECT_ENTHAELT(aus.str(), "100.0 %");
    EXPECT_ENTHAELT(aus.str(), "      2          5");
    EXPECT_EQ(lauf({datei, "--games", "3", "--strategies", "0,16"}), 0);
    EXPECT_ENTHAELT(aus.str(), "Strategie 16 (Spieler 2) spielt hier ihre Rollout-Strategie 10");
    EXPECT_EQ(lauf({datei, "--strategies", "1,2,3,4"}), 2);
    EXPECT_ENTHAELT(fehler.str(), "4 Strategien für ein Spiel mit 3 Spielern");
    EXPECT_EQ(lauf({datei, "--strategies", "0,0,77"}), 2);
    EXPECT_EQ(lauf({datei, "--games", "0"}), 2);
    EXPECT_EQ(lauf({(ordner / "fehlt.vmk").string()}), 1);
    EXPECT_ENTHAELT(fehler.str(), "Datei fehlt");
}

} // namespace
