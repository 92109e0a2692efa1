// Game files: round trips, puzzle marking, every message, hostile files.
#include <gtest/gtest.h>

#include <zlib.h>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/resource.h>

#include "persist/pruefung.h"
#include "persist/spieldatei.h"
#include "persist/sprache.h"
#include "testspieler.h"

using namespace vm;
using vm::test::LiesDatei;
using vm::test::Ordner;
using vm::test::SchreibeDatei;
using vm::test::SpielMitHistorie;

namespace {

std::string Bytes(const TSpielHistorie& h) {
    return {reinterpret_cast<const char*>(&h), sizeof h};
}
std::string Bytes(const TSpielstand& s) {
    return {reinterpret_cast<const char*>(&s), sizeof s};
}

std::string Komprimiert(const std::string& roh) {
    uLongf n = compressBound(roh.size());
    std::string aus(n, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(aus.data()), &n, reinterpret_cast<const Bytef*>(roh.data()),
                        roh.size(), 6),
              Z_OK);
    aus.resize(n);
    return aus;
}

// A saved game in the middle of play: 6 entries, the third one shown.
struct GespeichertesSpiel {
    Ordner ordner;
    SpielMitHistorie s{3, 99};
    std::string datei = ordner / "partie.vmk";
    std::string saveDir;

    GespeichertesSpiel() {
        s.Neu();
        s.BisEintraege(6);
        EXPECT_TRUE(s.h.Rueckgaengig(s.g));
        EXPECT_TRUE(s.h.Rueckgaengig(s.g));
        EXPECT_TRUE(s.h.Rueckgaengig(s.g));
    }
    TMeldung Speichern() { return SpeichereSpieldatei(s.g, s.h, datei, saveDir); }
};

// A second program run that loads files.
struct Leser {
    Ordner ordner;
    SpielMitHistorie s{4, 1};
    std::string saveDir;
    Leser() {
        s.Neu();
        s.BisEintraege(2);
    }
    TLadeErgebnis Laden(const std::string& datei) { return LadeSpieldatei(s.g, s.h, datei, saveDir); }
};

// Writes a record as a game file with plain zlib.
void SchreibeRecord(const std::string& datei, const TSpielHistorie& h) {
    SchreibeDatei(datei, Komprimiert(Bytes(h)));
}

} // namespace

TEST(Spieldatei, SpeichernUndLadenGebenDenDatensatzByteFuerByteZurueck) {
    GespeichertesSpiel a;
    ASSERT_FALSE(a.Speichern().Da());
    EXPECT_EQ(a.saveDir, a.ordner.Pfad() + "/");
    EXPECT_EQ(a.ordner.Inhalt(), "partie.vmk;");

    // Any zlib implementation inflates it to exactly one record.
    std::string datei = LiesDatei(a.datei);
    ASSERT_GE(datei.size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(datei[0]), 0x78);
    EXPECT_EQ(static_cast<uint8_t>(datei[1]), 0x01); // level 1
    std::string roh(sizeof(TSpielHistorie) + 100, '\0');
    uLongf n = roh.size();
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(roh.data()), &n,
                         reinterpret_cast<const Bytef*>(datei.data()), datei.size()),
              Z_OK);
    ASSERT_EQ(n, 814912u);
    roh.resize(n);
    EXPECT_EQ(roh, Bytes(a.s.h.H()));

    Leser b;
    TLadeErgebnis e = b.Laden(a.datei);
    ASSERT_TRUE(e.Geladen);
    EXPECT_FALSE(e.Meldung.Da());
    EXPECT_EQ(Bytes(b.s.h.H()), Bytes(a.s.h.H()));
    EXPECT_EQ(b.s.h.H().AktuellerEintrag, 3);
    EXPECT_EQ(b.s.h.H().AnzahlEintraege, 6);
    EXPECT_EQ(Bytes(b.s.g.S), Bytes(a.s.h.H().Eintrag[3]));
    EXPECT_EQ(b.s.h.Anzeige().Status, "History: 3 von 6");
    EXPECT_TRUE(b.s.h.Anzeige().Wiederherstellen);
    EXPECT_EQ(b.s.g.Menue.SpielerAnzahl, 3);
    EXPECT_EQ(std::memcmp(&b.s.g.Einstellungen, &a.s.h.H().Einstellungen, sizeof(TStrategieeinstellungen)),
              0);
    EXPECT_EQ(a.ordner.Inhalt(), "partie.vmk;");

    // Undo after loading steps through the saved history.
    EXPECT_TRUE(b.s.h.Rueckgaengig(b.s.g));
    EXPECT_EQ(Bytes(b.s.g.S), Bytes(a.s.h.H().Eintrag[2]));
    EXPECT_TRUE(b.s.h.GanzVor(b.s.g));
    EXPECT_EQ(Bytes(b.s.g.S), Bytes(a.s.h.H().Eintrag[6]));
}

