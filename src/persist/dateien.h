// File helpers of the history and profile files: writes that never destroy the old file.
#pragma once

#include <cstddef>
#include <string>

namespace vm {

// Where an atomic write stopped; the callers map it to their own messages.
enum class SchreibFehler {
    Keiner,
    Name,       // no usable file name (empty, or names a folder)
    Anlegen,    // the temporary file cannot be created
    Schreiben,  // writing the data failed (full disk)
    Schliessen, // flushing to disk or closing failed
    Umbenennen, // the temporary file cannot take the target's name
};

// Writes `daten` to `temp` (same folder as `ziel`), flushes it to disk and renames it over
// `ziel`. On any failure `ziel` is untouched and `temp` removed.
SchreibFehler SchreibeAtomar(const std::string& ziel, const std::string& temp, const void* daten, size_t n);

// True for an existing regular file or folder.
bool DateiExistiert(const std::string& pfad);
bool OrdnerExistiert(const std::string& pfad);
// Folder part of a path, up to and including the last separator ("" when there is none).
std::string OrdnerTeil(const std::string& pfad);
// Joins a folder and a file name with one separator.
std::string PfadVerbinden(const std::string& ordner, const std::string& name);
// The name with its extension replaced by `ext` (appended when there is none).
std::string MitEndung(const std::string& pfad, const std::string& ext);

// Now as a date value: days since 30 December 1899, fraction = local time of day.
double JetztAlsDatum();

} // namespace vm
