#include "rules/wertung.h"

namespace vm {

TEinkommen Einkommen(const TSpielsitzung& g, int phase, int spieler) {
    if (phase < 1 || phase > 3) return {};
    const TSpieler& sp = g.S.Spieler[spieler];
    const TKartenliste& l = sp.Karten[phase];
    TEinkommen e;
    for (int i = 1; i <= l.Anzahl; ++i) {
        // A used card pays nothing: its record counts as the all-zero one.
        const tKarte& d = g.Daten(KarteBenutzt(l.Karten[i]) ? tKartenRef{} : l.Karten[i]);
        e.geld += d.Geld;
        e.punkte += d.Siegpunkte;
    }
    if (phase == 2 && (sp.Sondereigenschaften & GeldProRot)) e.geld += sp.Karten[3].Anzahl;
    if (phase == 3 && (sp.Sondereigenschaften & GeldProGruen)) e.geld += sp.Karten[1].Anzahl;
    return e;
}

int32_t EinkommenGeld(const TSpielsitzung& g, int phase, int spieler) {
    return Einkommen(g, phase, spieler).geld;
}

int32_t EinkommenPunkte(const TSpielsitzung& g, int phase, int spieler) {
    return Einkommen(g, phase, spieler).punkte;
}

namespace {

TAdelsbonus Zaehle(const TSpielsitzung& g, int spieler, bool mitHand) {
    bool gesehen[50] = {};
    int32_t n = 0;
    auto markiere = [&](tKartenRef k) {
        int32_t inx = g.Daten(k).Inx;
        if (inx >= 1 && inx <= 49 && !gesehen[inx]) {
            gesehen[inx] = true;
            ++n;
        }
    };
    const TSpieler& sp = g.S.Spieler[spieler];
    for (int i = 1; i <= sp.Karten[3].Anzahl; ++i) markiere(sp.Karten[3].Karten[i]);
    if (mitHand) {
        const TKartenliste& h = sp.Hand();
        for (int i = 1; i <= h.Anzahl; ++i)
            if (g.Daten(h.Karten[i]).Farbe == 3) markiere(h.Karten[i]);
    }
    return {AdelsbonusTabelle(n, g.S.AdelsbonusErweitert != 0), n};
}

} // namespace

TAdelsbonus Adelsbonus(const TSpielsitzung& g, int spieler) {
    return Zaehle(g, spieler, false);
}
TAdelsbonus AdelsbonusMitHand(const TSpielsitzung& g, int spieler) {
    return Zaehle(g, spieler, true);
}

void Wertung(TSpielsitzung& g, int phase) {
    bool schluss = g.S.StapelLeer && phase == 4;
    for (int s = 1; s <= g.S.SpielerAnzahl; ++s) {
        TSpieler& sp = g.SpKonto(s);
        const TEinkommen e = Einkommen(g, phase, s);
        const int32_t geld = e.geld, punkte = e.punkte;
        sp.Geld += geld;
        sp.Siegpunkte += punkte;
        int32_t a = 0, m = 0, h = 0;
        if (schluss) {
            a = Adelsbonus(g, s).bonus;
            m = GeldPunkte(g, s);
            h = 5 * sp.Hand().Anzahl;
            sp.Siegpunkte += a + m - h;
            if (sp.Siegpunkte < 0) sp.Siegpunkte = 0;
        }
        g.Brett().GeldAnzeigen(s);
        g.Brett().SiegpunkteAnzeigen(s);
        g.Trace("Wertung Spieler ", s, ": Geld = (", geld, ",", sp.Geld, ")  -  Siegpunkte = (",
                punkte + a + m - h, ",", sp.Siegpunkte, ")");
    }
    g.Ablauf().NachWertung(phase);
}

void BerechnePlatz(TSpielsitzung& g) {
    int n = g.S.SpielerAnzahl;
    int64_t wert[5] = {};
    for (int s = 1; s <= n; ++s)
        wert[s] = static_cast<int64_t>(g.S.Spieler[s].Siegpunkte) * 10000 + g.S.Spieler[s].Geld;
    for (int s = 1; s <= 4; ++s) g.Platz[s] = 0;
    for (int platz = 1; platz <= n; ++platz) {
        int best = 0;
        for (int s = n; s >= 1; --s)
            if (best == 0 || wert[s] >= wert[best]) best = s;
        g.Platz[best] = platz;
        wert[best] = -1;
    }
}

} // namespace vm
