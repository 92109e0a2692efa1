#include "model/konsistenz.h"

#include "model/sitzung.h"

namespace vm {

namespace {

std::string RefText(const TKatalog& kat, tKartenRef k) {
    if (TKatalog::Gueltig(OhneMarke(k))) return KarteText(kat, OhneMarke(k));
    return "(Farbe " + std::to_string(k.Farbe) + ", Ref " + std::to_string(k.Ref) + ")";
}

bool Leer(tKartenRef k) {
    return k.Farbe == 0 && k.Ref == 0;
}

std::string Stelle(const char* was, int a, const char* wo, int b) {
    return std::string(was) + " " + std::to_string(a) + " " + wo + " " + std::to_string(b);
}

// A flag the game writes only as 0 or 1; the rules test some of them against 0 and others as
// truth values, so any other value would take both ways at once.
const char* FalscherSchalter(const TSpielstand& s) {
    struct F {
        const char* name;
        uint8_t wert;
    };
    const F flags[] = {{"SchenkeModus", s.SchenkeModus},
                       {"Spielende", s.Spielende},
                       {"StapelLeer", s.StapelLeer},
                       {"Computer[1]", s.Computer[1]},
                       {"Computer[2]", s.Computer[2]},
                       {"Computer[3]", s.Computer[3]},
                       {"Computer[4]", s.Computer[4]},
                       {"AdelsbonusErweitert", s.AdelsbonusErweitert},
                       {"VerdeckteHandkarten", s.VerdeckteHandkarten},
                       {"KeineHofmeisterinRunde1", s.KeineHofmeisterinRunde1},
                       {"Korrigiert", s.Korrigiert}};
    for (const F& f : flags)
        if (f.wert > 1) return f.name;
    return nullptr;
}

} // namespace

std::string PruefeKonsistenz(const TSpielstand& s, const TKatalog& kat, tKartenRef wartend) {
    const int32_t n = s.SpielerAnzahl;
    if (n < 2 || n > 4) return "SpielerAnzahl ist " + std::to_string(n);
    if (s.Phase < 1 || s.Phase > 4) return "Phase ist " + std::to_string(s.Phase);
    if (s.AktuellerSpieler < 1 || s.AktuellerSpieler > n)
        return "AktuellerSpieler ist " + std::to_string(s.AktuellerSpieler) + " bei " + std::to_string(n) +
               " Spielern";
    if (s.Runde < 1) return "Runde ist " + std::to_string(s.Runde);
    for (int r = 1; r <= 4; ++r)
        if (s.Startspieler[r] < 1 || s.Startspieler[r] > n)
            return Stelle("Startspieler der Rolle", r, "ist Spieler", s.Startspieler[r]);
    if (const char* f = FalscherSchalter(s)) return std::string(f) + " ist weder 0 noch 1";
    // All seats passed: the phase is scored at once, so only the pub round that follows the blue
    // scoring and the end of the game keep that count. Any other state would never end its phase.
    if (s.AnzahlPassen < 0 || s.AnzahlPassen > n || (s.AnzahlPassen == n && !s.SchenkeModus && !s.Spielende))
        return "AnzahlPassen ist " + std::to_string(s.AnzahlPassen) + " bei " + std::to_string(n) +
               " Spielern";
    if (s.SchenkeModus && (s.Phase != 2 || s.AnzahlPassen != n || s.Spielende))
        return "SchenkeModus in Phase " + std::to_string(s.Phase) + " mit AnzahlPassen " +
               std::to_string(s.AnzahlPassen) + (s.Spielende ? " nach Spielende" : "");
    if (s.Spielende && s.AktuellerSpieler != 1)
        return "Spielende mit AktuellerSpieler " + std::to_string(s.AktuellerSpieler);
    const bool korrigiert = s.Korrigiert != 0;

    // [table][slot]: copies in the deck and copies still in the game
    int32_t gebaut[KatalogTabellen + 1][KatalogPlaetze + 1] = {};
    int32_t imSpiel[KatalogTabellen + 1][KatalogPlaetze + 1] = {};
    int64_t summeGebaut = 0, summeImSpiel = 0, summeUngezogen = 0, summeAusserTisch = 0;

    for (int k = 1; k <= 4; ++k) {
        const TKartenstapel& st = s.Kartenstapel[k];
        int32_t deck = 0;
        for (int r = 1; r <= ArtenJeTabelle[k]; ++r) {
            gebaut[k][r] = kat.Art(k, r).Anzahl;
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
                return Stelle("Stapel", k, "Platz", j) + " hält " + RefText(kat, c);
            if (j >= st.Naechste) {
                ++imSpiel[c.Farbe][c.Ref];
                ++summeImSpiel;
                ++summeUngezogen;
            }
        }
    }

    // Cards outside the tables: the only ones a correction cannot have made or taken away.
    auto zaehle = [&](tKartenRef c, bool tisch) {
        tKartenRef o = OhneMarke(c);
        ++imSpiel[o.Farbe][o.Ref];
        ++summeImSpiel;
        if (!tisch) ++summeAusserTisch;
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
                return Stelle("Auslage Reihe", r, "Platz", j) + " hält " + RefText(kat, c) + " bei Anzahl " +
                       std::to_string(reihe.Anzahl);
            if (!belegt && !Leer(c))
                return Stelle("Auslage Reihe", r, "Platz", j) + " ist nicht leer bei Anzahl " +
                       std::to_string(reihe.Anzahl) + ": " + RefText(kat, c);
            if (belegt) zaehle(c, false);
        }
    }

