#include "testspieler.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

#include "model/stapel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"

namespace vm::test {

namespace {

constexpr int32_t DeckGroesse[5] = {0, 31, 28, 27, 30};
constexpr int32_t KartenImSpiel = 116;
constexpr int32_t InxSternwarte = 11;

template <class... T> std::string Text(const T&... teile) {
    std::ostringstream o;
    (o << ... << teile);
    return o.str();
}

std::string RefText(tKartenRef k) {
    return Text("(", k.Farbe, ",", k.Ref, ")");
}

// Where the cards of the deck are: built into the stacks, and found outside the discard pile.
struct TBestand {
    int32_t gebaut[50] = {};
    int32_t gefunden[50] = {};
    std::string fehler;
};

TBestand Zaehle(const TKatalog& kat, const TSpielstand& s) {
    TBestand b;
    // The place is only put into words when something is wrong there.
    auto finde = [&](tKartenRef k, const char* wo, int a, int c) {
        if (!TKatalog::Gueltig(k)) {
            if (b.fehler.empty())
                b.fehler = Text(wo, " ", a, "/", c, ": keine Karte des Spiels ", RefText(k));
            return;
        }
        ++b.gefunden[kat.Daten(k).Inx];
    };
    for (int k = 1; k <= 4; ++k) {
        const TKartenstapel& st = s.Kartenstapel[k];
        if (st.Anzahl != DeckGroesse[k]) {
            b.fehler = Text("Stapel ", k, ": Anzahl ", st.Anzahl, " statt ", DeckGroesse[k]);
            return b;
        }
        if (st.Naechste < 1 || st.Naechste > st.Anzahl + 1) {
            b.fehler = Text("Stapel ", k, ": Naechste ", st.Naechste);
            return b;
        }
        // Drawn places are history only (the round-1 swap of the variant leaves them stale).
        for (int j = st.Naechste; j <= st.Anzahl; ++j) {
            tKartenRef c = st.Karten[j];
            if (!TKatalog::Gueltig(c) || c.Farbe != k) {
                b.fehler = Text("Stapel ", k, " Platz ", j, ": ", RefText(c));
                return b;
            }
            ++b.gefunden[kat.Daten(c).Inx];
        }
        for (int i = 1; i <= ArtenJeTabelle[k]; ++i) b.gebaut[kat.Art(k, i).Inx] = kat.Art(k, i).Anzahl;
    }
    for (int r = 1; r <= 2; ++r)
        for (int p = 1; p <= 8; ++p)
            if (!s.Auslage[r].Karten[p].Leer()) finde(s.Auslage[r].Karten[p], "Auslage", r, p);
    for (int sp = 1; sp <= s.SpielerAnzahl && sp <= 4; ++sp) {
        for (int l = 1; l <= 4; ++l) {
            const TKartenliste& liste = s.Spieler[sp].Karten[l];
            for (int i = 1; i <= liste.Anzahl && i <= StapelPlaetze; ++i)
                finde(l < 4 ? OhneMarke(liste.Karten[i]) : liste.Karten[i], "Spieler/Liste", sp, l);
        }
    }
    return b;
}

} // namespace

tKartenRef KarteInx(int32_t inx) {
    if (inx >= 1 && inx <= 6) return {1, inx};
    if (inx >= 7 && inx <= 17) return {2, inx - 6};
    if (inx >= 18 && inx <= 24) return {3, inx - 17};
    if (inx >= 25 && inx <= 49) return {4, inx - 24};
    return {};
}

std::string PruefeSpielstand(const Spielsitzung& g, const TSpielstand* vorher) {
    const TSpielstand& s = g.S;
    const TKatalog& kat = g.Katalog();
    if (g.AnzahlFehler != 0) return Text(g.AnzahlFehler, " interne Fehler gemeldet");
    const int n = s.SpielerAnzahl;
    if (n < 2 || n > 4) return Text("SpielerAnzahl ", n);
    if (s.Phase < 1 || s.Phase > 4) return Text("Phase ", s.Phase);
    if (s.AktuellerSpieler < 1 || s.AktuellerSpieler > n)
        return Text("AktuellerSpieler ", s.AktuellerSpieler);
    if (s.AnzahlPassen < 0 || s.AnzahlPassen > n) return Text("AnzahlPassen ", s.AnzahlPassen);
    if (s.Runde < 1) return Text("Runde ", s.Runde);
    if (s.SchenkeModus && s.Phase != 2) return Text("SchenkeModus in Phase ", s.Phase);
    if (s.Spielende && s.AktuellerSpieler != 1) return "Spielende mit AktuellerSpieler != 1";
    for (int r = 1; r <= 4; ++r)
        if (s.Startspieler[r] < 1 || s.Startspieler[r] > n)
            return Text("Startspieler[", r, "] = ", s.Startspieler[r]);

    // Display: at most 8 cards, row 1 packed left, row 2 packed right.
    const int32_t a1 = s.Auslage[1].Anzahl, a2 = s.Auslage[2].Anzahl;
    if (a1 < 0 || a2 < 0 || a1 + a2 > 8) return Text("Auslage: Anzahl ", a1, " + ", a2);
    for (int p = 1; p <= 8; ++p) {
        bool voll1 = !s.Auslage[1].Karten[p].Leer(), soll1 = p <= a1;
        bool voll2 = !s.Auslage[2].Karten[p].Leer(), soll2 = p >= 9 - a2;
        if (voll1 != soll1)
            return Text("Auslage Reihe 1 nicht links gepackt (Platz ", p, ", Anzahl ", a1, ")");
        if (voll2 != soll2)
            return Text("Auslage Reihe 2 nicht rechts gepackt (Platz ", p, ", Anzahl ", a2, ")");
    }

    // Seats.
    for (int sp = 1; sp <= 4; ++sp) {
        const TSpieler& p = s.Spieler[sp];
        if (sp > n) {
            if (p.Geld != 0 || p.Siegpunkte != 0)
                return Text("Spieler ", sp, " nimmt nicht teil, hat aber Geld/Punkte");
            for (int l = 1; l <= 4; ++l)
                if (p.Karten[l].Anzahl != 0)
                    return Text("Spieler ", sp, " nimmt nicht teil, hat aber Karten");
            continue;
        }
        if (p.Geld < 0) return Text("Spieler ", sp, ": Geld ", p.Geld);
        if (p.Siegpunkte < 0) return Text("Spieler ", sp, ": Siegpunkte ", p.Siegpunkte);
        uint8_t bits = 0;
        int32_t sternwarten = 0, schenken = 0;
        for (int l = 1; l <= 3; ++l) {
            const TKartenliste& liste = p.Karten[l];
            if (liste.Anzahl < 0 || liste.Anzahl > StapelPlaetze)
                return Text("Spieler ", sp, " Liste ", l, ": Anzahl ", liste.Anzahl);
            int32_t letzte = 0;
            for (int i = 1; i <= liste.Anzahl; ++i) {
                tKartenRef k = liste.Karten[i];
                const tKarte& d = kat.Daten(k);
                if (!TKatalog::Gueltig(OhneMarke(k)))
                    return Text("Spieler ", sp, " Liste ", l, ": ", RefText(k));
                if (KarteBenutzt(k) && (l != 2 || d.Inx != InxSternwarte || s.Phase != 2))
                    return Text("Spieler ", sp, ": Benutzt-Marke auf ", RefText(k), " in Phase ", s.Phase);
                if (d.Farbe != l) return Text("Spieler ", sp, ": Karte ", d.Inx, " in Liste ", l);
                if (d.Inx < letzte)
                    return Text("Spieler ", sp, " Liste ", l, " nicht nach Inx sortiert (", letzte, " vor ",
                                d.Inx, ")");
                letzte = d.Inx;
                bits |= d.Sondereigenschaften;
                if (d.Sondereigenschaften & Sternwarte) ++sternwarten;
                if (d.Sondereigenschaften & Schenke) ++schenken;
            }
        }
        if (p.Sondereigenschaften != bits)
            return Text("Spieler ", sp, ": Sondereigenschaften ", int{p.Sondereigenschaften}, " statt ",
                        int{bits});
        if (p.AnzahlSternwarten != sternwarten)
            return Text("Spieler ", sp, ": AnzahlSternwarten ", p.AnzahlSternwarten, " statt ", sternwarten);
        if (p.AnzahlSchenken != schenken)
            return Text("Spieler ", sp, ": AnzahlSchenken ", p.AnzahlSchenken, " statt ", schenken);
        const int32_t hand = p.Hand().Anzahl;
        if (hand < 0 || hand > 4) return Text("Spieler ", sp, ": ", hand, " Handkarten");
        if (vorher) {
            const TSpieler& alt = vorher->Spieler[sp];
            const int32_t althand = alt.Hand().Anzahl;
            const int32_t grenze = (alt.Sondereigenschaften & Lagerhaus) ? 4 : 3;
            if (hand > althand && (hand != althand + 1 || hand > grenze))
                return Text("Spieler ", sp, ": Hand von ", althand, " auf ", hand, " Karten (Grenze ", grenze,
                            ")");
        }
    }

    // Card conservation.
    TBestand b = Zaehle(kat, s);
    if (!b.fehler.empty()) return b.fehler;
    int32_t gebaut = 0, fehlend = 0;
    for (int inx = 1; inx <= 49; ++inx) {
        const tKarte& d = kat.Daten(KarteInx(inx));
        if (b.gefunden[inx] > b.gebaut[inx])
            return Text("Karte ", inx, " (", d.Name, "): ", b.gefunden[inx], " Stück im Spiel, gebaut ",
                        b.gebaut[inx]);
        gebaut += b.gebaut[inx];
        fehlend += b.gebaut[inx] - b.gefunden[inx];
    }
    if (gebaut != KartenImSpiel) return Text(gebaut, " Karten gebaut statt ", KartenImSpiel);
    if (fehlend != s.AblageAnzahl) return Text(fehlend, " Karten fehlen, AblageAnzahl ist ", s.AblageAnzahl);
    if (vorher) {
        TBestand a = Zaehle(kat, *vorher);
        if (a.fehler.empty()) {
            for (int inx = 1; inx <= 49; ++inx)
                if (b.gebaut[inx] - b.gefunden[inx] < a.gebaut[inx] - a.gefunden[inx])
                    return Text("Karte ", inx, " ist vom Ablagestapel zurückgekommen");
        }
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
void UpgradeZiele(Spielsitzung& g, int sp, tKartenRef u, int reihe, std::vector<int32_t>& ziele) {
    ziele.clear();
    const tKarte& d = g.Daten(u);
    const TKartenliste& l = g.Sp(sp).Karten[d.Farbe];
    for (int i = 1; i <= l.Anzahl; ++i)
        if (KannErsetzen(g, u, l.Karten[i]) && UpgradePreis(g, sp, u, l.Karten[i], reihe) <= g.Sp(sp).Geld)
            ziele.push_back(Tischposition(g, sp, d.Farbe, i));
}

bool ListeHatPlatz(Spielsitzung& g, int sp, tKartenRef k) {
    return g.Sp(sp).Karten[g.Daten(k).Farbe].Anzahl < StapelPlaetze;
}

} // namespace

Aktion TestSpieler::Zug(Spielsitzung& g) {
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
                g.SternwartenKarte = c;
                if (!AktiviereFreienTischplatzErwSW(g, sp, c) || !g.MarkierteTischplaetze[e.ziel])
                    g.InternerFehler(96, "TestSpieler: Ziel nicht angeboten");
                if (Wuerfel(2) == 0) {
                    Passen(g, sp);
                    ergebnis = Aktion::SternwartePassen;
                    break;
                }
                TischplaetzeDeaktivieren(g, sp);
                g.SternwartenKarte = {};
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

void NeueTestpartie(Spielsitzung& g, int spieler, uint32_t seed, bool adelsbonus, bool verdeckt,
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

std::string SpieleBisEnde(Spielsitzung& g, TestSpieler& t, TAktionZaehler& zaehler, int64_t maxAktionen) {
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

void LeereSpieler(Spielsitzung& g, int spieler) {
    TSpieler& p = g.Sp(spieler);
    for (int l = 1; l <= 4; ++l) {
        p.Karten[l].Anzahl = 0;
        for (tKartenRef& k : p.Karten[l].Karten) k = {};
    }
    p.Sondereigenschaften = 0;
    p.AnzahlSternwarten = 0;
    p.AnzahlSchenken = 0;
}

void LegeAufTisch(Spielsitzung& g, int spieler, std::initializer_list<int32_t> inx) {
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

void LegeInHand(Spielsitzung& g, int spieler, std::initializer_list<int32_t> inx) {
    TKartenliste& h = g.Sp(spieler).Hand();
    for (int32_t i : inx) h.Karten[++h.Anzahl] = KarteInx(i);
}

void LeereAuslage(Spielsitzung& g) {
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
