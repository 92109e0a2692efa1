// Phase scoring, final scoring and ranking.
#pragma once

#include "model/sitzung.h"

namespace vm {

// What the unused cards of a seat's list `phase` pay in that phase's scoring.
struct TEinkommen {
    int32_t geld = 0;
    int32_t punkte = 0;
};
TEinkommen Einkommen(const TSpielsitzung& g, int phase, int spieler);
int32_t EinkommenGeld(const TSpielsitzung& g, int phase, int spieler);
int32_t EinkommenPunkte(const TSpielsitzung& g, int phase, int spieler);

struct TAdelsbonus {
    int32_t bonus = 0;
    int32_t arten = 0; // number of different aristocrat kinds
};
constexpr int32_t AdelsbonusTabelle(int32_t arten, bool erweitert) {
    if (arten <= 0) return 0;
    if (arten <= 10) return arten * (arten + 1) / 2;
    return erweitert ? 55 + 10 * (arten - 10) : 55;
}
TAdelsbonus Adelsbonus(const TSpielsitzung& g, int spieler);
TAdelsbonus AdelsbonusMitHand(const TSpielsitzung& g, int spieler);
inline int32_t GeldPunkte(const TSpielsitzung& g, int spieler) {
    return g.S.Spieler[spieler].Geld / 10;
}

void Wertung(TSpielsitzung& g, int phase);
// Fills Platz: more points win, then more money, then the lower seat.
void BerechnePlatz(TSpielsitzung& g);

} // namespace vm
