// Whole games of the computer players with every strategy in many mixes: after every single move
// the game state keeps its invariants (cards conserved, display packed, hands within the limit)
// and no internal fault is reported.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "rules/wertung.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

bool UnterSanitizer() {
    return std::getenv("VELDMARK_SANITIZE") != nullptr;
}

constexpr int32_t Strategien[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 99};

// Keeps the first fault message, so a failure names the procedure.
class MerkeFehler : public IFehlerSenke {
public:
    void Melde(std::string_view m) override {
        if (erste.empty()) erste = std::string(m);
    }
    std::string erste;
};

struct TBilanz {
    int spiele = 0;
    int64_t zuege = 0;
    int64_t aktionen[9] = {}; // by LetzteAktion code after the move
    int64_t zuegeJeStrategie[100] = {};
    int64_t wechsel = 0; // moves on which a strategy switch was traced
};

// Plays `spiele` games of one player count with changing strategy mixes and checks every move.
TBilanz Serie(int spieler, int spiele, uint32_t basis) {
    TBilanz b;
    TKatalog kat;
    for (int i = 0; i < spiele; ++i) {
        Spielsitzung g(kat);
        MerkeFehler senke;
        g.SetzeFehlerSenke(&senke);
        InitStrategieparameter(g.Einstellungen);
        const uint32_t seed = basis + static_cast<uint32_t>(i) * 104729u;
        TStrategieEinstellung& e = g.Einstellungen.Fuer(spieler);
        int32_t strategie[5] = {};
        for (int s = 1; s <= 4; ++s) {
            strategie[s] = Strategien[(i * 5 + s * 7 + (i / 16) * (s + 1)) % 16];
            e.Strategie[s] = strategie[s];
            // Rich and poor seats both occur.
            e.StartGeld[s] = 3 + static_cast<int32_t>((seed >> (3 * s)) % 50);
        }
        // Strategies 6 and 7 switch now and then, 7 also into itself up to the nesting bound.
        for (int n = 2; n <= 4; ++n) {
            TStrategieEinstellung& r = g.Einstellungen.Fuer(n);
            r.Param(6, 15) = 1, r.Param(6, 16) = 99, r.Param(6, 17) = 25, r.Param(6, 18) = 10;
            r.Param(7, 15) = 2, r.Param(7, 16) = 99, r.Param(7, 17) = 60, r.Param(7, 18) = 7;
        }
        NeueTestpartie(g, spieler, seed, i % 3 == 1, i % 4 == 2, i % 5 == 3);
        g.Log.TraceAn = true;
        g.Log.Behalten = true;

        std::string f = PruefeSpielstand(g);
        TSpielstand vorher;
        int64_t zug = 0;
        while (f.empty() && !g.S.Spielende) {
            if (++zug > 5000) {
                f = "nach 5000 Zügen nicht zu Ende";
                break;
            }
            std::memcpy(static_cast<void*>(&vorher), &g.S, sizeof vorher);
            const int sitz = g.S.AktuellerSpieler;
            g.Log.Leeren();
            CompiZug(g);
            f = PruefeSpielstand(g, &vorher);
            if (!f.empty()) {
                f = "Zug " + std::to_string(zug) + " von Spieler " + std::to_string(sitz) + " (Strategie " +
                    std::to_string(strategie[sitz]) + ", Runde " + std::to_string(vorher.Runde) + ", Phase " +
                    std::to_string(vorher.Phase) + "): " + f;
                break;
            }
            // A move that buys points in the pub round leaves the seat's last action at 7.
            ++b.aktionen[g.S.Spieler[sitz].LetzteAktion % 9];
            ++b.zuegeJeStrategie[strategie[sitz]];
            for (const std::string& z : g.Log.Zeilen())
                if (z.rfind("Random Strategiewechsel", 0) == 0) {
                    ++b.wechsel;
                    break;
                }
        }
        if (!f.empty() || g.AnzahlFehler != 0) {
            ADD_FAILURE() << spieler << " Spieler, Spiel " << i << " (Seed " << seed << ", Strategien "
                          << strategie[1] << "," << strategie[2] << "," << strategie[3] << "," << strategie[4]
                          << "): " << f << " " << senke.erste;
            return b;
        }
        b.zuege += zug;
        ++b.spiele;
        // The game really ended: ranks handed out once each.
        BerechnePlatz(g);
        int plaetze = 0;
        for (int s = 1; s <= spieler; ++s) plaetze |= 1 << g.Platz[s];
        EXPECT_EQ(plaetze, ((1 << (spieler + 1)) - 2));
    }
    return b;
}

void PruefeSerie(int spieler) {
    const int spiele = UnterSanitizer() ? 24 : 160;
    TBilanz b = Serie(spieler, spiele, 7000u + static_cast<uint32_t>(spieler));
    ASSERT_EQ(b.spiele, spiele);
    // Every strategy took part with real moves, and every kind of action happened.
    for (int32_t s : Strategien) EXPECT_GT(b.zuegeJeStrategie[s], 0) << "Strategie " << s << " spielte nie";
    const char* namen[9] = {"----",   "Kauf",     "Hand",    "Passe", "S-Hand",
                            "S-Kauf", "S-Abwurf", "Kauf-Sp", "Kauf-H"};
    for (int a = 1; a <= 8; ++a) EXPECT_GT(b.aktionen[a], 0) << "nie: " << namen[a];
    EXPECT_GT(b.wechsel, 0);
    EXPECT_GT(b.zuege, static_cast<int64_t>(spiele) * 50);
}

} // namespace

TEST(KiErhaltung, ZweiSpieler) {
    PruefeSerie(2);
}

TEST(KiErhaltung, DreiSpieler) {
    PruefeSerie(3);
}

TEST(KiErhaltung, VierSpieler) {
    PruefeSerie(4);
}
