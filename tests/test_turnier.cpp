// Tournaments: the same deals for every seating, intervals that hold what they claim, results
// that neither the threads nor a split over machines change, and each entrant's own parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include <nlohmann/json.hpp>

#include "persist/texte.h"
#include "sim/argumente.h"
#include "sim/diagramme.h"
#include "sim/turnier.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

TTurnier Spielen(TTurnierOptionen o) {
    o.seedGesetzt = true;
    TTurnier t;
    EXPECT_EQ(TurnierVorbereiten(o, t), "");
    TurnierSpielen(t, o);
    return t;
}

// Identical entrants meet the same deals in every seating, so each wins exactly its share and
// rates 0; the stop rule never finds a lead.
TEST(Turnier, GleicheTeilnehmerTeilenJedenDurchgangGleich) {
    EXPECT_EQ(TurnierTische(2, 4, false).size(), 6u);
    EXPECT_EQ(TurnierTische(3, 2, false).size(), 4u); // fewer entrants than seats: with repetition
    EXPECT_EQ(TurnierTische(2, 3, true).size(), 6u);
    for (int spieler = 2; spieler <= 4; ++spieler) {
        TTurnierOptionen o;
        o.spieler = spieler;
        o.teilnehmer.assign(static_cast<size_t>(spieler) + (spieler == 2), spieler == 3 ? 4 : 10);
        o.spiele = spieler == 4 ? 24 : 60;
        o.spieleGesetzt = true;
        o.seed = 11u * static_cast<uint32_t>(spieler);
        o.bisSignifikant = true;
        const TTurnier t = Spielen(o);
        EXPECT_FALSE(t.Signifikant);
        const TTurnierWertung w = TurnierWerten(t);
        for (const TTurnierZeile& z : w.Zeilen) {
            ASSERT_GT(z.Spiele, 0);
            EXPECT_DOUBLE_EQ(z.Siege * spieler, static_cast<double>(z.Spiele)) << spieler;
            EXPECT_NEAR(z.Elo, 0, 1e-9);
            EXPECT_GT(z.EloFehler, 0);
        }
        for (size_t a = 0; a < o.teilnehmer.size(); ++a)
            for (size_t b = 0; b < o.teilnehmer.size(); ++b)
                if (a != b) {
                    EXPECT_DOUBLE_EQ(w.Vergleich[a][b], 0.5);
                }
    }
}

// The 95 % interval of the share holds the true share in at least 93 % of tournaments whose games
// are independent draws (seat by seat, with ties), and the rating's error covers 0 alike.
TEST(Turnier, IntervalleHaltenDenWahrenAnteil) {
    EXPECT_EQ(WilsonText(Wilson(132, 200)), "66.0 %, 59.2-72.2 %");
    EXPECT_EQ(WilsonText(Wilson(178, 200)), "89.0 %, 83.9-92.6 %");
    std::mt19937 zufall(2026);
    for (int spieler = 2; spieler <= 4; ++spieler) {
        int getroffen = 0, eloGetroffen = 0;
        constexpr int Turniere = 200;
        for (int k = 0; k < Turniere; ++k) {
            TTurnier t;
            t.Spieler = spieler;
            t.Teilnehmer.resize(static_cast<size_t>(spieler));
            t.Tische = TurnierTische(spieler, spieler, false);
            for (int i = 0; i < 30; ++i) {
                TTurnierSpiel s{};
                s.Saat = static_cast<uint32_t>(i);
                for (int p = 0; p < spieler; ++p) {
                    s.Teilnehmer[p] = static_cast<int8_t>(p);
                    s.E.Punkte[p] = static_cast<int32_t>(zufall() % 6);
                    s.E.Geld[p] = static_cast<int32_t>(zufall() % 2);
                }
                t.Spiele.push_back(s);
            }
            const TTurnierWertung w = TurnierWerten(t);
            const TTurnierZeile& z = w.Zeilen[0].Teilnehmer == 0 ? w.Zeilen[0] : w.Zeilen[1];
            const double wahr = 1.0 / spieler;
            getroffen += z.Anteil.Unten <= wahr && wahr <= z.Anteil.Oben;
            eloGetroffen += std::abs(z.Elo) <= z.EloFehler;
        }
        EXPECT_GE(getroffen, Turniere * 93 / 100) << spieler;
        EXPECT_GE(eloGetroffen, Turniere * 90 / 100) << spieler;
    }
}

