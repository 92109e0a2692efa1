// The card faces, drawn from the card catalogue: the build tool writes them as the picture files,
// and the window draws them anew when a language file renames the cards.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace vm {
class TKatalog;
struct tKarte;
} // namespace vm

namespace vm::ui {

// The size a face is drawn in: twice the table size.
constexpr int SeiteBreite = 160;
constexpr int SeiteHoehe = 224;

// Looks up a word of the face in the language in use; the identity for German.
using TWort = std::function<QString(const QString&)>;

// What a face of card kind `k` says in words: its name, its ability and what an upgrade replaces.
// Two faces with the same words and the same card look the same.
struct TSeitenText {
    QString Name, Unten, Punkte;
    bool operator==(const TSeitenText&) const = default;
};
TSeitenText SeitenText(const TKatalog& kat, const tKarte& k, const TWort& wort);
// The ability as the description gives it: the text between "Name: " and the closing bracket
// with the numbers.
QString Faehigkeit(const tKarte& k);

QImage Kartenseite(const tKarte& k, const TSeitenText& text);
QImage Rueckseite();
QImage BenutztSeite(const TWort& wort);

} // namespace vm::ui
