// Fuzz target: reading a profile, a strategy parameter file and a language file from any text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/katalog.h"
#include "persist/ini.h"
#include "persist/sprache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const std::string_view text(reinterpret_cast<const char*>(daten), groesse);
    vm::TIniDatei ini;
    ini.LadenText(text);
    (void)ini.LiesInt("Optionen", "Spielstaerke", 4);
    (void)ini.LiesText("Highscore", "G_AnzSpiele", "0");
    (void)ini.LiesInt("Strategie_4_Spieler", "Strategie_Sp1", 1);
    (void)ini.AlsText();

    vm::TSprache sprache;
    sprache.LadenText(text);
    vm::TKatalog katalog;
    sprache.KartenUebersetzen(katalog);
    (void)sprache.Menue("&Neues Spiel");
    (void)sprache.Other("Datei leer !");
    return 0;
}
