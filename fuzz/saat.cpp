// Writes seed inputs for the fuzz targets: game files of a few computer games at several
// moves, and profile and language texts.
#include <cstdio>
#include <fstream>
#include <string>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "persist/spieldatei.h"

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const std::string spiel = argv[1], profil = argv[2];
    vm::TKatalog katalog;
    int nr = 0;
    for (int spieler = 2; spieler <= 4; ++spieler) {
        vm::TSpielsitzung g(katalog);
        vm::InitStrategieparameter(g.Einstellungen);
        g.Menue.SpielerAnzahl = spieler;
        g.Zufall.RandSeed = 7u * spieler;
        vm::THistorie h;
        vm::THistorieAnschluss anschluss(g, h);
        g.SetzeAblauf(&anschluss);
        vm::NeuesSpielMitHistorie(g, h);
        for (int s = 1; s <= 4; ++s) g.S.Computer[s] = 1;
        for (int zug = 0; zug < 60 * spieler && !g.S.Spielende; ++zug) {
            if (g.S.AktuellerSpieler == 1) h.SichereSpielstand(g);
            vm::CompiZug(g);
        }
        std::string datei = spiel + "/spiel" + std::to_string(++nr) + ".vmk", ordner;
        if (vm::SpeichereSpieldatei(g, h, datei, ordner).Da()) return 1;
    }
    std::ofstream(profil + "/profil.ini")
        << "[Optionen]\nSpielstaerke=41\nSaveIni=1\n\n[Highscore]\nG_AnzSpiele=3\n"
           "\n[Strategie_4_Spieler]\nStrategie_Sp1=4\nSetUpGeld_Sp2=$1F\n";
    std::ofstream(profil + "/lang.ini") << "[Menue]\n&Neues Spiel=&New game\n[Cards]\nHolzfäller=Woodcutter\n"
                                           "[Other]\nDatei leer !=File empty!\n";
    return 0;
}
