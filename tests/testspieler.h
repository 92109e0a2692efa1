// Shared by the engine tests: the state checker with the step checks, a test player that makes
// random legal moves of every kind, hand-built positions, a game with its history, scratch folders.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "model/sitzung.h"
#include "persist/historie.h"
#include "rules/ablauf.h"

// gmock is not linked: a substring check that shows the whole text when it fails.
#define EXPECT_ENTHAELT(text, teil)                                                                          \
    do {                                                                                                     \
        const std::string text_ = (text);                                                                    \
        EXPECT_NE(text_.find(teil), std::string::npos) << "in: " << text_;                                   \
    } while (0)

namespace vm::test {

// Card numbers the tests name (the catalogue's `Inx`); a trailing _ where an ability has the name.
enum : int32_t {
    Holzfaeller = 1,
    Goldgraeber = 2,
    Schaefer = 3,
    Pelzjaeger = 4,
    Schiffbauer = 5,
    Zar = 6,
    Schenke_ = 7,
    Lagerhaus_ = 8,
    Dorf = 9,
    Markt = 10,
    Sternwarte_ = 11,
    Zollhaus = 12,
    Feuerwehr = 13,
    Krankenhaus = 14,
    Schreiber = 18,
    Verwalter = 19,
    Kontorist = 20,
    Sekretaer = 21,
    Kontrolleur = 22,
    Richter = 23,
    Hofmeisterin = 24,
    Schreinerei = 25,
    Goldschmiede = 26,
    Weberei = 27,
    Kuerschnerei = 28,
    Werft = 29,
    Hofoper = 30,
    Bank = 31,
    Lindenhof = 32,
    Bergkirche = 34,
    Kunsthalle = 38,
    Kronpalast = 39,
    Abt = 40,
    Kammerfrau = 41,
    Heroldmeister = 42,
    Baumeister = 43,
    Senator = 44,
    Patriarch = 45,
    Steuereintreiber = 46,
    Zarin = 49,
};

// Card reference of card number 1..49.
tKartenRef KarteInx(int32_t inx);

// The session's invariants (PruefeInvarianten, the checker of --check and the loader), no internal
// fault reported, points not negative and table lists sorted by number. With `vorher`, the state
// before the last action, also: a hand grew by at most one card within its limit, the discard pile
// did not shrink and no stack grew.
std::string PruefeSpielstand(const TSpielsitzung& g, const TSpielstand* vorher = nullptr);

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
    Aktion Zug(TSpielsitzung& g);

private:
    int Wuerfel(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
    std::mt19937 rng_;
};

// Sets up a game as the simulator does (every seat computer-played, simulation running).
void NeueTestpartie(TSpielsitzung& g, int spieler, uint32_t seed, bool adelsbonus = false,
                    bool verdeckt = false, bool keineHofmeisterin = false);

// Plays the game in `g` to its end with `t`, checking the state after every action. Returns the
// first violation with the action that caused it, or an empty string.
std::string SpieleBisEnde(TSpielsitzung& g, TestSpieler& t, TAktionZaehler& zaehler,
                          int64_t maxAktionen = 20000);

// Hand-built positions: empties the seat's table, hand, abilities and counters.
void LeereSpieler(TSpielsitzung& g, int spieler);
// Appends cards (by number) to the seat's table lists in the given order and adds their ability
// bits and counters, as laying them would.
void LegeAufTisch(TSpielsitzung& g, int spieler, std::initializer_list<int32_t> inx);
void LegeInHand(TSpielsitzung& g, int spieler, std::initializer_list<int32_t> inx);
// Empties both display rows.
void LeereAuslage(TSpielsitzung& g);

// A game set up from a fixed seed outside simulation, seat 1 played by the human, the trace on
// and the log emptied after the set-up. Tables, hands and the display are empty and no seat has
// money; tests edit g.S directly to build their position.
class Stellung : public ::testing::Test {
protected:
    TKatalog kat;
    TSpielsitzung g{kat};

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

// A game where seat 1 is the human who always passes; the computer seats pass too, so the
// course of the game does not depend on the strategies.
struct SpielMitHistorie {
    TKatalog kat;
    TSpielsitzung g{kat};
    THistorie h;
    THistorieAnschluss anschluss{g, h};

    explicit SpielMitHistorie(int spieler = 3, uint32_t seed = 4711) {
        h.Jetzt = [] { return 45000.5; };
        g.SetzeAblauf(&anschluss);
        InitStrategieparameter(g.Einstellungen);
        for (TStrategieEinstellung& e : g.Einstellungen.R)
            for (int s = 1; s <= 4; ++s) e.Strategie[s] = 1;
        g.Menue.SpielerAnzahl = spieler;
        g.Zufall.RandSeed = seed;
    }
    void Neu() { NeuesSpielMitHistorie(g, h); }
    // One action of the seat on turn.
    void Zug() {
        if (g.S.Spielende) return;
        if (g.S.Computer[g.S.AktuellerSpieler]) {
            CompiZug(g);
        } else {
            if (!g.S.SchenkeModus) Passen(g, g.S.AktuellerSpieler);
            NaechsterSpieler(g);
        }
    }
    // Plays until the history holds `n` entries (or the game ends).
    void BisEintraege(int32_t n) {
        while (!g.S.Spielende && h.H().AnzahlEintraege < n) Zug();
    }
};

class Ordner {
public:
    Ordner() {
        std::string muster = (std::filesystem::temp_directory_path() / "vm_persist_XXXXXX").string();
        pfad_ = ::mkdtemp(muster.data());
    }
    ~Ordner() {
        std::error_code ec;
        std::filesystem::permissions(pfad_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(pfad_, ec);
    }
    std::string operator/(const std::string& name) const { return pfad_ + "/" + name; }
    const std::string& Pfad() const { return pfad_; }
    // Names of all files in the folder.
    std::string Inhalt() const {
        std::string s;
        for (const auto& e : std::filesystem::directory_iterator(pfad_))
            s += e.path().filename().string() + ";";
        return s;
    }

private:
    std::string pfad_;
};

inline void SchreibeDatei(const std::string& pfad, const std::string& inhalt) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

inline bool UnterSanitizer() {
    return std::getenv("VELDMARK_SANITIZE") != nullptr;
}

} // namespace vm::test
