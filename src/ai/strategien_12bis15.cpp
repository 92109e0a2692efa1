// Strategies 12 to 15.
#include "ai/strategien_zug.h"

namespace vm {

using namespace stark;

namespace {

// ---- strategies 12 to 15 ----

namespace p12 {
constexpr int G_R10 = ParameterSlot(12, "G_R10");
constexpr int G_G11 = ParameterSlot(12, "G_G11");
constexpr int B_G1 = ParameterSlot(12, "B_G1");
constexpr int B_R4 = ParameterSlot(12, "B_R4");
constexpr int B_G20 = ParameterSlot(12, "B_G20");
constexpr int B_G21 = ParameterSlot(12, "B_G21");
constexpr int B_R19 = ParameterSlot(12, "B_R19");
constexpr int B_W13 = ParameterSlot(12, "B_W13");
constexpr int R_G2 = ParameterSlot(12, "R_G2");
constexpr int R_R3 = ParameterSlot(12, "R_R3");
constexpr int E_R5 = ParameterSlot(12, "E_R5");
constexpr int E_G6 = ParameterSlot(12, "E_G6");
constexpr int E_W15 = ParameterSlot(12, "E_W15");
constexpr int E_R16 = ParameterSlot(12, "E_R16");
constexpr int E_A17 = ParameterSlot(12, "E_A17");
} // namespace p12

bool GruenEinsZwei(TKI& k, int32_t rest) {
    return KaufeKarteInx(k, 1, rest, 1) || KaufeKarteInx(k, 1, rest, 2);
}

// Kinds 18..24 held at least twice as plain cards, table and hand together.
int AdelsduplikatArten(const TZug& z) {
    int32_t n[7] = {};
    for (int c : {3, ListeHand}) {
        const tSSKarten& ss = z.a.SS[c];
        for (int i = 1; i <= ss.Anzahl; ++i) {
            const tKarte* t = ss.Karten[i];
            if (!t->Erweiterung && t->Inx >= 18 && t->Inx <= 24) ++n[t->Inx - 18];
        }
    }
    int arten = 0;
    for (int32_t x : n)
        if (x >= 2) ++arten;
    return arten;
}

bool Liste12(TZug& z) {
    using namespace p12;
    TKI& k = z.k;
    const int32_t R = z.R;
    const bool N = z.N;
    switch (z.g.Stand().Phase) {
    case 1:
        if (R == 1) return KaufeGuenstigsteKarte(k, 1, OhneLimit);
        if (R == 2)
            return GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) ||
                   KaufeGruenesGeldUpgrade(k);
        if (R == 3)
            return KaufeZielFuerGruenesUpgrade(k) || GruenEinsZwei(k, 0) ||
                   KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeGruenesGeldUpgrade(k) ||
                   BunkernKarten(k, 1, true, 2, 10) || LegeGuenstigsteGrueneHandkarte(k) ||
                   KaufeBereichAbsteigend(k, 2, 0, 17, 12) || KaufeKarteInx(k, 2, 0, 10);
        if (KaufeZielFuerGruenesUpgrade(k)) return true;
        if (R > z.P(G_R10) || N) {
            if (KaufeGuenstigsteKarte(k, 1, 0) || KaufeGruenesPunkteUpgrade(k)) return true;
        } else if (GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) ||
                   KaufeGruenesGeldUpgrade(k) || BunkernKarten(k, 1, true, 2, z.P(G_G11))) {
            return true;
        }
        if (LegeGuenstigsteGrueneHandkarte(k)) return true;
        if (N ? (KaufeFehlendeAufsteigend(k, 3, 0, 24, 18) || KaufeBereichAbsteigend(k, 2, 0, 17, 12))
              : KaufeBereichAufsteigend(k, 2, 0, 17, 12))
            return true;
        return KaufeKarteInx(k, 2, 0, 10) || KaufeBereichDuplikatBegrenzt(k, 3, 3, 0, 24, 18);
    case 2: {
        const int32_t h = z.h(), b = z.blau();
        const int32_t x = Max0(h - z.rot() - b);
        int32_t reserve = -1; // worked out at its first use, as in strategy 10
        const auto r = [&] {
            return reserve >= 0 ? reserve
                                : (reserve = N ? 12 : Max0(Aristokratenreserve(z.g, z.P(B_G1)) - b));
        };
        const int32_t s = N ? x : 0;
        const int32_t w = z.Geld() + z.rot() + b;
        auto schenke = [&] {
            return z.HatKarte(2, 7) ? KaufeKarteInx(k, 2, 0, 7) : NimmKarteInxInHand(k, 7);
        };
        if (R == 1) {
            if (GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) || schenke()) return true;
            if (z.Lage().ok && NimmKarteInxInHand(k, 9)) return true;
            if (z.Tokens(3, 4)) {
                TMarktLage l = z.Lage();
                return l.ok && l.anteil == 0 &&
                       (BunkernBereich(k, 0, 2, 0, 10, 10) || BunkernBereich(k, 0, 2, 0, 17, 12));
            }
            TMarktLage l = z.Lage();
            return l.ok && l.anteil == 0 &&
                   (BunkernBereich(k, 0, 2, 0, 12, 12) || BunkernBereich(k, 0, 2, 0, 10, 10));
        }
        if (R == 2) {
            const int32_t g21 = z.P(B_G21);
            return GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) ||
                   KaufeGruenesGeldUpgrade(k) || schenke() || NimmKarteInxInHand(k, 9) ||
                   LegeTeuersteBlaueHandkarte(k, g21) || NutzeSternwarte(k, 3, g21 - 2) ||
                   KaufeBereichAbsteigend(k, 2, g21, 17, 10);
        }
        if (KaufeKarteInx(k, 2, 0, 7) || KaufeZielFuerGruenesUpgrade(k)) return true;
        if (R < 5 &&
            (GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeGruenesGeldUpgrade(k)))
            return true;
        if (!N && (KaufeKarteInx(k, 2, 0, 9) || KaufeKarteInx(k, 2, 0, 8))) return true;
        if (LegeGuenstigsteGrueneHandkarte(k) || LegeHandkarteInx(k, 2, 0, 9) ||
            KaufeBlauesUpgradeMitZiel(k, 0, true, 100))
            return true;
        if (N ? KaufeFehlendeAufsteigend(k, 3, 0, 24, 18) : KaufeFehlendeAbsteigend(k, 3, 0, 24, 18))
            return true;
        if (R > z.P(R_R3) ? KaufeBereichDuplikatBegrenzt(k, 3, 3, 0, 24, 18)
                          : KaufeBereichAufsteigend(k, 3, 0, 21, 18))
            return true;
        if (R >= z.P(B_R19)) {
            if (KaufeBlauesUpgradeMitZiel(k, x, false, 100, BlauOrdnung::Punkte)) return true;
            if (z.HatKarte(2, 9) && KaufeBlauesUpgradeMitZiel(k, x, false, 3)) return true;
        } else if (KaufeBlauesUpgradeMitZiel(k, s, false, 3)) {
            return true;
        }
        if (LegeTeuersteBlaueHandkarte(k, r()) || KaufeBereichAbsteigend(k, 2, h + r(), 17, 12) ||
            KaufeKarteInx(k, 2, h + r(), 10))
            return true;
        if (z.a.SS[2].HandErw > 0 && KaufeArtenBegrenzt(k, 2, 1, 0, 13, 8)) return true;
        if (KaufeFehlendeAbsteigend(k, 3, s, 24, 18) || KaufeRotesUpgrade(k, s, false) ||
            LegeTeuersteHandkarte(k, 3, 0))
            return true;
        if (AdelsduplikatArten(z) >= 2 ? BunkernNutzeErwSternwarte(k) : NutzeSternwarte(k, 3, 0)) return true;
        if (!N && (KaufeBereichAbsteigend(k, 2, r(), 17, 12) || KaufeKarteInx(k, 2, r(), 10))) return true;
        if (KaufeBereichAufsteigend(k, 3, r(), 21, 18)) return true;
        return z.Marktpflege(!N && z.HandRaum() && !z.HatKarte(2, 11) && w >= z.P(B_G20), z.P(B_W13)) &&
               (BunkernBereich(k, 0, 2, 0, 24, 18) || BunkernBereich(k, 0, 2, 0, 12, 7));
    }
    case 3: {
        const int32_t h = z.h();
        const int32_t m = R > z.P(R_R3) || N ? 0 : Max0((R == 2 ? z.P(B_G21) : z.P(R_G2)) - z.rot());
        const int32_t m2 = N ? Max0(h - z.rot()) : m;
        const int32_t a = Max0(z.Geld() + z.rot() - h);
        if (R == 1) {
            if (KaufeFehlendeAbsteigend(k, 3, 0, 24, 18) || BunkernBereichHand(k, 3, 0, 24, 18)) return true;
            TMarktLage l = z.Lage();
            return l.ok && z.a.SS[4].Anzahl == 0 && l.anteil == 0 && BunkernBereichHand(k, 3, 0, 24, 18);
        }
        if (R == 2)
            return BunkernBereichHand(k, 2, 0, 24, 18) || LegeTeuersteHandkarte(k, 3, z.P(B_G21)) ||
                   KaufeFehlendeAbsteigend(k, 3, z.P(B_G21), 24, 18);
        if (N ? KaufeFehlendeAufsteigend(k, 3, m2, 24, 18) : KaufeFehlendeAbsteigend(k, 3, m, 24, 18))
            return true;
        if (KaufeRotesUpgrade(k, m2, false)) return true;
        if (N ? BunkernFehlendeAufsteigend(k, 3, 24, 18, a)
              : (z.a.SS[3].HandAnzahl < 2 && BunkernFehlendeAbsteigend(k, 3, 24, 18)))
            return true;
        if (SperreAdligen(k, 18, N ? 24 : 21, m2)) return true;
        if (R > z.P(R_R3) ? KaufeBereichDuplikatBegrenzt(k, 3, 2, m2, 24, 18)
                          : KaufeBereichAufsteigend(k, 3, m2, 21, 18))
            return true;
        if (LegeTeuersteHandkarte(k, 3, m)) return true;
        if (R >= z.P(R_R3) && LegeTeuerstesRotesUpgrade(k, m)) return true;
        return LegeRotesUpgrade(k, m, N);
    }
    case 4: {
        const int32_t h = z.h();
        const int32_t m = N ? 0 : (R <= z.P(E_R5) ? (R == 2 ? z.P(B_G21) : z.P(E_G6)) : 4);
        const int32_t m2 = N ? (z.a.SS[4].Anzahl == 1 && z.Geld() < h ? 0 : h) : m;
        const int32_t E_G6v = z.P(E_G6);
        if (R <= 2) {
            if (KaufeGruenesGeldUpgrade(k) || BunkernKartenbereich(k, 1, 3, 49, 40, 3) ||
                NimmKarteInxInHand(k, 31))
                return true;
            TMarktLage l = z.Lage();
            if (!l.ok || l.anteil >= 2 || (l.anteil == 1 && z.Geld() < E_G6v)) return false;
            return BunkernKartenbereich(k, 1, 3, 29, 25, 1) ||
                   BunkernFehlendeAufsteigend(k, 3, 24, 18, 999) || BunkernBereich(k, 1, 3, E_G6v, 24, 18) ||
                   BunkernBereich(k, 1, 2, E_G6v, 12, 7) || BunkernBlauesUpgrade(k, 2, 1);
        }
        if (KaufeRotesUpgrade(k, m2, N)) return true;
        if (!N && (BunkernKartenbereich(k, 1, 3, 49, 40, 3) || BunkernFehlendeAbsteigend(k, 3, 24, 18) ||
                   BunkernBereich(k, 0, 3, 0, 24, 18)))
            return true;
        if (R <= z.P(E_R5) && !N && (KaufeGruenesGeldUpgrade(k) || NimmKarteInxInHand(k, 46))) return true;
        if (R <= z.P(E_R16) && !N && BunkernBlauesUpgrade(k, z.P(E_A17), 0)) return true;
        if (!N && KaufeGruenesGeldUpgrade(k)) return true;
        if (LegeGuenstigsteGrueneHandkarte(k) || LegeTeuersteHandkarte(k, 3, m) ||
            LegeTeuersteBlaueHandkarte(k, m))
            return true;
        if (N ? LegeTeuerstesRotesUpgrade(k, m) : LegeRotesUpgrade(k, m, false)) return true;
        if (N ? KaufeFehlendeAufsteigend(k, 3, m, 24, 18) : KaufeFehlendeAbsteigend(k, 3, m, 24, 18))
            return true;
        if (!N && KaufeBereichDuplikatBegrenzt(k, 3, 3, m, 24, 18)) return true;
        if (!z.Marktpflege(!N && R <= z.P(E_R5), z.P(E_W15))) return false;
        return BunkernBlauesUpgrade(k, 2, 1) || BunkernBereich(k, 1, 2, E_G6v, 20, 18) ||
               BunkernBereich(k, 1, 2, E_G6v, 12, 7);
    }
    }
    return false;
}

