#include "ui/werkzeugsymbol.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace vm::ui {

namespace {

// The sizes the tool bar takes at the scales of the board.
constexpr int Seiten[] = {11, 16, 22, 24, 32, 44};

} // namespace

QIcon MitDeutlichemAus(const QIcon& icon) {
    QIcon aus;
    for (int seite : Seiten) {
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

QIcon TippSymbol() {
    QIcon icon;
    for (int seite : Seiten) {
        QPixmap bild(seite, seite);
        bild.fill(Qt::transparent);
        QPainter p(&bild);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(seite / 32.0, seite / 32.0);
        // The glass: a lit circle narrowing into the neck.
        QPainterPath glas;
        glas.moveTo(11.5, 21);
        glas.cubicTo(11.5, 17, 6, 15, 6, 10.5);
        glas.arcTo(6, 1, 20, 19, 180, -180);
        glas.cubicTo(26, 15, 20.5, 17, 20.5, 21);
        glas.closeSubpath();
        QRadialGradient licht(13, 8, 14);
        licht.setColorAt(0, QColor(0xFF, 0xFF, 0xE0));
        licht.setColorAt(0.6, QColor(0xFF, 0xD8, 0x30));
        licht.setColorAt(1, QColor(0xE8, 0xA0, 0x00));
        p.setPen(QPen(QColor(0x70, 0x50, 0x00), 1.6));
        p.setBrush(licht);
        p.drawPath(glas);
        // The screw base.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x80, 0x80, 0x88));
        p.drawRoundedRect(QRectF(11, 21.5, 10, 6.5), 1.5, 1.5);
        p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1.4));
        p.drawLine(QPointF(11.5, 24), QPointF(20.5, 24));
        p.drawLine(QPointF(11.5, 26.3), QPointF(20.5, 26.3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x40, 0x40, 0x48));
        p.drawRoundedRect(QRectF(13.5, 28, 5, 2.5), 1, 1);
        p.end();
        icon.addPixmap(bild);
    }
    return icon;
}

} // namespace vm::ui
