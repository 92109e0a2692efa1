#include "ui/hauptfenster.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ai/compizug.h"
#include "ai/spielstaerke.h"
#include "control/kommandozeile.h"
#include "control/laufendesspiel.h"
#include "control/spielende.h"
#include "persist/spieldatei.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "sim/serie.h"
#include "ui/dialoge.h"
#include "ui/fensterdialoge.h"
#include "ui/hilfemenue.h"
#include "ui/spielverlauf.h"
#include "ui/tracefenster.h"
#include "ui/werkzeugsymbol.h"

namespace vm::ui {

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A profile colour: a system colour (high bit set) or 00BBGGRR.
QColor Profilfarbe(int32_t wert, const QPalette& palette) {
    if (wert < 0) return palette.color(QPalette::Button);
    const auto v = static_cast<uint32_t>(wert);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

struct TStaerke {
    int32_t tag;
    const char* text;
};
constexpr TStaerke Staerken[] = {
    {1, "&niedrig"},
    {2, "&mittel"},
    {0, nullptr},
    {3, "Z1 hoch - Gegner haben 2&5 Geld (Std)"},
    {5, "Z2 hoch - Gegner haben 2&8 Geld"},
    {6, "Z3 hoch - Gegner haben 3&1 Geld"},
    {7, "Z4 hoch - Gegner haben 3&4 Geld"},
    {8, "Z5 hoch - Gegner haben 3&7 Geld"},
    {9, "Z6 hoch - Gegner haben 4&0 Geld"},
    {0, nullptr},
    {11, "K1 hoch - Gegner haben 25 Geld (Std)"},
    {12, "K1 hoch - Gegner haben 30 Geld "},
    {13, "K1 hoch - Gegner haben 35 Geld "},
    {21, "K2 hoch - Gegner haben 25 Geld (Std)"},
    {22, "K2 hoch - Gegner haben 30 Geld"},
    {23, "K2 hoch - Gegner haben 35 Geld "},
    {31, "K3 hoch - Gegner haben 25 Geld (Std)"},
    {32, "K3 hoch - Gegner haben 30 Geld "},
    {33, "K3 hoch - Gegner haben 35 Geld"},
    {41, "K4 hoch - Gegner haben 25 Geld (Std)"},
    {42, "K4 hoch - Gegner haben 30 Geld"},
    {43, "K4 hoch - Gegner haben 35 Geld"},
    {0, nullptr},
    {Expertenmodus, "&Expertenmodus"},
};

Maustaste Taste(Qt::MouseButton b) {
    return b == Qt::LeftButton    ? Maustaste::Links
           : b == Qt::RightButton ? Maustaste::Rechts
                                  : Maustaste::Andere;
}
TTasten Tasten(Qt::KeyboardModifiers m) {
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier)};
}

// A status-bar panel keeps its width, unless its text needs more: a language's longer words
// are not cut off. Only a window too narrow for every panel's text shrinks them to their own
// width, so that a long text never widens the window beyond the screen.
class TStatusfeld : public QLabel {
public:
    TStatusfeld(int breite, QWidget* eltern) : QLabel(eltern), breite_(breite) {}
    QSize sizeHint() const override {
        const QSize s = QLabel::sizeHint();
        return {std::max(breite_, s.width()), s.height()};
    }
    QSize minimumSizeHint() const override { return {breite_, QLabel::minimumSizeHint().height()}; }

private:
    int breite_;
};

} // namespace

THauptfenster::THauptfenster(const TStartOptionen& o)
    : g_(katalog_), historie_(&texte_), profil_(&texte_), mensch_(g_),
      statistik_(std::make_unique<TSimStatistik>()), dialogLauf_(o.DialogLauf) {
    compiZugLaeuft_ = true; // no computer move during start-up
    setWindowTitle("Veldmark");
    setObjectName("Form1");
    g_.SetzeBrett(this);
    g_.SetzeAblauf(this);
    g_.SetzeFehlerSenke(this);
    mensch_.SetzeAnzeige(this);
    mensch_.SetzeDialoge(this);
    verlauf_ = std::make_unique<TSpielverlauf>(texte_, anzeigeKatalog_, &g_.S);
    g_.SetzeEreignisse(verlauf_.get());

    programmordner_ = o.Programmordner;
    bildschirm_ = o.Bildschirm;
    profilordner_ = o.Profilordner.isEmpty() ? programmordner_ : o.Profilordner;
    kartenordner_ = programmordner_ + "/Karten/";
    trace_ = std::make_unique<TTraceFenster>(
        g_.Log, [this](QDialog& d) { return DialogAusfuehren(d); }, programmordner_);
    connect(trace_.get(), &TTraceFenster::Geschlossen, this, [this] {
        aktionen_["TraceDebug1"]->setChecked(false);
        g_.Log.TraceAn = false;
        status_[5]->setText("  ");
    });

    // The board is built at the profile's scale, read ahead of the profile's start-up.
    massstab_.Prozent = WirksameSkalierung(
        ProfilSkalierung((profilordner_ + "/Veldmark.ini").toStdString()).value_or(100));
    BrettAufbauen();
    MenueAufbauen();
    g_.Zufall.RandSeed = static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch());

    int32_t breite = o.Bildschirmbreite;
    if (breite <= 0 && QGuiApplication::primaryScreen())
        breite = QGuiApplication::primaryScreen()->geometry().width();
    traceStartup_ = {"Programmverzeichnis: " + programmordner_.toStdString(),
                     "KartenVerzeichnis: " + kartenordner_.toStdString(),
                     "ProfileVerzeichnis: " + profilordner_.toStdString(),
                     "Hilfedatei: " + Hilfedatei(programmordner_).toStdString(),
                     "Screen.Width = " + std::to_string(breite)};

    TStartErgebnis start =
        profil_.Starten(g_, historie_, anzeigeKatalog_, &texte_, profilordner_.toStdString(),
                        programmordner_.toStdString());
    if (start.ExitCode != 0) {
        MeldungZeigen(Q(start.Meldung.Titel), Q(start.Meldung.Text));
        startFehler_ = start.ExitCode;
        return;
    }
    traceStartup_.push_back(SkalierungStartzeile(profil_.W.ScaleBy));
    BildschirmAnpassen(WirksameSkalierung(profil_.W.ScaleBy));
    for (std::string& z : start.StartupZeilen) traceStartup_.push_back(std::move(z));

    for (const QString& fehlt : TKartenbilder::Fehlende(kartenordner_))
        MeldungZeigen("System Fault ", "File or directory does not exist ! " + fehlt);
    // A language file renames the cards: their faces say what their hints say.
    const TSeitenSprache seitenSprache{
        anzeigeKatalog_, [this](const QString& w) { return Q(profil_.Sprache.Other(w.toStdString())); }};
    bilder_.Laden(kartenordner_, profil_.W.Grayscale, profil_.W.Color256,
                  profil_.Sprache.Geladen() ? &seitenSprache : nullptr);

    farbeNichtAmZug_ = Profilfarbe(profil_.W.Color1, palette());
    farbeAmZug_ = Profilfarbe(profil_.W.Color2, palette());
    aktionen_["Profilesichern1"]->setChecked(profil_.W.SaveIni);
    aktionen_["StrategieparameterbeiStartupladen1"]->setChecked(profil_.W.LadeStrategieParam);
    aktionen_["Varianten1"]->setChecked(g_.Menue.AdelsbonusErweitert);
    aktionen_["N21"]->setChecked(g_.Menue.VerdeckteHandkarten);
    aktionen_["Varianten3"]->setChecked(g_.Menue.KeineHofmeisterinRunde1);
    aktionen_[QString("SpielerAnzahl%1").arg(g_.Menue.SpielerAnzahl)]->setChecked(true);
    StaerkeMenue();
    // The language file came with the profile.
    verlaufFenster_->Titel()->setText(Q(texte_[Text::VerlaufTitel]));
    SetzeTempo(profil_.W.Tempo);

    status_[7]->setText(Q(ProgrammVersion));
    status_[1]->setText(Tx("Phase:") + " -");
    status_[0]->setText(Tx("Runde:") + " -");
    status_[4]->setText("  ");
    status_[5]->setText("  ");
    status_[3]->setText(Tx("Anzahl Spieler: "));

    g_.ZustandZuruecksetzen();
    // The history's first status was written before the language file was read.
    historie_.StatusAuffrischen(g_);
    StatistikLeeren(*statistik_);
    Startbrett();
    traceStartup_.push_back("Containergröße: " + std::to_string(sizeof(TSpielHistorie)));
    fensterDialoge_ = new TFensterDialoge(*this, anzeigeKatalog_);
    HistorieSteuerung();
    compiZugLaeuft_ = false;
    timer_.setInterval(TimerIntervall);
    connect(&timer_, &QTimer::timeout, this, &THauptfenster::Timer1Timer);
    timer_.start();
}

