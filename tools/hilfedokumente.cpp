// Writes the help documents from the card catalogue: "Readme.txt", the help page "Veldmark.html"
// with the rules and the controls, and "Karten.pdf", an overview of every card with its picture.
// German into the help folder; with the English language file the English ones into its "en".
// Run at build time, after the card pictures:
//   veldmark-hilfe <Hilfe-Ordner> <Karten-Ordner> [<Lang.ini>] [--vorschau <Vorschau-Ordner>]
// With a preview folder the pages of each "Karten.pdf" are also written there as pictures.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "hilfe_englisch.h"
#include "model/katalog.h"
#include "persist/sprache.h"
#include "rules/wertung.h"
#include "ui/kartenseite.h"

namespace {

using vm::tKarte;

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The words of the generated parts of the documents in one language.
struct TWoerter {
    QString Sprache;
    QString Farben[4], Phasen[5];
    QString Nr, Name, Farbe, Anzahl, Kosten, Geld, SP, Faehigkeit, Ersetzt;
    QString Adlige, Bonus, Variante1;
    QString Uebersicht, Legende, Ausbau, Rueckseite, RueckseiteText, Benutzt, BenutztText;
    QString K, G;
};

const TWoerter Deutsch{
    "de",
    {"", "Grün", "Blau", "Rot"},
    {"", "Arbeiter (grün)", "Gebäude (blau)", "Adlige (rot)", "Ausbaukarten"},
    "Nr.",
    "Name",
    "Farbe",
    "Anzahl",
    "Kosten",
    "Geld",
    "SP",
    "Fähigkeit",
    "ersetzt",
    "Adlige",
    "Bonus",
    "Variante 1",
    "Veldmark - Kartenübersicht",
    "K: Preis, G: Geld bei der Wertung der Kartenfarbe (*: siehe Fähigkeit), SP: Siegpunkte. "
    "Ausbaukarten ersetzen eine "
    "Tischkarte ihrer Farbe; die Karten einer Farbe liegen nach ihrer Nummer geordnet.",
    ", Ausbau",
    "Rückseite",
    "verdeckte Karte, freier Platz",
    "Benutzte Karte",
    "eine Sternwarte nach ihrem Einsatz",
    "K: ",
    "   G: "};

const TWoerter Englisch{
    "en",
    {"", "Green", "Blue", "Red"},
    {"", "Workers (green)", "Buildings (blue)", "Aristocrats (red)", "Upgrade cards"},
    "No.",
    "Name",
    "Colour",
    "Copies",
    "Cost",
    "Money",
    "VP",
    "Ability",
    "replaces",
    "Aristocrats",
    "Bonus",
    "Variant 1",
    "Veldmark - Card overview",
    "C: price, M: money at the scoring of the card's colour (*: see ability), VP: victory "
    "points. Upgrade cards replace a table card of their colour; the cards of a colour lie "
    "in the order of their numbers.",
    ", upgrade",
    "Back",
    "hidden card, free place",
    "Used card",
    "an observatory after its use",
    "C: ",
    "   M: "};

// What an upgrade may replace, in words.
QString Ersetzt(const vm::TKatalog& kat, const tKarte& k) {
    if (k.Erweiterung != 1) return {};
    QStringList namen;
    for (int t = 1; t <= 3; ++t)
        for (int i = 1; i <= vm::ArtenJeTabelle[static_cast<size_t>(t)]; ++i)
            if (k.ErsetztInx(kat.Art(t, i).Inx)) namen << Text(kat.Art(t, i).Name);
    return namen.join(", ");
}

// Money at the scoring; "*" where the ability says how much.
QString Geld(const tKarte& k) {
    if (k.Sondereigenschaften & (vm::GeldProRot | vm::GeldProGruen)) return "*";
    return QString::number(k.Geld);
}

// Every card kind in catalogue order.
template <class F> void JedeKarte(const vm::TKatalog& kat, F f) {
    for (int t = 1; t <= vm::KatalogTabellen; ++t)
        for (int i = 1; i <= vm::ArtenJeTabelle[static_cast<size_t>(t)]; ++i) f(t, kat.Art(t, i));
}

QString Html(const QString& s) {
    return s.toHtmlEscaped();
}

bool Schreibe(const QString& pfad, const QString& inhalt) {
    QSaveFile f(pfad);
    if (f.open(QIODevice::WriteOnly) && f.write(inhalt.toUtf8()) >= 0 && f.commit()) return true;
    std::fprintf(stderr, "veldmark-hilfe: %s kann nicht geschrieben werden\n", qPrintable(pfad));
    return false;
}

// The number of card kinds and of cards in the deck.
std::pair<int, int> Kartenzahl(const vm::TKatalog& kat) {
    int arten = 0, karten = 0;
    JedeKarte(kat, [&](int, const tKarte& k) {
        ++arten;
        karten += k.Anzahl;
    });
    return {arten, karten};
}

QString Readme(const vm::TKatalog& kat) {
    const auto [arten, karten] = Kartenzahl(kat);
    QString s;
    s += "Veldmark - Kurzinfo\n";
    s += "===================\n\n";
    s += "Veldmark ist ein Kartenspiel um den Aufbau einer Stadt. Du spielst auf Platz 1 gegen\n";
    s += "einen bis drei Computergegner. Gespielt wird mit " + QString::number(karten) + " Karten in " +
         QString::number(arten) + " Arten:\n";
    s += "grüne Arbeiter bringen Geld, blaue Gebäude und rote Adlige bringen Siegpunkte,\n";
    s += "Ausbaukarten ersetzen eine ausliegende Karte ihrer Farbe.\n\n";
    s += "Spielen\n-------\n";
    s += "Datei > Neues Spiel (Strg+N) beginnt ein Spiel. Klicke eine Karte der Auslage an; die Plätze,\n";
    s += "an die sie passt, werden angehoben. Ein Klick auf einen angehobenen Tischplatz kauft die\n";
    s += "Karte, ein Klick auf den angehobenen Handplatz nimmt sie auf die Hand. \"Passe\" beendet\n";
    s += "deinen Zug ohne Aktion. Die ausführlichen Regeln und die ganze Bedienung stehen in der\n";
    s += "Hilfe (Hilfe > Inhalt), die Karten in \"Karten.pdf\" (Hilfe > Kurzinfo: Kartenübersicht).\n\n";
    s += "Aufruf\n------\n";
    s += "  veldmark [Profilordner] [Spieldatei.vmk]\n\n";
    s += "Das erste Argument, das keine Spieldatei ist, nennt den Profilordner: dort liegen\n";
    s += "\"Veldmark.ini\" (Einstellungen, Statistik, Highscores), \"Statistik.txt\" und\n";
    s += "\"ErrorTrace.txt\". Ohne dieses Argument ist es der Programmordner. Ein Argument, das auf\n";
    s += "\".vmk\" endet und kein Ordner ist, ist eine Spieldatei: sie wird nach dem Start geladen,\n";
    s += "wie über Datei > Spieldatei laden. Die Reihenfolge der beiden Argumente ist gleich.\n";
    s += "Der installierte Starter \"veldmark\" legt das Profil in ~/.config/veldmark an (oder in\n";
    s += "$XDG_CONFIG_HOME/veldmark), wenn nicht als erstes Argument ein Ordner genannt ist; so\n";
    s += "öffnet ein Doppelklick auf eine .vmk-Datei das Spiel mit dem eigenen Profil.\n\n";
    s += "Dateien im Programmordner\n-------------------------\n";
    s += "  Karten/1.jpg .. 51.jpg   die Kartenbilder (50 Rückseite, 51 benutzte Karte)\n";
    s += "  Hilfe/Veldmark.html      Regeln und Bedienung\n";
    s += "  Hilfe/Readme.txt         diese Kurzinfo\n";
    s += "  Hilfe/Karten.pdf         Kartenübersicht\n";
    s += "  Hilfe/en/                dieselben auf Englisch, für die englische Sprachdatei\n";
    s += "  Lang.ini                 (wahlweise) Sprachdatei: ersetzt Menüs, Kartentexte und\n";
    s += "                           Beschriftungen. Eine englische Sprachdatei liegt bei; mit\n";
    s += "                           ihr zeigen die Karten ihre englischen Namen, und das Menü\n";
    s += "                           Hilfe öffnet die englische Hilfe.\n\n";
    s += "Simulator\n---------\n";
    s += "\"veldmark-sim\" spielt ohne Fenster lange Serien von Computerspielen, zum Vergleich der\n";
    s += "Strategien (veldmark-sim --help).\n";
    return s;
}

QString Kartentabelle(const vm::TKatalog& kat, const TWoerter& w) {
    QString s;
    int tabelle = 0;
    JedeKarte(kat, [&](int t, const tKarte& k) {
        if (t != tabelle) {
            if (tabelle != 0) s += "</table>\n";
            tabelle = t;
            s += "<h3>" + Html(w.Phasen[t]) + "</h3>\n<table>\n<tr><th>" + w.Nr + "</th><th>" + w.Name +
                 "</th>";
            if (t == 4) s += "<th>" + w.Farbe + "</th>";
            s += "<th>" + w.Anzahl + "</th><th>" + w.Kosten + "</th><th>" + w.Geld + "</th><th>" + w.SP +
                 "</th><th>" + w.Faehigkeit + "</th>";
            if (t == 4) s += "<th>" + w.Ersetzt + "</th>";
            s += "</tr>\n";
        }
        s += "<tr><td>" + QString::number(k.Inx) + "</td><td>" + Html(Text(k.Name)) + "</td>";
        if (t == 4) s += "<td>" + w.Farben[k.Farbe] + "</td>";
        s += "<td>" + QString::number(k.Anzahl) + "</td><td>" + QString::number(k.Kosten) + "</td><td>" +
             Html(Geld(k)) + "</td><td>" + QString::number(k.Siegpunkte) + "</td><td>" + Html(vm::ui::Faehigkeit(k)) +
             "</td>";
        if (t == 4) s += "<td>" + Html(Ersetzt(kat, k)) + "</td>";
        s += "</tr>\n";
    });
    s += "</table>\n";
    return s;
}

QString Adelsbonus(const TWoerter& w) {
    QString kopf = "<tr><th>" + w.Adlige + "</th>", standard = "<tr><th>" + w.Bonus + "</th>",
            variante = "<tr><th>" + w.Variante1 + "</th>";
    for (int n = 0; n <= 14; ++n) {
        kopf += "<td>" + QString::number(n) + "</td>";
        standard += "<td>" + QString::number(vm::AdelsbonusTabelle(n, false)) + "</td>";
        variante += "<td>" + QString::number(vm::AdelsbonusTabelle(n, true)) + "</td>";
    }
    return "<table>\n" + kopf + "</tr>\n" + standard + "</tr>\n" + variante + "</tr>\n</table>\n";
}

QString Hilfeseite(const vm::TKatalog& kat) {
    QString s;
    s += R"(<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<title>Veldmark - Regeln und Bedienung</title>
)";
    s += HilfeStil;
    s += R"(</head>
<body>
<h1>Veldmark</h1>
<p>Regeln und Bedienung.</p>
<ul>
<li><a href="#idee">Spielidee</a></li>
<li><a href="#ablauf">Ablauf einer Runde</a></li>
<li><a href="#zug">Der Zug</a></li>
<li><a href="#preise">Kartenpreise und Ausbau</a></li>
<li><a href="#sternwarte">Sternwarte und Schenke</a></li>
<li><a href="#wertung">Wertung und Spielende</a></li>
<li><a href="#varianten">Varianten</a></li>
<li><a href="#bedienung">Bedienung</a></li>
<li><a href="#menues">Menüs</a></li>
<li><a href="#dateien">Dateien und Aufruf</a></li>
<li><a href="#karten">Die Karten</a></li>
</ul>

<h2 id="idee">Spielidee</h2>
<p>Zwei bis vier Spieler bauen eine Stadt. Du spielst auf Platz 1, die anderen Plätze spielt der Computer.
Es gibt vier Kartenfarben: <span class="gruen">grüne Arbeiter</span> bringen Geld,
<span class="blau">blaue Gebäude</span> und <span class="rot">rote Adlige</span> bringen Geld und Siegpunkte,
<span class="erw">Ausbaukarten</span> ersetzen eine ausliegende Karte ihrer Farbe durch eine wertvollere.
Wer am Ende die meisten Siegpunkte hat, gewinnt; bei Gleichstand entscheidet das Geld, danach der niedrigere Platz.</p>

<h2 id="ablauf">Ablauf einer Runde</h2>
<p>Eine Runde hat vier Phasen: Grün, Blau, Rot und Ausbau. Jede Phase hat einen Startspieler-Marker; die Phase
beginnt bei seinem Inhaber und geht reihum. Die Marker heißen H, B, A und E. Zu Beginn des Spiels werden sie
verteilt (bei zwei Spielern hält jeder zwei), in jeder neuen Runde wandern sie einen Platz weiter.</p>
<p>Die offene Auslage hat zwei Reihen. Zu Spielbeginn liegen in der oberen Reihe doppelt so viele grüne Karten, wie
Spieler mitspielen. Nach jeder Phase wird die Auslage mit Karten der nächsten Phase aufgefüllt (beide Reihen
zusammen höchstens acht Karten); in einer neuen Runde wird die untere Reihe abgeworfen und die obere rückt nach
unten. Karten der unteren Reihe sind um 1 billiger.</p>
<p>Eine Phase endet, wenn alle Spieler nacheinander gepasst haben. Ein Passen ist nicht endgültig: jede andere
Aktion beginnt die Zählung von vorn.</p>

<h2 id="zug">Der Zug</h2>
<p>In seinem Zug macht ein Spieler genau eine Aktion:</p>
<ul>
<li>eine Karte der Auslage kaufen und auf seinen Tisch legen,</li>
<li>eine Karte der Auslage auf die Hand nehmen (höchstens drei Handkarten, mit dem Lagerhaus vier),</li>
<li>eine Handkarte kaufen und auf den Tisch legen,</li>
<li>die Sternwarte benutzen,</li>
<li>passen.</li>
</ul>
<p>Der Tisch eines Spielers hat höchstens 55 Plätze, jede Farbe höchstens 31 Karten. Die Karten einer Farbe liegen
nach ihrer Nummer geordnet.</p>

<h2 id="preise">Kartenpreise und Ausbau</h2>
<p>Der Preis einer Karte ist ihr aufgedruckter Preis, 1 weniger aus der unteren Reihe und 1 weniger für jede
gleiche Karte, die schon auf dem eigenen Tisch liegt. Die Schreinerei macht blaue Karten, die Goldschmiede rote
Karten um 1 billiger. Eine Karte kostet immer mindestens 1.</p>
<p>Eine Ausbaukarte wird auf eine eigene, nicht benutzte Tischkarte gelegt, die sie ersetzen darf; die ersetzte Karte
kommt auf den Ablagestapel. Sie kostet ihren Preis weniger den Preis der ersetzten Karte, mindestens 1. Das
Potjemkinsche Dorf zählt dabei wie eine Karte zum Preis 6.</p>

<h2 id="sternwarte">Sternwarte und Schenke</h2>
<p><b>Sternwarte:</b> Einmal je Phase und Sternwarte darf man statt einer anderen Aktion verdeckt die oberste Karte
eines Stapels ziehen, der noch mindestens zwei Karten hat, und sie dann kaufen, auf die Hand nehmen oder abwerfen.
Eine gezogene Ausbaukarte wird auf einen angebotenen Tischplatz gelegt; wer stattdessen passt, wirft sie ab.
Die benutzte Sternwarte wird bis zur nächsten Phase umgedreht und bringt so lange keine Siegpunkte.</p>
<p><b>Schenke:</b> Nach der blauen Wertung darf jeder Besitzer einer Schenke Siegpunkte kaufen: je Siegpunkt 2 Geld,
höchstens 5 Siegpunkte je Schenke.</p>

<h2 id="wertung">Wertung und Spielende</h2>
<p>Am Ende der grünen, blauen und roten Phase bringen die Tischkarten dieser Farbe ihrem Besitzer Geld und
Siegpunkte. Die Hofoper bringt in der blauen Wertung 1 Geld je roter Tischkarte, der Steuereintreiber in der roten
Wertung 1 Geld je grüner Tischkarte. Die Ausbauphase bringt nichts.</p>
<p>Ist ein Stapel aufgebraucht, wird die Runde zu Ende gespielt. Dann folgt die Schlusswertung: ein Bonus für
verschiedene Adlige auf dem Tisch, 1 Siegpunkt je 10 Geld (das Geld bleibt) und 5 Siegpunkte Abzug je Handkarte;
weniger als 0 Siegpunkte gibt es nicht.</p>
)";
    s += Adelsbonus(Deutsch);
    s += R"(
