// Games played through the window: a whole game with every kind of human move made by mouse
// clicks on the board and answers in the dialogs, the hints and the move list, the timer loop,
// and the simulation run inside the window.
#include <QAction>
#include <QEnterEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>

#include "ai/spielstaerke.h"
#include "ai/vorausschau.h"
#include "control/tipp.h"
#include "fenstertest.h"
#include "model/konsistenz.h"
#include "rules/kaufen.h"
#include "sim/diagramme.h"
#include "sim/serie.h"
#include "ui/analysefenster.h"
#include "ui/dialoge.h"
#include "ui/fensterdialoge.h"
#include "ui/spielverlauf.h"
#include "ui/tracefenster.h"

using namespace vm;
using namespace vm::uitest;

namespace {

// The human of the whole-game test: every kind of move, chosen at random, made by clicks.
class Spieler {
public:
    std::set<std::string> gemacht; // the kinds of move that took effect
    std::string fehler;

    Spieler(Umgebung& u, uint32_t seed) : u_(u), f_(u.F()), g_(u.G()), rng_(seed) {}

    void Zug() {
        Handeln();
        if (fehler.empty()) fehler = PruefeInvarianten(g_);
        if (fehler.empty() && g_.AnzahlFehler != 0) fehler = "interner Fehler";
        if (fehler.empty() && u_.D().unerwartet != 0) fehler = "unerwarteter Dialog";
    }

private:
    int W(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
    TSpieler& Ich() { return g_.Sp(1); }
    bool AmZug() { return f_.Mensch().AmZug(); }
    int Markiert() {
        for (int p = 1; p <= MaxTischpositionen; ++p)
            if (f_.Mensch().Zustand().MarkierteTischplaetze[p]) return p;
        return 0;
    }
    // How many of seat 1's cards have this ability, and the table position of the first unused one.
    std::pair<int, int> Sonderkarten(uint8_t faehigkeit) {
        const TKartenliste& blau = Ich().Karten[2];
        int n = 0, frei = 0;
        for (int i = 1; i <= blau.Anzahl; ++i)
            if (g_.Daten(blau.Karten[i]).Sondereigenschaften & faehigkeit) {
                ++n;
                if (!frei && !KarteBenutzt(blau.Karten[i])) frei = Ich().Karten[1].Anzahl + i;
            }
        return {n, frei};
    }

    QString Hinweis() const { return f_.Hinweisfeld()->text(); }

    void Handeln() {
        // What the person is asked to do stands in the status bar, and the targets are marked.
        if (g_.S.SchenkeModus && Hinweis() != "Schenkenrunde: Siegpunkte kaufen")
            return void(fehler = "Schenkenrunde nicht angesagt: " + Hinweis().toStdString());
        if (Markiert() && !f_.TischBild(1, Markiert())->Markiert())
            return void(fehler = "Ziel nicht markiert");
        if (g_.S.SchenkeModus) return SchenkeBenutzen();
        if (f_.Mensch().SternwartenKarteWartet()) {
            if (!Hinweis().startsWith("Sternwarte: ") || !Hinweis().contains("markierte Karte"))
                return void(fehler = "wartende Karte nicht angesagt: " + Hinweis().toStdString());
            // Display clicks are no use while the card waits.
            auto [r, p] = IrgendeineAuslagekarte();
            if (r) Klick(f_.AuslageBild(r, p));
            if (f_.Mensch().AuslageGewaehlt()) return void(fehler = "Auslage gewählt trotz wartender Karte");
            const int ziel = Markiert();
            if (!ziel) return void(fehler = "wartende Karte ohne Ziel");
            const int vorher = Ich().Tischkarten();
            Klick(f_.TischBild(1, ziel));
            if (Ich().Tischkarten() != vorher || f_.Mensch().SternwartenKarteWartet() || AmZug())
                return void(fehler = "wartende Karte nicht gelegt");
            gemacht.insert("swWartet");
            return;
        }
        if (g_.S.Phase == 2) {
            const auto [sternwarten, sw] = Sonderkarten(Sternwarte);
            if (sternwarten < 2 && KaufeSonderkarte(Sternwarte)) return;
            if (Sonderkarten(Schenke).first < 1 && KaufeSonderkarte(Schenke)) return;
            if (sw && W(4) != 0) {
                SternwarteBenutzen(sw);
                if (!AmZug() || g_.S.Spielende || f_.Mensch().SternwartenKarteWartet()) return;
            }
        }
        switch (W(7)) {
        case 0:
            return AuslageMitZiel();
        case 1:
            return CtrlAuslage();
        case 2:
            return HandkarteLegen();
        case 3:
            return ShiftHand();
        case 4:
            return ShiftAuslage();
        case 5:
            gemacht.insert("passeKnopf");
            return Klick(f_.PasseKnopf());
        default:
            gemacht.insert("passeRechts");
            return Klick(W(2) ? f_.HandFlaeche() : f_.AuslageFlaeche(), Qt::RightButton,
                         W(2) ? Qt::ShiftModifier : Qt::ControlModifier);
        }
    }

    std::pair<int, int> IrgendeineAuslagekarte() {
        std::vector<std::pair<int, int>> karten;
        for (int r = 1; r <= 2; ++r)
            for (int p = 1; p <= 8; ++p)
                if (!g_.S.Auslage[r].Karten[p].Leer()) karten.emplace_back(r, p);
        if (karten.empty()) return {0, 0};
        return karten[static_cast<size_t>(W(static_cast<int>(karten.size())))];
    }

    void Passen() { Klick(f_.PasseKnopf()); }

    void AuslageMitZiel() {
        auto [r, p] = IrgendeineAuslagekarte();
        if (!r) return Passen();
        Klick(f_.AuslageBild(r, p));
        if (!f_.Mensch().AuslageGewaehlt()) return void(fehler = "Auslagekarte nicht gewählt");
        const int ziel = Markiert();
        const int handziel = f_.Mensch().HandZiel();
        if (ziel && (W(2) || !handziel)) {
            const int vorher = Ich().Tischkarten() + g_.S.AblageAnzahl;
            Klick(f_.TischBild(1, ziel));
            if (Ich().Tischkarten() + g_.S.AblageAnzahl > vorher) gemacht.insert("tischziel");
            return;
        }
        if (handziel) {
            Klick(f_.HandBild(1, handziel));
            if (Ich().LetzteAktion == AktionHand) gemacht.insert("handziel");
            return;
        }
        Klick(f_.AuslageBild(r, p)); // let go again
        Passen();
    }

    void CtrlAuslage() {
        auto [r, p] = IrgendeineAuslagekarte();
        if (!r) return Passen();
        const int32_t vorher = Ich().Hand().Anzahl;
        Klick(f_.AuslageBild(r, p), Qt::LeftButton, Qt::ControlModifier);
        if (Ich().Hand().Anzahl > vorher) {
            gemacht.insert("ctrlAuslage");
            return;
        }
        if (f_.Mensch().AuslageGewaehlt()) Klick(f_.AuslageBild(r, p));
        Passen();
    }

    void HandkarteLegen() {
        if (Ich().Hand().Anzahl == 0) return Passen();
        const int platz = W(Ich().Hand().Anzahl) + 1;
        Klick(f_.HandBild(1, platz));
        const int ziel = Markiert();
        if (ziel) {
            Klick(f_.TischBild(1, ziel));
            gemacht.insert("handkarteGelegt");
            return;
        }
        Klick(f_.HandBild(1, platz));
        Passen();
    }

    void ShiftHand() {
        if (Ich().Hand().Anzahl == 0) return Passen();
        const int platz = W(Ich().Hand().Anzahl) + 1;
        Klick(f_.HandBild(1, platz), Qt::LeftButton, Qt::ShiftModifier);
        if (!AmZug()) {
            if (Ich().LetzteAktion == AktionKaufH) gemacht.insert("shiftHand");
            return;
        }
        if (f_.Mensch().HandGewaehlt()) Klick(f_.HandBild(1, platz));
        Passen();
    }

    void ShiftAuslage() {
        auto [r, p] = IrgendeineAuslagekarte();
        if (!r) return Passen();
        const int vorher = Ich().Tischkarten();
        Klick(f_.AuslageBild(r, p), Qt::LeftButton, Qt::ShiftModifier);
        if (Ich().Tischkarten() > vorher) {
            gemacht.insert("shiftAuslage");
            return;
        }
        Passen();
    }

    // Brings an observatory or a pub from the blue stack into the display and buys it with
    // Shift. The card it changes places with is blue too, so every card stays where it counts.
    bool KaufeSonderkarte(uint8_t faehigkeit) {
        TKartenstapel& st = g_.S.Kartenstapel[2];
        int j = 0;
        for (int i = st.Naechste; i <= st.Anzahl && !j; ++i)
            if (g_.Daten(st.Karten[i]).Sondereigenschaften & faehigkeit) j = i;
        int r = 0, p = 0;
        for (int rr = 1; rr <= 2; ++rr)
            for (int pp = 1; pp <= 8; ++pp)
                if (g_.S.Auslage[rr].Karten[pp].Farbe == 2 &&
                    (g_.Daten(g_.S.Auslage[rr].Karten[pp]).Sondereigenschaften & faehigkeit))
                    r = rr, p = pp;
        if (!r && j) {
            for (int rr = 1; rr <= 2 && !r; ++rr)
                for (int pp = 1; pp <= 8 && !r; ++pp)
                    if (g_.S.Auslage[rr].Karten[pp].Farbe == 2) r = rr, p = pp;
            if (!r) return false;
            std::swap(g_.S.Auslage[r].Karten[p], st.Karten[j]);
            f_.AuslageAnzeigen(r, p);
        }
        if (!r) return false;
        const int32_t preis = KostenKarte(g_, 1, g_.S.Auslage[r].Karten[p], r);
        if (Ich().Geld < preis) Ich().Geld = preis + 4;
        Klick(f_.AuslageBild(r, p), Qt::LeftButton, Qt::ShiftModifier);
        if (AmZug()) fehler = "Sonderkarte nicht gekauft";
        gemacht.insert("shiftAuslage");
        return true;
    }

    // An upgrade on top of the upgrade stack that can replace one of seat 1's cards.
    bool ErweiterungOben() {
        TKartenstapel& st = g_.S.Kartenstapel[4];
        for (int i = st.Naechste; i <= st.Anzahl; ++i) {
            const tKartenRef u = st.Karten[i];
            for (int c = 1; c <= 3; ++c)
                for (int k = 1; k <= Ich().Karten[c].Anzahl; ++k)
                    if (KannErsetzen(g_, u, Ich().Karten[c].Karten[k])) {
                        std::swap(st.Karten[i], st.Karten[st.Naechste]);
                        if (Ich().Geld < 30) Ich().Geld = 30;
                        return true;
                    }
        }
        return false;
    }

    void SternwarteBenutzen(int position) {
        // In turn: cancel, discard, hand, buy, an upgrade that waits; then at random.
        const int art = nr_ < 5 ? nr_ : W(5);
        ++nr_;
        const bool erw = art == 4 && g_.S.RestStapel(4) >= 2 && ErweiterungOben();
        u_.D().antworten.push_back([this, art, erw](QDialog& d) -> int {
            auto* s = qobject_cast<ui::TSternwartenFenster*>(&d);
            if (!s) return QDialog::Rejected;
            if (s->windowTitle() != "Sternwarte") fehler = "Titel der Sternwarte";
            if (art == 0 || s->Ziehen()->isHidden()) {
                s->Abbruch()->click();
                return s->result();
            }
            QRadioButton* vier = s->findChild<QRadioButton*>("Stapel4");
            if (erw && vier)
                vier->setChecked(true);
            else
                s->Stapel()[static_cast<size_t>(W(static_cast<int>(s->Stapel().size())))]->setChecked(true);
            s->Ziehen()->click();
            if (!s->Ziehen()->isHidden() || s->Abwurf()->isHidden()) fehler = "Knöpfe nach dem Ziehen";
            if (Hinweis() != "Sternwarte: gezogene Karte kaufen, auf die Hand nehmen oder abbrechen")
                fehler = "Sternwarte nicht angesagt";
            QPushButton* k = art == 2 ? s->Hand() : art >= 3 ? s->Kaufen() : s->Abwurf();
            if (!k->isEnabled()) k = s->Abwurf();
            k->click();
            return s->result();
        });
        const int32_t ablage = g_.S.AblageAnzahl;
        const int index = position - Ich().Karten[1].Anzahl;
        Doppelklick(f_.TischBild(1, position));
        if (!u_.D().antworten.empty()) return void(fehler = "Sternwarte ohne Dialog");
        if (art == 0) {
            // Cancelled: the observatory is ready again and the turn stays.
            if (!AmZug() || KarteBenutzt(Ich().Karten[2].Karten[index])) fehler = "Abbruch der Sternwarte";
            gemacht.insert("swAbbruch");
            return;
        }
        if (AmZug() && !f_.Mensch().SternwartenKarteWartet()) return; // nothing could be drawn
        switch (Ich().LetzteAktion) {
        case AktionSAbwurf:
            if (g_.S.AblageAnzahl != ablage + 1) fehler = "Abwurf zählt nicht";
            gemacht.insert("swAbwurf");
            break;
        case AktionSHand:
            gemacht.insert("swHand");
            break;
        case AktionSKauf:
            if (!f_.Mensch().SternwartenKarteWartet()) gemacht.insert("swKauf");
            break;
        default:
            fehler = "Sternwarte ohne Ergebnis";
        }
    }

    void SchenkeBenutzen() {
        const int pub = Markiert();
        if (!pub) return void(fehler = "Schenke nicht angeboten");
        const bool null = schenken_++ % 2 == 0;
        u_.D().antworten.push_back([this, null](QDialog& d) -> int {
            auto* s = qobject_cast<ui::TSchenkeFenster*>(&d);
            if (!s) return QDialog::Rejected;
            if (!null)
                for (int i = 0; i < 3; ++i) s->Zahl()->stepUp();
            s->Ok()->click();
            return s->result();
        });
        const int32_t punkte = Ich().Siegpunkte;
        Doppelklick(f_.TischBild(1, pub));
        if (AmZug() && g_.S.SchenkeModus) return void(fehler = "Schenke beendet den Zug nicht");
        if (Ich().Siegpunkte > punkte) gemacht.insert("schenkeKauf");
        if (null && Ich().Siegpunkte == punkte) gemacht.insert("schenkeNull");
    }

    Umgebung& u_;
    ui::THauptfenster& f_;
    TSpielsitzung& g_;
    std::mt19937 rng_;
    int nr_ = 0;
    int schenken_ = 0;
};

} // namespace

class SpielTest : public QObject {
    Q_OBJECT
private slots:
    void ganzesSpielMitDerMaus() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        u.NeuesSpiel(3, 4711);
        QCOMPARE(f.Statusfeld(3)->text(), QString("Anzahl Spieler:  3"));
        Spieler mensch(u, 99);
        int schritte = 0;
        while (!g.S.Spielende && schritte++ < 20000 && mensch.fehler.empty()) {
            if (f.Mensch().AmZug())
                mensch.Zug();
            else
                f.SpielTakt();
        }
        QVERIFY2(mensch.fehler.empty(), mensch.fehler.c_str());
        QVERIFY(g.S.Spielende);
        QCOMPARE(g.AnzahlFehler, int64_t{0});
        QCOMPARE(u.D().Anzahl("Spielende"), 1);
        // The final position is the last history entry; a tick after the end moves nobody.
        QCOMPARE(f.Statusfeld(2)->text(),
                 QString("History: %1 von %1").arg(u.F().Historie().H().AnzahlEintraege));
        for (int s = 1; s <= 3; ++s)
            QCOMPARE(f.PunkteLabel(s)->text(), "SP:  " + QString::number(g.Sp(s).Siegpunkte));
        const TSpielstand ende2 = g.S;
        u.Ticks(3);
        QVERIFY(Gleich(ende2, g.S));
        // The finished game is counted in the profile on disk.
        QVERIFY(u.Profil().contains("G_AnzSpiele=1"));

