// The strategy settings in one table: every field of a record with its name, its defaults for
// 2, 3 and 4 players, the settings dialog's range, its key in the profile and parameter files and
// its caption in the statistics report.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/einstellung.h"

namespace vm {

enum class FeldArt { Sim, Strategie, Geld, Rolle, AnzahlSim, P123, Param };

// A default that may differ by player count: values for 2, 3 and 4 players.
struct TVorgabe {
    int32_t v[3];
    constexpr TVorgabe(int32_t alle) : v{alle, alle, alle} {}
    constexpr TVorgabe(int32_t a, int32_t b, int32_t c) : v{a, b, c} {}
    constexpr int32_t Fuer(int spielerAnzahl) const { return v[spielerAnzahl - 2]; }
};

// One slot of a parameter block. A slot without a name is stored but never read; `Versteckt`
// gives it a control that is never shown.
struct TParameterDef {
    std::string_view Name;
    TVorgabe Vorgabe;
    int32_t Min = 0, Max = 100;
    bool Versteckt = false;
    std::string_view Beschriftung = {}; // the dialog's label where it is not the name
    int32_t Schritt = 1;                // the dialog's step
};

// The parameters of strategies Von..Bis, which share names and defaults: slots from ErsterSlot
// on, in block order (strategies 2 and 3 share the record's Parameter123). The slots after the
// last one listed up to Slots are reserved: stored, default 0, without a control.
struct TParameterBlock {
    int32_t Von, Bis;
    int32_t ErsterSlot;
    std::span<const TParameterDef> Felder;
    int32_t Slots;                   // slots the files store, counted from slot 0
    int32_t Breite;                  // report caption: the name padded to this width, then ": "
    std::span<const int8_t> Bericht; // report order of the slots where it is not the block order
};

// The blocks' data, for the lookups at compile time.
namespace parameter {

using P = TParameterDef;

inline constexpr P S2[] = {
    {"S2-GrenzeB", 18, 0, 30}, {"S2-GrenzeR", {10, 6, 7}, 0, 30}, {"S2-Runde", 6, 1, 10}};
inline constexpr P S3[] = {
    {"S3-GrenzeB", {14, 10, 14}, 0, 30}, {"S3-GrenzeR", 7, 0, 30}, {"S3-Runde", {6, 6, 5}, 1, 10}};
inline constexpr P S45[] = {{"G_R1", {6, 4, 4}, 0, 200},  {"G_G2", 1, 0, 200},         {"G_G3", 2, 0, 200},
                            {"B_R10", {5, 3, 3}, 0, 200}, {"B_G11", 6, 0, 200},        {"B_G12", 10, 0, 200},
                            {"B_G13", 15, 0, 200},        {"R_R5", {6, 4, 3}, 0, 200}, {"R_G6", 6, 0, 200},
                            {"R_R7", {7, 5, 4}, 0, 200},  {"R_G8", 10, 0, 200},        {"R_G9", 12, 0, 200},
                            {"E_R4", {7, 5, 4}, 0, 200}};
inline constexpr P S67[] = {{"G_R10", 5},
                            {"G_G11", 2},
                            {"B_G1", 18},
                            {"B_R4", {6, 6, 5}},
                            {"B_R7", {3, 3, 2}},
                            {"B_G8", 0},
                            {"B_G9", 10},
                            {"B_G12", 14},
                            {"B_W13", 50},
                            {"B_G14", 13},
                            {"R_G2", 6},
                            {"R_R3", 4},
                            {"E_R5", 4},
                            {"E_G6", 7},
                            {"E_W15", 100},
                            {"X_R16", 3},
                            {"X_R17", 3},
                            {"X_W18", 0},
                            {"X_S19", 0, 0, 100, false, "XS19"}};
// 8 and 9 differ only in the default of the hidden 19th slot.
constexpr std::array<P, 19> S89(TVorgabe neunzehn) {
    return {{{"G_R10", {6, 5, 5}},
             {"G_G11", 2},
             {"B_G1", 18},
             {"B_R4", {6, 5, 5}},
             {"B_R7", {3, 2, 2}},
             {"B_G8", 0},
             {"B_G9", 10},
             {"B_G12", 14},
             {"B_W13", 30},
             {"B_G14", 13},
             {"B_W18", 10},
             {"R_G2", 6},
             {"R_R3", {5, 4, 4}},
             {"E_R5", {5, 4, 4}},
             {"E_G6", 7},
             {"E_W15", 100},
             {"E_R16", {4, 3, 3}},
             {"E_A17", 1},
             {"", neunzehn, 0, 100, true}}};
}
inline constexpr std::array<P, 19> S8 = S89(4);
inline constexpr std::array<P, 19> S9 = S89({4, 0, 0});
inline constexpr P S1011[] = {{"G_R10", 5},        {"G_G11", {2, 1, 1}}, {"B_G1", 18},
                              {"B_R4", {6, 5, 5}}, {"B_R7", {3, 2, 2}},  {"B_G8", 0},
                              {"B_G9", 10},        {"B_G12", 14},        {"B_W13", {30, 90, 90}},
                              {"B_G14", 13},       {"B_W18", 10},        {"R_G2", 6},
                              {"R_R3", 4},         {"E_R5", 4},          {"E_G6", 7},
                              {"E_W15", 100},      {"E_R16", 3},         {"E_A17", 1},
                              {"B_R19", 4}};
inline constexpr P S1213[] = {
    {"G_R10", 5},   {"G_G11", 3},   {"B_G1", 18},        {"B_R4", 6}, {"B_G20", 12}, {"B_G21", {18, 13, 13}},
    {"B_R19", 4},   {"B_W13", 100}, {"R_G2", 10},        {"R_R3", 5}, {"E_R5", 5},   {"E_G6", 10},
    {"E_W15", 100}, {"E_R16", 4},   {"E_A17", {1, 2, 2}}};
inline constexpr P S1415[] = {
    {"G_R10", 4},   {"G_G11", 1},   {"B_G1", 18},        {"B_R4", 6}, {"B_G20", 12}, {"B_G21", {18, 13, 13}},
    {"B_R19", 4},   {"B_W13", 100}, {"R_G2", 10},        {"R_R3", 5}, {"E_R5", 5},   {"E_G6", 10},
    {"E_W15", 100}, {"E_R16", 4},   {"E_A17", {1, 2, 2}}};
// Strategy 16 keeps its parameters in reserved slots of Parameter123; 0 stands for the built-in
// value, so records and files without strategy 16 keep their bytes.
inline constexpr P S16[] = {
    {"Budget", 0, 0, 1000000, false, {}, 100}, {"Rollout", 0, 0, 15}, {"Erkundung", 0, 0, 99}};
// The report shows B_R19 of strategies 10 and 11 beside the other blue parameters.
inline constexpr int8_t Bericht1011[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 18, 11, 12, 13, 14, 15, 16, 17};

inline constexpr TParameterBlock Bloecke[] = {
    {2, 2, 0, S2, 10, 11, {}},
    {3, 3, 3, S3, 10, 11, {}},
    {4, 5, 0, S45, 19, 6, {}},
    {6, 7, 0, S67, 19, 7, {}},
    {8, 8, 0, S8, 19, 7, {}},
    {9, 9, 0, S9, 19, 7, {}},
    {10, 11, 0, S1011, 19, 7, Bericht1011},
    {12, 13, 0, S1213, 15, 7, {}},
    {14, 15, 0, S1415, 15, 7, {}},
    {16, 16, 6, S16, 10, 10, {}},
};

} // namespace parameter

// Parameter123 holds the blocks of strategies 2, 3 and 16.
constexpr bool InParameter123(int strategie) {
    return strategie <= 3 || strategie == 16;
}

// The slot of a named parameter of strategy 2..16; a name the table lacks does not compile.
consteval int32_t ParameterSlot(int strategie, std::string_view name) {
    for (const TParameterBlock& b : parameter::Bloecke) {
        if (strategie < b.Von || strategie > b.Bis) continue;
        for (size_t i = 0; i < b.Felder.size(); ++i)
            if (b.Felder[i].Name == name) return b.ErsterSlot + static_cast<int32_t>(i);
    }
    throw "no such parameter";
}

// The block of strategy 2..16.
const TParameterBlock& ParameterBlock(int strategie);

// One field of a record in file order, with all the table says of it.
struct TEinstellungsFeld {
    FeldArt Art;
    int32_t Strategie;      // Param: 4..15, else 0
    int32_t Index;          // seat 1..4, or the slot
    std::string_view Name;  // the dialog's label: the parameter's name; "" in the seat grid
    std::string Schluessel; // key in the profile and the parameter files
    TVorgabe Vorgabe;
    int32_t Min, Max, Schritt; // the dialog's range
    bool Steuerung;            // the dialog has a control for it
    bool Versteckt;            // ... that is never shown
};
const std::vector<TEinstellungsFeld>& EinstellungsFelder();

// The field of a record; null for the simulation flag, which is a byte.
int32_t* FeldWert(TStrategieEinstellung& e, FeldArt art, int32_t strategie, int32_t index);
inline int32_t* FeldWert(TStrategieEinstellung& e, const TEinstellungsFeld& f) {
    return FeldWert(e, f.Art, f.Strategie, f.Index);
}

// The report's caption of a parameter: "G_R10  : ".
std::string BerichtsBeschriftung(const TParameterBlock& b, const TParameterDef& p);

void InitStrategieparameter(TStrategieeinstellungen& e);

} // namespace vm
