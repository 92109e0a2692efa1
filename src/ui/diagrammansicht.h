// Charts of simulation results drawn with Qt Charts: one chart from the simulator's chart data,
// pictures of it (PNG, SVG), the dialog with one tab per chart, and the headless mode that
// writes the charts of a JSON result file.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QSize>
#include <iosfwd>
#include <string>
#include <vector>

#include "sim/diagramme.h"
#include "ui/hauptfenster.h"

class QChart;
class QTabWidget;

namespace vm::ui {

// The chart of `d`; the caller owns it.
QChart* DiagrammChart(const TDiagramm& d);

inline constexpr QSize DiagrammGroesse{900, 600};

// The chart as an SVG document or a PNG picture of `groesse` pixels.
QByteArray DiagrammSvg(const TDiagramm& d, QSize groesse = DiagrammGroesse);
QByteArray DiagrammPng(const TDiagramm& d, QSize groesse = DiagrammGroesse);

// Writes the picture through a temporary file that takes the name `pfad` only when complete;
// false with the reason in `fehler`.
bool DiagrammSpeichern(const TDiagramm& d, const std::string& pfad, bool svg, const TTexte& texte,
                       std::string& fehler);

// "veldmark --diagramme RESULT.json DIR": the charts of a result file as SVG files in DIR
// (created when missing). Exit code 0, or 1 after a message on `err`.
int DiagrammeSchreiben(const std::string& json, const std::string& ordner, std::ostream& err);

// The charts, one tab each, with buttons that save the chart shown as PNG or SVG.
class TDiagrammFenster : public QDialog {
    Q_OBJECT
public:
    // `lauf` runs the file dialog and the error boxes; `ordner` is where the file dialog starts.
    TDiagrammFenster(std::vector<TDiagramm> diagramme, const TTexte& texte, TDialogLauf lauf, QString ordner,
                     QWidget* eltern);
    QTabWidget* Seiten() const { return seiten_; }
    // The work of the save buttons once the file is chosen; false after the error box.
    bool Speichern(const QString& datei, bool svg);

private:
    void SpeichernKlick(bool svg);

    std::vector<TDiagramm> diagramme_;
    const TTexte& texte_;
    TDialogLauf lauf_;
    QString ordner_;
    QTabWidget* seiten_ = nullptr;
};

} // namespace vm::ui
