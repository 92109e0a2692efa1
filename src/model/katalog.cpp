#include "model/katalog.h"

namespace vm {
namespace {

constexpr uint64_t Bereich(int von, int bis) {
    uint64_t m = 0;
    for (int i = von; i <= bis; ++i) m |= uint64_t{1} << i;
    return m;
}
constexpr uint64_t Zwei(int a, int b) {
    return (uint64_t{1} << a) | (uint64_t{1} << b);
}

struct Zeile {
    int32_t tabelle, platz, inx;
    const char* name;
    const char* beschreibung;
    int32_t farbe, erw, anzahl, kosten;
    uint64_t ersetzt;
    int32_t geld, sp;
    uint8_t sonder;
};

constexpr uint64_t Blau = Bereich(7, 17);
constexpr uint64_t Rot = Bereich(18, 24);

constexpr Zeile Zeilen[] = {
    {1, 1, 1, "Holzfäller", "Holzfäller (K:3,G:3)", 1, 0, 6, 3, 0, 3, 0, 0},
    {1, 2, 2, "Goldgräber", "Goldgräber (K:4,G:3)", 1, 0, 6, 4, 0, 3, 0, 0},
    {1, 3, 3, "Schäfer", "Schäfer (K:5,G:3)", 1, 0, 6, 5, 0, 3, 0, 0},
    {1, 4, 4, "Pelzjäger", "Pelzjäger (K:6,G:3)", 1, 0, 6, 6, 0, 3, 0, 0},
    {1, 5, 5, "Schiffbauer", "Schiffbauer (K:7,G:3)", 1, 0, 6, 7, 0, 3, 0, 0},
    {1, 6, 6, "Zar+Zimmermann", "Zar+Zimmermann (K:8,G:3)", 1, 0, 1, 8, 0, 3, 0, 0},
    {2, 1, 7, "Schenke", "Schenke: Kauf 1 SP für 2 Geld (max 5) (K:1,G:0)", 2, 0, 2, 1, 0, 0, 0, Schenke},
    {2, 2, 8, "Lagerhaus", "Lagerhaus: 4 Handkarten halten (K:2,G:0)", 2, 0, 1, 2, 0, 0, 0, Lagerhaus},
    {2, 3, 9, "Potjemkinsches Dorf", "Potjemkinsches Dorf: Zählt 6 bei Upgrade (K:2,G:0)", 2, 0, 1, 2, 0, 0,
     0, ZaehltSechs},
    {2, 4, 10, "Markt", "Markt (K:5,G:0,S:1)", 2, 0, 5, 5, 0, 0, 1, 0},
    {2, 5, 11, "Sternwarte", "Sternwarte: verdeckte Karte ziehen (K:6,G:0,S:1)", 2, 0, 2, 6, 0, 0, 1,
     Sternwarte},
    {2, 6, 12, "Zollhaus", "Zollhaus (K:8,G:0,S:2)", 2, 0, 5, 8, 0, 0, 2, 0},
    {2, 7, 13, "Feuerwehr", "Feuerwehr (K:11,G:0,S:3)", 2, 0, 3, 11, 0, 0, 3, 0},
    {2, 8, 14, "Krankenhaus", "Krankenhaus (K:14,G:0,S:4)", 2, 0, 3, 14, 0, 0, 4, 0},
    {2, 9, 15, "Bibliothek", "Bibliothek (K:17,G:0,S:5)", 2, 0, 3, 17, 0, 0, 5, 0},
    {2, 10, 16, "Theater", "Theater (K:20,G:0,S:6)", 2, 0, 2, 20, 0, 0, 6, 0},
    {2, 11, 17, "Akademie", "Akademie (K:23,G:0,S:7)", 2, 0, 1, 23, 0, 0, 7, 0},
    {3, 1, 18, "Schreiber", "Schreiber (K:4,G:1)", 3, 0, 6, 4, 0, 1, 0, 0},
    {3, 2, 19, "Verwalter", "Verwalter (K:7,G:2)", 3, 0, 5, 7, 0, 2, 0, 0},
    {3, 3, 20, "Kontorist", "Kontorist (K:10,G:3)", 3, 0, 5, 10, 0, 3, 0, 0},
    {3, 4, 21, "Sekretär", "Sekretär (K:12,G:4)", 3, 0, 4, 12, 0, 4, 0, 0},
    {3, 5, 22, "Kontrolleur", "Kontrolleur (K:14,G:4,S:1)", 3, 0, 3, 14, 0, 4, 1, 0},
    {3, 6, 23, "Richter", "Richter (K:16,G:5,S:2)", 3, 0, 2, 16, 0, 5, 2, 0},
    {3, 7, 24, "Hofmeisterin", "Hofmeisterin (K:18,G:6,S:3)", 3, 0, 2, 18, 0, 6, 3, 0},
    {4, 1, 25, "Schreinerei", "Schreinerei: -1 für Blaue (K:4E,G:3)", 1, 1, 1, 4, Zwei(1, 6), 3, 0,
     MinusBlau},
    {4, 2, 26, "Goldschmiede", "Goldschmiede: -1 für Rote (K:6E,G:3)", 1, 1, 1, 6, Zwei(2, 6), 3, 0,
     MinusRot},
    {4, 3, 27, "Weberei", "Weberei (K:8E,G:6)", 1, 1, 2, 8, Zwei(3, 6), 6, 0, 0},
    {4, 4, 28, "Kürschnerei", "Kürschnerei (K:10E,G:3,S:2)", 1, 1, 3, 10, Zwei(4, 6), 3, 2, 0},
    {4, 5, 29, "Werft", "Werft (K:12E,G:6,S:1)", 1, 1, 3, 12, Zwei(5, 6), 6, 1, 0},
    {4, 6, 30, "Hofoper", "Hofoper: 1 Geld pro rote Karte (K:10E,G:*)", 2, 1, 1, 10, Blau, 0, 0, GeldProRot},
    {4, 7, 31, "Bank", "Bank (K:13E,G:5,S:1)", 2, 1, 1, 13, Blau, 5, 1, 0},
    {4, 8, 32, "Lindenhof", "Lindenhof (K:14E,G:4,S:2)", 2, 1, 1, 14, Blau, 4, 2, 0},
    {4, 9, 33, "Domkathedrale", "Domkathedrale (K:15E,G:3,S:3)", 2, 1, 1, 15, Blau, 3, 3, 0},
    {4, 10, 34, "Bergkirche", "Bergkirche (K:16E,G:2,S:4)", 2, 1, 1, 16, Blau, 2, 4, 0},
    {4, 11, 35, "Hafen", "Hafen (K:16E,G:5,S:2)", 2, 1, 1, 16, Blau, 5, 2, 0},
    {4, 12, 36, "Rosenpalast", "Rosenpalast (K:17E,G:1,S:5)", 2, 1, 1, 17, Blau, 1, 5, 0},
    {4, 13, 37, "Weißes Kloster", "Weißes Kloster (K:17E,G:4,S:3)", 2, 1, 1, 17, Blau, 4, 3, 0},
    {4, 14, 38, "Kunsthalle", "Kunsthalle (K:18E,G:3,S:4)", 2, 1, 1, 18, Blau, 3, 4, 0},
    {4, 15, 39, "Kronpalast", "Kronpalast (K:19E,G:2,S:5)", 2, 1, 1, 19, Blau, 2, 5, 0},
    {4, 16, 40, "Abt", "Abt (K:6E,G:1,S:1)", 3, 1, 1, 6, Rot, 1, 1, 0},
    {4, 17, 41, "Kammerfrau", "Kammerfrau (K:8E,G:0,S:2)", 3, 1, 1, 8, Rot, 0, 2, 0},
    {4, 18, 42, "Heroldmeister", "Heroldmeister (K:8E,G:4)", 3, 1, 1, 8, Rot, 4, 0, 0},
    {4, 19, 43, "Baumeister", "Baumeister (K:10E,G:5)", 3, 1, 1, 10, Rot, 5, 0, 0},
    {4, 20, 44, "Senator", "Senator (K:12E,G:2,S:2)", 3, 1, 1, 12, Rot, 2, 2, 0},
    {4, 21, 45, "Patriarch", "Patriarch (K:16E,G:0,S:4)", 3, 1, 1, 16, Rot, 0, 4, 0},
    {4, 22, 46, "Steuereintreiber", "Steuereintreiber: 1 Geld pro Grün (K:17E,G:*)", 3, 1, 1, 17, Rot, 0, 0,
     GeldProGruen},
    {4, 23, 47, "Admiral", "Admiral (K:18E,G:3,S:3)", 3, 1, 1, 18, Rot, 3, 3, 0},
    {4, 24, 48, "Aussenminister", "Aussenminister (K:20E,G:2,S:4)", 3, 1, 1, 20, Rot, 2, 4, 0},
    {4, 25, 49, "Zarin", "Zarin (K:24E,G:0,S:6)", 3, 1, 1, 24, Rot, 0, 6, 0},
};

TKatalogTabellen Aufbauen() {
    TKatalogTabellen t{};
    for (const Zeile& z : Zeilen) {
        tKarte& k = t[z.tabelle][z.platz];
        k.Inx = z.inx;
        k.Bild = z.inx;
        k.Name = z.name;
        k.Beschreibung = z.beschreibung;
        k.Farbe = z.farbe;
        k.Erweiterung = z.erw;
        k.Anzahl = z.anzahl;
        k.Kosten = z.kosten;
        k.Ersetzt = z.ersetzt;
        k.Geld = z.geld;
        k.Siegpunkte = z.sp;
        k.Sondereigenschaften = z.sonder;
        k.Rabatt = z.farbe == 2 ? MinusBlau : z.farbe == 3 ? MinusRot : 0;
    }
    return t;
}

} // namespace

const TKatalogTabellen& Kartenkatalog() {
    static const TKatalogTabellen t = Aufbauen();
    return t;
}

TKatalog::TKatalog() : t_(Kartenkatalog()) {
    for (uint32_t f = 0; f <= KatalogTabellen; ++f)
        for (uint32_t r = 0; r < ZeigerJeTabelle; ++r)
            zeiger_[f * ZeigerJeTabelle + r] = f >= 1 && r >= 1 && r <= KatalogPlaetze
                                                   ? &t_[static_cast<int>(f)][static_cast<int>(r)]
                                                   : &leer_;
}

void TKatalog::Umbenennen(int32_t tabelle, int32_t platz, std::string name, std::string beschreibung) {
    if (tabelle < 1 || tabelle > KatalogTabellen || platz < 1 || platz > KatalogPlaetze) return;
    tKarte& k = t_[tabelle][platz];
    k.Name = texte_.emplace_back(std::move(name));
    k.Beschreibung = texte_.emplace_back(std::move(beschreibung));
}

std::string_view KarteName(const TKatalog& kat, tKartenRef k) {
    return TKatalog::Gueltig(k) ? kat.Daten(k).Name : std::string_view{};
}

void KarteTextAnhaengen(std::string& s, const TKatalog& kat, tKartenRef k) {
    const tKarte& d = kat.Daten(k);
    s += "(Index ";
    s += std::to_string(d.Inx);
    s += " , Farbe ";
    s += std::to_string(d.Farbe);
    if (d.Erweiterung == 1) s += "-erw";
    s += " , ";
    s += d.Name;
    s += ')';
}

std::string KarteText(const TKatalog& kat, tKartenRef k) {
    std::string s;
    KarteTextAnhaengen(s, kat, k);
    return s;
}

} // namespace vm