THauptfenster::~THauptfenster() {
    timer_.stop();
    g_.SetzeBrett(nullptr);
    g_.SetzeAblauf(nullptr);
    g_.SetzeFehlerSenke(nullptr);
    g_.SetzeEreignisse(nullptr);
    // The pictures outlive this part of the window; a leave event while they go must not reach it.
    for (TKartenBild* b : sitze_[0].tisch) b->disconnect(this);
}

int THauptfenster::DialogAusfuehren(QDialog& d) {
    return dialogLauf_ ? dialogLauf_(d) : d.exec();
}

void THauptfenster::MeldungZeigen(const QString& titel, const QString& text) {
    QMessageBox box(QMessageBox::Critical, titel, text, QMessageBox::Ok, this);
    DialogAusfuehren(box);
}

QAction* THauptfenster::Aktion(const QString& name) const {
    auto it = aktionen_.find(name);
    return it == aktionen_.end() ? nullptr : it->second;
}

QAction* THauptfenster::StaerkeAktion(int32_t tag) const {
    auto it = staerke_.find(tag);
    return it == staerke_.end() ? nullptr : it->second;
}

// ---- menus, tool buttons, status bar ----

void THauptfenster::MenueAufbauen() {
    auto neu = [this](QMenu* menue, const char* name, const QString& text, auto slot) {
        auto* a = menue->addAction(text);
        a->setObjectName(name);
        aktionen_[name] = a;
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenuBar* leiste = menuBar();

    QMenu* datei = leiste->addMenu("&Datei");
    neu(datei, "Neu1", "&Neues Spiel", &THauptfenster::NeuesSpielExecute)
        ->setShortcut(QKeySequence("Ctrl+N"));
    neu(datei, "Spieldateiladen1", Q(texte_[Text::MenueSpieldateiLaden]),
        &THauptfenster::Spieldateiladen1Click);
    neu(datei, "Spieldateispeichern1", Q(texte_[Text::MenueSpieldateiSpeichern]),
        &THauptfenster::Spieldateispeichern1Click);
    datei->addSeparator();
    neu(datei, "Ende1", "&Ende", &THauptfenster::ProgrammEnde);

    spielzugMenue_ = leiste->addMenu(Q(texte_[Text::MenueSpielzug]));
    spielzugMenue_->menuAction()->setObjectName("Spielzug1");
    aktionen_["Spielzug1"] = spielzugMenue_->menuAction();
    neu(spielzugMenue_, "rckgngig1", Q(texte_[Text::MenueRueckgaengig]), &THauptfenster::rckgngig1Click)
        ->setShortcut(QKeySequence("Ctrl+Z"));
    neu(spielzugMenue_, "wiederherstellen1", Q(texte_[Text::MenueWiederherstellen]),
        &THauptfenster::wiederherstellen1Click)
        ->setShortcut(QKeySequence("Ctrl+Y"));
    neu(spielzugMenue_, "ganzzurueck", Q(texte_[Text::MenueGanzZurueck]), &THauptfenster::ganzzurueckClick);
    neu(spielzugMenue_, "ganzvor", Q(texte_[Text::MenueGanzVor]), &THauptfenster::ganzvorClick);

    spielerMenue_ = leiste->addMenu("&Spieler");
    spielerMenue_->menuAction()->setObjectName("Spieler1");
    aktionen_["Spieler1"] = spielerMenue_->menuAction();
    auto* anzahlGruppe = new QActionGroup(this);
    const char* anzahlText[] = {"&Zweipersonenspiel", "&Dreipersonenspiel", "&Vierpersonenspiel"};
    for (int n = 2; n <= 4; ++n) {
        const QString name = QString("SpielerAnzahl%1").arg(n);
        auto* a = spielerMenue_->addAction(anzahlText[n - 2]);
        a->setObjectName(name);
        a->setCheckable(true);
        a->setActionGroup(anzahlGruppe);
        aktionen_[name] = a;
        connect(a, &QAction::triggered, this, [this, n] { SpielerAnzahlWaehlen(n); });
    }

    staerkeMenue_ = leiste->addMenu("S&pielstärke");
    staerkeMenue_->menuAction()->setObjectName("Spielstrke1");
    aktionen_["Spielstrke1"] = staerkeMenue_->menuAction();
    auto* staerkeGruppe = new QActionGroup(this);
    for (const TStaerke& s : Staerken) {
        if (!s.text) {
            staerkeMenue_->addSeparator();
            continue;
        }
        auto* a = staerkeMenue_->addAction(QString::fromUtf8(s.text));
        a->setCheckable(true);
        a->setActionGroup(staerkeGruppe);
        a->setData(s.tag);
        staerke_[s.tag] = a;
        const int32_t tag = s.tag;
        connect(a, &QAction::triggered, this, [this, tag] {
            SetzeSpielstaerke(g_, tag);
            StaerkeMenue();
            NachAktion();
        });
    }

    QMenu* optionen = leiste->addMenu(Q(texte_[Text::MenueOptionen]));
    auto* step = neu(optionen, "Step", "&Singlestep", &THauptfenster::StepExecute);
    step->setCheckable(true);
    auto* profil = optionen->addAction(Q(texte_[Text::MenueProfileSichern]));
    profil->setObjectName("Profilesichern1");
    profil->setCheckable(true);
    aktionen_["Profilesichern1"] = profil;
    connect(profil, &QAction::triggered, this, [this] {
        if (!profil_.ProfileSichernUmschalten())
            MeldungZeigen("Veldmark", "Datei kann nicht geschrieben werden: " + Q(profil_.Pfad()));
        aktionen_["Profilesichern1"]->setChecked(profil_.W.SaveIni);
    });
    auto* trace = neu(optionen, "TraceDebug1", "TraceDebug", &THauptfenster::TraceDebugExecute);
    trace->setCheckable(true);
    VerlaufAufbauen(optionen);

    erweitertMenue_ = optionen->addMenu(Q(texte_[Text::MenueErwEinstellungen]));
    erweitertMenue_->menuAction()->setObjectName("erwEinstellungen1");
    aktionen_["erwEinstellungen1"] = erweitertMenue_->menuAction();
    auto profilAktion = [this](const char* name, Text text, auto arbeit) {
        auto* a = erweitertMenue_->addAction(Q(texte_[text]));
        a->setObjectName(name);
        aktionen_[name] = a;
        connect(a, &QAction::triggered, this, [this, arbeit] {
            if (!arbeit())
                MeldungZeigen("Veldmark", "Datei kann nicht geschrieben werden: " + Q(profil_.Pfad()));
            aktionen_["StrategieparameterbeiStartupladen1"]->setChecked(profil_.W.LadeStrategieParam);
            NachAktion();
        });
        return a;
    };
    profilAktion("Strategieparametersichern1", Text::MenueStrategieSichern,
                 [this] { return profil_.StrategieparameterSichern(g_); });
    profilAktion("Strategieparametereinlesen1", Text::MenueStrategieEinlesen,
                 [this] { return profil_.StrategieparameterEinlesen(g_); });
    profilAktion("Strategieparameterinitialisieren1", Text::MenueStrategieInitialisieren, [this] {
        profil_.StrategieparameterInitialisieren(g_);
        return true;
    });
    profilAktion("StrategieparameterbeiStartupladen1", Text::MenueStrategieBeiStartup, [this] {
        return profil_.StrategieBeiStartupUmschalten();
    })->setCheckable(true);
    // A series of computer-only games, when the settings of the chosen player count ask for one.
    erweitertMenue_->addSeparator();
    neu(erweitertMenue_, "Simulation1", "&Simulation starten", &THauptfenster::Simulation1Click);
    connect(erweitertMenue_, &QMenu::aboutToShow, this,
            [this] { aktionen_["Simulation1"]->setEnabled(SimulationStartbar(g_, historie_)); });

    variantenMenue_ = leiste->addMenu("&Varianten");
    variantenMenue_->menuAction()->setObjectName("Varianten2");
    aktionen_["Varianten2"] = variantenMenue_->menuAction();
    struct {
        const char* name;
        const char* text;
        bool TMenueWahl::*flag;
    } varianten[] = {
        {"Varianten1", "&1. Adelsbonus für mehr als 10 Adelstypen(je 10 SP)",
         &TMenueWahl::AdelsbonusErweitert},
        {"N21", "&2. Verdeckte Handkarten und Geld", &TMenueWahl::VerdeckteHandkarten},
        {"Varianten3", "&3. Keine Hofmeisterin in Runde 1", &TMenueWahl::KeineHofmeisterinRunde1},
    };
    for (const auto& v : varianten) {
        auto* a = variantenMenue_->addAction(QString::fromUtf8(v.text));
        a->setObjectName(v.name);
        a->setCheckable(true);
        aktionen_[v.name] = a;
        bool TMenueWahl::*flag = v.flag;
        // Takes effect at the next new game; a running game keeps its own variants.
        connect(a, &QAction::toggled, this, [this, flag](bool an) { g_.Menue.*flag = an; });
    }

    // Tool buttons with hints.
    QToolBar* leiste2 = addToolBar("Werkzeuge");
    leiste2->setObjectName("Werkzeuge");
    leiste2->setMovable(false);
    leiste2->setFloatable(false);
    leiste2->setContextMenuPolicy(Qt::PreventContextMenu);
    leiste2->setIconSize(QSize(Px(22), Px(22)));
    leiste2->toggleViewAction()->setVisible(false);
    auto knopf = [&](const char* name, QStyle::StandardPixmap bild, const QString& hinweis, auto slot) {
        auto* k = new QToolButton(leiste2);
        k->setObjectName(name);
        k->setIcon(MitDeutlichemAus(style()->standardIcon(bild)));
        k->setToolTip(hinweis);
        k->setAutoRaise(true);
        leiste2->addWidget(k);
        connect(k, &QToolButton::clicked, this, slot);
        knoepfe_[name] = k;
        return k;
    };
    knopf("SpeedButton3", QStyle::SP_FileIcon, "Neues Spiel", &THauptfenster::NeuesSpielExecute);
    knopf("SpeedButton9", QStyle::SP_DialogOpenButton, Q(texte_[Text::HinweisSpielLaden]),
          &THauptfenster::Spieldateiladen1Click);
    knopf("SpeedButton10", QStyle::SP_DialogSaveButton, Q(texte_[Text::HinweisSpielSpeichern]),
          &THauptfenster::Spieldateispeichern1Click);
    leiste2->addSeparator();
    knopf("SpeedButton6", QStyle::SP_ArrowBack, Q(texte_[Text::HinweisRueckgaengig]),
          &THauptfenster::rckgngig1Click);
    knopf("SpeedButton7", QStyle::SP_ArrowForward, Q(texte_[Text::HinweisWiederherstellen]),
          &THauptfenster::wiederherstellen1Click);
    leiste2->addSeparator();
    knopf("SpeedButton1", QStyle::SP_FileDialogDetailedView, "Trace/Debug", [this] {
        aktionen_["TraceDebug1"]->toggle();
        TraceDebugExecute();
    });
    leiste2->addSeparator();
    knopf("SpeedButton2", QStyle::SP_DialogCloseButton, "Programm beenden", &THauptfenster::ProgrammEnde);
}

QToolButton* THauptfenster::Knopf(const QString& name) const {
    auto it = knoepfe_.find(name);
    return it == knoepfe_.end() ? nullptr : it->second;
}

void THauptfenster::StaerkeMenue() {
    if (QAction* a = StaerkeAktion(g_.Menue.Spielstaerke)) a->setChecked(true);
    SperreAnwenden();
}

void THauptfenster::SpielerAnzahlWaehlen(int n) {
    g_.Menue.SpielerAnzahl = n;
    aktionen_[QString("SpielerAnzahl%1").arg(n)]->setChecked(true);
}

// Everything that a loaded puzzle, a running simulation or the strength may disable.
void THauptfenster::SperreAnwenden() {
    const TSperre& s = historie_.Sperre;
    const bool sim = g_.SimulationLaeuft;
    auto frei = [&](const char* aktion, const char* knopf, bool an) {
        if (aktion) aktionen_[aktion]->setEnabled(an);
        if (knopf) knoepfe_[knopf]->setEnabled(an);
    };
    frei("Neu1", "SpeedButton3", !s.NeuesSpiel && !sim);
    frei("Spieldateiladen1", "SpeedButton9", !s.Laden && !sim);
    frei("Spieldateispeichern1", "SpeedButton10", !s.Speichern && !sim);
    spielzugMenue_->menuAction()->setEnabled(!s.Spielzug && !sim);
    const THistorieAnzeige& h = historie_.Anzeige();
    knoepfe_["SpeedButton6"]->setEnabled(h.Rueckgaengig && !s.Spielzug && !sim);
    knoepfe_["SpeedButton7"]->setEnabled(h.Wiederherstellen && !s.Spielzug && !sim);
    aktionen_["rckgngig1"]->setEnabled(h.Rueckgaengig);
    aktionen_["wiederherstellen1"]->setEnabled(h.Wiederherstellen);
    spielerMenue_->menuAction()->setEnabled(!s.SpielerAnzahl && !sim);
    staerkeMenue_->menuAction()->setEnabled(!s.Spielstaerke && !sim);
    frei("TraceDebug1", "SpeedButton1", !s.Trace && !sim);
    const bool experte = g_.Menue.Spielstaerke == Expertenmodus || profil_.W.PrivateTest1;
    erweitertMenue_->menuAction()->setEnabled(experte && !s.ErwEinstellungen && !sim);
    variantenMenue_->menuAction()->setEnabled(!s.Varianten && !sim);
    if (fensterDialoge_) fensterDialoge_->SperreAnwenden(s, sim, experte);
    if (!g_.Log.TraceAn && aktionen_["TraceDebug1"]->isChecked()) {
        // A locked puzzle switched the trace off.
        aktionen_["TraceDebug1"]->setChecked(false);
        trace_->hide();
        status_[5]->setText("  ");
    }
}

void THauptfenster::HistorieSteuerung() {
    const THistorieAnzeige& h = historie_.Anzeige();
    const QString status = Q(h.Status), korrigiert = Q(h.Korrigiert);
    if (status_[2]->text() != status) status_[2]->setText(status);
    if (status_[6]->text() != korrigiert) status_[6]->setText(korrigiert);
    SperreAnwenden();
}

// ---- the board ----

QPoint THauptfenster::Standardort(int position) const {
    constexpr int SchrittX = 82, SchrittY = 118;
    if (position < 1) position = 1;
    if (position > 32) position = 32;
    if (position <= 20)
        return massstab_.Px(QPoint(((position - 1) % 10) * SchrittX, ((position - 1) / 10) * SchrittY));
    return massstab_.Px(QPoint((position - 21) * SchrittX, 2 * SchrittY));
}

void THauptfenster::BrettAufbauen() {
    bilder_.SetzeMassstab(massstab_);
    QFont schrift = QApplication::font();
    if (schrift.pixelSize() > 0)
        schrift.setPixelSize(std::max(6, Px(schrift.pixelSize())));
    else
        schrift.setPointSizeF(std::max(4.0, schrift.pointSizeF() * massstab_.Faktor()));
    setFont(schrift);
    delete takeCentralWidget();
    for (QLabel*& l : status_) {
        delete l;
        l = nullptr;
    }

    auto* mitte = new QWidget(this);
    setCentralWidget(mitte);
    auto* spalten = new QVBoxLayout(mitte);
    spalten->setContentsMargins(Px(6), Px(4), Px(6), Px(4));
    spalten->setSpacing(Px(6));

    // Top: the display rows, then the seats' boxes.
    auto* oben = new QHBoxLayout;
    oben->setSpacing(Px(6));
    auto* flaeche = new TFlaeche(mitte);
    flaeche->setObjectName("Panel4");
    flaeche->setFixedSize(Px(7 * 76 + 72 + TKartenBild::Hub + 8), Px(106 + 101 + TKartenBild::Hub + 8));
    flaeche->setAutoFillBackground(true);
    QPalette tisch = flaeche->palette();
    tisch.setColor(QPalette::Window, QColor(0x2E, 0x6B, 0x3A));
    flaeche->setPalette(tisch);
    auslageFlaeche_ = flaeche;
    connect(flaeche, &TFlaeche::Losgelassen, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m) {
        mensch_.FlaecheKlick(Taste(b), Tasten(m));
        NachAktion();
    });
    for (int r = 1; r <= 2; ++r) {
        for (int p = 1; p <= 8; ++p) {
            auto* b = new TKartenBild(bilder_, Format::Auslage, r * 10 + p, flaeche);
            b->setObjectName(QString("Image%1").arg(r * 10 + p));
            b->SetzeOrt(massstab_.Px(QPoint(4 + (p - 1) * 76, 4 + (r - 1) * 106)));
            auslage_[r - 1][p - 1] = b;
            connect(b, &TKartenBild::Losgelassen, this,
                    [this](int tag, Qt::MouseButton t, Qt::KeyboardModifiers m) {
                        mensch_.AuslageKlick(tag / 10, tag % 10, Taste(t), Tasten(m));
                        NachAktion();
                    });
        }
    }
    oben->addWidget(flaeche);
    for (int s = 1; s <= 4; ++s) oben->addWidget(SitzBoxAufbauen(s));
    oben->addStretch();
    spalten->addLayout(oben);

    // Below: the seats' pages, then the stacks and the buttons.
    auto* unten = new QHBoxLayout;
    unten->setSpacing(Px(6));
    seiten_ = new QTabWidget(mitte);
    seiten_->setObjectName("PageControl1");
    for (int s = 1; s <= 4; ++s) seiten_->addTab(TischSeiteAufbauen(s), QString("Spieler %1").arg(s));
    unten->addWidget(seiten_);

    auto* rechts = new QVBoxLayout;
    auto* stapelBox = new QFrame(mitte);
    stapelBox->setFrameShape(QFrame::StyledPanel);
    auto* stapelLayout = new QVBoxLayout(stapelBox);
    stapelLayout->setContentsMargins(Px(9), Px(9), Px(9), Px(9));
    stapelLayout->addWidget(new QLabel("Stapel", stapelBox));
    auto* stapelZeile = new QHBoxLayout;
    stapelZeile->setSpacing(Px(3));
    const QColor farben[] = {QColor(0x51, 0xDD, 0x22), QColor(0x64, 0xB1, 0xFF), QColor(0xFF, 0x80, 0x40),
                             QColor(0xFF, 0xFF, 0x80)};
    const char* stapelHinweis[] = {"grüner Kartenstapel", "blauer Kartenstapel", "roter Kartenstapel",
                                   "Ausbaukartenstapel"};
    for (int k = 1; k <= 4; ++k) {
        auto* l = new QLabel(stapelBox);
        l->setObjectName(QString("Stapel%1").arg(k));
        l->setAlignment(Qt::AlignCenter);
        l->setFixedSize(Px(30), Px(26));
        l->setAutoFillBackground(true);
        l->setFrameShape(QFrame::Box);
        l->setToolTip(QString::fromUtf8(stapelHinweis[k - 1]));
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, farben[k - 1]);
        pal.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(pal);
        stapel_[static_cast<size_t>(k - 1)] = l;
        stapelZeile->addWidget(l);
    }
    stapelZeile->addStretch();
    stapelLayout->addLayout(stapelZeile);
    rechts->addWidget(stapelBox);

    passe_ = new QPushButton("Passe", mitte);
    passe_->setObjectName("BitBtn1");
    passe_->setToolTip("passen");
    passe_->setMinimumHeight(Px(48));
    QFont gross = schrift;
    gross.setBold(true);
    if (gross.pixelSize() > 0)
        gross.setPixelSize(gross.pixelSize() + Px(4));
    else
        gross.setPointSizeF(gross.pointSizeF() + 3 * massstab_.Faktor());
    passe_->setFont(gross);
    connect(passe_, &QPushButton::clicked, this, &THauptfenster::BitBtn1Click);
    rechts->addWidget(passe_);
    next_ = new QPushButton("Next", mitte);
    next_->setObjectName("BitBtn2");
    next_->setToolTip("Nächster Spieler");
    next_->setVisible(false);
    connect(next_, &QPushButton::clicked, this, &THauptfenster::BitBtn2Click);
    rechts->addWidget(next_);
    verlaufFenster_ = new TSpielverlaufFenster(*verlauf_, Q(texte_[Text::VerlaufTitel]), mitte);
    rechts->addWidget(verlaufFenster_, 1);
    gauge_ = new QProgressBar(mitte);
    gauge_->setObjectName("Gauge1");
    gauge_->setToolTip("Fortschritt der Simulation");
    gauge_->setVisible(false);
    rechts->addWidget(gauge_);
    abbruch_ = new QPushButton("Abbruch", mitte);
    abbruch_->setObjectName("BitBtn3");
    abbruch_->setToolTip("Abbruch der Simulation");
    abbruch_->setVisible(false);
    connect(abbruch_, &QPushButton::clicked, this, &THauptfenster::BitBtn3Click);
    rechts->addWidget(abbruch_);
    auto* rechtsBox = new QWidget(mitte);
    rechtsBox->setLayout(rechts);
    rechtsBox->setFixedWidth(Px(190));
    unten->addWidget(rechtsBox);
    unten->addStretch();
    spalten->addLayout(unten);

    // Status bar: eight panels.
    const int breiten[8] = {80, 100, 130, 130, 80, 70, 24, 150};
    for (size_t i = 0; i < status_.size(); ++i) {
        auto* l = new TStatusfeld(Px(breiten[i]), statusBar());
        l->setObjectName(QString("Panel%1").arg(i));
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(l);
        status_[i] = l;
    }
    statusBar()->setSizeGripEnabled(false);
}

