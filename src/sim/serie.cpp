#include "sim/serie.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <ostream>
#include <system_error>
#include <thread>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/spielstaerke.h"
#include "model/konsistenz.h"
#include "persist/dateien.h"
#include "persist/profil.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"
#include "sim/extrastatistik.h"

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

// Internal faults go to standard error with the game they happened in. The workers of a split
// series share the stream, so a message is written whole under the lock.
class ZaehlendeSenke : public IFehlerSenke {
public:
    ZaehlendeSenke(std::ostream& err, const SimSerie& serie, std::mutex& sperre)
        : err_(err), serie_(serie), sperre_(sperre) {}
    void Melde(std::string_view meldung) override {
        std::lock_guard<std::mutex> l(sperre_);
        err_ << "veldmark-sim: Spiel " << serie_.Versatz() + serie_.Statistik().AnzahlSpiele + 1 << ": "
             << meldung << '\n';
    }

private:
    std::ostream& err_;
    const SimSerie& serie_;
    std::mutex& sperre_;
};

// A file that closes itself; Schliessen reports whether everything reached the disk. An output
// takes its final name only then: a run that stops early leaves the old file in place.
class TDatei {
public:
    TDatei() = default;
    TDatei(const TDatei&) = delete;
    TDatei& operator=(const TDatei&) = delete;
    ~TDatei() {
        if (anonym_) std::fclose(anonym_);
    }
    bool Oeffnen(const std::string& pfad) { return ausgabe_.Oeffnen(pfad); }
    bool Schreibgeschuetzt() const { return ausgabe_.Schreibgeschuetzt(); }
    // An anonymous file that disappears when it is closed.
    bool Temporaer() {
        anonym_ = std::tmpfile();
        return anonym_ != nullptr;
    }
    std::FILE* Zeiger() const { return anonym_ ? anonym_ : ausgabe_.Zeiger(); }
    explicit operator bool() const { return Zeiger() != nullptr; }
    void Schreibe(std::string_view s) {
        if (std::FILE* f = Zeiger()) std::fwrite(s.data(), 1, s.size(), f);
    }
    bool Schliessen() {
        if (!anonym_) return ausgabe_.Abschliessen();
        bool ok = std::ferror(anonym_) == 0;
        ok = std::fclose(anonym_) == 0 && ok;
        anonym_ = nullptr;
        return ok;
    }

private:
    TAusgabeDatei ausgabe_;
    std::FILE* anonym_ = nullptr;
};

constexpr size_t ErgebnisBlock = 4096;
constexpr size_t MaxGemeldeteVerletzungen = 10;
constexpr int32_t MaxJobs = 256;

// Appends what was written to a temporary file; false when either side had an error.
bool Umkopieren(std::FILE* von, std::FILE* nach) {
    if (std::fflush(von) != 0 || std::ferror(von)) return false;
    std::rewind(von);
    std::vector<char> puffer(65536);
    size_t n;
    while ((n = std::fread(puffer.data(), 1, puffer.size(), von)) > 0)
        if (std::fwrite(puffer.data(), 1, n, nach) != n) return false;
    return std::ferror(von) == 0;
}

// One block of a series: its series, its temporary files when the series is split, and the
// games it has finished so far (read by the progress bar).
struct TBlock {
    SimSerie* serie = nullptr;
    std::unique_ptr<SimSerie> eigene;
    std::unique_ptr<ZaehlendeSenke> senke;
    TDatei trace, extra, ergebnisse;
    std::atomic<int64_t> fertig{0};
};

} // namespace

std::string AusgabenPruefen(const std::vector<TDateiAngabe>& ausgaben,
                            const std::vector<TDateiAngabe>& eingaben) {
    auto genannt = [](const TDateiAngabe& d) {
        return (*d.option ? "von " + std::string(d.option) + " '" : std::string("'")) + d.pfad + "'";
    };
    for (size_t i = 0; i < ausgaben.size(); ++i) {
        const TDateiAngabe& a = ausgaben[i];
        // A stream written in place is not replaced, so nothing of it can be lost.
        if (a.pfad.empty() || DirektSchreiben(a.pfad)) continue;
        for (const TDateiAngabe& e : eingaben)
            if (!e.pfad.empty() && GleicheDatei(a.pfad, e.pfad))
                return std::string(a.option) + ": Datei '" + a.pfad + "' ist schon die Eingabe " +
                       genannt(e) + "; nichts geschrieben";
        for (size_t j = 0; j < i; ++j)
            if (!ausgaben[j].pfad.empty() && GleicheDatei(a.pfad, ausgaben[j].pfad))
                return std::string(a.option) + ": Datei '" + a.pfad + "' ist schon die Ausgabe " +
                       genannt(ausgaben[j]) + "; nichts geschrieben";
    }
    return {};
}

