// The hint: the searching strategy's move for the person, searched off the window's thread on a
// copy of the game, then marked on the board and said in the status bar; and the analysis of the
// position in its dialog. Neither changes the game.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <thread>

#include "ui/analysefenster.h"
#include "ui/hauptfenster.h"
#include "ui/kartenbild.h"
#include "ui/tipplauf.h"

namespace vm::ui {

namespace {

constexpr const char* MarkenName = "TippMarke";

// The mark: a frame laid over the control, whatever kind it is, that lets the mouse through
// and follows the control's size.
class TTippRahmen : public QWidget {
public:
    explicit TTippRahmen(QWidget* ziel) : QWidget(ziel) {
        setObjectName(MarkenName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(ziel->rect());
        ziel->installEventFilter(this);
        show();
        raise();
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == parent() && e->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // Magenta with a white edge: apart from the yellow of the targets, on cloth, cards and buttons.
        const int breite = std::max(3, std::min(width(), height()) / 14);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xE0, 0x10, 0xC0), breite, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawRect(QRectF(rect()).adjusted(breite / 2.0, breite / 2.0, -breite / 2.0, -breite / 2.0));
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(rect().adjusted(breite, breite, -breite - 1, -breite - 1));
    }
};

} // namespace

bool THauptfenster::TippLaeuft() const {
    return tipp_ && tipp_->Laeuft();
}

std::vector<QWidget*> THauptfenster::TippMarken() const {
    std::vector<QWidget*> marken;
    for (QWidget* r : centralWidget()->findChildren<QWidget*>(MarkenName))
        marken.push_back(r->parentWidget());
    return marken;
}

void THauptfenster::TippKlick() {
    TippPruefen();
    if (TippLaeuft() || !TippMoeglich(g_, mensch_) || compiZugLaeuft_ || historie_.Sperre.Spielzug) return;
    TippVerwerfen();
    const int kerne = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    tipp_ = std::make_unique<TTippLauf>(g_, kerne, tippBudget_, this);
    connect(tipp_.get(), &TTippLauf::Beendet, this, &THauptfenster::TippBeendet);
    tipp_->Starten();
    TippSperre();
    HinweisAuffrischen();
}

void THauptfenster::TippBeendet() {
    if (!tipp_) return;
    TTippSuche& suche = tipp_->Suche();
    if (suche.Abgebrochen() || !suche.Passt(g_) || !TippMoeglich(g_, mensch_)) {
        TippVerwerfen();
    } else {
        tippZiel_ = TippZiel(g_, suche.Ergebnis().aktion);
        tippText_ = TippText(texte_, anzeigeKatalog_, g_.S, suche.Ergebnis());
        TippMarkeZeigen(true);
    }
    TippSperre();
    HinweisAuffrischen();
    emit TippFertig();
}

void THauptfenster::TippMarkeZeigen(bool an) {
    for (QWidget* r : centralWidget()->findChildren<QWidget*>(MarkenName)) delete r;
    if (!an) return;
    auto markieren = [](QWidget* w) {
        if (w) new TTippRahmen(w);
    };
    const TTippZiel& z = tippZiel_;
    const bool tisch = z.art == TTippZiel::Hand || z.art == TTippZiel::Schenke || z.ersetzt > 0;
    switch (z.art) {
    case TTippZiel::Keins:
        break;
    case TTippZiel::Auslage:
        if (z.reihe >= 1 && z.reihe <= 2 && z.platz >= 1 && z.platz <= 8)
            markieren(AuslageBild(z.reihe, z.platz));
        break;
    case TTippZiel::Hand:
        if (z.platz >= 1 && z.platz <= 4) markieren(HandBild(1, z.platz));
        break;
    case TTippZiel::Passe:
        markieren(passe_);
        break;
    case TTippZiel::Stapel:
        if (z.platz >= 1 && z.platz <= 4) markieren(StapelLabel(z.platz));
        break;
    case TTippZiel::Schenke:
        for (int32_t pos : z.schenken)
            if (pos >= 1 && pos <= MaxTischpositionen) markieren(TischBild(1, pos));
        break;
    }
    if (z.ersetzt >= 1 && z.ersetzt <= MaxTischpositionen) markieren(TischBild(1, z.ersetzt));
    // What is marked on seat 1's table is seen there.
    if (tisch) seiten_->setCurrentIndex(0);
}

void THauptfenster::TippVerwerfen() {
    if (tipp_) {
        // A search still going stops; it may have called here itself, so it goes once its
        // signal is through, and at the latest with the window.
        tipp_->Suche().Abbrechen();
        disconnect(tipp_.get(), nullptr, this, nullptr);
        tipp_.release()->deleteLater();
    }
    tippText_.clear();
    tippZiel_ = {};
    TippMarkeZeigen(false);
}

// The game moved on (a move, an undo, a loaded or new game): the hint no longer fits.
void THauptfenster::TippPruefen() {
    if (!tipp_ || tipp_->Suche().Passt(g_)) return;
    TippVerwerfen();
    HinweisAuffrischen();
}

void THauptfenster::TippSperre() {
    const bool an =
        !TippLaeuft() && TippMoeglich(g_, mensch_) && !compiZugLaeuft_ && !historie_.Sperre.Spielzug;
    if (QAction* a = Aktion("Tipp")) a->setEnabled(an);
    if (QToolButton* k = Knopf("TippKnopf")) k->setEnabled(an);
    // Any position of a game going on, also while the computer seats play it.
    if (QAction* a = Aktion("Analyse"))
        a->setEnabled(!g_.SimulationLaeuft && !g_.S.Spielende && !historie_.Sperre.Spielzug);
}

void THauptfenster::AnalyseKlick() {
    if (g_.SimulationLaeuft || g_.S.Spielende || historie_.Sperre.Spielzug) return;
    TAnalyseFenster d(g_, anzeigeKatalog_, texte_, analyseSpiele_, this);
    DialogAusfuehren(d);
}

} // namespace vm::ui
