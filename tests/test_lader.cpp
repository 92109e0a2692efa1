// The game-file loader: records no game can reach, paths that are no regular files, and every
// file the program saves (recorded games, puzzles, hand-corrected games) loading again, and a
// recorded game being the simulator's game of its seed.
#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "ai/spielstaerke.h"
#include "control/fensterzustand.h"
#include "control/korrektur.h"
#include "model/konsistenz.h"
#include "persist/spieldatei.h"
#include "sim/aufnahme.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using vm::test::Ordner;
using vm::test::SpielMitHistorie;

namespace {

std::string Bytes(const void* p, size_t n) {
    return {static_cast<const char*>(p), n};
}

// A computer game recorded as the window would have saved it.
struct Aufnahme {
    TKatalog kat;
    std::unique_ptr<TSpielsitzung> g = std::make_unique<TSpielsitzung>(kat);
    std::unique_ptr<THistorie> h = std::make_unique<THistorie>();

    explicit Aufnahme(const TAufnahmeOptionen& opt) {
        int64_t gespielt = 0;
        EXPECT_EQ(SpielAufnehmen(*g, *h, opt, gespielt), "");
    }
    Aufnahme(int spieler, uint32_t seed, int64_t zuege, const uint8_t (&varianten)[3] = {0, 0, 0})
        : Aufnahme(Optionen(spieler, seed, zuege, varianten)) {}
    static TAufnahmeOptionen Optionen(int spieler, uint32_t seed, int64_t zuege,
                                      const uint8_t (&varianten)[3]) {
        TAufnahmeOptionen opt;
        opt.sim.spieler = spieler;
        opt.sim.seedGesetzt = true;
        opt.sim.seed = seed;
        for (int v = 0; v < 3; ++v) opt.sim.varianten[v] = varianten[v];
        opt.zuege = zuege;
        return opt;
    }
};

// A second program run, in the middle of a game of its own, that loads files.
struct Leser {
    SpielMitHistorie s{4, 1};
    std::string saveDir = "/bisher/";
    Leser() {
        s.Neu();
        s.BisEintraege(2);
    }
    TLadeErgebnis Laden(const std::string& datei) { return LadeSpieldatei(s.g, s.h, datei, saveDir); }
    std::string Stand() const {
        return Bytes(&s.g.S, sizeof s.g.S) + Bytes(&s.h.H(), sizeof(TSpielHistorie)) + saveDir;
    }
};

void SchreibeRecord(const std::string& datei, const TSpielHistorie& h) {
    std::string daten;
    ASSERT_TRUE(KomprimiereHistorie(h, daten));
    vm::test::SchreibeDatei(datei, daten);
}

// Seat, list and index of the first table card with or without the given ability bit.
struct TStelle {
    int sitz = 0, liste = 0, index = 0;
};
TStelle Tischkarte(const TKatalog& kat, const TSpielstand& s, uint8_t bit, bool mit) {
    for (int p = 1; p <= s.SpielerAnzahl; ++p)
        for (int l = 1; l <= 3; ++l)
            for (int i = 1; i <= s.Spieler[p].Karten[l].Anzahl; ++i)
                if (((kat.Daten(s.Spieler[p].Karten[l].Karten[i]).Sondereigenschaften & bit) != 0) == mit)
                    return {p, l, i};
    return {};
}

} // namespace

