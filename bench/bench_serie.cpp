// Throughput of a simulation series as the simulator runs it: games, statistics, and the state
// check of --check, on one core; and the whole run of the simulator with one stream against two.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <vector>

#include "sim/serie.h"

namespace {

constexpr int64_t SpieleJeLauf = 2000;

void Serie(benchmark::State& state, int spieler, std::vector<int32_t> strategien, bool pruefen) {
    uint32_t seed = 1;
    int64_t spiele = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto serie = std::make_unique<vm::TSimSerie>();
        vm::TSimOptionen o;
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

namespace {

constexpr int64_t SpieleJeJobsLauf = 20000;

// One run of the simulator for the 4-player default 4,4,10,10 with the report on a string stream,
// as "--report -" does; the wall-clock seconds it took, or a negative value on an error.
double JobsLauf(int jobs, uint32_t seed) {
    vm::TSimOptionen o;
    o.spieler = 4;
    o.strategien = {4, 4, 10, 10};
    o.spiele = SpieleJeJobsLauf;
    o.spieleGesetzt = true;
    o.seedGesetzt = true;
    o.seed = seed;
    o.jobs = jobs;
    o.berichtDatei = "-";
    auto serie = std::make_unique<vm::TSimSerie>();
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    const int rc = vm::SimLaufen(*serie, o, out, err, false);
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
    return rc == 0 ? dauer.count() : -1.0;
}

// Games per second of a whole series with --jobs 1 and --jobs 2, and their ratio. Each iteration
// runs both, one after the other, so that a busy machine slows both alike.
void Jobs2Gegen1(benchmark::State& state) {
    uint32_t seed = 1;
    double zeit1 = 0, zeit2 = 0;
    for (auto _ : state) {
        const double t1 = JobsLauf(1, seed);
        const double t2 = JobsLauf(2, seed);
        ++seed;
        if (t1 < 0 || t2 < 0) {
            state.SkipWithError("Lauf mit Fehler");
            return;
        }
        zeit1 += t1;
        zeit2 += t2;
        state.SetIterationTime(t1 + t2);
    }
    const double spiele = static_cast<double>(SpieleJeJobsLauf * state.iterations());
    state.counters["Spiele/s_jobs1"] = spiele / zeit1;
    state.counters["Spiele/s_jobs2"] = spiele / zeit2;
    state.counters["Verhaeltnis"] = zeit1 / zeit2;
}

} // namespace

BENCHMARK(Jobs2Gegen1)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);
