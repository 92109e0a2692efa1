#include "persist/pruefung.h"

#include "ai/spielstaerke.h"
#include "model/katalog.h"

namespace vm {

namespace {

bool KarteOk(tKartenRef k) {
    return k.Farbe == 0 || TKatalog::Gueltig(OhneMarke(k));
}

bool KartenOk(const tKartenRef* k, int n) {
    for (int i = 0; i < n; ++i)
        if (!KarteOk(k[i])) return false;
    return true;
}

} // namespace

std::string PruefeSpielstand(const TSpielstand& s) {
    const int32_t n = s.SpielerAnzahl;
    if (n < 2 || n > 4) return "SpielerAnzahl";
    for (int k = 1; k <= 4; ++k) {
        const TKartenstapel& st = s.Kartenstapel[k];
        if (st.Anzahl < 0 || st.Anzahl > StapelPlaetze) return "Kartenstapel.Anzahl";
        if (st.Naechste < 1 || st.Naechste > st.Anzahl + 1) return "Kartenstapel.Naechste";
        if (!KartenOk(st.Karten.a, StapelPlaetze)) return "Kartenstapel.Karten";
    }
    for (int r = 1; r <= 4; ++r)
        if (s.Startspieler[r] < 1 || s.Startspieler[r] > n) return "Startspieler";
    for (int sp = 1; sp <= 4; ++sp) {
        const TSpieler& p = s.Spieler[sp];
        if (p.Geld < -GrenzeBetrag || p.Geld > GrenzeBetrag) return "Geld";
        if (p.Siegpunkte < -GrenzeBetrag || p.Siegpunkte > GrenzeBetrag) return "Siegpunkte";
        if (p.AnzahlSternwarten < 0 || p.AnzahlSternwarten > MaxTischpositionen) return "AnzahlSternwarten";
        if (p.AnzahlSchenken < 0 || p.AnzahlSchenken > MaxTischpositionen) return "AnzahlSchenken";
        if (p.LetzteAktion > AktionKaufH) return "LetzteAktion";
        if (!KarteOk(p.LetzteKarte)) return "LetzteKarte";
        for (int l = 1; l <= 4; ++l) {
            const TKartenliste& li = p.Karten[l];
            if (li.Anzahl < 0 || li.Anzahl > StapelPlaetze) return "Karten.Anzahl";
            if (!KartenOk(li.Karten.a, StapelPlaetze)) return "Karten.Karten";
        }
        if (p.Tischkarten() > MaxTischpositionen) return "Tischkarten";
    }
    for (int r = 1; r <= 2; ++r) {
        if (s.Auslage[r].Anzahl < 0 || s.Auslage[r].Anzahl > 8) return "Auslage.Anzahl";
        if (!KartenOk(s.Auslage[r].Karten.a, 8)) return "Auslage.Karten";
    }
    if (s.Auslage[1].Anzahl + s.Auslage[2].Anzahl > 8) return "Auslage.Anzahl";
    if (s.Runde < 1 || s.Runde > GrenzeRunde) return "Runde";
    if (s.AnzahlPassen < 0 || s.AnzahlPassen > n) return "AnzahlPassen";
    if (s.AblageAnzahl < 0 || s.AblageAnzahl > GrenzeRunde) return "AblageAnzahl";
    if (s.Phase < 1 || s.Phase > 4) return "Phase";
    if (s.AktuellerSpieler < 1 || s.AktuellerSpieler > n) return "AktuellerSpieler";
    if (!SpielstaerkeGueltig(s.Spielstaerke)) return "Spielstaerke";
    if (s.GekaufteSiegpunkte < 0 || s.GekaufteSiegpunkte > GrenzeBetrag) return "GekaufteSiegpunkte";
    return {};
}

std::string PruefeEinstellung(const TStrategieEinstellung& e) {
    if (!BereichSim.Enthaelt(e.Sim)) return "Sim";
    for (int s = 1; s <= 4; ++s) {
        if (!BereichStrategie.Enthaelt(e.Strategie[s])) return "Strategie";
        if (!BereichGeld.Enthaelt(e.StartGeld[s])) return "StartGeld";
        if (!BereichRolle.Enthaelt(e.StartRolle[s])) return "StartRolle";
    }
    if (!BereichAnzahlSim.Enthaelt(e.AnzahlSim)) return "AnzahlSim";
    for (int32_t p : e.Parameter123)
        if (!BereichParameter.Enthaelt(p)) return "Parameter123";
    for (const auto& block : e.Parameter)
        for (int32_t p : block)
            if (!BereichParameter.Enthaelt(p)) return "Parameter";
    return {};
}

} // namespace vm
