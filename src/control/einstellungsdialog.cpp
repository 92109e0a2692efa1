#include "control/einstellungsdialog.h"

#include <array>

#include "ai/compizug.h"
#include "ai/vorausschau.h"
#include "persist/sprache.h"

namespace vm {

namespace {

constexpr std::array<std::string_view, 13> SeitenTitel{
    "Param(4)",  "Param(5)",  "Param(6)",  "Param(7)",  "Param(8)",  "Param(9)", "Param(10)",
    "Param(11)", "Param(12)", "Param(13)", "Param(14)", "Param(15)", "Param(16)"};

TDialogFeld DialogFeld(const TEinstellungsFeld& f) {
    return {f.Name, f.Art, f.Strategie, f.Index, f.Min, f.Max, f.Schritt, f.Versteckt};
}

// Strategy 16 keeps its parameters in slots of Parameter123 that strategies 2 and 3 leave free.
bool VonStrategie16(const TEinstellungsFeld& f) {
    return f.Art == FeldArt::P123 && f.Index >= ParameterBlock(16).ErsterSlot;
}

const TEinstellungsFeld& Feld(FeldArt art, int32_t index) {
    for (const TEinstellungsFeld& f : EinstellungsFelder())
        if (f.Art == art && f.Index == index) return f;
    return EinstellungsFelder().front();
}

// The fields with a control, from the strategy parameter table; the first page shows each seat's
// strategy, money and role in one row.
std::vector<TDialogSeite> SeitenAufbauen() {
    std::vector<TDialogSeite> seiten;
    TDialogSeite strategie{"Strategie", {DialogFeld(Feld(FeldArt::Sim, 0))}};
    for (int sp = 1; sp <= 4; ++sp)
        for (FeldArt art : {FeldArt::Strategie, FeldArt::Geld, FeldArt::Rolle})
            strategie.Felder.push_back(DialogFeld(Feld(art, sp)));
    strategie.Felder.push_back(DialogFeld(Feld(FeldArt::AnzahlSim, 0)));
    seiten.push_back(std::move(strategie));
    seiten.push_back({"Beschreibung", {}});
    seiten.push_back({"Param(2,3)", {}});
    for (const std::string_view titel : SeitenTitel) seiten.push_back({titel, {}});
    for (const TEinstellungsFeld& f : EinstellungsFelder()) {
        if (!f.Steuerung) continue;
        if (VonStrategie16(f)) {
            TDialogFeld d = DialogFeld(f);
            d.Strategie = 16;
            seiten.back().Felder.push_back(d);
        } else if (f.Art == FeldArt::P123) {
            seiten[2].Felder.push_back(DialogFeld(f));
        }
        if (f.Art == FeldArt::Param)
            seiten[static_cast<size_t>(f.Strategie - 1)].Felder.push_back(DialogFeld(f));
    }
    return seiten;
}

int32_t Begrenzt(const TDialogFeld& f, int32_t wert) {
    return wert < f.Min ? f.Min : wert > f.Max ? f.Max : wert;
}

} // namespace

const std::vector<TDialogSeite>& EinstellungsSeiten() {
    static const std::vector<TDialogSeite> seiten = SeitenAufbauen();
    return seiten;
}

int32_t* FeldWert(TStrategieEinstellung& e, const TDialogFeld& f) {
    return FeldWert(e, f.Art, f.Strategie, f.Index);
}

void StartrollenEindeutig(TStrategieEinstellung& e, int spielerAnzahl) {
    const int gezaehlt = spielerAnzahl == 3 ? 3 : 4;
    std::array<int, 5> anzahl{};
    for (int sp = 1; sp <= gezaehlt; ++sp) {
        int32_t r = e.StartRolle[sp];
        if (r >= 1 && r <= 4) ++anzahl[static_cast<size_t>(r)];
    }
    for (int sp = 1; sp <= 4; ++sp) {
        int32_t r = e.StartRolle[sp];
        if (r >= 1 && r <= 4 && anzahl[static_cast<size_t>(r)] > 1) e.StartRolle[sp] = 0;
    }
    if (spielerAnzahl == 3 && e.StartRolle[4] == 4) e.StartRolle[4] = 0;
}

void TEinstellungsDialog::Zeigen(int spielerAnzahl) {
    anzahl_ = spielerAnzahl >= 2 && spielerAnzahl <= 4 ? spielerAnzahl : 4;
    sicherung_ = e_.Fuer(anzahl_);
    Laden();
}

void TEinstellungsDialog::Laden() {
    const auto& seiten = EinstellungsSeiten();
    TStrategieEinstellung& e = Datensatz();
    werte_.assign(seiten.size(), {});
    for (size_t s = 0; s < seiten.size(); ++s) {
        for (const TDialogFeld& f : seiten[s].Felder) {
            int32_t w = 0;
            if (f.Art == FeldArt::Sim)
                w = e.Sim != 0 ? 1 : 0;
            else if (!f.Versteckt)
                w = Begrenzt(f, *FeldWert(e, f));
            werte_[s].push_back(w);
        }
    }
}

void TEinstellungsDialog::SetzeWert(int seite, int feld, int32_t wert) {
    const TDialogFeld& f = EinstellungsSeiten()[static_cast<size_t>(seite)].Felder[static_cast<size_t>(feld)];
    if (f.Versteckt) return;
    werte_[static_cast<size_t>(seite)][static_cast<size_t>(feld)] = Begrenzt(f, wert);
}

void TEinstellungsDialog::Ok() {
    const auto& seiten = EinstellungsSeiten();
    TStrategieEinstellung& e = Datensatz();
    for (size_t s = 0; s < seiten.size(); ++s) {
        for (size_t i = 0; i < seiten[s].Felder.size(); ++i) {
            const TDialogFeld& f = seiten[s].Felder[i];
            if (f.Art == FeldArt::Sim)
                e.Sim = werte_[s][i] != 0 ? 1 : 0;
            else
                *FeldWert(e, f) = werte_[s][i];
        }
    }
    StartrollenEindeutig(e, anzahl_);
    const auto& felder = seiten[SeiteStrategie].Felder;
    for (size_t i = 0; i < felder.size(); ++i)
        if (felder[i].Art == FeldArt::Rolle) werte_[SeiteStrategie][i] = e.StartRolle[felder[i].Index];
}

void TEinstellungsDialog::Abbruch() {
    Datensatz() = sicherung_;
}

std::string TEinstellungsDialog::Vorgabe(int seite, int feld, const TSprache& sprache) const {
    const TDialogFeld& f = EinstellungsSeiten()[static_cast<size_t>(seite)].Felder[static_cast<size_t>(feld)];
    if (f.Strategie != 16) return {};
    int32_t wert = VorausschauBudgetVorgabe;
    if (f.Index == ParameterSlot(16, "Rollout")) wert = VorausschauRolloutVorgabe(anzahl_);
    if (f.Index == ParameterSlot(16, "Erkundung")) wert = VorausschauErkundungVorgabe;
    return sprache.Other("Vorgabe") + " (" + std::to_string(wert) + ")";
}

std::string TEinstellungsDialog::Titel(const TSprache& sprache) const {
    return sprache.Other("Einstellungen") + " ( " + std::to_string(anzahl_) + " " + sprache.Other("Spieler") +
           " )";
}

std::vector<std::string> TEinstellungsDialog::Beschreibung(const TSprache& sprache) {
    std::vector<std::string> zeilen;
    for (int s = 1; s <= 16; ++s)
        zeilen.push_back(std::to_string(s) + (s >= 12 && s <= 15 ? ") [2] " : ") ") +
                         sprache.Other(Strategiename(s)));
    return zeilen;
}

TSimulationsWahl NachEinstellungen(TSpielsitzung& g) {
    const TStrategieEinstellung& e = g.Einstellungen.Fuer(g.Menue.SpielerAnzahl);
    TSimulationsWahl w{e.Sim != 0, e.AnzahlSim};
    g.S.Computer[1] = w.Sim ? 1 : 0;
    return w;
}

} // namespace vm
