// The decision lists of the strategies at their edges, on hand-built positions: which entry acts,
// what the final round and the end-of-game warning change, and when a seat passes.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "ai/auswertung.h"
#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

enum : int32_t {
    Holzfaeller = 1,
    Goldgraeber = 2,
    Schaefer = 3,
    Pelzjaeger = 4,
    Schenke_ = 7,
    Lagerhaus_ = 8,
    Dorf = 9,
    Markt = 10,
    Sternwarte_ = 11,
    Zollhaus = 12,
    Schreiber = 18,
    Richter = 23,
    Schreinerei = 25,
    Weberei = 27,
    Kuerschnerei = 28,
    Bank = 31,
};

using Liste = std::vector<int32_t>;

class KiStrategie : public Stellung {
protected:
    void SetUp() override {
        Stellung::SetUp();
        Vorbereiten();
    }
    void Spieler(int n) {
        Aufbauen(n);
        Vorbereiten();
    }
    void Vorbereiten() {
        InitStrategieparameter(g.Einstellungen);
        g.S.AktuellerSpieler = 2;
        g.S.AnzahlPassen = 0;
    }
    void Auslage(std::initializer_list<int32_t> r1, std::initializer_list<int32_t> r2 = {}) {
        LeereAuslage(g);
        for (int32_t x : r1) g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(x);
        int p = 9 - static_cast<int>(r2.size());
        for (int32_t x : r2) g.S.Auslage[2].Karten[p++] = KarteInx(x);
        g.S.Auslage[2].Anzahl = static_cast<int32_t>(r2.size());
    }
    void Sitz(int sp, int32_t geld, std::initializer_list<int32_t> tisch,
              std::initializer_list<int32_t> hand = {}) {
        LeereSpieler(g, sp);
        LegeAufTisch(g, sp, tisch);
        LegeInHand(g, sp, hand);
        g.Sp(sp).Geld = geld;
        g.Sp(sp).LetzteAktion = 0;
    }
    void Rest(int k, int32_t n) { g.S.Kartenstapel[k].Naechste = g.S.Kartenstapel[k].Anzahl - n + 1; }
    // One move of seat 2 with this strategy; returns its last action.
    int Zug(int32_t strategie, int phase, int32_t runde) {
        g.S.Phase = phase;
        g.S.Runde = runde;
        g.S.AktuellerSpieler = 2;
        g.S.AnzahlPassen = 0;
        g.Sp(2).LetzteAktion = 0;
        CompiStrategieZug(g, strategie);
        return g.Sp(2).LetzteAktion;
    }
    Liste Karten(int sp, int liste) const {
        Liste l;
        const TKartenliste& k = g.S.Spieler[sp].Karten[liste];
        for (int i = 1; i <= k.Anzahl; ++i) l.push_back(g.Daten(k.Karten[i]).Inx);
        return l;
    }
    Liste Reihe(int r) const {
        Liste l;
        for (int p = 1; p <= 8; ++p)
            if (!g.S.Auslage[r].Karten[p].Leer()) l.push_back(g.Daten(g.S.Auslage[r].Karten[p]).Inx);
        return l;
    }
    int32_t Geld(int sp = 2) const { return g.S.Spieler[sp].Geld; }
    bool EndeNah() const { return Endwarnung(g).EndeNah[1]; }
};

constexpr int Kauf = 1, Hand = 2, Passe = 3;

} // namespace

