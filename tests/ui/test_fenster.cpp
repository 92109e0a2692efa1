// The window at start-up and its board: texts, layout on a 1280 x 800 screen, missing pictures,
// hidden hand cards, the compressed third table row, counters and tokens.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "fenstertest.h"
#include "rules/hand.h"
#include "ui/fensterdialoge.h"
#include "ui/infofenster.h"
#include "ui/tracefenster.h"

using namespace vm;
using namespace vm::uitest;

namespace {

// Card reference of card number 1..49.
tKartenRef Karte(int32_t inx) {
    if (inx <= 6) return {1, inx};
    if (inx <= 17) return {2, inx - 6};
    if (inx <= 24) return {3, inx - 17};
    return {4, inx - 24};
}

} // namespace

class FensterTest : public QObject {
    Q_OBJECT
private slots:
    void startzustand() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        QCOMPARE(u.D().gesehen.size(), size_t{0}); // every picture there
        QCOMPARE(f.Statusfeld(0)->text(), QString("Runde: -"));
        QCOMPARE(f.Statusfeld(1)->text(), QString("Phase: -"));
        QCOMPARE(f.Statusfeld(2)->text(), QString("History: 0 von 0"));
        QCOMPARE(f.Statusfeld(3)->text(), QString("Anzahl Spieler: "));
        QCOMPARE(f.Statusfeld(4)->text(), QString("  "));
        QCOMPARE(f.Statusfeld(5)->text(), QString("  "));
        QCOMPARE(f.Statusfeld(6)->text(), QString());
        QCOMPARE(f.Statusfeld(7)->text(), QString("Vers. 1.50 / 27.12.04"));
        QVERIFY(u.G().S.Spielende);
        QCOMPARE(f.Timer().interval(), 200);

        // The idle board: random pictures with the hint "??" on table positions 1..32.
        for (int s = 1; s <= 4; ++s) {
            QCOMPARE(f.TischBild(s, 32)->Hinweis(), QString("??"));
            QVERIFY(f.TischBild(s, 1)->Nummer() >= 1 && f.TischBild(s, 1)->Nummer() <= 50);
            QVERIFY(f.TischBild(s, 33)->isHidden());
        }
        QVERIFY(!f.NextKnopf()->isVisible() && !f.AbbruchKnopf()->isVisible() &&
                !f.Fortschritt()->isVisible());
        QCOMPARE(f.PasseKnopf()->toolTip(), QString("passen"));
        QCOMPARE(f.Knopf("SpeedButton6")->toolTip(), QString("rückgängig"));
        QVERIFY(!f.Knopf("SpeedButton6")->isEnabled());
        // A disabled tool button is plainly grey and faint beside an enabled one.
        for (const char* name : {"SpeedButton6", "SpeedButton3"}) {
            const QIcon symbol = f.Knopf(name)->icon();
            const QSize groesse = f.Knopf(name)->iconSize();
            const QImage an = symbol.pixmap(groesse).toImage(), aus = symbol.pixmap(groesse, QIcon::Disabled).toImage();
            int64_t deckungAn = 0, deckungAus = 0;
            for (int y = 0; y < an.height(); ++y)
                for (int x = 0; x < an.width(); ++x) {
                    const QRgb p = aus.pixel(x, y);
                    QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
                    deckungAn += qAlpha(an.pixel(x, y));
                    deckungAus += qAlpha(p);
                }
            QVERIFY2(deckungAus * 2 <= deckungAn, name);
        }
        QVERIFY(f.StaerkeAktion(41)->isChecked());
        QVERIFY(f.Aktion("SpielerAnzahl4")->isChecked());
        QCOMPARE(f.Aktion("Neu1")->shortcut(), QKeySequence("Ctrl+N"));
        QVERIFY(QFile::exists(u.Profilordner() + "/Veldmark.ini"));
        // The extended settings belong to the expert mode.
        QVERIFY(!f.Aktion("erwEinstellungen1")->isEnabled());
        f.StaerkeAktion(4)->trigger();
        QVERIFY(f.Aktion("erwEinstellungen1")->isEnabled());
        f.StaerkeAktion(2)->trigger();
        QVERIFY(!f.Aktion("erwEinstellungen1")->isEnabled());
        QVERIFY(f.StaerkeAktion(2)->isChecked() && !f.StaerkeAktion(41)->isChecked());

