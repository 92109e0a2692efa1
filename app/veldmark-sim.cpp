// Headless simulator: plays series of computer-only games and writes their statistics.
#include <iostream>
#include <string>
#include <vector>

#include "sim/aufnahme.h"
#include "sim/jobs.h"
#include "sim/serie.h"
#include "sim/vereinigen.h"

namespace {

constexpr const char* Hilfe =
    "veldmark-sim [--players N] [--games G] [--seed S] [--strategies a,b,c,d] [--money m1,m2,m3,m4]\n"
    "             [--roles r1,r2,r3,r4] [--variants v1,v2,v3] [--trace FILE] [--strength TAG]\n"
    "             [--params FILE] [--report FILE] [--extra-stats FILE] [--json FILE] [--jobs J]\n"
    "             [--check] [--quiet]\n"
    "veldmark-sim merge PART.json... [--report FILE] [--json FILE]\n"
    "veldmark-sim record [--seed S] [--players N] [--strategies ...] [--moves K] [--puzzle 1|2|3]\n"
    "             --out FILE\n"
    "veldmark-sim inspect FILE\n"
    "\n"
    "  --games G            games of the series (default: \"AnzahlSim\" of the settings, 500;\n"
    "                       a run with --trace plays 1)\n"
    "  --report FILE        statistics report (\"-\": standard output, in place of the line per\n"
    "                       game that a run without --trace prints there)\n"
    "  --extra-stats FILE   one comma-separated line per phase scoring\n"
    "  --json FILE          the statistics and every game's result as JSON (input of merge)\n"
    "  --jobs J             split the series into J contiguous blocks on J threads (default 1:\n"
    "                       the plain series); block 1 keeps the seed, the others mix it with\n"
    "                       their number (README); the report names every stream's seed\n"
    "  --check              check every state; exit code 3 on a violation or internal fault\n"
    "  --quiet              no progress bar (shown only when standard error is a terminal)\n"
    "\n"
    "  merge                one report (and JSON) of runs with the same players and settings\n"
    "  record               one computer-only game saved as a game file with seat 1's history\n"
    "  inspect              header and current position of a game file\n"
    "\n"
    "Ctrl+C stops after the game in progress and still writes the report (exit code 130;\n"
    "SIGTERM alike, exit code 143); a second one ends at once. Output files take their\n"
    "names only when complete.\n";

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << Hilfe;
        return vm::AusgabeAbschliessen(std::cout) ? 0 : 1;
    }
    if (!args.empty() && (args[0] == "merge" || args[0] == "record" || args[0] == "inspect")) {
        const std::string befehl = args[0];
        args.erase(args.begin());
        if (befehl == "inspect") {
            if (args.size() != 1 || args[0].empty()) {
                std::cerr << "veldmark-sim inspect: genau eine Spieldatei erwartet\n";
                return 2;
            }
            return vm::SimAnsehen(args[0], std::cout, std::cerr);
        }
        if (befehl == "merge") {
            vm::TVereinigenArgumente m = vm::ParseVereinigenArgumente(args);
            if (!m.ok) {
                std::cerr << "veldmark-sim merge: " << m.fehler << '\n';
                return 2;
            }
            return vm::SimVereinigen(m, std::cout, std::cerr);
        }
        vm::TAufnahmeArgumente r = vm::ParseAufnahmeArgumente(args);
        if (!r.ok) {
            std::cerr << "veldmark-sim record: " << r.fehler << '\n';
            return 2;
        }
        return vm::SimAufnahme(r.opt, std::cout, std::cerr);
    }
    vm::SimArgumente a = vm::ParseSimArgumente(args);
    if (!a.ok) {
        std::cerr << "veldmark-sim: " << a.fehler << '\n';
        return 2;
    }

    return vm::SimLaufenUnterbrechbar(a.opt, std::cout, std::cerr);
}