bool AusgabeAbschliessen(std::ostream& out) {
    out.flush();
    return !out.fail();
}

uint32_t BlockSeed(uint32_t seed, int64_t block) {
    if (block == 0) return seed;
    uint64_t z = (uint64_t{seed} << 32) + static_cast<uint64_t>(block);
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<uint32_t>(z >> 32);
}

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

std::string SimVorbereiten(Spielsitzung& g, const SimOptionen& opt) {
    InitStrategieparameter(g.Einstellungen);
    // The parameter file is read over the defaults; the command line overrides it.
    TParameterZeilen zeilen;
    std::string dateifehler;
    if (!opt.parameterDatei.empty() &&
        !LeseStrategieparameterDatei(opt.parameterDatei, g.Einstellungen, &dateifehler, &zeilen))
        return "--params: " + dateifehler;
    // A seat's value that the command line left to the file is blamed on its line there.
    auto dateiZeile = [&](const std::string& stamm, int s, size_t vonKommandozeile) {
        return static_cast<size_t>(s) > vonKommandozeile
                   ? zeilen.Zeile(opt.spieler, stamm + std::to_string(s))
                   : 0;
    };
    auto inDatei = [&](int32_t zeile) {
        return "--params: Datei '" + opt.parameterDatei + "', Zeile " + std::to_string(zeile) + ": ";
    };
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
        if (!StrategieVerfuegbar(e.Strategie[s])) {
            const int32_t zeile = dateiZeile("Strategie_Sp", s, opt.strategien.size());
            return (zeile ? inDatei(zeile) : std::string("--strategies: ")) + "Strategie " +
                   std::to_string(e.Strategie[s]) + " (Spieler " + std::to_string(s) +
                   ") kann der Computer noch nicht spielen";
        }
    }
    for (int s = 1; s <= opt.spieler && !preset; ++s) {
        if (e.StartGeld[s] < 0 || e.StartGeld[s] > 1000000) {
            const int32_t zeile = dateiZeile("SetUpGeld_Sp", s, opt.geld.size());
            return (zeile ? inDatei(zeile) : std::string("--money: ")) + "Startgeld " +
                   std::to_string(e.StartGeld[s]) + " (Spieler " + std::to_string(s) +
                   ") liegt nicht zwischen 0 und 1000000";
        }
    }
    if (!StartrollenGueltig(opt.spieler, e.StartRolle)) {
        // The seat whose role completes the clash is blamed, on the command line or in the file.
        Arr1<int32_t, 4> bisher{};
        int sitz = 1;
        for (int s = 1; s <= 4; ++s) {
            bisher[s] = e.StartRolle[s];
            sitz = s;
            if (!StartrollenGueltig(opt.spieler, bisher)) break;
        }
        if (const int32_t zeile = dateiZeile("SetUpRolle_Sp", sitz, opt.rollen.size()); zeile != 0)
            return inDatei(zeile) + (opt.spieler == 3
                                         ? "jede Rolle höchstens einmal, SetUpRolle_Sp4 nennt einen "
                                           "Spieler 0 bis 3"
                                         : "jede Rolle höchstens einmal");
        return opt.spieler == 3
                   ? "--roles: jede Rolle höchstens einmal, das vierte Feld nennt einen Spieler 0 bis 3"
                   : "--roles: jede Rolle höchstens einmal";
    }
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
            size_t n = ExtraStatistikZeile(s_.g_, s_.versatz_ + s_.statistik_->AnzahlSpiele + 1, zeile);
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

