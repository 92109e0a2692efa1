#include "sim/pruefung.h"

#include "model/sitzung.h"

namespace vm {

namespace {

std::string RefText(const Spielsitzung& g, tKartenRef k) {
    if (TKatalog::Gueltig(OhneMarke(k))) return KarteText(g.Katalog(), OhneMarke(k));
    return "(Farbe " + std::to_string(k.Farbe) + ", Ref " + std::to_string(k.Ref) + ")";
}

bool Leer(tKartenRef k) {
    return k.Farbe == 0 && k.Ref == 0;
}

std::string Stelle(const char* was, int a, const char* wo, int b) {
    return std::string(was) + " " + std::to_string(a) + " " + wo + " " + std::to_string(b);
}

} // namespace

std::string PruefeInvarianten(const Spielsitzung& g) {
    const TSpielstand& s = g.S;
    // [table][slot]: copies in the deck and copies still in the game
    int32_t gebaut[KatalogTabellen + 1][KatalogPlaetze + 1] = {};
    int32_t imSpiel[KatalogTabellen + 1][KatalogPlaetze + 1] = {};
    int64_t summeGebaut = 0, summeImSpiel = 0;

    for (int k = 1; k <= 4; ++k) {
        const TKartenstapel& st = s.Kartenstapel[k];
        int32_t deck = 0;
        for (int r = 1; r <= ArtenJeTabelle[k]; ++r) {
            gebaut[k][r] = g.Katalog().Art(k, r).Anzahl;
            deck += gebaut[k][r];
        }
        summeGebaut += st.Anzahl;
        if (st.Anzahl != deck || st.Naechste < 1 || st.Naechste > st.Anzahl + 1)
            return Stelle("Stapel", k, "hat Anzahl", st.Anzahl) + " und Naechste " +
                   std::to_string(st.Naechste) + " bei " + std::to_string(deck) + " Karten im Spiel";
        // Drawn places keep their cards; only the places from Naechste on are still in the stack.
        for (int j = 1; j <= st.Anzahl; ++j) {
            tKartenRef c = st.Karten[j];
            if (c.Farbe != k || !TKatalog::Gueltig(c))
                return Stelle("Stapel", k, "Platz", j) + " hält " + RefText(g, c);
            if (j >= st.Naechste) {
                ++imSpiel[c.Farbe][c.Ref];
                ++summeImSpiel;
            }
        }
    }

    auto zaehle = [&](tKartenRef c) {
        tKartenRef o = OhneMarke(c);
        ++imSpiel[o.Farbe][o.Ref];
        ++summeImSpiel;
    };

    const TAuslageReihe& r1 = s.Auslage[1];
    const TAuslageReihe& r2 = s.Auslage[2];
    for (int r = 1; r <= 2; ++r)
        if (s.Auslage[r].Anzahl < 0 || s.Auslage[r].Anzahl > 8)
            return Stelle("Auslage Reihe", r, "hat", s.Auslage[r].Anzahl) + " Karten";
    if (r1.Anzahl + r2.Anzahl > 8)
        return "Auslage: beide Reihen halten zusammen " + std::to_string(r1.Anzahl + r2.Anzahl) + " Karten";
    for (int r = 1; r <= 2; ++r) {
        const TAuslageReihe& reihe = s.Auslage[r];
        // Row 1 is packed to the left, row 2 to the right.
        const int erster = r == 1 ? 1 : 9 - reihe.Anzahl;
        const int letzter = r == 1 ? reihe.Anzahl : 8;
        for (int j = 1; j <= 8; ++j) {
            tKartenRef c = reihe.Karten[j];
            const bool belegt = j >= erster && j <= letzter;
            if (belegt && !TKatalog::Gueltig(c))
                return Stelle("Auslage Reihe", r, "Platz", j) + " hält " + RefText(g, c) + " bei Anzahl " +
                       std::to_string(reihe.Anzahl);
            if (!belegt && !Leer(c))
                return Stelle("Auslage Reihe", r, "Platz", j) + " ist nicht leer bei Anzahl " +
                       std::to_string(reihe.Anzahl) + ": " + RefText(g, c);
            if (belegt) zaehle(c);
        }
    }

    for (int p = 1; p <= 4; ++p) {
        const TSpieler& sp = s.Spieler[p];
        if (sp.Geld < 0) return Stelle("Spieler", p, "hat Geld", sp.Geld);
        for (int l = 1; l <= 4; ++l) {
            const TKartenliste& liste = sp.Karten[l];
            if (liste.Anzahl < 0 || liste.Anzahl > StapelPlaetze)
                return Stelle("Spieler", p, "Liste", l) + " hat " + std::to_string(liste.Anzahl) + " Karten";
            for (int j = 1; j <= liste.Anzahl; ++j) {
                tKartenRef c = liste.Karten[j];
                // Only table cards carry the used mark.
                const bool gueltig = TKatalog::Gueltig(l == ListeHand ? c : OhneMarke(c));
                if (!gueltig || (l != ListeHand && g.Daten(c).Farbe != l))
                    return Stelle("Spieler", p, "Liste", l) + " Platz " + std::to_string(j) + " hält " +
                           RefText(g, c);
                zaehle(c);
            }
        }
    }
    if (!g.SternwartenKarte.Leer()) {
        if (!TKatalog::Gueltig(g.SternwartenKarte))
            return "Sternwartenkarte " + RefText(g, g.SternwartenKarte) + " ist keine Karte";
        zaehle(g.SternwartenKarte);
    }

    for (int k = 1; k <= KatalogTabellen; ++k)
        for (int r = 1; r <= ArtenJeTabelle[k]; ++r)
            if (imSpiel[k][r] > gebaut[k][r])
                return "Kartenerhaltung: " + RefText(g, {k, r}) + " " + std::to_string(imSpiel[k][r]) +
                       " mal im Spiel, aber nur " + std::to_string(gebaut[k][r]) + " mal gebaut";
    if (s.AblageAnzahl < 0 || summeImSpiel + s.AblageAnzahl != summeGebaut)
        return "Kartenerhaltung: " + std::to_string(summeImSpiel) + " Karten im Spiel und " +
               std::to_string(s.AblageAnzahl) + " auf dem Ablagestapel, aber " + std::to_string(summeGebaut) +
               " gebaut";
    return {};
}

} // namespace vm
