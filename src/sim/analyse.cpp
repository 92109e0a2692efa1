#include "sim/analyse.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <ostream>
#include <thread>

#include "ai/compizug.h"
#include "persist/aktionstext.h"
#include "persist/spieldatei.h"
#include "sim/jobs.h"
#include "sim/schaetzung.h"
#include "sim/serie.h"

namespace vm {

namespace {

// Whole numbers only, so that the sums do not depend on which thread played which game.
struct TZaehler {
    std::array<int64_t, 5> siege{};
    std::array<int64_t, 5> punkte{};
    int64_t spiele = 0;
};

bool SitzAmZug(const TSpielsitzung& g) {
    return !g.Stand().Spielende && g.Stand().AktuellerSpieler == 1;
}

TChance Chance(const TZaehler& z, int sitz) {
    TChance c;
    const TIntervall w = Wilson(static_cast<double>(z.siege[sitz]), z.spiele);
    c.Anteil = w.Anteil;
    c.Unten = w.Unten;
    c.Oben = w.Oben;
    c.Spiele = z.spiele;
    c.MittelPunkte = z.spiele > 0 ? static_cast<double>(z.punkte[sitz]) / static_cast<double>(z.spiele) : 0.0;
    return c;
}

} // namespace

int64_t AnalyseSpiele(const TSpielsitzung& g, const TAnalyseOptionen& o) {
    int64_t zeilen = 1;
    if (o.MitAktionen && SitzAmZug(g)) {
        TVorausschau v(g.Katalog());
        zeilen += v.Aufzaehlen(g);
    }
    return static_cast<int64_t>(std::max(o.Spiele, 0)) * zeilen;
}

TAnalyse Analysiere(const TSpielsitzung& g, const TAnalyseOptionen& o, TSuchsteuerung* steuerung) {
    TAnalyse erg;
    const int n = g.Stand().SpielerAnzahl;
    erg.Spieler = n;

    // The imagined players: the saved strategies unless the options name others; strategy 16
    // plays its rollout strategy.
    TStrategieeinstellungen einst = g.Einstellungen;
    TStrategieEinstellung& e = einst.Fuer(n);
    const int32_t rollout = VorausschauParameter(g).Rollout;
    for (int s = 1; s <= 4; ++s) {
        int32_t st = o.Strategien[s] != 0 ? o.Strategien[s] : e.Strategie[s];
        if (st == 16) {
            st = rollout >= 1 && rollout <= 15 ? rollout : VorausschauRolloutVorgabe(n);
            erg.RolloutStatt16[s] = s <= n;
        }
        e.Strategie[s] = st;
        erg.Strategie[s] = s <= n ? st : 0;
    }

    const int kerne = std::clamp(o.Kerne, 1, 256);
    std::vector<std::unique_ptr<TVorausschau>> arbeiter;
    for (int k = 0; k < kerne; ++k) arbeiter.push_back(std::make_unique<TVorausschau>(g.Katalog()));
    std::vector<TVorausschauAktion> aktionen;
    if (o.MitAktionen && SitzAmZug(g)) {
        const int anzahl = arbeiter[0]->Aufzaehlen(g);
        for (int i = 0; i < anzahl; ++i) aktionen.push_back(arbeiter[0]->Aktion(i));
    }

    // Row 0 plays on from the position, row i + 1 after action i; the j-th game of every row
    // meets the same re-deal, so the rows differ by their action alone.
    const int64_t zeilen = 1 + static_cast<int64_t>(aktionen.size());
    const int64_t spiele = std::max(o.Spiele, 0);
    const int64_t auftraege = spiele * zeilen;
    const uint64_t basis = SaatMischen(o.Saat);
    std::atomic<int64_t> naechster{0};
    std::atomic<bool> gestoppt{false};
    std::vector<std::vector<TZaehler>> zaehler(static_cast<size_t>(kerne),
                                               std::vector<TZaehler>(static_cast<size_t>(zeilen)));
    auto arbeit = [&](int t) {
        TVorausschau& v = *arbeiter[static_cast<size_t>(t)];
        std::vector<TZaehler>& z = zaehler[static_cast<size_t>(t)];
        TAusgang aus;
        for (int64_t k; (k = naechster.fetch_add(1, std::memory_order_relaxed)) < auftraege;) {
            if (steuerung && steuerung->abbruch.load(std::memory_order_relaxed)) {
                gestoppt = true;
                break;
            }
            const int64_t j = k / zeilen;
            const int64_t zeile = k % zeilen;
            const TVorausschauAktion* a = zeile > 0 ? &aktionen[static_cast<size_t>(zeile - 1)] : nullptr;
            v.Ausspielen(g.Stand(), 1, einst, a, SaatMischen(basis ^ static_cast<uint64_t>(j)), aus);
            TZaehler& ziel = z[static_cast<size_t>(zeile)];
            ++ziel.spiele;
            for (int s = 1; s <= n; ++s) {
                ziel.siege[s] += aus.Platz[s] == 1;
                ziel.punkte[s] += aus.Siegpunkte[s];
            }
            if (steuerung) steuerung->fertig.fetch_add(1, std::memory_order_relaxed);
        }
    };
    std::vector<std::thread> helfer;
    for (int t = 1; t < kerne; ++t) helfer.emplace_back(arbeit, t);
    arbeit(0);
    for (std::thread& t : helfer) t.join();

    std::vector<TZaehler> summe(static_cast<size_t>(zeilen));
    for (const auto& z : zaehler) {
        for (size_t r = 0; r < summe.size(); ++r) {
            summe[r].spiele += z[r].spiele;
            for (int s = 1; s <= 4; ++s) {
                summe[r].siege[s] += z[r].siege[s];
                summe[r].punkte[s] += z[r].punkte[s];
            }
        }
    }
    for (int s = 1; s <= n; ++s) erg.Sitz[s] = Chance(summe[0], s);
    for (size_t i = 0; i < aktionen.size(); ++i)
        erg.Aktionen.push_back({aktionen[i], Chance(summe[i + 1], 1)});
    erg.Abgebrochen = gestoppt.load();
    return erg;
}

std::string AnalyseText(const TAnalyse& a, const TSpielsitzung& g, const TAnalyseOptionen& o) {
    const TSpielstand& s = g.Stand();
    const TTexte texte;
    std::string t = "Wer gewinnt von hier: Runde " + std::to_string(s.Runde) + ", ";
    static constexpr Text Phasen[] = {Text::VerlaufGruenePhase, Text::VerlaufBlauePhase,
                                      Text::VerlaufRotePhase, Text::VerlaufAusbauphase};
    if (s.Spielende)
        t += texte[Text::VerlaufSpielende];
    else if (s.SchenkeModus)
        t += texte[Text::VerlaufSchenkenrunde];
    else if (s.Phase >= 1 && s.Phase <= 4)
        t += texte[Phasen[s.Phase - 1]];
    else
        t += "Phase " + std::to_string(s.Phase);
    if (!s.Spielende) t += ", Spieler " + std::to_string(s.AktuellerSpieler) + " am Zug";
    t += "; " + std::to_string(o.Spiele) +
         " Spiele je Zeile, neu verteilt, was Spieler 1 nicht sieht (Saat " + std::to_string(o.Saat) + ")";
    std::string ersetzt;
    int32_t rollout = 0;
    for (int sp = 1; sp <= a.Spieler; ++sp) {
        if (!a.RolloutStatt16[sp]) continue;
        ersetzt += (ersetzt.empty() ? "" : ", ") + std::string("Spieler ") + std::to_string(sp);
        rollout = a.Strategie[sp];
    }
    if (!ersetzt.empty())
        t += "; Strategie 16 (" + ersetzt + ") spielt hier ihre Rollout-Strategie " + std::to_string(rollout);
    t += a.Abgebrochen ? "; abgebrochen\n" : "\n";

    char zeile[256];
    auto chance = [](const TChance& c) {
        char zeile[128];
        std::snprintf(zeile, sizeof zeile, "%6.1f %%  %5.1f-%5.1f %%  %8lld  %8.2f", c.Anteil * 100,
                      c.Unten * 100, c.Oben * 100, static_cast<long long>(c.Spiele), c.MittelPunkte);
        return std::string(zeile);
    };
    t += "\nSpieler  Strategie  Gewinnchance  95 %-Intervall    Spiele  Siegpunkte\n";
    for (int sp = 1; sp <= a.Spieler; ++sp) {
        std::snprintf(zeile, sizeof zeile, "%7d  %9d  ", sp, a.Strategie[sp]);
        t += zeile;
        t += chance(a.Sitz[sp]) + "\n";
    }
    if (!a.Aktionen.empty()) {
        t += "\nAktionen von Spieler 1 (seine Gewinnchance danach, die beste zuerst)\n";
        t += "Gewinnchance  95 %-Intervall    Spiele  Siegpunkte  Aktion\n";
        std::vector<const TAktionsChance*> folge;
        for (const TAktionsChance& x : a.Aktionen) folge.push_back(&x);
        std::stable_sort(folge.begin(), folge.end(), [](const TAktionsChance* x, const TAktionsChance* y) {
            return x->Chance.Anteil > y->Chance.Anteil;
        });
        for (const TAktionsChance* x : folge)
            t += "  " + chance(x->Chance) + "  " + AktionText(texte, g.Katalog(), s, x->Aktion) + "\n";
    }
    return t;
}

int SimAnalyse(const TAnalyseAufruf& a, std::ostream& out, std::ostream& err) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto h = std::make_unique<THistorie>();
    std::string saveDir;
    const TLadeErgebnis e = LadeSpieldatei(*g, *h, a.datei, saveDir);
    if (!e.Geladen) {
        err << e.Meldung.Titel << ": " << e.Meldung.Text << '\n';
        if (!e.Meldung.Grund.empty()) err << "veldmark-sim analyse: " << e.Meldung.Grund << '\n';
        return 1;
    }
    const int n = g->Stand().SpielerAnzahl;
    if (static_cast<int>(a.strategien.size()) > n) {
        err << "veldmark-sim analyse: --strategies: " << a.strategien.size()
            << " Strategien für ein Spiel mit " << n << " Spielern\n";
        return 2;
    }
    TAnalyseOptionen o = a.opt;
    for (size_t i = 0; i < a.strategien.size(); ++i) o.Strategien[i + 1] = a.strategien[i];
    for (int s = 1; s <= n; ++s) {
        const bool gegeben = o.Strategien[s] != 0;
        const int32_t st = gegeben ? o.Strategien[s] : g->EinstellungLaufend().Strategie[s];
        if (!StrategieVerfuegbar(st)) {
            err << "veldmark-sim analyse: " << (gegeben ? "--strategies: " : a.datei + ": gespeicherte ")
                << "Strategie " << st << " (Spieler " << s << ") kann der Computer noch nicht spielen\n";
            return gegeben ? 2 : 1;
        }
    }
    // Ctrl+C and SIGTERM stop the games; what was played is shown, marked as stopped.
    TSuchsteuerung steuerung;
    return MitUnterbrechung(steuerung.abbruch, [&] {
        const TAnalyse erg = Analysiere(*g, o, &steuerung);
        out << "Datei: " << a.datei << '\n' << AnalyseText(erg, *g, o);
        if (!AusgabeAbschliessen(out)) {
            err << "veldmark-sim analyse: Standardausgabe unvollständig geschrieben\n";
            return 1;
        }
        return erg.Abgebrochen ? 130 : 0;
    });
}

} // namespace vm
