// The charts of a series as plain data: what they show, built from the statistics and the games'
// results; the window draws them and writes them as pictures.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "persist/texte.h"
#include "sim/json.h"
#include "sim/schaetzung.h"
#include "sim/statistik.h"

namespace vm {

enum class TDiagrammArt {
    IntervallBalken, // bars, each with the interval of its series drawn over it
    Balken,          // bars, one group per category, one bar per series
    Linie,           // one line per series through the categories
};

struct TDiagrammReihe {
    std::string Name;
    std::vector<double> Werte; // one per category
    // Empty, or one per category: the interval around each value.
    std::vector<double> Unten, Oben;
    friend bool operator==(const TDiagrammReihe&, const TDiagrammReihe&) = default;
};

struct TDiagramm {
    std::string Stamm; // file name without extension
    std::string Titel, AchseX, AchseY;
    std::string Kurztitel; // for a tab or a list beside other charts
    TDiagrammArt Art = TDiagrammArt::Balken;
    std::vector<std::string> Kategorien;
    std::vector<TDiagrammReihe> Reihen;
    friend bool operator==(const TDiagramm&, const TDiagramm&) = default;
};

// Wins of one category of a win-share chart: a seat of a series, or an entrant of a tournament.
struct TSiegeZaehlung {
    std::string Name;
    double Siege = 0; // ties split
    int64_t Spiele = 0;
};

// The share of wins per category in percent, each with its 95 % Wilson interval.
TDiagramm SiegquotenDiagramm(const std::vector<TSiegeZaehlung>& zaehlungen, const TTexte& texte);

// How many games ended with how many victory points, per seat: the games' results, which the
// statistics record keeps only as min/sum/max.
struct TPunkteVerteilung {
    explicit TPunkteVerteilung(int32_t spielerAnzahl = 0) : SpielerAnzahl(spielerAnzahl) {}
    int32_t SpielerAnzahl;
    std::array<std::map<int32_t, int64_t>, 4> Anzahl; // [seat 0..3][victory points]
    void Spiel(const TSpielErgebnis& e);
};

// The four charts of a series: win share per seat, victory points distribution per seat, games
// by number of rounds, mean final victory points by number of rounds per seat.
std::vector<TDiagramm> SerienDiagramme(const TSimStatistik& st, const TPunkteVerteilung& punkte,
                                       const TTexte& texte);

struct TTurnier;
// The charts of a tournament: win share and mean victory points per entrant, games by rounds.
std::vector<TDiagramm> TurnierDiagramme(const TTurnier& t, const TTexte& texte);

// The same charts from a file the simulator's --json wrote (a series, a tournament or a merge). False with a
// one-line reason when the file is malformed or its counters do not match its game list.
bool DiagrammeAusJson(std::string_view text, const TTexte& texte, std::vector<TDiagramm>& diagramme,
                      std::string& fehler);

} // namespace vm
