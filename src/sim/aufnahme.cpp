#include "sim/aufnahme.h"

#include <memory>
#include <ostream>

#include "ai/compizug.h"
#include "ai/spielstaerke.h"
#include "persist/spieldatei.h"

namespace vm {

namespace {

// The rules' hooks while recording: presets as in the window, and the history entries with
// seat 1 shown as the human seat it stands for.
class Aufnahme : public THistorieAnschluss {
public:
    Aufnahme(TSpielsitzung& g, THistorie& h) : THistorieAnschluss(g, h), g_(g), h_(h) {}
    void SpielstaerkeAnwenden() override { vm::SpielstaerkeAnwenden(g_, g_.Menue.Spielstaerke); }
    void HistorieEintrag() override {
        const int32_t vorher = h_.H().AktuellerEintrag;
        const uint8_t computer = g_.S.Computer[1];
        g_.S.Computer[1] = 0;
        THistorieAnschluss::HistorieEintrag();
        g_.S.Computer[1] = computer;
        if (h_.H().AktuellerEintrag != vorher) SeedBeimEintrag = g_.Zufall.RandSeed;
    }
    // The generator at the last entry that was kept (a full history keeps no more).
    uint32_t SeedBeimEintrag = 0;

private:
    TSpielsitzung& g_;
    THistorie& h_;
};

class SenkeAufStrom : public IFehlerSenke {
public:
    explicit SenkeAufStrom(std::ostream& err) : err_(err) {}
    void Melde(std::string_view meldung) override { err_ << "veldmark-sim record: " << meldung << '\n'; }

private:
    std::ostream& err_;
};

} // namespace

std::string SpielAufnehmen(TSpielsitzung& g, THistorie& h, const TAufnahmeOptionen& opt, int64_t& zuege) {
    zuege = 0;
    std::string fehler = SimVorbereiten(g, opt.sim);
    if (!fehler.empty()) return fehler;
    // A game as the window plays it: no simulation flag in the settings the file carries.
    g.SimulationLaeuft = false;
    for (int n = 2; n <= 4; ++n) g.Einstellungen.Fuer(n).Sim = 0;
    Aufnahme aufnahme(g, h);
    g.SetzeAblauf(&aufnahme);
    g.S.Computer[1] = 0;
    NeuesSpielMitHistorie(g, h);
    aufnahme.SeedBeimEintrag = g.Zufall.RandSeed;
    g.S.Computer[1] = 1;
    while (!g.S.Spielende && (opt.zuege < 0 || zuege < opt.zuege)) {
        CompiZug(g);
        ++zuege;
    }
    g.SetzeAblauf(nullptr);
    const TSpielHistorie& hs = h.H();
    if (hs.AnzahlEintraege < 1)
        return "nach " + std::to_string(zuege) +
               " Zügen hat die Historie noch keinen Eintrag (Spieler 1 war nicht am Zug); nichts gespeichert";
    g.S = hs.Eintrag[hs.AktuellerEintrag];
    g.ZustandErsetzt();
    g.Zufall.RandSeed = aufnahme.SeedBeimEintrag;
    return {};
}

int SimAufnahme(const TAufnahmeOptionen& opt, std::ostream& out, std::ostream& err) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    SenkeAufStrom senke(err);
    g->SetzeFehlerSenke(&senke);
    auto h = std::make_unique<THistorie>();
    int64_t zuege = 0;
    std::string fehler = AusgabenPruefen({{"--out", opt.datei}}, {{"--params", opt.sim.parameterDatei}});
    if (fehler.empty()) fehler = SpielAufnehmen(*g, *h, opt, zuege);
    if (!fehler.empty()) {
        err << "veldmark-sim record: " << fehler << '\n';
        return 2;
    }
    h->Puzzle.SetPuzzle1 = opt.puzzle == 1;
    h->Puzzle.SetPuzzle2 = opt.puzzle == 2;
    h->Puzzle.SetPuzzle3 = opt.puzzle == 3;
    std::string saveDir;
    const TMeldung m = SpeichereSpieldatei(*g, *h, opt.datei, saveDir);
    g->SetzeFehlerSenke(nullptr);
    if (m.Da()) {
        err << m.Titel << ": " << m.Text << '\n';
        if (!m.Grund.empty()) err << "veldmark-sim record: " << m.Grund << '\n';
        return 1;
    }
    const TSpielHistorie& hs = h->H();
    out << opt.datei << ": " << zuege << " Züge, Eintrag " << hs.AktuellerEintrag << " von "
        << hs.AnzahlEintraege << (g->S.Spielende ? ", Spielende" : "") << '\n';
    int rc = 0;
    if (g->AnzahlFehler > 0) {
        err << "veldmark-sim record: " << g->AnzahlFehler << " interne Fehler\n";
        rc = 1;
    }
    if (!AusgabeAbschliessen(out)) {
        err << "veldmark-sim record: Standardausgabe unvollständig geschrieben\n";
        rc = 1;
    }
    return rc;
}

int SimAnsehen(const std::string& datei, std::ostream& out, std::ostream& err) {
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto h = std::make_unique<THistorie>();
    std::string saveDir;
    const TLadeErgebnis e = LadeSpieldatei(*g, *h, datei, saveDir);
    if (!e.Geladen) {
        err << e.Meldung.Titel << ": " << e.Meldung.Text << '\n';
        if (!e.Meldung.Grund.empty()) err << "veldmark-sim inspect: " << e.Meldung.Grund << '\n';
        return 1;
    }
    out << "Datei: " << datei << '\n' << HistorieBeschreibung(h->H(), katalog);
    if (!AusgabeAbschliessen(out)) {
        err << "veldmark-sim inspect: Standardausgabe unvollständig geschrieben\n";
        return 1;
    }
    return 0;
}

} // namespace vm