TEST_F(KiStrategie, OhneMoeglichkeitPasstJedeStrategie) {
    for (int32_t s : {2, 3, 4, 5, 99, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        for (int phase = 1; phase <= 4; ++phase) {
            for (int32_t runde : {1, 2, 3, 7}) {
                Sitz(2, 0, {});
                Auslage({});
                EXPECT_EQ(Zug(s, phase, runde), Passe) << s << " " << phase << " " << runde;
                EXPECT_EQ(g.S.AnzahlPassen, 1);
            }
        }
    }
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiStrategie, Strategie2MitZwanzigGeldImBlauenZug) {
    // S2-GrenzeB is 18: the Schenke at rest 0 ...
    Sitz(2, 20, {});
    Auslage({Markt, Schenke_, Zollhaus});
    EXPECT_EQ(Zug(2, 2, 2), Kauf);
    EXPECT_EQ(Karten(2, 2), (Liste{Schenke_}));
    EXPECT_EQ(Geld(), 19);
    // ... otherwise only what leaves 18.
    Sitz(2, 20, {});
    Auslage({Markt, Zollhaus, Lagerhaus_});
    EXPECT_EQ(Zug(2, 2, 2), Kauf);
    EXPECT_EQ(Karten(2, 2), (Liste{Lagerhaus_}));
    EXPECT_EQ(Geld(), 18);
    Sitz(2, 22, {});
    Auslage({Zollhaus, Schreiber});
    EXPECT_EQ(Zug(2, 2, 2), Kauf);
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));
    Sitz(2, 20, {});
    Auslage({Markt, Zollhaus, Schreiber});
    EXPECT_EQ(Zug(2, 2, 2), Passe);
    EXPECT_EQ(Geld(), 20);
}

TEST_F(KiStrategie, Strategie3KauftImBlauenZugZuerstDenBilligstenArbeiter) {
    Sitz(2, 20, {});
    Auslage({Schenke_, Schreiber, Schaefer, Holzfaeller});
    EXPECT_EQ(Zug(3, 2, 2), Kauf);
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller}));
    EXPECT_EQ(Karten(2, 2), Liste{});
}

TEST_F(KiStrategie, Strategie4BunkertUndKauftInDerSchlussrundeKeinGruen) {
    for (int32_t s : {4, 5}) {
        // Green phase, round 1: too poor to buy, so the worker is held ... but not at the end.
        for (bool schluss : {false, true}) {
            g.S.StapelLeer = schluss;
            Sitz(2, 2, {});
            Auslage({Holzfaeller});
            EXPECT_EQ(Zug(s, 1, 1), schluss ? Passe : Hand) << s;
            EXPECT_EQ(Karten(2, 4), schluss ? Liste{} : Liste{Holzfaeller}) << s;
        }
        // Upgrade phase up to E_R4: money upgrades; after it: points upgrades.
        for (bool schluss : {false, true}) {
            g.S.StapelLeer = schluss;
            Sitz(2, 20, {Schaefer});
            Auslage({Weberei});
            EXPECT_EQ(Zug(s, 4, 2), schluss ? Passe : Kauf) << s;
            EXPECT_EQ(Karten(2, 1), schluss ? Liste{Schaefer} : Liste{Weberei}) << s;
            Sitz(2, 1, {Schaefer});
            Auslage({Weberei});
            EXPECT_EQ(Zug(s, 4, 2), schluss ? Passe : Hand) << s;
            EXPECT_EQ(Reihe(1), schluss ? Liste{Weberei} : Liste{}) << s;
            Sitz(2, 20, {Pelzjaeger});
            Auslage({Kuerschnerei});
            EXPECT_EQ(Zug(s, 4, 6), schluss ? Passe : Kauf) << s;
            EXPECT_EQ(Karten(2, 1), schluss ? Liste{Pelzjaeger} : Liste{Kuerschnerei}) << s;
        }
        g.S.StapelLeer = 0;
    }
}

TEST_F(KiStrategie, Strategie10NachGR10NurArbeiterBisPreis3) {
    for (int32_t s : {10, 11}) {
        Sitz(2, 20, {});
        Auslage({Goldgraeber});
        ASSERT_FALSE(EndeNah());
        EXPECT_EQ(Zug(s, 1, 6), Passe) << s; // G_R10 is 5
        EXPECT_EQ(Zug(s, 1, 5), Kauf) << s;
        Sitz(2, 20, {});
        Auslage({}, {Goldgraeber}); // 3 from row 2
        EXPECT_EQ(Zug(s, 1, 6), Kauf) << s;
        EXPECT_EQ(Karten(2, 1), (Liste{Goldgraeber}));
    }
}

