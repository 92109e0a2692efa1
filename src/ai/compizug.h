// The move step of a computer seat.
#pragma once

#include "model/sitzung.h"

namespace vm {

// True when the computer players can play this strategy number.
bool StrategieVerfuegbar(int32_t strategie);
// One computer move of the seat on turn, followed by the advance to the next seat.
void CompiZug(Spielsitzung& g);

} // namespace vm
