// A series split over worker threads, and merging the JSON of separate runs: one stream is the
// plain series, every block is a plain series of its own seed, the output is joined in block
// order, and a merged report is the report of the merged statistics.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sim/json.h"
#include "sim/serie.h"
#include "sim/vereinigen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

using Argumente = std::vector<std::string>;

struct TErgebnis {
    int code = -1;
    std::string aus, fehler;
    std::unique_ptr<SimSerie> serie;
};

TErgebnis Starte(const Argumente& args, bool abbrechen = false) {
    TErgebnis e;
    SimArgumente a = ParseSimArgumente(args);
    EXPECT_TRUE(a.ok) << a.fehler;
    e.serie = std::make_unique<SimSerie>();
    e.serie->Abbruch.store(abbrechen);
    std::ostringstream aus, fehler;
    e.code = SimLaufen(*e.serie, a.opt, aus, fehler, false);
    e.aus = aus.str();
    e.fehler = fehler.str();
    return e;
}

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> z;
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) z.push_back(s);
    return z;
}

// The report without the lines of the streams behind it.
std::string OhneStroeme(const std::string& bericht) {
    const size_t p = bericht.find("\nNumber of streams : ");
    return p == std::string::npos ? bericht : bericht.substr(0, p);
}

// "Spiel 7: ..." with the number replaced, for comparing a block with a run of its own.
std::string Umnummeriert(const std::string& zeile, int64_t versatz) {
    const size_t doppelpunkt = zeile.find(':');
    return "Spiel " + std::to_string(std::stoll(zeile.substr(6, doppelpunkt - 6)) + versatz) +
           zeile.substr(doppelpunkt);
}

std::unique_ptr<TSimStatistik> AusJson(const std::string& text, TJsonLauf& lauf) {
    auto st = std::make_unique<TSimStatistik>();
    std::string fehler;
    EXPECT_TRUE(StatistikAusJson(text, *st, lauf, fehler)) << fehler;
    return st;
}

} // namespace

TEST(SimJobs, BlockSeedBehaeltBlockNullUndMischtDieAnderen) {
    // The documented derivation, pinned so that the README's description stays true.
    EXPECT_EQ(BlockSeed(5, 0), 5u);
    EXPECT_EQ(BlockSeed(4000000000u, 0), 4000000000u);
    EXPECT_EQ(BlockSeed(5, 1), 1896298743u);
    EXPECT_EQ(BlockSeed(5, 2), 436445367u);
    EXPECT_EQ(BlockSeed(0, 1), 2433363436u);
    EXPECT_EQ(BlockSeed(4294967295u, 7), 1501329160u);

    const auto a = ParseSimArgumente({"--jobs", "2"});
    ASSERT_TRUE(a.ok) << a.fehler;
    EXPECT_EQ(a.opt.jobs, 2);
    EXPECT_EQ(ParseSimArgumente({}).opt.jobs, 1);
    for (const char* falsch : {"0", "-1", "257", "zwei", ""}) {
        const auto f = ParseSimArgumente({"--jobs", falsch});
        EXPECT_FALSE(f.ok) << falsch;
        EXPECT_EQ(f.fehler.rfind("--jobs: ", 0), 0u) << f.fehler;
    }
}

