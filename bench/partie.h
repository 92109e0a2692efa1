// A game session that plays whole computer games one after another, trace off, as the
// benchmarks measure them.
#pragma once

#include <initializer_list>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"

namespace vmbench {

class Partien {
public:
    Partien(int spieler, std::initializer_list<int32_t> strategien) : g(katalog) {
        vm::InitStrategieparameter(g.Einstellungen);
        int s = 1;
        for (int32_t x : strategien) g.Einstellungen.Fuer(spieler).Strategie[s++] = x;
        g.Menue.SpielerAnzahl = spieler;
        g.SimulationLaeuft = true;
        g.Zufall.RandSeed = 12345;
    }
    // One game from set-up to ranking; returns its moves.
    int64_t Spiele() {
        int64_t zuege = 0;
        g.S.Computer[1] = 1;
        vm::SpielAufbau(g);
        while (!g.S.Spielende) {
            vm::CompiZug(g);
            ++zuege;
        }
        vm::BerechnePlatz(g);
        return zuege;
    }
    const vm::TSpielsitzung& Sitzung() const { return g; }

private:
    vm::TKatalog katalog;
    vm::TSpielsitzung g;
};

} // namespace vmbench
