#include "sim/diagramme.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sim/turnier.h"

namespace vm {

namespace {

// A histogram with more bars than this gets wider bins: 1, 2, 5, 10, 20, 50, ... points.
constexpr int64_t MaxKlassen = 25;

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

// Games by number of rounds, without its bars.
TDiagramm RundenDiagramm(const TTexte& texte) {
    TDiagramm d;
    d.Stamm = "spiele-nach-runden";
    d.Titel = d.Kurztitel = texte[Text::DiagrammSpieleNachRunden];
    d.AchseX = texte[Text::DiagrammRunden];
    d.AchseY = texte[Text::DiagrammSpiele];
    d.Art = TDiagrammArt::Balken;
    d.Reihen.push_back({texte[Text::DiagrammSpiele], {}, {}, {}});
    return d;
}

} // namespace

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
        const TIntervall w = Wilson(z.Siege, z.Spiele);
        r.Werte.push_back(100.0 * w.Anteil);
        r.Unten.push_back(100.0 * w.Unten);
        r.Oben.push_back(100.0 * w.Oben);
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
        siege.push_back({SpielerName(texte, s), static_cast<double>(st.Platzierungen[s][1]), st.AnzahlSpiele});
    d.push_back(SiegquotenDiagramm(siege, texte));

    d.push_back(Punkteverteilung(punkte, n, texte));

    // Rounds that no game lasted stay out, except between the shortest and the longest game.
    int erste = 0, letzte = -1;
    for (int r = 1; r <= StatistikMaxRunden; ++r)
        if (st.SpieleMitRunden[r] > 0) {
            if (erste == 0) erste = r;
            letzte = r;
        }
    TDiagramm runden = RundenDiagramm(texte);
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

std::vector<TDiagramm> TurnierDiagramme(const TTurnier& t, const TTexte& texte) {
    const TTurnierWertung w = TurnierWerten(t);
    std::vector<TSiegeZaehlung> siege;
    TDiagramm punkte;
    punkte.Stamm = "punkte-je-teilnehmer";
    punkte.Titel = punkte.Kurztitel = texte[Text::DiagrammPunkteTeilnehmer];
    punkte.AchseX = texte[Text::DiagrammTeilnehmerAchse];
    punkte.AchseY = texte[Text::DiagrammMittlerePunkte];
    punkte.Reihen.push_back({texte[Text::DiagrammMittlerePunkte], {}, {}, {}});
    for (const TTurnierZeile& z : w.Zeilen) {
        const std::string name = TeilnehmerName(t, z.Teilnehmer);
        siege.push_back({name, z.Siege, z.Spiele});
        punkte.Kategorien.push_back(name);
        punkte.Reihen[0].Werte.push_back(z.MittelPunkte);
    }
    TDiagramm quote = SiegquotenDiagramm(siege, texte);
    quote.Titel = texte[Text::DiagrammSiegquoteTeilnehmer];
    quote.AchseX = texte[Text::DiagrammTeilnehmerAchse];

    TDiagramm runden = RundenDiagramm(texte);
    std::map<int32_t, int64_t> nachRunden;
    for (const TTurnierSpiel& s : t.Spiele) ++nachRunden[s.E.Runden];
    if (!nachRunden.empty())
        for (int32_t r = nachRunden.begin()->first; r <= nachRunden.rbegin()->first; ++r) {
            runden.Kategorien.push_back(std::to_string(r));
            const auto it = nachRunden.find(r);
            runden.Reihen[0].Werte.push_back(it == nachRunden.end() ? 0.0 : static_cast<double>(it->second));
        }
    return {std::move(quote), std::move(punkte), std::move(runden)};
}

bool DiagrammeAusJson(std::string_view text, const TTexte& texte, std::vector<TDiagramm>& diagramme,
                      std::string& fehler) {
    if (IstTurnierJson(text)) {
        auto t = std::make_unique<TTurnier>();
        if (!TurnierAusJson(text, *t, fehler)) return false;
        diagramme = TurnierDiagramme(*t, texte);
        return true;
    }
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
