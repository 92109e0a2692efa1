// The dialogs of settings, correction, end of game, info, scaling and help, driven through their
// own controls on the offscreen platform.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <algorithm>
#include <cstring>

#include "ai/einstellungen.h"
#include "fenstertest.h"
#include "persist/sprache.h"
#include "rules/korrektur.h"
#include "ui/einstellungsfenster.h"
#include "ui/hilfemenue.h"
#include "ui/infofenster.h"
#include "ui/korrekturfenster.h"
#include "ui/sprachanwendung.h"

using namespace vm;
using namespace vm::ui;

namespace {

// Index of the field of a kind on a page of the settings dialog.
int FeldIndex(int seite, FeldArt art, int index, int strategie = 0) {
    const auto& felder = EinstellungsSeiten()[static_cast<size_t>(seite)].Felder;
    for (size_t i = 0; i < felder.size(); ++i)
        if (felder[i].Art == art && felder[i].Index == index && felder[i].Strategie == strategie)
            return static_cast<int>(i);
    return -1;
}

int SeitenIndex(const char* titel) {
    const auto& seiten = EinstellungsSeiten();
    for (size_t i = 0; i < seiten.size(); ++i)
        if (seiten[i].Titel == titel) return static_cast<int>(i);
    return -1;
}

bool Gleich(const TStrategieeinstellungen& a, const TStrategieeinstellungen& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class EinstellungenTest : public QObject {
    Q_OBJECT

    TSprache deutsch;

    static void Rollen(TEinstellungsFenster& f, std::array<int, 4> r) {
        for (int sp = 1; sp <= 4; ++sp)
            f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::Rolle, sp))->setValue(r[sp - 1]);
    }
    static std::array<int, 4> RollenFelder(TEinstellungsFenster& f) {
        std::array<int, 4> r{};
        for (int sp = 1; sp <= 4; ++sp)
            r[sp - 1] = f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::Rolle, sp))->value();
        return r;
    }

