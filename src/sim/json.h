// The statistics of a series as JSON: written by the simulator, read back to merge runs.
//
// Layout: {"format", "version", "seed" (at the start of the run), "spielerAnzahl", "varianten",
// "spielstaerke", "einstellung" (the settings record), "spiele" (per game: rounds, and per seat
// points, money, place), "statistik" (every counter of TSimStatistik), "seedEnde" (the seed the
// report prints), "stroeme" (per stream [seed, games, seed at its end]; a file without it is one
// stream), "abgebrochen", "pruefung"}. Min/sum/max triples are arrays [min, sum, max];
// per-player and per-position arrays hold all four seats.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/statistik.h"

namespace vm {

class TSpielsitzung;

struct TSpielErgebnis {
    int32_t Runden;
    int32_t Punkte[4];
    int32_t Geld[4];
    int8_t Platz[4];
};
void SpielErgebnisAus(const TSpielsitzung& g, TSpielErgebnis& e);

struct TJsonLauf {
    uint8_t Varianten[3] = {0, 0, 0};
    int32_t Spielstaerke = 0; // 0: none applied
    uint32_t SeedEnde = 0;
    bool Abgebrochen = false;
    bool Geprueft = false;
    int64_t Verletzungen = 0;
    int64_t InterneFehler = 0;
    // Empty when writing: one stream from the record's seed and games to SeedEnde.
    std::vector<TStrom> Stroeme;
};

// Everything up to and including the opening of the game list.
void JsonKopf(std::string& out, const TSimStatistik& st, const TJsonLauf& lauf);
// One game record; `erstes` for the first record of the list.
void JsonSpiel(std::string& out, const TSpielErgebnis& e, int spielerAnzahl, bool erstes);
// Closes the game list and writes the counters and the end of the run.
void JsonSchluss(std::string& out, const TSimStatistik& st, const TJsonLauf& lauf);

// Rebuilds the record (and the run information) from a file written above; the game list is
// skipped. False with a one-line reason on anything malformed. With `spiele` set it receives the
// game records of the list as written, without the brackets and the white space around them.
bool StatistikAusJson(std::string_view text, TSimStatistik& st, TJsonLauf& lauf, std::string& fehler,
                      std::string_view* spiele = nullptr);

// Reads the game records of the list as StatistikAusJson hands it out, in order, and hands each
// to `nimm` (money is not read: the list's checks do not need it; a place outside 0..4 reads as
// -1). False with a line naming the first record that is malformed or that `nimm` refuses, with
// the reason it put into its second argument.
bool SpieleLesen(std::string_view spiele, int spielerAnzahl,
                 const std::function<bool(const TSpielErgebnis&, std::string&)>& nimm, std::string& fehler);

// Checks the counters that follow from the game list (games, rounds, places, victory points by
// seat, by rounds and of the winner) against `spiele`, the list as StatistikAusJson hands it out;
// false with a line naming the first that differs or the record that is malformed.
bool SpieleStimmen(std::string_view spiele, const TSimStatistik& st, std::string& fehler);

} // namespace vm