TEST(Spieldatei, LadenUebernimmtStaerkeUndSimulationsflagAberNichtDieVariantenwahl) {
    GespeichertesSpiel a;
    TStrategieEinstellung& vier = a.s.g.Einstellungen.Fuer(4);
    vier.Sim = 1;
    vier.AnzahlSim = 250;
    for (int i = 1; i <= 6; ++i) {
        a.s.h.H().Eintrag[i].Spielstaerke = 42;
        a.s.h.H().Eintrag[i].VerdeckteHandkarten = 1;
    }
    a.s.h.H().Einstellungen = a.s.g.Einstellungen;
    ASSERT_FALSE(a.Speichern().Da());

    Leser b; // 4 players chosen in the menu before the load
    b.s.g.Log.TraceAn = true;
    TLadeErgebnis e = b.Laden(a.datei);
    ASSERT_TRUE(e.Geladen);
    EXPECT_EQ(b.s.g.Menue.Spielstaerke, 42);
    // The loaded game plays with its variants; the person's choice for the next game stays.
    EXPECT_EQ(b.s.g.S.VerdeckteHandkarten, 1);
    EXPECT_FALSE(b.s.g.Menue.VerdeckteHandkarten);
    // The simulation flag comes from the record of the count chosen before the load.
    EXPECT_TRUE(e.SimModus);
    EXPECT_EQ(e.AnzahlSim, 250);
    EXPECT_EQ(b.s.g.S.Computer[1], 1);
    EXPECT_EQ(b.s.g.Menue.SpielerAnzahl, 3);
    ASSERT_FALSE(b.s.g.Log.Zeilen().empty());
    EXPECT_EQ(b.s.g.Log.Zeilen().front(), "Spielstärke ändern auf 42");
    EXPECT_EQ(b.s.g.Log.Zeilen().back(), "Datei geladen");
}

TEST(Spieldatei, SetPuzzle1BehaeltNurDieAktuelleStellungMitUndo) {
    GespeichertesSpiel a;
    const std::string aktuell = Bytes(a.s.h.H().Eintrag[3]);
    a.s.g.Zufall.RandSeed = 0xDEADBEEF;
    a.s.h.Puzzle.SetPuzzle1 = true;
    a.s.h.Jetzt = [] { return 46000.75; };
    ASSERT_FALSE(a.Speichern().Da());
    // The history in memory is reduced too.
    const TSpielHistorie& h = a.s.h.H();
    EXPECT_EQ(h.AktuellerEintrag, 1);
    EXPECT_EQ(h.AnzahlEintraege, 1);
    EXPECT_EQ(h.Aufgabe, 1);
    EXPECT_EQ(static_cast<uint32_t>(h.AufgabeRandSeed), 0xDEADBEEFu);
    EXPECT_EQ(h.AufgabeUndoErlaubt, 1);
    EXPECT_EQ(h.Zeit(), 46000.75);
    EXPECT_EQ(Bytes(h.Eintrag[1]), aktuell);
    for (int i = 2; i <= HistorieEintraege; ++i) ASSERT_EQ(Bytes(h.Eintrag[i]), std::string(5412, '0')) << i;

    Leser b;
    b.s.g.Log.TraceAn = true;
    b.s.g.Menue.Korrekturmodus = true;
    TLadeErgebnis e = b.Laden(a.datei);
    ASSERT_TRUE(e.Geladen);
    EXPECT_EQ(Bytes(b.s.h.H()), Bytes(a.s.h.H()));
    EXPECT_EQ(b.s.g.Zufall.RandSeed, 0xDEADBEEFu);
    EXPECT_EQ(b.s.h.Sperre, PuzzleSperre(true));
    EXPECT_TRUE(b.s.h.Sperre.NeuesSpiel && b.s.h.Sperre.Laden && b.s.h.Sperre.Varianten);
    EXPECT_FALSE(b.s.h.Sperre.Spielzug || b.s.h.Sperre.Speichern);
    EXPECT_TRUE(b.s.h.GesperrtesPuzzle());
    EXPECT_FALSE(b.s.g.Log.TraceAn);
    EXPECT_FALSE(b.s.g.Menue.Korrekturmodus);
    // Saving stays possible and keeps the puzzle marking.
    std::string dir;
    EXPECT_FALSE(SpeichereSpieldatei(b.s.g, b.s.h, b.ordner / "kopie.vmk", dir).Da());
}

