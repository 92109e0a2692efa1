// Game files from the simulator: a recorded game keeps the history of a human seat 1, plays the
// simulator's game, saves and reloads through the window's code, and inspect shows or refuses it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ai/compizug.h"
#include "ai/spielstaerke.h"
#include "persist/spieldatei.h"
#include "sim/aufnahme.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

// The options of a recording; kept in memory only, the file name is a stand-in.
TAufnahmeOptionen Aufnahme(std::vector<std::string> args) {
    if (std::find(args.begin(), args.end(), "--out") == args.end())
        args.insert(args.end(), {"--out", "x.vmk"});
    TAufnahmeArgumente a = ParseAufnahmeArgumente(args);
    EXPECT_TRUE(a.ok) << a.fehler;
    return a.opt;
}

// A recorded game in memory.
struct TAufgenommen {
    TKatalog kat;
    std::unique_ptr<Spielsitzung> g = std::make_unique<Spielsitzung>(kat);
    std::unique_ptr<THistorie> h = std::make_unique<THistorie>();
    int64_t zuege = 0;
    std::string fehler;

    explicit TAufgenommen(const TAufnahmeOptionen& o) { fehler = SpielAufnehmen(*g, *h, o, zuege); }
    const TSpielHistorie& H() const { return h->H(); }
};

// A file loaded as the window loads it.
struct TGeladen {
    TKatalog kat;
    std::unique_ptr<Spielsitzung> g = std::make_unique<Spielsitzung>(kat);
    std::unique_ptr<THistorie> h = std::make_unique<THistorie>();
    TLadeErgebnis e;

    explicit TGeladen(const std::string& datei) {
        std::string ordner;
        e = LadeSpieldatei(*g, *h, datei, ordner);
    }
};

struct TAusgabe {
    int code;
    std::string aus, fehler;
};

TAusgabe Aufnehmen(const std::vector<std::string>& args) {
    std::ostringstream aus, fehler;
    const int code = SimAufnahme(Aufnahme(args), aus, fehler);
    return {code, aus.str(), fehler.str()};
}

TAusgabe Ansehen(const std::string& datei) {
    std::ostringstream aus, fehler;
    const int code = SimAnsehen(datei, aus, fehler);
    return {code, aus.str(), fehler.str()};
}

bool GleicherStand(const TSpielstand& a, const TSpielstand& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(SimAufnahme, GanzesSpielIstDasSpielDesSimulatorsMitDerHistorieVonSitz1) {
    const std::vector<std::string> args = {"--seed", "7", "--players", "3", "--strategies", "4,10,10"};
    TAufgenommen r(Aufnahme(args));
    ASSERT_EQ(r.fehler, "");
    const TSpielHistorie& h = r.H();
    ASSERT_GE(h.AnzahlEintraege, 10);
    EXPECT_EQ(h.AktuellerEintrag, h.AnzahlEintraege);
    EXPECT_EQ(r.g->AnzahlFehler, 0);
    // Every entry shows seat 1 on turn and played by a human, as the window's history does.
    for (int i = 1; i <= h.AnzahlEintraege; ++i) {
        const TSpielstand& e = h.Eintrag[i];
        EXPECT_EQ(e.AktuellerSpieler, 1) << i;
        EXPECT_EQ(e.Computer[1], 0) << i;
        EXPECT_EQ(e.Computer[2], 1) << i;
        EXPECT_EQ(e.Spielende, i == h.AnzahlEintraege ? 1 : 0) << i;
        EXPECT_EQ(e.Spielstaerke, Expertenmodus) << i;
    }
    for (int n = 2; n <= 4; ++n) EXPECT_EQ(h.Einstellungen.Fuer(n).Sim, 0) << n;
    EXPECT_EQ(h.Einstellungen.Fuer(3).Strategie[2], 10);

    // The same game as the simulator plays it from the same seed.
    SimArgumente s = ParseSimArgumente(args);
    ASSERT_TRUE(s.ok);
    TKatalog kat;
    auto sim = std::make_unique<Spielsitzung>(kat);
    ASSERT_EQ(SimVorbereiten(*sim, s.opt), "");
    SimSpiel(*sim);
    const TSpielstand& ende = h.Eintrag[h.AnzahlEintraege];
    EXPECT_EQ(ende.Runde, sim->S.Runde);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(ende.Spieler[p].Siegpunkte, sim->S.Spieler[p].Siegpunkte) << p;
        EXPECT_EQ(ende.Spieler[p].Geld, sim->S.Spieler[p].Geld) << p;
        EXPECT_EQ(std::memcmp(&ende.Spieler[p], &sim->S.Spieler[p], sizeof ende.Spieler[p]), 0) << p;
    }
    EXPECT_EQ(r.g->Zufall.RandSeed, sim->Zufall.RandSeed);
}

