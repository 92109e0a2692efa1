// Game control: the game loop, new games, moves through the history, the trace and the simulation.
#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

#include "ai/compizug.h"
#include "control/laufendesspiel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "sim/statistik.h"
#include "ui/fensterdialoge.h"
#include "ui/hauptfenster.h"
#include "ui/qtext.h"
#include "ui/simulationslauf.h"
#include "ui/spielverlauf.h"
#include "ui/tracefenster.h"

namespace vm::ui {

// ---- the game loop ----

void THauptfenster::SpielTakt() {
    if (schliessen_ > 0) {
        if (++schliessen_ >= 5) close();
        return;
    }
    if (g_.SimulationLaeuft) return;
    const int sitz = g_.S.AktuellerSpieler;
    const bool mensch = sitz >= 1 && sitz <= 4 && !g_.S.Computer[sitz];
    if (mensch) menschWarAmZug_ = true;
    takt_ = (takt_ + 1) % 10000;
    if (einzelschritt_) {
        if (!schrittAngefordert_) return;
        schrittAngefordert_ = false;
    }
    if (mensch || compiZugLaeuft_) return;
    if (menschWarAmZug_) {
        menschWarAmZug_ = false;
        compiTakte_ = 0;
        if (!einzelschritt_) {
            // The first computer move after a human turn waits one tick.
            takt_ = (takt_ + 9999) % 10000;
            return;
        }
    }
    // The pace: a computer move every Tempo ms, in whole ticks; a step in single-step mode
    // does not wait.
    if (!einzelschritt_ && ++compiTakte_ * TimerIntervall < profil_.W.Tempo) return;
    compiTakte_ = 0;
    compiZugLaeuft_ = true;
    VorComputerzug(g_, historie_);
    CompiZug(g_);
    compiZugLaeuft_ = false;
    NachAktion();
}

void THauptfenster::NachAktion() {
    TraceAuffrischen();
    if (Bremse()) return;
    TippPruefen();
    TippSperre();
    verlaufFenster_->Auffrischen();
    HinweisAuffrischen();
}

void THauptfenster::EinzelschrittKlick() {
    einzelschritt_ = aktionen_["Einzelschritt"]->isChecked();
    schrittAngefordert_ = false;
    next_->setVisible(einzelschritt_);
}

void THauptfenster::NaechsterSchrittKlick() {
    if (einzelschritt_) schrittAngefordert_ = true;
}

void THauptfenster::PasseKlick() {
    mensch_.Passe();
    NachAktion();
}

void THauptfenster::ProgrammEnde() {
    if (schliessen_ == 0 && !SpielVerwerfen()) return;
    schliessen_ = 4;
}

void THauptfenster::NeuesSpielKlick() {
    vm::AuswahlAufheben(g_);
    if (g_.SimulationLaeuft || historie_.Sperre.NeuesSpiel) return;
    if (!SpielVerwerfen()) return;
    // Seat 1 is the person's in every game that is no simulation run; a series runs only by
    // its own command.
    g_.S.Computer[1] = 0;
    mensch_.Zuruecksetzen();
    takt_ = 0;
    menschWarAmZug_ = false;
    schrittAngefordert_ = false;
    compiTakte_ = 0;
    verlauf_->Leeren();
    NeuesSpielMitHistorie(g_, historie_);
    HistorieGesichert(0);
    HistorieSteuerung();
    NachAktion();
}

// After a step through the history: the board shows the entry, the buttons follow.
void THauptfenster::HistorieSchritt(bool gesprungen) {
    HistorieGesprungen(gesprungen);
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::RueckgaengigKlick() {
    HistorieSchritt(historie_.Rueckgaengig(g_));
}

void THauptfenster::WiederherstellenKlick() {
    HistorieSchritt(historie_.Wiederherstellen(g_));
}

void THauptfenster::GanzZurueckKlick() {
    HistorieSchritt(historie_.GanzZurueck(g_));
}

void THauptfenster::GanzVorKlick() {
    HistorieSchritt(historie_.GanzVor(g_));
}

// ---- trace ----

void THauptfenster::TraceKlick() {
    TraceSchalten(aktionen_["Trace"]->isChecked());
}

void THauptfenster::TraceSchalten(bool an) {
    aktionen_["Trace"]->setChecked(an);
    g_.Log.TraceAn = an;
    if (an) {
        // Every switching-on starts the log afresh with the start-up information.
        g_.Log.Leeren();
        for (const std::string& z : traceStartup_) g_.Log.Zeile(z);
        trace_->Neu();
        trace_->show();
        status_[5]->setText("Trace on");
    } else {
        trace_->hide();
        status_[5]->setText("  ");
    }
}

void THauptfenster::TraceAuffrischen() {
    if (trace_->isVisible()) trace_->Auffrischen();
}

// ---- simulation ----

void THauptfenster::SimulationAbbruchKlick() {
    if (simulation_) simulation_->Abbrechen();
}

void THauptfenster::SimulationKlick() {
    vm::AuswahlAufheben(g_);
    if (!SimulationStartbar(g_, historie_) || !SpielVerwerfen()) return;
    SimulationStarten();
}

void THauptfenster::SimulationStarten() {
    const int32_t anzahl = g_.Einstellungen.Fuer(g_.Menue.SpielerAnzahl).AnzahlSim;
    if (anzahl <= 0) return;
    TippVerwerfen();
    g_.SimulationLaeuft = true;
    // Nobody tells the simulated games; the list of the last game goes with the board.
    g_.SetzeEreignisse(nullptr);
    verlauf_->Leeren();
    gauge_->setRange(0, anzahl);
    gauge_->setValue(0);
    gauge_->show();
    abbruch_->show();
    SperreAnwenden();
    if (g_.Log.TraceAn) TraceSchalten(false);
    g_.S.Computer[1] = 1;
    simulation_ = std::make_unique<TSimulationsLauf>(g_, anzahl, fensterDialoge_->ExtraStatistikAn());
    connect(simulation_.get(), &TSimulationsLauf::Fortschritt, this,
            [this](qint64 n) { gauge_->setValue(static_cast<int>(n)); });
    connect(simulation_.get(), &TSimulationsLauf::Fehler, this,
            [this](const QString& m) { Melde(m.toStdString()); });
    connect(simulation_.get(), &TSimulationsLauf::Beendet, this, &THauptfenster::SimulationBeendet);
    simulation_->Starten();
}

void THauptfenster::SimulationBeendet() {
    // Over: "Abbruch" and closing the window no longer reach the run.
    std::unique_ptr<TSimulationsLauf> lauf = std::move(simulation_);
    if (!lauf) return;
    lauf->Uebergeben(g_, *statistik_);
    diagramme_ = SerienDiagramme(*statistik_, lauf->Punkte(), texte_);
    fensterDialoge_->ExtraStatistikAnhaengen(lauf->ExtraZeilen());
    gauge_->hide();
    abbruch_->hide();
    g_.SimulationLaeuft = false;
    g_.SetzeEreignisse(verlauf_.get());

    if (!g_.Log.TraceAn) TraceSchalten(true);
    const QString punkt = QLocale().decimalPoint();
    const char dezimal = punkt.isEmpty() ? '.' : punkt.at(0).toLatin1();
    StatistikBericht(*statistik_, katalog_, g_.Zufall.RandSeed, dezimal == 0 ? '.' : dezimal,
                     [this](std::string_view z) { g_.Log.Zeile(std::string(z)); });
    SperreAnwenden();
    SpielfeldAnzeigen();
    NachAktion();
    emit SimulationFertig();
    if (schliessenNachSimulation_) close();
}

} // namespace vm::ui
