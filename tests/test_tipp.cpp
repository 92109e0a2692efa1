// The hint's words and marks: for every action seat 1 may take in the positions of whole games,
// the sentence names the cards the action moves and the mark lies where the person acts.
#include <gtest/gtest.h>

#include <set>

#include "ai/vorausschau.h"
#include "control/tipp.h"
#include "rules/kaufen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

TEST(Tipp, JedeAktionHatIhreWorteUndIhrZiel) {
    TKatalog kat;
    TSpielsitzung g(kat);
    TVorausschau v(kat);
    const TTexte texte;
    std::set<int> arten;
    for (uint32_t seed : {3u, 8u}) {
        InitStrategieparameter(g.Einstellungen);
        for (int s = 1; s <= 4; ++s) g.Einstellungen.Fuer(3).Strategie[s] = 10;
        NeueTestpartie(g, 3, seed);
        for (int zug = 0; zug < 3000 && !g.S.Spielende; ++zug) {
            if (g.S.AktuellerSpieler == 1) {
                const TSpielstand& s = g.S;
                const TSpieler& ich = s.Spieler[1];
                const int n = v.Aufzaehlen(g);
                for (int i = 0; i < n; ++i) {
                    using A = TVorausschauAktion;
                    const A& a = v.Aktion(i);
                    arten.insert(a.art);
                    const std::string text = AktionText(texte, kat, s, a);
                    const TTippZiel z = TippZiel(g, a);
                    ASSERT_FALSE(text.empty());
                    auto name = [&kat](tKartenRef k) { return std::string(kat.Daten(k).Name); };
                    switch (a.art) {
                    case A::Kauf:
                    case A::InHand:
                    case A::Ausbau:
                        ASSERT_EQ(z.art, TTippZiel::Auslage);
                        ASSERT_FALSE(s.Auslage[z.reihe].Karten[z.platz].Leer());
                        EXPECT_ENTHAELT(text, name(s.Auslage[z.reihe].Karten[z.platz]));
                        break;
                    case A::HandLegen:
                    case A::HandAusbau:
                        ASSERT_EQ(z.art, TTippZiel::Hand);
                        ASSERT_LE(z.platz, ich.Hand().Anzahl);
                        EXPECT_ENTHAELT(text, name(ich.Hand().Karten[z.platz]));
                        break;
                    case A::Passe:
                        EXPECT_EQ(z.art, TTippZiel::Passe);
                        break;
                    case A::Siegpunkte:
                        EXPECT_EQ(z.art, TTippZiel::Schenke);
                        EXPECT_FALSE(z.schenken.empty());
                        for (int32_t pos : z.schenken)
                            EXPECT_TRUE(kat.Daten(TischpositionZuKarte(g, 1, pos).karte).Sondereigenschaften &
                                        Schenke);
                        EXPECT_ENTHAELT(text, std::to_string(a.punkte) + " Siegpunkte");
                        break;
                    case A::Sternwarte:
                        EXPECT_EQ(z.art, TTippZiel::Stapel);
                        EXPECT_EQ(z.platz, a.liste);
                        break;
                    }
                    // An upgrade marks the table card it replaces and names it.
                    if (a.art == A::Ausbau || a.art == A::HandAusbau) {
                        const tKartenRef alt = ich.Karten[a.liste].Karten[a.index];
                        EXPECT_EQ(TischpositionZuKarte(g, 1, z.ersetzt).karte, alt);
                        EXPECT_ENTHAELT(text, "ersetze");
                        EXPECT_ENTHAELT(text, name(alt));
                    } else {
                        EXPECT_EQ(z.ersetzt, 0);
                    }
                }
            }
            CompiZug(g);
        }
    }
    // Buying, upgrading, taking into the hand, laying from the hand, the pub and passing came up.
    for (int art : {0, 1, 2, 3, 4, 6}) EXPECT_TRUE(arten.count(art)) << art;
}

TEST(Tipp, TextMitGewinnchanceOderEinzigemZug) {
    TKatalog kat;
    TSpielstand s{};
    const TTexte texte;
    TVorausschauErgebnis e;
    e.gewinnchance = 0.4304;
    e.spiele = 800;
    EXPECT_EQ(TippText(texte, kat, s, e), "Tipp: Passen – Gewinnchance 43 %");
    e.spiele = 0; // a single action: no game played, no chance to tell
    EXPECT_EQ(TippText(texte, kat, s, e), "Tipp: Passen – der einzige mögliche Zug");
    s.SchenkeModus = 1;
    EXPECT_EQ(TippText(texte, kat, s, e), "Tipp: Keine Siegpunkte kaufen – der einzige mögliche Zug");
}

} // namespace
