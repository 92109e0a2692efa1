// The charts of a series: what they show adds up, and a saved result gives the same charts.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>

#include "sim/diagramme.h"
#include "sim/serie.h"

using namespace vm;

TEST(Diagramme, WilsonIntervall) {
    double u, o;
    WilsonIntervall(5, 10, u, o);
    EXPECT_NEAR(u, 0.2366, 1e-4);
    EXPECT_NEAR(o, 0.7634, 1e-4);
    WilsonIntervall(0, 10, u, o);
    EXPECT_EQ(u, 0.0);
    EXPECT_NEAR(o, 0.2775, 1e-4);
    WilsonIntervall(0, 0, u, o);
    EXPECT_TRUE(u == 0.0 && o == 1.0);
}

TEST(Diagramme, SummenIntervalleUndJsonWeg) {
    const TTexte texte;
    for (int spieler : {2, 4}) {
        SCOPED_TRACE(spieler);
        TSimOptionen opt;
        opt.spieler = spieler;
        opt.spiele = 40;
        opt.spieleGesetzt = opt.seedGesetzt = true;
        opt.seed = 7;
        auto serie = std::make_unique<TSimSerie>();
        ASSERT_EQ(serie->Vorbereiten(opt), "");
        std::vector<TSpielErgebnis> spiele;
        serie->SetzeErgebnisSenke(
            [&](const TSpielErgebnis* e, size_t n) { spiele.insert(spiele.end(), e, e + n); });
        serie->Laufen();
        const TSimStatistik& st = serie->Statistik();
        TPunkteVerteilung punkte;
        punkte.SpielerAnzahl = spieler;
        for (const TSpielErgebnis& e : spiele) punkte.Spiel(e);
        const std::vector<TDiagramm> d = SerienDiagramme(st, punkte, texte);
        ASSERT_EQ(d.size(), 4u);
        auto summe = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); };

        const TDiagrammReihe& siege = d[0].Reihen.at(0);
        ASSERT_EQ(siege.Werte.size(), static_cast<size_t>(spieler));
        EXPECT_NEAR(summe(siege.Werte), 100.0, 1e-9);
        for (size_t s = 0; s < siege.Werte.size(); ++s) {
            const auto siegeInListe = std::count_if(spiele.begin(), spiele.end(),
                                                    [s](const TSpielErgebnis& e) { return e.Platz[s] == 1; });
            EXPECT_DOUBLE_EQ(siege.Werte[s], 100.0 * static_cast<double>(siegeInListe) / 40.0) << s;
            EXPECT_TRUE(siege.Unten.at(s) <= siege.Werte[s] && siege.Werte[s] <= siege.Oben.at(s) &&
                        siege.Unten[s] < siege.Oben[s])
                << s;
        }

        ASSERT_EQ(d[1].Reihen.size(), static_cast<size_t>(spieler));
        EXPECT_LE(d[1].Kategorien.size(), 25u);
        double histogramm = 0;
        for (const TDiagrammReihe& r : d[1].Reihen) {
            EXPECT_EQ(r.Werte.size(), d[1].Kategorien.size());
            histogramm += summe(r.Werte);
        }
        EXPECT_EQ(histogramm, 40.0 * spieler);

        EXPECT_EQ(summe(d[2].Reihen.at(0).Werte), 40.0);
        // Mean points by rounds, weighted by the games of each round count, give each seat's total.
        for (int s = 1; s <= spieler; ++s) {
            double gesamt = 0;
            for (size_t k = 0; k < d[3].Kategorien.size(); ++k)
                gesamt += d[3].Reihen[s - 1].Werte.at(k) * st.SpieleMitRunden[std::stoi(d[3].Kategorien[k])];
            EXPECT_NEAR(gesamt, st.Siegpunkte[s].Sum, 1e-6) << s;
        }

        std::string json;
        TJsonLauf lauf;
        JsonKopf(json, st, lauf);
        for (size_t i = 0; i < spiele.size(); ++i) JsonSpiel(json, spiele[i], spieler, i == 0);
        JsonSchluss(json, st, lauf);
        std::vector<TDiagramm> ausJson;
        std::string fehler;
        ASSERT_TRUE(DiagrammeAusJson(json, texte, ausJson, fehler)) << fehler;
        EXPECT_EQ(ausJson, d);
        // A game list that does not match its counters is refused.
        json.insert(json.find("\"punkte\": [") + 11, "1");
        EXPECT_FALSE(DiagrammeAusJson(json, texte, ausJson, fehler));
    }
}
