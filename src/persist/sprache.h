// The language file: interface texts looked up with the text itself as key and default.
#pragma once

#include <string>
#include <string_view>

#include "persist/ini.h"

namespace vm {

class TKatalog;

class TSprache {
public:
    // False when the file does not exist or cannot be read; then every lookup gives the text back.
    bool Laden(const std::string& pfad);
    void LadenText(std::string_view text);
    bool Geladen() const { return geladen_; }

    // Menu captions, card names and descriptions, all other texts.
    std::string Menue(std::string_view text) const { return Suche("Menue", text); }
    std::string Cards(std::string_view text) const { return Suche("Cards", text); }
    std::string Other(std::string_view text) const { return Suche("Other", text); }

    // Renames every card kind in use (green 1..6, blue 1..11, red 1..7, upgrade 1..25).
    void KartenUebersetzen(TKatalog& katalog) const;

private:
    std::string Suche(std::string_view sektion, std::string_view text) const;

    TIniDatei ini_;
    bool geladen_ = false;
};

} // namespace vm
