// Simulation series: the report of whole runs, stopping early, reproducibility, the checker over
// many games, the files of the simulator and its new options.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ai/compizug.h"
#include "sim/json.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> z;
    std::istringstream in(text);
    std::string zeile;
    while (std::getline(in, zeile)) z.push_back(zeile);
    return z;
}

std::string Pfad(const std::string& name) {
    return ::testing::TempDir() + "veldmark_sim_" + name;
}

TSimOptionen Optionen(int spieler, std::vector<int32_t> strategien, int64_t spiele, uint32_t seed) {
    TSimOptionen o;
    o.spieler = spieler;
    o.strategien = std::move(strategien);
    o.spiele = spiele;
    o.spieleGesetzt = true;
    o.seedGesetzt = true;
    o.seed = seed;
    return o;
}

struct TLauf {
    std::unique_ptr<TSimSerie> serie = std::make_unique<TSimSerie>();
    std::string bericht;
};

TLauf Laufen(const TSimOptionen& o, ISpielAblauf* beobachter = nullptr) {
    TLauf l;
    const std::string fehler = l.serie->Vorbereiten(o);
    EXPECT_EQ(fehler, "");
    l.serie->SetzeBeobachter(beobachter);
    l.serie->Laufen();
    l.bericht =
        StatistikBerichtText(l.serie->Statistik(), l.serie->Katalog(), l.serie->Sitzung().Zufall.RandSeed);
    return l;
}

// Asks the series to stop while game `k` is being played.
class StoppInSpiel : public ISpielAblauf {
public:
    StoppInSpiel(TSimSerie*& serie, int32_t k) : serie_(serie), k_(k) {}
    void NachWertung(int) override {
        if (serie_ && serie_->Statistik().AnzahlSpiele == k_ - 1) serie_->Abbruch = true;
    }

private:
    TSimSerie*& serie_;
    int32_t k_;
};

TEST(SimSerienlauf, AbbruchWaehrendSpielKZaehltKSpiele) {
    const TSimOptionen o = Optionen(3, {4, 2, 3}, 10, 2026);
    TSimSerie* laufende = nullptr;
    StoppInSpiel stopp(laufende, 4);
    TLauf l;
    ASSERT_EQ(l.serie->Vorbereiten(o), "");
    laufende = l.serie.get();
    l.serie->SetzeBeobachter(&stopp);
    l.serie->Laufen();
    EXPECT_TRUE(l.serie->Abgebrochen());
    EXPECT_EQ(l.serie->Statistik().AnzahlSpiele, 4);
    const std::string bericht =
        StatistikBerichtText(l.serie->Statistik(), l.serie->Katalog(), l.serie->Sitzung().Zufall.RandSeed);
    const auto z = Zeilen(bericht);
    EXPECT_NE(std::find(z.begin(), z.end(), "number of games: 4"), z.end());

    // The same as a series of exactly four games, seed of the report included.
    TLauf vier = Laufen(Optionen(3, {4, 2, 3}, 4, 2026));
    EXPECT_FALSE(vier.serie->Abgebrochen());
    EXPECT_EQ(bericht, vier.bericht);

    // A stop during the last game is no early stop.
    TSimSerie* zweite = nullptr;
    StoppInSpiel amEnde(zweite, 4);
    TLauf l4;
    ASSERT_EQ(l4.serie->Vorbereiten(Optionen(3, {4, 2, 3}, 4, 2026)), "");
    zweite = l4.serie.get();
    l4.serie->SetzeBeobachter(&amEnde);
    l4.serie->Laufen();
    EXPECT_FALSE(l4.serie->Abgebrochen());
    EXPECT_EQ(l4.serie->Statistik().AnzahlSpiele, 4);
}

} // namespace

