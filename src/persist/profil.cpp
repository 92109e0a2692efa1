#include "persist/profil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <optional>

#include "ai/einstellungen.h"
#include "ai/spielstaerke.h"
#include "persist/dateien.h"
#include "persist/pruefung.h"

namespace vm {

namespace {

constexpr const char* Control = "Control";
constexpr const char* Global = "Global";
constexpr const char* Highscore = "Highscore";

// The range a file may give a field: what the rules can compute with, wider than the dialog's.
TBereich DateiBereich(FeldArt art) {
    switch (art) {
    case FeldArt::Sim:
        return {INT32_MIN, INT32_MAX};
    case FeldArt::Strategie:
        return BereichStrategie;
    case FeldArt::Geld:
        return BereichGeld;
    case FeldArt::Rolle:
        return BereichRolle;
    case FeldArt::AnzahlSim:
        return BereichAnzahlSim;
    case FeldArt::P123:
    case FeldArt::Param:
        break;
    }
    return BereichParameter;
}

// Calls f(key, field, range) for every stored field of a record, in file order. The
// simulation flag is a boolean key: any number but 0 sets it.
template <class F> void JedesFeld(TStrategieEinstellung& e, F f) {
    for (const TEinstellungsFeld& feld : EinstellungsFelder()) {
        if (feld.Art == FeldArt::Sim) {
            int32_t sim = e.Sim;
            f(feld.Schluessel, sim, DateiBereich(feld.Art));
            e.Sim = sim != 0 ? 1 : 0;
        } else {
            f(feld.Schluessel, *FeldWert(e, feld), DateiBereich(feld.Art));
        }
    }
}

bool Beschreibbar(const std::string& pfad) {
    return ::access(pfad.c_str(), W_OK) == 0;
}

} // namespace

std::string StrategieSektion(int spielerAnzahl) {
    return "Strategie_" + std::to_string(spielerAnzahl) + "_Spieler";
}

void LiesStrategieSektionen(const TIniDatei& ini, TStrategieeinstellungen& e, TIniDatei* zurueck) {
    for (int n = 2; n <= 4; ++n) {
        const std::string sektion = StrategieSektion(n);
        JedesFeld(e.Fuer(n), [&](const std::string& schluessel, int32_t& wert, TBereich bereich) {
            // A value the computer players cannot compute with is as good as a malformed one.
            int32_t gelesen = ini.LiesInt(sektion, schluessel, wert);
            if (bereich.Enthaelt(gelesen)) wert = gelesen;
            if (zurueck) zurueck->SchreibeInt(sektion, schluessel, schluessel == "Sim" ? (wert != 0) : wert);
        });
    }
}

void SchreibeStrategieSektionen(TIniDatei& ini, const TStrategieeinstellungen& e) {
    TStrategieeinstellungen kopie = e;
    for (int n = 2; n <= 4; ++n) {
        const std::string sektion = StrategieSektion(n);
        JedesFeld(kopie.Fuer(n), [&](const std::string& schluessel, int32_t& wert, TBereich) {
            ini.SchreibeInt(sektion, schluessel, wert);
        });
    }
}

int32_t TParameterZeilen::Zeile(int spielerAnzahl, std::string_view schluessel) const {
    auto it = zeilen_.find({spielerAnzahl, std::string(schluessel)});
    return it == zeilen_.end() ? 0 : it->second;
}

void TParameterZeilen::Setzen(int spielerAnzahl, std::string_view schluessel, int32_t zeile) {
    zeilen_[{spielerAnzahl, std::string(schluessel)}] = zeile;
}

namespace {

// Sections and keys compare as the INI reader compares them: ASCII letters in any case.
std::string Klein(std::string_view t) {
    std::string s(t);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

bool LeseStrategieparameterDatei(const std::string& pfad, TStrategieeinstellungen& e, std::string* fehler,
                                 TParameterZeilen* zeilen) {
    InitStrategieparameter(e);
    auto abgelehnt = [&](std::string text) {
        InitStrategieparameter(e);
        if (zeilen) *zeilen = {};
        if (fehler) *fehler = std::move(text);
        return false;
    };
    std::string inhalt;
    if (!DateiExistiert(pfad) || !LiesTextdatei(pfad, inhalt))
        return abgelehnt("Datei '" + pfad + "' kann nicht gelesen werden");
    const std::vector<TIniZeile> text = IniZeilen(inhalt);

    // The first fault in the file's order is the one reported.
    int32_t fehlerZeile = INT32_MAX;
    std::string fehlerText;
    auto melde = [&](int32_t zeile, std::string t) {
        if (zeile >= fehlerZeile) return;
        fehlerZeile = zeile;
        fehlerText = std::move(t);
    };

    // The entries of the strategy sections by player count and key.
    struct Eintrag {
        const TIniZeile* Zeile;
        bool Bekannt;
    };
    std::map<std::pair<int, std::string>, Eintrag> eintraege;
    int sektion = 0;
    bool gefunden = false;
    for (const TIniZeile& z : text) {
        if (z.Art == TIniZeilenArt::Sektion) {
            sektion = 0;
            for (int n = 2; n <= 4; ++n)
                if (Klein(z.Name) == Klein(StrategieSektion(n))) sektion = n;
            gefunden = gefunden || sektion != 0;
            continue;
        }
        if (sektion == 0 || z.Art == TIniZeilenArt::Leer || z.Art == TIniZeilenArt::Kommentar) continue;
        if (z.Art == TIniZeilenArt::Fremd) {
            melde(z.Nummer, "keine Zeile der Form Schlüssel=Wert in [" + StrategieSektion(sektion) + "]");
            continue;
        }
        auto [it, neu] = eintraege.try_emplace({sektion, Klein(z.Name)}, Eintrag{&z, false});
        if (!neu)
            melde(z.Nummer, "'" + std::string(z.Name) + "' steht schon in Zeile " +
                                std::to_string(it->second.Zeile->Nummer) + " von [" +
                                StrategieSektion(sektion) + "]");
    }
    if (!gefunden)
        return abgelehnt("Datei '" + pfad +
                         "' ist keine Parameterdatei: sie hat keine der Sektionen [Strategie_2_Spieler], "
                         "[Strategie_3_Spieler] und [Strategie_4_Spieler]");

    for (int n = 2; n <= 4; ++n) {
        JedesFeld(e.Fuer(n), [&](const std::string& schluessel, int32_t& wert, TBereich bereich) {
            auto it = eintraege.find({n, Klein(schluessel)});
            if (it == eintraege.end()) return;
            it->second.Bekannt = true;
            const TIniZeile& z = *it->second.Zeile;
            // The program writes the simulation flag as 0 or 1.
            if (schluessel == "Sim") bereich = BereichSim;
            const std::string eintrag = std::string(z.Name) + "=" + std::string(z.Wert);
            const std::string erlaubt =
                "zwischen " + std::to_string(bereich.von) + " und " + std::to_string(bereich.bis);
            const std::optional<int32_t> v = IniZahl(z.Wert);
            if (!v) {
                melde(z.Nummer, eintrag + " ist keine ganze Zahl " + erlaubt);
            } else if (!bereich.Enthaelt(*v)) {
                melde(z.Nummer, eintrag + " liegt nicht " + erlaubt);
            } else {
                wert = *v;
                if (zeilen) zeilen->Setzen(n, schluessel, z.Nummer);
            }
        });
    }
    for (const auto& [schluessel, eintrag] : eintraege)
        if (!eintrag.Bekannt)
            melde(eintrag.Zeile->Nummer, "unbekannter Schlüssel '" + std::string(eintrag.Zeile->Name) +
                                             "' in [" + StrategieSektion(schluessel.first) + "]");
    if (fehlerZeile != INT32_MAX)
        return abgelehnt("Datei '" + pfad + "', Zeile " + std::to_string(fehlerZeile) + ": " + fehlerText);
    return true;
}

TProfil::TProfil(const TTexte* texte) : texte_(texte ? texte : &eigeneTexte_) {}

TStartErgebnis TProfil::Starten(TSpielsitzung& g, THistorie& h, TKatalog& katalog, TTexte* texte,
                                const std::string& profilOrdner, const std::string& programmOrdner) {
    TStartErgebnis erg;
    const std::string ordner = profilOrdner.empty() ? programmOrdner : profilOrdner;
    pfad_ = PfadVerbinden(ordner, "Veldmark.ini");
    g.ProfilOrdner = ordner;

    if (!DateiExistiert(pfad_)) {
        int fd = ::open(pfad_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 || ::close(fd) != 0) {
            erg.ExitCode = ExitNichtErzeugbar;
            erg.Meldung = {(*texte_)[Text::SchwererFehler], (*texte_)[Text::DateiNichtErzeugbar] + pfad_};
            return erg;
        }
    }
    // Read-only: no write permission for anyone, or none for us, or a folder where the
    // profile cannot be replaced. An unreadable file is not trusted to be written back either.
    struct stat st;
    std::string ordnerPfad = OrdnerTeil(pfad_).empty() ? "." : OrdnerTeil(pfad_);
    if (::stat(pfad_.c_str(), &st) != 0 || (st.st_mode & 0222) == 0 || !Beschreibbar(pfad_) ||
        !Beschreibbar(ordnerPfad) || !ini_.LadenDatei(pfad_)) {
        erg.ExitCode = ExitSchreibgeschuetzt;
        erg.Meldung = {(*texte_)[Text::SchwererFehler], (*texte_)[Text::ProfilSchreibgeschuetzt] + pfad_};
        return erg;
    }

    ProfilInit(programmOrdner, erg.StartupZeilen);

    const std::string sprachdatei = PfadVerbinden(programmOrdner, "Lang.ini");
    if (DateiExistiert(sprachdatei)) {
        g.Trace("language file found !");
        if (Sprache.Laden(sprachdatei)) {
            Sprache.KartenUebersetzen(katalog);
            if (texte) texte->Uebersetzen(Sprache);
        }
    }

    if (W.LadeStrategieParam)
        StrategieparameterEinlesen(g);
    else
        InitStrategieparameter(g.Einstellungen);

    g.Menue.Spielstaerke = Expertenmodus;
    SetzeSpielstaerke(g, W.Spielstaerke);
    if (W.SpielerAnzahl >= 2 && W.SpielerAnzahl <= 4) g.Menue.SpielerAnzahl = W.SpielerAnzahl;

    g.Menue.AdelsbonusErweitert = W.Variante1;
    g.Menue.VerdeckteHandkarten = W.Variante2;
    g.Menue.KeineHofmeisterinRunde1 = W.Variante3;
    h.Puzzle = W.Puzzle;
    return erg;
}

void TProfil::ProfilInit(const std::string& programmOrdner, std::vector<std::string>& zeilen) {
    TIniDatei& i = ini_;
    auto ganz = [&](const char* s, const char* k, int32_t& wert) {
        wert = i.LiesInt(s, k, wert);
        i.SchreibeInt(s, k, wert);
    };
    auto flag = [&](const char* s, const char* k, bool& wert) {
        wert = i.LiesBool(s, k, wert);
        i.SchreibeBool(s, k, wert);
    };
    auto text = [&](const char* s, const char* k, std::string& wert) {
        wert = i.LiesText(s, k, wert);
        i.Schreibe(s, k, wert);
    };
    W = TProfilWerte{};
    W.SaveDir = programmOrdner;

    // 1000 stands for "not set yet". The default is full size: the window fits itself to the
    // screen at every start, so a value taken from today's screen would only shrink it later.
    W.ScaleBy = i.LiesInt(Control, "ScaleBy", 1000);
    if (W.ScaleBy == 1000) {
        W.ScaleBy = 100;
        zeilen.push_back("Profile-Init: ScaleBy " + std::to_string(W.ScaleBy) + " Prozent");
    }
    i.SchreibeInt(Control, "ScaleBy", W.ScaleBy);
    flag(Control, "Grayscale", W.Grayscale);
    flag(Control, "Color256", W.Color256);
    flag(Control, "FrageVerwerfen", W.FrageVerwerfen);
    flag(Global, "SaveIni", W.SaveIni);
    flag(Global, "LadeStrategieParam", W.LadeStrategieParam);
    ganz(Highscore, "G_AnzSpiele", W.G_AnzSpiele);
    ganz(Highscore, "G_AnzGewonnen", W.G_AnzGewonnen);
    ganz(Highscore, "G_MaxPunkte2", W.G_MaxPunkte2);
    ganz(Highscore, "G_MaxPunkte3", W.G_MaxPunkte3);
    ganz(Highscore, "G_MaxPunkte4", W.G_MaxPunkte4);
    // A tag the strength menu does not have is as good as a malformed value.
    W.Spielstaerke = i.LiesInt(Global, "Spielstaerke", W.Spielstaerke);
    if (!SpielstaerkeGueltig(W.Spielstaerke)) W.Spielstaerke = TProfilWerte{}.Spielstaerke;
    i.SchreibeInt(Global, "Spielstaerke", W.Spielstaerke);
    ganz(Global, "SpielerAnzahl", W.SpielerAnzahl);
    text(Global, "wwwRGL", W.wwwRGL);
    text(Global, "wwwPUB", W.wwwPUB);
    text(Global, "wwwFAN", W.wwwFAN);
    ganz(Global, "Color1", W.Color1);
    ganz(Global, "Color2", W.Color2);
    ganz(Global, "FormLeft", W.FormLeft);
    ganz(Global, "FormTop", W.FormTop);
    W.Tempo = i.LiesInt(Global, "Tempo", W.Tempo);
    if (W.Tempo < TempoMin || W.Tempo > TempoMax) {
        zeilen.push_back("Profile: Tempo " + std::to_string(W.Tempo) + " außerhalb " +
                         std::to_string(TempoMin) + ".." + std::to_string(TempoMax) + " ms, " +
                         std::to_string(TempoMin) + " ms gilt");
        W.Tempo = TempoMin;
    }
    i.SchreibeInt(Global, "Tempo", W.Tempo);
    text(Global, "SaveDir", W.SaveDir);
    flag(Global, "Variante1", W.Variante1);
    flag(Global, "Variante2", W.Variante2);
    flag(Global, "Variante3", W.Variante3);
    // Developer and puzzle switches are only read.
    W.PrivateTest1 = i.LiesBool(Control, "PrivateTest1", false);
    W.Puzzle.SetPuzzle1 = i.LiesBool(Control, "SetPuzzle1", false);
    W.Puzzle.SetPuzzle2 = i.LiesBool(Control, "SetPuzzle2", false);
    W.Puzzle.SetPuzzle3 = i.LiesBool(Control, "SetPuzzle3", false);
    Flush();
}

bool TProfil::Flush() {
    return !pfad_.empty() && ini_.Speichern(pfad_) == SchreibFehler::Keiner;
}

bool TProfil::ProfilSichern(const TSpielsitzung& g) {
    TIniDatei& i = ini_;
    i.SchreibeBool(Global, "SaveIni", W.SaveIni);
    i.SchreibeBool(Global, "LadeStrategieParam", W.LadeStrategieParam);
    i.SchreibeInt(Control, "ScaleBy", W.ScaleBy);
    i.SchreibeInt(Highscore, "G_AnzSpiele", W.G_AnzSpiele);
    i.SchreibeInt(Highscore, "G_AnzGewonnen", W.G_AnzGewonnen);
    i.SchreibeInt(Highscore, "G_MaxPunkte2", W.G_MaxPunkte2);
    i.SchreibeInt(Highscore, "G_MaxPunkte3", W.G_MaxPunkte3);
    i.SchreibeInt(Highscore, "G_MaxPunkte4", W.G_MaxPunkte4);
    W.Spielstaerke = g.Menue.Spielstaerke;
    W.SpielerAnzahl = g.Menue.SpielerAnzahl;
    W.Variante1 = g.Menue.AdelsbonusErweitert;
    W.Variante2 = g.Menue.VerdeckteHandkarten;
    W.Variante3 = g.Menue.KeineHofmeisterinRunde1;
    i.SchreibeInt(Global, "Spielstaerke", W.Spielstaerke);
    i.SchreibeInt(Global, "SpielerAnzahl", W.SpielerAnzahl);
    i.SchreibeInt(Global, "FormLeft", W.FormLeft);
    i.SchreibeInt(Global, "FormTop", W.FormTop);
    i.SchreibeInt(Global, "Tempo", W.Tempo);
    i.Schreibe(Global, "SaveDir", W.SaveDir);
    i.SchreibeBool(Global, "Variante1", W.Variante1);
    i.SchreibeBool(Global, "Variante2", W.Variante2);
    i.SchreibeBool(Global, "Variante3", W.Variante3);
    return Flush();
}

bool TProfil::HighscoreSichern() {
    ini_.SchreibeInt(Highscore, "G_AnzSpiele", W.G_AnzSpiele);
    ini_.SchreibeInt(Highscore, "G_AnzGewonnen", W.G_AnzGewonnen);
    ini_.SchreibeInt(Highscore, "G_MaxPunkte2", W.G_MaxPunkte2);
    ini_.SchreibeInt(Highscore, "G_MaxPunkte3", W.G_MaxPunkte3);
    ini_.SchreibeInt(Highscore, "G_MaxPunkte4", W.G_MaxPunkte4);
    return Flush();
}

bool TProfil::StrategieSichern(const TStrategieeinstellungen& e) {
    SchreibeStrategieSektionen(ini_, e);
    return Flush();
}

bool TProfil::StrategieLesen(TStrategieeinstellungen& e) {
    TStrategieeinstellungen transfer = e;
    LiesStrategieSektionen(ini_, transfer, &ini_);
    e = transfer;
    return Flush();
}

bool TProfil::ProfileSichernUmschalten() {
    W.SaveIni = !W.SaveIni;
    ini_.SchreibeBool(Global, "SaveIni", W.SaveIni);
    return Flush();
}

bool TProfil::StrategieparameterEinlesen(TSpielsitzung& g) {
    InitStrategieparameter(g.Einstellungen);
    return StrategieLesen(g.Einstellungen);
}

void TProfil::StrategieparameterInitialisieren(TSpielsitzung& g) {
    InitStrategieparameter(g.Einstellungen);
}

bool TProfil::StrategieBeiStartupUmschalten() {
    W.LadeStrategieParam = !W.LadeStrategieParam;
    ini_.SchreibeBool(Global, "LadeStrategieParam", W.LadeStrategieParam);
    return Flush();
}

bool TProfil::ProgrammEnde(const TSpielsitzung& g) {
    return W.SaveIni ? ProfilSichern(g) : true;
}

} // namespace vm