QWidget* THauptfenster::SitzBoxAufbauen(int s) {
    Sitz& z = sitze_[static_cast<size_t>(s - 1)];
    auto* box = new QFrame;
    box->setObjectName(QString("Spieler%1Box").arg(s));
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Raised);
    box->setLineWidth(2);
    // Made before it has a parent: it takes the window's scaled font by hand, so that its
    // labels keep it when a style sheet repolishes them.
    box->setFont(font());
    box->setAutoFillBackground(true);
    box->setFixedSize(Px(146), Px(106 + 101 + TKartenBild::Hub + 8));
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(Px(6), Px(4), Px(6), Px(6));
    l->setSpacing(Px(1));
    z.box = box;
    z.name = new QLabel(QString("Spieler %1").arg(s), box);
    QFont fett; // bold only: the size follows the window's scaled font
    fett.setBold(true);
    z.name->setFont(fett);
    z.geld = new QLabel(box);
    z.geld->setObjectName(QString("Geld%1").arg(s));
    z.punkte = new QLabel(box);
    z.aktion = new QLabel(box);
    z.start = new QLabel("Start: ", box);
    z.start->setAutoFillBackground(true);
    z.start->setFont(font()); // its colours come by style sheet, which would take the program's font
    z.start->setContentsMargins(Px(3), 0, Px(3), 0);
    z.start->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    for (QLabel* x : {z.name, z.geld, z.punkte, z.aktion, z.start}) l->addWidget(x);
    auto* bildPlatz = new QWidget(box);
    bildPlatz->setFixedSize(bilder_.Groesse(Format::Auslage));
    z.letzte = new TKartenBild(bilder_, Format::Auslage, s, bildPlatz);
    z.letzte->setObjectName(QString("LetzteKarte%1").arg(s));
    l->addStretch();
    l->addWidget(bildPlatz, 0, Qt::AlignHCenter);
    return box;
}