// Each kind of inconsistency is refused as incompatible, naming the entry and what is wrong, and
// the running game, its history and folder stay as they were.
TEST(Lader, UnerreichbareEintraegeWerdenMitIhremFehlerAbgelehnt) {
    Ordner o;
    Aufnahme a(3, 17, 150);
    const TSpielHistorie& basis = a.h->H();
    const int e = basis.AktuellerEintrag;
    ASSERT_GE(e, 3);
    ASSERT_FALSE(basis.Eintrag[e].Spielende);
    const TSpielstand& s = basis.Eintrag[e];
    const TStelle gruen = Tischkarte(a.kat, s, 0xFF, false);
    ASSERT_NE(gruen.sitz, 0);
    int reihe = s.Auslage[1].Anzahl > 0 ? 1 : 2;
    const int platz = reihe == 1 ? 1 : 8;
    ASSERT_GT(s.Auslage[reihe].Anzahl, 0);
    int stapel = 1;
    while (stapel < 4 && s.Kartenstapel[stapel].Naechste > s.Kartenstapel[stapel].Anzahl) ++stapel;
    ASSERT_LE(s.Kartenstapel[stapel].Naechste, s.Kartenstapel[stapel].Anzahl);
    const int letzter = s.Kartenstapel[stapel].Anzahl;
    const std::string st =
        "Stapel " + std::to_string(stapel) + " Platz " + std::to_string(letzter) + " hält ";
    const std::string ausl =
        "Auslage Reihe " + std::to_string(reihe) + " Platz " + std::to_string(platz) + " hält ";
    const std::string wer = "Spieler " + std::to_string(gruen.sitz);
    auto nimmAufHand = [&](TSpielstand& x, tKartenRef k) {
        TKartenliste& hand = x.Spieler[gruen.sitz].Karten[ListeHand];
        hand.Karten[++hand.Anzahl] = k;
    };
    using Aendern = std::function<void(TSpielstand&)>;
    const std::vector<std::tuple<std::string, std::string, Aendern>> faelle = {
        {"leerer Auslageplatz", ausl + "(Farbe 0, Ref 0)",
         [&](TSpielstand& x) { x.Auslage[reihe].Karten[platz] = {}; }},
        {"leerer Stapelplatz", st + "(Farbe 0, Ref 0)",
         [&](TSpielstand& x) { x.Kartenstapel[stapel].Karten[letzter] = {}; }},
        {"Marke im Stapel", st,
         [&](TSpielstand& x) { x.Kartenstapel[stapel].Karten[letzter].Farbe += Benutzt; }},
        {"Marke in der Auslage", ausl,
         [&](TSpielstand& x) { x.Auslage[reihe].Karten[platz].Farbe += Benutzt; }},
        {"Marke auf einer Karte ohne Sternwarte", "mit Benutzt-Marke",
         [&](TSpielstand& x) {
             x.Spieler[gruen.sitz].Karten[gruen.liste].Karten[gruen.index].Farbe += Benutzt;
         }},
        {"Marke auf der Hand", wer + " Liste 4 Platz ",
         [&](TSpielstand& x) {
             const tKartenRef k = x.Auslage[reihe].Karten[platz];
             nimmAufHand(x, {k.Farbe + Benutzt, k.Ref});
         }},
        {"mehr Karten als das Spiel hat",
         "Kartenerhaltung: ", [&](TSpielstand& x) { nimmAufHand(x, x.Auslage[reihe].Karten[platz]); }},
        {"Ablage ohne Karte", "Kartenerhaltung: ", [](TSpielstand& x) { ++x.AblageAnzahl; }},
        {"alle gepasst", "AnzahlPassen ist 3 bei 3 Spielern", [](TSpielstand& x) { x.AnzahlPassen = 3; }},
        {"Schenkenrunde außerhalb der blauen Phase", "SchenkeModus in Phase ",
         [](TSpielstand& x) {
             x.SchenkeModus = 1;
             x.AnzahlPassen = 3;
             x.Phase = x.Phase == 2 ? 3 : x.Phase;
         }},
        {"Spielende mit anderem Sitz am Zug", "Spielende mit AktuellerSpieler 2",
         [](TSpielstand& x) {
             x.Spielende = 1;
             x.AktuellerSpieler = 2;
         }},
        {"Schalter mit 2", "StapelLeer ist weder 0 noch 1", [](TSpielstand& x) { x.StapelLeer = 2; }},
        {"Schenke ohne Karte", "AnzahlSchenken",
         [&](TSpielstand& x) { ++x.Spieler[gruen.sitz].AnzahlSchenken; }},
        {"Fähigkeit ohne Karte", "Sondereigenschaften",
         [&](TSpielstand& x) { x.Spieler[gruen.sitz].Sondereigenschaften ^= Lagerhaus; }},
        {"fünf Handkarten", wer + " Liste 4 hat 5 Karten",
         [&](TSpielstand& x) { x.Spieler[gruen.sitz].Karten[ListeHand].Anzahl = 5; }},
        {"Karten eines Sitzes, der nicht mitspielt", "Spieler 4 Liste 4 hat 1 Karten",
         [&](TSpielstand& x) {
             x.Spieler[4].Karten[ListeHand].Anzahl = 1;
             x.Spieler[4].Karten[ListeHand].Karten[1] = x.Auslage[reihe].Karten[platz];
         }},
        {"korrigiert: mehr in Auslage und Händen als gezogen", "gezogen",
         [](TSpielstand& x) {
             x.Korrigiert = 1;
             x.AblageAnzahl += 200;
         }},
    };
    Leser l;
    const std::string vorher = l.Stand();
    for (const auto& [name, teil, aendern] : faelle) {
        // Every entry that undo can restore is checked, not only the one shown.
        const bool ueberall = name == "Ablage ohne Karte" || name == "alle gepasst" ||
                              name == "Schalter mit 2" || name == "leerer Stapelplatz" ||
                              name == "Marke im Stapel";
        for (int eintrag : {e, ueberall ? 1 : e}) {
            auto h = std::make_unique<TSpielHistorie>(basis);
            aendern(h->Eintrag[eintrag]);
            SchreibeRecord(o / "x.vmk", *h);
            const TLadeErgebnis erg = l.Laden(o / "x.vmk");
            EXPECT_FALSE(erg.Geladen) << name;
            EXPECT_EQ(erg.Meldung, TMeldung("File access error 6", "Datei inkompatibel !")) << name;
            const std::string grund = "nicht stimmig: Eintrag[" + std::to_string(eintrag) + "]: ";
            EXPECT_EQ(erg.Meldung.Grund.rfind(grund, 0), 0u) << name << ": " << erg.Meldung.Grund;
            EXPECT_ENTHAELT(erg.Meldung.Grund, teil);
            EXPECT_TRUE(l.Stand() == vorher) << name;
        }
    }
    // What a correction can make is no inconsistency: money below 0, a second copy of a card on
    // the table, a table card gone.
    auto h = std::make_unique<TSpielHistorie>(basis);
    TSpielstand& x = h->Eintrag[e];
    x.Korrigiert = 1;
    x.Spieler[2].Geld = -7;
    TKartenliste& liste = x.Spieler[gruen.sitz].Karten[gruen.liste];
    liste.Karten[++liste.Anzahl] = liste.Karten[gruen.index];
    TSpieler& dritter = x.Spieler[3];
    dritter.Karten[3].Anzahl = 0;
    dritter.AnzahlSchenken = dritter.AnzahlSternwarten = 0;
    dritter.Sondereigenschaften = 0;
    for (int l = 1; l <= 2; ++l)
        for (int i = 1; i <= dritter.Karten[l].Anzahl; ++i) {
            const uint8_t b = a.kat.Daten(dritter.Karten[l].Karten[i]).Sondereigenschaften;
            dritter.Sondereigenschaften |= b;
            dritter.AnzahlSternwarten += (b & Sternwarte) != 0;
            dritter.AnzahlSchenken += (b & Schenke) != 0;
        }
    SchreibeRecord(o / "korrigiert.vmk", *h);
    const TLadeErgebnis erg = l.Laden(o / "korrigiert.vmk");
    EXPECT_TRUE(erg.Geladen) << erg.Meldung.Grund;
    EXPECT_EQ(l.saveDir, o.Pfad() + "/");
}

