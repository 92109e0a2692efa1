// What the lists of strategies 6 to 15 share: the move's start and the frame around a list.
#pragma once

#include <cassert>
#include <string>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/routinen.h"
#include "ai/strategien.h"
#include "rules/ablauf.h"
#include "rules/hand.h"

namespace vm::stark {

inline int32_t Max0(int32_t v) {
    return v < 0 ? 0 : v;
}

// What every list of these strategies reads at the start of a move.
struct TZug {
    TSpielsitzung& g;
    int strategie;
    int sp;
    tAuswKarten& a;
    TKI k;
    int32_t R;
    bool schluss; // StapelLeer
    bool N;       // end near, look-ahead 1, at the start of the move

    TZug(TSpielsitzung& sitzung, int s)
        : g(sitzung), strategie(s), sp(sitzung.Stand().AktuellerSpieler), a(Auswertung(g, sp)), k{g, sp, a} {
        R = g.Stand().Runde;
        schluss = g.Stand().StapelLeer != 0;
        N = EndeNah(g);
        assert(N == Endwarnung(g).EndeNah[1]);
    }
    const int32_t* p = g.EinstellungLaufend().Parameter[strategie - 4]; // this strategy's parameter row
    int32_t P(int slot) const { return p[slot]; }
    int32_t Geld() const { return k.Geld(); }
    int32_t h() const { return a.HandPreisGesamt; }
    int32_t blau() const { return a.SS[2].Geld; }
    int32_t rot() const { return a.SS[3].Geld; }
    bool HatKarte(int /*farbe*/, int32_t inx) const { return k.Besitzt(inx); }
    bool HandRaum() const { return KannHandkarteAufnehmen(g, sp); }
    bool Tokens(int r1, int r2) const {
        return g.Stand().Startspieler[r1] == sp && g.Stand().Startspieler[r2] == sp;
    }
    TMarktLage Lage() const { return MarktpflegeLage(g, sp, a); }
    // Market care: the draw is made when the position and the listed conditions hold;
    // the seat's share is tested after it.
    bool Marktpflege(bool bedingungen, int32_t prozent) {
        if (!bedingungen) return false;
        TMarktLage l = Lage();
        if (!l.ok) return false;
        return ZufallMarktpflege(g, prozent, g.Stand().Phase) && l.anteil == 0;
    }
};

[[gnu::cold, gnu::noinline]] inline void Phasenfehler(TSpielsitzung& g, int strategie) {
    g.InternerFehler(1, "CompiBeginnStrat" + std::to_string(strategie));
}

// Inline: every move of these strategies asks.
inline bool UngueltigePhase(TSpielsitzung& g, int strategie) {
    if (g.Stand().Phase >= 1 && g.Stand().Phase <= 4) return false;
    Phasenfehler(g, strategie);
    return true;
}

template <class Liste> void Ausfuehren(TSpielsitzung& g, int strategie, Liste liste) {
    if (UngueltigePhase(g, strategie)) return;
    TZug z(g, strategie);
    const int sp = z.sp;
    if (!liste(z)) Passen(g, sp);
}

} // namespace vm::stark
