// A series of computer-only games, as the headless simulator runs it.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "model/sitzung.h"
#include "sim/argumente.h"
#include "sim/json.h"
#include "sim/statistik.h"

namespace vm {

// A file named on the command line: the option (empty for a plain argument) and its path.
struct TDateiAngabe {
    const char* option;
    std::string pfad;
};

// Outputs that would overwrite an input or each other, compared as files (links, "./" and
// hard links count): the first clash as one line naming both, or empty. Empty paths and outputs
// written in place (standard output, pipes, devices) never clash.
std::string AusgabenPruefen(const std::vector<TDateiAngabe>& ausgaben,
                            const std::vector<TDateiAngabe>& eingaben);

// Flushes a stream the command wrote to; false when anything written to it was lost.
bool AusgabeAbschliessen(std::ostream& out);

// Puts the options into a session: settings of the player count, variants, seed.
// Returns an error line, or an empty string when the options can be played.
std::string SimVorbereiten(TSpielsitzung& g, const TSimOptionen& opt);

// Plays one game of a series to its end and ranks the seats.
void SimSpiel(TSpielsitzung& g);

// The seed of block `block` (0, 1, ...) of a series split into streams. Block 0 keeps the run's
// seed, so one stream is the plain series; block b >= 1 takes the upper 32 bits of the first
// SplitMix64 output for the state seed * 2^32 + b. A block's seed does not depend on the number
// of streams, only on the run's seed and the block number.
uint32_t BlockSeed(uint32_t seed, int64_t block);

// A series with its statistics. Lives for one run; the session, the statistics record and
// every buffer are allocated before the first game, so the games themselves allocate nothing.
class TSimSerie {
public:
    TSimSerie();
    ~TSimSerie();
    TSimSerie(const TSimSerie&) = delete;
    TSimSerie& operator=(const TSimSerie&) = delete;

    // Set from any thread: the series stops after the game in progress.
    std::atomic<bool> Abbruch{false};

    // Takes the options; an error line, or empty when the series can run.
    std::string Vorbereiten(const TSimOptionen& opt);
    // Takes the session as the caller filled it through Sitzung() (settings, menu choices,
    // generator): `spiele` games, no preset strength, no checks. The statistics start from it.
    void Vorbereiten(int64_t spiele);

    // Extra statistics lines go here while set (the header is the caller's).
    void SetzeExtraStatistik(std::FILE* datei) { extra_ = datei; }
    // Also receives every hook of the rules (tests watch the games through it).
    void SetzeBeobachter(ISpielAblauf* b) { beobachter_ = b; }
    // Receives the per-game results in blocks, the last block at the end of the run.
    void SetzeErgebnisSenke(std::function<void(const TSpielErgebnis*, size_t)> senke);
    // Called after every counted game with the number of games so far.
    void SetzeFortschritt(std::function<void(int64_t)> f) { fortschritt_ = std::move(f); }
    // Games of the series before this block: game numbers in messages and extra lines count on
    // from here.
    void SetzeVersatz(int64_t versatz) { versatz_ = versatz; }
    int64_t Versatz() const { return versatz_; }
    // A second stop flag, seen like Abbruch: the workers of a split series share the first one's.
    void SetzeAbbruchVon(const std::atomic<bool>* f) { abbruchVon_ = f; }

    // Plays the series: StatistikInit, then game after game until all are played, the stop
    // flag is seen or the statistics record is full.
    void Laufen();

    TSpielsitzung& Sitzung() { return g_; }
    const TKatalog& Katalog() const { return katalog_; }
    const TSimStatistik& Statistik() const { return *statistik_; }
    int64_t Geplant() const { return spiele_; }
    bool Abgebrochen() const { return abgebrochen_; }
    bool StatistikVoll() const { return voll_; }
    bool Geprueft() const { return pruefen_; }
    int64_t Pruefungen() const { return pruefungen_; }
    int64_t Verletzungen() const { return verletzungen_; }
    // The first violations found, with game, round and phase.
    const std::vector<std::string>& ErsteVerletzungen() const { return ersteVerletzungen_; }

private:
    class Ablauf;
    void Pruefen();

    TKatalog katalog_;
    TSpielsitzung g_;
    std::unique_ptr<TSimStatistik> statistik_;
    std::unique_ptr<Ablauf> ablauf_;
    std::FILE* extra_ = nullptr;
    ISpielAblauf* beobachter_ = nullptr;
    std::function<void(const TSpielErgebnis*, size_t)> ergebnisSenke_;
    std::vector<TSpielErgebnis> ergebnisse_;
    std::function<void(int64_t)> fortschritt_;
    const std::atomic<bool>* abbruchVon_ = nullptr;
    int64_t versatz_ = 0;
    int64_t spiele_ = 0;
    int32_t spielstaerke_ = 0;
    bool pruefen_ = false;
    bool abgebrochen_ = false;
    bool voll_ = false;
    int64_t pruefungen_ = 0;
    int64_t verletzungen_ = 0;
    std::vector<std::string> ersteVerletzungen_;
};

// Runs the whole series with its files and report. Standard output receives the report with
// "--report -", otherwise one line per game unless a trace is written. The exit code:
// 0 done, 1 internal faults or a file that could not be written, 2 bad options,
// 3 a check found violations or internal faults, 130 stopped early.
// With jobs > 1 the series is split into min(jobs, games) contiguous blocks, each played by a
// worker thread with a session of its own from BlockSeed; `serie` plays block 0 and its Abbruch
// stops every worker. The statistics are merged in block order; trace, extra lines and per-game
// results go to temporary files per block and are joined in block order, so the output does not
// depend on the threads' timing. The report then ends with the streams and their seeds.
int SimLaufen(TSimSerie& serie, const TSimOptionen& opt, std::ostream& out, std::ostream& err,
              bool fortschritt);
int SimLaufen(const TSimOptionen& opt, std::ostream& out, std::ostream& err);

} // namespace vm
