// Acting routines: upgrades.
#include "ai/routinen_intern.h"

namespace vm {

using namespace routine;

// ---- upgrades ----

int FindeGruenesZiel(const TKI& k, int index, bool ausHand) {
    const tKarte* u = ausHand ? Hand(k).Karten[index] : k.A().TKarten[index];
    const tSSKarten& gruen = k.a.SS[1];
    int ziel = 0;
    for (int i = 1; i <= gruen.Anzahl && ziel == 0; ++i)
        if (gruen.Ziel[i] == 0 && u->ErsetztInx(gruen.Karten[i]->Inx)) ziel = i;
    // The joker is the best target whenever anything fits.
    if (ziel > 0 && k.a.ZarInx > 0 && gruen.Ziel[k.a.ZarInx] == 0) ziel = k.a.ZarInx;
    return ziel;
}

namespace {

bool GruenesUpgrade(TKI& k, bool (*erster)(const tKarte*), bool (*zweiter)(const tKarte*)) {
    if (!ArtInAuslage(k, 1, true)) return false;
    for (auto passt : {erster, zweiter}) {
        for (unsigned m = Plaetze(k, 1, true); m != 0; m = Ohne(m, Letzter(m))) {
            const int i = Letzter(m);
            const tKarte* t = k.A().TKarten[i];
            if (!Erw(t, 1) || !passt(t)) continue;
            int ziel = FindeGruenesZiel(k, i);
            if (ziel == 0) continue;
            // An upgrade always costs at least 1, so that is what must be affordable.
            if (Max1(k.a.Preis(i) - k.a.SS[1].Karten[ziel]->Kosten) <= k.Geld())
                return KaufeAuslagekarte(k, 1, i, ziel);
        }
    }
    return false;
}

} // namespace

bool voll::KaufeGruenesGeldUpgrade(TKI& k) {
    return GruenesUpgrade(
        k, [](const tKarte* t) { return t->Geld == 6; }, [](const tKarte*) { return true; });
}

bool voll::KaufeGruenesPunkteUpgrade(TKI& k) {
    return GruenesUpgrade(
        k, [](const tKarte* t) { return t->Siegpunkte > 1; },
        [](const tKarte* t) { return t->Siegpunkte == 1; });
}

bool KaufeZielFuerGruenesUpgrade(TKI& k) {
    if (k.a.SS[1].HandErw < 1) return false;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* u = Hand(k).Karten[h];
        if (!Erw(u, 1) || Hand(k).Ziel[h] > 0) continue;
        for (unsigned m = Plaetze(k, 1, false); m != 0; m = Ohne(m, Letzter(m))) {
            const int i = Letzter(m);
            const tKarte* t = k.A().TKarten[i];
            if (!Schlicht(t, 1) || !u->ErsetztInx(t->Inx)) continue;
            if (k.a.Preis(i) <= k.Geld()) return KaufeAuslagekarte(k, 1, i, 0);
            if (HandPlatz(k)) return NimmInHand(k, i);
        }
        return false; // only the first unmatched upgrade is served
    }
    return false;
}

bool voll::KaufeBlaueDuplikate(TKI& k, int farbe, int modus, int32_t minRest) {
    if (modus == 1 ? k.Geld() <= 0 : !HandPlatz(k)) return false;
    // Every number tried is one the seat owns, and only a number in the display can succeed.
    if ((k.A().AuslageNummern & k.a.BesitzNummern) == 0) return false;
    auto versuche = [&](int32_t inx) {
        return modus == 0 ? NimmKarteInxInHand(k, inx) : voll::KaufeKarteInx(k, farbe, minRest, inx);
    };
    bool versucht[32] = {};
    const tSSKarten& tisch = k.a.SS[farbe];
    for (int t = tisch.Anzahl; t >= 1; --t) {
        const tKarte* tk = tisch.Karten[t];
        if (!Schlicht(tk, farbe) || tk->Inx == InxSternwarte) continue;
        for (int h = 1; h <= Hand(k).Anzahl; ++h) {
            const tKarte* hk = Hand(k).Karten[h];
            if (versucht[h] || !Schlicht(hk, farbe) || hk->Inx <= tk->Inx) continue;
            versucht[h] = true;
            if (versuche(hk->Inx)) return true;
        }
        if (versuche(tk->Inx)) return true;
    }
    return false;
}

