#include "ui/hilfemenue.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "persist/profil.h"
#include "persist/sprache.h"
#include "ui/qtext.h"

namespace vm::ui {

namespace {

bool SystemOeffnen(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace

bool WebAdresseErlaubt(const QString& adresse) {
    const QString a = adresse.trimmed();
    const QUrl url(a, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return false;
    const QString schema = url.scheme().toLower();
    return schema == "http" || schema == "https";
}

QString Hilfeordner(const QString& programmordner) {
    return QDir(programmordner).filePath("Hilfe");
}

QString Hilfedatei(const QString& programmordner) {
    return QDir(Hilfeordner(programmordner)).filePath("Veldmark.html");
}

QString Hilfedokument(const QString& programmordner, const TSprache& sprache, const QString& name) {
    const QDir ordner(Hilfeordner(programmordner));
    const QString deutsch = ordner.filePath(name);
    const QString eigen = QDir::cleanPath(Q(sprache.Other(name.toStdString())).trimmed());
    if (eigen == name || eigen.isEmpty() || QDir::isAbsolutePath(eigen) || eigen == ".." ||
        eigen.startsWith("../"))
        return deutsch;
    const QFileInfo datei(ordner.filePath(eigen));
    const QString innen = QFileInfo(ordner.path()).canonicalFilePath() + "/";
    if (!datei.isFile() || !datei.canonicalFilePath().startsWith(innen)) return deutsch;
    return datei.filePath();
}

THilfeMenue::THilfeMenue(QMenu* menue, const QString& programmordner, const TProfilWerte& werte,
                         const TSprache& sprache, std::function<void()> ueber, TOeffner oeffner)
    : QObject(menue), programmordner_(programmordner), werte_(werte), sprache_(sprache) {
    SetzeOeffner(std::move(oeffner));
    auto neu = [&](const char* name, const char* text, auto handler) {
        QAction* a = menue->addAction(Q(sprache.Menue(text)));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
        aktionen_[name] = a;
        return a;
    };
    neu("Inhalt", "&Inhalt (Regeln, Bedienung , etc.)", &THilfeMenue::InhaltKlick);
    neu("Readme", "Kurzinfo: &Readme", &THilfeMenue::ReadmeKlick);
    neu("Kartenuebersicht", "Kurzinfo: &Kartenübersicht", &THilfeMenue::KartenuebersichtKlick);
    QAction* ueberAktion = menue->addAction(Q(sprache.Menue("&Über ...")));
    ueberAktion->setObjectName("Ueber");
    connect(ueberAktion, &QAction::triggered, this, [u = std::move(ueber)] {
        if (u) u();
    });
    aktionen_["Ueber"] = ueberAktion;
    webTrenner_ = menue->addSeparator();
    neu("RegelnImNetz", "&Spielregeln im Netz", &THilfeMenue::RegelnImNetzKlick);
    neu("Verlagsseite", "Seite des &Verlags", &THilfeMenue::VerlagsseiteKlick);
    neu("Spielerclub", "Seite des Spieler&clubs", &THilfeMenue::SpielerclubKlick);
    WebEintraegeZeigen();
    connect(menue, &QMenu::aboutToShow, this, &THilfeMenue::WebEintraegeZeigen);
}

void THilfeMenue::WebEintraegeZeigen() {
    const std::pair<const char*, const std::string*> web[] = {
        {"RegelnImNetz", &werte_.wwwRGL}, {"Verlagsseite", &werte_.wwwPUB}, {"Spielerclub", &werte_.wwwFAN}};
    bool eines = false;
    for (const auto& [name, adresse] : web) {
        const bool da = WebAdresseErlaubt(Q(*adresse));
        aktionen_.at(name)->setVisible(da);
        eines = eines || da;
    }
    webTrenner_->setVisible(eines);
}

void THilfeMenue::SetzeOeffner(TOeffner o) {
    oeffner_ = o ? std::move(o) : TOeffner(SystemOeffnen);
}

// A document or address that cannot be opened is left to the system's own reaction.
void THilfeMenue::Dokument(const char* name) {
    oeffner_(QUrl::fromLocalFile(Hilfedokument(programmordner_, sprache_, name)));
}

void THilfeMenue::Web(const std::string& adresse) {
    const QString a = Q(adresse).trimmed();
    if (WebAdresseErlaubt(a)) oeffner_(QUrl(a, QUrl::StrictMode));
}

void THilfeMenue::InhaltKlick() {
    Dokument("Veldmark.html");
}
void THilfeMenue::ReadmeKlick() {
    Dokument("Readme.txt");
}
void THilfeMenue::KartenuebersichtKlick() {
    Dokument("Karten.pdf");
}
void THilfeMenue::RegelnImNetzKlick() {
    Web(werte_.wwwRGL);
}
void THilfeMenue::VerlagsseiteKlick() {
    Web(werte_.wwwPUB);
}
void THilfeMenue::SpielerclubKlick() {
    Web(werte_.wwwFAN);
}

} // namespace vm::ui