private slots:
    void StartrollenJeSpielerzahl() {
        TStrategieeinstellungen e{};
        InitStrategieparameter(e);
        TEinstellungsFenster f(e, deutsch, nullptr);
        struct Fall {
            int anzahl;
            std::array<int, 4> vorher, nachher;
        } faelle[] = {
            {4, {2, 2, 3, 0}, {0, 0, 3, 0}}, {3, {2, 0, 0, 2}, {2, 0, 0, 2}}, {3, {2, 2, 0, 2}, {0, 0, 0, 0}},
            {3, {1, 2, 3, 4}, {1, 2, 3, 0}}, {2, {1, 3, 1, 2}, {0, 3, 0, 2}},
        };
        for (const Fall& fall : faelle) {
            f.Vorbereiten(fall.anzahl);
            Rollen(f, fall.vorher);
            QTest::mouseClick(f.OkKnopf(), Qt::LeftButton);
            QCOMPARE(f.result(), int(QDialog::Accepted));
            const TStrategieEinstellung& r = e.Fuer(fall.anzahl);
            QCOMPARE((std::array<int, 4>{r.StartRolle[1], r.StartRolle[2], r.StartRolle[3], r.StartRolle[4]}),
                     fall.nachher);
            // The role controls follow the repaired record.
            QCOMPARE(RollenFelder(f), fall.nachher);
        }
    }

    void AbbruchNachMehrerenSeiten() {
        TStrategieeinstellungen e{};
        InitStrategieparameter(e);
        const TStrategieeinstellungen vorher = e;
        TEinstellungsFenster f(e, deutsch, nullptr);
        f.Vorbereiten(4);
        f.Simulation()->setChecked(true);
        f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::Geld, 3))->setValue(777);
        f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::AnzahlSim, 0))->stepUp();
        const int s6 = SeitenIndex("Param(6)"), s13 = SeitenIndex("Param(13)"),
                  s23 = SeitenIndex("Param(2,3)");
        f.Seiten()->setCurrentIndex(s6);
        f.Feld(s6, 18)->setValue(12);
        f.Seiten()->setCurrentIndex(s13);
        f.Feld(s13, 7)->setValue(1);
        f.Feld(s23, 5)->setValue(9);
        QTest::mouseClick(f.AbbruchKnopf(), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QVERIFY(Gleich(e, vorher));

        // Escape is the same as "Abbruch"; the next showing starts on the first page again.
        f.Vorbereiten(2);
        QCOMPARE(f.Seiten()->currentIndex(), 0);
        f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::Strategie, 2))->setValue(3);
        f.reject();
        QVERIFY(Gleich(e, vorher));
        QVERIFY(!(f.windowFlags() & Qt::WindowCloseButtonHint));
    }

    void VersteckteFelderDerStrategien8Und9() {
        TStrategieeinstellungen e{};
        InitStrategieparameter(e);
        TEinstellungsFenster f(e, deutsch, nullptr);
        f.Vorbereiten(2);
        f.show();
        const int s8 = SeitenIndex("Param(8)"), s9 = SeitenIndex("Param(9)"), s10 = SeitenIndex("Param(10)");
        QVERIFY(e.Fuer(2).Param(8, 18) != 0 && e.Fuer(2).Param(9, 18) != 0);
        QVERIFY(f.Feld(s8, 18)->isHidden());
        QVERIFY(f.Feld(s9, 18)->isHidden());
        QVERIFY(!f.Feld(s10, 18)->isHidden());
        QCOMPARE(f.Feld(s8, 18)->value(), 0);
        const TStrategieeinstellungen vorher = e;
        QTest::mouseClick(f.OkKnopf(), Qt::LeftButton);
        QCOMPARE(e.Fuer(2).Param(8, 18), 0);
        QCOMPARE(e.Fuer(2).Param(9, 18), 0);
        TStrategieeinstellungen erwartet = vorher;
        erwartet.Fuer(2).Param(8, 18) = 0;
        erwartet.Fuer(2).Param(9, 18) = 0;
        QVERIFY(Gleich(e, erwartet));
    }

    void TitelSeitenUndBereiche() {
        TStrategieeinstellungen e{};
        InitStrategieparameter(e);
        TEinstellungsFenster f(e, deutsch, nullptr);
        f.Vorbereiten(3);
        QCOMPARE(f.windowTitle(), QString("Einstellungen ( 3 Spieler )"));
        QCOMPARE(f.Seiten()->count(), 15);
        QCOMPARE(f.Seiten()->tabText(0), QString("Strategie"));
        QCOMPARE(f.Seiten()->tabText(1), QString("Beschreibung"));
        QCOMPARE(f.Seiten()->tabText(14), QString("Param(15)"));
        const QStringList zeilen = f.Beschreibung()->toPlainText().split('\n');
        QCOMPARE(zeilen.size(), 15);
        QCOMPARE(zeilen[2], QString("3) Der Simpel"));
        QCOMPARE(zeilen[11], QString("12) [2] Baron Münchhausen (V4)"));
        QVERIFY(f.Beschreibung()->isReadOnly());

        QSpinBox* strategie = f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::Strategie, 1));
        QCOMPARE(strategie->maximum(), 15);
        QCOMPARE(strategie->minimum(), 1);
        QSpinBox* anzahl = f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::AnzahlSim, 0));
        QCOMPARE(anzahl->maximum(), 100000);
        QCOMPARE(anzahl->singleStep(), 50);
        QCOMPARE(anzahl->value(), 500);
        anzahl->stepUp();
        QCOMPARE(anzahl->value(), 550);
        QCOMPARE(f.Feld(SeitenIndex("Param(4)"), 0)->maximum(), 200);
        QCOMPARE(f.Feld(SeitenIndex("Param(7)"), 0)->maximum(), 100);
        QCOMPARE(f.Feld(SeitenIndex("Param(2,3)"), 2)->minimum(), 1);
        QCOMPARE(f.Feld(SeitenIndex("Param(2,3)"), 0)->maximum(), 30);
        // The four strategy fields show the record: 3 players play 4, 10, 10 and seat 4 passes.
        QCOMPARE(strategie->value(), 4);
        QCOMPARE(f.Feld(SeiteStrategie, FeldIndex(SeiteStrategie, FeldArt::Strategie, 4))->value(), 1);
        QCOMPARE(f.Feld(SeitenIndex("Param(2,3)"), 3)->value(), e.Fuer(3).Parameter123[3]);
    }

    void SimulationNachDemDialog() {
        TKatalog kat;
        Spielsitzung g{kat};
        InitStrategieparameter(g.Einstellungen);
        g.Menue.SpielerAnzahl = 4;
        TEinstellungsFenster f(g.Einstellungen, deutsch, nullptr);
        f.Vorbereiten(g.Menue.SpielerAnzahl);
        QTest::mouseClick(f.Simulation(), Qt::LeftButton);
        QVERIFY(f.Simulation()->isChecked());
        QTest::mouseClick(f.OkKnopf(), Qt::LeftButton);
        const TSimulationsWahl w = NachEinstellungen(g);
        QVERIFY(w.Sim);
        QCOMPARE(w.AnzahlSim, 500);
        QCOMPARE(int(g.S.Computer[1]), 1);
    }
};

