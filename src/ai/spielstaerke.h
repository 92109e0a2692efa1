// Playing-strength presets: they rewrite the strategy settings at every new game.
#pragma once

#include "model/sitzung.h"

namespace vm {

constexpr int32_t Expertenmodus = 4;

// True for a tag of the strength menu.
bool SpielstaerkeGueltig(int32_t tag);
// Applies a strength to the three settings records (draws its random strategies).
void SpielstaerkeAnwenden(TSpielsitzung& g, int32_t tag);
// The menu choice of a strength: keeps the user's own settings while a preset is active.
void SetzeSpielstaerke(TSpielsitzung& g, int32_t tag);

} // namespace vm
