// Fuzz target: the game-file loader. Whatever a file holds, decompression stops after one
// record, the checks refuse what is out of range or inconsistent, and what passes can be played
// on and stays consistent move after move.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "model/konsistenz.h"
#include "persist/spieldatei.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    auto h = std::make_unique<vm::TSpielHistorie>();
    size_t pos = 0;
    auto lies = [&](char* puffer, size_t max) -> long {
        size_t n = std::min(max, groesse - pos);
        std::memcpy(puffer, daten + pos, n);
        pos += n;
        return static_cast<long>(n);
    };
    if (vm::EntpackeHistorie(lies, *h) != vm::EntpackFehler::Keiner) return 0;
    static const vm::TKatalog katalog;
    if (vm::PruefeHistorie(*h, katalog) != vm::PruefFehler::Keiner) return 0;

    // A record that passed the checks must be safe to play from its current entry.
    vm::TSpielsitzung g(katalog);
    vm::InitStrategieparameter(g.Einstellungen);
    vm::THistorie historie;
    historie.H() = *h;
    historie.StelleWiederHer(g, historie.H().AktuellerEintrag);
    g.SimulationLaeuft = true;
    for (int s = 1; s <= 4; ++s) g.S.Computer[s] = 1;
    for (int zug = 0; zug < 120 && !g.S.Spielende; ++zug) {
        vm::CompiZug(g);
        if (!vm::PruefeInvarianten(g).empty()) __builtin_trap();
    }
    return 0;
}
