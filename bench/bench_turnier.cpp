// A tournament game against a game of a plain series with the same strategies, on one core: the
// seatings, the swapped-in records and the game list must not make a game dearer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "sim/serie.h"
#include "sim/turnier.h"

namespace {

constexpr int64_t SpieleJeLauf = 2000;

// Seconds for the plain series of `strategien` in the seats, or a negative value on an error.
double SerieLauf(int spieler, const std::vector<int32_t>& strategien, uint32_t seed) {
    auto serie = std::make_unique<vm::TSimSerie>();
    vm::TSimOptionen o;
    o.spieler = spieler;
    o.strategien = strategien;
    o.spiele = SpieleJeLauf;
    o.spieleGesetzt = true;
    o.seedGesetzt = true;
    o.seed = seed;
    if (!serie->Vorbereiten(o).empty()) return -1;
    const auto start = std::chrono::steady_clock::now();
    serie->Laufen();
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
    return serie->Statistik().AnzahlSpiele == SpieleJeLauf ? dauer.count() : -1;
}

// Seconds for a tournament of the same strategies at one table, scaled to as many games as the
// series (the games are rounded up to whole passes of the seatings).
double TurnierLauf(int spieler, const std::vector<int32_t>& strategien, uint32_t seed, bool parameter) {
    vm::TTurnierOptionen o;
    o.spieler = spieler;
    o.teilnehmer = strategien;
    o.spiele = SpieleJeLauf;
    o.spieleGesetzt = true;
    o.seedGesetzt = true;
    o.seed = seed;
    vm::TTurnier t;
    if (!vm::TurnierVorbereiten(o, t).empty()) return -1;
    // Another record for the last entrant: the mover's record is swapped in before every move.
    if (parameter) t.Teilnehmer.back().Einstellung.Parameter123[9] = 1;
    const auto start = std::chrono::steady_clock::now();
    vm::TurnierSpielen(t, o);
    const std::chrono::duration<double> dauer = std::chrono::steady_clock::now() - start;
    const auto spiele = static_cast<int64_t>(t.Spiele.size());
    return spiele >= SpieleJeLauf ? dauer.count() * SpieleJeLauf / static_cast<double>(spiele) : -1;
}

// Games per second of both, one after the other in each iteration, so that a busy machine slows
// both alike; "Verhaeltnis" is the tournament's time per game over the series'.
void TurnierGegenSerie(benchmark::State& state, int spieler, std::vector<int32_t> strategien,
                       bool parameter) {
    uint32_t seed = 1;
    double serie = 0, turnier = 0;
    for (auto _ : state) {
        const double s = SerieLauf(spieler, strategien, seed);
        const double t = TurnierLauf(spieler, strategien, seed, parameter);
        ++seed;
        if (s < 0 || t < 0) {
            state.SkipWithError("Lauf mit Fehler");
            return;
        }
        serie += s;
        turnier += t;
        state.SetIterationTime(s + t);
    }
    const double spiele = static_cast<double>(SpieleJeLauf * state.iterations());
    state.counters["Spiele/s_Serie"] = spiele / serie;
    state.counters["Spiele/s_Turnier"] = spiele / turnier;
    state.counters["Verhaeltnis"] = turnier / serie;
}

} // namespace

BENCHMARK_CAPTURE(TurnierGegenSerie, 2p_12_14, 2, {12, 14}, false)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TurnierGegenSerie, 4p_4_4_10_10, 4, {4, 4, 10, 10}, false)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TurnierGegenSerie, 2p_12_14_Parameter, 2, {12, 14}, true)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