    for (int p = 1; p <= 4; ++p) {
        const TSpieler& sp = s.Spieler[p];
        if (sp.Geld < 0 && !korrigiert) return Stelle("Spieler", p, "hat Geld", sp.Geld);
        for (int l = 1; l <= 4; ++l) {
            const TKartenliste& liste = sp.Karten[l];
            const int32_t grenze = l == ListeHand ? MaxHandkarten : StapelPlaetze;
            if (liste.Anzahl < 0 || liste.Anzahl > grenze || (p > n && liste.Anzahl != 0))
                return Stelle("Spieler", p, "Liste", l) + " hat " + std::to_string(liste.Anzahl) + " Karten";
            for (int j = 1; j <= liste.Anzahl; ++j) {
                tKartenRef c = liste.Karten[j];
                // Only table cards carry the used mark: an observatory used in the blue phase.
                const bool gueltig = TKatalog::Gueltig(l == ListeHand ? c : OhneMarke(c));
                const bool marke = KarteBenutzt(c) && (l != 2 || s.Phase != 2 ||
                                                       !(kat.Daten(c).Sondereigenschaften & Sternwarte));
                if (!gueltig || marke || (l != ListeHand && kat.Daten(c).Farbe != l))
                    return Stelle("Spieler", p, "Liste", l) + " Platz " + std::to_string(j) + " hält " +
                           RefText(kat, c) + (marke ? " mit Benutzt-Marke" : "");
                if (l == ListeHand || !korrigiert) zaehle(c, l == ListeHand);
            }
        }
    }
    if (!wartend.Leer()) {
        if (!TKatalog::Gueltig(wartend))
            return "Sternwartenkarte " + RefText(kat, wartend) + " ist keine Karte";
        zaehle(wartend, false);
    }

    for (int k = 1; k <= KatalogTabellen; ++k)
        for (int r = 1; r <= ArtenJeTabelle[k]; ++r)
            if (imSpiel[k][r] > gebaut[k][r])
                return "Kartenerhaltung: " + RefText(kat, {k, r}) + " " + std::to_string(imSpiel[k][r]) +
                       " mal im Spiel, aber nur " + std::to_string(gebaut[k][r]) + " mal gebaut";
    if (s.AblageAnzahl < 0 || (!korrigiert && summeImSpiel + s.AblageAnzahl != summeGebaut))
        return "Kartenerhaltung: " + std::to_string(summeImSpiel) + " Karten im Spiel und " +
               std::to_string(s.AblageAnzahl) + " auf dem Ablagestapel, aber " + std::to_string(summeGebaut) +
               " gebaut";
    // Each drawn card lies in the display, in a hand, waits, or caused at most one discard: its
    // own, or that of the card it replaced as an upgrade.
    if (korrigiert && summeAusserTisch + s.AblageAnzahl > summeGebaut - summeUngezogen)
        return "Kartenerhaltung: " + std::to_string(summeAusserTisch) + " Karten in Auslage und Händen und " +
               std::to_string(s.AblageAnzahl) + " auf dem Ablagestapel, aber nur " +
               std::to_string(summeGebaut - summeUngezogen) + " gezogen";

    for (int p = 1; p <= 4; ++p) {
        const TSpieler& sp = s.Spieler[p];
        uint8_t bits = 0;
        int32_t sternwarten = 0, schenken = 0;
        for (int l = 1; l <= 3; ++l)
            for (int j = 1; j <= sp.Karten[l].Anzahl; ++j) {
                const uint8_t b = kat.Daten(sp.Karten[l].Karten[j]).Sondereigenschaften;
                bits |= b;
                if (b & Sternwarte) ++sternwarten;
                if (b & Schenke) ++schenken;
            }
        if (sp.AnzahlSternwarten != sternwarten)
            return Stelle("Spieler", p, "hat AnzahlSternwarten", sp.AnzahlSternwarten) + " bei " +
                   std::to_string(sternwarten) + " Sternwarten auf dem Tisch";
        if (sp.AnzahlSchenken != schenken)
            return Stelle("Spieler", p, "hat AnzahlSchenken", sp.AnzahlSchenken) + " bei " +
                   std::to_string(schenken) + " Schenken auf dem Tisch";
        // Observatory and pub bits follow their counters; a correction that takes away one of two
        // copies of another ability card takes its bit away too.
        const uint8_t gezaehlt = (sternwarten ? Sternwarte : 0) | (schenken ? Schenke : 0);
        const uint8_t zaehlbar = Sternwarte | Schenke;
        const uint8_t eigen = sp.Sondereigenschaften;
        if ((eigen & zaehlbar) != gezaehlt || (korrigiert ? (eigen & ~bits) != 0 : eigen != bits))
            return Stelle("Spieler", p, "hat Sondereigenschaften", eigen) + " bei " + std::to_string(bits) +
                   " auf dem Tisch";
    }
    return {};
}

std::string PruefeInvarianten(const TSpielsitzung& g) {
    return PruefeKonsistenz(g.S, g.Katalog(), g.WartendeSternwartenKarte());
}

} // namespace vm
