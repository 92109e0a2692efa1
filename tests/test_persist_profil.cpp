// The profile: first start, keys and their order, read-only profiles, the options menu,
// strategy sections and parameter files, the language file at start-up.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

#include "ai/spielstaerke.h"
#include "persist/profil.h"
#include "persist/pruefung.h"
#include "testspieler.h"

using namespace vm;
using vm::test::LiesDatei;
using vm::test::Ordner;
using vm::test::SchreibeDatei;

namespace {

struct Programm {
    Ordner profil, programm;
    TKatalog kat;
    Spielsitzung g{kat};
    THistorie h;
    TTexte texte;
    TProfil p{&texte};

    std::string Ini() const { return profil / "Veldmark.ini"; }
    TStartErgebnis Start() {
        return p.Starten(g, h, kat, &texte, profil.Pfad(), programm.Pfad());
    }
};

// Keys of a section in file order.
std::vector<std::string> Schluessel(const std::string& text, const std::string& sektion) {
    std::vector<std::string> aus;
    bool drin = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t ende = text.find('\n', pos);
        if (ende == std::string::npos) ende = text.size();
        std::string zeile = text.substr(pos, ende - pos);
        pos = ende + 1;
        if (!zeile.empty() && zeile[0] == '[')
            drin = zeile == "[" + sektion + "]";
        else if (drin && zeile.find('=') != std::string::npos)
            aus.push_back(zeile.substr(0, zeile.find('=')));
    }
    return aus;
}

bool GleicheEinstellungen(const TStrategieeinstellungen& a, const TStrategieeinstellungen& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TStrategieeinstellungen Vorgaben() {
    TStrategieeinstellungen e;
    InitStrategieparameter(e);
    return e;
}

} // namespace

TEST(Profil, ErsterStartSchreibtJedenSchluesselMitSeinerVorgabe) {
    Programm a;
    TStartErgebnis e = a.Start();
    ASSERT_EQ(e.ExitCode, 0);
    EXPECT_FALSE(e.Meldung.Da());
    const std::string erwartet =
        "[Control]\nScaleBy=100\nGrayscale=0\nColor256=0\nFrageVerwerfen=1\n\n\n"
        "[Global]\nSaveIni=1\nLadeStrategieParam=0\nSpielstaerke=41\nSpielerAnzahl=4\n"
        "wwwRGL=\nwwwPUB=\nwwwFAN=\n"
        "Color1=-2147483633\nColor2=12632256\nFormLeft=0\nFormTop=0\nTempo=200\nSaveDir=" +
        a.programm.Pfad() +
        "\nVariante1=0\nVariante2=0\nVariante3=0\n\n\n"
        "[Highscore]\nG_AnzSpiele=0\nG_AnzGewonnen=0\nG_MaxPunkte2=0\nG_MaxPunkte3=0\n"
        "G_MaxPunkte4=0\n";
    EXPECT_EQ(LiesDatei(a.Ini()), erwartet);
    EXPECT_EQ(e.StartupZeilen, std::vector<std::string>{"Profile-Init: ScaleBy 100 Prozent"});
    EXPECT_EQ(a.p.W.ScaleBy, 100);
    EXPECT_EQ(a.g.ProfilOrdner, a.profil.Pfad());
    EXPECT_EQ(a.g.Menue.Spielstaerke, 41);
    EXPECT_EQ(a.g.Menue.SpielerAnzahl, 4);
    // The strength preset keeps the defaults just loaded as the expert settings.
    EXPECT_TRUE(GleicheEinstellungen(a.g.ExpertenEinstellungen, Vorgaben()));
    EXPECT_EQ(a.profil.Inhalt(), "Veldmark.ini;");

    // The second start finds everything and changes nothing.
    Programm b;
    SchreibeDatei(b.Ini(), erwartet);
    TStartErgebnis e2 = b.Start();
    EXPECT_TRUE(e2.StartupZeilen.empty());
    EXPECT_EQ(LiesDatei(b.Ini()), erwartet);
}

// The window fits itself to each screen it starts on: an unset scale is full size, never one
// taken from today's screen that would shrink the board on every later, larger one.
TEST(Profil, ScaleBy1000GiltAlsNichtGesetztUndWirdVolleGroesse) {
    Programm a;
    SchreibeDatei(a.Ini(), "[Control]\nScaleBy=1000\n");
    EXPECT_EQ(a.Start().StartupZeilen, std::vector<std::string>{"Profile-Init: ScaleBy 100 Prozent"});
    EXPECT_EQ(a.p.Ini().LiesInt("Control", "ScaleBy", 0), 100);
    Programm b;
    SchreibeDatei(b.Ini(), "[Control]\nScaleBy=120\n");
    EXPECT_TRUE(b.Start().StartupZeilen.empty());
    EXPECT_EQ(b.p.W.ScaleBy, 120);
}

