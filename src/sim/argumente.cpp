#include "sim/argumente.h"

#include <charconv>
#include <functional>
#include <iostream>

#include <CLI/CLI.hpp>

#include "ai/spielstaerke.h"
#include "sim/analyse.h"
#include "sim/aufnahme.h"
#include "sim/jobs.h"
#include "sim/vereinigen.h"

namespace vm {

namespace {

constexpr int64_t MaxJobs = 256;

bool ParseZahl(const std::string& s, int64_t& wert) {
    if (s.empty()) return false;
    const char* b = s.data();
    const char* e = s.data() + s.size();
    if (*b == '+') ++b;
    auto r = std::from_chars(b, e, wert);
    return r.ec == std::errc() && r.ptr == e;
}

bool ParseListe(const std::string& s, std::vector<int64_t>& werte) {
    werte.clear();
    size_t start = 0;
    while (true) {
        size_t komma = s.find(',', start);
        int64_t w;
        if (!ParseZahl(s.substr(start, komma == std::string::npos ? std::string::npos : komma - start), w))
            return false;
        werte.push_back(w);
        if (komma == std::string::npos) return true;
        start = komma + 1;
    }
}

// Everything a command line can ask for; each command reads its own part.
struct TAufruf {
    TSimOptionen sim;
    TVereinigenArgumente merge;
    TAufnahmeOptionen record;
    std::vector<std::string> dateien; // inspect, analyse
    TAnalyseAufruf analyse;
};

// An option with one value that `nimm` checks and stores: empty when the value was taken, else
// the reason, which the error line puts behind the option's name. Given twice, the last counts.
CLI::Option* Wert(CLI::App& app, const std::string& name, const char* wertname, const std::string& hilfe,
                  std::function<std::string(const std::string&)> nimm) {
    CLI::Validator pruefung([nimm](std::string& w) { return nimm(w); }, "", "");
    return app.add_option(name, hilfe)
        ->type_name(wertname)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(pruefung);
}

// A whole number from `min` to `max`, stored through `ziel`.
std::function<std::string(const std::string&)> Zahl(int64_t min, int64_t max, std::string erwartet,
                                                    std::function<void(int64_t)> ziel) {
    return [=](const std::string& w) {
        int64_t z;
        if (!ParseZahl(w, z) || z < min || z > max) return erwartet + " erwartet, nicht '" + w + "'";
        ziel(z);
        return std::string();
    };
}

// An output or input file: "-" stands for standard output only where `strich` allows it.
std::function<std::string(const std::string&)> Dateiname(std::string& ziel, bool strich) {
    return [&ziel, strich](const std::string& w) {
        if (w.empty() && strich) return std::string("Dateiname fehlt");
        if (w.empty() || (w == "-" && !strich)) return "Dateiname erwartet, nicht '" + w + "'";
        ziel = w;
        return std::string();
    };
}

// Strategies, money and roles per seat, or the variant flags.
std::function<std::string(const std::string&)> Liste(size_t laenge, int64_t min, int64_t max,
                                                     std::string bereich,
                                                     std::function<void(const std::vector<int64_t>&)> ziel) {
    return [=](const std::string& w) {
        std::vector<int64_t> liste;
        if (!ParseListe(w, liste) || liste.size() > laenge)
            return "durch Kommas getrennte Zahlen erwartet, nicht '" + w + "'";
        for (int64_t z : liste)
            if (z < min || z > max) return bereich;
        ziel(liste);
        return std::string();
    };
}

void Sitze(std::vector<int32_t>& ziel, const std::vector<int64_t>& liste) {
    ziel.assign(liste.begin(), liste.end());
}

// The options that set up the games, shared by a series and "record".
void SpielOptionen(CLI::App& app, TSimOptionen& o) {
    Wert(app, "--players", "N", "players, 2..4 (default 4)",
         Zahl(2, 4, "2, 3 oder 4", [&o](int64_t z) { o.spieler = static_cast<int32_t>(z); }));
    Wert(app, "--seed", "S",
         "random seed before the first game, 32-bit, signed or unsigned (default: the clock)",
         Zahl(INT32_MIN, UINT32_MAX, "32-Bit-Zahl", [&o](int64_t z) {
             o.seed = static_cast<uint32_t>(z);
             o.seedGesetzt = true;
         }));
    Wert(app, "--strategies", "a,b,c,d", "strategy of seats 1..4: a,b,c,d",
         Liste(4, 0, 99, "Strategie 0 bis 99", [&o](const auto& l) { Sitze(o.strategien, l); }));
    Wert(app, "--money", "m1,m2,m3,m4", "start money of seats 1..4: m1,m2,m3,m4",
         Liste(4, 0, 1000000, "Startgeld 0 bis 1000000", [&o](const auto& l) { Sitze(o.geld, l); }));
    Wert(app, "--roles", "r1,r2,r3,r4", "start role of seats 1..4: r1,r2,r3,r4",
         Liste(4, 0, 4, "Startrolle 0 bis 4", [&o](const auto& l) { Sitze(o.rollen, l); }));
    Wert(app, "--variants", "v1,v2,v3", "0/1 flags of the three rule variants: v1,v2,v3",
         Liste(3, 0, 1, "nur 0 oder 1 erlaubt", [&o](const auto& l) {
             for (size_t k = 0; k < l.size(); ++k) o.varianten[k] = static_cast<uint8_t>(l[k]);
         }));
    Wert(app, "--strength", "TAG", "playing-strength preset, applied before every game",
         [&o](const std::string& w) {
             int64_t z;
             if (!ParseZahl(w, z) || z != static_cast<int32_t>(z) ||
                 !SpielstaerkeGueltig(static_cast<int32_t>(z)))
                 return "Spielstärke 1 bis 9, 11 bis 13, 21 bis 23, 31 bis 33 oder 41 bis 43 erwartet, nicht "
                        "'" +
                        w + "'";
             o.spielstaerke = static_cast<int32_t>(z);
             return std::string();
         });
    // Whether the file can be read is the reader's to say, with the line it stops at.
    Wert(app, "--params", "FILE", "strategy parameter file, read over the defaults",
         Dateiname(o.parameterDatei, false));
}

void SerieOptionen(CLI::App& app, TAufruf& a) {
    TSimOptionen& o = a.sim;
    SpielOptionen(app, o);
    Wert(app, "--games", "G",
         "games of the series (default: \"AnzahlSim\" of the settings, 500; a run with --trace plays 1)",
         Zahl(1, INT64_MAX, "Anzahl ab 1", [&o](int64_t z) {
             o.spiele = z;
             o.spieleGesetzt = true;
         }));
    Wert(app, "--jobs", "J", "split the series into J contiguous blocks on J threads (default 1)",
         Zahl(1, MaxJobs, "Anzahl 1 bis " + std::to_string(MaxJobs),
              [&o](int64_t z) { o.jobs = static_cast<int32_t>(z); }));
    Wert(app, "--trace", "FILE", "every trace line from the set-up of the first game on",
         Dateiname(o.traceDatei, true));
    Wert(app, "--report", "FILE", "statistics report (\"-\": standard output, in place of the line per game)",
         Dateiname(o.berichtDatei, true));
    Wert(app, "--extra-stats", "FILE", "one comma-separated line per phase scoring",
         Dateiname(o.extraDatei, false));
    Wert(app, "--json", "FILE", "the statistics and every game's result as JSON (input of merge)",
         Dateiname(o.jsonDatei, false));
    app.add_flag("--check", o.pruefen, "check every state; exit code 3 on a violation or internal fault");
    app.add_flag("--quiet", o.leise, "no progress bar (shown only when standard error is a terminal)");
}

void MergeOptionen(CLI::App& app, TAufruf& a) {
    TVereinigenArgumente& m = a.merge;
    app.add_option("PART.json", m.teile, "JSON files of runs with the same players and settings")
        ->type_name("");
    Wert(app, "--report", "FILE", "report of the merged statistics (default: standard output)",
         Dateiname(m.berichtDatei, true));
    Wert(app, "--json", "FILE", "the merged statistics with every part's games",
         Dateiname(m.jsonDatei, false));
}

std::string MergePruefen(TAufruf& a) {
    return a.merge.teile.empty() ? "mindestens eine JSON-Datei eines Laufs erwartet" : "";
}

void RecordOptionen(CLI::App& app, TAufruf& a) {
    TAufnahmeOptionen& r = a.record;
    SpielOptionen(app, r.sim);
    Wert(app, "--moves", "K", "moves to play (default: to the end of the game)",
         Zahl(0, INT64_MAX, "Anzahl ab 0", [&r](int64_t z) { r.zuege = z; }));
    Wert(app, "--puzzle", "1|2|3", "save as a puzzle of the current position (1, 2) or clear the mark (3)",
         Zahl(1, 3, "1, 2 oder 3", [&r](int64_t z) { r.puzzle = static_cast<int32_t>(z); }));
    Wert(app, "--out", "FILE", "the game file", Dateiname(r.datei, true));
}

std::string RecordPruefen(TAufruf& a) {
    return a.record.datei.empty() ? "--out: die Spieldatei muss genannt werden" : "";
}

void InspectOptionen(CLI::App& app, TAufruf& a) {
    app.add_option("FILE", a.dateien, "the game file")->type_name("");
}

std::string InspectPruefen(TAufruf& a) {
    return a.dateien.size() == 1 && !a.dateien[0].empty() ? "" : "genau eine Spieldatei erwartet";
}

void AnalyseOptionen(CLI::App& app, TAufruf& a) {
    TAnalyseAufruf& z = a.analyse;
    app.add_option("FILE", a.dateien, "the game file (.vmk)")->type_name("");
    Wert(app, "--games", "G", "imagined games per row: the seats, and each of seat 1's actions (default 1000)",
         Zahl(1, 100000000, "Anzahl 1 bis 100000000",
              [&z](int64_t w) { z.opt.Spiele = static_cast<int32_t>(w); }));
    Wert(app, "--strategies", "a,b,c,d",
         "strategy of seats 1..4 in the imagined games (0 or left out: the saved one; 16 plays its "
         "rollout strategy)",
         Liste(4, 0, 99, "Strategie 0 bis 99", [&z](const auto& l) { z.strategien.assign(l.begin(), l.end()); }));
    Wert(app, "--seed", "S", "seed of the re-deals, 32-bit, signed or unsigned (default 1)",
         Zahl(INT32_MIN, UINT32_MAX, "32-Bit-Zahl", [&z](int64_t w) { z.opt.Saat = static_cast<uint32_t>(w); }));
    Wert(app, "--jobs", "J", "threads; the result does not depend on them (default 1)",
         Zahl(1, MaxJobs, "Anzahl 1 bis " + std::to_string(MaxJobs),
              [&z](int64_t w) { z.opt.Kerne = static_cast<int32_t>(w); }));
}

int SerieLaufen(const TAufruf& a, std::ostream& out, std::ostream& err) {
    return SimLaufenUnterbrechbar(a.sim, out, err);
}
int MergeLaufen(const TAufruf& a, std::ostream& out, std::ostream& err) {
    return SimVereinigen(a.merge, out, err);
}
int RecordLaufen(const TAufruf& a, std::ostream& out, std::ostream& err) {
    return SimAufnahme(a.record, out, err);
}
int InspectLaufen(const TAufruf& a, std::ostream& out, std::ostream& err) {
    return SimAnsehen(a.dateien[0], out, err);
}

int AnalyseLaufen(const TAufruf& a, std::ostream& out, std::ostream& err) {
    TAnalyseAufruf z = a.analyse;
    z.datei = a.dateien[0];
    return SimAnalyse(z, out, err);
}

// The commands of the simulator: the plain series first, then the subcommands.
struct TBefehl {
    const char* name; // empty: the plain series
    const char* beschreibung;
    void (*optionen)(CLI::App&, TAufruf&);
    std::string (*pruefen)(TAufruf&); // what only the whole command line shows
    int (*laufen)(const TAufruf&, std::ostream& out, std::ostream& err);
};

constexpr TBefehl Befehle[] = {
    {"", "a series of computer-only games", SerieOptionen, nullptr, SerieLaufen},
    {"merge", "one report (and JSON) of runs with the same players and settings", MergeOptionen, MergePruefen,
     MergeLaufen},
    {"record", "one computer-only game saved as a game file with seat 1's history", RecordOptionen,
     RecordPruefen, RecordLaufen},
    {"inspect", "header and current position of a game file", InspectOptionen, InspectPruefen, InspectLaufen},
    {"analyse", "who wins from the position of a game file: each seat's chance and each of seat 1's actions",
     AnalyseOptionen, InspectPruefen, AnalyseLaufen},
};

constexpr const char* Fuss =
    "Ctrl+C stops after the game in progress and still writes the report (exit code 130;\n"
    "SIGTERM alike, exit code 143); a second one ends at once. Output files take their\n"
    "names only when complete. Exit codes: 0 done, 1 internal faults or an output not\n"
    "completely written, 2 refused arguments, 3 --check found violations.";

// The parsed command line: the command, or the help text, or an error line.
struct TErgebnis {
    const TBefehl* befehl = nullptr;
    std::string hilfe;
    std::string fehler;
};

TErgebnis Parse(const std::vector<std::string>& args, TAufruf& aufruf) {
    CLI::App app("Veldmark simulator: plays series of computer-only games and writes their statistics.",
                 "veldmark-sim");
    app.allow_extras();
    app.require_subcommand(0, 1);
    Befehle[0].optionen(app, aufruf);
    std::vector<std::pair<CLI::App*, const TBefehl*>> unter;
    for (const TBefehl& b : Befehle) {
        if (!*b.name) continue;
        CLI::App* u = app.add_subcommand(b.name, b.beschreibung);
        u->allow_extras();
        b.optionen(*u, aufruf);
        unter.emplace_back(u, &b);
    }

    // Set last, so that the subcommands do not inherit it.
    app.footer(Fuss);

    TErgebnis r;
    r.befehl = &Befehle[0];
    for (const auto& [u, b] : unter)
        if (!args.empty() && args[0] == b->name) r.befehl = b;
    CLI::App* gewaehlt = &app;
    std::vector<std::string> umgekehrt(args.rbegin(), args.rend());
    try {
        app.parse(umgekehrt);
    } catch (const CLI::CallForHelp&) {
        r.hilfe = app.help();
        return r;
    } catch (const CLI::ArgumentMismatch& e) {
        // CLI11 puts the option's name first.
        const std::string text = e.what();
        r.fehler = text.substr(0, text.find(':')) + ": Wert fehlt";
        return r;
    } catch (const CLI::ParseError& e) {
        r.fehler = e.what();
        return r;
    }
    for (const auto& [u, b] : unter) {
        if (!u->parsed()) continue;
        // A subcommand starts the command line; later it is no command but a stray word.
        if (args[0] != b->name) {
            r.fehler = std::string(b->name) + ": unbekanntes Argument";
            return r;
        }
        gewaehlt = u;
    }
    const std::vector<std::string> uebrig = gewaehlt->remaining();
    if (!uebrig.empty()) {
        r.fehler = uebrig[0] + ": unbekanntes Argument" + (r.befehl == &Befehle[2] ? " von record" : "");
        return r;
    }
    if (r.befehl->pruefen) r.fehler = r.befehl->pruefen(aufruf);
    return r;
}

// Parses for one command; another command is refused.
TErgebnis ParseFuer(const char* befehl, const std::vector<std::string>& args, TAufruf& aufruf) {
    std::vector<std::string> alle;
    if (*befehl) alle.push_back(befehl);
    alle.insert(alle.end(), args.begin(), args.end());
    TErgebnis r = Parse(alle, aufruf);
    if (r.fehler.empty() && std::string(r.befehl->name) != befehl)
        r.fehler = args[0] + ": unbekanntes Argument";
    return r;
}

} // namespace

TSimArgumente ParseSimArgumente(const std::vector<std::string>& args) {
    TAufruf aufruf;
    TSimArgumente a;
    a.fehler = ParseFuer("", args, aufruf).fehler;
    a.ok = a.fehler.empty();
    a.opt = aufruf.sim;
    return a;
}

TVereinigenArgumente ParseVereinigenArgumente(const std::vector<std::string>& args) {
    TAufruf aufruf;
    const std::string fehler = ParseFuer("merge", args, aufruf).fehler;
    TVereinigenArgumente m = aufruf.merge;
    m.fehler = fehler;
    m.ok = fehler.empty();
    return m;
}

TAufnahmeArgumente ParseAufnahmeArgumente(const std::vector<std::string>& args) {
    TAufruf aufruf;
    TAufnahmeArgumente r;
    r.fehler = ParseFuer("record", args, aufruf).fehler;
    r.ok = r.fehler.empty();
    r.opt = aufruf.record;
    return r;
}

int SimProgramm(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TAufruf aufruf;
    const TErgebnis r = Parse(args, aufruf);
    if (!r.hilfe.empty()) {
        out << r.hilfe;
        return AusgabeAbschliessen(out) ? 0 : 1;
    }
    if (!r.fehler.empty()) {
        err << "veldmark-sim" << (*r.befehl->name ? " " : "") << r.befehl->name << ": " << r.fehler << '\n';
        return 2;
    }
    return r.befehl->laufen(aufruf, out, err);
}

} // namespace vm
