// The acting routines of the computer players. Each applies exactly one action of the seat
// through the rules engine and returns true, or changes nothing and returns false.
#pragma once

#include "ai/auswertung.h"

namespace vm {

constexpr int32_t OhneLimit = 100000;

// What a routine works with: the session, the seat on turn and its evaluation record.
struct TKI {
    TSpielsitzung& g;
    int sp;
    tAuswKarten& a;
    // The seat's record, found once: the routines read its money at nearly every step.
    const TSpieler* konto = &g.Stand().Spieler[sp];

    const TSpieler& S() const { return *konto; } // changed only through the rules' operations
    const tAuswAuslage& A() const { return *a.Auslage; }
    int32_t Geld() const { return konto->Geld; }
    // Copies of a card number on the table (in its colour) and in the hand.
    int32_t AnzahlBesitz(int32_t inx) const { return inx >= 1 && inx <= 49 ? a.Besitz[inx] : 0; }
    bool Besitzt(int32_t inx) const { return AnzahlBesitz(inx) > 0; }
    // Money the card pays back in this very phase's scoring.
    int32_t EinkommenJetzt(const tKarte& k) const { return g.Stand().Phase == k.Farbe ? k.Geld : 0; }
};

// Primitives.
bool KaufeAuslagekarte(TKI& k, int farbe, int auslageIndex, int zielIndex);
bool LegeHandkarte(TKI& k, int farbe, int zielIndex, int handIndex);
bool NimmInHand(TKI& k, int auslageIndex);

// Card numbers tief..hoch as bits, within 1..49.
inline uint64_t Nummern(int32_t tief, int32_t hoch) {
    if (tief < 1) tief = 1;
    if (hoch > 49) hoch = 49;
    if (tief > hoch) return 0;
    return ((uint64_t{2} << hoch) - 1) & ~((uint64_t{1} << tief) - 1);
}

// The routines most often called in vain test first, inline, what they need, so that one that
// cannot act costs no call; the rest of each is out of line.
namespace voll {
bool KaufeGuenstigsteKarte(TKI& k, int farbe, int32_t limit);
bool KaufeKarteInx(TKI& k, int farbe, int32_t minRest, int32_t inx);
bool KaufeBereichAbsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief);
bool KaufeFehlendeAbsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief);
bool KaufeRotesUpgrade(TKI& k, int32_t minRest, bool schlussrunde);
bool LegeTeuersteHandkarte(TKI& k, int farbe, int32_t minRest);
bool KaufeBereichAufsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief);
bool LegeGuenstigsteGrueneHandkarte(TKI& k);
bool LegeTeuersteBlaueHandkarte(TKI& k, int32_t minRest);
bool KaufeGruenesGeldUpgrade(TKI& k);
bool KaufeGruenesPunkteUpgrade(TKI& k);
bool KaufeBlaueDuplikate(TKI& k, int farbe, int modus, int32_t minRest);
bool LegeRotesUpgrade(TKI& k, int32_t minRest, bool schlussrunde);
bool LegeTeuerstesRotesUpgrade(TKI& k, int32_t minRest);
} // namespace voll
// The display holds an upgrade (or a plain card) of colour 1..3.
inline bool ArtDa(const TKI& k, int farbe, bool erw) {
    return (k.A().AuslageArten >> (farbe * 2 + erw)) & 1u;
}