namespace {

// One aristocrat kind as target of a red upgrade costing `preis`: buys or lays it when affordable.
template <class Ausfuehren>
bool RotesZielVersuchen(TKI& k, int32_t x, const tKarte* u, int32_t preis, int32_t minRest,
                        Ausfuehren ausfuehren) {
    const int ziel = ErsterRoter(k, x);
    if (ziel == 0) return false;
    const tKarte* t = k.a.SS[3].Karten[ziel];
    int32_t kosten = Max1(preis - t->Kosten);
    int32_t netto = k.g.Stand().Phase == 3 ? kosten + t->Geld - u->Geld : kosten;
    if (k.Geld() >= kosten && k.Geld() - netto >= minRest) return ausfuehren(ziel);
    return false;
}

template <class Ausfuehren>
bool RotesUpgradeRegel(TKI& k, const TRoteArten& r, const tKarte* u, int32_t preis, int32_t minRest,
                       bool schluss, bool handZaehlt, Ausfuehren ausfuehren) {
    const int32_t hoechste = schluss ? 24 : 21;
    for (int32_t x = hoechste; x >= 18; --x) {
        int32_t n = r.tisch[x - 18];
        if ((n >= 2 || (handZaehlt && n == 1 && r.hand[x - 18] >= 1)) &&
            RotesZielVersuchen(k, x, u, preis, minRest, ausfuehren))
            return true;
    }
    if (schluss) {
        for (int32_t x = hoechste; x >= 18; --x)
            if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, u, preis, minRest, ausfuehren)) return true;
        return false;
    }
    if (u->Kosten > 10) return false;
    for (int32_t x = 18; x <= 20; ++x)
        if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, u, preis, minRest, ausfuehren)) return true;
    return false;
}

} // namespace

bool voll::KaufeRotesUpgrade(TKI& k, int32_t minRest, bool schluss) {
    if (k.Geld() == 0 || !ArtInAuslage(k, 3, true)) return false;
    int u = 0;
    for (unsigned m = Plaetze(k, 3, true); m != 0; m &= m - 1) {
        const int i = Erster(m);
        if (Erw(k.A().TKarten[i], 3) && (u == 0 || k.A().TKarten[i]->Kosten <= k.A().TKarten[u]->Kosten))
            u = i;
    }
    if (u == 0) return false;
    TRoteArten r = ZaehleRote(k);
    return RotesUpgradeRegel(k, r, k.A().TKarten[u], k.a.Preis(u), minRest, schluss, true,
                             [&](int ziel) { return KaufeAuslagekarte(k, 3, u, ziel); });
}

bool voll::LegeRotesUpgrade(TKI& k, int32_t minRest, bool schluss) {
    if (k.Geld() == 0 || k.a.SS[3].HandErw == 0) return false;
    int u = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h)
        if (Erw(Hand(k).Karten[h], 3) && (u == 0 || Hand(k).Karten[h]->Kosten <= Hand(k).Karten[u]->Kosten))
            u = h;
    if (u == 0) return false;
    TRoteArten r = ZaehleRote(k);
    int32_t preis = HandRohpreis(k, u);
    return RotesUpgradeRegel(k, r, Hand(k).Karten[u], preis, minRest, schluss, false,
                             [&](int ziel) { return LegeHandkarte(k, 3, ziel, u); });
}

bool voll::LegeTeuerstesRotesUpgrade(TKI& k, int32_t minRest) {
    if (k.Geld() <= 0 || k.a.SS[3].HandErw == 0) return false;
    int u = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h)
        if (Erw(Hand(k).Karten[h], 3) && (u == 0 || Hand(k).Karten[h]->Kosten >= Hand(k).Karten[u]->Kosten))
            u = h;
    if (u == 0) return false;
    const tKarte* ut = Hand(k).Karten[u];
    int32_t p = HandRohpreis(k, u);
    TRoteArten r = ZaehleRote(k);
    auto lege = [&](int ziel) { return LegeHandkarte(k, 3, ziel, u); };
    for (int32_t x = 24; x >= 18; --x)
        if (r.tisch[x - 18] >= 2 && RotesZielVersuchen(k, x, ut, p, minRest, lege)) return true;
    int32_t t = 24;
    for (int32_t x = 18; x <= 24; ++x) {
        if (r.tisch[x - 18] == 1 && Max1(p - k.a.SS[3].Karten[ErsterRoter(k, x)]->Kosten) == 1) {
            t = x;
            break;
        }
    }
    for (int32_t x = t; x <= 24; ++x)
        if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, ut, p, minRest, lege)) return true;
    for (int32_t x = t; x >= 18; --x)
        if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, ut, p, minRest, lege)) return true;
    return false;
}