TEST(SimJobs, ZweiStroemeGebenLaufUmLaufDasGleiche) {
    Ordner o;
    auto lauf = [&](const std::string& name) {
        TErgebnis e = Starte({"--seed", "99", "--players", "4", "--strategies", "4,4,10,10", "--games", "40",
                              "--jobs", "2", "--check", "--report", o / (name + ".txt"), "--json",
                              o / (name + ".json"), "--extra-stats", o / (name + ".csv")});
        EXPECT_EQ(e.code, 0) << e.fehler;
        return std::vector<std::string>{e.aus, e.fehler, LiesDatei(o / (name + ".txt")),
                                        LiesDatei(o / (name + ".json")), LiesDatei(o / (name + ".csv"))};
    };
    const auto erster = lauf("a");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lauf("b"), erster) << "Lauf " << i + 2;

    const auto z = Zeilen(erster[2]);
    ASSERT_GE(z.size(), 4u);
    EXPECT_EQ(z[z.size() - 3], "Number of streams : 2");
    EXPECT_EQ(z[z.size() - 2].rfind("Stream 1 : 20 games, RandSeed 99, at end ", 0), 0u) << z[z.size() - 2];
    EXPECT_EQ(z.back().rfind("Stream 2 : 20 games, RandSeed 1067148619, at end ", 0), 0u) << z.back();
    EXPECT_NE(erster[2].find("\nnumber of games: 40\n"), std::string::npos);
    // The report's seed is the last stream's generator at its end.
    const std::string ende = z.back().substr(z.back().rfind(' ') + 1);
    EXPECT_NE(erster[2].find("\nRandSeed: " + ende + "\n"), std::string::npos);
    // Standard output: one line per game, numbered through the blocks.
    const auto aus = Zeilen(erster[0]);
    ASSERT_EQ(aus.size(), 40u);
    for (size_t i = 0; i < aus.size(); ++i)
        EXPECT_EQ(aus[i].rfind("Spiel " + std::to_string(i + 1) + ": ", 0), 0u);
}

TEST(SimJobs, JederBlockIstEineSerieSeinesSeeds) {
    Ordner o;
    const uint32_t seed = 2024;
    const Argumente basis = {"--players", "3", "--strategies", "4,10,5", "--check"};
    // 31 games on 3 streams: blocks of 11, 10 and 10 games.
    Argumente geteilt = basis;
    geteilt.insert(geteilt.end(), {"--seed", std::to_string(seed), "--games", "31", "--jobs", "3", "--json",
                                   o / "g.json", "--extra-stats", o / "g.csv"});
    TErgebnis g = Starte(geteilt);
    ASSERT_EQ(g.code, 0) << g.fehler;

    const int64_t laengen[] = {11, 10, 10};
    std::vector<std::string> zeilen, extra = {"AnzS,Runde,Phase,"};
    std::vector<TStrom> stroeme;
    std::unique_ptr<TSimStatistik> vereint;
    int64_t versatz = 0, pruefungen = 0;
    std::string spieleJson;
    for (int b = 0; b < 3; ++b) {
        Argumente einzeln = basis;
        const std::string n = std::to_string(b);
        einzeln.insert(einzeln.end(),
                       {"--seed", std::to_string(BlockSeed(seed, b)), "--games", std::to_string(laengen[b]),
                        "--json", o / (n + ".json"), "--extra-stats", o / (n + ".csv")});
        TErgebnis e = Starte(einzeln);
        ASSERT_EQ(e.code, 0) << e.fehler;
        for (const std::string& z : Zeilen(e.aus))
            if (z.rfind("Spiel ", 0) == 0) zeilen.push_back(Umnummeriert(z, versatz));
        const auto csv = Zeilen(LiesDatei(o / (n + ".csv")));
        for (size_t i = 1; i < csv.size(); ++i) {
            const size_t komma = csv[i].find(',');
            extra.push_back(std::to_string(std::stoll(csv[i].substr(0, komma)) + versatz) +
                            csv[i].substr(komma));
        }
        TJsonLauf l;
        std::string fehler;
        std::string_view spiele;
        const std::string json = LiesDatei(o / (n + ".json"));
        auto st = std::make_unique<TSimStatistik>();
        ASSERT_TRUE(StatistikAusJson(json, *st, l, fehler, &spiele)) << fehler;
        spieleJson += (b ? ",\n    " : "") + std::string(spiele);
        stroeme.push_back({BlockSeed(seed, b), st->AnzahlSpiele, e.serie->Sitzung().Zufall.RandSeed});
        if (!vereint)
            vereint = std::move(st);
        else
            ASSERT_TRUE(StatistikVereinigen(*vereint, *st));
        pruefungen += e.serie->Pruefungen();
        versatz += laengen[b];
    }

    // Statistics, report and streams.
    TJsonLauf lauf;
    std::string_view spiele;
    std::string fehler;
    const std::string json = LiesDatei(o / "g.json");
    auto st = std::make_unique<TSimStatistik>();
    ASSERT_TRUE(StatistikAusJson(json, *st, lauf, fehler, &spiele)) << fehler;
    EXPECT_EQ(std::memcmp(st.get(), vereint.get(), sizeof *st), 0);
    EXPECT_EQ(lauf.Stroeme, stroeme);
    EXPECT_EQ(lauf.SeedEnde, stroeme.back().SeedEnde);
    TKatalog kat;
    EXPECT_EQ(g.aus.substr(g.aus.find("*****")),
              StatistikBerichtText(*vereint, kat, stroeme.back().SeedEnde) + StroemeBerichtText(stroeme));
    // Per-game lines, extra lines and JSON games in block order with the series' numbers.
    std::vector<std::string> gZeilen;
    for (const std::string& z : Zeilen(g.aus))
        if (z.rfind("Spiel ", 0) == 0) gZeilen.push_back(z);
    EXPECT_EQ(gZeilen, zeilen);
    auto gExtra = Zeilen(LiesDatei(o / "g.csv"));
    ASSERT_FALSE(gExtra.empty());
    gExtra[0] = gExtra[0].substr(0, 17);
    EXPECT_EQ(gExtra, extra);
    EXPECT_EQ(std::string(spiele), spieleJson);
    // The check ran in every block.
    EXPECT_NE(g.fehler.find("Prüfung: " + std::to_string(pruefungen) + " Zustände geprüft, 0 Verletzungen"),
              std::string::npos)
        << g.fehler;
}

