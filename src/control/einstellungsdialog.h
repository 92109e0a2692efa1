// The settings dialog without its widgets: pages, fields, ranges, the backup for "Abbruch" and
// the repair of clashing start roles. The window lays the fields out and shows the values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ai/einstellungen.h"
#include "model/sitzung.h"

namespace vm {

class TSprache;

struct TDialogFeld {
    std::string_view Name; // the label beside the field; "" in the grid of the first page
    FeldArt Art;
    int32_t Strategie; // Param: 4..15; 16 for strategy 16's slots of Parameter123
    int32_t Index;     // seat 1..4, or the slot of the parameter block
    int32_t Min, Max, Schritt;
    bool Versteckt; // the 19th slot of strategies 8 and 9: written as 0, never shown
};

struct TDialogSeite {
    std::string_view Titel;
    std::vector<TDialogFeld> Felder;
};

constexpr int SeiteStrategie = 0;
constexpr int SeiteBeschreibung = 1;

// The pages in tab order: "Strategie", "Beschreibung", "Param(2,3)", "Param(4)" .. "Param(16)".
const std::vector<TDialogSeite>& EinstellungsSeiten();

// The field of a record a control edits; null for the simulation flag, which is a byte.
int32_t* FeldWert(TStrategieEinstellung& e, const TDialogFeld& f);

// Roles held by more than one seat go back to 0. With three players only seats 1..3 are
// counted, and seat 4 cannot hold role 4.
void StartrollenEindeutig(TStrategieEinstellung& e, int spielerAnzahl);

class TEinstellungsDialog {
public:
    explicit TEinstellungsDialog(TStrategieeinstellungen& e) : e_(e) {}

    // Every showing: backup of the record of this player count, all controls reloaded.
    void Zeigen(int spielerAnzahl);
    int SpielerAnzahl() const { return anzahl_; }

    int32_t Wert(int seite, int feld) const {
        return werte_[static_cast<size_t>(seite)][static_cast<size_t>(feld)];
    }
    // A control cannot leave its range: values are clamped as the field takes them. A hidden
    // field cannot be edited.
    void SetzeWert(int seite, int feld, int32_t wert);

    // Writes every control back, hidden fields included, and repairs the start roles; the role
    // controls then show the repaired values.
    void Ok();
    // The record as it was when the dialog was shown.
    void Abbruch();

    TStrategieEinstellung& Datensatz() { return e_.Fuer(anzahl_); }

    // What a field shows for 0 where 0 stands for a built-in value ("Vorgabe (2000)"); else empty.
    std::string Vorgabe(int seite, int feld, const TSprache& sprache) const;
    // "Einstellungen ( 3 Spieler )"
    std::string Titel(const TSprache& sprache) const;
    // One line per strategy 1..15: "3) Der Simpel", "12) [2] Baron Münchhausen (V4)".
    static std::vector<std::string> Beschreibung(const TSprache& sprache);

private:
    void Laden();

    TStrategieeinstellungen& e_;
    int anzahl_ = 4;
    TStrategieEinstellung sicherung_{};
    std::vector<std::vector<int32_t>> werte_;
};

// After the dialog, whatever its result: the simulation mode and the series length of the
// chosen player count; seat 1 becomes a computer seat at once when simulated.
struct TSimulationsWahl {
    bool Sim = false;
    int32_t AnzahlSim = 0;
};
TSimulationsWahl NachEinstellungen(TSpielsitzung& g);

} // namespace vm
