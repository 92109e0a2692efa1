// The rules' own refusals: a pub that is counted but not on the table, hand places out of range
// and a full hand; an internal fault whose error trace cannot be written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/hand.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

tKartenRef K(int32_t inx) {
    return KarteInx(inx);
}

using Ablauf = Stellung;

class MerkSenke : public IFehlerSenke {
public:
    std::vector<std::string> meldungen;
    void Melde(std::string_view m) override { meldungen.emplace_back(m); }
};

} // namespace

TEST_F(Ablauf, SchenkeAktivierenMeldetFehlendeSchenke) {
    g.Sp(1).Geld = 10;
    AktiviereSchenke(g, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure AktiviereSchenke"), 1);
    g.Sp(1).AnzahlSchenken = 1; // counted, but no pub card on the table
    AktiviereSchenke(g, 1);
    EXPECT_EQ(ZeilenMit("Internal Fault 2 in Procedure AktiviereSchenke"), 1);
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST_F(Ablauf, HandLehntFalschePlaetzeUndEineVolleHandAb) {
    LegeInHand(g, 2, {Holzfaeller, Markt, Schreiber});
    const TSpielstand vorher = g.S;
    EXPECT_TRUE(ZieheKarteHand(g, 2, 0).Leer());
    EXPECT_TRUE(ZieheKarteHand(g, 2, 4).Leer());
    EXPECT_EQ(ZeilenMit("Internal Fault 1 in Procedure ZieheKarteHand"), 2);
    // Full without the warehouse.
    EXPECT_FALSE(NimmKarteAufHand(g, 2, K(Goldgraeber)));
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_EQ(ZieheKarteHand(g, 2, 3), K(Schreiber));
    EXPECT_EQ(g.AnzahlFehler, 2);
}

TEST(InternerFehler, NichtSchreibbarerOrdnerAendertDasLogNicht) {
    TKatalog kat;
    TSpielsitzung g(kat);
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
