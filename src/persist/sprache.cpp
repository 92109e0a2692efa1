#include "persist/sprache.h"

#include "model/katalog.h"

namespace vm {

bool TSprache::Laden(const std::string& pfad) {
    geladen_ = DateiExistiert(pfad) && ini_.LadenDatei(pfad);
    if (!geladen_) ini_.Leeren();
    return geladen_;
}

void TSprache::LadenText(std::string_view text) {
    ini_.LadenText(text);
    geladen_ = true;
}

std::string TSprache::Suche(std::string_view sektion, std::string_view text) const {
    if (!geladen_) return std::string(text);
    // The INI format cannot hold keys with surrounding blanks, an "=" or a line break.
    std::string_view schluessel = text;
    while (!schluessel.empty() && schluessel.front() == ' ') schluessel.remove_prefix(1);
    while (!schluessel.empty() && schluessel.back() == ' ') schluessel.remove_suffix(1);
    if (schluessel.empty() || schluessel.find_first_of("=\r\n") != std::string_view::npos ||
        schluessel.front() == ';' || schluessel.front() == '#' || schluessel.front() == '[')
        return std::string(text);
    return ini_.LiesText(sektion, schluessel, text);
}

void TSprache::KartenUebersetzen(TKatalog& katalog) const {
    if (!geladen_) return;
    for (int tabelle = 1; tabelle <= KatalogTabellen; ++tabelle) {
        for (int platz = 1; platz <= ArtenJeTabelle[tabelle]; ++platz) {
            const tKarte& k = katalog.Art(tabelle, platz);
            std::string name = Cards(k.Name);
            std::string beschreibung = Cards(k.Beschreibung);
            if (name != k.Name || beschreibung != k.Beschreibung)
                katalog.Umbenennen(tabelle, platz, std::move(name), std::move(beschreibung));
        }
    }
}

} // namespace vm
