// The readers of INI files: line ends and byte-order marks of other editors for the profile, the
// parameter files and the language file.
#include <gtest/gtest.h>

#include <cstring>

#include "persist/kommandozeile.h"
#include "persist/profil.h"
#include "test_persist_hilfe.h"

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
    const std::vector<std::string> sprache = {"[Cards]", "Holzfäller=Woodcutter", "[Other]",
                                              "History:=Turns:"};
    const std::vector<std::string> skalierung = {"[Control]", "ScaleBy=90"};

    TStrategieeinstellungen erwartet = Vorgaben();
    erwartet.Fuer(3).Strategie[2] = 5;
    erwartet.Fuer(3).Param(10, 4) = 77;
    erwartet.Fuer(2).StartGeld[1] = 30;

    const auto profile = Schreibweisen(profil);
    const auto parameterdateien = Schreibweisen(parameter);
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
        Spielsitzung g(kat);
        THistorie h;
        TTexte texte;
        TProfil p(&texte);
        ASSERT_EQ(p.Starten(g, h, kat, &texte, ordner.Pfad(), programm.Pfad(), 1280).ExitCode, 0) << art;
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

        // A parameter file.
        SchreibeDatei(ordner / "p.ini", parameterdateien[i].second);
        TStrategieeinstellungen e;
        std::string fehler;
        EXPECT_TRUE(LeseStrategieparameterDatei(ordner / "p.ini", e, &fehler)) << art << ": " << fehler;
        EXPECT_TRUE(Gleich(e, erwartet)) << art;
    }
}
