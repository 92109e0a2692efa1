// The board view: every refresh the rules request, and the human's selection.
#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <algorithm>

#include "rules/hand.h"
#include "rules/kaufen.h"
#include "ui/hauptfenster.h"
#include "ui/qtext.h"

namespace vm::ui {

namespace {

// A label is rewritten only when its text changes.
void Setze(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
}

void Hintergrund(QWidget* w, const QString& stil) {
    if (w->styleSheet() != stil) w->setStyleSheet(stil);
}

const char* const Aktionsnamen[] = {"----",   "Kauf",     "Hand",    "Passe", "S-Hand",
                                    "S-Kauf", "S-Abwurf", "Kauf-Sp", "Kauf-H"};
const char* const Phasennamen[] = {"Grün", "Blau", "Rot", "Erw."};
const char* const Rollenbuchstaben[] = {"H", "B", "A", "E"};
const char* const Phasenfarben[] = {"#51DD22", "#64B1FF", "#FF8040", "#FFFF80"};

} // namespace

void THauptfenster::GeldAnzeigen(int s) {
    if (Bremse()) return;
    const TSpielstand& st = g_.S;
    const bool verdeckt = st.VerdeckteHandkarten && s >= 2 && !st.Spielende;
    Setze(sitze_[s - 1].geld,
          Tx("Geld: ") + " " + (verdeckt ? QString("??") : QString::number(st.Spieler[s].Geld)));
}

void THauptfenster::SiegpunkteAnzeigen(int s) {
    if (Bremse()) return;
    Setze(sitze_[s - 1].punkte, Tx("SP: ") + " " + QString::number(g_.S.Spieler[s].Siegpunkte));
}

void THauptfenster::LetzteAktionAnzeigen(int s) {
    if (Bremse()) return;
    const TSpieler& sp = g_.S.Spieler[s];
    const int code = sp.LetzteAktion <= AktionKaufH ? sp.LetzteAktion : 0;
    QString text = Tx(Aktionsnamen[code]);
    if (code == AktionKaufSp) text += QString::number(g_.S.GekaufteSiegpunkte);
    Setze(sitze_[s - 1].aktion, text);
    TKartenBild* b = sitze_[s - 1].letzte;
    // With hidden hand cards an opponent's card from the observatory went unseen into its hand.
    const bool verdeckt =
        g_.S.VerdeckteHandkarten && s >= 2 && !g_.S.Spielende && sp.LetzteAktion == AktionSHand;
    if (sp.LetzteKarte.Leer()) {
        b->Verbergen();
    } else if (verdeckt) {
        b->Zeige(BildRueckseite, QString("??"));
    } else {
        const tKarte& k = anzeigeKatalog_.Daten(sp.LetzteKarte);
        b->Zeige(k.Inx, Q(k.Name));
    }
}

void THauptfenster::AuslageAnzeigen(int r, int p) {
    if (Bremse() || r < 1 || r > 2 || p < 1 || p > 8) return;
    TKartenBild* b = auslage_[r - 1][p - 1];
    const tKartenRef karte = g_.S.Auslage[r].Karten[p];
    if (karte.Leer()) {
        b->Anheben(false);
        b->Verbergen();
        return;
    }
    const tKarte& k = anzeigeKatalog_.Daten(karte);
    b->Zeige(k.Inx, Q(k.Name));
}

void THauptfenster::StapelAnzeigen(int k) {
    if (Bremse() || k < 1 || k > 4) return;
    Setze(stapel_[static_cast<size_t>(k - 1)], QString::number(g_.S.RestStapel(k)));
}

void THauptfenster::PhaseAnzeigen() {
    if (Bremse()) return;
    const int phase = std::clamp(g_.S.Phase, 1, 4);
    // The counter of the phase in play is the wide one.
    for (int k = 1; k <= 4; ++k) {
        QLabel* l = stapel_[static_cast<size_t>(k - 1)];
        const int breite = Px(k == phase ? 50 : 30);
        if (l->width() != breite || l->minimumWidth() != breite) l->setFixedWidth(breite);
    }
    Setze(status_[1], Tx("Phase:") + " " + Tx(Phasennamen[phase - 1]));
}

void THauptfenster::RundeAnzeigen() {
    if (Bremse()) return;
    Setze(status_[0], Tx("Runde:") + " " + QString::number(g_.S.Runde));
}

void THauptfenster::SpielerAnzahlAnzeigen() {
    if (Bremse()) return;
    const int n = g_.S.SpielerAnzahl;
    for (int s = 3; s <= 4; ++s) {
        sitze_[s - 1].box->setVisible(s <= n);
        seiten_->setTabVisible(s - 1, s <= n);
    }
    Setze(status_[3], Tx("Anzahl Spieler: ") + " " + QString::number(n));
}

void THauptfenster::StartspielerAnzeigen() {
    if (Bremse()) return;
    const TSpielstand& st = g_.S;
    for (int s = 1; s <= 4; ++s) {
        QString text = Tx("Start: ");
        QStringList farben;
        if (s <= st.SpielerAnzahl) {
            for (int rolle = 1; rolle <= 4; ++rolle) {
                if (st.Startspieler[rolle] != s) continue;
                text += farben.isEmpty() ? QString(" ") : QString("-");
                text += Rollenbuchstaben[rolle - 1];
                farben << Phasenfarben[rolle - 1];
            }
        }
        QLabel* l = sitze_[s - 1].start;
        Setze(l, text);
        // The first token colours the label; a second one shares it.
        QString stil;
        if (farben.size() == 1)
            stil = "background:" + farben[0] + ";";
        else if (farben.size() >= 2)
            stil =
                QString("background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 %1,stop:0.5 %1,stop:0.501 %2,"
                        "stop:1 %2);")
                    .arg(farben[0], farben[1]);
        Hintergrund(l, stil);
    }
}

void THauptfenster::AmZugAnzeigen() {
    if (Bremse()) return;
    // A game that is over has nobody on turn.
    const int amZug = g_.S.Spielende ? 0 : g_.S.AktuellerSpieler;
    for (int s = 1; s <= 4; ++s) {
        QFrame* box = sitze_[s - 1].box;
        const QColor farbe = s == amZug ? farbeAmZug_ : farbeNichtAmZug_;
        if (box->palette().color(QPalette::Window) != farbe) {
            QPalette p = box->palette();
            p.setColor(QPalette::Window, farbe);
            box->setPalette(p);
        }
        box->setFrameShadow(s == amZug ? QFrame::Sunken : QFrame::Raised);
    }
    StartspielerAnzeigen();
    if (amZug < 1 || amZug > 4) return;
    if (!g_.S.Computer[amZug])
        seiten_->setCurrentIndex(0);
    else if (einzelschritt_)
        seiten_->setCurrentIndex(amZug - 1);
}

void THauptfenster::ZeigeHandkarte(int s, int p) {
    TKartenBild* b = sitze_[s - 1].hand[static_cast<size_t>(p - 1)];
    const TSpielstand& st = g_.S;
    const TKartenliste& h = st.Spieler[s].Hand();
    const bool verdeckt = st.VerdeckteHandkarten != 0;
    if (p <= h.Anzahl) {
        if (!verdeckt || s == 1 || st.Spielende) {
            const tKarte& k = anzeigeKatalog_.Daten(h.Karten[p]);
            b->Zeige(k.Bild, Q(k.Beschreibung));
        } else {
            b->Zeige(BildRueckseite, "??");
        }
    } else if (s == 1 && mensch_.AuslageGewaehlt() && p == mensch_.HandZiel()) {
        b->Zeige(BildRueckseite, verdeckt ? QString("??") : Tx("Karte auf die Hand nehmen"));
    } else {
        b->Anheben(false);
        b->Verbergen();
    }
}

void THauptfenster::HandAnzeigen(int s, int p) {
    if (Bremse() || s < 1 || s > 4 || p < 1 || p > 4) return;
    ZeigeHandkarte(s, p);
}

void THauptfenster::ZeigeTischkarte(int s, int pos) {
    TKartenBild* b = sitze_[s - 1].tisch[static_cast<size_t>(pos - 1)];
    const TSpieler& sp = g_.S.Spieler[s];
    if (pos <= sp.Tischkarten()) {
        const TTischkarte t = TischpositionZuKarte(g_, s, pos);
        const tKarte& k = anzeigeKatalog_.Daten(t.karte);
        b->Zeige(KarteBenutzt(t.karte) ? BildBenutzt : k.Bild, Q(k.Beschreibung));
    } else if (s == 1 && mensch_.Zustand().MarkierteTischplaetze[pos]) {
        b->Zeige(BildRueckseite, Tx("Karte kaufen")); // a free place offered as target
    } else {
        b->Verbergen();
    }
}

void THauptfenster::TischpositionAnzeigen(int s, int pos) {
    if (Bremse() || s < 1 || s > 4 || pos < 1 || pos > MaxTischpositionen) return;
    TischOrdnen(s);
    ZeigeTischkarte(s, pos);
}

void THauptfenster::TischpositionAnheben(int s, int pos, bool hoch) {
    if (Bremse() || s < 1 || s > 4 || pos < 1 || pos > MaxTischpositionen) return;
    TKartenBild* b = sitze_[s - 1].tisch[static_cast<size_t>(pos - 1)];
    b->Anheben(hoch);
    b->Markieren(hoch);
}

// Places the table pictures. Positions 1..20 fill two rows; the third row holds 21..31 at
// their standard places, and more than 31 cards are spread over it, each overlapping the last.
void THauptfenster::TischOrdnen(int s) {
    TSitz& z = sitze_[s - 1];
    const int n = g_.S.Spieler[s].Tischkarten();
    const QPoint rand(Px(4), Px(4));
    if (n <= 31) {
        for (int pos = 1; pos <= MaxTischpositionen; ++pos)
            z.tisch[static_cast<size_t>(pos - 1)]->SetzeOrt(Standardort(pos) + rand);
        return;
    }
    const int schritt = Standardort(32).x() / (n - 20) - 1;
    const int oben = Standardort(21).y();
    for (int pos = 1; pos <= 20; ++pos)
        z.tisch[static_cast<size_t>(pos - 1)]->SetzeOrt(Standardort(pos) + rand);
    for (int pos = 21; pos <= MaxTischpositionen; ++pos) {
        TKartenBild* b = z.tisch[static_cast<size_t>(pos - 1)];
        b->SetzeOrt(QPoint((pos - 21) * schritt, oben) + rand);
        b->raise();
    }
    for (TKartenBild* b : z.tisch)
        if (b->Angehoben()) b->raise();
}

void THauptfenster::TischAnzeigen(int s) {
    if (Bremse() || s < 1 || s > 4) return;
    TischOrdnen(s);
    for (int pos = 1; pos <= MaxTischpositionen; ++pos) ZeigeTischkarte(s, pos);
}

void THauptfenster::SpielfeldAnzeigen() {
    if (Bremse()) return;
    vm::AuswahlAufheben(g_);
    for (int s = 1; s <= 4; ++s) {
        TischAnzeigen(s);
        for (int p = 1; p <= 4; ++p) ZeigeHandkarte(s, p);
        GeldAnzeigen(s);
        SiegpunkteAnzeigen(s);
        LetzteAktionAnzeigen(s);
    }
    for (int r = 1; r <= 2; ++r)
        for (int p = 1; p <= 8; ++p) AuslageAnzeigen(r, p);
    for (int k = 1; k <= 4; ++k) StapelAnzeigen(k);
    PhaseAnzeigen();
    RundeAnzeigen();
    SpielerAnzahlAnzeigen();
    AmZugAnzeigen();
}

void THauptfenster::AuswahlAufheben() {
    mensch_.AuswahlAufheben();
}

void THauptfenster::AuslageAnheben(int r, int p, bool hoch) {
    if (r >= 1 && r <= 2 && p >= 1 && p <= 8) auslage_[r - 1][p - 1]->Anheben(hoch);
}

void THauptfenster::HandAnheben(int p, bool hoch) {
    if (p >= 1 && p <= 4) sitze_[0].hand[static_cast<size_t>(p - 1)]->Anheben(hoch);
}

void THauptfenster::HandZielZeigen(int p, bool zeigen) {
    if (p < 1 || p > 4) return;
    TKartenBild* b = sitze_[0].hand[static_cast<size_t>(p - 1)];
    if (!zeigen) b->Anheben(false);
    b->Markieren(zeigen);
    ZeigeHandkarte(1, p);
    if (zeigen) b->Anheben(true);
}

} // namespace vm::ui
