// The trace switch and the trace window, and the error box of an internal fault.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include "fenstertest.h"
#include "rules/hand.h"
#include "ui/tracefenster.h"

using namespace vm;
using namespace vm::uitest;

namespace {

QStringList Zeilen(const Spielsitzung& g) {
    QStringList z;
    for (const std::string& s : g.Log.Zeilen()) z << QString::fromStdString(s);
    return z;
}

QStringList Start(ui::THauptfenster& f) {
    QStringList z;
    for (const std::string& s : f.TraceMemoStartup()) z << QString::fromStdString(s);
    return z;
}

} // namespace

class TraceTest : public QObject {
    Q_OBJECT
private slots:
    void einUndAusBeginntJedesMalNeu() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        ui::TTraceFenster& t = f.Trace();
        QVERIFY(!t.isVisible());
        f.Knopf("SpeedButton1")->click(); // the tool button switches as the menu does
        QVERIFY(f.Aktion("TraceDebug1")->isChecked());
        QVERIFY(u.G().TraceAn() && t.isVisible());
        QCOMPARE(t.windowTitle(), QString("Veldmark: Trace / Debug Fenster"));
        QCOMPARE(f.Statusfeld(5)->text(), QString("Trace on"));
        QCOMPARE(Zeilen(u.G()), Start(f));
        QCOMPARE(t.Memo()->toPlainText(), Start(f).join('\n'));

        u.NeuesSpiel(2, 8);
        QVERIFY(u.BisMenschAmZug());
        QVERIFY(Zeilen(u.G()).contains("Anzahl Spieler: 2"));
        QVERIFY(t.Memo()->toPlainText().endsWith(Zeilen(u.G()).back()));
        QCOMPARE(t.Memo()->blockCount(), Zeilen(u.G()).size());

        f.Aktion("TraceDebug1")->trigger();
        QVERIFY(!u.G().TraceAn() && !t.isVisible());
        QCOMPARE(f.Statusfeld(5)->text(), QString("  "));
        const int vorher = static_cast<int>(u.G().Log.Zeilen().size());
        Klick(f.PasseKnopf());
        QCOMPARE(static_cast<int>(u.G().Log.Zeilen().size()), vorher); // no lines while off

        f.Aktion("TraceDebug1")->trigger();
        QCOMPARE(Zeilen(u.G()), Start(f));
        QCOMPARE(t.Memo()->toPlainText(), Start(f).join('\n'));
    }

    void schliessboxNimmtHakenUndStatusZurueck() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        f.Aktion("TraceDebug1")->trigger();
        u.NeuesSpiel(2, 8);
        const QStringList vorher = Zeilen(u.G());
        f.Trace().close();
        QVERIFY(!f.Aktion("TraceDebug1")->isChecked());
        QVERIFY(!u.G().TraceAn());
        QCOMPARE(f.Statusfeld(5)->text(), QString("  "));
        QCOMPARE(Zeilen(u.G()), vorher);
        // "&Schließen" does the same.
        f.Aktion("TraceDebug1")->trigger();
        Klick(f.Trace().Schliessen());
        QVERIFY(!f.Trace().isVisible() && !f.Aktion("TraceDebug1")->isChecked());
    }

    void loeschenSpeichernImmerVorn() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        ui::TTraceFenster& t = f.Trace();
        f.Aktion("TraceDebug1")->trigger();
        QCOMPARE(t.Loeschen()->text(), QString("&Löschen"));
        QCOMPARE(t.ImmerVorn()->text(), QString("Fenster immer im Vordergrund"));
        t.ImmerVorn()->setChecked(true);
        QVERIFY(t.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        t.ImmerVorn()->setChecked(false);
        QVERIFY(!t.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // Saving proposes TraceDaten.txt in the program's folder; the file is chosen here.
        QTemporaryDir ziel;
        const QString datei = ziel.path() + "/spur.txt";
        QString vorschlag, ordner, titel;
        u.D().antworten.push_back([&](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            if (!fd) return int(QDialog::Rejected);
            titel = fd->windowTitle();
            vorschlag = fd->selectedFiles().value(0);
            ordner = fd->directory().absolutePath();
            fd->selectFile(datei);
            return int(QDialog::Accepted);
        });
        Klick(t.Speichern());
        QCOMPARE(titel, QString("Indizien Speichern"));
        QVERIFY(vorschlag.endsWith("/TraceDaten.txt"));
        QCOMPARE(ordner, QDir(Programmordner()).absolutePath());
        QFile f1(datei);
        QVERIFY(f1.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f1.readAll()), Start(f).join('\n') + "\n");

        // A file that cannot be written gives an error box; the log stays.
        QVERIFY(!t.SpeichernNach(ziel.path() + "/fehlt/spur.txt"));
        QCOMPARE(u.D().gesehen.back().klasse, QString("QMessageBox"));
        QCOMPARE(Zeilen(u.G()), Start(f));

        Klick(t.Loeschen());
        QVERIFY(u.G().Log.Zeilen().empty());
        QVERIFY(t.Memo()->toPlainText().isEmpty());
    }

    // A fault writes the log to ErrorTrace.txt and shows its error box; the game goes on.
    void internerFehlerMitUndOhneTrace() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        u.NeuesSpiel(2, 8);
        ZieheKarteHand(u.G(), 1, 3);
        QCOMPARE(u.D().gesehen.size(), size_t{1});
        QCOMPARE(u.D().gesehen[0].text, QString("Internal Fault 1 in Procedure ZieheKarteHand"));
        QVERIFY(QFile::exists(u.Profilordner() + "/ErrorTrace.txt"));
        QVERIFY(u.G().Log.Zeilen().empty());

        f.Aktion("TraceDebug1")->trigger();
        ZieheKarteHand(u.G(), 1, 3);
        ZieheKarteHand(u.G(), 2, 4);
        const QStringList z = Zeilen(u.G());
        QCOMPARE(z.count("************************************"), 4);
        QCOMPARE(z.back(), QString("************************************"));
        QCOMPARE(z[z.size() - 2], QString("Internal Fault 1 in Procedure ZieheKarteHand"));
        QFile datei(u.Profilordner() + "/ErrorTrace.txt");
        QVERIFY(datei.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(datei.readAll()), z.join('\n') + "\n");
        QVERIFY(f.Trace().Memo()->toPlainText().contains("Internal Fault 1 in Procedure ZieheKarteHand"));
        QVERIFY(!u.G().S.Spielende);
    }
};

VELDMARK_UITEST(TraceTest);

#include "test_trace.moc"
