// The evaluation: the display image every seat shares, built afresh or followed through one card
// taken out.
#include <cstring>

#include "ai/auswertung_intern.h"
#include "rules/kaufen.h"

namespace vm::auswertung {

void FuelleBildTabelle(const TSpielsitzung& g, BildTabelle& t) {
    for (int f = 1; f <= KatalogTabellen; ++f)
        for (int r = 1; r <= 32; ++r) t[f - 1][r - 1] = Info(&g.Daten({f, r}));
}

// The display: row 1 in slot order, then the occupied slots of row 2. Returns false when a
// card is anything but a plain reference, whose price then goes through the full rule.
bool AuslageBild(const TSpielsitzung& g, const BildTabelle& tabelle, tAuswAuslage& a) {
    const TSpielstand& s = g.Stand();
    std::memset(a.AuslageLetzte, 0, sizeof a.AuslageLetzte);
    std::memset(a.ArtPlaetze, 0, sizeof a.ArtPlaetze);
    int n = 0;
    int32_t anzahlReihe2 = 0;
    uint64_t nummern = 0;
    uint32_t arten = 0;
    bool normal = true;
    auto auslage = [&](tKartenRef karte, int reihe, int platz) {
        ++n;
        const uint32_t f = static_cast<uint32_t>(karte.Farbe) - 1u, r = static_cast<uint32_t>(karte.Ref) - 1u;
        TBildInfo info;
        if (f < KatalogTabellen && r < 32u) {
            info = tabelle[f][r];
            normal &= info.farbig != 0;
        } else {
            // A marked or broken reference: priced by the full rule.
            info = Info(&g.Daten(karte));
            normal = false;
        }
        a.Karten[n] = karte;
        a.TKarten[n] = info.d;
        a.Reihe[n] = reihe;
        a.Platz[n] = platz;
        nummern |= Bit(info.inx);
        arten |= 1u << info.art;
        a.ArtPlaetze[info.art] |= static_cast<uint8_t>(unsigned{info.echt} << (n - 1));
        a.AuslageVorige[n] = a.AuslageLetzte[info.inx];
        a.AuslageLetzte[info.inx] = static_cast<uint8_t>(n);
    };
    const TAuslageReihe& reihe1 = s.Auslage[1];
    for (int p = 1; p <= reihe1.Anzahl && p <= 8; ++p) auslage(reihe1.Karten[p], 1, p);
    const TAuslageReihe& reihe2 = s.Auslage[2];
    for (int p = 1; p <= 8 && n < 8; ++p) {
        if (reihe2.Karten[p].Leer()) continue;
        auslage(reihe2.Karten[p], 2, p);
        anzahlReihe2 = n;
    }
    a.AnzahlAuslage = n;
    a.AnzahlReihe2 = anzahlReihe2;
    a.AuslageNummern = nummern & ~uint64_t{1};
    a.AuslageArten = arten;
    a.Normal = normal;
    return normal;
}

// Follows the display image through one card taken out at (reihe, platz): the later cards of
// row 1 move one place left, the earlier cards of row 2 one place right, and every later image
// index one down. Only for an image of plain references that holds every card of both rows, the
// n1 cards of row 1 first; returns false, changing nothing, when the place is not one it shows.
bool FolgeEntnahme(tAuswAuslage& a, int n1, int reihe, int platz) {
    const int n = a.AnzahlAuslage;
    int i = 0;
    if (reihe == 1) {
        if (platz < 1 || platz > n1) return false;
        i = platz;
    } else {
        for (int j = n1 + 1; j <= n && i == 0; ++j)
            if (a.Platz[j] == platz) i = j;
        if (i == 0) return false;
    }
    for (int j = i; j < n; ++j) {
        a.Karten[j] = a.Karten[j + 1];
        a.TKarten[j] = a.TKarten[j + 1];
        a.Reihe[j] = a.Reihe[j + 1];
        a.Platz[j] = a.Platz[j + 1];
    }
    if (reihe == 1) {
        for (int j = i; j < n1; ++j) --a.Platz[j];
    } else {
        for (int j = n1 + 1; j < i; ++j) ++a.Platz[j];
    }
    const int m = n - 1;
    a.AnzahlAuslage = m;
    const int zweite = n - n1 - (reihe == 2);
    a.AnzahlReihe2 = zweite > 0 ? m : 0;

    // Bit i - 1 leaves every kind's set; the bits above it move one down.
    uint64_t plaetze;
    std::memcpy(&plaetze, a.ArtPlaetze, sizeof plaetze);
    constexpr uint64_t Jedes = 0x0101010101010101u;
    const uint64_t unten = ((1u << (i - 1)) - 1u) * Jedes;
    plaetze = (plaetze & unten) | ((plaetze >> 1) & ~unten & (0x7Fu * Jedes));
    std::memcpy(a.ArtPlaetze, &plaetze, sizeof plaetze);
    // Every card is a plain one of its kind, so the kinds present are the non-empty sets: the
    // high bit of each non-empty byte, gathered into one byte.
    constexpr uint64_t Sieben = 0x7Fu * Jedes;
    const uint64_t voll = (((plaetze & Sieben) + Sieben) | plaetze) & (0x80u * Jedes);
    a.AuslageArten = static_cast<uint32_t>(((voll >> 7) * 0x0102040810204080u) >> 56);

    std::memset(a.AuslageLetzte, 0, sizeof a.AuslageLetzte);
    uint64_t nummern = 0;
    for (int j = 1; j <= m; ++j) {
        const int32_t inx = a.TKarten[j]->Inx;
        nummern |= Bit(inx);
        a.AuslageVorige[j] = a.AuslageLetzte[inx];
        a.AuslageLetzte[inx] = static_cast<uint8_t>(j);
    }
    a.AuslageNummern = nummern & ~uint64_t{1};
    return true;
}

// The seat's prices of a display that holds other than plain references: those go through the
// full rule, which reports them.
void AuslagePreise(TSpielsitzung& g, int spieler, tAuswKarten& a) {
    const uint8_t sonder = g.Stand().Spieler[spieler].Sondereigenschaften;
    const tAuswAuslage& au = *a.Auslage;
    for (int i = 1; i <= au.AnzahlAuslage; ++i) {
        const tKartenRef karte = au.Karten[i];
        const tKarte* d = au.TKarten[i];
        const bool normal = karte.Farbe >= 1 && karte.Farbe <= 4 && d->Farbe >= 1 && d->Farbe <= 3;
        a.PreisListe[i] = normal ? KartenPreis(*d, sonder, a.Tisch[d->Inx], au.Reihe[i])
                                 : KostenKarte(g, spieler, karte, au.Reihe[i]);
    }
}

} // namespace vm::auswertung
