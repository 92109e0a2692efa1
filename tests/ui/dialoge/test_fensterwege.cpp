// The dialogs' commands in the main window: the correction mode with its Alt-clicks, the
// settings dialog and the simulation flag, the end of a game with its counters, a loaded puzzle's
// locks, the scaling to 150 %, the start screen and the info box, the extra statistics, and the
// English language file.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "fenstertest.h"
#include "persist/spieldatei.h"
#include "rules/einstellungsdialog.h"
#include "rules/kaufen.h"
#include "ui/einstellungsfenster.h"
#include "ui/fensterdialoge.h"
#include "ui/infofenster.h"
#include "ui/korrekturfenster.h"

using namespace vm;
using namespace vm::ui;
using namespace vm::uitest;

namespace {

QAction* Aktion(THauptfenster& f, const char* name) {
    QAction* a = f.findChild<QAction*>(name);
    if (!a) qWarning("keine Aktion %s", name);
    return a;
}

bool Frei(THauptfenster& f, const char* name) {
    if (QAction* a = f.Aktion(name)) return a->isEnabled();
    if (QAction* a = f.findChild<QAction*>(name)) return a->isEnabled();
    if (QToolButton* k = f.findChild<QToolButton*>(name)) return k->isEnabled();
    for (QAction* a : f.menuBar()->actions())
        if (a->objectName() == name) return a->isEnabled();
    qWarning("kein Befehl %s", name);
    return false;
}

// Seat 1 passes at every turn, the computer seats move on ticks, until the game is over.
void Durchspielen(Umgebung& u) {
    for (int i = 0; i < 50000 && !u.G().S.Spielende; ++i) {
        if (u.F().Mensch().AmZug())
            Klick(u.F().PasseKnopf());
        else
            u.F().Timer1Timer();
    }
}

QString Lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void Lege(Spielsitzung& g, int sitz, std::initializer_list<int32_t> karten) {
    for (int32_t inx : karten) {
        const tKartenRef k = InxToKarteRef(g.Katalog(), inx);
        QVERIFY(FuegeTischkarteEin(g, sitz, k));
        FaehigkeitenHinzufuegen(g, sitz, g.Daten(k));
    }
}

} // namespace

