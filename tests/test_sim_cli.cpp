// The simulator: golden traces, reproducible series and the checks of its arguments.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ai/compizug.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

using Argumente = std::vector<std::string>;

struct TLauf {
    int code = -1;
    std::string aus, fehler, spur;
};

// Parses and runs like the simulator's main; a parse error gives exit code 2 as there.
TLauf Simuliere(Argumente args, const std::filesystem::path& spurdatei = {}) {
    if (!spurdatei.empty()) {
        args.push_back("--trace");
        args.push_back(spurdatei.string());
    }
    TLauf l;
    TSimArgumente a = ParseSimArgumente(args);
    if (!a.ok) {
        l.code = 2;
        l.fehler = a.fehler;
        return l;
    }
    std::ostringstream aus, fehler;
    l.code = SimLaufen(a.opt, aus, fehler);
    l.aus = aus.str();
    l.fehler = fehler.str();
    if (!spurdatei.empty() && std::filesystem::exists(spurdatei)) l.spur = LiesDatei(spurdatei);
    return l;
}

} // namespace

TEST(SimSerie, OhneSpurEineZeileJeSpiel) {
    TLauf l = Simuliere({"--seed", "9", "--players", "3", "--strategies", "1,1,1", "--games", "3"});
    ASSERT_EQ(l.code, 0) << l.fehler;
    std::istringstream aus(l.aus);
    std::string z;
    int n = 0;
    while (std::getline(aus, z) && z.rfind("Spiel ", 0) == 0) {
        ++n;
        EXPECT_EQ(z.rfind("Spiel " + std::to_string(n) + ": ", 0), 0u) << z;
        EXPECT_NE(z.find(" | Spieler 3: "), std::string::npos) << z;
        EXPECT_EQ(z.find(" | Spieler 4: "), std::string::npos) << z;
    }
    EXPECT_EQ(n, 3);
    // Without --report the statistics report follows on standard output.
    EXPECT_EQ(z, "**********************************************");
    EXPECT_NE(l.aus.find("number of games: 3\n"), std::string::npos);
}