TEST(Spieldatei, SetPuzzle2SperrtAuchUndoUndSpeichern) {
    GespeichertesSpiel a;
    a.s.h.Puzzle.SetPuzzle2 = true;
    ASSERT_FALSE(a.Speichern().Da());
    EXPECT_EQ(a.s.h.H().AufgabeUndoErlaubt, 0);

    Leser b;
    ASSERT_TRUE(b.Laden(a.datei).Geladen);
    EXPECT_EQ(b.s.h.Sperre, PuzzleSperre(false));
    EXPECT_TRUE(b.s.h.Sperre.Spielzug && b.s.h.Sperre.Speichern);
    // One entry only, and undo is locked anyway; the controls are not refreshed.
    b.s.h.H().AnzahlEintraege = 2; // even with something to redo
    EXPECT_FALSE(b.s.h.Wiederherstellen(b.s.g));
    EXPECT_FALSE(b.s.h.GanzZurueck(b.s.g));
    b.s.h.SpielendeErreicht();
    EXPECT_FALSE(b.s.h.Sperre.Speichern);
    EXPECT_TRUE(b.s.h.Sperre.NeuesSpiel);
}

TEST(Spieldatei, MitPuzzleSchalternWirdNichtGesperrtAberDerSeedGesetzt) {
    GespeichertesSpiel a;
    a.s.g.Zufall.RandSeed = 12345;
    a.s.h.Puzzle.SetPuzzle2 = true;
    ASSERT_FALSE(a.Speichern().Da());
    Leser b;
    b.s.h.Puzzle.SetPuzzle1 = true;
    ASSERT_TRUE(b.Laden(a.datei).Geladen);
    EXPECT_FALSE(b.s.h.Sperre.Aktiv());
    EXPECT_EQ(b.s.g.Zufall.RandSeed, 12345u);
}

TEST(Spieldatei, SetPuzzle3HebtDieMarkierungAufUndBehaeltSeedUndZeit) {
    GespeichertesSpiel a;
    a.s.g.Zufall.RandSeed = 777;
    a.s.h.Puzzle.SetPuzzle2 = true;
    a.s.h.Jetzt = [] { return 40000.0; };
    ASSERT_FALSE(a.Speichern().Da());

    Leser b;
    b.s.h.Puzzle.SetPuzzle3 = true;
    b.s.h.Jetzt = [] { return 50000.0; };
    ASSERT_TRUE(b.Laden(a.datei).Geladen);
    std::string zweite = b.ordner / "frei.vmk";
    ASSERT_FALSE(SpeichereSpieldatei(b.s.g, b.s.h, zweite, b.saveDir).Da());
    const TSpielHistorie& h = b.s.h.H();
    EXPECT_EQ(h.Aufgabe, 0);
    EXPECT_EQ(h.AufgabeUndoErlaubt, 1);
    EXPECT_EQ(h.AufgabeRandSeed, 777);
    EXPECT_EQ(h.Zeit(), 40000.0);

    // An ordinary save stamps the time and clears the puzzle fields.
    Leser c;
    ASSERT_TRUE(c.Laden(zweite).Geladen);
    c.s.h.Jetzt = [] { return 50001.0; };
    ASSERT_FALSE(SpeichereSpieldatei(c.s.g, c.s.h, c.ordner / "x.vmk", c.saveDir).Da());
    EXPECT_EQ(c.s.h.H().AufgabeRandSeed, 0);
    EXPECT_EQ(c.s.h.H().Zeit(), 50001.0);
}