TEST(SimJobs, SpurDerBloeckeInBlockfolge) {
    Ordner o;
    const Argumente basis = {"--players", "2", "--strategies", "4,5"};
    Argumente geteilt = basis;
    geteilt.insert(geteilt.end(), {"--seed", "31337", "--games", "3", "--jobs", "2", "--trace", o / "g.txt"});
    TErgebnis g = Starte(geteilt);
    ASSERT_EQ(g.code, 0) << g.fehler;
    EXPECT_EQ(g.aus, "") << "a traced run keeps standard output for the trace";
    std::string erwartet;
    const int64_t laengen[] = {2, 1};
    for (int b = 0; b < 2; ++b) {
        Argumente einzeln = basis;
        einzeln.insert(einzeln.end(), {"--seed", std::to_string(BlockSeed(31337, b)), "--games",
                                       std::to_string(laengen[b]), "--trace", o / "e.txt"});
        ASSERT_EQ(Starte(einzeln).code, 0);
        erwartet += LiesDatei(o / "e.txt");
    }
    EXPECT_GT(erwartet.size(), 10000u);
    EXPECT_TRUE(LiesDatei(o / "g.txt") == erwartet);
}

TEST(SimJobs, AbbruchHaeltJedenArbeiterNachSeinemSpiel) {
    // The stop flag is set before the start: every worker finishes its first game and stops.
    TErgebnis e = Starte({"--seed", "3", "--players", "4", "--strategies", "4,4,10,10", "--games", "30",
                          "--jobs", "3", "--quiet"},
                         true);
    EXPECT_EQ(e.code, 130);
    EXPECT_NE(e.fehler.find("abgebrochen nach 3 von 30 Spielen"), std::string::npos) << e.fehler;
    const auto z = Zeilen(e.aus);
    ASSERT_GE(z.size(), 3u);
    EXPECT_EQ(z[0].rfind("Spiel 1: ", 0), 0u);
    EXPECT_EQ(z[1].rfind("Spiel 11: ", 0), 0u);
    EXPECT_EQ(z[2].rfind("Spiel 21: ", 0), 0u);
    EXPECT_NE(e.aus.find("\nnumber of games: 3\n"), std::string::npos);
    EXPECT_NE(e.aus.find("\nStream 3 : 1 games, RandSeed "), std::string::npos);
}

