// Merging the JSON statistics of separate runs into one report and one JSON file, so that a
// series can be spread over machines and joined afterwards.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vm {

struct TVereinigenArgumente {
    bool ok = false;
    std::string fehler; // one line naming the argument
    std::vector<std::string> teile;
    std::string berichtDatei; // empty or "-": standard output
    std::string jsonDatei;
};

// The arguments after "merge": PART.json... [--report FILE] [--json FILE].
TVereinigenArgumente ParseVereinigenArgumente(const std::vector<std::string>& args);

// Reads every part, refuses parts whose player count, variants, playing strength or settings
// differ from the first part's (naming the difference), and writes the report of the merged
// statistics (with the streams of all parts) and, when asked, the merged JSON with every part's
// game list in the order given. The report's "RandSeed: " is the last part's seed at its end, so
// parts that continue each other's generator give the report of the whole series.
// A part whose counters contradict its own game list, and a stream (seed with games) that two
// parts or one part hold twice, are refused: the games would count twice.
// Exit code: 0 done, 1 an output file or standard output not completely written or the merged
// record full, 2 bad arguments, an output that names a part or the other output, an unreadable,
// malformed or inconsistent part, a stream twice, or parts that do not fit together (nothing is
// written then).
int SimVereinigen(const TVereinigenArgumente& a, std::ostream& out, std::ostream& err);

} // namespace vm
