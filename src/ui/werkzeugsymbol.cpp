#include "ui/werkzeugsymbol.h"

#include <QImage>
#include <QPixmap>

namespace vm::ui {

QIcon MitDeutlichemAus(const QIcon& icon) {
    QIcon aus;
    // The sizes the tool bar takes at the scales of the board.
    for (int seite : {11, 16, 22, 24, 32, 44}) {
        const QSize groesse(seite, seite);
        const QPixmap an = icon.pixmap(groesse);
        if (an.isNull()) continue;
        aus.addPixmap(an, QIcon::Normal);
        aus.addPixmap(icon.pixmap(groesse, QIcon::Active), QIcon::Active);
        QImage bild = an.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < bild.height(); ++y) {
            auto* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
            for (int x = 0; x < bild.width(); ++x) {
                const int grau = 96 + qGray(zeile[x]) / 2;
                zeile[x] = qRgba(grau, grau, grau, qAlpha(zeile[x]) * 2 / 5);
            }
        }
        aus.addPixmap(QPixmap::fromImage(bild), QIcon::Disabled);
    }
    return aus;
}

} // namespace vm::ui