<h2 id="varianten">Varianten</h2>
<ol>
<li><b>Adelsbonus für mehr als 10 Adelstypen</b>: über 10 verschiedene Adlige zählt jeder weitere 10 Siegpunkte.</li>
<li><b>Verdeckte Handkarten und Geld</b>: Handkarten und Geld der Gegner bleiben bis zum Spielende verdeckt.</li>
<li><b>Keine Hofmeisterin in Runde 1</b>.</li>
</ol>
<p>Eine Variante, die im Menü geändert wird, gilt ab dem nächsten Spiel.</p>

<h2 id="bedienung">Bedienung</h2>
<p>Jeder Spieler hat eine Registerkarte mit seinem Tisch und seiner Hand; darüber liegen die beiden Reihen der
Auslage, die vier Stapelzähler und die Kästen der Spieler mit Geld, Siegpunkten, letzter Aktion und Startspieler-Markern.</p>
<table>
<tr><th>Eingabe</th><th>Wirkung</th></tr>
<tr><td>Klick auf eine Karte der Auslage</td><td>wählt sie; der freie Handplatz und die passenden Tischplätze werden
angehoben. Ein zweiter Klick auf dieselbe Karte hebt die Wahl auf.</td></tr>
<tr><td>Klick auf einen angehobenen Tischplatz</td><td>kauft die gewählte Karte auf diesen Platz.</td></tr>
<tr><td>Linksklick auf den angehobenen Handplatz</td><td>nimmt die gewählte Karte auf die Hand.</td></tr>
<tr><td>Klick auf eine Handkarte</td><td>wählt sie; die passenden Tischplätze werden angehoben.</td></tr>
<tr><td><kbd>Umschalt</kbd> + Linksklick auf eine Karte der Auslage oder der Hand</td><td>kauft sie sofort auf den
nächsten freien Tischplatz (nicht für Ausbaukarten).</td></tr>
<tr><td><kbd>Strg</kbd> + Linksklick auf eine Karte der Auslage</td><td>nimmt sie sofort auf die Hand.</td></tr>
<tr><td><kbd>Umschalt</kbd> oder <kbd>Strg</kbd> + Rechtsklick auf die Auslage oder die Hand</td><td>passt.</td></tr>
<tr><td>Doppelklick auf die eigene Sternwarte</td><td>öffnet den Sternwarten-Dialog: Stapel wählen, „Ziehen“, dann
„Kaufen“, „Hand“ oder „Abwurf“.</td></tr>
<tr><td>Doppelklick auf die eigene Schenke</td><td>öffnet nach der blauen Wertung den Schenken-Dialog.</td></tr>
<tr><td>„Passe“</td><td>passt.</td></tr>
</table>
<p><b>Korrekturmodus</b> (erweiterte Einstellungen): Solange er an ist, öffnet <kbd>Alt</kbd> + Klick auf eine
Tischkarte des gezeigten Spielers einen Dialog, in dem die Karte entfernt, gegen eine andere ausgetauscht oder eine
weitere Karte eingefügt wird. <kbd>Alt</kbd> + Linksklick auf das Geld eines Spielers gibt ihm 1 Geld,
<kbd>Alt</kbd> + Rechtsklick nimmt 1 Geld. Ein Spiel, in dem der Korrekturmodus eingeschaltet war, ist in der
Statuszeile mit „X“ als verändert markiert. Eine Änderung, die mehr als 31 Karten einer Farbe oder mehr als 55
Tischplätze ergäbe, wird abgelehnt.</p>

