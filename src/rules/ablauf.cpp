#include "rules/ablauf.h"

#include "model/stapel.h"
#include "rules/hand.h"
#include "rules/kaufen.h"
#include "rules/wertung.h"

namespace vm {

namespace {
int NachSitz(const TSpielsitzung& g, int s) {
    return s >= g.S.SpielerAnzahl ? 1 : s + 1;
}
} // namespace

void SpielAufbau(TSpielsitzung& g) {
    if (!g.SimulationLaeuft) g.Ablauf().SpielstaerkeAnwenden();
    g.ZustandZuruecksetzen();
    MischeAlleStapel(g);
    g.S.SpielerAnzahl = g.Menue.SpielerAnzahl;
    g.Brett().SpielerAnzahlAnzeigen();
    g.Trace("");
    g.Trace("Anzahl Spieler: ", g.S.SpielerAnzahl);
    VerteileStartspieler(g);
    InitSpieler(g);
    InitKartenauslage(g);
    NeuePhase(g, 1);
    g.Brett().RundeAnzeigen();
    g.S.Spielende = 0;
    // Set up while the game was still marked over, which shows nobody on turn and all money.
    g.Brett().AmZugAnzeigen();
    if (g.S.VerdeckteHandkarten)
        for (int s = 2; s <= g.S.SpielerAnzahl; ++s) g.Brett().GeldAnzeigen(s);
}

bool StartrollenGueltig(int n, const Arr1<int32_t, 4>& r) {
    bool benutzt[5] = {};
    for (int i = 1; i <= 4; ++i) {
        if (r[i] < 0 || r[i] > 4) return false;
        if (n == 3 && i == 4) return r[4] <= 3;
        if (r[i] == 0) continue;
        if (benutzt[r[i]]) return false;
        benutzt[r[i]] = true;
    }
    return true;
}

void VerteileStartspieler(TSpielsitzung& g) {
    const int n = g.S.SpielerAnzahl;
    Arr1<int32_t, 4> r = g.EinstellungLaufend().StartRolle;
    // Settings that name a role twice cannot be dealt; they fall back to the random deal.
    if (!StartrollenGueltig(n, r)) r = {};
    bool frei[5] = {false, true, true, true, true};
    for (int i = 1; i <= 4; ++i)
        if (r[i] > 0 && !(i == 4 && n == 3)) frei[r[i]] = false;
    auto ziehe = [&]() {
        int32_t rolle;
        do {
            rolle = g.Zufall.Random(4) + 1;
        } while (!frei[rolle]);
        frei[rolle] = false;
        return rolle;
    };
    auto gib = [&](int32_t fest, int sitz) { g.S.Startspieler[fest > 0 ? fest : ziehe()] = sitz; };
    if (n == 2) {
        gib(r[1], 1);
        gib(r[3], 1);
        gib(r[2], 2);
        gib(r[4], 2);
    } else if (n == 3) {
        gib(r[1], 1);
        gib(r[2], 2);
        gib(r[3], 3);
        int sitz = r[4] > 0 ? r[4] : g.Zufall.Random(3) + 1;
        g.S.Startspieler[ziehe()] = sitz;
    } else {
        for (int i = 1; i <= 4; ++i) gib(r[i], i);
    }
    for (int rolle = 1; rolle <= 4; ++rolle)
        g.Trace("Startspieler Rolle ", rolle, " ist Spieler ", g.S.Startspieler[rolle]);
    g.Brett().StartspielerAnzeigen();
}

void InitSpieler(TSpielsitzung& g) {
    const TStrategieEinstellung& e = g.EinstellungLaufend();
    for (int s = 1; s <= 4; ++s) {
        TSpieler& sp = g.Sp(s);
        sp = TSpieler{};
        if (s <= g.S.SpielerAnzahl) sp.Geld = e.StartGeld[s];
        g.Brett().GeldAnzeigen(s);
        g.Brett().SiegpunkteAnzeigen(s);
        g.Brett().LetzteAktionAnzeigen(s);
    }
    g.Brett().SpielfeldAnzeigen();
    if (!g.TraceAn()) return;
    g.Trace("");
    g.Trace("Init Spieler: ");
    for (int s = 1; s <= g.S.SpielerAnzahl; ++s) {
        const TSpieler& sp = g.S.Spieler[s];
        g.Trace("Spieler: ", s);
        g.Trace("Geld: ", sp.Geld);
        g.Trace("Siegpunkte: ", sp.Siegpunkte);
        g.Trace("Sondereigenschaften: ??? ");
        g.Trace("letzte Aktion: ", sp.LetzteAktion);
        g.Trace("letzte Karte: Farbe - ", sp.LetzteKarte.Farbe, "  ,  Ref - ", sp.LetzteKarte.Ref);
        for (int k = 1; k <= 4; ++k) g.Trace("Kartenanzahl Stack ", k, " = ", sp.Karten[k].Anzahl);
    }
}

void NeuePhase(TSpielsitzung& g, int phase) {
    g.S.Phase = phase;
    g.S.AktuellerSpieler = g.S.Startspieler[phase];
    g.S.AnzahlPassen = 0;
    ReaktiviereSternwarten(g);
    g.Trace("");
    g.Trace("Neue Phase: ", phase);
    g.Trace("Startspieler Neue Phase: ", g.S.AktuellerSpieler);
    g.Ereignis(TEreignis::Phase, g.S.AktuellerSpieler, tKartenRef{}, tKartenRef{}, phase, g.S.Runde);
    g.Brett().PhaseAnzeigen();
    g.Brett().AmZugAnzeigen();
}

void NeueRunde(TSpielsitzung& g) {
    int32_t abgeworfen = VerschiebeAuslage(g);
    for (int r = 1; r <= 4; ++r) g.S.Startspieler[r] = NachSitz(g, g.S.Startspieler[r]);
    g.Brett().StartspielerAnzeigen();
    if (!g.TraceAn()) return;
    g.Trace("Werfe ", abgeworfen, " Karten auf den Ablagestapel");
    g.Trace("Verschiebe erste Reihe der Auslage in die zweite Reihe(", g.S.Auslage[2].Anzahl, " Karten)");
    g.Trace("Startspielersteine weitergeschoben (", g.S.Startspieler[1], ",", g.S.Startspieler[2], ",",
            g.S.Startspieler[3], ",", g.S.Startspieler[4], ")");
    g.Trace("Neue Runde: ", g.S.Runde);
}

void Passen(TSpielsitzung& g, int spieler) {
    if (!g.S.Computer[spieler] && !g.WartendeSternwartenKarte().Leer()) {
        // Passing with an observatory card waiting discards it; that is the turn's action.
        WirfKarteAb(g, spieler, g.WartendeSternwartenKarte());
        g.SternwartenKarteVerwerfen();
        TischplaetzeDeaktivieren(g, spieler);
        g.Brett().TischAnzeigen(spieler);
        return;
    }
    if (g.S.SchenkeModus) return;
    TSpieler& sp = g.SpKonto(spieler);
    sp.LetzteAktion = AktionPasse;
    sp.LetzteKarte = {};
    g.Brett().LetzteAktionAnzeigen(spieler);
    ++g.S.AnzahlPassen;
    g.Trace("Spieler ", spieler, " passt(", g.S.AnzahlPassen, ")");
    g.Ereignis(TEreignis::Passe, spieler);
}

void SpielBeenden(TSpielsitzung& g) {
    g.Trace("Spielende !!");
    if (!g.SimulationLaeuft) {
        BerechnePlatz(g);
        if (g.Ereignisse()) {
            g.Ereignis(TEreignis::Spielende);
            for (int platz = 1; platz <= g.S.SpielerAnzahl; ++platz) {
                for (int s = 1; s <= g.S.SpielerAnzahl; ++s) {
                    if (g.Platz[s] != platz) continue;
                    const TSpieler& sp = g.S.Spieler[s];
                    g.Ereignis(TEreignis::Ergebnis, s, tKartenRef{}, tKartenRef{}, platz, sp.Siegpunkte,
                               sp.Geld);
                }
            }
        }
        g.Ablauf().SpielendeAnzeigen();
    }
}

namespace {

// Every seat passed in a row: the phase is scored and the next one begins (or the pub round,
// or the end). Out of line, so that the usual turn to the next seat stays short.
[[gnu::noinline]] void PhasenEnde(TSpielsitzung& g) {
    TSpielstand& s = g.S;
    const int p = s.Phase;
    const int naechste = p == 4 ? 1 : p + 1;
    if (p != 2) {
        Wertung(g, p);
    } else {
        bool gefunden;
        if (s.SchenkeModus == 0) {
            Wertung(g, 2);
            s.SchenkeModus = 1;
            s.AktuellerSpieler = 1;
            gefunden = NaechsterSchenkeSpieler(g, true);
            if (gefunden) g.Ereignis(TEreignis::Schenkenrunde);
        } else {
            // Every seat passed before the pub round, so a last action other than the
            // purchase means the seat on turn let its pub go.
            const int sitz = s.AktuellerSpieler;
            if (g.Ereignisse() && s.Spieler[sitz].LetzteAktion != AktionKaufSp)
                g.Ereignis(TEreignis::KeineSiegpunkte, sitz);
            gefunden = NaechsterSchenkeSpieler(g, false);
        }
        if (gefunden) return; // the seat on turn may use its pub
        s.SchenkeModus = 0;
    }

    if (p == 4 && s.StapelLeer) {
        s.Spielende = 1;
        SpielBeenden(g);
        s.AktuellerSpieler = 1;
        g.Ablauf().HistorieEintrag();
        return;
    }
    if (p == 4) NeueRunde(g);

    int32_t frei = 8 - (s.Auslage[1].Anzahl + s.Auslage[2].Anzahl);
    while (frei > 0) {
        tKartenRef karte;
        int32_t rest;
        bool ok = ZieheVomStapel(g, naechste, karte, rest);
        if (rest == 0) s.StapelLeer = 1;
        if (!ok) {
            s.StapelLeer = 1;
            break;
        }
        if (!LegeInAuslage(g, karte, 1, frei)) g.InternerFehler(1, "NaechsterSpieler");
    }

    if (naechste == 1) ++s.Runde;
    NeuePhase(g, naechste);
    g.Brett().RundeAnzeigen();
    if (s.AktuellerSpieler == 1) g.Ablauf().HistorieEintrag();
}

} // namespace

void NaechsterSpieler(TSpielsitzung& g) {
    TSpielstand& s = g.S;
    if (g.AktionenImZug > 1) g.InternerFehler(g.AktionenImZug, "NaechsterSpieler");
    g.AktionenImZug = 0;
    if (s.AktuellerSpieler == 1) AuswahlAufheben(g);

    if (s.AnzahlPassen == s.SpielerAnzahl) {
        PhasenEnde(g);
        return;
    }
    s.AktuellerSpieler = NachSitz(g, s.AktuellerSpieler);
    if (s.AktuellerSpieler == 1) g.Ablauf().HistorieEintrag();
    g.Brett().AmZugAnzeigen();
    g.Trace("Nächster Spieler: ", s.AktuellerSpieler);
}

bool NaechsterSchenkeSpieler(TSpielsitzung& g, bool erster) {
    TSpielstand& s = g.S;
    if (s.AktuellerSpieler == 1 && !erster) return false;
    s.AktuellerSpieler = NachSitz(g, s.AktuellerSpieler);
    while (!s.KannSchenkeNutzen(s.AktuellerSpieler)) {
        s.AktuellerSpieler = NachSitz(g, s.AktuellerSpieler);
        if (s.AktuellerSpieler == 2) return false;
    }
    g.Brett().AmZugAnzeigen();
    if (!s.Computer[s.AktuellerSpieler]) AktiviereSchenke(g, s.AktuellerSpieler);
    return true;
}

void AktiviereSchenke(TSpielsitzung& g, int spieler) {
    const TSpieler& sp = g.S.Spieler[spieler];
    if (sp.AnzahlSchenken < 1 || sp.Geld < 2) {
        g.InternerFehler(1, "AktiviereSchenke");
        return;
    }
    const TKartenliste& blau = sp.Karten[2];
    for (int i = 1; i <= blau.Anzahl; ++i) {
        if (g.Daten(blau.Karten[i]).Sondereigenschaften & Schenke) {
            int32_t pos = sp.Karten[1].Anzahl + i;
            if (pos <= MaxTischpositionen) {
                g.TischplatzAnbieten(pos);
                g.Brett().TischpositionAnheben(spieler, pos, true);
            }
            return;
        }
    }
    g.InternerFehler(2, "AktiviereSchenke");
}

} // namespace vm