// Three deals of two seatings each, listed out of order: the figures come from the games, and the
// stop rule pairs the entrants' wins deal by deal (differences 2, 0, 2: z = (4/3) / (2/3) = 2).
TEST(Turnier, DieWertungRechnetAusDenSpielen) {
    TTurnier t;
    t.Spieler = 2;
    t.Teilnehmer.resize(2);
    t.Tische = TurnierTische(2, 2, false);
    // deal, seating, points of seat 1 and seat 2; seating 1 seats entrant 2 first
    const int spiele[6][4] = {{2, 0, 12, 3}, {0, 0, 10, 6}, {1, 1, 4, 6}, {0, 1, 8, 9}, {2, 1, 2, 11}, {1, 0, 5, 7}};
    for (const auto& z : spiele) {
        TTurnierSpiel s{};
        s.Saat = static_cast<uint32_t>(100 + z[0]);
        s.Ordnung = static_cast<int16_t>(z[1]);
        s.E.Runden = 5 + z[0];
        s.Teilnehmer[0] = static_cast<int8_t>(z[1]);
        s.Teilnehmer[1] = static_cast<int8_t>(1 - z[1]);
        s.Teilnehmer[2] = s.Teilnehmer[3] = -1;
        s.E.Punkte[0] = z[2];
        s.E.Punkte[1] = z[3];
        s.E.Platz[0] = static_cast<int8_t>(z[2] > z[3] ? 1 : 2);
        s.E.Platz[1] = static_cast<int8_t>(3 - s.E.Platz[0]);
        t.Spiele.push_back(s);
    }
    const TTurnierWertung w = TurnierWerten(t);
    ASSERT_EQ(w.Zeilen.size(), 2u);
    const TTurnierZeile& erster = w.Zeilen[0];
    const TTurnierZeile& zweiter = w.Zeilen[1];
    EXPECT_EQ(erster.Teilnehmer, 0);
    EXPECT_EQ(erster.Spiele, 6);
    EXPECT_DOUBLE_EQ(erster.Siege, 5);
    EXPECT_DOUBLE_EQ(zweiter.Siege, 1);
    EXPECT_DOUBLE_EQ(erster.MittelPunkte, 53.0 / 6);
    EXPECT_DOUBLE_EQ(zweiter.MittelPunkte, 30.0 / 6);
    EXPECT_DOUBLE_EQ(erster.MittelAbstand, -2.0 / 6);
    EXPECT_DOUBLE_EQ(zweiter.MittelAbstand, -25.0 / 6);
    EXPECT_NEAR(erster.Elo, 400 * std::log10(5.0), 1e-9);
    EXPECT_DOUBLE_EQ(w.Vergleich[0][1], 5.0 / 6);
    EXPECT_DOUBLE_EQ(w.Vergleich[1][0], 1.0 / 6);
    EXPECT_EQ(w.Durchgaenge, 3);
    EXPECT_NEAR(w.Z, 2.0, 1e-12);
    // Winning every game still gives a finite rating.
    TTurnier alle = t;
    for (TTurnierSpiel& s : alle.Spiele) s.E.Punkte[s.Teilnehmer[0] == 0 ? 0 : 1] = 20;
    const TTurnierZeile sieger = TurnierWerten(alle).Zeilen[0];
    EXPECT_DOUBLE_EQ(sieger.Siege, 6);
    EXPECT_TRUE(std::isfinite(sieger.Elo) && sieger.Elo > erster.Elo && std::isfinite(sieger.EloFehler));

    // The charts show the same figures, best first.
    const std::vector<TDiagramm> d = TurnierDiagramme(t, TTexte{});
    auto diagramm = [&d](const std::string& stamm) {
        const auto it = std::find_if(d.begin(), d.end(), [&](const TDiagramm& x) { return x.Stamm == stamm; });
        EXPECT_NE(it, d.end()) << stamm;
        return it == d.end() ? TDiagramm{} : *it;
    };
    const TDiagramm quote = diagramm("siegquoten"), punkte = diagramm("punkte-je-teilnehmer"),
                    runden = diagramm("spiele-nach-runden");
    ASSERT_EQ(quote.Reihen.size(), 1u);
    ASSERT_EQ(quote.Reihen[0].Werte.size(), 2u);
    EXPECT_NEAR(quote.Reihen[0].Werte[0], 500.0 / 6, 1e-9);
    EXPECT_NEAR(quote.Reihen[0].Werte[1], 100.0 / 6, 1e-9);
    EXPECT_EQ(punkte.Kategorien, (std::vector<std::string>{TeilnehmerName(t, 0), TeilnehmerName(t, 1)}));
    ASSERT_EQ(punkte.Reihen.size(), 1u);
    EXPECT_EQ(punkte.Reihen[0].Werte, (std::vector<double>{53.0 / 6, 5.0}));
    EXPECT_EQ(runden.Kategorien, (std::vector<std::string>{"5", "6", "7"}));
    ASSERT_EQ(runden.Reihen.size(), 1u);
    EXPECT_EQ(runden.Reihen[0].Werte, (std::vector<double>{2, 2, 2}));
}