<h2 id="menues">Menüs</h2>
<table>
<tr><th>Menü</th><th>Befehle</th></tr>
<tr><td>Datei</td><td>Neues Spiel (<kbd>Strg</kbd>+<kbd>N</kbd>), Spieldatei laden, Spieldatei speichern, Ende</td></tr>
<tr><td>Spielzug</td><td>rückgängig (<kbd>Strg</kbd>+<kbd>Z</kbd>), wiederherstellen (<kbd>Strg</kbd>+<kbd>Y</kbd>),
ganz zurück, ganz nach vorn. Die letzten 150 Stellungen werden gemerkt.</td></tr>
<tr><td>Spieler</td><td>Zwei-, Drei- oder Vierpersonenspiel (gilt ab dem nächsten Spiel)</td></tr>
<tr><td>Spielstärke</td><td>niedrig, mittel, die Stufen Z1 bis Z6 und K1 bis K4, Expertenmodus. Nur im Expertenmodus
gelten die eigenen Strategie-Einstellungen.</td></tr>
<tr><td>Optionen</td><td>Singlestep (Computerzüge einzeln mit „Next“), Profile sichern, TraceDebug (Protokollfenster),
Skalierung Hauptformular (wirkt beim nächsten Start)</td></tr>
<tr><td>erweiterte Einstellungen</td><td>Extra Statistik (schreibt „Statistik.txt“), Korrekturmodus, Strategien
(Strategie, Startgeld und Startrolle jedes Platzes, Simulation, Parameter der Strategien 2 bis 15),
Strategieparameter sichern, einlesen, initialisieren, bei Startup laden</td></tr>
<tr><td>Varianten</td><td>die drei Varianten</td></tr>
<tr><td>Hilfe</td><td>diese Seite, die Kurzinfo, die Kartenübersicht, Über Veldmark mit der Gewinnstatistik und drei
Seiten im Netz</td></tr>
</table>
<p><b>Simulation:</b> Ist in den Strategie-Einstellungen „Spieler 1 simuliert der Computer !“ angekreuzt, spielt
der Computer auch Platz 1, und „erweiterte Einstellungen“ → „Simulation starten“ spielt eine Serie von
Computerspielen und schreibt danach eine Statistik in das Protokollfenster. „Neues Spiel“ beginnt immer ein Spiel für
dich.</p>
<p>Verlorene und gewonnene Spiele, der Gewinnanteil und der Highscore je Spielerzahl werden im Profil gezählt, jedes
Spiel einmal, wenn es zum ersten Mal endet; ein geladenes Puzzle und ein Spiel, in dem der Computer für Platz 1
gezogen hat, zählen nicht.</p>
<p>Hast du seit dem letzten Speichern gezogen, fragt das Programm vor „Neues Spiel“, dem Laden, einer Simulation und
dem Beenden „Laufendes Spiel verwerfen?“; der Schlüssel <code>FrageVerwerfen=0</code> im Abschnitt
<code>[Control]</code> des Profils schaltet die Frage ab.</p>

