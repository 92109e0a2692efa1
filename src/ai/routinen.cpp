#include "ai/routinen.h"

#include <bit>

#include "model/stapel.h"
#include "rules/hand.h"
#include "rules/kaufen.h"

namespace vm {

namespace {

constexpr int32_t InxSternwarte = 11;

bool Schlicht(const tKarte* t, int farbe) {
    return t->Erweiterung == 0 && t->Farbe == farbe;
}
bool Erw(const tKarte* t, int farbe) {
    return t->Erweiterung == 1 && t->Farbe == farbe;
}
int32_t Max1(int32_t v) {
    return v < 1 ? 1 : v;
}
// Money left after buying display card i, counting what it pays in this phase.
int32_t Rest(const KI& k, int i) {
    return k.Geld() - k.a.Preis(i) + k.EinkommenJetzt(*k.A().TKarten[i]);
}
bool HandPlatz(const KI& k) {
    return KannHandkarteAufnehmen(k.g, k.sp);
}
const tSSKarten& Hand(const KI& k) {
    return k.a.SS[ListeHand];
}
tKartenRef HandRef(const KI& k, int h) {
    return k.konto->Hand().Karten[h];
}
// Price of hand card h before any replaced card, from the record's table counts; anything odd
// goes through the full rule and its fault.
[[gnu::always_inline]] inline int32_t HandRohpreis(const KI& k, int h) {
    const tKarte* t = Hand(k).Karten[h];
    const tKartenRef r = HandRef(k, h);
    if (r.Farbe >= 1 && r.Farbe <= 4 && t->Farbe >= 1 && t->Farbe <= 3 && t->Inx >= 0 && t->Inx <= 49)
        return KartenPreis(*t, k.konto->Sondereigenschaften, k.a.Tisch[t->Inx], 1);
    return KostenKarte(k.g, k.sp, r, 1);
}
// The display holds a plain card (or an upgrade) of that colour.
bool ArtInAuslage(const KI& k, int farbe, bool erw) {
    return farbe < 1 || farbe > 3 || ((k.A().AuslageArten >> (farbe * 2 + erw)) & 1u);
}
// Display indices of the plain cards (or the upgrades) of a colour, as bits i - 1; every index
// for a colour outside 1..3, so that the caller's own test decides.
unsigned Plaetze(const KI& k, int farbe, bool erw) {
    if (farbe < 1 || farbe > 3) return (1u << k.A().AnzahlAuslage) - 1;
    return k.A().ArtPlaetze[farbe * 2 + erw];
}
// Display index of the lowest (highest) bit of a non-empty set.
int Erster(unsigned m) {
    return std::countr_zero(m) + 1;
}
int Letzter(unsigned m) {
    return 32 - std::countl_zero(m);
}
// Set bits, without the library call that std::popcount is on baseline x86-64.
int32_t Bits(uint64_t v) {
    v = v - ((v >> 1) & 0x5555555555555555u);
    v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int32_t>((v * 0x0101010101010101u) >> 56);
}
unsigned Ohne(unsigned m, int i) {
    return m & ~(1u << (i - 1));
}

constexpr uint64_t OhneSternwarte = ~(uint64_t{1} << InxSternwarte);
// Tries the numbers of a set from the highest down (or the lowest up) until one succeeds: a range
// loop over only the numbers that can succeed, in the range's own order.
template <class F> bool Absteigend(uint64_t m, F versuche) {
    while (m != 0) {
        const int x = 63 - std::countl_zero(m);
        if (versuche(x)) return true;
        m &= ~(uint64_t{1} << x);
    }
    return false;
}
template <class F> bool Aufsteigend(uint64_t m, F versuche) {
    for (; m != 0; m &= m - 1)
        if (versuche(std::countr_zero(m))) return true;
    return false;
}
// The display holds a card of that number.
bool InAuslage(const KI& k, int32_t inx) {
    return inx >= 1 && inx <= 49 && ((k.A().AuslageNummern >> inx) & 1u);
}

// Counts of the plain red cards per card number 18..24 (index 0..6), on the table and in the hand.
// The catalogue's cards 18..24 are all plain red ones, so the table counts are the record's.
struct RoteArten {
    int32_t tisch[7] = {};
    int32_t hand[7] = {};
};
RoteArten ZaehleRote(const KI& k) {
    RoteArten r;
    for (int x = 0; x < 7; ++x) r.tisch[x] = k.a.Tisch[18 + x];
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (!t->Erweiterung && t->Inx >= 18 && t->Inx <= 24) ++r.hand[t->Inx - 18];
    }
    return r;
}

// Index of the first plain red table card with that number; 0 if none.
int ErsterRoter(const KI& k, int32_t inx) {
    const tSSKarten& rot = k.a.SS[3];
    for (int i = 1; i <= rot.Anzahl; ++i)
        if (!rot.Karten[i]->Erweiterung && rot.Karten[i]->Inx == inx) return i;
    return 0;
}

int UnbenutzteSternwarte(const KI& k) {
    const TKartenliste& blau = k.konto->Karten[2];
    for (int i = 1; i <= blau.Anzahl; ++i)
        if (!KarteBenutzt(blau.Karten[i]) && (k.g.Daten(blau.Karten[i]).Sondereigenschaften & Sternwarte))
            return i;
    return 0;
}

int32_t ErwInx(int32_t inx) {
    return inx - 24;
} // slot of an upgrade kind in catalogue table 4

} // namespace

