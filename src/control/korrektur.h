// The correction mode as the window offers it: the switch, its status panel, which Alt-clicks it
// takes and the correction dialog. The window turns them into the table edits of the rules.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/sitzung.h"
#include "rules/korrektur.h"

namespace vm {

// Switches the mode of the window that serves the session; switching it on marks the game as
// altered for good.
void KorrekturModusSetzen(TSpielsitzung& g, bool an);
inline bool KorrekturmodusAn(const TSpielsitzung& g) {
    return g.MenschAuswahl() && g.MenschAuswahl()->KorrekturmodusAn();
}
// Status panel 4.
std::string_view KorrekturStatus(bool an);

// An Alt-click belongs to the correction mode only while it is on and the human may act.
inline bool KorrekturKlickGilt(const TSpielsitzung& g, bool alt, bool menschAmZug) {
    return KorrekturmodusAn(g) && alt && menschAmZug;
}

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
