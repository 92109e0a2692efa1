#include "persist/historie.h"

#include <cstring>

#include "persist/dateien.h"
#include "rules/ablauf.h"
#include "rules/hand.h"

namespace vm {

namespace {

void LaengenText(uint8_t* ziel, size_t kapazitaet, std::string_view s) {
    size_t n = s.size() < kapazitaet ? s.size() : kapazitaet;
    ziel[0] = static_cast<uint8_t>(n);
    std::memcpy(ziel + 1, s.data(), n);
}

std::string_view LaengenTextLesen(const uint8_t* quelle, size_t kapazitaet) {
    size_t n = quelle[0] < kapazitaet ? quelle[0] : kapazitaet;
    return {reinterpret_cast<const char*>(quelle + 1), n};
}

} // namespace

double TSpielHistorie::Zeit() const {
    double t;
    std::memcpy(&t, Zeitstempel, sizeof t);
    return t;
}

void TSpielHistorie::SetzeZeit(double t) {
    std::memcpy(Zeitstempel, &t, sizeof t);
}
std::string_view TSpielHistorie::KennungText() const {
    return LaengenTextLesen(Kennung, 20);
}
std::string_view TSpielHistorie::VersionText() const {
    return LaengenTextLesen(Version, 23);
}
void TSpielHistorie::SetzeKennung(std::string_view s) {
    LaengenText(Kennung, 20, s);
}
void TSpielHistorie::SetzeVersion(std::string_view s) {
    LaengenText(Version, 23, s);
}

THistorie::THistorie(const TTexte* texte)
    : Jetzt(JetztAlsDatum), h_(std::make_unique<TSpielHistorie>()), texte_(texte ? texte : &eigeneTexte_) {
    TSpielHistorie& h = *h_;
    std::memset(static_cast<void*>(&h), 0x30, sizeof h);
    h.AktuellerEintrag = 0;
    h.AnzahlEintraege = 0;
    h.Magic = HistorieMagic;
    h.FormatVersion = HistorieFormat;
    h.SetzeKennung(HistorieKennung);
    h.SetzeVersion(ProgrammVersion);
    h.Aufgabe = 0;
    h.AufgabeRandSeed = 0;
    h.AufgabeUndoErlaubt = 1;
    h.Zaehlung = 0;
    h.SetzeZeit(Jetzt());
    anzeige_.Status = (*texte_)[Text::History] + " 0 " + (*texte_)[Text::Von] + " 0";
}

void THistorie::InitHistorie(TSpielsitzung& g) {
    TSpielHistorie& h = *h_;
    h.AktuellerEintrag = 0;
    h.AnzahlEintraege = 0;
    h.Einstellungen = g.Einstellungen;
    h.Aufgabe = 0;
    h.AufgabeRandSeed = 0;
    h.AufgabeUndoErlaubt = 1;
    // The counting word stays: it belongs to the game on the board, which a history emptied by
    // a refused file still shows. A new game clears it.
    h.SetzeZeit(Jetzt());
    SteuerungAuffrischen(g);
    StatusAuffrischen(g);
}

void THistorie::SichereSpielstand(TSpielsitzung& g) {
    if (g.SimulationLaeuft) return;
    TSpielHistorie& h = *h_;
    if (h.AktuellerEintrag >= HistorieEintraege) return;
    // A move after stepping back drops the entries beyond and marks the game as altered.
    if (h.AnzahlEintraege > h.AktuellerEintrag) g.S.Korrigiert = 1;
    HistorieAktiv = true;
    ++h.AktuellerEintrag;
    h.AnzahlEintraege = h.AktuellerEintrag;
    h.Eintrag[h.AktuellerEintrag] = g.S;
    SteuerungAuffrischen(g);
    StatusAuffrischen(g);
    HistorieAktiv = false;
}

bool THistorie::Bedienbar(const TSpielsitzung& g) const {
    return g.S.AktuellerSpieler == 1 && g.S.Computer[1] == 0 && !HistorieAktiv && !Sperre.Spielzug;
}

bool THistorie::Rueckgaengig(TSpielsitzung& g) {
    if (!Bedienbar(g) || h_->AktuellerEintrag < 2) return false;
    Springe(g, h_->AktuellerEintrag - 1, "UNDO");
    return true;
}

bool THistorie::Wiederherstellen(TSpielsitzung& g) {
    if (!Bedienbar(g) || h_->AktuellerEintrag >= h_->AnzahlEintraege) return false;
    Springe(g, h_->AktuellerEintrag + 1, "REDO");
    return true;
}

bool THistorie::GanzZurueck(TSpielsitzung& g) {
    if (!Bedienbar(g) || h_->AnzahlEintraege < 1) return false;
    Springe(g, 1, "UNDO");
    return true;
}

bool THistorie::GanzVor(TSpielsitzung& g) {
    if (!Bedienbar(g) || h_->AnzahlEintraege < 1) return false;
    Springe(g, h_->AnzahlEintraege, "REDO");
    return true;
}

void THistorie::Springe(TSpielsitzung& g, int32_t ziel, const char* richtung) {
    HistorieAktiv = true;
    h_->AktuellerEintrag = ziel;
    StelleWiederHer(g, ziel);
    g.Trace(richtung, " auf (", h_->AktuellerEintrag, " von ", h_->AnzahlEintraege, ")");
    SteuerungAuffrischen(g);
    StatusAuffrischen(g);
    HistorieAktiv = false;
}

void THistorie::StelleWiederHer(TSpielsitzung& g, int32_t i) {
    if (i < 1 || i > h_->AnzahlEintraege || i > HistorieEintraege) return;
    g.S = h_->Eintrag[i];
    g.ZustandErsetzt();
    // What belonged to the turn in progress is gone with the state it came from.
    g.AktionenImZug = 0;
    g.SternwartenKarteVerwerfen();
    AuswahlAufheben(g);
    BrettNeuZeichnen(g);
}

void THistorie::SteuerungAuffrischen(const TSpielsitzung& g) {
    if (g.S.AktuellerSpieler != 1 || g.S.Computer[1] != 0) return;
    const TSpielHistorie& h = *h_;
    if (h.Aufgabe == 1 && Puzzle.Keiner() && h.AufgabeUndoErlaubt == 0) return;
    anzeige_.Rueckgaengig = h.AktuellerEintrag > 1;
    anzeige_.Wiederherstellen = h.AktuellerEintrag < h.AnzahlEintraege;
}

void THistorie::StatusAuffrischen(const TSpielsitzung& g) {
    if (g.SimulationLaeuft) return;
    anzeige_.Status = (*texte_)[Text::History] + " " + std::to_string(h_->AktuellerEintrag) + " " +
                      (*texte_)[Text::Von] + " " + std::to_string(h_->AnzahlEintraege);
    anzeige_.Korrigiert = g.S.Korrigiert ? "X" : "";
}

TSperre PuzzleSperre(bool undoErlaubt) {
    TSperre s;
    s.NeuesSpiel = true;
    s.Laden = true;
    s.Spielzug = !undoErlaubt;
    s.Speichern = !undoErlaubt;
    s.SpielerAnzahl = true;
    s.Spielstaerke = true;
    s.Trace = true;
    s.ErwEinstellungen = true;
    s.Korrektur = true;
    s.Strategien = true;
    s.Varianten = true;
    return s;
}

void BrettNeuZeichnen(TSpielsitzung& g) {
    const TBrettZugang b = g.Brett();
    b.SpielerAnzahlAnzeigen();
    for (int s = 1; s <= 4; ++s) {
        b.GeldAnzeigen(s);
        b.SiegpunkteAnzeigen(s);
        b.LetzteAktionAnzeigen(s);
        b.TischAnzeigen(s);
    }
    for (int k = 1; k <= 4; ++k) b.StapelAnzeigen(k);
    for (int r = 1; r <= 2; ++r)
        for (int p = 1; p <= 8; ++p) b.AuslageAnzeigen(r, p);
    b.StartspielerAnzeigen();
    b.PhaseAnzeigen();
    b.RundeAnzeigen();
    b.AmZugAnzeigen();
    b.SpielfeldAnzeigen();
}

void NeuesSpielMitHistorie(TSpielsitzung& g, THistorie& h) {
    SpielAufbau(g);
    h.InitHistorie(g);
    h.H().Zaehlung = 0;
    h.GesichertBei = g.MenschZuege;
    if (g.S.AktuellerSpieler == 1) h.SichereSpielstand(g);
}

} // namespace vm
