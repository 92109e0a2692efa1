#include "ui/infofenster.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>

#include "persist/historie.h"
#include "persist/sprache.h"
#include "ui/qtext.h"

namespace vm::ui {

namespace {

QLabel* Feld(QWidget* eltern, const char* name, int pixel = 0, bool fett = false) {
    auto* l = new QLabel(eltern);
    l->setObjectName(name);
    if (pixel > 0 || fett) {
        QFont f = l->font();
        if (pixel > 0) f.setPixelSize(pixel);
        f.setBold(fett);
        l->setFont(f);
    }
    return l;
}

QGridLayout* DekoRaster(TDekoration& deko) {
    auto* raster = new QGridLayout;
    for (int i = 0; i < 4; ++i) raster->addWidget(deko.Bild(i), i / 2, i % 2);
    return raster;
}

} // namespace

void TDekoration::Anlegen(const TKartenbilder& bilder, QWidget* eltern) {
    for (size_t i = 0; i < bilder_.size(); ++i) {
        bilder_[i] = new TKartenBild(bilder, Format::Deko, static_cast<int>(i) + 1, eltern);
        bilder_[i]->Zeige(static_cast<int>(i) * 12 + 3, QString());
    }
}

void TDekoration::Wechseln() {
    if (!timer_) {
        timer_ = new QTimer(bilder_[0]->parentWidget());
        timer_->setInterval(600);
        QObject::connect(timer_, &QTimer::timeout, timer_,
                         [this] { Weiter(static_cast<int>(QRandomGenerator::global()->bounded(49)) + 1); });
    }
    timer_->start();
}

void TDekoration::Weiter(int bild) {
    bilder_[static_cast<size_t>(naechstes_)]->Zeige(bild, QString());
    naechstes_ = (naechstes_ + 1) % static_cast<int>(bilder_.size());
}

TSpielendeFenster::TSpielendeFenster(const TKartenbilder& bilder, const TSprache& sprache, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      sprache_(sprache) {
    setObjectName("Spielende");
    kopf_ = Feld(this, "Kopf", 24, true);
    kopf_->setAlignment(Qt::AlignCenter);
    kopf_->setFrameShape(QFrame::Panel);
    kopf_->setFrameShadow(QFrame::Raised);
    ergebnis_ = Feld(this, "Ergebnis", 17, true);
    ergebnis_->setAlignment(Qt::AlignCenter);
    ergebnis_->setFrameShape(QFrame::Panel);
    ergebnis_->setFrameShadow(QFrame::Sunken);
    text_[0] = Feld(this, "SpieleText");
    text_[1] = Feld(this, "GewonnenText");
    wert_[0] = Feld(this, "Spiele", 0, true);
    wert_[1] = Feld(this, "Gewonnen", 0, true);
    highscoreText_ = Feld(this, "HighscoreText");
    wert_[2] = Feld(this, "Highscore", 0, true);
    gegnerText_ = Feld(this, "GegnerText", 0, true);
    const char* spielerNamen[] = {"Spieler2", "Spieler3", "Spieler4"};
    const char* gegnerNamen[] = {"Gegner2", "Gegner3", "Gegner4"};
    for (size_t i = 0; i < 3; ++i) {
        spieler_[i] = Feld(this, spielerNamen[i]);
        gegner_[i] = Feld(this, gegnerNamen[i]);
    }
    ok_ = new QPushButton(this);
    ok_->setObjectName("OK");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    deko_.Anlegen(bilder, this);
    deko_.Wechseln();

    auto* zahlen = new QGridLayout;
    zahlen->addWidget(text_[0], 0, 0);
    zahlen->addWidget(wert_[0], 0, 1);
    zahlen->addWidget(text_[1], 1, 0);
    zahlen->addWidget(wert_[1], 1, 1);
    zahlen->addWidget(highscoreText_, 2, 0);
    zahlen->addWidget(wert_[2], 2, 1);
    zahlen->addWidget(gegnerText_, 3, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        zahlen->addWidget(spieler_[static_cast<size_t>(i)], 4 + i, 0);
        zahlen->addWidget(gegner_[static_cast<size_t>(i)], 4 + i, 1);
    }
    zahlen->setColumnStretch(1, 1);
    auto* mitte = new QHBoxLayout;
    mitte->addLayout(zahlen, 1);
    mitte->addLayout(DekoRaster(deko_));
    auto* knopf = new QHBoxLayout;
    knopf->addStretch();
    knopf->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    kopf_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ergebnis_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(kopf_);
    layout->addWidget(ergebnis_);
    layout->addLayout(mitte, 1);
    layout->addLayout(knopf);
    setFixedSize(Breite, Hoehe);
}

void TSpielendeFenster::Skalieren(int32_t scaleBy) {
    const std::optional<TFenstergroesse> g = SpielendeGroesse(scaleBy);
    if (!g) return;
    const double faktor = WirksameSkalierung(scaleBy) / 100.0;
    for (QWidget* w : findChildren<QWidget*>()) {
        QFont f = w->font();
        if (f.pixelSize() > 0)
            f.setPixelSize(qMax(6, static_cast<int>(f.pixelSize() * faktor)));
        else
            f.setPointSizeF(qMax(5.0, f.pointSizeF() * faktor));
        w->setFont(f);
    }
    for (TKartenBild* b : findChildren<TKartenBild*>()) b->setFixedSize(Groesse(Format::Deko) * faktor);
    setFixedSize(g->Breite, g->Hoehe);
}

void TSpielendeFenster::Fuellen(const TSpielendeDialog& d) {
    const TSprache& s = sprache_;
    setWindowTitle(Q(s.Other("Spielende")));
    kopf_->setText(Q(d.Kopf));
    ergebnis_->setText(Q(d.Ergebnis));
    text_[0]->setText(Q(s.Other("Anzahl Spiele gesamt:")));
    text_[1]->setText(Q(s.Other("Davon gewonnen (Prozent):")));
    wert_[0]->setText(Q(d.AnzahlSpiele));
    wert_[1]->setText(Q(d.Prozent));
    highscoreText_->setText(Q(d.HighscoreText));
    wert_[2]->setText(Q(d.Highscore));
    gegnerText_->setText(Q(s.Other("Deine Gegner waren:")));
    for (size_t i = 0; i < 3; ++i) {
        spieler_[i]->setText(Q(s.Other("Spieler " + std::to_string(i + 2))));
        gegner_[i]->setText(Q(d.Gegner[i]));
    }
    ok_->setText(Q(s.Other("OK")));
}

QString TSpielendeFenster::Text() const {
    QStringList z{kopf_->text(),
                  ergebnis_->text(),
                  text_[0]->text() + " " + wert_[0]->text(),
                  text_[1]->text() + " " + wert_[1]->text(),
                  highscoreText_->text() + " " + wert_[2]->text(),
                  gegnerText_->text()};
    for (size_t i = 0; i < 3; ++i)
        if (!gegner_[i]->text().isEmpty()) z << spieler_[i]->text() + ": " + gegner_[i]->text();
    return z.join('\n');
}

TInfoFenster::TInfoFenster(const TKartenbilder& bilder, const TSprache& sprache, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("Info");
    setWindowTitle(Q(sprache.Other("Info")));
    titel_ = Feld(this, "Titel", 40, true);
    titel_->setText("Veldmark");
    titel_->setAlignment(Qt::AlignCenter);
    titel_->setFrameShape(QFrame::Panel);
    titel_->setFrameShadow(QFrame::Raised);
    auto* text = new QVBoxLayout;
    text->addWidget(titel_);
    const char* zeilen[] = {"Ein Kartenspiel vom Aufbau einer Stadt für zwei bis vier Spieler",
                            "Spielidee: ein Brettspiel mit Arbeitern, Gebäuden und Adligen",
                            "Programm: die Veldmark-Entwickler"};
    for (const char* z : zeilen) {
        QLabel* l = Feld(this, "Dank");
        l->setText(Q(sprache.Other(z)));
        l->setWordWrap(true);
        text->addWidget(l);
    }
    version_ = Feld(this, "Version", 0, true);
    version_->setText(Q(ProgrammVersion));
    text->addWidget(version_);
    statistik_ = Feld(this, "Statistik", 0, true);
    statistik_->hide();
    text->addWidget(statistik_);
    text->addStretch();
    ok_ = new QPushButton(Q(sprache.Other("OK")), this);
    ok_->setObjectName("OK");
    ok_->hide();
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* knopf = new QHBoxLayout;
    knopf->addStretch();
    knopf->addWidget(ok_);
    text->addLayout(knopf);
    deko_.Anlegen(bilder, this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(DekoRaster(deko_));
    layout->addLayout(text, 1);
    setFixedSize(Breite, Hoehe);

    timer_.setInterval(Anzeigedauer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QDialog::accept);
    timer_.start();
}

void TInfoFenster::MitStatistik(const std::string& zeile) {
    timer_.stop();
    statistik_->setText(Q(zeile));
    statistik_->show();
    ok_->show();
    deko_.Wechseln();
    ok_->setDefault(true);
}

TSkalierungFenster::TSkalierungFenster(const TSprache& sprache, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      sprache_(sprache) {
    setObjectName("Skalierung");
    text_ = Feld(this, "Text");
    text_->setWordWrap(true);
    zahl_ = new QSpinBox(this);
    zahl_->setObjectName("Prozent");
    zahl_->setRange(SkalierungMin, SkalierungMax);
    zahl_->setSingleStep(1);
    prozent_ = Feld(this, "ProzentText");
    ok_ = new QPushButton(this);
    ok_->setObjectName("OK");
    ok_->setDefault(true);
    abbruch_ = new QPushButton(this);
    abbruch_->setObjectName("Abbruch");
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(abbruch_, &QPushButton::clicked, this, &QDialog::reject);
    auto* zahl = new QHBoxLayout;
    zahl->addWidget(zahl_);
    zahl->addWidget(prozent_);
    zahl->addStretch();
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok_);
    knoepfe->addWidget(abbruch_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(zahl);
    layout->addStretch();
    layout->addLayout(knoepfe);
    setFixedSize(Breite, Hoehe);
}

void TSkalierungFenster::Vorbereiten(int32_t scaleBy) {
    const TSprache& s = sprache_;
    setWindowTitle(Q(s.Other("Skalierung")));
    text_->setText(Q(s.Other("Vergrößern / Verkleinern des Hauptformulars auf")));
    prozent_->setText(Q(s.Other("Prozent")));
    ok_->setText(Q(s.Other("OK")));
    abbruch_->setText(Q(s.Other("Abbruch")));
    zahl_->setValue(WirksameSkalierung(scaleBy));
}

int32_t TSkalierungFenster::Wert() const {
    return zahl_->value();
}

} // namespace vm::ui
