// Estimates from counted games: shares with their 95 % Wilson interval.
#pragma once

#include <cstdint>
#include <string>

namespace vm {

// The normal quantile of a two-sided 95 % interval.
constexpr double Z95 = 1.959963984540054;

struct TIntervall {
    double Anteil = 0, Unten = 0, Oben = 0;
};

// The share `treffer` / `n` with its 95 % Wilson score interval; n = 0 gives 0 within [0, 1].
// `treffer` may be fractional (ties split).
TIntervall Wilson(double treffer, int64_t n);

// "66.0 %, 59.2-72.2 %"
std::string WilsonText(const TIntervall& w);

// A share as "66.0 %"; one decimal, a point as separator.
std::string ProzentText(double anteil);

} // namespace vm
