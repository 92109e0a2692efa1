#include "rules/hand.h"

#include "model/stapel.h"
#include "rules/kaufen.h"

namespace vm {

tKartenRef ZieheKarteHand(TSpielsitzung& g, int spieler, int platz) {
    const uint32_t vorher = g.Journal().ListenStand(spieler, ListeHand);
    TKartenliste& h = g.SpListe(spieler, ListeHand);
    if (platz < 1 || platz > h.Anzahl || h.Anzahl > StapelPlaetze) {
        g.InternerFehler(1, "ZieheKarteHand");
        return {};
    }
    tKartenRef karte = h.Karten[platz];
    int32_t alt = h.Anzahl;
    --h.Anzahl;
    g.Trace("Handkarte ", karte, " auswählen");
    g.Ereignis(TEreignis::AusHand, spieler, karte);
    for (int p = platz; p < alt; ++p) h.Karten[p] = h.Karten[p + 1];
    h.Karten[alt] = {};
    g.ListeGeaendert(spieler, ListeHand, vorher, TAenderungsJournal::Entnommen, platz);
    for (int p = platz; p <= alt; ++p) g.Brett().HandAnzeigen(spieler, p);
    return karte;
}

void LegeKarteInHand(TSpielsitzung& g, int spieler, int platz, tKartenRef karte) {
    TSpieler& sp = g.SpKonto(spieler);
    const uint32_t vorher = g.Journal().ListenStand(spieler, ListeHand);
    TKartenliste& h = g.SpListe(spieler, ListeHand);
    if (platz < 1 || platz > MaxHandkarten || h.Anzahl >= MaxHandkarten) {
        g.InternerFehler(1, "LegeKarteInHand");
        return;
    }
    h.Karten[platz] = karte;
    ++h.Anzahl;
    if (platz == h.Anzahl)
        g.ListeGeaendert(spieler, ListeHand, vorher, TAenderungsJournal::Eingefuegt, platz);
    g.Brett().HandAnzeigen(spieler, platz);
    sp.LetzteAktion = AktionHand;
    sp.LetzteKarte = karte;
    g.Brett().LetzteAktionAnzeigen(spieler);
    g.S.AnzahlPassen = 0;
    ++g.AktionenImZug;
    g.Trace("Spieler ", spieler, " nimmt ", karte, " auf die Hand(", platz, ")");
    g.Ereignis(TEreignis::Hand, spieler, karte);
}

int32_t FreieHandplaetze(const TSpielsitzung& g, int spieler) {
    const TSpieler& sp = g.S.Spieler[spieler];
    int32_t frei = ((sp.Sondereigenschaften & Lagerhaus) ? 4 : 3) - sp.Hand().Anzahl;
    return frei < 0 ? 0 : frei;
}

bool NimmKarteAufHand(TSpielsitzung& g, int spieler, tKartenRef karte) {
    if (!KannHandkarteAufnehmen(g, spieler)) return false;
    LegeKarteInHand(g, spieler, g.S.Spieler[spieler].Hand().Anzahl + 1, karte);
    return true;
}

bool TischplaetzeDeaktivieren(TSpielsitzung& g, int spieler) {
    // Called at every end of seat 1's turn; usually nothing is offered, in a simulation never.
    IMenschAuswahl* a = g.MenschAuswahl();
    if (!a || !a->IrgendeinAngebot()) return false;
    bool irgendeiner = false;
    for (int pos = 1; pos <= MaxTischpositionen; ++pos) {
        if (!a->Angeboten(pos)) continue;
        a->Anbieten(pos, false);
        g.Brett().TischpositionAnheben(spieler, pos, false);
        irgendeiner = true;
    }
    if (irgendeiner) g.Brett().TischAnzeigen(spieler);
    return irgendeiner;
}

void AuswahlAufheben(TSpielsitzung& g) {
    g.Brett().AuswahlAufheben();
    TischplaetzeDeaktivieren(g, 1);
}

void KaufSiegpunkte(TSpielsitzung& g, int spieler, int32_t punkte) {
    TSpieler& sp = g.SpKonto(spieler);
    if (punkte < 0 || sp.Geld < 2 * punkte) {
        g.InternerFehler(1, "KaufSiegpunkte");
        return;
    }
    sp.Geld -= 2 * punkte;
    sp.Siegpunkte += punkte;
    g.S.GekaufteSiegpunkte = punkte;
    sp.LetzteAktion = AktionKaufSp;
    g.Brett().GeldAnzeigen(spieler);
    g.Brett().SiegpunkteAnzeigen(spieler);
    g.Brett().LetzteAktionAnzeigen(spieler);
    g.Trace("Spieler ", spieler, " kauft ", punkte, " Siegpunkte");
    g.Ereignis(TEreignis::Siegpunkte, spieler, tKartenRef{}, tKartenRef{}, punkte, 2 * punkte);
}

void WirfKarteAb(TSpielsitzung& g, int spieler, tKartenRef karte) {
    TSpieler& sp = g.SpKonto(spieler);
    sp.LetzteAktion = AktionSAbwurf;
    sp.LetzteKarte = karte;
    g.Brett().LetzteAktionAnzeigen(spieler);
    g.S.AnzahlPassen = 0;
    ++g.S.AblageAnzahl;
    g.Trace("Spieler ", spieler, " wirft ", karte, " ab(", g.S.AblageAnzahl, ")");
    g.Ereignis(TEreignis::Abwurf, spieler, karte);
}

bool ZieheSternwartenkarte(TSpielsitzung& g, int spieler, int stapel, tKartenRef& karte, int32_t& rest) {
    if (!ZieheVomStapel(g, stapel, karte, rest)) return false;
    g.Ereignis(TEreignis::Sternwarte, spieler, karte, tKartenRef{}, stapel);
    return true;
}

bool NimmKarteAufHandSW(TSpielsitzung& g, int spieler, tKartenRef karte) {
    bool ok = NimmKarteAufHand(g, spieler, karte);
    if (ok) {
        g.SpKonto(spieler).LetzteAktion = AktionSHand;
        g.Brett().LetzteAktionAnzeigen(spieler);
    }
    return ok;
}

void BenutzeTischkarte(TSpielsitzung& g, int spieler, int farbe, int index) {
    if (farbe < 1 || farbe > 3) return;
    const uint32_t vorher = g.Journal().ListenStand(spieler, farbe);
    TKartenliste& l = g.SpListe(spieler, farbe);
    if (index < 1 || index > l.Anzahl) return;
    tKartenRef& k = l.Karten[index];
    if (!KarteBenutzt(k)) k.Farbe += Benutzt;
    g.ListeGeaendert(spieler, farbe, vorher, TAenderungsJournal::NurMarken, index);
    g.Brett().TischpositionAnzeigen(spieler, Tischposition(g, spieler, farbe, index));
}

void BenutzeTischkarte(TSpielsitzung& g, int spieler, int32_t position) {
    TTischkarte t = TischpositionZuKarte(g, spieler, position);
    if (t.farbe != 0) BenutzeTischkarte(g, spieler, t.farbe, t.index);
}

void ReaktiviereTischkarte(TSpielsitzung& g, int spieler, int32_t position) {
    TTischkarte t = TischpositionZuKarte(g, spieler, position);
    if (t.farbe == 0) return;
    const uint32_t vorher = g.Journal().ListenStand(spieler, t.farbe);
    tKartenRef& k = g.SpListe(spieler, t.farbe).Karten[t.index];
    if (KarteBenutzt(k)) k.Farbe -= Benutzt;
    g.ListeGeaendert(spieler, t.farbe, vorher, TAenderungsJournal::NurMarken, t.index);
    g.Brett().TischpositionAnzeigen(spieler, position);
}

void ReaktiviereSternwarten(TSpielsitzung& g) {
    for (int s = 1; s <= g.S.SpielerAnzahl; ++s) {
        // Runs at every phase: counts a change only where a card was used. Most phases no card
        // was used and the list did not change since the last one.
        if (g.Journal().BlauOhneMarken(s)) continue;
        TKartenliste& l = g.S.Spieler[s].Karten[2];
        const uint32_t vorher = g.Journal().ListenStand(s, 2);
        for (int i = 1; i <= l.Anzahl; ++i) {
            if (!KarteBenutzt(l.Karten[i])) continue;
            g.SpListe(s, 2).Karten[i].Farbe -= Benutzt;
            g.ListeGeaendert(s, 2, vorher, TAenderungsJournal::NurMarken, i);
            g.Brett().TischpositionAnzeigen(s, Tischposition(g, s, 2, i));
            g.Trace("Reaktivieren der Sternwarte für Spieler ", s);
        }
        g.BlauOhneMarkenMerken(s);
    }
}

} // namespace vm
