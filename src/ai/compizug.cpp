#include "ai/compizug.h"

#include "rules/ablauf.h"

namespace vm {

bool StrategieVerfuegbar(int32_t strategie) { return strategie == 1; }

namespace {

void CompiStrategieZug(Spielsitzung& g, int32_t /*strategie*/) {
    // Strategy 1 and every number without a routine pass.
    Passen(g, g.S.AktuellerSpieler);
}

void CompiSchenkeZug(Spielsitzung& /*g*/) {
    // Strategy 1 never buys in the pub round.
}

} // namespace

void CompiZug(Spielsitzung& g) {
    if (g.S.Spielende) return;
    const int sitz = g.S.AktuellerSpieler;
    if (!g.S.Computer[sitz]) return;
    if (!g.S.SchenkeModus) CompiStrategieZug(g, g.EinstellungLaufend().Strategie[sitz]);
    if (g.S.SchenkeModus) CompiSchenkeZug(g);
    NaechsterSpieler(g);
}

} // namespace vm
