#include "ai/auswertung.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <memory>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ai/auswertung_intern.h"
#include "ai/vorausschau.h"
#include "rules/kaufen.h"
#include "rules/wertung.h"

namespace vm {

using namespace auswertung;

namespace {

// The aristocrat bonus by the number of kinds, for the point forecast.
constexpr int MaxAdelsarten = 17; // numbers 18..24 and 40..49
struct Adelsboni {
    int32_t t[2][MaxAdelsarten + 1];
};
constexpr Adelsboni AdelsboniTabelle = [] {
    Adelsboni b{};
    for (int n = 0; n <= MaxAdelsarten; ++n) {
        b.t[0][n] = AdelsbonusTabelle(n, false);
        b.t[1][n] = AdelsbonusTabelle(n, true);
    }
    return b;
}();

int32_t Wenn(bool bedingung, int32_t wert) {
    return -static_cast<int32_t>(bedingung) & wert;
}

} // namespace

// Without branches: the phase and the stacks change from move to move in no pattern a branch
// could learn.
TEndwarnung Endwarnung(const TSpielsitzung& g) {
    const TSpielstand& s = g.Stand();
    const int32_t phase = s.Phase;
    const bool farbPhase = static_cast<uint32_t>(phase - 1) < 3u;

    // Warnings for a look-ahead of 0..3 cards leaving the display: the stack of the next phase
    // cannot refill it, or some later stack is nearly empty. An empty stack warns always; outside
    // the colour phases nothing warns.
    const int naechste = farbPhase ? phase + 1 : 4;
    const int32_t imAuslage = s.Auslage[1].Anzahl + s.Auslage[2].Anzahl;
    const int32_t rest = s.RestStapel(naechste);
    const bool knapp = ((naechste <= 2) & (s.RestStapel(2) < 4)) | ((naechste <= 3) & (s.RestStapel(3) < 4)) |
                       (s.RestStapel(4) < 4);
    // The display needs min(8 - imAuslage + i, 8) cards for look-ahead i, which grows with i: the
    // stack is short from the first i where that reaches the rest on, and never if the rest is over 8.
    const int32_t ab = rest > 8 ? 4 : std::clamp(rest - (8 - imAuslage), 0, 4);
    constexpr uint64_t Alle = 0x01010101u; // one true per look-ahead, as the bytes of the bools
    const uint64_t stapelKnapp = (Alle << (8 * ab)) & Alle;
    const uint64_t leer = Alle & -uint64_t{s.StapelLeer != 0};
    const uint64_t inPhase = Alle & -uint64_t{farbPhase};
    const uint32_t knappBytes = static_cast<uint32_t>(leer | (inPhase & stapelKnapp));
    const uint32_t nahBytes =
        static_cast<uint32_t>(leer | (inPhase & (stapelKnapp | (Alle & -uint64_t{knapp}))));
    TEndwarnung w;
    static_assert(sizeof w.StapelKnapp == 4 && sizeof w.EndeNah == 4 && sizeof(bool) == 1);
    std::memcpy(w.StapelKnapp, &knappBytes, 4);
    std::memcpy(w.EndeNah, &nahBytes, 4);
    return w;
}

// What the records were last built from: the display once for all seats, each seat's own part.
// The keys are the session's change counts; the lengths are compared as well, which catches most
// writes that went around the counts. Debug builds keep copies and check that none did.
struct TKISpeicher {
    struct Auslage {
        bool gueltig = false;      // built, and every card a plain reference
        uint32_t sitzungStand = 0; // the session's display count when built
        int32_t anzahl[2] = {};
#ifndef NDEBUG
        Arr1<TAuslageReihe, 2> reihen{};
#endif
        tAuswAuslage bild{};
    };
    struct Sitz {
        bool gueltig = false;
        uint8_t sondereigenschaften = 0;
        Arr1<uint32_t, 4> stand{}; // the session's list counts when built
        Arr1<int32_t, 4> anzahl{};
#ifndef NDEBUG
        Arr1<TKartenliste, 4> listen{};
#endif
        tAuswKarten a{};
    };
    Auslage auslage;
    Arr1<Sitz, 4> sitz;
    BildTabelle bildTabelle;
    std::unique_ptr<TVorausschau> vorausschau; // strategy 16's search, made at its first move
};

namespace {

// The lists (bit l for list l) whose count or length moved since the part was built.
unsigned Geaendert(const TKISpeicher::Sitz& z, const TSpieler& sp, const Arr1<uint32_t, 4>& stand) {
    unsigned listen = 0;
#if defined(__SSE2__)
    // All four lists at once: this runs at every move, and the vector saves about 3 % of a game.
    // The lengths lie far apart and are joined in registers: a vector put together in memory from
    // four stores is read back before the stores can be forwarded.
    const __m128i anzahl = _mm_unpacklo_epi64(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(sp.Karten[1].Anzahl), _mm_cvtsi32_si128(sp.Karten[2].Anzahl)),
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(sp.Karten[3].Anzahl), _mm_cvtsi32_si128(sp.Karten[4].Anzahl)));
    const __m128i gleich = _mm_and_si128(
        _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(z.stand.begin())),
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(stand.begin()))),
        _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(z.anzahl.begin())), anzahl));
    listen = (~static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(gleich))) & 0xFu) << 1;
