// The human's moves on seat 1: selecting a display or hand card, the offered targets, the
// Shift/Ctrl shortcuts, passing, the observatory and the pub. The window only turns its mouse
// events into these calls; what it has to draw beyond the rules' board refreshes it is told here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "control/fensterzustand.h"
#include "model/sitzung.h"

namespace vm {

enum class Maustaste { Links, Rechts, Andere };

// Keyboard modifiers held when the button was released.
struct TTasten {
    bool Shift = false;
    bool Ctrl = false;
    bool Umschalt() const { return Shift || Ctrl; }
};

// Why the human's last click did less than asked: a card got no table target, no hand slot, or a
// shortcut was refused. The reasons are bits; `karte` is the card, `preis` its price (for an
// upgrade the cheapest over a card it may replace) and `geld` the seat's money.
struct TAblehnung {
    enum Grund : uint32_t {
        ZuWenigGeld = 1,
        HandVoll = 2,
        TischVoll = 4,
        KeinAusbauziel = 8,    // an upgrade that replaces none of the seat's cards
        AusbauNurAufZiel = 16, // a shortcut cannot lay an upgrade: it needs a marked target
    };
    uint32_t Gruende = 0;
    tKartenRef karte{};
    int32_t preis = 0;
    int32_t geld = 0;
    bool Da() const { return Gruende != 0; }
};

// What the human is asked to do beyond an ordinary move.
enum class TAufforderung { Keine, Schenke, SternwarteLegen };

// The price the seat would pay for the card it moves onto a table target.
struct TZielpreis {
    tKartenRef karte{};
    tKartenRef ersetzt{}; // the card an upgrade would replace; empty for a free place
    int32_t preis = 0;
    bool schenke = false; // the target is the pub of the pub round: `preis` is the most points
};

// Why the seat can lay `karte` nowhere on its table at price row `reihe`; none when it can.
TAblehnung TischGrund(TSpielsitzung& g, int spieler, tKartenRef karte, int reihe);

// The selection as the window draws it.
class IMenschAnzeige {
public:
    virtual ~IMenschAnzeige() = default;
    virtual void AuslageAnheben(int /*reihe*/, int /*platz*/, bool /*hoch*/) {}
    virtual void HandAnheben(int /*platz*/, bool /*hoch*/) {}
    // The free hand slot offered as a target: drawn as the card back and raised, or taken back.
    virtual void HandZielZeigen(int /*platz*/, bool /*zeigen*/) {}
};

// The observatory dialog's state. The dialog shows it; it draws and chooses only through here.
class TSternwartenDialog {
public:
    enum Wahl : int32_t { Abwurf = 0, Kaufen = 1, Hand = 2 };

    // Offers every stack with at least 2 cards; the last chosen stack is preselected.
    TSternwartenDialog(TSpielsitzung& g, int32_t& letzterStapel);

    int AnzahlAngebote() const { return anzahl_; }
    int Angebot(int eintrag) const { return angebot_[static_cast<size_t>(eintrag)]; } // stack number
    int Vorwahl() const { return vorwahl_; }
    static std::string_view StapelName(int stapel);

    bool KannZiehen() const { return anzahl_ > 0 && !gezogen_; }
    // Draws the top card of the stack of entry `eintrag`. A stack that gives nothing is a fault;
    // the use then counts as cancelled whatever is chosen afterwards.
    void Ziehen(int eintrag);
    bool Gezogen() const { return gezogen_; }
    tKartenRef Karte() const { return karte_; }
    bool KannKaufen() const { return kannKaufen_; }
    bool KannHand() const { return kannHand_; }
    // A choice the dialog has disabled is not taken; the card is then discarded.
    void Waehle(Wahl w);
    Wahl Gewaehlt() const { return wahl_; }

private:
    TSpielsitzung& g_;
    int32_t& letzterStapel_;
    std::array<int, 4> angebot_{};
    int anzahl_ = 0;
    int vorwahl_ = 0;
    bool gezogen_ = false;
    tKartenRef karte_{};
    bool kannKaufen_ = false;
    bool kannHand_ = false;
    Wahl wahl_ = Abwurf;
};

// The pub dialog's numbers: points are bought for 2 money each, at most 5 per pub.
struct TSchenkeDialog {
    int32_t Geld = 0;
    int32_t Grenze = 0;
    int32_t Hoechstens() const {
        int32_t n = Geld / 2 < Grenze ? Geld / 2 : Grenze;
        return n < 0 ? 0 : n;
    }
};

class IMenschDialoge {
public:
    virtual ~IMenschDialoge() = default;
    // Shows the observatory dialog modally.
    virtual void Sternwarte(TSternwartenDialog& d) = 0;
    // Shows the pub dialog modally; the points chosen (0: none).
    virtual int32_t Schenke(const TSchenkeDialog& d) = 0;
};

class TMensch {
public:
    explicit TMensch(TSpielsitzung& g) : g_(g), zustand_(g) {}
    TMensch(const TMensch&) = delete;
    TMensch& operator=(const TMensch&) = delete;