class KorrekturTest : public QObject {
    Q_OBJECT

    TKatalog kat;
    TKartenbilder bilder;
    TSprache deutsch;

private slots:
    void initTestCase() { bilder.Laden(VELDMARK_PROGRAMMORDNER "/Karten/", false, false); }

    void NummerBildUndHinweis() {
        TKorrekturDialogZustand z;
        TKorrekturFenster f(z, kat, bilder, deutsch, nullptr);
        f.Vorbereiten(0);
        QCOMPARE(f.Nummer()->value(), 1);
        QCOMPARE(f.Bild()->Nummer(), 1);
        QCOMPARE(f.Bild()->Hinweis(), QString("Holzfäller (K:3,G:3)"));
        QCOMPARE(f.windowTitle(), QString("Neue Karte auswählen:"));
        QVERIFY(f.Wahl(KorrekturAktion::Austauschen)->isChecked());

        f.Vorbereiten(11);
        QCOMPARE(f.Bild()->Hinweis(), QString("Sternwarte: verdeckte Karte ziehen (K:6,G:0,S:1)"));
        // The field cannot be typed into, and its arrows stop at 1 and 49.
        QVERIFY(f.Nummer()->findChild<QLineEdit*>()->isReadOnly());
        f.Nummer()->setValue(48);
        f.Nummer()->stepUp();
        f.Nummer()->stepUp();
        QCOMPARE(f.Nummer()->value(), 49);
        QCOMPARE(f.Bild()->Nummer(), 49);
        QCOMPARE(f.Bild()->Hinweis(), QString("Zarin (K:24E,G:0,S:6)"));
    }

