#include "ui/spielverlauf.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/hauptfenster.h"

namespace vm::ui {

TSpielverlaufFenster::TSpielverlaufFenster(const TSpielverlauf& verlauf, const QString& titel,
                                           QWidget* eltern)
    : QWidget(eltern), verlauf_(verlauf), titel_(new QLabel(titel, this)), liste_(new QListWidget(this)),
      stand_(verlauf.Stand() + 1) {
    setObjectName("Spielverlauf");
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(2);
    QFont fett = titel_->font();
    fett.setBold(true);
    titel_->setFont(fett);
    l->addWidget(titel_);
    liste_->setObjectName("SpielverlaufListe");
    liste_->setWordWrap(true);
    liste_->setSelectionMode(QAbstractItemView::NoSelection);
    liste_->setFocusPolicy(Qt::NoFocus);
    liste_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste_->setMinimumHeight(60);
    l->addWidget(liste_, 1);
    Auffrischen();
}

void TSpielverlaufFenster::Auffrischen() {
    if (stand_ != verlauf_.Stand()) {
        stand_ = verlauf_.Stand();
        liste_->clear();
    }
    const int vorher = liste_->count();
    const int n = static_cast<int>(verlauf_.Anzahl());
    if (n == vorher) return;
    QFont fett = liste_->font();
    fett.setBold(true);
    for (int i = vorher; i < n; ++i) {
        const TSpielverlauf::TZeile& z = verlauf_.Zeile(static_cast<size_t>(i));
        auto* item = new QListWidgetItem(QString::fromStdString(z.text), liste_);
        if (z.art == TSpielverlauf::Art::Runde) {
            item->setFont(fett);
            item->setBackground(liste_->palette().color(QPalette::AlternateBase).darker(110));
        } else if (z.art == TSpielverlauf::Art::Phase) {
            item->setFont(fett);
            // The phase colours of the stacks and tokens.
            static const QColor Farben[] = {QColor(0x51, 0xDD, 0x22), QColor(0x64, 0xB1, 0xFF),
                                            QColor(0xFF, 0x80, 0x40), QColor(0xFF, 0xFF, 0x80)};
            if (z.phase >= 1 && z.phase <= 4) {
                item->setBackground(Farben[z.phase - 1]);
                item->setForeground(Qt::black);
            }
        }
    }
    liste_->scrollToBottom();
}

// ---- the main window's part: the panel's menu item, the hint panel, the pace ----

namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

void THauptfenster::VerlaufAufbauen(QMenu* optionen) {
    auto* zeigen = new QAction(Q(texte_[Text::MenueSpielverlauf]), this);
    zeigen->setCheckable(true);
    zeigen->setChecked(true);
    connect(zeigen, &QAction::toggled, verlaufFenster_, &QWidget::setVisible);
    zeigen->setObjectName("SpielverlaufZeigen");
    aktionen_["SpielverlaufZeigen"] = zeigen;
    optionen->addAction(zeigen);

    QMenu* tempo = optionen->addMenu(Q(texte_[Text::MenueTempo]));
    tempo->menuAction()->setObjectName("TempoMenue");
    aktionen_["TempoMenue"] = tempo->menuAction();
    auto* gruppe = new QActionGroup(this);
    for (int32_t ms : {200, 400, 600, 1000, 1500, 2000}) {
        QAction* a = tempo->addAction(Q(texte_.Fuelle(Text::TempoSchritt, {std::to_string(ms)})));
        a->setCheckable(true);
        a->setActionGroup(gruppe);
        tempo_[ms] = a;
        connect(a, &QAction::triggered, this, [this, ms] { SetzeTempo(ms); });
    }

    // The hint panel takes the room the eight panels leave; a long text is cut, its tooltip
    // keeps it whole.
    hinweis_ = new QLabel(statusBar());
    hinweis_->setObjectName("Hinweis");
    hinweis_->setFrameShape(QFrame::StyledPanel);
    hinweis_->setFrameShadow(QFrame::Sunken);
    hinweis_->setMinimumWidth(40);
    hinweis_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(hinweis_, 1);
}

void THauptfenster::SetzeTempo(int32_t ms) {
    profil_.W.Tempo = ms < TempoMin ? TempoMin : ms > TempoMax ? TempoMax : ms;
    compiTakte_ = 0;
    for (auto& [wert, a] : tempo_) a->setChecked(wert == profil_.W.Tempo);
}

void THauptfenster::HinweisZeigen(const std::string& text) {
    if (!hinweis_) return;
    const QString t = Q(text);
    if (hinweis_->text() != t) {
        hinweis_->setText(t);
        hinweis_->setToolTip(t);
    }
}

// What a marked target under the mouse costs, else why the last click was refused, else what
// the person is asked to do.
void THauptfenster::HinweisAuffrischen() {
    if (Bremse()) return;
    std::string text;
    if (zielUnterMaus_ > 0)
        if (const std::optional<TZielpreis> z = mensch_.Zielpreis(zielUnterMaus_))
            text = ZielpreisText(texte_, anzeigeKatalog_, *z);
    if (text.empty() && mensch_.Ablehnung().Da())
        text = AblehnungText(texte_, anzeigeKatalog_, mensch_.Ablehnung());
    if (text.empty()) text = TippLaeuft() ? texte_[Text::TippSucht] : tippText_;
    if (text.empty())
        text = AufforderungText(texte_, anzeigeKatalog_, mensch_.Aufforderung(),
                                mensch_.Zustand().SternwartenKarte);
    HinweisZeigen(text);
}

// After the history saved (or not, when full) an entry: the list marks how far it reached.
void THauptfenster::HistorieGesichert(int32_t vorher) {
    const int32_t jetzt = historie_.H().AktuellerEintrag;
    if (jetzt != vorher) verlauf_->HistorieGesichert(jetzt);
}

void THauptfenster::HistorieGesprungen(bool ok) {
    if (!ok) return;
    mensch_.Zuruecksetzen();
    verlauf_->HistorieGesprungen(historie_.H().AktuellerEintrag);
}

} // namespace vm::ui
