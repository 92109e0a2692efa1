// The card pictures 1..51 and the picture control that shows one of them on the board.
#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

#include "ui/kartenseite.h"
#include "ui/massstab.h"

namespace vm::ui {

constexpr int BildRueckseite = 50;
constexpr int BildBenutzt = 51;
constexpr int AnzahlBilder = 51;

// The sizes pictures are shown in at 100 %. The files are drawn at twice the table size. Table
// and display follow the board's scale; the dialogs' formats (large, decoration) keep their size.
enum class Format { Tisch, Auslage, Gross, Deko };
QSize Groesse(Format f);

// The language the faces are written in: the catalogue with the names the board shows, and the
// words of the face besides them.
struct TSeitenSprache {
    const TKatalog& Anzeige;
    TWort Wort;
};

class TKartenbilder {
public:
    // The board's scale: set before the pictures are loaded and their controls made.
    void SetzeMassstab(TMassstab m) { massstab_ = m; }
    const TMassstab& Massstab() const { return massstab_; }
    QSize Groesse(Format f) const;
    // How far a raised picture stands right of and below its place.
    int Hub() const;

    // The paths of the pictures that do not exist, in number order.
    static QStringList Fehlende(const QString& ordner);
    // Loads every picture there is; grey tones or 256 colours as the profile asks. With a
    // language, a face whose words it changes is drawn anew in that language, so that the card
    // reads as its hint does.
    void Laden(const QString& ordner, bool grau, bool farben256, const TSeitenSprache* sprache = nullptr);
    // An empty pixmap for a picture that could not be loaded.
    const QPixmap& Bild(int nummer, Format f) const;

private:
    std::array<std::array<QPixmap, 4>, AnzahlBilder + 1> bilder_;
    QPixmap leer_;
    TMassstab massstab_;
};

// A picture control: shows one card picture with its hint, can be moved, raised by 15 pixels
// (at 100 %) with the hand cursor, and reports the mouse button released over it and double clicks.
class TKartenBild : public QWidget {
    Q_OBJECT
public:
    static constexpr int Hub = 15; // at 100 %

    TKartenBild(const TKartenbilder& bilder, Format f, int tag, QWidget* eltern);

    // Shows picture `nummer` (0: none) with `hinweis`; repaints only what changed.
    void Zeige(int nummer, const QString& hinweis);
    void Verbergen() { setVisible(false); }
    int Nummer() const { return nummer_; }
    QString Hinweis() const { return toolTip(); }
    int Tag() const { return tag_; }

    // The home place; a raised picture stands `Hub` pixels (scaled) right of and below it.
    void SetzeOrt(QPoint ort);
    QPoint Ort() const { return ort_; }
    void Anheben(bool hoch);
    bool Angehoben() const { return hoch_; }
    // A target of the selected or waiting card: drawn with a frame.
    void Markieren(bool an);
    bool Markiert() const { return markiert_; }

signals:
    void Losgelassen(int tag, Qt::MouseButton taste, Qt::KeyboardModifiers tasten);
    void Doppelklick(int tag);
    void Betreten(int tag);
    void Verlassen(int tag);

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    const TKartenbilder& bilder_;
    Format format_;
    int tag_;
    int nummer_ = 0;
    QPoint ort_;
    bool hoch_ = false;
    bool markiert_ = false;
};

// A panel that reports a mouse button released over it outside its pictures.
class TFlaeche : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void Losgelassen(Qt::MouseButton taste, Qt::KeyboardModifiers tasten);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace vm::ui