<h2 id="dateien">Dateien und Aufruf</h2>
<p><code>veldmark [Profilordner] [Spieldatei.vmk]</code></p>
<p>Das erste Argument, das keine Spieldatei ist, nennt den Profilordner mit „Veldmark.ini“; ohne dieses Argument
ist es der Programmordner. Eine Spieldatei (Endung „.vmk“) auf der Befehlszeile wird nach dem Start geladen. Der
installierte Starter legt das Profil im Ordner <code>~/.config/veldmark</code> an, so dass ein Doppelklick auf
eine Spieldatei sie mit dem eigenen Profil öffnet.</p>
<p>Spieldateien enthalten das ganze Spiel mit allen gemerkten Stellungen. Eine Sprachdatei „Lang.ini“ im
Programmordner ersetzt die Texte der Menüs, der Karten und der Dialoge; dem Programm liegt eine englische bei.</p>

<h2 id="karten">Die Karten</h2>
<p>Kosten: aufgedruckter Preis; Geld und SP: was die Karte bei der Wertung ihrer Farbe bringt (*: siehe
Fähigkeit). Ausbaukarten tragen die Farbe der Karten, die sie ersetzen.</p>
)";
    s += Kartentabelle(kat, Deutsch);
    s += "</body>\n</html>\n";
    return s;
}

