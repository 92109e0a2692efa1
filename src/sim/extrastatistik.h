// The extra statistics: one comma-separated line per phase scoring, for spreadsheets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vm {

class TSpielsitzung;

// Longest line ExtraStatistikZeile can write.
constexpr size_t ExtraStatistikZeileMax = 1024;

// "AnzS,Runde,Phase,1G,1S,11K,..." for players 1..4, without line end.
std::string ExtraStatistikKopf();

// Writes the line of the scoring just held into `puffer` (no line end) and returns its length.
// `spiel` is the number of the game in progress; the line holds players 1..SpielerAnzahl.
size_t ExtraStatistikZeile(const TSpielsitzung& g, int64_t spiel, char (&puffer)[ExtraStatistikZeileMax]);

} // namespace vm
