// The human's moves on seat 1: selection and targets, shortcuts, passing, the pub round and the
// observatory with its waiting card.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "control/mensch.h"
#include "control/spielverlauf.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

tKartenRef K(int32_t inx) {
    return KarteInx(inx);
}

constexpr TTasten Ohne{};
constexpr TTasten Shift{true, false};
constexpr TTasten Ctrl{false, true};

// The board as the window is to the controller: it hands the rules' selection reset on and
// remembers which table positions stand raised.
class TestBrett : public IBrett {
public:
    TMensch* mensch = nullptr;
    std::set<int> angehoben;
    void TischpositionAnheben(int spieler, int position, bool hoch) override {
        EXPECT_EQ(spieler, 1);
        if (hoch)
            angehoben.insert(position);
        else
            angehoben.erase(position);
    }
    void AuswahlAufheben() override {
        if (mensch) mensch->AuswahlAufheben();
    }
};

class TestAnzeige : public IMenschAnzeige {
public:
    std::set<std::pair<int, int>> auslage;
    std::set<int> hand;
    int handZiel = 0;
    void AuslageAnheben(int r, int p, bool hoch) override {
        if (hoch)
            auslage.insert({r, p});
        else
            auslage.erase({r, p});
    }
    void HandAnheben(int p, bool hoch) override {
        if (hoch)
            hand.insert(p);
        else
            hand.erase(p);
    }
    void HandZielZeigen(int p, bool zeigen) override {
        if (zeigen) {
            EXPECT_EQ(handZiel, 0);
            handZiel = p;
        } else {
            EXPECT_EQ(handZiel, p);
            handZiel = 0;
        }
    }
};

class TestDialoge : public IMenschDialoge {
public:
    std::function<void(TSternwartenDialog&)> sternwarte;
    std::function<int32_t(const TSchenkeDialog&)> schenke;
    int sternwartenAufrufe = 0, schenkenAufrufe = 0;
    void Sternwarte(TSternwartenDialog& d) override {
        ++sternwartenAufrufe;
        if (sternwarte) sternwarte(d);
    }
    int32_t Schenke(const TSchenkeDialog& d) override {
        ++schenkenAufrufe;
        return schenke ? schenke(d) : 0;
    }
};

class Mensch : public Stellung {
protected:
    TestBrett brett;
    TestAnzeige anzeige;
    TestDialoge dialoge;
    TMensch m{g};

    void SetUp() override {
        Aufbauen(2);
        brett.mensch = &m;
        g.SetzeBrett(&brett);
        m.SetzeAnzeige(&anzeige);
        m.SetzeDialoge(&dialoge);
        g.S.AktuellerSpieler = 1;
        g.S.Phase = 1;
        g.Sp(1).Geld = 30;
        g.Sp(2).Geld = 30;
    }
    void TearDown() override { g.SetzeBrett(nullptr); }

    // Row 1 from the left, row 2 from the right, as the display keeps them.
    void Auslage(std::initializer_list<int32_t> reihe1, std::initializer_list<int32_t> reihe2) {
        LeereAuslage(g);
        for (int32_t i : reihe1) g.S.Auslage[1].Karten[++g.S.Auslage[1].Anzahl] = K(i);
        int platz = 9 - static_cast<int>(reihe2.size());
        for (int32_t i : reihe2) g.S.Auslage[2].Karten[platz++] = K(i);
        g.S.Auslage[2].Anzahl = static_cast<int32_t>(reihe2.size());
    }
    bool NichtsGewaehlt() const {
        return !m.AuslageGewaehlt() && !m.HandGewaehlt() && m.HandZiel() == 0 && anzeige.auslage.empty() &&
               anzeige.hand.empty() && anzeige.handZiel == 0 && brett.angehoben.empty() && Markiert().empty();
    }
    std::set<int> Markiert() const {
        std::set<int> s;
        for (int p = 1; p <= MaxTischpositionen; ++p)
            if (m.Zustand().MarkierteTischplaetze[p]) s.insert(p);
        return s;
    }
    // Seat 1 in the blue phase with an observatory on its table, at position `position`.
    int32_t MitSternwarte() {
        g.S.Phase = 2;
        LegeAufTisch(g, 1, {1, 11});
        return 2;
    }
    // Puts cards (by number) on top of stack k.
    void StapelOben(int k, std::initializer_list<int32_t> inx) {
        TKartenstapel& st = g.S.Kartenstapel[k];
        int p = st.Naechste;
        for (int32_t i : inx) st.Karten[p++] = K(i);
    }
};

