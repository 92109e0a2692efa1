#include "ui/massstab.h"

#include <algorithm>
#include <cmath>

namespace vm::ui {

int32_t PassendeSkalierung(int32_t prozent, QSize noetig, QSize frei, int32_t minimum) {
    if (noetig.width() <= frei.width() && noetig.height() <= frei.height()) return prozent;
    if (noetig.isEmpty() || frei.isEmpty()) return minimum;
    const double faktor = std::min(static_cast<double>(frei.width()) / noetig.width(),
                                   static_cast<double>(frei.height()) / noetig.height());
    // Always a step down, so that repeated fitting ends.
    const auto kleiner = static_cast<int32_t>(std::floor(prozent * faktor));
    return std::max(minimum, std::min(prozent - 1, kleiner));
}

QPoint AufBildschirm(QRect fenster, QRect frei) {
    if (frei.isEmpty()) return fenster.topLeft();
    int x = std::min(fenster.x(), frei.right() + 1 - fenster.width());
    int y = std::min(fenster.y(), frei.bottom() + 1 - fenster.height());
    x = std::max(x, frei.x());
    y = std::max(y, frei.y());
    return {x, y};
}

} // namespace vm::ui
