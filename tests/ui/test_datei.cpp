// Saving and loading through the file dialogs, refused files, the question before a game with
// moves is lost, and the trace switch with its window.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QXmlStreamReader>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "fenstertest.h"
#include "rules/hand.h"
#include "sim/argumente.h"
#include "ui/diagrammansicht.h"
#include "ui/tracefenster.h"

using namespace vm;
using namespace vm::uitest;

namespace {

// How often the window asked before losing the game.
int Fragen(Umgebung& u) {
    int n = 0;
    for (const Dialoge::Gesehen& d : u.D().gesehen) n += d.name == "FrageVerwerfen";
    return n;
}

// Answers the next question with `knopf`.
void Antworte(Umgebung& u, QMessageBox::StandardButton knopf) {
    u.D().Antworte<QMessageBox>([knopf](QMessageBox& box) { return box.button(knopf) ? int(knopf) : -1; });
}

QStringList Zeilen(const std::vector<std::string>& log) {
    QStringList z;
    for (const std::string& s : log) z << QString::fromStdString(s);
    return z;
}

} // namespace

class DateiTest : public QObject {
    Q_OBJECT
private slots:
    // Saved by the tool button and loaded by the menu, a game comes back with its history and
    // its player count. A refused file names its reason and leaves the game, the history, the
    // person's selection and the remembered folder exactly as they were.
    void speichernLadenUndAbgelehnteDateien() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        // Saving stamps the history with the time in whole seconds: a fixed clock keeps it equal.
        f.Historie().Jetzt = [] { return 46000.5; };
        u.NeuesSpiel(3, 41);
        QVERIFY(u.BisMenschAmZug());
        u.Passen();
        u.Passen();
        const TSpielstand gespeichert = g.S;
        const auto historie = std::make_unique<TSpielHistorie>(f.Historie().H());
        QTemporaryDir ordner, anderer;
        const QString datei = ordner.path() + "/partie.vmk";
        u.D().WaehleDatei(datei);
        f.Knopf("SpielSpeichernKnopf")->click();
        QVERIFY(QFile::exists(datei));
        QCOMPARE(QString::fromStdString(f.Profil().W.SaveDir), ordner.path() + "/");

        u.NeuesSpiel(2, 42);
        QVERIFY(u.BisMenschAmZug());
        const TSpielstand vorher = g.S;
        const auto andereHistorie = std::make_unique<TSpielHistorie>(f.Historie().H());
        const QString status = f.Statusfeld(2)->text();
        for (int r = 1; r <= 2 && !f.Mensch().AuslageGewaehlt(); ++r)
            for (int p = 1; p <= 8 && !f.Mensch().AuslageGewaehlt(); ++p) Klick(f.AuslageBild(r, p));
        QVERIFY(f.Mensch().AuslageGewaehlt());
        auto unveraendert = [&] {
            return Gleich(g.S, vorher) &&
                   std::memcmp(&f.Historie().H(), andereHistorie.get(), sizeof(TSpielHistorie)) == 0 &&
                   f.Statusfeld(2)->text() == status &&
                   QString::fromStdString(f.Profil().W.SaveDir) == ordner.path() + "/" &&
                   f.Mensch().AuslageGewaehlt();
        };
        const QString pfad = anderer.path() + "/x.vmk";
        // Not a game file, then a folder named like one: each named, neither changing anything.
        const std::string daten = "kein Spielstand";
        QFile d(pfad);
        QVERIFY(d.open(QIODevice::WriteOnly));
        d.write(daten.data(), static_cast<qint64>(daten.size()));
        d.close();
        u.D().WaehleDatei(pfad);
        f.Knopf("SpielLadenKnopf")->click();
        QCOMPARE(u.D().gesehen.back().titel, QString("File access error 0"));
        QCOMPARE(u.D().gesehen.back().text, pfad + "\n\nGrund: keine Spieldatei");
        QVERIFY(unveraendert());
        QDir(anderer.path()).mkdir("ordner.vmk");
        f.SpielLaden(anderer.path() + "/ordner.vmk");
        QVERIFY(
            u.D().gesehen.back().text.endsWith("Grund: keine gewöhnliche Datei (Ordner, Gerät oder FIFO)"));
        QVERIFY(unveraendert());

