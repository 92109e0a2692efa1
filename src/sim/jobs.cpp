#include "sim/jobs.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <ostream>
#include <system_error>
#include <thread>

namespace vm {

namespace {

constexpr size_t MaxGemeldeteVerletzungen = 10;

void TraceAn(TSpielsitzung& g, std::FILE* f) {
    g.Log.Behalten = false;
    g.Log.Weiterleitung = [f](std::string_view z) {
        std::fwrite(z.data(), 1, z.size(), f);
        std::fputc('\n', f);
    };
    g.Log.TraceAn = true;
}

void Loesen(TSimSerie& s) {
    s.SetzeFortschritt(nullptr);
    s.SetzeErgebnisSenke(nullptr);
    s.SetzeExtraStatistik(nullptr);
    s.Sitzung().Log.TraceAn = false;
    s.Sitzung().Log.Weiterleitung = nullptr;
}

} // namespace

void TZaehlendeSenke::Melde(std::string_view meldung) {
    std::lock_guard<std::mutex> l(sperre_);
    err_ << "veldmark-sim: Spiel " << serie_.Versatz() + serie_.Statistik().AnzahlSpiele + 1 << ": "
         << meldung << '\n';
}

TSimBloecke::TSimBloecke(TSimSerie& serie, std::ostream& err) : serie_(serie), err_(err) {
    bloecke_.push_back(std::make_unique<TBlock>());
    bloecke_[0]->serie = &serie;
    bloecke_[0]->senke = std::make_unique<TZaehlendeSenke>(err, serie, errSperre_);
    serie.Sitzung().SetzeFehlerSenke(bloecke_[0]->senke.get());
}

TSimBloecke::~TSimBloecke() {
    serie_.Sitzung().SetzeFehlerSenke(nullptr);
    Loesen(serie_);
}

std::string TSimBloecke::Aufteilen(const TSimOptionen& opt, TSimAusgaben& aus) {
    geplant_ = serie_.Geplant();
    const int64_t anzahl = std::min<int64_t>(std::max(opt.jobs, 1), geplant_);
    geteilt_ = anzahl > 1;
    if (!geteilt_) return {};
    const uint32_t seed = serie_.Sitzung().Zufall.RandSeed;
    int64_t versatz = 0;
    for (int64_t b = 0; b < anzahl; ++b) {
        if (b > 0) {
            auto blk = std::make_unique<TBlock>();
            blk->eigene = std::make_unique<TSimSerie>();
            blk->serie = blk->eigene.get();
            blk->senke = std::make_unique<TZaehlendeSenke>(err_, *blk->serie, errSperre_);
            blk->serie->Sitzung().SetzeFehlerSenke(blk->senke.get());
            blk->serie->SetzeAbbruchVon(&serie_.Abbruch);
            bloecke_.push_back(std::move(blk));
        }
        TBlock& blk = *bloecke_[b];
        TSimOptionen teil = opt;
        teil.spiele = geplant_ / anzahl + (b < geplant_ % anzahl ? 1 : 0);
        teil.spieleGesetzt = true;
        teil.seed = BlockSeed(seed, b);
        teil.seedGesetzt = true;
        std::string fehler = blk.serie->Vorbereiten(teil);
        if (!fehler.empty()) return fehler;
        blk.serie->SetzeVersatz(versatz);
        versatz += teil.spiele;
        if ((aus.Trace() && !blk.trace.Temporaer()) || (aus.Extra() && !blk.extra.Temporaer()) ||
            (aus.ErgebnisseNoetig() && !blk.ergebnisse.Temporaer()))
            return "--jobs: keine temporäre Datei für die Blöcke";
    }
    return {};
}

void TSimBloecke::Anschliessen(TSimAusgaben& aus, bool fortschritt) {
    for (auto& b : bloecke_) {
        if (aus.Trace()) TraceAn(b->serie->Sitzung(), (geteilt_ ? b->trace : aus.Trace()).Zeiger());
        if (aus.Extra()) b->serie->SetzeExtraStatistik((geteilt_ ? b->extra : aus.Extra()).Zeiger());
        if (aus.ErgebnisseNoetig()) {
            if (!geteilt_) {
                b->serie->SetzeErgebnisSenke(
                    [this, &aus](const TSpielErgebnis* e, size_t menge) { aus.Spiele(e, menge, nummer_); });
            } else {
                std::FILE* f = b->ergebnisse.Zeiger();
                b->serie->SetzeErgebnisSenke(
                    [f](const TSpielErgebnis* e, size_t menge) { std::fwrite(e, sizeof *e, menge, f); });
            }
        }
        if (fortschritt) {
            TBlock* blk = b.get();
            if (geteilt_)
                blk->serie->SetzeFortschritt(
                    [blk](int64_t f) { blk->fertig.store(f, std::memory_order_relaxed); });
            else
                blk->serie->SetzeFortschritt([this](int64_t f) { Zeichne(f); });
        }
    }
}

void TSimBloecke::Zeichne(int64_t fertig) {
    const int64_t prozent = fertig * 100 / geplant_;
    if (prozent == gezeigt_) return;
    gezeigt_ = prozent;
    balken_ = true;
    char striche[41];
    for (int i = 0; i < 40; ++i) striche[i] = i < prozent * 40 / 100 ? '#' : '.';
    striche[40] = '\0';
    char zeile[128];
    const int z =
        std::snprintf(zeile, sizeof zeile, "\r[%s] %3d%% %lld/%lld", striche, static_cast<int>(prozent),
                      static_cast<long long>(fertig), static_cast<long long>(geplant_));
    std::lock_guard<std::mutex> l(errSperre_);
    err_.write(zeile, std::min<int>(z, sizeof zeile - 1));
    err_.flush();
}

bool TSimBloecke::Laufen(bool fortschritt) {
    if (!geteilt_) {
        serie_.Laufen();
        return true;
    }
    // The workers run their blocks; this thread draws the progress bar meanwhile.
    std::mutex m;
    std::condition_variable fertigSignal;
    int64_t laufend = 0;
    std::vector<std::thread> arbeiter;
    arbeiter.reserve(bloecke_.size());
    bool gestartet = true;
    for (auto& b : bloecke_) {
        TSimSerie* s = b->serie;
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
            serie_.Abbruch.store(true);
            break;
        }
    }
    if (fortschritt && gestartet) {
        std::unique_lock<std::mutex> l(m);
        while (!fertigSignal.wait_for(l, std::chrono::milliseconds(100), [&] { return laufend == 0; })) {
            l.unlock();
            int64_t summe = 0;
            for (auto& b : bloecke_) summe += b->fertig.load(std::memory_order_relaxed);
            Zeichne(summe);
            l.lock();
        }
    }
    for (std::thread& t : arbeiter) t.join();
    if (!gestartet) {
        err_ << "veldmark-sim: --jobs: " << bloecke_.size() << " Threads lassen sich nicht starten\n";
        return false;
    }
    if (fortschritt) {
        int64_t summe = 0;
        for (auto& b : bloecke_) summe += b->serie->Statistik().AnzahlSpiele;
        Zeichne(summe);
    }
    return true;
}

