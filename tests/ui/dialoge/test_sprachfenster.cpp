// The window with a language file: the card faces, the status bar and the help in its language.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "ai/spielstaerke.h"
#include "fenstertest.h"
#include "persist/sprache.h"
#include "ui/fensterdialoge.h"
#include "ui/hilfemenue.h"

using namespace vm;
using namespace vm::ui;
using namespace vm::uitest;

namespace {

QImage Seite(Umgebung& u, int bild) {
    return u.F().Bilder().Bild(bild, Format::Gross).toImage();
}

// Panels whose text does not fit their width, with the text.
QStringList Abgeschnitten(ui::THauptfenster& f) {
    QApplication::processEvents();
    QStringList zu;
    for (int i = 0; i < 8; ++i) {
        QLabel* l = f.Statusfeld(i);
        const int noetig = l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->margin();
        if (noetig > l->contentsRect().width() || !f.statusBar()->rect().contains(l->geometry()))
            zu << QString("%1: %2").arg(i).arg(l->text());
    }
    return zu;
}

} // namespace

class SprachfensterTest : public QObject {
    Q_OBJECT

private slots:
    // A face shows the card's name in the language of the hint: it differs from the German face
    // exactly where the language file changes a word of it.
    void KartenseitenInDerSprache() {
        Umgebung deutsch(QString(), false);
        Programm eins("[Cards]\nGoldgräber=Gold Digger\n");
        Umgebung einzeln(eins.Pfad(), false);
        // The gold digger's face, and the goldsmithy's, which names what it replaces.
        for (int n = 1; n <= AnzahlBilder; ++n) {
            QVERIFY(!Seite(deutsch, n).isNull());
            QVERIFY2((Seite(einzeln, n) == Seite(deutsch, n)) == (n != 2 && n != 26),
                     qPrintable(QString::number(n)));
        }
        QCOMPARE(einzeln.F().AnzeigeKatalog().Art(1, 2).Name, std::string_view("Gold Digger"));

        const QByteArray englisch = Englisch();
        QVERIFY(englisch.contains("Goldgräber=Gold Digger"));
        Programm en(englisch);
        Umgebung u(en.Pfad(), false);
        for (int n = 1; n <= AnzahlBilder; ++n)
            QVERIFY2((Seite(u, n) == Seite(deutsch, n)) == (n == BildRueckseite),
                     qPrintable(QString::number(n)));
    }

    // Every status text is in the language of the file and shows whole, from the start on, also
    // with a desktop's larger font.
    void StatuszeileGanzUndUebersetzt() {
        const QFont vorher = QApplication::font();
        QFont gross = vorher;
        gross.setPointSize(12);
        QApplication::setFont(gross);
        auto zurueck = qScopeGuard([&] { QApplication::setFont(vorher); });
        Programm en(Englisch());
        Umgebung u(en.Pfad());
        ui::THauptfenster& f = u.F();
        QCOMPARE(f.Statusfeld(2)->text(), QString("History: 0 of 0"));
        QCOMPARE(f.Statusfeld(0)->text(), QString("Round: -"));
        QCOMPARE(Abgeschnitten(f), QStringList());
        u.NeuesSpiel(4, 3, Expertenmodus);
        f.Aktion("Trace")->trigger();
        f.findChild<QAction*>("Korrekturmodus")->trigger();
        QCOMPARE(f.Statusfeld(3)->text(), QString("Number of players: 4"));
        QCOMPARE(f.Statusfeld(4)->text(), QString("Correction"));
        QCOMPARE(Abgeschnitten(f), QStringList());
    }

    // The help menu opens the English documents with the English file, the German ones without.
    void HilfeInDerSprache() {
        auto geoeffnet = [](Umgebung& u) {
            QStringList pfade;
            THilfeMenue& h = u.F().Fensterdialoge().Hilfe();
            h.SetzeOeffner([&](const QUrl& url) {
                pfade << url.toLocalFile();
                return true;
            });
            for (const char* name : {"Inhalt", "Readme", "Kartenuebersicht"})
                h.Aktion(name)->trigger();
            return pfade;
        };
        Programm en(Englisch());
        Umgebung englisch(en.Pfad(), false);
        const QString hilfe = en.Pfad() + "/Hilfe/";
        const QStringList pfade = geoeffnet(englisch);
        QCOMPARE(pfade,
                 (QStringList{hilfe + "en/Veldmark.html", hilfe + "en/Readme.txt", hilfe + "en/Karten.pdf"}));
        for (const QString& p : pfade) QVERIFY2(QFileInfo(p).size() > 1000, qPrintable(p));
        QFile seite(pfade[0]);
        QVERIFY(seite.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(seite.readAll());
        QVERIFY(html.contains("<html lang=\"en\">") && html.contains("Gold Digger") &&
                !html.contains("Goldgräber"));

        Umgebung deutsch(QString(), false);
        const QString de = Programmordner() + "/Hilfe/";
        QCOMPARE(geoeffnet(deutsch),
                 (QStringList{de + "Veldmark.html", de + "Readme.txt", de + "Karten.pdf"}));

        // A language file's document that is missing or lies outside the help folder: the German one.
        TSprache fremd;
        fremd.LadenText(
            "[Other]\nVeldmark.html=fr/Aide.html\nReadme.txt=../Karten/1.jpg\nKarten.pdf=/etc/passwd\n");
        for (const char* name : {"Veldmark.html", "Readme.txt", "Karten.pdf"})
            QCOMPARE(Hilfedokument(Programmordner(), fremd, name), de + name);
    }

    // The language file changes what the person reads, never the trace of a game or the report
    // of a simulation run.
    void TraceUndBerichtBleibenWieSieSind() {
        struct Lauf {
            std::vector<std::string> spur, bericht;
        };
        auto lauf = [](Umgebung& u) {
            Lauf l;
            u.F().Aktion("Trace")->trigger();
            u.G().Log.Leeren();
            u.NeuesSpiel(3, 31337);
            u.Durchspielen();
            l.spur = u.G().Log.Zeilen();
            u.F().StaerkeAktion(Expertenmodus)->trigger();
            TStrategieEinstellung& e = u.G().Einstellungen.Fuer(3);
            e.Sim = 1;
            e.AnzahlSim = 2;
            u.G().Zufall.RandSeed = 4242;
            if (!u.Simulieren()) return l;
            // The run starts the log afresh with the start-up lines, which name the folders.
            const auto& z = u.G().Log.Zeilen();
            l.bericht.assign(std::find(z.begin(), z.end(), "**********************************************"), z.end());
            return l;
        };
        Umgebung de;
        const Lauf deutsch = lauf(de);
        Programm en(Englisch());
        Umgebung u(en.Pfad());
        QCOMPARE(u.F().PasseKnopf()->text(), QString("Pass"));
        const Lauf englisch = lauf(u);
        QVERIFY(u.D().gesehen.back().text.contains("Your opponents were:"));
        QVERIFY(deutsch.spur.size() > 100 && deutsch.bericht.size() > 100);
        QVERIFY(deutsch.spur == englisch.spur);
        QVERIFY(deutsch.bericht == englisch.bericht);
    }
};

VELDMARK_UITEST(SprachfensterTest);

#include "test_sprachfenster.moc"
