#include "control/spielverlauf.h"

namespace vm {

namespace {

std::string Zahl(int32_t n) {
    return std::to_string(n);
}

} // namespace

std::string TSpielverlauf::Name(tKartenRef k) const {
    return std::string(katalog_.Daten(k).Name);
}

void TSpielverlauf::Neu(Art art, std::string text, int32_t phase) {
    if (sichtbar_ < zeilen_.size()) {
        // A move after an undo: what was undone is gone for good.
        zeilen_.resize(sichtbar_);
        ++stand_;
    }
    zeilen_.push_back({art, std::move(text), runde_, phase});
    sichtbar_ = zeilen_.size();
}

void TSpielverlauf::Leeren() {
    zeilen_.clear();
    marken_.clear();
    sichtbar_ = 0;
    runde_ = 0;
    for (THerkunft& h : herkunft_) h = {};
    ++stand_;
}

void TSpielverlauf::Geladen(int32_t anzahlEintraege) {
    Leeren();
    Neu(Art::Runde, texte_[Text::VerlaufGeladen]);
    marken_.assign(static_cast<size_t>(anzahlEintraege > 0 ? anzahlEintraege + 1 : 1), sichtbar_);
}

void TSpielverlauf::HistorieGesichert(int32_t eintrag) {
    if (eintrag < 1) return;
    marken_.resize(static_cast<size_t>(eintrag) + 1, 0);
    marken_[static_cast<size_t>(eintrag)] = sichtbar_;
}

void TSpielverlauf::HistorieGesprungen(int32_t eintrag) {
    if (eintrag < 1 || static_cast<size_t>(eintrag) >= marken_.size()) return;
    const size_t n = marken_[static_cast<size_t>(eintrag)];
    if (n > zeilen_.size() || n == sichtbar_) return;
    sichtbar_ = n;
    ++stand_;
    // The round of the last line shown, so that the next phase heading knows whether a round
    // heading goes before it.
    runde_ = n > 0 ? zeilen_[n - 1].runde : 0;
    for (THerkunft& h : herkunft_) h = {};
}

void TSpielverlauf::Ereignis(const TEreignis& e) {
    const std::string sp = Zahl(e.spieler);
    TEreignis::Art herkunft = TEreignis::Phase;
    if (e.spieler >= 1 && e.spieler <= 4) {
        THerkunft& h = herkunft_[e.spieler];
        if (e.art == TEreignis::Sternwarte || e.art == TEreignis::AusHand) {
            h = {e.art, e.karte};
            return;
        }
        if (h.karte == e.karte && !e.karte.Leer()) herkunft = h.art;
        h = {};
    }
    const bool sternwarte = herkunft == TEreignis::Sternwarte;
    const bool hand = herkunft == TEreignis::AusHand;
    switch (e.art) {
    case TEreignis::Phase: {
        if (e.wert2 != runde_) {
            runde_ = e.wert2;
            Neu(Art::Runde, texte_.Fuelle(Text::VerlaufRunde, {Zahl(e.wert2)}));
        }
        static constexpr Text Phasen[] = {Text::VerlaufGruenePhase, Text::VerlaufBlauePhase,
                                          Text::VerlaufRotePhase, Text::VerlaufAusbauphase};
        if (e.wert1 >= 1 && e.wert1 <= 4) Neu(Art::Phase, texte_[Phasen[e.wert1 - 1]], e.wert1);
        break;
    }
    case TEreignis::Schenkenrunde:
        Neu(Art::Phase, texte_[Text::VerlaufSchenkenrunde]);
        break;
    case TEreignis::Spielende:
        Neu(Art::Phase, texte_[Text::VerlaufSpielende]);
        break;
    case TEreignis::Kauf:
        Neu(Art::Satz, texte_.Fuelle(sternwarte ? Text::SatzKaufSternwarte
                                     : hand     ? Text::SatzKaufHand
                                                : Text::SatzKauf,
                                     {sp, Name(e.karte), Zahl(e.wert1)}));
        break;
    case TEreignis::Ausbau:
        Neu(Art::Satz, texte_.Fuelle(sternwarte ? Text::SatzAusbauSternwarte
                                     : hand     ? Text::SatzAusbauHand
                                                : Text::SatzAusbau,
                                     {sp, Name(e.karte), Zahl(e.wert1), Name(e.ersetzt)}));
        break;
    case TEreignis::Hand:
        if (sternwarte && e.spieler != 1 && spielstand_ && spielstand_->VerdeckteHandkarten)
            Neu(Art::Satz, texte_.Fuelle(Text::SatzHandSternwarteVerdeckt, {sp}));
        else
            Neu(Art::Satz,
                texte_.Fuelle(sternwarte ? Text::SatzHandSternwarte : Text::SatzHand, {sp, Name(e.karte)}));
        break;
    case TEreignis::Abwurf:
        Neu(Art::Satz, texte_.Fuelle(Text::SatzAbwurf, {sp, Name(e.karte)}));
        break;
    case TEreignis::Passe:
        Neu(Art::Satz, texte_.Fuelle(Text::SatzPasse, {sp}));
        break;
    case TEreignis::Siegpunkte:
        Neu(Art::Satz, texte_.Fuelle(Text::SatzSiegpunkte, {sp, Zahl(e.wert1), Zahl(e.wert2)}));
        break;
    case TEreignis::KeineSiegpunkte:
        Neu(Art::Satz, texte_.Fuelle(Text::SatzKeineSiegpunkte, {sp}));
        break;
    case TEreignis::Ergebnis:
        Neu(Art::Satz, texte_.Fuelle(Text::SatzErgebnis, {Zahl(e.wert1), sp, Zahl(e.wert2), Zahl(e.wert3)}));
        break;
    case TEreignis::Sternwarte:
    case TEreignis::AusHand:
        break;
    }
}

std::string AufforderungText(const TTexte& t, const TKatalog& k, TAufforderung a, tKartenRef karte) {
    switch (a) {
    case TAufforderung::Schenke:
        return t[Text::AufforderungSchenke];
    case TAufforderung::SternwarteLegen:
        return t.Fuelle(Text::AufforderungSternwarteLegen, {k.Daten(karte).Name});
    case TAufforderung::Keine:
        break;
    }
    return {};
}

std::string AblehnungText(const TTexte& t, const TKatalog& k, const TAblehnung& a) {
    std::string s;
    auto dazu = [&s](const std::string& teil) {
        if (!s.empty()) s += "; ";
        s += teil;
    };
    const std::string_view name = a.karte.Leer() ? std::string_view() : k.Daten(a.karte).Name;
    if (a.Gruende & TAblehnung::AusbauNurAufZiel) dazu(t[Text::GrundAusbauAufZiel]);
    if (a.Gruende & TAblehnung::KeinAusbauziel) dazu(t.Fuelle(Text::GrundKeinAusbauziel, {name}));
    if (a.Gruende & TAblehnung::TischVoll) dazu(t[Text::GrundTischVoll]);
    if (a.Gruende & TAblehnung::ZuWenigGeld)
        dazu(t.Fuelle(Text::GrundZuWenigGeld, {name, std::to_string(a.preis), std::to_string(a.geld)}));
    if (a.Gruende & TAblehnung::HandVoll) dazu(t[Text::GrundHandVoll]);
    return s;
}

std::string ZielpreisText(const TTexte& t, const TKatalog& k, const TZielpreis& z) {
    if (z.schenke) return t.Fuelle(Text::PreisSchenke, {std::to_string(z.preis)});
    if (z.ersetzt.Leer()) return t.Fuelle(Text::PreisKauf, {k.Daten(z.karte).Name, std::to_string(z.preis)});
    return t.Fuelle(Text::PreisAusbau,
                    {k.Daten(z.karte).Name, k.Daten(z.ersetzt).Name, std::to_string(z.preis)});
}

} // namespace vm
