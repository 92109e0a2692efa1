// The correction dialog: choose a card and what to do with the clicked table card.
#pragma once

#include <QDialog>

#include "control/korrektur.h"
#include "ui/kartenbild.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vm {
class TSprache;
}

namespace vm::ui {

class TKorrekturFenster : public QDialog {
    Q_OBJECT
public:
    // `katalog` gives the pictures and hints, as the board shows them.
    TKorrekturFenster(TKorrekturDialogZustand& zustand, const TKatalog& katalog, const TKartenbilder& bilder,
                      const TSprache& sprache, QWidget* eltern);

    // Before every showing: the number of the clicked card (outside 1..49 it becomes 1).
    void Vorbereiten(int32_t inx);

    QSpinBox* Nummer() const { return nummer_; }
    TKartenBild* Bild() const { return bild_; }
    QRadioButton* Wahl(KorrekturAktion a) const { return wahl_[static_cast<int>(a)]; }
    QPushButton* OkKnopf() const { return ok_; }
    QPushButton* AbbruchKnopf() const { return abbruch_; }

public slots:
    void accept() override;
    void reject() override;

private:
    void KarteZeigen();

    TKorrekturDialogZustand& z_;
    const TKatalog& katalog_;
    const TSprache& sprache_;
    TKartenBild* bild_;
    QLabel* text_;
    QSpinBox* nummer_;
    QGroupBox* gruppe_;
    QRadioButton* wahl_[3];
    QPushButton* ok_;
    QPushButton* abbruch_;
    bool laedt_ = false;
};

} // namespace vm::ui