#else
    for (int l = 1; l <= 4; ++l) {
        const bool anders =
            ((z.stand[l] ^ stand[l]) | static_cast<uint32_t>(z.anzahl[l] ^ sp.Karten[l].Anzahl)) != 0;
        listen |= static_cast<unsigned>(anders) << l;
    }
#endif
#ifndef NDEBUG
    for (int l = 1; l <= 4; ++l)
        assert((listen & (1u << l)) || !z.gueltig ||
               std::memcmp(&z.listen[l], &sp.Karten[l], sizeof z.listen[l]) == 0);
#endif
    return listen;
}

// The lists among `listen` whose only change since the part was built was used marks, which
// the part does not hold.
unsigned NurMarkenGeaendert(const TSpielsitzung& g, int spieler, const TKISpeicher::Sitz& z,
                            unsigned listen) {
    unsigned marken = 0;
    for (int l = 1; l <= 3; ++l) {
        const TAenderungsJournal::TListenAenderung& e = g.Journal().LetzteListenAenderung(spieler, l);
        const bool nurMarken = e.art == TAenderungsJournal::NurMarken && e.vorher == z.stand[l] &&
                               e.nachher == g.Journal().ListenStand(spieler, l) &&
                               z.anzahl[l] == g.Stand().Spieler[spieler].Karten[l].Anzahl;
        marken |= static_cast<unsigned>(nurMarken) << l;
    }
    return marken & listen;
}

void Merke(TKISpeicher::Sitz& z, const TSpieler& sp, const Arr1<uint32_t, 4>& stand) {
    z.sondereigenschaften = sp.Sondereigenschaften;
    z.stand = stand;
    for (int l = 1; l <= 4; ++l) z.anzahl[l] = sp.Karten[l].Anzahl;
#ifndef NDEBUG
    z.listen = sp.Karten;
#endif
}

bool Unveraendert(const TKISpeicher::Auslage& au, const TSpielsitzung& g) {
    const bool gleich = au.gueltig & (au.sitzungStand == g.Journal().AuslageStand()) &
                        (au.anzahl[0] == g.Stand().Auslage[1].Anzahl) &
                        (au.anzahl[1] == g.Stand().Auslage[2].Anzahl);
    assert(!gleich || std::memcmp(&au.reihen, &g.Stand().Auslage, sizeof au.reihen) == 0);
    return gleich;
}

// Since the image was built, exactly one card left the display, and the image held every card.
bool NurEntnommen(const TKISpeicher::Auslage& au, const TSpielsitzung& g) {
    const TAenderungsJournal::TEntnahme& e = g.Journal().LetzteEntnahme();
    if (!au.gueltig || e.stand != g.Journal().AuslageStand() || au.sitzungStand + 1 != e.stand) return false;
    if (static_cast<uint32_t>(au.anzahl[0]) > 8u || static_cast<uint32_t>(au.anzahl[1]) > 8u ||
        au.bild.AnzahlAuslage != au.anzahl[0] + au.anzahl[1])
        return false;
    const int r = e.reihe - 1;
    return (r == 0 || r == 1) && g.Stand().Auslage[e.reihe].Anzahl == au.anzahl[r] - 1 &&
           g.Stand().Auslage[2 - r].Anzahl == au.anzahl[1 - r];
}