TEST(Profil, GeleseneWerteGehenInDieSitzungUndFehlendeSchluesselWerdenAngehaengt) {
    Programm a;
    SchreibeDatei(a.Ini(),
                  "[Global]\nVariante2=1\nSpielerAnzahl=2\nSpielstaerke=4\nColor2=abc\nSaveIni=0\n"
                  "FormLeft=$10\n[Control]\nSetPuzzle2=1\nPrivateTest1=1\n[Highscore]\nG_AnzSpiele=17\n");
    ASSERT_EQ(a.Start().ExitCode, 0);
    EXPECT_TRUE(a.g.Menue.VerdeckteHandkarten);
    EXPECT_FALSE(a.g.Menue.AdelsbonusErweitert);
    EXPECT_EQ(a.g.Menue.SpielerAnzahl, 2);
    EXPECT_EQ(a.g.Menue.Spielstaerke, 4);
    EXPECT_FALSE(a.p.W.SaveIni);
    EXPECT_EQ(a.p.W.Color2, 12632256); // malformed: the default
    EXPECT_EQ(a.p.W.FormLeft, 16);
    EXPECT_EQ(a.p.W.G_AnzSpiele, 17);
    EXPECT_TRUE(a.p.W.PrivateTest1);
    EXPECT_TRUE(a.h.Puzzle.SetPuzzle2);
    EXPECT_FALSE(a.h.Puzzle.SetPuzzle1);
    const std::string text = LiesDatei(a.Ini());
    // Existing keys keep their place; the missing ones follow in table order.
    std::vector<std::string> global = {
        "Variante2", "SpielerAnzahl", "Spielstaerke", "Color2", "SaveIni", "FormLeft", "LadeStrategieParam",
        "wwwRGL",    "wwwPUB",        "wwwFAN",       "Color1", "FormTop", "Tempo",    "SaveDir",
        "Variante1", "Variante3"};
    EXPECT_EQ(Schluessel(text, "Global"), global);
    // The test and puzzle keys are read, not written; nothing is added for them.
    EXPECT_EQ(Schluessel(text, "Control"),
              (std::vector<std::string>{"SetPuzzle2", "PrivateTest1", "ScaleBy", "Grayscale", "Color256",
                                        "FrageVerwerfen"}));
    EXPECT_NE(text.find("Color2=12632256\n"), std::string::npos);
}

TEST(Profil, UnbekannteSpielstaerkeUndSpielerzahlFallenAufDieVorgabe) {
    Programm a;
    SchreibeDatei(a.Ini(),
                  "[Global]\nSpielstaerke=77\nSpielerAnzahl=7\nTempo=5000\n[Control]\nScaleBy=100\n");
    const TStartErgebnis e = a.Start();
    ASSERT_EQ(e.ExitCode, 0);
    EXPECT_EQ(a.g.Menue.Spielstaerke, 41);
    EXPECT_EQ(a.g.Menue.SpielerAnzahl, 4);
    EXPECT_EQ(a.p.Ini().LiesInt("Global", "Spielstaerke", 0), 41);
    // A pace outside what the menu offers is named in the start-up information.
    EXPECT_EQ(a.p.W.Tempo, 200);
    EXPECT_EQ(e.StartupZeilen,
              std::vector<std::string>{"Profile: Tempo 5000 außerhalb 200..2000 ms, 200 ms gilt"});
    Programm b;
    SchreibeDatei(b.Ini(), "[Global]\nTempo=1000\n");
    ASSERT_EQ(b.Start().ExitCode, 0);
    EXPECT_EQ(b.p.W.Tempo, 1000);
}

TEST(Profil, NichtErzeugbarEndetMit102) {
    Programm a;
    const std::string ordner = a.profil / "fehlt";
    TStartErgebnis e = a.p.Starten(a.g, a.h, a.kat, &a.texte, ordner, a.programm.Pfad());
    EXPECT_EQ(e.ExitCode, 102);
    EXPECT_EQ(e.Meldung, (TMeldung{"Schwerer Fehler", "Datei nicht erzeugbar: " + ordner + "/Veldmark.ini"}));
}

