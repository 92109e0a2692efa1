// Throughput of a simulation series as the simulator runs it: games, statistics, and the state
// check of --check, on one core.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "sim/serie.h"

namespace {

constexpr int64_t SpieleJeLauf = 2000;

void Serie(benchmark::State& state, int spieler, std::vector<int32_t> strategien, bool pruefen) {
    uint32_t seed = 1;
    int64_t spiele = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto serie = std::make_unique<vm::SimSerie>();
        vm::SimOptionen o;
        o.spieler = spieler;
        o.strategien = strategien;
        o.spiele = SpieleJeLauf;
        o.spieleGesetzt = true;
        o.seedGesetzt = true;
        o.seed = seed++;
        o.pruefen = pruefen;
        if (!serie->Vorbereiten(o).empty()) {
            state.SkipWithError("Optionen abgelehnt");
            return;
        }
        state.ResumeTiming();
        serie->Laufen();
        spiele += serie->Statistik().AnzahlSpiele;
        if (serie->Sitzung().AnzahlFehler || serie->Verletzungen())
            state.SkipWithError("Fehler in der Serie");
    }
    state.SetItemsProcessed(spiele);
}

} // namespace

BENCHMARK_CAPTURE(Serie, Statistik_4p_4444, 4, {4, 4, 4, 4}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Serie, Statistik_4p_2345, 4, {2, 3, 4, 5}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Serie, Statistik_3p_444, 3, {4, 4, 4}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Serie, Statistik_2p_45, 2, {4, 5}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Serie, Geprueft_4p_2345, 4, {2, 3, 4, 5}, true)->Unit(benchmark::kMillisecond);
