// Veldmark, the game: one person against up to three computer players.
//   veldmark [profile folder]
// The profile Veldmark.ini lives in the folder named by the first argument, else beside the
// program; the card pictures are read from "Karten" beside the program.
#include <QApplication>

#include "ui/hauptfenster.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Veldmark");
    vm::ui::TStartOptionen optionen;
    optionen.Programmordner = QCoreApplication::applicationDirPath();
    if (argc > 1) optionen.Profilordner = QString::fromLocal8Bit(argv[1]);
    vm::ui::THauptfenster fenster(optionen);
    if (fenster.StartFehler() != 0) return fenster.StartFehler();
    fenster.show();
    return QApplication::exec();
}