    void SetzeAnzeige(IMenschAnzeige* a) { anzeige_ = a ? a : &ohneAnzeige_; }
    void SetzeDialoge(IMenschDialoge* d) { dialoge_ = d; }

    // Seat 1 may act now: on turn, the game running and not played by the computer.
    bool AmZug() const;

    // Button released over display card (row, place).
    void AuslageKlick(int reihe, int platz, Maustaste taste, TTasten tasten);
    // Button released over seat 1's hand slot.
    void HandKlick(int platz, Maustaste taste, TTasten tasten);
    // Click on seat 1's table position.
    void TischKlick(int32_t position);
    // Double click on seat 1's table position: observatory and pub.
    void TischDoppelklick(int32_t position);
    // Button released over the display rows or seat 1's hand panel outside a card.
    void FlaecheKlick(Maustaste taste, TTasten tasten);
    // The pass button.
    void Passe();

    // Clears the display and the hand selection with what they offer (the board's hook of the
    // rules' AuswahlAufheben).
    void AuswahlAufheben();
    // A new game, a restored or loaded state: nothing selected, no observatory card waiting.
    void Zuruecksetzen();

    bool AuslageGewaehlt() const { return auswahlReihe_ != 0; }
    int AuswahlReihe() const { return auswahlReihe_; }
    int AuswahlPlatz() const { return auswahlPlatz_; }
    bool HandGewaehlt() const { return auswahlHand_; }
    // The selected hand card's slot, or the hand slot offered for the selected display card.
    int HandZiel() const { return handZiel_; }
    bool SternwartenKarteWartet() const { return !zustand_.SternwartenKarte.Leer(); }
    // The offered table places and the waiting observatory card.
    const TFensterZustand& Zustand() const { return zustand_; }
    TFensterZustand& Zustand() { return zustand_; }
    // Why the last click did less than asked; nothing when it did what it was asked.
    const TAblehnung& Ablehnung() const { return ablehnung_; }
    TAufforderung Aufforderung() const;
    // What the marked table position `position` would cost; empty for a position not offered.
    std::optional<TZielpreis> Zielpreis(int32_t position) const;
    int32_t LetzterStapel() const { return letzterStapel_; }

private:
    void AuslageWaehlen(int reihe, int platz);
    void AuslageAbwaehlen();
    void HandWaehlen(int platz);
    void HandAbwaehlen();
    bool Passt(int farbe) const; // the table can take one more card of that colour
    void SternwarteBenutzen(int32_t position);
    void SchenkeBenutzen();
    // Every move of the person ends here: counted, then the turn goes on.
    void ZugBeenden();

    TSpielsitzung& g_;
    TFensterZustand zustand_;
    IMenschAnzeige ohneAnzeige_;
    IMenschAnzeige* anzeige_ = &ohneAnzeige_;
    IMenschDialoge* dialoge_ = nullptr;
    int auswahlReihe_ = 0; // 0: no display card selected
    int auswahlPlatz_ = 0;
    bool auswahlHand_ = false;
    int handZiel_ = 0;
    int32_t letzterStapel_ = 0;
    TAblehnung ablehnung_;
};

} // namespace vm