// ---- primitives ----

bool KaufeAuslagekarte(KI& k, int farbe, int i, int ziel) {
    if (i < 1 || i > k.A().AnzahlAuslage) return false;
    const int reihe = k.A().Reihe[i];
    tKartenRef karte = ZieheKarteAuslage(k.g, reihe, k.A().Platz[i]);
    if (karte.Leer()) return false;
    int32_t pos = ziel > 0 ? Tischposition(k.g, k.sp, farbe, ziel) : k.S().Tischkarten() + 1;
    LegeBezahleSpielerkarteTisch(k.g, k.sp, pos, reihe, karte);
    return true;
}

bool LegeHandkarte(KI& k, int farbe, int ziel, int h) {
    tKartenRef karte = ZieheKarteHand(k.g, k.sp, h);
    if (karte.Leer()) return false;
    int32_t pos = ziel > 0 ? Tischposition(k.g, k.sp, farbe, ziel) : k.S().Tischkarten() + 1;
    LegeBezahleSpielerkarteTisch(k.g, k.sp, pos, 1, karte);
    k.S().LetzteAktion = AktionKaufH;
    k.g.Brett().LetzteAktionAnzeigen(k.sp);
    return true;
}

bool NimmInHand(KI& k, int i) {
    // Checked before the card leaves the display, so a full hand never loses it.
    if (i < 1 || i > k.A().AnzahlAuslage || !HandPlatz(k)) return false;
    tKartenRef karte = ZieheKarteAuslage(k.g, k.A().Reihe[i], k.A().Platz[i]);
    if (karte.Leer()) return false;
    return NimmKarteAufHand(k.g, k.sp, karte);
}

// ---- buying from the display ----

