#include "control/kommandozeile.h"

#include <cctype>

#include "persist/dateien.h"
#include "persist/ini.h"

namespace vm {

namespace {

bool IstSpieldatei(const std::string& a) {
    if (a.size() < 4 || OrdnerExistiert(a)) return false;
    std::string endung = a.substr(a.size() - 4);
    for (char& c : endung) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return endung == ".vmk";
}

} // namespace

TKommandozeile LiesKommandozeile(const std::vector<std::string>& argumente) {
    TKommandozeile k;
    bool ordner = false, datei = false;
    for (const std::string& a : argumente) {
        if (a.empty()) continue;
        if (IstSpieldatei(a)) {
            if (!datei) k.Spieldatei = a;
            datei = true;
        } else {
            if (!ordner) k.ProfilOrdner = a;
            ordner = true;
        }
    }
    return k;
}

std::optional<int32_t> ProfilSkalierung(const std::string& profilDatei) {
    TIniDatei ini;
    if (!DateiExistiert(profilDatei) || !ini.LadenDatei(profilDatei)) return std::nullopt;
    const int32_t s = ini.LiesInt("Control", "ScaleBy", 1000);
    if (s == 1000) return std::nullopt;
    return s;
}

} // namespace vm
