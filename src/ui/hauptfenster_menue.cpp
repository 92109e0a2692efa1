// The menus, the tool buttons and what a game, a puzzle or a running simulation locks of them.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "ai/spielstaerke.h"
#include "control/laufendesspiel.h"
#include "ui/fensterdialoge.h"
#include "ui/hauptfenster.h"
#include "ui/qtext.h"
#include "ui/tracefenster.h"
#include "ui/werkzeugsymbol.h"

namespace vm::ui {

namespace {

struct TStaerke {
    int32_t tag;
    const char* text;
};
constexpr TStaerke Staerken[] = {
    {1, "&niedrig"},
    {2, "&mittel"},
    {0, nullptr},
    {3, "Z1 hoch - Gegner haben 2&5 Geld (Std)"},
    {5, "Z2 hoch - Gegner haben 2&8 Geld"},
    {6, "Z3 hoch - Gegner haben 3&1 Geld"},
    {7, "Z4 hoch - Gegner haben 3&4 Geld"},
    {8, "Z5 hoch - Gegner haben 3&7 Geld"},
    {9, "Z6 hoch - Gegner haben 4&0 Geld"},
    {0, nullptr},
    {11, "K1 hoch - Gegner haben 25 Geld (Std)"},
    {12, "K1 hoch - Gegner haben 30 Geld "},
    {13, "K1 hoch - Gegner haben 35 Geld "},
    {21, "K2 hoch - Gegner haben 25 Geld (Std)"},
    {22, "K2 hoch - Gegner haben 30 Geld"},
    {23, "K2 hoch - Gegner haben 35 Geld "},
    {31, "K3 hoch - Gegner haben 25 Geld (Std)"},
    {32, "K3 hoch - Gegner haben 30 Geld "},
    {33, "K3 hoch - Gegner haben 35 Geld"},
    {41, "K4 hoch - Gegner haben 25 Geld (Std)"},
    {42, "K4 hoch - Gegner haben 30 Geld"},
    {43, "K4 hoch - Gegner haben 35 Geld"},
    {0, nullptr},
    {Expertenmodus, "&Expertenmodus"},
};

} // namespace

// ---- menus, tool buttons, status bar ----

void THauptfenster::MenueAufbauen() {
    auto neu = [this](QMenu* menue, const char* name, const QString& text, auto slot) {
        auto* a = menue->addAction(text);
        a->setObjectName(name);
        aktionen_[name] = a;
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenuBar* leiste = menuBar();

    QMenu* datei = leiste->addMenu("&Datei");
    neu(datei, "NeuesSpiel", "&Neues Spiel", &THauptfenster::NeuesSpielKlick)
        ->setShortcut(QKeySequence("Ctrl+N"));
    neu(datei, "SpielLaden", Q(texte_[Text::MenueSpieldateiLaden]),
        &THauptfenster::SpielLadenKlick);
    neu(datei, "SpielSpeichern", Q(texte_[Text::MenueSpieldateiSpeichern]),
        &THauptfenster::SpielSpeichernKlick);
    datei->addSeparator();
    neu(datei, "Ende", "&Ende", &THauptfenster::ProgrammEnde);

    spielzugMenue_ = leiste->addMenu(Q(texte_[Text::MenueSpielzug]));
    spielzugMenue_->menuAction()->setObjectName("SpielzugMenue");
    aktionen_["SpielzugMenue"] = spielzugMenue_->menuAction();
    neu(spielzugMenue_, "Rueckgaengig", Q(texte_[Text::MenueRueckgaengig]), &THauptfenster::RueckgaengigKlick)
        ->setShortcut(QKeySequence("Ctrl+Z"));
    neu(spielzugMenue_, "Wiederherstellen", Q(texte_[Text::MenueWiederherstellen]),
        &THauptfenster::WiederherstellenKlick)
        ->setShortcut(QKeySequence("Ctrl+Y"));
    neu(spielzugMenue_, "GanzZurueck", Q(texte_[Text::MenueGanzZurueck]), &THauptfenster::GanzZurueckKlick);
    neu(spielzugMenue_, "GanzVor", Q(texte_[Text::MenueGanzVor]), &THauptfenster::GanzVorKlick);
    spielzugMenue_->addSeparator();
    neu(spielzugMenue_, "Tipp", Q(texte_[Text::MenueTipp]), &THauptfenster::TippKlick)
        ->setShortcut(QKeySequence("H"));
    neu(spielzugMenue_, "Analyse", Q(texte_[Text::MenueAnalyse]), &THauptfenster::AnalyseKlick);

    spielerMenue_ = leiste->addMenu("&Spieler");
    spielerMenue_->menuAction()->setObjectName("SpielerMenue");
    aktionen_["SpielerMenue"] = spielerMenue_->menuAction();
    auto* anzahlGruppe = new QActionGroup(this);
    const char* anzahlText[] = {"&Zweipersonenspiel", "&Dreipersonenspiel", "&Vierpersonenspiel"};
    for (int n = 2; n <= 4; ++n) {
        const QString name = QString("SpielerAnzahl%1").arg(n);
        auto* a = spielerMenue_->addAction(anzahlText[n - 2]);
        a->setObjectName(name);
        a->setCheckable(true);
        a->setActionGroup(anzahlGruppe);
        aktionen_[name] = a;
        connect(a, &QAction::triggered, this, [this, n] { SpielerAnzahlWaehlen(n); });
    }

    staerkeMenue_ = leiste->addMenu("S&pielstärke");
    staerkeMenue_->menuAction()->setObjectName("SpielstaerkeMenue");
    aktionen_["SpielstaerkeMenue"] = staerkeMenue_->menuAction();
    auto* staerkeGruppe = new QActionGroup(this);
    for (const TStaerke& s : Staerken) {
        if (!s.text) {
            staerkeMenue_->addSeparator();
            continue;
        }
        auto* a = staerkeMenue_->addAction(QString::fromUtf8(s.text));
        a->setCheckable(true);
        a->setActionGroup(staerkeGruppe);
        a->setData(s.tag);
        staerke_[s.tag] = a;
        const int32_t tag = s.tag;
        connect(a, &QAction::triggered, this, [this, tag] {
            SetzeSpielstaerke(g_, tag);
            StaerkeMenue();
            NachAktion();
        });
    }

    QMenu* optionen = leiste->addMenu(Q(texte_[Text::MenueOptionen]));
    auto* step = neu(optionen, "Einzelschritt", "&Singlestep", &THauptfenster::EinzelschrittKlick);
    step->setCheckable(true);
    auto* profil = optionen->addAction(Q(texte_[Text::MenueProfileSichern]));
    profil->setObjectName("ProfilSichern");
    profil->setCheckable(true);
    aktionen_["ProfilSichern"] = profil;
    connect(profil, &QAction::triggered, this, [this] {
        if (!profil_.ProfileSichernUmschalten())
            MeldungZeigen("Veldmark", "Datei kann nicht geschrieben werden: " + Q(profil_.Pfad()));
        aktionen_["ProfilSichern"]->setChecked(profil_.W.SaveIni);
    });
    auto* trace = neu(optionen, "Trace", "TraceDebug", &THauptfenster::TraceKlick);
    trace->setCheckable(true);
    VerlaufAufbauen(optionen);

    erweitertMenue_ = optionen->addMenu(Q(texte_[Text::MenueErwEinstellungen]));
    erweitertMenue_->menuAction()->setObjectName("ErweiterteEinstellungen");
    aktionen_["ErweiterteEinstellungen"] = erweitertMenue_->menuAction();
    auto profilAktion = [this](const char* name, Text text, auto arbeit) {
        auto* a = erweitertMenue_->addAction(Q(texte_[text]));
        a->setObjectName(name);
        aktionen_[name] = a;
        connect(a, &QAction::triggered, this, [this, arbeit] {
            if (!arbeit())
                MeldungZeigen("Veldmark", "Datei kann nicht geschrieben werden: " + Q(profil_.Pfad()));
            aktionen_["StrategieparameterBeimStart"]->setChecked(profil_.W.LadeStrategieParam);
            NachAktion();
        });
        return a;
    };
    profilAktion("StrategieparameterSichern", Text::MenueStrategieSichern,
                 [this] { return profil_.StrategieparameterSichern(g_); });
    profilAktion("StrategieparameterEinlesen", Text::MenueStrategieEinlesen,
                 [this] { return profil_.StrategieparameterEinlesen(g_); });
    profilAktion("StrategieparameterInitialisieren", Text::MenueStrategieInitialisieren, [this] {
        profil_.StrategieparameterInitialisieren(g_);
        return true;
    });
    profilAktion("StrategieparameterBeimStart", Text::MenueStrategieBeiStartup, [this] {
        return profil_.StrategieBeiStartupUmschalten();
    })->setCheckable(true);
    // A series of computer-only games, when the settings of the chosen player count ask for one.
    erweitertMenue_->addSeparator();
    neu(erweitertMenue_, "Simulation", "&Simulation starten", &THauptfenster::SimulationKlick);
    neu(erweitertMenue_, "Diagramme", Q(texte_[Text::MenueDiagramme]), &THauptfenster::DiagrammeKlick);
    neu(erweitertMenue_, "DiagrammeAusDatei", Q(texte_[Text::MenueDiagrammeAusDatei]),
        &THauptfenster::DiagrammeAusDateiKlick);
    connect(erweitertMenue_, &QMenu::aboutToShow, this, [this] {
        aktionen_["Simulation"]->setEnabled(SimulationStartbar(g_, historie_));
        aktionen_["Diagramme"]->setEnabled(!diagramme_.empty());
    });

    variantenMenue_ = leiste->addMenu("&Varianten");
    variantenMenue_->menuAction()->setObjectName("VariantenMenue");
    aktionen_["VariantenMenue"] = variantenMenue_->menuAction();
    struct {
        const char* name;
        const char* text;
        bool TMenueWahl::*flag;
    } varianten[] = {
        {"AdelsbonusErweitert", "&1. Adelsbonus für mehr als 10 Adelstypen(je 10 SP)",
         &TMenueWahl::AdelsbonusErweitert},
        {"VerdeckteHandkarten", "&2. Verdeckte Handkarten und Geld", &TMenueWahl::VerdeckteHandkarten},
        {"KeineHofmeisterinRunde1", "&3. Keine Hofmeisterin in Runde 1", &TMenueWahl::KeineHofmeisterinRunde1},
    };
    for (const auto& v : varianten) {
        auto* a = variantenMenue_->addAction(QString::fromUtf8(v.text));
        a->setObjectName(v.name);
        a->setCheckable(true);
        aktionen_[v.name] = a;
        bool TMenueWahl::*flag = v.flag;
        // Takes effect at the next new game; a running game keeps its own variants.
        connect(a, &QAction::toggled, this, [this, flag](bool an) { g_.Menue.*flag = an; });
    }

    // Tool buttons with hints.
    QToolBar* leiste2 = addToolBar("Werkzeuge");
    leiste2->setObjectName("Werkzeuge");
    leiste2->setMovable(false);
    leiste2->setFloatable(false);
    leiste2->setContextMenuPolicy(Qt::PreventContextMenu);
    leiste2->setIconSize(QSize(Px(22), Px(22)));
    leiste2->toggleViewAction()->setVisible(false);
    auto knopf = [&](const char* name, const QIcon& bild, const QString& hinweis, auto slot) {
        auto* k = new QToolButton(leiste2);
        k->setObjectName(name);
        k->setIcon(MitDeutlichemAus(bild));
        k->setToolTip(hinweis);
        k->setAutoRaise(true);
        leiste2->addWidget(k);
        connect(k, &QToolButton::clicked, this, slot);
        knoepfe_[name] = k;
        return k;
    };
    knopf("NeuesSpielKnopf", style()->standardIcon(QStyle::SP_FileIcon), "Neues Spiel",
          &THauptfenster::NeuesSpielKlick);
    knopf("SpielLadenKnopf", style()->standardIcon(QStyle::SP_DialogOpenButton),
          Q(texte_[Text::HinweisSpielLaden]), &THauptfenster::SpielLadenKlick);
    knopf("SpielSpeichernKnopf", style()->standardIcon(QStyle::SP_DialogSaveButton),
          Q(texte_[Text::HinweisSpielSpeichern]), &THauptfenster::SpielSpeichernKlick);
    leiste2->addSeparator();
    knopf("RueckgaengigKnopf", style()->standardIcon(QStyle::SP_ArrowBack),
          Q(texte_[Text::HinweisRueckgaengig]), &THauptfenster::RueckgaengigKlick);
    knopf("WiederherstellenKnopf", style()->standardIcon(QStyle::SP_ArrowForward),
          Q(texte_[Text::HinweisWiederherstellen]), &THauptfenster::WiederherstellenKlick);
    knopf("TippKnopf", TippSymbol(), Q(texte_[Text::HinweisTipp]), &THauptfenster::TippKlick);
    leiste2->addSeparator();
    knopf("TraceKnopf", style()->standardIcon(QStyle::SP_FileDialogDetailedView), "Trace/Debug", [this] {
        aktionen_["Trace"]->toggle();
        TraceKlick();
    });
    leiste2->addSeparator();
    knopf("BeendenKnopf", style()->standardIcon(QStyle::SP_DialogCloseButton), "Programm beenden",
          &THauptfenster::ProgrammEnde);
}

QToolButton* THauptfenster::Knopf(const QString& name) const {
    auto it = knoepfe_.find(name);
    return it == knoepfe_.end() ? nullptr : it->second;
}

void THauptfenster::StaerkeMenue() {
    if (QAction* a = StaerkeAktion(g_.Menue.Spielstaerke)) a->setChecked(true);
    SperreAnwenden();
}

void THauptfenster::SpielerAnzahlWaehlen(int n) {
    g_.Menue.SpielerAnzahl = n;
    aktionen_[QString("SpielerAnzahl%1").arg(n)]->setChecked(true);
}

// Everything that a loaded puzzle, a running simulation or the strength may disable.
void THauptfenster::SperreAnwenden() {
    const TSperre& s = historie_.Sperre;
    const bool sim = g_.SimulationLaeuft;
    auto frei = [&](const char* aktion, const char* knopf, bool an) {
        if (aktion) aktionen_[aktion]->setEnabled(an);
        if (knopf) knoepfe_[knopf]->setEnabled(an);
    };
    frei("NeuesSpiel", "NeuesSpielKnopf", !s.NeuesSpiel && !sim);
    frei("SpielLaden", "SpielLadenKnopf", !s.Laden && !sim);
    frei("SpielSpeichern", "SpielSpeichernKnopf", !s.Speichern && !sim);
    spielzugMenue_->menuAction()->setEnabled(!s.Spielzug && !sim);
    const THistorieAnzeige& h = historie_.Anzeige();
    knoepfe_["RueckgaengigKnopf"]->setEnabled(h.Rueckgaengig && !s.Spielzug && !sim);
    knoepfe_["WiederherstellenKnopf"]->setEnabled(h.Wiederherstellen && !s.Spielzug && !sim);
    aktionen_["Rueckgaengig"]->setEnabled(h.Rueckgaengig);
    aktionen_["Wiederherstellen"]->setEnabled(h.Wiederherstellen);
    spielerMenue_->menuAction()->setEnabled(!s.SpielerAnzahl && !sim);
    staerkeMenue_->menuAction()->setEnabled(!s.Spielstaerke && !sim);
    frei("Trace", "TraceKnopf", !s.Trace && !sim);
    const bool experte = g_.Menue.Spielstaerke == Expertenmodus || profil_.W.PrivateTest1;
    erweitertMenue_->menuAction()->setEnabled(experte && !s.ErwEinstellungen && !sim);
    variantenMenue_->menuAction()->setEnabled(!s.Varianten && !sim);
    if (fensterDialoge_) fensterDialoge_->SperreAnwenden(s, sim, experte);
    TippSperre();
    if (!g_.Log.TraceAn && aktionen_["Trace"]->isChecked()) {
        // A locked puzzle switched the trace off.
        aktionen_["Trace"]->setChecked(false);
        trace_->hide();
        status_[5]->setText("  ");
    }
}

void THauptfenster::HistorieSteuerung() {
    const THistorieAnzeige& h = historie_.Anzeige();
    const QString status = Q(h.Status), korrigiert = Q(h.Korrigiert);
    if (status_[2]->text() != status) status_[2]->setText(status);
    if (status_[6]->text() != korrigiert) status_[6]->setText(korrigiert);
    SperreAnwenden();
}

} // namespace vm::ui