TEST_F(KiStrategie, Strategie6KauftDieSchenkeVorAllemAnderen) {
    for (int32_t s : {6, 7, 8, 9}) {
        Sitz(2, 1, {});
        Auslage({Schreiber, Sternwarte_, Schenke_, Dorf});
        EXPECT_EQ(Zug(s, 2, 3), Kauf) << s;
        EXPECT_EQ(Karten(2, 2), (Liste{Schenke_})) << s;
        EXPECT_EQ(Geld(), 0);
    }
}

TEST_F(KiStrategie, Strategie8MitBlauemUpgradeKauftEinLagerhaus) {
    // A seed whose next draw fails the B_W18 draw (10 percent), so only the upgrade decides.
    uint32_t seed = 1;
    while (TZufall{seed}.Random(100) < 10) ++seed;
    for (bool upgrade : {true, false}) {
        // A pub and a used observatory; the Bank in the hand has no target on this table.
        Sitz(2, 30, {Schenke_, Sternwarte_}, {});
        g.Sp(2).Karten[2].Karten[2].Farbe += Benutzt;
        if (upgrade) LegeInHand(g, 2, {Bank});
        Auslage({Lagerhaus_});
        g.Zufall.RandSeed = seed;
        Zug(8, 2, 3);
        EXPECT_EQ(Karten(2, 2),
                  upgrade ? (Liste{Schenke_, Lagerhaus_, Sternwarte_}) : (Liste{Schenke_, Sternwarte_}))
            << upgrade;
    }
}

TEST_F(KiStrategie, Strategien6Bis9InDerSchlussrundeOhneGrueneGeldUpgrades) {
    for (int32_t s : {6, 7, 8, 9}) {
        for (bool schluss : {false, true}) {
            g.S.StapelLeer = schluss;
            Sitz(2, 20, {Schaefer});
            Auslage({Weberei});
            Zug(s, 4, 2);
            EXPECT_EQ(Karten(2, 1), schluss ? Liste{Schaefer} : Liste{Weberei}) << s;
            EXPECT_EQ(Karten(2, 4), Liste{}) << s;
        }
    }
    g.S.StapelLeer = 0;
}

TEST_F(KiStrategie, MitEndeNahFehlendeAdligeVomBilligstenAn) {
    for (int32_t s : {10, 11, 12, 13, 14, 15}) {
        for (bool nah : {false, true}) {
            Sitz(2, 30, {});
            Auslage({Richter, Schreiber});
            Rest(4, nah ? 3 : 30); // the upgrade stack follows the red phase
            g.S.Phase = 3;
            ASSERT_EQ(EndeNah(), nah);
            EXPECT_EQ(Zug(s, 3, 3), Kauf) << s;
            EXPECT_EQ(Karten(2, 3), nah ? Liste{Schreiber} : Liste{Richter}) << s << (nah ? " nah" : "");
        }
    }
}

TEST_F(KiStrategie, Strategie12Runde1SchenkeAufDieHandOderGekauft) {
    Spieler(2);
    for (int32_t s : {12, 13}) {
        Sitz(2, 20, {});
        Auslage({Schenke_});
        EXPECT_EQ(Zug(s, 2, 1), Hand) << s;
        EXPECT_EQ(Karten(2, 4), (Liste{Schenke_}));
        Sitz(2, 20, {Schenke_});
        Auslage({Schenke_});
        EXPECT_EQ(Zug(s, 2, 1), Kauf) << s;
        EXPECT_EQ(Karten(2, 2), (Liste{Schenke_, Schenke_}));
        // "Owns" counts the hand: a Schenke held is owned, the second one is bought.
        Sitz(2, 20, {}, {Schenke_});
        Auslage({Schenke_});
        EXPECT_EQ(Zug(s, 2, 1), Kauf) << s;
        EXPECT_EQ(Karten(2, 2), (Liste{Schenke_}));
    }
}