TBlockErgebnis TSimBloecke::Ergebnis(const TSimOptionen& opt) {
    if (balken_) err_ << '\n';
    for (auto& b : bloecke_) Loesen(*b->serie);

    // The blocks' statistics in block order. A block that would overflow the merged record ends
    // the merge: the report covers the blocks before it, as a single stream stops when full.
    TBlockErgebnis r;
    r.statistik = &serie_.Statistik();
    r.vereinigt = bloecke_.size();
    for (auto& b : bloecke_) r.voll = r.voll || b->serie->StatistikVoll();
    if (geteilt_) {
        r.gesamt = std::make_unique<TSimStatistik>(serie_.Statistik());
        auto teil = std::make_unique<TSimStatistik>();
        for (size_t b = 1; b < bloecke_.size(); ++b) {
            *teil = bloecke_[b]->serie->Statistik();
            // A preset draws the settings anew for every game; the report shows the first game's.
            if (opt.spielstaerke != 0) teil->Einstellung = r.gesamt->Einstellung;
            if (!StatistikVereinigen(*r.gesamt, *teil)) {
                r.voll = true;
                r.vereinigt = b;
                break;
            }
        }
        r.statistik = r.gesamt.get();
    }
    for (size_t b = 0; b < r.vereinigt; ++b) {
        TSimSerie& s = *bloecke_[b]->serie;
        r.stroeme.push_back(
            {s.Statistik().RandSeed, s.Statistik().AnzahlSpiele, s.Sitzung().Zufall.RandSeed});
        r.abgebrochen = r.abgebrochen || s.Abgebrochen();
        r.pruefungen += s.Pruefungen();
        r.verletzungen += s.Verletzungen();
        for (const std::string& v : s.ErsteVerletzungen())
            if (r.ersteVerletzungen.size() < MaxGemeldeteVerletzungen) r.ersteVerletzungen.push_back(v);
    }
    // Faults count in every block that played, merged or not.
    for (auto& b : bloecke_) r.interneFehler += b->serie->Sitzung().AnzahlFehler;
    return r;
}