QWidget* THauptfenster::TischSeiteAufbauen(int s) {
    Sitz& z = sitze_[static_cast<size_t>(s - 1)];
    auto* seite = new QWidget;
    seite->setObjectName(QString("TabSheet%1").arg(s));
    seite->setFixedSize(Px(840 + 82 + 80 + TKartenBild::Hub + 8), Px(2 * 118 + 112 + TKartenBild::Hub + 8));
    z.seite = seite;
    for (int pos = 1; pos <= MaxTischpositionen; ++pos) {
        auto* b = new TKartenBild(bilder_, Format::Tisch, pos, seite);
        b->setObjectName(QString("Tisch%1_%2").arg(s).arg(pos));
        b->SetzeOrt(Standardort(pos) + QPoint(Px(4), Px(4)));
        z.tisch[static_cast<size_t>(pos - 1)] = b;
        if (s == 1) {
            connect(b, &TKartenBild::Losgelassen, this,
                    [this](int tag, Qt::MouseButton t, Qt::KeyboardModifiers) {
                        if (t != Qt::LeftButton) return;
                        mensch_.TischKlick(tag);
                        NachAktion();
                    });
            connect(b, &TKartenBild::Doppelklick, this, [this](int tag) {
                mensch_.TischDoppelklick(tag);
                NachAktion();
            });
            // A marked target under the mouse shows its price.
            connect(b, &TKartenBild::Betreten, this, [this](int tag) {
                zielUnterMaus_ = tag;
                HinweisAuffrischen();
            });
            connect(b, &TKartenBild::Verlassen, this, [this](int tag) {
                if (zielUnterMaus_ == tag) zielUnterMaus_ = 0;
                HinweisAuffrischen();
            });
        }
    }
    auto* hand = new TFlaeche(seite);
    hand->setObjectName(QString("Hand%1").arg(s));
    // Summed from the rounded parts, so that a raised card in the last place stays inside.
    const QSize karte = bilder_.Groesse(Format::Tisch);
    hand->setGeometry(Px(4 + 840), Px(4), Px(82) + karte.width() + bilder_.Hub(),
                      Px(118) + karte.height() + bilder_.Hub());
    z.handFlaeche = hand;
    for (int p = 1; p <= 4; ++p) {
        auto* b = new TKartenBild(bilder_, Format::Tisch, p, hand);
        b->setObjectName(QString("Handkarte%1_%2").arg(s).arg(p));
        b->SetzeOrt(massstab_.Px(QPoint(((p - 1) % 2) * 82, ((p - 1) / 2) * 118)));
        z.hand[static_cast<size_t>(p - 1)] = b;
        if (s == 1) {
            connect(b, &TKartenBild::Losgelassen, this,
                    [this](int tag, Qt::MouseButton t, Qt::KeyboardModifiers m) {
                        mensch_.HandKlick(tag, Taste(t), Tasten(m));
                        NachAktion();
                    });
        }
    }
    if (s == 1) {
        connect(hand, &TFlaeche::Losgelassen, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m) {
            mensch_.FlaecheKlick(Taste(b), Tasten(m));
            NachAktion();
        });
    }
    return seite;
}