class FensterDialogeTest : public QObject {
    Q_OBJECT

private slots:
    void korrekturmodusMitAltKlicks() {
        Umgebung u;
        THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        u.NeuesSpiel(4, 4711, 4);
        QVERIFY(u.BisMenschAmZug());
        QVERIFY(Frei(f, "SpeedButton4"));
        g.S.Korrigiert = 0;
        Aktion(f, "KorrekturModus1")->trigger();
        QVERIFY(g.Menue.Korrekturmodus);
        QCOMPARE(f.Statusfeld(4)->text(), QString("Korrektur"));
        QCOMPARE(f.Statusfeld(6)->text(), QString("X"));
        QVERIFY(f.Fensterdialoge().KorrekturKnopf()->isChecked());

        // Seat 3's page shown: an Alt-click on its second observatory removes it.
        const int32_t frueher = g.Sp(3).Tischkarten();
        Lege(g, 3, {10, 11, 11});
        f.TischAnzeigen(3);
        int32_t position = 0;
        for (int i = 1; i <= g.Sp(3).Karten[2].Anzahl; ++i)
            if (g.Daten(g.Sp(3).Karten[2].Karten[i]).Inx == 11) position = Tischposition(g, 3, 2, i);
        f.Seiten()->setCurrentIndex(2);
        const TSpieler sitz1 = g.Sp(1);
        int gesehen = 0;
        u.D().antworten.push_back([&](QDialog& d) {
            auto* k = qobject_cast<TKorrekturFenster*>(&d);
            if (!k) return int(QDialog::Rejected);
            gesehen = k->Nummer()->value();
            QTest::mouseClick(k->Wahl(KorrekturAktion::Entfernen), Qt::LeftButton);
            QTest::mouseClick(k->OkKnopf(), Qt::LeftButton);
            return d.result();
        });
        Klick(f.TischBild(3, position), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(gesehen, 11);
        QCOMPARE(g.Sp(3).AnzahlSternwarten, 1);
        QVERIFY(g.Sp(3).Sondereigenschaften & Sternwarte);
        QCOMPARE(g.Sp(3).Tischkarten(), frueher + 2);
        QVERIFY(f.TischBild(3, frueher + 3)->isHidden());
        QCOMPARE(std::memcmp(&g.Sp(1), &sitz1, sizeof(TSpieler)), 0);

        // Without Alt the correction stays out of it.
        const size_t vorher = u.D().gesehen.size();
        Klick(f.TischBild(3, 1));
        QCOMPARE(u.D().gesehen.size(), vorher);

        // Alt + right button on the money: below 0 is allowed.
        g.Sp(2).Geld = 0;
        f.GeldAnzeigen(2);
        Klick(f.GeldLabel(2), Qt::RightButton, Qt::AltModifier);
        QCOMPARE(g.Sp(2).Geld, -1);
        QCOMPARE(f.GeldLabel(2)->text(), QString("Geld:  -1"));
        Klick(f.GeldLabel(2), Qt::LeftButton, Qt::AltModifier);
        Klick(f.GeldLabel(2), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(g.Sp(2).Geld, 1);
        Klick(f.GeldLabel(2), Qt::LeftButton);
        QCOMPARE(g.Sp(2).Geld, 1);

        // Opening the help menu leaves the mode as it is.
        QMenu* hilfe = nullptr;
        for (QAction* a : f.menuBar()->actions())
            if (a->objectName() == "Hilfe1") hilfe = a->menu();
        QVERIFY(hilfe);
        hilfe->popup(QPoint(0, 0));
        hilfe->hide();
        QVERIFY(g.Menue.Korrekturmodus);

        // Switched off, the mark stays; Alt-clicks do nothing any more.
        Klick(f.Fensterdialoge().KorrekturKnopf());
        QVERIFY(!g.Menue.Korrekturmodus);
        QCOMPARE(f.Statusfeld(4)->text(), QString("  "));
        QCOMPARE(f.Statusfeld(6)->text(), QString("X"));
        Klick(f.GeldLabel(2), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(g.Sp(2).Geld, 1);

        // A preset strength switches the mode off and locks it.
        Aktion(f, "KorrekturModus1")->trigger();
        QVERIFY(g.Menue.Korrekturmodus);
        f.StaerkeAktion(41)->trigger();
        QVERIFY(!g.Menue.Korrekturmodus);
        QVERIFY(!Frei(f, "SpeedButton4"));
        QVERIFY(!Frei(f, "SpeedButton8"));
        QCOMPARE(u.D().unerwartet, 0);
    }

    void altKlickAufSitz1KauftNicht() {
        Umgebung u;
        THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        u.NeuesSpiel(3, 99, 4);
        QVERIFY(u.BisMenschAmZug());
        Lege(g, 1, {1, 3});
        f.TischAnzeigen(1);
        Aktion(f, "KorrekturModus1")->trigger();
        const int32_t geld = g.Sp(1).Geld;
        u.D().antworten.push_back([](QDialog& d) {
            auto* k = qobject_cast<TKorrekturFenster*>(&d);
            if (!k) return int(QDialog::Rejected);
            k->Nummer()->setValue(31);
            QTest::mouseClick(k->OkKnopf(), Qt::LeftButton);
            return d.result();
        });
        Klick(f.TischBild(1, 1), Qt::LeftButton, Qt::AltModifier);
        // Holzfäller exchanged for the Bank, which joins the blue list; no money, no turn.
        QCOMPARE(g.Sp(1).Karten[1].Anzahl, 1);
        QCOMPARE(g.Daten(g.Sp(1).Karten[2].Karten[1]).Inx, 31);
        QCOMPARE(g.Sp(1).Geld, geld);
        QVERIFY(f.Mensch().AmZug());
        QCOMPARE(u.D().unerwartet, 0);
    }

    void strategienUndSimulation() {
        Umgebung u;
        THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        f.StaerkeAktion(4)->trigger();
        f.Aktion("SpielerAnzahl3")->trigger();
        QString titel;
        u.D().antworten.push_back([&](QDialog& d) {
            auto* e = qobject_cast<TEinstellungsFenster*>(&d);
            if (!e) return int(QDialog::Rejected);
            titel = d.windowTitle();
            QTest::mouseClick(e->Simulation(), Qt::LeftButton);
            QTest::mouseClick(e->OkKnopf(), Qt::LeftButton);
            return d.result();
        });
        Aktion(f, "Strategien1")->trigger();
        QCOMPARE(titel, QString("Einstellungen ( 3 Spieler )"));
        QCOMPARE(int(g.Einstellungen.Fuer(3).Sim), 1);
        QCOMPARE(int(g.S.Computer[1]), 1);

        // "Abbruch" after unchecking: the record and the flag stay as they were.
        const TStrategieeinstellungen vorher = g.Einstellungen;
        u.D().antworten.push_back([](QDialog& d) {
            auto* e = qobject_cast<TEinstellungsFenster*>(&d);
            if (!e) return int(QDialog::Rejected);
            QTest::mouseClick(e->Simulation(), Qt::LeftButton);
            e->Feld(SeiteStrategie, 2)->setValue(7);
            QTest::mouseClick(e->AbbruchKnopf(), Qt::LeftButton);
            return d.result();
        });
        Klick(f.Fensterdialoge().StrategienKnopf());
        QCOMPARE(std::memcmp(&g.Einstellungen, &vorher, sizeof vorher), 0);
        QCOMPARE(int(g.S.Computer[1]), 1);
        QCOMPARE(u.D().unerwartet, 0);
    }

    void spielendeVerlorenZaehltUndSchreibtDasProfil() {
        Umgebung u;
        THauptfenster& f = u.F();
        u.NeuesSpiel(4, 2024);
        Durchspielen(u);
        QVERIFY(u.G().S.Spielende);
        QVERIFY(u.G().Platz[1] != 1);
        const auto& ende = u.D().gesehen.back();
        QCOMPARE(ende.klasse, QString("vm::ui::TSpielendeFenster"));
        QCOMPARE(ende.titel, QString("Spielende"));
        QVERIFY(ende.text.startsWith("Schade !\nDu hast leider nicht gewonnen !"));
        QVERIFY(ende.text.contains("Anzahl Spiele gesamt: 1"));
        QVERIFY(ende.text.contains("Davon gewonnen (Prozent): 0"));
        QCOMPARE(f.Profil().W.G_AnzSpiele, 1);
        QCOMPARE(f.Profil().W.G_AnzGewonnen, 0);
        const QString ini = Lies(u.Profilordner() + "/Veldmark.ini");
        QVERIFY(ini.contains("G_AnzSpiele=1"));
        QVERIFY(ini.contains(QString("G_MaxPunkte4=%1").arg(u.G().Sp(1).Siegpunkte)));
        // Placed 10 pixels below the main window's top edge.
        QCOMPARE(f.Fensterdialoge().SpielendeFenster()->y(), f.frameGeometry().top() + 10);
        QCOMPARE(u.D().unerwartet, 0);
    }

    void geladenesPuzzleSperrtUndZaehltNicht() {
        Umgebung u;
        THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        u.NeuesSpiel(3, 77, 4);
        QVERIFY(u.BisMenschAmZug());
        Aktion(f, "KorrekturModus1")->trigger();
        const QString datei = u.Profilordner() + "/aufgabe.vmk";
        f.Historie().Puzzle.SetPuzzle2 = true;
        f.SaveDialog1CanClose(datei);
        f.Historie().Puzzle = {};
        f.Profil().W.G_AnzSpiele = 5;
        f.Profil().W.G_AnzGewonnen = 2;
        f.OpenDialog1CanClose(datei);
        QCOMPARE(int(f.Historie().H().Aufgabe), 1);

        for (const char* gesperrt : {"Neu1", "SpeedButton3", "Spieldateiladen1", "SpeedButton9", "Spielzug1",
                                     "SpeedButton6", "SpeedButton7", "Spieldateispeichern1", "SpeedButton10",
                                     "Spieler1", "Spielstrke1", "TraceDebug1", "SpeedButton1",
                                     "erwEinstellungen1", "SpeedButton4", "SpeedButton8", "Varianten2"})
            QVERIFY2(!Frei(f, gesperrt), gesperrt);
        for (const char* frei : {"Test011", "Hilfe1", "SpeedButton5", "Ende1"}) QVERIFY2(Frei(f, frei), frei);
        QVERIFY(!g.Menue.Korrekturmodus);
        QCOMPARE(f.Statusfeld(4)->text(), QString("  "));

        Durchspielen(u);
        QVERIFY(g.S.Spielende);
        QCOMPARE(u.D().gesehen.back().titel, QString("Spielende"));
        QCOMPARE(f.Profil().W.G_AnzSpiele, 5);
        QCOMPARE(f.Profil().W.G_AnzGewonnen, 2);
        QVERIFY(!Lies(u.Profilordner() + "/Veldmark.ini").contains("G_AnzSpiele=5"));
        // The end of the game gives saving back; new game and load stay locked.
        QVERIFY(Frei(f, "Spieldateispeichern1"));
        QVERIFY(Frei(f, "SpeedButton10"));
        QVERIFY(!Frei(f, "Neu1"));
        QVERIFY(!Frei(f, "Spieldateiladen1"));
        QCOMPARE(u.D().unerwartet, 0);
    }

    void skalierungAuf150ProzentWirktBeimNaechstenStart() {
        Umgebung u;
        THauptfenster& f = u.F();
        f.Aktion("TraceDebug1")->trigger();
        u.D().antworten.push_back([](QDialog& d) {
            auto* s = qobject_cast<TSkalierungFenster*>(&d);
            if (!s) return int(QDialog::Rejected);
            if (s->Zahl()->value() != 100) return int(QDialog::Rejected);
            s->Zahl()->setValue(150);
            QTest::mouseClick(s->OkKnopf(), Qt::LeftButton);
            return d.result();
        });
        Aktion(f, "Test011")->trigger();
        QCOMPARE(u.D().gesehen.back().titel, QString("Achtung !"));
        QCOMPARE(u.D().gesehen.back().text, QString("Programm wird beendet !"));
        QVERIFY(u.G().Log.Zeilen().back() == "**** Skalierung auf 150 Prozent");
        u.Ticks(1);
        QVERIFY(!f.isVisible());
        QVERIFY(Lies(u.Profilordner() + "/Veldmark.ini").contains("ScaleBy=150"));

        TStartOptionen o;
        o.Programmordner = Programmordner();
        o.Profilordner = u.Profilordner();
        o.Bildschirmbreite = 2560;
        o.Bildschirm = QRect(0, 0, 2560, 1440);
        o.DialogLauf = [](QDialog&) { return int(QDialog::Rejected); };
        THauptfenster neu(o);
        neu.Timer().stop();
        QCOMPARE(neu.Massstab().Prozent, 150);
        QCOMPARE(neu.TischBild(1, 1)->size(), QSize(120, 168));
        const auto& start = neu.TraceMemoStartup();
        QVERIFY(std::find(start.begin(), start.end(), "ScaledBy 150 Prozent") != start.end());
        QCOMPARE(u.D().unerwartet, 0);
    }

    void startbildUndUeber() {
        Umgebung u;
        THauptfenster& f = u.F();
        QTRY_VERIFY(f.Fensterdialoge().Startbild() != nullptr);
        TInfoFenster* start = f.Fensterdialoge().Startbild();
        QVERIFY(start->isVisible());
        QVERIFY(start->Timer().isActive());
        QVERIFY(start->OkKnopf()->isHidden());
        QString zeile;
        u.D().antworten.push_back([&](QDialog& d) {
            if (auto* i = qobject_cast<TInfoFenster*>(&d)) zeile = i->Statistik()->text();
            return int(QDialog::Accepted);
        });
        Klick(f.Fensterdialoge().HilfeKnopf());
        QCOMPARE(zeile, QString("Du hast 0 % von 0 Spielen gewonnen !"));
        // The start screen closes by itself.
        QTRY_VERIFY_WITH_TIMEOUT(f.Fensterdialoge().Startbild() == nullptr, 5000);
        QCOMPARE(u.D().unerwartet, 0);
    }

    void extraStatistikInDasProfil() {
        Umgebung u;
        THauptfenster& f = u.F();
        f.StaerkeAktion(4)->trigger();
        Aktion(f, "ExtraStatistik")->trigger();
        u.NeuesSpiel(2, 5, 4);
        Durchspielen(u);
        const size_t zeilen = f.Fensterdialoge().ExtraStatistik().size();
        QVERIFY(zeilen > 4 * 3);
        Aktion(f, "ExtraStatistik")->trigger();
        const QStringList datei =
            Lies(u.Profilordner() + "/Statistik.txt").split(QChar('\n'), Qt::SkipEmptyParts);
        QCOMPARE(size_t(datei.size()), zeilen);
        QVERIFY(datei[0].startsWith("AnzS,Runde,Phase,1G,1S,11K,11G,11S,12K,"));
        QVERIFY(datei[1].startsWith("1,1,1,"));
        QVERIFY(f.Fensterdialoge().ExtraStatistik().empty());
        QCOMPARE(u.D().unerwartet, 0);
    }

    void englischeSprachdateiLaesstTraceUndBerichtWieSieSind() {
        // A program folder with the card pictures and the English language file.
        QTemporaryDir programm;
        QVERIFY(QFile::link(Programmordner() + "/Karten", programm.path() + "/Karten"));
        QVERIFY(QFile::copy(VELDMARK_QUELLE "/share/Lang.ini", programm.path() + "/Lang.ini"));

        // The trace of a whole game, then the report of a short simulation run (the run starts
        // the log afresh with the start-up lines, which name the folders, so the report is taken
        // from its first line on).
        struct Lauf {
            std::vector<std::string> spur, bericht;
            QString ende;
        };
        auto lauf = [](Umgebung& u, Lauf& l) {
            THauptfenster& f = u.F();
            f.Aktion("TraceDebug1")->trigger();
            u.G().Log.Leeren();
            u.NeuesSpiel(3, 31337);
            Durchspielen(u);
            l.spur = u.G().Log.Zeilen();
            l.ende = u.D().gesehen.back().text;
            f.StaerkeAktion(4)->trigger();
            TStrategieEinstellung& e = u.G().Einstellungen.Fuer(3);
            e.Sim = 1;
            e.AnzahlSim = 2;
            u.G().Zufall.RandSeed = 4242;
            f.Aktion("Simulation1")->trigger();
            const auto& z = u.G().Log.Zeilen();
            auto anfang = std::find(z.begin(), z.end(), "**********************************************");
            l.bericht.assign(anfang, z.end());
        };
        Lauf deutsch, englisch;
        {
            Umgebung u;
            lauf(u, deutsch);
        }
        Umgebung u(programm.path());
        THauptfenster& f = u.F();
        QStringList menues;
        for (QAction* a : f.menuBar()->actions()) menues << a->text();
        QCOMPARE(menues.value(0), QString("&File"));
        QVERIFY(menues.contains("&Help"));
        QCOMPARE(f.Aktion("Neu1")->text(), QString("&New game"));
        QCOMPARE(Aktion(f, "KorrekturModus1")->text(), QString("&Correction mode"));
        QCOMPARE(f.PasseKnopf()->text(), QString("Pass"));
        QVERIFY(f.AnzeigeKatalog().Art(1, 1).Name == "Woodcutter");
        QVERIFY(u.G().Katalog().Art(1, 1).Name == "Holzfäller");
        QString titel;
        u.D().antworten.push_back([&](QDialog& d) {
            titel = d.windowTitle();
            return int(QDialog::Rejected);
        });
        f.StaerkeAktion(4)->trigger();
        Aktion(f, "Strategien1")->trigger();
        QCOMPARE(titel, QString("Settings ( 4 Players )"));
        f.StaerkeAktion(41)->trigger();
        u.NeuesSpiel(3, 1);
        QVERIFY(f.Statusfeld(0)->text().startsWith("Round: "));
        const std::string_view name = f.AnzeigeKatalog().Daten(u.G().S.Auslage[1].Karten[1]).Name;
        QCOMPARE(f.AuslageBild(1, 1)->Hinweis(), QString::fromUtf8(name.data(), qsizetype(name.size())));
        QVERIFY(name != u.G().Katalog().Daten(u.G().S.Auslage[1].Karten[1]).Name);

        lauf(u, englisch);
        QVERIFY(englisch.ende.contains("Your opponents were:"));
        QVERIFY(deutsch.ende.contains("Deine Gegner waren:"));
        QVERIFY(deutsch.spur.size() > 100);
        QVERIFY(std::find_if(deutsch.spur.begin(), deutsch.spur.end(), [](const std::string& z) {
                    return z.find(" kauft ") != std::string::npos;
                }) != deutsch.spur.end());
        QVERIFY(deutsch.spur == englisch.spur);
        QVERIFY(deutsch.bericht.size() > 100);
        QVERIFY(std::find(deutsch.bericht.begin(), deutsch.bericht.end(), "Number of players : 3") !=
                deutsch.bericht.end());
        QVERIFY(deutsch.bericht == englisch.bericht);
    }
};

VELDMARK_UITEST(FensterDialogeTest);

#include "test_fensterwege.moc"