TEST(Profil, SchreibgeschuetztEndetMit103UndLaesstDieDateiStehen) {
    Programm a;
    SchreibeDatei(a.Ini(), "[Global]\nSaveIni=1\n");
    ASSERT_EQ(::chmod(a.Ini().c_str(), 0444), 0);
    TStartErgebnis e = a.Start();
    EXPECT_EQ(e.ExitCode, 103);
    EXPECT_EQ(e.Meldung, (TMeldung{"Schwerer Fehler", "Profiledatei schreibgeschützt (CD-ROM?)" + a.Ini()}));
    EXPECT_EQ(LiesDatei(a.Ini()), "[Global]\nSaveIni=1\n");
}

TEST(Profil, ProfilOrdnerFehltGibtDasProgrammverzeichnis) {
    Programm a;
    TStartErgebnis e = a.p.Starten(a.g, a.h, a.kat, &a.texte, "", a.programm.Pfad());
    EXPECT_EQ(e.ExitCode, 0);
    EXPECT_EQ(a.p.Pfad(), a.programm / "Veldmark.ini");
    EXPECT_TRUE(vm::DateiExistiert(a.programm / "Veldmark.ini"));
}

TEST(Profil, OhneSaveIniBleibenNurDieHighscores) {
    for (bool saveIni : {false, true}) {
        Programm a;
        SchreibeDatei(a.Ini(), std::string("[Global]\nSaveIni=") + (saveIni ? "1" : "0") + "\n");
        ASSERT_EQ(a.Start().ExitCode, 0);
        // Changes while the program runs.
        a.g.Menue.KeineHofmeisterinRunde1 = true;
        a.g.Menue.SpielerAnzahl = 3;
        SetzeSpielstaerke(a.g, 22);
        a.p.W.FormLeft = 300;
        a.p.W.G_AnzSpiele = 5;
        a.p.W.G_AnzGewonnen = 2;
        a.p.W.G_MaxPunkte3 = 61;
        ASSERT_TRUE(a.p.HighscoreSichern()); // at the end of a counted game
        ASSERT_TRUE(a.p.ProgrammEnde(a.g));

        TIniDatei ini;
        ASSERT_TRUE(ini.LadenDatei(a.Ini()));
        EXPECT_EQ(ini.LiesInt("Highscore", "G_AnzSpiele", -1), 5);
        EXPECT_EQ(ini.LiesInt("Highscore", "G_AnzGewonnen", -1), 2);
        EXPECT_EQ(ini.LiesInt("Highscore", "G_MaxPunkte3", -1), 61);
        EXPECT_EQ(ini.LiesInt("Global", "Variante3", -1), saveIni ? 1 : 0);
        EXPECT_EQ(ini.LiesInt("Global", "FormLeft", -1), saveIni ? 300 : 0);
        EXPECT_EQ(ini.LiesInt("Global", "SpielerAnzahl", -1), saveIni ? 3 : 4);
        EXPECT_EQ(ini.LiesInt("Global", "Spielstaerke", -1), saveIni ? 22 : 41);
    }
}

TEST(Profil, DieOptionenSchreibenSofort) {
    Programm a;
    ASSERT_EQ(a.Start().ExitCode, 0);
    ASSERT_TRUE(a.p.ProfileSichernUmschalten());
    EXPECT_NE(LiesDatei(a.Ini()).find("SaveIni=0\n"), std::string::npos);
    ASSERT_TRUE(a.p.StrategieBeiStartupUmschalten());
    EXPECT_NE(LiesDatei(a.Ini()).find("LadeStrategieParam=1\n"), std::string::npos);
    ASSERT_TRUE(a.p.ProfileSichernUmschalten());
    EXPECT_NE(LiesDatei(a.Ini()).find("SaveIni=1\n"), std::string::npos);

    a.g.Einstellungen.Fuer(3).Strategie[2] = 12;
    a.g.Einstellungen.Fuer(4).Param(15, 14) = 33;
    ASSERT_TRUE(a.p.StrategieparameterSichern(a.g));
    const std::string text = LiesDatei(a.Ini());
    EXPECT_LT(text.find("[Strategie_2_Spieler]"), text.find("[Strategie_3_Spieler]"));
    EXPECT_LT(text.find("[Strategie_3_Spieler]"), text.find("[Strategie_4_Spieler]"));
    std::vector<std::string> k = Schluessel(text, "Strategie_3_Spieler");
    ASSERT_EQ(k.size(), 1u + 4 + 4 + 4 + 1 + 10 + 8 * 19 + 4 * 15);
    EXPECT_EQ(k[0], "Sim");
    EXPECT_EQ(k[1], "Strategie_Sp1");
    EXPECT_EQ(k[5], "SetUpGeld_Sp1");
    EXPECT_EQ(k[9], "SetUpRolle_Sp1");
    EXPECT_EQ(k[13], "AnzahlSim");
    EXPECT_EQ(k[14], "Strategie_123_P_0");
    EXPECT_EQ(k[23], "Strategie_123_P_9");
    EXPECT_EQ(k[24], "Strategie_4_P_0");
    EXPECT_EQ(k[24 + 8 * 19 - 1], "Strategie_11_P_18");
    EXPECT_EQ(k[24 + 8 * 19], "Strategie_12_P_0");
    EXPECT_EQ(k.back(), "Strategie_15_P_14");
    EXPECT_NE(text.find("Strategie_Sp2=12\n"), std::string::npos);

    // "initialisieren" gives the defaults, "einlesen" the file over the defaults.
    a.p.StrategieparameterInitialisieren(a.g);
    EXPECT_TRUE(GleicheEinstellungen(a.g.Einstellungen, Vorgaben()));
    ASSERT_TRUE(a.p.StrategieparameterEinlesen(a.g));
    EXPECT_EQ(a.g.Einstellungen.Fuer(3).Strategie[2], 12);
    EXPECT_EQ(a.g.Einstellungen.Fuer(4).Param(15, 14), 33);
}

