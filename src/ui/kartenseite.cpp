#include "ui/kartenseite.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include "model/katalog.h"

namespace vm::ui {

namespace {

constexpr int Breite = SeiteBreite;
constexpr int Hoehe = SeiteHoehe;
constexpr int Rand = 9;

const QColor Gruen(0x51, 0xDD, 0x22);
const QColor Blau(0x64, 0xB1, 0xFF);
const QColor Rot(0xFF, 0x80, 0x40);
const QColor Ausbau(0xFF, 0xFF, 0x80);
const QColor Tinte(0x20, 0x20, 0x20);

QColor Phasenfarbe(int farbe) {
    switch (farbe) {
    case 1:
        return Gruen;
    case 2:
        return Blau;
    default:
        return Rot;
    }
}

QColor Hell(const QColor& c, double anteil) {
    return QColor::fromRgbF(1 - (1 - c.redF()) * anteil, 1 - (1 - c.greenF()) * anteil,
                            1 - (1 - c.blueF()) * anteil);
}

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The largest font size up to `groesse` at which `text` fits the box, wrapped at word breaks.
QFont Passend(const QString& text, const QRect& box, int groesse, bool fett, bool schmal = true) {
    QFont f(schmal ? "DejaVu Sans Condensed" : "DejaVu Sans");
    f.setBold(fett);
    for (; groesse > 8; --groesse) {
        f.setPixelSize(groesse);
        QRect r = QFontMetrics(f).boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        if (r.width() <= box.width() && r.height() <= box.height()) break;
    }
    return f;
}

void TextIn(QPainter& p, const QRect& box, const QString& text, int groesse, bool fett,
            const QColor& farbe = Tinte) {
    p.setFont(Passend(text, box, groesse, fett));
    p.setPen(farbe);
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
}

void Rahmen(QPainter& p, const QColor& rand, const QColor& grund) {
    p.fillRect(0, 0, Breite, Hoehe, Qt::white);
    QPainterPath aussen;
    aussen.addRoundedRect(QRectF(0.5, 0.5, Breite - 1, Hoehe - 1), 12, 12);
    p.fillPath(aussen, rand);
    QPainterPath innen;
    innen.addRoundedRect(QRectF(Rand, Rand, Breite - 2 * Rand, Hoehe - 2 * Rand), 7, 7);
    p.fillPath(innen, grund);
    p.setPen(QPen(rand.darker(150), 1.5));
    p.drawPath(aussen);
}

// A round badge: the price, the money, the upgrade mark.
void Marke(QPainter& p, QPointF mitte, double radius, const QColor& grund, const QString& text, int groesse,
           const QColor& schrift = Tinte) {
    p.setPen(QPen(Tinte, 2));
    p.setBrush(grund);
    p.drawEllipse(mitte, radius, radius);
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(groesse);
    p.setFont(f);
    p.setPen(schrift);
    p.drawText(QRectF(mitte.x() - radius, mitte.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter, text);
}

// The victory points: a shield with the number and the word for them.
void Schild(QPainter& p, QPointF mitte, const QString& zahl, const QString& wort) {
    QPainterPath s;
    const double b = 25, h = 29;
    s.moveTo(mitte.x() - b, mitte.y() - h);
    s.lineTo(mitte.x() + b, mitte.y() - h);
    s.lineTo(mitte.x() + b, mitte.y() + 2);
    s.quadTo(mitte.x() + b, mitte.y() + h * 0.8, mitte.x(), mitte.y() + h);
    s.quadTo(mitte.x() - b, mitte.y() + h * 0.8, mitte.x() - b, mitte.y() + 2);
    s.closeSubpath();
    p.setPen(QPen(Tinte, 2));
    p.setBrush(QColor(0x7A, 0x2E, 0x8E));
    p.drawPath(s);
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(26);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(mitte.x() - b, mitte.y() - h, 2 * b, 1.45 * h), Qt::AlignCenter, zahl);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRectF(mitte.x() - b, mitte.y() + 0.35 * h, 2 * b, 0.5 * h), Qt::AlignCenter, wort);
}

} // namespace

// The ability as the description gives it: the text between "Name: " and the closing bracket
// with the numbers.
QString Faehigkeit(const tKarte& k) {
    const QString b = Text(k.Beschreibung);
    const QString kopf = Text(k.Name) + ": ";
    if (!b.startsWith(kopf)) return {};
    QString rest = b.mid(kopf.size());
    const qsizetype klammer = rest.endsWith(')') ? rest.lastIndexOf(" (") : -1;
    return klammer >= 0 ? rest.left(klammer) : rest;
}

