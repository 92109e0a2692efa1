// The window with a language file: the card faces, the status bar and the help in its language.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "fenstertest.h"

using namespace vm;
using namespace vm::ui;
using namespace vm::uitest;

namespace {

// A program folder with the card pictures, the help and the language file `sprache`.
struct Programm {
    QTemporaryDir ordner;
    explicit Programm(const QByteArray& sprache) {
        QFile::link(Programmordner() + "/Karten", ordner.path() + "/Karten");
        QFile::link(Programmordner() + "/Hilfe", ordner.path() + "/Hilfe");
        QFile f(ordner.path() + "/Lang.ini");
        if (f.open(QIODevice::WriteOnly)) f.write(sprache);
    }
};

QByteArray Englisch() {
    QFile f(VELDMARK_QUELLE "/share/Lang.ini");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QImage Seite(Umgebung& u, int bild) {
    return u.F().Bilder().Bild(bild, Format::Gross).toImage();
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
        Umgebung einzeln(eins.ordner.path(), false);
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
        Umgebung u(en.ordner.path(), false);
        for (int n = 1; n <= AnzahlBilder; ++n)
            QVERIFY2((Seite(u, n) == Seite(deutsch, n)) == (n == BildRueckseite),
                     qPrintable(QString::number(n)));
    }
};

VELDMARK_UITEST(SprachfensterTest);

#include "test_sprachfenster.moc"
