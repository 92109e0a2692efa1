#include "sim/serie.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"

namespace vm {

namespace {

bool ParseZahl(const std::string& s, int64_t& wert) {
    if (s.empty()) return false;
    const char* b = s.data();
    const char* e = s.data() + s.size();
    if (*b == '+') ++b;
    auto r = std::from_chars(b, e, wert);
    return r.ec == std::errc() && r.ptr == e;
}

bool ParseListe(const std::string& s, std::vector<int64_t>& werte) {
    werte.clear();
    size_t start = 0;
    while (true) {
        size_t komma = s.find(',', start);
        int64_t w;
        if (!ParseZahl(s.substr(start, komma == std::string::npos ? std::string::npos : komma - start), w))
            return false;
        werte.push_back(w);
        if (komma == std::string::npos) return true;
        start = komma + 1;
    }
}

class ZaehlendeSenke : public IFehlerSenke {
public:
    explicit ZaehlendeSenke(std::ostream& err) : err_(err) {}
    void Melde(std::string_view meldung) override { err_ << "veldmark-sim: " << meldung << '\n'; }

private:
    std::ostream& err_;
};

} // namespace

SimArgumente ParseSimArgumente(const std::vector<std::string>& args) {
    SimArgumente a;
    auto fehler = [&](const std::string& arg, const std::string& text) {
        a.fehler = arg + ": " + text;
        return a;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        const bool bekannt = name == "--players" || name == "--games" || name == "--seed" ||
                             name == "--strategies" || name == "--money" || name == "--roles" ||
                             name == "--variants" || name == "--trace";
        if (!bekannt) return fehler(name, "unbekanntes Argument");
        if (i + 1 >= args.size()) return fehler(name, "Wert fehlt");
        const std::string& wert = args[++i];
        int64_t z;
        std::vector<int64_t> liste;
        if (name == "--players") {
            if (!ParseZahl(wert, z) || z < 2 || z > 4) return fehler(name, "2, 3 oder 4 erwartet, nicht '" + wert + "'");
            a.opt.spieler = static_cast<int32_t>(z);
        } else if (name == "--games") {
            if (!ParseZahl(wert, z) || z < 1) return fehler(name, "Anzahl ab 1 erwartet, nicht '" + wert + "'");
            a.opt.spiele = z;
        } else if (name == "--seed") {
            if (!ParseZahl(wert, z) || z < INT32_MIN || z > int64_t{UINT32_MAX})
                return fehler(name, "32-Bit-Zahl erwartet, nicht '" + wert + "'");
            a.opt.seed = static_cast<uint32_t>(z);
            a.opt.seedGesetzt = true;
        } else if (name == "--trace") {
            if (wert.empty()) return fehler(name, "Dateiname fehlt");
            a.opt.traceDatei = wert;
        } else {
            if (!ParseListe(wert, liste) || liste.size() > (name == "--variants" ? 3u : 4u))
                return fehler(name, "durch Kommas getrennte Zahlen erwartet, nicht '" + wert + "'");
            std::vector<int32_t>* ziel = nullptr;
            for (int64_t w : liste) {
                if (name == "--variants" && w != 0 && w != 1) return fehler(name, "nur 0 oder 1 erlaubt");
                if (name == "--money" && (w < 0 || w > 1000000)) return fehler(name, "Startgeld 0 bis 1000000");
                if (name == "--roles" && (w < 0 || w > 4)) return fehler(name, "Startrolle 0 bis 4");
                if (name == "--strategies" && (w < 0 || w > 99)) return fehler(name, "Strategie 0 bis 99");
            }
            if (name == "--variants") {
                for (size_t k = 0; k < liste.size(); ++k) a.opt.varianten[k] = static_cast<uint8_t>(liste[k]);
                continue;
            }
            ziel = name == "--strategies" ? &a.opt.strategien : name == "--money" ? &a.opt.geld : &a.opt.rollen;
            ziel->assign(liste.begin(), liste.end());
        }
    }
    a.ok = true;
    return a;
}

std::string SimVorbereiten(Spielsitzung& g, const SimOptionen& opt) {
    InitStrategieparameter(g.Einstellungen);
    TStrategieEinstellung& e = g.Einstellungen.Fuer(opt.spieler);
    for (size_t i = 0; i < opt.strategien.size(); ++i) e.Strategie[static_cast<int>(i) + 1] = opt.strategien[i];
    for (size_t i = 0; i < opt.geld.size(); ++i) e.StartGeld[static_cast<int>(i) + 1] = opt.geld[i];
    for (size_t i = 0; i < opt.rollen.size(); ++i) e.StartRolle[static_cast<int>(i) + 1] = opt.rollen[i];
    e.Sim = 1;
    for (int s = 1; s <= opt.spieler; ++s) {
        if (!StrategieVerfuegbar(e.Strategie[s]))
            return "--strategies: Strategie " + std::to_string(e.Strategie[s]) + " (Spieler " + std::to_string(s) +
                   ") kann der Computer noch nicht spielen; verfügbar ist nur 1";
    }
    if (!StartrollenGueltig(opt.spieler, e.StartRolle))
        return opt.spieler == 3 ? "--roles: jede Rolle höchstens einmal, das vierte Feld nennt einen Spieler 0 bis 3"
                                : "--roles: jede Rolle höchstens einmal";
    g.Menue.SpielerAnzahl = opt.spieler;
    g.Menue.AdelsbonusErweitert = opt.varianten[0] != 0;
    g.Menue.VerdeckteHandkarten = opt.varianten[1] != 0;
    g.Menue.KeineHofmeisterinRunde1 = opt.varianten[2] != 0;
    g.Zufall.RandSeed =
        opt.seedGesetzt ? opt.seed
                        : static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    g.SimulationLaeuft = true;
    return {};
}

void SimSpiel(Spielsitzung& g) {
    g.S.Computer[1] = 1;
    SpielAufbau(g);
    g.S.Computer[1] = 1;
    while (!g.S.Spielende) CompiZug(g);
    BerechnePlatz(g);
}

int SimLaufen(const SimOptionen& opt, std::ostream& out, std::ostream& err) {
    TKatalog katalog;
    Spielsitzung g(katalog);
    ZaehlendeSenke senke(err);
    g.SetzeFehlerSenke(&senke);
    std::string fehler = SimVorbereiten(g, opt);
    if (!fehler.empty()) {
        err << "veldmark-sim: " << fehler << '\n';
        return 2;
    }
    std::FILE* trace = nullptr;
    if (!opt.traceDatei.empty()) {
        trace = std::fopen(opt.traceDatei.c_str(), "wb");
        if (!trace) {
            err << "veldmark-sim: --trace: Datei '" << opt.traceDatei << "' kann nicht geschrieben werden\n";
            return 2;
        }
        g.Log.Behalten = false;
        g.Log.Weiterleitung = [trace](std::string_view z) {
            std::fwrite(z.data(), 1, z.size(), trace);
            std::fputc('\n', trace);
        };
        g.Log.TraceAn = true;
    }
    for (int64_t i = 1; i <= opt.spiele; ++i) {
        SimSpiel(g);
        if (trace) continue;
        out << "Spiel " << i << ": " << g.S.Runde << " Runden";
        for (int s = 1; s <= g.S.SpielerAnzahl; ++s)
            out << " | Spieler " << s << ": " << g.S.Spieler[s].Siegpunkte << " SP, " << g.S.Spieler[s].Geld
                << " Geld, Platz " << g.Platz[s];
        out << '\n';
    }
    if (trace && std::fclose(trace) != 0) {
        err << "veldmark-sim: --trace: Datei '" << opt.traceDatei << "' unvollständig geschrieben\n";
        return 1;
    }
    if (g.AnzahlFehler > 0) {
        err << "veldmark-sim: " << g.AnzahlFehler << " interne Fehler\n";
        return 1;
    }
    return 0;
}

} // namespace vm