TEST(SimJobs, SpielstaerkeZiehtJeBlockUndBerichtZeigtDasErsteSpiel) {
    // Strength 5 draws the opponents at random for every game; the blocks still merge.
    TErgebnis geteilt = Starte(
        {"--seed", "8", "--players", "4", "--strength", "5", "--games", "6", "--jobs", "2", "--report", "-"});
    ASSERT_EQ(geteilt.code, 0) << geteilt.fehler;
    TErgebnis einzeln =
        Starte({"--seed", "8", "--players", "4", "--strength", "5", "--games", "3", "--report", "-"});
    ASSERT_EQ(einzeln.code, 0) << einzeln.fehler;
    EXPECT_NE(geteilt.aus.find("\nnumber of games: 6\n"), std::string::npos);
    const auto einstellungen = [](const std::string& bericht) {
        return bericht.substr(bericht.find("Number of players"),
                              bericht.find("number of games") - bericht.find("Number of players"));
    };
    EXPECT_EQ(einstellungen(geteilt.aus), einstellungen(einzeln.aus));
}

TEST(SimMerge, BerichtIstDerBerichtDerVereinigtenStatistik) {
    Ordner o;
    const Argumente basis = {"--players", "3", "--strategies", "4,10,10,7", "--games"};
    auto lauf = [&](const std::string& seed, const std::string& spiele, const std::string& name,
                    const std::string& jobs = "1") {
        Argumente a = basis;
        a.insert(a.end(),
                 {spiele, "--seed", seed, "--jobs", jobs, "--json", o / name, "--report", "/dev/null"});
        TErgebnis e = Starte(a);
        EXPECT_EQ(e.code, 0) << e.fehler;
        return e;
    };
    TErgebnis a = lauf("11", "14", "a.json");
    TErgebnis b = lauf("12", "9", "b.json", "2");
    // A different strategy on the seat that does not play does not matter.
    Argumente cArgs = {"--players", "3",  "--strategies", "4,10,10,1",  "--games",  "5",
                       "--seed",    "13", "--json",       o / "c.json", "--report", "/dev/null"};
    ASSERT_EQ(Starte(cArgs).code, 0);

    TVereinigenArgumente m = ParseVereinigenArgumente(
        {o / "a.json", o / "b.json", o / "c.json", "--report", o / "m.txt", "--json", o / "m.json"});
    ASSERT_TRUE(m.ok) << m.fehler;
    std::ostringstream aus, fehler;
    ASSERT_EQ(SimVereinigen(m, aus, fehler), 0) << fehler.str();
    EXPECT_EQ(aus.str(), "");
    EXPECT_EQ(fehler.str(), "");

    TJsonLauf la, lb, lc;
    auto sa = AusJson(LiesDatei(o / "a.json"), la);
    auto sb = AusJson(LiesDatei(o / "b.json"), lb);
    auto sc = AusJson(LiesDatei(o / "c.json"), lc);
    auto kombiniert = std::make_unique<TSimStatistik>(a.serie->Statistik());
    ASSERT_TRUE(StatistikVereinigen(*kombiniert, *sb));
    ASSERT_TRUE(StatistikVereinigen(*kombiniert, *sc));
    EXPECT_EQ(kombiniert->AnzahlSpiele, 28);
    std::vector<TStrom> stroeme = la.Stroeme;
    stroeme.insert(stroeme.end(), lb.Stroeme.begin(), lb.Stroeme.end());
    stroeme.insert(stroeme.end(), lc.Stroeme.begin(), lc.Stroeme.end());
    ASSERT_EQ(stroeme.size(), 4u);
    TKatalog kat;
    EXPECT_EQ(LiesDatei(o / "m.txt"),
              StatistikBerichtText(*kombiniert, kat, lc.SeedEnde) + StroemeBerichtText(stroeme));

    // The merged JSON: the merged record, every stream, and the three game lists in order.
    TJsonLauf lm;
    std::string_view spiele, spieleA, spieleB, spieleC;
    std::string f;
    const std::string mj = LiesDatei(o / "m.json"), aj = LiesDatei(o / "a.json"),
                      bj = LiesDatei(o / "b.json"), cj = LiesDatei(o / "c.json");
    auto sm = std::make_unique<TSimStatistik>();
    ASSERT_TRUE(StatistikAusJson(mj, *sm, lm, f, &spiele)) << f;
    EXPECT_EQ(std::memcmp(sm.get(), kombiniert.get(), sizeof *sm), 0);
    EXPECT_EQ(lm.Stroeme, stroeme);
    ASSERT_TRUE(StatistikAusJson(aj, *sa, la, f, &spieleA));
    ASSERT_TRUE(StatistikAusJson(bj, *sb, lb, f, &spieleB));
    ASSERT_TRUE(StatistikAusJson(cj, *sc, lc, f, &spieleC));
    EXPECT_EQ(std::string(spiele),
              std::string(spieleA) + ",\n    " + std::string(spieleB) + ",\n    " + std::string(spieleC));

    // Merging the merged file reproduces its report; without --report it goes to standard output.
    std::ostringstream aus2, fehler2;
    ASSERT_EQ(SimVereinigen(ParseVereinigenArgumente({o / "m.json"}), aus2, fehler2), 0) << fehler2.str();
    EXPECT_EQ(aus2.str(), LiesDatei(o / "m.txt"));
}