TEST(SimAufnahme, NachKZuegenGespeichertUndGeladenWieImFenster) {
    Ordner o;
    const std::vector<std::string> basis = {"--seed", "4242", "--players", "4", "--strategies", "4,4,10,10"};
    TAufgenommen ganz(Aufnahme(basis));
    ASSERT_EQ(ganz.fehler, "");

    for (const int64_t k : {4, 17, 60}) {
        std::vector<std::string> args = basis;
        args.insert(args.end(), {"--moves", std::to_string(k), "--out", o / "k.vmk"});
        const TAusgabe a = Aufnehmen(args);
        ASSERT_EQ(a.code, 0) << a.fehler;
        EXPECT_EQ(a.aus.rfind(o / "k.vmk" + ": " + std::to_string(k) + " Züge, Eintrag ", 0), 0u) << a.aus;
        TAufgenommen teil(Aufnahme(args));
        EXPECT_EQ(teil.zuege, k);

        // The file holds the entries of the whole game up to move K, and loads back byte for byte.
        TGeladen l(o / "k.vmk");
        ASSERT_TRUE(l.e.Geladen) << l.e.Meldung.Titel << ": " << l.e.Meldung.Text;
        const TSpielHistorie& h = l.h->H();
        ASSERT_GE(h.AnzahlEintraege, 1);
        EXPECT_EQ(h.AnzahlEintraege, teil.H().AnzahlEintraege);
        EXPECT_LT(h.AnzahlEintraege, ganz.H().AnzahlEintraege);
        EXPECT_EQ(h.AktuellerEintrag, h.AnzahlEintraege);
        EXPECT_EQ(h.Aufgabe, 0);
        for (int i = 1; i <= h.AnzahlEintraege; ++i)
            EXPECT_TRUE(GleicherStand(h.Eintrag[i], ganz.H().Eintrag[i])) << "k " << k << " Eintrag " << i;
        EXPECT_EQ(std::memcmp(&h.Einstellungen, &ganz.H().Einstellungen, sizeof h.Einstellungen), 0);
        EXPECT_TRUE(GleicherStand(l.g->S, h.Eintrag[h.AnzahlEintraege]));
        EXPECT_FALSE(l.e.SimModus);

        // Undo after loading steps through the saved history, and redo comes back.
        for (int32_t i = h.AnzahlEintraege - 1; i >= 1; --i) {
            ASSERT_TRUE(l.h->Rueckgaengig(*l.g)) << i;
            EXPECT_TRUE(GleicherStand(l.g->S, h.Eintrag[i])) << i;
        }
        EXPECT_FALSE(l.h->Rueckgaengig(*l.g));
        EXPECT_TRUE(l.h->GanzVor(*l.g) || h.AnzahlEintraege == 1);
        EXPECT_EQ(h.AktuellerEintrag, h.AnzahlEintraege);
    }
    EXPECT_TRUE(std::filesystem::exists(o / "k.vmk"));
    EXPECT_EQ(o.Inhalt(), "k.vmk;") << "no temporary file is left";
}

