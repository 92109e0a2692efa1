// Strategy settings of one player count. Stored byte for byte in the history and the game file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "model/arr1.h"

namespace vm {

struct TStrategieEinstellung {
    uint8_t Sim; // the computer also plays seat 1; a new game starts a simulation series
    uint8_t _pad[3];
    Arr1<int32_t, 4> Strategie;
    Arr1<int32_t, 4> StartGeld;
    Arr1<int32_t, 4> StartRolle; // 0 = dealt at random
    int32_t AnzahlSim;
    int32_t Parameter123[10];
    int32_t Parameter[12][19]; // strategies 4..15, use Param(s, i)

    int32_t& Param(int strategie, int slot) { return Parameter[strategie - 4][slot]; }
    int32_t Param(int strategie, int slot) const { return Parameter[strategie - 4][slot]; }
};

static_assert(std::is_standard_layout_v<TStrategieEinstellung> &&
              std::is_trivially_copyable_v<TStrategieEinstellung>);
static_assert(sizeof(TStrategieEinstellung) == 1008);
static_assert(offsetof(TStrategieEinstellung, Strategie) == 4 &&
              offsetof(TStrategieEinstellung, StartGeld) == 20 &&
              offsetof(TStrategieEinstellung, StartRolle) == 36 &&
              offsetof(TStrategieEinstellung, AnzahlSim) == 52 &&
              offsetof(TStrategieEinstellung, Parameter123) == 56 &&
              offsetof(TStrategieEinstellung, Parameter) == 96);

// The three records for 2, 3 and 4 players, consecutively.
struct TStrategieeinstellungen {
    Arr1<TStrategieEinstellung, 3> R; // index 1..3 = 2..4 players

    TStrategieEinstellung& Fuer(int spielerAnzahl) { return R[spielerAnzahl - 1]; }
    const TStrategieEinstellung& Fuer(int spielerAnzahl) const { return R[spielerAnzahl - 1]; }
};
static_assert(sizeof(TStrategieeinstellungen) == 3024);

} // namespace vm
