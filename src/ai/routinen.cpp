// The primitives of the acting routines and buying from the display.
#include "ai/routinen_intern.h"

namespace vm {

using namespace routine;

// ---- primitives ----

bool KaufeAuslagekarte(TKI& k, int farbe, int i, int ziel) {
    if (i < 1 || i > k.A().AnzahlAuslage) return false;
    const int reihe = k.A().Reihe[i];
    tKartenRef karte = ZieheKarteAuslage(k.g, reihe, k.A().Platz[i]);
    if (karte.Leer()) return false;
    int32_t pos = ziel > 0 ? Tischposition(k.g, k.sp, farbe, ziel) : k.S().Tischkarten() + 1;
    LegeBezahleSpielerkarteTisch(k.g, k.sp, pos, reihe, karte);
    return true;
}

bool LegeHandkarte(TKI& k, int farbe, int ziel, int h) {
    tKartenRef karte = ZieheKarteHand(k.g, k.sp, h);
    if (karte.Leer()) return false;
    int32_t pos = ziel > 0 ? Tischposition(k.g, k.sp, farbe, ziel) : k.S().Tischkarten() + 1;
    LegeBezahleSpielerkarteTisch(k.g, k.sp, pos, 1, karte);
    HandkaufMelden(k.g, k.sp);
    return true;
}

bool NimmInHand(TKI& k, int i) {
    // Checked before the card leaves the display, so a full hand never loses it.
    if (i < 1 || i > k.A().AnzahlAuslage || !HandPlatz(k)) return false;
    tKartenRef karte = ZieheKarteAuslage(k.g, k.A().Reihe[i], k.A().Platz[i]);
    if (karte.Leer()) return false;
    return NimmKarteAufHand(k.g, k.sp, karte);
}

// ---- buying from the display ----

bool voll::KaufeGuenstigsteKarte(TKI& k, int farbe, int32_t limit) {
    if (k.Geld() == 0 || !ArtInAuslage(k, farbe, false)) return false;
    int best = 0;
    int32_t bestPreis = 0;
    for (unsigned m = Plaetze(k, farbe, false); m != 0; m &= m - 1) {
        const int i = Erster(m);
        const tKarte* t = k.A().TKarten[i];
        if (!Schlicht(t, farbe)) continue;
        const int32_t preis = k.a.Preis(i);
        if (preis - k.EinkommenJetzt(*t) > limit) continue;
        if (best == 0 || preis < bestPreis ||
            (preis == bestPreis && t->Kosten < k.A().TKarten[best]->Kosten)) {
            best = i;
            bestPreis = preis;
        }
    }
    return best > 0 && bestPreis <= k.Geld() && KaufeAuslagekarte(k, farbe, best, 0);
}

bool voll::KaufeKarteInx(TKI& k, int farbe, int32_t minRest, int32_t inx) {
    if (!InAuslage(k, inx)) return false;
    for (int i = k.A().AuslageLetzte[inx]; i >= 1; i = k.A().AuslageVorige[i]) {
        if (!Schlicht(k.A().TKarten[i], farbe)) continue;
        if (k.a.Preis(i) <= k.Geld() && Rest(k, i) >= minRest) return KaufeAuslagekarte(k, farbe, i, 0);
    }
    return false;
}

bool voll::KaufeBereichAbsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                      [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool voll::KaufeBereichAufsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch) & OhneSternwarte,
                       [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool KaufeBereichBegrenzt(TKI& k, int farbe, int32_t maxAnzahl, int32_t minRest, int32_t hoch, int32_t tief) {
    return k.a.SS[farbe].Anzahl < maxAnzahl && KaufeBereichAufsteigend(k, farbe, minRest, hoch, tief);
}

bool KaufeArtenBegrenzt(TKI& k, int farbe, int32_t maxAnzahl, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0 || (k.A().AuslageNummern & Nummern(tief, hoch) & OhneSternwarte) == 0) return false;
    int32_t n = 0;
    const tSSKarten& ss = k.a.SS[farbe];
    for (int i = 1; i <= ss.Anzahl; ++i) {
        const tKarte* t = ss.Karten[i];
        if (!t->Erweiterung && t->Inx != 7 && t->Inx != InxSternwarte && t->Inx >= tief && t->Inx <= hoch)
            ++n;
    }
    return n < maxAnzahl && KaufeBereichAufsteigend(k, farbe, minRest, hoch, tief);
}

bool voll::KaufeFehlendeAbsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern,
                      [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool KaufeFehlendeAufsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch) & OhneSternwarte & ~k.a.BesitzNummern,
                       [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool KaufeSchreiberVerwalter(TKI& k, int32_t minRest, int32_t geldLimit1, int32_t geldLimit2) {
    if (k.Geld() > geldLimit2 && KaufeKarteInx(k, 3, minRest, 18)) return true;
    return k.Geld() > geldLimit1 && KaufeKarteInx(k, 3, minRest, 19);
}

bool KaufeEinzelstueck(TKI& k, int32_t inx, int32_t minRest) {
    if (!InAuslage(k, inx)) return false;
    int treffer = 0, gefunden = 0;
    for (int i = 1; i <= k.A().AnzahlAuslage; ++i)
        if (k.A().TKarten[i]->Inx == inx) {
            ++treffer;
            gefunden = i;
        }
    if (treffer != 1 || k.A().TKarten[gefunden]->Erweiterung) return false;
    if (k.a.Preis(gefunden) > k.Geld() || k.Geld() - k.a.Preis(gefunden) < minRest) return false;
    return KaufeAuslagekarte(k, k.A().TKarten[gefunden]->Farbe, gefunden, 0);
}

bool KaufeBlaueWertung(TKI& k, int32_t minRest, int32_t minRest14) {
    return KaufeEinzelstueck(k, 14, minRest) || KaufeEinzelstueck(k, 13, minRest) ||
           KaufeEinzelstueck(k, 12, minRest) ||
           KaufeKarteInx(k, 2, minRest14 > minRest ? minRest14 : minRest, 14) ||
           KaufeKarteInx(k, 2, minRest, 13) || KaufeKarteInx(k, 2, minRest, 12);
}

bool KaufeBereichDuplikatBegrenzt(TKI& k, int farbe, int32_t maxDuplikate, int32_t minRest, int32_t hoch,
                                  int32_t tief) {
    const uint64_t kandidaten = k.A().AuslageNummern & Nummern(tief, hoch) & OhneSternwarte;
    if (k.Geld() == 0 || kandidaten == 0) return false;
    // The copies beyond the first of each number: the cards in the range less their numbers.
    const tSSKarten& ss = k.a.SS[farbe];
    int32_t imBereich = 0;
    uint64_t nummern = 0;
    for (int i = 1; i <= ss.Anzahl; ++i) {
        const int32_t inx = ss.Karten[i]->Inx;
        const bool drin = inx >= tief && inx <= hoch && inx >= 0 && inx <= 49;
        imBereich += drin;
        nummern |= uint64_t{drin} << (inx & 63);
    }
    if (imBereich - Bits(nummern) >= maxDuplikate) return false;
    return Aufsteigend(kandidaten, [&](int32_t x) { return KaufeKarteInx(k, farbe, minRest, x); });
}

bool SperreAdligen(TKI& k, int32_t tief, int32_t hoch, int32_t minRest) {
    const TSpieler& erster = k.g.Stand().Spieler[1];
    if (erster.Geld < 4 || erster.Karten[3].Anzahl <= 3) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                       [&](int32_t x) { return !Besitzt(k.g, 1, 3, x) && KaufeKarteInx(k, 3, minRest, x); });
}

} // namespace vm
