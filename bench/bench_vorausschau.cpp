// Strategy 16's search on one core, four players: imagined games per second, and the time of one
// decision at the default budget at the start, in the middle and near the end of a game.
#include <benchmark/benchmark.h>

#include <memory>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/vorausschau.h"
#include "rules/ablauf.h"

namespace {

// A four-player game of strategy 10, played on until `bis` says the position is reached.
template <class Bis> std::unique_ptr<vm::TSpielsitzung> Stellung(const vm::TKatalog& katalog, Bis bis) {
    auto g = std::make_unique<vm::TSpielsitzung>(katalog);
    vm::InitStrategieparameter(g->Einstellungen);
    for (int s = 1; s <= 4; ++s) g->Einstellungen.Fuer(4).Strategie[s] = 10;
    g->Menue.SpielerAnzahl = 4;
    g->SimulationLaeuft = true;
    g->Zufall.RandSeed = 12345;
    g->S.Computer[1] = 1;
    vm::SpielAufbau(*g);
    while (!g->S.Spielende && !bis(g->S)) vm::CompiZug(*g);
    return g;
}

template <class Bis> void Zug(benchmark::State& state, Bis bis) {
    vm::TKatalog katalog;
    auto g = Stellung(katalog, bis);
    vm::TVorausschau suche(katalog);
    const vm::TVorausschauParameter p = vm::VorausschauParameter(*g);
    int64_t spiele = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(suche.Entscheide(*g, p));
        spiele += suche.Spiele();
    }
    state.counters["Spiele/s"] = benchmark::Counter(static_cast<double>(spiele), benchmark::Counter::kIsRate);
    state.counters["Spiele/Zug"] = benchmark::Counter(static_cast<double>(spiele) / state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(Zug, Start_4p, [](const vm::TSpielstand&) { return true; })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Zug, Mitte_4p, [](const vm::TSpielstand& s) { return s.Runde >= 3; })
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Zug, Ende_4p, [](const vm::TSpielstand& s) { return s.StapelLeer != 0; })
    ->Unit(benchmark::kMillisecond);
