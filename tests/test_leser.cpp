// The readers of INI files: line ends and byte-order marks of other editors for the profile, the
// parameter files and the language file; parameter files that the simulator must refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "ai/compizug.h"
#include "control/kommandozeile.h"
#include "persist/ini.h"
#include "persist/profil.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using vm::test::LiesDatei;
using vm::test::Ordner;
using vm::test::SchreibeDatei;

namespace {

// The lines as editors write them: LF, CRLF, CR alone and all three in turn (the last line
// without an end), each with and without a UTF-8 byte-order mark in front.
std::vector<std::pair<std::string, std::string>> Schreibweisen(const std::vector<std::string>& zeilen) {
    const std::pair<const char*, std::vector<std::string>> enden[] = {
        {"LF", {"\n"}}, {"CRLF", {"\r\n"}}, {"CR", {"\r"}}, {"gemischt", {"\n", "\r\n", "\r"}}};
    std::vector<std::pair<std::string, std::string>> aus;
    for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
        for (const auto& [name, ende] : enden) {
            std::string text = bom;
            for (size_t i = 0; i < zeilen.size(); ++i) {
                text += zeilen[i];
                if (ende.size() == 1 || i + 1 < zeilen.size()) text += ende[i % ende.size()];
            }
            aus.emplace_back((bom.empty() ? "" : "BOM+") + std::string(name), text);
        }
    }
    return aus;
}

TStrategieeinstellungen Vorgaben() {
    TStrategieeinstellungen e;
    InitStrategieparameter(e);
    return e;
}