bool voll::KaufeGuenstigsteKarte(KI& k, int farbe, int32_t limit) {
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

bool voll::KaufeKarteInx(KI& k, int farbe, int32_t minRest, int32_t inx) {
    if (!InAuslage(k, inx)) return false;
    for (int i = k.A().AuslageLetzte[inx]; i >= 1; i = k.A().AuslageVorige[i]) {
        if (!Schlicht(k.A().TKarten[i], farbe)) continue;
        if (k.a.Preis(i) <= k.Geld() && Rest(k, i) >= minRest) return KaufeAuslagekarte(k, farbe, i, 0);
    }
    return false;
}

bool voll::KaufeBereichAbsteigend(KI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                      [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool voll::KaufeBereichAufsteigend(KI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch) & OhneSternwarte,
                       [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool KaufeBereichBegrenzt(KI& k, int farbe, int32_t maxAnzahl, int32_t minRest, int32_t hoch, int32_t tief) {
    return k.a.SS[farbe].Anzahl < maxAnzahl && KaufeBereichAufsteigend(k, farbe, minRest, hoch, tief);
}

bool KaufeArtenBegrenzt(KI& k, int farbe, int32_t maxAnzahl, int32_t minRest, int32_t hoch, int32_t tief) {
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

bool voll::KaufeFehlendeAbsteigend(KI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern,
                      [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool KaufeFehlendeAufsteigend(KI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    if (k.Geld() == 0) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch) & OhneSternwarte & ~k.a.BesitzNummern,
                       [&](int32_t x) { return voll::KaufeKarteInx(k, farbe, minRest, x); });
}

bool KaufeSchreiberVerwalter(KI& k, int32_t minRest, int32_t geldLimit1, int32_t geldLimit2) {
    if (k.Geld() > geldLimit2 && KaufeKarteInx(k, 3, minRest, 18)) return true;
    return k.Geld() > geldLimit1 && KaufeKarteInx(k, 3, minRest, 19);
}

bool KaufeEinzelstueck(KI& k, int32_t inx, int32_t minRest) {
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

bool KaufeBlaueWertung(KI& k, int32_t minRest, int32_t minRest14) {
    return KaufeEinzelstueck(k, 14, minRest) || KaufeEinzelstueck(k, 13, minRest) ||
           KaufeEinzelstueck(k, 12, minRest) ||
           KaufeKarteInx(k, 2, minRest14 > minRest ? minRest14 : minRest, 14) ||
           KaufeKarteInx(k, 2, minRest, 13) || KaufeKarteInx(k, 2, minRest, 12);
}

bool KaufeBereichDuplikatBegrenzt(KI& k, int farbe, int32_t maxDuplikate, int32_t minRest, int32_t hoch,
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

bool SperreAdligen(KI& k, int32_t tief, int32_t hoch, int32_t minRest) {
    const TSpieler& erster = k.g.S.Spieler[1];
    if (erster.Geld < 4 || erster.Karten[3].Anzahl <= 3) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                       [&](int32_t x) { return !Besitzt(k.g, 1, 3, x) && KaufeKarteInx(k, 3, minRest, x); });
}

// ---- hoarding ----

bool BunkernKarten(KI& k, int farbe, bool erwErlaubt, int32_t maxGehalten, int32_t maxNetto) {
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

bool NimmKarteInxInHand(KI& k, int32_t inx) {
    if (!InAuslage(k, inx) || !HandPlatz(k)) return false;
    const int i = k.A().AuslageLetzte[inx];
    return i >= 1 && NimmInHand(k, i);
}

bool NimmKarteInxInHandLimit(KI& k, int32_t inx, int32_t preisLimit) {
    if (!InAuslage(k, inx) || !HandPlatz(k)) return false;
    for (int i = k.A().AuslageLetzte[inx]; i >= 1; i = k.A().AuslageVorige[i])
        if (k.a.Preis(i) <= preisLimit) return NimmInHand(k, i);
    return false;
}

bool NimmKarteInxInHandReihe1(KI& k, int32_t inx) {
    if (!InAuslage(k, inx) || !HandPlatz(k)) return false;
    for (int i = 1; i <= k.A().AnzahlAuslage; ++i)
        if (k.A().Reihe[i] == 1 && k.A().TKarten[i]->Inx == inx) return NimmInHand(k, i);
    return false;
}

bool BunkernBereich(KI& k, int modus, int32_t maxHand, int32_t geldBoden, int32_t hoch, int32_t tief) {
    if (k.Geld() <= geldBoden || Hand(k).Anzahl >= maxHand || !HandPlatz(k)) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch), [&](int32_t x) {
        return modus == 1 ? NimmKarteInxInHandReihe1(k, x) : NimmKarteInxInHand(k, x);
    });
}

bool BunkernBereichFarbe(KI& k, int farbe, int32_t maxGehalten, int32_t geldBoden, int32_t hoch,
                         int32_t tief) {
    if (k.Geld() <= geldBoden || k.a.SS[farbe].HandAnzahl >= maxGehalten || !HandPlatz(k)) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                      [&](int32_t x) { return NimmKarteInxInHand(k, x); });
}

bool BunkernBereichHand(KI& k, int32_t maxHand, int32_t geldBoden, int32_t hoch, int32_t tief) {
    if (k.Geld() <= geldBoden || Hand(k).Anzahl >= maxHand || !HandPlatz(k)) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch),
                      [&](int32_t x) { return NimmKarteInxInHand(k, x); });
}

bool BunkernKartenbereich(KI& k, int modus, int32_t maxErwGehalten, int32_t hoch, int32_t tief, int farbe) {
    if (k.a.SS[farbe].HandErw >= maxErwGehalten || !HandPlatz(k)) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch), [&](int32_t x) {
        return modus == 1 ? NimmKarteInxInHandReihe1(k, x) : NimmKarteInxInHand(k, x);
    });
}

