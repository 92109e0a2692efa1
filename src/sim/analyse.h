// "Who wins from here": a position played on many times with what seat 1 cannot see re-dealt,
// each seat's winning chance, and for seat 1 on turn each legal action's.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "ai/vorausschau.h"
#include "model/sitzung.h"

namespace vm {

struct TAnalyseOptionen {
    int32_t Spiele = 1000;               // imagined games per row (the seats, and each action)
    std::array<int32_t, 5> Strategien{}; // by seat 1..4; 0 = the saved one
    uint32_t Saat = 1;                   // the re-deals; the same seed gives the same result
    int32_t Kerne = 1;                   // threads; the result does not depend on them
    bool MitAktionen = true;             // false: the seats' chances alone
};

// Wilson 95 %.
struct TChance {
    double Anteil = 0, Unten = 0, Oben = 0;
    int64_t Spiele = 0;
    double MittelPunkte = 0;
};

struct TAktionsChance {
    TVorausschauAktion Aktion;
    TChance Chance; // seat 1's, after taking the action
};

struct TAnalyse {
    int32_t Spieler = 0;
    std::array<TChance, 5> Sitz{};
    std::vector<TAktionsChance> Aktionen; // seat 1's, when it is on turn
    bool Abgebrochen = false;
    // The strategy each seat played in the imagined games; strategy 16 plays its rollout strategy
    // there (a search inside every imagined game would take hours).
    std::array<int32_t, 5> Strategie{};
    std::array<bool, 5> RolloutStatt16{};
};

// Plays the position of `g` on `o.Spiele` times for the seats and as often after each of seat 1's
// legal actions (when it is on turn), the j-th game of every row from the same re-deal. A won game
// is one the seat ends in first place (ties broken as the final ranking breaks them).
// `steuerung`: stop flag and progress (games played of Spiele * (1 + actions)).
TAnalyse Analysiere(const TSpielsitzung& g, const TAnalyseOptionen& o, TSuchsteuerung* steuerung = nullptr);

// The games Analysiere plays for `g`: Spiele * (1 + seat 1's actions when it is on turn and asked for).
int64_t AnalyseSpiele(const TSpielsitzung& g, const TAnalyseOptionen& o);

// The table the simulator prints: a header line, each seat's chance and mean points, each action's.
std::string AnalyseText(const TAnalyse& a, const TSpielsitzung& g, const TAnalyseOptionen& o);

struct TAnalyseAufruf {
    std::string datei;
    TAnalyseOptionen opt;
    std::vector<int32_t> strategien; // as given; checked against the loaded game's seats
};

// "analyse": loads the game file with the window's loader and prints AnalyseText.
// Exit code: 0 done, 1 the file refused or standard output lost, 2 strategies the game cannot use.
int SimAnalyse(const TAnalyseAufruf& a, std::ostream& out, std::ostream& err);

} // namespace vm
