// Card prices and buying onto a player's table.
#pragma once

#include "model/sitzung.h"

namespace vm {

// Price before any replaced card is considered. Reihe 1: upper row, hand or observatory; 2: lower row.
int32_t KostenKarte(TSpielsitzung& g, int spieler, tKartenRef karte, int reihe);
// The price rule itself, for a caller that already knows how many cards of the same number
// lie on the seat's table in the card's colour (`gleiche`) and the seat's ability bits.
inline int32_t KartenPreis(const tKarte& d, uint8_t sondereigenschaften, int32_t gleiche, int reihe) {
    // Without branches: the computer players price every display card at every move.
    const int32_t preis =
        d.Kosten + 1 - reihe - gleiche - static_cast<int32_t>((sondereigenschaften & d.Rabatt) != 0);
    return preis < 1 ? 1 : preis;
}
// True when upgrade `u` may replace table card `r` (right colour, not used, listed in Ersetzt).
bool KannErsetzen(const TSpielsitzung& g, tKartenRef u, tKartenRef r);
// Price of upgrade `u` laid over table card `r`.
int32_t UpgradePreis(TSpielsitzung& g, int spieler, tKartenRef u, tKartenRef r, int reihe);
bool KannKarteKaufen(TSpielsitzung& g, int spieler, tKartenRef karte);
bool AktiviereFreienTischplatz(TSpielsitzung& g, int spieler, tKartenRef karte, int reihe);
void LegeBezahleSpielerkarteTisch(TSpielsitzung& g, int spieler, int32_t position, int reihe,
                                  tKartenRef karte);
// After a hand card was laid and paid for: the seat's last action is the purchase from the hand.
void HandkaufMelden(TSpielsitzung& g, int spieler);
bool LegeBezahleSpielerkarteTischNormSW(TSpielsitzung& g, int spieler, tKartenRef karte);
void LegeBezahleSpielerkarteTischErwSW(TSpielsitzung& g, int spieler, int32_t position, tKartenRef karte);
bool AktiviereFreienTischplatzErwSW(TSpielsitzung& g, int spieler, tKartenRef karte);

struct TTischkarte {
    int farbe = 0; // list 1..3, 0 if the position holds no card
    int index = 0;
    tKartenRef karte{};
};
TTischkarte TischpositionZuKarte(const TSpielsitzung& g, int spieler, int32_t position);
// Position of index `index` of list `farbe` on the table.
int32_t Tischposition(const TSpielsitzung& g, int spieler, int farbe, int index);
// Moves card `index` of a table list to its place by card number; returns that place, 0 when
// `index` holds no card.
int SortiereTischkarte(TSpielsitzung& g, int spieler, int farbe, int index);
// Recomputes the ability bits and counters of a seat from its table (a card left the table).
void SondereigenschaftenNeu(TSpielsitzung& g, int spieler);

} // namespace vm
