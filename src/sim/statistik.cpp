#include "sim/statistik.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

#include "ai/einstellungen.h"
#include "model/sitzung.h"
#include "rules/wertung.h"

namespace vm {

namespace {

// Every counter grows by at most one list of cards per game, so this many games always fit.
constexpr int32_t MaxSpiele = INT32_MAX / StapelPlaetze;

void Anfang(TMinSumMax& m) {
    m = {1000, 0, -1};
}

bool Passt(const TMinSumMax& m, int32_t v) {
    return v >= 0 ? m.Sum <= INT32_MAX - v : m.Sum >= INT32_MIN - v;
}

void Nimm(TMinSumMax& m, int32_t v) {
    m.Sum += v;
    if (v < m.Min) m.Min = v;
    if (v > m.Max) m.Max = v;
}

// The values one game adds, gathered first so that a full record can refuse the game whole.
struct TSpielWerte {
    int32_t runde;
    int32_t rest[6];
    int32_t tisch[5], farbe[5][4], punkte[5], adel[5], hand[5], platz[5];
    int sieger;
};

} // namespace

void StatistikLeeren(TSimStatistik& st) {
    std::memset(static_cast<void*>(&st), 0, sizeof st);
    st.Runden = {1000, 0, 0};
    for (TMinSumMax& m : st.StapelRest) Anfang(m);
    for (int p = 1; p <= 4; ++p) {
        Anfang(st.Tischkarten[p]);
        for (TMinSumMax& m : st.TischkartenFarbe[p]) Anfang(m);
        Anfang(st.Siegpunkte[p]);
        Anfang(st.Adelsarten[p]);
    }
    for (auto& runde : st.SiegpunkteNachRunden)
        for (TMinSumMax& m : runde) Anfang(m);
    Anfang(st.SiegpunkteSieger);
}

void StatistikInit(TSimStatistik& st, const TSpielsitzung& g) {
    StatistikLeeren(st);
    st.SpielerAnzahl = g.Menue.SpielerAnzahl;
    st.Einstellung = g.Einstellungen.Fuer(g.Menue.SpielerAnzahl);
    st.RandSeed = g.Zufall.RandSeed;
}

bool StatistikSpiel(TSimStatistik& st, const TSpielsitzung& g) {
    const TSpielstand& s = g.S;
    const int n = std::clamp(st.SpielerAnzahl, 1, 4);
    TSpielWerte w;
    w.runde = s.Runde;
    for (int k = 1; k <= 4; ++k) w.rest[k] = s.RestStapel(k);
    w.rest[5] = s.AblageAnzahl;
    w.sieger = 0;
    for (int p = 1; p <= n; ++p) {
        const TSpieler& sp = s.Spieler[p];
        w.tisch[p] = sp.Tischkarten();
        for (int f = 1; f <= 3; ++f) w.farbe[p][f] = sp.Karten[f].Anzahl;
        w.punkte[p] = sp.Siegpunkte;
        w.adel[p] = Adelsbonus(g, p).arten;
        w.hand[p] = sp.Hand().Anzahl;
        w.platz[p] = g.Platz[p];
        if (w.platz[p] == 1) w.sieger = p;
    }
    const bool rundeGezaehlt = w.runde >= 1 && w.runde <= StatistikMaxRunden;

    bool passt = st.AnzahlSpiele < MaxSpiele && Passt(st.Runden, w.runde);
    for (int k = 1; k <= 5; ++k) passt = passt && Passt(st.StapelRest[k], w.rest[k]);
    for (int p = 1; p <= n; ++p) {
        passt = passt && Passt(st.Tischkarten[p], w.tisch[p]) && Passt(st.Siegpunkte[p], w.punkte[p]) &&
                Passt(st.Adelsarten[p], w.adel[p]);
        for (int f = 1; f <= 3; ++f) passt = passt && Passt(st.TischkartenFarbe[p][f], w.farbe[p][f]);
        if (rundeGezaehlt) passt = passt && Passt(st.SiegpunkteNachRunden[w.runde][p], w.punkte[p]);
    }
    if (w.sieger) passt = passt && Passt(st.SiegpunkteSieger, w.punkte[w.sieger]);
    if (!passt) return false;

    ++st.AnzahlSpiele;
    Nimm(st.Runden, w.runde);
    for (int k = 1; k <= 5; ++k) Nimm(st.StapelRest[k], w.rest[k]);
    for (int p = 1; p <= n; ++p) {
        if (w.platz[p] >= 1 && w.platz[p] <= 4) ++st.Platzierungen[p][w.platz[p]];
        Nimm(st.Tischkarten[p], w.tisch[p]);
        for (int f = 1; f <= 3; ++f) Nimm(st.TischkartenFarbe[p][f], w.farbe[p][f]);
        Nimm(st.Siegpunkte[p], w.punkte[p]);
        if (rundeGezaehlt) Nimm(st.SiegpunkteNachRunden[w.runde][p], w.punkte[p]);
        if (w.hand[p] >= 0 && w.hand[p] <= 4) ++st.Handkarten[p][w.hand[p] + 1];
        Nimm(st.Adelsarten[p], w.adel[p]);
    }
    if (w.sieger) Nimm(st.SiegpunkteSieger, w.punkte[w.sieger]);
    if (rundeGezaehlt) ++st.SpieleMitRunden[w.runde];
    for (int p = 1; p <= n; ++p) {
        if (w.platz[p] < 1 || w.platz[p] > 4) continue;
        auto& karten = st.Karten[p][w.platz[p]];
        const TSpieler& sp = s.Spieler[p];
        for (int f = 1; f <= 3; ++f) {
            const TKartenliste& l = sp.Karten[f];
            for (int i = 1; i <= std::min(l.Anzahl, StapelPlaetze); ++i) {
                tKartenRef k = OhneMarke(l.Karten[i]);
                if (k.Farbe >= 1 && k.Farbe <= KatalogTabellen && k.Ref >= 1 && k.Ref <= KatalogPlaetze)
                    ++karten[k.Farbe][k.Ref];
            }
        }
    }
    return true;
}

namespace {

bool GleicheEinstellung(const TStrategieEinstellung& a, const TStrategieEinstellung& b, int spieler) {
    // The simulation flag and the series length do not change how the games are played, nor do
    // strategy and money of seats that do not take part. All four start roles are dealt.
    for (int p = 1; p <= spieler; ++p)
        if (a.Strategie[p] != b.Strategie[p] || a.StartGeld[p] != b.StartGeld[p]) return false;
    return std::memcmp(&a.StartRolle, &b.StartRolle, sizeof a.StartRolle) == 0 &&
           std::memcmp(a.Parameter123, b.Parameter123, sizeof a.Parameter123) == 0 &&
           std::memcmp(a.Parameter, b.Parameter, sizeof a.Parameter) == 0;
}

// Visits every counter of two records in the same order.
template <class Z, class M>
void JederZaehler(TSimStatistik& a, const TSimStatistik& b, Z zaehler, M minSumMax) {
    zaehler(a.AnzahlSpiele, b.AnzahlSpiele);
    minSumMax(a.Runden, b.Runden);
    for (int p = 1; p <= 4; ++p)
        for (int q = 1; q <= 4; ++q) zaehler(a.Platzierungen[p][q], b.Platzierungen[p][q]);
    for (int k = 1; k <= 5; ++k) minSumMax(a.StapelRest[k], b.StapelRest[k]);
    for (int p = 1; p <= 4; ++p) {
        minSumMax(a.Tischkarten[p], b.Tischkarten[p]);
        for (int f = 1; f <= 3; ++f) minSumMax(a.TischkartenFarbe[p][f], b.TischkartenFarbe[p][f]);
        minSumMax(a.Siegpunkte[p], b.Siegpunkte[p]);
        for (int h = 1; h <= 5; ++h) zaehler(a.Handkarten[p][h], b.Handkarten[p][h]);
        minSumMax(a.Adelsarten[p], b.Adelsarten[p]);
    }
    for (int r = 1; r <= StatistikMaxRunden; ++r) {
        for (int p = 1; p <= 4; ++p) minSumMax(a.SiegpunkteNachRunden[r][p], b.SiegpunkteNachRunden[r][p]);
        zaehler(a.SpieleMitRunden[r], b.SpieleMitRunden[r]);
    }
    minSumMax(a.SiegpunkteSieger, b.SiegpunkteSieger);
    for (int p = 1; p <= 4; ++p)
        for (int q = 1; q <= 4; ++q)
            for (int f = 1; f <= KatalogTabellen; ++f)
                for (int i = 1; i <= KatalogPlaetze; ++i) zaehler(a.Karten[p][q][f][i], b.Karten[p][q][f][i]);
}

} // namespace

bool StatistikVereinigen(TSimStatistik& ziel, const TSimStatistik& dazu) {
    if (ziel.SpielerAnzahl != dazu.SpielerAnzahl ||
        !GleicheEinstellung(ziel.Einstellung, dazu.Einstellung, std::clamp(ziel.SpielerAnzahl, 1, 4)))
        return false;
    bool passt = true;
    int32_t r;
    JederZaehler(
        ziel, dazu, [&](int32_t& a, const int32_t& b) { passt = passt && !__builtin_add_overflow(a, b, &r); },
        [&](TMinSumMax& a, const TMinSumMax& b) {
            passt = passt && !__builtin_add_overflow(a.Sum, b.Sum, &r);
        });
    if (!passt) return false;
    JederZaehler(
        ziel, dazu, [](int32_t& a, const int32_t& b) { a += b; },
        [](TMinSumMax& a, const TMinSumMax& b) {
            a.Sum += b.Sum;
            a.Min = std::min(a.Min, b.Min);
            a.Max = std::max(a.Max, b.Max);
        });
    return true;
}

std::string StatistikUnterschied(const TSimStatistik& ziel, const TSimStatistik& dazu) {
    auto text = [](const std::string& feld, int32_t neu, int32_t alt) {
        return feld + " ist " + std::to_string(neu) + ", nicht " + std::to_string(alt);
    };
    if (ziel.SpielerAnzahl != dazu.SpielerAnzahl)
        return text("Spieleranzahl", dazu.SpielerAnzahl, ziel.SpielerAnzahl);
    const TStrategieEinstellung& a = ziel.Einstellung;
    const TStrategieEinstellung& b = dazu.Einstellung;
    struct {
        const char* name;
        const Arr1<int32_t, 4>& alt;
        const Arr1<int32_t, 4>& neu;
    } const felder[] = {{"Strategie", a.Strategie, b.Strategie},
                        {"Startgeld", a.StartGeld, b.StartGeld},
                        {"Startrolle", a.StartRolle, b.StartRolle}};
    const int n = std::clamp(ziel.SpielerAnzahl, 1, 4);
    for (const auto& f : felder)
        for (int p = 1; p <= (&f.alt == &a.StartRolle ? 4 : n); ++p)
            if (f.alt[p] != f.neu[p])
                return text(std::string(f.name) + " von Spieler " + std::to_string(p), f.neu[p], f.alt[p]);
    for (int i = 0; i < 10; ++i)
        if (a.Parameter123[i] != b.Parameter123[i])
            return text("Parameter123[" + std::to_string(i) + "]", b.Parameter123[i], a.Parameter123[i]);
    for (int s = 4; s <= 15; ++s)
        for (int i = 0; i < 19; ++i)
            if (a.Param(s, i) != b.Param(s, i))
                return text("Parameter " + std::to_string(i) + " der Strategie " + std::to_string(s),
                            b.Param(s, i), a.Param(s, i));
    return {};
}

std::string StroemeBerichtText(const std::vector<TStrom>& stroeme) {
    if (stroeme.size() < 2) return {};
    // Seeds as signed numbers, as the report's "RandSeed: " line and --seed take them.
    std::string t = "\nNumber of streams : " + std::to_string(stroeme.size()) + "\n";
    for (size_t i = 0; i < stroeme.size(); ++i) {
        const TStrom& s = stroeme[i];
        t += "Stream " + std::to_string(i + 1) + " : " + std::to_string(s.Spiele) + " games, RandSeed " +
             std::to_string(static_cast<int32_t>(s.Seed)) + ", at end " +
             std::to_string(static_cast<int32_t>(s.SeedEnde)) + "\n";
    }
    return t;
}

namespace {

// Builds one report line at a time; padding counts characters, not UTF-8 bytes.
class TBerichtZeile {
public:
    TBerichtZeile(const TZeilenSenke& senke, char dezimal) : senke_(senke), dezimal_(dezimal) {}

