// The evaluation record a computer seat builds at the start of every move.
#pragma once

#include "model/sitzung.h"
#include "rules/kaufen.h"

namespace vm {

// One colour of the seat's cards (1..3 table, 4 hand). Records are pointers into the
// catalogue, so building the evaluation copies no strings and allocates nothing. Only the
// places up to Anzahl are filled.
struct tSSKarten {
    int32_t Anzahl;
    int32_t AnzahlErw;  // upgrade cards among them
    int32_t HandErw;    // sections 1..3: hand upgrade cards of this colour
    int32_t HandAnzahl; // sections 1..3: hand cards of this colour
    int32_t Geld;       // money income of the colour
    int32_t Punkte;     // victory-point income
    int32_t HandPreis;  // total price of the hand cards of this colour
    Arr1<const tKarte*, 31> Karten;
    // Green list: hand index of the upgrade that replaces this card; hand: its target index. Bytes,
    // so that clearing them is two stores.
    Arr1<uint8_t, 31> Ziel;
};

// The display as every seat sees it: all of the record's display part but the prices.
struct tAuswAuslage {
    int32_t AnzahlAuslage;
    int32_t AnzahlReihe2; // running display count while row 2 was appended, 0 if row 2 is empty
    Arr1<tKartenRef, 8> Karten;
    Arr1<const tKarte*, 8> TKarten;
    Arr1<int32_t, 8> Reihe;
    Arr1<int32_t, 8> Platz;
    // Display cards by number, last to first: AuslageLetzte[inx], then AuslageVorige[i] until 0.
    uint8_t AuslageLetzte[50];
    Arr1<uint8_t, 8> AuslageVorige;
    uint64_t AuslageNummern; // bit inx: that card number lies in the display
    uint32_t AuslageArten;   // bit 2 * colour + upgrade: the display holds such a card
    uint8_t ArtPlaetze[8];   // [2 * colour + upgrade]: bit i - 1 for each display card i of that kind
    bool Normal;             // every card a plain reference, priced from the table counts alone
};

struct tAuswKarten {
    tAuswKarten() = default;
    tAuswKarten(const tAuswKarten&) = delete; // would share the display part of the original
    tAuswKarten& operator=(const tAuswKarten&) = delete;

    // The display part: the record's own, or the one the session builds once for all seats.
    const tAuswAuslage* Auslage = &EigeneAuslage;
    tAuswAuslage EigeneAuslage{};
    int32_t ZarInx; // first green table "Zar+Zimmermann", 0 if none
    Arr1<tSSKarten, 4> SS;
    uint8_t Sondereigenschaften; // the seat's abilities the record was built with
    Arr1<int32_t, 8> PreisListe; // display prices, filled only while the display is not Normal
    int32_t HandPreisGesamt;
    uint8_t Besitz[50];     // per card number: copies on the table and in the hand
    uint8_t Tisch[50];      // per card number: copies on the table
    uint64_t HandNummern;   // bit inx: that card number is in the hand
    uint64_t BesitzNummern; // bit inx: Besitz[inx] > 0
    // What the builder keeps per list, so that a kept record is brought up to date list by list.
    int32_t GeldListe[4]; // money income of table list 1..3 before the abilities
    int32_t AdelRot;      // dearest aristocrat in the red list, 0 if none
    int32_t AdelHand;     // and in the hand

    // Price of display card i for this seat. Worked out when asked: a move looks at few cards,
    // and the display changes at nearly every move.
    int32_t Preis(int i) const {
        const tAuswAuslage& au = *Auslage;
        if (!au.Normal) return PreisListe[i];
        const tKarte& d = *au.TKarten[i];
        return KartenPreis(d, Sondereigenschaften, Tisch[d.Inx], au.Reihe[i]);
    }
};

// Warnings for a look-ahead of 0..3 cards (the index) leaving the display. They depend on the
// game alone, not on the seat; worked out when asked, at the start of a move.
struct TEndwarnung {
    bool EndeNah[4];     // the display cannot be refilled, or a later stack is nearly empty
    bool StapelKnapp[4]; // the stack of the next phase cannot refill the display
};
TEndwarnung Endwarnung(const TSpielsitzung& g);
// The end-near warning for a look-ahead of one card, Endwarnung(g).EndeNah[1], alone: most
// lists read only this one, at every move, so it is inline.
inline bool EndeNah(const TSpielsitzung& g) {
    const TSpielstand& s = g.Stand();
    if (s.StapelLeer != 0) return true;
    const int32_t phase = s.Phase;
    if (static_cast<uint32_t>(phase - 1) >= 3u) return false;
    const int naechste = phase + 1;
    const bool knapp = ((naechste <= 2) & (s.RestStapel(2) < 4)) | ((naechste <= 3) & (s.RestStapel(3) < 4)) |
                       (s.RestStapel(4) < 4);
    // One card leaving: the display needs 9 - imAuslage cards, at most 8.
    const int32_t rest = s.RestStapel(naechste);
    const int32_t imAuslage = s.Auslage[1].Anzahl + s.Auslage[2].Anzahl;
    return knapp | ((rest <= 8) & (rest - (8 - imAuslage) <= 1));
}

// Builds the record afresh into the caller's record.
void ErstelleAuswKarten(TSpielsitzung& g, int spieler, tAuswKarten& a);
// The session's record of the seat, brought up to date. The part that depends only on the
// seat's own cards is rebuilt only when its lists or abilities changed since the seat's last
// call (between two of its moves often not the case); the display part is built once for all
// seats while the display stays the same.
tAuswKarten& Auswertung(TSpielsitzung& g, int spieler);

class TVorausschau;
// Strategy 16's search of this session, kept with the evaluation memory.
TVorausschau& VorausschauSuche(TSpielsitzung& g);

// Victory points at the end of the game if the seat bought nothing more: its points, the incomes
// of this phase's colour and the later ones, and the aristocrat bonus with the hand. Asked by
// few strategies, so worked out when asked.
int32_t Punkteprognose(const TSpielsitzung& g, int spieler, const tAuswKarten& a);
// Money the seat's three colours pay in one round.
int32_t Geldprognose(const tAuswKarten& a);

// The seat has that card number on its table in that colour or in its hand.
bool Besitzt(const TSpielsitzung& g, int spieler, int farbe, int32_t inx);
int32_t AnzahlBesitz(const TSpielsitzung& g, int spieler, int farbe, int32_t inx);
// Price of the dearest aristocrat kind still in the red stack, capped at `limit`.
int32_t Aristokratenreserve(const TSpielsitzung& g, int32_t limit);

} // namespace vm