// The card overview: every card with its picture and its numbers, three columns a page. Draws
// on any device; `neueSeite` starts the next page.
// The picture of card picture n, or a null picture with a message.
using TBildquelle = std::function<QImage(int)>;

bool KartenZeichnen(const vm::TKatalog& kat, const TWoerter& w, QPainter& p, const QRect& seite,
                    const TBildquelle& bildquelle, const std::function<void()>& neueSeite) {
    const int breite = seite.width();
    QFont titel("DejaVu Sans");
    titel.setBold(true);
    titel.setPixelSize(34);
    QFont text("DejaVu Sans");
    text.setPixelSize(17);
    QFont fett = text;
    fett.setBold(true);

    const int spalten = 3;
    const int zelleB = breite / spalten;
    const int bildB = 200, bildH = 280;
    const int zelleH = bildH + 120;
    int y = 0;
    p.setFont(titel);
    p.setPen(Qt::black);
    p.drawText(QRect(0, y, breite, 50), Qt::AlignLeft | Qt::AlignVCenter, w.Uebersicht);
    y += 60;
    p.setFont(text);
    p.drawText(QRect(0, y, breite, 60), Qt::TextWordWrap, w.Legende);
    y += 70;

    struct TEintrag {
        int bild;
        QString name, zeilen;
    };
    QList<TEintrag> eintraege;
    JedeKarte(kat, [&](int, const tKarte& k) {
        QString z = w.Farben[k.Farbe] + (k.Erweiterung ? w.Ausbau : QString()) + ", " +
                    QString::number(k.Anzahl) + "x\n";
        z += w.K + QString::number(k.Kosten) + w.G + Geld(k) + "   " + w.SP + ": " +
             QString::number(k.Siegpunkte);
        const QString f = vm::ui::Faehigkeit(k);
        if (!f.isEmpty()) z += "\n" + f;
        const QString e = Ersetzt(kat, k);
        if (!e.isEmpty() && k.Farbe == 1) z += "\n" + w.Ersetzt + " " + e;
        eintraege.push_back({k.Bild, QString::number(k.Inx) + ". " + Text(k.Name), z});
    });
    eintraege.push_back({50, w.Rueckseite, w.RueckseiteText});
    eintraege.push_back({51, w.Benutzt, w.BenutztText});

    bool ok = true;
    for (qsizetype i = 0; i < eintraege.size(); ++i) {
        const int spalte = static_cast<int>(i % spalten);
        if (spalte == 0 && i > 0) y += zelleH;
        if (spalte == 0 && y + zelleH > seite.height()) {
            neueSeite();
            y = 0;
        }
        const int x = spalte * zelleB;
        const TEintrag& e = eintraege[i];
        const QRect bildRect(x + (zelleB - bildB) / 2, y, bildB, bildH);
        const QImage bild = bildquelle(e.bild);
        if (bild.isNull()) {
            ok = false;
            p.setPen(Qt::gray);
            p.drawRect(bildRect);
        } else {
            p.drawImage(bildRect, bild);
        }
        p.setPen(Qt::black);
        p.setFont(fett);
        p.drawText(QRect(x + 6, y + bildH + 6, zelleB - 12, 24), Qt::AlignHCenter, e.name);
        p.setFont(text);
        p.drawText(QRect(x + 6, y + bildH + 32, zelleB - 12, zelleH - bildH - 36),
                   Qt::AlignHCenter | Qt::TextWordWrap, e.zeilen);
    }
    return ok;
}

