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
    SimArgumente a = ParseSimArgumente(args);
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

struct TGolden {
    const char* datei;
    Argumente args;
};

const TGolden Goldene[] = {
    {"pass-2p.trace.txt", {"--seed", "1", "--players", "2", "--strategies", "1,1,1,1"}},
    {"pass-3p-variants.trace.txt",
     {"--seed", "2026", "--players", "3", "--strategies", "1,1,1,1", "--variants", "1,1,1", "--games", "2"}},
    {"pass-4p-roles.trace.txt",
     {"--seed", "4000000000", "--players", "4", "--strategies", "1,1,1,1", "--roles", "2,0,4,0", "--money",
      "20,25,30,35"}},
};

// The first strategy number the computer cannot play yet, or 0 when it plays them all.
int32_t FehlendeStrategie() {
    for (int32_t s = 1; s <= 99; ++s)
        if (!StrategieVerfuegbar(s)) return s;
    return 0;
}

} // namespace

TEST(SimGolden, SpurenGleichenDenMusternByteFuerByte) {
    const std::filesystem::path ordner = FrischerOrdner("golden");
    for (const TGolden& gd : Goldene) {
        const std::string erwartet = LiesDatei(std::filesystem::path(VELDMARK_TESTDATEN) / gd.datei);
        ASSERT_GT(erwartet.size(), 1000u) << gd.datei;
        TLauf l = Simuliere(gd.args, ordner / gd.datei);
        EXPECT_EQ(l.code, 0) << gd.datei << ": " << l.fehler;
        EXPECT_EQ(l.fehler, "") << gd.datei;
        EXPECT_TRUE(l.spur == erwartet) << gd.datei << ": Spur weicht ab";
        if (l.spur != erwartet) {
            // Name the first differing line, so a failure says where.
            std::istringstream a(l.spur), b(erwartet);
            std::string za, zb;
            for (int n = 1; std::getline(b, zb); ++n) {
                if (!std::getline(a, za)) za = "<Ende>";
                if (za != zb) {
                    ADD_FAILURE() << gd.datei << " Zeile " << n << ": '" << za << "' statt '" << zb << "'";
                    break;
                }
            }
        }
    }
    std::filesystem::remove_all(ordner);
}

// The same series through the library's own steps, with the trace kept in the log.
TEST(SimGolden, VorbereitenUndSpielenImSpeicher) {
    SimArgumente a = ParseSimArgumente(Goldene[1].args);
    ASSERT_TRUE(a.ok) << a.fehler;
    TKatalog kat;
    Spielsitzung g(kat);
    ASSERT_EQ(SimVorbereiten(g, a.opt), "");
    g.Log.TraceAn = true;
    for (int i = 0; i < a.opt.spiele; ++i) SimSpiel(g);
    std::string spur;
    for (const std::string& z : g.Log.Zeilen()) spur += z + "\n";
    EXPECT_TRUE(spur == LiesDatei(std::filesystem::path(VELDMARK_TESTDATEN) / Goldene[1].datei));
    EXPECT_EQ(g.AnzahlFehler, 0);
    EXPECT_EQ(g.S.Spielende, 1);
}

TEST(SimSerie, GleicherSeedGleicheSpurAndererSeedAndere) {
    const std::filesystem::path ordner = FrischerOrdner("serie");
    const Argumente basis = {"--players", "4", "--strategies", "1,1,1,1", "--games", "2"};
    auto mit = [&](const std::string& seed, const std::string& name) {
        Argumente a = basis;
        a.push_back("--seed");
        a.push_back(seed);
        TLauf l = Simuliere(a, ordner / name);
        EXPECT_EQ(l.code, 0) << l.fehler;
        return l.spur;
    };
    const std::string a = mit("314", "a.txt");
    EXPECT_GT(a.size(), 1000u);
    EXPECT_EQ(a, mit("314", "b.txt"));
    EXPECT_NE(a, mit("315", "c.txt"));
    // A negative seed is the same 32 bits read as signed.
    EXPECT_EQ(mit("-1", "d.txt"), mit("4294967295", "e.txt"));
    EXPECT_EQ(mit("-2147483648", "f.txt"), mit("2147483648", "g.txt"));
    std::filesystem::remove_all(ordner);
}

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
        SimArgumente a = ParseSimArgumente(args);
        EXPECT_FALSE(a.ok) << name;
        EXPECT_EQ(a.fehler.rfind(name + ": ", 0), 0u) << a.fehler;
        EXPECT_EQ(a.fehler.find('\n'), std::string::npos) << a.fehler;
    }

    SimArgumente a = ParseSimArgumente({"--seed", "-7", "--players", "3", "--games", "12", "--variants",
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

    const int32_t fehlt = FehlendeStrategie();
    if (fehlt != 0) {
        const std::string f = std::to_string(fehlt);
        abgelehnt({"--players", "2", "--strategies", "1," + f + ",1,1"}, "--strategies");
        abgelehnt({"--players", "4", "--strategies", "1,1,1," + f}, "--strategies");
        // Seats that do not take part may carry any strategy.
        l = Simuliere(
            {"--players", "2", "--strategies", "1,1," + f + "," + f, "--seed", "5", "--games", "1"});
        EXPECT_EQ(l.code, 0) << l.fehler;
    }

    // An unwritable trace file is refused before any game is played.
    l = Simuliere({"--players", "2", "--strategies", "1,1,1,1"}, ordner / "fehlt" / "spur.txt");
    EXPECT_EQ(l.code, 2);
    EXPECT_EQ(l.fehler.find("veldmark-sim: --trace: "), 0u) << l.fehler;
    EXPECT_EQ(l.aus, "");
    std::filesystem::remove_all(ordner);
}
