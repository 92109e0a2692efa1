// The layout of the board: display, seat boxes, table pages, stacks, buttons and status bar.
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/hauptfenster.h"
#include "ui/qtext.h"
#include "ui/spielverlauf.h"

namespace vm::ui {

namespace {

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
    flaeche->setObjectName("Auslage");
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
            b->setObjectName(QString("Auslage%1_%2").arg(r).arg(p));
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
    seiten_->setObjectName("TischSeiten");
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
    passe_->setObjectName("Passe");
    passe_->setToolTip("passen");
    passe_->setMinimumHeight(Px(48));
    QFont gross = schrift;
    gross.setBold(true);
    if (gross.pixelSize() > 0)
        gross.setPixelSize(gross.pixelSize() + Px(4));
    else
        gross.setPointSizeF(gross.pointSizeF() + 3 * massstab_.Faktor());
    passe_->setFont(gross);
    connect(passe_, &QPushButton::clicked, this, &THauptfenster::PasseKlick);
    rechts->addWidget(passe_);
    next_ = new QPushButton("Next", mitte);
    next_->setObjectName("NaechsterSchritt");
    next_->setToolTip("Nächster Spieler");
    next_->setVisible(false);
    connect(next_, &QPushButton::clicked, this, &THauptfenster::NaechsterSchrittKlick);
    rechts->addWidget(next_);
    verlaufFenster_ = new TSpielverlaufFenster(*verlauf_, Q(texte_[Text::VerlaufTitel]), mitte);
    rechts->addWidget(verlaufFenster_, 1);
    gauge_ = new QProgressBar(mitte);
    gauge_->setObjectName("SimulationFortschritt");
    gauge_->setToolTip("Fortschritt der Simulation");
    gauge_->setVisible(false);
    rechts->addWidget(gauge_);
    abbruch_ = new QPushButton("Abbruch", mitte);
    abbruch_->setObjectName("SimulationAbbruch");
    abbruch_->setToolTip("Abbruch der Simulation");
    abbruch_->setVisible(false);
    connect(abbruch_, &QPushButton::clicked, this, &THauptfenster::SimulationAbbruchKlick);
    rechts->addWidget(abbruch_);
    auto* rechtsBox = new QWidget(mitte);
    rechtsBox->setLayout(rechts);
    rechtsBox->setFixedWidth(Px(190));
    unten->addWidget(rechtsBox);
    unten->addStretch();
    spalten->addLayout(unten);

    // Status bar: eight panels.
    const int breiten[8] = {80, 100, 130, 130, 80, 70, 24, 150};
    const char* namen[8] = {"StatusRunde",          "StatusPhase", "StatusHistorie",   "StatusSpielerAnzahl",
                            "StatusKorrekturmodus", "StatusTrace", "StatusKorrigiert", "StatusVersion"};
    for (size_t i = 0; i < status_.size(); ++i) {
        auto* l = new TStatusfeld(Px(breiten[i]), statusBar());
        l->setObjectName(namen[i]);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(l);
        status_[i] = l;
    }
    statusBar()->setSizeGripEnabled(false);
}

QWidget* THauptfenster::SitzBoxAufbauen(int s) {
    TSitz& z = sitze_[static_cast<size_t>(s - 1)];
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
    TSitz& z = sitze_[static_cast<size_t>(s - 1)];
    auto* seite = new QWidget;
    seite->setObjectName(QString("TischSeite%1").arg(s));
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

} // namespace vm::ui