bool BunkernFehlendeAbsteigend(KI& k, int /*farbe*/, int32_t hoch, int32_t tief) {
    if (!HandPlatz(k)) return false;
    return Absteigend(k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern,
                      [&](int32_t x) { return NimmKarteInxInHand(k, x); });
}

bool BunkernFehlendeAufsteigend(KI& k, int /*farbe*/, int32_t hoch, int32_t tief, int32_t preisLimit) {
    if (!HandPlatz(k)) return false;
    return Aufsteigend(k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern,
                       [&](int32_t x) { return NimmKarteInxInHandLimit(k, x, preisLimit); });
}

bool BunkernGrueneGeldUpgrade(KI& k) {
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

bool voll::LegeGuenstigsteGrueneHandkarte(KI& k) {
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

bool LegeHandkarteInx(KI& k, int /*farbe*/, int32_t minRest, int32_t inx) {
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

bool voll::LegeTeuersteHandkarte(KI& k, int farbe, int32_t minRest) {
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

bool voll::LegeTeuersteBlaueHandkarte(KI& k, int32_t minRest) {
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

// ---- upgrades ----

int FindeGruenesZiel(const KI& k, int index, bool ausHand) {
    const tKarte* u = ausHand ? Hand(k).Karten[index] : k.A().TKarten[index];
    const tSSKarten& gruen = k.a.SS[1];
    int ziel = 0;
    for (int i = 1; i <= gruen.Anzahl && ziel == 0; ++i)
        if (gruen.Ziel[i] == 0 && u->ErsetztInx(gruen.Karten[i]->Inx)) ziel = i;
    // The joker is the best target whenever anything fits.
    if (ziel > 0 && k.a.ZarInx > 0 && gruen.Ziel[k.a.ZarInx] == 0) ziel = k.a.ZarInx;
    return ziel;
}

namespace {

bool GruenesUpgrade(KI& k, bool (*erster)(const tKarte*), bool (*zweiter)(const tKarte*)) {
    if (!ArtInAuslage(k, 1, true)) return false;
    for (auto passt : {erster, zweiter}) {
        for (unsigned m = Plaetze(k, 1, true); m != 0; m = Ohne(m, Letzter(m))) {
            const int i = Letzter(m);
            const tKarte* t = k.A().TKarten[i];
            if (!Erw(t, 1) || !passt(t)) continue;
            int ziel = FindeGruenesZiel(k, i);
            if (ziel == 0) continue;
            // An upgrade always costs at least 1, so that is what must be affordable.
            if (Max1(k.a.Preis(i) - k.a.SS[1].Karten[ziel]->Kosten) <= k.Geld())
                return KaufeAuslagekarte(k, 1, i, ziel);
        }
    }
    return false;
}

} // namespace

bool voll::KaufeGruenesGeldUpgrade(KI& k) {
    return GruenesUpgrade(
        k, [](const tKarte* t) { return t->Geld == 6; }, [](const tKarte*) { return true; });
}

bool voll::KaufeGruenesPunkteUpgrade(KI& k) {
    return GruenesUpgrade(
        k, [](const tKarte* t) { return t->Siegpunkte > 1; },
        [](const tKarte* t) { return t->Siegpunkte == 1; });
}

bool KaufeZielFuerGruenesUpgrade(KI& k) {
    if (k.a.SS[1].HandErw < 1) return false;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* u = Hand(k).Karten[h];
        if (!Erw(u, 1) || Hand(k).Ziel[h] > 0) continue;
        for (unsigned m = Plaetze(k, 1, false); m != 0; m = Ohne(m, Letzter(m))) {
            const int i = Letzter(m);
            const tKarte* t = k.A().TKarten[i];
            if (!Schlicht(t, 1) || !u->ErsetztInx(t->Inx)) continue;
            if (k.a.Preis(i) <= k.Geld()) return KaufeAuslagekarte(k, 1, i, 0);
            if (HandPlatz(k)) return NimmInHand(k, i);
        }
        return false; // only the first unmatched upgrade is served
    }
    return false;
}

bool voll::KaufeBlaueDuplikate(KI& k, int farbe, int modus, int32_t minRest) {
    if (modus == 1 ? k.Geld() <= 0 : !HandPlatz(k)) return false;
    // Every number tried is one the seat owns, and only a number in the display can succeed.
    if ((k.A().AuslageNummern & k.a.BesitzNummern) == 0) return false;
    auto versuche = [&](int32_t inx) {
        return modus == 0 ? NimmKarteInxInHand(k, inx) : voll::KaufeKarteInx(k, farbe, minRest, inx);
    };
    bool versucht[32] = {};
    const tSSKarten& tisch = k.a.SS[farbe];
    for (int t = tisch.Anzahl; t >= 1; --t) {
        const tKarte* tk = tisch.Karten[t];
        if (!Schlicht(tk, farbe) || tk->Inx == InxSternwarte) continue;
        for (int h = 1; h <= Hand(k).Anzahl; ++h) {
            const tKarte* hk = Hand(k).Karten[h];
            if (versucht[h] || !Schlicht(hk, farbe) || hk->Inx <= tk->Inx) continue;
            versucht[h] = true;
            if (versuche(hk->Inx)) return true;
        }
        if (versuche(tk->Inx)) return true;
    }
    return false;
}

namespace {

// One aristocrat kind as target of a red upgrade costing `preis`: buys or lays it when affordable.
template <class Ausfuehren>
bool RotesZielVersuchen(KI& k, int32_t x, const tKarte* u, int32_t preis, int32_t minRest,
                        Ausfuehren ausfuehren) {
    const int ziel = ErsterRoter(k, x);
    if (ziel == 0) return false;
    const tKarte* t = k.a.SS[3].Karten[ziel];
    int32_t kosten = Max1(preis - t->Kosten);
    int32_t netto = k.g.S.Phase == 3 ? kosten + t->Geld - u->Geld : kosten;
    if (k.Geld() >= kosten && k.Geld() - netto >= minRest) return ausfuehren(ziel);
    return false;
}

template <class Ausfuehren>
bool RotesUpgradeRegel(KI& k, const RoteArten& r, const tKarte* u, int32_t preis, int32_t minRest,
                       bool schluss, bool handZaehlt, Ausfuehren ausfuehren) {
    const int32_t hoechste = schluss ? 24 : 21;
    for (int32_t x = hoechste; x >= 18; --x) {
        int32_t n = r.tisch[x - 18];
        if ((n >= 2 || (handZaehlt && n == 1 && r.hand[x - 18] >= 1)) &&
            RotesZielVersuchen(k, x, u, preis, minRest, ausfuehren))
            return true;
    }
    if (schluss) {
        for (int32_t x = hoechste; x >= 18; --x)
            if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, u, preis, minRest, ausfuehren)) return true;
        return false;
    }
    if (u->Kosten > 10) return false;
    for (int32_t x = 18; x <= 20; ++x)
        if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, u, preis, minRest, ausfuehren)) return true;
    return false;
}

} // namespace