TEST(Profil, EinFehlenderStrategieschluesselBehaeltSeineVorgabeUndWirdErgaenzt) {
    Programm a;
    SchreibeDatei(a.Ini(),
                  "[Global]\nLadeStrategieParam=1\nSpielstaerke=4\n"
                  "[Strategie_2_Spieler]\nSim=1\nStrategie_Sp2=5\nSetUpGeld_Sp2=40\nStrategie_14_P_0=9\n"
                  "SetUpRolle_Sp1=9\nStrategie_6_P_3=2147483647\nAnzahlSim=x\n");
    ASSERT_EQ(a.Start().ExitCode, 0);
    TStrategieeinstellungen erwartet = Vorgaben();
    erwartet.Fuer(2).Sim = 1;
    erwartet.Fuer(2).Strategie[2] = 5;
    erwartet.Fuer(2).StartGeld[2] = 40;
    erwartet.Fuer(2).Param(14, 0) = 9;
    EXPECT_TRUE(GleicheEinstellungen(a.g.Einstellungen, erwartet));
    const std::string text = LiesDatei(a.Ini());
    std::vector<std::string> k = Schluessel(text, "Strategie_2_Spieler");
    EXPECT_EQ(k.size(), 236u);
    EXPECT_EQ(Schluessel(text, "Strategie_4_Spieler").size(), 236u);
    // Values out of range are written back as the default that was used.
    EXPECT_NE(text.find("SetUpRolle_Sp1=0\n"), std::string::npos);
    EXPECT_NE(text.find("AnzahlSim=500\n"), std::string::npos);
    EXPECT_NE(text.find("Strategie_8_P_18=4\n"), std::string::npos);
}

TEST(Profil, EinePresetStaerkeBehaeltDieGelesenenParameterAlsExpertensatz) {
    Programm a;
    SchreibeDatei(a.Ini(), "[Global]\nLadeStrategieParam=1\nSpielstaerke=41\n"
                           "[Strategie_4_Spieler]\nStrategie_Sp3=13\n");
    ASSERT_EQ(a.Start().ExitCode, 0);
    EXPECT_EQ(a.g.ExpertenEinstellungen.Fuer(4).Strategie[3], 13);
    SetzeSpielstaerke(a.g, Expertenmodus);
    EXPECT_EQ(a.g.Einstellungen.Fuer(4).Strategie[3], 13);
}

TEST(Parameterdatei, WirdUeberDieVorgabenGelesen) {
    Ordner o;
    SchreibeDatei(o / "p.ini", "; tuning run\n[Strategie_3_Spieler]\nStrategie_Sp2=14\nStrategie_10_P_8=55\n"
                               "[Strategie_4_Spieler]\nSetUpGeld_Sp4=30\n[Global]\nSpielstaerke=1\n");
    TStrategieeinstellungen e;
    std::memset(&e, 0x55, sizeof e);
    ASSERT_TRUE(LeseStrategieparameterDatei(o / "p.ini", e));
    TStrategieeinstellungen erwartet = Vorgaben();
    erwartet.Fuer(3).Strategie[2] = 14;
    erwartet.Fuer(3).Param(10, 8) = 55;
    erwartet.Fuer(4).StartGeld[4] = 30;
    EXPECT_TRUE(GleicheEinstellungen(e, erwartet));
    std::string fehler;
    EXPECT_FALSE(LeseStrategieparameterDatei(o / "fehlt.ini", e, &fehler));
    EXPECT_EQ(fehler, "Datei '" + (o / "fehlt.ini") + "' kann nicht gelesen werden");
}