        const std::set<std::string> alle{"tischziel",   "handziel",    "handkarteGelegt", "shiftAuslage",
                                         "ctrlAuslage", "shiftHand",   "passeKnopf",      "passeRechts",
                                         "swAbbruch",   "swAbwurf",    "swHand",          "swKauf",
                                         "swWartet",    "schenkeKauf", "schenkeNull"};
        QStringList fehlt;
        for (const std::string& art : alle)
            if (!mensch.gemacht.count(art)) fehlt << QString::fromStdString(art);
        QVERIFY2(fehlt.isEmpty(), qPrintable(fehlt.join(", ")));

        // The move list kept the whole game and ends with the ranking; a new game clears it.
        const QListWidget* liste = f.VerlaufFenster()->Liste();
        QCOMPARE(liste->count(), static_cast<int>(f.Verlauf().Anzahl()));
        QVERIFY(liste->count() > 200);
        u.NeuesSpiel(3, 5);
        QCOMPARE(liste->item(0)->text(), QString("Runde 1"));
        QVERIFY(liste->count() < 10);
    }

    // A refused click says why, a marked target its price; undo and redo take the list along.
    void hinweiseUndVerlaufBeiUndoRedo() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        u.NeuesSpiel(2, 31);
        QVERIFY(u.BisMenschAmZug());
        int reihe = 0, platz = 0;
        for (int r = 1; r <= 2 && !reihe; ++r)
            for (int p = 1; p <= 8 && !reihe; ++p) {
                const tKartenRef k = g.S.Auslage[r].Karten[p];
                if (!k.Leer() && g.Daten(k).Erweiterung != 1) reihe = r, platz = p;
            }
        QVERIFY(reihe);
        const tKartenRef karte = g.S.Auslage[reihe].Karten[platz];
        const QString name = QString::fromUtf8(g.Daten(karte).Name.data());
        const int32_t preis = KostenKarte(g, 1, karte, reihe);
        const int32_t geld = g.S.Spieler[1].Geld;
        g.Sp(1).Geld = 0;
        Klick(f.AuslageBild(reihe, platz), Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(f.Hinweisfeld()->text(),
                 QString("Zu wenig Geld: %1 kostet %2 Geld, du hast 0").arg(name).arg(preis));
        QCOMPARE(g.S.Auslage[reihe].Karten[platz], karte);

        g.Sp(1).Geld = geld;
        Klick(f.AuslageBild(reihe, platz));
        QCOMPARE(f.Hinweisfeld()->text(), QString());
        const int ziel = g.S.Spieler[1].Tischkarten() + 1;
        ui::TKartenBild* b = f.TischBild(1, ziel);
        QVERIFY(b->Markiert());
        QEnterEvent rein(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(b, &rein);
        QCOMPARE(f.Hinweisfeld()->text(), QString("%1 kaufen: %2 Geld").arg(name).arg(preis));
        QEvent raus(QEvent::Leave);
        QApplication::sendEvent(b, &raus);
        QCOMPARE(f.Hinweisfeld()->text(), QString());

        const size_t vorher = f.Verlauf().Anzahl();
        Klick(b);
        QCOMPARE(g.S.Spieler[1].Geld, geld - preis);
        QCOMPARE(QString::fromStdString(f.Verlauf().Zeile(vorher).text),
                 QString("Spieler 1 kauft %1 für %2 Geld").arg(name).arg(preis));
        QVERIFY(u.BisMenschAmZug());
        const size_t nachher = f.Verlauf().Anzahl();
        QVERIFY(nachher > vorher + 1); // the computer's move too
        f.Aktion("Rueckgaengig")->trigger();
        QCOMPARE(f.Verlauf().Anzahl(), vorher);
        QCOMPARE(f.VerlaufFenster()->Liste()->count(), static_cast<int>(vorher));
        f.Aktion("Wiederherstellen")->trigger();
        QCOMPARE(f.VerlaufFenster()->Liste()->count(), static_cast<int>(nachher));
    }

    // "Tipp" searches seat 1's move on a copy of the game: the game, its generator, history and
    // trace stay as they were, and the window marks and says what the search recommends. The mark
    // goes with the next move; a move while the search runs drops its result; closing the window
    // stops a search.
    void tippAendertDasSpielNicht() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        constexpr int32_t Budget = 60;
        f.SetzeTippBudget(Budget);
        u.NeuesSpiel(3, 17);
        QVERIFY(u.BisMenschAmZug());
        QAction* tipp = f.Aktion("Tipp");
        QVERIFY(tipp->isEnabled() && f.Knopf("TippKnopf")->isEnabled());
        QCOMPARE(tipp->shortcut(), QKeySequence("H"));
        f.Aktion("Trace")->trigger();
        const TSpielstand vorher = g.S;
        const uint32_t saat = g.Zufall.RandSeed;
        const int32_t eintrag = f.Historie().H().AktuellerEintrag;
        const size_t zeilen = g.Log.Zeilen().size();
        const uint64_t zuege = g.MenschZuege;

        QSignalSpy fertig(&f, &ui::THauptfenster::TippFertig);
        tipp->trigger();
        QVERIFY(f.TippLaeuft() && !tipp->isEnabled());
        QCOMPARE(f.Hinweisfeld()->text(), QString("Tipp: Suche läuft ..."));
        QVERIFY(fertig.wait(60000));
        QVERIFY(Gleich(g.S, vorher));
        QCOMPARE(g.Zufall.RandSeed, saat);
        QCOMPARE(f.Historie().H().AktuellerEintrag, eintrag);
        QCOMPARE(g.Log.Zeilen().size(), zeilen);
        QCOMPARE(g.MenschZuege, zuege);
        QVERIFY(tipp->isEnabled());

        // What the same search says, marked where the person makes that move.
        TVorausschauParameter p = VorausschauParameter(g);
        p.Budget = Budget;
        TVorausschau suche(g.Katalog());
        const TVorausschauErgebnis e = suche.Suche(g, p);
        QVERIFY(e.spiele > 0);
        const QString text = f.Hinweisfeld()->text();
        QCOMPARE(text, QString::fromStdString(TippText(TTexte(), f.AnzeigeKatalog(), g.S, e)));
        QVERIFY(text.startsWith("Tipp: ") && text.contains(" – Gewinnchance ") && text.endsWith(" %"));
        const TTippZiel z = TippZiel(g, e.aktion);
        QWidget* erwartet = z.art == TTippZiel::Auslage ? f.AuslageBild(z.reihe, z.platz)
                            : z.art == TTippZiel::Hand  ? f.HandBild(1, z.platz)
                            : z.art == TTippZiel::Passe ? static_cast<QWidget*>(f.PasseKnopf())
                                                        : nullptr;
        const std::vector<QWidget*> marken = f.TippMarken();
        QVERIFY(!marken.empty());
        QVERIFY(erwartet == nullptr || std::find(marken.begin(), marken.end(), erwartet) != marken.end());

        Klick(f.PasseKnopf());
        QVERIFY(f.TippMarken().empty());
        QVERIFY(!f.Hinweisfeld()->text().startsWith("Tipp"));
        QVERIFY(!tipp->isEnabled()); // the computer seats are on turn

        QVERIFY(u.BisMenschAmZug());
        tipp->trigger();
        Klick(f.PasseKnopf()); // before the search's end reaches the window
        QVERIFY(!f.TippLaeuft() && f.TippMarken().empty());
        QVERIFY(!f.Hinweisfeld()->text().startsWith("Tipp"));
        QCoreApplication::processEvents();
        QCOMPARE(fertig.count(), 1);

        QVERIFY(u.BisMenschAmZug());
        f.SetzeTippBudget(2000000);
        tipp->trigger();
        QVERIFY(f.TippLaeuft());
        // The window goes with the test: it stops the search and waits for it.
    }