TEST_F(Mensch, AuslagekarteWaehlenBietetZieleAnUndAbwaehlenNimmtSieZurueck) {
    Auslage({1, 2, 30}, {3});
    LegeAufTisch(g, 1, {7});
    const TSpielstand vorher = g.S;

    m.AuslageKlick(1, 2, Maustaste::Links, Ohne);
    EXPECT_EQ(m.AuswahlReihe(), 1);
    EXPECT_EQ(m.AuswahlPlatz(), 2);
    EXPECT_EQ(anzeige.auslage, (std::set<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(m.HandZiel(), 1);
    EXPECT_EQ(anzeige.handZiel, 1);
    EXPECT_EQ(Markiert(), std::set<int>{2}); // the next free table position
    EXPECT_EQ(brett.angehoben, std::set<int>{2});

    // Other display cards and the hand are ignored while a display card is selected.
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);
    m.AuslageKlick(2, 8, Maustaste::Links, Shift);
    m.TischKlick(1);
    EXPECT_EQ(m.AuswahlPlatz(), 2);

    m.AuslageKlick(1, 2, Maustaste::Rechts, Ohne);
    EXPECT_TRUE(NichtsGewaehlt());
    EXPECT_TRUE(Unveraendert(vorher));

    // The right button selects as well; an empty place is no card.
    m.AuslageKlick(2, 8, Maustaste::Rechts, Ohne);
    EXPECT_EQ(m.AuswahlReihe(), 2);
    m.AuslageKlick(2, 8, Maustaste::Links, Ohne);
    m.AuslageKlick(2, 1, Maustaste::Links, Ohne);
    EXPECT_TRUE(NichtsGewaehlt());
}

TEST_F(Mensch, ShiftKauftSofortAberKeineErweiterungUndNichtsZuTeures) {
    Auslage({30, 17}, {2});
    g.Sp(1).Geld = 10;
    const TSpielstand vorher = g.S;
    m.AuslageKlick(1, 1, Maustaste::Links, Shift); // upgrade: only through a table card
    m.AuslageKlick(1, 2, Maustaste::Links, Shift); // Akademie costs 23
    EXPECT_TRUE(Unveraendert(vorher));
    EXPECT_TRUE(NichtsGewaehlt());

    m.AuslageKlick(2, 8, Maustaste::Links, Shift);
    EXPECT_EQ(g.Sp(1).Karten[1].Karten[1], K(2));
    EXPECT_EQ(g.Sp(1).Geld, 10 - 3);
    EXPECT_EQ(g.S.Auslage[2].Anzahl, 0);
    EXPECT_EQ(g.S.AktuellerSpieler, 2);
    EXPECT_TRUE(ZeilenMit("auf Position 1") == 1);
}

TEST_F(Mensch, CtrlNimmtAufDieHandOderWaehltOhnePlatz) {
    Auslage({1, 2, 3}, {});
    m.AuslageKlick(1, 3, Maustaste::Links, Ctrl);
    EXPECT_EQ(g.Sp(1).Hand().Karten[1], K(3));
    EXPECT_EQ(g.Sp(1).LetzteAktion, AktionHand);
    EXPECT_EQ(g.S.AktuellerSpieler, 2);

    // Three cards and no warehouse: no hand target, Ctrl selects instead.
    g.S.AktuellerSpieler = 1;
    LegeInHand(g, 1, {4, 5});
    m.AuslageKlick(1, 1, Maustaste::Links, Ctrl);
    EXPECT_EQ(g.Sp(1).Hand().Anzahl, 3);
    EXPECT_EQ(m.AuswahlPlatz(), 1);
    EXPECT_EQ(m.HandZiel(), 0);
    EXPECT_EQ(anzeige.handZiel, 0);
    m.AuslageKlick(1, 1, Maustaste::Links, Ctrl); // the selected card is let go and stays so
    EXPECT_TRUE(NichtsGewaehlt());

    // The warehouse allows a fourth card, never a fifth.
    LegeAufTisch(g, 1, {8});
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);
    EXPECT_EQ(m.HandZiel(), 4);
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);
    m.AuslageKlick(1, 1, Maustaste::Links, Ctrl);
    EXPECT_EQ(g.Sp(1).Hand().Anzahl, 4);
    g.S.AktuellerSpieler = 1;
    m.AuslageKlick(1, 1, Maustaste::Links, Ctrl);
    EXPECT_EQ(g.Sp(1).Hand().Anzahl, 4);
    EXPECT_TRUE(m.AuslageGewaehlt());
    EXPECT_EQ(m.HandZiel(), 0);
}

