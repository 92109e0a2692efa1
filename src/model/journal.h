// The change journal: change counts of every seat's lists and of the display, and the last change
// of each that the computer players can follow card by card. Only the session's operations that
// change lists and display write it; the computer players read it and keep their memory in it.
#pragma once

#include <cstdint>
#include <memory>

#include "model/arr1.h"

namespace vm {

// The computer players' memory of each seat between moves; defined and created by them.
struct TKISpeicher;

class TSpielsitzung;

class TAenderungsJournal {
public:
    enum TAenderungsArt : int32_t {
        KeineNotiz = 0,
        Eingefuegt = 1, // a card put in at index, the later ones moved on
        Entnommen = -1, // the card at index taken out, the later ones moved up
        NurMarken = 2,  // only used marks set or taken off; every card kept its place
        Ersetzt = 3,    // the card at index replaced, and the new one sorted to place ziel
    };
    // The last change of a list: its count before and after, what happened, and where.
    struct TListenAenderung {
        uint32_t vorher = 0, nachher = 0;
        int32_t art = KeineNotiz;
        int32_t index = 0;
        int32_t ziel = 0;
    };
    // The last change of the display when it took one card out: the count it gave, and the place.
    struct TEntnahme {
        uint32_t stand = 0;
        int32_t reihe = 0, platz = 0;
    };

    // Counts of seat 1..4's lists 1..4; the computer players' memory is keyed on them instead of
    // comparing the lists.
    const Arr1<uint32_t, 4>& ListenStand(int spieler) const { return listenStand_[spieler]; }
    uint32_t ListenStand(int spieler, int liste) const { return listenStand_[spieler][liste]; }
    uint32_t AuslageStand() const { return auslageStand_; }
    const TEntnahme& LetzteEntnahme() const { return letzteEntnahme_; }
    const TListenAenderung& LetzteListenAenderung(int spieler, int liste) const {
        return letzteListenAenderung_[spieler][liste];
    }
    // The seat's blue list holds no used marks: a phase start left it so, and it did not change since.
    bool BlauOhneMarken(int spieler) const {
        return blauOhneMarken_[spieler].gilt && blauOhneMarken_[spieler].stand == listenStand_[spieler][2];
    }

    // The computer players' memory; null until their first move.
    const TKISpeicher* Gedaechtnis() const { return gedaechtnis_.get(); }
    TKISpeicher* Gedaechtnis() { return gedaechtnis_.get(); }
    TKISpeicher& GedaechtnisAnlegen(TKISpeicher* neu, void (*loeschen)(TKISpeicher*)) {
        gedaechtnis_ = {neu, loeschen};
        return *neu;
    }

private:
    friend class TSpielsitzung;

    void SitzGeaendert(int spieler) {
        for (uint32_t& n : listenStand_[spieler]) ++n;
    }
    void ListeGezaehlt(int spieler, int liste) { ++listenStand_[spieler][liste]; }
    void ListeGeaendert(int spieler, int liste, uint32_t vorher, TAenderungsArt art, int32_t index,
                        int32_t ziel) {
        letzteListenAenderung_[spieler][liste] = {vorher, listenStand_[spieler][liste], art, index, ziel};
    }
    void AuslageGeaendert() { ++auslageStand_; }
    void AuslageEntnommen(int reihe, int platz) { letzteEntnahme_ = {++auslageStand_, reihe, platz}; }
    void BlauOhneMarkenMerken(int spieler) { blauOhneMarken_[spieler] = {listenStand_[spieler][2], true}; }
    void AllesGeaendert() {
        for (int sp = 1; sp <= 4; ++sp) SitzGeaendert(sp);
        ++auslageStand_;
    }

    struct TOhneMarken {
        uint32_t stand = 0;
        bool gilt = false;
    };
    Arr1<Arr1<uint32_t, 4>, 4> listenStand_{};
    uint32_t auslageStand_ = 0;
    TEntnahme letzteEntnahme_;
    Arr1<Arr1<TListenAenderung, 4>, 4> letzteListenAenderung_{};
    Arr1<TOhneMarken, 4> blauOhneMarken_{};
    std::unique_ptr<TKISpeicher, void (*)(TKISpeicher*)> gedaechtnis_{nullptr, nullptr};
};

} // namespace vm
