#include "control/korrektur.h"

namespace vm {

void KorrekturModusSetzen(TSpielsitzung& g, bool an) {
    IMenschAuswahl* fenster = g.MenschAuswahl();
    if (!fenster) return; // no window, no correction mode
    fenster->KorrekturmodusSetzen(an);
    if (an) g.S.Korrigiert = 1;
}

std::string_view KorrekturStatus(bool an) {
    return an ? "Korrektur" : "  ";
}

void TKorrekturDialogZustand::Aktivieren() {
    if (inx_ < InxMin || inx_ > InxMax) inx_ = InxMin;
    nummer_ = inx_;
    beimOeffnen_ = inx_;
    aktion_ = KorrekturAktion::Austauschen;
}

void TKorrekturDialogZustand::NummerAendern(int32_t inx) {
    nummer_ = inx < InxMin ? InxMin : inx > InxMax ? InxMax : inx;
    inx_ = nummer_;
}

void TKorrekturDialogZustand::Ok(KorrekturAktion aktion) {
    inx_ = nummer_;
    beimOeffnen_ = 0;
    aktion_ = aktion;
}

void TKorrekturDialogZustand::Abbruch() {
    inx_ = beimOeffnen_;
    beimOeffnen_ = 0;
}

} // namespace vm
