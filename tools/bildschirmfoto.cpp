// Pictures and measurements of the game window, for anyone to look at what it shows:
//   veldmark-bildschirmfoto <output folder> [--messen] [--skalierung <percent>] [--sprache <Lang.ini>]
// Writes start.png (a new game), tipp.png (the same with the hint's move marked and said),
// mitte.png (a game in its fourth round, a display card selected), verlauf.png (the same with the
// mouse over the offered table place: its price in the status bar) and karten.png (every card
// picture at the sizes the board shows). Runs on any Qt platform; scripts/screenshots.sh runs it
// under Xvfb. With --messen it also prints start-up time, memory, the answer time of a click, the
// time of the hint's full search and the time of a 500-game simulation run. --skalierung starts on
// a profile with that "ScaleBy". With a language file the window starts in a program folder of its
// own that holds it.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>

#include "ai/spielstaerke.h"
#include "rules/ablauf.h"
#include "sim/serie.h"
#include "sim/statistik.h"
#include "ui/hauptfenster.h"

namespace {

using vm::ui::THauptfenster;

// Seconds since this process was started, from the kernel's own record.
double SeitProzessstart() {
    QFile stat("/proc/self/stat"), uptime("/proc/uptime");
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
    const QString s = QString::fromLatin1(stat.readAll());
    const QStringList felder = s.mid(s.lastIndexOf(')') + 2).split(' ');
    const double start = felder.value(19).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    const double jetzt = QString::fromLatin1(uptime.readAll()).split(' ').value(0).toDouble();
    return jetzt - start;
}

double CpuSekunden() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

long SpeicherKB() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& z : f.readAll().split('\n'))
        if (z.startsWith("VmRSS:")) return z.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Notes the first paint of the board.
class TErstes : public QObject {
public:
    double sekunden = -1;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && sekunden < 0) sekunden = SeitProzessstart();
        return false;
    }
};

