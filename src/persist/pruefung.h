// Range checks for everything a file hands to the game: a value outside these ranges would
// make the rules index outside an array or overflow, so such a file is refused.
#pragma once

#include <cstdint>
#include <string>

#include "model/einstellung.h"
#include "model/spielstand.h"

namespace vm {

// Money, points and parameters stay far from the int32 limits the rules compute with.
constexpr int32_t GrenzeBetrag = 1000000;
constexpr int32_t GrenzeRunde = 1000;
constexpr int32_t GrenzeAnzahlSim = 10000000;
constexpr int32_t GrenzeStrategie = 99;

// The first field out of range ("" when the state can be played on).
std::string PruefeSpielstand(const TSpielstand& s);
std::string PruefeEinstellung(const TStrategieEinstellung& e);

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
