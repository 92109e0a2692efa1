// Shared helpers of the history and file tests: a game session with the history installed,
// a scratch folder, file bytes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "persist/historie.h"
#include "rules/ablauf.h"

namespace vm::test {

// A game where seat 1 is the human who always passes; the computer seats pass too, so the
// course of the game does not depend on the strategies.
struct SpielMitHistorie {
    TKatalog kat;
    Spielsitzung g{kat};
    THistorie h;
    THistorieAnschluss anschluss{g, h};

    explicit SpielMitHistorie(int spieler = 3, uint32_t seed = 4711) {
        h.Jetzt = [] { return 45000.5; };
        g.SetzeAblauf(&anschluss);
        InitStrategieparameter(g.Einstellungen);
        for (TStrategieEinstellung& e : g.Einstellungen.R)
            for (int s = 1; s <= 4; ++s) e.Strategie[s] = 1;
        g.Menue.SpielerAnzahl = spieler;
        g.Zufall.RandSeed = seed;
    }
    void Neu() { NeuesSpielMitHistorie(g, h); }
    // One action of the seat on turn.
    void Zug() {
        if (g.S.Spielende) return;
        if (g.S.Computer[g.S.AktuellerSpieler]) {
            CompiZug(g);
        } else {
            if (!g.S.SchenkeModus) Passen(g, g.S.AktuellerSpieler);
            NaechsterSpieler(g);
        }
    }
    // Plays until the history holds `n` entries (or the game ends).
    void BisEintraege(int32_t n) {
        while (!g.S.Spielende && h.H().AnzahlEintraege < n) Zug();
    }
};

class Ordner {
public:
    Ordner() {
        std::string muster = (std::filesystem::temp_directory_path() / "vm_persist_XXXXXX").string();
        pfad_ = ::mkdtemp(muster.data());
    }
    ~Ordner() {
        std::error_code ec;
        std::filesystem::permissions(pfad_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(pfad_, ec);
    }
    std::string operator/(const std::string& name) const { return pfad_ + "/" + name; }
    const std::string& Pfad() const { return pfad_; }
    // Names of all files in the folder.
    std::string Inhalt() const {
        std::string s;
        for (const auto& e : std::filesystem::directory_iterator(pfad_))
            s += e.path().filename().string() + ";";
        return s;
    }

private:
    std::string pfad_;
};

inline std::string LiesDatei(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void SchreibeDatei(const std::string& pfad, const std::string& inhalt) {
    std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
    f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

inline bool UnterSanitizer() {
    return std::getenv("VELDMARK_SANITIZE") != nullptr;
}

} // namespace vm::test
