// Veldmark, the game: one person against up to three computer players.
//   veldmark [profile folder] [game.vmk]
//   veldmark --diagramme RESULT.json DIR
// The profile Veldmark.ini lives in the folder named by the first argument that is not a game
// file, else beside the program; a game file (".vmk") given as well is loaded after the start,
// so that the desktop can open saved games with the program. The card pictures are read from
// "Karten" beside the program. The second form draws the charts of a simulator result file as
// SVG files into DIR, without a window and without touching the profile (for veldmark-sim --plot).
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "control/kommandozeile.h"
#include "ui/diagrammansicht.h"
#include "ui/hauptfenster.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--diagramme") == 0) {
        if (argc != 4) {
            std::cerr << "veldmark --diagramme: Ergebnisdatei und Ordner erwartet: "
                         "veldmark --diagramme ERGEBNIS.json ORDNER\n";
            return 1;
        }
        // Drawn without a display, whatever the session offers; the platform's notes about the
        // session it does not use (no runtime folder, no fonts database) are no concern here.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType art, const QMessageLogContext&, const QString& text) {
            if (art == QtCriticalMsg || art == QtFatalMsg)
                std::cerr << text.toLocal8Bit().constData() << '\n';
        });
        QApplication app(argc, argv);
        return vm::ui::DiagrammeSchreiben(argv[2], argv[3], std::cerr);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veldmark");
    QApplication::setDesktopFileName("veldmark");
    vm::ui::TStartOptionen optionen;
    optionen.Programmordner = QCoreApplication::applicationDirPath();
    QApplication::setWindowIcon(
        QIcon::fromTheme("veldmark", QIcon(optionen.Programmordner + "/Symbole/veldmark-256.png")));
    std::vector<std::string> argumente;
    const QStringList liste = QCoreApplication::arguments();
    for (qsizetype i = 1; i < liste.size(); ++i) argumente.push_back(liste[i].toLocal8Bit().toStdString());
    const vm::TKommandozeile k = vm::LiesKommandozeile(argumente);
    optionen.Profilordner = QString::fromLocal8Bit(k.ProfilOrdner.c_str());
    vm::ui::THauptfenster fenster(optionen);
    if (fenster.StartFehler() != 0) return fenster.StartFehler();
    fenster.show();
    if (!k.Spieldatei.empty()) {
        const QString datei = QString::fromLocal8Bit(k.Spieldatei.c_str());
        QTimer::singleShot(0, &fenster, [&fenster, datei] { fenster.SpielLaden(datei); });
    }
    return QApplication::exec();
}
