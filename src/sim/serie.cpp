#include "sim/serie.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/spielstaerke.h"
#include "persist/profil.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"
#include "sim/extrastatistik.h"
#include "sim/pruefung.h"

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

// Internal faults go to standard error with the game they happened in.
class ZaehlendeSenke : public IFehlerSenke {
public:
    ZaehlendeSenke(std::ostream& err, const SimSerie& serie) : err_(err), serie_(serie) {}
    void Melde(std::string_view meldung) override {
        err_ << "veldmark-sim: Spiel " << serie_.Statistik().AnzahlSpiele + 1 << ": " << meldung << '\n';
    }

private:
    std::ostream& err_;
    const SimSerie& serie_;
};

// A file that closes itself; Schliessen reports whether everything reached the disk.
class TDatei {
public:
    TDatei() = default;
    TDatei(const TDatei&) = delete;
    TDatei& operator=(const TDatei&) = delete;
    ~TDatei() {
        if (f_) std::fclose(f_);
    }
    bool Oeffnen(const std::string& pfad) {
        f_ = std::fopen(pfad.c_str(), "wb");
        return f_ != nullptr;
    }
    std::FILE* Zeiger() const { return f_; }
    explicit operator bool() const { return f_ != nullptr; }
    void Schreibe(std::string_view s) {
        if (f_) std::fwrite(s.data(), 1, s.size(), f_);
    }
    bool Schliessen() {
        if (!f_) return true;
        bool ok = std::ferror(f_) == 0;
        ok = std::fclose(f_) == 0 && ok;
        f_ = nullptr;
        return ok;
    }

private:
    std::FILE* f_ = nullptr;
};

constexpr size_t ErgebnisBlock = 4096;
constexpr size_t MaxGemeldeteVerletzungen = 10;

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
                             name == "--params";
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

