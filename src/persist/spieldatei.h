// Game files: the history record as one zlib stream, with puzzle marking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "persist/dateien.h"
#include "persist/historie.h"

namespace vm {

class TTexte;

// Why a write failed, in the interface's words: from where it stopped and the system's error
// number (errno right after the write).
std::string SchreibGrund(const TTexte& tx, SchreibFehler f, int fehlerNr);

// A message box the window shows: caption and text (empty caption: nothing to show), and why
// it failed in words ("Datei fehlt", "außerhalb des Bereichs: Eintrag[2].Geld").
struct TMeldung {
    TMeldung() = default;
    TMeldung(std::string titel, std::string text, std::string grund = {})
        : Titel(std::move(titel)), Text(std::move(text)), Grund(std::move(grund)) {}
    std::string Titel;
    std::string Text;
    std::string Grund;
    bool Da() const { return !Titel.empty(); }
    // The text with the reason below it, as the box shows it.
    std::string TextMitGrund(const TTexte& texte) const;
    // Which box it is: caption and text. The reason only explains it.
    friend bool operator==(const TMeldung& a, const TMeldung& b) {
        return a.Titel == b.Titel && a.Text == b.Text;
    }
};

struct TLadeErgebnis {
    bool Geladen = false;
    TMeldung Meldung;
    // Taken from the settings record of the player count chosen before the load.
    bool SimModus = false;
    int32_t AnzahlSim = 0;
};

// Saves the history to `datei` (the save dialog's OK). `saveDir` receives the file's folder.
TMeldung SpeichereSpieldatei(TSpielsitzung& g, THistorie& h, const std::string& datei, std::string& saveDir);

// Loads `datei` (the open dialog's OK). Only a regular file is opened. A refused file leaves the
// game, the history and `saveDir` exactly as they were: the record is read and checked in a
// buffer of its own and taken over only when accepted.
TLadeErgebnis LadeSpieldatei(TSpielsitzung& g, THistorie& h, const std::string& datei, std::string& saveDir);

// The compressed bytes of a record (level 1, window bits 15, memory level 8, default strategy).
bool KomprimiereHistorie(const TSpielHistorie& h, std::string& aus);

enum class EntpackFehler {
    Keiner,
    Daten,  // not a zlib stream or damaged
    ZuKurz, // fewer bytes than one record
};
// Reads the stream through `lies` (returns the bytes read, 0 at the end, -1 on a read error)
// into `ziel`; stops after one record.
EntpackFehler EntpackeHistorie(const std::function<long(char*, size_t)>& lies, TSpielHistorie& ziel);

enum class PruefFehler {
    Keiner,
    Inkompatibel, // signature, magic or format version
    Leer,         // AnzahlEintraege <= 0
    Bereich,      // a count, index or reference out of range
    Inkonsistent, // an entry no game can reach (PruefeKonsistenz)
};
// Checks a decompressed record before it may touch the game: the header, and every entry that
// undo and redo can restore. `feld` names the bad field or the first inconsistency.
PruefFehler PruefeHistorie(const TSpielHistorie& h, const TKatalog& katalog, std::string* feld = nullptr);

} // namespace vm

namespace vm {

// A readable account of a record: header, and the entry shown now with every seat.
std::string HistorieBeschreibung(const TSpielHistorie& h, const TKatalog& katalog);
// A date value (days since 30 December 1899) as "2024-06-01 14:30:00"; the number itself when
// it is no date.
std::string DatumText(double t);

} // namespace vm
