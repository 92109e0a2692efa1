// The dialogs' commands in the main window: the correction mode with its Alt-clicks, the
// settings dialog and the simulation flag, a loaded puzzle's locks, and the scaling dialog.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "control/einstellungsdialog.h"
#include "fenstertest.h"
#include "rules/kaufen.h"
#include "rules/korrektur.h"
#include "ui/einstellungsfenster.h"
#include "ui/fensterdialoge.h"
#include "ui/infofenster.h"
#include "ui/korrekturfenster.h"

using namespace vm;
using namespace vm::ui;
using namespace vm::uitest;

namespace {

bool Frei(THauptfenster& f, const char* name) {
    if (QAction* a = f.findChild<QAction*>(name)) return a->isEnabled();
    if (QToolButton* k = f.findChild<QToolButton*>(name)) return k->isEnabled();
    qWarning("kein Befehl %s", name);
    return false;
}

} // namespace

class FensterDialogeTest : public QObject {
    Q_OBJECT

private slots:
    // In the correction mode an Alt-click on a card opens the dialog and changes that seat only;
    // Alt-clicks on the money count below 0; without Alt, or with the mode off, nothing changes.
    void korrekturmodusMitAltKlicks() {
        Umgebung u;
        THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        u.NeuesSpiel(4, 4711, 4);
        QVERIFY(u.BisMenschAmZug());
        f.findChild<QAction*>("Korrekturmodus")->trigger();
        QVERIFY(KorrekturmodusAn(g) && f.Fensterdialoge().KorrekturKnopf()->isChecked());

        int32_t position = 0;
        for (int32_t inx : {10, 11, 11}) {
            const tKartenRef k = InxToKarteRef(g.Katalog(), inx);
            QVERIFY(FuegeTischkarteEin(g, 3, k));
            FaehigkeitenHinzufuegen(g, 3, g.Daten(k));
        }
        for (int i = 1; i <= g.Sp(3).Karten[2].Anzahl; ++i)
            if (g.Daten(g.Sp(3).Karten[2].Karten[i]).Inx == 11) position = Tischposition(g, 3, 2, i);
        f.TischAnzeigen(3);
        f.Seiten()->setCurrentIndex(2);
        const int32_t karten = g.Sp(3).Tischkarten();
        const TSpieler sitz1 = g.Sp(1);
        int gesehen = 0;
        u.D().Antworte<TKorrekturFenster>([&](TKorrekturFenster& k) {
            gesehen = k.Nummer()->value();
            QTest::mouseClick(k.Wahl(KorrekturAktion::Entfernen), Qt::LeftButton);
            QTest::mouseClick(k.OkKnopf(), Qt::LeftButton);
            return k.result();
        });
        Klick(f.TischBild(3, position), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(gesehen, 11);
        QCOMPARE(g.Sp(3).Tischkarten(), karten - 1);
        QCOMPARE(g.Sp(3).AnzahlSternwarten, 1);
        QVERIFY(f.TischBild(3, karten)->isHidden());
        QCOMPARE(std::memcmp(&g.Sp(1), &sitz1, sizeof(TSpieler)), 0);
        const size_t dialoge = u.D().gesehen.size();
        Klick(f.TischBild(3, 1));
        QCOMPARE(u.D().gesehen.size(), dialoge);

        g.Sp(2).Geld = 0;
        f.GeldAnzeigen(2);
        Klick(f.GeldLabel(2), Qt::RightButton, Qt::AltModifier);
        QCOMPARE(f.GeldLabel(2)->text(), QString("Geld:  -1"));
        Klick(f.GeldLabel(2), Qt::LeftButton, Qt::AltModifier);
        Klick(f.GeldLabel(2), Qt::LeftButton);
        QCOMPARE(g.Sp(2).Geld, 0);

        Klick(f.Fensterdialoge().KorrekturKnopf());
        QVERIFY(!KorrekturmodusAn(g));
        Klick(f.GeldLabel(2), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(g.Sp(2).Geld, 0);
        QCOMPARE(u.D().unerwartet, 0);
    }

    // "OK" in the settings dialog takes the simulation flag over at once, "Abbruch" leaves the
    // record and the flag as they were.
    void strategienUndSimulation() {
        Umgebung u;
        THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        f.StaerkeAktion(4)->trigger();
        f.Aktion("SpielerAnzahl3")->trigger();
        u.D().Antworte<TEinstellungsFenster>([](TEinstellungsFenster& e) {
            QTest::mouseClick(e.Simulation(), Qt::LeftButton);
            QTest::mouseClick(e.OkKnopf(), Qt::LeftButton);
            return e.result();
        });
        f.findChild<QAction*>("Strategien")->trigger();
        QCOMPARE(int(g.Einstellungen.Fuer(3).Sim), 1);
        QCOMPARE(int(g.S.Computer[1]), 1);

        const TStrategieeinstellungen vorher = g.Einstellungen;
        u.D().Antworte<TEinstellungsFenster>([](TEinstellungsFenster& e) {
            QTest::mouseClick(e.Simulation(), Qt::LeftButton);
            e.Feld(SeiteStrategie, 2)->setValue(7);
            QTest::mouseClick(e.AbbruchKnopf(), Qt::LeftButton);
            return e.result();
        });
        Klick(f.Fensterdialoge().StrategienKnopf());
        QCOMPARE(std::memcmp(&g.Einstellungen, &vorher, sizeof vorher), 0);
        QCOMPARE(int(g.S.Computer[1]), 1);
        QCOMPARE(u.D().unerwartet, 0);
    }

    // A loaded puzzle locks what could change or replace it and does not count in the profile;
    // its end gives saving back.
    void geladenesPuzzleSperrtUndZaehltNicht() {
        Umgebung u;
        THauptfenster& f = u.F();
        u.NeuesSpiel(3, 77, 4);
        QVERIFY(u.BisMenschAmZug());
        const QString datei = u.Profilordner() + "/aufgabe.vmk";
        f.Historie().Puzzle.SetPuzzle2 = true;
        f.SpielSpeichern(datei);
        f.Historie().Puzzle = {};
        f.SpielLaden(datei);
        for (const char* gesperrt : {"NeuesSpiel", "SpielLadenKnopf", "RueckgaengigKnopf",
                                     "SpielSpeichernKnopf", "Trace", "KorrekturmodusKnopf"})
            QVERIFY2(!Frei(f, gesperrt), gesperrt);
        QVERIFY(Frei(f, "Ende"));
        u.Durchspielen();
        QCOMPARE(u.D().gesehen.back().titel, QString("Spielende"));
        QCOMPARE(f.Profil().W.G_AnzSpiele, 0);
        QVERIFY(!u.Profil().contains("G_AnzSpiele=1"));
        QVERIFY(Frei(f, "SpielSpeichernKnopf") && !Frei(f, "NeuesSpiel"));
        QCOMPARE(u.D().unerwartet, 0);
    }

    // The scaling dialog ends the program with the new scale in the profile; the next start
    // uses it.
    void skalierungAuf150ProzentWirktBeimNaechstenStart() {
        Umgebung u;
        THauptfenster& f = u.F();
        u.D().Antworte<TSkalierungFenster>([](TSkalierungFenster& s) {
            s.Zahl()->setValue(150);
            QTest::mouseClick(s.OkKnopf(), Qt::LeftButton);
            return s.result();
        });
        f.findChild<QAction*>("Skalieren")->trigger();
        QCOMPARE(u.D().gesehen.back().text, QString("Programm wird beendet !"));
        u.Ticks(1);
        QVERIFY(!f.isVisible());
        QVERIFY(u.Profil().contains("ScaleBy=150"));

        Umgebung neu(QString(), false, u.Profil(), QSize(2560, 1440));
        QCOMPARE(neu.F().Massstab().Prozent, 150);
        QCOMPARE(u.D().unerwartet, 0);
    }
};

VELDMARK_UITEST(FensterDialogeTest);

#include "test_fensterwege.moc"
