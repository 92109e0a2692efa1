#include "ai/strategien.h"

#include "ai/einstellungen.h"
#include "ai/routinen.h"
#include "rules/ablauf.h"

namespace vm {

void CompiBeginnStrat2(TSpielsitzung& g, bool drei) {
    const TStrategieEinstellung& e = g.EinstellungLaufend();
    const int32_t gB = e.Parameter123[drei ? ParameterSlot(3, "S3-GrenzeB") : ParameterSlot(2, "S2-GrenzeB")];
    const int32_t gR = e.Parameter123[drei ? ParameterSlot(3, "S3-GrenzeR") : ParameterSlot(2, "S2-GrenzeR")];
    const int32_t rr = e.Parameter123[drei ? ParameterSlot(3, "S3-Runde") : ParameterSlot(2, "S2-Runde")];
    const int sp = g.Stand().AktuellerSpieler;
    tAuswKarten& a = Auswertung(g, sp);
    TKI k{g, sp, a};
    const int32_t R = g.Stand().Runde;
    const bool schluss = g.Stand().StapelLeer != 0;
    bool ok = false;
    switch (g.Stand().Phase) {
    case 1:
        ok = KaufeGuenstigsteKarte(k, 1, OhneLimit);
        break;
    case 2:
        if (!drei)
            ok = KaufeKarteInx(k, 2, 0, 7) || KaufeBereichAbsteigend(k, 2, gB, 17, 7) ||
                 KaufeBereichAbsteigend(k, 3, gB, 24, 18) || KaufeBereichAbsteigend(k, 2, gB, 17, 7);
        else
            ok = KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeBereichAbsteigend(k, 3, gB, 24, 18) ||
                 KaufeBereichAbsteigend(k, 2, gB, 17, 7);
        break;
    case 3:
        if (!drei) {
            const int32_t m = R < rr ? gR - a.SS[3].Geld : 0;
            ok = KaufeFehlendeAbsteigend(k, 3, m, 24, 18) || KaufeRotesUpgrade(k, m, false) ||
                 (R <= rr && KaufeBereichAbsteigend(k, 3, m, 24, 18));
        } else {
            const int32_t m = R < rr ? gR : 0;
            ok = KaufeBereichAbsteigend(k, 3, m, 24, 18);
        }
        break;
    case 4: {
        const int32_t m = R < rr ? gR : 0;
        if (!drei)
            ok = (R <= rr && !schluss && KaufeGruenesGeldUpgrade(k)) || KaufeRotesUpgrade(k, m, schluss) ||
                 KaufeBereichAbsteigend(k, 3, m, 24, 18) ||
                 (!schluss && KaufeBereichAbsteigend(k, 2, m, 17, 7));
        else
            ok = KaufeGruenesGeldUpgrade(k) || KaufeBereichAbsteigend(k, 3, m, 24, 18) ||
                 KaufeBereichAbsteigend(k, 2, m, 17, 7);
        break;
    }
    default:
        g.InternerFehler(1, "CompiBeginnStrat2");
        return;
    }
    if (!ok) Passen(g, sp);
}

namespace {

constexpr int G_R1 = ParameterSlot(4, "G_R1");
constexpr int G_G2 = ParameterSlot(4, "G_G2");
constexpr int G_G3 = ParameterSlot(4, "G_G3");
constexpr int B_R10 = ParameterSlot(4, "B_R10");
constexpr int B_G11 = ParameterSlot(4, "B_G11");
constexpr int B_G12 = ParameterSlot(4, "B_G12");
constexpr int B_G13 = ParameterSlot(4, "B_G13");
constexpr int R_R5 = ParameterSlot(4, "R_R5");
constexpr int R_G6 = ParameterSlot(4, "R_G6");
constexpr int R_R7 = ParameterSlot(4, "R_R7");
constexpr int R_G8 = ParameterSlot(4, "R_G8");
constexpr int R_G9 = ParameterSlot(4, "R_G9");
constexpr int E_R4 = ParameterSlot(4, "E_R4");

bool Phase2Schritte3bis5(TKI& k, const TStrategieEinstellung& e, int block) {
    const int32_t R = k.g.Stand().Runde;
    const int32_t m2 = R > e.Param(block, B_R10) ? 0 : e.Param(block, B_G11);
    return LegeGuenstigsteGrueneHandkarte(k) || LegeTeuersteBlaueHandkarte(k, m2) ||
           KaufeBereichAbsteigend(k, 2, m2, 17, 12) ||
           (R <= e.Param(block, B_R10) && BunkernBereichFarbe(k, 2, 1, e.Param(block, B_G13), 17, 12));
}

bool Strat4Zug(TKI& k, const TStrategieEinstellung& e, int block) {
    TSpielsitzung& g = k.g;
    const int32_t R = g.Stand().Runde;
    const bool schluss = g.Stand().StapelLeer != 0;
    auto P = [&](int slot) { return e.Param(block, slot); };
    switch (g.Stand().Phase) {
    case 1:
        if (R > P(G_R1)) {
            if (KaufeGuenstigsteKarte(k, 1, P(G_G2))) return true;
        } else {
            if (KaufeGuenstigsteKarte(k, 1, OhneLimit)) return true;
            if (!schluss && BunkernKarten(k, 1, true, 2, P(G_G3))) return true;
        }
        return LegeGuenstigsteGrueneHandkarte(k);
    case 2: {
        const int32_t m = R <= P(B_R10) ? P(B_G11) + k.a.SS[1].HandPreis : 0;
        const int32_t blaue = k.a.SS[2].Anzahl + k.a.SS[2].HandAnzahl;
        if ((blaue == 0 || (blaue == 1 && k.Besitzt(11))) && KaufeBlaueWertung(k, m, P(B_G12))) return true;
        if (KaufeBlaueDuplikate(k, 2, 1, m)) return true;
        if (!EndeNah(g) && (g.Stand().SpielerAnzahl < 4 || R < 5) && KaufeBlaueDuplikate(k, 2, 0, 0))
            return true;
        return Phase2Schritte3bis5(k, e, block);
    }
    case 3: {
        const int32_t m = R <= P(R_R5) ? P(R_G6) - k.a.SS[3].Geld : 0;
        return R <= P(R_R7) && KaufeSchreiberVerwalter(k, m, P(R_G9), P(R_G8));
    }
    case 4:
        if (R > P(E_R4)) return (!schluss && KaufeGruenesPunkteUpgrade(k)) || KaufeRotesPunkteUpgrade(k);
        return (!schluss && KaufeGruenesGeldUpgrade(k)) || LegeGuenstigsteGrueneHandkarte(k) ||
               (!schluss && BunkernGrueneGeldUpgrade(k));
    }
    return false;
}

bool Strat99Zug(TKI& k, const TStrategieEinstellung& e) {
    TSpielsitzung& g = k.g;
    const int32_t R = g.Stand().Runde;
    auto P = [&](int slot) { return e.Param(4, slot); };
    switch (g.Stand().Phase) {
    case 1:
        if (R == 1) return KaufeGuenstigsteKarte(k, 1, OhneLimit);
        return KaufeGuenstigsteKarte(k, 1, P(G_G2)) || LegeGuenstigsteGrueneHandkarte(k);
    case 2: {
        const int32_t m = R <= P(B_R10) ? P(B_G11) + k.a.SS[1].HandPreis : 0;
        if (R == 1 && (KaufeBereichAufsteigend(k, 2, 0, 10, 9) || KaufeBereichAufsteigend(k, 2, 0, 13, 7)))
            return true;
        return KaufeBlauesUpgradeMitZiel(k, 0, true, 100) || KaufeBlauesUpgradeMitZiel(k, 0, false, 3) ||
               KaufeBlaueDuplikate(k, 2, 1, m) || KaufeBlaueDuplikate(k, 2, 0, 0) ||
               Phase2Schritte3bis5(k, e, 4);
    }
    case 3:
        return R == 1 && KaufeBereichBegrenzt(k, 3, 1, 0, 24, 18);
    case 4:
        if (R > 1) return KaufeGruenesPunkteUpgrade(k) || KaufeRotesPunkteUpgrade(k);
        return BunkernBlauesUpgrade(k, 2, 0) || BunkernKartenbereich(k, 1, 3, 48, 40, 3) ||
               BunkernGrueneGeldUpgrade(k) || KaufeGruenesGeldUpgrade(k) ||
               LegeGuenstigsteGrueneHandkarte(k) || BunkernBlauesUpgrade(k, 1, 0) ||
               BunkernGrueneGeldUpgrade(k);
    }
    return false;
}

} // namespace

void CompiBeginnStrat4(TSpielsitzung& g, int strategie) {
    const TStrategieEinstellung& e = g.EinstellungLaufend();
    const int sp = g.Stand().AktuellerSpieler;
    tAuswKarten& a = Auswertung(g, sp);
    TKI k{g, sp, a};
    if (g.Stand().Phase < 1 || g.Stand().Phase > 4) {
        g.InternerFehler(1, strategie == 5 ? "CompiBeginnStrat5" : "CompiBeginnStrat4");
        return;
    }
    const bool ok = strategie == 99 ? Strat99Zug(k, e) : Strat4Zug(k, e, strategie == 5 ? 5 : 4);
    if (!ok) Passen(g, sp);
}

} // namespace vm
