// Strategy 16's search, four players: imagined games per second, and the time of one decision at the
// start, in the middle and near the end of a game, at the default budget on one core and at the
// window hint's budget on every core.
#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

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

template <class Bis> void Suche(benchmark::State& state, Bis bis, bool stark) {
    vm::TKatalog katalog;
    auto g = Stellung(katalog, bis);
    const int kerne = stark ? static_cast<int>(std::max(1u, std::thread::hardware_concurrency())) : 1;
    vm::TVorausschau suche(katalog, kerne);
    vm::TVorausschauParameter p = vm::VorausschauParameter(*g);
    if (stark) p.Budget = vm::VorausschauBudgetStark;
    int64_t spiele = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(suche.Suche(*g, p));
        spiele += suche.Spiele();
    }
    state.counters["Kerne"] = kerne;
    state.counters["Spiele/s"] = benchmark::Counter(static_cast<double>(spiele), benchmark::Counter::kIsRate);
    state.counters["Spiele/Zug"] = benchmark::Counter(static_cast<double>(spiele) / state.iterations());
}

template <class Bis> void Zug(benchmark::State& state, Bis bis) { Suche(state, bis, false); }
template <class Bis> void Stark(benchmark::State& state, Bis bis) { Suche(state, bis, true); }

const auto Start = [](const vm::TSpielstand&) { return true; };
const auto Mitte = [](const vm::TSpielstand& s) { return s.Runde >= 3; };
const auto Ende = [](const vm::TSpielstand& s) { return s.StapelLeer != 0; };

} // namespace

BENCHMARK_CAPTURE(Zug, Start_4p, Start)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Zug, Mitte_4p, Mitte)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Zug, Ende_4p, Ende)->Unit(benchmark::kMillisecond);
// Wall time: the helper threads' work does not count as the calling thread's.
BENCHMARK_CAPTURE(Stark, Start_4p, Start)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Stark, Mitte_4p, Mitte)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Stark, Ende_4p, Ende)->Unit(benchmark::kMillisecond)->UseRealTime();
