// The board's scale and the window's place on the screen. The board draws its sizes, places,
// pictures and font at the chosen percentage itself (fractional display scale factors below 1
// leave parts of a Qt window unpainted); a screen too small for that percentage gets the
// largest one that fits.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

namespace vm::ui {

struct TMassstab {
    int32_t Prozent = 100;

    // A length of the board at 100 %, rounded to whole pixels at this scale.
    int Px(int n) const { return static_cast<int>((static_cast<int64_t>(n) * Prozent + 50) / 100); }
    QSize Px(QSize s) const { return {Px(s.width()), Px(s.height())}; }
    QPoint Px(QPoint p) const { return {Px(p.x()), Px(p.y())}; }
    double Faktor() const { return Prozent / 100.0; }
};

// What the window manager adds around a window (title bar, borders), reserved when the window
// is fitted to a screen before it has a frame of its own.
constexpr QSize Fensterrahmen{8, 32};

// The percentage at most `prozent` at which a window that needs `noetig` at `prozent` fits
// into `frei`, assuming it grows and shrinks in proportion; never below `minimum`. A window
// that fits keeps `prozent`; one that does not gets a smaller one.
int32_t PassendeSkalierung(int32_t prozent, QSize noetig, QSize frei, int32_t minimum);

// The top-left corner of `fenster` moved as little as possible so that it lies on `frei`; a
// window larger than `frei` keeps its top-left corner on it.
QPoint AufBildschirm(QRect fenster, QRect frei);

} // namespace vm::ui
