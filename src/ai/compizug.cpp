#include "ai/compizug.h"

#include <array>

#include "ai/auswertung.h"
#include "ai/einstellungen.h"
#include "ai/strategien.h"
#include "ai/vorausschau.h"
#include "rules/ablauf.h"
#include "rules/hand.h"

namespace vm {

// The pub round's round limit of strategies 6 to 15: the same slot in all their blocks.
constexpr int SlotB_R4 = ParameterSlot(6, "B_R4");
static_assert(SlotB_R4 == ParameterSlot(8, "B_R4") && SlotB_R4 == ParameterSlot(10, "B_R4") &&
              SlotB_R4 == ParameterSlot(12, "B_R4") && SlotB_R4 == ParameterSlot(14, "B_R4"));

namespace {

constexpr std::array<std::string_view, 17> Namen = {
    "",
    "Passe !",
    "Blaublütiger Adel (V1)",
    "Der Simpel",
    "Der wahre Kastor",
    "Der wahre Kastor",
    "Baron Münchhausen (V1)",
    "Baron Münchhausen (V1)",
    "Baron Münchhausen (V2)",
    "Baron Münchhausen (V2)",
    "Baron Münchhausen (V3)",
    "Baron Münchhausen (V3)",
    "Baron Münchhausen (V4)",
    "Baron Münchhausen (V4)",
    "Blaublütiger Adel (V2)",
    "Blaublütiger Adel (V2)",
    "Vorausschau",
};

constexpr int32_t MaxWechselTiefe = 10;

} // namespace

bool StrategieVerfuegbar(int32_t s) {
    return (s >= 1 && s <= 16) || s == 99;
}

std::string_view Strategiename(int32_t s) {
    return s >= 1 && s < static_cast<int32_t>(Namen.size()) ? Namen[s] : std::string_view{};
}

void CompiStrategieZug(TSpielsitzung& g, int32_t strategie) {
    switch (strategie) {
    case 2:
    case 3:
        CompiBeginnStrat2(g, strategie == 3);
        break;
    case 4:
    case 5:
    case 99:
        CompiBeginnStrat4(g, strategie);
        break;
    case 6:
    case 7:
        CompiBeginnStrat6(g, strategie);
        break;
    case 8:
    case 9:
        CompiBeginnStrat8(g, strategie);
        break;
    case 10:
    case 11:
        CompiBeginnStrat10(g, strategie);
        break;
    case 12:
    case 13:
        CompiBeginnStrat12(g, strategie);
        break;
    case 14:
    case 15:
        CompiBeginnStrat14(g, strategie);
        break;
    case 16:
        VorausschauZug(g);
        break;
    default:
        // Strategy 1 and every number without a routine pass.
        Passen(g, g.Stand().AktuellerSpieler);
        break;
    }
}

int32_t SchenkePunkte(TSpielsitzung& g, int sp, int32_t strategie) {
    const TSpieler& s = g.Stand().Spieler[sp];
    const TStrategieEinstellung& e = g.EinstellungLaufend();
    const int32_t geld = s.Geld;
    const int32_t grenze = 5 * s.AnzahlSchenken;
    const int32_t R = g.Stand().Runde;
    const bool schluss = g.Stand().StapelLeer != 0;
    auto min = [](int32_t a, int32_t b) { return a < b ? a : b; };
    if (s.AnzahlSchenken < 1) return 0;
    switch (strategie) {
    case 2:
    case 3: {
        const int32_t runde =
            e.Parameter123[strategie == 2 ? ParameterSlot(2, "S2-Runde") : ParameterSlot(3, "S3-Runde")];
        return R >= runde ? min(geld / 2, grenze) : 0;
    }
    case 6:
    case 7:
    case 8:
    case 9: {
        int32_t n = min(geld / 2, grenze);
        if (schluss && s.Hand().Anzahl >= 2) n = 0;
        if (R < e.Param(strategie, SlotB_R4) && !schluss) return 0;
        return n;
    }
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: {
        if (R < e.Param(strategie, SlotB_R4) && !schluss) return 0;
        const tAuswKarten& a = Auswertung(g, sp);
        int32_t x = (geld + a.SS[3].Geld - a.HandPreisGesamt) / 2;
        x = min(x, geld);
        x = (x < 0 ? 0 : x) / 2;
        int32_t n = min(x, grenze);
        if (strategie >= 12) {
            const int32_t r = Aristokratenreserve(g, 18);
            if (geld - 2 * n < r && geld - 2 * n + 2 >= r && n > 0) --n;
        }
        return n;
    }
    default:
        return 0;
    }
}

void CompiSchenkeZug(TSpielsitzung& g) {
    const int sp = g.Stand().AktuellerSpieler;
    const int32_t strategie = g.EinstellungLaufend().Strategie[sp];
    if (strategie == 16) return VorausschauZug(g);
    const int32_t n = SchenkePunkte(g, sp, strategie);
    if (n > 0) KaufSiegpunkte(g, sp, n);
}

void CompiZug(TSpielsitzung& g) {
    if (g.Stand().Spielende) return;
    const int sitz = g.Stand().AktuellerSpieler;
    if (sitz < 1 || sitz > 4 || !g.Stand().Computer[sitz]) return;
    if (!g.Stand().SchenkeModus) CompiStrategieZug(g, g.EinstellungLaufend().Strategie[sitz]);
    if (g.Stand().SchenkeModus) CompiSchenkeZug(g);
    NaechsterSpieler(g);
}

bool Strategiewechsel(TSpielsitzung& g, int32_t ersteRunde, int32_t letzteRunde, int32_t strategie,
                      int32_t prozent) {
    if (g.Stand().Runde < ersteRunde || g.Stand().Runde > letzteRunde || strategie == 0) return false;
    const bool ok = g.Zufall.Random(100) < prozent;
    g.Trace("Random Strategiewechsel nach ", strategie, " : ", ok ? "OK" : "Not OK");
    if (!ok || g.StrategiewechselTiefe >= MaxWechselTiefe) return false;
    ++g.StrategiewechselTiefe;
    CompiStrategieZug(g, strategie);
    --g.StrategiewechselTiefe;
    return true;
}

bool ZufallMarktpflege(TSpielsitzung& g, int32_t prozent, int32_t phase) {
    const bool ok = g.Zufall.Random(100) < prozent;
    g.Trace("Random Marktpflege in Phase ", phase, " : ", ok ? "OK" : "Not OK");
    return ok;
}

} // namespace vm
