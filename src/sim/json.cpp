#include "sim/json.h"

#include <charconv>
#include <climits>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/sitzung.h"

namespace vm {

namespace {

constexpr const char* Format = "veldmark-sim-statistik";
constexpr int64_t Version = 1;

// Written by hand: the files keep short arrays on one line inside indented objects, which no
// dump setting of the JSON library gives, and a game record is appended without allocating.
void Zahl(std::string& out, int64_t v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// Nested arrays of both kinds call each other.
template <class T, size_t N> void Schreibe(std::string& out, const T (&a)[N]);
template <class T, int N> void Schreibe(std::string& out, const Arr1<T, N>& a);

void Schreibe(std::string& out, int32_t v) {
    Zahl(out, v);
}
void Schreibe(std::string& out, const TMinSumMax& m) {
    out += '[';
    Zahl(out, m.Min);
    out += ',';
    Zahl(out, m.Sum);
    out += ',';
    Zahl(out, m.Max);
    out += ']';
}
template <class T, size_t N> void Schreibe(std::string& out, const T (&a)[N]) {
    out += '[';
    for (size_t i = 0; i < N; ++i) {
        if (i) out += ',';
        Schreibe(out, a[i]);
    }
    out += ']';
}
template <class T, int N> void Schreibe(std::string& out, const Arr1<T, N>& a) {
    Schreibe(out, a.a);
}

template <class T> void Feld(std::string& out, const char* name, const T& wert, bool letztes = false) {
    out += "  \"";
    out += name;
    out += "\": ";
    Schreibe(out, wert);
    out += letztes ? "\n" : ",\n";
}

void Einstellung(std::string& out, const TStrategieEinstellung& e) {
    out += "{\"Sim\": ";
    Zahl(out, e.Sim);
    out += ", \"Strategie\": ";
    Schreibe(out, e.Strategie);
    out += ", \"StartGeld\": ";
    Schreibe(out, e.StartGeld);
    out += ", \"StartRolle\": ";
    Schreibe(out, e.StartRolle);
    out += ", \"AnzahlSim\": ";
    Zahl(out, e.AnzahlSim);
    out += ", \"Parameter123\": ";
    Schreibe(out, e.Parameter123);
    out += ", \"Parameter\": ";
    Schreibe(out, e.Parameter);
    out += '}';
}

} // namespace

void SpielErgebnisAus(const TSpielsitzung& g, TSpielErgebnis& e) {
    e.Runden = g.S.Runde;
    for (int p = 1; p <= 4; ++p) {
        e.Punkte[p - 1] = g.S.Spieler[p].Siegpunkte;
        e.Geld[p - 1] = g.S.Spieler[p].Geld;
        e.Platz[p - 1] = static_cast<int8_t>(g.Platz[p]);
    }
}

void JsonKopf(std::string& out, const TSimStatistik& st, const TJsonLauf& lauf) {
    out += "{\n  \"format\": \"";
    out += Format;
    out += "\",\n  \"version\": ";
    Zahl(out, Version);
    out += ",\n  \"seed\": ";
    Zahl(out, st.RandSeed);
    out += ",\n  \"spielerAnzahl\": ";
    Zahl(out, st.SpielerAnzahl);
    out += ",\n  \"varianten\": [";
    for (int i = 0; i < 3; ++i) {
        if (i) out += ',';
        Zahl(out, lauf.Varianten[i]);
    }
    out += "],\n  \"spielstaerke\": ";
    Zahl(out, lauf.Spielstaerke);
    out += ",\n  \"einstellung\": ";
    Einstellung(out, st.Einstellung);
    out += ",\n  \"spiele\": [";
}

void JsonSpiel(std::string& out, const TSpielErgebnis& e, int spielerAnzahl, bool erstes) {
    out += erstes ? "\n    " : ",\n    ";
    out += "{\"runden\": ";
    Zahl(out, e.Runden);
    const char* namen[] = {"punkte", "geld", "platz"};
    for (int f = 0; f < 3; ++f) {
        out += ", \"";
        out += namen[f];
        out += "\": [";
        for (int p = 0; p < spielerAnzahl; ++p) {
            if (p) out += ',';
            Zahl(out, f == 0 ? e.Punkte[p] : f == 1 ? e.Geld[p] : e.Platz[p]);
        }
        out += ']';
    }
    out += '}';
}

void JsonSchluss(std::string& out, const TSimStatistik& st, const TJsonLauf& lauf) {
    out += st.AnzahlSpiele > 0 ? "\n  ],\n" : "],\n";
    out += "  \"statistik\": {\n";
    Feld(out, "AnzahlSpiele", st.AnzahlSpiele);
    Feld(out, "Runden", st.Runden);
    Feld(out, "Platzierungen", st.Platzierungen);
    Feld(out, "StapelRest", st.StapelRest);
    Feld(out, "Tischkarten", st.Tischkarten);
    Feld(out, "TischkartenFarbe", st.TischkartenFarbe);
    Feld(out, "Siegpunkte", st.Siegpunkte);
    Feld(out, "SiegpunkteNachRunden", st.SiegpunkteNachRunden);
    Feld(out, "SpieleMitRunden", st.SpieleMitRunden);
    Feld(out, "SiegpunkteSieger", st.SiegpunkteSieger);
    Feld(out, "Handkarten", st.Handkarten);
    Feld(out, "Adelsarten", st.Adelsarten);
    Feld(out, "Karten", st.Karten, true);
    out += "  },\n  \"seedEnde\": ";
    Zahl(out, lauf.SeedEnde);
    out += ",\n  \"stroeme\": [";
    auto strom = [&out](const TStrom& t) {
        out += '[';
        Zahl(out, t.Seed);
        out += ',';
        Zahl(out, t.Spiele);
        out += ',';
        Zahl(out, t.SeedEnde);
        out += ']';
    };
    if (lauf.Stroeme.empty()) strom({st.RandSeed, st.AnzahlSpiele, lauf.SeedEnde});
    for (size_t i = 0; i < lauf.Stroeme.size(); ++i) {
        if (i) out += ',';
        strom(lauf.Stroeme[i]);
    }
    out += ']';
    out += ",\n  \"abgebrochen\": ";
    out += lauf.Abgebrochen ? "true" : "false";
    out += ",\n  \"pruefung\": {\"aktiv\": ";
    out += lauf.Geprueft ? "true" : "false";
    out += ", \"verletzungen\": ";
    Zahl(out, lauf.Verletzungen);
    out += ", \"interneFehler\": ";
    Zahl(out, lauf.InterneFehler);
    out += "}\n}\n";
}

namespace {

using JDok = nlohmann::ordered_json;
using JEreignis = nlohmann::ordered_json::parse_event_t;

// A character pointer for the parser that remembers the last character it handed out: the
// parser reports no offsets, and the game list is passed on as written without being kept.
class TStelle {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;
    TStelle(const char* p, const char** zuletzt) : p_(p), zuletzt_(zuletzt) {}
    reference operator*() const {
        *zuletzt_ = p_;
        return *p_;
    }
    TStelle& operator++() {
        ++p_;
        return *this;
    }
    TStelle operator++(int) {
        TStelle alt = *this;
        ++p_;
        return alt;
    }
    bool operator==(const TStelle& o) const { return p_ == o.p_; }
    bool operator!=(const TStelle& o) const { return p_ != o.p_; }

private:
    const char* p_;
    const char** zuletzt_;
};

const JDok* Feld(const JDok* w, const char* name) {
    if (!w || !w->is_object()) return nullptr;
    const auto i = w->find(name);
    return i == w->end() ? nullptr : &*i;
}

// Nested arrays of both kinds call each other.
template <class T, size_t N> bool Lies(const JDok* w, T (&a)[N]);
template <class T, int N> bool Lies(const JDok* w, Arr1<T, N>& a);

bool Lies(const JDok* w, int64_t& z) {
    if (!w || !w->is_number_integer()) return false;
    if (w->is_number_unsigned()) {
        const uint64_t u = w->get<uint64_t>();
        if (u > static_cast<uint64_t>(INT64_MAX)) return false;
        z = static_cast<int64_t>(u);
    } else {
        z = w->get<int64_t>();
    }
    return true;
}
template <class T> bool LiesGanz(const JDok* w, T& z, int64_t min, int64_t max) {
    int64_t v;
    if (!Lies(w, v) || v < min || v > max) return false;
    z = static_cast<T>(v);
    return true;
}
bool Lies(const JDok* w, int32_t& z) {
    return LiesGanz(w, z, INT32_MIN, INT32_MAX);
}
bool Lies(const JDok* w, uint32_t& z) {
    return LiesGanz(w, z, 0, UINT32_MAX);
}
bool Lies(const JDok* w, uint8_t& z) {
    return LiesGanz(w, z, 0, 255);
}
bool Lies(const JDok* w, bool& b) {
    if (!w || !w->is_boolean()) return false;
    b = w->get<bool>();
    return true;
}
bool Lies(const JDok* w, TMinSumMax& m) {
    return w && w->is_array() && w->size() == 3 && Lies(&(*w)[0], m.Min) && Lies(&(*w)[1], m.Sum) &&
           Lies(&(*w)[2], m.Max);
}
template <class T, size_t N> bool Lies(const JDok* w, T (&a)[N]) {
    if (!w || !w->is_array() || w->size() != N) return false;
    for (size_t i = 0; i < N; ++i)
        if (!Lies(&(*w)[i], a[i])) return false;
    return true;
}
template <class T, int N> bool Lies(const JDok* w, Arr1<T, N>& a) {
    return Lies(w, a.a);
}

// Parses `text` whole; the records of the top-level "spiele" list are only checked for syntax,
// so long runs need no memory for them, and `liste` receives the list as written, brackets
// included (empty when there is none). False with a one-line reason on a syntax error.
bool Parse(std::string_view text, JDok& doc, std::string_view& liste, std::string& fehler) {
    const char* zuletzt = text.data();
    const char* von = nullptr;
    bool inSpiele = false;
    liste = {};
    auto rueckruf = [&](int tiefe, JEreignis ereignis, JDok& wert) {
        if (tiefe == 1 && ereignis == JEreignis::key) {
            inSpiele = wert.is_string() && wert.get_ref<const std::string&>() == "spiele";
            return true;
        }
        if (!inSpiele) return true;
        if (tiefe == 1 && ereignis == JEreignis::array_start) von = zuletzt;
        if (tiefe == 1 && ereignis == JEreignis::array_end && von)
            liste =
                text.substr(static_cast<size_t>(von - text.data()), static_cast<size_t>(zuletzt - von) + 1);
        return tiefe < 2;
    };
    try {
        doc = JDok::parse(TStelle(text.data(), &zuletzt), TStelle(text.data() + text.size(), &zuletzt),
                          rueckruf);
    } catch (const JDok::parse_error& e) {
        // The parser counts the characters read; the offending one is the last of them.
        fehler = "Syntaxfehler an Stelle " + std::to_string(e.byte > 0 ? e.byte - 1 : 0);
        return false;
    }
    return true;
}

} // namespace

bool StatistikAusJson(std::string_view text, TSimStatistik& st, TJsonLauf& lauf, std::string& fehler,
                      std::string_view* spiele) {
    JDok doc;
    std::string_view liste;
    if (!Parse(text, doc, liste, fehler)) {
        fehler = "kein gültiges JSON: " + fehler;
        return false;
    }
    const JDok* format = Feld(&doc, "format");
    int64_t version = 0;
    if (!format || !format->is_string() || format->get_ref<const std::string&>() != Format ||
        !Lies(Feld(&doc, "version"), version))
        return fehler = "keine Statistik des Simulators", false;
    if (version != Version) return fehler = "unbekannte Version " + std::to_string(version), false;

    StatistikLeeren(st);
    lauf = TJsonLauf{};
    auto feld = [&](const JDok* von, const char* name, auto& ziel) {
        if (fehler.empty() && !Lies(Feld(von, name), ziel))
            fehler = std::string("Feld \"") + name + "\" fehlt oder hat die falsche Form";
    };
    fehler.clear();
    feld(&doc, "seed", st.RandSeed);
    feld(&doc, "spielerAnzahl", st.SpielerAnzahl);
    feld(&doc, "varianten", lauf.Varianten);
    feld(&doc, "spielstaerke", lauf.Spielstaerke);
    const JDok* e = Feld(&doc, "einstellung");
    feld(e, "Sim", st.Einstellung.Sim);
    feld(e, "Strategie", st.Einstellung.Strategie);
    feld(e, "StartGeld", st.Einstellung.StartGeld);
    feld(e, "StartRolle", st.Einstellung.StartRolle);
    feld(e, "AnzahlSim", st.Einstellung.AnzahlSim);
    feld(e, "Parameter123", st.Einstellung.Parameter123);
    feld(e, "Parameter", st.Einstellung.Parameter);
    const JDok* s = Feld(&doc, "statistik");
    feld(s, "AnzahlSpiele", st.AnzahlSpiele);
    feld(s, "Runden", st.Runden);
    feld(s, "Platzierungen", st.Platzierungen);
    feld(s, "StapelRest", st.StapelRest);
    feld(s, "Tischkarten", st.Tischkarten);
    feld(s, "TischkartenFarbe", st.TischkartenFarbe);
    feld(s, "Siegpunkte", st.Siegpunkte);
    feld(s, "SiegpunkteNachRunden", st.SiegpunkteNachRunden);
    feld(s, "SpieleMitRunden", st.SpieleMitRunden);
    feld(s, "SiegpunkteSieger", st.SiegpunkteSieger);
    feld(s, "Handkarten", st.Handkarten);
    feld(s, "Adelsarten", st.Adelsarten);
    feld(s, "Karten", st.Karten);
    feld(&doc, "seedEnde", lauf.SeedEnde);
    feld(&doc, "abgebrochen", lauf.Abgebrochen);
    const JDok* p = Feld(&doc, "pruefung");
    feld(p, "aktiv", lauf.Geprueft);
    feld(p, "verletzungen", lauf.Verletzungen);
    feld(p, "interneFehler", lauf.InterneFehler);
    if (fehler.empty() && (st.SpielerAnzahl < 2 || st.SpielerAnzahl > 4))
        fehler = "Spieleranzahl " + std::to_string(st.SpielerAnzahl) + " ist nicht 2 bis 4";
    // Files of a single stream written before the streams were recorded are one stream.
    const JDok* stroeme = Feld(&doc, "stroeme");
    if (fehler.empty() && !stroeme) lauf.Stroeme.push_back({st.RandSeed, st.AnzahlSpiele, lauf.SeedEnde});
    if (fehler.empty() && stroeme) {
        int64_t summe = 0;
        if (!stroeme->is_array() || stroeme->empty()) fehler = "Feld \"stroeme\" ist leer";
        for (size_t i = 0; fehler.empty() && i < stroeme->size(); ++i) {
            const JDok& w = (*stroeme)[i];
            TStrom t{};
            if (!w.is_array() || w.size() != 3 || !Lies(&w[0], t.Seed) || !Lies(&w[1], t.Spiele) ||
                !Lies(&w[2], t.SeedEnde) || t.Spiele < 0) {
                fehler = "Feld \"stroeme\" hat die falsche Form";
                break;
            }
            summe += t.Spiele;
            lauf.Stroeme.push_back(t);
        }
        if (fehler.empty() && summe != st.AnzahlSpiele)
            fehler = "die Ströme zählen " + std::to_string(summe) + " Spiele, die Statistik " +
                     std::to_string(st.AnzahlSpiele);
    }
    const JDok* spieleFeld = Feld(&doc, "spiele");
    if (fehler.empty() && spieleFeld && !spieleFeld->is_array()) fehler = "Feld \"spiele\" ist keine Liste";
    if (fehler.empty() && spiele) {
        if (liste.size() >= 2) liste = liste.substr(1, liste.size() - 2);
        const size_t a = liste.find_first_not_of(" \n\r\t");
        liste = a == std::string_view::npos ? std::string_view{}
                                            : liste.substr(a, liste.find_last_not_of(" \n\r\t") - a + 1);
        *spiele = liste;
    }
    return fehler.empty();
}

namespace {

bool Nimm(TMinSumMax& m, int32_t wert) {
    const int64_t summe = int64_t{m.Sum} + wert;
    if (summe < INT32_MIN || summe > INT32_MAX) return false;
    m.Sum = static_cast<int32_t>(summe);
    if (wert < m.Min) m.Min = wert;
    if (wert > m.Max) m.Max = wert;
    return true;
}

std::string AlsText(int32_t z) {
    return std::to_string(z);
}
std::string AlsText(const TMinSumMax& m) {
    return "[" + std::to_string(m.Min) + "," + std::to_string(m.Sum) + "," + std::to_string(m.Max) + "]";
}
bool Gleich(int32_t a, int32_t b) {
    return a == b;
}
bool Gleich(const TMinSumMax& a, const TMinSumMax& b) {
    return a.Min == b.Min && a.Sum == b.Sum && a.Max == b.Max;
}

} // namespace

bool SpieleLesen(std::string_view spiele, int spielerAnzahl,
                 const std::function<bool(const TSpielErgebnis&, std::string&)>& nimm, std::string& fehler) {
    const int n = spielerAnzahl;
    if (n < 1 || n > 4) return fehler = "Spieleranzahl " + std::to_string(n) + " ist nicht 2 bis 4", false;
    auto leer = [&](size_t& i) {
        while (i < spiele.size() &&
               (spiele[i] == ' ' || spiele[i] == '\n' || spiele[i] == '\r' || spiele[i] == '\t'))
            ++i;
    };
    size_t i = 0;
    leer(i);
    int64_t nummer = 0;
    while (i < spiele.size()) {
        ++nummer;
        const std::string spiel = "Liste der Spiele, Spiel " + std::to_string(nummer) + ": ";
        // A record is a flat object, so its end is the first closing brace.
        const size_t ende = spiele.find('}', i);
        if (spiele[i] != '{' || ende == std::string_view::npos) return fehler = spiel + "kein Objekt", false;
        JDok w;
        std::string_view ohneListe;
        if (!Parse(spiele.substr(i, ende - i + 1), w, ohneListe, fehler))
            return fehler = spiel + fehler, false;
        TSpielErgebnis e{};
        int32_t platz[4] = {};
        auto sitze = [&](const char* name, int32_t(&ziel)[4]) {
            const JDok* v = Feld(&w, name);
            if (!v || !v->is_array() || v->size() != static_cast<size_t>(n)) return false;
            for (int p = 0; p < n; ++p)
                if (!Lies(&(*v)[p], ziel[p])) return false;
            return true;
        };
        if (!Lies(Feld(&w, "runden"), e.Runden) || !sitze("punkte", e.Punkte) || !sitze("platz", platz))
            return fehler = spiel + "\"runden\", \"punkte\" oder \"platz\" fehlt oder hat die falsche Form",
                   false;
        for (int p = 0; p < 4; ++p)
            e.Platz[p] = static_cast<int8_t>(platz[p] >= 0 && platz[p] <= 4 ? platz[p] : -1);
        if (!nimm(e, fehler)) return fehler = spiel + fehler, false;
        i = ende + 1;
        leer(i);
        if (i < spiele.size()) {
            if (spiele[i] != ',') return fehler = spiel + "Komma erwartet", false;
            ++i;
            leer(i);
            if (i >= spiele.size()) return fehler = spiel + "Spiel nach dem Komma fehlt", false;
        }
    }
    return true;
}

bool SpieleStimmen(std::string_view spiele, const TSimStatistik& st, std::string& fehler) {
    const int n = st.SpielerAnzahl;
    auto liste = std::make_unique<TSimStatistik>();
    StatistikLeeren(*liste);
    TSimStatistik& l = *liste;
    const bool gelesen = SpieleLesen(
        spiele, n,
        [&](const TSpielErgebnis& e, std::string& grund) {
            const int32_t runden = e.Runden;
            const bool rundeGezaehlt = runden >= 1 && runden <= StatistikMaxRunden;
            bool passt = l.AnzahlSpiele < INT32_MAX && Nimm(l.Runden, runden);
            int sieger = 0;
            for (int p = 1; p <= n && passt; ++p) {
                const int32_t sp = e.Punkte[p - 1], pl = e.Platz[p - 1];
                if (pl >= 1 && pl <= 4) ++l.Platzierungen[p][pl];
                if (pl == 1) sieger = p;
                passt = Nimm(l.Siegpunkte[p], sp) &&
                        (!rundeGezaehlt || Nimm(l.SiegpunkteNachRunden[runden][p], sp));
            }
            if (passt && sieger) passt = Nimm(l.SiegpunkteSieger, e.Punkte[sieger - 1]);
            if (!passt) return grund = "ein Zähler liefe über", false;
            ++l.AnzahlSpiele;
            if (rundeGezaehlt) ++l.SpieleMitRunden[runden];
            return true;
        },
        fehler);
    if (!gelesen) return false;

    auto vergleiche = [&](const std::string& feld, const auto& teil, const auto& ausListe) {
        if (fehler.empty() && !Gleich(teil, ausListe))
            fehler = "die Zähler passen nicht zur Liste der Spiele: " + feld + " ist " + AlsText(teil) +
                     ", die Liste ergibt " + AlsText(ausListe);
    };
    fehler.clear();
    vergleiche("AnzahlSpiele", st.AnzahlSpiele, l.AnzahlSpiele);
    vergleiche("Runden", st.Runden, l.Runden);
    for (int p = 1; p <= n; ++p) {
        const std::string sp = "[" + std::to_string(p) + "]";
        for (int q = 1; q <= 4; ++q)
            vergleiche("Platzierungen" + sp + "[" + std::to_string(q) + "]", st.Platzierungen[p][q],
                       l.Platzierungen[p][q]);
        vergleiche("Siegpunkte" + sp, st.Siegpunkte[p], l.Siegpunkte[p]);
        for (int r = 1; r <= StatistikMaxRunden; ++r)
            vergleiche("SiegpunkteNachRunden[" + std::to_string(r) + "]" + sp, st.SiegpunkteNachRunden[r][p],
                       l.SiegpunkteNachRunden[r][p]);
    }
    for (int r = 1; r <= StatistikMaxRunden; ++r)
        vergleiche("SpieleMitRunden[" + std::to_string(r) + "]", st.SpieleMitRunden[r], l.SpieleMitRunden[r]);
    vergleiche("SiegpunkteSieger", st.SiegpunkteSieger, l.SiegpunkteSieger);
    return fehler.empty();
}

} // namespace vm