// A FIFO, a folder or a device named like a game file is refused at once, without reading it;
// the FIFO holds a whole game file that a reader would otherwise take.
TEST(Lader, NurGewoehnlicheDateienWerdenGeoeffnet) {
    Ordner o;
    Aufnahme a(2, 5, 40);
    std::string saveDir;
    ASSERT_FALSE(SpeichereSpieldatei(*a.g, *a.h, o / "gut.vmk", saveDir).Da());
    const std::string daten = vm::test::LiesDatei(o / "gut.vmk");

    const std::string fifo = o / "fifo.vmk";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int schreiber = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(schreiber, 0);
    ASSERT_GE(::fcntl(schreiber, F_SETPIPE_SZ, 1 << 20), static_cast<int>(2 * daten.size()));
    ASSERT_EQ(::write(schreiber, daten.data(), daten.size()), static_cast<ssize_t>(daten.size()));
    ASSERT_EQ(::mkdir((o / "ordner.vmk").c_str(), 0700), 0);

    Leser l;
    const std::string vorher = l.Stand();
    for (const std::string& pfad :
         {fifo, o / "ordner.vmk", std::string("/dev/zero"), std::string("/dev/null")}) {
        const TLadeErgebnis erg = l.Laden(pfad);
        EXPECT_FALSE(erg.Geladen) << pfad;
        EXPECT_EQ(erg.Meldung, TMeldung("File access error 0", pfad)) << pfad;
        EXPECT_EQ(erg.Meldung.Grund, "keine gewöhnliche Datei (Ordner, Gerät oder FIFO)") << pfad;
        EXPECT_TRUE(l.Stand() == vorher) << pfad;
    }
    // Filled again, so that a reader that took the first copy would not wait for more.
    ASSERT_EQ(::write(schreiber, daten.data(), daten.size()), static_cast<ssize_t>(daten.size()));
    std::ostringstream aus, fehler;
    EXPECT_EQ(SimAnsehen(fifo, aus, fehler), 1);
    EXPECT_EQ(fehler.str(),
              "File access error 0: " + fifo +
                  "\nveldmark-sim inspect: keine gewöhnliche Datei (Ordner, Gerät oder FIFO)\n");
    ::close(schreiber);

    // The other reasons of an unreadable file.
    EXPECT_EQ(l.Laden(o / "fehlt.vmk").Meldung.Grund, "Datei fehlt");
    vm::test::SchreibeDatei(o / "text.vmk", "kein Spielstand");
    EXPECT_EQ(l.Laden(o / "text.vmk").Meldung.Grund, "keine Spieldatei");
    std::string kaputt = daten;
    kaputt.back() ^= 0x5A; // the checksum
    vm::test::SchreibeDatei(o / "kaputt.vmk", kaputt);
    EXPECT_EQ(l.Laden(o / "kaputt.vmk").Meldung.Grund, "beschädigt");
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod((o / "gut.vmk").c_str(), 0), 0);
        EXPECT_EQ(l.Laden(o / "gut.vmk").Meldung.Grund, "nicht lesbar: keine Berechtigung");
    }
    EXPECT_TRUE(l.Stand() == vorher);
}

