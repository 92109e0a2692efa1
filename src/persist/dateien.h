// File helpers of the history, profile and simulator files: writes that never destroy the old file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace vm {

// Where an atomic write stopped; the callers map it to their own messages.
enum class SchreibFehler {
    Keiner,
    Name,       // no usable file name (empty, names a folder, a device or a link loop)
    Anlegen,    // the temporary file cannot be created, or the target is write-protected
    Schreiben,  // writing the data failed (full disk)
    Schliessen, // flushing to disk or closing failed
    Umbenennen, // the temporary file cannot take the target's name
};

// Writes `daten` to a temporary file, flushes it to disk and renames it over the target, so the
// target holds either its old or its whole new content. A symbolic link is followed: the file it
// leads to is replaced and the link stays; the temporary file then lies beside that file, with
// the name part of `temp`. A target whose owner may not write it is refused, as is anything
// that exists but is neither a regular file nor a link to one. A replaced file keeps its
// permissions. On any failure the target is untouched and the temporary file removed.
SchreibFehler SchreibeAtomar(const std::string& ziel, const std::string& temp, const void* daten, size_t n);

// The file a path leads to once symbolic links are followed (the path itself when it is no
// link). A relative link is taken relative to the folder of the link.
std::string LinkZiel(const std::string& pfad);

// True when both paths name the same file, however they are spelled: the same device and inode,
// or, for a file that does not exist yet, the same name in the same folder. Links are followed.
bool GleicheDatei(const std::string& a, const std::string& b);

// True for targets that are written in place rather than replaced: the process's own streams
// (/dev/stdout, /dev/fd/N, /proc/...), terminals, pipes, devices and anything else that exists
// and is no regular file.
bool DirektSchreiben(const std::string& pfad);

// An output that is written piece by piece, as a simulator report or trace. A regular target is
// written into a temporary file beside it (beside the link's target for a link) and renamed over
// it by Abschliessen, so the target never holds a half-written file; a target of DirektSchreiben
// is opened in place. Without Abschliessen the temporary file is removed and the target keeps
// what it held.
class TAusgabeDatei {
public:
    TAusgabeDatei() = default;
    TAusgabeDatei(const TAusgabeDatei&) = delete;
    TAusgabeDatei& operator=(const TAusgabeDatei&) = delete;
    ~TAusgabeDatei();

    // False when the target cannot be written; Schreibgeschuetzt() then tells whether it was
    // refused because its owner may not write it.
    bool Oeffnen(const std::string& ziel);
    std::FILE* Zeiger() const { return f_; }
    bool Offen() const { return f_ != nullptr; }
    bool Schreibgeschuetzt() const { return schreibgeschuetzt_; }
    // Flushes, closes and (for a regular target) renames; false when anything failed, and then
    // the target is untouched.
    bool Abschliessen();
    // Gives up what was written: the temporary file goes, the target keeps what it held.
    void Verwerfen();

private:
    std::FILE* f_ = nullptr;
    std::string ziel_, temp_; // temp_ empty: written in place
    bool schreibgeschuetzt_ = false;
};

// True for an existing regular file or folder.
bool DateiExistiert(const std::string& pfad);
bool OrdnerExistiert(const std::string& pfad);
// The whole file into `text`; false when it cannot be opened or read.
bool DateiLesen(const std::string& pfad, std::string& text);
// Folder part of a path, up to and including the last separator ("" when there is none).
std::string OrdnerTeil(const std::string& pfad);
// Joins a folder and a file name with one separator.
std::string PfadVerbinden(const std::string& ordner, const std::string& name);
// The name with its extension replaced by `ext` (appended when there is none).
std::string MitEndung(const std::string& pfad, const std::string& ext);

// Now as a date value: days since 30 December 1899, fraction = local time of day.
double JetztAlsDatum();

} // namespace vm
