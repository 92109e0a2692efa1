// Acting routines: hoarding cards in the hand and laying hand cards.
#include "ai/routinen_intern.h"

namespace vm {

using namespace routine;

// ---- hoarding ----

bool BunkernKarten(TKI& k, int farbe, bool erwErlaubt, int32_t maxGehalten, int32_t maxNetto) {
    if (!HandPlatz(k) || k.a.SS[farbe].HandAnzahl >= maxGehalten) return false;
    int best = 0;
    for (unsigned m = Plaetze(k, farbe, false); m != 0; m &= m - 1) {
        const int i = Erster(m);
        const tKarte* t = k.A().TKarten[i];
        if (!Schlicht(t, farbe) || k.a.Preis(i) - t->Geld > maxNetto) continue;
        if (best == 0 || k.a.Preis(i) < k.a.Preis(best)) best = i;
    }
    if (best > 0) {
        if (!NimmInHand(k, best)) k.g.InternerFehler(1, "BunkernKarten");
        return true;
    }
    if (!erwErlaubt) return false;
    for (unsigned m = Plaetze(k, farbe, true); m != 0; m = Ohne(m, Letzter(m))) {
        const int i = Letzter(m);
        if (!Erw(k.A().TKarten[i], farbe) || FindeGruenesZiel(k, i) == 0) continue;
        if (!NimmInHand(k, i)) k.g.InternerFehler(2, "BunkernKarten");
        return true;
    }
    return false;
}

bool NimmKarteInxInHand(TKI& k, int32_t inx) {
    if (!InAuslage(k, inx) || !HandPlatz(k)) return false;
    const int i = k.A().AuslageLetzte[inx];
    return i >= 1 && NimmInHand(k, i);
}

bool NimmKarteInxInHandLimit(TKI& k, int32_t inx, int32_t preisLimit) {
    if (!InAuslage(k, inx) || !HandPlatz(k)) return false;
    for (int i = k.A().AuslageLetzte[inx]; i >= 1; i = k.A().AuslageVorige[i])
        if (k.a.Preis(i) <= preisLimit) return NimmInHand(k, i);
    return false;
}

bool NimmKarteInxInHandReihe1(TKI& k, int32_t inx) {
    if (!InAuslage(k, inx) || !HandPlatz(k)) return false;
    for (int i = 1; i <= k.A().AnzahlAuslage; ++i)
        if (k.A().Reihe[i] == 1 && k.A().TKarten[i]->Inx == inx) return NimmInHand(k, i);
    return false;
}

bool BunkernBereich(TKI& k, int modus, int32_t maxHand, int32_t geldBoden, int32_t hoch, int32_t tief) {
    if (k.Geld() <= geldBoden || Hand(k).Anzahl >= maxHand || !HandPlatz(k)) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch), [&](int32_t x) {
        return modus == 1 ? NimmKarteInxInHandReihe1(k, x) : NimmKarteInxInHand(k, x);
    });
}

bool BunkernBereichFarbe(TKI& k, int farbe, int32_t maxGehalten, int32_t geldBoden, int32_t hoch,
                         int32_t tief) {
    if (k.Geld() <= geldBoden || k.a.SS[farbe].HandAnzahl >= maxGehalten || !HandPlatz(k)) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                      [&](int32_t x) { return NimmKarteInxInHand(k, x); });
}

bool BunkernBereichHand(TKI& k, int32_t maxHand, int32_t geldBoden, int32_t hoch, int32_t tief) {
    if (k.Geld() <= geldBoden || Hand(k).Anzahl >= maxHand || !HandPlatz(k)) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                      [&](int32_t x) { return NimmKarteInxInHand(k, x); });
}

bool BunkernKartenbereich(TKI& k, int modus, int32_t maxErwGehalten, int32_t hoch, int32_t tief, int farbe) {
    if (k.a.SS[farbe].HandErw >= maxErwGehalten || !HandPlatz(k)) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch), [&](int32_t x) {
        return modus == 1 ? NimmKarteInxInHandReihe1(k, x) : NimmKarteInxInHand(k, x);
    });
}

bool BunkernFehlendeAbsteigend(TKI& k, int /*farbe*/, int32_t hoch, int32_t tief) {
    if (!HandPlatz(k)) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern,
                      [&](int32_t x) { return NimmKarteInxInHand(k, x); });
}