TEST(Spieldatei, SpeichernErsetztDieAlteDateiUndSpeichertAuchDenKopf) {
    GespeichertesSpiel a;
    SchreibeDatei(a.datei, "alter Inhalt");
    // Header fields the game could have lost are written anew.
    a.s.h.H().Magic = 5;
    a.s.h.H().Kennung[0] = 3;
    ASSERT_FALSE(a.Speichern().Da());
    EXPECT_EQ(a.s.h.H().Magic, HistorieMagic);
    EXPECT_EQ(a.s.h.H().KennungText(), "Veldmark Spielstand!");
    EXPECT_EQ(a.s.h.H().VersionText(), "Vers. 1.50 / 27.12.04");
    EXPECT_EQ(a.ordner.Inhalt(), "partie.vmk;");
    Leser b;
    EXPECT_TRUE(b.Laden(a.datei).Geladen);
}

// The failure rows of loading: right message, the game untouched, no temporary file left.
struct Ladefehler : ::testing::Test {
    GespeichertesSpiel a;
    Leser b;
    std::string datei = b.ordner / "kaputt.vmk";
    std::string temp = b.ordner / "kaputt.1Z1";
    std::string standVorher, historieVorher;

    void SetUp() override {
        ASSERT_FALSE(a.Speichern().Da());
        standVorher = Bytes(b.s.g.S);
        historieVorher = Bytes(b.s.h.H());
    }
    TLadeErgebnis Lade() {
        TLadeErgebnis e = b.Laden(datei);
        EXPECT_FALSE(e.Geladen);
        EXPECT_EQ(Bytes(b.s.g.S), standVorher);
        EXPECT_FALSE(vm::test::LiesDatei(temp).size() > 0 || std::filesystem::exists(temp));
        EXPECT_EQ(b.saveDir, "");
        return e;
    }
    bool HistorieUnveraendert() const { return Bytes(b.s.h.H()) == historieVorher; }
    TSpielHistorie Record() const { return a.s.h.H(); }
};

TEST_F(Ladefehler, KeineZlibDatenGebenFehler0) {
    SchreibeDatei(datei, "Das ist keine Spieldatei, nur Text.");
    SchreibeDatei(temp, "Rest eines alten Speicherns");
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 0", datei}));
    EXPECT_TRUE(HistorieUnveraendert());
}

TEST_F(Ladefehler, EineFehlendeDateiGibtFehler0) {
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 0", datei}));
    EXPECT_TRUE(HistorieUnveraendert());
}

TEST_F(Ladefehler, EinAbgeschnittenerStromGibtFehler3MitDemTempNamen) {
    std::string voll = LiesDatei(a.datei);
    SchreibeDatei(datei, voll.substr(0, voll.size() / 2));
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 3", temp}));
    EXPECT_TRUE(HistorieUnveraendert());
}

TEST_F(Ladefehler, EineLeereDateiGibtFehler3) {
    SchreibeDatei(datei, "");
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 3", temp}));
}

TEST_F(Ladefehler, ZuWenigEntpackteBytesGebenFehler3) {
    std::string roh = Bytes(Record());
    SchreibeDatei(datei, Komprimiert(roh.substr(0, roh.size() - 1)));
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 3", temp}));
    EXPECT_TRUE(HistorieUnveraendert());
}

TEST_F(Ladefehler, EineBeschaedigtePruefsummeGibtFehler0) {
    std::string voll = LiesDatei(a.datei);
    voll[voll.size() - 1] = static_cast<char>(voll[voll.size() - 1] ^ 0x55);
    SchreibeDatei(datei, voll);
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 0", datei}));
}

TEST_F(Ladefehler, FalscheKennungGibtInkompatibel) {
    TSpielHistorie h = Record();
    h.Kennung[20] = '?';
    SchreibeRecord(datei, h);
    EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 6", "Datei inkompatibel !"}));
    EXPECT_TRUE(HistorieUnveraendert());
}

TEST_F(Ladefehler, FalscheMagicOderFormatversionGibtInkompatibel) {
    for (int fall = 0; fall < 3; ++fall) {
        TSpielHistorie h = Record();
        if (fall == 0) h.Magic = 171818;
        if (fall == 1) h.FormatVersion = 1;
        if (fall == 2) h.Kennung[0] = 19;
        SchreibeRecord(datei, h);
        EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 6", "Datei inkompatibel !"})) << fall;
        EXPECT_TRUE(HistorieUnveraendert());
    }
}

