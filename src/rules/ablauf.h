// Game set-up and the turn sequence: the single place where turn, phase, round and game advance.
#pragma once

#include "model/sitzung.h"

namespace vm {

// The set-up of one game (also before every game of a simulation series).
void SpielAufbau(TSpielsitzung& g);
// True when the start roles can be dealt as given: each role at most once and, in a
// 3-player game, a seat 1..3 in the fourth field.
bool StartrollenGueltig(int spielerAnzahl, const Arr1<int32_t, 4>& rollen);
void VerteileStartspieler(TSpielsitzung& g);
void InitSpieler(TSpielsitzung& g);
void NeuePhase(TSpielsitzung& g, int phase);
void NeueRunde(TSpielsitzung& g);
void Passen(TSpielsitzung& g, int spieler);
void NaechsterSpieler(TSpielsitzung& g);
bool NaechsterSchenkeSpieler(TSpielsitzung& g, bool erster);
void AktiviereSchenke(TSpielsitzung& g, int spieler);
// The end of the game after the final scoring.
void SpielBeenden(TSpielsitzung& g);

} // namespace vm
