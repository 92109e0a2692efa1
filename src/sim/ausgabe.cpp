#include "sim/ausgabe.h"

#include <charconv>
#include <ostream>

#include "sim/extrastatistik.h"

namespace vm {

TDatei::~TDatei() {
    if (anonym_) std::fclose(anonym_);
}

bool TDatei::Temporaer() {
    anonym_ = std::tmpfile();
    return anonym_ != nullptr;
}

bool TDatei::Schliessen() {
    if (!anonym_) return ausgabe_.Abschliessen();
    bool ok = std::ferror(anonym_) == 0;
    ok = std::fclose(anonym_) == 0 && ok;
    anonym_ = nullptr;
    return ok;
}

bool Umkopieren(std::FILE* von, std::FILE* nach) {
    if (std::fflush(von) != 0 || std::ferror(von)) return false;
    std::rewind(von);
    std::vector<char> puffer(65536);
    size_t n;
    while ((n = std::fread(puffer.data(), 1, puffer.size(), von)) > 0)
        if (std::fwrite(puffer.data(), 1, n, nach) != n) return false;
    return std::ferror(von) == 0;
}

std::string AusgabenPruefen(const std::vector<TDateiAngabe>& ausgaben,
                            const std::vector<TDateiAngabe>& eingaben) {
    auto genannt = [](const TDateiAngabe& d) {
        return (*d.option ? "von " + std::string(d.option) + " '" : std::string("'")) + d.pfad + "'";
    };
    for (size_t i = 0; i < ausgaben.size(); ++i) {
        const TDateiAngabe& a = ausgaben[i];
        // A stream written in place is not replaced, so nothing of it can be lost.
        if (a.pfad.empty() || DirektSchreiben(a.pfad)) continue;
        for (const TDateiAngabe& e : eingaben)
            if (!e.pfad.empty() && GleicheDatei(a.pfad, e.pfad))
                return std::string(a.option) + ": Datei '" + a.pfad + "' ist schon die Eingabe " +
                       genannt(e) + "; nichts geschrieben";
        for (size_t j = 0; j < i; ++j)
            if (!ausgaben[j].pfad.empty() && GleicheDatei(a.pfad, ausgaben[j].pfad))
                return std::string(a.option) + ": Datei '" + a.pfad + "' ist schon die Ausgabe " +
                       genannt(ausgaben[j]) + "; nichts geschrieben";
    }
    return {};
}

bool AusgabeAbschliessen(std::ostream& out) {
    out.flush();
    return !out.fail();
}

// Without --report the report goes to standard output, behind the line per game; a traced run
// keeps standard output for the trace unless "--report -" asks for it.
TSimAusgaben::TSimAusgaben(const TSimOptionen& opt, std::ostream& out, std::ostream& err)
    : opt_(opt), out_(out), err_(err),
      berichtPfad_(!opt.berichtDatei.empty() && opt.berichtDatei != "-" ? opt.berichtDatei : std::string()),
      berichtAufAusgabe_(opt.berichtDatei == "-" || (opt.berichtDatei.empty() && opt.traceDatei.empty())),
      spielZeilen_(opt.traceDatei.empty() && opt.berichtDatei != "-") {
    for (int i = 0; i < 3; ++i) lauf_.Varianten[i] = opt.varianten[i];
    lauf_.Spielstaerke = opt.spielstaerke;
}

std::string TSimAusgaben::Pruefen() const {
    return AusgabenPruefen({{"--trace", opt_.traceDatei},
                            {"--report", berichtPfad_},
                            {"--extra-stats", opt_.extraDatei},
                            {"--json", opt_.jsonDatei}},
                           {{"--params", opt_.parameterDatei}});
}

bool TSimAusgaben::Oeffnen() {
    struct {
        TDatei& datei;
        const std::string& pfad;
        const char* option;
    } dateien[] = {{trace_, opt_.traceDatei, "--trace"},
                   {bericht_, berichtPfad_, "--report"},
                   {extra_, opt_.extraDatei, "--extra-stats"},
                   {json_, opt_.jsonDatei, "--json"},
                   {plotJson_, plotPfad_, "--plot"}};
    for (auto& d : dateien) {
        if (d.pfad.empty() || d.datei.Oeffnen(d.pfad)) continue;
        err_ << "veldmark-sim: " << d.option << ": Datei '" << d.pfad << "' kann nicht geschrieben werden"
             << (d.datei.Schreibgeschuetzt() ? " (schreibgeschützt)" : "") << '\n';
        return false;
    }
    return true;
}

void TSimAusgaben::Beginnen(const TSimStatistik& st) {
    if (extra_) {
        extra_.Schreibe(ExtraStatistikKopf());
        extra_.Schreibe("\n");
    }
    if (json_ || plotJson_) {
        JsonKopf(jsonPuffer_, st, lauf_);
        JsonSchreiben();
        jsonPuffer_.reserve(ErgebnisBlock * 80);
    }
}

void TSimAusgaben::Spiele(const TSpielErgebnis* e, size_t menge, int64_t& nummer) {
    const int n = opt_.spieler;
    auto zeile = [&](std::string_view text) { zeilen_ += text; };
    auto zahl = [&](int64_t wert) {
        char ziffern[24];
        const auto ende = std::to_chars(ziffern, ziffern + sizeof ziffern, wert).ptr;
        zeilen_.append(ziffern, ende);
    };
    for (size_t i = 0; i < menge; ++i) {
        ++nummer;
        if (json_ || plotJson_) JsonSpiel(jsonPuffer_, e[i], n, erstesSpiel_);
        erstesSpiel_ = false;
        if (!spielZeilen_) continue;
        // Built in a buffer and written once per block: the stream's number formatting cost
        // a few per cent of the whole run.
        zeile("Spiel ");
        zahl(nummer);
        zeile(": ");
        zahl(e[i].Runden);
        zeile(" Runden");
        for (int s = 0; s < n; ++s) {
            zeile(" | Spieler ");
            zahl(s + 1);
            zeile(": ");
            zahl(e[i].Punkte[s]);
            zeile(" SP, ");
            zahl(e[i].Geld[s]);
            zeile(" Geld, Platz ");
            zahl(e[i].Platz[s]);
        }
        zeilen_ += '\n';
    }
    JsonSchreiben();
    out_.write(zeilen_.data(), static_cast<std::streamsize>(zeilen_.size()));
    zeilen_.clear();
}

void TSimAusgaben::JsonSchreiben() {
    json_.Schreibe(jsonPuffer_);
    plotJson_.Schreibe(jsonPuffer_);
    jsonPuffer_.clear();
}

bool TSimAusgaben::Schliessen(TDatei& d, const std::string& pfad, const char* option) {
    if (d.Schliessen()) return true;
    err_ << "veldmark-sim: " << option << ": Datei '" << pfad << "' unvollständig geschrieben\n";
    return false;
}

bool TSimAusgaben::Abschliessen(const TSimStatistik& st, const TKatalog& katalog, const TLaufEnde& ende) {
    bool ok = Schliessen(trace_, opt_.traceDatei, "--trace");
    if (!berichtPfad_.empty() || berichtAufAusgabe_) {
        const std::string text =
            StatistikBerichtText(st, katalog, ende.SeedEnde, '.') + StroemeBerichtText(ende.Stroeme);
        if (!berichtPfad_.empty()) {
            bericht_.Schreibe(text);
            ok = Schliessen(bericht_, opt_.berichtDatei, "--report") && ok;
        } else {
            out_ << text;
            out_.flush();
        }
    }
    ok = Schliessen(extra_, opt_.extraDatei, "--extra-stats") && ok;
    if (json_ || plotJson_) {
        lauf_.SeedEnde = ende.SeedEnde;
        lauf_.Abgebrochen = ende.Abgebrochen;
        lauf_.Geprueft = opt_.pruefen;
        lauf_.Verletzungen = ende.Verletzungen;
        lauf_.InterneFehler = ende.InterneFehler;
        lauf_.Stroeme = ende.Stroeme;
        JsonSchluss(jsonPuffer_, st, lauf_);
        JsonSchreiben();
        if (json_) ok = Schliessen(json_, opt_.jsonDatei, "--json") && ok;
        if (plotJson_) ok = Schliessen(plotJson_, plotPfad_, "--plot") && ok;
    }
    if (!AusgabeAbschliessen(out_)) {
        err_ << "veldmark-sim: Standardausgabe unvollständig geschrieben\n";
        ok = false;
    }
    return ok;
}

} // namespace vm
