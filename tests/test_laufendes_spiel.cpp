// The game on the window's board: a game counts for the statistics once, only when the person
// played seat 1 throughout, and losing unsaved moves needs the person's yes.
#include <gtest/gtest.h>

#include "control/laufendesspiel.h"
#include "control/mensch.h"
#include "control/spielende.h"
#include "persist/spieldatei.h"
#include "persist/sprache.h"
#include "testspieler.h"

using namespace vm;
using vm::test::Ordner;
using vm::test::SpielMitHistorie;

namespace {

// A session whose ends are counted as the window counts them.
struct Partie : SpielMitHistorie {
    TProfilWerte w;
    TSprache deutsch;
    Partie() : SpielMitHistorie(3, 2024) {}
    // One move, a computer's through the window's hook.
    void Ziehe() {
        if (g.S.Computer[g.S.AktuellerSpieler]) VorComputerzug(g, h);
        Zug();
    }
    // Plays to the end; the games counted.
    int32_t BisZumEnde() {
        while (!g.S.Spielende) Ziehe();
        SpielendeAuswerten(g, w, !SpielendeZaehlt(h), deutsch);
        return w.G_AnzSpiele;
    }
};

TEST(Zaehlung, EinSpielZaehltEinmalUndNurWennDerMenschSitz1Spielte) {
    Partie p;
    p.Neu();
    EXPECT_EQ(p.BisZumEnde(), 1);
    const TProfilWerte nachEnde = p.w;
    // Stepping back from the end and playing on reaches the end again: nothing counts twice,
    // neither games nor wins nor points.
    ASSERT_TRUE(p.h.Rueckgaengig(p.g));
    ASSERT_TRUE(p.h.Rueckgaengig(p.g));
    EXPECT_EQ(p.BisZumEnde(), 1);
    EXPECT_EQ(p.w.G_AnzGewonnen, nachEnde.G_AnzGewonnen);
    ASSERT_TRUE(p.h.GanzZurueck(p.g));
    p.g.Sp(1).Siegpunkte = 500;
    EXPECT_EQ(p.BisZumEnde(), 1);
    EXPECT_EQ(p.w.G_MaxPunkte3, nachEnde.G_MaxPunkte3);
    EXPECT_EQ(p.w.G_AnzGewonnen, nachEnde.G_AnzGewonnen);

    // A new game counts again.
    p.Neu();
    EXPECT_EQ(p.BisZumEnde(), 2);

    // The computer moved for seat 1 for a while ("Spieler 1 simuliert der Computer"): the game
    // does not count, even when the person takes the seat back.
    p.Neu();
    while (p.g.S.AktuellerSpieler != 1) p.Ziehe();
    p.g.S.Computer[1] = 1;
    p.Ziehe();
    p.g.S.Computer[1] = 0;
    EXPECT_EQ(p.BisZumEnde(), 2);
    // A computer seat 1 that never moved leaves the game the person's.
    p.Neu();
    p.g.S.Computer[1] = 1;
    p.g.S.AktuellerSpieler = 2;
    VorComputerzug(p.g, p.h);
    p.g.S.AktuellerSpieler = 1;
    p.g.S.Computer[1] = 0;
    EXPECT_EQ(p.BisZumEnde(), 3);

    // A loaded puzzle never counts.
    p.Neu();
    p.h.H().Aufgabe = 1;
    EXPECT_EQ(p.BisZumEnde(), 3);
}

TEST(Zaehlung, EinGespeichertesGezaehltesSpielZaehltNachDemLadenNichtNochmal) {
    Ordner ordner;
    const std::string datei = ordner / "ende.vmk";
    std::string saveDir;
    Partie a;
    a.Neu();
    ASSERT_EQ(a.BisZumEnde(), 1);
    ASSERT_FALSE(SpeichereSpieldatei(a.g, a.h, datei, saveDir).Da());

    Partie b;
    b.Neu();
    ASSERT_TRUE(LadeSpieldatei(b.g, b.h, datei, saveDir).Geladen);
    ASSERT_TRUE(b.h.Rueckgaengig(b.g));
    EXPECT_EQ(b.BisZumEnde(), 0);

    // A file from before, with the word at 0, counts as before.
    b.h.H().Zaehlung = 0;
    ASSERT_FALSE(SpeichereSpieldatei(b.g, b.h, datei, saveDir).Da());
    Partie c;
    ASSERT_TRUE(LadeSpieldatei(c.g, c.h, datei, saveDir).Geladen);
    ASSERT_TRUE(c.h.Rueckgaengig(c.g));
    EXPECT_EQ(c.BisZumEnde(), 1);
}

TEST(Verwerfen, NurNachEinemZugSeitDemLetztenSichernWirdGefragt) {
    Ordner ordner;
    std::string saveDir;
    SpielMitHistorie s(3, 77);
    TMensch mensch(s.g);
    s.Neu();
    while (!mensch.AmZug()) s.Zug();
    EXPECT_FALSE(VerwerfenFragen(s.g, s.h, true)); // the computers moved, the person did not
    mensch.Passe();
    EXPECT_TRUE(VerwerfenFragen(s.g, s.h, true));
    EXPECT_FALSE(VerwerfenFragen(s.g, s.h, false)); // the profile's key switches it off
    ASSERT_FALSE(SpeichereSpieldatei(s.g, s.h, ordner / "a.vmk", saveDir).Da());
    EXPECT_FALSE(VerwerfenFragen(s.g, s.h, true));
    while (!mensch.AmZug()) s.Zug();
    mensch.Passe();
    EXPECT_TRUE(VerwerfenFragen(s.g, s.h, true));
    // A refused save keeps the question; a load or a new game clears it.
    EXPECT_TRUE(SpeichereSpieldatei(s.g, s.h, ordner / "fehlt/b.vmk", saveDir).Da());
    EXPECT_TRUE(VerwerfenFragen(s.g, s.h, true));
    ASSERT_TRUE(LadeSpieldatei(s.g, s.h, ordner / "a.vmk", saveDir).Geladen);
    EXPECT_FALSE(VerwerfenFragen(s.g, s.h, true));
    while (!mensch.AmZug()) s.Zug();
    mensch.Passe();
    s.Neu();
    EXPECT_FALSE(VerwerfenFragen(s.g, s.h, true));
    // A game that is over is not lost by a new one.
    while (!mensch.AmZug()) s.Zug();
    mensch.Passe();
    s.g.S.Spielende = 1;
    EXPECT_FALSE(VerwerfenFragen(s.g, s.h, true));

    // The answers: "Speichern" goes on only when the game was saved, and not where saving is locked.
    int gespeichert = 0;
    auto speichern = [&](bool ok) {
        return [&gespeichert, ok] {
            ++gespeichert;
            return ok;
        };
    };
    EXPECT_TRUE(NachAntwort(Antwort::Ja, s.h, speichern(true)));
    EXPECT_FALSE(NachAntwort(Antwort::Nein, s.h, speichern(true)));
    EXPECT_EQ(gespeichert, 0);
    EXPECT_TRUE(NachAntwort(Antwort::Speichern, s.h, speichern(true)));
    EXPECT_FALSE(NachAntwort(Antwort::Speichern, s.h, speichern(false)));
    EXPECT_EQ(gespeichert, 2);
    s.h.Sperre = PuzzleSperre(false);
    EXPECT_FALSE(SpeichernAnbieten(s.h));
    EXPECT_FALSE(NachAntwort(Antwort::Speichern, s.h, speichern(true)));
    EXPECT_EQ(gespeichert, 2);
}

} // namespace
