// The main window's settings, correction, end-of-game, info, scaling and help commands: their
// menu items and tool buttons, the Alt-clicks of the correction mode, the start screen, and the
// language file applied to every window.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "control/korrektur.h"
#include "persist/historie.h"
#include "ui/hilfemenue.h"
#include "ui/infofenster.h"

class QAction;
class QToolButton;

namespace vm::ui {

class THauptfenster;
class TEinstellungsFenster;
class TKorrekturFenster;
class TSpielendeFenster;
class TSprachanwendung;

class TFensterDialoge : public QObject {
    Q_OBJECT
public:
    // Adds the commands to the window's menus and tool bar; `anzeigeKatalog` is the catalogue the
    // board shows (the language file may have renamed its cards).
    TFensterDialoge(THauptfenster& f, const TKatalog& anzeigeKatalog);
    ~TFensterDialoge() override;

    // The locks of a loaded puzzle, a running simulation and the strength, for the commands here.
    void SperreAnwenden(const TSperre& s, bool simulation, bool experte);
    // The end of a game outside simulation: counters, highscores, the dialog.
    void Spielende();
    // After every phase scoring: the extra statistics line while they are switched on.
    void NachWertung();
    const std::vector<std::string>& ExtraStatistik() const { return memoStat_; }
    bool ExtraStatistikAn() const;
    // The lines of a series that ran on its own session.
    void ExtraStatistikAnhaengen(const std::vector<std::string>& zeilen);

    THilfeMenue& Hilfe() { return *hilfe_; }
    TSprachanwendung& Sprache() { return *sprache_; }
    TEinstellungsFenster& Einstellungen() { return *einstellungen_; }
    TKorrekturFenster& Korrektur() { return *korrektur_; }
    TSpielendeFenster* SpielendeFenster() const { return spielende_.get(); }
    TInfoFenster* Startbild() const { return startbild_; }
    QToolButton* KorrekturKnopf() const { return korrekturKnopf_; }
    QToolButton* StrategienKnopf() const { return strategienKnopf_; }
    QToolButton* HilfeKnopf() const { return hilfeKnopf_; }

public slots:
    void StrategienKlick();
    void KorrekturmodusKlick();
    void ExtraStatistikKlick();
    void SkalierungKlick();
    void UeberKlick();
    // Alt-clicks: a table picture of the shown seat, a seat's money label.
    void KorrekturTischKlick(int sitz, int position);
    void KorrekturGeldKlick(int sitz, Qt::MouseButton taste);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void StartbildZeigen();
    void KorrekturSetzen(bool an);
    // Check marks and status panels 4 and 6 as the session has them.
    void KorrekturAnzeigen();
    int GezeigterSitz() const;

    THauptfenster& f_;
    const TKatalog& anzeige_;
    std::unique_ptr<TSprachanwendung> sprache_;
    std::unique_ptr<TEinstellungsFenster> einstellungen_;
    TKorrekturDialogZustand korrekturZustand_;
    std::unique_ptr<TKorrekturFenster> korrektur_;
    std::unique_ptr<TSpielendeFenster> spielende_;
    QPointer<TInfoFenster> startbild_;
    THilfeMenue* hilfe_ = nullptr;
    QAction* strategien_ = nullptr;
    QAction* korrekturAktion_ = nullptr;
    QAction* extra_ = nullptr;
    QToolButton* korrekturKnopf_ = nullptr;
    QToolButton* strategienKnopf_ = nullptr;
    QToolButton* hilfeKnopf_ = nullptr;
    std::vector<std::string> memoStat_; // the extra statistics lines while switched on
    bool aktiviert_ = false;
};

} // namespace vm::ui