#ifndef NDEBUG
// The followed image equals one built afresh.
bool GleichesBild(const TSpielsitzung& g, const BildTabelle& tabelle, const tAuswAuslage& a) {
    tAuswAuslage neu{};
    AuslageBild(g, tabelle, neu);
    bool gleich = neu.AnzahlAuslage == a.AnzahlAuslage && neu.AnzahlReihe2 == a.AnzahlReihe2 &&
                  neu.AuslageNummern == a.AuslageNummern && neu.AuslageArten == a.AuslageArten &&
                  neu.Normal == a.Normal && std::memcmp(neu.AuslageLetzte, a.AuslageLetzte, 50) == 0 &&
                  std::memcmp(neu.ArtPlaetze, a.ArtPlaetze, 8) == 0;
    for (int j = 1; j <= neu.AnzahlAuslage && gleich; ++j)
        gleich = neu.Karten[j] == a.Karten[j] && neu.TKarten[j] == a.TKarten[j] &&
                 neu.Reihe[j] == a.Reihe[j] && neu.Platz[j] == a.Platz[j] &&
                 neu.AuslageVorige[j] == a.AuslageVorige[j];
    return gleich;
}
#endif

#ifndef NDEBUG
// The seat part followed through noted changes equals one built afresh.
bool GleicherSitz(TSpielsitzung& g, int spieler, const tAuswKarten& a) {
    tAuswKarten f{};
    SitzTeil(g, spieler, f, AlleListen, true);
    bool gleich = std::memcmp(f.Besitz, a.Besitz, sizeof f.Besitz) == 0 &&
                  std::memcmp(f.Tisch, a.Tisch, sizeof f.Tisch) == 0 && f.BesitzNummern == a.BesitzNummern &&
                  f.HandNummern == a.HandNummern && f.ZarInx == a.ZarInx && f.AdelRot == a.AdelRot &&
                  f.AdelHand == a.AdelHand && f.HandPreisGesamt == a.HandPreisGesamt;
    for (int c = 1; c <= 4 && gleich; ++c) {
        const tSSKarten &x = f.SS[c], &y = a.SS[c];
        gleich = x.Anzahl == y.Anzahl && x.AnzahlErw == y.AnzahlErw && x.HandErw == y.HandErw &&
                 x.HandAnzahl == y.HandAnzahl && x.Geld == y.Geld && x.Punkte == y.Punkte &&
                 x.HandPreis == y.HandPreis;
        for (int i = 1; i <= x.Anzahl && gleich; ++i)
            gleich = x.Karten[i] == y.Karten[i] && x.Ziel[i] == y.Ziel[i];
    }
    return gleich;
}
#endif

void Merke(TKISpeicher::Auslage& au, const TSpielsitzung& g) {
    au.sitzungStand = g.Journal().AuslageStand();
    au.anzahl[0] = g.Stand().Auslage[1].Anzahl;
    au.anzahl[1] = g.Stand().Auslage[2].Anzahl;
#ifndef NDEBUG
    au.reihen = g.Stand().Auslage;
#endif
}

[[gnu::noinline, gnu::cold]] TKISpeicher& NeuesGedaechtnis(TSpielsitzung& g) {
    TKISpeicher& m = g.KIGedaechtnisAnlegen(new TKISpeicher, [](TKISpeicher* p) { delete p; });
    FuelleBildTabelle(g, m.bildTabelle);
    return m;
}

// Inline: every move asks for it, and it exists from the first one on.
inline TKISpeicher& Gedaechtnis(TSpielsitzung& g) {
    TKISpeicher* m = g.KIGedaechtnis();
    if (!m) return NeuesGedaechtnis(g);
    return *m;
}

} // namespace

void ErstelleAuswKarten(TSpielsitzung& g, int spieler, tAuswKarten& a) {
    SitzTeil(g, spieler, a, AlleListen, true);
    a.Auslage = &a.EigeneAuslage;
    if (!AuslageBild(g, Gedaechtnis(g).bildTabelle, a.EigeneAuslage)) AuslagePreise(g, spieler, a);
}

TVorausschau& VorausschauSuche(TSpielsitzung& g) {
    TKISpeicher& m = Gedaechtnis(g);
    if (!m.vorausschau) m.vorausschau = std::make_unique<TVorausschau>(g.Katalog());
    return *m.vorausschau;
}

