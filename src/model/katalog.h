// The card catalogue: 49 card kinds in four tables of 25 slots.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "model/arr1.h"

namespace vm {

// Ability bits of a card (and, OR-ed, of a player's table).
enum : uint8_t {
    Sternwarte = 1,
    Schenke = 2,
    Lagerhaus = 4,
    MinusBlau = 8,
    MinusRot = 16,
    ZaehltSechs = 32,
    GeldProRot = 64,
    GeldProGruen = 128,
};

constexpr int32_t Benutzt = 1000; // added to tKartenRef::Farbe while a table card is used

struct tKartenRef {
    int32_t Farbe = 0; // table 1..4, +1000 while used, 0 = empty
    int32_t Ref = 0;   // slot 1..25

    constexpr bool Leer() const { return Farbe == 0; }
    friend constexpr bool operator==(const tKartenRef&, const tKartenRef&) = default;
};
static_assert(sizeof(tKartenRef) == 8);

// One card kind. Names are views: the records never own their strings.
struct tKarte {
    int32_t Inx = 0;
    int32_t Bild = 0;
    std::string_view Name;
    std::string_view Beschreibung;
    int32_t Farbe = 0;
    int32_t Erweiterung = 0;
    int32_t Anzahl = 0;
    int32_t Kosten = 0;
    uint64_t Ersetzt = 0; // bit i set: card number i may be replaced (0..55)
    int32_t Geld = 0;
    int32_t Siegpunkte = 0;
    uint8_t Sondereigenschaften = 0;
    // The seat ability that makes this card one cheaper (MinusBlau for blue, MinusRot for red
    // cards), 0 for the others: the price rule then needs no test of the colour.
    uint8_t Rabatt = 0;

    constexpr bool ErsetztInx(int32_t inx) const { return inx >= 0 && inx <= 55 && ((Ersetzt >> inx) & 1u); }
};

constexpr int KatalogTabellen = 4;
constexpr int KatalogPlaetze = 25;
// Number of kinds used in each table (green, blue, red, upgrade).
constexpr std::array<int32_t, 5> ArtenJeTabelle{0, 6, 11, 7, 25};

using TKatalogTabellen = Arr1<Arr1<tKarte, KatalogPlaetze>, KatalogTabellen>;

// The constant initial values, fixed at build time.
const TKatalogTabellen& Kartenkatalog();

// The working copy the program plays with; a language file may rename cards.
class TKatalog {
public:
    TKatalog();
    TKatalog(const TKatalog&) = delete;
    TKatalog& operator=(const TKatalog&) = delete;

    // Record of a reference; the used mark is ignored. Anything outside the
    // catalogue yields the all-zero record.
    const tKarte& Daten(tKartenRef k) const {
        // One table lookup without a branch: nearly every rule and every computer move asks this.
        const uint32_t f = static_cast<uint32_t>(k.Farbe >= Benutzt ? k.Farbe - Benutzt : k.Farbe);
        const uint32_t r = static_cast<uint32_t>(k.Ref);
        const uint32_t i = f <= KatalogTabellen && r < ZeigerJeTabelle ? f * ZeigerJeTabelle + r : 0;
        return *zeiger_[i];
    }
    // True for an unmarked reference within the kinds actually used.
    static constexpr bool Gueltig(tKartenRef k) {
        return k.Farbe >= 1 && k.Farbe <= KatalogTabellen && k.Ref >= 1 && k.Ref <= ArtenJeTabelle[k.Farbe];
    }
    const tKarte& Art(int32_t tabelle, int32_t platz) const { return Daten({tabelle, platz}); }

    // Replaces name and description of one kind (language file).
    void Umbenennen(int32_t tabelle, int32_t platz, std::string name, std::string beschreibung);

private:
    static constexpr uint32_t ZeigerJeTabelle = 32;
    TKatalogTabellen t_;
    tKarte leer_{};
    // Record of (table, slot) at table * 32 + slot; the all-zero record wherever that is no kind.
    const tKarte* zeiger_[(KatalogTabellen + 1) * ZeigerJeTabelle];
    std::deque<std::string> texte_; // storage for renamed texts; deque keeps views stable
};

constexpr bool KarteBenutzt(tKartenRef k) {
    return k.Farbe >= Benutzt;
}
constexpr tKartenRef OhneMarke(tKartenRef k) {
    return k.Farbe >= Benutzt ? tKartenRef{k.Farbe - Benutzt, k.Ref} : k;
}

// Card name for a reference within the used kinds, else empty; never reports a fault.
std::string_view KarteName(const TKatalog& kat, tKartenRef k);
// "(Index 25 , Farbe 1-erw , Schreinerei)"
std::string KarteText(const TKatalog& kat, tKartenRef k);
void KarteTextAnhaengen(std::string& s, const TKatalog& kat, tKartenRef k);

} // namespace vm
