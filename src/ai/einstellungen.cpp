#include "ai/einstellungen.h"

#include <cstring>

namespace vm {

namespace {

// Strategies per seat for 2, 3 and 4 players.
constexpr TVorgabe StrategieVorgabe[4] = {{12, 4, 4}, {14, 10, 4}, {1, 10, 10}, {1, 1, 10}};

std::vector<TEinstellungsFeld> FelderAufbauen() {
    std::vector<TEinstellungsFeld> f;
    f.push_back({FeldArt::Sim, 0, 0, "Spieler 1 simuliert der Computer !", "Sim", 0, 0, 1, 1, true, false});
    for (int s = 1; s <= 4; ++s)
        f.push_back({FeldArt::Strategie, 0, s, "", "Strategie_Sp" + std::to_string(s),
                     StrategieVorgabe[s - 1], 1, 16, 1, true, false});
    for (int s = 1; s <= 4; ++s)
        f.push_back(
            {FeldArt::Geld, 0, s, "", "SetUpGeld_Sp" + std::to_string(s), 25, 0, 1000, 1, true, false});
    for (int s = 1; s <= 4; ++s)
        f.push_back({FeldArt::Rolle, 0, s, "", "SetUpRolle_Sp" + std::to_string(s), 0, 0, 4, 1, true, false});
    f.push_back(
        {FeldArt::AnzahlSim, 0, 0, "Anzahl Spieldurchläufe", "AnzahlSim", 500, 0, 100000, 50, true, false});
    const TParameterBlock& b16 = ParameterBlock(16);
    for (const TParameterBlock& b : parameter::Bloecke) {
        // Strategy 16's fields stand where they were reserved, so the files keep their key order.
        if (b.Von == 16) continue;
        const bool p123 = b.Von <= 3;
        // The reserved slots follow the last block that shares the stored slots.
        const bool letzter = !p123 || b.Bis == 3;
        for (int s = b.Von; s <= (p123 ? b.Von : b.Bis); ++s) {
            const std::string stamm = p123 ? "Strategie_123_P_" : "Strategie_" + std::to_string(s) + "_P_";
            const FeldArt art = p123 ? FeldArt::P123 : FeldArt::Param;
            const int strategie = p123 ? 0 : s;
            int slot = b.ErsterSlot;
            for (const TParameterDef& p : b.Felder) {
                f.push_back({art, strategie, slot, p.Beschriftung.empty() ? p.Name : p.Beschriftung,
                             stamm + std::to_string(slot), p.Vorgabe, p.Min, p.Max, p.Schritt,
                             !p.Name.empty() || p.Versteckt, p.Versteckt});
                ++slot;
            }
            for (; letzter && slot < b.Slots; ++slot) {
                const int i16 = slot - b16.ErsterSlot;
                if (p123 && i16 >= 0 && i16 < static_cast<int>(b16.Felder.size())) {
                    const TParameterDef& p = b16.Felder[static_cast<size_t>(i16)];
                    f.push_back({art, 0, slot, p.Name, stamm + std::to_string(slot), p.Vorgabe, p.Min, p.Max,
                                 p.Schritt, true, false});
                    continue;
                }
                f.push_back(
                    {art, strategie, slot, "", stamm + std::to_string(slot), 0, 0, 0, 0, false, false});
            }
        }
    }
    return f;
}

} // namespace

const TParameterBlock& ParameterBlock(int strategie) {
    for (const TParameterBlock& b : parameter::Bloecke)
        if (strategie >= b.Von && strategie <= b.Bis) return b;
    return parameter::Bloecke[0];
}

const std::vector<TEinstellungsFeld>& EinstellungsFelder() {
    static const std::vector<TEinstellungsFeld> felder = FelderAufbauen();
    return felder;
}

int32_t* FeldWert(TStrategieEinstellung& e, FeldArt art, int32_t strategie, int32_t index) {
    switch (art) {
    case FeldArt::Strategie:
        return &e.Strategie[index];
    case FeldArt::Geld:
        return &e.StartGeld[index];
    case FeldArt::Rolle:
        return &e.StartRolle[index];
    case FeldArt::AnzahlSim:
        return &e.AnzahlSim;
    case FeldArt::P123:
        return &e.Parameter123[index];
    case FeldArt::Param:
        return &e.Param(strategie, index);
    case FeldArt::Sim:
        break;
    }
    return nullptr;
}

std::string BerichtsBeschriftung(const TParameterBlock& b, const TParameterDef& p) {
    std::string s(p.Name);
    if (s.size() < static_cast<size_t>(b.Breite)) s.resize(static_cast<size_t>(b.Breite), ' ');
    return s + ": ";
}

void InitStrategieparameter(TStrategieeinstellungen& e) {
    std::memset(&e, 0, sizeof e);
    for (int n = 2; n <= 4; ++n) {
        TStrategieEinstellung& r = e.Fuer(n);
        for (const TEinstellungsFeld& f : EinstellungsFelder())
            if (int32_t* w = FeldWert(r, f)) *w = f.Vorgabe.Fuer(n);
    }
}

} // namespace vm
