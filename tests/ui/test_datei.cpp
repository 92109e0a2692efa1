// Undo and redo through the menu with their enabled states, saving and loading through the file
// dialogs' handlers, and files that are refused.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "fenstertest.h"
#include "persist/ini.h"
#include "persist/spieldatei.h"

using namespace vm;
using namespace vm::uitest;

namespace {

// Answers the next file dialog with `datei`; notes what it offered.
struct Dateiwahl {
    QString titel, suffix, ordner;
    QStringList filter;
    void Antworten(Umgebung& u, const QString& datei) {
        u.D().antworten.push_back([this, datei](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            if (!fd) return int(QDialog::Rejected);
            titel = fd->windowTitle();
            suffix = fd->defaultSuffix();
            filter = fd->nameFilters();
            ordner = fd->directory().absolutePath();
            fd->selectFile(datei);
            return int(QDialog::Accepted);
        });
    }
};

// Seat 1 passes and the computers move until seat 1 is on turn again.
void Runde(Umgebung& u) {
    Klick(u.F().PasseKnopf());
    u.BisMenschAmZug();
}

bool Gleich(const TSpielstand& a, const TSpielstand& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// How often the window asked before losing the game.
int Fragen(Umgebung& u) {
    int n = 0;
    for (const Dialoge::Gesehen& d : u.D().gesehen) n += d.name == "FrageVerwerfen";
    return n;
}

// Answers the next question with `knopf`; notes the buttons it offered.
void Antworte(Umgebung& u, QMessageBox::StandardButton knopf, QStringList* knoepfe = nullptr) {
    u.D().antworten.push_back([knopf, knoepfe](QDialog& d) {
        auto* box = qobject_cast<QMessageBox*>(&d);
        if (!box || !box->button(knopf)) return int(QDialog::Rejected);
        if (knoepfe)
            for (QAbstractButton* b : box->buttons()) knoepfe->push_back(b->text());
        return int(knopf);
    });
}

} // namespace

class DateiTest : public QObject {
    Q_OBJECT
private slots:
    void rueckgaengigUndWiederherstellenImMenue() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        QAction* undo = f.Aktion("rckgngig1");
        QAction* redo = f.Aktion("wiederherstellen1");
        QCOMPARE(undo->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(redo->shortcut(), QKeySequence("Ctrl+Y"));
        u.NeuesSpiel(3, 31);
        QVERIFY(u.BisMenschAmZug());
        const int32_t start = f.Historie().H().AnzahlEintraege;
        QVERIFY(!undo->isEnabled() || start > 1);
        Runde(u);
        Runde(u);
        const int32_t n = f.Historie().H().AnzahlEintraege;
        QVERIFY(n >= 3);
        QVERIFY(undo->isEnabled() && f.Knopf("SpeedButton6")->isEnabled());
        QVERIFY(!redo->isEnabled() && !f.Knopf("SpeedButton7")->isEnabled());
        const TSpielstand jetzt = g.S;

        f.Aktion("TraceDebug1")->trigger();
        undo->trigger();
        QCOMPARE(f.Statusfeld(2)->text(), QString("History: %1 von %2").arg(n - 1).arg(n));
        QVERIFY(redo->isEnabled() && f.Knopf("SpeedButton7")->isEnabled());
        QCOMPARE(QString::fromStdString(g.Log.Zeilen().back()),
                 QString("UNDO auf (%1 von %2)").arg(n - 1).arg(n));
        QVERIFY(Gleich(g.S, f.Historie().H().Eintrag[n - 1]));
        // The board shows the restored state.
        for (int s = 1; s <= 3; ++s)
            QCOMPARE(f.GeldLabel(s)->text(), "Geld:  " + QString::number(g.Sp(s).Geld));

        redo->trigger();
        QVERIFY(Gleich(g.S, jetzt));
        QVERIFY(!redo->isEnabled());
        QCOMPARE(QString::fromStdString(g.Log.Zeilen().back()), QString("REDO auf (%1 von %1)").arg(n));

        f.Aktion("ganzzurueck")->trigger();
        QCOMPARE(f.Historie().H().AktuellerEintrag, 1);
        QVERIFY(!undo->isEnabled());
        f.Aktion("ganzvor")->trigger();
        QCOMPARE(f.Historie().H().AktuellerEintrag, n);

        // Undo twice, then a move: the entries beyond are gone and the game counts as altered.
        undo->trigger();
        undo->trigger();
        QCOMPARE(f.Statusfeld(6)->text(), QString());
        Runde(u);
        QCOMPARE(f.Historie().H().AnzahlEintraege, n - 1);
        QCOMPARE(f.Statusfeld(6)->text(), QString("X"));
        QVERIFY(!redo->isEnabled());

        // Refused while a computer seat is to move.
        Klick(f.PasseKnopf());
        QVERIFY(!f.Mensch().AmZug());
        const TSpielstand computer = g.S;
        undo->trigger();
        f.Knopf("SpeedButton6")->click();
        QVERIFY(Gleich(g.S, computer));
    }

