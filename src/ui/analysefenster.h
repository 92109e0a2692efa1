// "Stellung analysieren": who wins from the position on the board. Each seat's winning chance
// with its interval and mean final points, and for seat 1 on turn each legal action's chance,
// played out on a copy of the game off the window's thread; the game itself is never touched.
#pragma once

#include <QDialog>
#include <QThread>
#include <QTimer>
#include <memory>

#include "model/sitzung.h"
#include "persist/texte.h"
#include "sim/analyse.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace vm::ui {

class TAnalyseFenster : public QDialog {
    Q_OBJECT
public:
    // Copies the game and starts at once; `spiele` imagined games per row.
    TAnalyseFenster(const TSpielsitzung& g, const TKatalog& anzeige, const TTexte& texte, int32_t spiele,
                    QWidget* eltern);
    // Stops a computation still going and waits for its thread.
    ~TAnalyseFenster() override;

    bool Fertig() const { return fertig_; }
    const TAnalyse& Ergebnis() const { return ergebnis_; }
    QProgressBar* Fortschritt() const { return fortschritt_; }
    QPushButton* Knopf() const { return knopf_; }
    QTableWidget* Sitze() const { return sitze_; }
    QTableWidget* Aktionen() const { return aktionen_; }
    QLabel* Kopf() const { return kopf_; }

public slots:
    // "Abbruch" while it computes, Escape and "Schließen": stops and waits, then closes.
    void reject() override;

signals:
    // The result stands in the tables.
    void Berechnet();

private:
    void Anhalten();
    void Auffrischen();
    void Beendet();

    const TKatalog& anzeige_;
    const TTexte& texte_;
    TSpielsitzung kopie_;
    TAnalyseOptionen optionen_;
    int64_t gesamt_ = 0;
    TSuchsteuerung steuerung_;
    TAnalyse ergebnis_;
    std::unique_ptr<QThread> thread_;
    QTimer takt_;
    bool fertig_ = false;
    QLabel* kopf_;
    QProgressBar* fortschritt_;
    QTableWidget* sitze_;
    QLabel* aktionenTitel_;
    QTableWidget* aktionen_;
    QPushButton* knopf_;
};

} // namespace vm::ui