TEST_F(Mensch, SternwarteBietetNurStapelMitZweiKartenAnUndAbbruchLaesstDenZug) {
    const int32_t pos = MitSternwarte();
    // Stack 3 with exactly one card left, stack 1 with two.
    g.S.Kartenstapel[1].Naechste = g.S.Kartenstapel[1].Anzahl - 1;
    g.S.Kartenstapel[3].Naechste = g.S.Kartenstapel[3].Anzahl;
    std::vector<int> angeboten;
    dialoge.sternwarte = [&](TSternwartenDialog& d) {
        EXPECT_TRUE(KarteBenutzt(g.Sp(1).Karten[2].Karten[1])); // used while the dialog is open
        for (int i = 0; i < d.AnzahlAngebote(); ++i) angeboten.push_back(d.Angebot(i));
        EXPECT_EQ(d.Vorwahl(), 0);
        EXPECT_TRUE(d.KannZiehen());
    };
    const TSpielstand vorher = g.S;
    m.TischDoppelklick(pos);
    EXPECT_EQ(angeboten, (std::vector<int>{1, 2, 4}));
    EXPECT_TRUE(Unveraendert(vorher)); // cancelled: the mark is off again, the turn stays
    EXPECT_EQ(LetzteZeile(), "Sonderaktion Sternwarte: Abbruch !");

    // All stacks below two cards: only cancelling is possible.
    for (int k = 1; k <= 4; ++k) g.S.Kartenstapel[k].Naechste = g.S.Kartenstapel[k].Anzahl;
    bool konnteZiehen = true;
    dialoge.sternwarte = [&](TSternwartenDialog& d) {
        konnteZiehen = d.KannZiehen();
        d.Ziehen(0);
        EXPECT_FALSE(d.Gezogen());
    };
    m.TischDoppelklick(pos);
    EXPECT_FALSE(konnteZiehen);
    EXPECT_EQ(g.S.AktuellerSpieler, 1);
    EXPECT_FALSE(KarteBenutzt(g.Sp(1).Karten[2].Karten[1]));
    EXPECT_EQ(g.AnzahlFehler, 0);

    // Outside the blue phase, or on another card, a double click does nothing.
    g.S.Phase = 1;
    m.TischDoppelklick(pos);
    g.S.Phase = 2;
    m.TischDoppelklick(1);
    EXPECT_EQ(dialoge.sternwartenAufrufe, 2);
}

