// The settings dialog without widgets: pages and fields, ranges, the start-role repair for 2, 3
// and 4 players, the hidden 19th fields, the backup of "Abbruch" and the simulation flag.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ai/einstellungen.h"
#include "control/einstellungsdialog.h"
#include "persist/sprache.h"

using namespace vm;

namespace {

class EinstellungsDialog : public ::testing::Test {
protected:
    TStrategieeinstellungen e{};
    TEinstellungsDialog d{e};

    void SetUp() override { InitStrategieparameter(e); }

    // Index of a field on a page.
    static int Feld(int seite, FeldArt art, int index, int strategie = 0) {
        const auto& felder = EinstellungsSeiten()[static_cast<size_t>(seite)].Felder;
        for (size_t i = 0; i < felder.size(); ++i)
            if (felder[i].Art == art && felder[i].Index == index && felder[i].Strategie == strategie)
                return static_cast<int>(i);
        ADD_FAILURE() << "no field";
        return 0;
    }
    static int Seite(std::string_view titel) {
        const auto& seiten = EinstellungsSeiten();
        for (size_t i = 0; i < seiten.size(); ++i)
            if (seiten[i].Titel == titel) return static_cast<int>(i);
        ADD_FAILURE() << titel;
        return 0;
    }
    // Sets the role fields and confirms; the roles as the record holds them afterwards.
    std::vector<int32_t> RollenNachOk(int anzahl, std::vector<int32_t> rollen) {
        d.Zeigen(anzahl);
        for (int sp = 1; sp <= 4; ++sp)
            d.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Rolle, sp),
                        rollen[static_cast<size_t>(sp - 1)]);
        d.Ok();
        std::vector<int32_t> r;
        for (int sp = 1; sp <= 4; ++sp) {
            r.push_back(e.Fuer(anzahl).StartRolle[sp]);
            // The role controls show what the record now holds.
            EXPECT_EQ(d.Wert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Rolle, sp)), r.back());
        }
        return r;
    }
    static bool Gleich(const TStrategieEinstellung& a, const TStrategieEinstellung& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }
};

TEST_F(EinstellungsDialog, StartrollenVierSpieler) {
    EXPECT_EQ(RollenNachOk(4, {2, 2, 3, 0}), (std::vector<int32_t>{0, 0, 3, 0}));
    EXPECT_EQ(RollenNachOk(4, {1, 4, 3, 2}), (std::vector<int32_t>{1, 4, 3, 2}));
    EXPECT_EQ(RollenNachOk(4, {4, 1, 4, 4}), (std::vector<int32_t>{0, 1, 0, 0}));
    EXPECT_EQ(RollenNachOk(4, {2, 2, 3, 3}), (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST_F(EinstellungsDialog, OkOhneAenderungSetztNurDieVerstecktenFelderAufNull) {
    for (int anzahl = 2; anzahl <= 4; ++anzahl) {
        TStrategieEinstellung& r = e.Fuer(anzahl);
        // Slots the dialog does not show keep whatever they hold, strategy 16's what it shows.
        r.Parameter123[9] = 77;
        r.Parameter123[ParameterSlot(16, "Budget")] = 123456;
        r.Parameter123[ParameterSlot(16, "Rollout")] = 14;
        r.Parameter123[ParameterSlot(16, "Erkundung")] = 99;
        r.Param(4, 15) = 15;
        r.Param(13, 17) = 17;
        r.Param(10, 18) = 9;
        const TStrategieEinstellung vorher = r;
        ASSERT_NE(vorher.Param(8, 18) + vorher.Param(9, 18), 0) << "defaults hold something to clear";
        d.Zeigen(anzahl);
        EXPECT_EQ(d.Wert(Seite("Param(8)"), 18), 0);
        EXPECT_EQ(d.Wert(Seite("Param(9)"), 18), 0);
        d.Ok();
        TStrategieEinstellung erwartet = vorher;
        erwartet.Param(8, 18) = 0;
        erwartet.Param(9, 18) = 0;
        EXPECT_TRUE(Gleich(r, erwartet)) << anzahl;
    }
}

TEST_F(EinstellungsDialog, AbbruchNachMehrerenSeitenStelltDenDatensatzWiederHer) {
    const TStrategieeinstellungen vorher = e;
    d.Zeigen(3);
    d.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Sim, 0), 1);
    d.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Strategie, 2), 7);
    d.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Rolle, 1), 2);
    d.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Rolle, 2), 2);
    d.SetzeWert(Seite("Param(2,3)"), 2, 9);
    d.SetzeWert(Seite("Param(6)"), 18, 55);
    d.SetzeWert(Seite("Param(15)"), 0, 99);
    // Strategy 16's fields, in block order; 0 shows the built-in value of this player count.
    const int s16 = Seite("Param(16)");
    TSprache sprache;
    EXPECT_EQ(d.Vorgabe(s16, 0, sprache), "Vorgabe (2000)");
    EXPECT_EQ(d.Vorgabe(s16, 1, sprache), "Vorgabe (10)");
    EXPECT_EQ(d.Vorgabe(s16, 2, sprache), "Vorgabe (50)");
    EXPECT_EQ(d.Vorgabe(Seite("Param(15)"), 0, sprache), "");
    d.SetzeWert(s16, 0, 40000);
    d.SetzeWert(s16, 1, 16); // a search cannot roll out with itself
    d.SetzeWert(s16, 2, 25);
    // A confirmation in between writes the record; the next showing takes a new backup.
    d.Ok();
    EXPECT_EQ(e.Fuer(3).Parameter123[ParameterSlot(16, "Budget")], 40000);
    EXPECT_EQ(e.Fuer(3).Parameter123[ParameterSlot(16, "Rollout")], 15);
    EXPECT_EQ(e.Fuer(3).Parameter123[ParameterSlot(16, "Erkundung")], 25);
    ASSERT_EQ(e.Fuer(3).Strategie[2], 7);
    ASSERT_EQ(e.Fuer(3).Sim, 1);
    const TStrategieeinstellungen nachOk = e;
    d.Zeigen(3);
    d.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Geld, 4), 900);
    d.SetzeWert(Seite("Param(9)"), 3, 42);
    d.SetzeWert(Seite("Param(12)"), 14, 3);
    d.Abbruch();
    EXPECT_EQ(std::memcmp(&e, &nachOk, sizeof e), 0) << "each showing backs up the record as it is then";
    e = vorher;

    d.Zeigen(3);
    for (int seite = 0; seite < static_cast<int>(EinstellungsSeiten().size()); ++seite)
        for (int f = 0; f < static_cast<int>(EinstellungsSeiten()[static_cast<size_t>(seite)].Felder.size());
             ++f)
            d.SetzeWert(seite, f, d.Wert(seite, f) + 1);
    d.Abbruch();
    EXPECT_EQ(std::memcmp(&e, &vorher, sizeof e), 0);
}

} // namespace
