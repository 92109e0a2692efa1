// One game session: the live game state with everything that belongs to it. The window
// owns one, every simulation worker its own; nothing of a game lives in globals.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/trace.h"
#include "model/einstellung.h"
#include "model/journal.h"
#include "model/katalog.h"
#include "model/spielstand.h"
#include "model/zufall.h"

namespace vm {

// The board as the rules see it: every change of the game state requests the refresh of the
// affected control. The simulator has none.
class IBrett {
public:
    virtual ~IBrett() = default;
    virtual void GeldAnzeigen(int /*spieler*/) {}
    virtual void SiegpunkteAnzeigen(int /*spieler*/) {}
    virtual void LetzteAktionAnzeigen(int /*spieler*/) {} // last action and last card
    virtual void AuslageAnzeigen(int /*reihe*/, int /*platz*/) {}
    virtual void StapelAnzeigen(int /*stapel*/) {}
    virtual void PhaseAnzeigen() {}
    virtual void RundeAnzeigen() {}
    virtual void SpielerAnzahlAnzeigen() {}
    virtual void StartspielerAnzeigen() {} // the seats' tokens
    virtual void AmZugAnzeigen() {}        // highlight of the seat on turn
    virtual void HandAnzeigen(int /*spieler*/, int /*platz*/) {}
    virtual void TischpositionAnzeigen(int /*spieler*/, int /*position*/) {}
    virtual void TischpositionAnheben(int /*spieler*/, int /*position*/, bool /*hoch*/) {}
    virtual void TischAnzeigen(int /*spieler*/) {} // the whole table of a seat
    virtual void SpielfeldAnzeigen() {}
    virtual void AuswahlAufheben() {} // the human's selection of display and hand cards
};

// The board as the rules call it. Without a board (the simulator) a refresh costs the test of
// one pointer, which the compiler hoists out of a loop of refreshes, instead of a virtual call.
class TBrettZugang {
public:
    explicit TBrettZugang(IBrett* b) : b_(b) {}
    void GeldAnzeigen(int spieler) const {
        if (b_) b_->GeldAnzeigen(spieler);
    }
    void SiegpunkteAnzeigen(int spieler) const {
        if (b_) b_->SiegpunkteAnzeigen(spieler);
    }
    void LetzteAktionAnzeigen(int spieler) const {
        if (b_) b_->LetzteAktionAnzeigen(spieler);
    }
    void AuslageAnzeigen(int reihe, int platz) const {
        if (b_) b_->AuslageAnzeigen(reihe, platz);
    }
    void StapelAnzeigen(int stapel) const {
        if (b_) b_->StapelAnzeigen(stapel);
    }
    void PhaseAnzeigen() const {
        if (b_) b_->PhaseAnzeigen();
    }
    void RundeAnzeigen() const {
        if (b_) b_->RundeAnzeigen();
    }
    void SpielerAnzahlAnzeigen() const {
        if (b_) b_->SpielerAnzahlAnzeigen();
    }
    void StartspielerAnzeigen() const {
        if (b_) b_->StartspielerAnzeigen();
    }
    void AmZugAnzeigen() const {
        if (b_) b_->AmZugAnzeigen();
    }
    void HandAnzeigen(int spieler, int platz) const {
        if (b_) b_->HandAnzeigen(spieler, platz);
    }
    void TischpositionAnzeigen(int spieler, int position) const {
        if (b_) b_->TischpositionAnzeigen(spieler, position);
    }
    void TischpositionAnheben(int spieler, int position, bool hoch) const {
        if (b_) b_->TischpositionAnheben(spieler, position, hoch);
    }
    void TischAnzeigen(int spieler) const {
        if (b_) b_->TischAnzeigen(spieler);
    }
    void SpielfeldAnzeigen() const {
        if (b_) b_->SpielfeldAnzeigen();
    }
    void AuswahlAufheben() const {
        if (b_) b_->AuswahlAufheben();
    }

private:
    IBrett* b_;
};

// What the rules hand on to the history, the presets and the end-of-game dialog.
class ISpielAblauf {
public:
    virtual ~ISpielAblauf() = default;
    virtual void SpielstaerkeAnwenden() {}
    virtual void HistorieEintrag() {}
    virtual void SpielendeAnzeigen() {}
    virtual void NachWertung(int /*phase*/) {}
};

// What happened in the game, as the move list beside the board tells it: every action of a
// seat, every new phase and the end. The values say, by kind:
//   Phase: wert1 phase, wert2 round;  Kauf, Ausbau: wert1 price (Ausbau: `ersetzt` the card it
//   replaced);  Siegpunkte: wert1 points, wert2 money paid;  Sternwarte: the drawn card;
//   AusHand: the hand card taken for laying;  Ergebnis: wert1 place, wert2 points, wert3 money.
struct TEreignis {
    enum Art : int32_t {
        Phase,
        Schenkenrunde,
        Kauf,
        Ausbau,
        Hand,
        Passe,
        Siegpunkte,
        KeineSiegpunkte,
        Abwurf,
        Sternwarte,
        AusHand,
        Spielende,
        Ergebnis,
    };
    Art art = Phase;
    int32_t spieler = 0;
    tKartenRef karte{};
    tKartenRef ersetzt{};
    int32_t wert1 = 0, wert2 = 0, wert3 = 0;
};

class ISpielEreignisse {
public:
    virtual ~ISpielEreignisse() = default;
    virtual void Ereignis(const TEreignis& e) = 0;
};

// The person's open choices on seat 1 between two clicks: the table places offered as targets for
// the chosen card, and an observatory card drawn and waiting for its place. The window's side
// keeps them; the rules offer, take back and discard only through here. The simulator has none.
class IMenschAuswahl {
public:
    virtual ~IMenschAuswahl() = default;
    virtual bool Angeboten(int position) const = 0;
    virtual void Anbieten(int position, bool an) = 0;
    virtual bool IrgendeinAngebot() const = 0;
    virtual tKartenRef WartendeKarte() const = 0;
    virtual void KarteWartet(tKartenRef karte) = 0; // the empty reference: none waits
    virtual void Leeren() = 0;                      // no offer, no waiting card
    // The correction mode: a game set up while it is on starts marked as altered.
    virtual bool KorrekturmodusAn() const = 0;
    virtual void KorrekturmodusSetzen(bool an) = 0;
};

// Menu choices that a new game takes over.
struct TMenueWahl {
    int32_t SpielerAnzahl = 4;
    int32_t Spielstaerke = 4;
    bool AdelsbonusErweitert = false;
    bool VerdeckteHandkarten = false;
    bool KeineHofmeisterinRunde1 = false;
};

class TSpielsitzung {
public:
    explicit TSpielsitzung(const TKatalog& katalog);
    TSpielsitzung(const TSpielsitzung&) = delete;
    TSpielsitzung& operator=(const TSpielsitzung&) = delete;

