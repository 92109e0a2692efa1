// What a series writes: trace, report, extra statistics, JSON and the line per game, each file
// taking its name only when complete.
#pragma once

#include <cstdint>
#include <cstdio>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "persist/dateien.h"
#include "sim/serie.h"

namespace vm {

// Per-game results are handed over in blocks of this many games.
inline constexpr size_t ErgebnisBlock = 4096;

// A file that closes itself; Schliessen reports whether everything reached the disk. An output
// takes its final name only then: a run that stops early leaves the old file in place.
class TDatei {
public:
    TDatei() = default;
    TDatei(const TDatei&) = delete;
    TDatei& operator=(const TDatei&) = delete;
    ~TDatei();
    bool Oeffnen(const std::string& pfad) { return ausgabe_.Oeffnen(pfad); }
    bool Schreibgeschuetzt() const { return ausgabe_.Schreibgeschuetzt(); }
    // An anonymous file that disappears when it is closed.
    bool Temporaer();
    std::FILE* Zeiger() const { return anonym_ ? anonym_ : ausgabe_.Zeiger(); }
    explicit operator bool() const { return Zeiger() != nullptr; }
    void Schreibe(std::string_view s) {
        if (std::FILE* f = Zeiger()) std::fwrite(s.data(), 1, s.size(), f);
    }
    bool Schliessen();

private:
    TAusgabeDatei ausgabe_;
    std::FILE* anonym_ = nullptr;
};

// Appends what was written to a temporary file; false when either side had an error.
bool Umkopieren(std::FILE* von, std::FILE* nach);

// How a run ended, for the end of the JSON file.
struct TLaufEnde {
    uint32_t SeedEnde = 0;
    bool Abgebrochen = false;
    int64_t Verletzungen = 0;
    int64_t InterneFehler = 0;
    std::vector<TStrom> Stroeme;
};

// The outputs of one series run.
class TSimAusgaben {
public:
    TSimAusgaben(const TSimOptionen& opt, std::ostream& out, std::ostream& err);

    // The first output that would overwrite --params or another output, as one line; or empty.
    std::string Pruefen() const;
    // Opens every file before the first game, so a bad path stops the run before it starts;
    // false after naming the file on standard error.
    bool Oeffnen();

    TDatei& Trace() { return trace_; }
    TDatei& Extra() { return extra_; }
    bool Json() const { return static_cast<bool>(json_); }
    // The per-game results are needed for the JSON list or the line per game.
    bool ErgebnisseNoetig() const {
        return static_cast<bool>(json_) || static_cast<bool>(plotJson_) || spielZeilen_;
    }
    // Also writes the JSON to `pfad`, for the charts of --plot; set before Oeffnen.
    void SetzeDiagrammJson(std::string pfad) { plotPfad_ = std::move(pfad); }

    // The extra statistics' header and the JSON up to its game list.
    void Beginnen(const TSimStatistik& st);
    // The JSON records and lines of `menge` games; `nummer` is the number of the last game
    // handed over and counts on.
    void Spiele(const TSpielErgebnis* e, size_t menge, int64_t& nummer);
    // The JSON buffer into both JSON files, then emptied.
    void JsonSchreiben();
    // Closes the files, writes the report and the end of the JSON, and flushes standard output;
    // false when anything was not completely written (named on standard error).
    bool Abschliessen(const TSimStatistik& st, const TKatalog& katalog, const TLaufEnde& ende);

private:
    bool Schliessen(TDatei& d, const std::string& pfad, const char* option);

    const TSimOptionen& opt_;
    std::ostream& out_;
    std::ostream& err_;
    std::string berichtPfad_; // empty: no report file
    bool berichtAufAusgabe_;
    bool spielZeilen_;
    TDatei trace_, bericht_, extra_, json_, plotJson_;
    std::string plotPfad_;
    TJsonLauf lauf_;
    std::string jsonPuffer_, zeilen_;
    bool erstesSpiel_ = true;
};

} // namespace vm
