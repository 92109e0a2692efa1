// The evaluation's own parts, shared by the files of its sections: the seat's part, the display
// image and the memory that keeps both between moves.
#pragma once

#include <bit>

#include "ai/auswertung.h"

namespace vm::auswertung {

constexpr int32_t InxZar = 6;
constexpr uint64_t Bit(int32_t inx) {
    return uint64_t{1} << inx;
}

// Aristocrat kinds among the owned numbers: numbers 18..24 and 40..49.
inline int32_t Adelsarten(uint64_t nummern) {
    return std::popcount((nummern >> 18 & 0x7Fu) | (nummern >> 40 & 0x3FFu) << 7);
}

constexpr unsigned AlleListen = (1u << 1) | (1u << 2) | (1u << 3) | (1u << ListeHand);

inline int32_t Adelspreis(const tKarte* k) {
    return static_cast<uint32_t>(k->Inx - 18) <= 6u ? k->Kosten : 0;
}

// What the display image needs of a card kind, worked out once per session: the image is
// rebuilt at nearly every move.
struct TBildInfo {
    const tKarte* d;
    uint8_t inx;    // card number, 0 outside 0..49
    uint8_t art;    // 2 * colour + upgrade
    uint8_t echt;   // 1 for a plain card or an upgrade of colour 1..3
    uint8_t farbig; // 1 for colour 1..3
    uint8_t adel;   // the aristocrat reserve's price of numbers 18..24, else 0
};
using BildTabelle = TBildInfo[KatalogTabellen][32];

constexpr int32_t Adelspreise[7] = {4, 7, 10, 12, 14, 16, 18}; // numbers 18..24, for the reserve

inline TBildInfo Info(const tKarte* d) {
    const bool farbig = static_cast<uint32_t>(d->Farbe - 1) < 3u;
    const uint32_t adel = static_cast<uint32_t>(d->Inx - 18);
    return {d,
            static_cast<uint8_t>(static_cast<uint32_t>(d->Inx) <= 49u ? d->Inx : 0),
            static_cast<uint8_t>((d->Farbe & 3) * 2 + (d->Erweiterung & 1)),
            static_cast<uint8_t>(farbig && static_cast<uint32_t>(d->Erweiterung) < 2u),
            static_cast<uint8_t>(farbig),
            static_cast<uint8_t>(adel <= 6u ? Adelspreise[adel] : 0)};
}

// The part that depends only on the seat's own lists and abilities. `neu` builds it from
// nothing; otherwise the record holds it for the seat's previous cards and only the lists in
// `listen` (bit l for list l) changed since. Returns false when a price went through the full
// rule and reported a fault, so that the part is not reused.
bool SitzTeil(TSpielsitzung& g, int spieler, tAuswKarten& a, unsigned listen, bool neu,
              const uint32_t* vorher = nullptr);

void FuelleBildTabelle(const TSpielsitzung& g, BildTabelle& t);
// The display: row 1 in slot order, then the occupied slots of row 2. Returns false when a
// card is anything but a plain reference, whose price then goes through the full rule.
bool AuslageBild(const TSpielsitzung& g, const BildTabelle& tabelle, tAuswAuslage& a);
// Follows the display image through one card taken out at (reihe, platz): the later cards of
// row 1 move one place left, the earlier cards of row 2 one place right, and every later image
// index one down. Only for an image of plain references that holds every card of both rows, the
// n1 cards of row 1 first; returns false, changing nothing, when the place is not one it shows.
bool FolgeEntnahme(tAuswAuslage& a, int n1, int reihe, int platz);
// The seat's prices of a display that holds other than plain references: those go through the
// full rule, which reports them.
void AuslagePreise(TSpielsitzung& g, int spieler, tAuswKarten& a);

} // namespace vm::auswertung
