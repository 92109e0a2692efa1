#include "ui/tracefenster.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm::ui {

TTraceFenster::TTraceFenster(TTraceLog& log, std::function<int(QDialog&)> dialogLauf, QString programmordner)
    : QWidget(nullptr, Qt::Window), log_(log), dialogLauf_(std::move(dialogLauf)),
      programmordner_(std::move(programmordner)) {
    setWindowTitle("Veldmark: Trace / Debug Fenster");
    resize(894, 540);
    auto* titel = new QLabel("Programm Trace", this);
    QFont fett("Arial");
    fett.setBold(true);
    fett.setPointSize(11);
    titel->setFont(fett);
    memo_ = new QPlainTextEdit(this);
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont schrift("Courier New", 8);
    schrift.setStyleHint(QFont::TypeWriter);
    memo_->setFont(schrift);
    vorn_ = new QCheckBox("Fenster immer im Vordergrund", this);
    loeschen_ = new QPushButton("&Löschen", this);
    speichern_ = new QPushButton("&Speichern", this);
    schliessen_ = new QPushButton("&Schließen", this);

    auto* unten = new QHBoxLayout;
    unten->addWidget(vorn_);
    unten->addStretch();
    unten->addWidget(loeschen_);
    unten->addWidget(speichern_);
    unten->addWidget(schliessen_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titel);
    layout->addWidget(memo_);
    layout->addLayout(unten);

    connect(loeschen_, &QPushButton::clicked, this, &TTraceFenster::LoeschenKlick);
    connect(speichern_, &QPushButton::clicked, this, &TTraceFenster::SpeichernKlick);
    connect(schliessen_, &QPushButton::clicked, this, &QWidget::close);
    connect(vorn_, &QCheckBox::toggled, this, [this](bool an) {
        const bool sichtbar = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, an);
        if (sichtbar) show();
    });
}

void TTraceFenster::Auffrischen() {
    const auto& zeilen = log_.Zeilen();
    if (zeilen.size() < gezeigt_) {
        Neu();
        return;
    }
    if (zeilen.size() == gezeigt_) return;
    QString block;
    for (size_t i = gezeigt_; i < zeilen.size(); ++i) {
        if (i > gezeigt_) block += '\n';
        block += QString::fromStdString(zeilen[i]);
    }
    gezeigt_ = zeilen.size();
    memo_->appendPlainText(block);
}

void TTraceFenster::Neu() {
    memo_->clear();
    gezeigt_ = 0;
    Auffrischen();
}

void TTraceFenster::LoeschenKlick() {
    log_.Leeren();
    Neu();
}

void TTraceFenster::SpeichernKlick() {
    QFileDialog d(this, "Indizien Speichern", programmordner_, "Textdatei (*.txt)");
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix("txt");
    d.selectFile("TraceDaten.txt");
    const int ergebnis = dialogLauf_ ? dialogLauf_(d) : d.exec();
    if (ergebnis != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    SpeichernNach(d.selectedFiles().first());
}

bool TTraceFenster::SpeichernNach(const QString& datei) {
    if (log_.Speichern(datei.toStdString())) return true;
    QMessageBox box(QMessageBox::Critical, "Veldmark", "Datei kann nicht geschrieben werden: " + datei,
                    QMessageBox::Ok, this);
    if (dialogLauf_)
        dialogLauf_(box);
    else
        box.exec();
    return false;
}

void TTraceFenster::closeEvent(QCloseEvent* e) {
    e->accept();
    emit Geschlossen();
}

} // namespace vm::ui
