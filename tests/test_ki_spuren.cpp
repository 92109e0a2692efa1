// Whole games of the computer players through the simulator library: the sample runs come out
// byte for byte, a seed reproduces its game, and strategies 4 and 5 are one list.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

// The trace of a simulator run with these arguments (as on the command line, without --trace).
std::string Spur(const std::vector<std::string>& args, int64_t spiele = 0,
                 void (*anpassen)(Spielsitzung&) = nullptr) {
    SimArgumente a = ParseSimArgumente(args);
    EXPECT_TRUE(a.ok) << a.fehler;
    TKatalog kat;
    Spielsitzung g(kat);
    const std::string fehler = SimVorbereiten(g, a.opt);
    EXPECT_EQ(fehler, "");
    if (anpassen) anpassen(g);
    g.Log.TraceAn = true;
    const int64_t n = spiele > 0 ? spiele : a.opt.spiele;
    for (int64_t i = 0; i < n; ++i) SimSpiel(g);
    EXPECT_EQ(g.AnzahlFehler, 0);
    std::string s;
    for (const std::string& z : g.Log.Zeilen()) {
        s += z;
        s += '\n';
    }
    return s;
}

// First line where two traces differ, for a readable failure.
std::string ErsterUnterschied(const std::string& ist, const std::string& soll) {
    std::istringstream a(ist), b(soll);
    std::string x, y;
    for (int nr = 1;; ++nr) {
        const bool ha = static_cast<bool>(std::getline(a, x)), hb = static_cast<bool>(std::getline(b, y));
        if (!ha && !hb) return "gleich";
        if (!ha || !hb || x != y)
            return "Zeile " + std::to_string(nr) + ":\n  ist:  " + (ha ? x : "<Ende>") +
                   "\n  soll: " + (hb ? y : "<Ende>");
    }
}

struct TMuster {
    const char* datei;
    std::vector<std::string> args;
};

const TMuster Muster[] = {
    {"basic-4p.trace.txt", {"--seed", "12345", "--players", "4", "--strategies", "2,3,4,5"}},
    {"basic-3p.trace.txt",
     {"--seed", "77", "--players", "3", "--strategies", "4,5,99,1", "--variants", "0,0,1", "--games", "3"}},
    {"basic-2p.trace.txt",
     {"--seed", "31337", "--players", "2", "--strategies", "4,2,1,1", "--money", "30,25,25,25"}},
    {"strong-4p-default.trace.txt", {"--seed", "555", "--players", "4", "--strategies", "4,4,10,10"}},
    {"strong-3p.trace.txt", {"--seed", "8", "--players", "3", "--strategies", "6,8,12,1", "--games", "2"}},
    {"strong-2p-default.trace.txt",
     {"--seed", "99", "--players", "2", "--strategies", "12,14,1,1", "--games", "3"}},
    {"strong-4p-mix.trace.txt",
     {"--seed", "2718", "--players", "4", "--strategies", "7,9,11,15", "--variants", "1,0,0"}},
};

class Musterlauf : public ::testing::TestWithParam<TMuster> {};

} // namespace

TEST_P(Musterlauf, SpurByteFuerByte) {
    const TMuster& m = GetParam();
    const std::string soll = LiesDatei(std::filesystem::path(VELDMARK_TESTDATEN) / m.datei);
    ASSERT_FALSE(soll.empty()) << m.datei;
    const std::string ist = Spur(m.args);
    EXPECT_TRUE(ist == soll) << m.datei << ": " << ErsterUnterschied(ist, soll);
}

INSTANTIATE_TEST_SUITE_P(Ki, Musterlauf, ::testing::ValuesIn(Muster), [](const auto& info) {
    std::string n = info.param.datei;
    n = n.substr(0, n.find('.'));
    for (char& c : n)
        if (c == '-') c = '_';
    return n;
});

TEST(KiDeterminismus, GleicherSeedGleicheSpur) {
    const std::vector<std::string> args = {"--seed", "4242", "--players", "4", "--strategies", "6,10,12,14"};
    const std::string a = Spur(args, 3), b = Spur(args, 3);
    EXPECT_GT(a.size(), 10000u);
    EXPECT_TRUE(a == b) << ErsterUnterschied(a, b);
    // Another seed plays another game (the trace really depends on the seed).
    const std::string c = Spur({"--seed", "4243", "--players", "4", "--strategies", "6,10,12,14"}, 3);
    EXPECT_FALSE(a == c);
}

TEST(KiDeterminismus, Strategie4Und5SpielenGleich) {
    for (int spieler = 2; spieler <= 4; ++spieler) {
        for (uint32_t seed : {1u, 2024u, 31337u}) {
            const std::string s = std::to_string(seed), n = std::to_string(spieler);
            const std::string vier = Spur({"--seed", s, "--players", n, "--strategies", "4,4,4,4"}, 2);
            const std::string fuenf = Spur({"--seed", s, "--players", n, "--strategies", "5,5,5,5"}, 2);
            EXPECT_TRUE(vier == fuenf)
                << spieler << " Spieler, Seed " << seed << ": " << ErsterUnterschied(vier, fuenf);
            const std::string gemischt = Spur({"--seed", s, "--players", n, "--strategies", "4,5,4,5"}, 2);
            EXPECT_TRUE(vier == gemischt) << ErsterUnterschied(vier, gemischt);
        }
    }
}

namespace {

// Both blocks with the same edited parameters, far from the defaults.
void GleicheEigeneParameter(Spielsitzung& g) {
    const int32_t werte[13] = {2, 3, 1, 7, 2, 4, 9, 8, 3, 2, 5, 9, 3};
    for (int n = 2; n <= 4; ++n)
        for (int slot = 0; slot < 13; ++slot) {
            g.Einstellungen.Fuer(n).Param(4, slot) = werte[slot];
            g.Einstellungen.Fuer(n).Param(5, slot) = werte[slot];
        }
}

// Only block 5 edited: strategy 5 must read its own block.
void NurBlock5(Spielsitzung& g) {
    for (int n = 2; n <= 4; ++n) {
        g.Einstellungen.Fuer(n).Param(5, 0) = 1;  // G_R1: buy green without limit only in round 1
        g.Einstellungen.Fuer(n).Param(5, 1) = 0;  // G_G2
        g.Einstellungen.Fuer(n).Param(5, 12) = 1; // E_R4
    }
}

} // namespace

TEST(KiDeterminismus, Strategie4Und5MitGleichenEigenenParametern) {
    const std::vector<std::string> vier = {"--seed", "606", "--players", "4", "--strategies", "4,4,4,4"};
    const std::vector<std::string> fuenf = {"--seed", "606", "--players", "4", "--strategies", "5,5,5,5"};
    const std::string a = Spur(vier, 3, GleicheEigeneParameter);
    const std::string b = Spur(fuenf, 3, GleicheEigeneParameter);
    EXPECT_TRUE(a == b) << ErsterUnterschied(a, b);
    // The edited parameters change the game, and each strategy reads its own block.
    EXPECT_FALSE(a == Spur(vier, 3));
    EXPECT_FALSE(Spur(fuenf, 3) == Spur(fuenf, 3, NurBlock5));
}
