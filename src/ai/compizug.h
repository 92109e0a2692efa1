// The move step of a computer seat: dispatch by strategy number, pub decisions, random devices.
#pragma once

#include <string_view>

#include "model/sitzung.h"

namespace vm {

// True when the computer players can play this strategy number.
bool StrategieVerfuegbar(int32_t strategie);
// Name shown for a strategy number (empty for numbers without a name).
std::string_view Strategiename(int32_t strategie);

// One computer move of the seat on turn, followed by the advance to the next seat.
void CompiZug(TSpielsitzung& g);
// Runs the normal move routine of a strategy number for the seat on turn.
void CompiStrategieZug(TSpielsitzung& g, int32_t strategie);
// The pub decision of the seat's strategy.
void CompiSchenkeZug(TSpielsitzung& g);
// Number of victory points the seat buys at the pub under its strategy (0: none).
int32_t SchenkePunkte(TSpielsitzung& g, int spieler, int32_t strategie);

// Plays another strategy for this one move, with a random draw; nesting is bounded.
bool Strategiewechsel(TSpielsitzung& g, int32_t ersteRunde, int32_t letzteRunde, int32_t strategie,
                      int32_t prozent);
// True with probability prozent/100.
bool ZufallMarktpflege(TSpielsitzung& g, int32_t prozent, int32_t phase);

} // namespace vm