tAuswKarten& Auswertung(TSpielsitzung& g, int spieler) {
    TKISpeicher& m = Gedaechtnis(g);
    TKISpeicher::Sitz& z = m.sitz[spieler];
    const TSpieler& sp = g.Stand().Spieler[spieler];
    const Arr1<uint32_t, 4>& stand = g.Journal().ListenStand(spieler);
    const unsigned geaendert = Geaendert(z, sp, stand);
    if (!z.gueltig || geaendert != 0 || z.sondereigenschaften != sp.Sondereigenschaften) {
        const unsigned listen = geaendert & ~NurMarkenGeaendert(g, spieler, z, geaendert);
        [[maybe_unused]] const bool gefolgt = z.gueltig && geaendert != 0;
        if (!z.gueltig || listen != 0 || z.sondereigenschaften != sp.Sondereigenschaften)
            z.gueltig = SitzTeil(g, spieler, z.a, listen, !z.gueltig, z.stand.begin());
        if (z.gueltig) Merke(z, sp, stand);
        assert(!z.gueltig || !gefolgt || GleicherSitz(g, spieler, z.a));
    }
    TKISpeicher::Auslage& au = m.auslage;
    if (!Unveraendert(au, g)) {
        if (!NurEntnommen(au, g) || !FolgeEntnahme(au.bild, au.anzahl[0], g.Journal().LetzteEntnahme().reihe,
                                                   g.Journal().LetzteEntnahme().platz))
            au.gueltig = AuslageBild(g, m.bildTabelle, au.bild);
        Merke(au, g);
        assert(!au.gueltig || GleichesBild(g, m.bildTabelle, au.bild));
    }
    z.a.Auslage = &au.bild;
    if (!au.gueltig) AuslagePreise(g, spieler, z.a);
    return z.a;
}

int32_t Punkteprognose(const TSpielsitzung& g, int spieler, const tAuswKarten& a) {
    const TSpielstand& s = g.Stand();
    const int32_t phase = s.Phase;
    const bool farbPhase = static_cast<uint32_t>(phase - 1) < 3u;
    // The incomes of this phase's colour and the later ones, as their scorings will pay them.
    const int32_t punkte = s.Spieler[spieler].Siegpunkte + Wenn(farbPhase & (phase <= 1), a.SS[1].Punkte) +
                           Wenn(farbPhase & (phase <= 2), a.SS[2].Punkte) + Wenn(farbPhase, a.SS[3].Punkte);
    // The end-of-game bonus counts the aristocrat kinds in the hand too. Counted here, not in the
    // record: few strategies ask.
    return punkte + AdelsboniTabelle.t[s.AdelsbonusErweitert != 0][Adelsarten(a.BesitzNummern)];
}

int32_t Geldprognose(const tAuswKarten& a) {
    return a.SS[1].Geld + a.SS[2].Geld + a.SS[3].Geld;
}

bool Besitzt(const TSpielsitzung& g, int spieler, int farbe, int32_t inx) {
    return AnzahlBesitz(g, spieler, farbe, inx) > 0;
}

int32_t AnzahlBesitz(const TSpielsitzung& g, int spieler, int farbe, int32_t inx) {
    const TSpieler& sp = g.Stand().Spieler[spieler];
    int32_t n = 0;
    if (farbe >= 1 && farbe <= 3) {
        const TKartenliste& l = sp.Karten[farbe];
        for (int i = 1; i <= l.Anzahl; ++i)
            if (g.Daten(l.Karten[i]).Inx == inx) ++n;
    }
    const TKartenliste& h = sp.Hand();
    for (int i = 1; i <= h.Anzahl; ++i)
        if (g.Daten(h.Karten[i]).Inx == inx) ++n;
    return n;
}

int32_t Aristokratenreserve(const TSpielsitzung& g, int32_t limit) {
    if (limit <= 0) return 0;
    const TKartenstapel& st = g.Stand().Kartenstapel[3];
    // Stops as soon as nothing dearer can change the result.
    const int32_t genug = std::min(limit, Adelspreise[6]);
    const int ende = std::min(st.Anzahl, StapelPlaetze);
    const TKISpeicher* m = g.Journal().Gedaechtnis();
    const BildTabelle* tabelle = m ? &m->bildTabelle : nullptr;
    int32_t best = 0;
    for (int j = std::max(st.Naechste, 1); j <= ende && best < genug; ++j) {
        const tKartenRef karte = st.Karten[j];
        const uint32_t f = static_cast<uint32_t>(karte.Farbe) - 1u, r = static_cast<uint32_t>(karte.Ref) - 1u;
        const int32_t preis =
            tabelle && f < KatalogTabellen && r < 32u ? (*tabelle)[f][r].adel : Info(&g.Daten(karte)).adel;
        best = std::max(best, preis);
    }
    return std::min(best, limit);
}

} // namespace vm
