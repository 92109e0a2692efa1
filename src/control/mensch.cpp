#include "control/mensch.h"

#include "model/stapel.h"
#include "rules/ablauf.h"
#include "rules/hand.h"
#include "rules/kaufen.h"

namespace vm {

TSternwartenDialog::TSternwartenDialog(TSpielsitzung& g, int32_t& letzterStapel)
    : g_(g), letzterStapel_(letzterStapel) {
    // One card left is not enough: the stack would run dry outside the refill.
    for (int k = 1; k <= 4; ++k)
        if (g_.S.RestStapel(k) >= 2) angebot_[static_cast<size_t>(anzahl_++)] = k;
    for (int i = 0; i < anzahl_; ++i)
        if (angebot_[static_cast<size_t>(i)] == letzterStapel_) vorwahl_ = i;
}

std::string_view TSternwartenDialog::StapelName(int stapel) {
    switch (stapel) {
    case 1:
        return "grünen Kartenstapel";
    case 2:
        return "blauen Kartenstapel";
    case 3:
        return "roten Kartenstapel";
    case 4:
        return "Ausbaukartenstapel";
    default:
        return {};
    }
}

void TSternwartenDialog::Ziehen(int eintrag) {
    if (!KannZiehen() || eintrag < 0 || eintrag >= anzahl_) return;
    gezogen_ = true;
    const int stapel = angebot_[static_cast<size_t>(eintrag)];
    letzterStapel_ = stapel;
    tKartenRef karte;
    int32_t rest = 0;
    if (!ZieheSternwartenkarte(g_, 1, stapel, karte, rest)) {
        g_.InternerFehler(1, "TForm4.BitBtn1Click");
        return;
    }
    karte_ = karte;
    kannHand_ = KannHandkarteAufnehmen(g_, 1);
    kannKaufen_ = KannKarteKaufen(g_, 1, karte);
}

void TSternwartenDialog::Waehle(Wahl w) {
    if ((w == Kaufen && !kannKaufen_) || (w == Hand && !kannHand_)) return;
    wahl_ = w;
}

namespace {

bool TischHatPlatz(const TSpieler& sp, int farbe) {
    return sp.Tischkarten() < MaxTischpositionen && sp.Karten[farbe].Anzahl < StapelPlaetze;
}

} // namespace

TAblehnung TischGrund(TSpielsitzung& g, int spieler, tKartenRef karte, int reihe) {
    const tKarte& d = g.Daten(karte);
    const TSpieler& sp = g.S.Spieler[spieler];
    TAblehnung a;
    a.karte = karte;
    a.geld = sp.Geld;
    if (d.Farbe < 1 || d.Farbe > 3) return {};
    if (d.Erweiterung != 1) {
        if (!TischHatPlatz(sp, d.Farbe)) {
            a.Gruende = TAblehnung::TischVoll;
            return a;
        }
        a.preis = KostenKarte(g, spieler, karte, reihe);
        if (a.preis > sp.Geld) a.Gruende = TAblehnung::ZuWenigGeld;
        return a;
    }
    // An upgrade: the cheapest card it may replace decides.
    const TKartenliste& liste = sp.Karten[d.Farbe];
    bool ziel = false;
    for (int i = 1; i <= liste.Anzahl; ++i) {
        if (!KannErsetzen(g, karte, liste.Karten[i])) continue;
        if (Tischposition(g, spieler, d.Farbe, i) > MaxTischpositionen) continue;
        const int32_t p = UpgradePreis(g, spieler, karte, liste.Karten[i], reihe);
        if (!ziel || p < a.preis) a.preis = p;
        ziel = true;
    }
    if (!ziel)
        a.Gruende = TAblehnung::KeinAusbauziel;
    else if (a.preis > sp.Geld)
        a.Gruende = TAblehnung::ZuWenigGeld;
    return a;
}

bool TMensch::AmZug() const {
    const TSpielstand& s = g_.S;
    return s.AktuellerSpieler == 1 && !s.Spielende && !s.Computer[1];
}

bool TMensch::Passt(int farbe) const {
    if (farbe < 1 || farbe > 3) return false;
    return TischHatPlatz(g_.S.Spieler[1], farbe);
}

TAufforderung TMensch::Aufforderung() const {
    if (!AmZug()) return TAufforderung::Keine;
    if (SternwartenKarteWartet()) return TAufforderung::SternwarteLegen;
    if (g_.S.SchenkeModus) return TAufforderung::Schenke;
    return TAufforderung::Keine;
}

std::optional<TZielpreis> TMensch::Zielpreis(int32_t position) const {
    if (!AmZug() || position < 1 || position > MaxTischpositionen ||
        !zustand_.MarkierteTischplaetze[position])
        return std::nullopt;
    const TSpieler& sp = g_.S.Spieler[1];
    TZielpreis z;
    if (g_.S.SchenkeModus) {
        z.schenke = true;
        z.preis = TSchenkeDialog{sp.Geld, 5 * sp.AnzahlSchenken}.Hoechstens();
        return z;
    }
    int reihe = 1;
    if (SternwartenKarteWartet()) {
        z.karte = zustand_.SternwartenKarte;
    } else if (AuslageGewaehlt()) {
        z.karte = g_.S.Auslage[auswahlReihe_].Karten[auswahlPlatz_];
        reihe = auswahlReihe_;
    } else if (auswahlHand_) {
        z.karte = sp.Hand().Karten[handZiel_];
    } else {
        return std::nullopt;
    }
    if (g_.Daten(z.karte).Erweiterung == 1) {
        z.ersetzt = TischpositionZuKarte(g_, 1, position).karte;
        if (z.ersetzt.Leer()) return std::nullopt;
        z.preis = UpgradePreis(g_, 1, z.karte, z.ersetzt, reihe);
    } else {
        z.preis = KostenKarte(g_, 1, z.karte, reihe);
    }
    return z;
}

void TMensch::AuslageWaehlen(int reihe, int platz) {
    const tKartenRef karte = g_.S.Auslage[reihe].Karten[platz];
    auswahlReihe_ = reihe;
    auswahlPlatz_ = platz;
    anzeige_->AuslageAnheben(reihe, platz, true);
    if (KannHandkarteAufnehmen(g_, 1)) {
        handZiel_ = g_.Sp(1).Hand().Anzahl + 1;
        anzeige_->HandZielZeigen(handZiel_, true);
    }
    const tKarte& d = g_.Daten(karte);
    bool tisch = false;
    if (d.Erweiterung == 1 || Passt(d.Farbe)) tisch = AktiviereFreienTischplatz(g_, 1, karte, reihe);
    if (!tisch) {
        // Neither place offered: say why. A full hand alone is no news to a buyer.
        const TAblehnung grund = TischGrund(g_, 1, karte, reihe);
        const uint32_t schon = ablehnung_.Gruende;
        ablehnung_ = grund;
        ablehnung_.Gruende |= schon | (handZiel_ == 0 ? TAblehnung::HandVoll : 0u);
    }
}

void TMensch::AuslageAbwaehlen() {
    const int reihe = auswahlReihe_, platz = auswahlPlatz_, ziel = handZiel_;
    auswahlReihe_ = auswahlPlatz_ = 0;
    handZiel_ = 0;
    anzeige_->AuslageAnheben(reihe, platz, false);
    if (ziel != 0) anzeige_->HandZielZeigen(ziel, false);
    TischplaetzeDeaktivieren(g_, 1);
}

void TMensch::HandWaehlen(int platz) {
    auswahlHand_ = true;
    handZiel_ = platz;
    anzeige_->HandAnheben(platz, true);
    const tKartenRef karte = g_.Sp(1).Hand().Karten[platz];
    const tKarte& d = g_.Daten(karte);
    bool tisch = false;
    if (d.Erweiterung == 1 || Passt(d.Farbe)) tisch = AktiviereFreienTischplatz(g_, 1, karte, 1);
    if (!tisch) ablehnung_ = TischGrund(g_, 1, karte, 1);
}

void TMensch::HandAbwaehlen() {
    const int platz = handZiel_;
    auswahlHand_ = false;
    handZiel_ = 0;
    anzeige_->HandAnheben(platz, false);
    TischplaetzeDeaktivieren(g_, 1);
}

void TMensch::AuswahlAufheben() {
    if (AuslageGewaehlt()) AuslageAbwaehlen();
    if (auswahlHand_) HandAbwaehlen();
}

void TMensch::Zuruecksetzen() {
    ablehnung_ = {};
    AuswahlAufheben();
    zustand_.SternwartenKarte = {};
    TischplaetzeDeaktivieren(g_, 1);
}

void TMensch::AuslageKlick(int reihe, int platz, Maustaste taste, TTasten tasten) {
    ablehnung_ = {};
    if (!AmZug() || reihe < 1 || reihe > 2 || platz < 1 || platz > 8) return;
    const bool passen = taste == Maustaste::Rechts && tasten.Umschalt();
    // In the pub round, and while an observatory card waits for its table target, the display
    // only passes: a display card bought now would be laid together with the waiting card.
    if (g_.S.SchenkeModus || SternwartenKarteWartet()) {
        if (passen) Passe();
        return;
    }
    const tKartenRef karte = g_.S.Auslage[reihe].Karten[platz];
    if (karte.Leer()) return;
    if (passen) {
        Passe();
        return;
    }
    if (taste == Maustaste::Andere) return;
    const bool dieselbe = auswahlReihe_ == reihe && auswahlPlatz_ == platz;
    if (!dieselbe && (AuslageGewaehlt() || auswahlHand_)) return;
    if (dieselbe) {
        AuslageAbwaehlen();
        if (!tasten.Umschalt()) return;
    }
    TSpieler& sp = g_.Sp(1);
    if (taste == Maustaste::Links && tasten.Shift) {
        const tKarte& d = g_.Daten(karte);
        if (d.Erweiterung == 1) {
            ablehnung_ = {TAblehnung::AusbauNurAufZiel, karte};
            return;
        }
        if (!Passt(d.Farbe) || sp.Geld < KostenKarte(g_, 1, karte, reihe)) {
            ablehnung_ = TischGrund(g_, 1, karte, reihe);
            return;
        }
        ZieheKarteAuslage(g_, reihe, platz);
        LegeBezahleSpielerkarteTisch(g_, 1, sp.Tischkarten() + 1, reihe, karte);
        ZugBeenden();
        return;
    }
    if (taste == Maustaste::Links && tasten.Ctrl) {
        if (KannHandkarteAufnehmen(g_, 1)) {
            ZieheKarteAuslage(g_, reihe, platz);
            LegeKarteInHand(g_, 1, sp.Hand().Anzahl + 1, karte);
            ZugBeenden();
            return;
        }
        ablehnung_ = {TAblehnung::HandVoll, karte};
        if (dieselbe) return; // a card just let go is not taken up again
    }
    AuslageWaehlen(reihe, platz);
}

void TMensch::HandKlick(int platz, Maustaste taste, TTasten tasten) {
    ablehnung_ = {};
    if (!AmZug() || platz < 1 || platz > 4) return;
    if (g_.S.SchenkeModus || SternwartenKarteWartet()) return;
    if (taste == Maustaste::Rechts && tasten.Umschalt()) {
        Passe();
        return;
    }
    if (taste == Maustaste::Andere) return;
    if (AuslageGewaehlt()) {
        if (taste != Maustaste::Links || handZiel_ == 0 || platz != handZiel_) return;
        const int reihe = auswahlReihe_, auslagePlatz = auswahlPlatz_, ziel = handZiel_;
        AuslageAbwaehlen();
        const tKartenRef karte = ZieheKarteAuslage(g_, reihe, auslagePlatz);
        LegeKarteInHand(g_, 1, ziel, karte);
        ZugBeenden();
        return;
    }
    TSpieler& sp = g_.Sp(1);
    if (platz > sp.Hand().Anzahl) return;
    const bool dieselbe = auswahlHand_ && handZiel_ == platz;
    if (auswahlHand_ && !dieselbe) return;
    const bool kauf = taste == Maustaste::Links && tasten.Shift;
    if (dieselbe) {
        HandAbwaehlen();
        if (!kauf) return;
    }
    if (kauf) {
        const tKartenRef karte = sp.Hand().Karten[platz];
        const tKarte& d = g_.Daten(karte);
        if (d.Erweiterung == 1) {
            ablehnung_ = {TAblehnung::AusbauNurAufZiel, karte};
            return;
        }
        if (Passt(d.Farbe) && KostenKarte(g_, 1, karte, 1) <= sp.Geld) {
            ZieheKarteHand(g_, 1, platz);
            LegeBezahleSpielerkarteTisch(g_, 1, sp.Tischkarten() + 1, 1, karte);
            sp.LetzteAktion = AktionKaufH;
            g_.Brett().LetzteAktionAnzeigen(1);
            ZugBeenden();
            return;
        }
        ablehnung_ = TischGrund(g_, 1, karte, 1);
        if (dieselbe) return; // too dear: stays unselected
    }
    HandWaehlen(platz);
}

void TMensch::TischKlick(int32_t position) {
    ablehnung_ = {};
    if (!AmZug() || position < 1 || position > MaxTischpositionen ||
        !zustand_.MarkierteTischplaetze[position])
        return;
    if (SternwartenKarteWartet()) {
        const tKartenRef karte = zustand_.SternwartenKarte;
        LegeBezahleSpielerkarteTischErwSW(g_, 1, position, karte);
        zustand_.SternwartenKarte = {};
        TischplaetzeDeaktivieren(g_, 1);
        ZugBeenden();
        return;
    }
    if (AuslageGewaehlt()) {
        const int reihe = auswahlReihe_, platz = auswahlPlatz_;
        AuslageAbwaehlen();
        const tKartenRef karte = ZieheKarteAuslage(g_, reihe, platz);
        LegeBezahleSpielerkarteTisch(g_, 1, position, reihe, karte);
        ZugBeenden();
        return;
    }
    if (auswahlHand_) {
        const int platz = handZiel_;
        HandAbwaehlen();
        const tKartenRef karte = ZieheKarteHand(g_, 1, platz);
        LegeBezahleSpielerkarteTisch(g_, 1, position, 1, karte);
        ZugBeenden();
    }
}

void TMensch::TischDoppelklick(int32_t position) {
    ablehnung_ = {};
    // A second observatory use while a drawn card waits would lose that card.
    if (!AmZug() || AuslageGewaehlt() || auswahlHand_ || SternwartenKarteWartet() || !dialoge_) return;
    const TTischkarte t = TischpositionZuKarte(g_, 1, position);
    if (t.farbe == 0 || KarteBenutzt(t.karte)) return;
    const tKarte& d = g_.Daten(t.karte);
    const bool sternwarte = (d.Sondereigenschaften & Sternwarte) != 0;
    const bool schenke = (d.Sondereigenschaften & Schenke) != 0;
    if ((!sternwarte && !schenke) || g_.S.Phase != d.Farbe) return;
    if (sternwarte) {
        if (!g_.S.SchenkeModus) SternwarteBenutzen(position);
    } else if (g_.S.SchenkeModus) {
        SchenkeBenutzen();
    }
}

void TMensch::SternwarteBenutzen(int32_t position) {
    BenutzeTischkarte(g_, 1, position);
    TSternwartenDialog dialog(g_, letzterStapel_);
    dialoge_->Sternwarte(dialog);
    const tKartenRef karte = dialog.Karte();
    if (karte.Leer()) {
        g_.Trace("Sonderaktion Sternwarte: Abbruch !");
        ReaktiviereTischkarte(g_, 1, position);
        return;
    }
    const TSternwartenDialog::Wahl wahl = dialog.Gewaehlt();
    g_.Trace("Sonderaktion Sternwarte(Abwurf/Kaufen/Hand): ", static_cast<int32_t>(wahl),
             " , Karte: ", g_.Daten(karte).Name);
    switch (wahl) {
    case TSternwartenDialog::Kaufen:
        if (g_.Daten(karte).Erweiterung == 1) {
            // The upgrade waits for a table card; the turn stays with seat 1.
            zustand_.SternwartenKarte = karte;
            ++g_.MenschZuege; // the card is drawn: the turn is under way
            if (!AktiviereFreienTischplatzErwSW(g_, 1, karte)) g_.InternerFehler(2, "KarteTischDblClick");
            return;
        }
        LegeBezahleSpielerkarteTischNormSW(g_, 1, karte);
        break;
    case TSternwartenDialog::Hand:
        if (!NimmKarteAufHandSW(g_, 1, karte)) g_.InternerFehler(1, "KarteTischDblClick");
        break;
    case TSternwartenDialog::Abwurf:
        WirfKarteAb(g_, 1, karte);
        break;
    }
    ZugBeenden();
}

void TMensch::SchenkeBenutzen() {
    const TSpieler& sp = g_.Sp(1);
    const TSchenkeDialog d{sp.Geld, 5 * sp.AnzahlSchenken};
    int32_t n = dialoge_->Schenke(d);
    if (n < 0) n = 0;
    if (n > d.Hoechstens()) n = d.Hoechstens();
    if (n > 0) KaufSiegpunkte(g_, 1, n);
    TischplaetzeDeaktivieren(g_, 1);
    ZugBeenden();
}

void TMensch::FlaecheKlick(Maustaste taste, TTasten tasten) {
    if (AmZug() && taste == Maustaste::Rechts && tasten.Umschalt()) Passe();
}

void TMensch::ZugBeenden() {
    ++g_.MenschZuege;
    NaechsterSpieler(g_);
}

void TMensch::Passe() {
    ablehnung_ = {};
    if (!AmZug()) return;
    Passen(g_, 1);
    ZugBeenden();
}

} // namespace vm