void Warten(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool Speichern(const QPixmap& p, const QString& datei) {
    if (p.save(datei, "PNG")) {
        std::printf("%s\n", qPrintable(datei));
        return true;
    }
    std::fprintf(stderr, "veldmark-bildschirmfoto: %s kann nicht geschrieben werden\n", qPrintable(datei));
    return false;
}

QPixmap Bildschirm(THauptfenster& f) {
    // Only the board: a start screen or another window of the program is put aside.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &f && w->isVisible()) w->hide();
    // The X server takes a moment to take them off the screen.
    Warten(200);
    QScreen* s = f.screen();
    QPixmap bild = s ? s->grabWindow(0) : QPixmap();
    // Platforms without a screen to grab show the window alone.
    if (bild.isNull() || bild.toImage().allGray()) bild = f.grab();
    return bild;
}

// Seat 1 plays simply: buys the first display card it can afford, else passes.
bool MenschZieht(THauptfenster& f) {
    vm::TSpielsitzung& g = f.Sitzung();
    if (!f.Mensch().AmZug()) return false;
    if (!g.S.SchenkeModus) {
        for (int r = 1; r <= 2; ++r)
            for (int p = 1; p <= 8; ++p) {
                vm::tKartenRef k = g.S.Auslage[r].Karten[p];
                if (k.Leer() || g.Daten(k).Erweiterung == 1) continue;
                const int vorher = g.S.Spieler[1].Tischkarten();
                f.Mensch().AuslageKlick(r, p, vm::Maustaste::Links, {true, false});
                if (g.S.Spieler[1].Tischkarten() > vorher) return true;
            }
    }
    f.Mensch().Passe();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veldmark");
    const char* aufruf = "Aufruf: veldmark-bildschirmfoto <Ordner> [--messen] [--skalierung <Prozent>] "
                         "[--sprache <Lang.ini>]\n";
    if (argc < 2) {
        std::fprintf(stderr, "%s", aufruf);
        return 2;
    }
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    bool messen = false;
    QString sprache;
    int skalierung = 0;
    for (int i = 2; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        bool zahl = false;
        if (a == "--messen") {
            messen = true;
        } else if (a == "--sprache" && i + 1 < argc) {
            sprache = QString::fromLocal8Bit(argv[++i]);
        } else if (a == "--skalierung" && i + 1 < argc &&
                   (skalierung = QString(argv[++i]).toInt(&zahl), zahl && skalierung > 0)) {
        } else {
            std::fprintf(stderr, "veldmark-bildschirmfoto: unbekanntes oder unvollständiges Argument %s\n%s",
                         qPrintable(a), aufruf);
            return 2;
        }
    }
    QDir().mkpath(ordner);
    QTemporaryDir profil;
    if (skalierung > 0) {
        QFile ini(profil.path() + "/Veldmark.ini");
        if (!ini.open(QIODevice::WriteOnly) ||
            ini.write(QString("[Control]\nScaleBy=%1\n").arg(skalierung).toUtf8()) < 0) {
            std::fprintf(stderr, "veldmark-bildschirmfoto: Profil kann nicht geschrieben werden\n");
            return 1;
        }
    }

    vm::ui::TStartOptionen o;
    o.Programmordner = QCoreApplication::applicationDirPath() + "/..";
    if (!QFile::exists(o.Programmordner + "/Karten/1.jpg"))
        o.Programmordner = QCoreApplication::applicationDirPath();
    QTemporaryDir mitSprache;
    if (!sprache.isEmpty()) {
        const QString programm = QDir(o.Programmordner).absolutePath();
        if (!QFile::link(programm + "/Karten", mitSprache.path() + "/Karten") ||
            !QFile::link(programm + "/Hilfe", mitSprache.path() + "/Hilfe") ||
            !QFile::copy(sprache, mitSprache.path() + "/Lang.ini")) {
            std::fprintf(stderr, "veldmark-bildschirmfoto: Sprachdatei %s nicht nutzbar\n",
                         qPrintable(sprache));
            return 1;
        }
        o.Programmordner = mitSprache.path();
    }
    o.Profilordner = profil.path();
    o.DialogLauf = [](QDialog&) { return 0; };
    TErstes erstes;
    THauptfenster f(o);
    if (f.StartFehler()) return f.StartFehler();
    f.installEventFilter(&erstes);
    f.centralWidget()->installEventFilter(&erstes);
    f.show();
    while (erstes.sekunden < 0) QApplication::processEvents();
    const double startzeit = erstes.sekunden;
    f.Timer().stop();
    bool ok = true;

    // The cards at the board's sizes and at full size, as the window shows them.
    {
        const QSize klein = vm::ui::Groesse(vm::ui::Format::Tisch),
                    gross = vm::ui::Groesse(vm::ui::Format::Gross);
        QPixmap blatt(13 * (klein.width() + 6) + 6, 4 * (klein.height() + 6) + 6 + 2 * (gross.height() + 6));
        blatt.fill(QColor(0x2E, 0x6B, 0x3A));
        QPainter p(&blatt);
        const vm::ui::TKartenbilder& bilder = f.Bilder();
        for (int n = 1; n <= 51; ++n)
            p.drawPixmap(6 + ((n - 1) % 13) * (klein.width() + 6), 6 + ((n - 1) / 13) * (klein.height() + 6),
                         bilder.Bild(n, vm::ui::Format::Tisch));
        const int y = 6 + 4 * (klein.height() + 6);
        const int gezeigt[] = {7, 11, 22, 30, 46, 49, 50};
        for (int i = 0; i < 7; ++i)
            p.drawPixmap(6 + i * (gross.width() + 6), y, bilder.Bild(gezeigt[i], vm::ui::Format::Gross));
        p.end();
        ok = Speichern(blatt, ordner + "/karten.png") && ok;
    }

    vm::TSpielsitzung& g = f.Sitzung();
    g.Zufall.RandSeed = 20241227;
    f.NeuesSpielKlick();
    // Computer seats move until seat 1 is on turn.
    for (int i = 0; i < 50 && !f.Mensch().AmZug(); ++i) f.SpielTakt();
    Warten(100);
    ok = Speichern(Bildschirm(f), ordner + "/start.png") && ok;
    // The hint at full strength: its move marked on the board, its words and chance in the status bar.
    qint64 tippMs = -1;
    {
        QElapsedTimer t;
        t.start();
        QEventLoop warten;
        QObject::connect(&f, &vm::ui::THauptfenster::TippFertig, &warten, &QEventLoop::quit);
        f.TippKlick();
        if (f.TippLaeuft()) warten.exec();
        tippMs = t.elapsed();
        Warten(100);
        ok = Speichern(Bildschirm(f), ordner + "/tipp.png") && ok;
    }

    while (g.S.Runde < 4 && !g.S.Spielende) {
        if (!MenschZieht(f)) f.SpielTakt();
    }
    while (!f.Mensch().AmZug() && !g.S.Spielende) f.SpielTakt();
    // A display card selected, with its targets raised.
    for (int r = 1; r <= 2 && !f.Mensch().AuslageGewaehlt(); ++r)
        for (int p = 1; p <= 8 && !f.Mensch().AuslageGewaehlt(); ++p)
            if (!g.S.Auslage[r].Karten[p].Leer()) f.Mensch().AuslageKlick(r, p, vm::Maustaste::Links, {});
    Warten(100);
    ok = Speichern(Bildschirm(f), ordner + "/mitte.png") && ok;
    // The mouse over the marked table target: the status bar names the price, beside the move list.
    for (int pos = 1; pos <= vm::MaxTischpositionen; ++pos) {
        vm::ui::TKartenBild* ziel = f.TischBild(1, pos);
        if (!ziel->Markiert()) continue;
        QEnterEvent rein(QPointF(5, 5), QPointF(5, 5), ziel->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(ziel, &rein);
        break;
    }
    Warten(100);
    ok = Speichern(Bildschirm(f), ordner + "/verlauf.png") && ok;

    if (messen) {
        QTextStream aus(stdout);
        aus << "Start bis zum ersten gezeichneten Brett: " << qRound(startzeit * 1000) << " ms\n";
        aus << "Speicher mitten im Spiel (VmRSS): " << SpeicherKB() / 1024 << " MB\n";
        aus << "Tipp (" << vm::VorausschauBudgetStark << " gedachte Spiele auf "
            << QThread::idealThreadCount() << " Kernen): " << tippMs << " ms\n";
        // A click: the display card is let go, the board answers and is painted again.
        vm::ui::TKartenBild* bild = nullptr;
        for (int r = 1; r <= 2 && !bild; ++r)
            for (int p = 1; p <= 8 && !bild; ++p)
                if (f.AuslageBild(r, p)->Angehoben()) bild = f.AuslageBild(r, p);
        if (bild) {
            const QPointF mitte(bild->width() / 2.0, bild->height() / 2.0);
            QElapsedTimer t;
            t.start();
            QMouseEvent druck(QEvent::MouseButtonPress, mitte, bild->mapToGlobal(mitte), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QMouseEvent los(QEvent::MouseButtonRelease, mitte, bild->mapToGlobal(mitte), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(bild, &druck);
            QApplication::sendEvent(bild, &los);
            const qint64 handler = t.nsecsElapsed();
            // What the click changed is painted with the pending events.
            QApplication::processEvents();
            aus << "Antwort auf einen Klick: " << handler / 1000 << " µs, neu gezeichnet nach "
                << t.nsecsElapsed() / 1000 << " µs\n";
        }
        // A 500-game simulation run in the window, seat 1 played by the computer.
        vm::SetzeSpielstaerke(g, vm::Expertenmodus);
        g.Menue.SpielerAnzahl = 4;
        g.Einstellungen.Fuer(4).Sim = 1;
        g.Einstellungen.Fuer(4).AnzahlSim = 500;
        g.Zufall.RandSeed = 12345;
        QElapsedTimer t;
        t.start();
        const double cpu = CpuSekunden();
        f.Profil().W.FrageVerwerfen = false; // the game of the pictures goes without asking
        QEventLoop warten;
        QObject::connect(&f, &vm::ui::THauptfenster::SimulationFertig, &warten, &QEventLoop::quit);
        f.SimulationKlick();
        if (f.SimulationLaeuft()) warten.exec();
        aus << "Simulation von 500 Spielen im Fenster: " << t.elapsed() << " ms, davon "
            << qRound((CpuSekunden() - cpu) * 1000) << " ms Rechenzeit (" << f.Statistik().AnzahlSpiele
            << " Spiele)\n";
        // The same games without the window, in this process, for comparison.
        vm::TKatalog katalog;
        auto ohne = std::make_unique<vm::TSpielsitzung>(katalog);
        ohne->Einstellungen = g.Einstellungen;
        ohne->Menue = g.Menue;
        ohne->Zufall.RandSeed = 12345;
        ohne->SimulationLaeuft = true;
        auto st = std::make_unique<vm::TSimStatistik>();
        vm::StatistikInit(*st, *ohne);
        t.restart();
        const double cpu2 = CpuSekunden();
        for (int i = 0; i < 500; ++i) {
            vm::SimSpiel(*ohne);
            vm::StatistikSpiel(*st, *ohne);
        }
        std::string bericht = vm::StatistikBerichtText(*st, katalog, ohne->Zufall.RandSeed);
        aus << "Dieselben 500 Spiele ohne Fenster: " << t.elapsed() << " ms, davon "
            << qRound((CpuSekunden() - cpu2) * 1000) << " ms Rechenzeit\n";
        aus.flush();
    }
    f.ProgrammEnde();
    for (int i = 0; i < 2; ++i) f.SpielTakt();
    return ok ? 0 : 1;
}
