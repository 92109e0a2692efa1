// Throughput of whole games on one core, trace off: set-up, shuffle, every move, refills and scorings.
#include <benchmark/benchmark.h>

#include "partie.h"

namespace {

void Serie(benchmark::State& state, int spieler, std::initializer_list<int32_t> strategien) {
    vmbench::Partien p(spieler, strategien);
    int64_t zuege = 0;
    for (auto _ : state) {
        zuege += p.Spiele();
        benchmark::DoNotOptimize(p.Sitzung().Platz);
    }
    if (p.Sitzung().AnzahlFehler) state.SkipWithError("interne Fehler");
    state.SetItemsProcessed(state.iterations());
    state.counters["Zuege/Spiel"] = benchmark::Counter(static_cast<double>(zuege) / state.iterations());
}

} // namespace

BENCHMARK_CAPTURE(Serie, Passen_2p, 2, {1, 1, 1, 1});
BENCHMARK_CAPTURE(Serie, Passen_3p, 3, {1, 1, 1, 1});
BENCHMARK_CAPTURE(Serie, Passen_4p, 4, {1, 1, 1, 1});
BENCHMARK_CAPTURE(Serie, Basis_4p_4444, 4, {4, 4, 4, 4});
BENCHMARK_CAPTURE(Serie, Basis_4p_2345, 4, {2, 3, 4, 5});
BENCHMARK_CAPTURE(Serie, Basis_3p_444, 3, {4, 4, 4, 1});
BENCHMARK_CAPTURE(Serie, Basis_2p_45, 2, {4, 5, 1, 1});
BENCHMARK_CAPTURE(Serie, Standard_4p_4_4_10_10, 4, {4, 4, 10, 10});
BENCHMARK_CAPTURE(Serie, Standard_3p_4_10_10, 3, {4, 10, 10, 1});
BENCHMARK_CAPTURE(Serie, Standard_2p_12_14, 2, {12, 14, 1, 1});
