#include "ui/analysefenster.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "control/tipp.h"
#include "persist/aktionstext.h"
#include "ui/qtext.h"

namespace vm::ui {

namespace {

QTableWidget* Tabelle(const QStringList& koepfe, QWidget* eltern) {
    auto* t = new QTableWidget(0, static_cast<int>(koepfe.size()), eltern);
    t->setHorizontalHeaderLabels(koepfe);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void Zelle(QTableWidget* t, int zeile, int spalte, const QString& text, bool rechts = true) {
    auto* z = new QTableWidgetItem(text);
    z->setTextAlignment(rechts ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    t->setItem(zeile, spalte, z);
}

QString Prozent(double anteil) {
    return QString::asprintf("%.1f %%", anteil * 100);
}

// The chance, its interval and the mean points from column `ab` on.
void ChanceZellen(QTableWidget* t, int zeile, int ab, const TChance& c) {
    Zelle(t, zeile, ab, Prozent(c.Anteil));
    Zelle(t, zeile, ab + 1, QString::asprintf("%.1f – %.1f %%", c.Unten * 100, c.Oben * 100));
    Zelle(t, zeile, ab + 2, QString::asprintf("%.2f", c.MittelPunkte));
}

} // namespace

TAnalyseFenster::TAnalyseFenster(const TSpielsitzung& g, const TKatalog& anzeige, const TTexte& texte,
                                 int32_t spiele, QWidget* eltern)
    : QDialog(eltern), anzeige_(anzeige), texte_(texte), kopie_(g.Katalog()) {
    setObjectName("Analyse");
    setWindowTitle(Q(texte[Text::AnalyseTitel]));
    SpielKopieren(kopie_, g);
    optionen_.Spiele = spiele;
    optionen_.Kerne = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
    gesamt_ = AnalyseSpiele(kopie_, optionen_);

    kopf_ = new QLabel(this);
    kopf_->setWordWrap(true);
    fortschritt_ = new QProgressBar(this);
    fortschritt_->setObjectName("AnalyseFortschritt");
    fortschritt_->setRange(0, 1000);
    fortschritt_->setValue(0);
    sitze_ = Tabelle({Q(texte[Text::AnalyseSpieler]), Q(texte[Text::AnalyseStrategie]),
                      Q(texte[Text::AnalyseChance]), Q(texte[Text::AnalyseIntervall]),
                      Q(texte[Text::AnalysePunkte])},
                     this);
    sitze_->setObjectName("AnalyseSitze");
    // A row per seat, all in sight: the table is as high as its rows.
    sitze_->setRowCount(kopie_.Stand().SpielerAnzahl);
    sitze_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sitze_->setFixedHeight(sitze_->horizontalHeader()->sizeHint().height() + 2 * sitze_->frameWidth() +
                           sitze_->rowCount() * sitze_->verticalHeader()->defaultSectionSize());
    aktionenTitel_ = new QLabel(Q(texte[Text::AnalyseAktionen]), this);
    aktionen_ = Tabelle({Q(texte[Text::AnalyseChance]), Q(texte[Text::AnalyseIntervall]),
                         Q(texte[Text::AnalysePunkte]), Q(texte[Text::AnalyseAktion])},
                        this);
    aktionen_->setObjectName("AnalyseAktionen");
    const bool mitAktionen = gesamt_ > optionen_.Spiele;
    aktionenTitel_->setVisible(mitAktionen);
    aktionen_->setVisible(mitAktionen);
    knopf_ = new QPushButton("Abbruch", this);
    knopf_->setObjectName("AnalyseKnopf");
    connect(knopf_, &QPushButton::clicked, this, &TAnalyseFenster::reject);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(knopf_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kopf_);
    layout->addWidget(fortschritt_);
    layout->addWidget(sitze_);
    layout->addWidget(aktionenTitel_);
    layout->addWidget(aktionen_, 1);
    layout->addLayout(knoepfe);
    resize(720, mitAktionen ? 600 : 260);
    Auffrischen();

    takt_.setInterval(100);
    connect(&takt_, &QTimer::timeout, this, &TAnalyseFenster::Auffrischen);
    takt_.start();
    // The thread reads only the copy, the catalogue and its own options.
    thread_.reset(QThread::create([this] { ergebnis_ = Analysiere(kopie_, optionen_, &steuerung_); }));
    connect(thread_.get(), &QThread::finished, this, &TAnalyseFenster::Beendet);
    thread_->start();
}

TAnalyseFenster::~TAnalyseFenster() {
    Anhalten();
}

void TAnalyseFenster::Anhalten() {
    takt_.stop();
    if (!thread_) return;
    steuerung_.abbruch.store(true);
    thread_->wait();
}

void TAnalyseFenster::reject() {
    Anhalten();
    QDialog::reject();
}

void TAnalyseFenster::Auffrischen() {
    const int64_t n = steuerung_.fertig.load();
    fortschritt_->setValue(gesamt_ > 0 ? static_cast<int>(n * 1000 / gesamt_) : 1000);
    kopf_->setText(Q(texte_.Fuelle(Text::AnalyseFortschritt, {std::to_string(n), std::to_string(gesamt_)})));
}

void TAnalyseFenster::Beendet() {
    takt_.stop();
    if (steuerung_.abbruch.load()) return;
    fertig_ = true;
    fortschritt_->setValue(1000);
    // The simulator's header line: the position, the games per row and who plays whom.
    const std::string text = AnalyseText(ergebnis_, kopie_, optionen_);
    kopf_->setText(Q(text.substr(0, text.find('\n'))));

    sitze_->setRowCount(ergebnis_.Spieler);
    for (int sp = 1; sp <= ergebnis_.Spieler; ++sp) {
        Zelle(sitze_, sp - 1, 0, QString::number(sp));
        Zelle(sitze_, sp - 1, 1, QString::number(ergebnis_.Strategie[static_cast<size_t>(sp)]));
        ChanceZellen(sitze_, sp - 1, 2, ergebnis_.Sitz[static_cast<size_t>(sp)]);
    }
    std::vector<const TAktionsChance*> folge;
    for (const TAktionsChance& a : ergebnis_.Aktionen) folge.push_back(&a);
    std::stable_sort(folge.begin(), folge.end(), [](const TAktionsChance* a, const TAktionsChance* b) {
        return a->Chance.Anteil > b->Chance.Anteil;
    });
    aktionen_->setRowCount(static_cast<int>(folge.size()));
    for (size_t i = 0; i < folge.size(); ++i) {
        const int z = static_cast<int>(i);
        ChanceZellen(aktionen_, z, 0, folge[i]->Chance);
        Zelle(aktionen_, z, 3, Q(AktionText(texte_, anzeige_, kopie_.Stand(), folge[i]->Aktion)), false);
    }
    knopf_->setText(Q(texte_[Text::AnalyseSchliessen]));
    emit Berechnet();
}

} // namespace vm::ui
