#include "control/tipp.h"

#include <cmath>
#include <cstring>

#include "rules/kaufen.h"

namespace vm {

bool TippMoeglich(const TSpielsitzung& g, const TMensch& m) {
    return !g.SimulationLaeuft && g.S.SpielerAnzahl >= 2 && m.AmZug() && !m.SternwartenKarteWartet();
}

std::string TippText(const TTexte& t, const TKatalog& k, const TSpielstand& s,
                     const TVorausschauErgebnis& e) {
    const std::string aktion = AktionText(t, k, s, e.aktion);
    if (e.spiele == 0) return t.Fuelle(Text::TippEinzig, {aktion});
    return t.Fuelle(Text::TippMitChance, {aktion, std::to_string(std::lround(e.gewinnchance * 100))});
}

TTippZiel TippZiel(const TSpielsitzung& g, const TVorausschauAktion& a) {
    using A = TVorausschauAktion;
    const TSpielstand& s = g.Stand();
    TTippZiel z;
    auto ersetzt = [&] {
        if (a.liste >= 1 && a.liste <= 3) z.ersetzt = Tischposition(g, 1, a.liste, a.index);
    };
    switch (a.art) {
    case A::Passe:
        z.art = TTippZiel::Passe;
        break;
    case A::Kauf:
    case A::InHand:
    case A::Ausbau:
        z.art = TTippZiel::Auslage;
        z.reihe = a.reihe;
        z.platz = a.platz;
        if (a.art == A::Ausbau) ersetzt();
        break;
    case A::HandLegen:
    case A::HandAusbau:
        z.art = TTippZiel::Hand;
        z.platz = a.hand;
        if (a.art == A::HandAusbau) ersetzt();
        break;
    case A::Sternwarte:
        z.art = TTippZiel::Stapel;
        z.platz = a.liste;
        break;
    case A::Siegpunkte:
        z.art = TTippZiel::Schenke;
        // The pubs of the phase that are still unused: the person buys by double-clicking one.
        for (int32_t pos = 1; pos <= s.Spieler[1].Tischkarten(); ++pos) {
            const TTischkarte t = TischpositionZuKarte(g, 1, pos);
            if (t.farbe == 0 || KarteBenutzt(t.karte)) continue;
            const tKarte& d = g.Daten(t.karte);
            if ((d.Sondereigenschaften & Schenke) && d.Farbe == s.Phase) z.schenken.push_back(pos);
        }
        break;
    }
    return z;
}

void SpielKopieren(TSpielsitzung& kopie, const TSpielsitzung& g) {
    kopie.S = g.S;
    kopie.Zufall = g.Zufall;
    kopie.Einstellungen = g.Einstellungen;
    kopie.ExpertenEinstellungen = g.ExpertenEinstellungen;
    kopie.Menue = g.Menue;
    kopie.ZustandErsetzt();
}

TTippSuche::TTippSuche(const TSpielsitzung& g, int kerne, int32_t budget)
    : s_(g.Katalog()), suche_(g.Katalog(), kerne) {
    SpielKopieren(s_, g);
    parameter_ = VorausschauParameter(s_);
    parameter_.Budget = budget;
}

void TTippSuche::Laufen() {
    ergebnis_ = suche_.Suche(s_, parameter_, &steuerung_);
}

bool TTippSuche::Passt(const TSpielsitzung& g) const {
    return std::memcmp(&s_.S, &g.S, sizeof g.S) == 0 && s_.Zufall.RandSeed == g.Zufall.RandSeed;
}

} // namespace vm
