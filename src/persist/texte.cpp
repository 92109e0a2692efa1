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
        {Sektion::Menue, "Spiel&verlauf"},
        {Sektion::Menue, "&Tempo der Computerspieler"},
        {Sektion::Other, "Spielverlauf"},
        {Sektion::Other, "Runde %1"},
        {Sektion::Other, "Grüne Phase"},
        {Sektion::Other, "Blaue Phase"},
        {Sektion::Other, "Rote Phase"},
        {Sektion::Other, "Ausbauphase"},
        {Sektion::Other, "Schenkenrunde"},
        {Sektion::Other, "Spielende"},
        {Sektion::Other, "Spielstand geladen"},
        {Sektion::Other, "Spieler %1 kauft %2 für %3 Geld"},
        {Sektion::Other, "Spieler %1 kauft %2 aus der Hand für %3 Geld"},
        {Sektion::Other, "Spieler %1 kauft %2 von der Sternwarte für %3 Geld"},
        {Sektion::Other, "Spieler %1 kauft %2 für %3 Geld und ersetzt %4"},
        {Sektion::Other, "Spieler %1 kauft %2 aus der Hand für %3 Geld und ersetzt %4"},
        {Sektion::Other, "Spieler %1 kauft %2 von der Sternwarte für %3 Geld und ersetzt %4"},
        {Sektion::Other, "Spieler %1 nimmt %2 auf die Hand"},
        {Sektion::Other, "Spieler %1 nimmt %2 von der Sternwarte auf die Hand"},
        {Sektion::Other, "Spieler %1 nimmt eine Karte von der Sternwarte auf die Hand"},
        {Sektion::Other, "Spieler %1 wirft %2 von der Sternwarte ab"},
        {Sektion::Other, "Spieler %1 passt"},
        {Sektion::Other, "Spieler %1 kauft %2 Siegpunkte für %3 Geld"},
        {Sektion::Other, "Spieler %1 kauft keine Siegpunkte"},
        {Sektion::Other, "Platz %1: Spieler %2 mit %3 Siegpunkten und %4 Geld"},
        {Sektion::Other, "Passen"},
        {Sektion::Other, "Keine Siegpunkte kaufen"},
        {Sektion::Other, "Kaufe %1 aus Reihe %2"},
        {Sektion::Other, "Kaufe %1 aus Reihe %2 und ersetze %3"},
        {Sektion::Other, "Nimm %1 aus Reihe %2 auf die Hand"},
        {Sektion::Other, "Lege %1 aus der Hand"},
        {Sektion::Other, "Lege %1 aus der Hand und ersetze %2"},
        {Sektion::Other, "Kaufe %1 Siegpunkte"},
        {Sektion::Other, "Sternwarte auf Stapel %1"},
        {Sektion::Other, "Schenkenrunde: Siegpunkte kaufen"},
        {Sektion::Other, "Sternwarte: gezogene Karte kaufen, auf die Hand nehmen oder abbrechen"},
        {Sektion::Other,
         "Sternwarte: %1 auf eine markierte Karte legen oder passen (die Karte wird abgeworfen)"},
        {Sektion::Other, "Zu wenig Geld: %1 kostet %2 Geld, du hast %3"},
        {Sektion::Other, "Die Hand ist voll"},
        {Sektion::Other, "Auf dem Tisch ist kein Platz mehr"},
        {Sektion::Other, "%1 kann keine deiner Karten ersetzen"},
        {Sektion::Other, "Ausbaukarten werden auf eine markierte Karte gelegt"},
        {Sektion::Other, "%1 kaufen: %2 Geld"},
        {Sektion::Other, "%1 ersetzt %2: %3 Geld"},
        {Sektion::Other, "Doppelklick: je Siegpunkt 2 Geld, höchstens %1 Siegpunkte"},
        {Sektion::Menue, "%1 ms"},
        {Sektion::Menue, "&Diagramme…"},
        {Sektion::Menue, "Diagramme aus &Ergebnisdatei…"},
        {Sektion::Other, "Diagramme"},
        {Sektion::Other, "Als PNG speichern…"},
        {Sektion::Other, "Als SVG speichern…"},
        {Sektion::Other, "&Schließen"},
        {Sektion::Other, "PNG-Bild (*.png)"},
        {Sektion::Other, "SVG-Grafik (*.svg)"},
        {Sektion::Other, "Simulationsergebnis (*.json)"},
        {Sektion::Other, "Datei kann nicht geschrieben werden:"},
        {Sektion::Other, "Ergebnisdatei '%1' kann nicht gelesen werden: %2"},
        {Sektion::Other, "Siegquote je Spieler (95-%-Intervall nach Wilson)"},
        {Sektion::Other, "Siege in %"},
        {Sektion::Other, "Spieler"},
        {Sektion::Other, "Spieler %1"},
        {Sektion::Other, "Siegquote"},
        {Sektion::Other, "Verteilung der Siegpunkte je Spieler"},
        {Sektion::Other, "Siegpunkte am Spielende"},
        {Sektion::Other, "Spiele"},
        {Sektion::Other, "Spiele nach Rundenzahl"},
        {Sektion::Other, "Runden"},
        {Sektion::Other, "Mittlere Siegpunkte nach Rundenzahl"},
        {Sektion::Other, "Mittlere Siegpunkte am Spielende"},
        {Sektion::Other, "Siegpunkte nach Rundenzahl"},
        {Sektion::Other, "Siegquote je Teilnehmer (95-%-Intervall nach Wilson)"},
        {Sektion::Other, "Teilnehmer"},
        {Sektion::Other, "Mittlere Siegpunkte je Teilnehmer"},
        {Sektion::Menue, "&Tipp"},
        {Sektion::Other, "Tipp: den besten Zug suchen"},
        {Sektion::Other, "Tipp: Suche läuft ..."},
        {Sektion::Other, "Tipp: %1 – Gewinnchance %2 %"},
        {Sektion::Other, "Tipp: %1 – der einzige mögliche Zug"},
        {Sektion::Menue, "Stellung &analysieren ..."},
        {Sektion::Other, "Stellung analysieren"},
        {Sektion::Other, "Spieler"},
        {Sektion::Other, "Strategie"},
        {Sektion::Other, "Gewinnchance"},
        {Sektion::Other, "95 %-Intervall"},
        {Sektion::Other, "Siegpunkte im Mittel"},
        {Sektion::Other, "Aktion"},
        {Sektion::Other, "Aktionen von Spieler 1: seine Gewinnchance danach, die beste zuerst"},
        {Sektion::Other, "%1 von %2 gedachten Spielen"},
        {Sektion::Other, "Schließen"},
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

std::string TTexte::Fuelle(Text t, std::initializer_list<std::string_view> werte) const {
    const std::string& muster = (*this)[t];
    std::string s;
    s.reserve(muster.size() + 32);
    for (size_t i = 0; i < muster.size(); ++i) {
        const char c = muster[i];
        const size_t nr = i + 1 < muster.size() ? static_cast<size_t>(muster[i + 1] - '1') : werte.size();
        if (c == '%' && nr < werte.size()) {
            s += werte.begin()[nr];
            ++i;
        } else {
            s += c;
        }
    }
    return s;
}

const std::string& TTexte::DateiFehler(int n) const {
    if (n < 0 || n > 6) n = 0;
    return (*this)[static_cast<Text>(static_cast<int>(Text::FileAccessError0) + n)];
}

} // namespace vm
