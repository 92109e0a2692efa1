// INI files by section and key, in file order; new keys are added behind the section's last.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/dateien.h"

namespace vm {

class TIniDatei {
public:
    TIniDatei();
    ~TIniDatei();
    TIniDatei(const TIniDatei&) = delete;
    TIniDatei& operator=(const TIniDatei&) = delete;

    // Replaces the content by the file's; false (and empty) when it cannot be read.
    bool LadenDatei(const std::string& pfad);
    void LadenText(std::string_view text);
    void Leeren();

    std::optional<std::string> Lies(std::string_view sektion, std::string_view schluessel) const;
    // Malformed or missing values give the default.
    int32_t LiesInt(std::string_view sektion, std::string_view schluessel, int32_t vorgabe) const;
    bool LiesBool(std::string_view sektion, std::string_view schluessel, bool vorgabe) const;
    std::string LiesText(std::string_view sektion, std::string_view schluessel,
                         std::string_view vorgabe) const;

    void Schreibe(std::string_view sektion, std::string_view schluessel, std::string_view wert);
    void SchreibeInt(std::string_view sektion, std::string_view schluessel, int32_t wert);
    void SchreibeBool(std::string_view sektion, std::string_view schluessel, bool wert) {
        SchreibeInt(sektion, schluessel, wert ? 1 : 0);
    }

    std::string AlsText() const;
    // Writes the whole file through a temporary file beside it.
    SchreibFehler Speichern(const std::string& pfad) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

enum class TIniZeilenArt : uint8_t { Leer, Kommentar, Sektion, Eintrag, Fremd };

// One line of an INI text as the reader takes it. Name and value are without the blanks around
// them; a foreign line is none the format knows and is left out.
struct TIniZeile {
    TIniZeilenArt Art;
    int32_t Nummer; // from 1
    std::string_view Roh;
    std::string_view Name; // section name or key
    std::string_view Wert;
};

// The lines of a text after a leading UTF-8 byte-order mark; CRLF, LF and CR each end a line, so
// files from any editor read alike.
std::vector<TIniZeile> IniZeilen(std::string_view text);

// The whole file; false when it cannot be read.
bool LiesTextdatei(const std::string& pfad, std::string& inhalt);

// An integer as the INI reader takes it: decimal with sign, or hex after "$" or "0x"
// (32 bits, wrapping into the signed range); anything else is malformed.
std::optional<int32_t> IniZahl(std::string_view text);

} // namespace vm
