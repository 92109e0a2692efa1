// The English language file in share/: every text of the program's tables has its key, and
// it renames the cards of a catalogue without touching the session's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "ai/compizug.h"
#include "control/einstellungsdialog.h"
#include "persist/ini.h"
#include "persist/sprache.h"
#include "persist/texte.h"

using namespace vm;

namespace {

const std::string Datei = VELDMARK_TESTDATEN "/../../share/Lang.ini";

class Sprachdatei : public ::testing::Test {
protected:
    TIniDatei ini;
    TSprache sprache;
    void SetUp() override {
        ASSERT_TRUE(ini.LadenDatei(Datei));
        ASSERT_TRUE(sprache.Laden(Datei));
    }
    bool Hat(const char* sektion, std::string_view text) {
        std::string_view k = text;
        while (!k.empty() && k.back() == ' ') k.remove_suffix(1);
        return ini.Lies(sektion, k).has_value();
    }
};

TEST_F(Sprachdatei, JedeKarteHatNameUndBeschreibung) {
    TKatalog kat;
    for (int t = 1; t <= KatalogTabellen; ++t) {
        for (int i = 1; i <= ArtenJeTabelle[t]; ++i) {
            const tKarte& k = kat.Art(t, i);
            EXPECT_TRUE(Hat("Cards", k.Name)) << k.Name;
            EXPECT_TRUE(Hat("Cards", k.Beschreibung)) << k.Beschreibung;
            EXPECT_NE(sprache.Cards(k.Beschreibung), k.Beschreibung);
        }
    }
    TKatalog englisch;
    sprache.KartenUebersetzen(englisch);
    EXPECT_EQ(englisch.Art(1, 1).Name, "Woodcutter");
    EXPECT_EQ(englisch.Art(2, 5).Beschreibung, "Observatory: draw a hidden card (C:6,M:0,V:1)");
    EXPECT_EQ(kat.Art(1, 1).Name, "Holzfäller") << "another catalogue keeps its names";
}

TEST_F(Sprachdatei, JederTextDerTabellenHatSeinenSchluessel) {
    for (const TTextEintrag& e : TextTabelle())
        EXPECT_TRUE(Hat(e.sektion == Sektion::Menue ? "Menue" : "Other", e.original)) << e.original;
    for (int s = 1; s <= 15; ++s) EXPECT_TRUE(Hat("Other", Strategiename(s))) << s;
    for (const TDialogSeite& s : EinstellungsSeiten()) {
        if (s.Titel.find('(') == std::string_view::npos) {
            EXPECT_TRUE(Hat("Other", s.Titel)) << s.Titel;
        }
    }
    TTexte texte;
    texte.Uebersetzen(sprache);
    EXPECT_EQ(texte[Text::MenueRueckgaengig], "&Undo");
    EXPECT_EQ(texte.DateiFehler(3), "File access error 3");
}

TEST_F(Sprachdatei, KeinSchluesselDoppeltUndKeinerLeer) {
    // The reader takes keys regardless of case: two spellings of one key would hide each other.
    std::ifstream f(Datei);
    std::string zeile, sektion;
    std::map<std::string, std::set<std::string>> gesehen;
    int eintraege = 0;
    while (std::getline(f, zeile)) {
        if (zeile.empty() || zeile[0] == ';') continue;
        if (zeile[0] == '[') {
            sektion = zeile;
            continue;
        }
        const size_t gleich = zeile.find('=');
        ASSERT_NE(gleich, std::string::npos) << zeile;
        std::string schluessel = zeile.substr(0, gleich);
        EXPECT_FALSE(schluessel.empty() || schluessel.back() == ' ' || schluessel.front() == ' ') << zeile;
        EXPECT_FALSE(zeile.substr(gleich + 1).empty()) << zeile;
        std::transform(schluessel.begin(), schluessel.end(), schluessel.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(gesehen[sektion].insert(schluessel).second) << sektion << " " << zeile;
        ++eintraege;
    }
    EXPECT_EQ(gesehen.size(), 3u);
    EXPECT_GT(eintraege, 250);
}

} // namespace
