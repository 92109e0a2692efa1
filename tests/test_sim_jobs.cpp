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
    std::unique_ptr<TSimSerie> serie;
};

TErgebnis Starte(const Argumente& args, bool abbrechen = false) {
    TErgebnis e;
    TSimArgumente a = ParseSimArgumente(args);
    EXPECT_TRUE(a.ok) << a.fehler;
    e.serie = std::make_unique<TSimSerie>();
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

std::unique_ptr<TSimStatistik> AusJson(const std::string& text, TJsonLauf& lauf) {
    auto st = std::make_unique<TSimStatistik>();
    std::string fehler;
    EXPECT_TRUE(StatistikAusJson(text, *st, lauf, fehler)) << fehler;
    return st;
}

} // namespace

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
