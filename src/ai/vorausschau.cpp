#include "ai/vorausschau.h"

#include <algorithm>
#include <cstring>
#include <thread>

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

// The game's seed and the move: only what every seat sees, so hidden cards do not steer the search.
uint64_t ZugSaat(const TSpielsitzung& g) {
    const TSpielstand& s = g.Stand();
    uint64_t h = SaatMischen(g.Zufall.RandSeed);
    auto dazu = [&h](int64_t v) { h = SaatMischen(h ^ static_cast<uint64_t>(v)); };
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

struct TVorausschau::TArbeiter {
    explicit TArbeiter(const TKatalog& katalog) : s(katalog) {
        // The imagined games are played as the simulator plays: no window, no end-of-game display.
        s.SimulationLaeuft = true;
    }
    uint64_t Naechste() {
        zustand += 0x9E3779B97F4A7C15ull;
        return SaatMischen(zustand);
    }
    TSpielsitzung s;
    uint64_t zustand = 0;
};

TVorausschau::TVorausschau(const TKatalog& katalog, int kerne) {
    for (int i = 0; i < std::max(kerne, 1); ++i) arbeiter_.push_back(std::make_unique<TArbeiter>(katalog));
}

TVorausschau::~TVorausschau() = default;

int TVorausschau::Aufzaehlen(const TSpielsitzung& g) {
    TSpielsitzung& s = arbeiter_[0]->s;
    s.S = g.Stand();
    s.ZustandErsetzt();
    return Aufzaehlen(s, g.Stand().AktuellerSpieler);
}

int TVorausschau::Aufzaehlen(TSpielsitzung& g, int sp) {
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
    // Row 1 fills from the left, row 2 from the right: every place is looked at.
    for (int r = 1; r <= 2; ++r) {
        for (int p = 1; p <= 8; ++p) {
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

void TVorausschau::Umverteilen(TArbeiter& w, const TSpielstand& vorlage, int sp) {
    TSpielstand& s = w.s.S;
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
            const size_t j = static_cast<size_t>(w.Naechste() % i);
            std::swap(karten[i - 1], karten[j]);
        }
        for (size_t i = 0; i < n; ++i) *orte[i] = karten[i];
    }
    // Hidden money: the others are imagined with the seat's own.
    if (vorlage.VerdeckteHandkarten)
        for (int o = 1; o <= s.SpielerAnzahl; ++o)
            if (o != sp) s.Spieler[o].Geld = vorlage.Spieler[sp].Geld;
}

void TVorausschau::Ausspielen(TArbeiter& w, const TSpielstand& vorlage, int sicht,
                              const TStrategieeinstellungen& einst, const TVorausschauAktion* a, uint64_t saat,
                              TAusgang& aus) {
    TSpielsitzung& s = w.s;
    w.zustand = saat;
    s.S = vorlage;
    s.ZustandErsetzt();
    s.AktionenImZug = 0;
    s.StrategiewechselTiefe = 0;
    s.Einstellungen = einst;
    for (int i = 1; i <= 4; ++i) s.S.Computer[i] = 1;
    Umverteilen(w, vorlage, sicht);
    s.Zufall.RandSeed = static_cast<uint32_t>(w.Naechste());
    if (a) {
        Anwenden(s, *a);
        NaechsterSpieler(s);
    }
    for (int z = 0; z < MaxZuegeImSpiel && !s.S.Spielende; ++z) CompiZug(s);
    BerechnePlatz(s);
    for (int o = 1; o <= 4; ++o) {
        aus.Siegpunkte[o] = s.S.Spieler[o].Siegpunkte;
        aus.Platz[o] = s.Platz[o];
    }
}

// Winning first, the points margin to the best other seat second.
double TVorausschau::Wert(const TAusgang& aus, int sp, int spieler) {
    int32_t bester = 0;
    for (int o = 1; o <= spieler; ++o)
        if (o != sp) bester = std::max(bester, aus.Siegpunkte[o]);
    const int32_t abstand = std::clamp(aus.Siegpunkte[sp] - bester, -100, 100);
    return (aus.Platz[sp] == 1 ? 1.0 : 0.0) + abstand / 1000.0;
}

TVorausschauErgebnis TVorausschau::Suche(const TSpielsitzung& g, const TVorausschauParameter& p,
                                         TSuchsteuerung* steuerung) {
    spiele_ = 0;
    TVorausschauErgebnis erg;
    const int sp = g.Stand().AktuellerSpieler;
    const int n = Aufzaehlen(g);
    if (n <= 1) {
        if (n == 1) erg.aktion = aktionen_[0];
        return erg;
    }

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
        gewonnen_[i] = 0;
    }
    auto abbrechen = [steuerung] { return steuerung && steuerung->abbruch.load(std::memory_order_relaxed); };
    auto zaehlen = [steuerung] {
        if (steuerung) steuerung->fertig.fetch_add(1, std::memory_order_relaxed);
    };
    // One imagined game of the round: the j-th re-deal (the same for every action) and the i-th action.
    auto spiel = [&](TArbeiter& w, int64_t nr, int i) {
        const uint64_t saat = SaatMischen(basis ^ SaatMischen(static_cast<uint64_t>(nr)));
        TAusgang aus;
        Ausspielen(w, g.Stand(), sp, einst, &aktionen_[lebend_[i]], saat, aus);
        zaehlen();
        return Wert(aus, sp, anzahl);
    };
    auto buchen = [&](int i, double wert) {
        const int a = lebend_[i];
        summe_[a] += wert;
        ++anzahl_[a];
        gewonnen_[a] += wert > 0.5; // a won game scores 0.9 or more, a lost one 0.1 or less
        ++spiele_;
    };

    const int32_t budget = std::max(p.Budget, n);
    const int32_t behalten = std::clamp(p.Erkundung, 1, 99);
    auto weiter = [behalten](int k) {
        const int neu = std::max(1, k * behalten / 100);
        return neu < k ? neu : k - 1;
    };
    int64_t verbraucht = 0, nr = 0;
    while (lebend > 1 && !erg.abgebrochen) {
        // The rest of the budget in equal shares over the rounds still to come.
        int runden = 0;
        for (int k = lebend; k > 1; k = weiter(k)) ++runden;
        const int64_t rest = budget - verbraucht;
        const int64_t jeAktion = std::max<int64_t>(1, rest / (static_cast<int64_t>(lebend) * runden));
        // The same re-deals for every action of the round: their differences are the action's.
        if (arbeiter_.size() == 1) {
            for (int64_t j = 0; j < jeAktion && !erg.abgebrochen; ++j, ++nr) {
                for (int i = 0; i < lebend; ++i) buchen(i, spiel(*arbeiter_[0], nr, i));
                erg.abgebrochen = abbrechen();
            }
        } else {
            // The round's games shared out among the cores, booked afterwards in the order one
            // core plays them, so that the sums come out to the last bit the same.
            const int64_t auftraege = jeAktion * lebend;
            werte_.assign(static_cast<size_t>(auftraege), 0.0);
            std::atomic<int64_t> naechster{0};
            auto arbeit = [&](TArbeiter& w) {
                for (int64_t k; !abbrechen() && (k = naechster.fetch_add(1)) < auftraege;)
                    werte_[static_cast<size_t>(k)] = spiel(w, nr + k / lebend, static_cast<int>(k % lebend));
            };
            std::vector<std::thread> helfer;
            for (size_t t = 1; t < arbeiter_.size(); ++t) helfer.emplace_back(arbeit, std::ref(*arbeiter_[t]));
            arbeit(*arbeiter_[0]);
            for (std::thread& t : helfer) t.join();
            // Every job handed out was finished; after a stop only whole re-deals are booked.
            const int64_t gespielt = std::min(naechster.load(), auftraege);
            erg.abgebrochen = gespielt < auftraege;
            const int64_t ganz = erg.abgebrochen ? gespielt / lebend : jeAktion;
            for (int64_t k = 0; k < ganz * lebend; ++k)
                buchen(static_cast<int>(k % lebend), werte_[static_cast<size_t>(k)]);
            nr += jeAktion;
        }
        verbraucht += jeAktion * lebend;
        // Best mean first; equal means keep the enumeration order.
        auto mittel = [this](int a) { return anzahl_[a] > 0 ? summe_[a] / anzahl_[a] : -1.0; };
        for (int i = 1; i < lebend; ++i) {
            const int a = lebend_[i];
            const double m = mittel(a);
            int j = i;
            for (; j > 0 && mittel(lebend_[j - 1]) < m; --j) lebend_[j] = lebend_[j - 1];
            lebend_[j] = a;
        }
        lebend = weiter(lebend);
    }
    const int beste = lebend_[0];
    erg.aktion = aktionen_[beste];
    erg.spiele = spiele_;
    erg.gewinnchance = anzahl_[beste] > 0 ? static_cast<double>(gewonnen_[beste]) / anzahl_[beste] : 0.0;
    return erg;
}

void VorausschauZug(TSpielsitzung& g) {
    TVorausschau& v = VorausschauSuche(g);
    TVorausschau::Anwenden(g, v.Entscheide(g, VorausschauParameter(g)));
}

} // namespace vm
