#include "control/einstellungsdialog.h"

#include <array>
#include <initializer_list>

#include "ai/compizug.h"
#include "persist/sprache.h"

namespace vm {

namespace {

constexpr std::array<std::string_view, 13> Namen45{"G_R1", "G_G2", "G_G3", "B_R10", "B_G11", "B_G12", "B_G13",
                                                   "R_R5", "R_G6", "R_R7", "R_G8",  "R_G9",  "E_R4"};
constexpr std::array<std::string_view, 19> Namen67{"G_R10", "G_G11", "B_G1",  "B_R4",  "B_R7", "B_G8", "B_G9",
                                                   "B_G12", "B_W13", "B_G14", "R_G2",  "R_R3", "E_R5", "E_G6",
                                                   "E_W15", "X_R16", "X_R17", "X_W18", "XS19"};
constexpr std::array<std::string_view, 18> Namen89{"G_R10", "G_G11", "B_G1",  "B_R4",  "B_R7",  "B_G8",
                                                   "B_G9",  "B_G12", "B_W13", "B_G14", "B_W18", "R_G2",
                                                   "R_R3",  "E_R5",  "E_G6",  "E_W15", "E_R16", "E_A17"};
constexpr std::array<std::string_view, 15> Namen1215{"G_R10", "G_G11", "B_G1",  "B_R4",  "B_G20",
                                                     "B_G21", "B_R19", "B_W13", "R_G2",  "R_R3",
                                                     "E_R5",  "E_G6",  "E_W15", "E_R16", "E_A17"};
constexpr std::array<std::string_view, 12> SeitenTitel{"Param(4)",  "Param(5)",  "Param(6)",  "Param(7)",
                                                       "Param(8)",  "Param(9)",  "Param(10)", "Param(11)",
                                                       "Param(12)", "Param(13)", "Param(14)", "Param(15)"};

template <size_t N>
TDialogSeite ParamSeite(int s, const std::array<std::string_view, N>& namen, int32_t max) {
    TDialogSeite seite{SeitenTitel[static_cast<size_t>(s - 4)], {}};
    for (size_t i = 0; i < N; ++i)
        seite.Felder.push_back({namen[i], FeldArt::Param, s, static_cast<int32_t>(i), 0, max, 1, false});
    return seite;
}

std::vector<TDialogSeite> SeitenAufbauen() {
    std::vector<TDialogSeite> seiten;
    TDialogSeite strategie{"Strategie", {}};
    strategie.Felder.push_back({"Spieler 1 simuliert der Computer !", FeldArt::Sim, 0, 0, 0, 1, 1, false});
    for (int sp = 1; sp <= 4; ++sp) {
        strategie.Felder.push_back({"", FeldArt::Strategie, 0, sp, 1, 15, 1, false});
        strategie.Felder.push_back({"", FeldArt::Geld, 0, sp, 0, 1000, 1, false});
        strategie.Felder.push_back({"", FeldArt::Rolle, 0, sp, 0, 4, 1, false});
    }
    strategie.Felder.push_back({"Anzahl Spieldurchläufe", FeldArt::AnzahlSim, 0, 0, 0, 100000, 50, false});
    seiten.push_back(std::move(strategie));
    seiten.push_back({"Beschreibung", {}});

    TDialogSeite p23{"Param(2,3)", {}};
    const std::array<std::string_view, 6> namen23{"S2-GrenzeB", "S2-GrenzeR", "S2-Runde",
                                                  "S3-GrenzeB", "S3-GrenzeR", "S3-Runde"};
    for (int i = 0; i < 6; ++i) {
        const bool runde = i % 3 == 2;
        p23.Felder.push_back(
            {namen23[static_cast<size_t>(i)], FeldArt::P123, 0, i, runde ? 1 : 0, runde ? 10 : 30, 1, false});
    }
    seiten.push_back(std::move(p23));

    for (int s : {4, 5}) seiten.push_back(ParamSeite(s, Namen45, 200));
    for (int s : {6, 7}) seiten.push_back(ParamSeite(s, Namen67, 100));
    for (int s : {8, 9}) {
        TDialogSeite seite = ParamSeite(s, Namen89, 100);
        seite.Felder.push_back({"", FeldArt::Param, s, 18, 0, 100, 1, true});
        seiten.push_back(std::move(seite));
    }
    for (int s : {10, 11}) {
        TDialogSeite seite = ParamSeite(s, Namen89, 100);
        seite.Felder.push_back({"B_R19", FeldArt::Param, s, 18, 0, 100, 1, false});
        seiten.push_back(std::move(seite));
    }
    for (int s : {12, 13, 14, 15}) seiten.push_back(ParamSeite(s, Namen1215, 100));
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
    switch (f.Art) {
    case FeldArt::Strategie:
        return &e.Strategie[f.Index];
    case FeldArt::Geld:
        return &e.StartGeld[f.Index];
    case FeldArt::Rolle:
        return &e.StartRolle[f.Index];
    case FeldArt::AnzahlSim:
        return &e.AnzahlSim;
    case FeldArt::P123:
        return &e.Parameter123[f.Index];
    case FeldArt::Param:
        return &e.Param(f.Strategie, f.Index);
    case FeldArt::Sim:
        break;
    }
    return nullptr;
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

std::string TEinstellungsDialog::Titel(const TSprache& sprache) const {
    return sprache.Other("Einstellungen") + " ( " + std::to_string(anzahl_) + " " + sprache.Other("Spieler") +
           " )";
}

std::vector<std::string> TEinstellungsDialog::Beschreibung(const TSprache& sprache) {
    std::vector<std::string> zeilen;
    for (int s = 1; s <= 15; ++s)
        zeilen.push_back(std::to_string(s) + (s >= 12 ? ") [2] " : ") ") + sprache.Other(Strategiename(s)));
    return zeilen;
}

TSimulationsWahl NachEinstellungen(Spielsitzung& g) {
    const TStrategieEinstellung& e = g.Einstellungen.Fuer(g.Menue.SpielerAnzahl);
    TSimulationsWahl w{e.Sim != 0, e.AnzahlSim};
    g.S.Computer[1] = w.Sim ? 1 : 0;
    return w;
}

} // namespace vm
