#include "sim/schaetzung.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vm {

TIntervall Wilson(double treffer, int64_t n) {
    TIntervall w;
    if (n <= 0) {
        w.Oben = 1;
        return w;
    }
    const double nn = static_cast<double>(n);
    const double p = std::clamp(treffer / nn, 0.0, 1.0);
    const double z2 = Z95 * Z95;
    const double nenner = 1 + z2 / nn;
    const double mitte = (p + z2 / (2 * nn)) / nenner;
    const double breite = Z95 * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn)) / nenner;
    w.Anteil = p;
    w.Unten = std::max(0.0, mitte - breite);
    w.Oben = std::min(1.0, mitte + breite);
    return w;
}

std::string ProzentText(double anteil) {
    char b[32];
    std::snprintf(b, sizeof b, "%.1f %%", anteil * 100);
    return b;
}

std::string WilsonText(const TIntervall& w) {
    char b[64];
    std::snprintf(b, sizeof b, "%.1f %%, %.1f-%.1f %%", w.Anteil * 100, w.Unten * 100, w.Oben * 100);
    return b;
}

} // namespace vm