struct TAufruf {
    int rc;
    std::string aus, fehler;
};

TAufruf Sim(std::vector<std::string> args) {
    std::ostringstream aus, fehler;
    const int rc = SimProgramm(args, aus, fehler);
    return {rc, aus.str(), fehler.str()};
}

std::string OhneLaeufe(const std::string& bericht) {
    std::istringstream in(bericht);
    std::string zeile, r;
    while (std::getline(in, zeile))
        if (zeile.rfind("Lauf: ", 0) != 0) r += zeile + "\n";
    return r;
}

TEST(Turnier, ThreadsUndTeileAendernNichtsUndMergePrueftDieTeile) {
    const std::filesystem::path ordner = FrischerOrdner("turnier");
    auto pfad = [&](const char* name) { return (ordner / name).string(); };
    const std::vector<std::string> basis = {"turnier", "--players", "2",      "--entrants", "4,10,12,14",
                                            "--games", "10",        "--seed", "7"};
    auto lauf = [&](std::vector<std::string> mehr) {
        std::vector<std::string> a = basis;
        a.insert(a.end(), mehr.begin(), mehr.end());
        return Sim(a);
    };
    const TAufruf eins = lauf({"--json", pfad("eins.json")});
    ASSERT_EQ(eins.rc, 0) << eins.fehler;
    EXPECT_ENTHAELT(eins.aus, "Gespielt: 60 Spiele in 5 Durchgängen");
    const TAufruf zwei = lauf({"--json", pfad("zwei.json"), "--jobs", "3"});
    EXPECT_EQ(zwei.aus, eins.aus);
    EXPECT_EQ(LiesDatei(pfad("zwei.json")), LiesDatei(pfad("eins.json")));

    ASSERT_EQ(lauf({"--json", pfad("t1.json"), "--part", "1/2", "--report", pfad("r1.txt")}).rc, 0);
    ASSERT_EQ(lauf({"--json", pfad("t2.json"), "--part", "2/2", "--report", pfad("r2.txt")}).rc, 0);
    const TAufruf m = Sim({"merge", pfad("t2.json"), pfad("t1.json"), "--json", pfad("m.json")});
    ASSERT_EQ(m.rc, 0) << m.fehler;
    EXPECT_EQ(OhneLaeufe(m.aus), OhneLaeufe(eins.aus));
    EXPECT_ENTHAELT(m.aus, "Lauf: Seed 7, Teil 2 von 2, 24 Spiele\nLauf: Seed 7, Teil 1 von 2, 36 Spiele\n");
    // The merged file merges again, and says the same.
    EXPECT_EQ(Sim({"merge", pfad("m.json")}).aus, m.aus);

    const TAufruf doppelt = Sim({"merge", pfad("t1.json"), pfad("m.json")});
    EXPECT_EQ(doppelt.rc, 2);
    EXPECT_ENTHAELT(doppelt.fehler, "zählte doppelt");
    std::vector<std::string> andere = basis;
    andere[4] = "4,10,12,15";
    andere.insert(andere.end(), {"--json", pfad("anders.json"), "--seed", "8"});
    ASSERT_EQ(Sim(andere).rc, 0);
    const TAufruf fremd = Sim({"merge", pfad("t1.json"), pfad("anders.json")});
    EXPECT_EQ(fremd.rc, 2);
    EXPECT_ENTHAELT(fremd.fehler, "passt nicht zu");
    EXPECT_ENTHAELT(fremd.fehler, "Teilnehmer 4: Strategie ist 15, nicht 14");
    ASSERT_EQ(
        Sim({"--players", "2", "--games", "3", "--seed", "1", "--json", pfad("serie.json"), "--quiet"}).rc,
        0);
    EXPECT_EQ(Sim({"merge", pfad("t1.json"), pfad("serie.json")}).rc, 2);

    // The stop rule ends a one-sided tournament early, at the same pass on any number of threads.
    std::vector<std::string> stopp = {"turnier", "--entrants", "10,2", "--games",
                                      "4000",    "--seed",     "3",    "--until-significant"};
    const TAufruf s1 = Sim(stopp);
    stopp.insert(stopp.end(), {"--jobs", "2"});
    EXPECT_EQ(Sim(stopp).aus, s1.aus);
    EXPECT_ENTHAELT(s1.aus, "angehalten: der Vorsprung des Ersten ist signifikant");
    EXPECT_EQ(s1.aus.find("4000 Spiele in"), std::string::npos);

    EXPECT_EQ(Sim({"turnier", "--entrants", "10,17"}).rc, 2);
    EXPECT_EQ(Sim({"turnier", "--entrants", "10,12", "--params-of", "3=x.ini"}).rc, 2);
    EXPECT_EQ(Sim({"turnier", "--entrants", "10,12", "--part", "1/2", "--until-significant"}).rc, 2);
}

