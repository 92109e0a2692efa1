// Strategies 6 to 11.
#include "ai/strategien_zug.h"

namespace vm {

using namespace stark;

namespace {

// ---- strategies 6 to 9 ----

// Slots by name, from the parameter table; strategies 8 to 11 share the first 18.
namespace p6 {
constexpr int G_R10 = ParameterSlot(6, "G_R10");
constexpr int G_G11 = ParameterSlot(6, "G_G11");
constexpr int B_G1 = ParameterSlot(6, "B_G1");
constexpr int B_R4 = ParameterSlot(6, "B_R4");
constexpr int B_R7 = ParameterSlot(6, "B_R7");
constexpr int B_G8 = ParameterSlot(6, "B_G8");
constexpr int B_G9 = ParameterSlot(6, "B_G9");
constexpr int B_G12 = ParameterSlot(6, "B_G12");
constexpr int B_W13 = ParameterSlot(6, "B_W13");
constexpr int B_G14 = ParameterSlot(6, "B_G14");
constexpr int R_G2 = ParameterSlot(6, "R_G2");
constexpr int R_R3 = ParameterSlot(6, "R_R3");
constexpr int E_R5 = ParameterSlot(6, "E_R5");
constexpr int E_G6 = ParameterSlot(6, "E_G6");
constexpr int E_W15 = ParameterSlot(6, "E_W15");
constexpr int X_R16 = ParameterSlot(6, "X_R16");
constexpr int X_R17 = ParameterSlot(6, "X_R17");
constexpr int X_W18 = ParameterSlot(6, "X_W18");
constexpr int X_S19 = ParameterSlot(6, "X_S19");
} // namespace p6
namespace p8 {
constexpr int G_R10 = ParameterSlot(10, "G_R10");
constexpr int G_G11 = ParameterSlot(10, "G_G11");
constexpr int B_G1 = ParameterSlot(10, "B_G1");
constexpr int B_R4 = ParameterSlot(10, "B_R4");
constexpr int B_R7 = ParameterSlot(10, "B_R7");
constexpr int B_G8 = ParameterSlot(10, "B_G8");
constexpr int B_G9 = ParameterSlot(10, "B_G9");
constexpr int B_G12 = ParameterSlot(10, "B_G12");
constexpr int B_W13 = ParameterSlot(10, "B_W13");
constexpr int B_G14 = ParameterSlot(10, "B_G14");
constexpr int B_W18 = ParameterSlot(10, "B_W18");
constexpr int R_G2 = ParameterSlot(10, "R_G2");
constexpr int R_R3 = ParameterSlot(10, "R_R3");
constexpr int E_R5 = ParameterSlot(10, "E_R5");
constexpr int E_G6 = ParameterSlot(10, "E_G6");
constexpr int E_W15 = ParameterSlot(10, "E_W15");
constexpr int E_R16 = ParameterSlot(10, "E_R16");
constexpr int E_A17 = ParameterSlot(10, "E_A17");
constexpr int B_R19 = ParameterSlot(10, "B_R19");
} // namespace p8

bool Liste6(TZug& z, bool acht) {
    TKI& k = z.k;
    const int32_t R = z.R;
    const bool fin = z.schluss;
    // The two pairs share the list; their blocks differ from slot 10 on.
    const int32_t G_R10 = z.P(p6::G_R10), G_G11 = z.P(p6::G_G11), B_G1 = z.P(p6::B_G1), B_R7 = z.P(p6::B_R7),
                  B_G8 = z.P(p6::B_G8), B_G9 = z.P(p6::B_G9), B_G12 = z.P(p6::B_G12), B_W13 = z.P(p6::B_W13),
                  B_G14 = z.P(p6::B_G14);
    const int32_t R_G2 = z.P(acht ? int{p8::R_G2} : int{p6::R_G2}),
                  R_R3 = z.P(acht ? int{p8::R_R3} : int{p6::R_R3}),
                  E_R5 = z.P(acht ? int{p8::E_R5} : int{p6::E_R5}),
                  E_G6 = z.P(acht ? int{p8::E_G6} : int{p6::E_G6}),
                  E_W15 = z.P(acht ? int{p8::E_W15} : int{p6::E_W15});
    auto wechsel = [&] {
        return !acht && Strategiewechsel(z.g, z.P(p6::X_R16), z.P(p6::X_R17), z.P(p6::X_S19), z.P(p6::X_W18));
    };
    switch (z.g.Stand().Phase) {
    case 1:
        if (wechsel()) return true;
        if (R > G_R10 || fin) {
            if (KaufeGuenstigsteKarte(k, 1, G_G11) || KaufeGruenesPunkteUpgrade(k)) return true;
        } else {
            if (KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeGruenesGeldUpgrade(k) ||
                BunkernKarten(k, 1, true, 2, G_G11))
                return true;
        }
        return LegeGuenstigsteGrueneHandkarte(k);
    case 2:
        if (KaufeKarteInx(k, 2, 0, 7)) return true;
        if (!fin && !z.HatKarte(2, 11) && KaufeKarteInx(k, 2, 0, 11)) return true;
        if (acht) {
            if (KaufeKarteInx(k, 2, 0, 9) || KaufeBlauesUpgradeMitZiel(k, 0, true, 100) ||
                KaufeBlauesUpgradeMitZiel(k, 0, false, 3) || LegeTeuersteBlaueHandkarte(k, 0))
                return true;
            if (z.a.SS[2].HandErw > 0 &&
                (KaufeArtenBegrenzt(k, 2, 1, B_G1, 10, 8) || KaufeArtenBegrenzt(k, 2, 1, B_G1, 13, 12)))
                return true;
            if (ZufallMarktpflege(z.g, z.P(p8::B_W18), 2) &&
                (KaufeArtenBegrenzt(k, 2, 1, B_G1, 10, 8) || KaufeArtenBegrenzt(k, 2, 1, B_G1, 13, 12)))
                return true;
        } else {
            if (wechsel() || LegeTeuersteBlaueHandkarte(k, B_G14)) return true;
        }
        if (KaufeFehlendeAbsteigend(k, 3, 0, 24, 18) || KaufeRotesUpgrade(k, 0, false)) return true;
        if (R > B_R7 ? KaufeNutzeSternwarte(k, 3, B_G12, B_G9) : NutzeSternwarte(k, 1, B_G8)) return true;
        if (LegeTeuersteHandkarte(k, 3, B_G1) || LegeGuenstigsteGrueneHandkarte(k)) return true;
        if (KaufeBereichAbsteigend(k, 2, B_G1, 17, 12) || KaufeKarteInx(k, 2, B_G1, 10) ||
            KaufeBereichAufsteigend(k, 3, B_G1, 21, 18))
            return true;
        return z.Marktpflege(!fin, B_W13) && BunkernBereich(k, 0, 2, 0, 12, 7);
    case 3: {
        const int32_t m = R <= R_R3 && !fin ? Max0(R_G2 - z.rot()) : 0;
        const int32_t mE = fin ? z.h() : m;
        if (wechsel()) return true;
        if (KaufeFehlendeAbsteigend(k, 3, mE, 24, 18) || KaufeRotesUpgrade(k, mE, false) ||
            BunkernFehlendeAbsteigend(k, 3, 24, 18))
            return true;
        if (R <= R_R3 && KaufeBereichAufsteigend(k, 3, B_G1, 21, 18)) return true;
        return LegeTeuersteHandkarte(k, 3, m) || LegeRotesUpgrade(k, m, fin);
    }
    case 4: {
        const int32_t m = R <= E_R5 && !fin ? E_G6 : 0;
        const int32_t mE = fin ? z.h() : m;
        if (wechsel()) return true;
        if (R <= E_R5 && !fin && KaufeGruenesGeldUpgrade(k)) return true;
        if (acht && R <= z.P(p8::E_R16) && !fin && BunkernBlauesUpgrade(k, z.P(p8::E_A17), 0)) return true;
        if (KaufeRotesUpgrade(k, mE, fin) || LegeGuenstigsteGrueneHandkarte(k) ||
            LegeTeuersteHandkarte(k, 3, m) || LegeTeuersteBlaueHandkarte(k, m) || LegeRotesUpgrade(k, m, fin))
            return true;
        if (KaufeFehlendeAbsteigend(k, 3, m, 24, 18)) return true;
        if (!acht && SperreAdligen(k, 18, fin ? 24 : 21, m)) return true;
        if (!fin) {
            if (KaufeBereichAufsteigend(k, 3, m, 21, 18)) return true;
            if (!acht && (KaufeBereichAbsteigend(k, 2, m, 17, 12) || KaufeKarteInx(k, 2, m, 10))) return true;
            if (BunkernKartenbereich(k, 1, 3, 48, 40, 3)) return true;
        }
        if (!z.Marktpflege(!fin && R <= E_R5, E_W15)) return false;
        return (acht && BunkernBlauesUpgrade(k, 2, 1)) || BunkernBereich(k, 1, 2, E_G6, 20, 18) ||
               BunkernBereich(k, 1, 2, E_G6, 12, 7);
    }
    }
    return false;
}

// ---- strategies 10 and 11 ----

bool Liste10(TZug& z) {
    using namespace p8;
    TKI& k = z.k;
    const int32_t R = z.R;
    const bool N = z.N;
    switch (z.g.Stand().Phase) {
    case 1: {
        const bool spaet = R > z.P(G_R10) || N;
        if (spaet) {
            if (KaufeGuenstigsteKarte(k, 1, 0) || KaufeGruenesPunkteUpgrade(k)) return true;
        } else if (KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeGruenesGeldUpgrade(k) ||
                   BunkernKarten(k, 1, true, 2, z.P(G_G11))) {
            return true;
        }
        if (LegeGuenstigsteGrueneHandkarte(k)) return true;
        if (N && (KaufeBereichAbsteigend(k, 2, 0, 17, 12) || KaufeKarteInx(k, 2, 0, 10))) return true;
        return spaet && KaufeGruenesGeldUpgrade(k);
    }
    case 2: {
        const int32_t h = z.h(), b = z.blau();
        const int32_t x = Max0(h - z.rot() - b);
        // The red stack does not change before a routine acts, so the reserve can wait for its first use.
        int32_t reserve = -1;
        const auto r = [&] {
            return reserve >= 0
                       ? reserve
                       : (reserve = N ? 0 : Max0(Aristokratenreserve(z.g, z.P(B_G1) - 3 * (R - 1)) - b));
        };
        const int32_t s = N ? x : 0;
        if (!N && !z.HatKarte(2, 11) && KaufeKarteInx(k, 2, 0, 11)) return true;
        if (!z.HatKarte(2, 7) && KaufeKarteInx(k, 2, 0, 7)) return true;
        if (!N && (KaufeKarteInx(k, 2, 0, 9) || KaufeKarteInx(k, 2, 0, 8))) return true;
        if (R >= z.P(B_R19)) {
            if (KaufeBlauesUpgradeMitZiel(k, 0, true, 100)) return true;
            if (N && (KaufeBlauesUpgradeMitZiel(k, x, false, 100, BlauOrdnung::Punkte) ||
                      (z.HatKarte(2, 9) && KaufeBlauesUpgradeMitZiel(k, x, false, 3))))
                return true;
        } else if (KaufeBlauesUpgradeMitZiel(k, 0, true, 100) || KaufeBlauesUpgradeMitZiel(k, s, false, 3)) {
            return true;
        }
        if (KaufeBereichAbsteigend(k, 2, h + r(), 17, 12) || KaufeKarteInx(k, 2, h + r(), 10)) return true;
        if (LegeTeuersteBlaueHandkarte(k, 0)) return true;
        if (z.a.SS[2].HandErw > 0 && KaufeArtenBegrenzt(k, 2, 1, 0, 13, 8)) return true;
        if (ZufallMarktpflege(z.g, z.P(B_W18), 2) && !N && KaufeArtenBegrenzt(k, 2, 1, r(), 13, 8))
            return true;
        if (KaufeFehlendeAbsteigend(k, 3, s, 24, 18) || KaufeRotesUpgrade(k, s, false) ||
            LegeTeuersteHandkarte(k, 3, 0))
            return true;
        if (R <= z.P(B_R7) ? NutzeSternwarte(k, 1, z.P(B_G8) - b)
                           : KaufeNutzeSternwarte(k, 3, z.P(B_G12), z.P(B_G9) - b))
            return true;
        if (LegeGuenstigsteGrueneHandkarte(k)) return true;
        if (!N && (KaufeBereichAbsteigend(k, 2, r(), 17, 12) || KaufeKarteInx(k, 2, r(), 10))) return true;
        if (KaufeBereichAufsteigend(k, 3, r(), 21, 18)) return true;
        return z.Marktpflege(!N && z.HandRaum() && !z.HatKarte(2, 11), z.P(B_W13)) &&
               BunkernBereich(k, 0, 2, 0, 12, 7);
    }
    case 3: {
        const int32_t h = z.h();
        const int32_t m = R > z.P(R_R3) || N ? 0 : Max0(z.P(R_G2) - z.rot());
        const int32_t m2 = N ? h - z.rot() : m;
        const int32_t a = z.Geld() + z.rot() - h;
        if (N ? KaufeFehlendeAufsteigend(k, 3, m2, 24, 18) : KaufeFehlendeAbsteigend(k, 3, m2, 24, 18))
            return true;
        if (KaufeRotesUpgrade(k, m2, false)) return true;
        if (N ? BunkernFehlendeAufsteigend(k, 3, 24, 18, a) : BunkernFehlendeAbsteigend(k, 3, 24, 18))
            return true;
        if (SperreAdligen(k, 18, N ? 24 : 21, m2)) return true;
        if (R > z.P(R_R3) ? KaufeBereichDuplikatBegrenzt(k, 3, 2, m2, 24, 18)
                          : KaufeBereichAufsteigend(k, 3, m2, 21, 18))
            return true;
        if (LegeTeuersteHandkarte(k, 3, m)) return true;
        return R >= z.P(R_R3) && (LegeTeuerstesRotesUpgrade(k, m) || LegeRotesUpgrade(k, m, N));
    }
    case 4: {
        const int32_t h = z.h();
        const int32_t m = R > z.P(E_R5) || N ? 0 : (R == 2 ? 2 * z.P(E_G6) : z.P(E_G6));
        const int32_t m2 = N ? (z.a.SS[4].Anzahl == 1 && z.Geld() < h ? 0 : h) : m;
        if (R <= z.P(E_R5) && !N && KaufeGruenesGeldUpgrade(k)) return true;
        if (R <= z.P(E_R16) && !N && BunkernBlauesUpgrade(k, z.P(E_A17), 0)) return true;
        if (KaufeRotesUpgrade(k, m2, N)) return true;
        if (!N && (BunkernKartenbereich(k, 1, 3, 49, 40, 3) || KaufeGruenesGeldUpgrade(k))) return true;
        if (LegeGuenstigsteGrueneHandkarte(k) || LegeTeuersteHandkarte(k, 3, m) ||
            LegeTeuersteBlaueHandkarte(k, m))
            return true;
        if (N ? LegeTeuerstesRotesUpgrade(k, m) : LegeRotesUpgrade(k, m, false)) return true;
        if (N ? KaufeFehlendeAufsteigend(k, 3, m, 24, 18) : KaufeFehlendeAbsteigend(k, 3, m, 24, 18))
            return true;
        if (SperreAdligen(k, 18, N ? 24 : 21, m)) return true;
        if (!N && KaufeBereichDuplikatBegrenzt(k, 3, 2, m, 24, 18)) return true;
        if (!z.Marktpflege(!N && R <= z.P(E_R5), z.P(E_W15))) return false;
        return BunkernBlauesUpgrade(k, 2, 1) || BunkernBereich(k, 1, 2, z.P(E_G6), 20, 18) ||
               BunkernBereich(k, 1, 2, z.P(E_G6), 12, 7);
    }
    }
    return false;
}

} // namespace

void CompiBeginnStrat6(TSpielsitzung& g, int s) {
    Ausfuehren(g, s, [](TZug& z) { return Liste6(z, false); });
}
void CompiBeginnStrat8(TSpielsitzung& g, int s) {
    Ausfuehren(g, s, [](TZug& z) { return Liste6(z, true); });
}
void CompiBeginnStrat10(TSpielsitzung& g, int s) {
    Ausfuehren(g, s, Liste10);
}

} // namespace vm