bool Kartenuebersicht(const vm::TKatalog& kat, const TWoerter& w, const QString& pfad,
                      const TBildquelle& bildquelle) {
    QPdfWriter pdf(pfad);
    pdf.setTitle(w.Uebersicht);
    pdf.setCreator("Veldmark");
    pdf.setResolution(150);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                  QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&pdf)) {
        std::fprintf(stderr, "veldmark-hilfe: %s kann nicht geschrieben werden\n", qPrintable(pfad));
        return false;
    }
    const QRect seite(QPoint(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    const bool ok = KartenZeichnen(kat, w, p, seite, bildquelle, [&] { pdf.newPage(); });
    return p.end() && ok;
}

// The same pages as pictures "Karten-<n>.png", for looking at them without a PDF viewer.
bool Vorschau(const vm::TKatalog& kat, const TWoerter& w, const QString& ordner,
              const TBildquelle& bildquelle) {
    const QSize groesse = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter)
                              .paintRectPixels(150)
                              .size();
    QList<QImage> seiten;
    auto neu = [&] {
        seiten.push_back(QImage(groesse, QImage::Format_RGB32));
        seiten.back().fill(Qt::white);
    };
    neu();
    // One painter for all pages: the drawing holds on to it from page to page.
    QPainter p(&seiten.back());
    const bool ok = KartenZeichnen(kat, w, p, QRect(QPoint(0, 0), groesse), bildquelle, [&] {
        p.end();
        neu();
        p.begin(&seiten.back());
    });
    p.end();
    bool gespeichert = QDir().mkpath(ordner);
    for (qsizetype i = 0; i < seiten.size(); ++i)
        gespeichert = seiten[i].save(ordner + "/Karten-" + QString::number(i + 1) + ".png") && gespeichert;
    return ok && gespeichert;
}