// Buying from the display.
inline bool KaufeGuenstigsteKarte(TKI& k, int farbe, int32_t limit) {
    // A colour outside 1..3 leaves the decision to the routine.
    const bool art = farbe < 1 || farbe > 3 || ((k.A().AuslageArten >> (farbe * 2)) & 1u);
    return k.Geld() != 0 && art && voll::KaufeGuenstigsteKarte(k, farbe, limit);
}
inline bool KaufeKarteInx(TKI& k, int farbe, int32_t minRest, int32_t inx) {
    return inx >= 1 && inx <= 49 && ((k.A().AuslageNummern >> inx) & 1u) &&
           voll::KaufeKarteInx(k, farbe, minRest, inx);
}
inline bool KaufeBereichAbsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    return k.Geld() != 0 && (k.A().AuslageNummern & Nummern(tief, hoch)) != 0 &&
           voll::KaufeBereichAbsteigend(k, farbe, minRest, hoch, tief);
}
inline bool KaufeBereichAufsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    return k.Geld() != 0 && (k.A().AuslageNummern & Nummern(tief, hoch)) != 0 &&
           voll::KaufeBereichAufsteigend(k, farbe, minRest, hoch, tief);
}
bool KaufeBereichBegrenzt(TKI& k, int farbe, int32_t maxAnzahl, int32_t minRest, int32_t hoch, int32_t tief);
bool KaufeArtenBegrenzt(TKI& k, int farbe, int32_t maxAnzahl, int32_t minRest, int32_t hoch, int32_t tief);
inline bool KaufeFehlendeAbsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief) {
    return k.Geld() != 0 && (k.A().AuslageNummern & Nummern(tief, hoch) & ~k.a.BesitzNummern) != 0 &&
           voll::KaufeFehlendeAbsteigend(k, farbe, minRest, hoch, tief);
}
bool KaufeFehlendeAufsteigend(TKI& k, int farbe, int32_t minRest, int32_t hoch, int32_t tief);
bool KaufeSchreiberVerwalter(TKI& k, int32_t minRest, int32_t geldLimit1, int32_t geldLimit2);
bool KaufeEinzelstueck(TKI& k, int32_t inx, int32_t minRest);
bool KaufeBlaueWertung(TKI& k, int32_t minRest, int32_t minRest14);
bool KaufeBereichDuplikatBegrenzt(TKI& k, int farbe, int32_t maxDuplikate, int32_t minRest, int32_t hoch,
                                  int32_t tief);
bool SperreAdligen(TKI& k, int32_t tief, int32_t hoch, int32_t minRest);

// Taking into the hand (hoarding).
bool BunkernKarten(TKI& k, int farbe, bool erwErlaubt, int32_t maxGehalten, int32_t maxNetto);
bool NimmKarteInxInHand(TKI& k, int32_t inx);
bool NimmKarteInxInHandLimit(TKI& k, int32_t inx, int32_t preisLimit);
bool NimmKarteInxInHandReihe1(TKI& k, int32_t inx);
bool BunkernBereich(TKI& k, int modus, int32_t maxHand, int32_t geldBoden, int32_t hoch, int32_t tief);
bool BunkernBereichFarbe(TKI& k, int farbe, int32_t maxGehalten, int32_t geldBoden, int32_t hoch,
                         int32_t tief);
bool BunkernBereichHand(TKI& k, int32_t maxHand, int32_t geldBoden, int32_t hoch, int32_t tief);
bool BunkernKartenbereich(TKI& k, int modus, int32_t maxErwGehalten, int32_t hoch, int32_t tief, int farbe);
bool BunkernFehlendeAbsteigend(TKI& k, int farbe, int32_t hoch, int32_t tief);
bool BunkernFehlendeAufsteigend(TKI& k, int farbe, int32_t hoch, int32_t tief, int32_t preisLimit);
bool BunkernGrueneGeldUpgrade(TKI& k);

// Laying hand cards.
inline bool LegeGuenstigsteGrueneHandkarte(TKI& k) {
    return k.a.SS[1].HandAnzahl != 0 && voll::LegeGuenstigsteGrueneHandkarte(k);
}
bool LegeHandkarteInx(TKI& k, int farbe, int32_t minRest, int32_t inx);
inline bool LegeTeuersteHandkarte(TKI& k, int farbe, int32_t minRest) {
    // Only a card that is no upgrade can be plain.
    return k.a.SS[farbe].HandAnzahl != k.a.SS[farbe].HandErw && k.Geld() > 0 &&
           voll::LegeTeuersteHandkarte(k, farbe, minRest);
}
inline bool LegeTeuersteBlaueHandkarte(TKI& k, int32_t minRest) {
    // Only a card that is no upgrade can be plain.
    return k.a.SS[2].HandAnzahl != k.a.SS[2].HandErw && voll::LegeTeuersteBlaueHandkarte(k, minRest);
}

