// Consistency of a game state: card conservation, the display and list invariants, and the
// counts a game can reach. The simulator's --check runs it after every move, and the loader
// runs it on every entry of a game file before the file may touch the game.
#pragma once

#include <string>

#include "model/katalog.h"
#include "model/spielstand.h"

namespace vm {

class TSpielsitzung;

// Describes the first violation found in `s`, or returns an empty string when the state is sound.
// `wartend` is a card drawn at an observatory that still waits for its place (empty: none).
// Checks: player count, phase, seat on turn, round and start-player tokens in range; the flags
// 0 or 1; a pass count below the player count except in the pub round (blue phase only) and at
// the end; every stack as large as the deck of its table and holding unmarked cards of that
// table (the places it was drawn from need not add up to the deck: the third variant swaps a
// drawn card with a later one); every display and list
// place holds a card of the catalogue where a card belongs and nothing where none does; display
// rows packed (row 1 left, row 2 right, at most 8 cards together); table cards in the list of
// their colour, used marks only on observatories in the blue phase; at most 4 hand cards, none
// marked; seats that do not take part hold no cards; every card of the deck still undrawn, in the
// display, on a table, in a hand, waiting or counted on the discard pile, with no kind appearing
// more often than the deck holds it; observatory and pub counters as on the table, ability bits
// only of table cards; money never negative.
// A game marked as altered (`Korrigiert`) may have had table cards inserted or removed and money
// changed by hand: there the table lists are left out of the conservation, the cards in the
// display, the hands and on the discard pile are only checked against the cards drawn so far,
// the ability bits may have lost a duplicate's bit, and money may be negative.
// Allocates only to describe a violation.
std::string PruefeKonsistenz(const TSpielstand& s, const TKatalog& katalog, tKartenRef wartend = {});

// The same for the live game of a session, with its waiting observatory card.
std::string PruefeInvarianten(const TSpielsitzung& g);

} // namespace vm