    void speichernUndLadenUeberDieDialoge() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        u.NeuesSpiel(3, 41);
        QVERIFY(u.BisMenschAmZug());
        Runde(u);
        Runde(u);
        const TSpielstand gespeichert = g.S;
        const int32_t eintraege = f.Historie().H().AnzahlEintraege;
        QTemporaryDir ordner;
        const QString datei = ordner.path() + "/partie.vmk";
        Dateiwahl wahl;
        wahl.Antworten(u, datei);
        f.Knopf("SpeedButton10")->click();
        QCOMPARE(wahl.titel, QString("Spieldatei speichern"));
        QCOMPARE(wahl.suffix, QString("vmk"));
        QCOMPARE(wahl.filter, (QStringList{"Veldmark Dateien (*.vmk)", "Alle Dateien (*.*)"}));
        QVERIFY(QFile::exists(datei));
        QVERIFY(!QFile::exists(ordner.path() + "/partie.1Z1"));
        QCOMPARE(QString::fromStdString(f.Profil().W.SaveDir), ordner.path() + "/");

        // Another game with another player count, then the file brings the first back.
        u.NeuesSpiel(2, 42);
        QVERIFY(u.BisMenschAmZug());
        QVERIFY(!Gleich(g.S, gespeichert));
        Dateiwahl laden;
        laden.Antworten(u, datei);
        f.Aktion("Spieldateiladen1")->trigger();
        QCOMPARE(laden.ordner + "/", QString::fromStdString(f.Profil().W.SaveDir));
        QVERIFY(Gleich(g.S, gespeichert));
        QCOMPARE(f.Historie().H().AnzahlEintraege, eintraege);
        QVERIFY(f.Aktion("SpielerAnzahl3")->isChecked());
        QCOMPARE(f.Statusfeld(3)->text(), QString("Anzahl Spieler:  3"));
        QVERIFY(!f.SitzBox(3)->isHidden());
        QCOMPARE(f.Statusfeld(2)->text(), QString("History: %1 von %1").arg(eintraege));
        QVERIFY(f.Aktion("rckgngig1")->isEnabled());
        f.Aktion("rckgngig1")->trigger();
        QCOMPARE(f.Historie().H().AktuellerEintrag, eintraege - 1);
        QCOMPARE(u.D().unerwartet, 0);
    }

