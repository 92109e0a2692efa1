// A series split into contiguous blocks, each played by a worker thread with a session of its
// own, and joined again in block order so that the output does not depend on the threads' timing.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/ausgabe.h"
#include "sim/serie.h"

namespace vm {

// Internal faults go to standard error with the game they happened in. The workers of a split
// series share the stream, so a message is written whole under the lock.
class TZaehlendeSenke : public IFehlerSenke {
public:
    TZaehlendeSenke(std::ostream& err, const TSimSerie& serie, std::mutex& sperre)
        : err_(err), serie_(serie), sperre_(sperre) {}
    void Melde(std::string_view meldung) override;

private:
    std::ostream& err_;
    const TSimSerie& serie_;
    std::mutex& sperre_;
};

// One block of a series: its series, its temporary files when the series is split, and the
// games it has finished so far (read by the progress bar).
struct TBlock {
    TSimSerie* serie = nullptr;
    std::unique_ptr<TSimSerie> eigene;
    std::unique_ptr<TZaehlendeSenke> senke;
    TDatei trace, extra, ergebnisse;
    std::atomic<int64_t> fertig{0};
};

// What the blocks played, merged in block order.
struct TBlockErgebnis {
    const TSimStatistik* statistik = nullptr;
    std::unique_ptr<TSimStatistik> gesamt; // the merged record of a split series
    size_t vereinigt = 0;                  // blocks in the record
    bool voll = false;
    bool abgebrochen = false;
    int64_t pruefungen = 0, verletzungen = 0, interneFehler = 0;
    std::vector<std::string> ersteVerletzungen;
    std::vector<TStrom> stroeme;
};

class TSimBloecke {
public:
    // Block 0 is `serie`; whatever happens, it is handed back without anything of this run.
    TSimBloecke(TSimSerie& serie, std::ostream& err);
    ~TSimBloecke();
    TSimBloecke(const TSimBloecke&) = delete;
    TSimBloecke& operator=(const TSimBloecke&) = delete;

    // Splits the prepared series into min(jobs, games) blocks, each with its session, its seed
    // and temporary files for what is written per game. An error line, or empty.
    std::string Aufteilen(const TSimOptionen& opt, TSimAusgaben& aus);
    // Points every block's trace, extra lines, results and progress at the outputs.
    void Anschliessen(TSimAusgaben& aus, bool fortschritt);
    // Plays every block; false (with a message) when the worker threads could not start.
    bool Laufen(bool fortschritt);
    // Detaches the outputs and merges what the blocks played.
    TBlockErgebnis Ergebnis(const TSimOptionen& opt);
    // Joins the blocks' temporary files into the outputs in block order; false when one of them
    // was incomplete (named on standard error).
    bool Zusammenfuegen(TSimAusgaben& aus, size_t vereinigt);

private:
    void Zeichne(int64_t fertig);

    TSimSerie& serie_;
    std::ostream& err_;
    std::mutex errSperre_;
    std::vector<std::unique_ptr<TBlock>> bloecke_;
    bool geteilt_ = false;
    int64_t geplant_ = 0;
    int64_t nummer_ = 0; // the last game handed to the outputs
    int64_t gezeigt_ = -1;
    bool balken_ = false;
};

// Runs `lauf` with Ctrl+C and SIGTERM turned into `abbruch`; a second signal ends at once. A run
// that returns 130 (stopped early) gives 143 when SIGTERM stopped it.
int MitUnterbrechung(std::atomic<bool>& abbruch, const std::function<int()>& lauf);

// A series run by the simulator program: Ctrl+C and SIGTERM stop it after the game in
// progress (exit code 130 or 143), a second signal ends at once.
int SimLaufenUnterbrechbar(const TSimOptionen& opt, std::ostream& out, std::ostream& err);

} // namespace vm
