// The charts of a series: what they show adds up, and a saved result gives the same charts.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>

#include "sim/diagramme.h"
#include "sim/serie.h"

using namespace vm;

TEST(Diagramme, WilsonIntervall) {
    const TIntervall a = Wilson(5, 10), b = Wilson(0, 10), c = Wilson(0, 0), d = Wilson(10, 10);
    for (auto [ist, soll] : {std::pair{a.Unten, 0.2366}, {a.Oben, 0.7634}, {b.Unten, 0.0}, {b.Oben, 0.2775},
                             {c.Unten, 0.0}, {c.Oben, 1.0}, {d.Unten, 0.7225}, {d.Oben, 1.0}})
        EXPECT_NEAR(ist, soll, 1e-4);
}

TEST(Diagramme, SummenIntervalleUndJsonWeg) {
    const TTexte texte;
    auto summe = [](const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); };
    for (int spieler : {2, 4}) {
        SCOPED_TRACE(spieler);
        auto serie = std::make_unique<TSimSerie>();
        const auto a =
            ParseSimArgumente({"--players", std::to_string(spieler), "--games", "40", "--seed", "7"});
        ASSERT_EQ(serie->Vorbereiten(a.opt), "");
        std::vector<TSpielErgebnis> spiele;
        serie->SetzeErgebnisSenke(
            [&](const TSpielErgebnis* e, size_t n) { spiele.insert(spiele.end(), e, e + n); });
        serie->Laufen();
        const TSimStatistik& st = serie->Statistik();
        TPunkteVerteilung punkte(spieler);
        for (const TSpielErgebnis& e : spiele) punkte.Spiel(e);
        const std::vector<TDiagramm> d = SerienDiagramme(st, punkte, texte);
        ASSERT_EQ(d.size(), 4u);

        const TDiagrammReihe& siege = d[0].Reihen.at(0);
        EXPECT_NEAR(summe(siege.Werte), 100.0, 1e-9);
        for (size_t s = 0; s < static_cast<size_t>(spieler); ++s) {
            const auto gewonnen =
                std::count_if(spiele.begin(), spiele.end(), [s](auto& e) { return e.Platz[s] == 1; });
            EXPECT_DOUBLE_EQ(siege.Werte.at(s), 100.0 * static_cast<double>(gewonnen) / 40.0) << s;
            EXPECT_TRUE(siege.Unten.at(s) <= siege.Werte[s] && siege.Werte[s] <= siege.Oben.at(s) &&
                        siege.Unten[s] < siege.Oben[s])
                << s;
        }
        double histogramm = 0;
        for (const TDiagrammReihe& r : d[1].Reihen) histogramm += summe(r.Werte);
        EXPECT_EQ(histogramm, 40.0 * spieler);
        EXPECT_LE(d[1].Kategorien.size(), 25u);
        EXPECT_EQ(summe(d[2].Reihen.at(0).Werte), 40.0);
        // Mean points by rounds, weighted by the games of each round count, give each seat's total.
        for (int s = 1; s <= spieler; ++s) {
            double gesamt = 0;
            for (size_t k = 0; k < d[3].Kategorien.size(); ++k)
                gesamt += d[3].Reihen[s - 1].Werte.at(k) * st.SpieleMitRunden[std::stoi(d[3].Kategorien[k])];
            EXPECT_NEAR(gesamt, st.Siegpunkte[s].Sum, 1e-6) << s;
        }

        std::string json, fehler;
        JsonKopf(json, st, TJsonLauf{});
        for (size_t i = 0; i < spiele.size(); ++i) JsonSpiel(json, spiele[i], spieler, i == 0);
        JsonSchluss(json, st, TJsonLauf{});
        std::vector<TDiagramm> ausJson;
        ASSERT_TRUE(DiagrammeAusJson(json, texte, ausJson, fehler)) << fehler;
        EXPECT_EQ(ausJson, d);
        // A game list that does not match its counters is refused.
        json.insert(json.find("\"punkte\": [") + 11, "1");
        EXPECT_FALSE(DiagrammeAusJson(json, texte, ausJson, fehler));
    }
}
