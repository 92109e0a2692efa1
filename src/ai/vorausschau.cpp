#include "ai/vorausschau.h"

#include <algorithm>
#include <cstring>

#include "ai/auswertung.h"
#include "ai/compizug.h"
#include "ai/einstellungen.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"
#include "rules/wertung.h"
#include "model/stapel.h"

namespace vm {

namespace {

constexpr int32_t SlotBudget = ParameterSlot(16, "Budget");
constexpr int32_t SlotRollout = ParameterSlot(16, "Rollout");
constexpr int32_t SlotErkundung = ParameterSlot(16, "Erkundung");

// An imagined game longer than this is cut off and scored as it stands.
constexpr int MaxZuegeImSpiel = 20000;

uint64_t Mischen(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The game's seed and the move: only what every seat sees, so hidden cards do not steer the search.
uint64_t ZugSaat(const TSpielsitzung& g) {
    const TSpielstand& s = g.Stand();
    uint64_t h = Mischen(g.Zufall.RandSeed);
    auto dazu = [&h](int64_t v) { h = Mischen(h ^ static_cast<uint64_t>(v)); };
    dazu(s.Runde);
    dazu(s.Phase);
    dazu(s.AktuellerSpieler);
    dazu(s.AnzahlPassen);
    dazu(s.SchenkeModus);
    for (int k = 1; k <= 4; ++k) dazu(s.Kartenstapel[k].Naechste);
    for (int sp = 1; sp <= 4; ++sp) {
        dazu(s.Spieler[sp].Tischkarten());
        dazu(s.Spieler[sp].Hand().Anzahl);
    }
    dazu(s.Auslage[1].Anzahl * 16 + s.Auslage[2].Anzahl);
    return h;
}

// Index of an unused observatory in the seat's blue list, 0 if none.
int UnbenutzteSternwarte(const TSpielsitzung& g, int sp) {
    const TKartenliste& blau = g.Stand().Spieler[sp].Karten[2];
    for (int i = 1; i <= blau.Anzahl; ++i)
        if (!KarteBenutzt(blau.Karten[i]) && (g.Daten(blau.Karten[i]).Sondereigenschaften & Sternwarte)) return i;
    return 0;
}

// The observatory's draw, and what becomes of the card once seen: a plain card the seat can pay
// goes onto the table, any other into the hand while there is room, else onto the discard.
void SternwarteNutzen(TSpielsitzung& g, int sp, int stapel) {
    const int obs = UnbenutzteSternwarte(g, sp);
    if (obs == 0) return;
    tKartenRef karte;
    int32_t rest;
    if (!ZieheSternwartenkarte(g, sp, stapel, karte, rest)) return;
    BenutzeTischkarte(g, sp, 2, obs);
    const tKarte& d = g.Daten(karte);
    bool erledigt = false;
    if (!d.Erweiterung && KostenKarte(g, sp, karte, 1) <= g.Stand().Spieler[sp].Geld)
        erledigt = LegeBezahleSpielerkarteTischNormSW(g, sp, karte);
    if (!erledigt) erledigt = NimmKarteAufHandSW(g, sp, karte);
    if (!erledigt) WirfKarteAb(g, sp, karte);
}

} // namespace

TVorausschauParameter VorausschauParameter(const TSpielsitzung& g) {
    const TStrategieEinstellung& e = g.EinstellungLaufend();
    TVorausschauParameter p;
    p.Rollout = VorausschauRolloutVorgabe(g.Stand().SpielerAnzahl);
    if (e.Parameter123[SlotBudget] > 0) p.Budget = e.Parameter123[SlotBudget];
    if (e.Parameter123[SlotRollout] > 0) p.Rollout = e.Parameter123[SlotRollout];
    if (e.Parameter123[SlotErkundung] > 0) p.Erkundung = e.Parameter123[SlotErkundung];
    return p;
}

TVorausschau::TVorausschau(const TKatalog& katalog) : s_(katalog) {
    // The imagined games are played as the simulator plays: no window, no end-of-game display.
    s_.SimulationLaeuft = true;
}

uint64_t TVorausschau::Naechste() {
    zustand_ += 0x9E3779B97F4A7C15ull;
    return Mischen(zustand_);
}

int TVorausschau::Aufzaehlen(int sp) {
    TSpielsitzung& g = s_;
    const TSpielstand& s = g.Stand();
    const TSpieler& ich = s.Spieler[sp];
    int n = 0;
    auto dazu = [&](const TVorausschauAktion& a) {
        if (n < MaxAktionen) aktionen_[n++] = a;
    };
    using A = TVorausschauAktion;
    if (s.SchenkeModus) {
        const int32_t hoechstens = std::min(ich.Geld / 2, 5 * ich.AnzahlSchenken);
        for (int32_t p = 0; p <= hoechstens; ++p) {
            A a;
            a.art = p == 0 ? A::Passe : A::Siegpunkte;
            a.punkte = static_cast<int16_t>(p);
            dazu(a);
        }
        return n;
    }
    dazu(A{});
    const bool tischFrei = ich.Tischkarten() < MaxTischpositionen;
    // An upgrade over each table card it may replace, a plain card onto the table.
    auto kaufen = [&](tKartenRef karte, int reihe, A a, A::Art schlicht, A::Art ausbau) {
        const tKarte& d = g.Daten(karte);
        if (!d.Erweiterung) {
            if (tischFrei && KostenKarte(g, sp, karte, reihe) <= ich.Geld) {
                a.art = schlicht;
                dazu(a);
            }
            return;
        }
        if (d.Farbe < 1 || d.Farbe > 3) return;
        const TKartenliste& l = ich.Karten[d.Farbe];
        for (int j = 1; j <= l.Anzahl; ++j) {
            if (!KannErsetzen(g, karte, l.Karten[j]) || UpgradePreis(g, sp, karte, l.Karten[j], reihe) > ich.Geld)
                continue;
            a.art = ausbau;
            a.liste = static_cast<int8_t>(d.Farbe);
            a.index = static_cast<int8_t>(j);
            dazu(a);
        }
    };
    const bool handFrei = KannHandkarteAufnehmen(g, sp);
    for (int r = 1; r <= 2; ++r) {
        for (int p = 1; p <= s.Auslage[r].Anzahl; ++p) {
            const tKartenRef karte = s.Auslage[r].Karten[p];
            if (karte.Leer()) continue;
            A a;
            a.reihe = static_cast<int8_t>(r);
            a.platz = static_cast<int8_t>(p);
            kaufen(karte, r, a, A::Kauf, A::Ausbau);
            if (handFrei) {
                a.art = A::InHand;
                dazu(a);
            }
        }
    }
    for (int h = 1; h <= ich.Hand().Anzahl; ++h) {
        A a;
        a.hand = static_cast<int8_t>(h);
        kaufen(ich.Hand().Karten[h], 1, a, A::HandLegen, A::HandAusbau);
    }
    // The observatory works in the blue phase, on a stack of two cards or more.
    if (s.Phase == 2 && UnbenutzteSternwarte(g, sp) > 0) {
        for (int k = 1; k <= 4; ++k) {
            if (s.RestStapel(k) < 2) continue;
            A a;
            a.art = A::Sternwarte;
            a.liste = static_cast<int8_t>(k);
            dazu(a);
        }
    }
    return n;
}

void TVorausschau::Anwenden(TSpielsitzung& g, const TVorausschauAktion& a) {
    const int sp = g.Stand().AktuellerSpieler;
    using A = TVorausschauAktion;
    auto legen = [&](tKartenRef karte, int reihe) {
        const int32_t pos = a.index > 0 ? Tischposition(g, sp, a.liste, a.index)
                                        : g.Stand().Spieler[sp].Tischkarten() + 1;
        LegeBezahleSpielerkarteTisch(g, sp, pos, reihe, karte);
    };
    switch (a.art) {
    case A::Passe:
        if (!g.Stand().SchenkeModus) Passen(g, sp);
        break;
    case A::Siegpunkte:
        KaufSiegpunkte(g, sp, a.punkte);
        break;
    case A::Kauf:
    case A::Ausbau: {
        const tKartenRef karte = ZieheKarteAuslage(g, a.reihe, a.platz);
        if (!karte.Leer()) legen(karte, a.reihe);
        break;
    }
    case A::InHand: {
        const tKartenRef karte = ZieheKarteAuslage(g, a.reihe, a.platz);
        if (!karte.Leer()) NimmKarteAufHand(g, sp, karte);
        break;
    }
    case A::Sternwarte:
        SternwarteNutzen(g, sp, a.liste);
        break;
    case A::HandLegen:
    case A::HandAusbau: {
        const tKartenRef karte = ZieheKarteHand(g, sp, a.hand);
        if (karte.Leer()) break;
        legen(karte, 1);
        HandkaufMelden(g, sp);
        break;
    }
    }
}

void TVorausschau::Umverteilen(const TSpielstand& vorlage, int sp) {
    TSpielstand& s = s_.S;
    // Per stack: its unseen cards, and with hidden hands the other seats' hand cards of its kind.
    for (int k = 1; k <= 4; ++k) {
        std::array<tKartenRef*, StapelPlaetze * 2 + 16> orte{};
        std::array<tKartenRef, StapelPlaetze * 2 + 16> karten{};
        size_t n = 0;
        TKartenstapel& st = s.Kartenstapel[k];
        const int32_t bis = std::min(st.Anzahl, StapelPlaetze);
        for (int i = std::max(st.Naechste, 1); i <= bis; ++i) orte[n++] = &st.Karten[i];
        if (vorlage.VerdeckteHandkarten) {
            for (int o = 1; o <= s.SpielerAnzahl; ++o) {
                if (o == sp) continue;
                TKartenliste& h = s.Spieler[o].Hand();
                for (int i = 1; i <= h.Anzahl && i <= StapelPlaetze; ++i)
                    if (h.Karten[i].Farbe == k && n < orte.size()) orte[n++] = &h.Karten[i];
            }
        }
        // Sorted before the shuffle, so that the order the seat cannot see leaves no trace.
        for (size_t i = 0; i < n; ++i) {
            const tKartenRef c = *orte[i];
            size_t j = i;
            for (; j > 0 && (karten[j - 1].Farbe > c.Farbe ||
                             (karten[j - 1].Farbe == c.Farbe && karten[j - 1].Ref > c.Ref));
                 --j)
                karten[j] = karten[j - 1];
            karten[j] = c;
        }
        for (size_t i = n; i > 1; --i) {
            const size_t j = static_cast<size_t>(Naechste() % i);
            std::swap(karten[i - 1], karten[j]);
        }
        for (size_t i = 0; i < n; ++i) *orte[i] = karten[i];
    }
    // Hidden money: the others are imagined with the seat's own.
    if (vorlage.VerdeckteHandkarten)
        for (int o = 1; o <= s.SpielerAnzahl; ++o)
            if (o != sp) s.Spieler[o].Geld = vorlage.Spieler[sp].Geld;
}

double TVorausschau::Spielen(const TSpielstand& vorlage, const TStrategieeinstellungen& einst, int sp,
                             const TVorausschauAktion& a, uint64_t saat) {
    zustand_ = saat;
    s_.S = vorlage;
    s_.ZustandErsetzt();
    s_.AktionenImZug = 0;
    s_.StrategiewechselTiefe = 0;
    s_.Einstellungen = einst;
    for (int i = 1; i <= 4; ++i) s_.S.Computer[i] = 1;
    Umverteilen(vorlage, sp);
    s_.Zufall.RandSeed = static_cast<uint32_t>(Naechste());
    Anwenden(s_, a);
    NaechsterSpieler(s_);
    for (int z = 0; z < MaxZuegeImSpiel && !s_.S.Spielende; ++z) CompiZug(s_);
    ++spiele_;
    BerechnePlatz(s_);
    int32_t bester = 0;
    for (int o = 1; o <= s_.S.SpielerAnzahl; ++o)
        if (o != sp) bester = std::max(bester, s_.S.Spieler[o].Siegpunkte);
    const int32_t abstand = std::clamp(s_.S.Spieler[sp].Siegpunkte - bester, -100, 100);
    return (s_.Platz[sp] == 1 ? 1.0 : 0.0) + abstand / 1000.0;
}

TVorausschauAktion TVorausschau::Entscheide(const TSpielsitzung& g, const TVorausschauParameter& p) {
    spiele_ = 0;
    const int sp = g.Stand().AktuellerSpieler;
    s_.S = g.Stand();
    s_.ZustandErsetzt();
    const int n = Aufzaehlen(sp);
    if (n <= 1) return n == 1 ? aktionen_[0] : TVorausschauAktion{};

    // The imagined players: every seat plays the rollout strategy.
    TStrategieeinstellungen einst = g.Einstellungen;
    const int anzahl = g.Stand().SpielerAnzahl;
    TStrategieEinstellung& e = einst.Fuer(anzahl);
    const int32_t rollout = p.Rollout >= 1 && p.Rollout <= 15 ? p.Rollout : VorausschauRolloutVorgabe(anzahl);
    for (int i = 1; i <= 4; ++i) e.Strategie[i] = rollout;

    const uint64_t basis = ZugSaat(g);
    int lebend = n;
    for (int i = 0; i < n; ++i) {
        lebend_[i] = i;
        summe_[i] = 0;
        anzahl_[i] = 0;
    }
    const int32_t budget = std::max(p.Budget, n);
    const int32_t behalten = std::clamp(p.Erkundung, 1, 99);
    auto weiter = [behalten](int k) {
        const int neu = std::max(1, k * behalten / 100);
        return neu < k ? neu : k - 1;
    };
    int64_t verbraucht = 0, nr = 0;
    while (lebend > 1) {
        // The rest of the budget in equal shares over the rounds still to come.
        int runden = 0;
        for (int k = lebend; k > 1; k = weiter(k)) ++runden;
        const int64_t rest = budget - verbraucht;
        const int64_t jeAktion = std::max<int64_t>(1, rest / (static_cast<int64_t>(lebend) * runden));
        // The same re-deals for every action of the round: their differences are the action's.
        for (int64_t j = 0; j < jeAktion; ++j, ++nr) {
            const uint64_t saat = Mischen(basis ^ Mischen(static_cast<uint64_t>(nr)));
            for (int i = 0; i < lebend; ++i) {
                const int a = lebend_[i];
                summe_[a] += Spielen(g.Stand(), einst, sp, aktionen_[a], saat);
                ++anzahl_[a];
            }
        }
        verbraucht += jeAktion * lebend;
        // Best mean first; equal means keep the enumeration order.
        for (int i = 1; i < lebend; ++i) {
            const int a = lebend_[i];
            const double m = summe_[a] / anzahl_[a];
            int j = i;
            for (; j > 0 && summe_[lebend_[j - 1]] / anzahl_[lebend_[j - 1]] < m; --j) lebend_[j] = lebend_[j - 1];
            lebend_[j] = a;
        }
        lebend = weiter(lebend);
    }
    return aktionen_[lebend_[0]];
}

void VorausschauZug(TSpielsitzung& g) {
    TVorausschau& v = VorausschauSuche(g);
    TVorausschau::Anwenden(g, v.Entscheide(g, VorausschauParameter(g)));
}

} // namespace vm