    TSpielstand S{};
    TZufall Zufall;
    TTraceLog Log;
    TStrategieeinstellungen Einstellungen{};
    TStrategieeinstellungen ExpertenEinstellungen{}; // the user's own while a preset strength is active
    TMenueWahl Menue;

    int32_t AktionenImZug = 0; // card actions in the current turn
    Arr1<int32_t, 4> Platz{};  // ranking after the last game
    bool SimulationLaeuft = false;
    uint64_t MenschZuege = 0;          // moves the person made on seat 1, for "played since the last save"
    std::string ProfilOrdner;          // ErrorTrace.txt goes here; empty: not written
    int64_t AnzahlFehler = 0;          // internal faults reported so far
    int32_t StrategiewechselTiefe = 0; // nesting of strategy switches within one computer move

    // The game state to read: the computer players see it only so, and change it through the rules.
    const TSpielstand& Stand() const { return S; }
    const TKatalog& Katalog() const { return *katalog_; }
    TBrettZugang Brett() { return TBrettZugang(brett_); }
    ISpielAblauf& Ablauf() { return *ablauf_; }
    void SetzeBrett(IBrett* b) { brett_ = b; }
    void SetzeAblauf(ISpielAblauf* a) { ablauf_ = a ? a : &ohneAblauf_; }
    void SetzeFehlerSenke(IFehlerSenke* s) { senke_ = s; }
    void SetzeEreignisse(ISpielEreignisse* e) { ereignisse_ = e; }
    ISpielEreignisse* Ereignisse() const { return ereignisse_; }
    void SetzeMenschAuswahl(IMenschAuswahl* a) { auswahl_ = a; }
    IMenschAuswahl* MenschAuswahl() const { return auswahl_; }
    // The observatory card waiting for seat 1's table; empty when none waits or nobody plays.
    tKartenRef WartendeSternwartenKarte() const {
        return auswahl_ ? auswahl_->WartendeKarte() : tKartenRef{};
    }
    void SternwartenKarteVerwerfen() {
        if (auswahl_) auswahl_->KarteWartet({});
    }
    void TischplatzAnbieten(int position) {
        if (auswahl_) auswahl_->Anbieten(position, true);
    }
    // Reports an event to the move list, with the values of `TEreignis` after its kind. Nobody
    // listens in a simulation: then the event is never built and the report costs the test of
    // one pointer.
    template <class... A> void Ereignis(TEreignis::Art art, const A&... werte) {
        if (ereignisse_) EreignisMelden(art, werte...);
    }

