#include "sim/vereinigen.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "ai/spielstaerke.h"
#include "model/katalog.h"
#include "persist/dateien.h"
#include "sim/json.h"
#include "sim/serie.h"
#include "sim/statistik.h"
#include "sim/turnier.h"

namespace vm {

namespace {

constexpr const char* Vorsatz = "veldmark-sim merge: ";

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

int SimVereinigen(const TVereinigenArgumente& a, std::ostream& out, std::ostream& err) {
    const bool berichtInDatei = !a.berichtDatei.empty() && a.berichtDatei != "-";
    std::vector<TDateiAngabe> eingaben;
    for (const std::string& pfad : a.teile) eingaben.push_back({"", pfad});
    const std::string doppelt = AusgabenPruefen(
        {{"--report", berichtInDatei ? a.berichtDatei : std::string()}, {"--json", a.jsonDatei}}, eingaben);
    if (!doppelt.empty()) {
        err << Vorsatz << doppelt << '\n';
        return 2;
    }

    // Tournaments merge by their game lists; the first part says which kind the merge is.
    std::string erstes;
    if (!a.teile.empty() && DateiLesen(a.teile[0], erstes) && IstTurnierJson(erstes))
        return TurnierVereinigen(a.teile, a.berichtDatei, a.jsonDatei, out, err);

    auto gesamt = std::make_unique<TSimStatistik>();
    auto teil = std::make_unique<TSimStatistik>();
    TJsonLauf laufGesamt, lauf;
    std::string text, fehler;
    std::string_view spiele;
    // Every stream with games so far and the part it came from. The parts have the same settings
    // (checked first), and the same seed under the same settings plays the same games, so a
    // second stream from a seed would count them twice.
    std::vector<std::pair<TStrom, size_t>> gesehen;
    for (size_t i = 0; i < a.teile.size(); ++i) {
        const std::string& pfad = a.teile[i];
        if (!DateiLesen(pfad, text)) {
            err << Vorsatz << "Datei '" << pfad << "' kann nicht gelesen werden\n";
            return 2;
        }
        TSimStatistik& st = i == 0 ? *gesamt : *teil;
        TJsonLauf& l = i == 0 ? laufGesamt : lauf;
        if (!StatistikAusJson(text, st, l, fehler, &spiele) || !SpieleStimmen(spiele, st, fehler)) {
            err << Vorsatz << "'" << pfad << "': " << fehler << '\n';
            return 2;
        }
        if (i > 0) {
            const std::string u = Unterschied(*gesamt, laufGesamt, *teil, lauf);
            if (!u.empty()) {
                err << Vorsatz << "'" << pfad << "' passt nicht zu '" << a.teile[0] << "': " << u << '\n';
                return 2;
            }
        }
        for (const TStrom& s : l.Stroeme) {
            if (s.Spiele == 0) continue;
            for (const auto& [frueher, von] : gesehen) {
                if (frueher.Seed != s.Seed) continue;
                err << Vorsatz << "'" << pfad << "': der Strom mit Seed " << s.Seed << " (" << s.Spiele
                    << " Spiele) steht schon in '" << a.teile[von] << "' (" << frueher.Spiele
                    << " Spiele); seine Spiele zählten doppelt\n";
                return 2;
            }
            gesehen.emplace_back(s, i);
        }
        if (i == 0) continue;
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

    // Both files are opened before anything is written; each takes its name only when complete.
    TAusgabeDatei bericht, json;
    struct {
        TAusgabeDatei& datei;
        const std::string& pfad;
        const char* option;
    } ausgaben[] = {{bericht, berichtInDatei ? a.berichtDatei : std::string(), "--report"},
                    {json, a.jsonDatei, "--json"}};
    for (auto& d : ausgaben) {
        if (d.pfad.empty() || d.datei.Oeffnen(d.pfad)) continue;
        err << Vorsatz << d.option << ": Datei '" << d.pfad << "' kann nicht geschrieben werden"
            << (d.datei.Schreibgeschuetzt() ? " (schreibgeschützt)" : "") << '\n';
        return 2;
    }
    bool schreibfehler = false;
    auto schliessen = [&](TAusgabeDatei& f, const std::string& pfad, const char* option) {
        if (!f.Abschliessen()) {
            err << Vorsatz << option << ": Datei '" << pfad << "' unvollständig geschrieben\n";
            schreibfehler = true;
        }
    };

    if (json.Offen()) {
        // The game lists are copied part by part, so only one part is held at a time.
        std::string puffer;
        JsonKopf(puffer, *gesamt, laufGesamt);
        bool erstes = true;
        TJsonLauf ohne;
        bool geaendert = false;
        for (const std::string& pfad : a.teile) {
            if (!DateiLesen(pfad, text) || !StatistikAusJson(text, *teil, ohne, fehler, &spiele)) {
                err << Vorsatz << "'" << pfad << "' hat sich während des Vereinigens geändert\n";
                geaendert = true;
                break;
            }
            if (spiele.empty()) continue;
            puffer += erstes ? "\n    " : ",\n    ";
            puffer += spiele;
            erstes = false;
            std::fwrite(puffer.data(), 1, puffer.size(), json.Zeiger());
            puffer.clear();
        }
        JsonSchluss(puffer, *gesamt, laufGesamt);
        std::fwrite(puffer.data(), 1, puffer.size(), json.Zeiger());
        if (geaendert) {
            // A merged file with a changed part would not match its counters: the old one stays.
            json.Verwerfen();
            schreibfehler = true;
        } else {
            schliessen(json, a.jsonDatei, "--json");
        }
    }
    TKatalog katalog;
    const std::string berichtText = StatistikBerichtText(*gesamt, katalog, laufGesamt.SeedEnde, '.') +
                                    StroemeBerichtText(laufGesamt.Stroeme);
    if (bericht.Offen()) {
        std::fwrite(berichtText.data(), 1, berichtText.size(), bericht.Zeiger());
        schliessen(bericht, a.berichtDatei, "--report");
    } else {
        out << berichtText;
    }
    if (!AusgabeAbschliessen(out)) {
        err << Vorsatz << "Standardausgabe unvollständig geschrieben\n";
        schreibfehler = true;
    }
    return schreibfehler ? 1 : 0;
}

} // namespace vm
