// Game files: round trips, puzzle marking, every message, hostile files.
#include <gtest/gtest.h>

#include <zlib.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <random>
#include <sys/resource.h>

#include "control/fensterzustand.h"
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
    TFensterZustand fenster(b.s.g);
    fenster.KorrekturmodusSetzen(true);
    TLadeErgebnis e = b.Laden(a.datei);
    ASSERT_TRUE(e.Geladen);
    EXPECT_EQ(Bytes(b.s.h.H()), Bytes(a.s.h.H()));
    EXPECT_EQ(b.s.g.Zufall.RandSeed, 0xDEADBEEFu);
    EXPECT_EQ(b.s.h.Sperre, PuzzleSperre(true));
    EXPECT_TRUE(b.s.h.Sperre.NeuesSpiel && b.s.h.Sperre.Laden && b.s.h.Sperre.Varianten);
    EXPECT_FALSE(b.s.h.Sperre.Spielzug || b.s.h.Sperre.Speichern);
    EXPECT_TRUE(b.s.h.GesperrtesPuzzle());
    EXPECT_FALSE(b.s.g.Log.TraceAn);
    EXPECT_FALSE(fenster.KorrekturmodusAn());
    // Saving stays possible and keeps the puzzle marking.
    std::string dir;
    EXPECT_FALSE(SpeichereSpieldatei(b.s.g, b.s.h, b.ordner / "kopie.vmk", dir).Da());
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
// Every field out of its range is refused by name, and the running game stays as it was.
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
