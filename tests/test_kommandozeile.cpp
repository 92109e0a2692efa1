// The program's arguments: profile folder and game file in either order.
#include <gtest/gtest.h>

#include <filesystem>

#include "control/kommandozeile.h"
#include "testspieler.h"

using namespace vm;

namespace {

TEST(Kommandozeile, ProfilordnerUndSpieldateiInJederReihenfolge) {
    EXPECT_EQ(LiesKommandozeile({}).ProfilOrdner, "");
    EXPECT_EQ(LiesKommandozeile({}).Spieldatei, "");

    TKommandozeile k = LiesKommandozeile({"/home/a/.config/veldmark", "/tmp/Partie 3.vmk"});
    EXPECT_EQ(k.ProfilOrdner, "/home/a/.config/veldmark");
    EXPECT_EQ(k.Spieldatei, "/tmp/Partie 3.vmk");
    k = LiesKommandozeile({"spiel.VMK", "profil"});
    EXPECT_EQ(k.ProfilOrdner, "profil");
    EXPECT_EQ(k.Spieldatei, "spiel.VMK");

    // A double click passes the file alone: the profile stays in the program folder.
    k = LiesKommandozeile({"/tmp/a.vmk"});
    EXPECT_EQ(k.ProfilOrdner, "");
    EXPECT_EQ(k.Spieldatei, "/tmp/a.vmk");

    // Only the first of each kind counts; empty arguments are skipped.
    k = LiesKommandozeile({"", "eins", "a.vmk", "zwei", "b.vmk"});
    EXPECT_EQ(k.ProfilOrdner, "eins");
    EXPECT_EQ(k.Spieldatei, "a.vmk");
    EXPECT_EQ(LiesKommandozeile({".vmk"}).Spieldatei, ".vmk");
    EXPECT_EQ(LiesKommandozeile({"vmk"}).ProfilOrdner, "vmk");
    EXPECT_EQ(LiesKommandozeile({"spiel.vmk.txt"}).ProfilOrdner, "spiel.vmk.txt");
}

TEST(Kommandozeile, OrdnerMitSpieldateiEndungIstDerProfilordner) {
    test::Ordner tmp;
    const std::string ordner = tmp / "profil.vmk";
    std::filesystem::create_directory(ordner);
    TKommandozeile k = LiesKommandozeile({ordner, tmp / "x.vmk"});
    EXPECT_EQ(k.ProfilOrdner, ordner);
    EXPECT_EQ(k.Spieldatei, tmp / "x.vmk");
}

TEST(Kommandozeile, SkalierungAusDemProfilVorDemFenster) {
    test::Ordner tmp;
    const std::string datei = tmp / "Veldmark.ini";
    EXPECT_FALSE(ProfilSkalierung(datei).has_value());
    test::SchreibeDatei(datei, "[Global]\nSaveIni=1\n");
    EXPECT_FALSE(ProfilSkalierung(datei).has_value());
    test::SchreibeDatei(datei, "[Control]\nScaleBy=1000\n");
    EXPECT_FALSE(ProfilSkalierung(datei).has_value());
    test::SchreibeDatei(datei, "[Control]\nScaleBy=abc\n");
    EXPECT_FALSE(ProfilSkalierung(datei).has_value());
    test::SchreibeDatei(datei, "[Control]\nGrayscale=0\nScaleBy=150\n");
    EXPECT_EQ(ProfilSkalierung(datei), 150);
}

} // namespace
