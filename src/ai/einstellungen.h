// Defaults of the strategy settings for 2, 3 and 4 players.
#pragma once

#include "model/einstellung.h"

namespace vm {

void InitStrategieparameter(TStrategieeinstellungen& e);

} // namespace vm