TEST(SimMerge, TeileInFolgeGebenDenBerichtDerGanzenSerie) {
    Ordner o;
    const Argumente basis = {"--players", "4",         "--strategies", "4,4,10,10",
                             "--report",  "/dev/null", "--games"};
    Argumente ganz = basis, erste = basis;
    ganz.insert(ganz.end(), {"30", "--seed", "606", "--report", o / "ganz.txt"});
    erste.insert(erste.end(), {"18", "--seed", "606", "--json", o / "1.json"});
    TErgebnis g = Starte(ganz), e = Starte(erste);
    ASSERT_EQ(g.code, 0);
    ASSERT_EQ(e.code, 0);
    // The second part goes on with the generator where the first part left it.
    Argumente zweite = basis;
    zweite.insert(zweite.end(), {"12", "--seed", std::to_string(e.serie->Sitzung().Zufall.RandSeed), "--json",
                                 o / "2.json"});
    ASSERT_EQ(Starte(zweite).code, 0);
    std::ostringstream aus, fehler;
    ASSERT_EQ(SimVereinigen(ParseVereinigenArgumente({o / "1.json", o / "2.json"}), aus, fehler), 0)
        << fehler.str();
    EXPECT_EQ(OhneStroeme(aus.str()), LiesDatei(o / "ganz.txt"));
    EXPECT_NE(aus.str().find("\nNumber of streams : 2\n"), std::string::npos);
}