bool voll::KaufeRotesUpgrade(KI& k, int32_t minRest, bool schluss) {
    if (k.Geld() == 0 || !ArtInAuslage(k, 3, true)) return false;
    int u = 0;
    for (unsigned m = Plaetze(k, 3, true); m != 0; m &= m - 1) {
        const int i = Erster(m);
        if (Erw(k.A().TKarten[i], 3) && (u == 0 || k.A().TKarten[i]->Kosten <= k.A().TKarten[u]->Kosten))
            u = i;
    }
    if (u == 0) return false;
    RoteArten r = ZaehleRote(k);
    return RotesUpgradeRegel(k, r, k.A().TKarten[u], k.a.Preis(u), minRest, schluss, true,
                             [&](int ziel) { return KaufeAuslagekarte(k, 3, u, ziel); });
}

bool voll::LegeRotesUpgrade(KI& k, int32_t minRest, bool schluss) {
    if (k.Geld() == 0 || k.a.SS[3].HandErw == 0) return false;
    int u = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h)
        if (Erw(Hand(k).Karten[h], 3) && (u == 0 || Hand(k).Karten[h]->Kosten <= Hand(k).Karten[u]->Kosten))
            u = h;
    if (u == 0) return false;
    RoteArten r = ZaehleRote(k);
    int32_t preis = HandRohpreis(k, u);
    return RotesUpgradeRegel(k, r, Hand(k).Karten[u], preis, minRest, schluss, false,
                             [&](int ziel) { return LegeHandkarte(k, 3, ziel, u); });
}

