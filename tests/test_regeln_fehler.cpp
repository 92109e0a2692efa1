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

} // namespace

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
