// A legal action of the seat on turn in words, for the analysis table and the window's dialog.
#pragma once

#include <string>

#include "ai/vorausschau.h"
#include "persist/texte.h"

namespace vm {

// "Kaufe Zollhaus aus Reihe 1", "Lege Bank aus der Hand und ersetze Markt", "Passen": the action
// of the seat on turn in `s`, with the card names of `katalog` (a translated one gives translated
// names) and the texts of `texte`.
std::string AktionText(const TTexte& texte, const TKatalog& katalog, const TSpielstand& s,
                       const TVorausschauAktion& a);

} // namespace vm
