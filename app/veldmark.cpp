// Veldmark, the game: one person against up to three computer players.
//   veldmark [profile folder] [game.vmk]
// The profile Veldmark.ini lives in the folder named by the first argument that is not a game
// file, else beside the program; a game file (".vmk") given as well is loaded after the start,
// so that the desktop can open saved games with the program. The card pictures are read from
// "Karten" beside the program.
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <string>
#include <vector>

#include "control/kommandozeile.h"
#include "ui/hauptfenster.h"

int main(int argc, char** argv) {
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
