// The help menu's documents and web addresses, and the language file applied to any widget.
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>
#include <algorithm>

#include "fenstertest.h"
#include "persist/sprache.h"
#include "ui/hilfemenue.h"
#include "ui/sprachanwendung.h"

using namespace vm;
using namespace vm::ui;

class HilfeTest : public QObject {
    Q_OBJECT

private slots:
    // Only web addresses are opened from the profile, never a file or a program.
    void NurWebadressenMitHttpOderHttps() {
        for (const char* gut : {"https://www.example.org/regeln.html", "http://example.org", "  HTTPS://example.org/a?b=c  "})
            QVERIFY2(WebAdresseErlaubt(gut), gut);
        for (const char* schlecht : {"", "file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)",
                                     "ftp://example.org/x", "https://", "mailto:a@example.org", "www.example.org"})
            QVERIFY2(!WebAdresseErlaubt(schlecht), schlecht);
    }

    // An address that cannot be opened hides its item, none at all the separator too; the
    // address is read at the click, so a profile changed meanwhile counts.
    void MenueOeffnetDokumenteUndAdressen() {
        QMenu menue;
        TProfilWerte w;
        w.wwwRGL = "https://example.org/regeln";
        w.wwwPUB = "file:///bin/sh";
        TSprache deutsch;
        QList<QUrl> geoeffnet;
        THilfeMenue h(&menue, "/opt/veldmark", w, deutsch, [] {}, [&](const QUrl& u) {
            geoeffnet << u;
            return true;
        });
        QVERIFY(h.Aktion("RegelnImNetz")->isVisible() && !h.Aktion("Verlagsseite")->isVisible());
        for (const char* name : {"Inhalt", "RegelnImNetz", "Verlagsseite"}) h.Aktion(name)->trigger();
        QCOMPARE(geoeffnet, (QList<QUrl>{QUrl::fromLocalFile("/opt/veldmark/Hilfe/Veldmark.html"),
                                         QUrl("https://example.org/regeln")}));
        w.wwwPUB = "https://verlag.example.org";
        emit menue.aboutToShow();
        h.Aktion("Verlagsseite")->trigger();
        QCOMPARE(geoeffnet.back(), QUrl("https://verlag.example.org"));
        w = TProfilWerte{};
        emit menue.aboutToShow();
        const QList<QAction*> eintraege = menue.actions();
        QVERIFY(std::none_of(eintraege.begin(), eintraege.end(), [&](QAction* a) {
            return a->isVisible() && (a->isSeparator() || a == h.Aktion("RegelnImNetz") || a == h.Aktion("Verlagsseite"));
        }));
    }
};

class SpracheTest : public QObject {
    Q_OBJECT

private slots:
    // A translated text is never looked up again; one the program sets anew is a new original.
    void UebersetztNieEineUebersetzung() {
        TSprache kette;
        kette.LadenText("[Other]\nA=B\nB=C\n");
        TSprachanwendung s(kette);
        QWidget w;
        auto* l = new QLabel("A", &w);
        s.Anwenden(&w);
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("B"));
        l->setText("X");
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("X"));
        l->setText("A");
        s.Anwenden(&w);
        QCOMPARE(l->text(), QString("B"));
    }

    // Installed on the application, it translates every dialog as it is shown.
    void JederDialogBeimZeigen() {
        TSprache englisch;
        QVERIFY(englisch.Laden(VELDMARK_QUELLE "/share/Lang.ini"));
        TSprachanwendung s(englisch);
        qApp->installEventFilter(&s);
        QMessageBox box(QMessageBox::Information, "Achtung !", "Programm wird beendet !");
        box.show();
        qApp->removeEventFilter(&s);
        QCOMPARE(box.windowTitle(), QString("Attention !"));
        QCOMPARE(box.text(), QString("The program will close now !"));
    }
};

VELDMARK_UITEST(HilfeTest);
VELDMARK_UITEST(SpracheTest);

#include "test_dialoge.moc"
