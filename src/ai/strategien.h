// The decision lists of the computer strategies.
#pragma once

#include "model/sitzung.h"

namespace vm {

// Strategy 2 (`drei` false) and 3 (`drei` true).
void CompiBeginnStrat2(Spielsitzung& g, bool drei);
// Strategies 4, 5 and the variant 99 (which plays with the parameters of 4).
void CompiBeginnStrat4(Spielsitzung& g, int strategie);

} // namespace vm
