// How much of the core the benchmark gets, and the games of the default opponents counted only
// while the core was free. On a host shared with other guests, the core's second hardware thread
// may run someone else's work: the clock stays, the adders are shared, and a game then takes up to
// half as long again. Figures of such a run say little about the program.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "partie.h"

namespace {

using Uhr = std::chrono::steady_clock;

#if defined(__x86_64__) && defined(__GNUC__)
constexpr bool Messbar = true;

// Additions per nanosecond of one chain of dependent additions: one per clock cycle, so the clock in GHz.
double Takt(int64_t runden) {
    uint64_t a = 0;
    const auto t0 = Uhr::now();
    for (int64_t i = 0; i < runden; ++i)
        asm volatile("add $1,%0\n\tadd $1,%0\n\tadd $1,%0\n\tadd $1,%0" : "+r"(a));
    const std::chrono::duration<double, std::nano> ns = Uhr::now() - t0;
    benchmark::DoNotOptimize(a);
    return 4.0 * static_cast<double>(runden) / ns.count();
}

// Additions per nanosecond of four independent chains: as many as the adders left to this thread allow.
double Addierwerk(int64_t runden) {
    uint64_t a = 0, b = 0, c = 0, d = 0;
    const auto t0 = Uhr::now();
    for (int64_t i = 0; i < runden; ++i)
        asm volatile("add $1,%0\n\tadd $1,%1\n\tadd $1,%2\n\tadd $1,%3" : "+r"(a), "+r"(b), "+r"(c), "+r"(d));
    const std::chrono::duration<double, std::nano> ns = Uhr::now() - t0;
    benchmark::DoNotOptimize(a + b + c + d);
    return 4.0 * static_cast<double>(runden) / ns.count();
}
#else
constexpr bool Messbar = false;
double Takt(int64_t) {
    return 0;
}
double Addierwerk(int64_t) {
    return 0;
}
#endif

constexpr int64_t Runden = int64_t{1} << 22;

void Kern_Takt(benchmark::State& state) {
    if (!Messbar) state.SkipWithError("nur x86-64");
    double summe = 0;
    for (auto _ : state) summe += Takt(Runden);
    state.counters["GHz"] = summe / static_cast<double>(state.iterations());
}

void Kern_Addierwerk(benchmark::State& state) {
    if (!Messbar) state.SkipWithError("nur x86-64");
    double summe = 0;
    for (auto _ : state) summe += Addierwerk(Runden);
    state.counters["Add/ns"] = summe / static_cast<double>(state.iterations());
}

// Games in slices of a few, each slice between two short measurements of the adders (a few
// microseconds). A slice counts as played on a free core when both measurements reach 90 % of
// the best seen in the run. Add/Takt is that best per clock cycle: near the adders' width, the
// core was free at times; far below it, never, and "frei" is only the least busy part of the run.
void FreierKern(benchmark::State& state, int spieler, std::initializer_list<int32_t> strategien) {
    if (!Messbar) {
        state.SkipWithError("nur x86-64");
        for (auto _ : state) {
        }
        return;
    }
    constexpr int SpieleJeScheibe = 8;
    constexpr int64_t ProbeRunden = int64_t{1} << 14;
    struct Scheibe {
        double sekunden;
        double add; // the lower of the measurements before and after
    };
    vmbench::Partien p(spieler, strategien);
    std::vector<Scheibe> scheiben;
    scheiben.reserve(1 << 16);
    const double ghz = Takt(Runden);
    double vorher = Addierwerk(ProbeRunden);
    for (auto _ : state) {
        const auto t0 = Uhr::now();
        for (int i = 0; i < SpieleJeScheibe; ++i) p.Spiele();
        const std::chrono::duration<double> dauer = Uhr::now() - t0;
        const double nachher = Addierwerk(ProbeRunden);
        scheiben.push_back({dauer.count(), std::min(vorher, nachher)});
        vorher = nachher;
    }
    if (p.Sitzung().AnzahlFehler) state.SkipWithError("interne Fehler");
    double bester = 0;
    for (const Scheibe& s : scheiben) bester = std::max(bester, s.add);
    double zeitFrei = 0, zeitAlle = 0;
    int64_t frei = 0;
    for (const Scheibe& s : scheiben) {
        zeitAlle += s.sekunden;
        if (s.add >= 0.9 * bester) {
            zeitFrei += s.sekunden;
            ++frei;
        }
    }
    const double n = static_cast<double>(scheiben.size());
    state.SetItemsProcessed(state.iterations() * SpieleJeScheibe);
    state.counters["Spiele/s_frei"] =
        zeitFrei > 0 ? static_cast<double>(frei * SpieleJeScheibe) / zeitFrei : 0;
    state.counters["Spiele/s_alle"] = zeitAlle > 0 ? n * SpieleJeScheibe / zeitAlle : 0;
    state.counters["Anteil_frei"] = n > 0 ? static_cast<double>(frei) / n : 0;
    state.counters["Add/Takt"] = ghz > 0 ? bester / ghz : 0;
}

} // namespace

BENCHMARK(Kern_Takt);
BENCHMARK(Kern_Addierwerk);
BENCHMARK_CAPTURE(FreierKern, Standard_4p_4_4_10_10, 4, {4, 4, 10, 10})->MinTime(10);
BENCHMARK_CAPTURE(FreierKern, Standard_3p_4_10_10, 3, {4, 10, 10, 1})->MinTime(10);
BENCHMARK_CAPTURE(FreierKern, Standard_2p_12_14, 2, {12, 14, 1, 1})->MinTime(10);
