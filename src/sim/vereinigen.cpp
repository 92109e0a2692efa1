#include "sim/vereinigen.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

#include "ai/spielstaerke.h"
#include "model/katalog.h"
#include "sim/json.h"
#include "sim/statistik.h"

namespace vm {

namespace {

constexpr const char* Vorsatz = "veldmark-sim merge: ";

bool LiesGanz(const std::string& pfad, std::string& text) {
    std::ifstream in(pfad, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return false;
    text = s.str();
    return true;
}

std::string VariantenText(const uint8_t (&v)[3]) {
    return std::to_string(v[0]) + "," + std::to_string(v[1]) + "," + std::to_string(v[2]);
}

// Why part `dazu` cannot join the merge of parts whose first is `ziel`; empty when it can.
// A preset draws the settings for every game anew, so runs under the same preset are merged
// whatever settings their first games drew.
std::string Unterschied(const TSimStatistik& ziel, const TJsonLauf& zielLauf, TSimStatistik& dazu,
                        const TJsonLauf& dazuLauf) {
    if (ziel.SpielerAnzahl != dazu.SpielerAnzahl) return StatistikUnterschied(ziel, dazu);
    for (int i = 0; i < 3; ++i)
        if (zielLauf.Varianten[i] != dazuLauf.Varianten[i])
            return "Varianten ist " + VariantenText(dazuLauf.Varianten) + ", nicht " +
                   VariantenText(zielLauf.Varianten);
    if (zielLauf.Spielstaerke != dazuLauf.Spielstaerke)
        return "Spielstärke ist " + std::to_string(dazuLauf.Spielstaerke) + ", nicht " +
               std::to_string(zielLauf.Spielstaerke);
    if (zielLauf.Spielstaerke != 0 && zielLauf.Spielstaerke != Expertenmodus)
        dazu.Einstellung = ziel.Einstellung;
    return StatistikUnterschied(ziel, dazu);
}

} // namespace

TVereinigenArgumente ParseVereinigenArgumente(const std::vector<std::string>& args) {
    TVereinigenArgumente a;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--report" || name == "--json") {
            if (i + 1 >= args.size()) {
                a.fehler = name + ": Wert fehlt";
                return a;
            }
            const std::string& wert = args[++i];
            if (wert.empty() || (name == "--json" && wert == "-")) {
                a.fehler = name + ": Dateiname erwartet, nicht '" + wert + "'";
                return a;
            }
            (name == "--report" ? a.berichtDatei : a.jsonDatei) = wert;
            continue;
        }
        if (name.size() > 1 && name[0] == '-') {
            a.fehler = name + ": unbekanntes Argument";
            return a;
        }
        a.teile.push_back(name);
    }
    if (a.teile.empty()) {
        a.fehler = "mindestens eine JSON-Datei eines Laufs erwartet";
        return a;
    }
    a.ok = true;
    return a;
}

int SimVereinigen(const TVereinigenArgumente& a, std::ostream& out, std::ostream& err) {
    auto gesamt = std::make_unique<TSimStatistik>();
    auto teil = std::make_unique<TSimStatistik>();
    TJsonLauf laufGesamt, lauf;
    std::string text, fehler;
    for (size_t i = 0; i < a.teile.size(); ++i) {
        const std::string& pfad = a.teile[i];
        if (!LiesGanz(pfad, text)) {
            err << Vorsatz << "Datei '" << pfad << "' kann nicht gelesen werden\n";
            return 2;
        }
        if (!StatistikAusJson(text, i == 0 ? *gesamt : *teil, i == 0 ? laufGesamt : lauf, fehler)) {
            err << Vorsatz << "'" << pfad << "': " << fehler << '\n';
            return 2;
        }
        if (i == 0) continue;
        const std::string u = Unterschied(*gesamt, laufGesamt, *teil, lauf);
        if (!u.empty()) {
            err << Vorsatz << "'" << pfad << "' passt nicht zu '" << a.teile[0] << "': " << u << '\n';
            return 2;
        }
        if (!StatistikVereinigen(*gesamt, *teil)) {
            err << Vorsatz << "mit '" << pfad
                << "' liefe ein Zähler der Statistik über; nichts geschrieben\n";
            return 1;
        }
        laufGesamt.Stroeme.insert(laufGesamt.Stroeme.end(), lauf.Stroeme.begin(), lauf.Stroeme.end());
        laufGesamt.SeedEnde = lauf.SeedEnde;
        laufGesamt.Abgebrochen = laufGesamt.Abgebrochen || lauf.Abgebrochen;
        laufGesamt.Geprueft = laufGesamt.Geprueft && lauf.Geprueft;
        laufGesamt.Verletzungen += lauf.Verletzungen;
        laufGesamt.InterneFehler += lauf.InterneFehler;
    }

    // Both files are opened before anything is written.
    const bool berichtInDatei = !a.berichtDatei.empty() && a.berichtDatei != "-";
    std::FILE* bericht = berichtInDatei ? std::fopen(a.berichtDatei.c_str(), "wb") : nullptr;
    if (berichtInDatei && !bericht) {
        err << Vorsatz << "--report: Datei '" << a.berichtDatei << "' kann nicht geschrieben werden\n";
        return 2;
    }
    std::FILE* json = a.jsonDatei.empty() ? nullptr : std::fopen(a.jsonDatei.c_str(), "wb");
    if (!a.jsonDatei.empty() && !json) {
        if (bericht) std::fclose(bericht);
        std::remove(a.berichtDatei.c_str());
        err << Vorsatz << "--json: Datei '" << a.jsonDatei << "' kann nicht geschrieben werden\n";
        return 2;
    }
    bool schreibfehler = false;
    auto schliessen = [&](std::FILE* f, const std::string& pfad, const char* option) {
        bool ok = std::ferror(f) == 0;
        ok = std::fclose(f) == 0 && ok;
        if (!ok) {
            err << Vorsatz << option << ": Datei '" << pfad << "' unvollständig geschrieben\n";
            schreibfehler = true;
        }
    };

    if (json) {
        // The game lists are copied part by part, so only one part is held at a time.
        std::string puffer;
        JsonKopf(puffer, *gesamt, laufGesamt);
        bool erstes = true;
        std::string_view spiele;
        TJsonLauf ohne;
        for (const std::string& pfad : a.teile) {
            if (!LiesGanz(pfad, text) || !StatistikAusJson(text, *teil, ohne, fehler, &spiele)) {
                err << Vorsatz << "'" << pfad << "' hat sich während des Vereinigens geändert\n";
                schreibfehler = true;
                break;
            }
            if (spiele.empty()) continue;
            puffer += erstes ? "\n    " : ",\n    ";
            puffer += spiele;
            erstes = false;
            std::fwrite(puffer.data(), 1, puffer.size(), json);
            puffer.clear();
        }
        JsonSchluss(puffer, *gesamt, laufGesamt);
        std::fwrite(puffer.data(), 1, puffer.size(), json);
        schliessen(json, a.jsonDatei, "--json");
    }

    TKatalog katalog;
    const std::string berichtText = StatistikBerichtText(*gesamt, katalog, laufGesamt.SeedEnde, '.') +
                                    StroemeBerichtText(laufGesamt.Stroeme);
    if (bericht) {
        std::fwrite(berichtText.data(), 1, berichtText.size(), bericht);
        schliessen(bericht, a.berichtDatei, "--report");
    } else {
        out << berichtText;
        out.flush();
    }
    return schreibfehler ? 1 : 0;
}

} // namespace vm
