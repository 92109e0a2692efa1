#include "rules/korrektur.h"

#include "model/bereiche.h"
#include "rules/hand.h"
#include "rules/kaufen.h"

namespace vm {

tKartenRef InxToKarteRef(const TKatalog& katalog, int32_t inx) {
    for (int tabelle = 1; tabelle <= KatalogTabellen; ++tabelle)
        for (int platz = 1; platz <= ArtenJeTabelle[tabelle]; ++platz)
            if (katalog.Art(tabelle, platz).Inx == inx) return {tabelle, platz};
    return {};
}

bool LoescheTischkarte(TSpielsitzung& g, int spieler, int farbe, int index) {
    if (spieler < 1 || spieler > 4 || farbe < 1 || farbe > 3) return false;
    TSpieler& sp = g.Sp(spieler);
    TKartenliste& l = sp.Karten[farbe];
    if (index < 1 || index > l.Anzahl) return false;
    const int32_t altesEnde = sp.Tischkarten();
    for (int i = index; i < l.Anzahl; ++i) l.Karten[i] = l.Karten[i + 1];
    l.Karten[l.Anzahl] = {};
    --l.Anzahl;
    g.Brett().TischAnzeigen(spieler);
    if (altesEnde <= MaxTischpositionen) g.Brett().TischpositionAnzeigen(spieler, altesEnde);
    return true;
}

namespace {

bool PasstAufTisch(const TSpieler& sp, int farbe, bool einePositionMehr) {
    if (sp.Karten[farbe].Anzahl >= StapelPlaetze) return false;
    return !einePositionMehr || sp.Tischkarten() < MaxTischpositionen;
}

} // namespace

bool FuegeTischkarteEin(TSpielsitzung& g, int spieler, tKartenRef karte) {
    if (spieler < 1 || spieler > 4 || !TKatalog::Gueltig(karte)) return false;
    const int farbe = g.Daten(karte).Farbe;
    if (farbe < 1 || farbe > 3) return false;
    TSpieler& sp = g.Sp(spieler);
    if (!PasstAufTisch(sp, farbe, true)) return false;
    TKartenliste& l = sp.Karten[farbe];
    ++l.Anzahl;
    l.Karten[l.Anzahl] = karte;
    SortiereTischkarte(g, spieler, farbe, l.Anzahl);
    g.Brett().TischAnzeigen(spieler);
    return true;
}

void FaehigkeitenAbziehen(TSpielsitzung& g, int spieler, const tKarte& alt) {
    TSpieler& sp = g.Sp(spieler);
    const uint8_t b = alt.Sondereigenschaften;
    // Observatories and pubs are counted: the ability stays while another such card remains.
    if (b & Sternwarte) {
        if (--sp.AnzahlSternwarten <= 0) {
            sp.AnzahlSternwarten = 0;
            sp.Sondereigenschaften &= static_cast<uint8_t>(~Sternwarte);
        }
    }
    if (b & Schenke) {
        if (--sp.AnzahlSchenken <= 0) {
            sp.AnzahlSchenken = 0;
            sp.Sondereigenschaften &= static_cast<uint8_t>(~Schenke);
        }
    }
    sp.Sondereigenschaften &= static_cast<uint8_t>(~(b & ~(Sternwarte | Schenke)));
}

void FaehigkeitenHinzufuegen(TSpielsitzung& g, int spieler, const tKarte& neu) {
    TSpieler& sp = g.Sp(spieler);
    sp.Sondereigenschaften |= neu.Sondereigenschaften;
    if (neu.Sondereigenschaften & Sternwarte) ++sp.AnzahlSternwarten;
    if (neu.Sondereigenschaften & Schenke) ++sp.AnzahlSchenken;
}

bool KorrigiereGeld(TSpielsitzung& g, int spieler, bool linkeTaste) {
    if (spieler < 1 || spieler > 4) return false;
    int32_t& geld = g.Sp(spieler).Geld;
    const int32_t neu = linkeTaste ? geld + 1 : geld - 1;
    if (!BereichGeld.Enthaelt(neu)) return false;
    geld = neu;
    // Every edit marks the game as altered, also when the mode was switched on before an undo
    // restored an unmarked entry: a hand-edited position need not conserve cards or money.
    g.S.Korrigiert = 1;
    g.Brett().GeldAnzeigen(spieler);
    return true;
}

int32_t TischkarteInx(const TSpielsitzung& g, int spieler, int32_t position) {
    if (spieler < 1 || spieler > 4) return 0;
    TTischkarte t = TischpositionZuKarte(g, spieler, position);
    return t.farbe == 0 ? 0 : g.Daten(t.karte).Inx;
}

KorrekturErgebnis KorrigiereTischkarte(TSpielsitzung& g, int spieler, int32_t position,
                                       KorrekturAktion aktion, int32_t inx) {
    if (spieler < 1 || spieler > 4) return KorrekturErgebnis::KeineKarte;
    // The offered places of seat 1 would point at other cards after the edit: a waiting
    // observatory card must be placed first, a selection is given up.
    const bool angebote = spieler == 1;
    if (angebote && !g.WartendeSternwartenKarte().Leer()) return KorrekturErgebnis::KarteWartet;
    const TTischkarte alt = TischpositionZuKarte(g, spieler, position);
    if (alt.farbe == 0) return KorrekturErgebnis::KeineKarte;
    const tKarte& altDaten = g.Daten(alt.karte);
    const TSpieler& sp = g.Sp(spieler);

    if (aktion == KorrekturAktion::Entfernen) {
        if (angebote) AuswahlAufheben(g);
        LoescheTischkarte(g, spieler, alt.farbe, alt.index);
        g.Trace("Korrektur(Spieler ", spieler, "): Lösche Karte ", altDaten.Name);
        FaehigkeitenAbziehen(g, spieler, altDaten);
        g.S.Korrigiert = 1;
        return KorrekturErgebnis::Ausgefuehrt;
    }

    const tKartenRef neu = InxToKarteRef(g.Katalog(), inx);
    if (neu.Leer()) return KorrekturErgebnis::KeineKarte;
    const tKarte& neuDaten = g.Daten(neu);
    if (aktion == KorrekturAktion::Austauschen) {
        // The old card's place is free again only when the new one goes into the same list.
        if (neuDaten.Farbe != alt.farbe && !PasstAufTisch(sp, neuDaten.Farbe, false))
            return KorrekturErgebnis::TischVoll;
        if (angebote) AuswahlAufheben(g);
        LoescheTischkarte(g, spieler, alt.farbe, alt.index);
        FuegeTischkarteEin(g, spieler, neu);
        g.Trace("Korrektur(Spieler ", spieler, "): Austausch der Karte ", altDaten.Name, " durch ",
                neuDaten.Name);
        FaehigkeitenAbziehen(g, spieler, altDaten);
        FaehigkeitenHinzufuegen(g, spieler, neuDaten);
        g.S.Korrigiert = 1;
        return KorrekturErgebnis::Ausgefuehrt;
    }

    if (!PasstAufTisch(sp, neuDaten.Farbe, true)) return KorrekturErgebnis::TischVoll;
    if (angebote) AuswahlAufheben(g);
    FuegeTischkarteEin(g, spieler, neu);
    g.Trace("Korrektur(Spieler ", spieler, "): Einfügen Karte ", neuDaten.Name);
    FaehigkeitenHinzufuegen(g, spieler, neuDaten);
    g.S.Korrigiert = 1;
    return KorrekturErgebnis::Ausgefuehrt;
}

} // namespace vm