    // A refused file names its reason and leaves the game, the history, the human's selection
    // and the remembered folder exactly as they were, so the next save still holds the game.
    void abgelehnteDateienLassenAllesStehen() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        u.NeuesSpiel(2, 51);
        QVERIFY(u.BisMenschAmZug());
        Runde(u);
        QTemporaryDir ordner, anderer;
        const QString gut = ordner.path() + "/gut.vmk";
        Dateiwahl speichern;
        speichern.Antworten(u, gut);
        f.Knopf("SpeedButton10")->click();
        QVERIFY(QFile::exists(gut));
        const std::string saveDir = f.Profil().W.SaveDir;
        const TSpielstand vorher = g.S;
        const auto historie = std::make_unique<TSpielHistorie>(f.Historie().H());
        const QString status = f.Statusfeld(2)->text();
        QVERIFY(historie->AnzahlEintraege >= 2);
        for (int r = 1; r <= 2 && !f.Mensch().AuslageGewaehlt(); ++r)
            for (int p = 1; p <= 8 && !f.Mensch().AuslageGewaehlt(); ++p)
                f.Mensch().AuslageKlick(r, p, Maustaste::Links, {});
        QVERIFY(f.Mensch().AuslageGewaehlt());
        auto unveraendert = [&] {
            return Gleich(g.S, vorher) &&
                   std::memcmp(&f.Historie().H(), historie.get(), sizeof(TSpielHistorie)) == 0 &&
                   f.Statusfeld(2)->text() == status && f.Aktion("rckgngig1")->isEnabled() &&
                   f.Profil().W.SaveDir == saveDir && f.Mensch().AuslageGewaehlt();
        };
        auto schreibe = [](const QString& name, const std::string& daten) {
            QFile d(name);
            QVERIFY(d.open(QIODevice::WriteOnly));
            d.write(daten.data(), static_cast<qint64>(daten.size()));
        };
        auto record = [&](auto aendern) {
            auto h = std::make_unique<TSpielHistorie>(*historie);
            aendern(*h);
            std::string daten;
            if (!KomprimiereHistorie(*h, daten)) daten.clear();
            return daten;
        };

        const QString pfad = anderer.path() + "/x.vmk";
        const struct {
            std::string daten;
            QString titel, text;
        } faelle[] = {
            {"kein Spielstand", "File access error 0", pfad + "\n\nGrund: keine Spieldatei"},
            {record([](TSpielHistorie& h) { h.SetzeKennung("Anderes Spiel"); }), "File access error 6",
             "Datei inkompatibel !\n\nGrund: keine Spieldatei"},
            {record([](TSpielHistorie& h) { h.AnzahlEintraege = 0; }), "File access error 5", "Datei leer !"},
            {record([](TSpielHistorie& h) { h.Eintrag[1].AnzahlPassen = h.Eintrag[1].SpielerAnzahl; }),
             "File access error 6",
             "Datei inkompatibel !\n\nGrund: nicht stimmig: Eintrag[1]: AnzahlPassen ist 2 bei 2 Spielern"},
        };
        for (const auto& fall : faelle) {
            schreibe(pfad, fall.daten);
            Dateiwahl wahl;
            wahl.Antworten(u, pfad);
            f.Knopf("SpeedButton9")->click();
            QCOMPARE(u.D().gesehen.back().titel, fall.titel);
            QCOMPARE(u.D().gesehen.back().text, fall.text);
            QVERIFY(unveraendert());
        }
        // A folder named like a game file is refused at once.
        QDir(anderer.path()).mkdir("ordner.vmk");
        f.OpenDialog1CanClose(anderer.path() + "/ordner.vmk");
        QCOMPARE(u.D().gesehen.back().text,
                 anderer.path() + "/ordner.vmk\n\nGrund: keine gewöhnliche Datei (Ordner, Gerät oder FIFO)");
        QVERIFY(unveraendert());

