#include "sim/json.h"

#include <charconv>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "model/sitzung.h"

namespace vm {

namespace {

constexpr const char* Format = "veldmark-sim-statistik";
constexpr int64_t Version = 1;

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

void SpielErgebnisAus(const Spielsitzung& g, TSpielErgebnis& e) {
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

struct JWert {
    enum class Typ { Null, Bool, Zahl, Text, Liste, Objekt } typ = Typ::Null;
    bool b = false;
    int64_t zahl = 0;
    std::string text;
    std::vector<JWert> liste;
    // Field names and values side by side: a pair would need JWert complete here.
    std::vector<std::string> namen;
    std::vector<JWert> werte;

    const JWert* Feld(std::string_view name) const {
        for (size_t i = 0; i < namen.size(); ++i)
            if (namen[i] == name) return &werte[i];
        return nullptr;
    }
};

// Reads the subset of JSON the writer above produces: objects, arrays, integers, booleans, null
// and strings. The game list is only checked for syntax, so long runs need no memory for it.
class JParser {
public:
    explicit JParser(std::string_view t) : t_(t) {}

    bool Dokument(JWert& w) {
        if (!Wert(&w, 0)) return false;
        Leerraum();
        return i_ == t_.size() || Fehler("Text nach dem Ende");
    }
    const std::string& Meldung() const { return fehler_; }
    // The top-level "spiele" value as written, brackets included; empty when there was none.
    std::string_view Spiele() const { return spiele_; }

private:
    bool Fehler(const char* was) {
        if (fehler_.empty()) fehler_ = std::string(was) + " an Stelle " + std::to_string(i_);
        return false;
    }
    void Leerraum() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t')) ++i_;
    }
    bool Wort(std::string_view w) {
        if (t_.substr(i_, w.size()) != w) return Fehler("unbekanntes Wort");
        i_ += w.size();
        return true;
    }
    bool Text(std::string* ziel) {
        ++i_; // opening quote
        while (i_ < t_.size() && t_[i_] != '"') {
            char c = t_[i_++];
            if (static_cast<unsigned char>(c) < 0x20) return Fehler("Steuerzeichen im Text");
            if (c == '\\') {
                if (i_ >= t_.size()) break;
                char e = t_[i_++];
                const char* von = "\"\\/bfnrt";
                const char* nach = "\"\\/\b\f\n\r\t";
                const char* p = std::strchr(von, e);
                if (!p || e == '\0') return Fehler("unbekannte Escape-Folge");
                c = nach[p - von];
            }
            if (ziel) *ziel += c;
        }
        if (i_ >= t_.size()) return Fehler("Text nicht abgeschlossen");
        ++i_;
        return true;
    }
    bool Wert(JWert* w, int tiefe) {
        if (tiefe > 64) return Fehler("zu tief verschachtelt");
        Leerraum();
        if (i_ >= t_.size()) return Fehler("Wert fehlt");
        const char c = t_[i_];
        if (c == '{') return Objekt(w, tiefe);
        if (c == '[') return Liste(w, tiefe);
        if (c == '"') {
            if (w) w->typ = JWert::Typ::Text;
            return Text(w ? &w->text : nullptr);
        }
        if (c == 't' || c == 'f') {
            if (w) {
                w->typ = JWert::Typ::Bool;
                w->b = c == 't';
            }
            return Wort(c == 't' ? "true" : "false");
        }
        if (c == 'n') return Wort("null");
        int64_t v = 0;
        auto r = std::from_chars(t_.data() + i_, t_.data() + t_.size(), v);
        if (r.ec != std::errc() || r.ptr == t_.data() + i_) return Fehler("ganze Zahl erwartet");
        i_ = static_cast<size_t>(r.ptr - t_.data());
        if (i_ < t_.size() && (t_[i_] == '.' || t_[i_] == 'e' || t_[i_] == 'E'))
            return Fehler("ganze Zahl erwartet");
        if (w) {
            w->typ = JWert::Typ::Zahl;
            w->zahl = v;
        }
        return true;
    }
    bool Liste(JWert* w, int tiefe) {
        ++i_;
        if (w) w->typ = JWert::Typ::Liste;
        Leerraum();
        if (i_ < t_.size() && t_[i_] == ']') return ++i_, true;
        while (true) {
            JWert* neu = nullptr;
            if (w) neu = &w->liste.emplace_back();
            if (!Wert(neu, tiefe + 1)) return false;
            Leerraum();
            if (i_ >= t_.size()) return Fehler("Liste nicht abgeschlossen");
            if (t_[i_] == ']') return ++i_, true;
            if (t_[i_++] != ',') return Fehler("Komma erwartet");
        }
    }
    bool Objekt(JWert* w, int tiefe) {
        ++i_;
        if (w) w->typ = JWert::Typ::Objekt;
        Leerraum();
        if (i_ < t_.size() && t_[i_] == '}') return ++i_, true;
        while (true) {
            Leerraum();
            if (i_ >= t_.size() || t_[i_] != '"') return Fehler("Feldname erwartet");
            std::string name;
            if (!Text(&name)) return false;
            Leerraum();
            if (i_ >= t_.size() || t_[i_++] != ':') return Fehler("Doppelpunkt erwartet");
            JWert* neu = nullptr;
            // The game list can be long; only its syntax matters here.
            const bool spiele = tiefe == 0 && name == "spiele";
            if (w && !spiele) {
                w->namen.push_back(std::move(name));
                neu = &w->werte.emplace_back();
            }
            if (spiele) Leerraum();
            const size_t von = i_;
            if (!Wert(neu, tiefe + 1)) return false;
            if (spiele) spiele_ = t_.substr(von, i_ - von);
            Leerraum();
            if (i_ >= t_.size()) return Fehler("Objekt nicht abgeschlossen");
            if (t_[i_] == '}') return ++i_, true;
            if (t_[i_++] != ',') return Fehler("Komma erwartet");
        }
    }

    std::string_view t_;
    size_t i_ = 0;
    std::string fehler_;
    std::string_view spiele_;
};

template <class T, size_t N> bool Lies(const JWert* w, T (&a)[N]);
template <class T, int N> bool Lies(const JWert* w, Arr1<T, N>& a);

bool Lies(const JWert* w, int32_t& z) {
    if (!w || w->typ != JWert::Typ::Zahl || w->zahl < INT32_MIN || w->zahl > INT32_MAX) return false;
    z = static_cast<int32_t>(w->zahl);
    return true;
}
bool Lies(const JWert* w, uint32_t& z) {
    if (!w || w->typ != JWert::Typ::Zahl || w->zahl < 0 || w->zahl > UINT32_MAX) return false;
    z = static_cast<uint32_t>(w->zahl);
    return true;
}
bool Lies(const JWert* w, int64_t& z) {
    if (!w || w->typ != JWert::Typ::Zahl) return false;
    z = w->zahl;
    return true;
}
bool Lies(const JWert* w, bool& b) {
    if (!w || w->typ != JWert::Typ::Bool) return false;
    b = w->b;
    return true;
}
bool Lies(const JWert* w, uint8_t& z) {
    int32_t v;
    if (!Lies(w, v) || v < 0 || v > 255) return false;
    z = static_cast<uint8_t>(v);
    return true;
}
bool Lies(const JWert* w, TMinSumMax& m) {
    return w && w->typ == JWert::Typ::Liste && w->liste.size() == 3 && Lies(&w->liste[0], m.Min) &&
           Lies(&w->liste[1], m.Sum) && Lies(&w->liste[2], m.Max);
}
template <class T, size_t N> bool Lies(const JWert* w, T (&a)[N]) {
    if (!w || w->typ != JWert::Typ::Liste || w->liste.size() != N) return false;
    for (size_t i = 0; i < N; ++i)
        if (!Lies(&w->liste[i], a[i])) return false;
    return true;
}
template <class T, int N> bool Lies(const JWert* w, Arr1<T, N>& a) {
    return Lies(w, a.a);
}

} // namespace

bool StatistikAusJson(std::string_view text, TSimStatistik& st, TJsonLauf& lauf, std::string& fehler,
                      std::string_view* spiele) {
    JWert doc;
    JParser parser(text);
    if (!parser.Dokument(doc)) {
        fehler = "kein gültiges JSON: " + parser.Meldung();
        return false;
    }
    const JWert* format = doc.Feld("format");
    int64_t version = 0;
    if (!format || format->typ != JWert::Typ::Text || format->text != Format ||
        !Lies(doc.Feld("version"), version))
        return fehler = "keine Statistik des Simulators", false;
    if (version != Version) return fehler = "unbekannte Version " + std::to_string(version), false;

    StatistikLeeren(st);
    lauf = TJsonLauf{};
    auto feld = [&](const JWert* von, const char* name, auto& ziel) {
        if (fehler.empty() && !Lies(von ? von->Feld(name) : nullptr, ziel))
            fehler = std::string("Feld \"") + name + "\" fehlt oder hat die falsche Form";
    };
    fehler.clear();
    feld(&doc, "seed", st.RandSeed);
    feld(&doc, "spielerAnzahl", st.SpielerAnzahl);
    feld(&doc, "varianten", lauf.Varianten);
    feld(&doc, "spielstaerke", lauf.Spielstaerke);
    const JWert* e = doc.Feld("einstellung");
    feld(e, "Sim", st.Einstellung.Sim);
    feld(e, "Strategie", st.Einstellung.Strategie);
    feld(e, "StartGeld", st.Einstellung.StartGeld);
    feld(e, "StartRolle", st.Einstellung.StartRolle);
    feld(e, "AnzahlSim", st.Einstellung.AnzahlSim);
    feld(e, "Parameter123", st.Einstellung.Parameter123);
    feld(e, "Parameter", st.Einstellung.Parameter);
    const JWert* s = doc.Feld("statistik");
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
    const JWert* p = doc.Feld("pruefung");
    feld(p, "aktiv", lauf.Geprueft);
    feld(p, "verletzungen", lauf.Verletzungen);
    feld(p, "interneFehler", lauf.InterneFehler);
    if (fehler.empty() && (st.SpielerAnzahl < 2 || st.SpielerAnzahl > 4))
        fehler = "Spieleranzahl " + std::to_string(st.SpielerAnzahl) + " ist nicht 2 bis 4";
    // Files of a single stream written before the streams were recorded are one stream.
    const JWert* stroeme = doc.Feld("stroeme");
    if (fehler.empty() && !stroeme) lauf.Stroeme.push_back({st.RandSeed, st.AnzahlSpiele, lauf.SeedEnde});
    if (fehler.empty() && stroeme) {
        int64_t summe = 0;
        if (stroeme->typ != JWert::Typ::Liste || stroeme->liste.empty()) fehler = "Feld \"stroeme\" ist leer";
        for (size_t i = 0; fehler.empty() && i < stroeme->liste.size(); ++i) {
            const JWert& w = stroeme->liste[i];
            TStrom t{};
            if (w.typ != JWert::Typ::Liste || w.liste.size() != 3 || !Lies(&w.liste[0], t.Seed) ||
                !Lies(&w.liste[1], t.Spiele) || !Lies(&w.liste[2], t.SeedEnde) || t.Spiele < 0) {
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
    std::string_view liste = parser.Spiele();
    if (fehler.empty() && !liste.empty() && liste.front() != '[') fehler = "Feld \"spiele\" ist keine Liste";
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

bool SpieleStimmen(std::string_view spiele, const TSimStatistik& st, std::string& fehler) {
    const int n = st.SpielerAnzahl;
    if (n < 1 || n > 4) return fehler = "Spieleranzahl " + std::to_string(n) + " ist nicht 2 bis 4", false;
    auto liste = std::make_unique<TSimStatistik>();
    StatistikLeeren(*liste);
    TSimStatistik& l = *liste;
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
        JWert w;
        JParser parser(spiele.substr(i, ende - i + 1));
        if (!parser.Dokument(w)) return fehler = spiel + parser.Meldung(), false;
        int32_t runden = 0, punkte[4] = {}, platz[4] = {};
        auto sitze = [&](const char* name, int32_t(&ziel)[4]) {
            const JWert* v = w.Feld(name);
            if (!v || v->typ != JWert::Typ::Liste || v->liste.size() != static_cast<size_t>(n)) return false;
            for (int p = 0; p < n; ++p)
                if (!Lies(&v->liste[p], ziel[p])) return false;
            return true;
        };
        if (!Lies(w.Feld("runden"), runden) || !sitze("punkte", punkte) || !sitze("platz", platz))
            return fehler = spiel + "\"runden\", \"punkte\" oder \"platz\" fehlt oder hat die falsche Form",
                   false;
        const bool rundeGezaehlt = runden >= 1 && runden <= StatistikMaxRunden;
        bool passt = l.AnzahlSpiele < INT32_MAX && Nimm(l.Runden, runden);
        int sieger = 0;
        for (int p = 1; p <= n && passt; ++p) {
            const int32_t sp = punkte[p - 1], pl = platz[p - 1];
            if (pl >= 1 && pl <= 4) ++l.Platzierungen[p][pl];
            if (pl == 1) sieger = p;
            passt =
                Nimm(l.Siegpunkte[p], sp) && (!rundeGezaehlt || Nimm(l.SiegpunkteNachRunden[runden][p], sp));
        }
        if (passt && sieger) passt = Nimm(l.SiegpunkteSieger, punkte[sieger - 1]);
        if (!passt) return fehler = spiel + "ein Zähler liefe über", false;
        ++l.AnzahlSpiele;
        if (rundeGezaehlt) ++l.SpieleMitRunden[runden];
        i = ende + 1;
        leer(i);
        if (i < spiele.size()) {
            if (spiele[i] != ',') return fehler = spiel + "Komma erwartet", false;
            ++i;
            leer(i);
            if (i >= spiele.size()) return fehler = spiel + "Spiel nach dem Komma fehlt", false;
        }
    }

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
