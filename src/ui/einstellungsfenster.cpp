#include "ui/einstellungsfenster.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "persist/sprache.h"
#include "ui/qtext.h"

namespace vm::ui {

namespace {

constexpr Qt::WindowFlags OhneSchliessen = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QSpinBox* Zahl(const TDialogFeld& f, QWidget* eltern) {
    auto* z = new QSpinBox(eltern);
    z->setRange(f.Min, f.Max);
    z->setSingleStep(f.Schritt);
    z->setAccelerated(true);
    z->setMinimumWidth(72);
    return z;
}

} // namespace

TEinstellungsFenster::TEinstellungsFenster(TStrategieeinstellungen& e, const TSprache& sprache,
                                           QWidget* eltern)
    : QDialog(eltern, OhneSchliessen), modell_(e), sprache_(sprache) {
    setObjectName("Einstellungen");
    const auto& seiten = EinstellungsSeiten();
    seiten_ = new QTabWidget(this);
    seiten_->setUsesScrollButtons(true);
    felder_.resize(seiten.size());

    for (size_t s = 0; s < seiten.size(); ++s) {
        auto* seite = new QWidget(seiten_);
        const auto& def = seiten[s].Felder;
        felder_[s].assign(def.size(), nullptr);
        if (s == SeiteStrategie) {
            auto* raster = new QGridLayout;
            for (int spalte = 0; spalte < 4; ++spalte) {
                kopf_.push_back(new QLabel(seite));
                raster->addWidget(kopf_.back(), 0, spalte);
            }
            for (int sp = 1; sp <= 4; ++sp) {
                zeilen_.push_back(new QLabel(seite));
                raster->addWidget(zeilen_.back(), sp, 0);
            }
            auto* v = new QVBoxLayout(seite);
            for (size_t i = 0; i < def.size(); ++i) {
                const TDialogFeld& f = def[i];
                switch (f.Art) {
                case FeldArt::Sim:
                    sim_ = new QCheckBox(seite);
                    sim_->setObjectName("Sim");
                    break;
                case FeldArt::Strategie:
                case FeldArt::Geld:
                case FeldArt::Rolle: {
                    QSpinBox* z = Zahl(f, seite);
                    const int spalte = f.Art == FeldArt::Strategie ? 1 : f.Art == FeldArt::Geld ? 2 : 3;
                    z->setObjectName(QString("%1_Sp%2")
                                         .arg(f.Art == FeldArt::Strategie ? "Strategie"
                                              : f.Art == FeldArt::Geld    ? "SetUpGeld"
                                                                          : "SetUpRolle")
                                         .arg(f.Index));
                    raster->addWidget(z, f.Index, spalte);
                    felder_[s][i] = z;
                    break;
                }
                case FeldArt::AnzahlSim:
                    felder_[s][i] = Zahl(f, seite);
                    felder_[s][i]->setObjectName("AnzahlSim");
                    break;
                default:
                    break;
                }
            }
            anzahlSimText_ = new QLabel(seite);
            auto* sim = new QHBoxLayout;
            sim->addWidget(anzahlSimText_);
            sim->addWidget(felder_[s][def.size() - 1]);
            sim->addStretch();
            v->addWidget(sim_);
            v->addLayout(raster);
            v->addLayout(sim);
            v->addStretch();
        } else if (s == SeiteBeschreibung) {
            auto* v = new QVBoxLayout(seite);
            beschreibungTitel_ = new QLabel(seite);
            beschreibung_ = new QPlainTextEdit(seite);
            beschreibung_->setReadOnly(true);
            v->addWidget(beschreibungTitel_);
            v->addWidget(beschreibung_);
        } else {
            // Parameter pages: label beside field, in block order, ten to a column.
            auto* raster = new QGridLayout(seite);
            int sichtbar = 0;
            for (size_t i = 0; i < def.size(); ++i) {
                const TDialogFeld& f = def[i];
                QSpinBox* z = Zahl(f, seite);
                if (f.Strategie == 16 && f.Name == "Erkundung") z->setSuffix(" %");
                z->setObjectName(
                    QString("P%1_%2").arg(f.Art == FeldArt::P123 ? 123 : f.Strategie).arg(f.Index));
                felder_[s][i] = z;
                if (f.Versteckt) {
                    z->hide();
                    continue;
                }
                const int zeile = sichtbar % 10, spalte = sichtbar / 10 * 2;
                raster->addWidget(new QLabel(Q(f.Name), seite), zeile, spalte);
                raster->addWidget(z, zeile, spalte + 1);
                ++sichtbar;
            }
            raster->setHorizontalSpacing(14);
            raster->setColumnStretch(4, 1);
            raster->setRowStretch(10, 1);
        }
        seiten_->addTab(seite, Q(seiten[s].Titel));
        for (size_t i = 0; i < felder_[s].size(); ++i) {
            if (!felder_[s][i]) continue;
            connect(felder_[s][i], &QSpinBox::valueChanged, this, [this, s, i](int wert) {
                if (!laedt_) modell_.SetzeWert(static_cast<int>(s), static_cast<int>(i), wert);
            });
        }
    }
    connect(sim_, &QCheckBox::toggled, this, [this](bool an) {
        if (!laedt_) modell_.SetzeWert(SeiteStrategie, 0, an ? 1 : 0);
    });

    ok_ = new QPushButton(this);
    ok_->setObjectName("OK");
    ok_->setDefault(true);
    abbruch_ = new QPushButton(this);
    abbruch_->setObjectName("Abbruch");
    connect(ok_, &QPushButton::clicked, this, &TEinstellungsFenster::accept);
    connect(abbruch_, &QPushButton::clicked, this, &TEinstellungsFenster::reject);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok_);
    knoepfe->addWidget(abbruch_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seiten_);
    layout->addLayout(knoepfe);
    resize(620, 440);
}

