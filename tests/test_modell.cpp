// Layout of the stored records, the catalogue and its lookups.
#include <gtest/gtest.h>

#include <cstring>

#include "model/sitzung.h"
#include "model/stapel.h"

using namespace vm;

namespace {

template <class T> T LiesBei(const void* basis, size_t offset) {
    T v;
    std::memcpy(&v, static_cast<const char*>(basis) + offset, sizeof v);
    return v;
}

} // namespace

TEST(Spielstand, FelderLiegenAnDenDokumentiertenOffsets) {
    TSpielstand s;
    std::memset(static_cast<void*>(&s), 0, sizeof s);
    s.SpielerAnzahl = 3;
    s.Kartenstapel[2].Naechste = 17;
    s.Kartenstapel[4].Karten[31] = {4, 25};
    s.Startspieler[4] = 2;
    s.Spieler[2].Geld = 77;
    s.Spieler[3].LetzteKarte = {1002, 5};
    s.Spieler[4].Karten[ListeHand].Anzahl = 3;
    s.Spieler[4].Karten[ListeHand].Karten[3] = {3, 7};
    s.Auslage[2].Karten[8] = {2, 11};
    s.Runde = 9;
    s.SchenkeModus = 1;
    s.Computer[4] = 1;
    s.KeineHofmeisterinRunde1 = 1;
    s.Reserviert2[4] = -5;
    s.Korrigiert = 1;
    s.GekaufteSiegpunkte = 4;

    const char* b = reinterpret_cast<const char*>(&s);
    EXPECT_EQ(LiesBei<int32_t>(b, 0), 3);
    EXPECT_EQ(LiesBei<int32_t>(b, 4 + 256 + 4), 17);
    EXPECT_EQ(LiesBei<int32_t>(b, 4 + 3 * 256 + 8 + 30 * 8), 4);
    EXPECT_EQ(LiesBei<int32_t>(b, 4 + 3 * 256 + 8 + 30 * 8 + 4), 25);
    EXPECT_EQ(LiesBei<int32_t>(b, 1028 + 12), 2);
    EXPECT_EQ(LiesBei<int32_t>(b, 1044 + 1040), 77);
    EXPECT_EQ(LiesBei<int32_t>(b, 1044 + 2 * 1040 + 24), 1002);
    EXPECT_EQ(LiesBei<int32_t>(b, 1044 + 2 * 1040 + 28), 5);
    EXPECT_EQ(LiesBei<int32_t>(b, 1044 + 3 * 1040 + 788), 3);
    EXPECT_EQ(LiesBei<int32_t>(b, 1044 + 3 * 1040 + 788 + 4 + 2 * 8 + 4), 7);
    EXPECT_EQ(LiesBei<int32_t>(b, 5204 + 68 + 4 + 7 * 8), 2);
    EXPECT_EQ(LiesBei<int32_t>(b, 5340), 9);
    EXPECT_EQ(LiesBei<uint8_t>(b, 5352), 1);
    EXPECT_EQ(LiesBei<uint8_t>(b, 5369), 1);
    EXPECT_EQ(LiesBei<uint8_t>(b, 5374), 1);
    EXPECT_EQ(LiesBei<int32_t>(b, 5380 + 16), -5);
    EXPECT_EQ(LiesBei<uint8_t>(b, 5404), 1);
    EXPECT_EQ(LiesBei<int32_t>(b, 5408), 4);
}

TEST(Spielstand, ProgrammstartSetztComputerUndReservierteWorte) {
    TKatalog kat;
    Spielsitzung g(kat);
    EXPECT_EQ(g.S.Computer[1], 0);
    EXPECT_EQ(g.S.Computer[2], 1);
    EXPECT_EQ(g.S.Computer[4], 1);
    EXPECT_EQ(g.S.Spielende, 1);
    const char* b = reinterpret_cast<const char*>(&g.S);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(LiesBei<uint32_t>(b, 5380 + 4 * i), 0x80000001u);
    EXPECT_EQ(LiesBei<uint16_t>(b, 5375), 0);
}

TEST(Katalog, DeckgroessenUndNummern) {
    TKatalog kat;
    const int erwartet[5] = {0, 31, 28, 27, 30};
    int inx = 0;
    for (int t = 1; t <= 4; ++t) {
        int summe = 0;
        for (int p = 1; p <= ArtenJeTabelle[t]; ++p) {
            const tKarte& k = kat.Art(t, p);
            summe += k.Anzahl;
            EXPECT_EQ(k.Inx, ++inx);
            EXPECT_EQ(k.Bild, k.Inx);
            EXPECT_EQ(k.Erweiterung, t == 4 ? 1 : 0);
            // The computer players read the counts of the aristocrats 18..24 as those of red cards.
            if (t <= 3) {
                EXPECT_EQ(k.Farbe, t);
            }
        }
        for (int p = ArtenJeTabelle[t] + 1; p <= 25; ++p) EXPECT_EQ(kat.Art(t, p).Inx, 0);
        EXPECT_EQ(summe, erwartet[t]);
        EXPECT_LE(summe, StapelPlaetze);
    }
    EXPECT_EQ(inx, 49);
}

