// Shared by the window tests: a window on a fresh profile folder whose dialogs are answered by
// the test, clicks on its controls, and the registry of the test classes.
#pragma once

#include <QDialog>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/hauptfenster.h"

namespace vm::uitest {

using Erzeuger = std::function<std::unique_ptr<QObject>()>;
std::vector<std::pair<const char*, Erzeuger>>& Klassen();

struct Registrierung {
    Registrierung(const char* name, Erzeuger e) { Klassen().emplace_back(name, std::move(e)); }
};
#define VELDMARK_UITEST(K)                                                                                   \
    static const vm::uitest::Registrierung registrierung_##K(#K, [] { return std::make_unique<K>(); })

// Every dialog the window opened, and the answers the test has lined up. A message box without
// a lined-up answer is confirmed; any other dialog without one is rejected and counted as unexpected.
struct Dialoge {
    struct Gesehen {
        QString klasse, name, titel, text;
    };
    std::vector<Gesehen> gesehen;
    std::deque<std::function<int(QDialog&)>> antworten;
    int unerwartet = 0;

    int operator()(QDialog& d);
    int Anzahl(const QString& titel) const;
    // Lines up an answer for the next dialog of type D; any other dialog there is rejected.
    template <class D> void Antworte(std::function<int(D&)> antwort) {
        antworten.push_back([antwort](QDialog& d) {
            auto* passend = qobject_cast<D*>(&d);
            return passend ? antwort(*passend) : int(QDialog::Rejected);
        });
    }
    // The next file dialog chooses `datei`.
    void WaehleDatei(const QString& datei);
};

class Umgebung {
public:
    // A window of the program in `programmordner` (the build folder with "Karten" by default).
    // On a profile that holds `profil` before the start, when given, and a screen whose free
    // area is `bildschirm`.
    explicit Umgebung(const QString& programmordner = QString(), bool zeigen = true,
                      const QString& profil = QString(), QSize bildschirm = QSize(1280, 800));
    ~Umgebung();

    ui::THauptfenster& F() { return *f_; }
    TSpielsitzung& G() { return f_->Sitzung(); }
    Dialoge& D() { return *dialoge_; }
    QString Profilordner() const { return profil_.path(); }
    QString Profil() const { return Lies(profil_.path() + "/Veldmark.ini"); }

    // A new game from a fixed seed with `spieler` seats and the given strength.
    void NeuesSpiel(int spieler, uint32_t seed, int32_t staerke = 41);
    // Timer ticks until seat 1 may act or the game is over; false when it never came.
    bool BisMenschAmZug(int hoechstens = 5000);
    // Seat 1 passes by the button and the computers move until it is on turn again.
    void Passen();
    // Seat 1 passes at every turn until the game is over.
    void Durchspielen();
    void Ticks(int n);
    // "&Simulation starten", waiting for the run's end; false when none started or it never ended.
    bool Simulieren();

    static QString Lies(const QString& pfad);

private:
    QTemporaryDir profil_;
    std::shared_ptr<Dialoge> dialoge_;
    std::unique_ptr<ui::THauptfenster> f_;
};

// A program folder with the build's card pictures and help, and a language file when given.
struct Programm {
    QTemporaryDir ordner;
    explicit Programm(const QByteArray& sprache);
    QString Pfad() const { return ordner.path(); }
};
QByteArray Englisch();

QString Programmordner();
bool Gleich(const TSpielstand& a, const TSpielstand& b);
void Klick(QWidget* w, Qt::MouseButton taste = Qt::LeftButton, Qt::KeyboardModifiers tasten = Qt::NoModifier);
void Doppelklick(QWidget* w);
// The picture's place in the window.
QRect ImFenster(QWidget* w);

} // namespace vm::uitest
