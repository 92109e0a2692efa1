#include "ui/diagrammansicht.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBoxPlotSeries>
#include <QBoxSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <system_error>

#include "persist/dateien.h"
#include "persist/spieldatei.h"
#include "ui/qtext.h"

namespace vm::ui {

namespace {

// More categories than this get slanted labels, so that ranges like "40–44" do not overlap.
constexpr size_t SchraegAb = 12;

QValueAxis* WerteAchse(const TDiagramm& d) {
    double max = 0.0;
    for (const TDiagrammReihe& r : d.Reihen) {
        for (double w : r.Werte) max = std::max(max, w);
        for (double w : r.Oben) max = std::max(max, w);
    }
    auto* achse = new QValueAxis;
    achse->setTitleText(Q(d.AchseY));
    achse->setRange(0.0, max > 0.0 ? max * 1.05 : 1.0);
    achse->applyNiceNumbers();
    achse->setLabelFormat(achse->max() <= 5.0 ? "%.1f" : "%.0f");
    return achse;
}

QBarCategoryAxis* KategorienAchse(const TDiagramm& d) {
    auto* achse = new QBarCategoryAxis;
    QStringList namen;
    for (const std::string& k : d.Kategorien) namen << Q(k);
    achse->append(namen);
    achse->setTitleText(Q(d.AchseX));
    if (d.Kategorien.size() > SchraegAb) achse->setLabelsAngle(-60);
    // A narrow chart takes room from the plot rather than cutting "100–109" to "10…".
    achse->setTruncateLabels(false);
    return achse;
}

// Lays out and paints the chart at `groesse` onto `p`.
void Malen(const TDiagramm& d, QSize groesse, QPaintDevice& geraet) {
    QChartView ansicht(DiagrammChart(d));
    ansicht.setRenderHint(QPainter::Antialiasing);
    ansicht.resize(groesse);
    // The view hands its size to the chart and the chart lays itself out through posted events.
    ansicht.chart()->resize(QSizeF(groesse));
    QCoreApplication::sendPostedEvents();
    QPainter p(&geraet);
    p.setRenderHint(QPainter::Antialiasing);
    ansicht.render(&p, QRectF(QPointF(0, 0), QSizeF(groesse)), QRect(QPoint(0, 0), groesse));
}

} // namespace

QChart* DiagrammChart(const TDiagramm& d) {
    auto* chart = new QChart;
    chart->setTitle(Q(d.Titel));
    QFont titelSchrift = chart->titleFont();
    titelSchrift.setPointSizeF(titelSchrift.pointSizeF() * 1.3);
    titelSchrift.setBold(true);
    chart->setTitleFont(titelSchrift);
    QBarCategoryAxis* x = KategorienAchse(d);
    QValueAxis* y = WerteAchse(d);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    auto anhaengen = [&](QAbstractSeries* s) {
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    };
    if (d.Art == TDiagrammArt::Linie) {
        for (const TDiagrammReihe& r : d.Reihen) {
            auto* linie = new QLineSeries;
            linie->setName(Q(r.Name));
            linie->setPointsVisible(true);
            for (size_t i = 0; i < r.Werte.size(); ++i) linie->append(static_cast<qreal>(i), r.Werte[i]);
            anhaengen(linie);
        }
    } else {
        auto* balken = new QBarSeries;
        // Groups of several bars fill more of their category, so that each stays readable.
        if (d.Reihen.size() > 1) balken->setBarWidth(0.85);
        for (const TDiagrammReihe& r : d.Reihen) {
            auto* satz = new QBarSet(Q(r.Name));
            for (double w : r.Werte) *satz << w;
            balken->append(satz);
        }
        anhaengen(balken);
        if (d.Art == TDiagrammArt::IntervallBalken) {
            // An interval is a box of no height at the value, its whiskers reaching to the ends.
            for (const TDiagrammReihe& r : d.Reihen) {
                if (r.Unten.size() != r.Werte.size() || r.Oben.size() != r.Werte.size()) continue;
                auto* intervalle = new QBoxPlotSeries;
                intervalle->setBoxWidth(0.12);
                intervalle->setPen(QPen(Qt::black, 1.5));
                intervalle->setBrush(Qt::NoBrush);
                for (size_t i = 0; i < r.Werte.size(); ++i)
                    intervalle->append(
                        new QBoxSet(r.Unten[i], r.Werte[i], r.Werte[i], r.Werte[i], r.Oben[i]));
                anhaengen(intervalle);
            }
        }
    }
    // One series needs no legend: the title and the axes say what it is.
    chart->legend()->setVisible(d.Art != TDiagrammArt::IntervallBalken && d.Reihen.size() > 1);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QByteArray DiagrammSvg(const TDiagramm& d, QSize groesse) {
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&puffer);
    svg.setSize(groesse);
    svg.setViewBox(QRect(QPoint(0, 0), groesse));
    svg.setTitle(Q(d.Titel));
    Malen(d, groesse, svg);
    return puffer.data();
}

QByteArray DiagrammPng(const TDiagramm& d, QSize groesse) {
    QImage bild(groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::white);
    Malen(d, groesse, bild);
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "PNG")) return {};
    return puffer.data();
}

