#include "control/fensterzustand.h"

#include <algorithm>

namespace vm {

bool TFensterZustand::IrgendeinAngebot() const {
    return std::any_of(MarkierteTischplaetze.begin(), MarkierteTischplaetze.end(),
                       [](uint8_t m) { return m != 0; });
}

void TFensterZustand::Leeren() {
    for (uint8_t& m : MarkierteTischplaetze) m = 0;
    SternwartenKarte = {};
}

} // namespace vm