namespace {

// What an upgrade may replace, in words.
QString Ersetzt(const TKatalog& kat, const tKarte& k, const TWort& wort) {
    if (k.Farbe == 2) return wort("ersetzt Gebäude");
    if (k.Farbe == 3) return wort("ersetzt Adlige");
    QStringList namen;
    for (int i = 1; i <= ArtenJeTabelle[1]; ++i) {
        const tKarte& g = kat.Art(1, i);
        // The one "Zar+Zimmermann" may be replaced by every green upgrade.
        if (k.ErsetztInx(g.Inx) && g.Anzahl > 1) namen << Text(g.Name);
    }
    return wort("ersetzt") + " " + namen.join(", ");
}

} // namespace

TSeitenText SeitenText(const TKatalog& kat, const tKarte& k, const TWort& wort) {
    TSeitenText t;
    t.Name = Text(k.Name);
    t.Unten = Faehigkeit(k);
    if (k.Erweiterung == 1)
        t.Unten = t.Unten.isEmpty() ? Ersetzt(kat, k, wort) : t.Unten + "\n" + Ersetzt(kat, k, wort);
    if (k.Siegpunkte > 0) t.Punkte = wort("SP");
    return t;
}

QImage Kartenseite(const tKarte& k, const TSeitenText& text) {
    QImage bild(Breite, Hoehe, QImage::Format_RGB32);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const bool erw = k.Erweiterung == 1;
    const QColor farbe = Phasenfarbe(k.Farbe);
    Rahmen(p, farbe, erw ? Ausbau : Hell(farbe, 0.22));

    // Price at the top left; an upgrade carries its mark at the top right.
    Marke(p, {Rand + 22.0, Rand + 22.0}, 19, Qt::white, QString::number(k.Kosten), 22);
    if (erw) Marke(p, {Breite - Rand - 20.0, Rand + 20.0}, 16, farbe.darker(130), "E", 20, Qt::white);

    // Name under the price; a "+" may break the line.
    QString name = text.Name;
    name.replace("+", QString("+") + QChar(0x200B));
    TextIn(p, QRect(Rand + 3, Rand + 44, Breite - 2 * Rand - 6, 46), name, 21, true);

    // Income: money in a coin, victory points in a shield.
    const QString geld = (k.Sondereigenschaften & (GeldProRot | GeldProGruen)) ? QString("*")
                         : k.Geld > 0                                          ? QString::number(k.Geld)
                                                                               : QString();
    const bool punkte = k.Siegpunkte > 0;
    const double y = 127;
    if (!geld.isEmpty() && punkte) {
        Marke(p, {52, y}, 24, QColor(0xF2, 0xC1, 0x2E), geld, 28);
        Schild(p, {110, y}, QString::number(k.Siegpunkte), text.Punkte);
    } else if (!geld.isEmpty()) {
        Marke(p, {Breite / 2.0, y}, 26, QColor(0xF2, 0xC1, 0x2E), geld, 30);
    } else if (punkte) {
        Schild(p, {Breite / 2.0, y}, QString::number(k.Siegpunkte), text.Punkte);
    }

    // Ability and, for an upgrade, what it replaces.
    if (!text.Unten.isEmpty()) {
        const QRect box(Rand + 3, 159, Breite - 2 * Rand - 6, Hoehe - Rand - 161);
        p.fillRect(box.adjusted(-3, -1, 3, 0), QColor(255, 255, 255, 170));
        TextIn(p, box, text.Unten, 17, true);
    }
    return bild;
}

QImage Rueckseite() {
    QImage bild(Breite, Hoehe, QImage::Format_RGB32);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(0xE8, 0xC2, 0x4A);
    Rahmen(p, gold, QColor(0x1F, 0x3A, 0x7A));
    p.setClipRect(Rand, Rand, Breite - 2 * Rand, Hoehe - 2 * Rand);
    p.setPen(QPen(QColor(0x3A, 0x5C, 0xA8), 2));
    for (int i = -Hoehe; i < Breite + Hoehe; i += 18) {
        p.drawLine(i, 0, i + Hoehe, Hoehe);
        p.drawLine(i, Hoehe, i + Hoehe, 0);
    }
    p.setClipping(false);
    p.setPen(QPen(gold, 3));
    p.setBrush(QColor(0x1F, 0x3A, 0x7A));
    p.drawEllipse(QPointF(Breite / 2.0, Hoehe / 2.0), 58, 34);
    QFont f("DejaVu Serif");
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.setPen(gold);
    p.drawText(QRect(0, 0, Breite, Hoehe), Qt::AlignCenter, "Veldmark");
    return bild;
}

QImage BenutztSeite(const TWort& wort) {
    QImage bild(Breite, Hoehe, QImage::Format_RGB32);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    Rahmen(p, QColor(0x70, 0x70, 0x70), QColor(0xB8, 0xB8, 0xB8));
    p.translate(Breite / 2.0, Hoehe / 2.0);
    p.rotate(-55);
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(30);
    p.setFont(f);
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.drawText(QRect(-110, -20, 220, 40), Qt::AlignCenter, wort("benutzt"));
    return bild;
}

} // namespace vm::ui