bool voll::LegeTeuerstesRotesUpgrade(KI& k, int32_t minRest) {
    if (k.Geld() <= 0 || k.a.SS[3].HandErw == 0) return false;
    int u = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h)
        if (Erw(Hand(k).Karten[h], 3) && (u == 0 || Hand(k).Karten[h]->Kosten >= Hand(k).Karten[u]->Kosten))
            u = h;
    if (u == 0) return false;
    const tKarte* ut = Hand(k).Karten[u];
    int32_t p = HandRohpreis(k, u);
    RoteArten r = ZaehleRote(k);
    auto lege = [&](int ziel) { return LegeHandkarte(k, 3, ziel, u); };
    for (int32_t x = 24; x >= 18; --x)
        if (r.tisch[x - 18] >= 2 && RotesZielVersuchen(k, x, ut, p, minRest, lege)) return true;
    int32_t t = 24;
    for (int32_t x = 18; x <= 24; ++x) {
        if (r.tisch[x - 18] == 1 && Max1(p - k.a.SS[3].Karten[ErsterRoter(k, x)]->Kosten) == 1) {
            t = x;
            break;
        }
    }
    for (int32_t x = t; x <= 24; ++x)
        if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, ut, p, minRest, lege)) return true;
    for (int32_t x = t; x >= 18; --x)
        if (r.tisch[x - 18] == 1 && RotesZielVersuchen(k, x, ut, p, minRest, lege)) return true;
    return false;
}

bool voll::KaufeBlauesUpgradeMitZiel(KI& k, int32_t minRest, bool ausHand, int32_t maxTischErw,
                                     BlauOrdnung ordnung) {
    if (k.Geld() <= 0 || k.a.SS[2].AnzahlErw >= maxTischErw) return false;
    static constexpr int32_t Basis[] = {31, 32, 35, 37, 38, 33, 39, 34, 36};
    static constexpr int32_t Punkte[] = {36, 39, 34, 38, 33, 37, 32, 35, 31};
    int32_t arten[11];
    int n = 0;
    for (int32_t x : ordnung == BlauOrdnung::Basis ? Basis : Punkte) arten[n++] = x;
    if (ausHand) arten[n++] = 30;
    if (k.g.S.SpielerAnzahl == 2) arten[n++] = 30;
    const uint64_t vorhanden = ausHand ? k.a.HandNummern : k.A().AuslageNummern;
    uint64_t gesucht = 0;
    for (int j = 0; j < n; ++j) gesucht |= uint64_t{1} << arten[j];
    if ((vorhanden & gesucht) == 0) return false;

    // First unused table card of each possible target kind, found once.
    const TKartenliste& blau = k.konto->Karten[2];
    int erstes[18] = {};
    for (int i = blau.Anzahl; i >= 1; --i)
        if (!KarteBenutzt(blau.Karten[i])) {
            const int32_t inx = k.a.SS[2].Karten[i]->Inx;
            if (inx >= 8 && inx <= 13) erstes[inx] = i;
        }
    for (int j = 0; j < n; ++j) {
        if (!((vorhanden >> arten[j]) & 1u)) continue;
        const tKarte& art = k.g.Katalog().Art(4, ErwInx(arten[j]));
        const int32_t luecke = art.Kosten - k.Geld();
        int ziel = 0;
        if (luecke < 7) ziel = erstes[9];
        if (ziel == 0 && luecke < 3) ziel = erstes[8];
        if (ziel == 0 && luecke < 6) ziel = erstes[10];
        if (ziel == 0 && luecke < 9) ziel = erstes[12];
        if (ziel == 0 && luecke <= 11) ziel = erstes[13];
        if (ziel == 0) continue;
        const tKarte& zk = k.g.Daten(blau.Karten[ziel]);
        auto leistbar = [&](const tKarte& u, int32_t preis) {
            int32_t diff = preis - zk.Kosten;
            int32_t zusatz = k.g.S.Phase == 2 ? u.Geld - zk.Geld : 0;
            return diff <= k.Geld() && k.Geld() - Max1(diff) + zusatz >= minRest;
        };
        if (ausHand) {
            for (int h = 1; h <= Hand(k).Anzahl; ++h) {
                const tKarte* u = Hand(k).Karten[h];
                if (u->Inx != arten[j]) continue;
                if (leistbar(*u, HandRohpreis(k, h))) return LegeHandkarte(k, 2, ziel, h);
            }
        } else {
            for (int i = k.A().AnzahlAuslage; i >= 1; --i) {
                const tKarte* u = k.A().TKarten[i];
                if (u->Inx != arten[j]) continue;
                if (leistbar(*u, k.a.Preis(i))) return KaufeAuslagekarte(k, 2, i, ziel);
            }
        }
    }
    return false;
}

