// The acting routines' own helpers, shared by the files of their sections.
#pragma once

#include <bit>

#include "ai/routinen.h"
#include "model/stapel.h"
#include "rules/hand.h"
#include "rules/kaufen.h"

namespace vm::routine {

constexpr int32_t InxSternwarte = 11;

inline bool Schlicht(const tKarte* t, int farbe) {
    return t->Erweiterung == 0 && t->Farbe == farbe;
}
inline bool Erw(const tKarte* t, int farbe) {
    return t->Erweiterung == 1 && t->Farbe == farbe;
}
inline int32_t Max1(int32_t v) {
    return v < 1 ? 1 : v;
}
// Money left after buying display card i, counting what it pays in this phase.
inline int32_t Rest(const TKI& k, int i) {
    return k.Geld() - k.a.Preis(i) + k.EinkommenJetzt(*k.A().TKarten[i]);
}
inline bool HandPlatz(const TKI& k) {
    return KannHandkarteAufnehmen(k.g, k.sp);
}
inline const tSSKarten& Hand(const TKI& k) {
    return k.a.SS[ListeHand];
}
inline tKartenRef HandRef(const TKI& k, int h) {
    return k.konto->Hand().Karten[h];
}
// Price of hand card h before any replaced card, from the record's table counts; anything odd
// goes through the full rule and its fault. Forced inline: GCC keeps a call otherwise, and that
// costs about 3 % of a simulated game.
[[gnu::always_inline]] inline int32_t HandRohpreis(const TKI& k, int h) {
    const tKarte* t = Hand(k).Karten[h];
    const tKartenRef r = HandRef(k, h);
    if (r.Farbe >= 1 && r.Farbe <= 4 && t->Farbe >= 1 && t->Farbe <= 3 && t->Inx >= 0 && t->Inx <= 49)
        return KartenPreis(*t, k.konto->Sondereigenschaften, k.a.Tisch[t->Inx], 1);
    return KostenKarte(k.g, k.sp, r, 1);
}
// The display holds a plain card (or an upgrade) of that colour.
inline bool ArtInAuslage(const TKI& k, int farbe, bool erw) {
    return farbe < 1 || farbe > 3 || ((k.A().AuslageArten >> (farbe * 2 + erw)) & 1u);
}
// Display indices of the plain cards (or the upgrades) of a colour, as bits i - 1; every index
// for a colour outside 1..3, so that the caller's own test decides.
inline unsigned Plaetze(const TKI& k, int farbe, bool erw) {
    if (farbe < 1 || farbe > 3) return (1u << k.A().AnzahlAuslage) - 1;
    return k.A().ArtPlaetze[farbe * 2 + erw];
}
// Display index of the lowest (highest) bit of a non-empty set.
inline int Erster(unsigned m) {
    return std::countr_zero(m) + 1;
}
inline int Letzter(unsigned m) {
    return 32 - std::countl_zero(m);
}
inline int32_t Bits(uint64_t v) {
    return std::popcount(v);
}
inline unsigned Ohne(unsigned m, int i) {
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
inline bool InAuslage(const TKI& k, int32_t inx) {
    return inx >= 1 && inx <= 49 && ((k.A().AuslageNummern >> inx) & 1u);
}

// Counts of the plain red cards per card number 18..24 (index 0..6), on the table and in the hand.
// The catalogue's cards 18..24 are all plain red ones, so the table counts are the record's.
struct TRoteArten {
    int32_t tisch[7] = {};
    int32_t hand[7] = {};
};
inline TRoteArten ZaehleRote(const TKI& k) {
    TRoteArten r;
    for (int x = 0; x < 7; ++x) r.tisch[x] = k.a.Tisch[18 + x];
    for (int h = 1; h <= Hand(k).Anzahl; ++h) {
        const tKarte* t = Hand(k).Karten[h];
        if (!t->Erweiterung && t->Inx >= 18 && t->Inx <= 24) ++r.hand[t->Inx - 18];
    }
    return r;
}

// Index of the first plain red table card with that number; 0 if none.
inline int ErsterRoter(const TKI& k, int32_t inx) {
    const tSSKarten& rot = k.a.SS[3];
    for (int i = 1; i <= rot.Anzahl; ++i)
        if (!rot.Karten[i]->Erweiterung && rot.Karten[i]->Inx == inx) return i;
    return 0;
}

inline int UnbenutzteSternwarte(const TKI& k) {
    const TKartenliste& blau = k.konto->Karten[2];
    for (int i = 1; i <= blau.Anzahl; ++i)
        if (!KarteBenutzt(blau.Karten[i]) && (k.g.Daten(blau.Karten[i]).Sondereigenschaften & Sternwarte))
            return i;
    return 0;
}

inline int32_t ErwInx(int32_t inx) {
    return inx - 24;
} // slot of an upgrade kind in catalogue table 4

} // namespace vm::routine