TEST(SimArgumentePruefen, FalscheArgumenteNennenSichSelbst) {
    const std::vector<std::pair<Argumente, std::string>> faelle = {
        {{"--spieler", "2"}, "--spieler"},
        {{"--seed", "1", "-x"}, "-x"},
        {{"--players"}, "--players"},
        {{"--seed", "3", "--games"}, "--games"},
        {{"--players", "5"}, "--players"},
        {{"--players", "1"}, "--players"},
        {{"--players", "drei"}, "--players"},
        {{"--games", "0"}, "--games"},
        {{"--seed", "4294967296"}, "--seed"},
        {{"--seed", "-2147483649"}, "--seed"},
        {{"--seed", "12abc"}, "--seed"},
        {{"--seed", ""}, "--seed"},
        {{"--variants", "0,2,0"}, "--variants"},
        {{"--variants", "1,1,1,1"}, "--variants"},
        {{"--variants", "-1"}, "--variants"},
        {{"--roles", "0,0,5,0"}, "--roles"},
        {{"--roles", "0,0,0,0,0"}, "--roles"},
        {{"--money", "25,-1"}, "--money"},
        {{"--strategies", "1,,1"}, "--strategies"},
        {{"--strategies", "1,1,1,x"}, "--strategies"},
        {{"--trace", ""}, "--trace"},
    };
    for (const auto& [args, name] : faelle) {
        TSimArgumente a = ParseSimArgumente(args);
        EXPECT_FALSE(a.ok) << name;
        EXPECT_EQ(a.fehler.rfind(name + ": ", 0), 0u) << a.fehler;
        EXPECT_EQ(a.fehler.find('\n'), std::string::npos) << a.fehler;
    }

    TSimArgumente a = ParseSimArgumente({"--seed", "-7", "--players", "3", "--games", "12", "--variants",
                                         "0,1", "--roles", "1,2", "--money", "+30"});
    ASSERT_TRUE(a.ok) << a.fehler;
    EXPECT_EQ(a.opt.seed, 4294967289u);
    EXPECT_TRUE(a.opt.seedGesetzt);
    EXPECT_EQ(a.opt.spieler, 3);
    EXPECT_EQ(a.opt.spiele, 12);
    EXPECT_EQ(a.opt.varianten[0], 0);
    EXPECT_EQ(a.opt.varianten[1], 1);
    EXPECT_EQ(a.opt.varianten[2], 0);
    EXPECT_EQ(a.opt.rollen, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(a.opt.geld, (std::vector<int32_t>{30}));
}

TEST(SimArgumentePruefen, JederBefehlHatSeineHilfeUndStehtVorne) {
    const std::vector<std::pair<Argumente, std::vector<std::string>>> faelle = {
        {{"--help"}, {"--games G", "--jobs J", "merge", "record", "inspect"}},
        {{"merge", "--help"}, {"veldmark-sim merge", "PART.json", "--report FILE"}},
        {{"record", "-h"}, {"veldmark-sim record", "--moves K", "--out FILE", "--strength TAG"}},
        {{"inspect", "--help"}, {"veldmark-sim inspect", "FILE"}},
    };
    for (const auto& [args, woerter] : faelle) {
        std::ostringstream aus, fehler;
        EXPECT_EQ(SimProgramm(args, aus, fehler), 0) << args[0];
        EXPECT_EQ(fehler.str(), "");
        for (const std::string& w : woerter) EXPECT_NE(aus.str().find(w), std::string::npos) << w;
        // A subcommand's help shows only its own options.
        if (args.size() > 1) {
            EXPECT_EQ(aus.str().find("--games"), std::string::npos) << args[0];
        }
    }
    // A subcommand's name after other arguments is no subcommand.
    std::ostringstream aus, fehler;
    EXPECT_EQ(SimProgramm({"--games", "3", "merge", "a.json"}, aus, fehler), 2);
    EXPECT_EQ(fehler.str(), "veldmark-sim: merge: unbekanntes Argument\n");
    EXPECT_EQ(aus.str(), "");
}

TEST(SimArgumentePruefen, NichtSpielbareEinstellungenLaufenNichtAn) {
    const std::filesystem::path ordner = FrischerOrdner("abgelehnt");
    const std::filesystem::path spur = ordner / "spur.txt";
    auto abgelehnt = [&](const Argumente& args, const std::string& name) {
        TLauf l = Simuliere(args, spur);
        EXPECT_EQ(l.code, 2) << name;
        EXPECT_EQ(l.fehler.find("veldmark-sim: " + name + ": "), 0u) << l.fehler;
        EXPECT_EQ(l.aus, "") << name;
        EXPECT_FALSE(std::filesystem::exists(spur)) << name << ": Spurdatei angelegt";
    };
    abgelehnt({"--players", "4", "--strategies", "1,1,1,1", "--roles", "1,1,0,0"}, "--roles");
    abgelehnt({"--players", "2", "--strategies", "1,1,1,1", "--roles", "0,3,0,3"}, "--roles");
    abgelehnt({"--players", "3", "--strategies", "1,1,1,1", "--roles", "0,0,0,4"}, "--roles");

    // In a 3-player game the fourth field names a seat, so a role given twice there is fine.
    TLauf l = Simuliere(
        {"--players", "3", "--strategies", "1,1,1,1", "--roles", "1,2,3,3", "--seed", "5", "--games", "1"});
    EXPECT_EQ(l.code, 0) << l.fehler;
    l = Simuliere(
        {"--players", "4", "--strategies", "1,1,1,1", "--roles", "0,0,0,4", "--seed", "5", "--games", "1"});
    EXPECT_EQ(l.code, 0) << l.fehler;

    // 17 is no strategy of the computer; seats that do not take part may carry it.
    abgelehnt({"--players", "2", "--strategies", "1,17,1,1"}, "--strategies");
    abgelehnt({"--players", "4", "--strategies", "1,1,1,0"}, "--strategies");
    l = Simuliere({"--players", "2", "--strategies", "1,1,17,17", "--seed", "5", "--games", "1"});
    EXPECT_EQ(l.code, 0) << l.fehler;

    // An unwritable trace file is refused before any game is played.
    l = Simuliere({"--players", "2", "--strategies", "1,1,1,1"}, ordner / "fehlt" / "spur.txt");
    EXPECT_EQ(l.code, 2);
    EXPECT_EQ(l.fehler.find("veldmark-sim: --trace: "), 0u) << l.fehler;
    EXPECT_EQ(l.aus, "");
    std::filesystem::remove_all(ordner);
}
