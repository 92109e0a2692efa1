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
#include "sim/json.h"
#include "sim/statistik.h"

namespace vm {

struct SimOptionen {
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
    bool pruefen = false;     // check the state after every action
    bool leise = false;       // no progress bar
    int32_t spielstaerke = 0; // menu tag of a playing-strength preset; 0: none
    std::string parameterDatei;
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

// A series with its statistics. Lives for one run; the session, the statistics record and
// every buffer are allocated before the first game, so the games themselves allocate nothing.
class SimSerie {
public:
    SimSerie();
    ~SimSerie();
    SimSerie(const SimSerie&) = delete;
    SimSerie& operator=(const SimSerie&) = delete;

    // Set from any thread: the series stops after the game in progress.
    std::atomic<bool> Abbruch{false};

    // Takes the options; an error line, or empty when the series can run.
    std::string Vorbereiten(const SimOptionen& opt);

    // Extra statistics lines go here while set (the header is the caller's).
    void SetzeExtraStatistik(std::FILE* datei) { extra_ = datei; }
    // Also receives every hook of the rules (tests watch the games through it).
    void SetzeBeobachter(ISpielAblauf* b) { beobachter_ = b; }
    // Receives the per-game results in blocks, the last block at the end of the run.
    void SetzeErgebnisSenke(std::function<void(const TSpielErgebnis*, size_t)> senke);
    // Called after every counted game with the number of games so far.
    void SetzeFortschritt(std::function<void(int64_t)> f) { fortschritt_ = std::move(f); }

    // Plays the series: StatistikInit, then game after game until all are played, the stop
    // flag is seen or the statistics record is full.
    void Laufen();

    Spielsitzung& Sitzung() { return g_; }
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
    Spielsitzung g_;
    std::unique_ptr<TSimStatistik> statistik_;
    std::unique_ptr<Ablauf> ablauf_;
    std::FILE* extra_ = nullptr;
    ISpielAblauf* beobachter_ = nullptr;
    std::function<void(const TSpielErgebnis*, size_t)> ergebnisSenke_;
    std::vector<TSpielErgebnis> ergebnisse_;
    std::function<void(int64_t)> fortschritt_;
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
int SimLaufen(SimSerie& serie, const SimOptionen& opt, std::ostream& out, std::ostream& err,
              bool fortschritt);
int SimLaufen(const SimOptionen& opt, std::ostream& out, std::ostream& err);

} // namespace vm
