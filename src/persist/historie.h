// The history of game states with undo and redo. The record is the content of a game file,
// so its layout is a file format: every offset is checked below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/sitzung.h"
#include "persist/texte.h"

namespace vm {

constexpr int HistorieEintraege = 150;
constexpr int32_t HistorieMagic = 171819;
constexpr int32_t HistorieFormat = 2;
constexpr std::string_view HistorieKennung = "Veldmark Spielstand!";
// The program's version text (status bar, game file header).
constexpr std::string_view ProgrammVersion = "Vers. 1.50 / 27.12.04";

// Bits of the history header's counting word.
constexpr int32_t ZaehlungGezaehlt = 1; // the game has ended once: a later end does not count
constexpr int32_t ZaehlungComputer = 2; // the computer moved for seat 1

struct TSpielHistorie {
    uint8_t Kennung[21]; // length byte, then up to 20 characters
    uint8_t Version[24]; // length byte, then up to 23 characters
    uint8_t _pad1[3];
    int32_t Magic;
    int32_t FormatVersion;
    int32_t AktuellerEintrag; // shown now; 0 when empty
    int32_t AnzahlEintraege;
    TStrategieeinstellungen Einstellungen;
    uint8_t Aufgabe; // a puzzle position
    uint8_t _pad2[3];
    int32_t AufgabeRandSeed;
    uint8_t AufgabeUndoErlaubt;
    uint8_t _pad3[3];
    uint8_t Zeitstempel[8]; // a double at an offset that is not 8-aligned; use Zeit()
    // Once reserved and always 0: now how the game counts for the statistics (ZaehlungGezaehlt,
    // ZaehlungComputer), so that a saved game keeps it. Files with 0 count as before.
    int32_t Zaehlung;
    Arr1<TSpielstand, HistorieEintraege> Eintrag;

    double Zeit() const;
    void SetzeZeit(double t);
    std::string_view KennungText() const;
    std::string_view VersionText() const;
    void SetzeKennung(std::string_view s);
    void SetzeVersion(std::string_view s);
};

static_assert(std::is_standard_layout_v<TSpielHistorie> && std::is_trivially_copyable_v<TSpielHistorie>);
static_assert(sizeof(TSpielHistorie) == 814912);
static_assert(offsetof(TSpielHistorie, Version) == 21 && offsetof(TSpielHistorie, Magic) == 48 &&
              offsetof(TSpielHistorie, FormatVersion) == 52 &&
              offsetof(TSpielHistorie, AktuellerEintrag) == 56 &&
              offsetof(TSpielHistorie, AnzahlEintraege) == 60 &&
              offsetof(TSpielHistorie, Einstellungen) == 64 && offsetof(TSpielHistorie, Aufgabe) == 3088 &&
              offsetof(TSpielHistorie, AufgabeRandSeed) == 3092 &&
              offsetof(TSpielHistorie, AufgabeUndoErlaubt) == 3096 &&
              offsetof(TSpielHistorie, Zeitstempel) == 3100 && offsetof(TSpielHistorie, Zaehlung) == 3108 &&
              offsetof(TSpielHistorie, Eintrag) == 3112);

// The three puzzle keys of the profile; none set is the ordinary mode.
struct TPuzzleSchalter {
    bool SetPuzzle1 = false;
    bool SetPuzzle2 = false;
    bool SetPuzzle3 = false;
    bool Keiner() const { return !SetPuzzle1 && !SetPuzzle2 && !SetPuzzle3; }
};

// The commands a loaded puzzle locks (true = disabled). The window applies them.
struct TSperre {
    bool NeuesSpiel = false;    // NeuesSpiel, NeuesSpielKnopf
    bool Laden = false;         // SpielLaden, SpielLadenKnopf
    bool Spielzug = false;      // SpielzugMenue, RueckgaengigKnopf, WiederherstellenKnopf
    bool Speichern = false;     // SpielSpeichern, SpielSpeichernKnopf
    bool SpielerAnzahl = false; // SpielerMenue
    bool Spielstaerke = false;  // SpielstaerkeMenue
    bool Trace = false;         // Trace, TraceKnopf
    bool ErwEinstellungen = false;
    bool Korrektur = false;  // KorrekturmodusKnopf
    bool Strategien = false; // StrategienKnopf
    bool Varianten = false;  // VariantenMenue