TEST(SimMerge, VerschiedeneLaeufeWerdenMitDemUnterschiedAbgelehnt) {
    Ordner o;
    const Argumente basis = {"--games", "2", "--seed", "1", "--report", "/dev/null"};
    auto json = [&](const std::string& name, Argumente args) {
        args.insert(args.begin(), basis.begin(), basis.end());
        args.insert(args.end(), {"--json", o / name});
        EXPECT_EQ(Starte(args).code, 0) << name;
    };
    json("a.json", {"--players", "3", "--strategies", "4,10,10"});
    std::ofstream(o / "p.ini") << "[Strategie_3_Spieler]\nStrategie_10_P_4=77\n";
    const std::vector<std::pair<Argumente, std::string>> faelle = {
        {{"--players", "4", "--strategies", "4,10,10,10"}, "Spieleranzahl ist 4, nicht 3"},
        {{"--players", "3", "--strategies", "4,10,5"}, "Strategie von Spieler 3 ist 5, nicht 10"},
        {{"--players", "3", "--strategies", "4,10,10", "--money", "25,26"},
         "Startgeld von Spieler 2 ist 26, nicht 25"},
        {{"--players", "3", "--strategies", "4,10,10", "--roles", "0,0,0,2"},
         "Startrolle von Spieler 4 ist 2, nicht 0"},
        {{"--players", "3", "--strategies", "4,10,10", "--variants", "0,1,0"},
         "Varianten ist 0,1,0, nicht 0,0,0"},
        {{"--players", "3", "--strength", "41"}, "Spielstärke ist 41, nicht 0"},
        {{"--players", "3", "--strategies", "4,10,10", "--params", o / "p.ini"},
         "Parameter 4 der Strategie 10 ist 77, nicht"},
    };
    int i = 0;
    for (const auto& [args, text] : faelle) {
        const std::string name = "x" + std::to_string(i++) + ".json";
        json(name, args);
        std::ostringstream aus, fehler;
        EXPECT_EQ(SimVereinigen(ParseVereinigenArgumente({o / "a.json", o / name, "--report", o / "m.txt",
                                                          "--json", o / "m.json"}),
                                aus, fehler),
                  2)
            << text;
        EXPECT_EQ(fehler.str().rfind("veldmark-sim merge: '" + o / name + "' passt nicht zu '" +
                                         o / "a.json" + "': " + text,
                                     0),
                  0u)
            << fehler.str();
        EXPECT_EQ(aus.str(), "");
        EXPECT_FALSE(std::filesystem::exists(o / "m.txt")) << text;
        EXPECT_FALSE(std::filesystem::exists(o / "m.json")) << text;
    }

    // Under the same preset the runs merge whatever settings their first games drew.
    json("s1.json", {"--players", "4", "--strength", "5", "--seed", "1"});
    json("s2.json", {"--players", "4", "--strength", "5", "--seed", "2"});
    TJsonLauf l1, l2;
    ASSERT_NE(AusJson(LiesDatei(o / "s1.json"), l1)->Einstellung.Strategie[3],
              AusJson(LiesDatei(o / "s2.json"), l2)->Einstellung.Strategie[3]);
    std::ostringstream ausPreset, fehlerPreset;
    EXPECT_EQ(
        SimVereinigen(ParseVereinigenArgumente({o / "s1.json", o / "s2.json"}), ausPreset, fehlerPreset), 0)
        << fehlerPreset.str();
    EXPECT_NE(ausPreset.str().find("\nnumber of games: 4\n"), std::string::npos);

    // Files that are no run, and arguments.
    SchreibeDatei(o / "kaputt.json", LiesDatei(o / "a.json").substr(0, 300));
    std::ostringstream aus, fehler;
    EXPECT_EQ(SimVereinigen(ParseVereinigenArgumente({o / "a.json", o / "kaputt.json"}), aus, fehler), 2);
    EXPECT_EQ(fehler.str().rfind("veldmark-sim merge: '" + o / "kaputt.json" + "': kein gültiges JSON", 0),
              0u)
        << fehler.str();
    std::ostringstream aus2, fehler2;
    EXPECT_EQ(SimVereinigen(ParseVereinigenArgumente({o / "fehlt.json"}), aus2, fehler2), 2);
    EXPECT_NE(fehler2.str().find("kann nicht gelesen werden"), std::string::npos);
    EXPECT_FALSE(ParseVereinigenArgumente({}).ok);
    EXPECT_FALSE(ParseVereinigenArgumente({"a.json", "--json", "-"}).ok);
    EXPECT_FALSE(ParseVereinigenArgumente({"a.json", "--report"}).ok);
    EXPECT_EQ(ParseVereinigenArgumente({"a.json", "--games", "3"}).fehler, "--games: unbekanntes Argument");
}
