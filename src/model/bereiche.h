// The ranges a value from a file or a hand edit must keep: outside them the rules would index
// outside an array or overflow.
#pragma once

#include <cstdint>

namespace vm {

// Money, points and parameters stay far from the int32 limits the rules compute with.
constexpr int32_t GrenzeBetrag = 1000000;
constexpr int32_t GrenzeRunde = 1000;
constexpr int32_t GrenzeAnzahlSim = 10000000;
constexpr int32_t GrenzeStrategie = 99;

struct TBereich {
    int32_t von, bis;
    bool Enthaelt(int32_t v) const { return v >= von && v <= bis; }
};
// Ranges of the settings fields, shared by game files and parameter files.
constexpr TBereich BereichSim{0, 1};
constexpr TBereich BereichStrategie{0, GrenzeStrategie};
constexpr TBereich BereichGeld{-GrenzeBetrag, GrenzeBetrag};
constexpr TBereich BereichRolle{0, 4};
constexpr TBereich BereichAnzahlSim{0, GrenzeAnzahlSim};
constexpr TBereich BereichParameter{-GrenzeBetrag, GrenzeBetrag};

} // namespace vm
