// The table edits of the correction mode: table cards and money of any seat changed by hand,
// without payment and without using a turn.
#pragma once

#include <cstdint>

#include "model/sitzung.h"

namespace vm {

// Card number 1..49 to its catalogue reference (green, blue, red, then upgrade table); the empty
// reference for a number the catalogue does not hold.
tKartenRef InxToKarteRef(const TKatalog& katalog, int32_t inx);

// Removes card `index` of list `farbe` (1..3); the cards behind move up. False when there is no
// such card.
bool LoescheTischkarte(TSpielsitzung& g, int spieler, int farbe, int index);
// Appends a card to the list of its catalogue colour and sorts it into place. False, and nothing
// changed, when the list already holds 31 cards or the table 55.
bool FuegeTischkarteEin(TSpielsitzung& g, int spieler, tKartenRef karte);

// Ability bookkeeping of a card leaving or joining a seat's table.
void FaehigkeitenAbziehen(TSpielsitzung& g, int spieler, const tKarte& alt);
void FaehigkeitenHinzufuegen(TSpielsitzung& g, int spieler, const tKarte& neu);

// What an edit does to the card at a table position.
enum class KorrekturAktion : int32_t { Entfernen = 0, Austauschen = 1, Einfuegen = 2 };

enum class KorrekturErgebnis {
    Ausgefuehrt,
    KeineKarte,  // the position holds no card, or the number names none
    TischVoll,   // the edit would exceed 31 cards in a list or 55 table positions
    KarteWartet, // an observatory card still waits for its table place
};

// The money label: the left button adds 1, any other subtracts 1. False when the amount would
// leave the range a game file accepts.
bool KorrigiereGeld(TSpielsitzung& g, int spieler, bool linkeTaste);

// The card at table position `position` of `spieler` before the dialog: its number, 0 if none.
int32_t TischkarteInx(const TSpielsitzung& g, int spieler, int32_t position);

// Applies the dialog's choice to the card at `position`: remove it, exchange it for card `inx`,
// or insert card `inx` beside it. Writes the trace line; money, last action, turn and history
// stay as they are. An edit of seat 1's table clears the human's selection, since its offered
// table places may no longer hold the cards they were offered for, and waits for an observatory
// card that still needs its place.
KorrekturErgebnis KorrigiereTischkarte(TSpielsitzung& g, int spieler, int32_t position,
                                       KorrekturAktion aktion, int32_t inx);

} // namespace vm
