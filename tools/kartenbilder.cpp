// Draws the 51 card pictures from the card catalogue: "1.jpg".."49.jpg" for the card kinds,
// "50.jpg" the card back and "51.jpg" a used table card. Run at build time:
//   veldmark-kartenbilder <folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "model/katalog.h"
#include "ui/kartenseite.h"

namespace {

bool Speichern(const QImage& bild, const QString& ordner, int nummer) {
    const QString pfad = ordner + "/" + QString::number(nummer) + ".jpg";
    if (bild.save(pfad, "JPG", 92)) return true;
    std::fprintf(stderr, "veldmark-kartenbilder: %s kann nicht geschrieben werden\n", qPrintable(pfad));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: veldmark-kartenbilder <Ordner>\n");
        return 2;
    }
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(ordner)) {
        std::fprintf(stderr, "veldmark-kartenbilder: Ordner %s kann nicht angelegt werden\n", argv[1]);
        return 1;
    }
    const vm::TKatalog kat;
    const vm::ui::TWort deutsch = [](const QString& w) { return w; };
    bool ok = true;
    for (int t = 1; t <= vm::KatalogTabellen; ++t)
        for (int i = 1; i <= vm::ArtenJeTabelle[static_cast<size_t>(t)]; ++i) {
            const vm::tKarte& k = kat.Art(t, i);
            ok = Speichern(vm::ui::Kartenseite(k, vm::ui::SeitenText(kat, k, deutsch)), ordner, k.Bild) && ok;
        }
    ok = Speichern(vm::ui::Rueckseite(), ordner, 50) && ok;
    ok = Speichern(vm::ui::BenutztSeite(deutsch), ordner, 51) && ok;
    return ok ? 0 : 1;
}