bool BunkernFehlendeAufsteigend(TKI& k, int /*farbe*/, int32_t hoch, int32_t tief, int32_t preisLimit) {
    if (!HandPlatz(k)) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern,
                       [&](int32_t x) { return NimmKarteInxInHandLimit(k, x, preisLimit); });
}

bool BunkernGrueneGeldUpgrade(TKI& k) {
    if (!HandPlatz(k)) return false;
    for (int durchgang = 1; durchgang <= 2; ++durchgang) {
        for (unsigned m = Plaetze(k, 1, true); m != 0; m = Ohne(m, Letzter(m))) {
            const int i = Letzter(m);
            const tKarte* t = k.A().TKarten[i];
            if (!Erw(t, 1) || (durchgang == 1 && t->Geld != 6) || FindeGruenesZiel(k, i) == 0) continue;
            if (!NimmInHand(k, i)) k.g.InternerFehler(1, "BunkernGrueneGeldUpgrade");
            return true;
        }
    }
    return false;
}

// ---- laying hand cards ----

bool voll::LegeGuenstigsteGrueneHandkarte(TKI& k) {
    if (k.a.SS[1].HandAnzahl == 0) return false;
    int best = 0;
    int32_t bestWert = 1000;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (t->Farbe != 1) continue;
        int32_t preis = HandRohpreis(k, h);
        int32_t wert = 1000;
        if (!t->Erweiterung) {
            if (preis <= k.Geld()) wert = preis - 3;
        } else if (int ziel = Hand(k).Ziel[h]; ziel > 0) {
            int32_t kosten = Max1(preis - k.a.SS[1].Karten[ziel]->Kosten);
            if (kosten <= k.Geld()) wert = kosten + 3 - t->Geld;
        }
        if (wert < bestWert) {
            bestWert = wert;
            best = h;
        }
    }
    if (best == 0) return false;
    return LegeHandkarte(k, 1, Hand(k).Karten[best]->Erweiterung ? Hand(k).Ziel[best] : 0, best);
}

bool LegeHandkarteInx(TKI& k, int /*farbe*/, int32_t minRest, int32_t inx) {
    if (inx < 1 || inx > 49 || !((k.a.HandNummern >> inx) & 1u)) return false;
    int best = 0;
    int32_t bestPreis = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (t->Inx != inx) continue;
        if (t->Erweiterung) return false;
        int32_t preis = HandRohpreis(k, h);
        if (preis > k.Geld() || preis > k.Geld() - minRest + k.EinkommenJetzt(*t)) continue;
        if (best == 0 || preis < bestPreis) {
            best = h;
            bestPreis = preis;
        }
    }
    return best > 0 && LegeHandkarte(k, Hand(k).Karten[best]->Farbe, 0, best);
}

bool voll::LegeTeuersteHandkarte(TKI& k, int farbe, int32_t minRest) {
    // Only a card that is no upgrade can be plain.
    if (k.a.SS[farbe].HandAnzahl == k.a.SS[farbe].HandErw || k.Geld() <= 0) return false;
    int best = 0;
    int32_t bestPreis = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (!Schlicht(t, farbe)) continue;
        int32_t preis = HandRohpreis(k, h);
        if (preis > k.Geld() || preis > k.Geld() - minRest + k.EinkommenJetzt(*t)) continue;
        if (best == 0 || preis > bestPreis) {
            best = h;
            bestPreis = preis;
        }
    }
    return best > 0 && LegeHandkarte(k, farbe, 0, best);
}

bool voll::LegeTeuersteBlaueHandkarte(TKI& k, int32_t minRest) {
    if (k.a.SS[2].HandAnzahl == k.a.SS[2].HandErw) return false; // no plain blue card in the hand
    int best = 0;
    int32_t bestPreis = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        if (!Schlicht(Hand(k).Karten[h], 2)) continue;
        int32_t preis = HandRohpreis(k, h);
        if (preis > k.Geld() || preis > k.Geld() - minRest) continue;
        if (best == 0 || preis > bestPreis) {
            best = h;
            bestPreis = preis;
        }
    }
    return best > 0 && LegeHandkarte(k, 2, 0, best);
}

} // namespace vm