TEST_F(Ladefehler, KeineEintraegeGibtDateiLeer) {
    for (int32_t anzahl : {0, -3}) {
        TSpielHistorie h = Record();
        h.AnzahlEintraege = anzahl;
        h.AktuellerEintrag = 0;
        SchreibeRecord(datei, h);
        EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 5", "Datei leer !"}));
        EXPECT_TRUE(HistorieUnveraendert());
    }
}

TEST_F(Ladefehler, FelderAusserhalbIhrerBereicheWerdenAbgelehntOhneEtwasZuAendern) {
    using Aendern = std::function<void(TSpielHistorie&)>;
    const int32_t akt = Record().AktuellerEintrag;
    const int32_t letzter = Record().AnzahlEintraege;
    const std::vector<std::pair<std::string, Aendern>> faelle = {
        {"AnzahlEintraege", [](TSpielHistorie& h) { h.AnzahlEintraege = 151; }},
        {"AktuellerEintrag", [](TSpielHistorie& h) { h.AktuellerEintrag = h.AnzahlEintraege + 1; }},
        {"AktuellerEintrag", [](TSpielHistorie& h) { h.AktuellerEintrag = 0; }},
        {"Einstellungen.StartRolle", [](TSpielHistorie& h) { h.Einstellungen.Fuer(3).StartRolle[2] = 5; }},
        {"Einstellungen.Parameter",
         [](TSpielHistorie& h) { h.Einstellungen.Fuer(2).Param(10, 3) = INT32_MAX; }},
        {"Einstellungen.StartGeld",
         [](TSpielHistorie& h) { h.Einstellungen.Fuer(4).StartGeld[1] = -2000000; }},
        {"SpielerAnzahl", [&](TSpielHistorie& h) { h.Eintrag[akt].SpielerAnzahl = 5; }},
        {"SpielerAnzahl", [&](TSpielHistorie& h) { h.Eintrag[letzter].SpielerAnzahl = 1; }},
        {"Kartenstapel.Anzahl", [&](TSpielHistorie& h) { h.Eintrag[1].Kartenstapel[2].Anzahl = 32; }},
        {"Kartenstapel.Naechste",
         [&](TSpielHistorie& h) { h.Eintrag[akt].Kartenstapel[3].Naechste = INT32_MIN; }},
        {"Kartenstapel.Naechste",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Kartenstapel[1].Naechste = h.Eintrag[akt].Kartenstapel[1].Anzahl + 2;
         }},
        {"Kartenstapel.Karten",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Kartenstapel[4].Karten[5] = {4, 26};
         }},
        {"Startspieler", [&](TSpielHistorie& h) { h.Eintrag[akt].Startspieler[2] = 4; }}, // 3 players
        {"Geld", [&](TSpielHistorie& h) { h.Eintrag[akt].Spieler[2].Geld = INT32_MAX; }},
        {"Karten.Anzahl", [&](TSpielHistorie& h) { h.Eintrag[akt].Spieler[1].Karten[4].Anzahl = 40; }},
        {"Karten.Anzahl", [&](TSpielHistorie& h) { h.Eintrag[akt].Spieler[4].Karten[1].Anzahl = -1; }},
        {"Karten.Karten",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Spieler[3].Karten[2].Karten[1] = {1002, 12};
         }},
        {"Karten.Karten",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Spieler[3].Karten[2].Karten[1] = {5, 1};
         }},
        {"Tischkarten",
         [&](TSpielHistorie& h) {
             for (int l = 1; l <= 2; ++l) h.Eintrag[akt].Spieler[1].Karten[l].Anzahl = 28;
         }},
        {"LetzteAktion", [&](TSpielHistorie& h) { h.Eintrag[akt].Spieler[1].LetzteAktion = 9; }},
        {"LetzteKarte",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Spieler[1].LetzteKarte = {3, 8};
         }},
        {"AnzahlSchenken", [&](TSpielHistorie& h) { h.Eintrag[akt].Spieler[2].AnzahlSchenken = 56; }},
        {"Auslage.Anzahl", [&](TSpielHistorie& h) { h.Eintrag[akt].Auslage[1].Anzahl = 9; }},
        {"Auslage.Anzahl",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Auslage[1].Anzahl = 5;
             h.Eintrag[akt].Auslage[2].Anzahl = 4;
         }},
        {"Auslage.Karten",
         [&](TSpielHistorie& h) {
             h.Eintrag[akt].Auslage[2].Karten[8] = {2, 0};
         }},
        {"Runde", [&](TSpielHistorie& h) { h.Eintrag[akt].Runde = 0; }},
        {"Runde", [&](TSpielHistorie& h) { h.Eintrag[akt].Runde = INT32_MAX; }},
        {"AnzahlPassen", [&](TSpielHistorie& h) { h.Eintrag[akt].AnzahlPassen = 4; }},
        {"Phase", [&](TSpielHistorie& h) { h.Eintrag[akt].Phase = 5; }},
        {"AktuellerSpieler", [&](TSpielHistorie& h) { h.Eintrag[akt].AktuellerSpieler = 4; }},
        {"AktuellerSpieler", [&](TSpielHistorie& h) { h.Eintrag[akt].AktuellerSpieler = 0; }},
        {"Spielstaerke", [&](TSpielHistorie& h) { h.Eintrag[akt].Spielstaerke = 10; }},
    };
    for (const auto& [feld, aendern] : faelle) {
        TSpielHistorie h = Record();
        aendern(h);
        std::string gefunden;
        EXPECT_EQ(PruefeHistorie(h, b.s.kat, &gefunden), PruefFehler::Bereich) << feld;
        EXPECT_NE(gefunden.find(feld), std::string::npos) << feld << " / " << gefunden;
        SchreibeRecord(datei, h);
        EXPECT_EQ(Lade().Meldung, (TMeldung{"File access error 6", "Datei inkompatibel !"})) << feld;
        EXPECT_TRUE(HistorieUnveraendert()) << feld;
    }
    // Entries beyond AnzahlEintraege are never read, whatever they hold.
    TSpielHistorie h = Record();
    h.Eintrag[letzter + 1].SpielerAnzahl = 99;
    EXPECT_EQ(PruefeHistorie(h, b.s.kat), PruefFehler::Keiner);
}

