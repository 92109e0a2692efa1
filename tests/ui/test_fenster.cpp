// The board's layout at every scale and on small screens, a missing card picture, and the
// opponents' hidden hand cards.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSet>
#include <QTemporaryDir>

#include "fenstertest.h"
#include "ui/fensterdialoge.h"
#include "ui/infofenster.h"

using namespace vm;
using namespace vm::uitest;

namespace {

// Seat 1's table filled with `n` cards of each colour in turn.
void Tisch(Umgebung& u, int n) {
    TSpieler& sp = u.G().Sp(1);
    for (int c = 1; c <= 3; ++c) sp.Karten[c].Anzahl = 0;
    for (int i = 0; i < n; ++i) {
        TKartenliste& l = sp.Karten[i % 3 + 1];
        l.Karten[++l.Anzahl] = tKartenRef{i % 3 + 1, 1};
    }
    u.F().TischAnzeigen(1);
}

} // namespace

class FensterTest : public QObject {
    Q_OBJECT
private slots:
    // At every scale and on small screens the window fits the screen, every control it shows
    // lies inside it, every card picture is painted, and even the largest table keeps each
    // raised card on its page.
    void jedeSkalierungUndJederBildschirm() {
        struct Fall {
            int scaleBy;
            QSize bildschirm;
            int erwartet; // 0: whatever fits
        };
        const Fall faelle[] = {{50, {1280, 800}, 50},    {80, {1280, 800}, 80}, {100, {1280, 800}, 100},
                               {150, {2560, 1440}, 150}, {88, {1024, 768}, 0},  {100, {1024, 768}, 0},
                               {200, {1024, 768}, 0},    {100, {1366, 768}, 0}, {150, {1920, 1080}, 0}};
        for (const Fall& fall : faelle) {
            const QString name = QString("%1 % auf %2 x %3")
                                     .arg(fall.scaleBy)
                                     .arg(fall.bildschirm.width())
                                     .arg(fall.bildschirm.height());
            Umgebung u(QString(), true, QString("[Control]\nScaleBy=%1\n").arg(fall.scaleBy),
                       fall.bildschirm);
            ui::THauptfenster& f = u.F();
            const int prozent = f.Massstab().Prozent;
            if (fall.erwartet) QVERIFY2(prozent == fall.erwartet, qPrintable(name));
            QVERIFY2(prozent >= 50 && prozent <= fall.scaleBy, qPrintable(name));
            const QSize mitRahmen = f.frameGeometry().size() + ui::Fensterrahmen;
            QVERIFY2(mitRahmen.width() <= fall.bildschirm.width() &&
                         mitRahmen.height() <= fall.bildschirm.height(),
                     qPrintable(name));

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

            // In a game every label writes at the board's scale; 55 table cards, each raised by
            // its 15 pixels, stay on their page, and so do the hand cards and the display.
            u.NeuesSpiel(4, 7);
            QApplication::processEvents();
            for (QLabel* l : f.findChildren<QLabel*>())
                if (l->window() == &f && l->isVisible())
                    QVERIFY2(qAbs(l->font().pointSizeF() - f.font().pointSizeF()) < 0.01,
                             qPrintable(name + ": " + l->text()));
            // Raised as when it is a target, a picture still lies inside its area.
            auto hochDrin = [&](ui::TKartenBild* b, QWidget* flaeche, const QString& was) {
                b->Anheben(true);
                const bool drin = ImFenster(flaeche).contains(ImFenster(b));
                b->Anheben(false);
                QVERIFY2(drin, qPrintable(name + ": " + was));
            };
            for (int r = 1; r <= 2; ++r)
                for (int p = 1; p <= 8; ++p) hochDrin(f.AuslageBild(r, p), f.AuslageFlaeche(), "Auslage");
            Tisch(u, 55);
            for (int pos = 1; pos <= 55; ++pos) QVERIFY(!f.TischBild(1, pos)->isHidden());
            for (int pos = 1; pos <= 55; ++pos)
                hochDrin(f.TischBild(1, pos), f.TischBild(1, 1)->parentWidget(),
                         QString("Tisch %1").arg(pos));
            QVERIFY(f.TischBild(1, 56)->isHidden());
            u.G().Sp(1).Hand().Anzahl = 4;
            for (int p = 1; p <= 4; ++p) u.G().Sp(1).Hand().Karten[p] = {1, p};
            f.SpielfeldAnzeigen();
            for (int p = 1; p <= 4; ++p) hochDrin(f.HandBild(1, p), f.HandFlaeche(), "Hand");
        }
        // A place saved on a larger or an unplugged screen is moved onto this one.
        Umgebung weg(QString(), true, "[Global]\nFormLeft=3000\nFormTop=-400\n", QSize(1280, 800));
        QVERIFY(QRect(0, 0, 1280, 800).contains(QRect(weg.F().pos(), weg.F().size() + ui::Fensterrahmen)));
        Umgebung innen(QString(), true, "[Global]\nFormLeft=20\nFormTop=30\n", QSize(1280, 800));
        QCOMPARE(innen.F().pos(), QPoint(20, 30));
    }

    // Each missing picture is named, and the game runs all the same.
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
        QCOMPARE(g[0].text, "File or directory does not exist ! " + programm.path() + "/Karten/5.jpg");
        QCOMPARE(g[1].text, "File or directory does not exist ! " + programm.path() + "/Karten/51.jpg");
        u.NeuesSpiel(2, 3);
        QVERIFY(!u.G().S.Spielende);
        QVERIFY(u.BisMenschAmZug());
    }

    // With the variant the opponents' hand cards and money stay hidden from the first moment
    // until the end of the game; the person's own stay open.
    void verdeckteHandkartenUndGeld() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        f.Aktion("VerdeckteHandkarten")->trigger();
        u.NeuesSpiel(4, 11);
        QVERIFY(u.G().S.VerdeckteHandkarten);
        for (int s = 2; s <= 4; ++s) QCOMPARE(f.GeldLabel(s)->text(), QString("Geld:  ??"));
        QVERIFY(u.BisMenschAmZug());
        TSpielsitzung& g = u.G();
        g.Sp(2).Hand().Karten[1] = {2, 6};
        g.Sp(2).Hand().Anzahl = 1;
        g.Sp(1).Hand().Karten[1] = {2, 7};
        g.Sp(1).Hand().Anzahl = 1;
        f.SpielfeldAnzeigen();
        QCOMPARE(f.HandBild(2, 1)->Nummer(), ui::BildRueckseite);
        QCOMPARE(f.HandBild(2, 1)->Hinweis(), QString("??"));
        QCOMPARE(f.HandBild(1, 1)->Nummer(), 13);
        QCOMPARE(f.GeldLabel(1)->text(), "Geld:  " + QString::number(g.Sp(1).Geld));
        for (int s = 2; s <= 4; ++s) QCOMPARE(f.GeldLabel(s)->text(), QString("Geld:  ??"));
        // A card an opponent took unseen from the observatory stays hidden in its last-card box.
        g.Sp(3).LetzteKarte = {2, 6};
        g.Sp(3).LetzteAktion = AktionSHand;
        f.LetzteAktionAnzeigen(3);
        QCOMPARE(f.LetzteKarteBild(3)->Nummer(), ui::BildRueckseite);

        g.S.Spielende = 1;
        f.SpielfeldAnzeigen();
        QCOMPARE(f.HandBild(2, 1)->Nummer(), 12);
        QCOMPARE(f.GeldLabel(3)->text(), "Geld:  " + QString::number(g.Sp(3).Geld));
    }
};

VELDMARK_UITEST(FensterTest);

#include "test_fenster.moc"
