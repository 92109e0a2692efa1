#include "ai/auswertung.h"

#include <cstring>

#include "rules/kaufen.h"
#include "rules/wertung.h"

namespace vm {

namespace {
constexpr int32_t InxZar = 6;
}

void ErstelleAuswKarten(Spielsitzung& g, int spieler, tAuswKarten& a) {
    // Built at every computer move: only what the routines read is written.
    const TSpielstand& s = g.S;
    const TSpieler& sp = s.Spieler[spieler];
    a.ZarInx = 0;
    a.AnzahlReihe2 = 0;
    std::memset(a.Besitz, 0, sizeof a.Besitz);
    std::memset(a.Tisch, 0, sizeof a.Tisch);
    std::memset(a.AuslageLetzte, 0, sizeof a.AuslageLetzte);

    // Display: row 1 in slot order, then the occupied slots of row 2.
    int n = 0;
    for (int p = 1; p <= s.Auslage[1].Anzahl && p <= 8; ++p) {
        ++n;
        a.Karten[n] = s.Auslage[1].Karten[p];
        a.Reihe[n] = 1;
        a.Platz[n] = p;
    }
    for (int p = 1; p <= 8 && n < 8; ++p) {
        if (s.Auslage[2].Karten[p].Leer()) continue;
        ++n;
        a.Karten[n] = s.Auslage[2].Karten[p];
        a.Reihe[n] = 2;
        a.Platz[n] = p;
        a.AnzahlReihe2 = n;
    }
    a.AnzahlAuslage = n;

    // The seat's four lists in one pass: records, counts by number, incomes (every table card
    // of the colour, used ones too), the dearest aristocrat on the table and in the hand.
    int32_t hoechsterAdel = 0;
    for (int c = 1; c <= 4; ++c) {
        const TKartenliste& l = sp.Karten[c];
        tSSKarten& ss = a.SS[c];
        ss.Anzahl = l.Anzahl < 0 ? 0 : (l.Anzahl > 31 ? 31 : l.Anzahl);
        ss.AnzahlErw = ss.HandErw = ss.HandAnzahl = ss.Geld = ss.Punkte = ss.HandPreis = 0;
        for (int i = 1; i <= ss.Anzahl; ++i) {
            const tKarte* k = &g.Daten(l.Karten[i]);
            ss.Karten[i] = k;
            ss.Ziel[i] = 0;
            ss.AnzahlErw += k->Erweiterung == 1;
            const int32_t inx = k->Inx;
            if (inx < 1 || inx > 49) continue;
            ++a.Besitz[inx];
            if (inx >= 18 && inx <= 24 && (c == 3 || c == ListeHand) && k->Kosten > hoechsterAdel)
                hoechsterAdel = k->Kosten;
            if (c == ListeHand) {
                ++a.SS[k->Farbe].HandAnzahl;
                a.SS[k->Farbe].HandErw += k->Erweiterung == 1;
            } else if (k->Farbe == c) {
                ++a.Tisch[inx];
                ss.Geld += k->Geld;
                ss.Punkte += k->Siegpunkte;
                if (c == 1 && inx == InxZar && a.ZarInx == 0) a.ZarInx = i;
            }
        }
    }
    // Display prices from the table counts; anything odd goes through the full rule and its fault.
    for (int i = 1; i <= n; ++i) {
        const tKarte* d = &g.Daten(a.Karten[i]);
        a.TKarten[i] = d;
        const int32_t inx = d->Inx >= 0 && d->Inx <= 49 ? d->Inx : 0;
        a.AuslageVorige[i] = a.AuslageLetzte[inx];
        a.AuslageLetzte[inx] = static_cast<uint8_t>(i);
        const bool normal =
            a.Karten[i].Farbe >= 1 && a.Karten[i].Farbe <= 4 && d->Farbe >= 1 && d->Farbe <= 3;
        a.Preis[i] = normal ? KartenPreis(*d, sp.Sondereigenschaften, a.Tisch[d->Inx], a.Reihe[i])
                            : KostenKarte(g, spieler, a.Karten[i], a.Reihe[i]);
    }
    const tSSKarten& hand = a.SS[4];
    if (sp.Sondereigenschaften & GeldProRot) a.SS[2].Geld += a.SS[3].Anzahl;
    if (sp.Sondereigenschaften & GeldProGruen) a.SS[3].Geld += a.SS[1].Anzahl;

    // Green hand upgrades get their targets in hand order; the joker only when nothing else fits.
    tSSKarten& gruen = a.SS[1];
    for (int h = 1; h <= hand.Anzahl; ++h) {
        const tKarte* u = hand.Karten[h];
        if (u->Erweiterung != 1 || u->Farbe != 1) continue;
        int ziel = 0;
        for (int i = 1; i <= gruen.Anzahl && ziel == 0; ++i)
            if (gruen.Ziel[i] == 0 && gruen.Karten[i]->Inx != InxZar && u->ErsetztInx(gruen.Karten[i]->Inx))
                ziel = i;
        if (ziel == 0 && a.ZarInx > 0 && gruen.Ziel[a.ZarInx] == 0) ziel = a.ZarInx;
        if (ziel > 0) {
            gruen.Ziel[ziel] = h;
            a.SS[4].Ziel[h] = ziel;
        }
    }

    // Hand prices per colour.
    int32_t roteErw = 0;
    for (int h = 1; h <= hand.Anzahl; ++h) {
        const tKarte* k = hand.Karten[h];
        if (k->Farbe < 1 || k->Farbe > 3) continue;
        int32_t preis = KostenKarte(g, spieler, sp.Hand().Karten[h], 1);
        if (k->Erweiterung == 1) {
            if (k->Farbe == 1 && a.SS[4].Ziel[h] > 0) {
                int32_t p = preis - gruen.Karten[a.SS[4].Ziel[h]]->Kosten;
                preis = p < 1 ? 1 : p;
            } else if (k->Farbe == 2) {
                preis = 1;
            } else if (k->Farbe == 3) {
                int32_t erlass = hoechsterAdel - 2 * roteErw;
                if (erlass < 4) erlass = 4;
                int32_t p = preis - erlass;
                preis = p < 1 ? 1 : p;
                ++roteErw;
            }
        }
        a.SS[k->Farbe].HandPreis += preis;
    }
    a.HandPreisGesamt = a.SS[1].HandPreis + a.SS[2].HandPreis + a.SS[3].HandPreis;

    // Forecasts.
    a.Punkteprognose = sp.Siegpunkte;
    for (int c = s.Phase; c >= 1 && c <= 3; ++c) a.Punkteprognose += a.SS[c].Punkte;
    // Different aristocrat kinds on the table and in the hand (the end-of-game bonus with hand cards).
    int32_t adelsarten = 0;
    for (int32_t inx = 18; inx <= 49; inx = inx == 24 ? 40 : inx + 1) adelsarten += a.Besitz[inx] > 0;
    a.Punkteprognose += AdelsbonusTabelle(adelsarten, s.AdelsbonusErweitert != 0);
    a.Geldprognose = a.SS[1].Geld + a.SS[2].Geld + a.SS[3].Geld;

    // End-of-game warnings for a look-ahead of 0..3 cards leaving the display.
    const int32_t imAuslage = s.Auslage[1].Anzahl + s.Auslage[2].Anzahl;
    for (int i = 0; i < 4; ++i) {
        a.EndeNah[i] = a.StapelKnapp[i] = false;
        if (s.StapelLeer) {
            a.EndeNah[i] = a.StapelKnapp[i] = true;
            continue;
        }
        if (s.Phase < 1 || s.Phase > 3) continue;
        const int naechste = s.Phase + 1;
        int32_t bedarf = 8 - imAuslage + i;
        if (bedarf > 8) bedarf = 8;
        a.StapelKnapp[i] = bedarf >= s.RestStapel(naechste);
        bool knapp = false;
        for (int k = naechste; k <= 4; ++k)
            if (s.RestStapel(k) < 4) knapp = true;
        a.EndeNah[i] = a.StapelKnapp[i] || knapp;
    }
}

bool Besitzt(const Spielsitzung& g, int spieler, int farbe, int32_t inx) {
    return AnzahlBesitz(g, spieler, farbe, inx) > 0;
}

int32_t AnzahlBesitz(const Spielsitzung& g, int spieler, int farbe, int32_t inx) {
    const TSpieler& sp = g.S.Spieler[spieler];
    int32_t n = 0;
    if (farbe >= 1 && farbe <= 3) {
        const TKartenliste& l = sp.Karten[farbe];
        for (int i = 1; i <= l.Anzahl; ++i)
            if (g.Daten(l.Karten[i]).Inx == inx) ++n;
    }
    const TKartenliste& h = sp.Hand();
    for (int i = 1; i <= h.Anzahl; ++i)
        if (g.Daten(h.Karten[i]).Inx == inx) ++n;
    return n;
}

int32_t Aristokratenreserve(const Spielsitzung& g, int32_t limit) {
    if (limit <= 0) return 0;
    static constexpr int32_t Preise[7] = {4, 7, 10, 12, 14, 16, 18};
    const TKartenstapel& st = g.S.Kartenstapel[3];
    int32_t best = 0;
    for (int j = st.Naechste; j >= 1 && j <= st.Anzahl && j <= StapelPlaetze; ++j) {
        int32_t inx = g.Daten(st.Karten[j]).Inx;
        if (inx >= 18 && inx <= 24 && Preise[inx - 18] > best) best = Preise[inx - 18];
    }
    return best < limit ? best : limit;
}

} // namespace vm
