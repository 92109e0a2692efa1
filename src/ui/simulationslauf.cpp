#include "ui/simulationslauf.h"

#include "sim/extrastatistik.h"
#include "ui/qtext.h"

namespace vm::ui {

TSimulationsLauf::TSimulationsLauf(const TSpielsitzung& g, int64_t spiele, bool extraStatistik)
    : serie_(std::make_unique<TSimSerie>()), extraStatistik_(extraStatistik) {
    TSpielsitzung& s = serie_->Sitzung();
    s.Einstellungen = g.Einstellungen;
    s.ExpertenEinstellungen = g.ExpertenEinstellungen;
    s.Menue = g.Menue;
    s.Zufall = g.Zufall;
    s.Log = g.Log;
    s.Log.TraceAn = false;
    s.Log.Weiterleitung = nullptr;
    s.ProfilOrdner = g.ProfilOrdner;
    s.AnzahlFehler = g.AnzahlFehler;
    s.SetzeFehlerSenke(this);
    serie_->Vorbereiten(spiele);
    if (extraStatistik_) serie_->SetzeBeobachter(this);
    serie_->SetzeFortschritt([this](int64_t n) { SpielGezaehlt(n); });
    punkte_.SpielerAnzahl = serie_->Statistik().SpielerAnzahl;
    serie_->SetzeErgebnisSenke([this](const TSpielErgebnis* e, size_t n) {
        for (size_t i = 0; i < n; ++i) punkte_.Spiel(e[i]);
    });
}

TSimulationsLauf::~TSimulationsLauf() {
    if (!thread_) return;
    Abbrechen();
    thread_->wait();
}

void TSimulationsLauf::Starten() {
    gemeldet_ = std::chrono::steady_clock::now();
    thread_.reset(QThread::create([this] { serie_->Laufen(); }));
    // Emitted by the ending thread, received here on the window's.
    connect(thread_.get(), &QThread::finished, this, &TSimulationsLauf::Beendet);
    thread_->start();
}

void TSimulationsLauf::Uebergeben(TSpielsitzung& g, TSimStatistik& statistik) const {
    const TSpielsitzung& s = serie_->Sitzung();
    // What a set-up in the window's session clears (the person's marks among it), then the last game.
    g.ZustandZuruecksetzen();
    g.S = s.S;
    g.Platz = s.Platz;
    g.AktionenImZug = s.AktionenImZug;
    g.StrategiewechselTiefe = s.StrategiewechselTiefe;
    g.Zufall = s.Zufall;
    g.AnzahlFehler = s.AnzahlFehler;
    statistik = serie_->Statistik();
}

void TSimulationsLauf::Melde(std::string_view meldung) {
    emit Fehler(Q(meldung));
}

void TSimulationsLauf::NachWertung(int) {
    char zeile[ExtraStatistikZeileMax];
    const size_t n = ExtraStatistikZeile(serie_->Sitzung(),
                                         serie_->Versatz() + serie_->Statistik().AnzahlSpiele + 1, zeile);
    extraZeilen_.emplace_back(zeile, n);
}

void TSimulationsLauf::SpielGezaehlt(int64_t spiele) {
    const auto jetzt = std::chrono::steady_clock::now();
    if (spiele > 1 && spiele < serie_->Geplant() && jetzt - gemeldet_ < std::chrono::milliseconds(40)) return;
    gemeldet_ = jetzt;
    emit Fortschritt(spiele);
}

} // namespace vm::ui
