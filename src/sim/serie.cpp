#include "sim/serie.h"

#include <chrono>
#include <cstdio>
#include <ostream>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "ai/spielstaerke.h"
#include "model/konsistenz.h"
#include "persist/dateien.h"
#include "persist/profil.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"
#include "sim/ausgabe.h"
#include "sim/diagrammausgabe.h"
#include "sim/extrastatistik.h"
#include "sim/jobs.h"

namespace vm {

uint32_t BlockSeed(uint32_t seed, int64_t block) {
    if (block == 0) return seed;
    uint64_t z = (uint64_t{seed} << 32) + static_cast<uint64_t>(block);
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<uint32_t>(z >> 32);
}

std::string SimVorbereiten(TSpielsitzung& g, const TSimOptionen& opt) {
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
        auto probe = std::make_unique<TSpielsitzung>(g.Katalog());
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

void SimSpiel(TSpielsitzung& g) {
    g.S.Computer[1] = 1;
    SpielAufbau(g);
    g.S.Computer[1] = 1;
    while (!g.S.Spielende) CompiZug(g);
    BerechnePlatz(g);
}

// The rules' hooks during a series: the extra statistics line after every scoring.
class TSimSerie::Ablauf : public ISpielAblauf {
public:
    explicit Ablauf(TSimSerie& s) : s_(s) {}
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
    TSimSerie& s_;
};

namespace {

constexpr size_t MaxGemeldeteVerletzungen = 10;

} // namespace

TSimSerie::TSimSerie()
    : g_(katalog_), statistik_(std::make_unique<TSimStatistik>()), ablauf_(std::make_unique<Ablauf>(*this)) {
    StatistikLeeren(*statistik_);
}

TSimSerie::~TSimSerie() {
    g_.SetzeAblauf(nullptr);
}

std::string TSimSerie::Vorbereiten(const TSimOptionen& opt) {
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
        auto vorschau = std::make_unique<TSpielsitzung>(katalog_);
        vorschau->Zufall = g_.Zufall;
        SpielstaerkeAnwenden(*vorschau, spielstaerke_);
        statistik_->Einstellung = vorschau->Einstellungen.Fuer(opt.spieler);
    }
    return {};
}

void TSimSerie::Vorbereiten(int64_t spiele) {
    g_.SimulationLaeuft = true;
    spiele_ = spiele;
    pruefen_ = false;
    spielstaerke_ = 0;
    StatistikInit(*statistik_, g_);
}

void TSimSerie::SetzeErgebnisSenke(std::function<void(const TSpielErgebnis*, size_t)> senke) {
    ergebnisSenke_ = std::move(senke);
    ergebnisse_.clear();
    if (ergebnisSenke_) ergebnisse_.reserve(ErgebnisBlock);
}

void TSimSerie::Pruefen() {
    ++pruefungen_;
    std::string verletzung = PruefeInvarianten(g_);
    if (verletzung.empty()) return;
    ++verletzungen_;
    if (ersteVerletzungen_.size() < MaxGemeldeteVerletzungen)
        ersteVerletzungen_.push_back("Spiel " + std::to_string(versatz_ + statistik_->AnzahlSpiele + 1) +
                                     ", Runde " + std::to_string(g_.S.Runde) + ", Phase " +
                                     std::to_string(g_.S.Phase) + ": " + verletzung);
}

void TSimSerie::Laufen() {
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

int SimLaufen(TSimSerie& serie, const TSimOptionen& opt, std::ostream& out, std::ostream& err,
              bool fortschritt) {
    TSimBloecke bloecke(serie, err);
    TSimAusgaben aus(opt, out, err);
    std::string fehler = aus.Pruefen();
    if (fehler.empty()) fehler = serie.Vorbereiten(opt);
    if (!fehler.empty()) {
        err << "veldmark-sim: " << fehler << '\n';
        return 2;
    }
    TDiagrammJson plot;
    if (!opt.plotOrdner.empty()) {
        fehler = plot.Anlegen();
        if (!fehler.empty()) {
            err << "veldmark-sim: " << fehler << '\n';
            return 2;
        }
        aus.SetzeDiagrammJson(plot.Pfad());
    }
    if (!aus.Oeffnen()) return 2;
    // Block 0 is the caller's series, which then plays only its share.
    const int64_t geplant = serie.Geplant();
    fehler = bloecke.Aufteilen(opt, aus);
    if (!fehler.empty()) {
        err << "veldmark-sim: " << fehler << '\n';
        return 2;
    }
    bloecke.Anschliessen(aus, fortschritt);
    aus.Beginnen(serie.Statistik());
    if (!bloecke.Laufen(fortschritt)) return 1;

    TBlockErgebnis r = bloecke.Ergebnis(opt);
    bool schreibfehler = !bloecke.Zusammenfuegen(aus, r.vereinigt);
    const TLaufEnde ende{r.stroeme.back().SeedEnde, r.abgebrochen, r.verletzungen, r.interneFehler,
                         r.stroeme};
    if (!aus.Abschliessen(*r.statistik, serie.Katalog(), ende)) schreibfehler = true;
    // The charts come after the report, which stays written whatever becomes of them.
    if (!opt.plotOrdner.empty() && DateiExistiert(plot.Pfad()) &&
        !DiagrammeZeichnen(plot.Pfad(), opt.plotOrdner, err))
        schreibfehler = true;

    const TSimStatistik& st = *r.statistik;
    if (r.voll)
        err << "veldmark-sim: die Statistik ist nach " << st.AnzahlSpiele
            << " Spielen voll; der Bericht umfasst diese Spiele\n";
    if (r.abgebrochen)
        err << "veldmark-sim: abgebrochen nach " << st.AnzahlSpiele << " von " << geplant << " Spielen\n";
    if (opt.pruefen) {
        for (const std::string& v : r.ersteVerletzungen) err << "veldmark-sim: Verletzung: " << v << '\n';
        err << "veldmark-sim: Prüfung: " << r.pruefungen << " Zustände geprüft, " << r.verletzungen
            << " Verletzungen, " << r.interneFehler << " interne Fehler\n";
        if (r.verletzungen > 0 || r.interneFehler > 0) return 3;
    } else if (r.interneFehler > 0) {
        err << "veldmark-sim: " << r.interneFehler << " interne Fehler\n";
        return 1;
    }
    if (schreibfehler || r.voll) return 1;
    return r.abgebrochen ? 130 : 0;
}

int SimLaufen(const TSimOptionen& opt, std::ostream& out, std::ostream& err) {
    auto serie = std::make_unique<TSimSerie>();
    return SimLaufen(*serie, opt, out, err, false);
}

} // namespace vm