    void OkUndAbbruch() {
        TKorrekturDialogZustand z;
        TKorrekturFenster f(z, kat, bilder, deutsch, nullptr);
        f.Vorbereiten(11);
        f.Nummer()->setValue(31);
        QTest::mouseClick(f.Wahl(KorrekturAktion::Einfuegen), Qt::LeftButton);
        QTest::mouseClick(f.OkKnopf(), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(z.Inx(), 31);
        QCOMPARE(z.Aktion(), KorrekturAktion::Einfuegen);
        QCOMPARE(z.InxBeimOeffnen(), 0);

        f.Vorbereiten(11);
        QVERIFY(f.Wahl(KorrekturAktion::Austauschen)->isChecked());
        f.Nummer()->setValue(40);
        QTest::mouseClick(f.AbbruchKnopf(), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QCOMPARE(z.Inx(), 11);
    }

    void SternwarteEntfernenUeberDenDialog() {
        Spielsitzung g{kat};
        g.S.SpielerAnzahl = 4;
        KorrekturModusSetzen(g, true);
        for (int inx : {11, 10, 11}) {
            QVERIFY(FuegeTischkarteEin(g, 3, InxToKarteRef(kat, inx)));
            FaehigkeitenHinzufuegen(g, 3, g.Daten(InxToKarteRef(kat, inx)));
        }
        TKorrekturDialogZustand z;
        TKorrekturFenster f(z, kat, bilder, deutsch, nullptr);
        const int32_t position = 2; // Markt 10, Sternwarte 11, Sternwarte 11
        f.Vorbereiten(TischkarteInx(g, 3, position));
        QCOMPARE(f.Nummer()->value(), 11);
        QTest::mouseClick(f.Wahl(KorrekturAktion::Entfernen), Qt::LeftButton);
        QTest::mouseClick(f.OkKnopf(), Qt::LeftButton);
        QCOMPARE(KorrigiereTischkarte(g, 3, position, z.Aktion(), z.Inx()), KorrekturErgebnis::Ausgefuehrt);
        QCOMPARE(g.Sp(3).AnzahlSternwarten, 1);
        QVERIFY(g.Sp(3).Sondereigenschaften & Sternwarte);
        QCOMPARE(g.Sp(3).Karten[2].Anzahl, 2);
    }
};

class InfoTest : public QObject {
    Q_OBJECT

    TKatalog kat;
    TKartenbilder bilder;
    TSprache deutsch;

private slots:
    void initTestCase() { bilder.Laden(VELDMARK_PROGRAMMORDNER "/Karten/", false, false); }

    void SpielendeVerloren() {
        Spielsitzung g{kat};
        InitStrategieparameter(g.Einstellungen);
        g.S.SpielerAnzahl = 3;
        g.Sp(1).Siegpunkte = 40;
        g.Sp(2).Siegpunkte = 41;
        TProfilWerte w;
        w.G_AnzSpiele = 9;
        w.G_AnzGewonnen = 3;
        TSpielendeFenster f(bilder, deutsch, nullptr);
        f.Skalieren(100);
        f.Fuellen(SpielendeAuswerten(g, w, false, deutsch));
        QCOMPARE(f.Kopf()->text(), QString("Schade !"));
        QCOMPARE(f.Ergebnis()->text(), QString("Du hast leider nicht gewonnen !"));
        QCOMPARE(f.AnzahlSpiele()->text(), QString("10"));
        QCOMPARE(f.Prozent()->text(), QString("30"));
        QCOMPARE(f.HighscoreText()->text(), QString("Dein Highscore(3 Personen):"));
        QCOMPARE(f.Highscore()->text(), QString("40"));
        QCOMPARE(f.Gegner(2)->text(), QString("Baron Münchhausen (V3)"));
        QCOMPARE(f.Gegner(4)->text(), QString());
        QCOMPARE(f.size(), QSize(532, 319));
        QVERIFY(f.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(f.windowFlags() & Qt::WindowCloseButtonHint));
        QTest::mouseClick(f.OkKnopf(), Qt::LeftButton);
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void SpielendeSkaliert() {
        TSpielendeFenster f(bilder, deutsch, nullptr);
        const int schrift = f.Kopf()->font().pixelSize();
        f.Skalieren(150);
        QCOMPARE(f.size(), QSize(856, 581));
        QCOMPARE(f.Kopf()->font().pixelSize(), schrift * 3 / 2);
        TSpielendeFenster g(bilder, deutsch, nullptr);
        g.Skalieren(120);
        QCOMPARE(g.size(), QSize(532, 319));
    }

    void DekorationWechseltReihum() {
        TSpielendeFenster f(bilder, deutsch, nullptr);
        TDekoration& d = f.Dekoration();
        for (int i = 0; i < 5; ++i) d.Weiter(20 + i);
        QCOMPARE(d.Bild(0)->Nummer(), 24);
        QCOMPARE(d.Bild(1)->Nummer(), 21);
        QCOMPARE(d.Bild(3)->Nummer(), 23);
    }

    void StartbildSchliesstSichNachDreiSekunden() {
        TInfoFenster f(bilder, deutsch, nullptr);
        QCOMPARE(f.size(), QSize(535, 245));
        QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(f.Titel()->text(), QString("Veldmark"));
        QCOMPARE(f.Version()->text(), QString("Vers. 1.50 / 27.12.04"));
        QVERIFY(f.Timer().isActive());
        QCOMPARE(f.Timer().interval(), 3000);
        QVERIFY(f.Statistik()->isHidden());
        QVERIFY(f.OkKnopf()->isHidden());
        f.show();
        QVERIFY(QTest::qWaitFor([&] { return !f.isVisible(); }, 5000));
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void UeberMitStatistik() {
        TProfilWerte w;
        TInfoFenster f(bilder, deutsch, nullptr);
        f.MitStatistik(InfoStatistik(w, deutsch));
        QVERIFY(!f.Timer().isActive());
        QVERIFY(!f.Statistik()->isHidden());
        QVERIFY(!f.OkKnopf()->isHidden());
        QCOMPARE(f.Statistik()->text(), QString("Du hast 0 % von 0 Spielen gewonnen !"));
    }

    void Skalierungsdialog() {
        TSkalierungFenster f(deutsch, nullptr);
        f.Vorbereiten(100);
        QCOMPARE(f.size(), QSize(260, 172));
        QCOMPARE(f.Zahl()->minimum(), 50);
        QCOMPARE(f.Zahl()->maximum(), 200);
        QCOMPARE(f.Zahl()->value(), 100);
        f.Zahl()->setValue(150);
        QCOMPARE(f.Wert(), 150);
        f.Vorbereiten(5000);
        QCOMPARE(f.Wert(), 200);
    }
};

class HilfeTest : public QObject {
    Q_OBJECT

private slots:
    void NurWebadressenMitHttpOderHttps() {
        QVERIFY(WebAdresseErlaubt("https://www.example.org/regeln.html"));
        QVERIFY(WebAdresseErlaubt("http://example.org"));
        QVERIFY(WebAdresseErlaubt("  HTTPS://example.org/a?b=c  "));
        QVERIFY(!WebAdresseErlaubt(""));
        QVERIFY(!WebAdresseErlaubt("file:///etc/passwd"));
        QVERIFY(!WebAdresseErlaubt("/usr/bin/xterm"));
        QVERIFY(!WebAdresseErlaubt("javascript:alert(1)"));
        QVERIFY(!WebAdresseErlaubt("ftp://example.org/x"));
        QVERIFY(!WebAdresseErlaubt("https://"));
        QVERIFY(!WebAdresseErlaubt("mailto:a@example.org"));
        QVERIFY(!WebAdresseErlaubt("www.example.org"));
    }

    void MenueOeffnetDokumenteUndAdressen() {
        QMenu menue;
        TProfilWerte w;
        w.wwwRGL = "https://example.org/regeln";
        w.wwwPUB = "file:///bin/sh";
        w.wwwFAN = "http://club.example.org/";
        TSprache deutsch;
        int ueber = 0;
        QList<QUrl> geoeffnet;
        THilfeMenue h(
            &menue, "/opt/veldmark", w, deutsch, [&] { ++ueber; },
            [&](const QUrl& u) {
                geoeffnet << u;
                return true;
            });
        QCOMPARE(h.Aktion("Inhalt1")->text(), QString("&Inhalt (Regeln, Bedienung , etc.)"));
        QCOMPARE(h.Aktion("Kartenbersicht1")->text(), QString("Kurzinfo: &Kartenübersicht"));
        QCOMPARE(h.Aktion("ber1")->text(), QString("&Über ..."));
        // An address that cannot be opened hides its item; none at all hides the separator too.
        QVERIFY(h.Aktion("RegelnImNetz1")->isVisible() && !h.Aktion("N1")->isVisible() &&
                h.Aktion("HomepageFanclub1")->isVisible());
        for (const char* name : {"Inhalt1", "KurzinfoReadme1", "Kartenbersicht1", "ber1", "RegelnImNetz1",
                                 "N1", "HomepageFanclub1"})
            h.Aktion(name)->trigger();
        QCOMPARE(ueber, 1);
        QCOMPARE(geoeffnet,
                 (QList<QUrl>{QUrl::fromLocalFile("/opt/veldmark/Hilfe/Veldmark.html"),
                              QUrl::fromLocalFile("/opt/veldmark/Hilfe/Readme.txt"),
                              QUrl::fromLocalFile("/opt/veldmark/Hilfe/Karten.pdf"),
                              QUrl("https://example.org/regeln"), QUrl("http://club.example.org/")}));
        // The address is read at the click: a profile changed meanwhile counts.
        w.wwwPUB = "https://verlag.example.org";
        emit menue.aboutToShow();
        h.Aktion("N1")->trigger();
        QCOMPARE(geoeffnet.back(), QUrl("https://verlag.example.org"));
        w = TProfilWerte{};
        QVERIFY(h.Aktion("RegelnImNetz1")->isVisible());
        emit menue.aboutToShow();
        const QList<QAction*> eintraege = menue.actions();
        QVERIFY(std::none_of(eintraege.begin(), eintraege.end(), [&](QAction* a) {
            return a->isVisible() && (a->isSeparator() || a == h.Aktion("RegelnImNetz1") ||
                                      a == h.Aktion("N1") || a == h.Aktion("HomepageFanclub1"));
        }));
        QCOMPARE(Hilfedatei("/opt/veldmark"), QString("/opt/veldmark/Hilfe/Veldmark.html"));
    }
};

class SpracheTest : public QObject {
    Q_OBJECT

    TSprache englisch;
    TKartenbilder bilder;

private slots:
    void initTestCase() {
        QVERIFY(englisch.Laden(VELDMARK_QUELLE "/share/Lang.ini"));
        bilder.Laden(VELDMARK_PROGRAMMORDNER "/Karten/", false, false);
    }

    void MenuesKnoepfeUndHinweise() {
        QMainWindow fenster;
        QMenu* datei = fenster.menuBar()->addMenu("&Datei");
        QAction* neu = datei->addAction("&Neues Spiel");
        QMenu* erweitert = datei->addMenu("erweiterte &Einstellungen");
        QAction* korrektur = erweitert->addAction("&KorrekturModus");
        auto* mitte = new QWidget(&fenster);
        fenster.setCentralWidget(mitte);
        auto* geld = new QLabel("Geld:  25", mitte);
        auto* passe = new QPushButton("Passe", mitte);
        passe->setToolTip("passen");
        auto* fremd = new QLabel("Xyz", mitte);
        TSprachanwendung s(englisch);
        s.Anwenden(&fenster);
        QCOMPARE(datei->title(), QString("&File"));
        QCOMPARE(neu->text(), QString("&New game"));
        QCOMPARE(erweitert->title(), QString("Advanced &settings"));
        QCOMPARE(korrektur->text(), QString("&Correction mode"));
        QCOMPARE(passe->text(), QString("Pass"));
        QCOMPARE(passe->toolTip(), QString("pass"));
        QCOMPARE(geld->text(), QString("Geld:  25"));
        QCOMPARE(fremd->text(), QString("Xyz"));
        // Once more: nothing is looked up in its translated form.
        s.Anwenden(&fenster);
        QCOMPARE(neu->text(), QString("&New game"));
        QCOMPARE(passe->text(), QString("Pass"));
    }

    void UebersetztNieEineUebersetzung() {
        TSprache kette;
        kette.LadenText("[Other]\nA=B\nB=C\n");
        TSprachanwendung s(kette);
        QWidget w;
        auto* l = new QLabel("A", &w);
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("B"));
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("B"));
        // A text the program sets anew is a new original.
        l->setText("X");
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("X"));
        l->setText("A");
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("B"));
    }

