// The evaluation: the part of the record that depends only on the seat's own lists, built afresh
// or followed through the changes the rules noted.
#include <algorithm>
#include <cstring>

#include "ai/auswertung_intern.h"
#include "rules/kaufen.h"

namespace vm::auswertung {

namespace {

int Begrenzt(int32_t anzahl) {
    return anzahl < 0 ? 0 : (anzahl > 31 ? 31 : anzahl);
}

// Only the green list and the hand have targets; the others' stay 0. All places at once, in a
// few stores.
template <int C> void ZieleLeeren(tSSKarten& ss) {
    if constexpr (C == 1 || C == ListeHand) std::memset(ss.Ziel.begin(), 0, sizeof ss.Ziel);
}

// One list, rebuilt: records, counts by number, and for a table colour its incomes (every card
// of the colour, used ones too). One instance per list, so that a list's own rules cost no branch.
template <int C> void Liste(const TSpielsitzung& g, const TKartenliste& l, tAuswKarten& a) {
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
bool FolgeErsetzt(const TSpielsitzung& g, const TKartenliste& l, tAuswKarten& a, int t, int z) {
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
bool Folge(const TSpielsitzung& g, const TKartenliste& l, tAuswKarten& a,
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
void Erneuere(const TSpielsitzung& g, int spieler, const TSpieler& sp, tAuswKarten& a, unsigned listen,
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

} // namespace

bool SitzTeil(TSpielsitzung& g, int spieler, tAuswKarten& a, unsigned listen, bool neu,
              const uint32_t* vorher) {
    const TSpieler& sp = g.Stand().Spieler[spieler];
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

} // namespace vm::auswertung
