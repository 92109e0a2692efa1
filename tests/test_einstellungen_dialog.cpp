// The settings dialog without widgets: pages and fields, ranges, the start-role repair for 2, 3
// and 4 players, the hidden 19th fields, the backup of "Abbruch" and the simulation flag.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ai/einstellungen.h"
#include "persist/sprache.h"
#include "rules/einstellungsdialog.h"

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

TEST_F(EinstellungsDialog, StartrollenDreiSpielerZaehlenSitz4Nicht) {
    EXPECT_EQ(RollenNachOk(3, {2, 0, 0, 2}), (std::vector<int32_t>{2, 0, 0, 2}));
    EXPECT_EQ(RollenNachOk(3, {2, 2, 0, 2}), (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(RollenNachOk(3, {1, 3, 2, 4}), (std::vector<int32_t>{1, 3, 2, 0}));
    EXPECT_EQ(RollenNachOk(3, {4, 1, 0, 4}), (std::vector<int32_t>{4, 1, 0, 0}));
    EXPECT_EQ(RollenNachOk(3, {1, 3, 2, 2}), (std::vector<int32_t>{1, 3, 2, 2}));
}

TEST_F(EinstellungsDialog, StartrollenZweiSpielerZaehlenAlleVierSitze) {
    EXPECT_EQ(RollenNachOk(2, {1, 3, 1, 2}), (std::vector<int32_t>{0, 3, 0, 2}));
    EXPECT_EQ(RollenNachOk(2, {1, 3, 2, 4}), (std::vector<int32_t>{1, 3, 2, 4}));
    EXPECT_EQ(RollenNachOk(2, {0, 0, 4, 4}), (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST_F(EinstellungsDialog, OkOhneAenderungSetztNurDieVerstecktenFelderAufNull) {
    for (int anzahl = 2; anzahl <= 4; ++anzahl) {
        TStrategieEinstellung& r = e.Fuer(anzahl);
        // Slots the dialog does not show keep whatever they hold.
        r.Parameter123[7] = 77;
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
    // A confirmation in between writes the record; the next showing takes a new backup.
    d.Ok();
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

TEST_F(EinstellungsDialog, JedesFeldBearbeitetSeinenPlatzImDatensatz) {
    // Distinct values in every control land in the slot the page's field order gives.
    d.Zeigen(4);
    const auto& seiten = EinstellungsSeiten();
    for (size_t s = 0; s < seiten.size(); ++s)
        for (size_t f = 0; f < seiten[s].Felder.size(); ++f)
            d.SetzeWert(static_cast<int>(s), static_cast<int>(f), static_cast<int32_t>(f % 9) + 1);
    d.Ok();
    const TStrategieEinstellung& r = e.Fuer(4);
    EXPECT_EQ(r.Parameter123[0], 1);
    EXPECT_EQ(r.Parameter123[5], 6);
    for (int s = 4; s <= 15; ++s) {
        const int felder = s <= 5 ? 13 : s <= 11 ? 19 : 15;
        for (int i = 0; i < felder; ++i) {
            const int32_t erwartet = (s == 8 || s == 9) && i == 18 ? 0 : i % 9 + 1;
            EXPECT_EQ(r.Param(s, i), erwartet) << s << "/" << i;
        }
    }
    EXPECT_EQ(r.Param(4, 13), 0) << "slot 13 of strategy 4 has no control";
    EXPECT_EQ(r.Param(12, 15), 0);
    EXPECT_EQ(r.Sim, 1);
}

TEST_F(EinstellungsDialog, SeitenBeschriftungenUndBereiche) {
    const auto& seiten = EinstellungsSeiten();
    std::vector<std::string_view> titel;
    for (const auto& s : seiten) titel.push_back(s.Titel);
    EXPECT_EQ(titel, (std::vector<std::string_view>{"Strategie", "Beschreibung", "Param(2,3)", "Param(4)",
                                                    "Param(5)", "Param(6)", "Param(7)", "Param(8)",
                                                    "Param(9)", "Param(10)", "Param(11)", "Param(12)",
                                                    "Param(13)", "Param(14)", "Param(15)"}));
    auto namen = [&](std::string_view seite) {
        std::vector<std::string_view> v;
        for (const auto& f : seiten[static_cast<size_t>(Seite(seite))].Felder)
            if (!f.Versteckt) v.push_back(f.Name);
        return v;
    };
    EXPECT_EQ(namen("Param(2,3)"), (std::vector<std::string_view>{"S2-GrenzeB", "S2-GrenzeR", "S2-Runde",
                                                                  "S3-GrenzeB", "S3-GrenzeR", "S3-Runde"}));
    EXPECT_EQ(namen("Param(5)").size(), 13u);
    EXPECT_EQ(namen("Param(7)").back(), "XS19");
    EXPECT_EQ(namen("Param(8)").size(), 18u);
    EXPECT_EQ(namen("Param(8)")[10], "B_W18");
    EXPECT_EQ(namen("Param(11)").back(), "B_R19");
    EXPECT_EQ(namen("Param(11)").size(), 19u);
    EXPECT_EQ(namen("Param(14)"), (std::vector<std::string_view>{"G_R10", "G_G11", "B_G1", "B_R4", "B_G20",
                                                                 "B_G21", "B_R19", "B_W13", "R_G2", "R_R3",
                                                                 "E_R5", "E_G6", "E_W15", "E_R16", "E_A17"}));

    d.Zeigen(2);
    auto probe = [&](int seite, int feld, int32_t rein, int32_t raus) {
        d.SetzeWert(seite, feld, rein);
        EXPECT_EQ(d.Wert(seite, feld), raus) << seite << "/" << feld << " " << rein;
    };
    const int st = SeiteStrategie;
    probe(st, Feld(st, FeldArt::Strategie, 1), 0, 1);
    probe(st, Feld(st, FeldArt::Strategie, 1), 16, 15);
    probe(st, Feld(st, FeldArt::Geld, 2), -5, 0);
    probe(st, Feld(st, FeldArt::Geld, 2), 1001, 1000);
    probe(st, Feld(st, FeldArt::Rolle, 3), 5, 4);
    probe(st, Feld(st, FeldArt::AnzahlSim, 0), 100001, 100000);
    EXPECT_EQ(seiten[st].Felder[static_cast<size_t>(Feld(st, FeldArt::AnzahlSim, 0))].Schritt, 50);
    probe(Seite("Param(2,3)"), 0, 31, 30);
    probe(Seite("Param(2,3)"), 2, 0, 1);
    probe(Seite("Param(2,3)"), 5, 11, 10);
    probe(Seite("Param(4)"), 12, 201, 200);
    probe(Seite("Param(6)"), 0, 101, 100);
    probe(Seite("Param(15)"), 14, -1, 0);

    // A record value a control cannot hold is shown at the control's edge.
    e.Fuer(3).Strategie[2] = 99;
    d.Zeigen(3);
    EXPECT_EQ(d.Wert(st, Feld(st, FeldArt::Strategie, 2)), 15);
}

TEST_F(EinstellungsDialog, TitelUndBeschreibung) {
    TSprache ohne;
    d.Zeigen(3);
    EXPECT_EQ(d.Titel(ohne), "Einstellungen ( 3 Spieler )");
    d.Zeigen(2);
    EXPECT_EQ(d.Titel(ohne), "Einstellungen ( 2 Spieler )");
    const std::vector<std::string> zeilen = TEinstellungsDialog::Beschreibung(ohne);
    ASSERT_EQ(zeilen.size(), 15u);
    EXPECT_EQ(zeilen[0], "1) Passe !");
    EXPECT_EQ(zeilen[2], "3) Der Simpel");
    EXPECT_EQ(zeilen[10], "11) Baron Münchhausen (V3)");
    EXPECT_EQ(zeilen[11], "12) [2] Baron Münchhausen (V4)");
    EXPECT_EQ(zeilen[14], "15) [2] Blaublütiger Adel (V2)");

    TSprache englisch;
    englisch.LadenText("[Other]\nEinstellungen=Settings\nSpieler=players\nDer Simpel=The Simpleton\n");
    d.Zeigen(4);
    EXPECT_EQ(d.Titel(englisch), "Settings ( 4 players )");
    EXPECT_EQ(TEinstellungsDialog::Beschreibung(englisch)[2], "3) The Simpleton");
}

TEST_F(EinstellungsDialog, SimulationWirktNachDemDialogSofort) {
    TKatalog kat;
    Spielsitzung g{kat};
    InitStrategieparameter(g.Einstellungen);
    g.Menue.SpielerAnzahl = 3;
    g.S.Computer[1] = 0;
    TEinstellungsDialog dlg{g.Einstellungen};
    dlg.Zeigen(g.Menue.SpielerAnzahl);
    dlg.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Sim, 0), 1);
    dlg.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::AnzahlSim, 0), 250);
    dlg.Ok();
    TSimulationsWahl w = NachEinstellungen(g);
    EXPECT_TRUE(w.Sim);
    EXPECT_EQ(w.AnzahlSim, 250);
    EXPECT_EQ(g.S.Computer[1], 1);
    EXPECT_EQ(g.Einstellungen.Fuer(4).Sim, 0) << "other player counts keep their flag";

    // Aborting after unchecking leaves the flag on; the handler runs whatever the result.
    dlg.Zeigen(3);
    dlg.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Sim, 0), 0);
    dlg.Abbruch();
    EXPECT_TRUE(NachEinstellungen(g).Sim);
    dlg.Zeigen(3);
    dlg.SetzeWert(SeiteStrategie, Feld(SeiteStrategie, FeldArt::Sim, 0), 0);
    dlg.Ok();
    EXPECT_FALSE(NachEinstellungen(g).Sim);
    EXPECT_EQ(g.S.Computer[1], 0);
}

} // namespace
