// The settings dialog "Einstellungen": the widgets over the Qt-free dialog model.
#pragma once

#include <QDialog>
#include <vector>

#include "control/einstellungsdialog.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace vm {
class TSprache;
}

namespace vm::ui {

class TEinstellungsFenster : public QDialog {
    Q_OBJECT
public:
    TEinstellungsFenster(TStrategieeinstellungen& e, const TSprache& sprache, QWidget* eltern);

    // Every showing: backup taken, every control reloaded from the record of this player count,
    // texts from the language file, the first page in front.
    void Vorbereiten(int spielerAnzahl);

    TEinstellungsDialog& Modell() { return modell_; }
    QTabWidget* Seiten() const { return seiten_; }
    QCheckBox* Simulation() const { return sim_; }
    // The control of field `feld` on page `seite` (the check box's page field 0 has none).
    QSpinBox* Feld(int seite, int feld) const;
    QPlainTextEdit* Beschreibung() const { return beschreibung_; }
    QPushButton* OkKnopf() const { return ok_; }
    QPushButton* AbbruchKnopf() const { return abbruch_; }

public slots:
    void accept() override; // "OK"
    void reject() override; // "Abbruch", also Escape

private:
    void TexteSetzen();
    void WerteLaden();

    TEinstellungsDialog modell_;
    const TSprache& sprache_;
    QTabWidget* seiten_;
    QCheckBox* sim_ = nullptr;
    QPlainTextEdit* beschreibung_ = nullptr;
    QLabel* beschreibungTitel_ = nullptr;
    QLabel* anzahlSimText_ = nullptr;
    std::vector<QLabel*> kopf_;   // "Spieler", "Strategie", "Geld", "Rolle"
    std::vector<QLabel*> zeilen_; // "Spieler 1" .. "Spieler 4"
    std::vector<std::vector<QSpinBox*>> felder_;
    QPushButton* ok_;
    QPushButton* abbruch_;
    bool laedt_ = false;
};

} // namespace vm::ui
