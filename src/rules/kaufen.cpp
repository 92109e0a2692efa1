#include "rules/kaufen.h"

#include <cstring>

namespace vm {

namespace {

// Copies of an unmarked card in a list: same card number means same table and slot, and used
// marks count too. Each reference is compared whole with the card, unmarked and marked, without
// a branch.
int32_t GleicheKarten(const TKartenliste& liste, tKartenRef karte) {
    const tKartenRef markiert{karte.Farbe + Benutzt, karte.Ref};
    uint64_t frei, benutzt;
    std::memcpy(&frei, &karte, sizeof frei);
    std::memcpy(&benutzt, &markiert, sizeof benutzt);
    int32_t gleiche = 0;
    for (int i = 1; i <= liste.Anzahl; ++i) {
        uint64_t x;
        std::memcpy(&x, &liste.Karten[i], sizeof x);
        gleiche += (x == frei) | (x == benutzt);
    }
    return gleiche;
}

} // namespace

int32_t KostenKarte(TSpielsitzung& g, int spieler, tKartenRef karte, int reihe) {
    const tKarte& d = g.Daten(karte);
    // A used mark, an empty place or anything outside the catalogue has no price.
    if (karte.Farbe < 1 || karte.Farbe > 4 || d.Farbe < 1 || d.Farbe > 3) {
        g.InternerFehler(1, "KostenKarte");
        return 999;
    }
    const TSpieler& sp = g.S.Spieler[spieler];
    return KartenPreis(d, sp.Sondereigenschaften, GleicheKarten(sp.Karten[d.Farbe], karte), reihe);
}

bool KannErsetzen(const TSpielsitzung& g, tKartenRef u, tKartenRef r) {
    if (KarteBenutzt(r) || r.Leer()) return false;
    const tKarte& du = g.Daten(u);
    const tKarte& dr = g.Daten(r);
    return du.Erweiterung == 1 && dr.Farbe == du.Farbe && du.ErsetztInx(dr.Inx);
}

int32_t UpgradePreis(TSpielsitzung& g, int spieler, tKartenRef u, tKartenRef r, int reihe) {
    const tKarte& dr = g.Daten(r);
    int32_t p = KostenKarte(g, spieler, u, reihe) - dr.Kosten;
    if (p < 1) p = 1;
    if (dr.Sondereigenschaften & ZaehltSechs) p = p - 4 < 1 ? 1 : p - 4;
    return p;
}

bool KannKarteKaufen(TSpielsitzung& g, int spieler, tKartenRef karte) {
    const tKarte& d = g.Daten(karte);
    const TSpieler& sp = g.S.Spieler[spieler];
    if (d.Erweiterung != 1) return sp.Geld >= KostenKarte(g, spieler, karte, 1);
    if (d.Farbe < 1 || d.Farbe > 3) return false;
    const TKartenliste& liste = sp.Karten[d.Farbe];
    for (int i = 1; i <= liste.Anzahl; ++i)
        if (KannErsetzen(g, karte, liste.Karten[i]) &&
            UpgradePreis(g, spieler, karte, liste.Karten[i], 1) <= sp.Geld)
            return true;
    return false;
}

int32_t Tischposition(const TSpielsitzung& g, int spieler, int farbe, int index) {
    int32_t pos = index;
    for (int c = 1; c < farbe; ++c) pos += g.S.Spieler[spieler].Karten[c].Anzahl;
    return pos;
}

bool AktiviereFreienTischplatz(TSpielsitzung& g, int spieler, tKartenRef karte, int reihe) {
    const tKarte& d = g.Daten(karte);
    const TSpieler& sp = g.S.Spieler[spieler];
    if (d.Erweiterung != 1) {
        if (sp.Geld < KostenKarte(g, spieler, karte, reihe)) return false;
        int32_t pos = sp.Tischkarten() + 1;
        if (pos > MaxTischpositionen) {
            g.InternerFehler(1, "AktiviereFreienTischplatz - Zu viele Tischkarten");
            return false;
        }
        g.TischplatzAnbieten(pos);
        g.Brett().TischpositionAnzeigen(spieler, pos);
        g.Brett().TischpositionAnheben(spieler, pos, true);
        return true;
    }
    if (d.Farbe < 1 || d.Farbe > 3) return false;
    bool markiert = false;
    const TKartenliste& liste = sp.Karten[d.Farbe];
    for (int i = 1; i <= liste.Anzahl; ++i) {
        if (!KannErsetzen(g, karte, liste.Karten[i])) continue;
        if (UpgradePreis(g, spieler, karte, liste.Karten[i], reihe) > sp.Geld) continue;
        int32_t pos = Tischposition(g, spieler, d.Farbe, i);
        if (pos > MaxTischpositionen) continue;
        g.TischplatzAnbieten(pos);
        g.Brett().TischpositionAnheben(spieler, pos, true);
        markiert = true;
    }
    return markiert;
}

int SortiereTischkarte(TSpielsitzung& g, int spieler, int farbe, int index) {
    TKartenliste& l = g.SpListe(spieler, farbe);
    if (index < 1 || index > l.Anzahl) return 0;
    tKartenRef k = l.Karten[index];
    int32_t inx = g.Daten(k).Inx;
    int t = l.Anzahl + 1;
    for (int j = 1; j <= l.Anzahl; ++j) {
        if (inx < g.Daten(l.Karten[j]).Inx) {
            t = j;
            break;
        }
    }
    if (t < index) {
        for (int j = index; j > t; --j) l.Karten[j] = l.Karten[j - 1];
        l.Karten[t] = k;
        return t;
    }
    for (int j = index; j < t - 1; ++j) l.Karten[j] = l.Karten[j + 1];
    l.Karten[t - 1] = k;
    return t - 1;
}

void SondereigenschaftenNeu(TSpielsitzung& g, int spieler) {
    TSpieler& sp = g.Sp(spieler);
    sp.Sondereigenschaften = 0;
    sp.AnzahlSternwarten = 0;
    sp.AnzahlSchenken = 0;
    for (int c = 1; c <= 3; ++c) {
        const TKartenliste& l = sp.Karten[c];
        for (int i = 1; i <= l.Anzahl; ++i) {
            uint8_t b = g.Daten(l.Karten[i]).Sondereigenschaften;
            sp.Sondereigenschaften |= b;
            if (b & Sternwarte) ++sp.AnzahlSternwarten;
            if (b & Schenke) ++sp.AnzahlSchenken;
        }
    }
}

namespace {

void KaufNormal(TSpielsitzung& g, int spieler, int32_t position, int reihe, tKartenRef karte) {
    const tKarte& d = g.Daten(karte);
    TSpieler& sp = g.SpKonto(spieler);
    if (d.Farbe < 1 || d.Farbe > 3 || sp.Karten[d.Farbe].Anzahl < 0 ||
        sp.Karten[d.Farbe].Anzahl >= StapelPlaetze) {
        g.InternerFehler(5, "LegeBezahleSpielerkarteTisch: Zu viele Karten");
        return;
    }
    sp.LetzteAktion = AktionKauf;
    sp.LetzteKarte = karte;
    g.Brett().LetzteAktionAnzeigen(spieler);
    // The price and the place come straight from the colour's cards: KostenKarte's copies of the
    // card, used or not, and SortiereTischkarte's place for the card put last, before the first
    // card of a higher number.
    const TKartenliste& liste = sp.Karten[d.Farbe];
    const int n = liste.Anzahl;
    const int32_t gleiche = GleicheKarten(liste, karte);
    int platz = 1;
    while (platz <= n && d.Inx >= g.Daten(liste.Karten[platz]).Inx) ++platz;
    int32_t preis = KartenPreis(d, sp.Sondereigenschaften, gleiche, reihe);
    if (preis > sp.Geld) {
        g.InternerFehler(1, "LegeBezahleSpielerkarteTisch");
        preis = sp.Geld;
    }
    sp.Geld -= preis;
    g.Brett().GeldAnzeigen(spieler);
    const uint32_t vorher = g.Journal().ListenStand(spieler, d.Farbe);
    TKartenliste& l = g.SpListe(spieler, d.Farbe);
    for (int j = n; j >= platz; --j) l.Karten[j + 1] = l.Karten[j];
    l.Karten[platz] = karte;
    l.Anzahl = n + 1;
    if (d.Sondereigenschaften & Sternwarte) ++sp.AnzahlSternwarten;
    if (d.Sondereigenschaften & Schenke) ++sp.AnzahlSchenken;
    sp.Sondereigenschaften |= d.Sondereigenschaften;
    g.ListeGeaendert(spieler, d.Farbe, vorher, TAenderungsJournal::Eingefuegt, platz);
    g.S.AnzahlPassen = 0;
    g.Brett().TischAnzeigen(spieler);
    ++g.AktionenImZug;
    g.Trace("Spieler ", spieler, " kauft ", karte, " für ", preis, " Geld auf Position ", position);
    g.Ereignis(TEreignis::Kauf, spieler, karte, tKartenRef{}, preis);
}

void KaufUpgrade(TSpielsitzung& g, int spieler, int32_t position, int reihe, tKartenRef u) {
    const tKarte& du = g.Daten(u);
    TSpieler& sp = g.SpKonto(spieler);
    if (du.Farbe < 1 || du.Farbe > 3) {
        g.InternerFehler(3, "LegeBezahleSpielerkarteTisch");
        return;
    }
    const uint32_t vorher = g.Journal().ListenStand(spieler, du.Farbe);
    TKartenliste& l = g.SpListe(spieler, du.Farbe);
    int32_t index = position - Tischposition(g, spieler, du.Farbe, 0);
    if (index < 1 || index > l.Anzahl || KarteBenutzt(l.Karten[index])) {
        g.InternerFehler(3, "LegeBezahleSpielerkarteTisch");
        return;
    }
    tKartenRef r = l.Karten[index];
    const tKarte& dr = g.Daten(r);
    sp.LetzteAktion = AktionKauf;
    sp.LetzteKarte = u;
    g.Brett().LetzteAktionAnzeigen(spieler);
    int32_t preis = UpgradePreis(g, spieler, u, r, reihe);
    if (preis > sp.Geld) {
        g.InternerFehler(2, "LegeBezahleSpielerkarteTisch");
        preis = sp.Geld;
    }
    sp.Geld -= preis;
    g.Brett().GeldAnzeigen(spieler);
    l.Karten[index] = u;
    // Two observatories and two pubs exist, so those bits go only with the last copy;
    // every other ability card is unique.
    if (dr.Sondereigenschaften & Sternwarte) {
        if (--sp.AnzahlSternwarten <= 0) sp.Sondereigenschaften &= static_cast<uint8_t>(~Sternwarte);
    }
    if (dr.Sondereigenschaften & Schenke) {
        if (--sp.AnzahlSchenken <= 0) sp.Sondereigenschaften &= static_cast<uint8_t>(~Schenke);
    }
    sp.Sondereigenschaften &= static_cast<uint8_t>(~(dr.Sondereigenschaften & ~(Sternwarte | Schenke)));
    sp.Sondereigenschaften |= du.Sondereigenschaften;
    const int platz = SortiereTischkarte(g, spieler, du.Farbe, index);
    if (platz > 0) g.ListeGeaendert(spieler, du.Farbe, vorher, TAenderungsJournal::Ersetzt, index, platz);
    g.S.AnzahlPassen = 0;
    ++g.S.AblageAnzahl;
    g.Brett().TischAnzeigen(spieler);
    ++g.AktionenImZug;
    g.Trace("Spieler ", spieler, " kauft Erw.-Karte ", u, " für ", preis, " Geld auf Position ", position,
            "; Abwurf der Karte ", r);
    g.Ereignis(TEreignis::Ausbau, spieler, u, r, preis);
}

} // namespace

void HandkaufMelden(TSpielsitzung& g, int spieler) {
    g.SpKonto(spieler).LetzteAktion = AktionKaufH;
    g.Brett().LetzteAktionAnzeigen(spieler);
}

void LegeBezahleSpielerkarteTisch(TSpielsitzung& g, int spieler, int32_t position, int reihe,
                                  tKartenRef karte) {
    if (position > MaxTischpositionen && !g.SimulationLaeuft) {
        g.InternerFehler(5, "LegeBezahleSpielerkarteTisch: Zu viele Karten");
        return;
    }
    if (KarteBenutzt(karte)) {
        g.InternerFehler(4, "LegeBezahleSpielerkarteTisch");
        return;
    }
    if (g.Daten(karte).Erweiterung == 1)
        KaufUpgrade(g, spieler, position, reihe, karte);
    else
        KaufNormal(g, spieler, position, reihe, karte);
}

bool LegeBezahleSpielerkarteTischNormSW(TSpielsitzung& g, int spieler, tKartenRef karte) {
    if (g.Daten(karte).Erweiterung == 1) {
        g.InternerFehler(1, "LegeBezahleSpielerkarteTischNormSW");
        return false;
    }
    TSpieler& sp = g.SpKonto(spieler);
    if (sp.Geld < KostenKarte(g, spieler, karte, 1)) return false;
    LegeBezahleSpielerkarteTisch(g, spieler, sp.Tischkarten() + 1, 1, karte);
    sp.LetzteAktion = AktionSKauf;
    g.Brett().LetzteAktionAnzeigen(spieler);
    return true;
}

void LegeBezahleSpielerkarteTischErwSW(TSpielsitzung& g, int spieler, int32_t position, tKartenRef karte) {
    if (g.Daten(karte).Erweiterung != 1) {
        g.InternerFehler(1, "LegeBezahleSpielerkarteTischErwSW");
        return;
    }
    LegeBezahleSpielerkarteTisch(g, spieler, position, 1, karte);
    g.SpKonto(spieler).LetzteAktion = AktionSKauf;
    g.Brett().LetzteAktionAnzeigen(spieler);
}

bool AktiviereFreienTischplatzErwSW(TSpielsitzung& g, int spieler, tKartenRef karte) {
    if (g.Daten(karte).Erweiterung != 1) return false;
    bool ok = AktiviereFreienTischplatz(g, spieler, karte, 1);
    if (ok) {
        g.SpKonto(spieler).LetzteAktion = AktionSKauf;
        g.SpKonto(spieler).LetzteKarte = karte;
        g.Brett().LetzteAktionAnzeigen(spieler);
    } else {
        g.InternerFehler(1, "AktiviereFreienTischplatzErwSW");
    }
    return ok;
}

TTischkarte TischpositionZuKarte(const TSpielsitzung& g, int spieler, int32_t position) {
    const TSpieler& sp = g.S.Spieler[spieler];
    int32_t vorher = 0;
    for (int c = 1; c <= 3; ++c) {
        int32_t n = sp.Karten[c].Anzahl;
        if (position >= 1 && vorher + n >= position) {
            int idx = position - vorher;
            return {c, idx, sp.Karten[c].Karten[idx]};
        }
        vorher += n;
    }
    return {};
}

} // namespace vm