QSpinBox* TEinstellungsFenster::Feld(int seite, int feld) const {
    return felder_[static_cast<size_t>(seite)][static_cast<size_t>(feld)];
}

void TEinstellungsFenster::Vorbereiten(int spielerAnzahl) {
    modell_.Zeigen(spielerAnzahl);
    TexteSetzen();
    WerteLaden();
    seiten_->setCurrentIndex(0);
}

void TEinstellungsFenster::TexteSetzen() {
    const TSprache& s = sprache_;
    setWindowTitle(Q(modell_.Titel(s)));
    const char* kopf[] = {"Spieler", "Strategie", "Geld", "Rolle"};
    for (size_t i = 0; i < kopf_.size(); ++i) kopf_[i]->setText(Q(s.Other(kopf[i])));
    for (size_t i = 0; i < zeilen_.size(); ++i)
        zeilen_[i]->setText(Q(s.Other("Spieler " + std::to_string(i + 1))));
    sim_->setText(Q(s.Other("Spieler 1 simuliert der Computer !")));
    sim_->setToolTip(Q(s.Other("Der Computer spielt gegen sich selbst")));
    anzahlSimText_->setText(Q(s.Other("Anzahl Spieldurchläufe")));
    beschreibungTitel_->setText(Q(s.Other("Beschreibung der Strategien")));
    ok_->setText(Q(s.Other("OK")));
    abbruch_->setText(Q(s.Other("Abbruch")));
    seiten_->setTabText(SeiteStrategie, Q(s.Other("Strategie")));
    seiten_->setTabText(SeiteBeschreibung, Q(s.Other("Beschreibung")));
    // 0 stands for a built-in value that may follow the player count: the field says which.
    for (size_t seite = 0; seite < felder_.size(); ++seite)
        for (size_t i = 0; i < felder_[seite].size(); ++i)
            if (felder_[seite][i])
                felder_[seite][i]->setSpecialValueText(
                    Q(modell_.Vorgabe(static_cast<int>(seite), static_cast<int>(i), s)));
}

void TEinstellungsFenster::WerteLaden() {
    laedt_ = true;
    for (size_t s = 0; s < felder_.size(); ++s)
        for (size_t i = 0; i < felder_[s].size(); ++i)
            if (felder_[s][i])
                felder_[s][i]->setValue(modell_.Wert(static_cast<int>(s), static_cast<int>(i)));
    sim_->setChecked(modell_.Wert(SeiteStrategie, 0) != 0);
    QStringList zeilen;
    for (const std::string& z : TEinstellungsDialog::Beschreibung(sprache_)) zeilen << Q(z);
    beschreibung_->setPlainText(zeilen.join('\n'));
    laedt_ = false;
}

void TEinstellungsFenster::accept() {
    modell_.Ok();
    WerteLaden();
    QDialog::accept();
}

void TEinstellungsFenster::reject() {
    modell_.Abbruch();
    QDialog::reject();
}

} // namespace vm::ui