TEST(Katalog, ErsetztMengen) {
    TKatalog kat;
    for (int p = 1; p <= 5; ++p) EXPECT_TRUE(kat.Art(4, p).ErsetztInx(6)) << p;
    EXPECT_TRUE(kat.Art(4, 1).ErsetztInx(1));
    for (int p = 2; p <= 5; ++p) EXPECT_FALSE(kat.Art(4, p).ErsetztInx(1));
    for (int p = 6; p <= 15; ++p) {
        EXPECT_TRUE(kat.Art(4, p).ErsetztInx(7) && kat.Art(4, p).ErsetztInx(17));
        EXPECT_FALSE(kat.Art(4, p).ErsetztInx(18) || kat.Art(4, p).ErsetztInx(6));
    }
    for (int p = 16; p <= 25; ++p) {
        EXPECT_TRUE(kat.Art(4, p).ErsetztInx(18) && kat.Art(4, p).ErsetztInx(24));
        EXPECT_FALSE(kat.Art(4, p).ErsetztInx(17) || kat.Art(4, p).ErsetztInx(25));
    }
}

TEST(Katalog, NachschlagenUndTraceText) {
    TKatalog kat;
    Spielsitzung g(kat);
    EXPECT_EQ(g.KarteRefToInx({2, 5}), 11);
    EXPECT_EQ(g.KarteRefToInx({4, 25}), 49);
    EXPECT_EQ(g.AnzahlFehler, 0);
    EXPECT_EQ(g.KarteRefToInx({1, 7}), 0);
    EXPECT_EQ(g.KarteRefToInx({0, 0}), 0);
    EXPECT_EQ(g.KarteRefToInx({1002, 5}), 0);
    EXPECT_EQ(g.AnzahlFehler, 3);

    EXPECT_EQ(kat.Daten({1002, 5}).Inx, 11);
    EXPECT_EQ(&kat.Daten({1002, 5}), &kat.Daten({2, 5}));
    EXPECT_TRUE(KarteBenutzt({1002, 5}));
    EXPECT_FALSE(KarteBenutzt({2, 5}));

    EXPECT_EQ(KarteText(kat, {4, 1}), "(Index 25 , Farbe 1-erw , Schreinerei)");
    EXPECT_EQ(KarteText(kat, {1, 1}), "(Index 1 , Farbe 1 , Holzfäller)");
    EXPECT_EQ(KarteName(kat, {3, 7}), "Hofmeisterin");
    EXPECT_EQ(KarteName(kat, {3, 8}), "");
    EXPECT_EQ(KarteName(kat, {1003, 7}), "");
}

TEST(Katalog, FremdeReferenzenLesenNieAusserhalb) {
    TKatalog kat;
    const tKartenRef boese[] = {{-1, 1},  {5, 1},    {1, 0},     {1, 26},
                                {999, 3}, {2005, 1}, {1004, -7}, {INT32_MAX, 1}};
    for (tKartenRef k : boese) {
        EXPECT_EQ(kat.Daten(k).Inx, 0);
        EXPECT_EQ(KarteName(kat, k), "");
        EXPECT_EQ(KarteText(kat, k), "(Index 0 , Farbe 0 , )");
    }
}

TEST(Katalog, UmbenennenAendertNurDieArbeitskopie) {
    TKatalog kat;
    kat.Umbenennen(1, 1, "Lumberjack", "Lumberjack (K:3,G:3)");
    EXPECT_EQ(kat.Art(1, 1).Name, "Lumberjack");
    EXPECT_EQ(Kartenkatalog()[1][1].Name, "Holzfäller");
    for (int i = 0; i < 50; ++i) kat.Umbenennen(2, 1, "S" + std::to_string(i), "x");
    EXPECT_EQ(kat.Art(1, 1).Name, "Lumberjack"); // earlier texts stay valid
    EXPECT_EQ(kat.Art(2, 1).Name, "S49");
}

TEST(Zufall, LinearKongruent) {
    TZufall z{1};
    EXPECT_EQ(z.Random(100), 3); // seed 134775814
    EXPECT_EQ(z.RandSeed, 134775814u);
    TZufall a{0xFFFFFFFFu}, b{0xFFFFFFFFu};
    for (int i = 0; i < 1000; ++i) {
        int32_t r = a.Random(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
        EXPECT_EQ(r, b.Random(7));
    }
}

TEST(Stapel, MischenOhneTraceGleichtDemMitTrace) {
    // Without the trace the shuffle takes its draws without a branch on each; it must lay the same
    // stacks and leave the generator where the traced one leaves it.
    TKatalog kat;
    for (uint32_t seed : {1u, 4711u, 0xFFFFFFFFu, 2024u}) {
        Spielsitzung mit(kat), ohne(kat);
        mit.Log.TraceAn = true;
        mit.Zufall.RandSeed = ohne.Zufall.RandSeed = seed;
        MischeAlleStapel(mit);
        MischeAlleStapel(ohne);
        EXPECT_EQ(ohne.Zufall.RandSeed, mit.Zufall.RandSeed) << seed;
        for (int k = 1; k <= 4; ++k) {
            const TKartenstapel& a = mit.S.Kartenstapel[k];
            const TKartenstapel& b = ohne.S.Kartenstapel[k];
            ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << seed << " Stapel " << k;
            // Every kind as often as the catalogue has it.
            int32_t je[KatalogPlaetze + 1] = {};
            for (int j = 1; j <= b.Anzahl; ++j) ++je[b.Karten[j].Ref];
            for (int p = 1; p <= ArtenJeTabelle[k]; ++p) EXPECT_EQ(je[p], kat.Art(k, p).Anzahl) << k << " " << p;
        }
    }
}