// The failure rows of saving: the old file stays as it was, no temporary file is left.
TEST(Spieldatei, SpeichernInEinenFehlendenOrdnerGibtFehler2) {
    GespeichertesSpiel a;
    std::string datei = a.ordner / "gibtsnicht/partie.vmk";
    EXPECT_EQ(SpeichereSpieldatei(a.s.g, a.s.h, datei, a.saveDir), (TMeldung{"File access error 2", datei}));
    EXPECT_EQ(a.saveDir, a.ordner / "gibtsnicht/");
}

TEST(Spieldatei, EinOrdnerAlsDateinameGibtFehler1) {
    GespeichertesSpiel a;
    std::string datei = a.ordner / "ordner.vmk";
    std::filesystem::create_directory(datei);
    EXPECT_EQ(SpeichereSpieldatei(a.s.g, a.s.h, datei, a.saveDir), (TMeldung{"File access error 1", datei}));
    EXPECT_EQ(a.ordner.Inhalt(), "ordner.vmk;");
}

TEST(Spieldatei, EineVolleSchreibgrenzeLaesstDieAlteDateiStehen) {
    GespeichertesSpiel a;
    ASSERT_FALSE(a.Speichern().Da());
    const std::string alt = LiesDatei(a.datei);
    a.s.h.H().Eintrag[1].Runde = 2; // a different record to save
    // A file size limit behaves like a full disk: the write fails part way.
    struct rlimit vorher;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vorher), 0);
    auto signal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit klein = vorher;
    klein.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
    TMeldung m = a.Speichern();
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signal);
    EXPECT_EQ(m, (TMeldung{"File access error 3", a.datei}));
    EXPECT_EQ(LiesDatei(a.datei), alt);
    EXPECT_EQ(a.ordner.Inhalt(), "partie.vmk;");
}

TEST(Spieldatei, EinTempNameDerDemZielGleichtWirdNichtUeberschrieben) {
    GespeichertesSpiel a;
    a.datei = a.ordner / "partie.1Z1";
    ASSERT_FALSE(a.Speichern().Da());
    EXPECT_EQ(a.ordner.Inhalt(), "partie.1Z1;");
    Leser b;
    EXPECT_TRUE(b.Laden(a.datei).Geladen);
}