bool Gleich(const TStrategieeinstellungen& a, const TStrategieeinstellungen& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(Leser, ZeilenendenUndByteOrderMarkLesenSichWieLF) {
    const std::vector<std::string> profil = {"[Highscore]",
                                             "G_AnzSpiele=7",
                                             "G_AnzGewonnen=3",
                                             "G_MaxPunkte2=41",
                                             "G_MaxPunkte3=42",
                                             "G_MaxPunkte4=43",
                                             "[Global]",
                                             "LadeStrategieParam=1",
                                             "Spielstaerke=4",
                                             "SpielerAnzahl=3",
                                             "[Strategie_3_Spieler]",
                                             "Strategie_Sp2=5",
                                             "[Control]",
                                             "ScaleBy=90"};
    const std::vector<std::string> parameter = {"[Strategie_3_Spieler]", "Strategie_Sp2=5",
                                                "Strategie_10_P_4=77", "[Strategie_2_Spieler]",
                                                "SetUpGeld_Sp1=30"};
    std::vector<std::string> fehlerhaft = parameter;
    fehlerhaft.push_back("AnzahlSim=viele");
    const std::vector<std::string> sprache = {"[Cards]", "Holzfäller=Woodcutter", "[Other]",
                                              "History:=Turns:"};
    const std::vector<std::string> skalierung = {"[Control]", "ScaleBy=90"};

    TStrategieeinstellungen erwartet = Vorgaben();
    erwartet.Fuer(3).Strategie[2] = 5;
    erwartet.Fuer(3).Param(10, 4) = 77;
    erwartet.Fuer(2).StartGeld[1] = 30;

    const auto profile = Schreibweisen(profil);
    const auto parameterdateien = Schreibweisen(parameter);
    const auto fehlerhafte = Schreibweisen(fehlerhaft);
    const auto sprachdateien = Schreibweisen(sprache);
    const auto skalierungen = Schreibweisen(skalierung);
    for (size_t i = 0; i < profile.size(); ++i) {
        const std::string& art = profile[i].first;
        Ordner ordner, programm;
        SchreibeDatei(ordner / "s.ini", skalierungen[i].second);
        EXPECT_EQ(ProfilSkalierung(ordner / "s.ini"), 90) << art;

        // The profile: the first section counts, and what is written back holds its values.
        SchreibeDatei(ordner / "Veldmark.ini", profile[i].second);
        SchreibeDatei(programm / "Lang.ini", sprachdateien[i].second);
        TKatalog kat;
        TSpielsitzung g(kat);
        THistorie h;
        TTexte texte;
        TProfil p(&texte);
        ASSERT_EQ(p.Starten(g, h, kat, &texte, ordner.Pfad(), programm.Pfad()).ExitCode, 0) << art;
        EXPECT_EQ(p.W.G_AnzSpiele, 7) << art;
        EXPECT_EQ(p.W.G_AnzGewonnen, 3) << art;
        EXPECT_EQ(p.W.G_MaxPunkte2 + p.W.G_MaxPunkte3 + p.W.G_MaxPunkte4, 126) << art;
        EXPECT_EQ(p.W.ScaleBy, 90) << art;
        EXPECT_EQ(g.Menue.SpielerAnzahl, 3) << art;
        EXPECT_EQ(g.Einstellungen.Fuer(3).Strategie[2], 5) << art;
        const std::string zurueck = LiesDatei(ordner / "Veldmark.ini");
        EXPECT_EQ(zurueck.rfind("[Highscore]\nG_AnzSpiele=7\nG_AnzGewonnen=3\nG_MaxPunkte2=41\n", 0), 0u)
            << art << "\n"
            << zurueck;
        EXPECT_EQ(zurueck.find('\r'), std::string::npos) << art;

        // The language file, read at the start.
        EXPECT_EQ(kat.Art(1, 1).Name, "Woodcutter") << art;
        EXPECT_EQ(texte[Text::History], "Turns:") << art;

        // A parameter file, and the line a fault is reported on.
        SchreibeDatei(ordner / "p.ini", parameterdateien[i].second);
        TStrategieeinstellungen e;
        std::string fehler;
        EXPECT_TRUE(LeseStrategieparameterDatei(ordner / "p.ini", e, &fehler)) << art << ": " << fehler;
        EXPECT_TRUE(Gleich(e, erwartet)) << art;
        SchreibeDatei(ordner / "f.ini", fehlerhafte[i].second);
        EXPECT_FALSE(LeseStrategieparameterDatei(ordner / "f.ini", e, &fehler)) << art;
        EXPECT_EQ(fehler, "Datei '" + (ordner / "f.ini") +
                              "', Zeile 6: AnzahlSim=viele ist keine ganze Zahl zwischen 0 und 10000000")
            << art;
    }
}

TEST(Leser, DerSimulatorLehntFremdeUndFehlerhafteParameterdateienAb) {
    Ordner o;
    const std::string p = o / "p.ini";
    const std::string datei = "Datei '" + p + "'";
    const std::string keine = datei +
                              " ist keine Parameterdatei: sie hat keine der Sektionen "
                              "[Strategie_2_Spieler], [Strategie_3_Spieler] und [Strategie_4_Spieler]";
    std::string binaer = std::string("\x7f"
                                     "ELF\x02\x01\x01\0\0\0[Strategie_2",
                                     20) +
                         "\n=\xff\xfe[]\n";
    for (int i = 0; i < 256; ++i) binaer += static_cast<char>(i * 37);
    const std::vector<std::pair<std::string, std::string>> faelle = {
        {"root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n", keine},
        {"", keine},
        {"[Global]\nSpielstaerke=4\n[Highscore]\nG_AnzSpiele=3\n", keine},
        {binaer, keine},
        {"[Strategie_3_Spieler]\nSetUpGeld_Sp2=2000000\n",
         datei + ", Zeile 2: SetUpGeld_Sp2=2000000 liegt nicht zwischen -1000000 und 1000000"},
        {"[Strategie_2_Spieler]\nStrategie_Sp1=100\n",
         datei + ", Zeile 2: Strategie_Sp1=100 liegt nicht zwischen 0 und 99"},
        {"; Probe\n\n[Strategie_4_Spieler]\nStrategie_Sp3 = -4\n",
         datei + ", Zeile 4: Strategie_Sp3=-4 liegt nicht zwischen 0 und 99"},
        {"[Strategie_3_Spieler]\nSetUpRolle_Sp2=9\n",
         datei + ", Zeile 2: SetUpRolle_Sp2=9 liegt nicht zwischen 0 und 4"},
        {"[Strategie_4_Spieler]\nStrategie_6_P_3=2147483647\n",
         datei + ", Zeile 2: Strategie_6_P_3=2147483647 liegt nicht zwischen -1000000 und 1000000"},
        {"[Strategie_2_Spieler]\nSim=2\n", datei + ", Zeile 2: Sim=2 liegt nicht zwischen 0 und 1"},
        {"[Strategie_3_Spieler]\nAnzahlSim=\n",
         datei + ", Zeile 2: AnzahlSim= ist keine ganze Zahl zwischen 0 und 10000000"},
        // Slots 15..18 of strategies 12 to 15 are not stored, so their keys are unknown too.
        {"[Strategie_4_Spieler]\nStrategie_12_P_15=7\n",
         datei + ", Zeile 2: unbekannter Schlüssel 'Strategie_12_P_15' in [Strategie_4_Spieler]"},
        {"[Strategie_3_Spieler]\nStrategie_Sp1 4\n",
         datei + ", Zeile 2: keine Zeile der Form Schlüssel=Wert in [Strategie_3_Spieler]"},
        {"[Strategie_3_Spieler]\nStrategie_Sp1=4\n[strategie_3_spieler]\nstrategie_sp1=5\n",
         datei + ", Zeile 4: 'strategie_sp1' steht schon in Zeile 2 von [Strategie_3_Spieler]"},
        // The first fault in the file's order.
        {"[Strategie_3_Spieler]\nStrategie_Sp1=100\n[Strategie_2_Spieler]\nGeld=1\n",
         datei + ", Zeile 2: Strategie_Sp1=100 liegt nicht zwischen 0 und 99"},
        {"[Strategie_4_Spieler]\nStrategie_Sp1=100\n[Strategie_2_Spieler]\nGeld=1\n",
         datei + ", Zeile 2: Strategie_Sp1=100 liegt nicht zwischen 0 und 99"},
        {"[Strategie_2_Spieler]\nGeld=1\n[Strategie_3_Spieler]\nStrategie_Sp1=100\n",
         datei + ", Zeile 2: unbekannter Schlüssel 'Geld' in [Strategie_2_Spieler]"},
        // Values the file may hold but the 3-player series cannot play.
        {"[Strategie_3_Spieler]\nAnzahlSim=3\nStrategie_Sp2=50\n",
         datei + ", Zeile 3: Strategie 50 (Spieler 2) kann der Computer noch nicht spielen"},
        {"[Strategie_3_Spieler]\nSetUpGeld_Sp3=-5\n",
         datei + ", Zeile 2: Startgeld -5 (Spieler 3) liegt nicht zwischen 0 und 1000000"},
        {"[Strategie_3_Spieler]\nSetUpRolle_Sp1=2\nSetUpRolle_Sp2=1\nSetUpRolle_Sp3=2\n",
         datei + ", Zeile 4: jede Rolle höchstens einmal, SetUpRolle_Sp4 nennt einen Spieler 0 bis 3"},
    };
    TSimOptionen opt;
    opt.spieler = 3;
    opt.spiele = 1;
    opt.spieleGesetzt = true;
    opt.seedGesetzt = true;
    opt.parameterDatei = p;
    for (const auto& [inhalt, meldung] : faelle) {
        SchreibeDatei(p, inhalt);
        std::ostringstream out, err;
        EXPECT_EQ(SimLaufen(opt, out, err), 2) << meldung;
        EXPECT_EQ(err.str(), "veldmark-sim: --params: " + meldung + "\n");
        EXPECT_EQ(out.str(), "");
    }

    // Keys the command line sets are not blamed on the file.
    SchreibeDatei(p, "[Strategie_3_Spieler]\nStrategie_Sp2=50\nSetUpRolle_Sp2=1\nSetUpRolle_Sp3=1\n");
    opt.strategien = {4, 10, 10};
    opt.rollen = {2, 2};
    std::ostringstream out, err;
    EXPECT_EQ(SimLaufen(opt, out, err), 2);
    EXPECT_EQ(err.str(), "veldmark-sim: --roles: jede Rolle höchstens einmal, das vierte Feld nennt einen "
                         "Spieler 0 bis 3\n");

    // Still accepted: a profile with its strategy sections (other sections are not looked at),
    // keys in any case, blanks and hex values as the INI reader takes them.
    TStrategieeinstellungen gesichert = Vorgaben();
    gesichert.Fuer(2).Sim = 1;
    gesichert.Fuer(3).StartRolle[4] = 3;
    gesichert.Fuer(4).Param(15, 14) = -1000000;
    TIniDatei ini;
    ini.Schreibe("Global", "wwwRGL", "https://www.example.org/");
    ini.SchreibeInt("Highscore", "G_AnzSpiele", 12);
    SchreibeStrategieSektionen(ini, gesichert);
    ini.Schreibe("Control", "irgendwas", "[x]");
    ASSERT_EQ(ini.Speichern(p), SchreibFehler::Keiner);
    TStrategieeinstellungen e;
    std::string fehler;
    ASSERT_TRUE(LeseStrategieparameterDatei(p, e, &fehler)) << fehler;
    EXPECT_TRUE(Gleich(e, gesichert));
    SchreibeDatei(p, "[ strategie_3_SPIELER ]\n  strategie_sp2 = $5\t\n");
    ASSERT_TRUE(LeseStrategieparameterDatei(p, e, &fehler)) << fehler;
    EXPECT_EQ(e.Fuer(3).Strategie[2], 5);
}

TEST(Leser, IniZeilenZahlenUndWerteWieSieDastehen) {
    // Comments of both kinds, sections, entries with blanks around them, and foreign lines.
    const auto z = IniZeilen("; a\n  # b\n[ S ]\n k = v w \n=x\nohne\n\n");
    const TIniZeilenArt arten[] = {TIniZeilenArt::Kommentar, TIniZeilenArt::Kommentar, TIniZeilenArt::Sektion,
                                   TIniZeilenArt::Eintrag,   TIniZeilenArt::Fremd,     TIniZeilenArt::Fremd,
                                   TIniZeilenArt::Leer};
    ASSERT_EQ(z.size(), std::size(arten));
    for (size_t i = 0; i < z.size(); ++i) EXPECT_EQ(z[i].Art, arten[i]) << "Zeile " << i + 1;
    EXPECT_EQ(z[2].Name, "S");
    EXPECT_EQ(z[3].Name, "k");
    EXPECT_EQ(z[3].Wert, "v w");

    const std::pair<const char*, std::optional<int32_t>> zahlen[] = {
        {"12", 12},         {" -7 ", -7},        {"+3", 3}, {"$1F", 31}, {"0x10", 16}, {"0Xff", 255},
        {"0xFFFFFFFF", -1}, {"0x100000000", {}}, {"", {}},  {"1a", {}},  {"$", {}},    {"-", {}}};
    for (const auto& [text, wert] : zahlen) EXPECT_EQ(IniZahl(text), wert) << text;

    // Values are bytes as they stand: quotes stay, and the text writes back as it was read.
    TIniDatei ini;
    ini.LadenText("[A]\nq=\"in Anfuehrung\"\nn=0x20\n");
    EXPECT_EQ(ini.LiesText("A", "q", ""), "\"in Anfuehrung\"");
    EXPECT_EQ(ini.LiesInt("A", "n", 0), 32);
    ini.Schreibe("A", "r", "\"x\"");
    TIniDatei zurueck;
    zurueck.LadenText(ini.AlsText());
    EXPECT_EQ(zurueck.AlsText(), ini.AlsText());
    EXPECT_EQ(zurueck.LiesText("A", "r", ""), "\"x\"");
}
