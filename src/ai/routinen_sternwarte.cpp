// Acting routines: the observatory, the market position and the routines of strategies 14 and 15.
#include "ai/routinen_intern.h"

namespace vm {

using namespace routine;

// ---- observatory ----

namespace {

enum class SWArt { Kaufen, Nutzen, ErwBunkern };

bool SternwarteNutzen(TKI& k, SWArt art, int farbe, int32_t preisLimit, int32_t minRest) {
    if (preisLimit < 0) preisLimit = 0;
    if (minRest < 0) minRest = 0;
    if (farbe < 1 || farbe > 4 || (art == SWArt::Kaufen && farbe == 4)) return false;
    const int obs = UnbenutzteSternwarte(k);
    if (obs == 0 || k.g.Stand().RestStapel(farbe) <= 1) return false;
    if (!HandPlatz(k) && k.Geld() <= minRest + (art == SWArt::Nutzen ? 6 : 3)) return false;
    // As at the start of the move: the draw below changes a stack.
    const bool endeNah = EndeNah(k.g);
    k.g.Trace("Spieler ", k.sp,
              art == SWArt::ErwBunkern ? " nutzt die Sternwarte(Upgrade bunkern)" : " nutzt die Sternwarte");
    tKartenRef karte;
    int32_t rest;
    const bool gezogen = ZieheSternwartenkarte(k.g, k.sp, farbe, karte, rest);
    BenutzeTischkarte(k.g, k.sp, 2, obs);
    if (!gezogen) {
        k.g.InternerFehler(1, "KaufeNutzeSternwarte");
        return true;
    }
    const tKarte& d = k.g.Daten(karte);
    auto abwerfen = [&] { WirfKarteAb(k.g, k.sp, karte); };
    if (art == SWArt::ErwBunkern) {
        bool passt = false;
        const TKartenliste& blau = k.konto->Karten[2];
        for (int i = 1; i <= blau.Anzahl && !passt; ++i)
            passt = d.Farbe == 2 && KannErsetzen(k.g, karte, blau.Karten[i]);
        if (!passt || !NimmKarteAufHandSW(k.g, k.sp, karte)) abwerfen();
        return true;
    }
    const int32_t preis = KostenKarte(k.g, k.sp, karte, 1);
    if (art == SWArt::Kaufen && k.Besitzt(d.Inx) && preis > preisLimit) {
        abwerfen();
        return true;
    }
    if (k.Geld() - minRest < preis) {
        if (endeNah && preis + k.a.HandPreisGesamt > k.Geld() + k.a.SS[3].Geld + k.a.SS[2].Geld)
            abwerfen();
        else if (!NimmKarteAufHandSW(k.g, k.sp, karte))
            abwerfen();
    } else if (d.Erweiterung == 1) {
        // An upgrade drawn here has no target yet: it waits in the hand.
        if (!NimmKarteAufHandSW(k.g, k.sp, karte)) abwerfen();
    } else if (!LegeBezahleSpielerkarteTischNormSW(k.g, k.sp, karte)) {
        abwerfen();
    }
    return true;
}

} // namespace

bool voll::KaufeNutzeSternwarte(TKI& k, int farbe, int32_t preisLimit, int32_t minRest) {
    return SternwarteNutzen(k, SWArt::Kaufen, farbe, preisLimit, minRest);
}

bool voll::NutzeSternwarte(TKI& k, int farbe, int32_t minRest) {
    return SternwarteNutzen(k, SWArt::Nutzen, farbe, 0, minRest);
}

bool voll::BunkernNutzeErwSternwarte(TKI& k) {
    return SternwarteNutzen(k, SWArt::ErwBunkern, 4, 0, 0);
}

// ---- market position and the routines of strategies 14 and 15 ----

TMarktLage MarktpflegeLage(const TSpielsitzung& g, int sp, const tAuswKarten& a) {
    TMarktLage l;
    const TSpielstand& s = g.Stand();
    const int n = s.SpielerAnzahl;
    const int np = s.Phase >= 4 ? 1 : s.Phase + 1;
    auto nach = [n](int x) { return x >= n ? 1 : x + 1; };
    int sitz = s.Startspieler[np];
    if (s.Phase == 4) sitz = nach(sitz);
    l.frei = 8 - a.Auslage->AnzahlAuslage;
    if (s.Phase == 4) l.frei += s.Auslage[2].Anzahl;
    for (int32_t i = 0; i < l.frei; ++i) {
        if (sitz == sp) ++l.anteil;
        sitz = nach(sitz);
    }
    l.ok = sitz == sp && s.RestStapel(np) >= l.frei + 1;
    return l;
}

bool BesitztUnbenutzt(const TSpielsitzung& g, int sp, int farbe, int32_t inx) {
    if (farbe < 1 || farbe > 3) return false;
    const TKartenliste& l = g.Stand().Spieler[sp].Karten[farbe];
    for (int i = 1; i <= l.Anzahl; ++i)
        if (!KarteBenutzt(l.Karten[i]) && g.Daten(l.Karten[i]).Inx == inx) return true;
    return false;
}

int32_t UngedeckteAdelsduplikate(const TKI& k) {
    TRoteArten r = ZaehleRote(k);
    int32_t n = 0;
    for (int x = 0; x < 7; ++x)
        if (r.tisch[x] + r.hand[x] > 1) n += r.tisch[x] + r.hand[x] - 1;
    n -= k.a.SS[3].HandErw;
    return n < 0 ? 0 : n;
}

bool LegeRotesUpgradeInx(TKI& k, int32_t inx) {
    if (k.Geld() <= 0 || k.a.SS[3].HandErw == 0) return false;
    int u = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (Erw(t, 3) && t->Inx == inx && (u == 0 || t->Kosten <= Hand(k).Karten[u]->Kosten)) u = h;
    }
    if (u == 0) return false;
    const int32_t p = HandRohpreis(k, u);
    TRoteArten r = ZaehleRote(k);
    for (int durchgang = 1; durchgang <= 2; ++durchgang) {
        for (int32_t x = 22; x >= 18; --x) {
            const int32_t n = r.tisch[x - 18];
            if (durchgang == 1 ? n < 2 : n != 1) continue;
            const int ziel = ErsterRoter(k, x);
            if (k.Geld() >= Max1(p - k.a.SS[3].Karten[ziel]->Kosten)) return LegeHandkarte(k, 3, ziel, u);
        }
    }
    return false;
}

