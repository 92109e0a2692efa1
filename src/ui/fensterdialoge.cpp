#include "ui/fensterdialoge.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <fstream>

#include "control/einstellungsdialog.h"
#include "control/laufendesspiel.h"
#include "control/spielende.h"
#include "persist/dateien.h"
#include "sim/extrastatistik.h"
#include "sim/statistik.h"
#include "ui/einstellungsfenster.h"
#include "ui/hauptfenster.h"
#include "ui/infofenster.h"
#include "ui/korrekturfenster.h"
#include "ui/qtext.h"
#include "ui/sprachanwendung.h"
#include "ui/werkzeugsymbol.h"

namespace vm::ui {

namespace {

// The menu whose own action carries `name`, anywhere below `menue`.
QMenu* Untermenue(const QList<QAction*>& aktionen, const QString& name) {
    for (QAction* a : aktionen) {
        if (!a->menu()) continue;
        if (a->objectName() == name) return a->menu();
        if (QMenu* m = Untermenue(a->menu()->actions(), name)) return m;
    }
    return nullptr;
}

// The menu that holds the action `name`.
QMenu* MenueMit(const QList<QAction*>& aktionen, const QString& name) {
    for (QAction* a : aktionen) {
        if (!a->menu()) continue;
        for (QAction* b : a->menu()->actions())
            if (b->objectName() == name) return a->menu();
        if (QMenu* m = MenueMit(a->menu()->actions(), name)) return m;
    }
    return nullptr;
}

bool MitAlt(const QEvent* e) {
    return static_cast<const QMouseEvent*>(e)->modifiers().testFlag(Qt::AltModifier);
}

} // namespace

TFensterDialoge::TFensterDialoge(THauptfenster& f, const TKatalog& anzeigeKatalog)
    : QObject(&f), f_(f), anzeige_(anzeigeKatalog) {
    const TSprache& sprache = f.Profil().Sprache;
    sprache_ = std::make_unique<TSprachanwendung>(sprache);
    einstellungen_ = std::make_unique<TEinstellungsFenster>(f.Sitzung().Einstellungen, sprache, &f);
    korrektur_ = std::make_unique<TKorrekturFenster>(korrekturZustand_, anzeige_, f.Bilder(), sprache, &f);

    auto menue = [&](const char* text) { return Q(sprache.Menue(text)); };
    const QList<QAction*> leiste = f.menuBar()->actions();
    if (QMenu* erweitert = Untermenue(leiste, "ErweiterteEinstellungen")) {
        QAction* vor = erweitert->actions().value(0);
        extra_ = new QAction(menue("E&xtra Statistik"), erweitert);
        extra_->setObjectName("ExtraStatistik");
        extra_->setCheckable(true);
        korrekturAktion_ = new QAction(menue("&KorrekturModus"), erweitert);
        korrekturAktion_->setObjectName("Korrekturmodus");
        korrekturAktion_->setCheckable(true);
        strategien_ = new QAction(menue("&Strategien ..."), erweitert);
        strategien_->setObjectName("Strategien");
        erweitert->insertActions(vor, {extra_, korrekturAktion_, strategien_});
        if (vor) erweitert->insertSeparator(vor);
        connect(extra_, &QAction::triggered, this, &TFensterDialoge::ExtraStatistikKlick);
        connect(korrekturAktion_, &QAction::triggered, this, &TFensterDialoge::KorrekturmodusKlick);
        connect(strategien_, &QAction::triggered, this, &TFensterDialoge::StrategienKlick);
    }
    if (QMenu* optionen = MenueMit(leiste, "Trace")) {
        auto* skalierung = new QAction(menue("Skalierung &Hauptformular ..."), optionen);
        skalierung->setObjectName("Skalieren");
        QAction* vor = nullptr;
        for (QAction* a : optionen->actions())
            if (a->menu() && a->objectName() == "ErweiterteEinstellungen") vor = a;
        optionen->insertAction(vor, skalierung);
        connect(skalierung, &QAction::triggered, this, &TFensterDialoge::SkalierungKlick);
    }
    // The help menu opens no correction mode: it only opens documents.
    QMenu* hilfe = f.menuBar()->addMenu(menue("&Hilfe"));
    hilfe->menuAction()->setObjectName("HilfeMenue");
    hilfe_ = new THilfeMenue(hilfe, f.Programmordner(), f.Profil().W, sprache, [this] { UeberKlick(); });

    if (auto* werkzeuge = f.findChild<QToolBar*>("Werkzeuge")) {
        auto knopf = [&](const char* name, QStyle::StandardPixmap bild, const char* hinweis) {
            auto* k = new QToolButton(werkzeuge);
            k->setObjectName(name);
            k->setIcon(MitDeutlichemAus(f.style()->standardIcon(bild)));
            k->setToolTip(Q(sprache.Other(hinweis)));
            k->setAutoRaise(true);
            werkzeuge->addWidget(k);
            return k;
        };
        werkzeuge->addSeparator();
        korrekturKnopf_ = knopf("KorrekturmodusKnopf", QStyle::SP_FileDialogContentsView, "Korrekturmodus");
        korrekturKnopf_->setCheckable(true);
        connect(korrekturKnopf_, &QToolButton::clicked, this, &TFensterDialoge::KorrekturmodusKlick);
        strategienKnopf_ =
            knopf("StrategienKnopf", QStyle::SP_ComputerIcon, "Strategieparameter modifizieren");
        connect(strategienKnopf_, &QToolButton::clicked, this, &TFensterDialoge::StrategienKlick);
        hilfeKnopf_ = knopf("HilfeKnopf", QStyle::SP_DialogHelpButton, "Hilfe");
        connect(hilfeKnopf_, &QToolButton::clicked, this, &TFensterDialoge::UeberKlick);
    }

    for (int s = 1; s <= 4; ++s) {
        for (int pos = 1; pos <= MaxTischpositionen; ++pos) f.TischBild(s, pos)->installEventFilter(this);
        f.GeldLabel(s)->installEventFilter(this);
    }
    f.installEventFilter(this);

    // Every window, now and whenever one is shown, in the language of the language file.
    sprache_->Anwenden(&f);
    qApp->installEventFilter(sprache_.get());
}

TFensterDialoge::~TFensterDialoge() {
    qApp->removeEventFilter(sprache_.get());
}

int TFensterDialoge::GezeigterSitz() const {
    return f_.Seiten()->currentIndex() + 1;
}

bool TFensterDialoge::eventFilter(QObject* o, QEvent* e) {
    if (o == &f_) {
        // The start screen at the first activation, once the window stands.
        if (e->type() == QEvent::Show && !aktiviert_) {
            aktiviert_ = true;
            QTimer::singleShot(0, this, [this] { StartbildZeigen(); });
        }
        return false;
    }
    const bool loslassen = e->type() == QEvent::MouseButtonRelease;
    if (!loslassen && e->type() != QEvent::MouseButtonDblClick && e->type() != QEvent::MouseButtonPress)
        return false;
    TSpielsitzung& g = f_.Sitzung();
    if (!KorrekturKlickGilt(g, MitAlt(e), f_.Mensch().AmZug())) return false;
    // An Alt-click in the correction mode belongs to it alone: the rules of play never see it.
    for (int s = 1; s <= 4; ++s) {
        if (o == f_.GeldLabel(s)) {
            if (loslassen) KorrekturGeldKlick(s, static_cast<QMouseEvent*>(e)->button());
            return true;
        }
    }
    if (auto* bild = qobject_cast<TKartenBild*>(o)) {
        if (loslassen) KorrekturTischKlick(GezeigterSitz(), bild->Tag());
        return true;
    }
    return false;
}

void TFensterDialoge::StartbildZeigen() {
    // Shown on top for three seconds; it does not hold up the board.
    startbild_ = new TInfoFenster(f_.Bilder(), f_.Profil().Sprache, &f_);
    startbild_->setObjectName("Startbild");
    startbild_->setAttribute(Qt::WA_DeleteOnClose);
    if (QScreen* bildschirm = f_.screen())
        startbild_->move(bildschirm->geometry().center() -
                         QPoint(TInfoFenster::Breite / 2, TInfoFenster::Hoehe / 2));
    startbild_->show();
}

void TFensterDialoge::UeberKlick() {
    TInfoFenster d(f_.Bilder(), f_.Profil().Sprache, &f_);
    d.MitStatistik(InfoStatistik(f_.Profil().W, f_.Profil().Sprache));
    f_.DialogAusfuehren(d);
}

void TFensterDialoge::StrategienKlick() {
    TSpielsitzung& g = f_.Sitzung();
    if (g.SimulationLaeuft) return;
    einstellungen_->Vorbereiten(g.Menue.SpielerAnzahl);
    f_.DialogAusfuehren(*einstellungen_);
    // Whatever the result: the simulation mode follows the record of the chosen player count.
    NachEinstellungen(g);
}

void TFensterDialoge::KorrekturSetzen(bool an) {
    KorrekturModusSetzen(f_.Sitzung(), an);
    KorrekturAnzeigen();
}

void TFensterDialoge::KorrekturAnzeigen() {
    TSpielsitzung& g = f_.Sitzung();
    const bool an = KorrekturmodusAn(g);
    if (korrekturAktion_) korrekturAktion_->setChecked(an);
    if (korrekturKnopf_) korrekturKnopf_->setChecked(an);
    f_.Statusfeld(4)->setText(an ? sprache_->Other(Q(KorrekturStatus(true))) : Q(KorrekturStatus(false)));
    f_.Historie().StatusAuffrischen(g);
    f_.Statusfeld(6)->setText(Q(f_.Historie().Anzeige().Korrigiert));
}

void TFensterDialoge::KorrekturmodusKlick() {
    KorrekturSetzen(!KorrekturmodusAn(f_.Sitzung()));
}

void TFensterDialoge::KorrekturTischKlick(int sitz, int position) {
    TSpielsitzung& g = f_.Sitzung();
    const int32_t inx = TischkarteInx(g, sitz, position);
    if (inx == 0) return;
    korrektur_->Vorbereiten(inx);
    if (f_.DialogAusfuehren(*korrektur_) != QDialog::Accepted) return;
    const KorrekturErgebnis e =
        KorrigiereTischkarte(g, sitz, position, korrekturZustand_.Aktion(), korrekturZustand_.Inx());
    // A table that cannot take the card, or a waiting observatory card, refuses the edit.
    if (e != KorrekturErgebnis::Ausgefuehrt) QApplication::beep();
}

void TFensterDialoge::KorrekturGeldKlick(int sitz, Qt::MouseButton taste) {
    if (!KorrigiereGeld(f_.Sitzung(), sitz, taste == Qt::LeftButton)) QApplication::beep();
}

void TFensterDialoge::ExtraStatistikKlick() {
    if (!extra_) return;
    if (extra_->isChecked()) {
        memoStat_.clear();
        memoStat_.push_back(ExtraStatistikKopf());
        return;
    }
    const std::string pfad = PfadVerbinden(f_.Sitzung().ProfilOrdner, "Statistik.txt");
    std::string text;
    for (const std::string& z : memoStat_) text += z + "\n";
    if (SchreibeAtomar(pfad, pfad + ".tmp", text.data(), text.size()) != SchreibFehler::Keiner) {
        QMessageBox box(QMessageBox::Critical, "Veldmark",
                        sprache_->Other("Datei kann nicht geschrieben werden:") + " " + Q(pfad),
                        QMessageBox::Ok, &f_);
        f_.DialogAusfuehren(box);
    }
    memoStat_.clear();
}

bool TFensterDialoge::ExtraStatistikAn() const {
    return extra_ && extra_->isChecked();
}

void TFensterDialoge::ExtraStatistikAnhaengen(const std::vector<std::string>& zeilen) {
    if (ExtraStatistikAn()) memoStat_.insert(memoStat_.end(), zeilen.begin(), zeilen.end());
}

void TFensterDialoge::NachWertung() {
    if (!ExtraStatistikAn()) return;
    char zeile[ExtraStatistikZeileMax];
    const size_t n = ExtraStatistikZeile(f_.Sitzung(), int64_t{f_.Statistik().AnzahlSpiele} + 1, zeile);
    memoStat_.emplace_back(zeile, n);
}

void TFensterDialoge::SkalierungKlick() {
    TSkalierungFenster d(f_.Profil().Sprache, &f_);
    d.Vorbereiten(f_.Profil().W.ScaleBy);
    if (f_.DialogAusfuehren(d) != QDialog::Accepted) return;
    const int32_t n = d.Wert();
    f_.Profil().W.ScaleBy = n;
    f_.Sitzung().Trace("**** Skalierung auf ", n, " Prozent");
    QMessageBox box(QMessageBox::Information, sprache_->Other("Achtung !"),
                    sprache_->Other("Programm wird beendet !"), QMessageBox::Ok, &f_);
    f_.DialogAusfuehren(box);
    f_.ProgrammEnde();
}

void TFensterDialoge::Spielende() {
    TSpielsitzung& g = f_.Sitzung();
    TProfil& p = f_.Profil();
    // A puzzle, a game the computer played on seat 1, or an end reached again after undo changes
    // no counter.
    const bool zaehlt = SpielendeZaehlt(f_.Historie());
    const TSpielendeDialog d = SpielendeAuswerten(g, p.W, !zaehlt, p.Sprache);
    if (d.Gezaehlt && !p.HighscoreSichern()) {
        QMessageBox box(QMessageBox::Critical, "Veldmark",
                        sprache_->Other("Datei kann nicht geschrieben werden:") + " " + Q(p.Pfad()),
                        QMessageBox::Ok, &f_);
        f_.DialogAusfuehren(box);
    }
    spielende_ = std::make_unique<TSpielendeFenster>(f_.Bilder(), p.Sprache, &f_);
    spielende_->Skalieren(p.W.ScaleBy);
    spielende_->Fuellen(d);
    // Centred on the screen, its top 10 pixels below the main window's.
    int links = f_.x() + (f_.width() - spielende_->width()) / 2;
    if (QScreen* bildschirm = f_.screen())
        links = bildschirm->geometry().center().x() - spielende_->width() / 2;
    spielende_->move(links, f_.frameGeometry().top() + 10);
    f_.DialogAusfuehren(*spielende_);
}

void TFensterDialoge::SperreAnwenden(const TSperre& s, bool simulation, bool experte) {
    const bool korrektur = experte && !s.Korrektur && !simulation;
    // A preset strength or a loaded puzzle ends the mode (loading clears the flag itself).
    if (!korrektur && !simulation) KorrekturModusSetzen(f_.Sitzung(), false);
    KorrekturAnzeigen();
    if (korrekturAktion_) korrekturAktion_->setEnabled(korrektur);
    if (korrekturKnopf_) korrekturKnopf_->setEnabled(korrektur);
    if (strategienKnopf_) strategienKnopf_->setEnabled(experte && !s.Strategien && !simulation);
}

} // namespace vm::ui
