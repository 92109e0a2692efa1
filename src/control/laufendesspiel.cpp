#include "control/laufendesspiel.h"

namespace vm {

void VorComputerzug(const TSpielsitzung& g, THistorie& h) {
    const TSpielstand& s = g.S;
    if (!g.SimulationLaeuft && !s.Spielende && s.AktuellerSpieler == 1 && s.Computer[1])
        h.H().Zaehlung |= ZaehlungComputer;
}

bool SpielendeZaehlt(THistorie& h) {
    TSpielHistorie& k = h.H();
    const bool zaehlt = k.Aufgabe == 0 && (k.Zaehlung & (ZaehlungGezaehlt | ZaehlungComputer)) == 0;
    k.Zaehlung |= ZaehlungGezaehlt;
    return zaehlt;
}

bool SimulationStartbar(const TSpielsitzung& g, const THistorie& h) {
    const TStrategieEinstellung& e = g.Einstellungen.Fuer(g.Menue.SpielerAnzahl);
    return !g.SimulationLaeuft && !h.Sperre.NeuesSpiel && e.Sim != 0 && e.AnzahlSim > 0;
}

bool VerwerfenFragen(const TSpielsitzung& g, const THistorie& h, bool frageAn) {
    return frageAn && !g.SimulationLaeuft && !g.S.Spielende && g.MenschZuege != h.GesichertBei;
}

bool SpeichernAnbieten(const THistorie& h) {
    return !h.Sperre.Speichern;
}

bool NachAntwort(Antwort a, const THistorie& h, const std::function<bool()>& speichern) {
    switch (a) {
    case Antwort::Ja:
        return true;
    case Antwort::Speichern:
        return SpeichernAnbieten(h) && speichern && speichern();
    case Antwort::Nein:
        break;
    }
    return false;
}

} // namespace vm
