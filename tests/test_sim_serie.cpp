// Simulation series: the report of whole runs, stopping early, reproducibility, the checker over
// many games, the files of the simulator and its new options.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ai/compizug.h"
#include "sim/json.h"
#include "sim/serie.h"

using namespace vm;

namespace {

bool UnterSanitizer() {
    return std::getenv("VELDMARK_SANITIZE") != nullptr;
}

bool Verfuegbar(std::initializer_list<int32_t> strategien) {
    for (int32_t s : strategien)
        if (!StrategieVerfuegbar(s)) return false;
    return true;
}

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> z;
    std::istringstream in(text);
    std::string zeile;
    while (std::getline(in, zeile)) z.push_back(zeile);
    return z;
}

std::string Lies(const std::string& pfad) {
    std::ifstream in(pfad, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Pfad(const std::string& name) {
    return ::testing::TempDir() + "veldmark_sim_" + name;
}

SimOptionen Optionen(int spieler, std::vector<int32_t> strategien, int64_t spiele, uint32_t seed) {
    SimOptionen o;
    o.spieler = spieler;
    o.strategien = std::move(strategien);
    o.spiele = spiele;
    o.spieleGesetzt = true;
    o.seedGesetzt = true;
    o.seed = seed;
    return o;
}

struct TLauf {
    std::unique_ptr<SimSerie> serie = std::make_unique<SimSerie>();
    std::string bericht;
};

TLauf Laufen(const SimOptionen& o, ISpielAblauf* beobachter = nullptr) {
    TLauf l;
    const std::string fehler = l.serie->Vorbereiten(o);
    EXPECT_EQ(fehler, "");
    l.serie->SetzeBeobachter(beobachter);
    l.serie->Laufen();
    l.bericht =
        StatistikBerichtText(l.serie->Statistik(), l.serie->Katalog(), l.serie->Sitzung().Zufall.RandSeed);
    return l;
}

int Anzahl(const std::vector<std::string>& z, const std::string& anfang) {
    int n = 0;
    for (const std::string& s : z) n += s.rfind(anfang, 0) == 0;
    return n;
}

TEST(SimSerienlauf, EinSpielMinGleichMittelGleichMax) {
    if (!Verfuegbar({2, 3, 4, 5})) GTEST_SKIP();
    TLauf l = Laufen(Optionen(4, {2, 3, 4, 5}, 1, 12345));
    const auto z = Zeilen(l.bericht);
    int gepruefte = 0;
    for (const std::string& s : z) {
        size_t m = s.find("(Min,Mean,Max)");
        if (m == std::string::npos) m = s.find("(Min,Mittel,Max)");
        if (m == std::string::npos) continue;
        const size_t doppelpunkt = s.find(": ", m);
        ASSERT_NE(doppelpunkt, std::string::npos) << s;
        long min = 0, max = 0;
        char mittel[32] = {};
        ASSERT_EQ(std::sscanf(s.c_str() + doppelpunkt + 2, "%ld  %31s  %ld", &min, mittel, &max), 3) << s;
        EXPECT_EQ(min, max) << s;
        EXPECT_EQ(std::string(mittel), std::to_string(min) + ".0") << s;
        ++gepruefte;
    }
    // Stacks and discards 5, cards 4 x 4, rounds 1 x 4, complete 4 + winner, aristocrats 4.
    EXPECT_EQ(gepruefte, 5 + 16 + 4 + 5 + 4);
    EXPECT_NE(std::find(z.begin(), z.end(), "number of games: 1"), z.end());
    const int runden = l.serie->Sitzung().S.Runde;
    EXPECT_NE(std::find(z.begin(), z.end(), "Mean number of rounds: " + std::to_string(runden) + ".00"),
              z.end());
    EXPECT_NE(std::find(z.begin(), z.end(), "Minimal number of rounds : " + std::to_string(runden)), z.end());
    EXPECT_NE(std::find(z.begin(), z.end(), "Maximal number of rounds : " + std::to_string(runden)), z.end());
    // Every card-table cell of a single game is a whole count.
    for (const std::string& s : z) {
        if (s.find(":      ") == std::string::npos) continue;
        for (size_t p = s.find('.'); p != std::string::npos; p = s.find('.', p + 1))
            EXPECT_EQ(s.substr(p, 3), ".00") << s;
    }
}

TEST(SimSerienlauf, ZweiSpielerBerichtHatVierStartrollen) {
    if (!Verfuegbar({4, 5})) GTEST_SKIP();
    SimOptionen o = Optionen(2, {4, 5}, 3, 31337);
    o.rollen = {2, 0, 0, 3};
    TLauf l = Laufen(o);
    const auto z = Zeilen(l.bericht);
    EXPECT_EQ(Anzahl(z, "Start role player "), 4);
    EXPECT_NE(std::find(z.begin(), z.end(), "Start role player 4 : 3"), z.end());
    EXPECT_EQ(Anzahl(z, "Strategy  Spieler "), 2);
    EXPECT_EQ(Anzahl(z, "Start money  player "), 2);
    EXPECT_EQ(Anzahl(z, "Player 1 at Position 1..2: "), 1);
    EXPECT_EQ(Anzahl(z, "Player 3"), 0);
    EXPECT_EQ(Anzahl(z, "number of victory points of player 3"), 0);
    ASSERT_GE(z.size(), 2u);
    // Two positions per line, and every game puts each seat somewhere.
    int a = -1, b = -1, c = -1, d = -1;
    ASSERT_EQ(std::sscanf(z[z.size() - 2].c_str(), "Player 1 : %d   %d   ", &a, &b), 2);
    ASSERT_EQ(std::sscanf(z.back().c_str(), "Player 2 : %d   %d   ", &c, &d), 2);
    EXPECT_EQ(a + b, 3);
    EXPECT_EQ(a + c, 3);
    EXPECT_EQ(z.back(), "Player 2 : " + std::to_string(c) + "   " + std::to_string(d) + "   ");
}

// Asks the series to stop while game `k` is being played.
class StoppInSpiel : public ISpielAblauf {
public:
    StoppInSpiel(SimSerie*& serie, int32_t k) : serie_(serie), k_(k) {}
    void NachWertung(int) override {
        if (serie_ && serie_->Statistik().AnzahlSpiele == k_ - 1) serie_->Abbruch = true;
    }

private:
    SimSerie*& serie_;
    int32_t k_;
};

TEST(SimSerienlauf, AbbruchWaehrendSpielKZaehltKSpiele) {
    if (!Verfuegbar({4, 2, 3})) GTEST_SKIP();
    const SimOptionen o = Optionen(3, {4, 2, 3}, 10, 2026);
    SimSerie* laufende = nullptr;
    StoppInSpiel stopp(laufende, 4);
    TLauf l;
    ASSERT_EQ(l.serie->Vorbereiten(o), "");
    laufende = l.serie.get();
    l.serie->SetzeBeobachter(&stopp);
    l.serie->Laufen();
    EXPECT_TRUE(l.serie->Abgebrochen());
    EXPECT_EQ(l.serie->Statistik().AnzahlSpiele, 4);
    const std::string bericht =
        StatistikBerichtText(l.serie->Statistik(), l.serie->Katalog(), l.serie->Sitzung().Zufall.RandSeed);
    const auto z = Zeilen(bericht);
    EXPECT_NE(std::find(z.begin(), z.end(), "number of games: 4"), z.end());

    // The same as a series of exactly four games, seed of the report included.
    TLauf vier = Laufen(Optionen(3, {4, 2, 3}, 4, 2026));
    EXPECT_FALSE(vier.serie->Abgebrochen());
    EXPECT_EQ(bericht, vier.bericht);

    // A stop during the last game is no early stop.
    SimSerie* zweite = nullptr;
    StoppInSpiel amEnde(zweite, 4);
    TLauf l4;
    ASSERT_EQ(l4.serie->Vorbereiten(Optionen(3, {4, 2, 3}, 4, 2026)), "");
    zweite = l4.serie.get();
    l4.serie->SetzeBeobachter(&amEnde);
    l4.serie->Laufen();
    EXPECT_FALSE(l4.serie->Abgebrochen());
    EXPECT_EQ(l4.serie->Statistik().AnzahlSpiele, 4);
}

struct TDateien {
    std::string bericht, json, extra;
};

TDateien MitDateien(SimOptionen o, const std::string& name, int* rc = nullptr) {
    o.berichtDatei = Pfad(name + ".txt");
    o.jsonDatei = Pfad(name + ".json");
    o.extraDatei = Pfad(name + ".csv");
    std::ostringstream out, err;
    const int r = SimLaufen(o, out, err);
    if (rc)
        *rc = r;
    else
        EXPECT_EQ(r, 0) << err.str();
    // With the report in a file, standard output keeps its line per game.
    const auto z = Zeilen(out.str());
    EXPECT_EQ(static_cast<int64_t>(z.size()), o.spiele);
    for (size_t i = 0; i < z.size(); ++i)
        EXPECT_EQ(z[i].rfind("Spiel " + std::to_string(i + 1) + ": ", 0), 0u);
    TDateien d{Lies(o.berichtDatei), Lies(o.jsonDatei), Lies(o.extraDatei)};
    std::remove(o.berichtDatei.c_str());
    std::remove(o.jsonDatei.c_str());
    std::remove(o.extraDatei.c_str());
    return d;
}

TEST(SimSerienlauf, GleicherSeedGleicheDateien) {
    if (!Verfuegbar({2, 3, 4, 5})) GTEST_SKIP();
    const TDateien a = MitDateien(Optionen(4, {2, 3, 4, 5}, 20, 777), "a");
    const TDateien b = MitDateien(Optionen(4, {2, 3, 4, 5}, 20, 777), "b");
    ASSERT_FALSE(a.bericht.empty());
    EXPECT_EQ(a.bericht, b.bericht);
    EXPECT_EQ(a.json, b.json);
    EXPECT_EQ(a.extra, b.extra);
    const TDateien c = MitDateien(Optionen(4, {2, 3, 4, 5}, 20, 778), "c");
    EXPECT_NE(a.bericht, c.bericht);
    EXPECT_NE(a.json, c.json);

    // The JSON holds 20 game records and gives back the very same report.
    size_t spiele = 0;
    for (size_t p = a.json.find("{\"runden\": "); p != std::string::npos;
         p = a.json.find("{\"runden\": ", p + 1))
        ++spiele;
    EXPECT_EQ(spiele, 20u);
    auto st = std::make_unique<TSimStatistik>();
    TJsonLauf lauf;
    std::string fehler;
    ASSERT_TRUE(StatistikAusJson(a.json, *st, lauf, fehler)) << fehler;
    TKatalog kat;
    EXPECT_EQ(StatistikBerichtText(*st, kat, lauf.SeedEnde), a.bericht);
    EXPECT_EQ(st->RandSeed, 777u);
    EXPECT_FALSE(lauf.Abgebrochen);

    // Extra statistics: the header, then one line per phase scoring of seats 1..4.
    const auto z = Zeilen(a.extra);
    ASSERT_GT(z.size(), 20u * 4);
    EXPECT_EQ(z[0].rfind("AnzS,Runde,Phase,1G,1S,11K,", 0), 0u);
    EXPECT_EQ(z[1].rfind("1,1,1,", 0), 0u);
    EXPECT_EQ(z.back().rfind("20,", 0), 0u);
    for (size_t i = 1; i < z.size(); ++i)
        EXPECT_EQ(std::count(z[i].begin(), z[i].end(), ','), 3 + 4 * 11) << i;
}

TEST(SimSerienlauf, GeteilteSerieErgibtVereinigtDieGanze) {
    if (!Verfuegbar({4, 5, 99})) GTEST_SKIP();
    TLauf ganz = Laufen(Optionen(3, {4, 5, 99}, 30, 4242));
    TLauf erste = Laufen(Optionen(3, {4, 5, 99}, 18, 4242));
    // The second part goes on with the generator where the first part left it.
    TLauf zweite = Laufen(Optionen(3, {4, 5, 99}, 12, erste.serie->Sitzung().Zufall.RandSeed));
    TSimStatistik vereint = erste.serie->Statistik();
    ASSERT_TRUE(StatistikVereinigen(vereint, zweite.serie->Statistik()));
    EXPECT_EQ(std::memcmp(&vereint, &ganz.serie->Statistik(), sizeof vereint), 0);
    EXPECT_EQ(StatistikBerichtText(vereint, ganz.serie->Katalog(), zweite.serie->Sitzung().Zufall.RandSeed),
              ganz.bericht);
}

TEST(SimSerienlauf, BerichtWieMusterDreiSpieler50Spiele) {
    if (!Verfuegbar({4, 2, 3})) GTEST_SKIP() << "strategies 2 to 4 not available yet";
    // veldmark-sim --seed 5 --players 3 --strategies 4,2,3,1 --games 50 --report ...
    SimOptionen o = Optionen(3, {4, 2, 3, 1}, 50, 5);
    o.berichtDatei = Pfad("muster3.txt");
    std::ostringstream out, err;
    ASSERT_EQ(SimLaufen(o, out, err), 0) << err.str();
    const std::string muster = Lies(std::string(VELDMARK_TESTDATEN) + "/report-3p-50.txt");
    ASSERT_FALSE(muster.empty());
    const auto ist = Zeilen(Lies(o.berichtDatei));
    const auto soll = Zeilen(muster);
    std::remove(o.berichtDatei.c_str());
    ASSERT_EQ(ist.size(), soll.size());
    for (size_t i = 0; i < soll.size(); ++i) ASSERT_EQ(ist[i], soll[i]) << "Zeile " << i + 1;
}

TEST(SimSerienlauf, BerichtUndExtraWieMusterZweiSpieler) {
    if (!Verfuegbar({12, 14})) GTEST_SKIP() << "strategies 12 and 14 not available yet";
    // veldmark-sim --seed 42 --players 2 --strategies 12,14,1,1 --games 1 --report ... --extra-stats ...
    const TDateien d = MitDateien(Optionen(2, {12, 14, 1, 1}, 1, 42), "muster2");
    EXPECT_EQ(d.bericht, Lies(std::string(VELDMARK_TESTDATEN) + "/report-2p-1.txt"));
    EXPECT_EQ(d.extra, Lies(std::string(VELDMARK_TESTDATEN) + "/extra-2p-1.csv"));
}

TEST(SimSerienlauf, PruefungUeberVieleSpieleOhneVerletzung) {
    if (!Verfuegbar({1, 2, 3, 4, 5})) GTEST_SKIP();
    // Per player count 10,000 games, shared by its mixes (fewer under the sanitizers).
    const int jeAnzahl = UnterSanitizer() ? 300 : 10000;
    const std::vector<std::vector<int32_t>> mischungen[] = {
        {{4, 5}, {2, 3}, {1, 4}}, {{5, 2, 3}, {4, 4, 1}}, {{2, 3, 4, 5}, {5, 4, 1, 2}}};
    uint32_t seed = 1000;
    for (const auto& jeSpieler : mischungen) {
        for (const auto& m : jeSpieler) {
            const int n = static_cast<int>(m.size());
            SimOptionen o = Optionen(n, m, jeAnzahl / static_cast<int>(jeSpieler.size()) + 1, ++seed);
            o.pruefen = true;
            // The variants too: extended bonus, hidden hands, no "Hofmeisterin" in round 1.
            o.varianten[0] = seed % 2;
            o.varianten[1] = seed % 3 == 0;
            o.varianten[2] = seed % 4 < 2;
            TLauf l = Laufen(o);
            EXPECT_EQ(l.serie->Verletzungen(), 0) << n << " Spieler, Seed " << seed;
            for (const std::string& v : l.serie->ErsteVerletzungen()) ADD_FAILURE() << v;
            EXPECT_EQ(l.serie->Sitzung().AnzahlFehler, 0) << n << " Spieler, Seed " << seed;
            EXPECT_GT(l.serie->Pruefungen(), o.spiele * 20);
            EXPECT_EQ(l.serie->Statistik().AnzahlSpiele, o.spiele);
        }
    }
}

TEST(SimSerienlauf, SpielzahlAusDenEinstellungenAusserBeiTrace) {
    SimOptionen o;
    o.seedGesetzt = true;
    o.strategien = {1, 1, 1, 1};
    SimSerie s;
    ASSERT_EQ(s.Vorbereiten(o), "");
    EXPECT_EQ(s.Geplant(), 500);
    o.traceDatei = "/dev/null";
    SimSerie t;
    ASSERT_EQ(t.Vorbereiten(o), "");
    EXPECT_EQ(t.Geplant(), 1);
    o.spiele = 7;
    o.spieleGesetzt = true;
    SimSerie u;
    ASSERT_EQ(u.Vorbereiten(o), "");
    EXPECT_EQ(u.Geplant(), 7);
}

TEST(SimSerienlauf, SpielstaerkeVorJedemSpiel) {
    // "niedrig" gives every seat one of 2, 3, 3, 4, drawn anew before every game.
    if (!Verfuegbar({2, 3, 4})) GTEST_SKIP();
    SimOptionen o;
    o.spieler = 3;
    o.spiele = 40;
    o.spieleGesetzt = true;
    o.seedGesetzt = true;
    o.seed = 9;
    o.spielstaerke = 1;
    TLauf l = Laufen(o);
    EXPECT_EQ(l.serie->Statistik().AnzahlSpiele, 40);
    for (int s = 1; s <= 3; ++s) {
        const int32_t st = l.serie->Statistik().Einstellung.Strategie[s];
        EXPECT_TRUE(st >= 2 && st <= 4) << st;
    }
    EXPECT_EQ(l.serie->Sitzung().S.Spielstaerke, 1);

    // The first game's settings in the report are those the preset drew for it.
    SimSerie erste;
    o.spiele = 1;
    ASSERT_EQ(erste.Vorbereiten(o), "");
    erste.Laufen();
    for (int s = 1; s <= 3; ++s)
        EXPECT_EQ(l.serie->Statistik().Einstellung.Strategie[s],
                  erste.Sitzung().Einstellungen.Fuer(3).Strategie[s]);

    SimOptionen mit = o;
    mit.strategien = {4, 4, 4};
    SimSerie abgelehnt;
    EXPECT_NE(abgelehnt.Vorbereiten(mit).find("nicht zusammen mit --strategies"), std::string::npos);
    mit = o;
    mit.parameterDatei = "/dev/null";
    EXPECT_NE(abgelehnt.Vorbereiten(mit).find("--params"), std::string::npos);

    // "mittel" can draw strategies 6 and 12.
    o.spielstaerke = 2;
    SimSerie mittel;
    const std::string f = mittel.Vorbereiten(o);
    if (Verfuegbar({2, 4, 6, 12}))
        EXPECT_EQ(f, "");
    else
        EXPECT_EQ(f.rfind("--strength: Spielstärke 2 kann Spieler ", 0), 0u) << f;

    // Expert mode keeps the settings of the command line.
    o.spielstaerke = 4;
    o.strategien = {1, 1, 1};
    SimSerie experte;
    EXPECT_EQ(experte.Vorbereiten(o), "");
}

TEST(SimSerienlauf, NeueOptionenLesen) {
    const auto a =
        ParseSimArgumente({"--check", "--games", "3", "--quiet", "--report", "-", "--json", "x.json",
                           "--extra-stats", "x.csv", "--strength", "41", "--params", "p.ini"});
    ASSERT_TRUE(a.ok) << a.fehler;
    EXPECT_TRUE(a.opt.pruefen);
    EXPECT_TRUE(a.opt.leise);
    EXPECT_TRUE(a.opt.spieleGesetzt);
    EXPECT_EQ(a.opt.spiele, 3);
    EXPECT_EQ(a.opt.berichtDatei, "-");
    EXPECT_EQ(a.opt.jsonDatei, "x.json");
    EXPECT_EQ(a.opt.extraDatei, "x.csv");
    EXPECT_EQ(a.opt.spielstaerke, 41);
    EXPECT_EQ(a.opt.parameterDatei, "p.ini");

    const auto ohne = ParseSimArgumente({});
    ASSERT_TRUE(ohne.ok);
    EXPECT_FALSE(ohne.opt.spieleGesetzt);
    EXPECT_FALSE(ohne.opt.pruefen);
    EXPECT_EQ(ohne.opt.spielstaerke, 0);

    const std::vector<std::string> falsch[] = {
        {"--strength", "10"},  {"--strength", "44"}, {"--strength", "x"}, {"--json", "-"},
        {"--extra-stats", ""}, {"--report", ""},     {"--params"},        {"--check", "1"}};
    for (const auto& f : falsch) {
        const auto r = ParseSimArgumente(f);
        EXPECT_FALSE(r.ok) << f[0];
        EXPECT_EQ(r.fehler.rfind(f.size() > 1 && f[0] == "--check" ? "1" : f[0], 0), 0u) << r.fehler;
    }
}

TEST(SimLaufen, DateifehlerVorDemErstenSpielUndPruefbericht) {
    if (!Verfuegbar({4, 5})) GTEST_SKIP();
    SimOptionen o = Optionen(2, {4, 5}, 2, 1);
    o.jsonDatei = "/nicht/vorhanden/x.json";
    std::ostringstream out, err;
    EXPECT_EQ(SimLaufen(o, out, err), 2);
    EXPECT_EQ(err.str(),
              "veldmark-sim: --json: Datei '/nicht/vorhanden/x.json' kann nicht geschrieben werden\n");
    EXPECT_EQ(out.str(), "");

    // Without --report standard output has a line per game; --check sums up on standard error.
    o.jsonDatei.clear();
    o.pruefen = true;
    std::ostringstream out1, err1;
    EXPECT_EQ(SimLaufen(o, out1, err1), 0) << err1.str();
    EXPECT_EQ(out1.str().rfind("Spiel 1: ", 0), 0u) << out1.str();
    EXPECT_NE(err1.str().find(" 0 Verletzungen, 0 interne Fehler\n"), std::string::npos) << err1.str();

    // "--report -" puts the report there instead.
    o.berichtDatei = "-";
    std::ostringstream out2, err2;
    EXPECT_EQ(SimLaufen(o, out2, err2), 0) << err2.str();
    EXPECT_EQ(out2.str().rfind("**********************************************\n", 0), 0u);
    EXPECT_EQ(out2.str().find("Spiel 1: "), std::string::npos);

    // A trace run keeps standard output for the trace unless the report is asked for there.
    o.traceDatei = "/dev/null";
    std::ostringstream out3, err3;
    EXPECT_EQ(SimLaufen(o, out3, err3), 0) << err3.str();
    EXPECT_EQ(out3.str(), out2.str());
    o.berichtDatei.clear();
    std::ostringstream out4, err4;
    EXPECT_EQ(SimLaufen(o, out4, err4), 0) << err4.str();
    EXPECT_EQ(out4.str(), "");

    SimOptionen p = Optionen(2, {4, 5}, 2, 1);
    p.parameterDatei = "/nicht/vorhanden.ini";
    std::ostringstream out5, err5;
    EXPECT_EQ(SimLaufen(p, out5, err5), 2);
    EXPECT_EQ(err5.str().rfind("veldmark-sim: --params: ", 0), 0u) << err5.str();
}

} // namespace

namespace {

TEST(SimSerienlauf, ParameterdateiUnterDerKommandozeile) {
    const std::string ini = Pfad("parameter.ini");
    {
        std::ofstream f(ini);
        f << "[Strategie_3_Spieler]\nStrategie_Sp2=5\nStrategie_Sp3=99\nAnzahlSim=7\nStrategie_4_P_0=9\n"
             "[Strategie_4_Spieler]\nSetUpGeld_Sp1=-5\n";
    }
    SimOptionen o;
    o.spieler = 3;
    o.seedGesetzt = true;
    o.parameterDatei = ini;
    SimSerie s;
    ASSERT_EQ(s.Vorbereiten(o), "");
    EXPECT_EQ(s.Geplant(), 7);
    const TStrategieEinstellung& e = s.Statistik().Einstellung;
    EXPECT_EQ(e.Strategie[1], 4); // default of 3 players
    EXPECT_EQ(e.Strategie[2], 5);
    EXPECT_EQ(e.Strategie[3], 99);
    EXPECT_EQ(e.Param(4, 0), 9);
    EXPECT_EQ(e.Param(5, 0), 4);

    // The command line has the last word.
    o.strategien = {2, 3};
    SimSerie t;
    ASSERT_EQ(t.Vorbereiten(o), "");
    EXPECT_EQ(t.Statistik().Einstellung.Strategie[2], 3);
    EXPECT_EQ(t.Statistik().Einstellung.Strategie[3], 99);

    // Negative start money cannot be played; the 4-player section of the same file has it.
    o.spieler = 4;
    o.strategien.clear();
    SimSerie u;
    EXPECT_EQ(u.Vorbereiten(o),
              "--params: Datei '" + ini +
                  "', Zeile 7: Startgeld -5 (Spieler 1) liegt nicht zwischen 0 und 1000000");
    std::remove(ini.c_str());
}

} // namespace

namespace {

// Loses a card to the discard count at the first blue scoring of game 2.
class Verfaelscher : public ISpielAblauf {
public:
    explicit Verfaelscher(SimSerie& s) : s_(s) {}
    void NachWertung(int phase) override {
        if (getan_ || phase != 2 || s_.Statistik().AnzahlSpiele != 1) return;
        getan_ = true;
        ++s_.Sitzung().S.AblageAnzahl;
    }

private:
    SimSerie& s_;
    bool getan_ = false;
};

TEST(SimLaufen, PruefungMeldetVerletzungenMitExitcode3) {
    if (!Verfuegbar({4, 5})) GTEST_SKIP();
    SimOptionen o = Optionen(2, {4, 5}, 3, 8);
    o.berichtDatei = "-";
    auto serie = std::make_unique<SimSerie>();
    Verfaelscher v(*serie);
    serie->SetzeBeobachter(&v);
    std::ostringstream out, err;
    EXPECT_EQ(SimLaufen(*serie, o, out, err, false), 0) << "without --check nothing is looked at";
    EXPECT_EQ(err.str(), "");

    o.pruefen = true;
    auto zweite = std::make_unique<SimSerie>();
    Verfaelscher w(*zweite);
    zweite->SetzeBeobachter(&w);
    std::ostringstream out2, err2;
    EXPECT_EQ(SimLaufen(*zweite, o, out2, err2, false), 3);
    EXPECT_GT(zweite->Verletzungen(), 0);
    EXPECT_EQ(zweite->Statistik().AnzahlSpiele, 3);
    // The state of game 3 is sound again: every violation lies in game 2.
    for (const std::string& f : zweite->ErsteVerletzungen())
        EXPECT_EQ(f.rfind("Spiel 2, Runde ", 0), 0u) << f;
    EXPECT_NE(err2.str().find("veldmark-sim: Verletzung: Spiel 2, Runde 1, Phase "), std::string::npos)
        << err2.str();
    EXPECT_NE(err2.str().find(" Verletzungen, 0 interne Fehler\n"), std::string::npos) << err2.str();
    EXPECT_EQ(out2.str(), out.str()) << "the report is written all the same";
}

} // namespace
