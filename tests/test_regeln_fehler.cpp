// Internal faults: the three trace lines, the error trace file and the message to the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/kaufen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

const std::string Sterne(36, '*');

class MerkSenke : public IFehlerSenke {
public:
    std::vector<std::string> meldungen;
    void Melde(std::string_view m) override { meldungen.emplace_back(m); }
};

std::string Verbunden(const std::vector<std::string>& zeilen) {
    std::string s;
    for (const std::string& z : zeilen) s += z + "\n";
    return s;
}

} // namespace

TEST(InternerFehler, MitSpurDreiZeilenOhneSpurKeine) {
    TKatalog kat;
    Spielsitzung g(kat);
    MerkSenke senke;
    g.SetzeFehlerSenke(&senke);
    g.Log.TraceAn = true;
    g.TraceZeile("vorher");
    g.InternerFehler(3, "LegeBezahleSpielerkarteTisch");
    const std::vector<std::string> erwartet = {
        "vorher", Sterne, "Internal Fault 3 in Procedure LegeBezahleSpielerkarteTisch", Sterne};
    EXPECT_EQ(g.Log.Zeilen(), erwartet);
    EXPECT_EQ(Sterne, "************************************");
    ASSERT_EQ(senke.meldungen.size(), 1u);
    EXPECT_EQ(senke.meldungen[0], "Internal Fault 3 in Procedure LegeBezahleSpielerkarteTisch");

    g.Log.TraceAn = false;
    g.InternerFehler(1, "KostenKarte");
    EXPECT_EQ(g.Log.Zeilen(), erwartet);
    EXPECT_EQ(g.AnzahlFehler, 2);
    ASSERT_EQ(senke.meldungen.size(), 2u);
    EXPECT_EQ(senke.meldungen[1], "Internal Fault 1 in Procedure KostenKarte");

    // A fault of an engine operation goes the same way.
    g.Log.TraceAn = true;
    EXPECT_EQ(g.KarteRefToInx({1, 7}), 0);
    EXPECT_EQ(g.Log.Zeilen().back(), Sterne);
    EXPECT_EQ(g.Log.Zeilen()[g.Log.Zeilen().size() - 2], "Internal Fault 1 in Procedure KarteRefToInx");
}

TEST(InternerFehler, ErrorTraceHaeltDasLogDesLetztenFehlers) {
    TKatalog kat;
    Spielsitzung g(kat);
    const std::filesystem::path ordner = FrischerOrdner("errortrace");
    const std::filesystem::path datei = ordner / "ErrorTrace.txt";
    g.ProfilOrdner = ordner.string();

    // Without a fault there is no file.
    g.Log.TraceAn = true;
    g.TraceZeile("Zeile eins");
    EXPECT_FALSE(std::filesystem::exists(datei));

    g.InternerFehler(1, "ZieheKarteHand");
    EXPECT_EQ(LiesDatei(datei), Verbunden(g.Log.Zeilen()));
    EXPECT_EQ(LiesDatei(datei),
              "Zeile eins\n" + Sterne + "\nInternal Fault 1 in Procedure ZieheKarteHand\n" + Sterne + "\n");

    g.TraceZeile("Zeile zwei");
    KostenKarte(g, 1, tKartenRef{}, 1);
    const std::string zweiter = LiesDatei(datei);
    EXPECT_EQ(zweiter, Verbunden(g.Log.Zeilen()));
    EXPECT_NE(zweiter.find("Internal Fault 1 in Procedure ZieheKarteHand"), std::string::npos);
    EXPECT_NE(zweiter.find("Zeile zwei\n" + Sterne + "\nInternal Fault 1 in Procedure KostenKarte\n"),
              std::string::npos);

    // With the trace off the file is still written, with the log as it stands.
    g.Log.TraceAn = false;
    std::filesystem::remove(datei);
    const std::vector<std::string> log = g.Log.Zeilen();
    g.InternerFehler(2, "AktiviereSchenke");
    EXPECT_EQ(g.Log.Zeilen(), log);
    EXPECT_EQ(LiesDatei(datei), Verbunden(log));

    // A folder given with its separator works the same.
    g.ProfilOrdner = ordner.string() + "/";
    std::filesystem::remove(datei);
    g.InternerFehler(4, "Probe");
    EXPECT_TRUE(std::filesystem::exists(datei));
    std::filesystem::remove_all(ordner);
}

TEST(InternerFehler, NichtSchreibbarerOrdnerAendertDasLogNicht) {
    TKatalog kat;
    Spielsitzung g(kat);
    MerkSenke senke;
    g.SetzeFehlerSenke(&senke);
    const std::filesystem::path ordner = FrischerOrdner("ohne-ordner");
    g.ProfilOrdner = (ordner / "fehlt" / "noch").string();
    g.Log.TraceAn = true;
    g.InternerFehler(1, "Probe");
    EXPECT_EQ(g.Log.Zeilen().size(), 3u);
    EXPECT_EQ(g.AnzahlFehler, 1);
    EXPECT_FALSE(senke.meldungen.empty());
    EXPECT_EQ(senke.meldungen.back(), "Internal Fault 1 in Procedure Probe");
    std::filesystem::remove_all(ordner);
}