bool BunkernBlauesUpgrade(KI& k, int32_t maxGehalten, int modus, BlauOrdnung ordnung) {
    if (k.a.SS[2].HandErw >= maxGehalten || !HandPlatz(k)) return false;
    auto nimm = [&](int32_t inx) {
        return modus == 1 ? NimmKarteInxInHandReihe1(k, inx) : NimmKarteInxInHand(k, inx);
    };
    if (ordnung == BlauOrdnung::Basis && k.g.S.SpielerAnzahl == 2 && k.a.SS[3].Anzahl >= 7 && nimm(30))
        return true;
    static constexpr int32_t Basis[] = {31, 32, 35, 37, 33, 38, 34, 36, 39};
    static constexpr int32_t Punkte[] = {36, 39, 34, 38, 33, 37};
    if (ordnung == BlauOrdnung::Basis) {
        for (int32_t x : Basis)
            if (nimm(x)) return true;
    } else {
        for (int32_t x : Punkte)
            if (nimm(x)) return true;
    }
    return false;
}

int FindeRotesZiel(const KI& k, int i) {
    const tKarte* u = k.A().TKarten[i];
    const tSSKarten& rot = k.a.SS[3];
    if (rot.AnzahlErw >= rot.Anzahl) return 0;
    int best = 0;
    int32_t bestKosten = 0;
    for (int j = 1; j <= rot.Anzahl; ++j) {
        const tKarte* t = rot.Karten[j];
        if (t->Erweiterung || !u->ErsetztInx(t->Inx)) continue;
        int32_t kosten = Max1(u->Kosten - t->Kosten);
        if (best == 0 || kosten < bestKosten ||
            (kosten == bestKosten && t->Kosten > rot.Karten[best]->Kosten)) {
            best = j;
            bestKosten = kosten;
        }
    }
    return best;
}

bool KaufeRotesPunkteUpgrade(KI& k) {
    int best = 0, bestZiel = 0;
    int32_t bestKosten = 0;
    for (int i = 1; i <= k.A().AnzahlAuslage; ++i) {
        const tKarte* u = k.A().TKarten[i];
        if (!Erw(u, 3) || u->Siegpunkte < 1) continue;
        int ziel = FindeRotesZiel(k, i);
        if (ziel == 0) continue;
        int32_t kosten = Max1(k.a.Preis(i) - k.a.SS[3].Karten[ziel]->Kosten);
        if (kosten > k.Geld()) continue;
        bool besser = best == 0;
        if (!besser) {
            const tKarte* b = k.A().TKarten[best];
            besser = u->Siegpunkte > b->Siegpunkte ||
                     (u->Siegpunkte == b->Siegpunkte &&
                      (kosten < bestKosten || (kosten == bestKosten && k.a.Preis(i) > k.a.Preis(best))));
        }
        if (besser) {
            best = i;
            bestZiel = ziel;
            bestKosten = kosten;
        }
    }
    return best > 0 && KaufeAuslagekarte(k, 3, best, bestZiel);
}