bool TSimBloecke::Zusammenfuegen(TSimAusgaben& aus, size_t vereinigt) {
    if (!geteilt_) return true;
    bool tempFehler = false;
    std::vector<TSpielErgebnis> puffer;
    for (size_t b = 0; b < vereinigt; ++b) {
        TBlock& blk = *bloecke_[b];
        if (aus.Trace() && !Umkopieren(blk.trace.Zeiger(), aus.Trace().Zeiger())) tempFehler = true;
        if (aus.Extra() && !Umkopieren(blk.extra.Zeiger(), aus.Extra().Zeiger())) tempFehler = true;
        if (!aus.ErgebnisseNoetig()) continue;
        std::FILE* f = blk.ergebnisse.Zeiger();
        if (std::fflush(f) != 0 || std::ferror(f)) tempFehler = true;
        std::rewind(f);
        puffer.resize(ErgebnisBlock);
        nummer_ = blk.serie->Versatz();
        size_t gelesen;
        while ((gelesen = std::fread(puffer.data(), sizeof(TSpielErgebnis), puffer.size(), f)) > 0)
            aus.Spiele(puffer.data(), gelesen, nummer_);
        if (std::ferror(f)) tempFehler = true;
    }
    if (tempFehler) err_ << "veldmark-sim: --jobs: eine temporäre Datei der Blöcke ist unvollständig\n";
    return !tempFehler;
}

int MitUnterbrechung(std::atomic<bool>& abbruch, const std::function<int()>& lauf) {
    // Ctrl+C and SIGTERM (what timeout and batch schedulers send) are blocked in every thread and
    // taken by a watcher, which asks the run to stop after the game in progress; the run sees
    // only its own flag. The exit code tells which signal stopped the run.
    sigset_t unterbrechung;
    sigemptyset(&unterbrechung);
    sigaddset(&unterbrechung, SIGINT);
    sigaddset(&unterbrechung, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &unterbrechung, nullptr);

    std::atomic<bool> fertig{false};
    std::atomic<int> erstesSignal{0};
    std::thread waechter([&] {
        int signal = 0;
        while (sigwait(&unterbrechung, &signal) == 0) {
            if (fertig.load()) return;
            if (erstesSignal.load() != 0) _exit(signal == SIGTERM ? 143 : 130);
            erstesSignal.store(signal);
            abbruch.store(true);
            static constexpr char Meldung[] = "\nveldmark-sim: Abbruch nach dem laufenden Spiel\n";
            ssize_t r = write(STDERR_FILENO, Meldung, sizeof Meldung - 1);
            (void)r;
        }
    });

    int rc = lauf();
    if (rc == 130 && erstesSignal.load() == SIGTERM) rc = 143;

    fertig.store(true);
    pthread_kill(waechter.native_handle(), SIGINT);
    waechter.join();
    return rc;
}

int SimLaufenUnterbrechbar(const TSimOptionen& opt, std::ostream& out, std::ostream& err) {
    auto serie = std::make_unique<TSimSerie>();
    const bool fortschritt = !opt.leise && isatty(STDERR_FILENO);
    return MitUnterbrechung(serie->Abbruch, [&] { return SimLaufen(*serie, opt, out, err, fortschritt); });
}

} // namespace vm