    TBerichtZeile& operator<<(std::string_view t) {
        s_.append(t);
        return *this;
    }
    TBerichtZeile& operator<<(int64_t v) {
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        s_.append(buf, r.ptr);
        return *this;
    }
    TBerichtZeile& operator<<(int32_t v) { return *this << static_cast<int64_t>(v); }
    // Mean sum / anzahl with the given decimals; 0 when nothing was counted.
    TBerichtZeile& Mittel(int32_t sum, int32_t anzahl, int stellen) {
        double m = anzahl != 0 ? static_cast<double>(sum) / anzahl : 0.0;
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, m, std::chars_format::fixed, stellen);
        for (char* c = buf; c != r.ptr; ++c)
            if (*c == '.') *c = dezimal_;
        s_.append(buf, r.ptr);
        return *this;
    }
    TBerichtZeile& MinMittelMax(const TMinSumMax& m, int32_t anzahl) {
        *this << m.Min << "  ";
        Mittel(m.Sum, anzahl, 1);
        return *this << "  " << m.Max;
    }
    TBerichtZeile& AuffuellenBis(size_t zeichen) {
        size_t n = 0;
        for (unsigned char c : s_)
            if ((c & 0xC0) != 0x80) ++n;
        if (n < zeichen) s_.append(zeichen - n, ' ');
        return *this;
    }
    void Ende() {
        senke_(s_);
        s_.clear();
    }
    void Leer(int anzahl = 1) {
        for (int i = 0; i < anzahl; ++i) senke_(std::string_view{});
    }

private:
    const TZeilenSenke& senke_;
    char dezimal_;
    std::string s_;
};

} // namespace

