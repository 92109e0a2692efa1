// The window itself: start-up, the dialogs it runs, its place on the screen, the rules' hooks.
#include "ui/hauptfenster.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QToolBar>

#include "ai/spielstaerke.h"
#include "control/kommandozeile.h"
#include "control/spielende.h"
#include "ui/dialoge.h"
#include "ui/fensterdialoge.h"
#include "ui/hilfemenue.h"
#include "ui/qtext.h"
#include "ui/simulationslauf.h"
#include "ui/spielverlauf.h"
#include "ui/tipplauf.h"
#include "ui/tracefenster.h"

namespace vm::ui {

namespace {

// A profile colour: a system colour (high bit set) or 00BBGGRR.
QColor Profilfarbe(int32_t wert, const QPalette& palette) {
    if (wert < 0) return palette.color(QPalette::Button);
    const auto v = static_cast<uint32_t>(wert);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

} // namespace

THauptfenster::THauptfenster(const TStartOptionen& o)
    : g_(katalog_), historie_(&texte_), profil_(&texte_), mensch_(g_),
      statistik_(std::make_unique<TSimStatistik>()), dialogLauf_(o.DialogLauf) {
    compiZugLaeuft_ = true; // no computer move during start-up
    setWindowTitle("Veldmark");
    setObjectName("Hauptfenster");
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
        aktionen_["Trace"]->setChecked(false);
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
    aktionen_["ProfilSichern"]->setChecked(profil_.W.SaveIni);
    aktionen_["StrategieparameterBeimStart"]->setChecked(profil_.W.LadeStrategieParam);
    aktionen_["AdelsbonusErweitert"]->setChecked(g_.Menue.AdelsbonusErweitert);
    aktionen_["VerdeckteHandkarten"]->setChecked(g_.Menue.VerdeckteHandkarten);
    aktionen_["KeineHofmeisterinRunde1"]->setChecked(g_.Menue.KeineHofmeisterinRunde1);
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
    connect(&timer_, &QTimer::timeout, this, &THauptfenster::SpielTakt);
    timer_.start();
}

THauptfenster::~THauptfenster() {
    simulation_.reset();
    // Hints still searching read the catalogue: they stop before it goes.
    tipp_.reset();
    qDeleteAll(findChildren<TTippLauf*>(Qt::FindDirectChildrenOnly));
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

void THauptfenster::closeEvent(QCloseEvent* e) {
    if (g_.SimulationLaeuft) {
        // The run stops after the game in progress and the window closes then.
        simulation_->Abbrechen();
        schliessenNachSimulation_ = true;
        e->ignore();
        return;
    }
    // The window's own close button; "&Ende" has asked already.
    if (schliessen_ == 0 && !SpielVerwerfen()) {
        e->ignore();
        return;
    }
    TippVerwerfen();
    tipp_.reset();
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
    f.setObjectName("Sternwarte");
    HinweisZeigen(texte_[Text::AufforderungSternwarte]);
    DialogAusfuehren(f);
}

int32_t THauptfenster::Schenke(const TSchenkeDialog& d) {
    TSchenkeFenster f(d, bilder_, this);
    f.setObjectName("Schenke");
    DialogAusfuehren(f);
    return f.Punkte();
}

} // namespace vm::ui
