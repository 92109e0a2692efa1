#include "ai/auswertung.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "rules/kaufen.h"
#include "rules/wertung.h"

namespace vm {

namespace {

constexpr int32_t InxZar = 6;
constexpr uint64_t Bit(int32_t inx) {
    return uint64_t{1} << inx;
}

// Aristocrat kinds among the owned numbers, counted inline: without a popcount instruction in
// the baseline instruction set, std::popcount is a library call.
int32_t Adelsarten(uint64_t nummern) {
    uint32_t v = static_cast<uint32_t>((nummern >> 18) & 0x7Fu) |
                 static_cast<uint32_t>(((nummern >> 40) & 0x3FFu) << 7);
    v = v - ((v >> 1) & 0x55555555u);
    v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
    v = (v + (v >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int32_t>((v * 0x01010101u) >> 24);
}

int Begrenzt(int32_t anzahl) {
    return anzahl < 0 ? 0 : (anzahl > 31 ? 31 : anzahl);
}

// Only the green list and the hand have targets; the others' stay 0. All places at once, in a
// few stores.
template <int C> void ZieleLeeren(tSSKarten& ss) {
    if constexpr (C == 1 || C == ListeHand) std::memset(ss.Ziel.begin(), 0, sizeof ss.Ziel);
}

constexpr unsigned AlleListen = (1u << 1) | (1u << 2) | (1u << 3) | (1u << ListeHand);

int32_t Adelspreis(const tKarte* k) {
    return static_cast<uint32_t>(k->Inx - 18) <= 6u ? k->Kosten : 0;
}

// One list, rebuilt: records, counts by number, and for a table colour its incomes (every card
// of the colour, used ones too). One instance per list, so that a list's own rules cost no branch.
template <int C> void Liste(const Spielsitzung& g, const TKartenliste& l, tAuswKarten& a) {
    tSSKarten& ss = a.SS[C];
    ZieleLeeren<C>(ss);
    const int anzahl = Begrenzt(l.Anzahl);
    int32_t erw = 0, geld = 0, punkte = 0, adel = 0, zar = 0;
    int32_t handAnzahl[4] = {}, handErw[4] = {};
    uint64_t nummern = 0;
    for (int i = 1; i <= anzahl; ++i) {
        const tKarte* k = &g.Daten(l.Karten[i]);
        ss.Karten[i] = k;
        erw += k->Erweiterung == 1;
        const int32_t inx = k->Inx;
        if (inx < 1 || inx > 49) continue;
        ++a.Besitz[inx];
        nummern |= Bit(inx);
        if constexpr (C == ListeHand) {
            adel = std::max(adel, Adelspreis(k));
            ++handAnzahl[k->Farbe];
            handErw[k->Farbe] += k->Erweiterung == 1;
        } else {
            if constexpr (C == 3) adel = std::max(adel, Adelspreis(k));
            if (k->Farbe != C) continue;
            ++a.Tisch[inx];
            geld += k->Geld;
            punkte += k->Siegpunkte;
            if constexpr (C == 1) zar = zar == 0 && inx == InxZar ? i : zar;
        }
    }
    ss.Anzahl = anzahl;
    ss.AnzahlErw = erw;
    ss.Punkte = punkte;
    a.BesitzNummern |= nummern;
    if constexpr (C == ListeHand) {
        for (int c = 1; c <= 3; ++c) {
            a.SS[c].HandAnzahl = handAnzahl[c];
            a.SS[c].HandErw = handErw[c];
        }
        a.HandNummern = nummern;
        a.AdelHand = adel;
    } else {
        a.GeldListe[C] = geld;
        if constexpr (C == 1) a.ZarInx = zar;
        if constexpr (C == 3) a.AdelRot = adel;
    }
}

// Takes a list's cards, as the record last held them, out of the counts by number.
// The counts are bytes, whose stores the compiler must assume may change anything; so what the
// loops carry lives in locals.
template <int C> void Entferne(tAuswKarten& a) {
    const tSSKarten& ss = a.SS[C];
    const int anzahl = ss.Anzahl;
    uint64_t nummern = a.BesitzNummern;
    for (int i = 1; i <= anzahl; ++i) {
        const tKarte* k = ss.Karten[i];
        const int32_t inx = k->Inx;
        if (inx < 1 || inx > 49) continue;
        const uint8_t n = static_cast<uint8_t>(a.Besitz[inx] - 1);
        a.Besitz[inx] = n;
        nummern &= ~(uint64_t{n == 0} << inx);
        if constexpr (C != ListeHand) a.Tisch[inx] -= k->Farbe == C;
    }
    a.BesitzNummern = nummern;
}

// Places lo..hi-1 move one on, to lo + 1..hi, and x goes to place lo. Written with a carried value
// rather than as a copy, so that it stays an inline loop over the few places instead of becoming
// a library call.
inline void Einschieben(const tKarte** karten, int lo, int hi, const tKarte* x) {
    for (int i = lo; i <= hi; ++i) {
        const tKarte* t = karten[i];
        karten[i] = x;
        x = t;
    }
}

// Places lo + 1..hi move one back, to lo..hi - 1; place hi keeps its old value.
inline void Herausschieben(const tKarte** karten, int lo, int hi) {
    const tKarte* x = karten[hi];
    for (int i = hi - 1; i >= lo; --i) {
        const tKarte* t = karten[i];
        karten[i] = x;
        x = t;
    }
}

// Follows the card at index t of table list C replaced by an upgrade that was then sorted to
// place z. False, changing nothing, when the list does not have the length that gives.
template <int C>
bool FolgeErsetzt(const Spielsitzung& g, const TKartenliste& l, tAuswKarten& a, int t, int z) {
    tSSKarten& ss = a.SS[C];
    const int anzahl = ss.Anzahl;
    if (l.Anzahl != anzahl || t < 1 || t > anzahl || z < 1 || z > anzahl) return false;
    const tKarte** karten = ss.Karten.begin() - 1; // karten[i] is place i
    const tKarte* alt = karten[t];
    const tKarte* neu = &g.Daten(l.Karten[z]);
    if (z < t) {
        Einschieben(karten, z, t, neu);
    } else {
        Herausschieben(karten, t, z);
        karten[z] = neu;
    }
    ZieleLeeren<C>(ss);
    ss.AnzahlErw += (neu->Erweiterung == 1) - (alt->Erweiterung == 1);
    auto zaehle = [&](const tKarte* k, int richtung) {
        const int32_t inx = k->Inx;
        if (inx < 1 || inx > 49) return;
        const uint8_t besitz = static_cast<uint8_t>(a.Besitz[inx] + richtung);
        a.Besitz[inx] = besitz;
        a.BesitzNummern = (a.BesitzNummern & ~Bit(inx)) | (uint64_t{besitz != 0} << inx);
        if (k->Farbe != C) return;
        a.Tisch[inx] = static_cast<uint8_t>(a.Tisch[inx] + richtung);
        a.GeldListe[C] += richtung * k->Geld;
        ss.Punkte += richtung * k->Siegpunkte;
    };
    zaehle(alt, -1);
    zaehle(neu, +1);
    // The replaced card may have been the first "Zar+Zimmermann" or the dearest aristocrat.
    if constexpr (C == 1) {
        int zar = 0;
        for (int i = 1; i <= anzahl && zar == 0; ++i)
            if (karten[i]->Farbe == C && karten[i]->Inx == InxZar) zar = i;
        a.ZarInx = zar;
    }
    if constexpr (C == 3) {
        int32_t adel = 0;
        for (int i = 1; i <= anzahl; ++i)
            if (karten[i]->Inx >= 1 && karten[i]->Inx <= 49) adel = std::max(adel, Adelspreis(karten[i]));
        a.AdelRot = adel;
    }
    return true;
}

// Follows one card put in at an index of list C (any list) or taken out of the hand, as the
// rules noted it, instead of taking the whole list out and in again. False, changing nothing,
// when the list does not have the length that change gives.
template <int C>
bool Folge(const Spielsitzung& g, const TKartenliste& l, tAuswKarten& a,
           const TAenderungsJournal::TListenAenderung& e) {
    tSSKarten& ss = a.SS[C];
    const int alt = ss.Anzahl, t = e.index;
    const tKarte** karten = ss.Karten.begin() - 1; // karten[i] is place i
    if constexpr (C != ListeHand) {
        if (e.art == TAenderungsJournal::Ersetzt) return FolgeErsetzt<C>(g, l, a, t, e.ziel);
    }
    const tKarte* k;
    int richtung;
    if (e.art == TAenderungsJournal::Eingefuegt) {
        if (l.Anzahl != alt + 1 || alt + 1 > 31 || t < 1 || t > alt + 1) return false;
        k = &g.Daten(l.Karten[t]);
        Einschieben(karten, t, alt + 1, k);
        richtung = 1;
    } else {
        if (C != ListeHand || e.art != TAenderungsJournal::Entnommen || l.Anzahl != alt - 1 || t < 1 ||
            t > alt)
            return false;
        k = karten[t];
        Herausschieben(karten, t, alt);
        richtung = -1;
    }
    const int anzahl = alt + richtung;
    ss.Anzahl = anzahl;
    // As after a rebuild: no targets; those of the green list and the hand are found anew.
    ZieleLeeren<C>(ss);
    ss.AnzahlErw += richtung * (k->Erweiterung == 1);
    const int32_t inx = k->Inx;
    if (inx < 1 || inx > 49) return true;
    const uint8_t besitz = static_cast<uint8_t>(a.Besitz[inx] + richtung);
    a.Besitz[inx] = besitz;
    a.BesitzNummern = (a.BesitzNummern & ~Bit(inx)) | (uint64_t{besitz != 0} << inx);
    if constexpr (C == ListeHand) {
        if (k->Farbe >= 1 && k->Farbe <= 3) {
            a.SS[k->Farbe].HandAnzahl += richtung;
            a.SS[k->Farbe].HandErw += richtung * (k->Erweiterung == 1);
        }
        if (richtung > 0) {
            a.HandNummern |= Bit(inx);
            a.AdelHand = std::max(a.AdelHand, Adelspreis(k));
        } else {
            // Another copy may stay in the hand, and the dearest aristocrat may have left.
            uint64_t nummern = 0;
            int32_t adel = 0;
            for (int i = 1; i <= anzahl; ++i) {
                const int32_t x = karten[i]->Inx;
                if (x < 1 || x > 49) continue;
                nummern |= Bit(x);
                adel = std::max(adel, Adelspreis(karten[i]));
            }
            a.HandNummern = nummern;
            a.AdelHand = adel;
        }
    } else {
        if constexpr (C == 3) a.AdelRot = std::max(a.AdelRot, Adelspreis(k));
        const bool farbe = k->Farbe == C;
        if constexpr (C == 1) {
            // The first green "Zar+Zimmermann" moved one place on, or is the new card.
            int zar = a.ZarInx >= t ? a.ZarInx + 1 : a.ZarInx;
            if (farbe && inx == InxZar && (zar == 0 || t < zar)) zar = t;
            a.ZarInx = zar;
        }
        if (!farbe) return true;
        ++a.Tisch[inx];
        a.GeldListe[C] += k->Geld;
        ss.Punkte += k->Siegpunkte;
    }
    return true;
}

// BesitzNummern follows every count as it moves, so it stays right between the lists too.
// A list whose only change since the record was built (at count `vorher`) is the one the rules
// noted is followed through it.
template <int C>
void Erneuere(const Spielsitzung& g, int spieler, const TSpieler& sp, tAuswKarten& a, unsigned listen,
              const uint32_t* vorher, bool neu) {
    if (!(listen & (1u << C))) return;
    if (!neu) {
        const TAenderungsJournal::TListenAenderung& e = g.Journal().LetzteListenAenderung(spieler, C);
        if (e.art != TAenderungsJournal::KeineNotiz && e.vorher == vorher[C - 1] &&
            e.nachher == g.Journal().ListenStand(spieler, C) && Folge<C>(g, sp.Karten[C], a, e))
            return;
        Entferne<C>(a);
    }
    Liste<C>(g, sp.Karten[C], a);
}

// The part that depends only on the seat's own lists and abilities. `neu` builds it from
// nothing; otherwise the record holds it for the seat's previous cards and only the lists in
// `listen` (bit l for list l) changed since. Returns false when a price went through the full
// rule and reported a fault, so that the part is not reused.
bool SitzTeil(Spielsitzung& g, int spieler, tAuswKarten& a, unsigned listen, bool neu,
              const uint32_t* vorher = nullptr) {
    const TSpieler& sp = g.S.Spieler[spieler];
    a.Sondereigenschaften = sp.Sondereigenschaften;
    const int64_t fehlerVorher = g.AnzahlFehler;
    if (neu) {
        std::memset(a.Besitz, 0, sizeof a.Besitz);
        std::memset(a.Tisch, 0, sizeof a.Tisch);
        a.BesitzNummern = 0;
        listen = AlleListen;
    }
    Erneuere<1>(g, spieler, sp, a, listen, vorher, neu);
    Erneuere<2>(g, spieler, sp, a, listen, vorher, neu);
    Erneuere<3>(g, spieler, sp, a, listen, vorher, neu);
    Erneuere<ListeHand>(g, spieler, sp, a, listen, vorher, neu);
    const int32_t hoechsterAdel = std::max(a.AdelRot, a.AdelHand);
    const int32_t zarInx = a.ZarInx;

    const TKartenliste& handListe = sp.Hand();
    tSSKarten& hand = a.SS[4];
    const int handAnzahl = hand.Anzahl;
    hand.HandAnzahl = hand.HandErw = hand.HandPreis = 0;

    for (int c = 1; c <= 3; ++c) a.SS[c].Geld = a.GeldListe[c];
    if (sp.Sondereigenschaften & GeldProRot) a.SS[2].Geld += a.SS[3].Anzahl;
    if (sp.Sondereigenschaften & GeldProGruen) a.SS[3].Geld += a.SS[1].Anzahl;

    // Green hand upgrades get their targets in hand order; the joker only when nothing else fits.
    // A list that was not rebuilt still holds the targets of the previous hand or table.
    tSSKarten& gruen = a.SS[1];
    constexpr unsigned GruenUndHand = (1u << 1) | (1u << ListeHand);
    if (listen & GruenUndHand) {
        if (!(listen & (1u << 1))) ZieleLeeren<1>(gruen);
        if (!(listen & (1u << ListeHand))) ZieleLeeren<ListeHand>(hand);
        if (gruen.HandErw > 0) {
            for (int h = 1; h <= handAnzahl; ++h) {
                const tKarte* u = hand.Karten[h];
                if (u->Erweiterung != 1 || u->Farbe != 1) continue;
                int ziel = 0;
                for (int i = 1; i <= gruen.Anzahl && ziel == 0; ++i)
                    if (gruen.Ziel[i] == 0 && gruen.Karten[i]->Inx != InxZar &&
                        u->ErsetztInx(gruen.Karten[i]->Inx))
                        ziel = i;
                if (ziel == 0 && zarInx > 0 && gruen.Ziel[zarInx] == 0) ziel = zarInx;
                if (ziel > 0) {
                    gruen.Ziel[ziel] = static_cast<uint8_t>(h);
                    hand.Ziel[h] = static_cast<uint8_t>(ziel);
                }
            }
        }
    }

    // Hand prices per colour, from the table counts like the display.
    int32_t roteErw = 0;
    int32_t handPreis[4] = {};
    for (int h = 1; h <= handAnzahl; ++h) {
        const tKarte* k = hand.Karten[h];
        if (k->Farbe < 1 || k->Farbe > 3) continue;
        const tKartenRef karte = handListe.Karten[h];
        int32_t preis = karte.Farbe >= 1 && karte.Farbe <= 4 && k->Inx >= 0 && k->Inx <= 49
                            ? KartenPreis(*k, sp.Sondereigenschaften, a.Tisch[k->Inx], 1)
                            : KostenKarte(g, spieler, karte, 1);
        if (k->Erweiterung == 1) {
            if (k->Farbe == 1 && hand.Ziel[h] > 0) {
                int32_t p = preis - gruen.Karten[hand.Ziel[h]]->Kosten;
                preis = p < 1 ? 1 : p;
            } else if (k->Farbe == 2) {
                preis = 1;
            } else if (k->Farbe == 3) {
                int32_t erlass = hoechsterAdel - 2 * roteErw;
                if (erlass < 4) erlass = 4;
                int32_t p = preis - erlass;
                preis = p < 1 ? 1 : p;
                ++roteErw;
            }
        }
        handPreis[k->Farbe] += preis;
    }
    for (int c = 1; c <= 3; ++c) a.SS[c].HandPreis = handPreis[c];
    a.HandPreisGesamt = handPreis[1] + handPreis[2] + handPreis[3];
    return g.AnzahlFehler == fehlerVorher;
}

// What the display image needs of a card kind, worked out once per session: the image is
// rebuilt at nearly every move.
struct BildInfo {
    const tKarte* d;
    uint8_t inx;    // card number, 0 outside 0..49
    uint8_t art;    // 2 * colour + upgrade
    uint8_t echt;   // 1 for a plain card or an upgrade of colour 1..3
    uint8_t farbig; // 1 for colour 1..3
    uint8_t adel;   // the aristocrat reserve's price of numbers 18..24, else 0
};
using BildTabelle = BildInfo[KatalogTabellen][32];

constexpr int32_t Adelspreise[7] = {4, 7, 10, 12, 14, 16, 18}; // numbers 18..24, for the reserve

BildInfo Info(const tKarte* d) {
    const bool farbig = static_cast<uint32_t>(d->Farbe - 1) < 3u;
    const uint32_t adel = static_cast<uint32_t>(d->Inx - 18);
    return {d,
            static_cast<uint8_t>(static_cast<uint32_t>(d->Inx) <= 49u ? d->Inx : 0),
            static_cast<uint8_t>((d->Farbe & 3) * 2 + (d->Erweiterung & 1)),
            static_cast<uint8_t>(farbig && static_cast<uint32_t>(d->Erweiterung) < 2u),
            static_cast<uint8_t>(farbig),
            static_cast<uint8_t>(adel <= 6u ? Adelspreise[adel] : 0)};
}

void FuelleBildTabelle(const Spielsitzung& g, BildTabelle& t) {
    for (int f = 1; f <= KatalogTabellen; ++f)
        for (int r = 1; r <= 32; ++r) t[f - 1][r - 1] = Info(&g.Daten({f, r}));
}

// The display: row 1 in slot order, then the occupied slots of row 2. Returns false when a
// card is anything but a plain reference, whose price then goes through the full rule.
bool AuslageBild(const Spielsitzung& g, const BildTabelle& tabelle, tAuswAuslage& __restrict a) {
    const TSpielstand& s = g.S;
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
        BildInfo info;
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
void AuslagePreise(Spielsitzung& g, int spieler, tAuswKarten& a) {
    const uint8_t sonder = g.S.Spieler[spieler].Sondereigenschaften;
    const tAuswAuslage& au = *a.Auslage;
    for (int i = 1; i <= au.AnzahlAuslage; ++i) {
        const tKartenRef karte = au.Karten[i];
        const tKarte* d = au.TKarten[i];
        const bool normal = karte.Farbe >= 1 && karte.Farbe <= 4 && d->Farbe >= 1 && d->Farbe <= 3;
        a.PreisListe[i] = normal ? KartenPreis(*d, sonder, a.Tisch[d->Inx], au.Reihe[i])
                                 : KostenKarte(g, spieler, karte, au.Reihe[i]);
    }
}

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
TEndwarnung Endwarnung(const Spielsitzung& g) {
    const TSpielstand& s = g.S;
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
struct KISpeicher {
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
};

namespace {

// The lists (bit l for list l) whose count or length moved since the part was built.
unsigned Geaendert(const KISpeicher::Sitz& z, const TSpieler& sp, const Arr1<uint32_t, 4>& stand) {
    unsigned listen = 0;
#if defined(__SSE2__)
    // All four lists at once: this runs at every move. The lengths lie far apart and are joined
    // in registers: a vector put together in memory from four stores is read back before the
    // stores can be forwarded.
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
unsigned NurMarkenGeaendert(const Spielsitzung& g, int spieler, const KISpeicher::Sitz& z, unsigned listen) {
    unsigned marken = 0;
    for (int l = 1; l <= 3; ++l) {
        const TAenderungsJournal::TListenAenderung& e = g.Journal().LetzteListenAenderung(spieler, l);
        const bool nurMarken = e.art == TAenderungsJournal::NurMarken && e.vorher == z.stand[l] &&
                               e.nachher == g.Journal().ListenStand(spieler, l) &&
                               z.anzahl[l] == g.S.Spieler[spieler].Karten[l].Anzahl;
        marken |= static_cast<unsigned>(nurMarken) << l;
    }
    return marken & listen;
}

void Merke(KISpeicher::Sitz& z, const TSpieler& sp, const Arr1<uint32_t, 4>& stand) {
    z.sondereigenschaften = sp.Sondereigenschaften;
    z.stand = stand;
    for (int l = 1; l <= 4; ++l) z.anzahl[l] = sp.Karten[l].Anzahl;
#ifndef NDEBUG
    z.listen = sp.Karten;
#endif
}

bool Unveraendert(const KISpeicher::Auslage& au, const Spielsitzung& g) {
    const bool gleich = au.gueltig & (au.sitzungStand == g.Journal().AuslageStand()) &
                        (au.anzahl[0] == g.S.Auslage[1].Anzahl) & (au.anzahl[1] == g.S.Auslage[2].Anzahl);
    assert(!gleich || std::memcmp(&au.reihen, &g.S.Auslage, sizeof au.reihen) == 0);
    return gleich;
}

// Since the image was built, exactly one card left the display, and the image held every card.
bool NurEntnommen(const KISpeicher::Auslage& au, const Spielsitzung& g) {
    const TAenderungsJournal::TEntnahme& e = g.Journal().LetzteEntnahme();
    if (!au.gueltig || e.stand != g.Journal().AuslageStand() || au.sitzungStand + 1 != e.stand) return false;
    if (static_cast<uint32_t>(au.anzahl[0]) > 8u || static_cast<uint32_t>(au.anzahl[1]) > 8u ||
        au.bild.AnzahlAuslage != au.anzahl[0] + au.anzahl[1])
        return false;
    const int r = e.reihe - 1;
    return (r == 0 || r == 1) && g.S.Auslage[e.reihe].Anzahl == au.anzahl[r] - 1 &&
           g.S.Auslage[2 - r].Anzahl == au.anzahl[1 - r];
}

#ifndef NDEBUG
// The followed image equals one built afresh.
bool GleichesBild(const Spielsitzung& g, const BildTabelle& tabelle, const tAuswAuslage& a) {
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
bool GleicherSitz(Spielsitzung& g, int spieler, const tAuswKarten& a) {
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

void Merke(KISpeicher::Auslage& au, const Spielsitzung& g) {
    au.sitzungStand = g.Journal().AuslageStand();
    au.anzahl[0] = g.S.Auslage[1].Anzahl;
    au.anzahl[1] = g.S.Auslage[2].Anzahl;
#ifndef NDEBUG
    au.reihen = g.S.Auslage;
#endif
}

[[gnu::noinline, gnu::cold]] KISpeicher& NeuesGedaechtnis(Spielsitzung& g) {
    KISpeicher& m = g.KIGedaechtnisAnlegen(new KISpeicher, [](KISpeicher* p) { delete p; });
    FuelleBildTabelle(g, m.bildTabelle);
    return m;
}

// Inline: every move asks for it, and it exists from the first one on.
inline KISpeicher& Gedaechtnis(Spielsitzung& g) {
    KISpeicher* m = g.KIGedaechtnis();
    if (!m) [[unlikely]]
        return NeuesGedaechtnis(g);
    return *m;
}

} // namespace

void ErstelleAuswKarten(Spielsitzung& g, int spieler, tAuswKarten& a) {
    SitzTeil(g, spieler, a, AlleListen, true);
    a.Auslage = &a.EigeneAuslage;
    if (!AuslageBild(g, Gedaechtnis(g).bildTabelle, a.EigeneAuslage)) AuslagePreise(g, spieler, a);
}

tAuswKarten& Auswertung(Spielsitzung& g, int spieler) {
    KISpeicher& m = Gedaechtnis(g);
    KISpeicher::Sitz& z = m.sitz[spieler];
    const TSpieler& sp = g.S.Spieler[spieler];
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
    KISpeicher::Auslage& au = m.auslage;
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

int32_t Punkteprognose(const Spielsitzung& g, int spieler, const tAuswKarten& a) {
    const TSpielstand& s = g.S;
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

bool Besitzt(const Spielsitzung& g, int spieler, int farbe, int32_t inx) {
    return AnzahlBesitz(g, spieler, farbe, inx) > 0;
}

int32_t AnzahlBesitz(const Spielsitzung& g, int spieler, int farbe, int32_t inx) {
    const TSpieler& sp = g.S.Spieler[spieler];
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

int32_t Aristokratenreserve(const Spielsitzung& g, int32_t limit) {
    if (limit <= 0) return 0;
    const TKartenstapel& st = g.S.Kartenstapel[3];
    // Stops as soon as nothing dearer can change the result.
    const int32_t genug = std::min(limit, Adelspreise[6]);
    const int ende = std::min(st.Anzahl, StapelPlaetze);
    const KISpeicher* m = g.Journal().Gedaechtnis();
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