// The idle board before the first game: random pictures, each with the hint "??".
void THauptfenster::Startbrett() {
    for (int s = 1; s <= 4; ++s)
        for (int pos = 1; pos <= 32; ++pos) TischBild(s, pos)->Zeige(g_.Zufall.Random(50) + 1, "??");
    const int n = g_.Zufall.Random(8) + 1;
    for (int p = 1; p <= 8; ++p) {
        if (p <= n) AuslageBild(1, p)->Zeige(g_.Zufall.Random(49) + 1, "??");
        if (p > n) AuslageBild(2, p)->Zeige(g_.Zufall.Random(49) + 1, "??");
    }
}

// ---- the game loop ----

void THauptfenster::Timer1Timer() {
    if (schliessen_ > 0) {
        if (++schliessen_ >= 5) close();
        return;
    }
    if (g_.SimulationLaeuft) return;
    const int sitz = g_.S.AktuellerSpieler;
    const bool mensch = sitz >= 1 && sitz <= 4 && !g_.S.Computer[sitz];
    if (mensch) menschWarAmZug_ = true;
    takt_ = (takt_ + 1) % 10000;
    if (einzelschritt_) {
        if (!schrittAngefordert_) return;
        schrittAngefordert_ = false;
    }
    if (mensch || compiZugLaeuft_) return;
    if (menschWarAmZug_) {
        menschWarAmZug_ = false;
        compiTakte_ = 0;
        if (!einzelschritt_) {
            // The first computer move after a human turn waits one tick.
            takt_ = (takt_ + 9999) % 10000;
            return;
        }
    }
    // The pace: a computer move every Tempo ms, in whole ticks; a step in single-step mode
    // does not wait.
    if (!einzelschritt_ && ++compiTakte_ * TimerIntervall < profil_.W.Tempo) return;
    compiTakte_ = 0;
    compiZugLaeuft_ = true;
    VorComputerzug(g_, historie_);
    CompiZug(g_);
    compiZugLaeuft_ = false;
    NachAktion();
}