TEST_F(KiStrategie, Strategie12AusbauphaseRunde1Und2PasstBeiZweiPlaetzen) {
    Spieler(2);
    g.S.Startspieler[1] = 2; // at the new round seat 1 starts the refill
    const struct {
        int karten; // cards in row 1
        int32_t geld;
        int soll;
    } faelle[] = {
        {3, 30, Passe},               // five places: seat 2 gets two and would get the next
        {5, 9, Passe},                // three places: one for seat 2, and less money than E_G6
        {5, 10, Hand},  {7, 0, Hand}, // one place, none of it for seat 2
        {6, 30, Passe},               // two places: the next goes to seat 1
    };
    for (int32_t s : {12, 13}) {
        for (int32_t runde : {1, 2}) {
            for (const auto& f : faelle) {
                Sitz(2, f.geld, {});
                LeereAuslage(g);
                g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(Schreinerei);
                while (g.S.Auslage[1].Anzahl < f.karten)
                    g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = KarteInx(Markt);
                EXPECT_EQ(Zug(s, 4, runde), f.soll)
                    << s << " Runde " << runde << ", " << f.karten << " Karten";
                EXPECT_EQ(Karten(2, 4), f.soll == Hand ? Liste{Schreinerei} : Liste{});
            }
        }
    }
}

TEST_F(KiStrategie, Strategie14Runde1GruenNurDerBilligsteArbeiter) {
    Spieler(2);
    Sitz(2, 2, {});
    Auslage({Holzfaeller}, {Weberei});
    EXPECT_EQ(Zug(14, 1, 1), Passe);
    g.Sp(2).Geld = 3;
    EXPECT_EQ(Zug(14, 1, 1), Kauf);
    EXPECT_EQ(Karten(2, 1), (Liste{Holzfaeller}));
}

TEST_F(KiStrategie, Strategie14Runde1SternwarteKaufenOderZiehenUndNehmen) {
    Spieler(2);
    for (bool beide : {true, false}) {
        g.S.Startspieler[1] = 2;
        g.S.Startspieler[2] = beide ? 2 : 1;
        Sitz(2, 10, {});
        Auslage({Sternwarte_});
        const uint32_t seed = g.Zufall.RandSeed;
        g.Log.Leeren();
        EXPECT_EQ(Zug(14, 2, 1), beide ? Kauf : Hand);
        EXPECT_EQ(Karten(2, beide ? 2 : 4), (Liste{Sternwarte_}));
        TZufall z{seed};
        if (!beide) z.Random(100);
        EXPECT_EQ(g.Zufall.RandSeed, z.RandSeed);
        EXPECT_EQ(ZeilenMit("Random Marktpflege in Phase 2 : OK"), beide ? 0 : 1);
    }
    // Holding both tokens and an observatory: the draw is made instead.
    g.S.Startspieler[2] = 2;
    Sitz(2, 10, {Sternwarte_});
    Auslage({Sternwarte_});
    const uint32_t seed = g.Zufall.RandSeed;
    EXPECT_EQ(Zug(14, 2, 1), Hand);
    TZufall z{seed};
    z.Random(100);
    EXPECT_EQ(g.Zufall.RandSeed, z.RandSeed);
}