TEST_F(Mensch, SternwarteZiehenAbwerfenHandUndKaufen) {
    const int32_t pos = MitSternwarte();
    StapelOben(2, {12, 10});
    StapelOben(1, {3});
    int32_t rest = g.S.RestStapel(2);

    // Discard: the card leaves the stack all the same.
    dialoge.sternwarte = [&](TSternwartenDialog& d) {
        ASSERT_EQ(d.Angebot(1), 2);
        d.Ziehen(1);
        EXPECT_EQ(d.Karte(), K(12));
        d.Waehle(TSternwartenDialog::Abwurf);
    };
    m.TischDoppelklick(pos);
    EXPECT_EQ(g.S.RestStapel(2), rest - 1);
    EXPECT_EQ(g.S.AblageAnzahl, 1);
    EXPECT_EQ(g.Sp(1).LetzteAktion, AktionSAbwurf);
    EXPECT_EQ(g.S.AktuellerSpieler, 2);
    EXPECT_EQ(m.LetzterStapel(), 2);
    EXPECT_EQ(ZeilenMit("Sonderaktion Sternwarte(Abwurf/Kaufen/Hand): 0 , Karte: Zollhaus"), 1);

    // The observatory stays used for this phase.
    g.S.AktuellerSpieler = 1;
    m.TischDoppelklick(pos);
    EXPECT_EQ(dialoge.sternwartenAufrufe, 1);

    // Hand, with the last stack preselected; buying is refused without the money.
    ReaktiviereSternwarten(g);
    g.Sp(1).Geld = 4;
    dialoge.sternwarte = [&](TSternwartenDialog& d) {
        EXPECT_EQ(d.Angebot(d.Vorwahl()), 2);
        d.Ziehen(d.Vorwahl());
        EXPECT_EQ(d.Karte(), K(10));
        EXPECT_FALSE(d.KannKaufen());
        EXPECT_TRUE(d.KannHand());
        d.Waehle(TSternwartenDialog::Kaufen); // disabled: not taken
        EXPECT_EQ(d.Gewaehlt(), TSternwartenDialog::Abwurf);
        d.Waehle(TSternwartenDialog::Hand);
    };
    m.TischDoppelklick(pos);
    EXPECT_EQ(g.Sp(1).Hand().Karten[1], K(10));
    EXPECT_EQ(g.Sp(1).LetzteAktion, AktionSHand);

    // Buy: the upper row's price, at the next free position; a full hand cannot take it.
    g.S.AktuellerSpieler = 1;
    ReaktiviereSternwarten(g);
    LegeInHand(g, 1, {4, 5});
    g.Sp(1).Geld = 10;
    dialoge.sternwarte = [&](TSternwartenDialog& d) {
        d.Ziehen(0);
        EXPECT_EQ(d.Karte(), K(3));
        EXPECT_FALSE(d.KannHand());
        EXPECT_TRUE(d.KannKaufen());
        d.Waehle(TSternwartenDialog::Kaufen);
    };
    m.TischDoppelklick(pos);
    EXPECT_EQ(g.Sp(1).Karten[1].Anzahl, 2);
    EXPECT_EQ(g.Sp(1).Geld, 5);
    EXPECT_EQ(g.Sp(1).LetzteAktion, AktionSKauf);
    EXPECT_EQ(g.S.AktuellerSpieler, 2);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

class WartendeKarte : public Mensch {
protected:
    int32_t sternwarte = 0;
    void SetUp() override {
        Mensch::SetUp();
        sternwarte = MitSternwarte(); // Holzfäller at 1, observatory at 2
        LegeAufTisch(g, 1, {11});     // a second observatory at 3
        Auslage({2, 3}, {4});
        StapelOben(4, {25});
        g.Sp(1).Geld = 10;
        dialoge.sternwarte = [](TSternwartenDialog& d) {
            d.Ziehen(d.AnzahlAngebote() - 1);
            d.Waehle(TSternwartenDialog::Kaufen);
        };
        m.TischDoppelklick(sternwarte);
    }
};

TEST_F(Mensch, EinAbgelehnterKlickSagtWarumUndEinZielSeinenPreis) {
    TTexte texte;
    auto grund = [&] { return AblehnungText(texte, kat, m.Ablehnung()); };
    Auslage({12, 1, 40}, {41});
    g.Sp(1).Geld = 3;

    // Too little money: the shortcut buys nothing, a plain click offers only the hand.
    m.AuslageKlick(1, 1, Maustaste::Links, Shift);
    EXPECT_EQ(grund(), "Zu wenig Geld: Zollhaus kostet 8 Geld, du hast 3");
    EXPECT_TRUE(NichtsGewaehlt());
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);
    EXPECT_EQ(grund(), "Zu wenig Geld: Zollhaus kostet 8 Geld, du hast 3");
    EXPECT_EQ(m.HandZiel(), 1);
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);
    EXPECT_FALSE(m.Ablehnung().Da());

    // Hand full: taking into the hand is refused, buying is still offered; with neither both
    // reasons are told.
    LegeInHand(g, 1, {2, 3, 4});
    m.AuslageKlick(1, 2, Maustaste::Links, Ctrl);
    EXPECT_EQ(grund(), "Die Hand ist voll");
    EXPECT_EQ(Markiert().size(), 1u);
    m.AuslageKlick(1, 2, Maustaste::Links, Ohne);
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);
    EXPECT_EQ(grund(), "Zu wenig Geld: Zollhaus kostet 8 Geld, du hast 3; Die Hand ist voll");
    m.AuslageKlick(1, 1, Maustaste::Links, Ohne);

    // An upgrade needs a card to replace, and never goes by shortcut.
    m.AuslageKlick(1, 3, Maustaste::Links, Shift);
    EXPECT_EQ(grund(), "Ausbaukarten werden auf eine markierte Karte gelegt");
    m.AuslageKlick(1, 3, Maustaste::Links, Ohne);
    EXPECT_EQ(grund(), "Abt kann keine deiner Karten ersetzen; Die Hand ist voll");
    m.AuslageKlick(1, 3, Maustaste::Links, Ohne);

    // Table full in the card's colour.
    g.Sp(1).Geld = 30;
    for (int i = 0; i < StapelPlaetze; ++i) LegeAufTisch(g, 1, {5});
    m.AuslageKlick(1, 2, Maustaste::Links, Shift);
    EXPECT_EQ(grund(), "Auf dem Tisch ist kein Platz mehr");
    EXPECT_EQ(g.Sp(1).Geld, 30);

    // The price shown over a target is the price paid there.
    LeereSpieler(g, 1);
    g.Sp(1).Geld = 30;
    LegeAufTisch(g, 1, {1, 18, 20});
    m.AuslageKlick(2, 8, Maustaste::Links, Ohne);
    ASSERT_EQ(Markiert(), (std::set<int>{2, 3}));
    EXPECT_FALSE(m.Zielpreis(1).has_value());
    const std::optional<TZielpreis> z = m.Zielpreis(3);
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(ZielpreisText(texte, kat, *z),
              "Kammerfrau ersetzt Kontorist: " + std::to_string(z->preis) + " Geld");
    EXPECT_EQ(m.Zielpreis(2)->ersetzt, K(18));
    m.TischKlick(3);
    EXPECT_EQ(g.S.Spieler[1].Geld, 30 - z->preis);
    EXPECT_EQ(g.AnzahlFehler, 0);
}

TEST_F(Mensch, DieAufforderungNenntSchenkenrundeUndWartendeSternwartenkarte) {
    TTexte texte;
    auto text = [&] { return AufforderungText(texte, kat, m.Aufforderung(), m.Zustand().SternwartenKarte); };
    EXPECT_EQ(text(), "");
    g.S.Phase = 2;
    g.S.SchenkeModus = 1;
    EXPECT_EQ(text(), "Schenkenrunde: Siegpunkte kaufen");
    g.S.SchenkeModus = 0;
    m.Zustand().SternwartenKarte = K(41);
    EXPECT_EQ(
        text(),
        "Sternwarte: Kammerfrau auf eine markierte Karte legen oder passen (die Karte wird abgeworfen)");
    g.S.AktuellerSpieler = 2;
    EXPECT_EQ(text(), "");
}

} // namespace
