#include "sim/extrastatistik.h"

#include <charconv>

#include "model/sitzung.h"
#include "rules/wertung.h"

namespace vm {

std::string ExtraStatistikKopf() {
    std::string s = "AnzS,Runde,Phase,";
    for (int p = 1; p <= 4; ++p) {
        const std::string sp = std::to_string(p);
        s += sp + "G," + sp + "S,";
        for (int k = 1; k <= 3; ++k) {
            const std::string spk = sp + std::to_string(k);
            s += spk + "K," + spk + "G," + spk + "S,";
        }
    }
    return s;
}

size_t ExtraStatistikZeile(const TSpielsitzung& g, int64_t spiel, char (&puffer)[ExtraStatistikZeileMax]) {
    char* z = puffer;
    char* const ende = puffer + ExtraStatistikZeileMax;
    // 3 + 4 * 11 values of at most 20 characters and a comma each fit the buffer.
    auto wert = [&](int64_t v) {
        z = std::to_chars(z, ende, v).ptr;
        if (z < ende) *z++ = ',';
    };
    const TSpielstand& s = g.S;
    wert(spiel);
    wert(s.Runde);
    wert(s.Phase);
    const int n = s.SpielerAnzahl < 1 ? 0 : s.SpielerAnzahl > 4 ? 4 : s.SpielerAnzahl;
    for (int p = 1; p <= n; ++p) {
        const TSpieler& sp = s.Spieler[p];
        wert(sp.Geld);
        // The points if the game ended now; after the final scoring this counts bonus and money again.
        wert(int64_t{sp.Siegpunkte} + Adelsbonus(g, p).bonus + GeldPunkte(g, p));
        for (int f = 1; f <= 3; ++f) {
            int64_t kosten = 0, geld = 0, punkte = 0;
            const TKartenliste& l = sp.Karten[f];
            for (int i = 1; i <= l.Anzahl && i <= StapelPlaetze; ++i) {
                const tKarte& d = g.Daten(l.Karten[i]);
                kosten += d.Kosten;
                geld += d.Geld;
                punkte += d.Siegpunkte;
            }
            wert(kosten);
            wert(geld);
            wert(punkte);
        }
    }
    return static_cast<size_t>(z - puffer);
}

} // namespace vm
