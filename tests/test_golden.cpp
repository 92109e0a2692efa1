// Golden runs: the sample series come out byte for byte, and a bench signature over every player
// count, every strategy and the variants pins the play of all computer players at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

using Argumente = std::vector<std::string>;

struct TAusgaben {
    int code = -1;
    std::string fehler, spur, bericht, extra;
};

// Runs the simulator's command line in-process, with its outputs in `ordner`.
TAusgaben Simuliere(Argumente args, const std::filesystem::path& ordner, bool spur, bool bericht,
                    bool extra) {
    const std::filesystem::path ps = ordner / "spur.txt", pb = ordner / "bericht.txt",
                                pe = ordner / "extra.csv";
    std::filesystem::remove(ps);
    std::filesystem::remove(pb);
    std::filesystem::remove(pe);
    if (spur) args.insert(args.end(), {"--trace", ps.string()});
    if (bericht) args.insert(args.end(), {"--report", pb.string()});
    if (extra) args.insert(args.end(), {"--extra-stats", pe.string()});
    TAusgaben a;
    TSimArgumente sa = ParseSimArgumente(args);
    if (!sa.ok) {
        a.fehler = sa.fehler;
        return a;
    }
    sa.opt.leise = true;
    std::ostringstream aus, fehler;
    a.code = SimLaufen(sa.opt, aus, fehler);
    a.fehler = fehler.str();
    if (spur) a.spur = LiesDatei(ps);
    if (bericht) a.bericht = LiesDatei(pb);
    if (extra) a.extra = LiesDatei(pe);
    return a;
}

// First line where two texts differ, for a readable failure.
std::string ErsterUnterschied(const std::string& ist, const std::string& soll) {
    std::istringstream a(ist), b(soll);
    std::string x, y;
    for (int nr = 1;; ++nr) {
        const bool ha = static_cast<bool>(std::getline(a, x)), hb = static_cast<bool>(std::getline(b, y));
        if (!ha && !hb) return ist == soll ? "gleich" : "Zeilenende";
        if (!ha || !hb || x != y)
            return "Zeile " + std::to_string(nr) + ":\n  ist:  " + (ha ? x : "<Ende>") +
                   "\n  soll: " + (hb ? y : "<Ende>");
    }
}

struct TMuster {
    const char* spur;    // expected trace, or null
    const char* bericht; // expected report, or null
    const char* extra;   // expected extra statistics, or null
    Argumente args;
};

