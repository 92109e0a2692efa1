#include "persist/aktionstext.h"

namespace vm {

std::string AktionText(const TTexte& texte, const TKatalog& katalog, const TSpielstand& s,
                       const TVorausschauAktion& a) {
    using A = TVorausschauAktion;
    const int sp = s.AktuellerSpieler >= 1 && s.AktuellerSpieler <= 4 ? s.AktuellerSpieler : 1;
    const TSpieler& ich = s.Spieler[sp];
    auto name = [&katalog](tKartenRef k) { return std::string(KarteName(katalog, OhneMarke(k))); };
    auto auslage = [&]() {
        if (a.reihe < 1 || a.reihe > 2 || a.platz < 1 || a.platz > 8 || s.Auslage[a.reihe].Karten[a.platz].Leer())
            return std::string();
        return name(s.Auslage[a.reihe].Karten[a.platz]);
    };
    auto hand = [&]() {
        if (a.hand < 1 || a.hand > ich.Hand().Anzahl) return std::string();
        return name(ich.Hand().Karten[a.hand]);
    };
    auto ersetzt = [&]() {
        if (a.liste < 1 || a.liste > 3 || a.index < 1 || a.index > ich.Karten[a.liste].Anzahl)
            return std::string();
        return name(ich.Karten[a.liste].Karten[a.index]);
    };
    const std::string reihe = std::to_string(a.reihe);
    switch (a.art) {
    case A::Passe:
        return texte[s.SchenkeModus ? Text::AktionKeineSiegpunkte : Text::AktionPassen];
    case A::Kauf:
        return texte.Fuelle(Text::AktionKauf, {auslage(), reihe});
    case A::Ausbau:
        return texte.Fuelle(Text::AktionAusbau, {auslage(), reihe, ersetzt()});
    case A::InHand:
        return texte.Fuelle(Text::AktionInHand, {auslage(), reihe});
    case A::HandLegen:
        return texte.Fuelle(Text::AktionHandLegen, {hand()});
    case A::HandAusbau:
        return texte.Fuelle(Text::AktionHandAusbau, {hand(), ersetzt()});
    case A::Siegpunkte:
        return texte.Fuelle(Text::AktionSiegpunkte, {std::to_string(a.punkte)});
    case A::Sternwarte:
        return texte.Fuelle(Text::AktionSternwarte, {std::to_string(a.liste)});
    }
    return {};
}

} // namespace vm