bool LegeRotesUpgradeBereich(TKI& k, int32_t hoechsteErw, int32_t minRest, int32_t tiefAdel, int32_t hochAdel,
                             int32_t tiefErw) {
    if (tiefAdel < 18 || tiefAdel > hochAdel || hochAdel > 24 || tiefErw < 40 || tiefErw > hoechsteErw ||
        hoechsteErw > 49)
        return false;
    TRoteArten r = ZaehleRote(k);
    const TKartenliste& rot = k.konto->Karten[3];
    for (int durchgang = 1; durchgang <= 2; ++durchgang) {
        for (int32_t u = hoechsteErw; u >= tiefErw; --u) {
            int h = 0;
            for (int j = 1; j <= Hand(k).Anzahl && h == 0; ++j)
                if (Erw(Hand(k).Karten[j], 3) && Hand(k).Karten[j]->Inx == u) h = j;
            if (h == 0) continue;
            const tKarte* ut = Hand(k).Karten[h];
            const int32_t preis = HandRohpreis(k, h);
            for (int32_t x = hochAdel; x >= tiefAdel; --x) {
                const int32_t n = r.tisch[x - 18];
                if (durchgang == 1 ? n < 2 : n != 1) continue;
                int ziel = 0;
                for (int i = 1; i <= rot.Anzahl && ziel == 0; ++i)
                    if (!KarteBenutzt(rot.Karten[i]) && k.a.SS[3].Karten[i]->Inx == x) ziel = i;
                if (ziel == 0) continue;
                const tKarte* t = k.a.SS[3].Karten[ziel];
                const int32_t q = Max1(preis - t->Kosten);
                const int32_t netto = k.g.Stand().Phase == 3 ? q + t->Geld - ut->Geld : q;
                if (k.Geld() >= q && k.Geld() - netto >= minRest) return LegeHandkarte(k, 3, ziel, h);
            }
        }
    }
    return false;
}

bool NutzeSternwarteRot(TKI& k, int32_t minRest) {
    if (!HatSternwarte(k)) return false;
    const int obs = UnbenutzteSternwarte(k);
    if (obs == 0) return false;
    const int32_t a = Aristokratenreserve(k.g, 18);
    if (k.Geld() < a) return false;
    if (k.g.Stand().StapelLeer && k.Geld() < (minRest > 0 ? minRest : 0) + a) return false;
    if (k.g.Stand().RestStapel(3) < 2) return false;
    k.g.Trace("Spieler ", k.sp, " nutzt die Sternwarte -ROT1-");
    tKartenRef karte;
    int32_t rest;
    if (!ZieheSternwartenkarte(k.g, k.sp, 3, karte, rest)) {
        k.g.InternerFehler(1, "KaufeNutzeSternwarte");
        return false;
    }
    BenutzeTischkarte(k.g, k.sp, 2, obs);
    const tKarte& d = k.g.Daten(karte);
    const int32_t p = KostenKarte(k.g, k.sp, karte, 1);
    bool erledigt = false;
    if (k.Geld() >= p && d.Inx != 20 && d.Inx != 21)
        erledigt = LegeBezahleSpielerkarteTischNormSW(k.g, k.sp, karte);
    else if (k.AnzahlBesitz(d.Inx) < 2)
        erledigt = NimmKarteAufHandSW(k.g, k.sp, karte);
    if (!erledigt) WirfKarteAb(k.g, k.sp, karte);
    return true;
}

} // namespace vm
