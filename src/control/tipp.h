// The hint for the person on seat 1: when one may be asked for, the search on a copy of the game,
// the recommended action in words and where the board marks it. The search runs on a thread of
// the window's; everything here but `Laufen` belongs to the window's thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ai/vorausschau.h"
#include "control/mensch.h"
#include "persist/aktionstext.h"
#include "persist/texte.h"

namespace vm {

// Seat 1 is the person's and on turn, the game runs and no observatory card waits for its place
// (the search knows nothing of a card drawn but not laid).
bool TippMoeglich(const TSpielsitzung& g, const TMensch& m);

// The status bar's line: "Tipp: <action> – Gewinnchance 43 %"; a search that had a single action
// to choose played no game and says so instead of a chance.
std::string TippText(const TTexte& t, const TKatalog& k, const TSpielstand& s, const TVorausschauErgebnis& e);

// Where the board marks an action of seat 1.
struct TTippZiel {
    enum Art { Keins, Auslage, Hand, Passe, Stapel, Schenke };
    Art art = Keins;
    int reihe = 0;                 // Auslage: the display row
    int platz = 0;                 // Auslage: place in the row; Hand: hand place; Stapel: stack 1..4
    int32_t ersetzt = 0;           // the table position of the card an upgrade replaces, 0: none
    std::vector<int32_t> schenken; // Schenke: the table positions of the unused pubs to double-click
};
TTippZiel TippZiel(const TSpielsitzung& g, const TVorausschauAktion& a);

// What a search reads of the game into a session of its own: the state, the generator, the
// settings and the menu's choices. The copy has no board, trace or history.
void SpielKopieren(TSpielsitzung& kopie, const TSpielsitzung& g);

// One search for the hint, on a copy of the game taken at construction: the game itself may go
// on (or be undone, loaded, started anew) meanwhile and is never touched.
class TTippSuche {
public:
    // `kerne` threads share the imagined games; the result does not depend on their number.
    TTippSuche(const TSpielsitzung& g, int kerne, int32_t budget);
    TTippSuche(const TTippSuche&) = delete;
    TTippSuche& operator=(const TTippSuche&) = delete;

    // The search itself, on the worker thread.
    void Laufen();
    // From any thread: the search stops after the imagined games under way.
    void Abbrechen() { steuerung_.abbruch.store(true); }
    bool Abgebrochen() const { return steuerung_.abbruch.load(); }

    // After `Laufen`.
    const TVorausschauErgebnis& Ergebnis() const { return ergebnis_; }
    // The game still stands where the search started: same state, same generator.
    bool Passt(const TSpielsitzung& g) const;
    const TSpielstand& Stand() const { return s_.Stand(); }

private:
    TSpielsitzung s_;
    TVorausschau suche_;
    TVorausschauParameter parameter_;
    TSuchsteuerung steuerung_;
    TVorausschauErgebnis ergebnis_;
};

} // namespace vm
