// A series of computer-only games started from the window, played by the simulator's series
// code on a thread of its own. The series has a session of its own: the window's stays
// untouched while it runs, and takes over the end of the run afterwards.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "model/sitzung.h"
#include "sim/diagramme.h"
#include "sim/serie.h"

namespace vm::ui {

class TSimulationsLauf : public QObject, private IFehlerSenke, private ISpielAblauf {
    Q_OBJECT
public:
    // Takes from the window's session what a run in it starts from: the settings, the menu
    // choices, the generator, the log that an internal fault saves and the profile folder.
    // `extraStatistik`: the line of every phase scoring is kept for the extra statistics.
    TSimulationsLauf(const TSpielsitzung& g, int64_t spiele, bool extraStatistik);
    // Stops a run still going and waits for its thread.
    ~TSimulationsLauf() override;

    void Starten();
    // The series stops after the game in progress.
    void Abbrechen() { serie_->Abbruch = true; }
    // After `Beendet`: the session as the run leaves it (the last game, its ranking, the
    // generator, the count of internal faults) and the statistics, into the window's.
    void Uebergeben(TSpielsitzung& g, TSimStatistik& statistik) const;
    const std::vector<std::string>& ExtraZeilen() const { return extraZeilen_; }
    // After `Beendet`: the victory points of every game, for the charts.
    const TPunkteVerteilung& Punkte() const { return punkte_; }

signals:
    // Games played so far, at most 25 times a second and after the last one.
    void Fortschritt(qint64 spiele);
    // An internal fault, with the text of its message box.
    void Fehler(const QString& meldung);
    // The thread has ended.
    void Beendet();

private:
    // On the worker thread.
    void Melde(std::string_view meldung) override;
    void NachWertung(int phase) override;
    void SpielGezaehlt(int64_t spiele);

    std::unique_ptr<TSimSerie> serie_;
    std::unique_ptr<QThread> thread_;
    bool extraStatistik_ = false;
    std::vector<std::string> extraZeilen_;
    TPunkteVerteilung punkte_; // filled on the worker thread
    std::chrono::steady_clock::time_point gemeldet_;
};

} // namespace vm::ui