// A result file reads back to the same tournament; a damaged one is refused with what is wrong,
// never taken in half.
TEST(Turnier, ErgebnisdateienWerdenGeprueft) {
    TTurnierOptionen o;
    o.spieler = 3;
    o.teilnehmer = {4, 10, 12};
    o.spiele = 6;
    o.spieleGesetzt = true;
    o.seed = 9;
    const TTurnier t = Spielen(o);
    const std::string text = TurnierJson(t);
    TTurnier zurueck;
    std::string fehler;
    ASSERT_TRUE(TurnierAusJson(text, zurueck, fehler)) << fehler;
    ASSERT_EQ(zurueck.Spiele.size(), t.Spiele.size());
    EXPECT_EQ(std::memcmp(zurueck.Spiele.data(), t.Spiele.data(), t.Spiele.size() * sizeof t.Spiele[0]), 0);
    EXPECT_EQ(TurnierBericht(zurueck, TurnierWerten(zurueck)), TurnierBericht(t, TurnierWerten(t)));

    const nlohmann::json gut = nlohmann::json::parse(text);
    const std::vector<std::pair<const char*, void (*)(nlohmann::json&)>> schaeden = {
        {"fehlerhaft: spielerAnzahl", [](nlohmann::json& d) { d["spielerAnzahl"] = 5; }},
        {"fehlerhaft: spieleJeTisch", [](nlohmann::json& d) { d["spieleJeTisch"] = 0; }},
        {"fehlerhaft: teilnehmer", [](nlohmann::json& d) { d["teilnehmer"].erase(1); d["teilnehmer"].erase(1); }},
        {"fehlerhaft: parameter", [](nlohmann::json& d) { d["teilnehmer"][0]["parameter"].erase(0); }},
        {"fehlerhaft: Tisch", [](nlohmann::json& d) { d["spiele"][0][1] = -1; }},
        {"fehlerhaft: Tisch", [](nlohmann::json& d) { d["spiele"][0][1] = 99; }},
        {"fehlerhaft: Sitzordnung", [](nlohmann::json& d) { d["spiele"][0][2] = -1; }},
        {"fehlerhaft: Sitzordnung", [](nlohmann::json& d) { d["spiele"][0][2] = 6; }},
        {"fehlerhaft: Teilnehmer passt nicht", [](nlohmann::json& d) { std::swap(d["spiele"][0][4][0], d["spiele"][0][4][1]); }},
        {"fehlerhaft: Platz", [](nlohmann::json& d) { d["spiele"][0][7][2] = 4; }},
        {"fehlerhaft", [](nlohmann::json& d) { d["spiele"][0].erase(5); }},
        {"kein Turnier dieser Version", [](nlohmann::json& d) { d["version"] = 2; }},
    };
    for (const auto& [was, schaden] : schaeden) {
        nlohmann::json d = gut;
        schaden(d);
        TTurnier x;
        fehler.clear();
        EXPECT_FALSE(TurnierAusJson(d.dump(), x, fehler)) << was;
        EXPECT_EQ(fehler.rfind(was, 0), 0u) << fehler;
    }
}

// An entrant moves with its own parameters, also when the other entrant at the table has others:
// reading one file for the entrant that uses it gives the games of reading it for both.
TEST(Turnier, JederTeilnehmerZiehtMitSeinenParametern) {
    const std::filesystem::path ordner = FrischerOrdner("turnier_parameter");
    const std::string x = (ordner / "x.ini").string();
    SchreibeDatei(x, "[Strategie_2_Spieler]\nStrategie_10_P_0=1\nStrategie_10_P_3=1\n");
    TTurnierOptionen o;
    o.teilnehmer = {10, 12};
    o.spiele = 20;
    o.spieleGesetzt = true;
    o.seed = 4;
    const TTurnier ohne = Spielen(o);
    o.parameter = {{1, x}};
    const TTurnier einer = Spielen(o);
    o.parameter = {{1, x}, {2, x}};
    const TTurnier beide = Spielen(o);
    ASSERT_EQ(einer.Spiele.size(), beide.Spiele.size());
    int verschieden = 0;
    for (size_t i = 0; i < einer.Spiele.size(); ++i) {
        EXPECT_EQ(std::memcmp(&einer.Spiele[i], &beide.Spiele[i], sizeof einer.Spiele[i]), 0) << i;
        verschieden += std::memcmp(&einer.Spiele[i].E, &ohne.Spiele[i].E, sizeof ohne.Spiele[i].E) != 0;
    }
    EXPECT_GT(verschieden, 10);
}

} // namespace
