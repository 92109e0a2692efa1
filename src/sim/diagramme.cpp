#include "sim/diagramme.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace vm {

namespace {

constexpr double Z95 = 1.959963984540054;
// A histogram with more bars than this gets wider bins: 1, 2, 5, 10, 20, 50, ... points.
constexpr int64_t MaxKlassen = 25;

double Anteil(int64_t teil, int64_t ganzes) {
    return ganzes > 0 ? static_cast<double>(teil) / static_cast<double>(ganzes) : 0.0;
}

int64_t AbgerundetAuf(int64_t wert, int64_t breite) {
    const int64_t q = wert / breite;
    return (wert % breite != 0 && wert < 0 ? q - 1 : q) * breite;
}

std::string SpielerName(const TTexte& texte, int sitz) {
    return texte.Fuelle(Text::DiagrammSpielerN, {std::to_string(sitz)});
}

TDiagramm Punkteverteilung(const TPunkteVerteilung& v, int n, const TTexte& texte) {
    TDiagramm d;
    d.Stamm = "punkteverteilung";
    d.Titel = texte[Text::DiagrammPunkteverteilung];
    d.Kurztitel = texte[Text::DiagrammSiegpunkteEnde];
    d.AchseX = texte[Text::DiagrammSiegpunkteEnde];
    d.AchseY = texte[Text::DiagrammSpiele];
    d.Art = TDiagrammArt::Balken;
    int64_t min = 0, max = -1;
    for (int s = 0; s < n; ++s) {
        if (v.Anzahl[s].empty()) continue;
        const int64_t von = v.Anzahl[s].begin()->first, bis = v.Anzahl[s].rbegin()->first;
        if (max < min) min = von, max = bis;
        min = std::min(min, von);
        max = std::max(max, bis);
    }
    for (int s = 0; s < n; ++s) d.Reihen.push_back({SpielerName(texte, s + 1), {}, {}, {}});
    if (max < min) return d;
    int64_t breite = 1;
    for (int64_t stufe = 1; (max - min) / breite + 1 > MaxKlassen; stufe *= 10)
        for (int64_t f : {1, 2, 5})
            if ((max - min) / breite + 1 > MaxKlassen) breite = f * stufe;
    const int64_t erste = AbgerundetAuf(min, breite);
    const size_t klassen = static_cast<size_t>((max - erste) / breite + 1);
    for (size_t k = 0; k < klassen; ++k) {
        const int64_t von = erste + static_cast<int64_t>(k) * breite;
        d.Kategorien.push_back(breite == 1 ? std::to_string(von)
                                           : std::to_string(von) + "–" + std::to_string(von + breite - 1));
    }
    for (int s = 0; s < n; ++s) {
        std::vector<double>& werte = d.Reihen[s].Werte;
        werte.assign(klassen, 0.0);
        for (const auto& [punkte, anzahl] : v.Anzahl[s])
            werte[static_cast<size_t>((punkte - erste) / breite)] += static_cast<double>(anzahl);
    }
    return d;
}

} // namespace

void WilsonIntervall(int64_t erfolge, int64_t versuche, double& unten, double& oben) {
    if (versuche <= 0) {
        unten = 0.0;
        oben = 1.0;
        return;
    }
    const double n = static_cast<double>(versuche);
    const double p = std::clamp(Anteil(erfolge, versuche), 0.0, 1.0);
    const double z2 = Z95 * Z95;
    const double nenner = 1.0 + z2 / n;
    const double mitte = (p + z2 / (2.0 * n)) / nenner;
    const double halb = Z95 * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n)) / nenner;
    // Rounding must not push the interval past its share at 0 % or 100 %.
    unten = std::clamp(mitte - halb, 0.0, p);
    oben = std::clamp(mitte + halb, p, 1.0);
}

TDiagramm SiegquotenDiagramm(const std::vector<TSiegeZaehlung>& zaehlungen, const TTexte& texte) {
    TDiagramm d;
    d.Stamm = "siegquoten";
    d.Titel = texte[Text::DiagrammSiegquote];
    d.Kurztitel = texte[Text::DiagrammSiegquoteReihe];
    d.AchseX = texte[Text::DiagrammSpielerAchse];
    d.AchseY = texte[Text::DiagrammSiegeProzent];
    d.Art = TDiagrammArt::IntervallBalken;
    TDiagrammReihe r{texte[Text::DiagrammSiegquoteReihe], {}, {}, {}};
    for (const TSiegeZaehlung& z : zaehlungen) {
        d.Kategorien.push_back(z.Name);
        double unten, oben;
        WilsonIntervall(z.Siege, z.Spiele, unten, oben);
        r.Werte.push_back(100.0 * Anteil(z.Siege, z.Spiele));
        r.Unten.push_back(100.0 * unten);
        r.Oben.push_back(100.0 * oben);
    }
    d.Reihen.push_back(std::move(r));
    return d;
}