bool Liste14(TZug& z) {
    using namespace p12;
    TKI& k = z.k;
    const int32_t R = z.R;
    const bool N = z.N;
    const TEndwarnung w = Endwarnung(z.g);
    const bool K0 = w.StapelKnapp[0], K1 = w.StapelKnapp[1], K2 = w.StapelKnapp[2];
    switch (z.g.Stand().Phase) {
    case 1: {
        if (R == 1) return KaufeGuenstigsteKarte(k, 1, OhneLimit);
        if (R == 2)
            return GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) ||
                   KaufeGruenesGeldUpgrade(k) || BunkernKarten(k, 1, true, 3, 10) ||
                   LegeGuenstigsteGrueneHandkarte(k);
        if (R == 3)
            return KaufeZielFuerGruenesUpgrade(k) || GruenEinsZwei(k, 0) ||
                   KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeGruenesGeldUpgrade(k) ||
                   BunkernKarten(k, 1, true, 3, 10) || LegeGuenstigsteGrueneHandkarte(k) ||
                   KaufeBereichAbsteigend(k, 2, 0, 17, 12) || KaufeKarteInx(k, 2, 0, 10);
        if (R >= 6 && KaufeZielFuerGruenesUpgrade(k)) return true;
        if (R > z.P(G_R10) || N) {
            if (z.a.SS[1].HandErw > 0 && GruenEinsZwei(k, 10)) return true;
            if (KaufeZielFuerGruenesUpgrade(k) || GruenEinsZwei(k, 0) || LegeGuenstigsteGrueneHandkarte(k) ||
                KaufeGuenstigsteKarte(k, 1, 1) || KaufeGruenesPunkteUpgrade(k))
                return true;
            for (int32_t inx : {3, 4})
                if (!z.HatKarte(1, inx) && !K0 && KaufeKarteInx(k, 1, 0, inx)) return true;
        } else if (GruenEinsZwei(k, 0) || KaufeZielFuerGruenesUpgrade(k) ||
                   KaufeGuenstigsteKarte(k, 1, OhneLimit) || KaufeGruenesGeldUpgrade(k) ||
                   BunkernKarten(k, 1, true, 2, z.P(G_G11))) {
            return true;
        }
        if (LegeGuenstigsteGrueneHandkarte(k) || BunkernKartenbereich(k, 0, 3, 49, 40, 3)) return true;
        if (N ? (KaufeFehlendeAufsteigend(k, 3, 0, 24, 18) || KaufeBereichAbsteigend(k, 2, 0, 17, 12))
              : KaufeBereichAufsteigend(k, 2, 0, 17, 12))
            return true;
        if (KaufeKarteInx(k, 2, 0, 10) || KaufeBereichDuplikatBegrenzt(k, 3, 3, 0, 24, 18)) return true;
        if (z.g.Stand().SpielerAnzahl == 2 && R >= 5 && !K0) {
            const tAuswKarten& gegner = Auswertung(z.g, 3 - z.sp);
            if (Punkteprognose(z.g, z.sp, z.a) > Punkteprognose(z.g, 3 - z.sp, gegner)) {
                const int32_t f = FreieHandplaetze(z.g, z.sp);
                if ((f >= 2 && K2) || (f >= 1 && K1))
                    return BunkernBereich(k, 0, 3, -1, 17, 7) || BunkernBereich(k, 0, 3, -1, 24, 18) ||
                           BunkernBlauesUpgrade(k, 4, 0, BlauOrdnung::Punkte);
            }
        }
        return false;
    }
    case 2: {
        const int32_t h = z.h(), b = z.blau();
        const int32_t x = Max0(h - z.rot() - b);
        const int32_t w = z.Geld() + z.rot() + b;
        int32_t reserve = -1; // worked out at its first use, as in strategy 10
        const auto r = [&] {
            return reserve >= 0 ? reserve
                                : (reserve = N ? 12 : Max0(Aristokratenreserve(z.g, z.P(B_G1)) - b));
        };
        const int32_t s = N ? x : 0;
        if (R == 1) {
            if (GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit)) return true;
            if (z.Tokens(1, 2) && !z.HatKarte(2, 11)) {
                if (KaufeKarteInx(k, 2, 0, 11)) return true;
            } else {
                ZufallMarktpflege(z.g, 100, 2);
                if (NimmKarteInxInHand(k, 11)) return true;
            }
            if (KaufeKarteInx(k, 2, 18, 7) || NimmKarteInxInHand(k, 7) || NimmKarteInxInHand(k, 9) ||
                NimmKarteInxInHand(k, 8))
                return true;
            if (!z.Tokens(3, 4)) {
                TMarktLage l = z.Lage();
                if (l.ok && l.anteil == 0 &&
                    (KaufeKarteInx(k, 2, 18, 8) || NimmKarteInxInHand(k, 11) ||
                     BunkernBereich(k, 0, 2, 0, 12, 12) || BunkernBereich(k, 0, 2, 0, 10, 10)))
                    return true;
            } else if (z.k.A().AnzahlAuslage > 6 &&
                       (KaufeKarteInx(k, 2, 18, 7) || NimmKarteInxInHand(k, 11) ||
                        KaufeKarteInx(k, 2, 18, 8) || BunkernBereich(k, 0, 2, 0, 10, 7) ||
                        BunkernBereich(k, 0, 2, 0, 17, 12))) {
                return true;
            }
            return NutzeSternwarte(k, 1, 0);
        }
        if (R == 2) {
            const int32_t g21 = z.P(B_G21);
            return GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, OhneLimit) ||
                   KaufeGruenesGeldUpgrade(k) || KaufeKarteInx(k, 2, g21, 11) || KaufeKarteInx(k, 2, 0, 7) ||
                   NimmKarteInxInHand(k, 9) || NimmKarteInxInHand(k, 11) || NutzeSternwarte(k, 1, g21) ||
                   LegeTeuersteBlaueHandkarte(k, g21) || KaufeBereichAbsteigend(k, 2, g21, 10, 10) ||
                   KaufeBereichAbsteigend(k, 2, g21, 17, 12);
        }
        if (KaufeZielFuerGruenesUpgrade(k) || KaufeKarteInx(k, 2, 0, 7) ||
            BunkernKartenbereich(k, 0, 3, 45, 40, 3))
            return true;
        if (R <= 4 && (GruenEinsZwei(k, 0) || KaufeGuenstigsteKarte(k, 1, 3) ||
                       KaufeGruenesPunkteUpgrade(k) || KaufeGruenesGeldUpgrade(k)))
            return true;
        if (!K0 && KaufeKarteInx(k, 2, 0, 11)) return true;
        if (!N && (KaufeKarteInx(k, 2, 0, 9) || (R <= 5 && KaufeKarteInx(k, 2, 0, 8)))) return true;
        if (LegeGuenstigsteGrueneHandkarte(k) || LegeHandkarteInx(k, 2, 0, 9)) return true;
        if (z.Geld() - (h + r() + 20) >= 17 &&
            (KaufeBereichAbsteigend(k, 2, h + r() + 20, 17, 12) || KaufeKarteInx(k, 2, h + r() + 20, 10)))
            return true;
        if (R <= 3) {
            if (NutzeSternwarte(k, 1, 0)) return true;
        } else if (R <= 5) {
            if (NutzeSternwarteRot(k, s)) return true;
        } else if (UngedeckteAdelsduplikate(k) < 2 && z.Geld() < 40 ? NutzeSternwarteRot(k, s)
                                                                    : BunkernNutzeErwSternwarte(k)) {
            return true;
        }
        if (LegeRotesUpgradeInx(k, 46) || KaufeBlauesUpgradeMitZiel(k, 0, true, 100) ||
            KaufeBlauesUpgradeMitZiel(k, 0, true, 100, BlauOrdnung::Punkte) ||
            LegeTeuersteBlaueHandkarte(k, 0))
            return true;
        if (R >= 5 && N && KaufeFehlendeAufsteigend(k, 3, 0, 24, 18)) return true;
        if ((R == 4 || R == 5) && LegeRotesUpgradeBereich(k, 49, r(), 20, 21, 45)) return true;
        if (R >= z.P(B_R19)) {
            if (KaufeBlauesUpgradeMitZiel(k, x, false, 100, BlauOrdnung::Punkte)) return true;
            if (z.HatKarte(2, 9) && KaufeBlauesUpgradeMitZiel(k, x, false, 3)) return true;
        } else if (KaufeBlauesUpgradeMitZiel(k, s, false, 3, BlauOrdnung::Punkte)) {
            return true;
        }
        if (LegeTeuersteBlaueHandkarte(k, r()) || KaufeBereichAbsteigend(k, 2, h + r(), 17, 12) ||
            KaufeKarteInx(k, 2, h + r(), 10))
            return true;
        if (z.a.SS[2].HandErw > 0 && KaufeArtenBegrenzt(k, 2, 1, 0, 13, 12)) return true;
        if (KaufeFehlendeAbsteigend(k, 3, s, 24, 18) || KaufeRotesUpgrade(k, s, false) ||
            LegeTeuersteHandkarte(k, 3, 0) || LegeGuenstigsteGrueneHandkarte(k))
            return true;
        if (KaufeNutzeSternwarte(k, 3, 7, 12 - b)) return true;
        if (!N && (KaufeBereichAbsteigend(k, 2, r(), 17, 12) || KaufeKarteInx(k, 2, r(), 10))) return true;
        if (KaufeBereichAufsteigend(k, 3, r(), 21, 18)) return true;
        if (z.Marktpflege(!N && z.HandRaum() && !z.HatKarte(2, 11) && w >= z.P(B_G20), z.P(B_W13)) &&
            (BunkernBereich(k, 0, 2, 0, 24, 18) || BunkernBereich(k, 0, 2, 0, 12, 10)))
            return true;
        return R >= 6 && !(UngedeckteAdelsduplikate(k) < 1 && z.Geld() < 20) && BunkernNutzeErwSternwarte(k);
    }
    case 3: {
        const int32_t h = z.h();
        const int32_t m = R > z.P(R_R3) || N ? 0 : Max0((R == 2 ? z.P(B_G21) : z.P(R_G2)) - z.rot());
        const int32_t m2 = N ? Max0(h - z.rot()) : m;
        const int32_t a = Max0(z.Geld() + z.rot() - h);
        if (R == 1) {
            if (!BesitztUnbenutzt(z.g, z.sp, 2, 11) && KaufeFehlendeAbsteigend(k, 3, 0, 24, 18)) return true;
            return BunkernFehlendeAbsteigend(k, 3, 19, 18) || BunkernFehlendeAbsteigend(k, 3, 24, 22);
        }
        if (R == 2)
            return BunkernBereichFarbe(k, 3, 2, 0, 24, 18) || LegeTeuersteHandkarte(k, 3, z.P(B_G21)) ||
                   KaufeFehlendeAbsteigend(k, 3, z.P(B_G21), 24, 18);
        if (N ? KaufeFehlendeAufsteigend(k, 3, m2, 24, 18) : KaufeFehlendeAbsteigend(k, 3, m, 24, 18))
            return true;
        if (KaufeRotesUpgrade(k, m2, false)) return true;
        if (N ? BunkernFehlendeAufsteigend(k, 3, 24, 18, a)
              : ((z.a.SS[3].HandAnzahl < 2 || R >= 6) && BunkernFehlendeAbsteigend(k, 3, 24, 18)))
            return true;
        if (SperreAdligen(k, 18, N ? 24 : 21, m2)) return true;
        if (R > z.P(R_R3)) {
            if (KaufeBereichAufsteigend(k, 3, m2, 18, 18) ||
                KaufeBereichDuplikatBegrenzt(k, 3, 2, m2, 24, 18))
                return true;
            if (UngedeckteAdelsduplikate(k) == 0 && BunkernBereich(k, 0, 1, -1, 21, 18)) return true;
        } else if (KaufeBereichAufsteigend(k, 3, m2, 19, 18)) {
            return true;
        }
        if (LegeTeuersteHandkarte(k, 3, m)) return true;
        if (R < z.P(R_R3)) {
            if (LegeRotesUpgrade(k, m, K0)) return true;
        } else if (LegeRotesUpgradeBereich(k, 49, m, 18, 21, 45) || LegeRotesUpgrade(k, m, false)) {
            return true;
        }
        if (N && UngedeckteAdelsduplikate(k) == 0) {
            if (a >= 13 && BunkernBereich(k, 0, 2, -1, 20, 18)) return true;
            if (a >= 17 && BunkernBereich(k, 0, 2, -1, 22, 18)) return true;
        }
        return false;
    }
    case 4: {
        const int32_t h = z.h();
        const int32_t m = N ? 0 : (R <= z.P(E_R5) ? (R == 2 ? z.P(B_G21) : z.P(E_G6)) : 4);
        const int32_t m2 = N ? (z.a.SS[4].Anzahl == 1 && z.Geld() < h ? 0 : h) : m;
        if (R <= 2) {
            if (NimmKarteInxInHand(k, 46) || KaufeGruenesGeldUpgrade(k) ||
                BunkernKartenbereich(k, 1, 3, 44, 40, 3) || NimmKarteInxInHand(k, 31))
                return true;
            TMarktLage l = z.Lage();
            if (!l.ok || z.Geld() < 5 * (l.anteil + 1)) return false;
            return BunkernKartenbereich(k, 1, 3, 29, 25, 1) || BunkernKartenbereich(k, 1, 3, 47, 40, 3) ||
                   BunkernFehlendeAufsteigend(k, 3, 24, 18, OhneLimit) ||
                   BunkernBereich(k, 1, 3, 0, 24, 18) || BunkernBlauesUpgrade(k, 2, 1) ||
                   BunkernBereich(k, 1, 2, 0, 12, 12) || BunkernBereich(k, 1, 2, 0, 10, 10);
        }
        if (R == 3 && !N && NimmKarteInxInHand(k, 46)) return true;
        if (KaufeRotesUpgrade(k, m2, N)) return true;
        if (R <= z.P(E_R5) && !K0 &&
            (KaufeGruenesPunkteUpgrade(k) || KaufeGruenesGeldUpgrade(k) || NimmKarteInxInHand(k, 46)))
            return true;
        if (!K0 && (BunkernKartenbereich(k, 0, 3, 49, 40, 3) || BunkernFehlendeAbsteigend(k, 3, 24, 18) ||
                    BunkernFehlendeAufsteigend(k, 3, 24, 18, 12)))
            return true;
        if (R <= z.P(E_R16) && !K0 && BunkernBlauesUpgrade(k, z.P(E_A17), 0)) return true;
        if (!N && (KaufeGruenesPunkteUpgrade(k) || KaufeGruenesGeldUpgrade(k))) return true;
        if (LegeGuenstigsteGrueneHandkarte(k) || LegeTeuersteHandkarte(k, 3, m) ||
            LegeTeuersteBlaueHandkarte(k, m))
            return true;
        if (N ? LegeTeuerstesRotesUpgrade(k, m) : LegeRotesUpgrade(k, m, false)) return true;
        if (N ? KaufeFehlendeAufsteigend(k, 3, m, 24, 18) : KaufeFehlendeAbsteigend(k, 3, m, 24, 18))
            return true;
        if (!N && KaufeBereichDuplikatBegrenzt(k, 3, 3, m, 24, 18)) return true;
        if (!z.Marktpflege(!K0 && R <= z.P(E_R5), z.P(E_W15))) return false;
        return BunkernBlauesUpgrade(k, 2, 1, BlauOrdnung::Punkte) ||
               BunkernBereich(k, 1, 2, z.P(E_G6), 20, 18) || BunkernBereich(k, 1, 2, z.P(E_G6), 12, 7);
    }
    }
    return false;
}

} // namespace

void CompiBeginnStrat12(TSpielsitzung& g, int s) {
    Ausfuehren(g, s, Liste12);
}
void CompiBeginnStrat14(TSpielsitzung& g, int s) {
    Ausfuehren(g, s, Liste14);
}

} // namespace vm
