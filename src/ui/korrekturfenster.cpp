#include "ui/korrekturfenster.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "persist/sprache.h"

namespace vm::ui {

namespace {

constexpr Qt::WindowFlags OhneSchliessen = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Changed with its arrows only: every value it can show names a card.
class TNurPfeile : public QSpinBox {
public:
    explicit TNurPfeile(QWidget* eltern) : QSpinBox(eltern) { lineEdit()->setReadOnly(true); }
};

} // namespace

TKorrekturFenster::TKorrekturFenster(TKorrekturDialogZustand& zustand, const TKatalog& katalog,
                                     const TKartenbilder& bilder, const TSprache& sprache, QWidget* eltern)
    : QDialog(eltern, OhneSchliessen), z_(zustand), katalog_(katalog), sprache_(sprache) {
    setObjectName("Korrektur");
    bild_ = new TKartenBild(bilder, Format::Gross, 0, this);
    text_ = new QLabel(this);
    nummer_ = new TNurPfeile(this);
    nummer_->setObjectName("Nummer");
    nummer_->setRange(TKorrekturDialogZustand::InxMin, TKorrekturDialogZustand::InxMax);
    gruppe_ = new QGroupBox(this);
    auto* gruppenLayout = new QVBoxLayout(gruppe_);
    const char* namen[] = {"Entfernen", "Austauschen", "Einfuegen"};
    for (int i = 0; i < 3; ++i) {
        wahl_[i] = new QRadioButton(gruppe_);
        wahl_[i]->setObjectName(namen[i]);
        gruppenLayout->addWidget(wahl_[i]);
    }
    ok_ = new QPushButton(this);
    ok_->setObjectName("OK");
    ok_->setDefault(true);
    abbruch_ = new QPushButton(this);
    abbruch_->setObjectName("Abbruch");
    connect(ok_, &QPushButton::clicked, this, &TKorrekturFenster::accept);
    connect(abbruch_, &QPushButton::clicked, this, &TKorrekturFenster::reject);
    connect(nummer_, &QSpinBox::valueChanged, this, [this](int n) {
        if (laedt_) return;
        z_.NummerAendern(n);
        KarteZeigen();
    });

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(text_);
    rechts->addWidget(nummer_);
    rechts->addWidget(gruppe_);
    rechts->addStretch();
    auto* oben = new QHBoxLayout;
    oben->addWidget(bild_);
    oben->addLayout(rechts);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok_);
    knoepfe->addWidget(abbruch_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(oben);
    layout->addLayout(knoepfe);
}

void TKorrekturFenster::Vorbereiten(int32_t inx) {
    const TSprache& s = sprache_;
    setWindowTitle(Q(s.Other("Neue Karte auswählen:")));
    text_->setText(Q(s.Other("Neue Karte auswählen:")));
    gruppe_->setTitle(Q(s.Other("Korrektur")));
    wahl_[0]->setText(Q(s.Other("Karte entfernen")));
    wahl_[1]->setText(Q(s.Other("Karte austauschen")));
    wahl_[2]->setText(Q(s.Other("Karte einfügen")));
    ok_->setText(Q(s.Other("OK")));
    abbruch_->setText(Q(s.Other("Abbruch")));

    z_.Vorwaehlen(inx);
    z_.Aktivieren();
    laedt_ = true;
    nummer_->setValue(z_.Nummer());
    laedt_ = false;
    wahl_[static_cast<int>(z_.Aktion())]->setChecked(true);
    KarteZeigen();
}

void TKorrekturFenster::KarteZeigen() {
    const tKarte& k = katalog_.Daten(InxToKarteRef(katalog_, z_.Nummer()));
    bild_->Zeige(k.Bild, Q(k.Beschreibung));
}

void TKorrekturFenster::accept() {
    KorrekturAktion a = KorrekturAktion::Austauschen;
    for (int i = 0; i < 3; ++i)
        if (wahl_[i]->isChecked()) a = static_cast<KorrekturAktion>(i);
    z_.Ok(a);
    QDialog::accept();
}

void TKorrekturFenster::reject() {
    z_.Abbruch();
    QDialog::reject();
}

} // namespace vm::ui
