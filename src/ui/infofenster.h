// The end-of-game dialog, the info box and the scaling dialog.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

#include "control/spielende.h"
#include "ui/kartenbild.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace vm {
class TSprache;
}

namespace vm::ui {

// Four card pictures that the game loop changes one by one while the dialog is shown.
class TDekoration {
public:
    void Anlegen(const TKartenbilder& bilder, QWidget* eltern);
    // The next picture in rotation shows card `bild`.
    void Weiter(int bild);
    // Every 600 ms the next picture shows a random card; the game's generator is not touched.
    void Wechseln();
    TKartenBild* Bild(int i) const { return bilder_[static_cast<size_t>(i)]; }

private:
    std::array<TKartenBild*, 4> bilder_{};
    int naechstes_ = 0;
    QTimer* timer_ = nullptr;
};

class TSpielendeFenster : public QDialog {
    Q_OBJECT
public:
    static constexpr int Breite = 532, Hoehe = 319;

    TSpielendeFenster(const TKartenbilder& bilder, const TSprache& sprache, QWidget* eltern);

    // The effective scale of the main window: below 80 and above 120 % the dialog follows it.
    void Skalieren(int32_t scaleBy);
    void Fuellen(const TSpielendeDialog& d);
    // Everything the dialog says, line by line: headline, result, counters, opponents
    // ("Spieler 2: " and the name).
    QString Text() const;

    QLabel* Kopf() const { return kopf_; }
    QLabel* Ergebnis() const { return ergebnis_; }
    QLabel* AnzahlSpiele() const { return wert_[0]; }
    QLabel* Prozent() const { return wert_[1]; }
    QLabel* HighscoreText() const { return highscoreText_; }
    QLabel* Highscore() const { return wert_[2]; }
    QLabel* Gegner(int sitz) const { return gegner_[static_cast<size_t>(sitz - 2)]; }
    QPushButton* OkKnopf() const { return ok_; }
    TDekoration& Dekoration() { return deko_; }

private:
    const TSprache& sprache_;
    QLabel* kopf_;
    QLabel* ergebnis_;
    std::array<QLabel*, 2> text_{}; // "Anzahl Spiele gesamt:", "Davon gewonnen (Prozent):"
    std::array<QLabel*, 3> wert_{};
    QLabel* highscoreText_;
    QLabel* gegnerText_;
    std::array<QLabel*, 3> spieler_{}; // "Spieler 2" .. "Spieler 4"
    std::array<QLabel*, 3> gegner_{};
    QPushButton* ok_;
    TDekoration deko_;
};

class TInfoFenster : public QDialog {
    Q_OBJECT
public:
    static constexpr int Breite = 535, Hoehe = 245;
    static constexpr int Anzeigedauer = 3000; // ms as a start screen

    TInfoFenster(const TKartenbilder& bilder, const TSprache& sprache, QWidget* eltern);

    // From the menu: no timer, the statistics line and the OK button shown.
    void MitStatistik(const std::string& zeile);

    QTimer& Timer() { return timer_; }
    QLabel* Titel() const { return titel_; }
    QLabel* Version() const { return version_; }
    QLabel* Statistik() const { return statistik_; }
    QPushButton* OkKnopf() const { return ok_; }
    TDekoration& Dekoration() { return deko_; }

private:
    QTimer timer_;
    QLabel* titel_;
    QLabel* version_;
    QLabel* statistik_;
    QPushButton* ok_;
    TDekoration deko_;
};

class TSkalierungFenster : public QDialog {
    Q_OBJECT
public:
    static constexpr int Breite = 260, Hoehe = 172;

    TSkalierungFenster(const TSprache& sprache, QWidget* eltern);

    void Vorbereiten(int32_t scaleBy);
    int32_t Wert() const;
    QSpinBox* Zahl() const { return zahl_; }
    QPushButton* OkKnopf() const { return ok_; }
    QPushButton* AbbruchKnopf() const { return abbruch_; }

private:
    const TSprache& sprache_;
    QLabel* text_;
    QLabel* prozent_;
    QSpinBox* zahl_;
    QPushButton* ok_;
    QPushButton* abbruch_;
};

} // namespace vm::ui
