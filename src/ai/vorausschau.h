// Strategy 16: determinized Monte-Carlo search over the seat's legal actions. Every imagined game
// re-deals what the seat cannot see, applies one action and plays to the end with rule-based
// strategies. The search draws only from its own generator, never from the game's.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/sitzung.h"

namespace vm {

// Built-in values where the settings hold 0.
constexpr int32_t VorausschauBudgetVorgabe = 2000; // imagined games per move
constexpr int32_t VorausschauErkundungVorgabe = 50; // % of the actions kept per halving round
// The window's hint searches harder, on every core; still a count, so it repeats on any machine.
constexpr int32_t VorausschauBudgetStark = 16000;

// Spreads a seed over all 64 bits, so that neighbouring game numbers give unrelated imagined games.
constexpr uint64_t SaatMischen(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

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

// What one imagined game ended with.
struct TAusgang {
    std::array<int32_t, 5> Siegpunkte{}; // by seat, 1..4
    std::array<int32_t, 5> Platz{};
};

// Lets another thread follow a search and stop it early.
struct TSuchsteuerung {
    std::atomic<bool> abbruch{false};
    std::atomic<int64_t> fertig{0}; // imagined games played so far
};

struct TVorausschauErgebnis {
    TVorausschauAktion aktion;
    double gewinnchance = 0; // share of the chosen action's imagined games the seat won
    int64_t spiele = 0;
    bool abgebrochen = false;
};

class TVorausschau {
public:
    // `kerne` scratch sessions; more than one plays the imagined games of a round in parallel,
    // with the same result as one.
    explicit TVorausschau(const TKatalog& katalog, int kerne = 1);
    ~TVorausschau();
    TVorausschau(const TVorausschau&) = delete;
    TVorausschau& operator=(const TVorausschau&) = delete;

    // The action the seat on turn should take; reads the game and changes none of it.
    TVorausschauAktion Entscheide(const TSpielsitzung& g, const TVorausschauParameter& p) {
        return Suche(g, p).aktion;
    }
    TVorausschauErgebnis Suche(const TSpielsitzung& g, const TVorausschauParameter& p,
                               TSuchsteuerung* steuerung = nullptr);
    // Applies an action of the seat on turn through the rules (without passing the turn on).
    static void Anwenden(TSpielsitzung& g, const TVorausschauAktion& a);
    // Imagined games played by the last decision.
    int64_t Spiele() const { return spiele_; }

    // The legal actions of the seat on turn (passing first).
    int Aufzaehlen(const TSpielsitzung& g);
    const TVorausschauAktion& Aktion(int i) const { return aktionen_[i]; }
    // One imagined game from `vorlage` as seat `sicht` sees it: what the seat cannot see is re-dealt
    // from `saat`; with an action, the seat on turn takes it and passes the turn on, then every seat
    // plays its strategy of `einst` to the end.
    void Ausspielen(const TSpielstand& vorlage, int sicht, const TStrategieeinstellungen& einst,
                    const TVorausschauAktion* a, uint64_t saat, TAusgang& aus) {
        Ausspielen(*arbeiter_[0], vorlage, sicht, einst, a, saat, aus);
    }

    static constexpr int MaxAktionen = 96;

private:
    struct TArbeiter;
    int Aufzaehlen(TSpielsitzung& g, int sp);
    static void Umverteilen(TArbeiter& w, const TSpielstand& vorlage, int sp);
    static void Ausspielen(TArbeiter& w, const TSpielstand& vorlage, int sicht,
                           const TStrategieeinstellungen& einst, const TVorausschauAktion* a, uint64_t saat,
                           TAusgang& aus);
    static double Wert(const TAusgang& aus, int sp, int spieler);

    std::vector<std::unique_ptr<TArbeiter>> arbeiter_; // scratch sessions, reused for every imagined game
    int64_t spiele_ = 0;
    std::array<TVorausschauAktion, MaxAktionen> aktionen_{};
    std::array<double, MaxAktionen> summe_{};
    std::array<int32_t, MaxAktionen> anzahl_{};
    std::array<int32_t, MaxAktionen> gewonnen_{};
    std::array<int, MaxAktionen> lebend_{};
    std::vector<double> werte_; // one round's results when several cores play it
};

// One move of strategy 16 for the seat on turn, pub decisions included.
void VorausschauZug(TSpielsitzung& g);

} // namespace vm
