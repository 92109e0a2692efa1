#include "sim/turnier.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <thread>
#include <tuple>

#include <nlohmann/json.hpp>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "persist/dateien.h"
#include "persist/profil.h"
#include "rules/ablauf.h"
#include "rules/wertung.h"
#include "sim/diagrammausgabe.h"
#include "sim/serie.h"

namespace vm {

namespace {

constexpr const char* Format = "veldmark-turnier";
constexpr int Version = 1;
constexpr int MaxTeilnehmer = 32;
// Table numbers are stored in 16 bits.
constexpr size_t MaxTische = 32767;
// The stop rule looks only from this pass on: a handful of deals says little about the spread.
constexpr int64_t MindestDurchgaenge = 8;
// Win shares are counted in twelfths, so that ties of two, three or four seats add up exactly and
// every sum is the same in whatever order the games come.
constexpr int64_t Zwoelftel = 12;

int64_t Anteile(const TTurnierSpiel& s, int sitz, int spieler) {
    const int32_t p = s.E.Punkte[sitz - 1], g = s.E.Geld[sitz - 1];
    int oben = 0, gleich = 0;
    for (int o = 1; o <= spieler; ++o) {
        const int32_t po = s.E.Punkte[o - 1], go = s.E.Geld[o - 1];
        if (po > p || (po == p && go > g)) ++oben;
        if (po == p && go == g) ++gleich;
    }
    return oben == 0 ? Zwoelftel / gleich : 0;
}

// Ahead of another seat: more points, or equal points and more money; equal in both is half.
int Vorn(const TTurnierSpiel& s, int a, int b) {
    const int32_t pa = s.E.Punkte[a - 1], pb = s.E.Punkte[b - 1];
    const int32_t ga = s.E.Geld[a - 1], gb = s.E.Geld[b - 1];
    if (pa != pb) return pa > pb ? 2 : 0;
    if (ga != gb) return ga > gb ? 2 : 0;
    return 1;
}

void Sitzordnungen(const std::vector<int8_t>& tisch, std::vector<int8_t>& ziel) {
    std::vector<int8_t> p = tisch;
    std::sort(p.begin(), p.end());
    do ziel.insert(ziel.end(), p.begin(), p.end());
    while (std::next_permutation(p.begin(), p.end()));
}

int64_t AnzahlOrdnungen(const TTurnier& t, size_t tisch) {
    return static_cast<int64_t>(t.Ordnungen[tisch].size()) / t.Spieler;
}

int64_t DurchgaengeDesTisches(const TTurnier& t, size_t tisch) {
    const int64_t s = AnzahlOrdnungen(t, tisch);
    return (t.SpieleJeTisch + s - 1) / s;
}

bool GleicheParameter(const TStrategieEinstellung& a, const TStrategieEinstellung& b) {
    return std::memcmp(a.Parameter123, b.Parameter123, sizeof a.Parameter123) == 0 &&
           std::memcmp(a.Parameter, b.Parameter, sizeof a.Parameter) == 0;
}

// The paired test of the stop rule: per deal, the leader's wins minus the second's, summed over
// every game of that deal; kept for every pair, so that the leader may change.
class TPaarTest {
public:
    explicit TPaarTest(size_t teilnehmer) : n_(teilnehmer), summe_(n_ * n_), quadrate_(n_ * n_), siege_(n_) {}
    // The wins (twelfths) of each entrant in one deal.
    void Durchgang(const std::vector<int64_t>& siege) {
        for (size_t a = 0; a < n_; ++a) {
            siege_[a] += siege[a];
            for (size_t b = 0; b < n_; ++b) {
                const double d = static_cast<double>(siege[a] - siege[b]) / Zwoelftel;
                summe_[a * n_ + b] += d;
                quadrate_[a * n_ + b] += d * d;
            }
        }
        ++durchgaenge_;
    }
    int64_t Durchgaenge() const { return durchgaenge_; }
    // The leader's lead over the second in standard errors (0 while there is no spread).
    double Z() const {
        if (n_ < 2 || durchgaenge_ < 2) return 0;
        std::vector<size_t> rang(n_);
        for (size_t i = 0; i < n_; ++i) rang[i] = i;
        std::stable_sort(rang.begin(), rang.end(),
                         [this](size_t x, size_t y) { return siege_[x] > siege_[y]; });
        const size_t k = rang[0] * n_ + rang[1];
        const double r = static_cast<double>(durchgaenge_);
        const double mittel = summe_[k] / r;
        const double varianz = (quadrate_[k] - r * mittel * mittel) / (r - 1);
        if (varianz <= 0) return mittel > 0 ? 1e9 : 0;
        return mittel / std::sqrt(varianz / r);
    }

private:
    size_t n_;
    std::vector<double> summe_, quadrate_;
    std::vector<int64_t> siege_;
    int64_t durchgaenge_ = 0;
};

} // namespace

std::vector<std::vector<int8_t>> TurnierTische(int spieler, int teilnehmer, bool gemischt) {
    std::vector<std::vector<int8_t>> tische;
    const bool wiederholen = gemischt || teilnehmer < spieler;
    std::vector<int8_t> t(static_cast<size_t>(spieler));
    // Non-decreasing sequences (strictly increasing without repetition), in lexicographic order.
    auto weiter = [&](auto&& selbst, int stelle, int ab) -> void {
        if (stelle == spieler) {
            tische.push_back(t);
            return;
        }
        for (int e = ab; e < teilnehmer; ++e) {
            t[static_cast<size_t>(stelle)] = static_cast<int8_t>(e);
            selbst(selbst, stelle + 1, wiederholen ? e : e + 1);
        }
    };
    weiter(weiter, 0, 0);
    return tische;
}

std::string TurnierVorbereiten(const TTurnierOptionen& o, TTurnier& t) {
    const int e = static_cast<int>(o.teilnehmer.size());
    if (e < 2 || e > MaxTeilnehmer)
        return "--entrants: 2 bis " + std::to_string(MaxTeilnehmer) + " Teilnehmer erwartet, nicht " +
               std::to_string(e);
    if (o.spieler < 2 || o.spieler > 4) return "--players: 2, 3 oder 4 erwartet";
    if (o.teil < 1 || o.teil > o.teile) return "--part: Teil 1 bis " + std::to_string(o.teile) + " erwartet";
    if (o.bisSignifikant && o.teile > 1)
        return "--until-significant: nicht zusammen mit --part (die Teile hielten an verschiedenen Stellen)";
    t = TTurnier{};
    t.Spieler = o.spieler;
    std::copy(o.varianten, o.varianten + 3, t.Varianten);
    t.Gemischt = o.gemischt;
    t.SpieleJeTisch = o.spieleGesetzt ? o.spiele : 100;
    TStrategieeinstellungen basis;
    InitStrategieparameter(basis);
    for (int i = 0; i < e; ++i) {
        const int32_t s = o.teilnehmer[static_cast<size_t>(i)];
        if (!StrategieVerfuegbar(s))
            return "--entrants: Strategie " + std::to_string(s) + " (Teilnehmer " + std::to_string(i + 1) +
                   ") kann der Computer noch nicht spielen";
        TTeilnehmer tn;
        tn.Strategie = s;
        tn.Einstellung = basis.Fuer(o.spieler);
        t.Teilnehmer.push_back(tn);
    }
    for (const auto& [k, datei] : o.parameter) {
        if (k < 1 || k > e)
            return "--params-of: Teilnehmer " + std::to_string(k) + " gibt es nicht (1 bis " +
                   std::to_string(e) + ")";
        TTeilnehmer& tn = t.Teilnehmer[static_cast<size_t>(k - 1)];
        if (!tn.ParameterDatei.empty())
            return "--params-of: Teilnehmer " + std::to_string(k) + " hat schon die Datei '" +
                   tn.ParameterDatei + "'";
        TStrategieeinstellungen gelesen = basis;
        std::string fehler;
        if (!LeseStrategieparameterDatei(datei, gelesen, &fehler))
            return "--params-of " + std::to_string(k) + ": " + fehler;
        // Only the parameters: every seat starts with the same money and roles, whoever sits there.
        const TStrategieEinstellung& g = gelesen.Fuer(o.spieler);
        std::memcpy(tn.Einstellung.Parameter123, g.Parameter123, sizeof g.Parameter123);
        std::memcpy(tn.Einstellung.Parameter, g.Parameter, sizeof g.Parameter);
        tn.ParameterDatei = datei;
    }
    t.Tische = TurnierTische(o.spieler, e, o.gemischt);
    if (t.Tische.size() > MaxTische)
        return "--entrants: " + std::to_string(t.Tische.size()) + " Tische, höchstens " +
               std::to_string(MaxTische);
    for (const auto& tisch : t.Tische) {
        t.Ordnungen.emplace_back();
        Sitzordnungen(tisch, t.Ordnungen.back());
    }
    return {};
}

double Siegesanteil(const TTurnierSpiel& s, int sitz, int spieler) {
    return static_cast<double>(Anteile(s, sitz, spieler)) / Zwoelftel;
}

void TurnierSpielen(TTurnier& t, const TTurnierOptionen& o, const std::atomic<bool>* abbruch) {
    const int n = t.Spieler;
    const size_t tische = t.Tische.size();
    std::vector<int64_t> bis(tische);
    int64_t durchgaenge = 0;
    for (size_t i = 0; i < tische; ++i)
        durchgaenge = std::max(durchgaenge, bis[i] = DurchgaengeDesTisches(t, i));
    // A table whose entrants move with different parameters swaps the mover's record in.
    std::vector<bool> tauschen(tische, false);
    for (size_t i = 0; i < tische; ++i)
        for (int8_t a : t.Tische[i])
            if (!GleicheParameter(t.Teilnehmer[static_cast<size_t>(a)].Einstellung,
                                  t.Teilnehmer[static_cast<size_t>(t.Tische[i][0])].Einstellung))
                tauschen[i] = true;

    const uint32_t seed =
        o.seedGesetzt ? o.seed
                      : static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
    TSimOptionen sim;
    sim.spieler = n;
    std::copy(o.varianten, o.varianten + 3, sim.varianten);
    sim.seed = seed;
    sim.seedGesetzt = true;
    const int jobs = std::max(1, o.jobs);
    TKatalog katalog;
    std::vector<std::unique_ptr<TSpielsitzung>> sitzungen;
    for (int j = 0; j < jobs; ++j) {
        sitzungen.push_back(std::make_unique<TSpielsitzung>(katalog));
        SimVorbereiten(*sitzungen.back(), sim);
    }

    struct TAuftrag {
        int64_t durchgang;
        size_t tisch;
        size_t ziel; // first game's place in the list
    };
    // A few passes at a time, judged in order by the stop rule, so that the stop does not depend
    // on the threads; without the rule larger steps, so that the list grows as it is played.
    const int64_t schritt = (o.bisSignifikant ? 4 : 256) * static_cast<int64_t>(jobs);
    TPaarTest test(t.Teilnehmer.size());
    std::vector<int64_t> siegeImDurchgang(t.Teilnehmer.size());
    std::vector<TAuftrag> auftraege;
    int64_t gespielt = 0;
    t.Spiele.clear();
    for (int64_t von = 0; von < durchgaenge && !t.Signifikant && !t.Abgebrochen; von += schritt) {
        auftraege.clear();
        size_t ziel = t.Spiele.size();
        for (int64_t d = von; d < std::min(durchgaenge, von + schritt); ++d) {
            if (d % o.teile != o.teil - 1) continue;
            for (size_t i = 0; i < tische; ++i) {
                if (d >= bis[i]) continue;
                auftraege.push_back({d, i, ziel});
                ziel += static_cast<size_t>(AnzahlOrdnungen(t, i));
            }
        }
        const size_t anfang = t.Spiele.size();
        t.Spiele.resize(ziel);
        std::atomic<size_t> naechster{0};
        std::vector<uint8_t> erledigt(auftraege.size(), 0);
        auto arbeit = [&](TSpielsitzung& g) {
            TStrategieEinstellung& e = g.Einstellungen.Fuer(n);
            for (size_t k; (k = naechster.fetch_add(1)) < auftraege.size();) {
                if (abbruch && abbruch->load(std::memory_order_relaxed)) break;
                const TAuftrag& a = auftraege[k];
                const uint32_t saat = BlockSeed(seed, a.durchgang);
                const std::vector<int8_t>& ordnungen = t.Ordnungen[a.tisch];
                for (int64_t r = 0; r < AnzahlOrdnungen(t, a.tisch); ++r) {
                    const int8_t* sitz = &ordnungen[static_cast<size_t>(r * n)];
                    auto einsetzen = [&](int amZug) {
                        e = t.Teilnehmer[static_cast<size_t>(sitz[amZug - 1])].Einstellung;
                        for (int s = 1; s <= n; ++s)
                            e.Strategie[s] = t.Teilnehmer[static_cast<size_t>(sitz[s - 1])].Strategie;
                    };
                    einsetzen(1);
                    g.Zufall.RandSeed = saat;
                    g.S.Computer[1] = 1;
                    SpielAufbau(g);
                    g.S.Computer[1] = 1;
                    if (tauschen[a.tisch]) {
                        while (!g.S.Spielende) {
                            einsetzen(g.S.AktuellerSpieler);
                            CompiZug(g);
                        }
                    } else {
                        while (!g.S.Spielende) CompiZug(g);
                    }
                    BerechnePlatz(g);
                    TTurnierSpiel& sp = t.Spiele[a.ziel + static_cast<size_t>(r)];
                    sp.Saat = saat;
                    sp.Tisch = static_cast<int16_t>(a.tisch);
                    sp.Ordnung = static_cast<int16_t>(r);
                    for (int s = 0; s < 4; ++s) sp.Teilnehmer[s] = s < n ? sitz[s] : int8_t{-1};
                    SpielErgebnisAus(g, sp.E);
                }
                erledigt[k] = 1;
            }
        };
        std::vector<std::thread> helfer;
        for (int j = 1; j < jobs; ++j)
            helfer.emplace_back(arbeit, std::ref(*sitzungen[static_cast<size_t>(j)]));
        arbeit(*sitzungen[0]);
        for (std::thread& h : helfer) h.join();

        // A stop keeps the passes whose every job was played; the stop rule judges pass after pass.
        const size_t vorn =
            static_cast<size_t>(std::find(erledigt.begin(), erledigt.end(), 0) - erledigt.begin());
        t.Abgebrochen = vorn < auftraege.size();
        size_t behalten = anfang;
        for (size_t k = 0; k < vorn;) {
            const int64_t d = auftraege[k].durchgang;
            size_t ende = k;
            while (ende < auftraege.size() && auftraege[ende].durchgang == d) ++ende;
            if (ende > vorn) break;
            const size_t bisSpiel = ende < auftraege.size() ? auftraege[ende].ziel : t.Spiele.size();
            std::fill(siegeImDurchgang.begin(), siegeImDurchgang.end(), 0);
            for (size_t i = auftraege[k].ziel; i < bisSpiel; ++i)
                for (int s = 1; s <= n; ++s)
                    siegeImDurchgang[static_cast<size_t>(t.Spiele[i].Teilnehmer[s - 1])] +=
                        Anteile(t.Spiele[i], s, n);
            test.Durchgang(siegeImDurchgang);
            behalten = bisSpiel;
            k = ende;
            if (o.bisSignifikant && test.Durchgaenge() >= MindestDurchgaenge && test.Z() > Z95) {
                t.Signifikant = true;
                break;
            }
        }
        t.Spiele.resize(behalten);
        gespielt = static_cast<int64_t>(t.Spiele.size());
    }
    t.Laeufe = {{seed, o.teil, o.teile, gespielt}};
}

double EloAusAnteil(double anteil, int spieler) {
    return 400.0 * std::log10(anteil * (spieler - 1) / (1 - anteil));
}

TTurnierWertung TurnierWerten(const TTurnier& t) {
    const size_t e = t.Teilnehmer.size();
    const int n = t.Spieler;
    TTurnierWertung w;
    std::vector<int64_t> spiele(e), siege(e), punkte(e), abstand(e);
    std::vector<std::vector<int64_t>> vorn(e, std::vector<int64_t>(e)), gemeinsam(e, std::vector<int64_t>(e));
    std::vector<const TTurnierSpiel*> folge;
    folge.reserve(t.Spiele.size());
    for (const TTurnierSpiel& s : t.Spiele) {
        folge.push_back(&s);
        int32_t bester = s.E.Punkte[0];
        for (int i = 1; i < n; ++i) bester = std::max(bester, s.E.Punkte[i]);
        for (int a = 1; a <= n; ++a) {
            const size_t x = static_cast<size_t>(s.Teilnehmer[a - 1]);
            ++spiele[x];
            siege[x] += Anteile(s, a, n);
            punkte[x] += s.E.Punkte[a - 1];
            abstand[x] += s.E.Punkte[a - 1] - bester;
            for (int b = 1; b <= n; ++b) {
                if (b == a) continue;
                const size_t y = static_cast<size_t>(s.Teilnehmer[b - 1]);
                ++gemeinsam[x][y];
                vorn[x][y] += Vorn(s, a, b);
            }
        }
    }
    for (size_t x = 0; x < e; ++x) {
        TTurnierZeile z;
        z.Teilnehmer = static_cast<int32_t>(x);
        z.Spiele = spiele[x];
        z.Siege = static_cast<double>(siege[x]) / Zwoelftel;
        z.Anteil = Wilson(z.Siege, z.Spiele);
        if (z.Spiele > 0) {
            const double g = static_cast<double>(z.Spiele);
            z.MittelPunkte = static_cast<double>(punkte[x]) / g;
            z.MittelAbstand = static_cast<double>(abstand[x]) / g;
            // A share of 0 or 1 has no finite rating: it is taken half a game from the edge.
            const double p = std::clamp(z.Anteil.Anteil, 0.5 / g, 1 - 0.5 / g);
            z.Elo = EloAusAnteil(p, n);
            z.EloFehler = 400.0 / std::log(10.0) / (p * (1 - p)) * (z.Anteil.Oben - z.Anteil.Unten) / 2;
        }
        w.Zeilen.push_back(z);
    }
    std::stable_sort(w.Zeilen.begin(), w.Zeilen.end(), [](const TTurnierZeile& a, const TTurnierZeile& b) {
        return a.Anteil.Anteil > b.Anteil.Anteil;
    });
    w.Vergleich.assign(e, std::vector<double>(e, 0));
    w.Gemeinsam = gemeinsam;
    for (size_t x = 0; x < e; ++x)
        for (size_t y = 0; y < e; ++y)
            if (gemeinsam[x][y] > 0)
                w.Vergleich[x][y] =
                    static_cast<double>(vorn[x][y]) / 2 / static_cast<double>(gemeinsam[x][y]);
    // The paired test over the deals, in the order of their seeds, as the stop rule runs it.
    std::stable_sort(folge.begin(), folge.end(),
                     [](const TTurnierSpiel* a, const TTurnierSpiel* b) { return a->Saat < b->Saat; });
    TPaarTest test(e);
    std::vector<int64_t> imDurchgang(e);
    for (size_t i = 0; i < folge.size();) {
        std::fill(imDurchgang.begin(), imDurchgang.end(), 0);
        size_t j = i;
        for (; j < folge.size() && folge[j]->Saat == folge[i]->Saat; ++j)
            for (int s = 1; s <= n; ++s)
                imDurchgang[static_cast<size_t>(folge[j]->Teilnehmer[s - 1])] += Anteile(*folge[j], s, n);
        test.Durchgang(imDurchgang);
        i = j;
    }
    w.Durchgaenge = test.Durchgaenge();
    w.Z = test.Z();
    return w;
}

std::string TeilnehmerName(const TTurnier& t, int teilnehmer) {
    const TTeilnehmer& tn = t.Teilnehmer[static_cast<size_t>(teilnehmer)];
    return "#" + std::to_string(teilnehmer + 1) + " Strategie " + std::to_string(tn.Strategie) +
           (tn.ParameterDatei.empty() ? "" : "*");
}

std::string TurnierBericht(const TTurnier& t, const TTurnierWertung& w) {
    std::string r;
    auto zeile = [&r](const char* format, auto... werte) {
        char b[512];
        std::snprintf(b, sizeof b, format, werte...);
        r += b;
    };
    const int64_t ordnungen = t.Tische.empty() ? 0 : AnzahlOrdnungen(t, 0);
    zeile("Turnier: %d Spieler, %zu Teilnehmer, %zu %s%s, %lld Spiele je Tisch (auf ganze Durchgänge aller "
          "Sitzordnungen aufgerundet), Varianten %d,%d,%d\n",
          t.Spieler, t.Teilnehmer.size(), t.Tische.size(), t.Tische.size() == 1 ? "Tisch" : "Tische",
          t.Gemischt ? " (gemischt)" : "", static_cast<long long>(t.SpieleJeTisch), t.Varianten[0],
          t.Varianten[1], t.Varianten[2]);
    zeile("Gespielt: %zu Spiele in %lld Durchgängen (je Durchgang dieselben Karten an jedem Tisch und in "
          "jeder der "
          "%lld Sitzordnungen)%s%s\n",
          t.Spiele.size(), static_cast<long long>(w.Durchgaenge), static_cast<long long>(ordnungen),
          t.Signifikant ? "; angehalten: der Vorsprung des Ersten ist signifikant" : "",
          t.Abgebrochen ? "; abgebrochen" : "");
    for (const TTurnierLauf& l : t.Laeufe)
        zeile("Lauf: Seed %u, Teil %d von %d, %lld Spiele\n", l.Seed, l.Teil, l.Teile,
              static_cast<long long>(l.Spiele));
    r += "\nTeilnehmer          Spiele     Siege  Anteil  95 %-Intervall  Punkte  Abstand     Elo  ± 95 %\n";
    for (const TTurnierZeile& z : w.Zeilen) {
        const std::string name = TeilnehmerName(t, z.Teilnehmer);
        zeile("%-17s %8lld %9.1f %6.1f%% %6.1f-%5.1f%% %7.2f %8.2f %7.1f %7.1f\n", name.c_str(),
              static_cast<long long>(z.Spiele), z.Siege, z.Anteil.Anteil * 100, z.Anteil.Unten * 100,
              z.Anteil.Oben * 100, z.MittelPunkte, z.MittelAbstand, std::abs(z.Elo) < 0.05 ? 0.0 : z.Elo,
              z.EloFehler);
    }
    for (size_t i = 0; i < t.Teilnehmer.size(); ++i)
        if (!t.Teilnehmer[i].ParameterDatei.empty())
            zeile("* #%zu: Parameter aus '%s'\n", i + 1, t.Teilnehmer[i].ParameterDatei.c_str());
    r += "Siege: Gleichstand an Punkten und Geld an der Spitze teilt den Sieg. Abstand: Punkte hinter dem "
         "Sieger.\n";
    zeile("Elo: 400 log10(p (N-1) / (1 - p)), 0 bei einem Anteil von 1/%d.\n", t.Spieler);
    if (w.Zeilen.size() >= 2)
        zeile(
            "Vorsprung des Ersten vor dem Zweiten: %.2f Standardfehler (gepaarter Test über die Durchgänge; "
            "signifikant ab 1.96)\n",
            std::min(w.Z, 999.99));
    r += "\nDirekter Vergleich (Anteil der gemeinsamen Spiele, in denen die Zeile vor der Spalte endet)\n    "
         "  ";
    const size_t e = t.Teilnehmer.size();
    for (size_t y = 0; y < e; ++y) zeile(" %6s", ("#" + std::to_string(y + 1)).c_str());
    r += "\n";
    for (size_t x = 0; x < e; ++x) {
        zeile("%-6s", ("#" + std::to_string(x + 1)).c_str());
        for (size_t y = 0; y < e; ++y) {
            if (w.Gemeinsam[x][y] == 0)
                r += "      -";
            else
                zeile(" %5.1f%%", w.Vergleich[x][y] * 100);
        }
        r += "\n";
    }
    return r;
}

std::string TurnierJson(const TTurnier& t) {
    std::string j = "{\n  \"format\": \"";
    j += Format;
    j += "\",\n  \"version\": " + std::to_string(Version);
    j += ",\n  \"spielerAnzahl\": " + std::to_string(t.Spieler);
    j += ",\n  \"varianten\": [" + std::to_string(t.Varianten[0]) + ", " + std::to_string(t.Varianten[1]) +
         ", " + std::to_string(t.Varianten[2]) + "]";
    j += ",\n  \"gemischt\": " + std::string(t.Gemischt ? "true" : "false");
    j += ",\n  \"spieleJeTisch\": " + std::to_string(t.SpieleJeTisch);
    j += ",\n  \"teilnehmer\": [";
    for (size_t i = 0; i < t.Teilnehmer.size(); ++i) {
        const TTeilnehmer& tn = t.Teilnehmer[i];
        nlohmann::json p = nlohmann::json::array();
        for (int32_t v : tn.Einstellung.Parameter123) p.push_back(v);
        for (const auto& zeile : tn.Einstellung.Parameter)
            for (int32_t v : zeile) p.push_back(v);
        j += i ? ",\n    " : "\n    ";
        j +=
            "{\"strategie\": " + std::to_string(tn.Strategie) + ", \"parameterDatei\": " +
            nlohmann::json(tn.ParameterDatei).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
            ", \"parameter\": " + p.dump() + "}";
    }
    j += "\n  ],\n  \"laeufe\": [";
    for (size_t i = 0; i < t.Laeufe.size(); ++i) {
        const TTurnierLauf& l = t.Laeufe[i];
        j += (i ? ", " : "") + std::string("[") + std::to_string(l.Seed) + ", " + std::to_string(l.Teil) +
             ", " + std::to_string(l.Teile) + ", " + std::to_string(l.Spiele) + "]";
    }
    j += "],\n  \"abgebrochen\": " + std::string(t.Abgebrochen ? "true" : "false");
    j += ",\n  \"signifikant\": " + std::string(t.Signifikant ? "true" : "false");
    // The report's figures, for readers that do not count the games themselves (merge does).
    const TTurnierWertung w = TurnierWerten(t);
    nlohmann::ordered_json wertung;
    wertung["durchgaenge"] = w.Durchgaenge;
    wertung["z"] = w.Z;
    for (const TTurnierZeile& z : w.Zeilen)
        wertung["zeilen"].push_back({{"teilnehmer", z.Teilnehmer + 1},
                                     {"spiele", z.Spiele},
                                     {"siege", z.Siege},
                                     {"anteil", z.Anteil.Anteil},
                                     {"unten", z.Anteil.Unten},
                                     {"oben", z.Anteil.Oben},
                                     {"mittelPunkte", z.MittelPunkte},
                                     {"mittelAbstand", z.MittelAbstand},
                                     {"elo", z.Elo},
                                     {"eloFehler", z.EloFehler}});
    wertung["vergleich"] = w.Vergleich;
    wertung["gemeinsam"] = w.Gemeinsam;
    j += ",\n  \"wertung\": " + wertung.dump();
    j += ",\n  \"spiele\": [";
    const int n = t.Spieler;
    for (size_t i = 0; i < t.Spiele.size(); ++i) {
        const TTurnierSpiel& s = t.Spiele[i];
        j += i ? ",\n    [" : "\n    [";
        j += std::to_string(s.Saat) + ", " + std::to_string(s.Tisch) + ", " + std::to_string(s.Ordnung) +
             ", " + std::to_string(s.E.Runden);
        for (const char* was : {"t", "p", "g", "l"}) {
            j += ", [";
            for (int k = 0; k < n; ++k) {
                if (k) j += ", ";
                switch (*was) {
                case 't':
                    j += std::to_string(s.Teilnehmer[k]);
                    break;
                case 'p':
                    j += std::to_string(s.E.Punkte[k]);
                    break;
                case 'g':
                    j += std::to_string(s.E.Geld[k]);
                    break;
                default:
                    j += std::to_string(s.E.Platz[k]);
                    break;
                }
            }
            j += "]";
        }
        j += "]";
    }
    j += t.Spiele.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return j;
}

bool IstTurnierJson(std::string_view text) {
    const size_t p = text.find("\"format\"");
    return p != std::string_view::npos && text.substr(p, 40).find(Format) != std::string_view::npos;
}

bool TurnierAusJson(std::string_view text, TTurnier& t, std::string& fehler) {
    nlohmann::json d = nlohmann::json::parse(text, nullptr, false);
    if (d.is_discarded() || !d.is_object()) {
        fehler = "kein gültiges JSON";
        return false;
    }
    try {
        if (d.at("format").get<std::string>() != Format || d.at("version").get<int>() != Version) {
            fehler = "kein Turnier dieser Version";
            return false;
        }
        t = TTurnier{};
        t.Spieler = d.at("spielerAnzahl").get<int32_t>();
        if (t.Spieler < 2 || t.Spieler > 4) throw std::out_of_range("spielerAnzahl");
        const auto& v = d.at("varianten");
        for (int i = 0; i < 3; ++i) t.Varianten[i] = v.at(static_cast<size_t>(i)).get<uint8_t>() != 0;
        t.Gemischt = d.at("gemischt").get<bool>();
        t.SpieleJeTisch = d.at("spieleJeTisch").get<int64_t>();
        if (t.SpieleJeTisch < 1) throw std::out_of_range("spieleJeTisch");
        const auto& tn = d.at("teilnehmer");
        if (tn.size() < 2 || tn.size() > MaxTeilnehmer) throw std::out_of_range("teilnehmer");
        for (const auto& x : tn) {
            TTeilnehmer neu;
            neu.Strategie = x.at("strategie").get<int32_t>();
            neu.ParameterDatei = x.at("parameterDatei").get<std::string>();
            const auto& p = x.at("parameter");
            if (p.size() != 10 + 12 * 19) throw std::out_of_range("parameter");
            std::memset(&neu.Einstellung, 0, sizeof neu.Einstellung);
            for (size_t i = 0; i < 10; ++i) neu.Einstellung.Parameter123[i] = p.at(i).get<int32_t>();
            for (size_t i = 0; i < 12 * 19; ++i)
                neu.Einstellung.Parameter[i / 19][i % 19] = p.at(10 + i).get<int32_t>();
            t.Teilnehmer.push_back(neu);
        }
        t.Tische = TurnierTische(t.Spieler, static_cast<int>(t.Teilnehmer.size()), t.Gemischt);
        if (t.Tische.size() > MaxTische) throw std::out_of_range("Tische");
        for (const auto& tisch : t.Tische) {
            t.Ordnungen.emplace_back();
            Sitzordnungen(tisch, t.Ordnungen.back());
        }
        for (const auto& l : d.at("laeufe"))
            t.Laeufe.push_back({l.at(0).get<uint32_t>(), l.at(1).get<int32_t>(), l.at(2).get<int32_t>(),
                                l.at(3).get<int64_t>()});
        t.Abgebrochen = d.at("abgebrochen").get<bool>();
        t.Signifikant = d.at("signifikant").get<bool>();
        const int n = t.Spieler;
        for (const auto& s : d.at("spiele")) {
            TTurnierSpiel sp{};
            sp.Saat = s.at(0).get<uint32_t>();
            const int64_t tisch = s.at(1).get<int64_t>(), ordnung = s.at(2).get<int64_t>();
            if (tisch < 0 || static_cast<size_t>(tisch) >= t.Tische.size()) throw std::out_of_range("Tisch");
            if (ordnung < 0 || ordnung >= AnzahlOrdnungen(t, static_cast<size_t>(tisch)))
                throw std::out_of_range("Sitzordnung");
            sp.Tisch = static_cast<int16_t>(tisch);
            sp.Ordnung = static_cast<int16_t>(ordnung);
            sp.E.Runden = s.at(3).get<int32_t>();
            for (int k = 0; k < 4; ++k) sp.Teilnehmer[k] = -1;
            for (int k = 0; k < n; ++k) {
                sp.Teilnehmer[k] = static_cast<int8_t>(s.at(4).at(static_cast<size_t>(k)).get<int32_t>());
                if (sp.Teilnehmer[k] !=
                    t.Ordnungen[static_cast<size_t>(tisch)][static_cast<size_t>(ordnung * n + k)])
                    throw std::out_of_range("Teilnehmer passt nicht zur Sitzordnung");
                sp.E.Punkte[k] = s.at(5).at(static_cast<size_t>(k)).get<int32_t>();
                sp.E.Geld[k] = s.at(6).at(static_cast<size_t>(k)).get<int32_t>();
                const int32_t platz = s.at(7).at(static_cast<size_t>(k)).get<int32_t>();
                if (platz < 1 || platz > n) throw std::out_of_range("Platz");
                sp.E.Platz[k] = static_cast<int8_t>(platz);
            }
            t.Spiele.push_back(sp);
        }
    } catch (const std::exception& e) {
        fehler = std::string("fehlerhaft: ") + e.what();
        return false;
    }
    return true;
}

std::string TurnierUnterschied(const TTurnier& ziel, const TTurnier& dazu) {
    if (dazu.Spieler != ziel.Spieler)
        return "Spielerzahl ist " + std::to_string(dazu.Spieler) + ", nicht " + std::to_string(ziel.Spieler);
    for (int i = 0; i < 3; ++i)
        if (dazu.Varianten[i] != ziel.Varianten[i]) return "andere Varianten";
    if (dazu.Gemischt != ziel.Gemischt) return "andere Tische (--mixed)";
    if (dazu.SpieleJeTisch != ziel.SpieleJeTisch)
        return "Spiele je Tisch ist " + std::to_string(dazu.SpieleJeTisch) + ", nicht " +
               std::to_string(ziel.SpieleJeTisch);
    if (dazu.Teilnehmer.size() != ziel.Teilnehmer.size())
        return std::to_string(dazu.Teilnehmer.size()) + " Teilnehmer, nicht " +
               std::to_string(ziel.Teilnehmer.size());
    for (size_t i = 0; i < ziel.Teilnehmer.size(); ++i) {
        const std::string wer = "Teilnehmer " + std::to_string(i + 1) + ": ";
        if (dazu.Teilnehmer[i].Strategie != ziel.Teilnehmer[i].Strategie)
            return wer + "Strategie ist " + std::to_string(dazu.Teilnehmer[i].Strategie) + ", nicht " +
                   std::to_string(ziel.Teilnehmer[i].Strategie);
        if (!GleicheParameter(dazu.Teilnehmer[i].Einstellung, ziel.Teilnehmer[i].Einstellung))
            return wer + "andere Parameter";
    }
    return {};
}

namespace {

// Writes the report and the JSON; the report to standard output unless a file is named.
int Schreiben(const TTurnier& t, const std::string& berichtDatei, const std::string& jsonDatei,
              const char* vorsatz, std::ostream& out, std::ostream& err, TAusgabeDatei& bericht,
              TAusgabeDatei& json) {
    bool fehler = false;
    const std::string text = TurnierBericht(t, TurnierWerten(t));
    auto schliessen = [&](TAusgabeDatei& f, const std::string& inhalt, const std::string& pfad,
                          const char* option) {
        std::fwrite(inhalt.data(), 1, inhalt.size(), f.Zeiger());
        if (!f.Abschliessen()) {
            err << vorsatz << option << ": Datei '" << pfad << "' unvollständig geschrieben\n";
            fehler = true;
        }
    };
    if (json.Offen()) schliessen(json, TurnierJson(t), jsonDatei, "--json");
    if (bericht.Offen())
        schliessen(bericht, text, berichtDatei, "--report");
    else
        out << text;
    if (!AusgabeAbschliessen(out)) {
        err << vorsatz << "Standardausgabe unvollständig geschrieben\n";
        fehler = true;
    }
    return fehler ? 1 : 0;
}

bool Oeffnen(TAusgabeDatei& f, const std::string& pfad, const char* option, const char* vorsatz,
             std::ostream& err) {
    if (pfad.empty() || pfad == "-" || f.Oeffnen(pfad)) return true;
    err << vorsatz << option << ": Datei '" << pfad << "' kann nicht geschrieben werden"
        << (f.Schreibgeschuetzt() ? " (schreibgeschützt)" : "") << '\n';
    return false;
}

} // namespace

int SimTurnier(const TTurnierOptionen& o, std::ostream& out, std::ostream& err,
               const std::atomic<bool>* abbruch) {
    constexpr const char* Vorsatz = "veldmark-sim turnier: ";
    std::vector<TDateiAngabe> eingaben;
    for (const auto& [k, datei] : o.parameter) eingaben.push_back({"--params-of", datei});
    const std::string berichtPfad = o.berichtDatei == "-" ? std::string() : o.berichtDatei;
    std::string fehler = AusgabenPruefen({{"--report", berichtPfad}, {"--json", o.jsonDatei}}, eingaben);
    TTurnier t;
    if (fehler.empty()) fehler = TurnierVorbereiten(o, t);
    if (!fehler.empty()) {
        err << Vorsatz << fehler << '\n';
        return 2;
    }
    TDiagrammJson plot;
    if (!o.plotOrdner.empty() && !(fehler = plot.Anlegen()).empty()) {
        err << Vorsatz << fehler << '\n';
        return 2;
    }
    TAusgabeDatei bericht, json;
    if (!Oeffnen(bericht, berichtPfad, "--report", Vorsatz, err) ||
        !Oeffnen(json, o.jsonDatei, "--json", Vorsatz, err))
        return 2;
    TurnierSpielen(t, o, abbruch);
    int rc = Schreiben(t, berichtPfad, o.jsonDatei, Vorsatz, out, err, bericht, json);
    // The charts come after the report, which stays written whatever becomes of them.
    if (!o.plotOrdner.empty()) {
        std::ofstream f(plot.Pfad(), std::ios::binary);
        f << TurnierJson(t);
        f.close();
        if (!f) {
            err << Vorsatz << "--plot: '" << plot.Pfad() << "' kann nicht geschrieben werden\n";
            rc = 1;
        } else if (!DiagrammeZeichnen(plot.Pfad(), o.plotOrdner, err)) {
            rc = 1;
        }
    }
    return rc != 0 ? rc : t.Abgebrochen ? 130 : 0;
}

int TurnierVereinigen(const std::vector<std::string>& teile, const std::string& berichtDatei,
                      const std::string& jsonDatei, std::ostream& out, std::ostream& err) {
    constexpr const char* Vorsatz = "veldmark-sim merge: ";
    TTurnier gesamt, teil;
    std::string text, fehler;
    // A game is its deal, table and seating: the same one in two parts would count twice.
    std::vector<std::tuple<uint32_t, int16_t, int16_t, size_t>> gesehen;
    for (size_t i = 0; i < teile.size(); ++i) {
        TTurnier& t = i == 0 ? gesamt : teil;
        if (!DateiLesen(teile[i], text)) {
            err << Vorsatz << "Datei '" << teile[i] << "' kann nicht gelesen werden\n";
            return 2;
        }
        if (!IstTurnierJson(text)) {
            err << Vorsatz << "'" << teile[i] << "' ist kein Turnier, '" << teile[0] << "' schon\n";
            return 2;
        }
        if (!TurnierAusJson(text, t, fehler)) {
            err << Vorsatz << "'" << teile[i] << "': " << fehler << '\n';
            return 2;
        }
        if (i > 0) {
            const std::string u = TurnierUnterschied(gesamt, teil);
            if (!u.empty()) {
                err << Vorsatz << "'" << teile[i] << "' passt nicht zu '" << teile[0] << "': " << u << '\n';
                return 2;
            }
            gesamt.Spiele.insert(gesamt.Spiele.end(), teil.Spiele.begin(), teil.Spiele.end());
            gesamt.Laeufe.insert(gesamt.Laeufe.end(), teil.Laeufe.begin(), teil.Laeufe.end());
            gesamt.Abgebrochen = gesamt.Abgebrochen || teil.Abgebrochen;
            gesamt.Signifikant = gesamt.Signifikant || teil.Signifikant;
        }
        for (const TTurnierSpiel& s : t.Spiele) gesehen.emplace_back(s.Saat, s.Tisch, s.Ordnung, i);
    }
    std::sort(gesehen.begin(), gesehen.end());
    for (size_t k = 1; k < gesehen.size(); ++k) {
        const auto& [saat, tisch, ordnung, teilNr] = gesehen[k];
        if (saat != std::get<0>(gesehen[k - 1]) || tisch != std::get<1>(gesehen[k - 1]) ||
            ordnung != std::get<2>(gesehen[k - 1]))
            continue;
        err << Vorsatz << "'" << teile[teilNr] << "': das Spiel mit Seed " << saat << " an Tisch "
            << tisch + 1 << " steht schon in '" << teile[std::get<3>(gesehen[k - 1])]
            << "'; es zählte doppelt\n";
        return 2;
    }
    const std::string berichtPfad = berichtDatei == "-" ? std::string() : berichtDatei;
    TAusgabeDatei bericht, json;
    if (!Oeffnen(bericht, berichtPfad, "--report", Vorsatz, err) ||
        !Oeffnen(json, jsonDatei, "--json", Vorsatz, err))
        return 2;
    return Schreiben(gesamt, berichtPfad, jsonDatei, Vorsatz, out, err, bericht, json);
}

} // namespace vm