bool voll::KaufeBlauesUpgradeMitZiel(TKI& k, int32_t minRest, bool ausHand, int32_t maxTischErw,
                                     BlauOrdnung ordnung) {
    if (k.Geld() <= 0 || k.a.SS[2].AnzahlErw >= maxTischErw) return false;
    static constexpr int32_t Basis[] = {31, 32, 35, 37, 38, 33, 39, 34, 36};
    static constexpr int32_t Punkte[] = {36, 39, 34, 38, 33, 37, 32, 35, 31};
    int32_t arten[11];
    int n = 0;
    for (int32_t x : ordnung == BlauOrdnung::Basis ? Basis : Punkte) arten[n++] = x;
    if (ausHand) arten[n++] = 30;
    if (k.g.Stand().SpielerAnzahl == 2) arten[n++] = 30;
    const uint64_t vorhanden = ausHand ? k.a.HandNummern : k.A().AuslageNummern;
    uint64_t gesucht = 0;
    for (int j = 0; j < n; ++j) gesucht |= uint64_t{1} << arten[j];
    if ((vorhanden & gesucht) == 0) return false;

    // First unused table card of each possible target kind, found once.
    const TKartenliste& blau = k.konto->Karten[2];
    int erstes[18] = {};
    for (int i = blau.Anzahl; i >= 1; --i)
        if (!KarteBenutzt(blau.Karten[i])) {
            const int32_t inx = k.a.SS[2].Karten[i]->Inx;
            if (inx >= 8 && inx <= 13) erstes[inx] = i;
        }
    for (int j = 0; j < n; ++j) {
        if (!((vorhanden >> arten[j]) & 1u)) continue;
        const tKarte& art = k.g.Katalog().Art(4, ErwInx(arten[j]));
        const int32_t luecke = art.Kosten - k.Geld();
        int ziel = 0;
        if (luecke < 7) ziel = erstes[9];
        if (ziel == 0 && luecke < 3) ziel = erstes[8];
        if (ziel == 0 && luecke < 6) ziel = erstes[10];
        if (ziel == 0 && luecke < 9) ziel = erstes[12];
        if (ziel == 0 && luecke <= 11) ziel = erstes[13];
        if (ziel == 0) continue;
        const tKarte& zk = k.g.Daten(blau.Karten[ziel]);
        auto leistbar = [&](const tKarte& u, int32_t preis) {
            int32_t diff = preis - zk.Kosten;
            int32_t zusatz = k.g.Stand().Phase == 2 ? u.Geld - zk.Geld : 0;
            return diff <= k.Geld() && k.Geld() - Max1(diff) + zusatz >= minRest;
        };
        if (ausHand) {
            for (int h = 1; h <= Hand(k).Anzahl; ++h) {
                const tKarte* u = Hand(k).Karten[h];
                if (u->Inx != arten[j]) continue;
                if (leistbar(*u, HandRohpreis(k, h))) return LegeHandkarte(k, 2, ziel, h);
            }
        } else {
            for (int i = k.A().AnzahlAuslage; i >= 1; --i) {
                const tKarte* u = k.A().TKarten[i];
                if (u->Inx != arten[j]) continue;
                if (leistbar(*u, k.a.Preis(i))) return KaufeAuslagekarte(k, 2, i, ziel);
            }
        }
    }
    return false;
}

bool BunkernBlauesUpgrade(TKI& k, int32_t maxGehalten, int modus, BlauOrdnung ordnung) {
    if (k.a.SS[2].HandErw >= maxGehalten || !HandPlatz(k)) return false;
    auto nimm = [&](int32_t inx) {
        return modus == 1 ? NimmKarteInxInHandReihe1(k, inx) : NimmKarteInxInHand(k, inx);
    };
    if (ordnung == BlauOrdnung::Basis && k.g.Stand().SpielerAnzahl == 2 && k.a.SS[3].Anzahl >= 7 && nimm(30))
        return true;
    static constexpr int32_t Basis[] = {31, 32, 35, 37, 33, 38, 34, 36, 39};
    static constexpr int32_t Punkte[] = {36, 39, 34, 38, 33, 37};
    if (ordnung == BlauOrdnung::Basis) {
        for (int32_t x : Basis)
            if (nimm(x)) return true;
    } else {
        for (int32_t x : Punkte)
            if (nimm(x)) return true;
    }
    return false;
}

int FindeRotesZiel(const TKI& k, int i) {
    const tKarte* u = k.A().TKarten[i];
    const tSSKarten& rot = k.a.SS[3];
    if (rot.AnzahlErw >= rot.Anzahl) return 0;
    int best = 0;
    int32_t bestKosten = 0;
    for (int j = 1; j <= rot.Anzahl; ++j) {
        const tKarte* t = rot.Karten[j];
        if (t->Erweiterung || !u->ErsetztInx(t->Inx)) continue;
        int32_t kosten = Max1(u->Kosten - t->Kosten);
        if (best == 0 || kosten < bestKosten ||
            (kosten == bestKosten && t->Kosten > rot.Karten[best]->Kosten)) {
            best = j;
            bestKosten = kosten;
        }
    }
    return best;
}

bool KaufeRotesPunkteUpgrade(TKI& k) {
    int best = 0, bestZiel = 0;
    int32_t bestKosten = 0;
    for (int i = 1; i <= k.A().AnzahlAuslage; ++i) {
        const tKarte* u = k.A().TKarten[i];
        if (!Erw(u, 3) || u->Siegpunkte < 1) continue;
        int ziel = FindeRotesZiel(k, i);
        if (ziel == 0) continue;
        int32_t kosten = Max1(k.a.Preis(i) - k.a.SS[3].Karten[ziel]->Kosten);
        if (kosten > k.Geld()) continue;
        bool besser = best == 0;
        if (!besser) {
            const tKarte* b = k.A().TKarten[best];
            besser = u->Siegpunkte > b->Siegpunkte ||
                     (u->Siegpunkte == b->Siegpunkte &&
                      (kosten < bestKosten || (kosten == bestKosten && k.a.Preis(i) > k.a.Preis(best))));
        }
        if (besser) {
            best = i;
            bestZiel = ziel;
            bestKosten = kosten;
        }
    }
    return best > 0 && KaufeAuslagekarte(k, 3, best, bestZiel);
}

} // namespace vm