namespace {

TEST(SimSerienlauf, ParameterdateiUnterDerKommandozeile) {
    const std::string ini = Pfad("parameter.ini");
    {
        std::ofstream f(ini);
        f << "[Strategie_3_Spieler]\nStrategie_Sp2=5\nStrategie_Sp3=99\nAnzahlSim=7\nStrategie_4_P_0=9\n"
             "[Strategie_4_Spieler]\nSetUpGeld_Sp1=-5\n";
    }
    TSimOptionen o;
    o.spieler = 3;
    o.seedGesetzt = true;
    o.parameterDatei = ini;
    TSimSerie s;
    ASSERT_EQ(s.Vorbereiten(o), "");
    EXPECT_EQ(s.Geplant(), 7);
    const TStrategieEinstellung& e = s.Statistik().Einstellung;
    EXPECT_EQ(e.Strategie[1], 4); // default of 3 players
    EXPECT_EQ(e.Strategie[2], 5);
    EXPECT_EQ(e.Strategie[3], 99);
    EXPECT_EQ(e.Param(4, 0), 9);
    EXPECT_EQ(e.Param(5, 0), 4);

    // The command line has the last word.
    o.strategien = {2, 3};
    TSimSerie t;
    ASSERT_EQ(t.Vorbereiten(o), "");
    EXPECT_EQ(t.Statistik().Einstellung.Strategie[2], 3);
    EXPECT_EQ(t.Statistik().Einstellung.Strategie[3], 99);

    // Negative start money cannot be played; the 4-player section of the same file has it.
    o.spieler = 4;
    o.strategien.clear();
    TSimSerie u;
    EXPECT_EQ(u.Vorbereiten(o),
              "--params: Datei '" + ini +
                  "', Zeile 7: Startgeld -5 (Spieler 1) liegt nicht zwischen 0 und 1000000");
    std::remove(ini.c_str());
}

} // namespace

namespace {

// Loses a card to the discard count at the first blue scoring of game 2.
class Verfaelscher : public ISpielAblauf {
public:
    explicit Verfaelscher(TSimSerie& s) : s_(s) {}
    void NachWertung(int phase) override {
        if (getan_ || phase != 2 || s_.Statistik().AnzahlSpiele != 1) return;
        getan_ = true;
        ++s_.Sitzung().S.AblageAnzahl;
    }

private:
    TSimSerie& s_;
    bool getan_ = false;
};

TEST(SimLaufen, PruefungMeldetVerletzungenMitExitcode3) {
    TSimOptionen o = Optionen(2, {4, 5}, 3, 8);
    o.berichtDatei = "-";
    auto serie = std::make_unique<TSimSerie>();
    Verfaelscher v(*serie);
    serie->SetzeBeobachter(&v);
    std::ostringstream out, err;
    EXPECT_EQ(SimLaufen(*serie, o, out, err, false), 0) << "without --check nothing is looked at";
    EXPECT_EQ(err.str(), "");

    o.pruefen = true;
    auto zweite = std::make_unique<TSimSerie>();
    Verfaelscher w(*zweite);
    zweite->SetzeBeobachter(&w);
    std::ostringstream out2, err2;
    EXPECT_EQ(SimLaufen(*zweite, o, out2, err2, false), 3);
    EXPECT_GT(zweite->Verletzungen(), 0);
    EXPECT_EQ(zweite->Statistik().AnzahlSpiele, 3);
    // The state of game 3 is sound again: every violation lies in game 2.
    for (const std::string& f : zweite->ErsteVerletzungen())
        EXPECT_EQ(f.rfind("Spiel 2, Runde ", 0), 0u) << f;
    EXPECT_NE(err2.str().find("veldmark-sim: Verletzung: Spiel 2, Runde 1, Phase "), std::string::npos)
        << err2.str();
    EXPECT_NE(err2.str().find(" Verletzungen, 0 interne Fehler\n"), std::string::npos) << err2.str();
    EXPECT_EQ(out2.str(), out.str()) << "the report is written all the same";
}

} // namespace
