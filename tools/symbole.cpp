// Draws the program's icons: "veldmark-<n>.png" (the program) and "application-x-veldmark-spiel-<n>.png"
// (a saved game), n = 16, 24, 32, 48, 64, 128, 256. Run at build time:
//   veldmark-symbole <Ordner>
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor Gruen(0x51, 0xDD, 0x22);
const QColor Blau(0x64, 0xB1, 0xFF);
const QColor Rot(0xFF, 0x80, 0x40);
const QColor Ausbau(0xFF, 0xFF, 0x80);
const QColor Tinte(0x20, 0x20, 0x20);

// One card of the fan, drawn in a 100 × 100 box turned by `winkel` around the bottom centre.
void Karte(QPainter& p, double winkel, const QColor& farbe, bool vorn) {
    p.save();
    p.translate(50, 88);
    p.rotate(winkel);
    QPainterPath karte;
    karte.addRoundedRect(QRectF(-19, -72, 38, 56), 5, 5);
    p.setPen(QPen(Tinte, 2.2));
    p.setBrush(farbe);
    p.drawPath(karte);
    if (vorn) {
        QFont f("DejaVu Serif");
        f.setBold(true);
        f.setPixelSize(36);
        p.setFont(f);
        p.setPen(Tinte);
        p.drawText(QRectF(-19, -72, 38, 56), Qt::AlignCenter, "V");
    }
    p.restore();
}

void Faecher(QPainter& p) {
    Karte(p, -33, Gruen, false);
    Karte(p, -11, Blau, false);
    Karte(p, 11, Rot, false);
    Karte(p, 33, Ausbau, true);
}

QImage Programm(int n) {
    QImage bild(n, n, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(n / 100.0, n / 100.0);
    Faecher(p);
    return bild;
}

// A sheet with a folded corner and the fan on it.
QImage Spieldatei(int n) {
    QImage bild(n, n, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(n / 100.0, n / 100.0);
    QPainterPath blatt;
    blatt.moveTo(14, 4);
    blatt.lineTo(66, 4);
    blatt.lineTo(86, 24);
    blatt.lineTo(86, 96);
    blatt.lineTo(14, 96);
    blatt.closeSubpath();
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 2.5));
    p.setBrush(Qt::white);
    p.drawPath(blatt);
    QPainterPath ecke;
    ecke.moveTo(66, 4);
    ecke.lineTo(66, 24);
    ecke.lineTo(86, 24);
    p.setBrush(QColor(0xDD, 0xDD, 0xDD));
    p.drawPath(ecke);
    p.translate(50, 60);
    p.scale(0.62, 0.62);
    p.translate(-50, -52);
    Faecher(p);
    return bild;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: veldmark-symbole <Ordner>\n");
        return 2;
    }
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(ordner)) {
        std::fprintf(stderr, "veldmark-symbole: Ordner %s kann nicht angelegt werden\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (int n : {16, 24, 32, 48, 64, 128, 256}) {
        const QString nr = QString::number(n);
        ok = Programm(n).save(ordner + "/veldmark-" + nr + ".png") && ok;
        ok = Spieldatei(n).save(ordner + "/application-x-veldmark-spiel-" + nr + ".png") && ok;
    }
    if (!ok)
        std::fprintf(stderr, "veldmark-symbole: Bilder in %s können nicht geschrieben werden\n", argv[1]);
    return ok ? 0 : 1;
}
