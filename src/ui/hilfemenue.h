// The help menu: our help documents beside the program and three web pages of the profile.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <map>

class QAction;
class QMenu;

namespace vm {
class TSprache;
struct TProfilWerte;
} // namespace vm

namespace vm::ui {

// Hands a document or web address to the system; tests put their own in.
using TOeffner = std::function<bool(const QUrl&)>;

// Only http and https addresses with a host are handed on: the profile is a plain text file,
// and anything else there (a program, a local file, a script) is not a web page.
bool WebAdresseErlaubt(const QString& adresse);

// The help folder "Hilfe" in the program folder and its three documents.
QString Hilfeordner(const QString& programmordner);
QString Hilfedatei(const QString& programmordner); // the help page with rules and controls
// The help document `name` in the language in use: the language file names its own document
// with the German name as key, a path within the help folder. One that is not there, or that
// leads out of the folder, gives way to the German document.
QString Hilfedokument(const QString& programmordner, const TSprache& sprache, const QString& name);

class THilfeMenue : public QObject {
    Q_OBJECT
public:
    // Fills `menue`; `ueber` is the handler of "&Über ...". The web addresses are read from
    // `werte` at each click, so a changed profile takes effect at once.
    THilfeMenue(QMenu* menue, const QString& programmordner, const TProfilWerte& werte,
                const TSprache& sprache, std::function<void()> ueber, TOeffner oeffner = {});

    QAction* Aktion(const QString& name) const { return aktionen_.at(name); }
    void SetzeOeffner(TOeffner o);

    // The menu handlers.
    void InhaltKlick();
    void ReadmeKlick();
    void KartenuebersichtKlick();
    void RegelnImNetzKlick();
    void VerlagsseiteKlick();
    void SpielerclubKlick();

    // A web item shows only while the profile holds an address it can open.
    void WebEintraegeZeigen();

private:
    void Dokument(const char* name);
    void Web(const std::string& adresse);

    QString programmordner_;
    const TProfilWerte& werte_;
    const TSprache& sprache_;
    TOeffner oeffner_;
    std::map<QString, QAction*> aktionen_;
    QAction* webTrenner_ = nullptr;
};

} // namespace vm::ui
