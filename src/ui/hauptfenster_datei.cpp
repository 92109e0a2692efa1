// The file commands: loading and saving a game, and the question before a game is lost.
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "control/laufendesspiel.h"
#include "persist/spieldatei.h"
#include "control/spielende.h"
#include "rules/hand.h"
#include "sim/diagramme.h"
#include "ui/diagrammansicht.h"
#include "ui/hauptfenster.h"
#include "ui/qtext.h"
#include "ui/spielverlauf.h"

namespace vm::ui {

// ---- commands ----

bool THauptfenster::SpielVerwerfen() {
    if (!VerwerfenFragen(g_, historie_, profil_.W.FrageVerwerfen)) return true;
    QMessageBox frage(QMessageBox::Question, "Veldmark", Tx("Laufendes Spiel verwerfen?"),
                      QMessageBox::Yes | QMessageBox::No, this);
    frage.setObjectName("FrageVerwerfen");
    frage.button(QMessageBox::Yes)->setText(Tx("Ja"));
    frage.button(QMessageBox::No)->setText(Tx("Nein"));
    if (SpeichernAnbieten(historie_)) frage.addButton(QMessageBox::Save)->setText(Tx("Speichern"));
    frage.setDefaultButton(QMessageBox::No);
    frage.setEscapeButton(QMessageBox::No);
    const int r = DialogAusfuehren(frage);
    const Antwort a = r == QMessageBox::Yes    ? Antwort::Ja
                      : r == QMessageBox::Save ? Antwort::Speichern
                                               : Antwort::Nein;
    return NachAntwort(a, historie_, [this] {
        SpielSpeichernKlick();
        return !VerwerfenFragen(g_, historie_, true);
    });
}

QString THauptfenster::Dateiname(bool speichern) {
    QFileDialog d(this);
    d.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (speichern) d.setWindowTitle(Q(texte_[Text::SpieldateiSpeichernTitel]));
    d.setDefaultSuffix("vmk");
    d.setNameFilters({Q(texte_[Text::FilterVeldmark]), Q(texte_[Text::FilterAlle])});
    d.setDirectory(Q(profil_.W.SaveDir));
    if (DialogAusfuehren(d) != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return d.selectedFiles().first();
}

void THauptfenster::SpielLadenKlick() {
    if (g_.SimulationLaeuft || historie_.Sperre.Laden) return;
    if (!SpielVerwerfen()) return;
    const QString datei = Dateiname(false);
    if (!datei.isEmpty()) SpielLaden(datei);
}

void THauptfenster::SpielSpeichernKlick() {
    if (g_.SimulationLaeuft || historie_.Sperre.Speichern) return;
    const QString datei = Dateiname(true);
    if (!datei.isEmpty()) SpielSpeichern(datei);
}

void THauptfenster::SpielLaden(const QString& datei) {
    // A refused file leaves everything as it was, the human's selection included; an accepted
    // one clears the selection as it replaces the game.
    TLadeErgebnis e = LadeSpieldatei(g_, historie_, datei.toStdString(), profil_.W.SaveDir);
    if (e.Meldung.Da()) MeldungZeigen(Q(e.Meldung.Titel), Q(e.Meldung.TextMitGrund(texte_)));
    if (e.Geladen) {
        mensch_.Zuruecksetzen();
        verlauf_->Geladen(historie_.H().AnzahlEintraege);
        SpielerAnzahlWaehlen(g_.Menue.SpielerAnzahl);
        StaerkeMenue();
    }
    HistorieSteuerung();
    NachAktion();
}

void THauptfenster::SpielSpeichern(const QString& datei) {
    TMeldung m = SpeichereSpieldatei(g_, historie_, datei.toStdString(), profil_.W.SaveDir);
    if (m.Da()) MeldungZeigen(Q(m.Titel), Q(m.TextMitGrund(texte_)));
    HistorieSteuerung();
    NachAktion();
}

// ---- charts ----

void THauptfenster::DiagrammeZeigen(std::vector<TDiagramm> diagramme) {
    TDiagrammFenster fenster(
        std::move(diagramme), texte_, [this](QDialog& d) { return DialogAusfuehren(d); },
        Q(profil_.W.SaveDir), this);
    DialogAusfuehren(fenster);
}

void THauptfenster::DiagrammeKlick() {
    if (!diagramme_.empty()) DiagrammeZeigen(diagramme_);
}

void THauptfenster::DiagrammeAusDateiKlick() {
    QFileDialog d(this);
    d.setObjectName("ErgebnisdateiWahl");
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setNameFilters({Q(texte_[Text::FilterErgebnis]), Q(texte_[Text::FilterAlle])});
    d.setDirectory(Q(profil_.W.SaveDir));
    if (DialogAusfuehren(d) != QDialog::Accepted || d.selectedFiles().isEmpty()) return;
    DiagrammeAusDatei(d.selectedFiles().first());
}

void THauptfenster::DiagrammeAusDatei(const QString& datei) {
    std::string fehler;
    std::vector<TDiagramm> diagramme;
    QFile f(datei);
    const QFileInfo info(datei);
    // Only a regular file is read: a FIFO or a device would block or feed the reader without end.
    if (!info.exists())
        fehler = texte_[Text::GrundFehlt];
    else if (!info.isFile())
        fehler = texte_[Text::GrundKeineDatei];
    else if (!f.open(QIODevice::ReadOnly))
        fehler = texte_[Text::GrundNichtLesbar];
    else {
        const QByteArray text = f.readAll();
        if (f.error() != QFileDevice::NoError)
            fehler = texte_[Text::GrundNichtLesbar];
        else
            DiagrammeAusJson(std::string_view(text.constData(), static_cast<size_t>(text.size())), texte_,
                             diagramme, fehler);
    }
    if (!fehler.empty()) {
        MeldungZeigen("Veldmark", Q(texte_.Fuelle(Text::ErgebnisdateiFehler, {datei.toStdString(), fehler})));
        return;
    }
    DiagrammeZeigen(std::move(diagramme));
}

} // namespace vm::ui