void SimSerie::Vorbereiten(int64_t spiele) {
    g_.SimulationLaeuft = true;
    spiele_ = spiele;
    pruefen_ = false;
    spielstaerke_ = 0;
    StatistikInit(*statistik_, g_);
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
        ersteVerletzungen_.push_back("Spiel " + std::to_string(versatz_ + statistik_->AnzahlSpiele + 1) +
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
        if (Abbruch.load(std::memory_order_relaxed) ||
            (abbruchVon_ && abbruchVon_->load(std::memory_order_relaxed))) {
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
    std::mutex errSperre;
    std::vector<std::unique_ptr<TBlock>> bloecke;
    bloecke.push_back(std::make_unique<TBlock>());
    bloecke[0]->serie = &serie;
    bloecke[0]->senke = std::make_unique<ZaehlendeSenke>(err, serie, errSperre);
    serie.Sitzung().SetzeFehlerSenke(bloecke[0]->senke.get());
    // Whatever happens, the caller's series is handed back without anything of this run.
    struct Loesen {
        SimSerie& serie;
        ~Loesen() {
            Spielsitzung& g = serie.Sitzung();
            g.SetzeFehlerSenke(nullptr);
            g.Log.TraceAn = false;
            g.Log.Weiterleitung = nullptr;
            serie.SetzeFortschritt(nullptr);
            serie.SetzeErgebnisSenke(nullptr);
            serie.SetzeExtraStatistik(nullptr);
        }
    } loesen{serie};

    const bool berichtInDatei = !opt.berichtDatei.empty() && opt.berichtDatei != "-";
    const std::string berichtPfad = berichtInDatei ? opt.berichtDatei : std::string();
    std::string fehler = AusgabenPruefen({{"--trace", opt.traceDatei},
                                          {"--report", berichtPfad},
                                          {"--extra-stats", opt.extraDatei},
                                          {"--json", opt.jsonDatei}},
                                         {{"--params", opt.parameterDatei}});
    if (fehler.empty()) fehler = serie.Vorbereiten(opt);
    if (!fehler.empty()) {
        err << "veldmark-sim: " << fehler << '\n';
        return 2;
    }

    // Every file is opened before the first game, so a bad path stops the run before it starts.
    TDatei trace, bericht, extra, json;
    // Without --report the report goes to standard output, behind the line per game; a traced
    // run keeps standard output for the trace unless "--report -" asks for it.
    const bool berichtAufAusgabe =
        opt.berichtDatei == "-" || (opt.berichtDatei.empty() && opt.traceDatei.empty());
    const bool spielZeilen = opt.traceDatei.empty() && opt.berichtDatei != "-";
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
        err << "veldmark-sim: " << d.option << ": Datei '" << d.pfad << "' kann nicht geschrieben werden"
            << (d.datei.Schreibgeschuetzt() ? " (schreibgeschützt)" : "") << '\n';
        return 2;
    }

    // A split series: every block gets its session, its seed and, for what is written per game,
    // temporary files that are joined in block order after the run.
    const int64_t geplant = serie.Geplant();
    const int64_t anzahl = std::min<int64_t>(std::max(opt.jobs, 1), geplant);
    const bool geteilt = anzahl > 1;
    const bool ergebnisseNoetig = json || spielZeilen;
    if (geteilt) {
        const uint32_t seed = serie.Sitzung().Zufall.RandSeed;
        int64_t versatz = 0;
        for (int64_t b = 0; b < anzahl; ++b) {
            if (b > 0) {
                bloecke.push_back(std::make_unique<TBlock>());
                bloecke[b]->eigene = std::make_unique<SimSerie>();
                bloecke[b]->serie = bloecke[b]->eigene.get();
                bloecke[b]->senke = std::make_unique<ZaehlendeSenke>(err, *bloecke[b]->serie, errSperre);
                bloecke[b]->serie->Sitzung().SetzeFehlerSenke(bloecke[b]->senke.get());
                bloecke[b]->serie->SetzeAbbruchVon(&serie.Abbruch);
            }
            TBlock& blk = *bloecke[b];
            SimOptionen teil = opt;
            teil.spiele = geplant / anzahl + (b < geplant % anzahl ? 1 : 0);
            teil.spieleGesetzt = true;
            teil.seed = BlockSeed(seed, b);
            teil.seedGesetzt = true;
            fehler = blk.serie->Vorbereiten(teil);
            if (!fehler.empty()) {
                err << "veldmark-sim: " << fehler << '\n';
                return 2;
            }
            blk.serie->SetzeVersatz(versatz);
            versatz += teil.spiele;
            if ((trace && !blk.trace.Temporaer()) || (extra && !blk.extra.Temporaer()) ||
                (ergebnisseNoetig && !blk.ergebnisse.Temporaer())) {
                err << "veldmark-sim: --jobs: keine temporäre Datei für die Blöcke\n";
                return 2;
            }
        }
    }

    auto traceAn = [](Spielsitzung& g, std::FILE* f) {
        g.Log.Behalten = false;
        g.Log.Weiterleitung = [f](std::string_view z) {
            std::fwrite(z.data(), 1, z.size(), f);
            std::fputc('\n', f);
        };
        g.Log.TraceAn = true;
    };
    if (extra) {
        extra.Schreibe(ExtraStatistikKopf());
        extra.Schreibe("\n");
    }
    for (auto& b : bloecke) {
        if (trace) traceAn(b->serie->Sitzung(), (geteilt ? b->trace : trace).Zeiger());
        if (extra) b->serie->SetzeExtraStatistik((geteilt ? b->extra : extra).Zeiger());
    }

    TJsonLauf lauf;
    for (int i = 0; i < 3; ++i) lauf.Varianten[i] = opt.varianten[i];
    lauf.Spielstaerke = opt.spielstaerke;
    std::string jsonPuffer;
    bool erstesSpiel = true;
    if (json) {
        JsonKopf(jsonPuffer, serie.Statistik(), lauf);
        json.Schreibe(jsonPuffer);
        jsonPuffer.clear();
        jsonPuffer.reserve(ErgebnisBlock * 80);
    }
    // The per-game output; `nummer` is the number of the last game handed over.
    const int n = opt.spieler;
    std::string zeilen;
    auto zeile = [&](std::string_view text) { zeilen += text; };
    auto zahl = [&](int64_t wert) {
        char ziffern[24];
        const auto ende = std::to_chars(ziffern, ziffern + sizeof ziffern, wert).ptr;
        zeilen.append(ziffern, ende);
    };
    auto ausgeben = [&](const TSpielErgebnis* e, size_t menge, int64_t& nummer) {
        for (size_t i = 0; i < menge; ++i) {
            ++nummer;
            if (json) JsonSpiel(jsonPuffer, e[i], n, erstesSpiel);
            erstesSpiel = false;
            if (!spielZeilen) continue;
            // Built in a buffer and written once per block: the stream's number formatting cost
            // a few per cent of the whole run.
            zeile("Spiel ");
            zahl(nummer);
            zeile(": ");
            zahl(e[i].Runden);
            zeile(" Runden");
            for (int s = 0; s < n; ++s) {
                zeile(" | Spieler ");
                zahl(s + 1);
                zeile(": ");
                zahl(e[i].Punkte[s]);
                zeile(" SP, ");
                zahl(e[i].Geld[s]);
                zeile(" Geld, Platz ");
                zahl(e[i].Platz[s]);
            }
            zeilen += '\n';
        }
        json.Schreibe(jsonPuffer);
        jsonPuffer.clear();
        out.write(zeilen.data(), static_cast<std::streamsize>(zeilen.size()));
        zeilen.clear();
    };
    int64_t nummer = 0;
    if (ergebnisseNoetig) {
        for (auto& b : bloecke) {
            if (!geteilt) {
                b->serie->SetzeErgebnisSenke(
                    [&](const TSpielErgebnis* e, size_t menge) { ausgeben(e, menge, nummer); });
                continue;
            }
            std::FILE* f = b->ergebnisse.Zeiger();
            b->serie->SetzeErgebnisSenke(
                [f](const TSpielErgebnis* e, size_t menge) { std::fwrite(e, sizeof *e, menge, f); });
        }
    }

    int64_t gezeigt = -1;
    bool balken = false;
    auto zeichne = [&](int64_t fertig) {
        const int64_t prozent = fertig * 100 / geplant;
        if (prozent == gezeigt) return;
        gezeigt = prozent;
        balken = true;
        char striche[41];
        for (int i = 0; i < 40; ++i) striche[i] = i < prozent * 40 / 100 ? '#' : '.';
        striche[40] = '\0';
        char zeile[128];
        const int z =
            std::snprintf(zeile, sizeof zeile, "\r[%s] %3d%% %lld/%lld", striche, static_cast<int>(prozent),
                          static_cast<long long>(fertig), static_cast<long long>(geplant));
        std::lock_guard<std::mutex> l(errSperre);
        err.write(zeile, std::min<int>(z, sizeof zeile - 1));
        err.flush();
    };
    if (fortschritt) {
        for (auto& b : bloecke) {
            TBlock* blk = b.get();
            if (geteilt)
                blk->serie->SetzeFortschritt(
                    [blk](int64_t f) { blk->fertig.store(f, std::memory_order_relaxed); });
            else
                blk->serie->SetzeFortschritt(zeichne);
        }
    }

    if (!geteilt) {
        serie.Laufen();
    } else {
        // The workers run their blocks; this thread draws the progress bar meanwhile.
        std::mutex m;
        std::condition_variable fertigSignal;
        int64_t laufend = 0;
        std::vector<std::thread> arbeiter;
        arbeiter.reserve(bloecke.size());
        bool gestartet = true;
        for (auto& b : bloecke) {
            SimSerie* s = b->serie;
            {
                std::lock_guard<std::mutex> l(m);
                ++laufend;
            }
            try {
                arbeiter.emplace_back([s, &m, &fertigSignal, &laufend] {
                    s->Laufen();
                    std::lock_guard<std::mutex> l(m);
                    --laufend;
                    fertigSignal.notify_all();
                });
            } catch (const std::system_error&) {
                std::lock_guard<std::mutex> l(m);
                --laufend;
                gestartet = false;
                serie.Abbruch.store(true);
                break;
            }
        }
        if (fortschritt && gestartet) {
            std::unique_lock<std::mutex> l(m);
            while (!fertigSignal.wait_for(l, std::chrono::milliseconds(100), [&] { return laufend == 0; })) {
                l.unlock();
                int64_t summe = 0;
                for (auto& b : bloecke) summe += b->fertig.load(std::memory_order_relaxed);
                zeichne(summe);
                l.lock();
            }
        }
        for (std::thread& t : arbeiter) t.join();
        if (!gestartet) {
            err << "veldmark-sim: --jobs: " << anzahl << " Threads lassen sich nicht starten\n";
            return 1;
        }
        if (fortschritt) {
            int64_t summe = 0;
            for (auto& b : bloecke) summe += b->serie->Statistik().AnzahlSpiele;
            zeichne(summe);
        }
    }

    if (balken) err << '\n';
    for (auto& b : bloecke) {
        SimSerie& s = *b->serie;
        s.SetzeFortschritt(nullptr);
        s.SetzeErgebnisSenke(nullptr);
        s.SetzeExtraStatistik(nullptr);
        s.Sitzung().Log.TraceAn = false;
        s.Sitzung().Log.Weiterleitung = nullptr;
    }

    // The blocks' statistics in block order. A block that would overflow the merged record ends
    // the merge: the report covers the blocks before it, as a single stream stops when full.
    const TSimStatistik* st = &serie.Statistik();
    std::unique_ptr<TSimStatistik> gesamt;
    size_t vereinigt = bloecke.size();
    bool voll = false;
    for (auto& b : bloecke) voll = voll || b->serie->StatistikVoll();
    if (geteilt) {
        gesamt = std::make_unique<TSimStatistik>(serie.Statistik());
        auto teil = std::make_unique<TSimStatistik>();
        for (size_t b = 1; b < bloecke.size(); ++b) {
            *teil = bloecke[b]->serie->Statistik();
            // A preset draws the settings anew for every game; the report shows the first game's.
            if (opt.spielstaerke != 0) teil->Einstellung = gesamt->Einstellung;
            if (!StatistikVereinigen(*gesamt, *teil)) {
                voll = true;
                vereinigt = b;
                break;
            }
        }
        st = gesamt.get();
    }
    std::vector<TStrom> stroeme;
    bool abgebrochen = false;
    int64_t pruefungen = 0, verletzungen = 0, interneFehler = 0;
    std::vector<std::string> ersteVerletzungen;
    for (size_t b = 0; b < vereinigt; ++b) {
        SimSerie& s = *bloecke[b]->serie;
        stroeme.push_back({s.Statistik().RandSeed, s.Statistik().AnzahlSpiele, s.Sitzung().Zufall.RandSeed});
        abgebrochen = abgebrochen || s.Abgebrochen();
        pruefungen += s.Pruefungen();
        verletzungen += s.Verletzungen();
        for (const std::string& v : s.ErsteVerletzungen())
            if (ersteVerletzungen.size() < MaxGemeldeteVerletzungen) ersteVerletzungen.push_back(v);
    }
    // Faults count in every block that played, merged or not.
    for (auto& b : bloecke) interneFehler += b->serie->Sitzung().AnzahlFehler;
    const uint32_t seedEnde = stroeme.back().SeedEnde;

    bool schreibfehler = false;
    if (geteilt) {
        bool tempFehler = false;
        for (size_t b = 0; b < vereinigt; ++b) {
            TBlock& blk = *bloecke[b];
            if (trace && !Umkopieren(blk.trace.Zeiger(), trace.Zeiger())) tempFehler = true;
            if (extra && !Umkopieren(blk.extra.Zeiger(), extra.Zeiger())) tempFehler = true;
            if (!ergebnisseNoetig) continue;
            std::FILE* f = blk.ergebnisse.Zeiger();
            if (std::fflush(f) != 0 || std::ferror(f)) tempFehler = true;
            std::rewind(f);
            std::vector<TSpielErgebnis> puffer(ErgebnisBlock);
            nummer = blk.serie->Versatz();
            size_t gelesen;
            while ((gelesen = std::fread(puffer.data(), sizeof(TSpielErgebnis), puffer.size(), f)) > 0)
                ausgeben(puffer.data(), gelesen, nummer);
            if (std::ferror(f)) tempFehler = true;
        }
        if (tempFehler) {
            err << "veldmark-sim: --jobs: eine temporäre Datei der Blöcke ist unvollständig\n";
            schreibfehler = true;
        }
    }

    auto schliessen = [&](TDatei& d, const std::string& pfad, const char* option) {
        if (!d.Schliessen()) {
            err << "veldmark-sim: " << option << ": Datei '" << pfad << "' unvollständig geschrieben\n";
            schreibfehler = true;
        }
    };
    schliessen(trace, opt.traceDatei, "--trace");

    if (berichtInDatei || berichtAufAusgabe) {
        const std::string text =
            StatistikBerichtText(*st, serie.Katalog(), seedEnde, '.') + StroemeBerichtText(stroeme);
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
        lauf.SeedEnde = seedEnde;
        lauf.Abgebrochen = abgebrochen;
        lauf.Geprueft = opt.pruefen;
        lauf.Verletzungen = verletzungen;
        lauf.InterneFehler = interneFehler;
        lauf.Stroeme = stroeme;
        JsonSchluss(jsonPuffer, *st, lauf);
        json.Schreibe(jsonPuffer);
        schliessen(json, opt.jsonDatei, "--json");
    }

    if (!AusgabeAbschliessen(out)) {
        err << "veldmark-sim: Standardausgabe unvollständig geschrieben\n";
        schreibfehler = true;
    }

    if (voll)
        err << "veldmark-sim: die Statistik ist nach " << st->AnzahlSpiele
            << " Spielen voll; der Bericht umfasst diese Spiele\n";
    if (abgebrochen)
        err << "veldmark-sim: abgebrochen nach " << st->AnzahlSpiele << " von " << geplant << " Spielen\n";
    if (opt.pruefen) {
        for (const std::string& v : ersteVerletzungen) err << "veldmark-sim: Verletzung: " << v << '\n';
        err << "veldmark-sim: Prüfung: " << pruefungen << " Zustände geprüft, " << verletzungen
            << " Verletzungen, " << interneFehler << " interne Fehler\n";
        if (verletzungen > 0 || interneFehler > 0) return 3;
    } else if (interneFehler > 0) {
        err << "veldmark-sim: " << interneFehler << " interne Fehler\n";
        return 1;
    }
    if (schreibfehler || voll) return 1;
    return abgebrochen ? 130 : 0;
}

int SimLaufen(const SimOptionen& opt, std::ostream& out, std::ostream& err) {
    auto serie = std::make_unique<SimSerie>();
    return SimLaufen(*serie, opt, out, err, false);
}

} // namespace vm
