// Pictures of every dialog of settings, correction, end of game, info, scaling, charts, the analysis
// of a position and help, for looking at them: each is shown with sample contents and saved as a PNG file.
//   veldmark-dialogbilder <Ausgabe-Ordner> <Programmordner> [<Sprachdatei>]
// The program folder holds "Karten"; with a language file the texts are taken from it.
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "control/korrektur.h"
#include "persist/sprache.h"
#include "sim/serie.h"
#include "ui/diagrammansicht.h"
#include "rules/ablauf.h"
#include "ui/analysefenster.h"
#include "ui/einstellungsfenster.h"
#include "ui/hilfemenue.h"
#include "ui/infofenster.h"
#include "ui/korrekturfenster.h"

using namespace vm;
using namespace vm::ui;

namespace {

QString ausgabe;
bool ok = true;

void Warten(int ms) {
    QEventLoop schleife;
    QTimer::singleShot(ms, &schleife, &QEventLoop::quit);
    schleife.exec();
}

void Bild(QWidget& w, const QString& name) {
    w.show();
    w.raise();
    Warten(150);
    const QString pfad = ausgabe + "/" + name + ".png";
    if (!w.grab().save(pfad)) {
        std::fprintf(stderr, "veldmark-dialogbilder: %s kann nicht geschrieben werden\n", qPrintable(pfad));
        ok = false;
    }
    w.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr,
                     "Aufruf: veldmark-dialogbilder <Ausgabe-Ordner> <Programmordner> [<Sprachdatei>]\n");
        return 2;
    }
    ausgabe = QString::fromLocal8Bit(argv[1]);
    const QString programm = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(ausgabe);
    TSprache sprache;
    TKatalog katalog;
    if (argc == 4) {
        if (!sprache.Laden(argv[3])) {
            std::fprintf(stderr, "veldmark-dialogbilder: Sprachdatei %s nicht lesbar\n", argv[3]);
            return 1;
        }
        sprache.KartenUebersetzen(katalog);
    }
    // The faces in the language, as the window shows them.
    TKartenbilder bilder;
    const TSeitenSprache seiten{
        katalog, [&](const QString& w) { return QString::fromStdString(sprache.Other(w.toStdString())); }};
    bilder.Laden(programm + "/Karten/", false, false, argc == 4 ? &seiten : nullptr);

    // Settings: every page of the 3-player record.
    TStrategieeinstellungen e{};
    InitStrategieparameter(e);
    TEinstellungsFenster einstellungen(e, sprache, nullptr);
    einstellungen.Vorbereiten(3);
    for (int s = 0; s < einstellungen.Seiten()->count(); ++s) {
        einstellungen.Seiten()->setCurrentIndex(s);
        QString name = EinstellungsSeiten()[static_cast<size_t>(s)].Titel.data();
        name.remove('(').remove(')').replace(',', '-');
        Bild(einstellungen, QString("Einstellungen-%1-%2").arg(s + 1, 2, 10, QChar('0')).arg(name));
    }

    // Correction: an observatory clicked.
    TKorrekturDialogZustand zustand;
    TKorrekturFenster korrektur(zustand, katalog, bilder, sprache, nullptr);
    korrektur.Vorbereiten(11);
    Bild(korrektur, "Korrektur");

    // End of game: won and lost.
    TSpielendeDialog gewonnen;
    TProfilWerte w;
    w.G_AnzSpiele = 120;
    w.G_AnzGewonnen = 54;
    {
        TSpielsitzung g{katalog};
        InitStrategieparameter(g.Einstellungen);
        g.S.SpielerAnzahl = 4;
        g.Sp(1).Siegpunkte = 61;
        g.Sp(2).Siegpunkte = 55;
        gewonnen = SpielendeAuswerten(g, w, false, sprache);
        TSpielendeFenster f(bilder, sprache, nullptr);
        f.Fuellen(gewonnen);
        Bild(f, "Spielende-gewonnen");
        g.S.SpielerAnzahl = 3;
        g.Sp(2).Siegpunkte = 70;
        TSpielendeFenster v(bilder, sprache, nullptr);
        v.Fuellen(SpielendeAuswerten(g, w, false, sprache));
        Bild(v, "Spielende-verloren");
        TSpielendeFenster s(bilder, sprache, nullptr);
        s.Skalieren(150);
        s.Fuellen(gewonnen);
        Bild(s, "Spielende-150-Prozent");
    }

    // Info: start screen and "Über ..." with the statistics line.
    {
        TInfoFenster start(bilder, sprache, nullptr);
        start.Timer().stop();
        Bild(start, "Info-Startbild");
        TInfoFenster ueber(bilder, sprache, nullptr);
        ueber.MitStatistik(InfoStatistik(w, sprache));
        Bild(ueber, "Info-Ueber");
    }

    TSkalierungFenster skalierung(sprache, nullptr);
    skalierung.Vorbereiten(100);
    Bild(skalierung, "Skalierung");

    // The charts of a short series, every tab.
    {
        TTexte texte;
        texte.Uebersetzen(sprache);
        auto serie = std::make_unique<TSimSerie>();
        serie->Vorbereiten(ParseSimArgumente({"--players", "4", "--games", "200", "--seed", "1"}).opt);
        TPunkteVerteilung punkte(4);
        serie->SetzeErgebnisSenke([&](const TSpielErgebnis* e, size_t n) {
            for (size_t i = 0; i < n; ++i) punkte.Spiel(e[i]);
        });
        serie->Laufen();
        TDiagrammFenster diagramme(SerienDiagramme(serie->Statistik(), punkte, texte), texte, {}, {},
                                   nullptr);
        for (int s = 0; s < diagramme.Seiten()->count(); ++s) {
            diagramme.Seiten()->setCurrentIndex(s);
            Bild(diagramme, QString("Diagramme-%1").arg(s + 1));
        }
    }

    // The analysis of a three-player game some moves in, seat 1 on turn.
    {
        TSpielsitzung g{katalog};
        InitStrategieparameter(g.Einstellungen);
        g.Menue.SpielerAnzahl = 3;
        g.SimulationLaeuft = true;
        g.Zufall.RandSeed = 2026;
        for (int s = 1; s <= 4; ++s) g.S.Computer[s] = 1;
        SpielAufbau(g);
        for (int s = 1; s <= 4; ++s) g.S.Computer[s] = 1;
        for (int z = 0; z < 200 && (z < 12 || g.S.AktuellerSpieler != 1); ++z) CompiZug(g);
        TTexte texte;
        texte.Uebersetzen(sprache);
        TAnalyseFenster analyse(g, katalog, texte, 400, nullptr);
        QEventLoop warten;
        QObject::connect(&analyse, &TAnalyseFenster::Berechnet, &warten, &QEventLoop::quit);
        if (!analyse.Fertig()) warten.exec();
        Bild(analyse, "Analyse");
    }

    // The help menu, opened.
    QMenu menue;
    THilfeMenue hilfe(
        &menue, programm, w, sprache, [] {}, [](const QUrl&) { return true; });
    menue.popup(QPoint(20, 20));
    Warten(150);
    if (!menue.grab().save(ausgabe + "/Hilfemenue.png")) ok = false;
    menue.hide();
    return ok ? 0 : 1;
}
