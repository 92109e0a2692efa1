// The card pictures 1..51 and the picture control that shows one of them on the board.
#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

namespace vm::ui {

constexpr int BildRueckseite = 50;
constexpr int BildBenutzt = 51;
constexpr int AnzahlBilder = 51;

// The sizes the board shows pictures in. The files are drawn at twice the table size.
enum class Format { Tisch, Auslage, Gross };
QSize Groesse(Format f);

class TKartenbilder {
public:
    // The paths of the pictures that do not exist, in number order.
    static QStringList Fehlende(const QString& ordner);
    // Loads every picture there is; grey tones or 256 colours as the profile asks.
    void Laden(const QString& ordner, bool grau, bool farben256);
    // An empty pixmap for a picture that could not be loaded.
    const QPixmap& Bild(int nummer, Format f) const;

private:
    std::array<std::array<QPixmap, 3>, AnzahlBilder + 1> bilder_;
    QPixmap leer_;
};

// A picture control: shows one card picture with its hint, can be moved, raised by 15 pixels
// with the hand cursor, and reports the mouse button released over it and double clicks.
class TKartenBild : public QWidget {
    Q_OBJECT
public:
    static constexpr int Hub = 15;

    TKartenBild(const TKartenbilder& bilder, Format f, int tag, QWidget* eltern);

    // Shows picture `nummer` (0: none) with `hinweis`; repaints only what changed.
    void Zeige(int nummer, const QString& hinweis);
    void Verbergen() { setVisible(false); }
    int Nummer() const { return nummer_; }
    QString Hinweis() const { return toolTip(); }
    int Tag() const { return tag_; }

    // The home place; a raised picture stands 15 pixels right of and below it.
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
