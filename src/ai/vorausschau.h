// Strategy 16: determinized Monte-Carlo search over the seat's legal actions. Every imagined game
// re-deals what the seat cannot see, applies one action and plays to the end with rule-based
// strategies. The search draws only from its own generator, never from the game's.
#pragma once

#include <array>
#include <cstdint>

#include "model/sitzung.h"

namespace vm {

// Built-in values where the settings hold 0.
constexpr int32_t VorausschauBudgetVorgabe = 2000; // imagined games per move
constexpr int32_t VorausschauErkundungVorgabe = 50; // % of the actions kept per halving round

struct TVorausschauParameter {
    int32_t Budget = VorausschauBudgetVorgabe;
    int32_t Rollout = 0; // strategy of every seat in the imagined games
    int32_t Erkundung = VorausschauErkundungVorgabe;
};
// The rollout strategy where the settings hold 0: the strongest of the player count's defaults
// (12 for two players, 10 for three and four).
constexpr int32_t VorausschauRolloutVorgabe(int spielerAnzahl) {
    return spielerAnzahl <= 2 ? 12 : 10;
}
// Strategy 16's parameters from the running settings, 0 read as the built-in value.
TVorausschauParameter VorausschauParameter(const TSpielsitzung& g);

struct TVorausschauAktion {
    enum Art : uint8_t { Passe, Kauf, Ausbau, InHand, HandLegen, HandAusbau, Siegpunkte, Sternwarte };
    Art art = Passe;
    int8_t reihe = 0, platz = 0; // display place (Kauf, Ausbau, InHand)
    int8_t hand = 0;             // hand place (HandLegen, HandAusbau)
    int8_t liste = 0, index = 0; // table card an upgrade replaces; Sternwarte: liste is the stack
    int16_t punkte = 0;          // victory points bought at the pub
    friend bool operator==(const TVorausschauAktion&, const TVorausschauAktion&) = default;
};

class TVorausschau {
public:
    explicit TVorausschau(const TKatalog& katalog);
    TVorausschau(const TVorausschau&) = delete;
    TVorausschau& operator=(const TVorausschau&) = delete;

    // The action the seat on turn should take; reads the game and changes none of it.
    TVorausschauAktion Entscheide(const TSpielsitzung& g, const TVorausschauParameter& p);
    // Applies an action of the seat on turn through the rules (without passing the turn on).
    static void Anwenden(TSpielsitzung& g, const TVorausschauAktion& a);
    // Imagined games played by the last decision.
    int64_t Spiele() const { return spiele_; }

    static constexpr int MaxAktionen = 96;

private:
    // Legal actions of seat `sp` in the scratch session's position.
    int Aufzaehlen(int sp);
    void Umverteilen(const TSpielstand& vorlage, int sp);
    double Spielen(const TSpielstand& vorlage, const TStrategieeinstellungen& einst, int sp,
                   const TVorausschauAktion& a, uint64_t saat);
    uint64_t Naechste();

    TSpielsitzung s_; // scratch, reused for every imagined game
    uint64_t zustand_ = 0;
    int64_t spiele_ = 0;
    std::array<TVorausschauAktion, MaxAktionen> aktionen_{};
    std::array<double, MaxAktionen> summe_{};
    std::array<int32_t, MaxAktionen> anzahl_{};
    std::array<int, MaxAktionen> lebend_{};
};

// One move of strategy 16 for the seat on turn, pub decisions included.
void VorausschauZug(TSpielsitzung& g);

} // namespace vm