TEST(SimAufnahme, PuzzleArtenUndWeiterspielenVomSeedDesEintrags) {
    Ordner o;
    const std::vector<std::string> basis = {"--seed",       "99",    "--players", "2",
                                            "--strategies", "12,14", "--moves",   "40"};
    TAufgenommen ganz(Aufnahme({"--seed", "99", "--players", "2", "--strategies", "12,14"}));
    ASSERT_EQ(ganz.fehler, "");
    TAufgenommen teil(Aufnahme(basis));
    ASSERT_EQ(teil.fehler, "");
    const int32_t letzter = teil.H().AnzahlEintraege;
    ASSERT_GE(letzter, 2);

    for (const char* art : {"1", "2", "3"}) {
        const std::string datei = o / (std::string("p") + art + ".vmk");
        std::vector<std::string> args = basis;
        args.insert(args.end(), {"--puzzle", art, "--out", datei});
        ASSERT_EQ(Aufnehmen(args).code, 0) << art;
        TGeladen l(datei);
        ASSERT_TRUE(l.e.Geladen) << art;
        const TSpielHistorie& h = l.h->H();
        if (art[0] == '3') {
            // Puzzle key 3 only clears a puzzle mark; a fresh game is saved as an ordinary file.
            EXPECT_EQ(h.Aufgabe, 0);
            EXPECT_EQ(h.AnzahlEintraege, letzter);
            EXPECT_FALSE(l.h->Sperre.Aktiv());
            continue;
        }
        EXPECT_EQ(h.Aufgabe, 1) << art;
        EXPECT_EQ(h.AufgabeUndoErlaubt, art[0] == '1' ? 1 : 0) << art;
        EXPECT_EQ(h.AnzahlEintraege, 1) << art;
        EXPECT_EQ(h.AktuellerEintrag, 1) << art;
        EXPECT_TRUE(GleicherStand(h.Eintrag[1], ganz.H().Eintrag[letzter])) << art;
        // Loaded without puzzle keys, the puzzle locks the window.
        EXPECT_TRUE(l.h->Sperre.NeuesSpiel) << art;
        EXPECT_EQ(l.h->Sperre.Spielzug, art[0] == '2') << art;

        // The puzzle's seed is the generator at its position: played on by the computer, the
        // game ends exactly as the recorded one.
        Spielsitzung& g = *l.g;
        EXPECT_EQ(g.Zufall.RandSeed, static_cast<uint32_t>(h.AufgabeRandSeed));
        g.S.Computer[1] = 1;
        while (!g.S.Spielende) CompiZug(g);
        g.S.Computer[1] = 0;
        EXPECT_EQ(g.S.Runde, ganz.H().Eintrag[ganz.H().AnzahlEintraege].Runde);
        for (int p = 1; p <= 2; ++p)
            EXPECT_EQ(std::memcmp(&g.S.Spieler[p], &ganz.H().Eintrag[ganz.H().AnzahlEintraege].Spieler[p],
                                  sizeof g.S.Spieler[p]),
                      0)
                << art << " Spieler " << p;
        EXPECT_EQ(g.Zufall.RandSeed, ganz.g->Zufall.RandSeed) << art;
    }
}