// Hostile files: whatever the bytes, loading never reads outside the record, and what it
// accepts can be played on.
TEST(Spieldatei, ZufaelligeBytesWerdenAbgelehnt) {
    Ordner o;
    SpielMitHistorie s;
    std::mt19937 rng(20240601);
    const int runden = vm::test::UnterSanitizer() ? 60 : 300;
    std::string dir;
    for (int i = 0; i < runden; ++i) {
        std::string roh(rng() % 3000, '\0');
        for (char& c : roh) c = static_cast<char>(rng());
        if (i % 3 == 0 && roh.size() >= 2) {
            roh[0] = 0x78; // a zlib header followed by noise
            roh[1] = 0x01;
        }
        SchreibeDatei(o / "r.vmk", roh);
        TLadeErgebnis e = LadeSpieldatei(s.g, s.h, o / "r.vmk", dir);
        ASSERT_FALSE(e.Geladen);
        ASSERT_TRUE(e.Meldung.Titel == "File access error 0" || e.Meldung.Titel == "File access error 3")
            << e.Meldung.Titel;
    }
}

TEST(Spieldatei, VerfaelschteDatensaetzeWerdenAbgelehntOderSindSpielbar) {
    GespeichertesSpiel a;
    ASSERT_FALSE(a.Speichern().Da());
    const TSpielHistorie basis = a.s.h.H();
    std::mt19937 rng(77);
    const int runden = vm::test::UnterSanitizer() ? 40 : 200;
    int geladen = 0;
    for (int i = 0; i < runden; ++i) {
        auto h = std::make_unique<TSpielHistorie>(basis);
        auto* b = reinterpret_cast<uint8_t*>(h.get());
        // Change a few words in the header and in the entries that are restored.
        const size_t bereich = 3112 + static_cast<size_t>(basis.AnzahlEintraege) * 5412;
        const int n = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < n; ++k) {
            size_t pos = (rng() % (bereich / 4)) * 4;
            if (pos < 64) pos += 64; // keep signature and counts, so the state checks are reached
            uint32_t wert = rng() % 4 == 0 ? rng() : rng() % 64;
            std::memcpy(b + pos, &wert, 4);
        }
        Leser l;
        SchreibeRecord(l.ordner / "v.vmk", *h);
        TLadeErgebnis e = l.Laden(l.ordner / "v.vmk");
        if (!e.Geladen) {
            ASSERT_EQ(e.Meldung, (TMeldung{"File access error 6", "Datei inkompatibel !"}));
            continue;
        }
        ++geladen;
        ASSERT_EQ(PruefeSpielstand(l.s.g.S), "");
        // Play on from the loaded position; with seat 1 computer-played too, the game runs alone.
        for (int s = 1; s <= 4; ++s) l.s.g.S.Computer[s] = 1;
        for (int z = 0; z < 400 && !l.s.g.S.Spielende; ++z) CompiZug(l.s.g);
    }
    EXPECT_GT(geladen, 0);
}

TEST(Spieldatei, DieBeschreibungNenntKopfUndAktuelleStellung) {
    GespeichertesSpiel a;
    a.s.h.H().SetzeZeit(45444.6041666666667); // 2024-06-01 14:30
    a.s.h.H().Eintrag[3].Spieler[2].Geld = 31;
    a.s.h.H().Eintrag[3].Spieler[2].Karten[1].Anzahl = 1;
    a.s.h.H().Eintrag[3].Spieler[2].Karten[1].Karten[1] = {1001, 2};
    a.s.h.H().Eintrag[3].Spieler[1].Karten[4].Anzahl = 1;
    a.s.h.H().Eintrag[3].Spieler[1].Karten[4].Karten[1] = {3, 7};
    std::string b = HistorieBeschreibung(a.s.h.H(), a.s.kat);
    EXPECT_NE(b.find("Version: Vers. 1.50 / 27.12.04\nEintrag: 3 von 6\n"), std::string::npos) << b;
    EXPECT_NE(b.find("Zeitstempel: 2024-06-01 14:30:00\n"), std::string::npos) << b;
    EXPECT_NE(b.find("Spieler: 3  Runde: "), std::string::npos) << b;
    EXPECT_NE(b.find("Spieler 2: Geld 31, "), std::string::npos) << b;
    EXPECT_NE(b.find("  Tisch: Goldgräber\n"), std::string::npos) << b;
    EXPECT_NE(b.find("  Hand: Hofmeisterin\n"), std::string::npos) << b;
    EXPECT_EQ(DatumText(1e300), std::to_string(1e300));
}
