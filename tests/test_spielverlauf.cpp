// The move list: whole games of the computer players told sentence by sentence, checked against
// their trace; and how the list follows undo, redo and a loaded game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/spielverlauf.h"
#include "sim/serie.h"

using namespace vm;

namespace {

using Art = TSpielverlauf::Art;

struct TErwartet {
    Art art;
    std::string text;
};

// "(Index 1 , Farbe 1 , Holzfäller)" at `ab` or later: the name.
std::string NameIn(const std::string& z, size_t ab = 0) {
    const size_t auf = z.find("(Index ", ab);
    const size_t komma = z.rfind(" , ", z.find(')', auf));
    return z.substr(komma + 3, z.find(')', komma) - komma - 3);
}

bool Beginnt(const std::string& z, const char* text) {
    return z.rfind(text, 0) == 0;
}

// The list a game's trace calls for, read from the trace alone: a heading per round and phase,
// a sentence per purchase, hand card, discard, pass and pub purchase, with the card's origin.
std::vector<TErwartet> AusDerSpur(const std::vector<std::string>& spur) {
    static const char* const Phasen[] = {"Grüne Phase", "Blaue Phase", "Rote Phase", "Ausbauphase"};
    std::vector<TErwartet> soll;
    int runde = 0, sternwarte = 0;
    std::string herkunft[5], karte[5], handkarte;
    for (const std::string& z : spur) {
        if (Beginnt(z, "Neue Phase: ")) {
            const int p = std::stoi(z.substr(12));
            if (p == 1) soll.push_back({Art::Runde, "Runde " + std::to_string(++runde)});
            soll.push_back({Art::Phase, Phasen[p - 1]});
            continue;
        }
        if (Beginnt(z, "Handkarte ")) {
            handkarte = NameIn(z);
            continue;
        }
        if (Beginnt(z, "Ziehe vom Stapel") && sternwarte) {
            herkunft[sternwarte] = " von der Sternwarte";
            karte[sternwarte] = NameIn(z);
            sternwarte = 0;
            continue;
        }
        if (!Beginnt(z, "Spieler ")) continue;
        const int s = z[8] - '0';
        const std::string rest = z.substr(9), sp = "Spieler " + std::to_string(s);
        if (Beginnt(rest, " nutzt die Sternwarte")) {
            sternwarte = s;
            continue;
        }
        const std::string name = rest.find("(Index ") != std::string::npos ? NameIn(rest) : "";
        std::string von = karte[s] == name ? herkunft[s] : "";
        if (von.empty() && name == handkarte) von = " aus der Hand";
        herkunft[s] = karte[s] = handkarte = "";
        const size_t fuer = rest.find(" für "), geld = rest.find(" Geld");
        if (Beginnt(rest, " kauft Erw.-Karte ")) {
            soll.push_back({Art::Satz, sp + " kauft " + name + von + rest.substr(fuer, geld + 5 - fuer) +
                                           " und ersetzt " + NameIn(rest, rest.find("Abwurf"))});
        } else if (Beginnt(rest, " kauft (")) {
            soll.push_back({Art::Satz, sp + " kauft " + name + von + rest.substr(fuer, geld + 5 - fuer)});
        } else if (rest.find(" Siegpunkte") != std::string::npos && Beginnt(rest, " kauft ")) {
            const int n = std::stoi(rest.substr(7));
            soll.push_back({Art::Satz, sp + " kauft " + std::to_string(n) + " Siegpunkte für " +
                                           std::to_string(2 * n) + " Geld"});
        } else if (Beginnt(rest, " nimmt ")) {
            soll.push_back({Art::Satz, sp + " nimmt " + name + von + " auf die Hand"});
        } else if (Beginnt(rest, " wirft ")) {
            soll.push_back({Art::Satz, sp + " wirft " + name + " von der Sternwarte ab"});
        } else if (Beginnt(rest, " passt(")) {
            soll.push_back({Art::Satz, sp + " passt"});
        }
    }
    return soll;
}

TEST(Spielverlauf, JedeAktionEinesGanzenSpielsHatIhrenSatzUnterIhrerRundeUndPhase) {
    // Games with purchases from the display, the hand and the observatory, upgrades, discards
    // and the pub; 2 and 4 seats.
    const std::vector<std::vector<std::string>> laeufe = {
        {"--seed", "99", "--players", "2", "--strategies", "12,14,1,1", "--games", "3"},
        {"--seed", "2718", "--players", "4", "--strategies", "7,9,11,15", "--variants", "1,0,0"},
    };
    int saetze = 0, schenken = 0;
    for (const auto& args : laeufe) {
        const TSimArgumente a = ParseSimArgumente(args);
        ASSERT_TRUE(a.ok) << a.fehler;
        TKatalog kat;
        TTexte texte;
        TSpielsitzung g(kat);
        ASSERT_EQ(SimVorbereiten(g, a.opt), "");
        TSpielverlauf verlauf(texte, kat);
        g.SetzeEreignisse(&verlauf);
        g.Log.TraceAn = true;
        for (int64_t spiel = 0; spiel < a.opt.spiele; ++spiel) {
            g.Log.Leeren();
            verlauf.Leeren();
            SimSpiel(g);
            const std::vector<TErwartet> soll = AusDerSpur(g.Log.Zeilen());
            ASSERT_GT(soll.size(), 50u);
            // The pub round's heading and the seats that let their pub go have no trace line:
            // they stand only after the blue phase, before the next heading.
            size_t i = 0;
            bool schenkenrunde = false;
            std::string letztePhase;
            for (size_t n = 0; n < verlauf.Anzahl(); ++n) {
                const TSpielverlauf::TZeile& z = verlauf.Zeile(n);
                SCOPED_TRACE("Zeile " + std::to_string(n) + ": " + z.text);
                if (z.art == Art::Phase && z.text == "Schenkenrunde") {
                    EXPECT_EQ(letztePhase, "Blaue Phase");
                    EXPECT_FALSE(schenkenrunde);
                    schenkenrunde = true;
                    ++schenken;
                    continue;
                }
                if (z.text.find(" kauft keine Siegpunkte") != std::string::npos) {
                    EXPECT_TRUE(schenkenrunde);
                    continue;
                }
                ASSERT_LT(i, soll.size());
                EXPECT_EQ(z.art, soll[i].art);
                EXPECT_EQ(z.text, soll[i].text);
                if (z.art == Art::Satz) ++saetze;
                if (z.art == Art::Phase) {
                    letztePhase = z.text;
                    schenkenrunde = false;
                }
                if (z.text.find("Siegpunkte für") != std::string::npos) {
                    EXPECT_TRUE(schenkenrunde);
                }
                ++i;
            }
            EXPECT_EQ(i, soll.size());
        }
        g.SetzeEreignisse(nullptr);
    }
    EXPECT_GT(saetze, 500);
    EXPECT_GT(schenken, 0);
}

TEST(Spielverlauf, UndoZeigtDenStandDesEintragsRedoDenFolgendenUndEinNeuerZugVerwirftIhn) {
    TKatalog kat;
    TTexte texte;
    TSpielverlauf v(texte, kat);
    auto passt = [&](int s) { v.Ereignis({TEreignis::Passe, s}); };
    v.Ereignis({TEreignis::Phase, 1, {}, {}, 1, 1});
    v.HistorieGesichert(1);
    passt(1);
    passt(2);
    v.HistorieGesichert(2);
    passt(1);
    v.Ereignis({TEreignis::Phase, 2, {}, {}, 2, 1});
    v.HistorieGesichert(3);
    ASSERT_EQ(v.Anzahl(), 6u);

    const uint32_t stand = v.Stand();
    v.HistorieGesprungen(1);
    EXPECT_EQ(v.Anzahl(), 2u);
    EXPECT_NE(v.Stand(), stand);
    v.HistorieGesprungen(3);
    EXPECT_EQ(v.Anzahl(), 6u);
    EXPECT_EQ(v.Zeile(5).text, "Blaue Phase");

    // Another move from entry 2 replaces what followed it; the round heading is not repeated.
    v.HistorieGesprungen(2);
    v.Ereignis({TEreignis::Phase, 2, {}, {}, 2, 1});
    v.HistorieGesichert(3);
    ASSERT_EQ(v.Anzahl(), 5u);
    EXPECT_EQ(v.Zeile(3).text, "Spieler 2 passt");
    EXPECT_EQ(v.Zeile(4).text, "Blaue Phase");
    v.HistorieGesprungen(4); // never saved: nothing changes
    EXPECT_EQ(v.Anzahl(), 5u);
    // A mark whose lines a later move dropped is ignored, and a jump to the lines shown changes
    // nothing the window would redraw.
    v.HistorieGesprungen(1);
    passt(2);
    v.HistorieGesprungen(3);
    EXPECT_EQ(v.Anzahl(), 3u);
    v.HistorieGesichert(2);
    const uint32_t gezeigt = v.Stand();
    v.HistorieGesprungen(2);
    EXPECT_EQ(v.Stand(), gezeigt);

    // A loaded game starts with its note, which every entry of the file keeps.
    v.Geladen(7);
    passt(3);
    v.HistorieGesichert(8);
    v.HistorieGesprungen(7);
    ASSERT_EQ(v.Anzahl(), 1u);
    EXPECT_EQ(v.Zeile(0).text, "Spielstand geladen");
    v.Leeren();
    EXPECT_EQ(v.Anzahl(), 0u);
}

TEST(Spielverlauf, VerdeckteHandkartenNennenDieKarteEinesGegnersVonDerSternwarteNicht) {
    TKatalog kat;
    TTexte texte;
    TSpielstand s{};
    s.VerdeckteHandkarten = 1;
    TSpielverlauf v(texte, kat, &s);
    const tKartenRef zollhaus{2, 6};
    for (int sitz : {2, 1}) {
        v.Ereignis({TEreignis::Sternwarte, sitz, zollhaus, {}, 2});
        v.Ereignis({TEreignis::Hand, sitz, zollhaus});
    }
    // From the open display every card is named.
    v.Ereignis({TEreignis::Hand, 3, zollhaus});
    ASSERT_EQ(v.Anzahl(), 3u);
    EXPECT_EQ(v.Zeile(0).text, "Spieler 2 nimmt eine Karte von der Sternwarte auf die Hand");
    EXPECT_EQ(v.Zeile(1).text, "Spieler 1 nimmt Zollhaus von der Sternwarte auf die Hand");
    EXPECT_EQ(v.Zeile(2).text, "Spieler 3 nimmt Zollhaus auf die Hand");
}

} // namespace
