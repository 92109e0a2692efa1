// What the end-of-game, info and scaling dialogs show and count, without their widgets: the
// win counters and highscores of the profile, the statistics line, the window sizes of a scale.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/sitzung.h"
#include "persist/profil.h"

namespace vm {

class TSprache;

// The texts of the end-of-game dialog after a game.
struct TSpielendeDialog {
    std::string Kopf;                  // the heading: congratulations or not
    std::string Ergebnis;              // the ranking line
    std::string AnzahlSpiele;          // games counted so far
    std::string Prozent;               // share of them won
    std::string HighscoreText;         // caption of the player count's best
    std::string Highscore;             // that best
    std::array<std::string, 3> Gegner; // strategy names of seats 2..4, empty for seats not playing
    bool Gewonnen = false;
    // The counters changed and go to the profile's "Highscore" section.
    bool Gezaehlt = false;
};

// Seat 1's best victory points for a player count (2..4).
int32_t& MaxPunkte(TProfilWerte& w, int spielerAnzahl);

// The end of a game outside simulation: ranks the seats, counts the game for seat 1 unless
// `zaehltNicht` (a loaded puzzle, or see SpielendeZaehlt), and fills the dialog's texts.
TSpielendeDialog SpielendeAuswerten(TSpielsitzung& g, TProfilWerte& w, bool zaehltNicht,
                                    const TSprache& sprache);

// The info box's line: "Du hast 45 % von 120 Spielen gewonnen !"
std::string InfoStatistik(const TProfilWerte& w, const TSprache& sprache);

// Scaling. The dialog's range is 50..200 percent (below half size the cards cannot be read);
// a profile value outside is taken at its edge.
constexpr int32_t SkalierungMin = 50;
constexpr int32_t SkalierungMax = 200;
int32_t WirksameSkalierung(int32_t scaleBy);

struct TFenstergroesse {
    int32_t Breite = 0;
    int32_t Hoehe = 0;
    friend bool operator==(const TFenstergroesse&, const TFenstergroesse&) = default;
};
// The end-of-game dialog is scaled only below 80 % and above 120 %.
std::optional<TFenstergroesse> SpielendeGroesse(int32_t scaleBy);
// The start-up line of the trace: "ScaledBy 150 Prozent" or "Keine Skalierung notwendig".
std::string SkalierungStartzeile(int32_t scaleBy);

} // namespace vm
