#include "ui/dialoge.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vm::ui {

namespace {

constexpr Qt::WindowFlags OhneSchliessen = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPushButton* Knopf(const QString& text, const char* name, QWidget* eltern) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(name);
    k->setAutoDefault(false);
    return k;
}

// A number field that changes with its arrows only.
class TPfeilZahl : public QSpinBox {
public:
    explicit TPfeilZahl(QWidget* eltern) : QSpinBox(eltern) { lineEdit()->setReadOnly(true); }
};

} // namespace

TSternwartenFenster::TSternwartenFenster(TSternwartenDialog& d, const TKatalog& katalog,
                                         const TKartenbilder& bilder, QWidget* eltern)
    : QDialog(eltern, OhneSchliessen), d_(d), katalog_(katalog) {
    setWindowTitle("Sternwarte");
    bild_ = new TKartenBild(bilder, Format::Gross, 0, this);
    bild_->Zeige(BildRueckseite, QString());
    auto* text = new QLabel("Sternwarte: verdeckte Karte anschauen", this);
    auto* gruppe = new QGroupBox("verdeckte Karte vom", this);
    auto* gruppenLayout = new QVBoxLayout(gruppe);
    for (int i = 0; i < d.AnzahlAngebote(); ++i) {
        auto* r = new QRadioButton(Q(TSternwartenDialog::StapelName(d.Angebot(i))), gruppe);
        r->setObjectName(QString("Stapel%1").arg(d.Angebot(i)));
        r->setChecked(i == d.Vorwahl());
        gruppenLayout->addWidget(r);
        stapel_.push_back(r);
    }
    ziehen_ = Knopf("Ziehen", "Ziehen", this);
    kaufen_ = Knopf("Kaufen", "Kaufen", this);
    hand_ = Knopf("Hand", "Hand", this);
    abwurf_ = Knopf("Abwurf", "Abwurf", this);
    abbruch_ = Knopf("Abbruch", "Abbruch", this);
    kaufen_->hide();
    hand_->hide();
    abwurf_->hide();
    ziehen_->setVisible(d.KannZiehen());
    ziehen_->setDefault(d.KannZiehen());

    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* k : {ziehen_, kaufen_, hand_, abwurf_, abbruch_}) knoepfe->addWidget(k);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(text);
    rechts->addWidget(gruppe);
    rechts->addStretch();
    rechts->addLayout(knoepfe);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(bild_);
    layout->addLayout(rechts);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    bild_->show();

    connect(ziehen_, &QPushButton::clicked, this, [this] {
        int gewaehlt = 0;
        for (size_t i = 0; i < stapel_.size(); ++i)
            if (stapel_[i]->isChecked()) gewaehlt = static_cast<int>(i);
        d_.Ziehen(gewaehlt);
        Gezogen();
    });
    auto waehlen = [this](TSternwartenDialog::Wahl w) {
        d_.Waehle(w);
        accept();
    };
    connect(kaufen_, &QPushButton::clicked, this, [=] { waehlen(TSternwartenDialog::Kaufen); });
    connect(hand_, &QPushButton::clicked, this, [=] { waehlen(TSternwartenDialog::Hand); });
    connect(abwurf_, &QPushButton::clicked, this, [=] { waehlen(TSternwartenDialog::Abwurf); });
    connect(abbruch_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
}

void TSternwartenFenster::Gezogen() {
    ziehen_->hide();
    abbruch_->hide();
    for (QRadioButton* r : stapel_) r->setEnabled(false);
    kaufen_->show();
    hand_->show();
    abwurf_->show();
    kaufen_->setEnabled(d_.KannKaufen());
    hand_->setEnabled(d_.KannHand());
    abwurf_->setEnabled(true);
    abwurf_->setDefault(true);
    if (!d_.Karte().Leer()) {
        const tKarte& k = katalog_.Daten(d_.Karte());
        bild_->Zeige(k.Bild, Q(k.Beschreibung));
    }
}

void TSternwartenFenster::reject() {
    if (!d_.Gezogen()) QDialog::reject();
}

TSchenkeFenster::TSchenkeFenster(const TSchenkeDialog& d, const TKartenbilder& bilder, QWidget* eltern)
    : QDialog(eltern, OhneSchliessen) {
    setWindowTitle("Schenke");
    auto* bild = new TKartenBild(bilder, Format::Gross, 0, this);
    bild->Zeige(7, QString());
    auto* text = new QLabel("Schenke: Siegpunkte kaufen", this);
    auto* geld = new QLabel("Geld: " + QString::number(d.Geld), this);
    geld->setObjectName("Geld");
    auto* frage = new QLabel("Siegpunkte kaufen:", this);
    zahl_ = new TPfeilZahl(this);
    zahl_->setRange(0, d.Hoechstens());
    zahl_->setValue(0);
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(frage);
    zeile->addWidget(zahl_);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(text);
    rechts->addWidget(geld);
    rechts->addLayout(zeile);
    rechts->addStretch();
    rechts->addWidget(ok_, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(bild);
    layout->addLayout(rechts);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok_, &QPushButton::clicked, this, [this] {
        punkte_ = zahl_->value();
        accept();
    });
}

} // namespace vm::ui