// The English documents into "en" of the help folder: the texts of the cards from the English
// language file, their faces drawn in that language.
bool EnglischeHilfe(const QString& ordner, const QString& sprachdatei, const QString& kartenOrdner,
                    const QString& vorschau) {
    vm::TSprache sprache;
    if (!sprache.Laden(sprachdatei.toStdString())) {
        std::fprintf(stderr, "veldmark-hilfe: Sprachdatei %s nicht lesbar\n", qPrintable(sprachdatei));
        return false;
    }
    vm::TKatalog kat;
    sprache.KartenUebersetzen(kat);
    const QString en = ordner + "/" + Englisch.Sprache;
    if (!QDir().mkpath(en)) {
        std::fprintf(stderr, "veldmark-hilfe: Ordner %s kann nicht angelegt werden\n", qPrintable(en));
        return false;
    }
    const vm::ui::TWort wort = [&](const QString& w) {
        return QString::fromStdString(sprache.Other(w.toStdString()));
    };
    const TBildquelle bilder = [&](int n) -> QImage {
        if (n == 51) return vm::ui::BenutztSeite(wort);
        for (int t = 1; t <= vm::KatalogTabellen; ++t)
            for (int i = 1; i <= vm::ArtenJeTabelle[static_cast<size_t>(t)]; ++i)
                if (kat.Art(t, i).Bild == n)
                    return vm::ui::Kartenseite(kat.Art(t, i), vm::ui::SeitenText(kat, kat.Art(t, i), wort));
        return QImage(kartenOrdner + "/" + QString::number(n) + ".jpg");
    };
    const auto [arten, karten] = Kartenzahl(kat);
    bool ok = Schreibe(en + "/Readme.txt", ReadmeEnglisch(arten, karten));
    ok = Schreibe(en + "/Veldmark.html",
                  HilfeseiteEnglisch(Adelsbonus(Englisch), Kartentabelle(kat, Englisch))) &&
         ok;
    ok = Kartenuebersicht(kat, Englisch, en + "/Karten.pdf", bilder) && ok;
    if (!vorschau.isEmpty()) ok = Vorschau(kat, Englisch, vorschau + "/" + Englisch.Sprache, bilder) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList argumente;
    QString vorschau;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == "--vorschau" && i + 1 < argc)
            vorschau = QString::fromLocal8Bit(argv[++i]);
        else
            argumente << a;
    }
    if (argumente.size() != 2 && argumente.size() != 3) {
        std::fprintf(stderr, "Aufruf: veldmark-hilfe <Hilfe-Ordner> <Karten-Ordner> [<Lang.ini>] "
                             "[--vorschau <Vorschau-Ordner>]\n");
        return 2;
    }
    const QString ordner = argumente[0];
    const QString karten = argumente[1];
    if (!QDir().mkpath(ordner)) {
        std::fprintf(stderr, "veldmark-hilfe: Ordner %s kann nicht angelegt werden\n", qPrintable(ordner));
        return 1;
    }
    const TBildquelle dateien = [&](int n) {
        const QString pfad = karten + "/" + QString::number(n) + ".jpg";
        QImage bild(pfad);
        if (bild.isNull()) std::fprintf(stderr, "veldmark-hilfe: Kartenbild %s fehlt\n", qPrintable(pfad));
        return bild;
    };
    const vm::TKatalog kat;
    bool ok = Schreibe(ordner + "/Readme.txt", Readme(kat));
    ok = Schreibe(ordner + "/Veldmark.html", Hilfeseite(kat)) && ok;
    ok = Kartenuebersicht(kat, Deutsch, ordner + "/Karten.pdf", dateien) && ok;
    if (argumente.size() == 3) ok = EnglischeHilfe(ordner, argumente[2], karten, vorschau) && ok;
    if (!vorschau.isEmpty()) ok = Vorschau(kat, Deutsch, vorschau, dateien) && ok;
    return ok ? 0 : 1;
}