TEST(Profil, DieSprachdateiBenenntKartenUndTexteUm) {
    Programm a;
    SchreibeDatei(a.programm / "Lang.ini",
                  "[Cards]\nHolzfäller=Woodcutter\nHolzfäller (K:3,G:3)=Woodcutter (C:3,M:3)\n"
                  "[Other]\nHistory:=Turns:\n[Menue]\n&rückgängig=&Undo\n");
    a.g.Log.TraceAn = true;
    ASSERT_EQ(a.Start().ExitCode, 0);
    EXPECT_TRUE(a.p.Sprache.Geladen());
    EXPECT_EQ(a.kat.Art(1, 1).Name, "Woodcutter");
    EXPECT_EQ(a.kat.Art(1, 1).Beschreibung, "Woodcutter (C:3,M:3)");
    EXPECT_EQ(a.kat.Art(1, 2).Name, "Goldgräber");
    EXPECT_EQ(a.texte[Text::History], "Turns:");
    EXPECT_EQ(a.texte[Text::MenueRueckgaengig], "&Undo");
    EXPECT_EQ(a.texte[Text::Von], "von");
    EXPECT_EQ(a.p.Sprache.Menue("&wiederherstellen"), "&wiederherstellen");
    ASSERT_FALSE(a.g.Log.Zeilen().empty());
    EXPECT_EQ(a.g.Log.Zeilen().front(), "language file found !");
    // The history's status bar speaks the language too.
    THistorie h(&a.texte);
    h.InitHistorie(a.g);
    EXPECT_EQ(h.Anzeige().Status, "Turns: 0 von 0");
}

TEST(Profil, InterneFehlerLandenInErrorTraceImProfilordner) {
    Programm a;
    ASSERT_EQ(a.Start().ExitCode, 0);
    a.g.Log.TraceAn = true;
    a.g.TraceZeile("vorher");
    a.g.InternerFehler(3, "Testprozedur");
    EXPECT_EQ(LiesDatei(a.profil / "ErrorTrace.txt"),
              "vorher\n************************************\nInternal Fault 3 in Procedure Testprozedur\n"
              "************************************\n");
}

TEST(Profil, EinVollerDatentraegerLaesstDasAlteProfilStehen) {
    Programm a;
    ASSERT_EQ(a.Start().ExitCode, 0);
    const std::string alt = LiesDatei(a.Ini());
    struct rlimit vorher;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vorher), 0);
    auto signal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit klein = vorher;
    klein.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
    a.p.W.G_AnzSpiele = 9;
    bool ok = a.p.HighscoreSichern();
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signal);
    EXPECT_FALSE(ok);
    EXPECT_EQ(LiesDatei(a.Ini()), alt);
    EXPECT_EQ(a.profil.Inhalt(), "Veldmark.ini;");
}

TEST(Profil, ZufaelligeProfilUndSprachdateienSchadenNicht) {
    std::mt19937 rng(4242);
    const int runden = vm::test::UnterSanitizer() ? 30 : 150;
    const char bausteine[] =
        "[]=\n\r;#ScaleBy Global Control Strategie_2_Spieler Sim 1 -9 $ 0x Cards\xC3\xA4\0";
    for (int i = 0; i < runden; ++i) {
        Programm a;
        for (const std::string& datei : {a.Ini(), a.programm / "Lang.ini"}) {
            std::string roh(rng() % 2000, '\0');
            for (char& c : roh)
                c = rng() % 2 ? bausteine[rng() % (sizeof bausteine - 1)] : static_cast<char>(rng());
            SchreibeDatei(datei, roh);
        }
        TStartErgebnis e = a.Start();
        ASSERT_EQ(e.ExitCode, 0);
        EXPECT_GE(a.g.Menue.SpielerAnzahl, 2);
        EXPECT_LE(a.g.Menue.SpielerAnzahl, 4);
        EXPECT_TRUE(SpielstaerkeGueltig(a.g.Menue.Spielstaerke));
        for (int n = 2; n <= 4; ++n) EXPECT_EQ(PruefeEinstellung(a.g.Einstellungen.Fuer(n)), "");
        // What was written reads back to the same values.
        TProfil zweites;
        TKatalog kat;
        Spielsitzung g(kat);
        THistorie h;
        ASSERT_EQ(zweites.Starten(g, h, kat, nullptr, a.profil.Pfad(), a.programm.Pfad()).ExitCode, 0);
        EXPECT_EQ(zweites.Ini().AlsText(), a.p.Ini().AlsText());
    }
}
