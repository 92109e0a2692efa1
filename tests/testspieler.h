// Shared by the engine tests: a checker of the game state's invariants, a test player that
// makes random legal moves of every kind, and small helpers for hand-built positions.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "model/sitzung.h"

// gmock is not linked: a substring check that shows the whole text when it fails.
#define EXPECT_ENTHAELT(text, teil)                                                                          \
    do {                                                                                                     \
        const std::string text_ = (text);                                                                    \
        EXPECT_NE(text_.find(teil), std::string::npos) << "in: " << text_;                                   \
    } while (0)

namespace vm::test {

// Card reference of card number 1..49.
tKartenRef KarteInx(int32_t inx);

// First violated invariant of the game state as a readable line, or an empty string.
// Checked: the stacks keep their size and hold cards of their own table; every card of the
// deck (the catalogue's counts, 116 in all) is undrawn, in the
// display, on a table, in a hand or counted on the discard pile (per kind and in total); the
// display rows are packed; table lists are sorted and in the right colour; used marks only on
// observatories in the blue phase; ability bits and counters match the table; money and points
// are not negative; seats that do not take part are empty; no internal fault was reported.
// With `vorher`, the state before the last action, it also checks that a hand grew by at most
// one card and within the hand limit, and that no discarded card has come back.
std::string PruefeSpielstand(const Spielsitzung& g, const TSpielstand* vorher = nullptr);

enum class Aktion : int {
    Kauf,              // display card onto the table
    KaufErw,           // display upgrade onto a table card
    Hand,              // display card into the hand
    LegeHand,          // hand card onto the table
    LegeHandErw,       // hand upgrade onto a table card
    SternwarteKauf,    // observatory: drawn card bought
    SternwarteKaufErw, // observatory: drawn upgrade laid onto a table card
    SternwarteHand,    // observatory: drawn card into the hand
    SternwarteAbwurf,  // observatory: drawn card discarded
    SternwartePassen,  // human seat: a pass while the drawn upgrade waits for its target discards it
    Schenke,           // pub round: points bought
    SchenkeOhneKauf,   // pub round: no points bought
    Passen,
};
constexpr int AktionArten = 13;
const char* AktionName(Aktion a);
using TAktionZaehler = std::array<int64_t, AktionArten>;

// Plays the seat on turn like a computer move step: one random legal action of any kind, then
// NaechsterSpieler. The kind is chosen first (uniformly among the kinds that are possible), then
// the card, row, target or stack. Its own generator keeps the game's generator untouched. On a
// seat that is not computer-played an upgrade drawn at the observatory goes the human's way: it
// waits as SternwartenKarte with its targets offered, then is laid or discarded by passing.
class TestSpieler {
public:
    explicit TestSpieler(uint32_t seed) : rng_(seed) {}
    Aktion Zug(Spielsitzung& g);

private:
    int Wuerfel(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
    std::mt19937 rng_;
};

// Sets up a game as the simulator does (every seat computer-played, simulation running).
void NeueTestpartie(Spielsitzung& g, int spieler, uint32_t seed, bool adelsbonus = false,
                    bool verdeckt = false, bool keineHofmeisterin = false);

// Plays the game in `g` to its end with `t`, checking the state after every action. Returns the
// first violation with the action that caused it, or an empty string.
std::string SpieleBisEnde(Spielsitzung& g, TestSpieler& t, TAktionZaehler& zaehler,
                          int64_t maxAktionen = 20000);

// Hand-built positions: empties the seat's table, hand, abilities and counters.
void LeereSpieler(Spielsitzung& g, int spieler);
// Appends cards (by number) to the seat's table lists in the given order and adds their ability
// bits and counters, as laying them would.
void LegeAufTisch(Spielsitzung& g, int spieler, std::initializer_list<int32_t> inx);
void LegeInHand(Spielsitzung& g, int spieler, std::initializer_list<int32_t> inx);
// Empties both display rows.
void LeereAuslage(Spielsitzung& g);

// A game set up from a fixed seed outside simulation, seat 1 played by the human, the trace on
// and the log emptied after the set-up. Tables, hands and the display are empty and no seat has
// money; tests edit g.S directly to build their position.
class Stellung : public ::testing::Test {
protected:
    TKatalog kat;
    Spielsitzung g{kat};

    void SetUp() override { Aufbauen(4); }
    void Aufbauen(int spieler, uint32_t seed = 1);
    bool Unveraendert(const TSpielstand& vorher) const {
        return std::memcmp(&vorher, &g.S, sizeof vorher) == 0;
    }
    const std::string& LetzteZeile() const;
    // Number of log lines that contain `teil`.
    int ZeilenMit(const std::string& teil) const;
};

// A fresh empty folder below the system's temporary folder.
std::filesystem::path FrischerOrdner(const std::string& name);
std::string LiesDatei(const std::filesystem::path& p);

} // namespace vm::test
