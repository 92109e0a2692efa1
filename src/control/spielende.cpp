#include "control/spielende.h"

#include <climits>

#include "ai/compizug.h"
#include "persist/sprache.h"
#include "rules/wertung.h"

namespace vm {

namespace {

int64_t ProzentGewonnen(const TProfilWerte& w) {
    const int64_t spiele = w.G_AnzSpiele < 1 ? 1 : w.G_AnzSpiele;
    return static_cast<int64_t>(w.G_AnzGewonnen) * 100 / spiele;
}

void Zaehle(int32_t& zaehler) {
    if (zaehler < INT32_MAX) ++zaehler;
}

} // namespace

int32_t& MaxPunkte(TProfilWerte& w, int spielerAnzahl) {
    switch (spielerAnzahl) {
    case 2:
        return w.G_MaxPunkte2;
    case 3:
        return w.G_MaxPunkte3;
    default:
        return w.G_MaxPunkte4;
    }
}

TSpielendeDialog SpielendeAuswerten(TSpielsitzung& g, TProfilWerte& w, bool puzzle, const TSprache& sprache) {
    TSpielendeDialog d;
    const int n = g.S.SpielerAnzahl >= 2 && g.S.SpielerAnzahl <= 4 ? g.S.SpielerAnzahl : 4;
    const TStrategieEinstellung& e = g.Einstellungen.Fuer(n);
    for (int sp = 2; sp <= 4; ++sp)
        if (sp <= n) d.Gegner[static_cast<size_t>(sp - 2)] = sprache.Other(Strategiename(e.Strategie[sp]));

    BerechnePlatz(g);
    d.Gewonnen = g.Platz[1] == 1;
    if (d.Gewonnen) {
        d.Kopf = sprache.Other("Herzlichen Glückwunsch !");
        d.Ergebnis = sprache.Other("Du hast gewonnen !");
        if (!puzzle) Zaehle(w.G_AnzGewonnen);
    } else {
        d.Kopf = sprache.Other("Schade !");
        d.Ergebnis = sprache.Other("Du hast leider nicht gewonnen !");
    }

    int32_t& best = MaxPunkte(w, n);
    if (!puzzle && g.S.Spieler[1].Siegpunkte > best) best = g.S.Spieler[1].Siegpunkte;
    d.Highscore = std::to_string(best);
    d.HighscoreText = sprache.Other("Dein Highscore(" + std::to_string(n) + " Personen):");

    if (!puzzle) Zaehle(w.G_AnzSpiele);
    // A puzzle changes no counter: with no game counted yet the share is taken of one game.
    d.AnzahlSpiele = std::to_string(w.G_AnzSpiele);
    d.Prozent = std::to_string(ProzentGewonnen(w));
    d.Gezaehlt = !puzzle;
    return d;
}

std::string InfoStatistik(const TProfilWerte& w, const TSprache& sprache) {
    return sprache.Other("Du hast") + " " + std::to_string(ProzentGewonnen(w)) + " " +
           sprache.Other("% von") + " " + std::to_string(w.G_AnzSpiele) + " " +
           sprache.Other("Spielen gewonnen !");
}

int32_t WirksameSkalierung(int32_t s) {
    return s < SkalierungMin ? SkalierungMin : s > SkalierungMax ? SkalierungMax : s;
}

std::optional<TFenstergroesse> SpielendeGroesse(int32_t scaleBy) {
    const int32_t s = WirksameSkalierung(scaleBy);
    if (s >= 80 && s <= 120) return std::nullopt;
    return TFenstergroesse{(s + 3) * 560 / 100, (s + 3) * 380 / 100};
}

std::string SkalierungStartzeile(int32_t scaleBy) {
    const int32_t s = WirksameSkalierung(scaleBy);
    return s != 100 ? "ScaledBy " + std::to_string(s) + " Prozent" : "Keine Skalierung notwendig";
}

} // namespace vm