void TPunkteVerteilung::Spiel(const TSpielErgebnis& e) {
    for (int s = 0; s < SpielerAnzahl && s < 4; ++s) ++Anzahl[static_cast<size_t>(s)][e.Punkte[s]];
}

std::vector<TDiagramm> SerienDiagramme(const TSimStatistik& st, const TPunkteVerteilung& punkte,
                                       const TTexte& texte) {
    const int n = std::clamp(st.SpielerAnzahl, 0, 4);
    std::vector<TDiagramm> d;

    // Ranking breaks ties of points by money and then by seat, so every game has one winner and
    // the shares add up to 100 %.
    std::vector<TSiegeZaehlung> siege;
    for (int s = 1; s <= n; ++s)
        siege.push_back({SpielerName(texte, s), st.Platzierungen[s][1], st.AnzahlSpiele});
    d.push_back(SiegquotenDiagramm(siege, texte));

    d.push_back(Punkteverteilung(punkte, n, texte));

    // Rounds that no game lasted stay out, except between the shortest and the longest game.
    int erste = 0, letzte = -1;
    for (int r = 1; r <= StatistikMaxRunden; ++r)
        if (st.SpieleMitRunden[r] > 0) {
            if (erste == 0) erste = r;
            letzte = r;
        }
    TDiagramm runden;
    runden.Stamm = "spiele-nach-runden";
    runden.Titel = runden.Kurztitel = texte[Text::DiagrammSpieleNachRunden];
    runden.AchseX = texte[Text::DiagrammRunden];
    runden.AchseY = texte[Text::DiagrammSpiele];
    runden.Art = TDiagrammArt::Balken;
    runden.Reihen.push_back({texte[Text::DiagrammSpiele], {}, {}, {}});
    TDiagramm mittel;
    mittel.Stamm = "punkte-nach-runden";
    mittel.Titel = texte[Text::DiagrammPunkteNachRunden];
    mittel.Kurztitel = texte[Text::DiagrammPunkteNachRundenKurz];
    mittel.AchseX = texte[Text::DiagrammRunden];
    mittel.AchseY = texte[Text::DiagrammMittlerePunkte];
    mittel.Art = TDiagrammArt::Linie;
    for (int s = 1; s <= n; ++s) mittel.Reihen.push_back({SpielerName(texte, s), {}, {}, {}});
    for (int r = erste; r <= letzte; ++r) {
        const int32_t spiele = st.SpieleMitRunden[r];
        runden.Kategorien.push_back(std::to_string(r));
        runden.Reihen[0].Werte.push_back(spiele);
        // A round count no game had has no mean: the line goes on at the next one that has.
        if (spiele == 0) continue;
        mittel.Kategorien.push_back(std::to_string(r));
        for (int s = 1; s <= n; ++s)
            mittel.Reihen[s - 1].Werte.push_back(static_cast<double>(st.SiegpunkteNachRunden[r][s].Sum) /
                                                 static_cast<double>(spiele));
    }
    d.push_back(std::move(runden));
    d.push_back(std::move(mittel));
    return d;
}

bool DiagrammeAusJson(std::string_view text, const TTexte& texte, std::vector<TDiagramm>& diagramme,
                      std::string& fehler) {
    auto st = std::make_unique<TSimStatistik>();
    TJsonLauf lauf;
    std::string_view spiele;
    if (!StatistikAusJson(text, *st, lauf, fehler, &spiele) || !SpieleStimmen(spiele, *st, fehler))
        return false;
    TPunkteVerteilung punkte(st->SpielerAnzahl);
    if (!SpieleLesen(
            spiele, st->SpielerAnzahl,
            [&](const TSpielErgebnis& e, std::string&) {
                punkte.Spiel(e);
                return true;
            },
            fehler))
        return false;
    diagramme = SerienDiagramme(*st, punkte, texte);
    return true;
}

} // namespace vm
