// The decision lists of the computer strategies.
#pragma once

#include "model/sitzung.h"

namespace vm {

// Strategy 2 (`drei` false) and 3 (`drei` true).
void CompiBeginnStrat2(TSpielsitzung& g, bool drei);
// Strategies 4, 5 and the variant 99 (which plays with the parameters of 4).
void CompiBeginnStrat4(TSpielsitzung& g, int strategie);

} // namespace vm

namespace vm {

// Strategies 6 to 15: one decision list per pair, each member with its own parameter block.
void CompiBeginnStrat6(TSpielsitzung& g, int strategie);  // 6, 7
void CompiBeginnStrat8(TSpielsitzung& g, int strategie);  // 8, 9
void CompiBeginnStrat10(TSpielsitzung& g, int strategie); // 10, 11
void CompiBeginnStrat12(TSpielsitzung& g, int strategie); // 12, 13
void CompiBeginnStrat14(TSpielsitzung& g, int strategie); // 14, 15

} // namespace vm
