// The observatory dialog and the pub dialog: views of the human controller's dialog state.
#pragma once

#include <QDialog>
#include <vector>

#include "control/mensch.h"
#include "ui/kartenbild.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vm::ui {

class TSternwartenFenster : public QDialog {
    Q_OBJECT
public:
    TSternwartenFenster(TSternwartenDialog& d, const TKatalog& katalog, const TKartenbilder& bilder,
                        QWidget* eltern);

    QPushButton* Ziehen() const { return ziehen_; }
    QPushButton* Kaufen() const { return kaufen_; }
    QPushButton* Hand() const { return hand_; }
    QPushButton* Abwurf() const { return abwurf_; }
    QPushButton* Abbruch() const { return abbruch_; }
    const std::vector<QRadioButton*>& Stapel() const { return stapel_; }
    TKartenBild* Bild() const { return bild_; }

public slots:
    void reject() override; // Escape cancels only before a card is drawn

private:
    void Gezogen();

    TSternwartenDialog& d_;
    const TKatalog& katalog_;
    TKartenBild* bild_;
    std::vector<QRadioButton*> stapel_;
    QPushButton *ziehen_, *kaufen_, *hand_, *abwurf_, *abbruch_;
};

class TSchenkeFenster : public QDialog {
    Q_OBJECT
public:
    TSchenkeFenster(const TSchenkeDialog& d, const TKartenbilder& bilder, QWidget* eltern);

    QSpinBox* Zahl() const { return zahl_; }
    QPushButton* Ok() const { return ok_; }
    // The number shown when "OK" was pressed; 0 otherwise.
    int32_t Punkte() const { return punkte_; }

public slots:
    void reject() override {} // only "OK" closes it

private:
    QSpinBox* zahl_;
    QPushButton* ok_;
    int32_t punkte_ = 0;
};

} // namespace vm::ui
