#include "ui/kartenbild.h"

#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "model/katalog.h"

namespace vm::ui {

QSize Groesse(Format f) {
    switch (f) {
    case Format::Tisch:
        return {80, 112};
    case Format::Auslage:
    case Format::Deko:
        return {72, 101};
    case Format::Gross:
        return {160, 224};
    }
    return {};
}

namespace {

QString Datei(const QString& ordner, int n) {
    return ordner + QString::number(n) + ".jpg";
}

// The face of picture n in the language, when its words differ from those of the German face.
QImage Uebersetzt(int n, const TKatalog& original, const TSeitenSprache& sprache) {
    if (n == BildBenutzt) return sprache.Wort("benutzt") == "benutzt" ? QImage() : BenutztSeite(sprache.Wort);
    const TWort deutsch = [](const QString& w) { return w; };
    for (int t = 1; t <= KatalogTabellen; ++t)
        for (int i = 1; i <= ArtenJeTabelle[static_cast<size_t>(t)]; ++i) {
            const tKarte& k = sprache.Anzeige.Art(t, i);
            if (k.Bild != n) continue;
            const TSeitenText text = SeitenText(sprache.Anzeige, k, sprache.Wort);
            return text == SeitenText(original, original.Art(t, i), deutsch) ? QImage()
                                                                             : Kartenseite(k, text);
        }
    return {};
}

} // namespace

QStringList TKartenbilder::Fehlende(const QString& ordner) {
    QStringList fehlt;
    for (int n = 1; n <= AnzahlBilder; ++n)
        if (!QFileInfo::exists(Datei(ordner, n))) fehlt << Datei(ordner, n);
    return fehlt;
}

void TKartenbilder::Laden(const QString& ordner, bool grau, bool farben256, const TSeitenSprache* sprache) {
    const TKatalog original;
    for (int n = 1; n <= AnzahlBilder; ++n) {
        QImage bild(Datei(ordner, n));
        auto& ziel = bilder_[static_cast<size_t>(n)];
        for (QPixmap& p : ziel) p = QPixmap();
        if (bild.isNull()) continue;
        if (sprache) {
            QImage seite = Uebersetzt(n, original, *sprache);
            if (!seite.isNull()) bild = std::move(seite);
        }
        // Scaled once here, so that drawing the board never scales; the colours are reduced
        // after scaling, which would blend them again.
        for (Format f : {Format::Tisch, Format::Auslage, Format::Gross, Format::Deko}) {
            QImage klein = bild.scaled(Groesse(f), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            if (grau)
                klein = klein.convertToFormat(QImage::Format_Grayscale8);
            else if (farben256)
                klein = klein.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
            ziel[static_cast<size_t>(f)] = QPixmap::fromImage(klein);
        }
    }
}

QSize TKartenbilder::Groesse(Format f) const {
    const bool brett = f == Format::Tisch || f == Format::Auslage;
    return brett ? massstab_.Px(ui::Groesse(f)) : ui::Groesse(f);
}

int TKartenbilder::Hub() const {
    return massstab_.Px(TKartenBild::Hub);
}

const QPixmap& TKartenbilder::Bild(int nummer, Format f) const {
    if (nummer < 1 || nummer > AnzahlBilder) return leer_;
    return bilder_[static_cast<size_t>(nummer)][static_cast<size_t>(f)];
}

TKartenBild::TKartenBild(const TKartenbilder& bilder, Format f, int tag, QWidget* eltern)
    : QWidget(eltern), bilder_(bilder), format_(f), tag_(tag) {
    setFixedSize(bilder.Groesse(f));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setVisible(false);
}

void TKartenBild::Zeige(int nummer, const QString& hinweis) {
    if (nummer != nummer_) {
        nummer_ = nummer;
        update();
    }
    if (toolTip() != hinweis) setToolTip(hinweis);
    if (isHidden()) setVisible(true);
}

void TKartenBild::SetzeOrt(QPoint ort) {
    ort_ = ort;
    const QPoint ziel = hoch_ ? ort + QPoint(bilder_.Hub(), bilder_.Hub()) : ort;
    if (pos() != ziel) move(ziel);
}

void TKartenBild::Anheben(bool hoch) {
    if (hoch == hoch_) return;
    hoch_ = hoch;
    SetzeOrt(ort_);
    if (hoch) {
        setCursor(Qt::PointingHandCursor);
        raise();
    } else {
        unsetCursor();
    }
}

void TKartenBild::Markieren(bool an) {
    if (an == markiert_) return;
    markiert_ = an;
    update();
}

void TKartenBild::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap& bild = bilder_.Bild(nummer_, format_);
    if (!bild.isNull()) {
        // A dialog that scales itself resizes its pictures; the board's have their own size.
        if (bild.size() == size()) {
            p.drawPixmap(0, 0, bild);
        } else {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(rect(), bild);
        }
    } else {
        // A picture that could not be loaded: a plain card with its number.
        p.fillRect(rect(), QColor(0xE0, 0xE0, 0xE0));
        p.setPen(Qt::darkGray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect(), Qt::AlignCenter, QString::number(nummer_));
    }
    if (markiert_) {
        // Bright on both the green cloth and the light card faces.
        p.setPen(QPen(QColor(0xFF, 0xC0, 0x00), 4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(2, 2, -2, -2));
    }
}

void TKartenBild::enterEvent(QEnterEvent*) {
    emit Betreten(tag_);
}

void TKartenBild::leaveEvent(QEvent*) {
    emit Verlassen(tag_);
}

void TKartenBild::mouseReleaseEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) emit Losgelassen(tag_, e->button(), e->modifiers());
}

void TKartenBild::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit Doppelklick(tag_);
}

void TFlaeche::mouseReleaseEvent(QMouseEvent* e) {
    if (rect().contains(e->position().toPoint())) emit Losgelassen(e->button(), e->modifiers());
}

} // namespace vm::ui
