// Draw stacks, shuffle and the open display.
#pragma once

#include "model/sitzung.h"

namespace vm {

// Builds draw stack k from the first `arten` kinds of catalogue table `tabelle` and shuffles it.
void MischeKarten(TSpielsitzung& g, int k, int tabelle, int arten, std::string_view name);
// Builds and shuffles all four stacks in their fixed order.
void MischeAlleStapel(TSpielsitzung& g);

// "Ziehe vom Stapel": false (and rest 0) when the stack is empty.
bool ZieheVomStapel(TSpielsitzung& g, int k, tKartenRef& karte, int32_t& rest);
// "Lege in Auslage Reihe": false when the display is full. `frei` is the number of
// places that stay free after this card.
bool LegeInAuslage(TSpielsitzung& g, tKartenRef karte, int reihe, int32_t& frei);
void InitKartenauslage(TSpielsitzung& g);
// Takes a card out of the display and closes the gap; empty reference on a bad place.
tKartenRef ZieheKarteAuslage(TSpielsitzung& g, int reihe, int platz);
// New round: row 2 is discarded, row 1 moves mirrored into row 2. Returns the discarded count.
int32_t VerschiebeAuslage(TSpielsitzung& g);

} // namespace vm
