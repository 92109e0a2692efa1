// The game on the board of the window: whether its end counts for seat 1's statistics, and
// whether throwing it away (new game, load, simulation run, program end) needs the person's yes.
#pragma once

#include <cstdint>
#include <functional>

#include "model/sitzung.h"
#include "persist/historie.h"

namespace vm {

// Before a computer move in the window: a move for seat 1 takes the game out of the statistics.
void VorComputerzug(const TSpielsitzung& g, THistorie& h);

// At the end of a game in the window. It counts for the statistics and highscores when the
// person played seat 1 throughout, it is no puzzle and it has not ended before (undo after the
// end, or a finished game loaded again). The game is marked as ended either way.
bool SpielendeZaehlt(THistorie& h);

// "Neues Spiel" always starts a game for the person; a series runs only by the simulation
// command, and only when the settings of the chosen player count ask for one.
bool SimulationStartbar(const TSpielsitzung& g, const THistorie& h);

// Losing the game on the board needs the person's yes: the profile asks for it, the game is not
// over and the person has moved since it was started, loaded or saved.
bool VerwerfenFragen(const TSpielsitzung& g, const THistorie& h, bool frageAn);
// "Speichern" is offered where saving is not locked.
bool SpeichernAnbieten(const THistorie& h);

enum class Antwort { Ja, Nein, Speichern };
// Whether the command goes on: "Ja" throws the game away, "Speichern" saves it first (through
// `speichern`, which reports whether the game was saved), "Nein" keeps it.
bool NachAntwort(Antwort a, const THistorie& h, const std::function<bool()>& speichern);

} // namespace vm