// Every file the program saves loads again: positions of many recorded games at many move
// counts, ordinary and as puzzles, each through the save and the load of the window.
TEST(Lader, JedeGespeicherteStellungLaedtWieder) {
    Ordner o;
    const bool kurz = vm::test::UnterSanitizer();
    int dateien = 0;
    for (int spieler = 2; spieler <= 4; ++spieler) {
        for (uint32_t seed = 1; seed <= (kurz ? 2u : 6u); ++seed) {
            const uint8_t varianten[3] = {static_cast<uint8_t>(seed % 2), static_cast<uint8_t>(seed / 2 % 2),
                                          static_cast<uint8_t>(seed % 2 == 0)};
            for (int64_t zuege : {4, 9, 31, 77, 160, 400, -1}) {
                Aufnahme a(spieler, 1000 * seed + spieler, zuege, varianten);
                const int puzzle = (dateien++) % 4;
                a.h->Puzzle.SetPuzzle1 = puzzle == 1;
                a.h->Puzzle.SetPuzzle2 = puzzle == 2;
                a.h->Puzzle.SetPuzzle3 = puzzle == 3;
                std::string saveDir;
                ASSERT_FALSE(SpeichereSpieldatei(*a.g, *a.h, o / "s.vmk", saveDir).Da());
                Leser l;
                const TLadeErgebnis erg = l.Laden(o / "s.vmk");
                ASSERT_TRUE(erg.Geladen) << spieler << " Spieler, Seed " << seed << ", " << zuege
                                         << " Züge: " << erg.Meldung.Grund;
                ASSERT_EQ(Bytes(&l.s.h.H(), sizeof(TSpielHistorie)),
                          Bytes(&a.h->H(), sizeof(TSpielHistorie)));
            }
        }
    }
}

