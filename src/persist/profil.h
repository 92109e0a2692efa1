// The profile Veldmark.ini: settings, statistics, highscores and the strategy sections.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/sitzung.h"
#include "persist/historie.h"
#include "persist/ini.h"
#include "persist/spieldatei.h"
#include "persist/sprache.h"

namespace vm {

constexpr int ExitNichtErzeugbar = 102;
constexpr int ExitSchreibgeschuetzt = 103;

// The keys of the general sections (strength, player count and variants live in the
// session's menu choices while the program runs).
struct TProfilWerte {
    int32_t ScaleBy = 100;
    bool Grayscale = false;
    bool Color256 = false;
    bool FrageVerwerfen = true; // ask before a game with unsaved moves is thrown away
    bool SaveIni = true;
    bool LadeStrategieParam = false;
    int32_t G_AnzSpiele = 0;
    int32_t G_AnzGewonnen = 0;
    int32_t G_MaxPunkte2 = 0;
    int32_t G_MaxPunkte3 = 0;
    int32_t G_MaxPunkte4 = 0;
    int32_t Spielstaerke = 41;
    int32_t SpielerAnzahl = 4;
    std::string wwwRGL;
    std::string wwwPUB;
    std::string wwwFAN;
    int32_t Color1 = -2147483633; // the system's button face
    int32_t Color2 = 12632256;    // silver
    int32_t FormLeft = 0;
    int32_t FormTop = 0;
    int32_t Tempo = 200; // ms from one computer move to the next, TempoMin..TempoMax
    std::string SaveDir;
    bool Variante1 = false;
    bool Variante2 = false;
    bool Variante3 = false;
    bool PrivateTest1 = false;
    TPuzzleSchalter Puzzle;
};

// The outcome of the start-up: exit code 0, or the message box and the code to end with.
struct TStartErgebnis {
    int ExitCode = 0;
    TMeldung Meldung;
    std::vector<std::string> StartupZeilen; // for the trace window's start-up information
};

// The pace of the computer seats: the game loop's tick is the fastest step.
constexpr int32_t TempoMin = 200;
constexpr int32_t TempoMax = 2000;

class TProfil {
public:
    explicit TProfil(const TTexte* texte = nullptr);

    TProfilWerte W;
    // The language file, when the program folder holds one.
    TSprache Sprache;

    // Start-up: profile folder (empty: the program folder), checks, every key read and written
    // back, language file, strategy parameters, strength and player count into the session.
    // `katalog` is the working copy the language file renames; `texte` is translated along.
    TStartErgebnis Starten(TSpielsitzung& g, THistorie& h, TKatalog& katalog, TTexte* texte,
                           const std::string& profilOrdner, const std::string& programmOrdner);

    // Every write ends with the file on disk; false when that failed (the old file is kept).
    bool ProfilSichern(const TSpielsitzung& g);
    bool HighscoreSichern();
    bool StrategieSichern(const TStrategieeinstellungen& e);
    bool StrategieLesen(TStrategieeinstellungen& e);

    // The options menu.
    bool ProfileSichernUmschalten();
    bool StrategieparameterSichern(const TSpielsitzung& g) { return StrategieSichern(g.Einstellungen); }
    bool StrategieparameterEinlesen(TSpielsitzung& g);
    void StrategieparameterInitialisieren(TSpielsitzung& g);
    bool StrategieBeiStartupUmschalten();

    // At program end: the profile is written when "SaveIni" is set.
    bool ProgrammEnde(const TSpielsitzung& g);

    const std::string& Pfad() const { return pfad_; }
    const TIniDatei& Ini() const { return ini_; }

private:
    void ProfilInit(const std::string& programmOrdner, std::vector<std::string>& zeilen);
    bool Flush();

    TIniDatei ini_;
    std::string pfad_;
    const TTexte* texte_;
    TTexte eigeneTexte_;
};

// Section name of a player count: "Strategie_2_Spieler" ...
std::string StrategieSektion(int spielerAnzahl);

// Reads the three strategy sections of `ini` over `e`; a missing, malformed or out-of-range
// value keeps the record's value. With `zurueck` every value used is written there.
void LiesStrategieSektionen(const TIniDatei& ini, TStrategieeinstellungen& e, TIniDatei* zurueck);
void SchreibeStrategieSektionen(TIniDatei& ini, const TStrategieeinstellungen& e);

// The lines of a parameter file that set the keys of each player count's section.
class TParameterZeilen {
public:
    // 0 when the file left the key at its default.
    int32_t Zeile(int spielerAnzahl, std::string_view schluessel) const;
    void Setzen(int spielerAnzahl, std::string_view schluessel, int32_t zeile);

private:
    std::map<std::pair<int, std::string>, int32_t> zeilen_;
};

// A strategy parameter file over the built-in defaults. Unlike the profile it is read strictly:
// it needs one of the strategy sections, and a foreign line, an unknown or repeated key or a value
// out of range in such a section refuses the whole file. False with the reason, which names the
// file and the line; other sections are left alone, so a profile serves as a parameter file.
bool LeseStrategieparameterDatei(const std::string& pfad, TStrategieeinstellungen& e,
                                 std::string* fehler = nullptr, TParameterZeilen* zeilen = nullptr);

} // namespace vm
