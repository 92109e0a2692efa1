// The simulator's command line: the options of a series and the subcommands.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace vm {

struct TSimOptionen {
    int32_t spieler = 4;
    int64_t spiele = 1;         // games when --games is given, and of a trace run without it
    bool spieleGesetzt = false; // without --games a statistics run plays "AnzahlSim" of the settings
    bool seedGesetzt = false;
    uint32_t seed = 0;
    // Values given on the command line; seats left out keep the defaults.
    std::vector<int32_t> strategien, geld, rollen;
    uint8_t varianten[3] = {0, 0, 0};
    std::string traceDatei;
    std::string berichtDatei; // "-": standard output, instead of the line per game; empty: no report
    std::string extraDatei;
    std::string jsonDatei;
    std::string plotOrdner;   // the charts as SVG files into this folder; empty: none
    int32_t jobs = 1;         // streams the series is split into, each in a thread of its own
    bool pruefen = false;     // check the state after every action
    bool leise = false;       // no progress bar
    int32_t spielstaerke = 0; // menu tag of a playing-strength preset; 0: none
    std::string parameterDatei;
};

struct TSimArgumente {
    bool ok = false;
    std::string fehler; // one line naming the argument
    TSimOptionen opt;
};

// The options of a plain series; a subcommand or an unknown word is refused.
TSimArgumente ParseSimArgumente(const std::vector<std::string>& args);

// The simulator program: a series, or the subcommand that the first argument names (merge,
// record, inspect), each with its own "--help". Bad arguments give one line on `err` naming the
// argument and exit code 2; otherwise the command's exit code.
int SimProgramm(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vm
