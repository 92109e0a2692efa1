// Range checks for everything a file hands to the game: a value outside these ranges would
// make the rules index outside an array or overflow, so such a file is refused.
#pragma once

#include <cstdint>
#include <string>

#include "model/bereiche.h"
#include "model/einstellung.h"
#include "model/spielstand.h"

namespace vm {

// The first field out of range ("" when the state can be played on).
std::string PruefeSpielstand(const TSpielstand& s);
std::string PruefeEinstellung(const TStrategieEinstellung& e);

} // namespace vm