    // "Stellung analysieren" plays the position on from a copy: one seat wins each imagined game,
    // every action of seat 1 has its row, the best first, and the game stays as it was. "Abbruch"
    // stops a long computation at once.
    void analyseImDialog() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        QVERIFY(!f.Aktion("Analyse")->isEnabled()); // no game on the board yet
        // Weak opponents: seat 1 wins some imagined games, so that its actions differ.
        u.NeuesSpiel(3, 23, 1);
        QVERIFY(u.BisMenschAmZug());
        QVERIFY(f.Aktion("Analyse")->isEnabled());
        f.SetzeAnalyseSpiele(40);
        const TSpielstand vorher = g.S;
        const uint32_t saat = g.Zufall.RandSeed;
        TVorausschau v(g.Katalog());
        const int aktionen = v.Aufzaehlen(g);
        QVERIFY(aktionen > 1);

        bool berechnet = false, geordnet = true;
        double summe = 0;
        int sitze = 0, zeilen = 0;
        u.D().Antworte<ui::TAnalyseFenster>([&](ui::TAnalyseFenster& d) {
            QSignalSpy fertig(&d, &ui::TAnalyseFenster::Berechnet);
            berechnet = d.Fertig() || fertig.wait(60000);
            for (int s = 1; s <= d.Ergebnis().Spieler; ++s) summe += d.Ergebnis().Sitz[s].Anteil;
            sitze = d.Sitze()->rowCount();
            zeilen = d.Aktionen()->rowCount();
            for (int z = 1; z < zeilen; ++z)
                geordnet = geordnet && d.Aktionen()->item(z - 1, 0)->text().remove(" %").toDouble() >=
                                           d.Aktionen()->item(z, 0)->text().remove(" %").toDouble();
            d.Knopf()->click();
            return d.result();
        });
        f.Aktion("Analyse")->trigger();
        QVERIFY(berechnet);
        QCOMPARE(sitze, 3);
        QVERIFY(std::abs(summe - 1.0) < 1e-9);
        QCOMPARE(zeilen, aktionen);
        QVERIFY(geordnet);
        QVERIFY(Gleich(g.S, vorher));
        QCOMPARE(g.Zufall.RandSeed, saat);

