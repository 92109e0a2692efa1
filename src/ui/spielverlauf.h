// The move list beside the board ("Spielverlauf"): a panel in the column of the stacks and the
// pass button, so that it scales with the board and needs no room of its own; the options menu
// hides and shows it.
#pragma once

#include <QWidget>
#include <cstdint>

#include "control/spielverlauf.h"

class QLabel;
class QListWidget;

namespace vm::ui {

class TSpielverlaufFenster : public QWidget {
    Q_OBJECT
public:
    TSpielverlaufFenster(const TSpielverlauf& verlauf, const QString& titel, QWidget* eltern);

    // Brings the rows in line with the list: new lines are appended, lines taken back (undo, a
    // new game) rebuild it.
    void Auffrischen();
    QListWidget* Liste() const { return liste_; }
    QLabel* Titel() const { return titel_; }

private:
    const TSpielverlauf& verlauf_;
    QLabel* titel_;
    QListWidget* liste_;
    uint32_t stand_;
};

} // namespace vm::ui