void THauptfenster::NachAktion() {
    TraceAuffrischen();
    if (Bremse()) return;
    verlaufFenster_->Auffrischen();
    HinweisAuffrischen();
}

void THauptfenster::StepExecute() {
    einzelschritt_ = aktionen_["Step"]->isChecked();
    schrittAngefordert_ = false;
    next_->setVisible(einzelschritt_);
}

void THauptfenster::BitBtn2Click() {
    if (einzelschritt_) schrittAngefordert_ = true;
}

void THauptfenster::BitBtn1Click() {
    mensch_.Passe();
    NachAktion();
}

void THauptfenster::ProgrammEnde() {
    if (schliessen_ == 0 && !SpielVerwerfen()) return;
    schliessen_ = 4;
}

void THauptfenster::closeEvent(QCloseEvent* e) {
    if (g_.SimulationLaeuft) {
        // The run stops after the game in progress and the window closes then.
        simulationAbbruch_ = true;
        schliessenNachSimulation_ = true;
        e->ignore();
        return;
    }
    // The window's own close button; "&Ende" has asked already.
    if (schliessen_ == 0 && !SpielVerwerfen()) {
        e->ignore();
        return;
    }
    profil_.W.FormLeft = x();
    profil_.W.FormTop = y();
    if (!profil_.ProgrammEnde(g_))
        MeldungZeigen("Veldmark", "Datei kann nicht geschrieben werden: " + Q(profil_.Pfad()));
    timer_.stop();
    trace_->hide();
    e->accept();
}

