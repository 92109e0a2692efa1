// Tournaments of computer strategies: every entrant in every seat, each seating of a table from
// the same deals, so that the luck of the cards cancels as far as it can.
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/einstellung.h"
#include "sim/json.h"
#include "sim/schaetzung.h"

namespace vm {

struct TTurnierOptionen {
    int32_t spieler = 2;
    std::vector<int32_t> teilnehmer;                        // strategy of each entrant
    std::vector<std::pair<int32_t, std::string>> parameter; // entrant (1-based) and its parameter file
    int64_t spiele = 0;                                     // games per table, rounded up to its seatings
    bool spieleGesetzt = false;
    uint32_t seed = 0;
    bool seedGesetzt = false;
    int32_t jobs = 1;
    bool gemischt = false;       // tables may seat an entrant more than once
    bool bisSignifikant = false; // stop once the leader's lead is significant at 95 %
    uint8_t varianten[3] = {0, 0, 0};
    int32_t teil = 1, teile = 1; // plays the passes p with p mod teile = teil - 1
    std::string jsonDatei, berichtDatei;
    std::string plotOrdner; // the charts as SVG files
    bool leise = false;
};

struct TTeilnehmer {
    int32_t Strategie = 0;
    std::string ParameterDatei;        // as given; the parameters themselves are in Einstellung
    TStrategieEinstellung Einstellung; // the record this entrant moves with (start money and roles default)
};

// One game: its deal (the pass's seed), table, seating and the entrant of each seat.
struct TTurnierSpiel {
    uint32_t Saat;
    int16_t Tisch;
    int16_t Ordnung;
    int8_t Teilnehmer[4]; // 0-based entrant by seat, -1 for no seat
    TSpielErgebnis E;
};

struct TTurnierLauf {
    uint32_t Seed;
    int32_t Teil, Teile;
    int64_t Spiele;
};

struct TTurnier {
    int32_t Spieler = 2;
    uint8_t Varianten[3] = {0, 0, 0};
    bool Gemischt = false;
    int64_t SpieleJeTisch = 0;
    std::vector<TTeilnehmer> Teilnehmer;
    std::vector<std::vector<int8_t>> Tische;    // entrants of each table, ascending
    std::vector<std::vector<int8_t>> Ordnungen; // per table its seatings, seat by seat, flattened
    std::vector<TTurnierSpiel> Spiele;
    std::vector<TTurnierLauf> Laeufe;
    bool Abgebrochen = false;
    bool Signifikant = false; // the stop rule ended the run
};

// The tables of `spieler` seats from `teilnehmer` entrants: every combination of distinct
// entrants, or with repetition when `gemischt` or when there are fewer entrants than seats.
std::vector<std::vector<int8_t>> TurnierTische(int spieler, int teilnehmer, bool gemischt);

// Entrants, their parameter files and the tables; an error line naming the option, or empty.
std::string TurnierVorbereiten(const TTurnierOptionen& o, TTurnier& t);

// Plays the tournament. Pass p deals from BlockSeed(seed, p) at every table and seating; a table
// of S seatings plays ceil(games / S) passes. `abbruch` stops after the games in progress; only
// complete passes count then.
void TurnierSpielen(TTurnier& t, const TTurnierOptionen& o, const std::atomic<bool>* abbruch = nullptr);

// Ties split: a seat's share of a win is 1/k when k seats share the top points and money.
double Siegesanteil(const TTurnierSpiel& s, int sitz, int spieler);

struct TTurnierZeile {
    int32_t Teilnehmer = 0; // 0-based
    int64_t Spiele = 0;
    double Siege = 0;
    TIntervall Anteil;
    double MittelPunkte = 0, MittelAbstand = 0;
    double Elo = 0, EloFehler = 0; // 95 %, by the delta method from the interval
};

struct TTurnierWertung {
    std::vector<TTurnierZeile> Zeilen;          // best share first
    std::vector<std::vector<double>> Vergleich; // [a][b]: share of shared games a finished ahead of b
    std::vector<std::vector<int64_t>> Gemeinsam;
    int64_t Durchgaenge = 0;
    double Z = 0; // the leader's lead over the second in standard errors of the paired test
};

// Elo-like rating for `spieler`-player games: 0 at a share of 1/spieler.
double EloAusAnteil(double anteil, int spieler);

// Every figure from the game list alone, so that a merge of parts gives the report of the whole.
TTurnierWertung TurnierWerten(const TTurnier& t);

// "#2 Strategie 10", with a star when the entrant reads a parameter file.
std::string TeilnehmerName(const TTurnier& t, int teilnehmer);
std::string TurnierBericht(const TTurnier& t, const TTurnierWertung& w);
std::string TurnierJson(const TTurnier& t);
bool TurnierAusJson(std::string_view text, TTurnier& t, std::string& fehler);
// Why `dazu` cannot be merged into `ziel`, or empty.
std::string TurnierUnterschied(const TTurnier& ziel, const TTurnier& dazu);

// "turnier": plays and writes the report (standard output unless --report FILE) and the JSON.
int SimTurnier(const TTurnierOptionen& o, std::ostream& out, std::ostream& err,
               const std::atomic<bool>* abbruch);

// "merge" of tournament files: the first part decides that every part must be one.
bool IstTurnierJson(std::string_view text);
int TurnierVereinigen(const std::vector<std::string>& teile, const std::string& berichtDatei,
                      const std::string& jsonDatei, std::ostream& out, std::ostream& err);

} // namespace vm