const TMuster Muster[] = {
    {"pass-2p.trace.txt", nullptr, nullptr, {"--seed", "1", "--players", "2", "--strategies", "1,1,1,1"}},
    {"pass-3p-variants.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "2026", "--players", "3", "--strategies", "1,1,1,1", "--variants", "1,1,1", "--games", "2"}},
    {"pass-4p-roles.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "4000000000", "--players", "4", "--strategies", "1,1,1,1", "--roles", "2,0,4,0", "--money",
      "20,25,30,35"}},
    {"basic-4p.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "12345", "--players", "4", "--strategies", "2,3,4,5"}},
    {"basic-3p.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "77", "--players", "3", "--strategies", "4,5,99,1", "--variants", "0,0,1", "--games", "3"}},
    {"basic-2p.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "31337", "--players", "2", "--strategies", "4,2,1,1", "--money", "30,25,25,25"}},
    {"strong-4p-default.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "555", "--players", "4", "--strategies", "4,4,10,10"}},
    {"strong-3p.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "8", "--players", "3", "--strategies", "6,8,12,1", "--games", "2"}},
    {"strong-2p-default.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "99", "--players", "2", "--strategies", "12,14,1,1", "--games", "3"}},
    {"strong-4p-mix.trace.txt",
     nullptr,
     nullptr,
     {"--seed", "2718", "--players", "4", "--strategies", "7,9,11,15", "--variants", "1,0,0"}},
    {nullptr,
     "report-3p-50.txt",
     nullptr,
     {"--seed", "5", "--players", "3", "--strategies", "4,2,3,1", "--games", "50"}},
    {nullptr,
     "report-2p-1.txt",
     "extra-2p-1.csv",
     {"--seed", "42", "--players", "2", "--strategies", "12,14,1,1", "--games", "1"}},
};

uint64_t Fnv1a(const std::string& s, uint64_t h = 14695981039346656037ull) {
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The bench: every player count, strategies 2..15 each in some seat (1 and an unknown number too),
// each variant on and off, start money and roles moved, 640 games in all.
struct TBank {
    Argumente args;
    uint64_t signatur;
};

// clang-format off
const TBank Bankserien[] = {
    {{"--seed", "11", "--players", "2", "--strategies", "2,3,1,1", "--games", "20"}, 0xd92b610e2ee98a1cull},
    {{"--seed", "12", "--players", "2", "--strategies", "14,15,1,1", "--games", "20", "--variants", "1,1,1"}, 0x52a38be2398a87c2ull},
    {{"--seed", "13", "--players", "2", "--strategies", "12,13,1,1", "--games", "20", "--money", "40,10,1,1"}, 0x3828012251b31331ull},
    {{"--seed", "21", "--players", "3", "--strategies", "4,5,6,1", "--games", "20"}, 0xc45f1c0d3a7f4ed2ull},
    {{"--seed", "22", "--players", "3", "--strategies", "7,8,9,1", "--games", "20", "--variants", "0,1,0"}, 0x067bf7024ae6e343ull},
    {{"--seed", "23", "--players", "3", "--strategies", "10,11,12,1", "--games", "20", "--variants", "1,0,1"}, 0x5e19e13464bea2aaull},
    {{"--seed", "24", "--players", "3", "--strategies", "13,14,15,1", "--games", "20", "--roles", "3,1,2,0"}, 0x1260ef1fb83639aeull},
    {{"--seed", "31", "--players", "4", "--strategies", "2,3,4,5", "--games", "20", "--variants", "1,1,0"}, 0x88fac6679d056dafull},
    {{"--seed", "32", "--players", "4", "--strategies", "6,7,8,9", "--games", "20"}, 0x7c50c47fd67805d5ull},
    {{"--seed", "33", "--players", "4", "--strategies", "10,11,12,13", "--games", "20", "--variants", "0,0,1"}, 0xd5affdb7c54425f4ull},
    {{"--seed", "34", "--players", "4", "--strategies", "14,15,6,10", "--games", "20", "--money", "5,15,30,60"}, 0x6e0ce945dea6a0c4ull},
    {{"--seed", "35", "--players", "4", "--strategies", "15,12,8,99", "--games", "20", "--roles", "0,4,0,2"}, 0xe2cfb41c1a14f844ull},
    {{"--seed", "36", "--players", "4", "--strategies", "9,13,11,7", "--games", "20", "--variants", "1,1,1"}, 0x37beabe070d5810eull},
    {{"--seed", "37", "--players", "3", "--strategies", "5,2,14,1", "--games", "20", "--money", "50,3,20,1"}, 0x3e4258f48e4eb359ull},
    // Longer series reach the rare branches of the strong strategies.
    {{"--seed", "41", "--players", "2", "--strategies", "6,8,1,1", "--games", "60", "--variants", "1,0,1"}, 0x6fba9c7595895b99ull},
    {{"--seed", "42", "--players", "3", "--strategies", "9,11,13,1", "--games", "60"}, 0xe8297a83ac11a1f0ull},
    {{"--seed", "43", "--players", "4", "--strategies", "12,14,15,7", "--games", "60", "--variants", "0,1,1"}, 0x84d67a62f4a6d106ull},
    {{"--seed", "44", "--players", "4", "--strategies", "10,6,8,4", "--games", "60", "--money", "10,20,40,80"}, 0x8e02254b1518c045ull},
    {{"--seed", "45", "--players", "3", "--strategies", "15,14,12,1", "--games", "60", "--variants", "1,1,0"}, 0x29cec3ef17f50d46ull},
    {{"--seed", "46", "--players", "2", "--strategies", "11,13,1,1", "--games", "60", "--roles", "2,1,3,4"}, 0xdd0c84ea43b4b3faull},
};
// clang-format on

// Long series without the trace: the rare branches of the strong strategies and of the presets
// show only over many games.
// clang-format off
const TBank Langserien[] = {
    {{"--seed", "107", "--players", "2", "--strategies", "14,15,1,1", "--games", "1500", "--variants", "0,0,1"}, 0x6a3a05e45c53f8f1ull},
    {{"--seed", "111", "--players", "3", "--strategies", "11,12,13,1", "--games", "1500", "--variants", "0,1,0"}, 0x8e8e0013b2bc97bdull},
    {{"--seed", "115", "--players", "4", "--strategies", "10,11,12,13", "--games", "1500", "--variants", "0,0,1"}, 0x2cf43fdf8d2d0c3cull},
    {{"--seed", "119", "--players", "2", "--games", "300", "--strength", "3"}, 0xd8e92322c6d32943ull},
};
// clang-format on

std::string Signatur(const TBank& b, uint64_t h) {
    std::string text;
    for (const std::string& s : b.args) text += s + " ";
    char hex[24];
    std::snprintf(hex, sizeof hex, "0x%016llxull", static_cast<unsigned long long>(h));
    return text + "-> " + hex;
}

} // namespace

TEST(Golden, MusterByteFuerByte) {
    const std::filesystem::path ordner = FrischerOrdner("golden");
    const std::filesystem::path daten(VELDMARK_TESTDATEN);
    for (const TMuster& m : Muster) {
        const TAusgaben a = Simuliere(m.args, ordner, m.spur, m.bericht, m.extra);
        const std::string name = m.spur ? m.spur : m.bericht;
        EXPECT_EQ(a.code, 0) << name << ": " << a.fehler;
        EXPECT_EQ(a.fehler, "") << name;
        const std::pair<const char*, const std::string*> teile[] = {
            {m.spur, &a.spur}, {m.bericht, &a.bericht}, {m.extra, &a.extra}};
        for (const auto& [datei, ist] : teile) {
            if (!datei) continue;
            const std::string soll = LiesDatei(daten / datei);
            ASSERT_GT(soll.size(), 100u) << datei;
            EXPECT_TRUE(*ist == soll) << datei << ": " << ErsterUnterschied(*ist, soll);
        }
    }
    std::filesystem::remove_all(ordner);
}

TEST(Golden, BankSignatur) {
    // When a change alters play on purpose, the table above changes in the same commit, with the
    // reason. A run that differs prints its new signature.
    const std::filesystem::path ordner = FrischerOrdner("bank");
    for (const TBank& b : Bankserien) {
        const TAusgaben a = Simuliere(b.args, ordner, true, true, true);
        ASSERT_EQ(a.code, 0) << a.fehler;
        ASSERT_EQ(a.fehler, "");
        const uint64_t h = Fnv1a(a.extra, Fnv1a(a.bericht, Fnv1a(a.spur)));
        EXPECT_EQ(h, b.signatur) << Signatur(b, h);
    }
    for (const TBank& b : Langserien) {
        const TAusgaben a = Simuliere(b.args, ordner, false, true, true);
        ASSERT_EQ(a.code, 0) << a.fehler;
        const uint64_t h = Fnv1a(a.extra, Fnv1a(a.bericht));
        EXPECT_EQ(h, b.signatur) << Signatur(b, h);
    }
    // Every playing-strength preset draws its strategies and parameters before each game: all of
    // them, on every player count, pinned together.
    uint64_t h = 14695981039346656037ull;
    const int32_t stufen[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 21, 22, 23, 31, 32, 33, 41, 42, 43};
    for (size_t i = 0; i < std::size(stufen); ++i) {
        for (const char* spieler : {"2", "3", "4"}) {
            const TAusgaben a = Simuliere({"--seed", std::to_string(50 + i), "--players", spieler, "--games",
                                           "6", "--strength", std::to_string(stufen[i])},
                                          ordner, true, true, false);
            ASSERT_EQ(a.code, 0) << stufen[i] << ": " << a.fehler;
            h = Fnv1a(a.bericht, Fnv1a(a.spur, h));
        }
    }
    EXPECT_EQ(h, 0x30a6f5d89416edffull) << std::hex << h;
    std::filesystem::remove_all(ordner);
}