        // Saved again after the refusals, the game loads as it was.
        f.SaveDialog1CanClose(gut);
        u.NeuesSpiel(3, 52);
        QVERIFY(u.BisMenschAmZug());
        f.OpenDialog1CanClose(gut);
        QVERIFY(Gleich(g.S, vorher));
        QCOMPARE(f.Historie().H().AnzahlEintraege, historie->AnzahlEintraege);
        QCOMPARE(u.D().unerwartet, 0);
    }

    // A game with moves of the person since its last save is not lost without a yes.
    void fragtBevorEinSpielMitZuegenVerlorenGeht() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        u.NeuesSpiel(3, 61);
        QVERIFY(u.BisMenschAmZug());
        u.NeuesSpiel(3, 62); // the computers moved, the person did not: nothing to ask
        QVERIFY(u.BisMenschAmZug());
        QCOMPARE(Fragen(u), 0);

        Runde(u);
        const TSpielstand stand = g.S;
        QStringList knoepfe;
        Antworte(u, QMessageBox::No, &knoepfe);
        f.Aktion("Neu1")->trigger();
        QCOMPARE(Fragen(u), 1);
        QCOMPARE(u.D().gesehen.back().text, QString("Laufendes Spiel verwerfen?"));
        knoepfe.sort();
        QCOMPARE(knoepfe, (QStringList{"Ja", "Nein", "Speichern"}));
        // "Nein" keeps the game, whichever command asked: button, load, end, the window's close.
        const std::vector<std::function<void()>> befehle = {
            [&] { f.Knopf("SpeedButton3")->click(); }, [&] { f.Aktion("Spieldateiladen1")->trigger(); },
            [&] { f.Knopf("SpeedButton2")->click(); }, [&] { f.close(); }};
        for (const auto& befehl : befehle) {
            Antworte(u, QMessageBox::No);
            befehl();
        }
        u.Ticks(2);
        QCOMPARE(Fragen(u), 5);
        QVERIFY(f.isVisible());
        QVERIFY(Gleich(g.S, stand));
        QCOMPARE(u.D().unerwartet, 0); // no file dialog followed a "Nein"

        // "Speichern" saves, then the new game starts; "Ja" throws the game away.
        QTemporaryDir ordner;
        const QString datei = ordner.path() + "/vorher.vmk";
        Antworte(u, QMessageBox::Save);
        Dateiwahl wahl;
        wahl.Antworten(u, datei);
        f.Aktion("Neu1")->trigger();
        QVERIFY(QFile::exists(datei));
        QVERIFY(!Gleich(g.S, stand));
        QVERIFY(u.BisMenschAmZug());
        Runde(u);
        Antworte(u, QMessageBox::Yes);
        const TSpielstand vorJa = g.S;
        f.Aktion("Neu1")->trigger();
        QCOMPARE(Fragen(u), 7);
        QVERIFY(!Gleich(g.S, vorJa));
        QCOMPARE(u.D().unerwartet, 0);

        // The profile's key switches the question off.
        Umgebung aus(QString(), true, "[Control]\nFrageVerwerfen=0\n");
        aus.NeuesSpiel(3, 63);
        QVERIFY(aus.BisMenschAmZug());
        Runde(aus);
        aus.F().Aktion("Neu1")->trigger();
        QCOMPARE(Fragen(aus), 0);
        QVERIFY(!aus.F().Profil().W.FrageVerwerfen);
    }

    // The strategy parameters of the options menu go to the profile and come back from it.
    void strategieparameterImProfil() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        Spielsitzung& g = u.G();
        f.StaerkeAktion(4)->trigger();
        g.Einstellungen.Fuer(3).StartGeld[2] = 33;
        f.Aktion("Strategieparametersichern1")->trigger();
        const std::string ini = (u.Profilordner() + "/Veldmark.ini").toStdString();
        TIniDatei datei;
        QVERIFY(datei.LadenDatei(ini));
        QCOMPARE(datei.LiesInt("Strategie_3_Spieler", "SetUpGeld_Sp2", 0), 33);
        f.Aktion("Strategieparameterinitialisieren1")->trigger();
        QCOMPARE(g.Einstellungen.Fuer(3).StartGeld[2], 25);
        f.Aktion("Strategieparametereinlesen1")->trigger();
        QCOMPARE(g.Einstellungen.Fuer(3).StartGeld[2], 33);
        QVERIFY(!f.Aktion("StrategieparameterbeiStartupladen1")->isChecked());
        f.Aktion("StrategieparameterbeiStartupladen1")->trigger();
        QVERIFY(f.Aktion("StrategieparameterbeiStartupladen1")->isChecked());
        QVERIFY(datei.LadenDatei(ini));
        QVERIFY(datei.LiesBool("Global", "LadeStrategieParam", false));
        QCOMPARE(u.D().gesehen.size(), size_t{0});
    }
};

VELDMARK_UITEST(DateiTest);

#include "test_datei.moc"