    // What the computer players follow between moves; written only by the operations below.
    const TAenderungsJournal& Journal() const { return journal_; }
    TKISpeicher* KIGedaechtnis() { return journal_.Gedaechtnis(); }
    TKISpeicher& KIGedaechtnisAnlegen(TKISpeicher* neu, void (*loeschen)(TKISpeicher*)) {
        return journal_.GedaechtnisAnlegen(neu, loeschen);
    }

    // A seat to change. Counts as a change of all its card lists, so that what the computer
    // players derived from them is built anew.
    TSpieler& Sp(int spieler) {
        journal_.SitzGeaendert(spieler);
        return S.Spieler[spieler];
    }
    // A seat whose money, points, last action or abilities change, but none of its lists.
    TSpieler& SpKonto(int spieler) { return S.Spieler[spieler]; }
    // One list of a seat (1..3 table, 4 hand) to change.
    TKartenliste& SpListe(int spieler, int liste) {
        journal_.ListeGezaehlt(spieler, liste);
        return S.Spieler[spieler].Karten[liste];
    }
    // After a change of one list that TAenderungsArt names, counted through SpListe; `vorher`
    // is the list's count before the operation.
    void ListeGeaendert(int spieler, int liste, uint32_t vorher, TAenderungsJournal::TAenderungsArt art,
                        int32_t index, int32_t ziel = 0) {
        journal_.ListeGeaendert(spieler, liste, vorher, art, index, ziel);
    }
    // A phase start found seat's blue list without used marks.
    void BlauOhneMarkenMerken(int spieler) { journal_.BlauOhneMarkenMerken(spieler); }
    void AuslageGeaendert() { journal_.AuslageGeaendert(); }
    // The card at that place left the display, and the rest of its row moved up to fill it.
    void AuslageEntnommen(int reihe, int platz) { journal_.AuslageEntnommen(reihe, platz); }
    // After the whole state was replaced (undo, loading, a recording): everything counts as changed.
    void ZustandErsetzt() { journal_.AllesGeaendert(); }
    const tKarte& Daten(tKartenRef k) const { return katalog_->Daten(k); }
    // Card number of an unmarked reference within the used kinds; 0 and fault 1 otherwise.
    int32_t KarteRefToInx(tKartenRef k);
    const TStrategieEinstellung& EinstellungLaufend() const { return Einstellungen.Fuer(S.SpielerAnzahl); }

    bool TraceAn() const { return Log.TraceAn; }
    void TraceZeile(std::string text) { Log.Zeile(std::move(text)); }
    // Writes one trace line built from its parts, only while the trace is on.
    template <class... A> void Trace(const A&... teile) {
        if (Log.TraceAn) TraceSchreiben(teile...);
    }

    // Reports a fault that an operation found; the caller carries on with a neutral result.
    void InternerFehler(int32_t nummer, std::string_view prozedur);

    // The reset at program start and at every set-up.
    void ZustandZuruecksetzen();

private:
    template <class... A>
    [[gnu::noinline, gnu::cold]] void EreignisMelden(TEreignis::Art art, const A&... werte) {
        ereignisse_->Ereignis(TEreignis{art, werte...});
    }
    // Out of line and cold: the rules and the computer players call Trace at nearly every
    // step, and without the trace none of this code should sit between theirs.
    template <class... A> [[gnu::noinline, gnu::cold]] void TraceSchreiben(const A&... teile) {
        std::string s;
        (Anhaengen(s, teile), ...);
        Log.Zeile(std::move(s));
    }
    // Out of line: keeps the hot callers small and the string code in one place.
    void Anhaengen(std::string& s, std::string_view v) const;
    void Anhaengen(std::string& s, const char* v) const { Anhaengen(s, std::string_view(v)); }
    void Anhaengen(std::string& s, const std::string& v) const { Anhaengen(s, std::string_view(v)); }
    void Anhaengen(std::string& s, tKartenRef k) const;
    void AnhaengenZahl(std::string& s, long long v) const;
    template <class I, class = std::enable_if_t<std::is_integral_v<I>>>
    void Anhaengen(std::string& s, I v) const {
        AnhaengenZahl(s, static_cast<long long>(v));
    }

    const TKatalog* katalog_;
    ISpielAblauf ohneAblauf_;
    IBrett* brett_ = nullptr; // none: the refreshes do nothing
    ISpielAblauf* ablauf_ = &ohneAblauf_;
    IFehlerSenke* senke_ = nullptr;
    ISpielEreignisse* ereignisse_ = nullptr;
    IMenschAuswahl* auswahl_ = nullptr;
    TAenderungsJournal journal_;
};

} // namespace vm