// The first time the window shows it takes the place the profile remembers, moved onto the
// screen where that place is off it (a screen unplugged, a smaller one since).
void THauptfenster::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (aktiviert_) return;
    aktiviert_ = true;
    move(AufBildschirm(QRect(QPoint(profil_.W.FormLeft, profil_.W.FormTop), size() + Fensterrahmen),
                       Startbildschirm()));
}

QRect THauptfenster::Startbildschirm() const {
    if (!bildschirm_.isEmpty()) return bildschirm_;
    const QScreen* s = QGuiApplication::screenAt(QPoint(profil_.W.FormLeft, profil_.W.FormTop));
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

void THauptfenster::BildschirmAnpassen(int32_t gewuenscht) {
    const QRect bildschirm = Startbildschirm();
    if (bildschirm.isEmpty()) return;
    const QSize frei = bildschirm.size() - Fensterrahmen;
    // Sizes follow the scale nearly, not exactly (fonts, frames): measured again after each step.
    for (int32_t prozent = gewuenscht;;) {
        if (prozent != massstab_.Prozent) {
            massstab_.Prozent = prozent;
            BrettAufbauen();
            if (auto* leiste = findChild<QToolBar*>("Werkzeuge")) leiste->setIconSize(QSize(Px(22), Px(22)));
        }
        const int32_t passend = PassendeSkalierung(prozent, sizeHint(), frei, SkalierungMin);
        if (passend == prozent) break;
        prozent = passend;
    }
    resize(sizeHint().boundedTo(frei));
}

// ---- commands ----

bool THauptfenster::SpielVerwerfen() {
    if (!VerwerfenFragen(g_, historie_, profil_.W.FrageVerwerfen)) return true;
    QMessageBox frage(QMessageBox::Question, "Veldmark", Tx("Laufendes Spiel verwerfen?"),
                      QMessageBox::Yes | QMessageBox::No, this);
    frage.setObjectName("FrageVerwerfen");
    frage.button(QMessageBox::Yes)->setText(Tx("Ja"));
    frage.button(QMessageBox::No)->setText(Tx("Nein"));
    if (SpeichernAnbieten(historie_)) frage.addButton(QMessageBox::Save)->setText(Tx("Speichern"));
    frage.setDefaultButton(QMessageBox::No);
    frage.setEscapeButton(QMessageBox::No);
    const int r = DialogAusfuehren(frage);
    const Antwort a = r == QMessageBox::Yes    ? Antwort::Ja
                      : r == QMessageBox::Save ? Antwort::Speichern
                                               : Antwort::Nein;
    return NachAntwort(a, historie_, [this] {
        Spieldateispeichern1Click();
        return !VerwerfenFragen(g_, historie_, true);
    });
}

void THauptfenster::NeuesSpielExecute() {
    vm::AuswahlAufheben(g_);
    if (g_.SimulationLaeuft || historie_.Sperre.NeuesSpiel) return;
    if (!SpielVerwerfen()) return;
    // Seat 1 is the person's in every game that is no simulation run; a series runs only by
    // its own command.
    g_.S.Computer[1] = 0;
    mensch_.Zuruecksetzen();
    takt_ = 0;
    menschWarAmZug_ = false;
    schrittAngefordert_ = false;
    compiTakte_ = 0;
    verlauf_->Leeren();
    NeuesSpielMitHistorie(g_, historie_);
    HistorieGesichert(0);
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::rckgngig1Click() {
    HistorieGesprungen(historie_.Rueckgaengig(g_));
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::wiederherstellen1Click() {
    HistorieGesprungen(historie_.Wiederherstellen(g_));
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::ganzzurueckClick() {
    HistorieGesprungen(historie_.GanzZurueck(g_));
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::ganzvorClick() {
    HistorieGesprungen(historie_.GanzVor(g_));
    HistorieSteuerung();
    NachAktion();
}

QString THauptfenster::Dateiname(bool speichern) {
    QFileDialog d(this);
    d.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (speichern) d.setWindowTitle(Q(texte_[Text::SpieldateiSpeichernTitel]));
    d.setDefaultSuffix("vmk");
    d.setNameFilters({Q(texte_[Text::FilterVeldmark]), Q(texte_[Text::FilterAlle])});
    d.setDirectory(Q(profil_.W.SaveDir));
    if (DialogAusfuehren(d) != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

void THauptfenster::Spieldateiladen1Click() {
    if (g_.SimulationLaeuft || historie_.Sperre.Laden) return;
    if (!SpielVerwerfen()) return;
    const QString datei = Dateiname(false);
    if (!datei.isEmpty()) OpenDialog1CanClose(datei);
}

void THauptfenster::Spieldateispeichern1Click() {
    if (g_.SimulationLaeuft || historie_.Sperre.Speichern) return;
    const QString datei = Dateiname(true);
    if (!datei.isEmpty()) SaveDialog1CanClose(datei);
}

void THauptfenster::OpenDialog1CanClose(const QString& datei) {
    // A refused file leaves everything as it was, the human's selection included; an accepted
    // one clears the selection as it replaces the game.
    TLadeErgebnis e = LadeSpieldatei(g_, historie_, datei.toStdString(), profil_.W.SaveDir);
    if (e.Meldung.Da()) MeldungZeigen(Q(e.Meldung.Titel), Q(e.Meldung.TextMitGrund(texte_)));
    if (e.Geladen) {
        mensch_.Zuruecksetzen();
        verlauf_->Geladen(historie_.H().AnzahlEintraege);
        SpielerAnzahlWaehlen(g_.Menue.SpielerAnzahl);
        StaerkeMenue();
    }
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::SaveDialog1CanClose(const QString& datei) {
    TMeldung m = SpeichereSpieldatei(g_, historie_, datei.toStdString(), profil_.W.SaveDir);
    if (m.Da()) MeldungZeigen(Q(m.Titel), Q(m.TextMitGrund(texte_)));
    HistorieSteuerung();
    NachAktion();
}

// ---- trace ----

void THauptfenster::TraceDebugExecute() {
    TraceSchalten(aktionen_["TraceDebug1"]->isChecked());
}

void THauptfenster::TraceSchalten(bool an) {
    aktionen_["TraceDebug1"]->setChecked(an);
    g_.Log.TraceAn = an;
    if (an) {
        // Every switching-on starts the log afresh with the start-up information.
        g_.Log.Leeren();
        for (const std::string& z : traceStartup_) g_.Log.Zeile(z);
        trace_->Neu();
        trace_->show();
        status_[5]->setText("Trace on");
    } else {
        trace_->hide();
        status_[5]->setText("  ");
    }
}

void THauptfenster::TraceAuffrischen() {
    if (trace_->isVisible()) trace_->Auffrischen();
}

// ---- simulation ----

void THauptfenster::BitBtn3Click() {
    simulationAbbruch_ = true;
}

void THauptfenster::Simulation1Click() {
    vm::AuswahlAufheben(g_);
    if (!SimulationStartbar(g_, historie_) || !SpielVerwerfen()) return;
    SimulationStarten();
}

void THauptfenster::SimulationStarten() {
    const int32_t anzahl = g_.Einstellungen.Fuer(g_.Menue.SpielerAnzahl).AnzahlSim;
    if (anzahl <= 0) return;
    simulationAbbruch_ = false;
    g_.SimulationLaeuft = true;
    // Nobody tells the simulated games; the list of the last game goes with the board.
    g_.SetzeEreignisse(nullptr);
    verlauf_->Leeren();
    gauge_->setRange(0, anzahl);
    gauge_->setValue(0);
    gauge_->show();
    abbruch_->show();
    SperreAnwenden();
    StatistikInit(*statistik_, g_);
    if (g_.Log.TraceAn) TraceSchalten(false);
    g_.S.Computer[1] = 1;
    // The gauge paints at once when its value changes; 25 times a second look the same as
    // after every game and keep the run as fast as the simulator's.
    QElapsedTimer anzeige;
    anzeige.start();
    for (int32_t i = 1; i <= anzahl; ++i) {
        SimSpiel(g_);
        // Once per game: the stop button, the gauge and repainting stay alive.
        QCoreApplication::processEvents();
        if (!StatistikSpiel(*statistik_, g_)) break;
        if (i == anzahl || anzeige.elapsed() >= 40) {
            gauge_->setValue(i);
            anzeige.restart();
        }
        if (simulationAbbruch_) break;
    }
    gauge_->hide();
    abbruch_->hide();
    g_.SimulationLaeuft = false;
    g_.SetzeEreignisse(verlauf_.get());

    if (!g_.Log.TraceAn) TraceSchalten(true);
    const QString punkt = QLocale().decimalPoint();
    const char dezimal = punkt.isEmpty() ? '.' : punkt.at(0).toLatin1();
    StatistikBericht(*statistik_, katalog_, g_.Zufall.RandSeed, dezimal == 0 ? '.' : dezimal,
                     [this](std::string_view z) { g_.Log.Zeile(std::string(z)); });
    SperreAnwenden();
    SpielfeldAnzeigen();
    NachAktion();
    if (schliessenNachSimulation_) close();
}

// ---- the rules' hooks ----

void THauptfenster::SpielstaerkeAnwenden() {
    vm::SpielstaerkeAnwenden(g_, g_.Menue.Spielstaerke);
}

void THauptfenster::HistorieEintrag() {
    if (g_.SimulationLaeuft) return;
    const int32_t vorher = historie_.H().AktuellerEintrag;
    historie_.SichereSpielstand(g_);
    HistorieGesichert(vorher);
    HistorieSteuerung();
}

void THauptfenster::SpielendeAnzeigen() {
    if (g_.SimulationLaeuft) return;
    // Hidden hand cards and money are shown again, and a locked puzzle may be saved now.
    SpielfeldAnzeigen();
    historie_.SpielendeErreicht();
    SperreAnwenden();
    TraceAuffrischen();
    verlaufFenster_->Auffrischen(); // the ranking stands beside the dialog
    fensterDialoge_->Spielende();
}

void THauptfenster::NachWertung(int) {
    if (fensterDialoge_) fensterDialoge_->NachWertung();
}

QString THauptfenster::Tx(const char* text) const {
    return QString::fromStdString(profil_.Sprache.Other(text));
}

void THauptfenster::Melde(std::string_view meldung) {
    TraceAuffrischen();
    QMessageBox box(QMessageBox::Critical, "Veldmark", Q(meldung), QMessageBox::Ok, this);
    box.setObjectName("InternerFehler");
    DialogAusfuehren(box);
}

void THauptfenster::Sternwarte(TSternwartenDialog& d) {
    TSternwartenFenster f(d, anzeigeKatalog_, bilder_, this);
    f.setObjectName("Form4");
    HinweisZeigen(texte_[Text::AufforderungSternwarte]);
    DialogAusfuehren(f);
}

int32_t THauptfenster::Schenke(const TSchenkeDialog& d) {
    TSchenkeFenster f(d, bilder_, this);
    f.setObjectName("Form5");
    DialogAusfuehren(f);
    return f.Punkte();
}

} // namespace vm::ui