TEST(SimAufnahme, ArgumenteUndEineHistorieOhneEintrag) {
    Ordner o;
    const std::vector<std::pair<std::vector<std::string>, std::string>> falsch = {
        {{"--seed", "1"}, "--out: "},
        {{"--out", ""}, "--out: "},
        {{"--puzzle", "4", "--out", "x.vmk"}, "--puzzle: "},
        {{"--moves", "-1", "--out", "x.vmk"}, "--moves: "},
        {{"--moves", "3x", "--out", "x.vmk"}, "--moves: "},
        {{"--games", "3", "--out", "x.vmk"}, "--games: "},
        {{"--jobs", "2", "--out", "x.vmk"}, "--jobs: "},
        {{"--trace", "t.txt", "--out", "x.vmk"}, "--trace: "},
        {{"--players", "5", "--out", "x.vmk"}, "--players: "},
        {{"--out"}, "--out: "},
    };
    for (const auto& [args, anfang] : falsch) {
        const TAufnahmeArgumente a = ParseAufnahmeArgumente(args);
        EXPECT_FALSE(a.ok) << anfang;
        EXPECT_EQ(a.fehler.rfind(anfang, 0), 0u) << a.fehler;
    }

    // Seat 2 holds the first start role: after 0 moves seat 1 has not been on turn yet.
    const TAusgabe leer = Aufnehmen(
        {"--seed", "5", "--players", "3", "--roles", "0,1,0,0", "--moves", "0", "--out", o / "leer.vmk"});
    EXPECT_EQ(leer.code, 2);
    EXPECT_EQ(leer.fehler.rfind("veldmark-sim record: nach 0 Zügen hat die Historie noch keinen Eintrag", 0),
              0u)
        << leer.fehler;
    EXPECT_FALSE(std::filesystem::exists(o / "leer.vmk"));
    // Seat 1 begins: the first entry is the set-up.
    const TAusgabe eins = Aufnehmen(
        {"--seed", "5", "--players", "3", "--roles", "1,0,0,0", "--moves", "0", "--out", o / "eins.vmk"});
    EXPECT_EQ(eins.code, 0) << eins.fehler;
    EXPECT_EQ(eins.aus, o / "eins.vmk" + ": 0 Züge, Eintrag 1 von 1\n");

    // Options the game cannot be played with, and a folder that does not exist.
    const TAusgabe rollen = Aufnehmen({"--players", "4", "--roles", "1,1", "--out", o / "r.vmk"});
    EXPECT_EQ(rollen.code, 2);
    EXPECT_EQ(rollen.fehler.rfind("veldmark-sim record: --roles: ", 0), 0u) << rollen.fehler;
    const TAusgabe ordner = Aufnehmen({"--seed", "1", "--moves", "5", "--out", o / "fehlt/x.vmk"});
    EXPECT_EQ(ordner.code, 1);
    EXPECT_EQ(ordner.fehler.rfind("File access error ", 0), 0u) << ordner.fehler;
    EXPECT_NE(ordner.fehler.find(o / "fehlt/x.vmk"), std::string::npos) << ordner.fehler;
}

TEST(SimAnsehen, KopfUndStellungDesAktuellenEintrags) {
    Ordner o;
    ASSERT_EQ(Aufnehmen({"--seed", "12", "--players", "3", "--strategies", "4,10,10", "--moves", "30",
                         "--puzzle", "2", "--out", o / "a.vmk"})
                  .code,
              0);
    TGeladen l(o / "a.vmk");
    ASSERT_TRUE(l.e.Geladen);
    const TSpielHistorie& h = l.h->H();
    const TSpielstand& e = h.Eintrag[1];

    const TAusgabe a = Ansehen(o / "a.vmk");
    ASSERT_EQ(a.code, 0) << a.fehler;
    EXPECT_EQ(a.fehler, "");
    std::vector<std::string> z;
    std::istringstream in(a.aus);
    for (std::string s; std::getline(in, s);) z.push_back(s);
    ASSERT_EQ(z.size(), 6u + 3 * 3) << a.aus;
    EXPECT_EQ(z[0], "Datei: " + o / "a.vmk");
    EXPECT_EQ(z[1], "Version: Vers. 1.50 / 27.12.04");
    EXPECT_EQ(z[2], "Eintrag: 1 von 1");
    EXPECT_EQ(z[3], "Aufgabe: 1  RandSeed: " + std::to_string(h.AufgabeRandSeed) + "  UndoErlaubt: 0");
    EXPECT_EQ(z[4].substr(0, 13), "Zeitstempel: ");
    EXPECT_EQ(z[4].size(), 13u + 19u) << z[4]; // 2024-06-01 14:30:00
    EXPECT_EQ(z[4][17], '-');
    EXPECT_EQ(z[5], "Spieler: 3  Runde: " + std::to_string(e.Runde) + "  Phase: " + std::to_string(e.Phase) +
                        "  Am Zug: 1");
    for (int p = 1; p <= 3; ++p) {
        const TSpieler& s = e.Spieler[p];
        EXPECT_EQ(z[3 + 3 * p], "Spieler " + std::to_string(p) + ": Geld " + std::to_string(s.Geld) +
                                    ", Siegpunkte " + std::to_string(s.Siegpunkte));
        EXPECT_EQ(z[4 + 3 * p].rfind("  Tisch: ", 0), 0u);
        EXPECT_EQ(z[5 + 3 * p].rfind("  Hand: ", 0), 0u);
        // One name per table card.
        const int32_t karten = s.Tischkarten();
        const std::string tisch = z[4 + 3 * p].substr(9);
        EXPECT_EQ(karten == 0 ? 0 : std::count(tisch.begin(), tisch.end(), ',') + 1, karten) << tisch;
    }
}