    bool Aktiv() const { return NeuesSpiel; }
    friend bool operator==(const TSperre&, const TSperre&) = default;
};

// What the window shows of the history: undo/redo controls and status bar panels 2 and 6.
struct THistorieAnzeige {
    bool Rueckgaengig = false;     // RueckgaengigKnopf, Rueckgaengig
    bool Wiederherstellen = false; // WiederherstellenKnopf, Wiederherstellen
    std::string Status;            // panel 2
    std::string Korrigiert;        // panel 6: "X" or empty
};

class THistorie {
public:
    explicit THistorie(const TTexte* texte = nullptr);

    TSpielHistorie& H() { return *h_; }
    const TSpielHistorie& H() const { return *h_; }

    // 1 while a history operation runs; the four user operations do nothing then.
    bool HistorieAktiv = false;
    // The profile's puzzle keys (saving marks files by them, loading locks by them).
    TPuzzleSchalter Puzzle;
    // The commands locked since a puzzle was loaded; only a restart clears them.
    TSperre Sperre;
    // The clock of the time stamps; replaceable for tests.
    std::function<double()> Jetzt;
    // The person's move count (TSpielsitzung::MenschZuege) when the game on the board was last
    // started, loaded or saved: a later move is what losing the game would throw away.
    uint64_t GesichertBei = 0;

    void InitHistorie(TSpielsitzung& g);
    void SichereSpielstand(TSpielsitzung& g);
    // The user operations; false when their conditions do not hold (nothing changed).
    bool Rueckgaengig(TSpielsitzung& g);
    bool Wiederherstellen(TSpielsitzung& g);
    bool GanzZurueck(TSpielsitzung& g);
    bool GanzVor(TSpielsitzung& g);

    // Copies entry i over the live game state and redraws the board.
    void StelleWiederHer(TSpielsitzung& g, int32_t i);
    void SteuerungAuffrischen(const TSpielsitzung& g);
    void StatusAuffrischen(const TSpielsitzung& g);

    const THistorieAnzeige& Anzeige() const { return anzeige_; }
    // A puzzle loaded without puzzle keys: its result does not count for the statistics.
    bool GesperrtesPuzzle() const { return Sperre.Aktiv(); }
    // The end of the game gives saving back to a locked puzzle.
    void SpielendeErreicht() { Sperre.Speichern = false; }
    void SetzeTexte(const TTexte* texte) { texte_ = texte ? texte : &eigeneTexte_; }
    const TTexte& Texte() const { return *texte_; }

private:
    bool Bedienbar(const TSpielsitzung& g) const;
    void Springe(TSpielsitzung& g, int32_t ziel, const char* richtung);

    std::unique_ptr<TSpielHistorie> h_;
    THistorieAnzeige anzeige_;
    TTexte eigeneTexte_;
    const TTexte* texte_;
};

// The locks of a loaded puzzle.
TSperre PuzzleSperre(bool undoErlaubt);

// Redraws everything the game state shows.
void BrettNeuZeichnen(TSpielsitzung& g);

// Installs the history where the rules ask for an entry; everything else goes on to the
// window's own handler.
class THistorieAnschluss : public ISpielAblauf {
public:
    THistorieAnschluss(TSpielsitzung& g, THistorie& h, ISpielAblauf* weiter = nullptr)
        : g_(g), h_(h), weiter_(weiter ? weiter : &ohne_) {}
    void SpielstaerkeAnwenden() override { weiter_->SpielstaerkeAnwenden(); }
    void HistorieEintrag() override { h_.SichereSpielstand(g_); }
    void SpielendeAnzeigen() override { weiter_->SpielendeAnzeigen(); }
    void NachWertung(int phase) override { weiter_->NachWertung(phase); }

private:
    TSpielsitzung& g_;
    THistorie& h_;
    ISpielAblauf ohne_;
    ISpielAblauf* weiter_;
};

// A new game with its history: set-up, empty history, and the first entry when seat 1 begins.
// The new game has not counted yet and holds no move to lose.
void NeuesSpielMitHistorie(TSpielsitzung& g, THistorie& h);

} // namespace vm
