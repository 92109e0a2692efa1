#include "persist/texte.h"

#include "persist/sprache.h"

namespace vm {

const std::array<TTextEintrag, TextAnzahl>& TextTabelle() {
    static constexpr std::array<TTextEintrag, TextAnzahl> tabelle{{
        {Sektion::Other, "History:"},
        {Sektion::Other, "von"},
        {Sektion::Menue, "Spiel&zug"},
        {Sektion::Menue, "&rückgängig"},
        {Sektion::Menue, "&wiederherstellen"},
        {Sektion::Menue, "ganz zurück"},
        {Sektion::Menue, "ganz nach vorn"},
        {Sektion::Menue, "Spieldatei &speichern ..."},
        {Sektion::Menue, "Spieldatei &laden ..."},
        {Sektion::Menue, "&Optionen"},
        {Sektion::Menue, "erweiterte &Einstellungen"},
        {Sektion::Menue, "&Profile sichern"},
        {Sektion::Menue, "Strategie&parameter sichern"},
        {Sektion::Menue, "Strategieparameter &einlesen"},
        {Sektion::Menue, "Strategieparameter &initialisieren"},
        {Sektion::Menue, "Strategieparameter bei Startup &laden"},
        {Sektion::Other, "rückgängig"},
        {Sektion::Other, "wiederherstellen"},
        {Sektion::Other, "Spiel speichern"},
        {Sektion::Other, "Spiel laden"},
        {Sektion::Other, "Spieldatei speichern"},
        {Sektion::Other, "Veldmark Dateien (*.vmk)"},
        {Sektion::Other, "Alle Dateien (*.*)"},
        {Sektion::Other, "Schwerer Fehler"},
        {Sektion::Other, "Datei nicht erzeugbar: "},
        {Sektion::Other, "Profiledatei schreibgeschützt (CD-ROM?)"},
        {Sektion::Other, "Datei leer !"},
        {Sektion::Other, "Datei inkompatibel !"},
        {Sektion::Other, "File access error 0"},
        {Sektion::Other, "File access error 1"},
        {Sektion::Other, "File access error 2"},
        {Sektion::Other, "File access error 3"},
        {Sektion::Other, "File access error 4"},
        {Sektion::Other, "File access error 5"},
        {Sektion::Other, "File access error 6"},
        {Sektion::Other, "Grund: "},
        {Sektion::Other, "Datei fehlt"},
        {Sektion::Other, "nicht lesbar: keine Berechtigung"},
        {Sektion::Other, "nicht lesbar"},
        {Sektion::Other, "keine gewöhnliche Datei (Ordner, Gerät oder FIFO)"},
        {Sektion::Other, "keine Spieldatei"},
        {Sektion::Other, "beschädigt"},
        {Sektion::Other, "unvollständig oder beschädigt"},
        {Sektion::Other, "aus einer inkompatiblen Version"},
        {Sektion::Other, "außerhalb des Bereichs"},
        {Sektion::Other, "nicht stimmig"},
        {Sektion::Other, "Datenträger voll"},
        {Sektion::Other, "nicht schreibbar: keine Berechtigung"},
        {Sektion::Other, "Ordner fehlt"},
        {Sektion::Other, "kein Dateiname"},
        {Sektion::Other, "Schreibfehler"},
    }};
    return tabelle;
}

TTexte::TTexte() {
    for (size_t i = 0; i < werte_.size(); ++i) werte_[i] = std::string(TextTabelle()[i].original);
}

void TTexte::Uebersetzen(const TSprache& sprache) {
    for (size_t i = 0; i < werte_.size(); ++i) {
        const TTextEintrag& e = TextTabelle()[i];
        werte_[i] = e.sektion == Sektion::Menue ? sprache.Menue(e.original) : sprache.Other(e.original);
    }
}

const std::string& TTexte::DateiFehler(int n) const {
    if (n < 0 || n > 6) n = 0;
    return (*this)[static_cast<Text>(static_cast<int>(Text::FileAccessError0) + n)];
}

} // namespace vm