        u.D().WaehleDatei(datei);
        f.Aktion("SpielLaden")->trigger();
        QVERIFY(Gleich(g.S, gespeichert));
        QVERIFY(std::memcmp(&f.Historie().H(), historie.get(), sizeof(TSpielHistorie)) == 0);
        QVERIFY(f.Aktion("SpielerAnzahl3")->isChecked());
        QVERIFY(!f.SitzBox(3)->isHidden());
        QCOMPARE(f.Statusfeld(2)->text(), QString("History: %1 von %1").arg(historie->AnzahlEintraege));
        QCOMPARE(u.D().unerwartet, 0);
    }

    // A game with moves of the person since its last save is not lost without a yes: not by a
    // new game, a load, the end command or the window's close. "Ja" on the end closes the
    // window after a tick with the profile saved.
    void fragtBevorEinSpielMitZuegenVerlorenGeht() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        u.NeuesSpiel(3, 61);
        QVERIFY(u.BisMenschAmZug());
        u.NeuesSpiel(3, 62); // the computers moved, the person did not: nothing to ask
        QVERIFY(u.BisMenschAmZug());
        QCOMPARE(Fragen(u), 0);

        u.Passen();
        const TSpielstand stand = g.S;
        const std::vector<std::function<void()>> befehle = {
            [&] { f.Aktion("NeuesSpiel")->trigger(); }, [&] { f.Knopf("NeuesSpielKnopf")->click(); },
            [&] { f.Aktion("SpielLaden")->trigger(); }, [&] { f.Knopf("BeendenKnopf")->click(); },
            [&] { f.close(); }};
        for (const auto& befehl : befehle) {
            Antworte(u, QMessageBox::No);
            befehl();
        }
        u.Ticks(2);
        QCOMPARE(Fragen(u), 5);
        QCOMPARE(u.D().gesehen.back().text, QString("Laufendes Spiel verwerfen?"));
        QVERIFY(f.isVisible());
        QVERIFY(Gleich(g.S, stand));
        QCOMPARE(u.D().unerwartet, 0); // no file dialog followed a "Nein"

        // "Speichern" saves, then the new game starts.
        QTemporaryDir ordner;
        const QString datei = ordner.path() + "/vorher.vmk";
        Antworte(u, QMessageBox::Save);
        u.D().WaehleDatei(datei);
        f.Aktion("NeuesSpiel")->trigger();
        QVERIFY(QFile::exists(datei));
        QVERIFY(!Gleich(g.S, stand));
        QVERIFY(u.BisMenschAmZug());
        u.Passen();
        f.Aktion("SpielerAnzahl2")->trigger();
        Antworte(u, QMessageBox::Yes);
        f.Aktion("Ende")->trigger();
        QCOMPARE(Fragen(u), 7);
        u.Ticks(1);
        QVERIFY(!f.isVisible());
        QVERIFY(u.Profil().contains("SpielerAnzahl=2"));
        QCOMPARE(u.D().unerwartet, 0);

        // The profile's key switches the question off.
        Umgebung aus(QString(), true, "[Control]\nFrageVerwerfen=0\n");
        aus.NeuesSpiel(3, 63);
        QVERIFY(aus.BisMenschAmZug());
        aus.Passen();
        aus.F().Aktion("NeuesSpiel")->trigger();
        QCOMPARE(Fragen(aus), 0);
        QVERIFY(!aus.G().S.Spielende);
    }

    // The tool button and the trace window's close box switch the trace with the menu item; the
    // window shows the log, and an internal fault shows its error box and leaves the game going.
    void traceSchalterUndFenster() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        ui::TTraceFenster& t = f.Trace();
        f.Knopf("TraceKnopf")->click();
        QVERIFY(f.Aktion("Trace")->isChecked() && u.G().TraceAn() && t.isVisible());
        QCOMPARE(f.Statusfeld(5)->text(), QString("Trace on"));
        u.NeuesSpiel(2, 8);
        QVERIFY(u.BisMenschAmZug());
        QCOMPARE(t.Memo()->toPlainText(), Zeilen(u.G().Log.Zeilen()).join('\n'));

        t.close();
        QVERIFY(!f.Aktion("Trace")->isChecked() && !u.G().TraceAn());
        QCOMPARE(f.Statusfeld(5)->text(), QString("  "));
        const size_t vorher = u.G().Log.Zeilen().size();
        Klick(f.PasseKnopf());
        QCOMPARE(u.G().Log.Zeilen().size(), vorher); // no lines while off
        f.Aktion("Trace")->trigger();
        QCOMPARE(Zeilen(u.G().Log.Zeilen()), Zeilen(f.TraceMemoStartup()));
        Klick(t.Schliessen());
        QVERIFY(!t.isVisible() && !f.Aktion("Trace")->isChecked());

        ZieheKarteHand(u.G(), 1, 3);
        QCOMPARE(u.D().gesehen.back().text, QString("Internal Fault 1 in Procedure ZieheKarteHand"));
        QVERIFY(QFile::exists(u.Profilordner() + "/ErrorTrace.txt"));
        QVERIFY(!u.G().S.Spielende);
    }

    // The charts of a result file that --json wrote, from the menu: one tab each, the chart
    // shown saved as SVG (an XML document with its title) and as PNG; a place that cannot be
    // written and a file that is no result get an error box.
    void diagrammeAusErgebnisdatei() {
        Umgebung u;
        QTemporaryDir ort;
        const std::string json = (ort.path() + "/lauf.json").toStdString();
        std::ostringstream aus, err;
        QCOMPARE(SimProgramm({"--players", "3", "--games", "12", "--seed", "5", "--json", json}, aus, err),
                 0);
        const QString svg = ort.path() + "/r.svg", png = ort.path() + "/s.png";
        int seiten = 0;
        u.D().WaehleDatei(ort.path() + "/lauf.json");
        u.D().Antworte<ui::TDiagrammFenster>([&](ui::TDiagrammFenster& d) {
            seiten = d.Seiten()->count();
            d.Seiten()->setCurrentIndex(2);
            Klick(d.findChild<QPushButton*>("AlsSvg"));
            d.Seiten()->setCurrentIndex(0);
            Klick(d.findChild<QPushButton*>("AlsPng"));
            Klick(d.findChild<QPushButton*>("AlsPng"));
            return int(QDialog::Rejected);
        });
        for (const QString& datei : {svg, png, ort.path() + "/fehlt/s.png"}) u.D().WaehleDatei(datei);
        u.F().Aktion("DiagrammeAusDatei")->trigger();
        QCOMPARE(seiten, 4);
        const QString fehler = u.D().gesehen.back().text;
        QVERIFY(fehler.startsWith("Datei kann nicht geschrieben werden: ") &&
                fehler.endsWith("/fehlt/s.png\n\nGrund: Ordner fehlt"));
        QXmlStreamReader xml(Umgebung::Lies(svg));
        bool titel = false;
        while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd())
            titel = titel || xml.text().contains(QString("Spiele nach Rundenzahl"));
        QVERIFY(!xml.hasError() && titel);
        QCOMPARE(QImage(png).size(), ui::DiagrammGroesse);
        u.F().DiagrammeAusDatei(svg);
        QVERIFY(u.D().gesehen.back().text.contains("kann nicht gelesen werden: kein gültiges JSON"));
        QCOMPARE(u.D().unerwartet, 0);
    }
};

VELDMARK_UITEST(DateiTest);

#include "test_datei.moc"
