// Throughput of whole games in which every seat passes: set-up, shuffle, refills and scorings.
#include <benchmark/benchmark.h>

#include "sim/serie.h"

static void BM_PassSpiel(benchmark::State& state) {
    vm::TKatalog katalog;
    vm::Spielsitzung g(katalog);
    vm::SimOptionen opt;
    opt.spieler = static_cast<int32_t>(state.range(0));
    opt.seedGesetzt = true;
    opt.seed = 12345;
    opt.strategien = {1, 1, 1, 1};
    if (!vm::SimVorbereiten(g, opt).empty()) {
        state.SkipWithError("Optionen abgelehnt");
        return;
    }
    for (auto _ : state) {
        vm::SimSpiel(g);
        benchmark::DoNotOptimize(g.S.Runde);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PassSpiel)->Arg(2)->Arg(3)->Arg(4);
