// Game files from the simulator: one computer-only game recorded with the history a game with a
// human seat 1 keeps, saved as the window saves it; and a look into any game file.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "persist/historie.h"
#include "sim/serie.h"

namespace vm {

struct TAufnahmeOptionen {
    TSimOptionen sim;   // players, seed, strategies, money, roles, variants, params, strength
    int64_t zuege = -1; // moves to play; -1: to the end of the game
    int32_t puzzle = 0; // 1..3: saved as with the profile key "SetPuzzle1".."SetPuzzle3"
    std::string datei;
};

struct TAufnahmeArgumente {
    bool ok = false;
    std::string fehler; // one line naming the argument
    TAufnahmeOptionen opt;
};

// The arguments after "record": [--seed S] [--players N] [--strategies ...] [--money ...]
// [--roles ...] [--variants ...] [--params FILE] [--strength TAG] [--moves K] [--puzzle 1|2|3]
// --out FILE.
TAufnahmeArgumente ParseAufnahmeArgumente(const std::vector<std::string>& args);

// Plays the game of `opt` in `g`, every seat computer-played, with `h` keeping an entry wherever
// the rules push one for a human seat 1: the entries show seat 1 as a human seat. A move is one
// computer move step of the seat on turn. After `opt.zuege` moves the session is put back to the
// last entry, with the generator as it was then, as if the player had saved at that moment.
// Returns an error line (options that cannot be played, or no entry at all), else empty;
// `zuege` receives the moves played.
std::string SpielAufnehmen(TSpielsitzung& g, THistorie& h, const TAufnahmeOptionen& opt, int64_t& zuege);

// "record": SpielAufnehmen, then SpeichereSpieldatei with the puzzle key of `opt.puzzle`.
// Exit code: 0 saved, 1 the save failed (caption and text on standard error), internal faults
// or standard output lost, 2 options that cannot be played, --out naming the --params file, or
// no entry to save.
int SimAufnahme(const TAufnahmeOptionen& opt, std::ostream& out, std::ostream& err);

// "inspect": loads `datei` with LadeSpieldatei and prints the header and the current entry.
// A refused file prints the message box's caption and text on standard error and gives 1, as
// does standard output that could not be written.
int SimAnsehen(const std::string& datei, std::ostream& out, std::ostream& err);

} // namespace vm
