// The trace window: shows the session's trace log, clears it, saves it, can stay on top.
#pragma once

#include <QWidget>
#include <cstddef>
#include <functional>

#include "core/trace.h"

class QCheckBox;
class QDialog;
class QPlainTextEdit;
class QPushButton;

namespace vm::ui {

class TTraceFenster : public QWidget {
    Q_OBJECT
public:
    TTraceFenster(TTraceLog& log, std::function<int(QDialog&)> dialogLauf, QString programmordner);

    // Shows the lines added to the log since the last call.
    void Auffrischen();
    // The log was replaced: shows it afresh.
    void Neu();

    QPlainTextEdit* Memo() const { return memo_; }
    QCheckBox* ImmerVorn() const { return vorn_; }
    QPushButton* Loeschen() const { return loeschen_; }
    QPushButton* Speichern() const { return speichern_; }
    QPushButton* Schliessen() const { return schliessen_; }

    // Writes the log to `datei`; an error box when that fails.
    bool SpeichernNach(const QString& datei);

signals:
    // Closed by its close box or "&Schließen".
    void Geschlossen();

public slots:
    void SpeichernKlick();
    void LoeschenKlick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    TTraceLog& log_;
    std::function<int(QDialog&)> dialogLauf_;
    QString programmordner_;
    size_t gezeigt_ = 0;
    QPlainTextEdit* memo_;
    QCheckBox* vorn_;
    QPushButton *loeschen_, *speichern_, *schliessen_;
};

} // namespace vm::ui
