// The main window: the board of one game session, the 200 ms game loop, the menus, the tool
// buttons and the status bar. It is the rules' board view and receives their hooks.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "control/mensch.h"
#include "control/spielverlauf.h"
#include "control/tipp.h"
#include "model/sitzung.h"
#include "persist/historie.h"
#include "persist/profil.h"
#include "persist/texte.h"
#include "sim/diagramme.h"
#include "sim/statistik.h"
#include "ui/kartenbild.h"
#include "ui/massstab.h"

class QAction;
class QActionGroup;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QScreen;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace vm::ui {

class TFensterDialoge;
class TSimulationsLauf;
class TTippLauf;
class TSpielverlaufFenster;
class TTraceFenster;

// Runs a modal dialog and returns its result. Tests answer the dialogs through their own.
using TDialogLauf = std::function<int(QDialog&)>;

struct TStartOptionen {
    QString Programmordner;       // the folder of the program: "Karten" lies there
    QString Profilordner;         // the first command-line argument; empty: the program folder
    TDialogLauf DialogLauf;       // empty: QDialog::exec
    int32_t Bildschirmbreite = 0; // 0: the primary screen's
    QRect Bildschirm;             // the free area of the screen; empty: the starting screen's
};

class THauptfenster : public QMainWindow,
                      public IBrett,
                      public ISpielAblauf,
                      public IFehlerSenke,
                      public IMenschAnzeige,
                      public IMenschDialoge {
    Q_OBJECT
public:
    static constexpr int TimerIntervall = 200;

    explicit THauptfenster(const TStartOptionen& optionen);
    ~THauptfenster() override;

    // The start-up ended with a fatal message: the program ends with this code.
    int StartFehler() const { return startFehler_; }

    TSpielsitzung& Sitzung() { return g_; }
    THistorie& Historie() { return historie_; }
    TProfil& Profil() { return profil_; }
    TMensch& Mensch() { return mensch_; }
    TTraceFenster& Trace() { return *trace_; }
    QTimer& Timer() { return timer_; }
    void SetzeDialogLauf(TDialogLauf lauf) { dialogLauf_ = std::move(lauf); }
    int DialogAusfuehren(QDialog& d);

    // Controls, for the tests and the screenshot tool.
    TKartenBild* AuslageBild(int reihe, int platz) const { return auslage_[reihe - 1][platz - 1]; }
    TKartenBild* TischBild(int sitz, int position) const { return sitze_[sitz - 1].tisch[position - 1]; }
    TKartenBild* HandBild(int sitz, int platz) const { return sitze_[sitz - 1].hand[platz - 1]; }
    TKartenBild* LetzteKarteBild(int sitz) const { return sitze_[sitz - 1].letzte; }
    QLabel* GeldLabel(int sitz) const { return sitze_[sitz - 1].geld; }
    QLabel* PunkteLabel(int sitz) const { return sitze_[sitz - 1].punkte; }
    QLabel* AktionLabel(int sitz) const { return sitze_[sitz - 1].aktion; }
    QLabel* StartLabel(int sitz) const { return sitze_[sitz - 1].start; }
    QFrame* SitzBox(int sitz) const { return sitze_[sitz - 1].box; }
    QLabel* StapelLabel(int k) const { return stapel_[k - 1]; }
    QLabel* Statusfeld(int i) const { return status_[static_cast<size_t>(i)]; }
    QTabWidget* Seiten() const { return seiten_; }
    QWidget* AuslageFlaeche() const { return auslageFlaeche_; }
    QWidget* HandFlaeche() const { return sitze_[0].handFlaeche; }
    QPushButton* PasseKnopf() const { return passe_; }
    QPushButton* NextKnopf() const { return next_; }
    QPushButton* AbbruchKnopf() const { return abbruch_; }
    QProgressBar* Fortschritt() const { return gauge_; }
    QAction* Aktion(const QString& name) const;
    QToolButton* Knopf(const QString& name) const;
    const TKartenbilder& Bilder() const { return bilder_; }
    const QString& Programmordner() const { return programmordner_; }
    // The settings, correction, end-of-game, info, scaling and help commands.
    TFensterDialoge& Fensterdialoge() const { return *fensterDialoge_; }
    // The catalogue the board shows: a language file renames its cards, not the game's own.
    const TKatalog& AnzeigeKatalog() const { return anzeigeKatalog_; }
    QAction* StaerkeAktion(int32_t tag) const;
    const std::vector<std::string>& TraceMemoStartup() const { return traceStartup_; }
    int32_t Takt() const { return takt_; }
    bool MenschWarAmZug() const { return menschWarAmZug_; }
    bool SimulationLaeuft() const { return g_.SimulationLaeuft; }
    const TSimStatistik& Statistik() const { return *statistik_; }
    // The charts of the last series; empty before the first.
    const std::vector<TDiagramm>& Diagramme() const { return diagramme_; }
    // The move list, its dock, and the status bar's panel for what the person is asked to do,
    // why a click was refused and what a marked target costs.
    const TSpielverlauf& Verlauf() const { return *verlauf_; }
    TSpielverlaufFenster* VerlaufFenster() const { return verlaufFenster_; }
    QLabel* Hinweisfeld() const { return hinweis_; }
    // The pace of the computer seats in ms (the profile's "Tempo").
    void SetzeTempo(int32_t ms);
    // The standard left and top of table positions 1..32.
    QPoint Standardort(int position) const;
    // The scale the board is drawn at: the profile's, or less where the screen is smaller.
    const TMassstab& Massstab() const { return massstab_; }
    // The hint's budget of imagined games (the strong one unless a test asks for less).
    void SetzeTippBudget(int32_t spiele) { tippBudget_ = spiele; }
    // The analysis' imagined games per row (the seats, and each of seat 1's actions).
    void SetzeAnalyseSpiele(int32_t spiele) { analyseSpiele_ = spiele; }
    bool TippLaeuft() const;
    // The controls that carry the hint's mark now.
    std::vector<QWidget*> TippMarken() const;

    // IBrett: every refresh the rules request; nothing while a simulation runs.
    void GeldAnzeigen(int spieler) override;
    void SiegpunkteAnzeigen(int spieler) override;
    void LetzteAktionAnzeigen(int spieler) override;
    void AuslageAnzeigen(int reihe, int platz) override;
    void StapelAnzeigen(int stapel) override;
    void PhaseAnzeigen() override;
    void RundeAnzeigen() override;
    void SpielerAnzahlAnzeigen() override;
    void StartspielerAnzeigen() override;
    void AmZugAnzeigen() override;
    void HandAnzeigen(int spieler, int platz) override;
    void TischpositionAnzeigen(int spieler, int position) override;
    void TischpositionAnheben(int spieler, int position, bool hoch) override;
    void TischAnzeigen(int spieler) override;
    void SpielfeldAnzeigen() override;
    void AuswahlAufheben() override;

    // ISpielAblauf
    void SpielstaerkeAnwenden() override;
    void HistorieEintrag() override;
    void SpielendeAnzeigen() override;
    void NachWertung(int phase) override;

    // IFehlerSenke: the error box of an internal fault.
    void Melde(std::string_view meldung) override;

    // IMenschAnzeige
    void AuslageAnheben(int reihe, int platz, bool hoch) override;
    void HandAnheben(int platz, bool hoch) override;
    void HandZielZeigen(int platz, bool zeigen) override;

    // IMenschDialoge: the observatory and the pub dialog.
    void Sternwarte(TSternwartenDialog& d) override;
    int32_t Schenke(const TSchenkeDialog& d) override;

public slots:
    // The game loop's tick, every TimerIntervall ms.
    void SpielTakt();
    void NeuesSpielKlick();
    // "&Simulation starten": a series when the settings of the chosen player count ask for one.
    void SimulationKlick();
    void ProgrammEnde();
    void EinzelschrittKlick();
    void PasseKlick();
    void NaechsterSchrittKlick(); // "Next" in single-step mode
    void SimulationAbbruchKlick();
    void TraceKlick();
    void RueckgaengigKlick();
    void WiederherstellenKlick();
    void GanzZurueckKlick();
    void GanzVorKlick();
    void SpielLadenKlick();
    void SpielSpeichernKlick();
    // The work of the file dialogs' OK, for a file already chosen.
    void SpielLaden(const QString& datei);
    void SpielSpeichern(const QString& datei);
    // "&Diagramme…": the charts of the last series; "Diagramme aus &Ergebnisdatei…": those of a
    // result file the simulator wrote with --json.
    void DiagrammeKlick();
    void DiagrammeAusDateiKlick();
    void DiagrammeAusDatei(const QString& datei);
    // "&Tipp": searches seat 1's move on a copy of the game, then marks it and says it.
    void TippKlick();
    // "Stellung &analysieren ...": the dialog of who wins from the position on the board.
    void AnalyseKlick();

signals:
    // A series has ended and its report stands in the trace.
    void SimulationFertig();
    // A hint's search has ended: its result is shown, or dropped when the game went on meanwhile.
    void TippFertig();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    struct TSitz {
        QFrame* box = nullptr;
        QLabel* name = nullptr;
        QLabel* geld = nullptr;
        QLabel* punkte = nullptr;
        QLabel* aktion = nullptr;
        QLabel* start = nullptr;
        TKartenBild* letzte = nullptr;
        QWidget* seite = nullptr;
        QWidget* handFlaeche = nullptr;
        std::array<TKartenBild*, MaxTischpositionen> tisch{};
        std::array<TKartenBild*, 4> hand{};
    };

    void MenueAufbauen();
    // The central board and the status bar at the scale `massstab_`. Runs again at start-up
    // when the screen needs a smaller scale; whatever else is beside the board (tool bar,
    // docks) is built elsewhere and stays.
    void BrettAufbauen();
    // The largest scale up to the profile's at which the window fits the screen it starts on.
    void BildschirmAnpassen(int32_t gewuenscht);
    // The free area (without panels) of the screen the window starts on.
    QRect Startbildschirm() const;
    int Px(int n) const { return massstab_.Px(n); }
    QWidget* SitzBoxAufbauen(int sitz);
    QWidget* TischSeiteAufbauen(int sitz);
    void Startbrett();
    void TischOrdnen(int sitz);
    void ZeigeHandkarte(int sitz, int platz);
    void ZeigeTischkarte(int sitz, int position);
    void HistorieSteuerung();
    void SperreAnwenden();
    void StaerkeMenue();
    void SpielerAnzahlWaehlen(int n);
    void SimulationStarten();
    void SimulationBeendet();
    void DiagrammeZeigen(std::vector<TDiagramm> diagramme);
    // Asks before the game on the board is lost, when it must; true when the command may go on.
    bool SpielVerwerfen();
    void TraceSchalten(bool an);
    void TraceAuffrischen();
    void NachAktion();
    void MeldungZeigen(const QString& titel, const QString& text);
    QString Dateiname(bool speichern);
    bool Bremse() const { return g_.SimulationLaeuft; }
    // An interface text in the language of the language file.
    QString Tx(const char* text) const;
    // The move list's dock, the hint panel and the pace menu, in `optionen`.
    void VerlaufAufbauen(QMenu* optionen);
    void HinweisAuffrischen();
    void HinweisZeigen(const std::string& text);
    void HistorieGesichert(int32_t vorher);
    void HistorieGesprungen(bool ok);
    void HistorieSchritt(bool gesprungen);
    // The hint: its end, its mark on the board, the end of both when the game moves on, and
    // when it may be asked for.
    void TippBeendet();
    void TippMarkeZeigen(bool an);
    void TippVerwerfen();
    void TippPruefen();
    void TippSperre();

    TKatalog katalog_;
    TKatalog anzeigeKatalog_;
    TSpielsitzung g_;
    TTexte texte_;
    THistorie historie_;
    TProfil profil_;
    TMensch mensch_;
    TKartenbilder bilder_;
    std::unique_ptr<TSimStatistik> statistik_;
    std::unique_ptr<TTraceFenster> trace_;
    std::unique_ptr<TSpielverlauf> verlauf_;
    std::unique_ptr<TSimulationsLauf> simulation_; // while a series runs
    std::vector<TDiagramm> diagramme_;             // of the last series
    std::unique_ptr<TTippLauf> tipp_;              // while a hint is searched or shown
    int32_t tippBudget_ = VorausschauBudgetStark;
    int32_t analyseSpiele_ = 1000;
    TTippZiel tippZiel_;
    std::string tippText_;
    TDialogLauf dialogLauf_;
    int startFehler_ = 0;
    TFensterDialoge* fensterDialoge_ = nullptr;

    QString programmordner_, kartenordner_, profilordner_;
    std::vector<std::string> traceStartup_;
    TMassstab massstab_;
    QRect bildschirm_;

    // The game loop.
    QTimer timer_;
    int32_t schliessen_ = 0;
    bool menschWarAmZug_ = false;
    int32_t takt_ = 0;
    bool einzelschritt_ = false;
    bool schrittAngefordert_ = false;
    bool compiZugLaeuft_ = true;
    bool schliessenNachSimulation_ = false;
    bool aktiviert_ = false;
    int32_t compiTakte_ = 0;    // ticks since the last computer move, against the pace
    int32_t zielUnterMaus_ = 0; // seat 1's table position under the mouse, 0: none

    // The board.
    std::array<TSitz, 4> sitze_{};
    std::array<std::array<TKartenBild*, 8>, 2> auslage_{};
    std::array<QLabel*, 4> stapel_{};
    std::array<QLabel*, 8> status_{};
    QTabWidget* seiten_ = nullptr;
    QWidget* auslageFlaeche_ = nullptr;
    QPushButton* passe_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* abbruch_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QColor farbeAmZug_, farbeNichtAmZug_;
    TSpielverlaufFenster* verlaufFenster_ = nullptr;
    QLabel* hinweis_ = nullptr;
    std::map<int32_t, QAction*> tempo_;

    // Menus and tool buttons.
    std::map<QString, QAction*> aktionen_;
    std::map<QString, QToolButton*> knoepfe_;
    std::map<int32_t, QAction*> staerke_;
    QMenu* spielzugMenue_ = nullptr;
    QMenu* spielerMenue_ = nullptr;
    QMenu* staerkeMenue_ = nullptr;
    QMenu* erweitertMenue_ = nullptr;
    QMenu* variantenMenue_ = nullptr;
};

} // namespace vm::ui