TEST(SimAnsehen, AbgelehnteDateiZeigtDieMeldungUndGibtEins) {
    Ordner o;
    ASSERT_EQ(Aufnehmen({"--seed", "3", "--moves", "20", "--out", o / "gut.vmk"}).code, 0);
    const std::string gut = LiesDatei(o / "gut.vmk");
    TGeladen l(o / "gut.vmk");
    ASSERT_TRUE(l.e.Geladen);

    // A record changed in one field, compressed as the window compresses it.
    auto veraendert = [&](const std::string& name, auto aendern) {
        auto h = std::make_unique<TSpielHistorie>(l.h->H());
        aendern(*h);
        std::string daten;
        EXPECT_TRUE(KomprimiereHistorie(*h, daten));
        SchreibeDatei(o / name, daten);
    };
    SchreibeDatei(o / "text.vmk", "keine Spieldatei");
    SchreibeDatei(o / "kurz.vmk", gut.substr(0, gut.size() / 2));
    veraendert("kennung.vmk", [](TSpielHistorie& h) { h.SetzeKennung("Veldmark Spielstand?"); });
    veraendert("leer.vmk", [](TSpielHistorie& h) { h.AnzahlEintraege = 0; });
    veraendert("runde.vmk", [](TSpielHistorie& h) { h.Eintrag[h.AktuellerEintrag].SpielerAnzahl = 7; });

    const std::vector<std::pair<std::string, std::string>> faelle = {
        {"text.vmk", "File access error 0: " + o / "text.vmk" + "\n"},
        {"fehlt.vmk", "File access error 0: " + o / "fehlt.vmk" + "\n"},
        {"kurz.vmk", "File access error 3: " + o / "kurz.1Z1" + "\n"},
        {"kennung.vmk", "File access error 6: Datei inkompatibel !\n"},
        {"leer.vmk", "File access error 5: Datei leer !\n"},
        {"runde.vmk",
         "File access error 6: Datei inkompatibel !\nveldmark-sim inspect: außerhalb des Bereichs: "},
    };
    for (const auto& [name, meldung] : faelle) {
        const TAusgabe a = Ansehen(o / name);
        EXPECT_EQ(a.code, 1) << name;
        EXPECT_EQ(a.aus, "") << name;
        EXPECT_EQ(a.fehler.rfind(meldung, 0), 0u) << name << ": " << a.fehler;
        if (name == "runde.vmk") {
            EXPECT_NE(a.fehler.find("SpielerAnzahl"), std::string::npos) << a.fehler;
        }
    }
    EXPECT_EQ(Ansehen(o / "gut.vmk").code, 0);
    EXPECT_EQ(o.Inhalt().find(".1Z1"), std::string::npos) << o.Inhalt();
}