// Games with a human seat 1 that uses the observatory and the pub, corrects tables and money,
// steps back and forward: every state passes the checker, and every save loads again.
TEST(Lader, KorrigierteSpieleLadenWieder) {
    Ordner o;
    const int partien = vm::test::UnterSanitizer() ? 3 : 12;
    int gespeichert = 0, korrekturen = 0;
    for (int partie = 0; partie < partien; ++partie) {
        SpielMitHistorie s(2 + partie % 3, 300 + partie);
        s.Neu();
        s.g.S.Computer[1] = 0;
        TFensterZustand fenster(s.g);
        vm::test::TestSpieler spieler(77 + partie);
        std::mt19937 rng(partie);
        auto wuerfel = [&](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
        auto speichernUndLaden = [&] {
            std::string saveDir;
            ASSERT_FALSE(SpeichereSpieldatei(s.g, s.h, o / "k.vmk", saveDir).Da());
            Leser l;
            const TLadeErgebnis erg = l.Laden(o / "k.vmk");
            ASSERT_TRUE(erg.Geladen) << "Partie " << partie << ": " << erg.Meldung.Grund;
            ++gespeichert;
        };
        auto korrigiere = [&] {
            const int sitz = 1 + wuerfel(s.g.S.SpielerAnzahl);
            if (wuerfel(3) == 0) {
                for (int i = wuerfel(40); i > 0; --i) KorrigiereGeld(s.g, sitz, false);
            } else {
                const int32_t plaetze = s.g.S.Spieler[sitz].Tischkarten();
                if (plaetze == 0) return;
                const auto aktion = static_cast<KorrekturAktion>(wuerfel(3));
                if (KorrigiereTischkarte(s.g, sitz, 1 + wuerfel(plaetze), aktion, 1 + wuerfel(49)) ==
                    KorrekturErgebnis::Ausgefuehrt)
                    ++korrekturen;
            }
        };
        if (partie == 0) {
            // The mode switched on, then back and forward through the history: the entry shown
            // again is not marked as altered, the edits after it are.
            while (s.h.H().AnzahlEintraege < 6 || s.g.S.AktuellerSpieler != 1 ||
                   !s.g.WartendeSternwartenKarte().Leer())
                spieler.Zug(s.g);
            KorrekturModusSetzen(s.g, true);
            ASSERT_TRUE(s.h.Rueckgaengig(s.g));
            ASSERT_TRUE(s.h.Wiederherstellen(s.g));
            for (int i = s.g.S.Spieler[1].Geld; i >= 0; --i) ASSERT_TRUE(KorrigiereGeld(s.g, 1, false));
            ASSERT_EQ(PruefeInvarianten(s.g), "");
        }
        for (int aktion = 0; aktion < 3000 && !s.g.S.Spielende; ++aktion) {
            if (s.g.S.AktuellerSpieler == 1 && s.g.WartendeSternwartenKarte().Leer() && !s.g.S.SchenkeModus) {
                const int wahl = wuerfel(12);
                if (wahl == 0) KorrekturModusSetzen(s.g, true);
                if (wahl <= 2 && fenster.KorrekturmodusAn()) korrigiere();
                if (wahl == 3) s.h.Rueckgaengig(s.g);
                if (wahl == 4) s.h.GanzVor(s.g);
                if (wahl == 5) speichernUndLaden();
            }
            spieler.Zug(s.g);
            const std::string befund = PruefeInvarianten(s.g);
            ASSERT_EQ(befund, "") << "Partie " << partie << ", Aktion " << aktion;
        }
        speichernUndLaden();
    }
    EXPECT_GT(korrekturen, 20);
    EXPECT_GT(gespeichert, 3 * partien);
}

// A recorded game keeps the history of a human seat 1 and is the simulator's game of the same seed.
TEST(SimAufnahme, GanzesSpielIstDasSpielDesSimulatorsMitDerHistorieVonSitz1) {
    const std::vector<std::string> args = {"--seed", "7", "--players", "3", "--strategies", "4,10,10"};
    std::vector<std::string> mitDatei = args;
    mitDatei.insert(mitDatei.end(), {"--out", "x.vmk"});
    const TAufnahmeArgumente a = ParseAufnahmeArgumente(mitDatei);
    ASSERT_TRUE(a.ok) << a.fehler;
    Aufnahme r(a.opt);
    const TSpielHistorie& h = r.h->H();
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
    TSimArgumente s = ParseSimArgumente(args);
    ASSERT_TRUE(s.ok);
    TKatalog kat;
    auto sim = std::make_unique<TSpielsitzung>(kat);
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
