#include "model/sitzung.h"

#include <charconv>
#include <cstring>

namespace vm {

TSpielsitzung::TSpielsitzung(const TKatalog& katalog) : katalog_(&katalog) {
    std::memset(static_cast<void*>(&S), 0, sizeof S);
    S.Computer[1] = 0;
    for (int i = 2; i <= 4; ++i) S.Computer[i] = 1;
    for (int32_t& w : S.Reserviert2) w = static_cast<int32_t>(0x80000001u);
    // A neutral base until the strategy defaults are applied: 25 money, random roles.
    for (TStrategieEinstellung& e : Einstellungen.R) {
        for (int i = 1; i <= 4; ++i) {
            e.Strategie[i] = 1;
            e.StartGeld[i] = 25;
        }
    }
    ZustandZuruecksetzen();
}

void TSpielsitzung::ZustandZuruecksetzen() {
    ZustandErsetzt();
    S.AktuellerSpieler = 1;
    S.Spielende = 1;
    S.Phase = 1;
    S.SchenkeModus = 0;
    S.AnzahlPassen = 0;
    S.StapelLeer = 0;
    S.Runde = 1;
    S.AblageAnzahl = 0;
    S.AdelsbonusErweitert = Menue.AdelsbonusErweitert;
    S.VerdeckteHandkarten = Menue.VerdeckteHandkarten;
    S.KeineHofmeisterinRunde1 = Menue.KeineHofmeisterinRunde1;
    S.Korrigiert = auswahl_ && auswahl_->KorrekturmodusAn() ? 1 : 0;
    S.Spielstaerke = Menue.Spielstaerke;
    S.SpielerAnzahl = Menue.SpielerAnzahl;
    S.GekaufteSiegpunkte = 0;
    for (int i = 1; i <= 4; ++i) Platz[i] = 0;
    if (auswahl_) auswahl_->Leeren();
    AktionenImZug = 0;
}

int32_t TSpielsitzung::KarteRefToInx(tKartenRef k) {
    if (!TKatalog::Gueltig(k)) {
        InternerFehler(1, "KarteRefToInx");
        return 0;
    }
    return katalog_->Daten(k).Inx;
}

void TSpielsitzung::Anhaengen(std::string& s, std::string_view v) const {
    s.append(v.data(), v.size());
}

void TSpielsitzung::Anhaengen(std::string& s, tKartenRef k) const {
    KarteTextAnhaengen(s, *katalog_, k);
}

void TSpielsitzung::AnhaengenZahl(std::string& s, long long v) const {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, r.ptr);
}

void TSpielsitzung::InternerFehler(int32_t nummer, std::string_view prozedur) {
    ++AnzahlFehler;
    std::string meldung = FehlerText(nummer, prozedur);
    if (Log.TraceAn) {
        static constexpr const char* Sterne = "************************************";
        Log.Zeile(Sterne);
        Log.Zeile(meldung);
        Log.Zeile(Sterne);
    }
    if (!ProfilOrdner.empty()) {
        std::string pfad = ProfilOrdner;
        if (pfad.back() != '/') pfad += '/';
        pfad += "ErrorTrace.txt";
        if (!Log.Speichern(pfad) && senke_) senke_->Melde("Datei kann nicht geschrieben werden: " + pfad);
    }
    if (senke_) senke_->Melde(meldung);
}

} // namespace vm