TEST_F(KiStrategie, Strategie14ZweiSpielerEndspielBunkertOhneGeld) {
    Spieler(2);
    // Phase 1 with one display card: the blue stack holding 8 is short at look-ahead 1, not 0.
    auto stellung = [&](int32_t eigene, int32_t gegner, int32_t blau) {
        Sitz(2, 0, {});
        Sitz(1, 0, {});
        g.Sp(2).Siegpunkte = eigene;
        g.Sp(1).Siegpunkte = gegner;
        Auslage({Markt});
        Rest(2, blau);
    };
    for (int32_t s : {14, 15}) {
        stellung(10, 0, 8);
        EXPECT_EQ(Zug(s, 1, 5), Hand) << s;
        EXPECT_EQ(Karten(2, 4), (Liste{Markt}));
    }
    stellung(10, 0, 8);
    EXPECT_EQ(Zug(14, 1, 4), Passe); // before round 5
    stellung(10, 10, 8);
    EXPECT_EQ(Zug(14, 1, 5), Passe); // not ahead
    stellung(10, 0, 7);
    EXPECT_EQ(Zug(14, 1, 5), Passe); // short already at look-ahead 0
    stellung(10, 0, 9);
    EXPECT_EQ(Zug(14, 1, 5), Passe); // short neither at look-ahead 1 nor 2
    // Two display cards: 8 cards are short at look-ahead 2 only, which needs two free places.
    stellung(10, 0, 8);
    Auslage({Markt, Zollhaus});
    LegeInHand(g, 2, {Schreiber, Schreiber});
    EXPECT_EQ(Zug(14, 1, 5), Passe);
    stellung(10, 0, 8);
    Auslage({Markt, Zollhaus});
    LegeInHand(g, 2, {Schreiber});
    EXPECT_EQ(Zug(14, 1, 5), Hand);
    EXPECT_EQ(Karten(2, 4), (Liste{Schreiber, Markt}));
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(KiStrategie, Strategie14NurImZweiSpielerSpielEndspiel) {
    Spieler(3);
    Sitz(2, 0, {});
    g.Sp(2).Siegpunkte = 10;
    Auslage({Markt});
    Rest(2, 8);
    EXPECT_EQ(Zug(14, 1, 5), Passe);
}

TEST_F(KiStrategie, RoterZugRunde1Und2Der12Und14) {
    // 14, round 1: an unused observatory keeps the seat from buying; it hoards the cheap kinds.
    for (int sternwarte : {0, 1, 2}) { // none, unused, used
        Sitz(2, 30, {});
        if (sternwarte) LegeAufTisch(g, 2, {Sternwarte_});
        if (sternwarte == 2) g.Sp(2).Karten[2].Karten[1].Farbe += Benutzt;
        Auslage({Richter, Schreiber});
        EXPECT_EQ(Zug(14, 3, 1), sternwarte == 1 ? Hand : Kauf) << sternwarte;
        EXPECT_EQ(Karten(2, sternwarte == 1 ? 4 : 3), sternwarte == 1 ? Liste{Schreiber} : Liste{Richter});
    }
    // 12, round 2: hoards the dearest while the hand holds fewer than 2 cards ...
    Sitz(2, 30, {});
    Auslage({Richter, Schreiber});
    EXPECT_EQ(Zug(12, 3, 2), Hand);
    EXPECT_EQ(Karten(2, 4), (Liste{Richter}));
    // ... then buys what is missing, keeping B_G21 (13 with four players) after the card's own
    // red income: the Richter leaves 30 - 16 + 5, with 20 money only 9.
    Sitz(2, 30, {}, {Markt, Zollhaus});
    Auslage({Richter, Schreiber});
    EXPECT_EQ(Zug(12, 3, 2), Kauf);
    EXPECT_EQ(Karten(2, 3), (Liste{Richter}));
    Sitz(2, 20, {}, {Markt, Zollhaus});
    Auslage({Richter, Schreiber});
    EXPECT_EQ(Zug(12, 3, 2), Kauf);
    EXPECT_EQ(Karten(2, 3), (Liste{Schreiber}));
    // Round 1 buys the dearest missing one at once.
    Sitz(2, 30, {});
    Auslage({Schreiber, Richter});
    EXPECT_EQ(Zug(12, 3, 1), Kauf);
    EXPECT_EQ(Karten(2, 3), (Liste{Richter}));
}
