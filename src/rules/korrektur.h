// The correction mode: table cards and money of any seat edited by hand, without payment and
// without using a turn. The window turns its Alt-clicks and the correction dialog into these calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/sitzung.h"

namespace vm {

// Card number 1..49 to its catalogue reference (green, blue, red, then upgrade table); the empty
// reference for a number the catalogue does not hold.
tKartenRef InxToKarteRef(const TKatalog& katalog, int32_t inx);

// Removes card `index` of list `farbe` (1..3); the cards behind move up. False when there is no
// such card.
bool LoescheTischkarte(Spielsitzung& g, int spieler, int farbe, int index);
// Appends a card to the list of its catalogue colour and sorts it into place. False, and nothing
// changed, when the list already holds 31 cards or the table 55.
bool FuegeTischkarteEin(Spielsitzung& g, int spieler, tKartenRef karte);

// Ability bookkeeping of a card leaving or joining a seat's table.
void FaehigkeitenAbziehen(Spielsitzung& g, int spieler, const tKarte& alt);
void FaehigkeitenHinzufuegen(Spielsitzung& g, int spieler, const tKarte& neu);

// The radio group of the correction dialog.
enum class KorrekturAktion : int32_t { Entfernen = 0, Austauschen = 1, Einfuegen = 2 };

enum class KorrekturErgebnis {
    Ausgefuehrt,
    KeineKarte,  // the position holds no card, or the number names none
    TischVoll,   // the edit would exceed 31 cards in a list or 55 table positions
    KarteWartet, // an observatory card still waits for its table place
};

// Switches the mode; switching it on marks the game as altered for good.
void KorrekturModusSetzen(Spielsitzung& g, bool an);
// Status panel 4.
std::string_view KorrekturStatus(bool an);

// An Alt-click belongs to the correction mode only while it is on and the human may act.
inline bool KorrekturKlickGilt(const Spielsitzung& g, bool alt, bool menschAmZug) {
    return g.Menue.Korrekturmodus && alt && menschAmZug;
}

// The money label: the left button adds 1, any other subtracts 1. False when the amount would
// leave the range a game file accepts.
bool KorrigiereGeld(Spielsitzung& g, int spieler, bool linkeTaste);

// The card at table position `position` of `spieler` before the dialog: its number, 0 if none.
int32_t TischkarteInx(const Spielsitzung& g, int spieler, int32_t position);

// Applies the dialog's choice to the card at `position`: remove it, exchange it for card `inx`,
// or insert card `inx` beside it. Writes the trace line; money, last action, turn and history
// stay as they are. An edit of seat 1's table clears the human's selection, since its offered
// table places may no longer hold the cards they were offered for, and waits for an observatory
// card that still needs its place.
KorrekturErgebnis KorrigiereTischkarte(Spielsitzung& g, int spieler, int32_t position, KorrekturAktion aktion,
                                       int32_t inx);

// The correction dialog's state; the dialog shows it and changes it only through here.
class TKorrekturDialogZustand {
public:
    static constexpr int32_t InxMin = 1;
    static constexpr int32_t InxMax = 49;

    // Before showing: the card of the click, the number kept for an abort.
    void Vorwaehlen(int32_t inx) { inx_ = inx; }
    void Aktivieren();
    // The number field; it cannot leave 1..49.
    void NummerAendern(int32_t inx);
    void Ok(KorrekturAktion aktion);
    void Abbruch();

    int32_t Inx() const { return inx_; }
    int32_t Nummer() const { return nummer_; }
    int32_t InxBeimOeffnen() const { return beimOeffnen_; }
    KorrekturAktion Aktion() const { return aktion_; }

private:
    int32_t inx_ = 1;         // the chosen card
    int32_t nummer_ = 1;      // the number field
    int32_t beimOeffnen_ = 0; // 0 after a confirmation or an abort
    KorrekturAktion aktion_ = KorrekturAktion::Austauschen;
};

} // namespace vm
