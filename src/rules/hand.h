// Hand moves, the hand limit, the observatory and the pub.
#pragma once

#include "model/sitzung.h"

namespace vm {

tKartenRef ZieheKarteHand(TSpielsitzung& g, int spieler, int platz);
// Puts a card into a hand slot; the callers check the hand limit.
void LegeKarteInHand(TSpielsitzung& g, int spieler, int platz, tKartenRef karte);
inline bool KannHandkarteAufnehmen(const TSpielsitzung& g, int spieler) {
    const TSpieler& sp = g.S.Spieler[spieler];
    const int32_t n = sp.Hand().Anzahl;
    return n < 3 || (n == 3 && (sp.Sondereigenschaften & Lagerhaus));
}
int32_t FreieHandplaetze(const TSpielsitzung& g, int spieler);
bool NimmKarteAufHand(TSpielsitzung& g, int spieler, tKartenRef karte);

// Lowers every offered table position of the seat and clears the marks; true if any was marked.
bool TischplaetzeDeaktivieren(TSpielsitzung& g, int spieler);
// Clears the human's selection and seat 1's table targets.
void AuswahlAufheben(TSpielsitzung& g);

// Observatory and pub.
void KaufSiegpunkte(TSpielsitzung& g, int spieler, int32_t punkte);
void WirfKarteAb(TSpielsitzung& g, int spieler, tKartenRef karte);
// The observatory's draw: the top card of a stack, told to the move list as the seat's draw.
bool ZieheSternwartenkarte(TSpielsitzung& g, int spieler, int stapel, tKartenRef& karte, int32_t& rest);
bool NimmKarteAufHandSW(TSpielsitzung& g, int spieler, tKartenRef karte);
void BenutzeTischkarte(TSpielsitzung& g, int spieler, int32_t position);
void BenutzeTischkarte(TSpielsitzung& g, int spieler, int farbe, int index);
void ReaktiviereTischkarte(TSpielsitzung& g, int spieler, int32_t position);
void ReaktiviereSternwarten(TSpielsitzung& g);

} // namespace vm
