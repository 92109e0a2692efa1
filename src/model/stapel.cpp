#include "model/stapel.h"

namespace vm {

namespace {
constexpr int32_t InxHofmeisterin = 24;
}

void MischeKarten(TSpielsitzung& g, int k, int tabelle, int arten, std::string_view name) {
    Arr1<tKartenRef, StapelPlaetze> arbeit; // only places 1..anzahl are filled and drawn
    int32_t anzahl = 0;
    for (int i = 1; i <= arten; ++i) {
        int32_t n = g.Katalog().Art(tabelle, i).Anzahl;
        if (anzahl + n > StapelPlaetze) {
            g.InternerFehler(1, "MischeKarten");
            return;
        }
        for (int c = 0; c < n; ++c) arbeit[++anzahl] = {k, i};
    }
    g.Trace("");
    g.Trace("Spielstart: ", name);
    TKartenstapel& st = g.S.Kartenstapel[k];
    if (g.TraceAn()) {
        for (int j = 1; j <= anzahl; ++j) {
            int32_t r;
            do {
                r = g.Zufall.Random(anzahl) + 1;
            } while (arbeit[r].Farbe == 0);
            st.Karten[j] = arbeit[r];
            arbeit[r].Farbe = 0;
            g.Trace(j, ": ", st.Karten[j]);
        }
    } else {
        // The same draws without a branch on each: a draw that hits a card already taken writes
        // place j anyway, and the next draw writes it again. Late in the pile most draws miss,
        // and a branch on them would mostly be mispredicted. Clearing the drawn place's bit
        // changes nothing when it was clear already.
        static_assert(StapelPlaetze < 32);
        TZufall zufall = g.Zufall;
        uint32_t frei =
            static_cast<uint32_t>((uint64_t{1} << anzahl) - 1); // bit r: place r + 1 not taken yet
        const tKartenRef* karten = arbeit.begin();              // karten[r] is place r + 1
        tKartenRef* platz = st.Karten.begin();
        tKartenRef* const ende = platz + anzahl;
        while (platz != ende) {
            const int32_t r = zufall.Random(anzahl);
            const uint32_t bit = 1u << r; // one variable shift, not two
            *platz = karten[r];
            platz += (frei & bit) != 0;
            frei &= ~bit;
        }
        g.Zufall = zufall;
    }
    for (int j = anzahl + 1; j <= StapelPlaetze; ++j) st.Karten[j] = {};
    st.Anzahl = anzahl;
    st.Naechste = 1;
}

void MischeAlleStapel(TSpielsitzung& g) {
    MischeKarten(g, 1, 1, ArtenJeTabelle[1], "Grüner Kartenstapel: ");
    MischeKarten(g, 2, 2, ArtenJeTabelle[2], "Blauer Kartenstapel: ");
    MischeKarten(g, 3, 3, ArtenJeTabelle[3], "Roter Kartenstapel: ");
    MischeKarten(g, 4, 4, ArtenJeTabelle[4], "Erw. Kartenstapel: ");
    for (int k = 1; k <= 4; ++k) g.Brett().StapelAnzeigen(k);
}

bool ZieheVomStapel(TSpielsitzung& g, int k, tKartenRef& karte, int32_t& rest) {
    TKartenstapel& st = g.S.Kartenstapel[k];
    if (st.Naechste < 1 || st.Naechste > st.Anzahl || st.Anzahl > StapelPlaetze) {
        rest = 0;
        karte = {};
        return false;
    }
    karte = st.Karten[st.Naechste];
    ++st.Naechste;
    if (g.S.KeineHofmeisterinRunde1 && g.S.Runde == 1 && k == 3 && g.Daten(karte).Inx == InxHofmeisterin &&
        st.Naechste <= st.Anzahl) {
        for (int versuch = 0; versuch < 100; ++versuch) {
            int32_t j = st.Naechste + g.Zufall.Random(st.Anzahl - st.Naechste + 1);
            if (g.Daten(st.Karten[j]).Inx != InxHofmeisterin) {
                tKartenRef andere = st.Karten[j];
                st.Karten[j] = karte;
                karte = andere;
                break;
            }
        }
    }
    g.Brett().StapelAnzeigen(k);
    rest = g.S.RestStapel(k);
    g.Trace("Ziehe vom Stapel ", k, " : ", karte);
    return true;
}

bool LegeInAuslage(TSpielsitzung& g, tKartenRef karte, int reihe, int32_t& frei) {
    TAuslageReihe& r = g.S.Auslage[reihe];
    int32_t gesamt = g.S.Auslage[1].Anzahl + g.S.Auslage[2].Anzahl;
    frei = 7 - gesamt;
    if (gesamt >= 8 || r.Anzahl >= 8) return false;
    g.AuslageGeaendert();
    ++r.Anzahl;
    r.Karten[r.Anzahl] = karte;
    g.Brett().AuslageAnzeigen(reihe, r.Anzahl);
    g.Trace("Lege in Auslage Reihe ", reihe, " : ", karte);
    return true;
}

void InitKartenauslage(TSpielsitzung& g) {
    g.AuslageGeaendert();
    for (int reihe = 1; reihe <= 2; ++reihe) {
        g.S.Auslage[reihe].Anzahl = 0;
        for (int p = 1; p <= 8; ++p) {
            g.S.Auslage[reihe].Karten[p] = {};
            g.Brett().AuslageAnzeigen(reihe, p);
        }
    }
    for (int i = 0; i < 2 * g.S.SpielerAnzahl; ++i) {
        tKartenRef karte;
        int32_t rest, frei;
        if (!ZieheVomStapel(g, 1, karte, rest)) {
            g.InternerFehler(1, "InitKartenauslage");
            return;
        }
        if (!LegeInAuslage(g, karte, 1, frei)) {
            g.InternerFehler(2, "InitKartenauslage");
            return;
        }
    }
}

tKartenRef ZieheKarteAuslage(TSpielsitzung& g, int reihe, int platz) {
    // An empty place would leave the count wrong, so it is refused like a place outside the rows.
    if (reihe < 1 || reihe > 2 || platz < 1 || platz > 8 || g.S.Auslage[reihe].Karten[platz].Leer()) {
        g.InternerFehler(1, "ZieheKarteAuslage");
        return {};
    }
    g.AuslageEntnommen(reihe, platz);
    TAuslageReihe& r = g.S.Auslage[reihe];
    tKartenRef karte = r.Karten[platz];
    --r.Anzahl;
    if (reihe == 1) {
        for (int p = platz; p <= 7; ++p) r.Karten[p] = r.Karten[p + 1];
        r.Karten[8] = {};
        for (int p = platz; p <= 8; ++p) g.Brett().AuslageAnzeigen(1, p);
    } else {
        for (int p = platz; p >= 2; --p) r.Karten[p] = r.Karten[p - 1];
        r.Karten[1] = {};
        for (int p = platz; p >= 1; --p) g.Brett().AuslageAnzeigen(2, p);
    }
    return karte;
}

int32_t VerschiebeAuslage(TSpielsitzung& g) {
    g.AuslageGeaendert();
    TAuslageReihe& r1 = g.S.Auslage[1];
    TAuslageReihe& r2 = g.S.Auslage[2];
    for (int i = 1; i <= 8; ++i) {
        r2.Karten[9 - i] = r1.Karten[i];
        r1.Karten[i] = {};
        g.Brett().AuslageAnzeigen(2, 9 - i);
        g.Brett().AuslageAnzeigen(1, i);
    }
    int32_t abgeworfen = r2.Anzahl;
    g.S.AblageAnzahl += abgeworfen;
    r2.Anzahl = r1.Anzahl;
    r1.Anzahl = 0;
    return abgeworfen;
}

} // namespace vm