// Upgrades.
inline bool KaufeGruenesGeldUpgrade(TKI& k) {
    return ArtDa(k, 1, true) && voll::KaufeGruenesGeldUpgrade(k);
}
inline bool KaufeGruenesPunkteUpgrade(TKI& k) {
    return ArtDa(k, 1, true) && voll::KaufeGruenesPunkteUpgrade(k);
}
bool KaufeZielFuerGruenesUpgrade(TKI& k);
inline bool KaufeBlaueDuplikate(TKI& k, int farbe, int modus, int32_t minRest) {
    // Every number tried is one the seat owns, and only a number in the display can succeed.
    return (k.A().AuslageNummern & k.a.BesitzNummern) != 0 &&
           voll::KaufeBlaueDuplikate(k, farbe, modus, minRest);
}
inline bool KaufeRotesUpgrade(TKI& k, int32_t minRest, bool schlussrunde) {
    return k.Geld() != 0 && ((k.A().AuslageArten >> (3 * 2 + 1)) & 1u) &&
           voll::KaufeRotesUpgrade(k, minRest, schlussrunde);
}
inline bool LegeRotesUpgrade(TKI& k, int32_t minRest, bool schlussrunde) {
    return k.a.SS[3].HandErw != 0 && k.Geld() != 0 && voll::LegeRotesUpgrade(k, minRest, schlussrunde);
}
inline bool LegeTeuerstesRotesUpgrade(TKI& k, int32_t minRest) {
    return k.a.SS[3].HandErw != 0 && k.Geld() > 0 && voll::LegeTeuerstesRotesUpgrade(k, minRest);
}
enum class BlauOrdnung { Basis, Punkte };
namespace voll {
bool KaufeBlauesUpgradeMitZiel(TKI& k, int32_t minRest, bool ausHand, int32_t maxTischErw,
                               BlauOrdnung ordnung);
bool KaufeNutzeSternwarte(TKI& k, int farbe, int32_t preisLimit, int32_t minRest);
bool NutzeSternwarte(TKI& k, int farbe, int32_t minRest);
bool BunkernNutzeErwSternwarte(TKI& k);
} // namespace voll
// Blue upgrades 31..39, and 30 from the hand or in two-player games.
inline bool KaufeBlauesUpgradeMitZiel(TKI& k, int32_t minRest, bool ausHand, int32_t maxTischErw,
                                      BlauOrdnung ordnung = BlauOrdnung::Basis) {
    const uint64_t arten = Nummern(31, 39) | (uint64_t{ausHand || k.g.Stand().SpielerAnzahl == 2} << 30);
    return ((ausHand ? k.a.HandNummern : k.A().AuslageNummern) & arten) != 0 &&
           voll::KaufeBlauesUpgradeMitZiel(k, minRest, ausHand, maxTischErw, ordnung);
}
bool BunkernBlauesUpgrade(TKI& k, int32_t maxGehalten, int modus, BlauOrdnung ordnung = BlauOrdnung::Basis);
bool KaufeRotesPunkteUpgrade(TKI& k);
// Green table index an upgrade (display index, or hand index with ausHand) would replace; 0 if none.
int FindeGruenesZiel(const TKI& k, int index, bool ausHand = false);
// Red table index for a display upgrade; 0 if none.
int FindeRotesZiel(const TKI& k, int auslageIndex);

// Observatory.
// Only the blue card 11 is an observatory; without one on the table none can be used.
inline bool HatSternwarte(const TKI& k) {
    return k.a.Tisch[11] != 0;
}
inline bool KaufeNutzeSternwarte(TKI& k, int farbe, int32_t preisLimit, int32_t minRest) {
    return HatSternwarte(k) && voll::KaufeNutzeSternwarte(k, farbe, preisLimit, minRest);
}
inline bool NutzeSternwarte(TKI& k, int farbe, int32_t minRest) {
    return HatSternwarte(k) && voll::NutzeSternwarte(k, farbe, minRest);
}
inline bool BunkernNutzeErwSternwarte(TKI& k) {
    return HatSternwarte(k) && voll::BunkernNutzeErwSternwarte(k);
}

} // namespace vm

namespace vm {

// Market position before the refill of the next phase (strategies 6 to 15).
struct TMarktLage {
    bool ok = false;    // the seat would get one more pick if it took a card now
    int32_t frei = 0;   // free display places at the refill
    int32_t anteil = 0; // places of the refill that fall to this seat
};
TMarktLage MarktpflegeLage(const TSpielsitzung& g, int spieler, const tAuswKarten& a);

// Routines of strategies 14 and 15.
bool BesitztUnbenutzt(const TSpielsitzung& g, int spieler, int farbe, int32_t inx);
int32_t UngedeckteAdelsduplikate(const TKI& k);
bool LegeRotesUpgradeInx(TKI& k, int32_t inx);
bool LegeRotesUpgradeBereich(TKI& k, int32_t hoechsteErw, int32_t minRest, int32_t tiefAdel, int32_t hochAdel,
                             int32_t tiefErw);
bool NutzeSternwarteRot(TKI& k, int32_t minRest);

} // namespace vm
