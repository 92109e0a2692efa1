#include "testspieler.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "control/fensterzustand.h"
#include "model/konsistenz.h"
#include "model/stapel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"

namespace vm::test {

namespace {

template <class... T> std::string Text(const T&... teile) {
    std::ostringstream o;
    (o << ... << teile);
    return o.str();
}

} // namespace

tKartenRef KarteInx(int32_t inx) {
    if (inx >= 1 && inx <= 6) return {1, inx};
    if (inx >= 7 && inx <= 17) return {2, inx - 6};
    if (inx >= 18 && inx <= 24) return {3, inx - 17};
    if (inx >= 25 && inx <= 49) return {4, inx - 24};
    return {};
}

std::string PruefeSpielstand(const TSpielsitzung& g, const TSpielstand* vorher) {
    const TSpielstand& s = g.S;
    if (g.AnzahlFehler != 0) return Text(g.AnzahlFehler, " interne Fehler gemeldet");
    std::string f = PruefeInvarianten(g);
    if (!f.empty()) return f;
    // What the state alone cannot tell: sorted table lists, points, and the step from `vorher`.
    for (int sp = 1; sp <= s.SpielerAnzahl; ++sp) {
        const TSpieler& p = s.Spieler[sp];
        if (p.Siegpunkte < 0) return Text("Spieler ", sp, ": Siegpunkte ", p.Siegpunkte);
        for (int l = 1; l <= 3; ++l)
            for (int i = 2; i <= p.Karten[l].Anzahl; ++i)
                if (g.Daten(OhneMarke(p.Karten[l].Karten[i - 1])).Inx >
                    g.Daten(OhneMarke(p.Karten[l].Karten[i])).Inx)
                    return Text("Spieler ", sp, " Liste ", l, " nicht nach Nummer sortiert");
        if (!vorher) continue;
        const TSpieler& alt = vorher->Spieler[sp];
        const int32_t hand = p.Hand().Anzahl, althand = alt.Hand().Anzahl;
        const int32_t grenze = (alt.Sondereigenschaften & Lagerhaus) ? 4 : 3;
        if (hand > althand && (hand != althand + 1 || hand > grenze))
            return Text("Spieler ", sp, ": Hand von ", althand, " auf ", hand, " Karten (Grenze ", grenze,
                        ")");
    }
    if (vorher) {
        if (s.AblageAnzahl < vorher->AblageAnzahl) return "eine Karte ist vom Ablagestapel zurückgekommen";
        for (int k = 1; k <= 4; ++k)
            if (s.Kartenstapel[k].Naechste < vorher->Kartenstapel[k].Naechste)
                return Text("Stapel ", k, " ist gewachsen");
    }
    return {};
}

const char* AktionName(Aktion a) {
    static const char* const namen[AktionArten] = {
        "Kauf",           "KaufErw",           "Hand",           "LegeHand",         "LegeHandErw",
        "SternwarteKauf", "SternwarteKaufErw", "SternwarteHand", "SternwarteAbwurf", "SternwartePassen",
        "Schenke",        "SchenkeOhneKauf",   "Passen"};
    return namen[static_cast<int>(a)];
}

namespace {

// One possible action: what to do and with which card or place.
struct TKandidat {
    int reihe = 0, platz = 0;  // display place or hand slot
    int32_t ziel = 0;          // table position of an upgrade's target
    int32_t punkte = 0;        // pub
    int stapel = 0, index = 0; // observatory: stack and blue list index
};

enum Gruppe { GKauf, GKaufErw, GHand, GLegeHand, GLegeHandErw, GSternwarte, GSchenke, GPassen, Gruppen };

// Table positions where upgrade `u` may go for this seat at this row, within its money.
void UpgradeZiele(TSpielsitzung& g, int sp, tKartenRef u, int reihe, std::vector<int32_t>& ziele) {
    ziele.clear();
    const tKarte& d = g.Daten(u);
    const TKartenliste& l = g.Sp(sp).Karten[d.Farbe];
    for (int i = 1; i <= l.Anzahl; ++i)
        if (KannErsetzen(g, u, l.Karten[i]) && UpgradePreis(g, sp, u, l.Karten[i], reihe) <= g.Sp(sp).Geld)
            ziele.push_back(Tischposition(g, sp, d.Farbe, i));
}

bool ListeHatPlatz(TSpielsitzung& g, int sp, tKartenRef k) {
    return g.Sp(sp).Karten[g.Daten(k).Farbe].Anzahl < StapelPlaetze;
}

} // namespace

Aktion TestSpieler::Zug(TSpielsitzung& g) {
    TSpielstand& s = g.S;
    const int sp = s.AktuellerSpieler;
    TSpieler& p = g.Sp(sp);
    std::vector<TKandidat> k[Gruppen];
    std::vector<int32_t> ziele;

    if (s.SchenkeModus) {
        const int32_t hoechstens = std::min(p.Geld / 2, 5 * p.AnzahlSchenken);
        for (int32_t n = 0; n <= hoechstens; ++n) k[GSchenke].push_back({.punkte = n});
    } else {
        for (int r = 1; r <= 2; ++r) {
            for (int pl = 1; pl <= 8; ++pl) {
                tKartenRef c = s.Auslage[r].Karten[pl];
                if (c.Leer()) continue;
                if (g.Daten(c).Erweiterung) {
                    UpgradeZiele(g, sp, c, r, ziele);
                    for (int32_t z : ziele) k[GKaufErw].push_back({.reihe = r, .platz = pl, .ziel = z});
                } else if (p.Geld >= KostenKarte(g, sp, c, r) && ListeHatPlatz(g, sp, c)) {
                    k[GKauf].push_back({.reihe = r, .platz = pl});
                }
                if (KannHandkarteAufnehmen(g, sp)) k[GHand].push_back({.reihe = r, .platz = pl});
            }
        }
        for (int h = 1; h <= p.Hand().Anzahl; ++h) {
            tKartenRef c = p.Hand().Karten[h];
            if (g.Daten(c).Erweiterung) {
                UpgradeZiele(g, sp, c, 1, ziele);
                for (int32_t z : ziele) k[GLegeHandErw].push_back({.platz = h, .ziel = z});
            } else if (p.Geld >= KostenKarte(g, sp, c, 1) && ListeHatPlatz(g, sp, c)) {
                k[GLegeHand].push_back({.platz = h});
            }
        }
        if (s.Phase == 2) {
            const TKartenliste& blau = p.Karten[2];
            for (int i = 1; i <= blau.Anzahl; ++i) {
                if (KarteBenutzt(blau.Karten[i]) ||
                    !(g.Daten(blau.Karten[i]).Sondereigenschaften & Sternwarte))
                    continue;
                for (int st = 1; st <= 4; ++st)
                    if (s.RestStapel(st) >= 2) k[GSternwarte].push_back({.stapel = st, .index = i});
            }
        }
    }
    k[GPassen].push_back({});

    int moeglich[Gruppen], anzahl = 0;
    for (int gr = 0; gr < Gruppen; ++gr)
        if (!k[gr].empty()) moeglich[anzahl++] = gr;
    const int gruppe = moeglich[Wuerfel(anzahl)];
    const TKandidat& w = k[gruppe][Wuerfel(static_cast<int>(k[gruppe].size()))];

    Aktion ergebnis = Aktion::Passen;
    switch (gruppe) {
    case GKauf: {
        tKartenRef c = ZieheKarteAuslage(g, w.reihe, w.platz);
        LegeBezahleSpielerkarteTisch(g, sp, p.Tischkarten() + 1, w.reihe, c);
        ergebnis = Aktion::Kauf;
        break;
    }
    case GKaufErw: {
        tKartenRef c = ZieheKarteAuslage(g, w.reihe, w.platz);
        LegeBezahleSpielerkarteTisch(g, sp, w.ziel, w.reihe, c);
        ergebnis = Aktion::KaufErw;
        break;
    }
    case GHand: {
        tKartenRef c = ZieheKarteAuslage(g, w.reihe, w.platz);
        NimmKarteAufHand(g, sp, c);
        ergebnis = Aktion::Hand;
        break;
    }
    case GLegeHand:
    case GLegeHandErw: {
        tKartenRef c = ZieheKarteHand(g, sp, w.platz);
        LegeBezahleSpielerkarteTisch(g, sp, gruppe == GLegeHand ? p.Tischkarten() + 1 : w.ziel, 1, c);
        p.LetzteAktion = AktionKaufH;
        ergebnis = gruppe == GLegeHand ? Aktion::LegeHand : Aktion::LegeHandErw;
        break;
    }
    case GSternwarte: {
        BenutzeTischkarte(g, sp, 2, w.index);
        tKartenRef c;
        int32_t rest;
        if (!ZieheVomStapel(g, w.stapel, c, rest)) {
            g.InternerFehler(99, "TestSpieler: Stapel ohne Karte");
            break;
        }
        // The choices a seat has with the drawn card; discarding is always possible.
        enum { Kaufen, KaufenErw, AufHand, Abwerfen };
        std::vector<TKandidat> wahl{{.punkte = Abwerfen}};
        if (KannHandkarteAufnehmen(g, sp)) wahl.push_back({.punkte = AufHand});
        if (g.Daten(c).Erweiterung) {
            UpgradeZiele(g, sp, c, 1, ziele);
            for (int32_t z : ziele) wahl.push_back({.ziel = z, .punkte = KaufenErw});
        } else if (p.Geld >= KostenKarte(g, sp, c, 1) && ListeHatPlatz(g, sp, c)) {
            wahl.push_back({.punkte = Kaufen});
        }
        const TKandidat& e = wahl[Wuerfel(static_cast<int>(wahl.size()))];
        switch (e.punkte) {
        case Kaufen:
            if (!LegeBezahleSpielerkarteTischNormSW(g, sp, c))
                g.InternerFehler(98, "TestSpieler: Kauf abgelehnt");
            ergebnis = Aktion::SternwarteKauf;
            break;
        case KaufenErw:
            ergebnis = Aktion::SternwarteKaufErw;
            if (!g.S.Computer[sp]) {
                TFensterZustand fenster(g);
                fenster.SternwartenKarte = c;
                if (!AktiviereFreienTischplatzErwSW(g, sp, c) || !fenster.MarkierteTischplaetze[e.ziel])
                    g.InternerFehler(96, "TestSpieler: Ziel nicht angeboten");
                if (Wuerfel(2) == 0) {
                    Passen(g, sp);
                    ergebnis = Aktion::SternwartePassen;
                    break;
                }
                TischplaetzeDeaktivieren(g, sp);
                fenster.SternwartenKarte = {};
            }
            LegeBezahleSpielerkarteTischErwSW(g, sp, e.ziel, c);
            break;
        case AufHand:
            if (!NimmKarteAufHandSW(g, sp, c)) g.InternerFehler(97, "TestSpieler: Hand abgelehnt");
            ergebnis = Aktion::SternwarteHand;
            break;
        default:
            WirfKarteAb(g, sp, c);
            ergebnis = Aktion::SternwarteAbwurf;
        }
        break;
    }
    case GSchenke:
        if (w.punkte > 0) KaufSiegpunkte(g, sp, w.punkte);
        ergebnis = w.punkte > 0 ? Aktion::Schenke : Aktion::SchenkeOhneKauf;
        break;
    default:
        Passen(g, sp);
        ergebnis = Aktion::Passen;
    }
    NaechsterSpieler(g);
    return ergebnis;
}

void NeueTestpartie(TSpielsitzung& g, int spieler, uint32_t seed, bool adelsbonus, bool verdeckt,
                    bool keineHofmeisterin) {
    g.Menue.SpielerAnzahl = spieler;
    g.Menue.AdelsbonusErweitert = adelsbonus;
    g.Menue.VerdeckteHandkarten = verdeckt;
    g.Menue.KeineHofmeisterinRunde1 = keineHofmeisterin;
    g.SimulationLaeuft = true;
    g.Zufall.RandSeed = seed;
    for (int s = 1; s <= 4; ++s) g.S.Computer[s] = 1;
    SpielAufbau(g);
    for (int s = 1; s <= 4; ++s) g.S.Computer[s] = 1;
}

std::string SpieleBisEnde(TSpielsitzung& g, TestSpieler& t, TAktionZaehler& zaehler, int64_t maxAktionen) {
    std::string f = PruefeSpielstand(g);
    if (!f.empty()) return "nach dem Aufbau: " + f;
    TSpielstand vorher;
    for (int64_t i = 1; !g.S.Spielende; ++i) {
        if (i > maxAktionen) return Text("nach ", maxAktionen, " Aktionen nicht zu Ende");
        std::memcpy(static_cast<void*>(&vorher), &g.S, sizeof vorher);
        const int sitz = g.S.AktuellerSpieler;
        Aktion a = t.Zug(g);
        ++zaehler[static_cast<int>(a)];
        f = PruefeSpielstand(g, &vorher);
        if (!f.empty())
            return Text("Aktion ", i, " (", AktionName(a), " von Spieler ", sitz, ", Runde ", vorher.Runde,
                        ", Phase ", vorher.Phase, "): ", f);
    }
    return {};
}

void LeereSpieler(TSpielsitzung& g, int spieler) {
    TSpieler& p = g.Sp(spieler);
    for (int l = 1; l <= 4; ++l) {
        p.Karten[l].Anzahl = 0;
        for (tKartenRef& k : p.Karten[l].Karten) k = {};
    }
    p.Sondereigenschaften = 0;
    p.AnzahlSternwarten = 0;
    p.AnzahlSchenken = 0;
}

void LegeAufTisch(TSpielsitzung& g, int spieler, std::initializer_list<int32_t> inx) {
    TSpieler& p = g.Sp(spieler);
    for (int32_t i : inx) {
        tKartenRef k = KarteInx(i);
        const tKarte& d = g.Daten(k);
        TKartenliste& l = p.Karten[d.Farbe];
        l.Karten[++l.Anzahl] = k;
        p.Sondereigenschaften |= d.Sondereigenschaften;
        if (d.Sondereigenschaften & Sternwarte) ++p.AnzahlSternwarten;
        if (d.Sondereigenschaften & Schenke) ++p.AnzahlSchenken;
    }
}

void LegeInHand(TSpielsitzung& g, int spieler, std::initializer_list<int32_t> inx) {
    TKartenliste& h = g.Sp(spieler).Hand();
    for (int32_t i : inx) h.Karten[++h.Anzahl] = KarteInx(i);
}

void LeereAuslage(TSpielsitzung& g) {
    g.AuslageGeaendert(); // the callers fill the rows directly afterwards
    for (int r = 1; r <= 2; ++r) {
        g.S.Auslage[r].Anzahl = 0;
        for (tKartenRef& k : g.S.Auslage[r].Karten) k = {};
    }
}

void Stellung::Aufbauen(int spieler, uint32_t seed) {
    g.Menue.SpielerAnzahl = spieler;
    g.Zufall.RandSeed = seed;
    g.S.Computer[1] = 0;
    SpielAufbau(g);
    for (int s = 1; s <= 4; ++s) {
        LeereSpieler(g, s);
        g.Sp(s).Geld = 0;
    }
    LeereAuslage(g);
    g.Log.Leeren();
    g.Log.TraceAn = true;
}

const std::string& Stellung::LetzteZeile() const {
    static const std::string leer;
    return g.Log.Zeilen().empty() ? leer : g.Log.Zeilen().back();
}

int Stellung::ZeilenMit(const std::string& teil) const {
    int n = 0;
    for (const std::string& z : g.Log.Zeilen())
        if (z.find(teil) != std::string::npos) ++n;
    return n;
}

std::filesystem::path FrischerOrdner(const std::string& name) {
    std::filesystem::path p =
        std::filesystem::temp_directory_path() / ("veldmark-test-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
}

std::string LiesDatei(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

} // namespace vm::test
