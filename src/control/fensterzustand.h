// What the window keeps of the game on the board beyond the rules' state: the table places
// offered to the person on seat 1, the observatory card waiting for one of them, and whether the
// correction mode is on.
#pragma once

#include <cstdint>

#include "model/arr1.h"
#include "model/sitzung.h"

namespace vm {

// Serves the session as its person's choices while it lives; on its end the session gets back
// the one it had before.
class TFensterZustand final : public IMenschAuswahl {
public:
    explicit TFensterZustand(TSpielsitzung& g) : g_(g), vorher_(g.MenschAuswahl()) {
        g_.SetzeMenschAuswahl(this);
    }
    ~TFensterZustand() override {
        if (g_.MenschAuswahl() == this) g_.SetzeMenschAuswahl(vorher_);
    }
    TFensterZustand(const TFensterZustand&) = delete;
    TFensterZustand& operator=(const TFensterZustand&) = delete;

    Arr1<uint8_t, MaxTischpositionen> MarkierteTischplaetze{}; // seat 1's offered table targets
    tKartenRef SternwartenKarte{};                             // observatory card waiting for a table target

    bool Angeboten(int position) const override { return MarkierteTischplaetze[position] != 0; }
    void Anbieten(int position, bool an) override { MarkierteTischplaetze[position] = an ? 1 : 0; }
    bool IrgendeinAngebot() const override;
    tKartenRef WartendeKarte() const override { return SternwartenKarte; }
    void KarteWartet(tKartenRef karte) override { SternwartenKarte = karte; }
    void Leeren() override;
    bool KorrekturmodusAn() const override { return korrektur_; }
    void KorrekturmodusSetzen(bool an) override { korrektur_ = an; }

private:
    TSpielsitzung& g_;
    bool korrektur_ = false;
    IMenschAuswahl* vorher_;
};

} // namespace vm
