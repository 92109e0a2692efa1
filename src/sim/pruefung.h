// Consistency check of a game state: card conservation and the display invariants.
#pragma once

#include <string>

namespace vm {

class Spielsitzung;

// Describes the first violation found, or returns an empty string when the state is sound.
// Checks: every stack holds the deck of its table; every display and list place holds a card of
// the catalogue where a card belongs and nothing where none does; display rows packed (row 1
// left, row 2 right, at most 8 cards together); table cards in the list of their colour; money
// never negative; and every card of the deck is still undrawn, in the display, on a table, in a
// hand, waiting at an observatory or counted on the discard pile, with no kind appearing more
// often than the deck holds it.
// Allocates only to describe a violation.
std::string PruefeInvarianten(const Spielsitzung& g);

} // namespace vm