        const auto& start = f.TraceMemoStartup();
        QVERIFY(start.size() >= 7);
        QCOMPARE(QString::fromStdString(start[0]), "Programmverzeichnis: " + Programmordner());
        QCOMPARE(QString::fromStdString(start[1]), "KartenVerzeichnis: " + Programmordner() + "/Karten/");
        QCOMPARE(QString::fromStdString(start[2]), "ProfileVerzeichnis: " + u.Profilordner());
        QVERIFY(QString::fromStdString(start[3]).startsWith("Hilfedatei: "));
        QCOMPARE(QString::fromStdString(start[4]), QString("Screen.Width = 1280"));
        QCOMPARE(QString::fromStdString(start[5]), QString("Keine Skalierung notwendig"));
        QCOMPARE(QString::fromStdString(start.back()), QString("Containergröße: 814912"));
    }

    // Everything the board shows fits a 1280 x 800 screen at once, even with the largest table.
    void allesSichtbarAuf1280x800() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        u.NeuesSpiel(4, 7);
        QApplication::processEvents();
        const QSize groesse = f.frameGeometry().size();
        QVERIFY2(groesse.width() <= 1280 && groesse.height() + 32 <= 800,
                 qPrintable(QString("%1 x %2").arg(groesse.width()).arg(groesse.height())));
        const QRect fenster = f.rect();
        auto drin = [&](QWidget* w, const char* was) { QVERIFY2(fenster.contains(ImFenster(w)), was); };
        for (int r = 1; r <= 2; ++r)
            for (int p = 1; p <= 8; ++p) {
                QRect hoch = ImFenster(f.AuslageBild(r, p)).translated(15, 15);
                QVERIFY(ImFenster(f.AuslageFlaeche()).contains(hoch));
            }
        for (int s = 1; s <= 4; ++s) {
            drin(f.SitzBox(s), "Sitzbox");
            drin(f.LetzteKarteBild(s)->parentWidget(), "letzte Karte");
        }
        drin(f.PasseKnopf(), "Passe");
        drin(f.Fortschritt(), "Fortschritt");
        drin(f.AbbruchKnopf(), "Abbruch");
        for (int k = 1; k <= 4; ++k) drin(f.StapelLabel(k), "Stapel");
        for (int i = 0; i < 8; ++i) QVERIFY(f.statusBar()->rect().contains(f.Statusfeld(i)->geometry()));

        // 55 table cards: every position, raised by 15 pixels, stays on its page.
        TSpieler& sp = u.G().Sp(1);
        for (int c = 1; c <= 3; ++c) sp.Karten[c].Anzahl = 0;
        for (int i = 0; i < 55; ++i) {
            TKartenliste& l = sp.Karten[i % 3 + 1];
            l.Karten[++l.Anzahl] = Karte(i % 3 == 0 ? 1 : i % 3 == 1 ? 10 : 18);
        }
        f.TischAnzeigen(1);
        QWidget* seite = f.TischBild(1, 1)->parentWidget();
        QVERIFY(ImFenster(f.Seiten()).contains(ImFenster(seite)));
        for (int pos = 1; pos <= 55; ++pos) {
            ui::TKartenBild* b = f.TischBild(1, pos);
            QVERIFY(!b->isHidden());
            QVERIFY(seite->rect().contains(QRect(b->Ort() + QPoint(15, 15), b->size())));
        }
        for (int p = 1; p <= 4; ++p) {
            QWidget* h = f.HandBild(1, p);
            QVERIFY(h->parentWidget()->rect().contains(QRect(h->pos() + QPoint(15, 15), h->size())));
        }
    }

    // At every scale and on small screens the window fits the screen, every control it shows
    // lies inside it, and every card picture is painted, not left as a flat box.
    void jedeSkalierungUndJederBildschirm() {
        struct Fall {
            int scaleBy;
            QSize bildschirm;
            int erwartet; // 0: whatever fits
        };
        const Fall faelle[] = {{50, {1280, 800}, 50},    {80, {1280, 800}, 80},   {100, {1280, 800}, 100},
                               {150, {2560, 1440}, 150}, {88, {1024, 768}, 0},    {100, {1024, 768}, 0},
                               {200, {1024, 768}, 0},    {100, {1366, 768}, 0},   {150, {1920, 1080}, 0}};
        for (const Fall& fall : faelle) {
            const QString name = QString("%1 % auf %2 x %3")
                                     .arg(fall.scaleBy)
                                     .arg(fall.bildschirm.width())
                                     .arg(fall.bildschirm.height());
            Umgebung u(QString(), true, QString("[Control]\nScaleBy=%1\n").arg(fall.scaleBy), fall.bildschirm);
            ui::THauptfenster& f = u.F();
            const int prozent = f.Massstab().Prozent;
            if (fall.erwartet) QVERIFY2(prozent == fall.erwartet, qPrintable(name));
            QVERIFY2(prozent >= 50 && prozent <= fall.scaleBy, qPrintable(name));
            const QSize mitRahmen = f.frameGeometry().size() + ui::Fensterrahmen;
            QVERIFY2(mitRahmen.width() <= fall.bildschirm.width() && mitRahmen.height() <= fall.bildschirm.height(),
                     qPrintable(name));
            QVERIFY2(f.PasseKnopf()->height() >= f.Massstab().Px(40), qPrintable(name));

            // The start screen shows its pictures inside it, whatever the board's scale.
            QTRY_VERIFY(f.Fensterdialoge().Startbild() != nullptr);
            QWidget* startbild = f.Fensterdialoge().Startbild();
            for (auto* w : startbild->findChildren<ui::TKartenBild*>())
                QVERIFY2(startbild->rect().contains(ImFenster(w)), qPrintable(name + ": Startbild"));

            const QImage bild = f.grab().toImage();
            int karten = 0;
            for (QWidget* w : f.findChildren<QWidget*>()) {
                if (!w->isVisible() || w->window() != &f) continue;
                QVERIFY2(f.rect().contains(ImFenster(w)),
                         qPrintable(name + ": " + w->metaObject()->className() + " " + w->objectName()));
                auto* karte = qobject_cast<ui::TKartenBild*>(w);
                if (!karte) continue;
                ++karten;
                const QImage teil = bild.copy(ImFenster(karte));
                QSet<QRgb> farben;
                for (int y = 0; y < teil.height(); y += 2)
                    for (int x = 0; x < teil.width(); x += 2) farben.insert(teil.pixel(x, y));
                QVERIFY2(farben.size() >= 8, qPrintable(name + ": " + karte->objectName()));
            }
            // The idle board: at least the display and seat 1's first two table rows.
            QVERIFY2(karten >= 8 + 20, qPrintable(name));
            // In a game, with the tokens coloured, every label still writes at the board's scale.
            u.NeuesSpiel(4, 7);
            for (int runde = 0; runde < 2; ++runde) {
                for (int rolle = 1; rolle <= 4; ++rolle)
                    u.G().S.Startspieler[rolle] = u.G().S.Startspieler[rolle] % 4 + 1;
                f.StartspielerAnzeigen();
            }
            QApplication::processEvents();
            for (QLabel* l : f.findChildren<QLabel*>())
                if (l->window() == &f && l->isVisible())
                    QVERIFY2(qAbs(l->font().pointSizeF() - f.font().pointSizeF()) < 0.01,
                             qPrintable(name + ": " + l->text()));
        }
    }

    // A place saved on a larger or an unplugged screen is moved onto this one.
    void gespeicherterOrtAusserhalbKommtAufDenBildschirm() {
        Umgebung u(QString(), true, "[Global]\nFormLeft=3000\nFormTop=-400\n", QSize(1280, 800));
        const QRect fenster(u.F().pos(), u.F().size() + ui::Fensterrahmen);
        QVERIFY(QRect(0, 0, 1280, 800).contains(fenster));
        Umgebung innen(QString(), true, "[Global]\nFormLeft=20\nFormTop=30\n", QSize(1280, 800));
        QCOMPARE(innen.F().pos(), QPoint(20, 30));
    }

    void fehlendesBildMeldetSichUndDerStartGehtWeiter() {
        QTemporaryDir programm;
        QDir().mkpath(programm.path() + "/Karten");
        for (int n = 1; n <= 51; ++n)
            if (n != 5 && n != 51)
                QVERIFY(QFile::copy(Programmordner() + QString("/Karten/%1.jpg").arg(n),
                                    programm.path() + QString("/Karten/%1.jpg").arg(n)));
        Umgebung u(programm.path());
        const auto& g = u.D().gesehen;
        QCOMPARE(g.size(), size_t{2});
        QCOMPARE(g[0].titel, QString("System Fault "));
        QCOMPARE(g[0].text, "File or directory does not exist ! " + programm.path() + "/Karten/5.jpg");
        QCOMPARE(g[1].text, "File or directory does not exist ! " + programm.path() + "/Karten/51.jpg");
        // The game runs all the same.
        u.NeuesSpiel(2, 3);
        QVERIFY(!u.G().S.Spielende);
        QVERIFY(u.BisMenschAmZug());
    }

    // The profile's options reduce the pictures to grey tones or 256 colours.
    void grauUnd256FarbenAusDemProfil() {
        auto farben = [](QWidget* w) {
            const QImage bild = w->grab().toImage();
            QSet<QRgb> f;
            for (int y = 0; y < bild.height(); ++y)
                for (int x = 0; x < bild.width(); ++x) f.insert(bild.pixel(x, y));
            return f;
        };
        auto grau = [](const QSet<QRgb>& f) {
            for (QRgb c : f)
                if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) return false;
            return true;
        };
        Umgebung bunt;
        Umgebung grauUmgebung(QString(), true, "[Control]\nGrayscale=1\n");
        Umgebung wenige(QString(), true, "[Control]\nColor256=1\n");
        for (int pos = 1; pos <= 3; ++pos) {
            QVERIFY(!grau(farben(bunt.F().TischBild(1, pos))));
            QVERIFY(grau(farben(grauUmgebung.F().TischBild(1, pos))));
            QVERIFY(farben(wenige.F().TischBild(1, pos)).size() <= 256);
        }
        QVERIFY(farben(bunt.F().TischBild(1, 1)).size() > 256);
    }

    void verdeckteHandkartenUndGeld() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        f.Aktion("N21")->trigger();
        QVERIFY(f.Aktion("N21")->isChecked());
        u.NeuesSpiel(4, 11);
        QVERIFY(u.G().S.VerdeckteHandkarten);
        // Hidden from the first moment, not only once the money first changes.
        for (int s = 2; s <= 4; ++s) QCOMPARE(f.GeldLabel(s)->text(), QString("Geld:  ??"));
        QVERIFY(u.BisMenschAmZug());
        Spielsitzung& g = u.G();
        g.Sp(2).Hand().Karten[1] = Karte(12);
        g.Sp(2).Hand().Anzahl = 1;
        g.Sp(1).Hand().Karten[1] = Karte(13);
        g.Sp(1).Hand().Anzahl = 1;
        f.SpielfeldAnzeigen();
        QCOMPARE(f.HandBild(2, 1)->Nummer(), ui::BildRueckseite);
        QCOMPARE(f.HandBild(2, 1)->Hinweis(), QString("??"));
        QCOMPARE(f.HandBild(1, 1)->Nummer(), 13);
        QCOMPARE(f.GeldLabel(1)->text(), "Geld:  " + QString::number(g.Sp(1).Geld));
        for (int s = 2; s <= 4; ++s) QCOMPARE(f.GeldLabel(s)->text(), QString("Geld:  ??"));

        // The free hand slot offered for a display card has the hint "??" too.
        int r = 0, p = 0;
        for (int rr = 1; rr <= 2 && !r; ++rr)
            for (int pp = 1; pp <= 8 && !r; ++pp)
                if (!g.S.Auslage[rr].Karten[pp].Leer()) r = rr, p = pp;
        Klick(f.AuslageBild(r, p));
        QCOMPARE(f.HandBild(1, 2)->Nummer(), ui::BildRueckseite);
        QCOMPARE(f.HandBild(1, 2)->Hinweis(), QString("??"));
        QVERIFY(f.HandBild(1, 2)->Angehoben());
        Klick(f.AuslageBild(r, p));
        QVERIFY(f.HandBild(1, 2)->isHidden());

        g.S.Spielende = 1;
        f.SpielfeldAnzeigen();
        QCOMPARE(f.HandBild(2, 1)->Nummer(), 12);
        QCOMPARE(f.GeldLabel(3)->text(), "Geld:  " + QString::number(g.Sp(3).Geld));
    }

    void ohneVarianteHeisstDerHandplatzKarteAufDieHandNehmen() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        u.NeuesSpiel(2, 5);
        QVERIFY(u.BisMenschAmZug());
        Klick(f.AuslageBild(1, 1));
        QCOMPARE(f.HandBild(1, 1)->Hinweis(), QString("Karte auf die Hand nehmen"));
        QCOMPARE(f.TischBild(1, 1)->Hinweis(), QString("Karte kaufen"));
        QCOMPARE(f.TischBild(1, 1)->Nummer(), ui::BildRueckseite);
        QVERIFY(f.TischBild(1, 1)->Angehoben());
        QCOMPARE(f.TischBild(1, 1)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(f.TischBild(1, 1)->pos(), f.TischBild(1, 1)->Ort() + QPoint(15, 15));
        QCOMPARE(f.AuslageBild(1, 1)->Hinweis(),
                 QString::fromUtf8(KarteName(u.G().Katalog(), u.G().S.Auslage[1].Karten[1]).data()));
    }

    void dritteReiheMitVierzigKarten() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        u.NeuesSpiel(2, 5);
        TSpieler& sp = u.G().Sp(1);
        auto belegen = [&](int n) {
            for (int c = 1; c <= 3; ++c) sp.Karten[c].Anzahl = 0;
            for (int i = 0; i < n; ++i) {
                TKartenliste& l = sp.Karten[i < 15 ? 1 : i < 30 ? 2 : 3];
                l.Karten[++l.Anzahl] = Karte(i < 15 ? 2 : i < 30 ? 12 : 19);
            }
            f.TischAnzeigen(1);
        };
        belegen(40);
        const int schritt = f.Standardort(32).x() / 20 - 1;
        const QPoint rand(4, 4);
        for (int pos = 1; pos <= 20; ++pos) QCOMPARE(f.TischBild(1, pos)->Ort(), f.Standardort(pos) + rand);
        QWidget* seite = f.TischBild(1, 1)->parentWidget();
        const QObjectList& stapel = seite->children();
        for (int k = 1; k <= 20; ++k) {
            ui::TKartenBild* b = f.TischBild(1, 20 + k);
            QCOMPARE(b->Ort(), QPoint((k - 1) * schritt, f.Standardort(21).y()) + rand);
            QVERIFY(!b->isHidden());
            // Each overlaps the one before it.
            if (k > 1) QVERIFY(stapel.indexOf(b) > stapel.indexOf(f.TischBild(1, 19 + k)));
        }
        QVERIFY(f.TischBild(1, 41)->isHidden());
        QCOMPARE(f.TischBild(1, 40)->Nummer(), 19);

        // Back to 25 cards: the third row takes its standard places again.
        belegen(25);
        for (int pos = 21; pos <= 25; ++pos) QCOMPARE(f.TischBild(1, pos)->Ort(), f.Standardort(pos) + rand);
        QVERIFY(f.TischBild(1, 26)->isHidden());
    }

    void zaehlerMarkenUndStatus() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        u.NeuesSpiel(2, 9);
        Spielsitzung& g = u.G();
        QCOMPARE(f.Statusfeld(0)->text(), QString("Runde: 1"));
        QCOMPARE(f.Statusfeld(1)->text(), QString("Phase: Grün"));
        QCOMPARE(f.Statusfeld(3)->text(), QString("Anzahl Spieler:  2"));
        QCOMPARE(f.StapelLabel(1)->width(), 50);
        QCOMPARE(f.StapelLabel(2)->width(), 30);
        for (int k = 1; k <= 4; ++k) QCOMPARE(f.StapelLabel(k)->text(), QString::number(g.S.RestStapel(k)));
        QVERIFY(f.SitzBox(3)->isHidden() && f.SitzBox(4)->isHidden());
        QVERIFY(!f.Seiten()->isTabVisible(2) && !f.Seiten()->isTabVisible(3));
        // Strength K4 in a 2-player game: seat 1 holds roles 1 and 2, seat 2 roles 3 and 4.
        QCOMPARE(f.StartLabel(1)->text(), QString("Start:  H-B"));
        QCOMPARE(f.StartLabel(2)->text(), QString("Start:  A-E"));
        QVERIFY(f.StartLabel(1)->styleSheet().contains("#51DD22") &&
                f.StartLabel(1)->styleSheet().contains("#64B1FF"));
        QCOMPARE(f.StartLabel(3)->text(), QString("Start: "));
        QCOMPARE(f.AktionLabel(1)->text(), QString("----"));

        g.S.Phase = 2;
        f.PhaseAnzeigen();
        QCOMPARE(f.StapelLabel(1)->width(), 30);
        QCOMPARE(f.StapelLabel(2)->width(), 50);
        QCOMPARE(f.Statusfeld(1)->text(), QString("Phase: Blau"));
        g.Sp(2).LetzteAktion = AktionKaufSp;
        g.S.GekaufteSiegpunkte = 5;
        f.LetzteAktionAnzeigen(2);
        QCOMPARE(f.AktionLabel(2)->text(), QString("Kauf-Sp5"));
        g.Sp(2).LetzteKarte = Karte(7);
        f.LetzteAktionAnzeigen(2);
        QCOMPARE(f.LetzteKarteBild(2)->Nummer(), 7);
        QCOMPARE(f.LetzteKarteBild(2)->Hinweis(), QString("Schenke"));

        // The seat on turn stands out; nothing is drawn while a simulation runs.
        QVERIFY(f.SitzBox(g.S.AktuellerSpieler)->palette().color(QPalette::Window) !=
                f.SitzBox(3 - g.S.AktuellerSpieler)->palette().color(QPalette::Window));
        const QString vorher = f.GeldLabel(1)->text();
        g.SimulationLaeuft = true;
        g.Sp(1).Geld += 7;
        f.GeldAnzeigen(1);
        f.SpielfeldAnzeigen();
        QCOMPARE(f.GeldLabel(1)->text(), vorher);
        g.SimulationLaeuft = false;
        f.GeldAnzeigen(1);
        QCOMPARE(f.GeldLabel(1)->text(), "Geld:  " + QString::number(g.Sp(1).Geld));
    }
};

VELDMARK_UITEST(FensterTest);

#include "test_fenster.moc"