    void JederDialogBeimZeigen() {
        TSprachanwendung s(englisch);
        qApp->installEventFilter(&s);
        QMessageBox box(QMessageBox::Information, "Achtung !", "Programm wird beendet !");
        box.show();
        QCOMPARE(box.windowTitle(), QString("Attention !"));
        QCOMPARE(box.text(), QString("The program will close now !"));
        box.hide();
        qApp->removeEventFilter(&s);
        QMessageBox nachher(QMessageBox::Information, "Achtung !", "Programm wird beendet !");
        nachher.show();
        QCOMPARE(nachher.windowTitle(), QString("Achtung !"));
    }

    void EigeneDialogeAufEnglisch() {
        TStrategieeinstellungen e{};
        InitStrategieparameter(e);
        TEinstellungsFenster f(e, englisch, nullptr);
        f.Vorbereiten(3);
        QCOMPARE(f.windowTitle(), QString("Settings ( 3 Players )"));
        QCOMPARE(f.Seiten()->tabText(0), QString("Strategy"));
        QCOMPARE(f.Simulation()->text(), QString("The computer plays player 1 !"));
        QCOMPARE(f.OkKnopf()->text(), QString("OK"));
        QCOMPARE(f.AbbruchKnopf()->text(), QString("Cancel"));
        QCOMPARE(f.Beschreibung()->toPlainText().split('\n')[2], QString("3) The Simpleton"));

        TKatalog kat;
        englisch.KartenUebersetzen(kat);
        TKorrekturDialogZustand z;
        TKorrekturFenster k(z, kat, bilder, englisch, nullptr);
        k.Vorbereiten(11);
        QCOMPARE(k.windowTitle(), QString("Choose a new card:"));
        QCOMPARE(k.Wahl(KorrekturAktion::Einfuegen)->text(), QString("Insert a card"));
        QCOMPARE(k.Bild()->Hinweis(), QString("Observatory: draw a hidden card (C:6,M:0,V:1)"));

        TProfilWerte w;
        w.G_AnzSpiele = 4;
        w.G_AnzGewonnen = 1;
        TInfoFenster info(bilder, englisch, nullptr);
        info.MitStatistik(InfoStatistik(w, englisch));
        QCOMPARE(info.Statistik()->text(), QString("You have won 25 % of 4 games !"));
        TSkalierungFenster sk(englisch, nullptr);
        sk.Vorbereiten(100);
        QCOMPARE(sk.AbbruchKnopf()->text(), QString("Cancel"));

        QMenu menue;
        THilfeMenue h(&menue, "/x", w, englisch, [] {});
        QCOMPARE(h.Aktion("Kartenbersicht1")->text(), QString("Quick info: &Card overview"));
    }
};

VELDMARK_UITEST(EinstellungenTest);
VELDMARK_UITEST(KorrekturTest);
VELDMARK_UITEST(InfoTest);
VELDMARK_UITEST(HilfeTest);
VELDMARK_UITEST(SpracheTest);

#include "test_dialoge.moc"
