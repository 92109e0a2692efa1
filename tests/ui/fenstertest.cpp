#include "fenstertest.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <cstring>

#include "ai/spielstaerke.h"
#include "ui/infofenster.h"
#include "ui/tracefenster.h"

namespace vm::uitest {

std::vector<std::pair<const char*, Erzeuger>>& Klassen() {
    static std::vector<std::pair<const char*, Erzeuger>> k;
    return k;
}

int Dialoge::operator()(QDialog& d) {
    Gesehen g{d.metaObject()->className(), d.objectName(), d.windowTitle(), {}};
    if (auto* box = qobject_cast<QMessageBox*>(&d)) g.text = box->text();
    // The end-of-game dialog only informs: it is confirmed like a message box.
    auto* ende = qobject_cast<ui::TSpielendeFenster*>(&d);
    if (ende) g.text = ende->Text();
    gesehen.push_back(g);
    if (!antworten.empty()) {
        auto antwort = std::move(antworten.front());
        antworten.pop_front();
        return antwort(d);
    }
    if (qobject_cast<QMessageBox*>(&d)) return QMessageBox::Ok;
    if (ende) return QDialog::Accepted;
    ++unerwartet;
    return QDialog::Rejected;
}

int Dialoge::Anzahl(const QString& titel) const {
    int n = 0;
    for (const Gesehen& g : gesehen)
        if (g.titel == titel) ++n;
    return n;
}

void Dialoge::WaehleDatei(const QString& datei) {
    Antworte<QFileDialog>([datei](QFileDialog& fd) {
        fd.selectFile(datei);
        return int(QDialog::Accepted);
    });
}

QString Programmordner() {
    return QString(VELDMARK_PROGRAMMORDNER);
}

Umgebung::Umgebung(const QString& programmordner, bool zeigen, const QString& profil, QSize bildschirm)
    : dialoge_(std::make_shared<Dialoge>()) {
    if (!profil.isEmpty()) {
        QFile ini(profil_.path() + "/Veldmark.ini");
        if (ini.open(QIODevice::WriteOnly)) ini.write(profil.toUtf8());
    }
    ui::TStartOptionen o;
    o.Programmordner = programmordner.isEmpty() ? Programmordner() : programmordner;
    o.Profilordner = profil_.path();
    o.Bildschirmbreite = bildschirm.width();
    o.Bildschirm = QRect(QPoint(0, 0), bildschirm);
    std::shared_ptr<Dialoge> d = dialoge_;
    o.DialogLauf = [d](QDialog& dialog) { return (*d)(dialog); };
    f_ = std::make_unique<ui::THauptfenster>(o);
    // The tests drive the loop themselves, tick by tick.
    f_->Timer().stop();
    if (zeigen) {
        f_->show();
        QApplication::processEvents();
    }
}

Umgebung::~Umgebung() {
    f_->Trace().hide();
    f_.reset();
}

void Umgebung::NeuesSpiel(int spieler, uint32_t seed, int32_t staerke) {
    f_->Aktion(QString("SpielerAnzahl%1").arg(spieler))->trigger();
    if (QAction* a = f_->StaerkeAktion(staerke)) a->trigger();
    G().Zufall.RandSeed = seed;
    f_->Aktion("NeuesSpiel")->trigger();
}

bool Umgebung::BisMenschAmZug(int hoechstens) {
    for (int i = 0; i < hoechstens; ++i) {
        if (f_->Mensch().AmZug() || G().S.Spielende) return true;
        f_->SpielTakt();
    }
    return f_->Mensch().AmZug() || G().S.Spielende;
}

bool Umgebung::Simulieren() {
    QSignalSpy fertig(f_.get(), &ui::THauptfenster::SimulationFertig);
    f_->Aktion("Simulation")->trigger();
    return f_->SimulationLaeuft() && fertig.wait(60000);
}

void Umgebung::Passen() {
    Klick(f_->PasseKnopf());
    BisMenschAmZug();
}

void Umgebung::Durchspielen() {
    for (int i = 0; i < 50000 && !G().S.Spielende; ++i) {
        if (f_->Mensch().AmZug())
            Klick(f_->PasseKnopf());
        else
            f_->SpielTakt();
    }
}

QString Umgebung::Lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

Programm::Programm(const QByteArray& sprache) {
    QFile::link(Programmordner() + "/Karten", ordner.path() + "/Karten");
    QFile::link(Programmordner() + "/Hilfe", ordner.path() + "/Hilfe");
    QFile f(ordner.path() + "/Lang.ini");
    if (!sprache.isEmpty() && f.open(QIODevice::WriteOnly)) f.write(sprache);
}

QByteArray Englisch() {
    QFile f(VELDMARK_QUELLE "/share/Lang.ini");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Gleich(const TSpielstand& a, const TSpielstand& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void Umgebung::Ticks(int n) {
    for (int i = 0; i < n; ++i) f_->SpielTakt();
}

void Klick(QWidget* w, Qt::MouseButton taste, Qt::KeyboardModifiers tasten) {
    QTest::mouseClick(w, taste, tasten, QPoint(w->width() / 2, w->height() / 2));
}

void Doppelklick(QWidget* w) {
    const QPoint mitte(w->width() / 2, w->height() / 2);
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, mitte);
}

QRect ImFenster(QWidget* w) {
    return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

} // namespace vm::uitest