void StatistikBericht(const TSimStatistik& st, const TKatalog& katalog, uint32_t randSeed, char dezimal,
                      const TZeilenSenke& zeile) {
    const int n = std::clamp(st.SpielerAnzahl, 1, 4);
    const int32_t spiele = st.AnzahlSpiele;
    const TStrategieEinstellung& e = st.Einstellung;
    TBerichtZeile z(zeile, dezimal);

    z << "**********************************************";
    z.Ende();
    z << "*****        STATISTIC                   *****";
    z.Ende();
    z << "**********************************************";
    z.Ende();
    z.Leer(2);

    z << "Number of cards of card type for each player for each position ";
    z.Ende();
    for (int p = 1; p <= n; ++p) {
        z.Leer();
        z << "Player " << p << " at Position 1.." << n << ": ";
        z.Ende();
        for (int f = 1; f <= KatalogTabellen; ++f) {
            for (int i = 1; i <= ArtenJeTabelle[f]; ++i) {
                z << KarteName(katalog, {f, i}) << ": ";
                for (int q = 1; q <= n; ++q) {
                    z.AuffuellenBis(static_cast<size_t>(25 + 7 * q));
                    const int32_t anzahl = st.Karten[p][q][f][i];
                    z.Mittel(anzahl, anzahl != 0 ? st.Platzierungen[p][q] : 0, 2);
                }
                z.Ende();
            }
        }
    }

    z.Leer(2);
    z << "RandSeed: " << static_cast<int32_t>(randSeed);
    z.Ende();
    z.Leer();
    z << "Number of players : " << n;
    z.Ende();
    z.Leer();
    for (int p = 1; p <= n; ++p) {
        z << "Strategy  Spieler " << p << " : " << e.Strategie[p];
        z.Ende();
    }
    for (int p = 1; p <= n; ++p) {
        z << "Start money  player " << p << " : " << e.StartGeld[p];
        z.Ende();
    }
    for (int p = 1; p <= 4; ++p) {
        z << "Start role player " << p << " : " << e.StartRolle[p];
        z.Ende();
    }
    z.Leer();

    // Strategy 16's block only when it plays, so that other reports keep their bytes.
    bool mit16 = false;
    for (int p = 1; p <= n; ++p) mit16 = mit16 || e.Strategie[p] == 16;
    for (int s = 2; s <= (mit16 ? 16 : 15); ++s) {
        const TParameterBlock& b = ParameterBlock(s);
        z << "Parameter Strategy " << s << ":";
        z.Ende();
        const auto zeile = [&](size_t i) {
            const int slot = b.ErsterSlot + static_cast<int>(i);
            z << BerichtsBeschriftung(b, b.Felder[i]) << (InParameter123(s) ? e.Parameter123[slot] : e.Param(s, slot));
            z.Ende();
        };
        if (b.Bericht.empty()) {
            for (size_t i = 0; i < b.Felder.size(); ++i)
                if (!b.Felder[i].Name.empty()) zeile(i);
        } else {
            for (int8_t slot : b.Bericht) zeile(static_cast<size_t>(slot - b.ErsterSlot));
        }
        z.Leer();
    }

    z.Leer(2);
    z << "number of games: " << spiele;
    z.Ende();
    z << "Number of rounds : " << st.Runden.Sum;
    z.Ende();
    z << "Mean number of rounds: ";
    z.Mittel(st.Runden.Sum, spiele, 2);
    z.Ende();
    z << "Minimal number of rounds : " << st.Runden.Min;
    z.Ende();
    z << "Maximal number of rounds : " << st.Runden.Max;
    z.Ende();
    z.Leer();

    z << "Number of games with X rounds:";
    z.Ende();
    for (int r = 5; r <= 15; ++r) {
        z << r << " rounds: " << st.SpieleMitRunden[r];
        z.Ende();
    }
    z.Leer();

    const char* stapel[] = {
        "green stack at end(Min,Mean,Max)       : ", "blue stack at end(Min,Mean,Max)        : ",
        "red stack at end(Min,Mean,Max)         : ", "upgrade stack at end(Min,Mean,Max)     : ",
        "number of discarded cards(Min,Mean,Max): "};
    for (int k = 1; k <= 5; ++k) {
        z << stapel[k - 1];
        z.MinMittelMax(st.StapelRest[k], spiele);
        z.Ende();
    }
    z.Leer();

    const char* farben[] = {"green", "blue ", "red  "};
    for (int p = 1; p <= n; ++p) {
        z << "number of cards of player " << p << " (Min,Mean,Max): ";
        z.MinMittelMax(st.Tischkarten[p], spiele);
        z.Ende();
        for (int f = 1; f <= 3; ++f) {
            z << farben[f - 1] << " Cards                 (Min,Mean,Max): ";
            z.MinMittelMax(st.TischkartenFarbe[p][f], spiele);
            z.Ende();
        }
        z.Leer();
    }

    z.Leer();
    z << "How often has each player 0, 1, 2, 3, or 4 cards on hand at game end: ";
    z.Ende();
    for (int p = 1; p <= n; ++p) {
        z << "Spieler " << p << " : ";
        for (int h = 1; h <= 5; ++h) z << (h > 1 ? "  " : "") << st.Handkarten[p][h];
        z.Ende();
    }

    for (int r = 1; r <= StatistikMaxRunden; ++r) {
        if (st.SpieleMitRunden[r] == 0) continue;
        z.Leer();
        z << "Statistic of games with " << r << " rounds: ";
        z.Ende();
        for (int p = 1; p <= n; ++p) {
            z << "number of victory points of player " << p << " (Min,Mean,Max): ";
            z.MinMittelMax(st.SiegpunkteNachRunden[r][p], st.SpieleMitRunden[r]);
            z.Ende();
        }
    }

    z.Leer();
    z << "Complete statistic: ";
    z.Ende();
    for (int p = 1; p <= n; ++p) {
        z << "number of victory points of player " << p << " (Min,Mean,Max): ";
        z.MinMittelMax(st.Siegpunkte[p], spiele);
        z.Ende();
    }
    z << "number of victory points of winner (Min,Mittel,Max): ";
    z.MinMittelMax(st.SiegpunkteSieger, spiele);
    z.Ende();
    z.Leer();

    for (int p = 1; p <= n; ++p) {
        z << "Number of different aristocrats at game end - player " << p << " (Min,Mean,Max): ";
        z.MinMittelMax(st.Adelsarten[p], spiele);
        z.Ende();
    }

    z.Leer();
    z << "How often was each player on position X at game end (Pos1/Pos2/Pos3/Pos4): ";
    z.Ende();
    for (int p = 1; p <= n; ++p) {
        z << "Player " << p << " : ";
        for (int q = 1; q <= n; ++q) z << st.Platzierungen[p][q] << "   ";
        z.Ende();
    }
}

std::string StatistikBerichtText(const TSimStatistik& st, const TKatalog& katalog, uint32_t randSeed,
                                 char dezimal) {
    std::string text;
    StatistikBericht(st, katalog, randSeed, dezimal, [&](std::string_view z) {
        text.append(z);
        text += '\n';
    });
    return text;
}

} // namespace vm
