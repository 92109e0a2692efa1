// A series of computer-only games, as the headless simulator runs it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/sitzung.h"

namespace vm {

struct SimOptionen {
    int32_t spieler = 4;
    int64_t spiele = 1;
    bool seedGesetzt = false;
    uint32_t seed = 0;
    // Values given on the command line; seats left out keep the defaults.
    std::vector<int32_t> strategien, geld, rollen;
    uint8_t varianten[3] = {0, 0, 0};
    std::string traceDatei;
};

struct SimArgumente {
    bool ok = false;
    std::string fehler; // one line naming the argument
    SimOptionen opt;
};

SimArgumente ParseSimArgumente(const std::vector<std::string>& args);

// Puts the options into a session: settings of the player count, variants, seed.
// Returns an error line, or an empty string when the options can be played.
std::string SimVorbereiten(Spielsitzung& g, const SimOptionen& opt);

// Plays one game of a series to its end and ranks the seats.
void SimSpiel(Spielsitzung& g);

// Runs the whole series; the exit code of the simulator.
int SimLaufen(const SimOptionen& opt, std::ostream& out, std::ostream& err);

} // namespace vm