bool DiagrammSpeichern(const TDiagramm& d, const std::string& pfad, bool svg, const TTexte& texte,
                       std::string& fehler) {
    const QByteArray daten = svg ? DiagrammSvg(d) : DiagrammPng(d);
    if (daten.isEmpty()) return fehler = texte[Text::GrundSchreibfehler], false;
    const SchreibFehler f =
        SchreibeAtomar(pfad, pfad + ".tmp", daten.constData(), static_cast<size_t>(daten.size()));
    if (f == SchreibFehler::Keiner) return true;
    fehler = SchreibGrund(texte, f, errno);
    return false;
}

int DiagrammeSchreiben(const std::string& json, const std::string& ordner, std::ostream& err) {
    const std::string vor = "veldmark --diagramme: ";
    std::ifstream ein(json, std::ios::binary);
    std::ostringstream text;
    if (!DateiExistiert(json) || !ein || !(text << ein.rdbuf())) {
        err << vor << "Ergebnisdatei '" << json << "' kann nicht gelesen werden\n";
        return 1;
    }
    std::vector<TDiagramm> diagramme;
    std::string fehler;
    const TTexte texte;
    if (!DiagrammeAusJson(text.str(), texte, diagramme, fehler)) {
        err << vor << "Ergebnisdatei '" << json << "': " << fehler << '\n';
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(ordner, ec);
    if (ec || !OrdnerExistiert(ordner)) {
        err << vor << "Ordner '" << ordner << "' kann nicht angelegt werden"
            << (ec ? ": " + ec.message() : std::string()) << '\n';
        return 1;
    }
    for (const TDiagramm& d : diagramme) {
        const std::string pfad = PfadVerbinden(ordner, d.Stamm + ".svg");
        if (!DiagrammSpeichern(d, pfad, true, texte, fehler)) {
            err << vor << "'" << pfad << "': " << fehler << '\n';
            return 1;
        }
    }
    return 0;
}

TDiagrammFenster::TDiagrammFenster(std::vector<TDiagramm> diagramme, const TTexte& texte, TDialogLauf lauf,
                                   QString ordner, QWidget* eltern)
    : QDialog(eltern), diagramme_(std::move(diagramme)), texte_(texte), lauf_(std::move(lauf)),
      ordner_(std::move(ordner)) {
    setObjectName("Diagramme");
    setWindowTitle(Q(texte_[Text::DiagrammeTitel]));
    auto* layout = new QVBoxLayout(this);
    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("DiagrammSeiten");
    for (const TDiagramm& d : diagramme_) {
        auto* ansicht = new QChartView(DiagrammChart(d));
        ansicht->setRenderHint(QPainter::Antialiasing);
        ansicht->setMinimumSize(640, 420);
        seiten_->addTab(ansicht, Q(d.Kurztitel));
    }
    layout->addWidget(seiten_);
    auto* knoepfe = new QDialogButtonBox(this);
    auto* png = knoepfe->addButton(Q(texte_[Text::DiagrammAlsPng]), QDialogButtonBox::ActionRole);
    png->setObjectName("AlsPng");
    auto* svg = knoepfe->addButton(Q(texte_[Text::DiagrammAlsSvg]), QDialogButtonBox::ActionRole);
    svg->setObjectName("AlsSvg");
    auto* zu = knoepfe->addButton(Q(texte_[Text::DiagrammeSchliessen]), QDialogButtonBox::RejectRole);
    zu->setObjectName("Schliessen");
    connect(png, &QPushButton::clicked, this, [this] { SpeichernKlick(false); });
    connect(svg, &QPushButton::clicked, this, [this] { SpeichernKlick(true); });
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(knoepfe);
    resize(DiagrammGroesse + QSize(40, 100));
}

void TDiagrammFenster::SpeichernKlick(bool svg) {
    const int i = seiten_->currentIndex();
    if (i < 0 || static_cast<size_t>(i) >= diagramme_.size()) return;
    QFileDialog d(this);
    d.setObjectName("DiagrammDatei");
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setWindowTitle(Q(texte_[svg ? Text::DiagrammAlsSvg : Text::DiagrammAlsPng]));
    d.setNameFilter(Q(texte_[svg ? Text::FilterSvg : Text::FilterPng]));
    d.setDefaultSuffix(svg ? "svg" : "png");
    d.setDirectory(ordner_);
    d.selectFile(Q(diagramme_[static_cast<size_t>(i)].Stamm + (svg ? ".svg" : ".png")));
    const int r = lauf_ ? lauf_(d) : d.exec();
    if (r != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    Speichern(d.selectedFiles().first(), svg);
}

bool TDiagrammFenster::Speichern(const QString& datei, bool svg) {
    const int i = seiten_->currentIndex();
    if (i < 0 || static_cast<size_t>(i) >= diagramme_.size()) return false;
    std::string fehler;
    if (DiagrammSpeichern(diagramme_[static_cast<size_t>(i)], datei.toStdString(), svg, texte_, fehler))
        return true;
    QMessageBox box(QMessageBox::Critical, "Veldmark",
                    Q(texte_[Text::DiagrammNichtGeschrieben]) + " " + datei + "\n\n" +
                        Q(texte_[Text::Grund]) + Q(fehler),
                    QMessageBox::Ok, this);
    box.setObjectName("DiagrammFehler");
    if (lauf_)
        lauf_(box);
    else
        box.exec();
    return false;
}

} // namespace vm::ui
