#include "ai/einstellungen.h"

#include <cstring>
#include <initializer_list>

namespace vm {

namespace {

// A default that may differ by player count: values for 2, 3 and 4 players.
struct W {
    int32_t v[3];
    constexpr W(int32_t alle) : v{alle, alle, alle} {}
    constexpr W(int32_t a, int32_t b, int32_t c) : v{a, b, c} {}
};

void Block(TStrategieeinstellungen& e, int strategie, std::initializer_list<W> werte) {
    for (int n = 2; n <= 4; ++n) {
        int slot = 0;
        for (const W& w : werte) e.Fuer(n).Param(strategie, slot++) = w.v[n - 2];
    }
}

} // namespace

void InitStrategieparameter(TStrategieeinstellungen& e) {
    std::memset(&e, 0, sizeof e);
    const int32_t strategien[3][4] = {{12, 14, 1, 1}, {4, 10, 10, 1}, {4, 4, 10, 10}};
    for (int n = 2; n <= 4; ++n) {
        TStrategieEinstellung& r = e.Fuer(n);
        for (int s = 1; s <= 4; ++s) {
            r.Strategie[s] = strategien[n - 2][s - 1];
            r.StartGeld[s] = 25;
            r.StartRolle[s] = 0;
        }
        r.AnzahlSim = 500;
    }
    const W p123[] = {18, {10, 6, 7}, 6, {14, 10, 14}, 7, {6, 6, 5}};
    for (int n = 2; n <= 4; ++n)
        for (int i = 0; i < 6; ++i) e.Fuer(n).Parameter123[i] = p123[i].v[n - 2];

    for (int s : {4, 5})
        Block(e, s, {{6, 4, 4}, 1, 2, {5, 3, 3}, 6, 10, 15, {6, 4, 3}, 6, {7, 5, 4}, 10, 12, {7, 5, 4}});
    for (int s : {6, 7})
        Block(e, s, {5, 2, 18, {6, 6, 5}, {3, 3, 2}, 0, 10, 14, 50, 13, 6, 4, 4, 7, 100, 3, 3, 0, 0});
    // 8 and 9 share their defaults but for the unread 19th slot.
    for (int s : {8, 9})
        Block(e, s,
              {{6, 5, 5},
               2,
               18,
               {6, 5, 5},
               {3, 2, 2},
               0,
               10,
               14,
               30,
               13,
               10,
               6,
               {5, 4, 4},
               {5, 4, 4},
               7,
               100,
               {4, 3, 3},
               1,
               s == 8 ? W{4} : W{4, 0, 0}});
    for (int s : {10, 11})
        Block(e, s,
              {5,
               {2, 1, 1},
               18,
               {6, 5, 5},
               {3, 2, 2},
               0,
               10,
               14,
               {30, 90, 90},
               13,
               10,
               6,
               4,
               4,
               7,
               100,
               3,
               1,
               4});
    for (int s : {12, 13})
        Block(e, s, {5, 3, 18, 6, 12, {18, 13, 13}, 4, 100, 10, 5, 5, 10, 100, 4, {1, 2, 2}});
    for (int s : {14, 15})
        Block(e, s, {4, 1, 18, 6, 12, {18, 13, 13}, 4, 100, 10, 5, 5, 10, 100, 4, {1, 2, 2}});
}

} // namespace vm
