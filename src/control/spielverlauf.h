// The move list beside the board: the game's events as plain sentences in the language in use,
// the round and the phase as headings. It follows the history, so that after an undo it shows
// what happened up to the restored position, and after a redo again what followed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/mensch.h"
#include "model/katalog.h"
#include "model/sitzung.h"
#include "persist/texte.h"

namespace vm {

class TSpielverlauf : public ISpielEreignisse {
public:
    enum class Art { Runde, Phase, Satz };
    struct TZeile {
        Art art = Art::Satz;
        std::string text;
        int32_t runde = 0; // the round the line belongs to
        int32_t phase = 0; // a phase heading: its phase 1..4
    };

    // Card names come from `katalog`, the catalogue the board shows. With `stand`, the game's
    // variant of hidden hand cards keeps a card an opponent drew at the observatory unnamed.
    TSpielverlauf(const TTexte& texte, const TKatalog& katalog, const TSpielstand* stand = nullptr)
        : texte_(texte), katalog_(katalog), spielstand_(stand) {}

    void Ereignis(const TEreignis& e) override;

    // A new game.
    void Leeren();
    // A loaded game: its moves are not in the file; the list starts with a note there.
    void Geladen(int32_t anzahlEintraege);
    // The history saved entry `eintrag`, or showed it again (undo, redo).
    void HistorieGesichert(int32_t eintrag);
    void HistorieGesprungen(int32_t eintrag);

    // The lines shown; those beyond come back with a redo until the next move drops them.
    size_t Anzahl() const { return sichtbar_; }
    const TZeile& Zeile(size_t i) const { return zeilen_[i]; }
    // Counts every change that took lines back: a view rebuilds itself then.
    uint32_t Stand() const { return stand_; }

private:
    void Neu(Art art, std::string text, int32_t phase = 0);
    std::string Name(tKartenRef k) const;

    const TTexte& texte_;
    const TKatalog& katalog_;
    const TSpielstand* spielstand_;
    std::vector<TZeile> zeilen_;
    size_t sichtbar_ = 0;
    uint32_t stand_ = 0;
    std::vector<size_t> marken_; // per history entry, the lines shown when it was saved
    int32_t runde_ = 0;
    // The card a seat drew at the observatory or took out of its hand for laying: the seat's
    // next action with that card tells where it came from.
    struct THerkunft {
        TEreignis::Art art = TEreignis::Phase;
        tKartenRef karte{};
    };
    THerkunft herkunft_[5]{};
};

// The status bar's texts: what the human is asked to do, why a click was refused, and what a
// marked table card would cost.
std::string AufforderungText(const TTexte& t, const TKatalog& k, TAufforderung a, tKartenRef karte);
std::string AblehnungText(const TTexte& t, const TKatalog& k, const TAblehnung& a);
std::string ZielpreisText(const TTexte& t, const TKatalog& k, const TZielpreis& z);

} // namespace vm
