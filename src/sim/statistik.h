// Statistics of a simulation series and its plain-text report.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/arr1.h"
#include "model/einstellung.h"
#include "model/katalog.h"

namespace vm {

class TSpielsitzung;

constexpr int StatistikMaxRunden = 30;

// Smallest, total and largest value over the games of a run.
struct TMinSumMax {
    int32_t Min;
    int32_t Sum;
    int32_t Max;
};

struct TSimStatistik {
    int32_t SpielerAnzahl;
    TStrategieEinstellung Einstellung; // copy taken at the start of the run
    uint32_t RandSeed;                 // seed at the start of the run
    int32_t AnzahlSpiele;
    TMinSumMax Runden;                                                  // Min starts at 1000, Max at 0
    Arr1<Arr1<int32_t, 4>, 4> Platzierungen;                            // [player][position]
    Arr1<TMinSumMax, 5> StapelRest;                                     // draw stacks 1..4, 5 = discard pile
    Arr1<TMinSumMax, 4> Tischkarten;                                    // [player]
    Arr1<Arr1<TMinSumMax, 3>, 4> TischkartenFarbe;                      // [player][colour]
    Arr1<TMinSumMax, 4> Siegpunkte;                                     // [player]
    Arr1<Arr1<TMinSumMax, 4>, StatistikMaxRunden> SiegpunkteNachRunden; // [rounds][player]
    Arr1<int32_t, StatistikMaxRunden> SpieleMitRunden;                  // [rounds]
    TMinSumMax SiegpunkteSieger;
    Arr1<Arr1<int32_t, 5>, 4> Handkarten; // [player][hand cards + 1]
    Arr1<TMinSumMax, 4> Adelsarten;       // [player]
    // [player][position][catalogue table][slot]: table cards at game end
    Arr1<Arr1<Arr1<Arr1<int32_t, KatalogPlaetze>, KatalogTabellen>, 4>, 4> Karten;
};

// Zeroes the record and takes the player count, settings and seed of the run about to start.
void StatistikInit(TSimStatistik& st, const TSpielsitzung& g);
// Zeroes the record alone (min/sum/max start values included).
void StatistikLeeren(TSimStatistik& st);

// Adds the game just ended (ranked by BerechnePlatz). Returns false and adds nothing when a
// counter would overflow: the record is then full and the run has to stop.
bool StatistikSpiel(TSimStatistik& st, const TSpielsitzung& g);

// Adds the counters of another run with the same player count and settings; false (and nothing
// changed) when the runs differ in these or a counter would overflow.
bool StatistikVereinigen(TSimStatistik& ziel, const TSimStatistik& dazu);

// The first difference of player count or settings that keeps StatistikVereinigen from merging
// `dazu` into `ziel`, as "<field> is <value of dazu>, not <value of ziel>"; empty when there is none.
std::string StatistikUnterschied(const TSimStatistik& ziel, const TSimStatistik& dazu);

// One stream of a run: games played from a seed of their own, and where its generator ended.
struct TStrom {
    uint32_t Seed;
    int32_t Spiele;
    uint32_t SeedEnde;
    friend bool operator==(const TStrom&, const TStrom&) = default;
};

// The lines a report of several streams adds behind the report of their merged statistics:
// an empty line, "Number of streams : " + count, then one line per stream. Nothing for one stream,
// so a single-stream report stays as it is.
std::string StroemeBerichtText(const std::vector<TStrom>& stroeme);

using TZeilenSenke = std::function<void(std::string_view)>;

// Writes the report line by line. `randSeed` is the generator's seed at the time of the report;
// `dezimal` the decimal separator of the means.
void StatistikBericht(const TSimStatistik& st, const TKatalog& katalog, uint32_t randSeed, char dezimal,
                      const TZeilenSenke& zeile);
// The whole report, every line ended by "\n".
std::string StatistikBerichtText(const TSimStatistik& st, const TKatalog& katalog, uint32_t randSeed,
                                 char dezimal = '.');

} // namespace vm
