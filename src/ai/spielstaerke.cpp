#include "ai/spielstaerke.h"

#include <initializer_list>

#include "ai/einstellungen.h"

namespace vm {

bool SpielstaerkeGueltig(int32_t t) {
    return (t >= 1 && t <= 9) || (t >= 11 && t <= 13) || (t >= 21 && t <= 23) || (t >= 31 && t <= 33) ||
           (t >= 41 && t <= 43);
}

namespace {

template <size_t N> int32_t Ziehe(TSpielsitzung& g, const int32_t (&liste)[N]) {
    return liste[g.Zufall.Random(static_cast<int32_t>(N))];
}

// Fixed strategies for the seats of one record; the opponents (seat 2 on) get the extra money.
void Fest(TStrategieEinstellung& r, std::initializer_list<int32_t> strategien, int32_t zusatzGeld) {
    int s = 1;
    for (int32_t x : strategien) {
        r.Strategie[s] = x;
        if (s >= 2) r.StartGeld[s] += zusatzGeld;
        ++s;
    }
}

} // namespace

void SpielstaerkeAnwenden(TSpielsitzung& g, int32_t tag) {
    if (tag == Expertenmodus || !SpielstaerkeGueltig(tag)) return;
    TStrategieeinstellungen& e = g.Einstellungen;
    InitStrategieparameter(e);
    TStrategieEinstellung& r2 = e.Fuer(2);
    TStrategieEinstellung& r3 = e.Fuer(3);
    TStrategieEinstellung& r4 = e.Fuer(4);
    if (tag == 1 || tag == 2) {
        static constexpr int32_t Niedrig[] = {2, 3, 3, 4};
        static constexpr int32_t Mittel[] = {2, 4, 4, 6, 6, 12};
        for (int n = 2; n <= 4; ++n)
            for (int s = 1; s <= 4; ++s)
                e.Fuer(n).Strategie[s] = tag == 1 ? Ziehe(g, Niedrig) : Ziehe(g, Mittel);
        return;
    }
    if (tag <= 9) {
        const int32_t m = 3 * (tag - 4 > 0 ? tag - 4 : 0);
        static constexpr int32_t Liste[] = {2, 3, 4, 4, 6, 8, 10, 10, 10};
        r2.Strategie[2] = g.Zufall.Random(100) > 35 ? 14 : 12;
        r2.StartGeld[2] += m;
        for (int n = 3; n <= 4; ++n) {
            TStrategieEinstellung& r = e.Fuer(n);
            r.Strategie[n] = 10;
            r.StartGeld[n] += m;
            for (int s = n - 1; s >= 2; --s) {
                r.Strategie[s] = Ziehe(g, Liste);
                r.StartGeld[s] += m;
            }
        }
        return;
    }
    const int32_t stufe = tag / 10; // K1..K4
    const int32_t d = 5 * (tag % 10 - 1);
    switch (stufe) {
    case 1:
        Fest(r4, {1, 4, 10, 10}, d);
        Fest(r3, {1, 10, 10}, d);
        Fest(r2, {1, 12}, d);
        break;
    case 2:
        Fest(r4, {1, 10, 4, 10}, d);
        Fest(r3, {1, 10, 10}, d);
        Fest(r2, {1, 12}, d);
        break;
    case 3:
        Fest(r4, {1, 10, 10, 10}, d);
        Fest(r3, {1, 10, 10}, d);
        Fest(r2, {1, 14}, d);
        break;
    case 4:
        Fest(r4, {1, 4, 10, 10}, d);
        Fest(r3, {1, 10, 10}, d);
        Fest(r2, {1, 14}, d);
        r4.StartRolle = {{1, 4, 3, 2}};
        r3.StartRolle = {{1, 3, 2, 2}};
        r2.StartRolle = {{1, 3, 2, 4}};
        break;
    }
}

void SetzeSpielstaerke(TSpielsitzung& g, int32_t tag) {
    if (!SpielstaerkeGueltig(tag)) return;
    g.Trace("Spielstärke ändern auf ", tag);
    const int32_t vorher = g.Menue.Spielstaerke;
    if (vorher == Expertenmodus) g.ExpertenEinstellungen = g.Einstellungen;
    g.Menue.Spielstaerke = tag;
    TStrategieEinstellung& gewaehlt = g.Einstellungen.Fuer(g.Menue.SpielerAnzahl);
    if (tag == Expertenmodus) {
        if (vorher != Expertenmodus) g.Einstellungen = g.ExpertenEinstellungen;
        g.S.Computer[1] = g.Einstellungen.Fuer(g.Menue.SpielerAnzahl).Sim;
        return;
    }
    gewaehlt.Sim = 0;
    gewaehlt.AnzahlSim = 0;
    g.S.Computer[1] = 0;
}

} // namespace vm
