// The game state. History entries and game files store it as raw bytes, so its
// layout, padding included, is a file format: every offset below is checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "model/arr1.h"
#include "model/katalog.h"

namespace vm {

constexpr int StapelPlaetze = 31;
constexpr int MaxTischpositionen = 55;

struct TKartenstapel {
    int32_t Anzahl;   // cards the stack was built with
    int32_t Naechste; // place of the next card to draw; empty when above Anzahl
    Arr1<tKartenRef, StapelPlaetze> Karten;
};

struct TKartenliste {
    int32_t Anzahl;
    Arr1<tKartenRef, StapelPlaetze> Karten;
};

struct TAuslageReihe {
    int32_t Anzahl;
    Arr1<tKartenRef, 8> Karten;
};

// LetzteAktion codes
enum : uint8_t {
    AktionKeine = 0,
    AktionKauf = 1,
    AktionHand = 2,
    AktionPasse = 3,
    AktionSHand = 4,
    AktionSKauf = 5,
    AktionSAbwurf = 6,
    AktionKaufSp = 7,
    AktionKaufH = 8,
};

constexpr int ListeHand = 4;
constexpr int MaxHandkarten = 4; // hand places; 3 of them usable without a warehouse

struct TSpieler {
    int32_t Geld;
    int32_t Siegpunkte;
    uint8_t Sondereigenschaften;
    uint8_t _pad1[3];
    int32_t AnzahlSternwarten;
    int32_t AnzahlSchenken;
    uint8_t LetzteAktion;
    uint8_t _pad2[3];
    tKartenRef LetzteKarte;
    Arr1<TKartenliste, 4> Karten; // 1 green, 2 blue, 3 red table lists; 4 the hand

    TKartenliste& Hand() { return Karten[ListeHand]; }
    const TKartenliste& Hand() const { return Karten[ListeHand]; }
    int32_t Tischkarten() const { return Karten[1].Anzahl + Karten[2].Anzahl + Karten[3].Anzahl; }
};

struct TSpielstand {
    int32_t SpielerAnzahl;
    Arr1<TKartenstapel, 4> Kartenstapel;
    Arr1<int32_t, 4> Startspieler; // seat holding the token of role 1..4
    Arr1<TSpieler, 4> Spieler;
    Arr1<TAuslageReihe, 2> Auslage;
    int32_t Runde;
    int32_t AnzahlPassen;
    int32_t AblageAnzahl;
    uint8_t SchenkeModus;
    uint8_t _pad1[3];
    int32_t Phase;
    int32_t AktuellerSpieler;
    uint8_t Spielende;
    uint8_t StapelLeer;
    Arr1<uint8_t, 4> Computer;
    uint8_t _pad2[2];
    uint8_t AdelsbonusErweitert;
    uint8_t VerdeckteHandkarten;
    uint8_t KeineHofmeisterinRunde1;
    uint8_t Reserviert1[2];
    uint8_t _pad3[3];
    int32_t Reserviert2[5];
    int32_t Spielstaerke;
    uint8_t Korrigiert;
    uint8_t _pad4[3];
    int32_t GekaufteSiegpunkte;

    // Cards left in stack k, never below 0.
    int32_t RestStapel(int k) const {
        int32_t r = Kartenstapel[k].Anzahl - Kartenstapel[k].Naechste + 1;
        return r < 0 ? 0 : r;
    }
    bool KannSchenkeNutzen(int sp) const { return Spieler[sp].AnzahlSchenken >= 1 && Spieler[sp].Geld > 1; }
};

static_assert(std::is_standard_layout_v<TSpielstand> && std::is_trivially_copyable_v<TSpielstand>);
static_assert(sizeof(TKartenstapel) == 256 && offsetof(TKartenstapel, Naechste) == 4 &&
              offsetof(TKartenstapel, Karten) == 8);
static_assert(sizeof(TKartenliste) == 252 && offsetof(TKartenliste, Karten) == 4);
static_assert(sizeof(TAuslageReihe) == 68 && offsetof(TAuslageReihe, Karten) == 4);
static_assert(sizeof(TSpieler) == 1040);
static_assert(offsetof(TSpieler, Siegpunkte) == 4 && offsetof(TSpieler, Sondereigenschaften) == 8 &&
              offsetof(TSpieler, AnzahlSternwarten) == 12 && offsetof(TSpieler, AnzahlSchenken) == 16 &&
              offsetof(TSpieler, LetzteAktion) == 20 && offsetof(TSpieler, LetzteKarte) == 24 &&
              offsetof(TSpieler, Karten) == 32);
static_assert(sizeof(TSpielstand) == 5412);
static_assert(offsetof(TSpielstand, Kartenstapel) == 4 && offsetof(TSpielstand, Startspieler) == 1028 &&
              offsetof(TSpielstand, Spieler) == 1044 && offsetof(TSpielstand, Auslage) == 5204 &&
              offsetof(TSpielstand, Runde) == 5340 && offsetof(TSpielstand, AnzahlPassen) == 5344 &&
              offsetof(TSpielstand, AblageAnzahl) == 5348 && offsetof(TSpielstand, SchenkeModus) == 5352 &&
              offsetof(TSpielstand, Phase) == 5356 && offsetof(TSpielstand, AktuellerSpieler) == 5360 &&
              offsetof(TSpielstand, Spielende) == 5364 && offsetof(TSpielstand, StapelLeer) == 5365 &&
              offsetof(TSpielstand, Computer) == 5366 && offsetof(TSpielstand, AdelsbonusErweitert) == 5372 &&
              offsetof(TSpielstand, VerdeckteHandkarten) == 5373 &&
              offsetof(TSpielstand, KeineHofmeisterinRunde1) == 5374 &&
              offsetof(TSpielstand, Reserviert1) == 5375 && offsetof(TSpielstand, Reserviert2) == 5380 &&
              offsetof(TSpielstand, Spielstaerke) == 5400 && offsetof(TSpielstand, Korrigiert) == 5404 &&
              offsetof(TSpielstand, GekaufteSiegpunkte) == 5408);

} // namespace vm
