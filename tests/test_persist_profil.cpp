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
    TSpielsitzung g{kat};
    THistorie h;
    TTexte texte;
    TProfil p{&texte};

    std::string Ini() const { return profil / "Veldmark.ini"; }
    TStartErgebnis Start() { return p.Starten(g, h, kat, &texte, profil.Pfad(), programm.Pfad()); }
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

TEST(Profil, SchreibgeschuetztEndetMit103UndLaesstDieDateiStehen) {
    Programm a;
    SchreibeDatei(a.Ini(), "[Global]\nSaveIni=1\n");
    ASSERT_EQ(::chmod(a.Ini().c_str(), 0444), 0);
    TStartErgebnis e = a.Start();
    EXPECT_EQ(e.ExitCode, 103);
    EXPECT_EQ(e.Meldung, (TMeldung{"Schwerer Fehler", "Profiledatei schreibgeschützt (CD-ROM?)" + a.Ini()}));
    EXPECT_EQ(LiesDatei(a.Ini()), "[Global]\nSaveIni=1\n");
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
        TSpielsitzung g(kat);
        THistorie h;
        ASSERT_EQ(zweites.Starten(g, h, kat, nullptr, a.profil.Pfad(), a.programm.Pfad()).ExitCode, 0);
        EXPECT_EQ(zweites.Ini().AlsText(), a.p.Ini().AlsText());
    }
}