std::string SimVorbereiten(Spielsitzung& g, const SimOptionen& opt) {
    InitStrategieparameter(g.Einstellungen);
    // The parameter file is read over the defaults; the command line overrides it.
    if (!opt.parameterDatei.empty() && !LeseStrategieparameterDatei(opt.parameterDatei, g.Einstellungen))
        return "--params: Datei '" + opt.parameterDatei + "' kann nicht gelesen werden";
    TStrategieEinstellung& e = g.Einstellungen.Fuer(opt.spieler);
    for (size_t i = 0; i < opt.strategien.size(); ++i)
        e.Strategie[static_cast<int>(i) + 1] = opt.strategien[i];
    for (size_t i = 0; i < opt.geld.size(); ++i) e.StartGeld[static_cast<int>(i) + 1] = opt.geld[i];
    for (size_t i = 0; i < opt.rollen.size(); ++i) e.StartRolle[static_cast<int>(i) + 1] = opt.rollen[i];
    e.Sim = 1;
    const bool preset = opt.spielstaerke != 0 && opt.spielstaerke != Expertenmodus;
    if (preset) {
        const std::string staerke = "--strength: Spielstärke " + std::to_string(opt.spielstaerke);
        if (!opt.strategien.empty() || !opt.geld.empty() || !opt.rollen.empty() ||
            !opt.parameterDatei.empty())
            return staerke +
                   " legt Strategien, Startgeld, Startrollen und Parameter selbst fest; nicht zusammen "
                   "mit --strategies, --money, --roles oder --params";
        // The presets draw strategies at random: many draws on a scratch session show whether one
        // can hand a seat a strategy that the computer cannot play yet.
        auto probe = std::make_unique<Spielsitzung>(g.Katalog());
        for (uint32_t i = 1; i <= 256; ++i) {
            probe->Zufall.RandSeed = i * 2654435761u;
            SpielstaerkeAnwenden(*probe, opt.spielstaerke);
            for (int s = 1; s <= opt.spieler; ++s) {
                const int32_t strategie = probe->Einstellungen.Fuer(opt.spieler).Strategie[s];
                if (!StrategieVerfuegbar(strategie))
                    return staerke + " kann Spieler " + std::to_string(s) + " die Strategie " +
                           std::to_string(strategie) + " geben, die der Computer noch nicht spielen kann";
            }
        }
    }
    for (int s = 1; s <= opt.spieler && !preset; ++s) {
        if (!StrategieVerfuegbar(e.Strategie[s]))
            return "--strategies: Strategie " + std::to_string(e.Strategie[s]) + " (Spieler " +
                   std::to_string(s) + ") kann der Computer noch nicht spielen";
    }
    for (int s = 1; s <= opt.spieler && !preset; ++s) {
        if (e.StartGeld[s] < 0 || e.StartGeld[s] > 1000000)
            return "--params: Startgeld " + std::to_string(e.StartGeld[s]) + " (Spieler " +
                   std::to_string(s) + ") liegt nicht zwischen 0 und 1000000";
    }
    if (!StartrollenGueltig(opt.spieler, e.StartRolle))
        return opt.spieler == 3
                   ? "--roles: jede Rolle höchstens einmal, das vierte Feld nennt einen Spieler 0 bis 3"
                   : "--roles: jede Rolle höchstens einmal";
    g.Menue.SpielerAnzahl = opt.spieler;
    if (opt.spielstaerke != 0) g.Menue.Spielstaerke = opt.spielstaerke;
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

// The rules' hooks during a series: the extra statistics line after every scoring.
class SimSerie::Ablauf : public ISpielAblauf {
public:
    explicit Ablauf(SimSerie& s) : s_(s) {}
    void SpielstaerkeAnwenden() override {
        if (s_.beobachter_) s_.beobachter_->SpielstaerkeAnwenden();
    }
    void HistorieEintrag() override {
        if (s_.beobachter_) s_.beobachter_->HistorieEintrag();
    }
    void SpielendeAnzeigen() override {
        if (s_.beobachter_) s_.beobachter_->SpielendeAnzeigen();
    }
    void NachWertung(int phase) override {
        if (s_.extra_) {
            char zeile[ExtraStatistikZeileMax];
            size_t n = ExtraStatistikZeile(s_.g_, int64_t{s_.statistik_->AnzahlSpiele} + 1, zeile);
            std::fwrite(zeile, 1, n, s_.extra_);
            std::fputc('\n', s_.extra_);
        }
        if (s_.beobachter_) s_.beobachter_->NachWertung(phase);
    }

private:
    SimSerie& s_;
};

SimSerie::SimSerie()
    : g_(katalog_), statistik_(std::make_unique<TSimStatistik>()), ablauf_(std::make_unique<Ablauf>(*this)) {
    StatistikLeeren(*statistik_);
}

SimSerie::~SimSerie() {
    g_.SetzeAblauf(nullptr);
}

std::string SimSerie::Vorbereiten(const SimOptionen& opt) {
    std::string fehler = SimVorbereiten(g_, opt);
    if (!fehler.empty()) return fehler;
    const TStrategieEinstellung& e = g_.Einstellungen.Fuer(opt.spieler);
    // A trace run without --games plays one game, as the simulator always did.
    spiele_ = opt.spieleGesetzt || !opt.traceDatei.empty() ? opt.spiele : e.AnzahlSim;
    if (spiele_ < 1)
        return "--games: \"AnzahlSim\" der Einstellungen ist " + std::to_string(spiele_) + ", kein Spiel";
    pruefen_ = opt.pruefen;
    spielstaerke_ = opt.spielstaerke;
    StatistikInit(*statistik_, g_);
    if (spielstaerke_ != 0 && spielstaerke_ != Expertenmodus) {
        // The report shows the settings of the first game: the preset drawn on a copy of the generator.
        auto vorschau = std::make_unique<Spielsitzung>(katalog_);
        vorschau->Zufall = g_.Zufall;
        SpielstaerkeAnwenden(*vorschau, spielstaerke_);
        statistik_->Einstellung = vorschau->Einstellungen.Fuer(opt.spieler);
    }
    return {};
}

void SimSerie::SetzeErgebnisSenke(std::function<void(const TSpielErgebnis*, size_t)> senke) {
    ergebnisSenke_ = std::move(senke);
    ergebnisse_.clear();
    if (ergebnisSenke_) ergebnisse_.reserve(ErgebnisBlock);
}

void SimSerie::Pruefen() {
    ++pruefungen_;
    std::string verletzung = PruefeInvarianten(g_);
    if (verletzung.empty()) return;
    ++verletzungen_;
    if (ersteVerletzungen_.size() < MaxGemeldeteVerletzungen)
        ersteVerletzungen_.push_back("Spiel " + std::to_string(int64_t{statistik_->AnzahlSpiele} + 1) +
                                     ", Runde " + std::to_string(g_.S.Runde) + ", Phase " +
                                     std::to_string(g_.S.Phase) + ": " + verletzung);
}

void SimSerie::Laufen() {
    g_.SetzeAblauf(ablauf_.get());
    abgebrochen_ = voll_ = false;
    for (int64_t i = 1; i <= spiele_; ++i) {
        // As a new game in the window: the preset rewrites the settings before the set-up.
        if (spielstaerke_ != 0) SpielstaerkeAnwenden(g_, spielstaerke_);
        g_.S.Computer[1] = 1;
        SpielAufbau(g_);
        g_.S.Computer[1] = 1;
        if (pruefen_) Pruefen();
        // Each move applies one action and advances, so this is the place to look at every state.
        while (!g_.S.Spielende) {
            CompiZug(g_);
            if (pruefen_) Pruefen();
        }
        BerechnePlatz(g_);
        if (!StatistikSpiel(*statistik_, g_)) {
            voll_ = true;
            break;
        }
        if (ergebnisSenke_) {
            SpielErgebnisAus(g_, ergebnisse_.emplace_back());
            if (ergebnisse_.size() == ErgebnisBlock) {
                ergebnisSenke_(ergebnisse_.data(), ergebnisse_.size());
                ergebnisse_.clear();
            }
        }
        if (fortschritt_) fortschritt_(i);
        if (Abbruch.load(std::memory_order_relaxed)) {
            abgebrochen_ = i < spiele_;
            break;
        }
    }
    if (ergebnisSenke_ && !ergebnisse_.empty()) {
        ergebnisSenke_(ergebnisse_.data(), ergebnisse_.size());
        ergebnisse_.clear();
    }
    g_.SetzeAblauf(nullptr);
}

int SimLaufen(SimSerie& serie, const SimOptionen& opt, std::ostream& out, std::ostream& err,
              bool fortschritt) {
    Spielsitzung& g = serie.Sitzung();
    ZaehlendeSenke senke(err, serie);
    g.SetzeFehlerSenke(&senke);
    struct SenkeLoesen {
        Spielsitzung& g;
        ~SenkeLoesen() { g.SetzeFehlerSenke(nullptr); }
    } senkeLoesen{g};

    std::string fehler = serie.Vorbereiten(opt);
    if (!fehler.empty()) {
        err << "veldmark-sim: " << fehler << '\n';
        return 2;
    }

    // Every file is opened before the first game, so a bad path stops the run before it starts.
    TDatei trace, bericht, extra, json;
    const bool berichtInDatei = !opt.berichtDatei.empty() && opt.berichtDatei != "-";
    // Without --report the report goes to standard output, behind the line per game; a traced
    // run keeps standard output for the trace unless "--report -" asks for it.
    const bool berichtAufAusgabe =
        opt.berichtDatei == "-" || (opt.berichtDatei.empty() && opt.traceDatei.empty());
    const bool spielZeilen = opt.traceDatei.empty() && opt.berichtDatei != "-";
    const std::string berichtPfad = berichtInDatei ? opt.berichtDatei : std::string();
    struct {
        TDatei& datei;
        const std::string& pfad;
        const char* option;
    } dateien[] = {{trace, opt.traceDatei, "--trace"},
                   {bericht, berichtPfad, "--report"},
                   {extra, opt.extraDatei, "--extra-stats"},
                   {json, opt.jsonDatei, "--json"}};
    for (auto& d : dateien) {
        if (d.pfad.empty() || d.datei.Oeffnen(d.pfad)) continue;
        err << "veldmark-sim: " << d.option << ": Datei '" << d.pfad << "' kann nicht geschrieben werden\n";
        return 2;
    }

    if (trace) {
        std::FILE* f = trace.Zeiger();
        g.Log.Behalten = false;
        g.Log.Weiterleitung = [f](std::string_view z) {
            std::fwrite(z.data(), 1, z.size(), f);
            std::fputc('\n', f);
        };
        g.Log.TraceAn = true;
    }
    if (extra) {
        extra.Schreibe(ExtraStatistikKopf());
        extra.Schreibe("\n");
        serie.SetzeExtraStatistik(extra.Zeiger());
    }
    TJsonLauf lauf;
    for (int i = 0; i < 3; ++i) lauf.Varianten[i] = opt.varianten[i];
    lauf.Spielstaerke = opt.spielstaerke;
    std::string jsonPuffer;
    int64_t nummer = 0; // games handed over so far
    if (json) {
        JsonKopf(jsonPuffer, serie.Statistik(), lauf);
        json.Schreibe(jsonPuffer);
        jsonPuffer.clear();
        jsonPuffer.reserve(ErgebnisBlock * 80);
    }
    if (json || spielZeilen) {
        const int n = opt.spieler;
        serie.SetzeErgebnisSenke([&, n](const TSpielErgebnis* e, size_t anzahl) {
            for (size_t i = 0; i < anzahl; ++i) {
                ++nummer;
                if (json) JsonSpiel(jsonPuffer, e[i], n, nummer == 1);
                if (!spielZeilen) continue;
                out << "Spiel " << nummer << ": " << e[i].Runden << " Runden";
                for (int s = 0; s < n; ++s)
                    out << " | Spieler " << s + 1 << ": " << e[i].Punkte[s] << " SP, " << e[i].Geld[s]
                        << " Geld, Platz " << int{e[i].Platz[s]};
                out << '\n';
            }
            json.Schreibe(jsonPuffer);
            jsonPuffer.clear();
        });
    }
    int64_t gezeigt = -1;
    bool balken = false;
    if (fortschritt) {
        serie.SetzeFortschritt([&](int64_t fertig) {
            const int64_t prozent = fertig * 100 / serie.Geplant();
            if (prozent == gezeigt) return;
            gezeigt = prozent;
            balken = true;
            char striche[41];
            for (int i = 0; i < 40; ++i) striche[i] = i < prozent * 40 / 100 ? '#' : '.';
            striche[40] = '\0';
            char zeile[128];
            const int n = std::snprintf(zeile, sizeof zeile, "\r[%s] %3d%% %lld/%lld", striche,
                                        static_cast<int>(prozent), static_cast<long long>(fertig),
                                        static_cast<long long>(serie.Geplant()));
            err.write(zeile, std::min<int>(n, sizeof zeile - 1));
            err.flush();
        });
    }

    serie.Laufen();

    if (balken) err << '\n';
    serie.SetzeFortschritt(nullptr);
    serie.SetzeErgebnisSenke(nullptr);
    serie.SetzeExtraStatistik(nullptr);
    g.Log.TraceAn = false;
    g.Log.Weiterleitung = nullptr;

    bool schreibfehler = false;
    auto schliessen = [&](TDatei& d, const std::string& pfad, const char* option) {
        if (!d.Schliessen()) {
            err << "veldmark-sim: " << option << ": Datei '" << pfad << "' unvollständig geschrieben\n";
            schreibfehler = true;
        }
    };
    schliessen(trace, opt.traceDatei, "--trace");

    const TSimStatistik& st = serie.Statistik();
    if (berichtInDatei || berichtAufAusgabe) {
        const std::string text = StatistikBerichtText(st, serie.Katalog(), g.Zufall.RandSeed, '.');
        if (berichtInDatei) {
            bericht.Schreibe(text);
            schliessen(bericht, opt.berichtDatei, "--report");
        } else {
            out << text;
            out.flush();
        }
    }
    schliessen(extra, opt.extraDatei, "--extra-stats");
    if (json) {
        lauf.SeedEnde = g.Zufall.RandSeed;
        lauf.Abgebrochen = serie.Abgebrochen();
        lauf.Geprueft = serie.Geprueft();
        lauf.Verletzungen = serie.Verletzungen();
        lauf.InterneFehler = g.AnzahlFehler;
        JsonSchluss(jsonPuffer, st, lauf);
        json.Schreibe(jsonPuffer);
        schliessen(json, opt.jsonDatei, "--json");
    }

    if (serie.StatistikVoll())
        err << "veldmark-sim: die Statistik ist nach " << st.AnzahlSpiele
            << " Spielen voll; der Bericht umfasst diese Spiele\n";
    if (serie.Abgebrochen())
        err << "veldmark-sim: abgebrochen nach " << st.AnzahlSpiele << " von " << serie.Geplant()
            << " Spielen\n";
    if (serie.Geprueft()) {
        for (const std::string& v : serie.ErsteVerletzungen())
            err << "veldmark-sim: Verletzung: " << v << '\n';
        err << "veldmark-sim: Prüfung: " << serie.Pruefungen() << " Zustände geprüft, "
            << serie.Verletzungen() << " Verletzungen, " << g.AnzahlFehler << " interne Fehler\n";
        if (serie.Verletzungen() > 0 || g.AnzahlFehler > 0) return 3;
    } else if (g.AnzahlFehler > 0) {
        err << "veldmark-sim: " << g.AnzahlFehler << " interne Fehler\n";
        return 1;
    }
    if (schreibfehler || serie.StatistikVoll()) return 1;
    return serie.Abgebrochen() ? 130 : 0;
}

int SimLaufen(const SimOptionen& opt, std::ostream& out, std::ostream& err) {
    auto serie = std::make_unique<SimSerie>();
    return SimLaufen(*serie, opt, out, err, false);
}

} // namespace vm