// ---- observatory ----

namespace {

enum class SWArt { Kaufen, Nutzen, ErwBunkern };

bool SternwarteNutzen(KI& k, SWArt art, int farbe, int32_t preisLimit, int32_t minRest) {
    if (preisLimit < 0) preisLimit = 0;
    if (minRest < 0) minRest = 0;
    if (farbe < 1 || farbe > 4 || (art == SWArt::Kaufen && farbe == 4)) return false;
    const int obs = UnbenutzteSternwarte(k);
    if (obs == 0 || k.g.S.RestStapel(farbe) <= 1) return false;
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

bool voll::KaufeNutzeSternwarte(KI& k, int farbe, int32_t preisLimit, int32_t minRest) {
    return SternwarteNutzen(k, SWArt::Kaufen, farbe, preisLimit, minRest);
}

bool voll::NutzeSternwarte(KI& k, int farbe, int32_t minRest) {
    return SternwarteNutzen(k, SWArt::Nutzen, farbe, 0, minRest);
}

bool voll::BunkernNutzeErwSternwarte(KI& k) {
    return SternwarteNutzen(k, SWArt::ErwBunkern, 4, 0, 0);
}

// ---- market position and the routines of strategies 14 and 15 ----

TMarktLage MarktpflegeLage(const Spielsitzung& g, int sp, const tAuswKarten& a) {
    TMarktLage l;
    const TSpielstand& s = g.S;
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

bool BesitztUnbenutzt(const Spielsitzung& g, int sp, int farbe, int32_t inx) {
    if (farbe < 1 || farbe > 3) return false;
    const TKartenliste& l = g.S.Spieler[sp].Karten[farbe];
    for (int i = 1; i <= l.Anzahl; ++i)
        if (!KarteBenutzt(l.Karten[i]) && g.Daten(l.Karten[i]).Inx == inx) return true;
    return false;
}

int32_t UngedeckteAdelsduplikate(const KI& k) {
    RoteArten r = ZaehleRote(k);
    int32_t n = 0;
    for (int x = 0; x < 7; ++x)
        if (r.tisch[x] + r.hand[x] > 1) n += r.tisch[x] + r.hand[x] - 1;
    n -= k.a.SS[3].HandErw;
    return n < 0 ? 0 : n;
}

bool LegeRotesUpgradeInx(KI& k, int32_t inx) {
    if (k.Geld() <= 0 || k.a.SS[3].HandErw == 0) return false;
    int u = 0;
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (Erw(t, 3) && t->Inx == inx && (u == 0 || t->Kosten <= Hand(k).Karten[u]->Kosten)) u = h;
    }
    if (u == 0) return false;
    const int32_t p = HandRohpreis(k, u);
    RoteArten r = ZaehleRote(k);
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

bool LegeRotesUpgradeBereich(KI& k, int32_t hoechsteErw, int32_t minRest, int32_t tiefAdel, int32_t hochAdel,
                             int32_t tiefErw) {
    if (tiefAdel < 18 || tiefAdel > hochAdel || hochAdel > 24 || tiefErw < 40 || tiefErw > hoechsteErw ||
        hoechsteErw > 49)
        return false;
    RoteArten r = ZaehleRote(k);
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
                const int32_t netto = k.g.S.Phase == 3 ? q + t->Geld - ut->Geld : q;
                if (k.Geld() >= q && k.Geld() - netto >= minRest) return LegeHandkarte(k, 3, ziel, h);
            }
        }
    }
    return false;
}

bool NutzeSternwarteRot(KI& k, int32_t minRest) {
    if (!HatSternwarte(k)) return false;
    const int obs = UnbenutzteSternwarte(k);
    if (obs == 0) return false;
    const int32_t a = Aristokratenreserve(k.g, 18);
    if (k.Geld() < a) return false;
    if (k.g.S.StapelLeer && k.Geld() < (minRest > 0 ? minRest : 0) + a) return false;
    if (k.g.S.RestStapel(3) < 2) return false;
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