        f.SetzeAnalyseSpiele(100000000);
        bool gestoppt = false;
        u.D().Antworte<ui::TAnalyseFenster>([&](ui::TAnalyseFenster& d) {
            d.Knopf()->click();
            gestoppt = !d.Fertig() && !d.isVisible();
            return d.result();
        });
        f.Aktion("Analyse")->trigger();
        QVERIFY(gestoppt);
        QVERIFY(Gleich(g.S, vorher));
        QCOMPARE(u.D().unerwartet, 0);
    }

    // After the human's move the first computer seat waits one tick, then each moves on its own
    // tick; in single-step mode only "Next" lets the seat on turn move.
    void taktDerComputerspieler() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        u.NeuesSpiel(3, 21);
        QVERIFY(u.BisMenschAmZug());
        u.Ticks(1);
        g.S.AnzahlPassen = 0;
        Klick(f.PasseKnopf());
        QCOMPARE(g.S.AktuellerSpieler, 2);
        u.Ticks(1);
        QCOMPARE(g.S.AktuellerSpieler, 2);
        u.Ticks(1);
        QCOMPARE(g.S.AktuellerSpieler, 3);

        QVERIFY(u.BisMenschAmZug());
        f.Aktion("Einzelschritt")->trigger();
        QVERIFY(f.NextKnopf()->isVisibleTo(&f));
        Klick(f.NextKnopf()); // used up without effect while the human is on turn
        u.Ticks(1);
        g.S.AnzahlPassen = 0;
        Klick(f.PasseKnopf());
        u.Ticks(5);
        QCOMPARE(g.S.AktuellerSpieler, 2);
        Klick(f.NextKnopf());
        Klick(f.NextKnopf()); // two presses before a tick still allow one move
        u.Ticks(3);
        QCOMPARE(g.S.AktuellerSpieler, 3);
        QCOMPARE(f.Seiten()->currentIndex(), 2); // the page of the computer seat on turn
    }

    // The run inside the window plays the same games as the simulator and writes its report
    // into the trace window; it can be cancelled.
    void simulationImFensterWieDerSimulator() {
        Umgebung u;
        ui::THauptfenster& f = u.F();
        TSpielsitzung& g = u.G();
        f.StaerkeAktion(Expertenmodus)->trigger();
        f.Aktion("SpielerAnzahl3")->trigger();
        g.Einstellungen.Fuer(3).Sim = 1;
        g.Einstellungen.Fuer(3).AnzahlSim = 0;
        f.Aktion("Simulation")->trigger(); // no games: nothing starts
        QVERIFY(g.S.Spielende && !f.Trace().isVisible());

        g.Einstellungen.Fuer(3).AnzahlSim = 12;
        // "Neues Spiel" is a game for the person whatever the settings ask for.
        f.Aktion("NeuesSpiel")->trigger();
        QVERIFY(!g.S.Spielende && !g.S.Computer[1]);
        QCOMPARE(f.Statistik().AnzahlSpiele, 0);

        g.Zufall.RandSeed = 777;
        f.Aktion("Trace")->trigger(); // the run switches the trace off first
        f.findChild<QAction*>("ExtraStatistik")->trigger();
        // While the series plays on a session of its own, the board's stays as it was.
        bool unberuehrt = true;
        auto beobachten = connect(f.Fortschritt(), &QProgressBar::valueChanged, &f, [&](int spiele) {
            unberuehrt = unberuehrt && (spiele == 0 || (g.SimulationLaeuft && g.Zufall.RandSeed == 777 &&
                                                        !f.Aktion("NeuesSpiel")->isEnabled()));
        });
        QVERIFY(u.Simulieren());
        disconnect(beobachten);
        QVERIFY(unberuehrt && !g.SimulationLaeuft);
        QCOMPARE(f.Statistik().AnzahlSpiele, 12);
        QVERIFY(f.Fortschritt()->isHidden() && f.AbbruchKnopf()->isHidden());
        QVERIFY(f.Trace().isVisible());
        QCOMPARE(f.Statusfeld(5)->text(), QString("Trace on"));

        TSimOptionen o;
        o.spieler = 3;
        o.spiele = 12;
        o.spieleGesetzt = true;
        o.seedGesetzt = true;
        o.seed = 777;
        auto serie = std::make_unique<TSimSerie>();
        QVERIFY(serie->Vorbereiten(o).empty());
        std::FILE* extra = std::tmpfile();
        serie->SetzeExtraStatistik(extra);
        TPunkteVerteilung punkte(3);
        serie->SetzeErgebnisSenke([&](const TSpielErgebnis* e, size_t n) {
            for (size_t i = 0; i < n; ++i) punkte.Spiel(e[i]);
        });
        serie->Laufen();
        QVERIFY(f.Diagramme() == SerienDiagramme(serie->Statistik(), punkte, TTexte()));
        // The window's session goes on from the series' last game and generator.
        const TSpielsitzung& s = serie->Sitzung();
        QVERIFY(g.Zufall.RandSeed == s.Zufall.RandSeed && Gleich(g.S, s.S));
        QVERIFY(std::memcmp(&g.Platz, &s.Platz, sizeof g.Platz) == 0);
        std::string extraZeilen(static_cast<size_t>(std::ftell(extra)), '\0');
        std::rewind(extra);
        QVERIFY(std::fread(extraZeilen.data(), 1, extraZeilen.size(), extra) == extraZeilen.size());
        std::fclose(extra);
        std::string imFensterExtra; // after the header line
        const auto& fensterExtra = f.Fensterdialoge().ExtraStatistik();
        for (size_t i = 1; i < fensterExtra.size(); ++i) imFensterExtra += fensterExtra[i] + "\n";
        QVERIFY(!extraZeilen.empty());
        QCOMPARE(QString::fromStdString(imFensterExtra), QString::fromStdString(extraZeilen));
        const std::string bericht =
            StatistikBerichtText(serie->Statistik(), serie->Katalog(), serie->Sitzung().Zufall.RandSeed, '.');
        std::string imFenster;
        const auto& zeilen = g.Log.Zeilen();
        const size_t start = f.TraceMemoStartup().size();
        QVERIFY(zeilen.size() > start);
        for (size_t i = start; i < zeilen.size(); ++i) imFenster += zeilen[i] + "\n";
        QCOMPARE(QString::fromStdString(imFenster), QString::fromStdString(bericht));
        QVERIFY(f.Trace().Memo()->toPlainText().contains("number of games: 12"));

        // "Abbruch", pressed when the gauge shows the first game, ends the run after the game
        // in progress with the report of the games played.
        f.Aktion("SpielerAnzahl2")->trigger();
        g.Einstellungen.Fuer(2).Sim = 1;
        g.Einstellungen.Fuer(2).AnzahlSim = 1000000;
        bool gesehen = false;
        auto abbrechen = connect(f.Fortschritt(), &QProgressBar::valueChanged, &f, [&] {
            gesehen = gesehen || f.Fortschritt()->isVisibleTo(&f);
            Klick(f.AbbruchKnopf());
        });
        QVERIFY(u.Simulieren() && gesehen);
        disconnect(abbrechen);
        const int32_t gespielt = f.Statistik().AnzahlSpiele;
        QVERIFY(gespielt >= 1 && gespielt < 1000000);
        QVERIFY(f.Trace().Memo()->toPlainText().contains(QString("number of games: %1\n").arg(gespielt)));
        QVERIFY(f.Aktion("NeuesSpiel")->isEnabled() && f.Fortschritt()->isHidden());

        // Closing the window stops a run the same way, and the window closes at its end.
        QTimer::singleShot(0, &f, [&] {
            f.close();
            gesehen = f.isVisible();
        });
        QVERIFY(u.Simulieren() && gesehen && f.isHidden());
        QVERIFY(f.Statistik().AnzahlSpiele < 1000000);
    }
};

VELDMARK_UITEST(SpielTest);

#include "test_spiel.moc"
