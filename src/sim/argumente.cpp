#include "sim/argumente.h"

#include <charconv>
#include <cstdint>

#include "ai/spielstaerke.h"

namespace vm {

namespace {

constexpr int32_t MaxJobs = 256;

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
} // namespace

SimArgumente ParseSimArgumente(const std::vector<std::string>& args) {
    SimArgumente a;
    auto fehler = [&](const std::string& arg, const std::string& text) {
        a.fehler = arg + ": " + text;
        return a;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--check" || name == "--quiet") {
            (name == "--check" ? a.opt.pruefen : a.opt.leise) = true;
            continue;
        }
        const bool bekannt = name == "--players" || name == "--games" || name == "--seed" ||
                             name == "--strategies" || name == "--money" || name == "--roles" ||
                             name == "--variants" || name == "--trace" || name == "--report" ||
                             name == "--extra-stats" || name == "--json" || name == "--strength" ||
                             name == "--params" || name == "--jobs";
        if (!bekannt) return fehler(name, "unbekanntes Argument");
        if (i + 1 >= args.size()) return fehler(name, "Wert fehlt");
        const std::string& wert = args[++i];
        int64_t z;
        std::vector<int64_t> liste;
        if (name == "--players") {
            if (!ParseZahl(wert, z) || z < 2 || z > 4)
                return fehler(name, "2, 3 oder 4 erwartet, nicht '" + wert + "'");
            a.opt.spieler = static_cast<int32_t>(z);
        } else if (name == "--games") {
            if (!ParseZahl(wert, z) || z < 1)
                return fehler(name, "Anzahl ab 1 erwartet, nicht '" + wert + "'");
            a.opt.spiele = z;
            a.opt.spieleGesetzt = true;
        } else if (name == "--jobs") {
            if (!ParseZahl(wert, z) || z < 1 || z > MaxJobs)
                return fehler(name,
                              "Anzahl 1 bis " + std::to_string(MaxJobs) + " erwartet, nicht '" + wert + "'");
            a.opt.jobs = static_cast<int32_t>(z);
        } else if (name == "--seed") {
            if (!ParseZahl(wert, z) || z < INT32_MIN || z > int64_t{UINT32_MAX})
                return fehler(name, "32-Bit-Zahl erwartet, nicht '" + wert + "'");
            a.opt.seed = static_cast<uint32_t>(z);
            a.opt.seedGesetzt = true;
        } else if (name == "--trace" || name == "--report") {
            if (wert.empty()) return fehler(name, "Dateiname fehlt");
            (name == "--trace" ? a.opt.traceDatei : a.opt.berichtDatei) = wert;
        } else if (name == "--extra-stats" || name == "--json" || name == "--params") {
            if (wert.empty() || wert == "-") return fehler(name, "Dateiname erwartet, nicht '" + wert + "'");
            (name == "--extra-stats" ? a.opt.extraDatei
             : name == "--json"      ? a.opt.jsonDatei
                                     : a.opt.parameterDatei) = wert;
        } else if (name == "--strength") {
            if (!ParseZahl(wert, z) || !SpielstaerkeGueltig(static_cast<int32_t>(z)) ||
                z != static_cast<int32_t>(z))
                return fehler(name,
                              "Spielstärke 1 bis 9, 11 bis 13, 21 bis 23, 31 bis 33 oder 41 bis 43 erwartet, "
                              "nicht '" +
                                  wert + "'");
            a.opt.spielstaerke = static_cast<int32_t>(z);
        } else {
            if (!ParseListe(wert, liste) || liste.size() > (name == "--variants" ? 3u : 4u))
                return fehler(name, "durch Kommas getrennte Zahlen erwartet, nicht '" + wert + "'");
            std::vector<int32_t>* ziel = nullptr;
            for (int64_t w : liste) {
                if (name == "--variants" && w != 0 && w != 1) return fehler(name, "nur 0 oder 1 erlaubt");
                if (name == "--money" && (w < 0 || w > 1000000))
                    return fehler(name, "Startgeld 0 bis 1000000");
                if (name == "--roles" && (w < 0 || w > 4)) return fehler(name, "Startrolle 0 bis 4");
                if (name == "--strategies" && (w < 0 || w > 99)) return fehler(name, "Strategie 0 bis 99");
            }
            if (name == "--variants") {
                for (size_t k = 0; k < liste.size(); ++k) a.opt.varianten[k] = static_cast<uint8_t>(liste[k]);
                continue;
            }
            ziel = name == "--strategies" ? &a.opt.strategien
                   : name == "--money"    ? &a.opt.geld
                                          : &a.opt.rollen;
            ziel->assign(liste.begin(), liste.end());
        }
    }
    a.ok = true;
    return a;
}

} // namespace vm
