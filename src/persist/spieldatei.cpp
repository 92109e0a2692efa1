#include "persist/spieldatei.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ai/spielstaerke.h"
#include "model/konsistenz.h"
#include "persist/dateien.h"
#include "persist/pruefung.h"
#include "rules/hand.h"

namespace vm {

namespace {

constexpr size_t Puffergroesse = 65536;

// The temporary file beside the game file: its name with the extension ".1Z1".
std::string TempName(const std::string& datei) {
    std::string t = MitEndung(datei, ".1Z1");
    return t == datei ? datei + ".1Z1" : t;
}

void FuelleEintraegeAb(TSpielHistorie& h, int erster) {
    for (int i = erster; i <= HistorieEintraege; ++i)
        std::memset(static_cast<void*>(&h.Eintrag[i]), 0x30, sizeof(TSpielstand));
}

void KopfSetzen(TSpielHistorie& h) {
    h.SetzeKennung(HistorieKennung);
    h.Magic = HistorieMagic;
    h.FormatVersion = HistorieFormat;
    h.SetzeVersion(ProgrammVersion);
}

void PuzzleMarkieren(TSpielsitzung& g, THistorie& hist) {
    TSpielHistorie& h = hist.H();
    const TPuzzleSchalter& p = hist.Puzzle;
    if (h.Aufgabe == 0) {
        // An ordinary game keeps its counting word: loaded again it does not count twice.
        h.Aufgabe = 0;
        h.AufgabeRandSeed = 0;
        h.AufgabeUndoErlaubt = 1;
        h.SetzeZeit(hist.Jetzt());
    }
    if (p.SetPuzzle1 || p.SetPuzzle2) {
        h.Aufgabe = 1;
        h.AufgabeRandSeed = static_cast<int32_t>(g.Zufall.RandSeed);
        h.AufgabeUndoErlaubt = p.SetPuzzle2 ? 0 : 1;
        h.Zaehlung = 0;
        h.SetzeZeit(hist.Jetzt());
    }
    if (p.SetPuzzle3 && h.Aufgabe == 1) {
        h.Aufgabe = 0;
        h.AufgabeUndoErlaubt = 1;
        h.Zaehlung = 0;
    }
    // A puzzle holds the current position only. An empty history has no position to keep.
    if ((p.SetPuzzle1 || p.SetPuzzle2) && h.AktuellerEintrag >= 1) {
        if (h.AktuellerEintrag > 1) h.Eintrag[1] = h.Eintrag[h.AktuellerEintrag];
        h.AktuellerEintrag = 1;
        h.AnzahlEintraege = 1;
        FuelleEintraegeAb(h, 2);
        hist.SteuerungAuffrischen(g);
        hist.StatusAuffrischen(g);
    }
}

bool KennungStimmt(const TSpielHistorie& h) {
    return h.Kennung[0] == HistorieKennung.size() &&
           std::memcmp(h.Kennung + 1, HistorieKennung.data(), HistorieKennung.size()) == 0;
}

} // namespace

bool KomprimiereHistorie(const TSpielHistorie& h, std::string& aus) {
    z_stream zs{};
    if (deflateInit2(&zs, 1, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    aus.resize(deflateBound(&zs, sizeof h));
    zs.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(&h));
    zs.avail_in = sizeof h;
    zs.next_out = reinterpret_cast<Bytef*>(aus.data());
    zs.avail_out = static_cast<uInt>(aus.size());
    int rc = deflate(&zs, Z_FINISH);
    size_t n = zs.total_out;
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) return false;
    aus.resize(n);
    return true;
}

EntpackFehler EntpackeHistorie(const std::function<long(char*, size_t)>& lies, TSpielHistorie& ziel) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) return EntpackFehler::Daten;
    std::vector<char> ein(Puffergroesse);
    zs.next_out = reinterpret_cast<Bytef*>(&ziel);
    zs.avail_out = sizeof ziel;
    bool ende = false;
    bool eingabeLeer = false;
    auto nachfuellen = [&]() -> int { // 1 data, 0 end of input, -1 read error
        long n = lies(ein.data(), ein.size());
        if (n < 0) return -1;
        if (n == 0) return 0;
        zs.next_in = reinterpret_cast<Bytef*>(ein.data());
        zs.avail_in = static_cast<uInt>(n);
        return 1;
    };
    EntpackFehler fehler = EntpackFehler::Keiner;
    while (zs.avail_out > 0) {
        if (zs.avail_in == 0) {
            int r = nachfuellen();
            if (r < 0) {
                fehler = EntpackFehler::Daten;
                break;
            }
            if (r == 0) {
                eingabeLeer = true;
                break;
            }
        }
        int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            ende = true;
            break;
        }
        if (rc != Z_OK && !(rc == Z_BUF_ERROR && zs.avail_in == 0)) {
            fehler = EntpackFehler::Daten;
            break;
        }
    }
    if (fehler == EntpackFehler::Keiner && zs.total_out < sizeof ziel) fehler = EntpackFehler::ZuKurz;
    // A whole record is there. Checksum damage right behind it still counts as damaged data;
    // anything beyond is not read, so no file can keep the loader busy.
    if (fehler == EntpackFehler::Keiner && !ende && !eingabeLeer) {
        char rest[64];
        zs.next_out = reinterpret_cast<Bytef*>(rest);
        zs.avail_out = sizeof rest;
        for (int runde = 0; runde < 4 && zs.avail_out == sizeof rest; ++runde) {
            if (zs.avail_in == 0 && nachfuellen() != 1) break;
            int rc = inflate(&zs, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) break;
            if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR) {
                fehler = EntpackFehler::Daten;
                break;
            }
        }
    }
    inflateEnd(&zs);
    return fehler;
}

PruefFehler PruefeHistorie(const TSpielHistorie& h, const TKatalog& katalog, std::string* feld) {
    auto fehler = [&](PruefFehler f, std::string text) {
        if (feld) *feld = std::move(text);
        return f;
    };
    if (!KennungStimmt(h) || h.Magic != HistorieMagic || h.FormatVersion != HistorieFormat)
        return PruefFehler::Inkompatibel;
    if (h.AnzahlEintraege <= 0) return PruefFehler::Leer;
    if (h.AnzahlEintraege > HistorieEintraege) return fehler(PruefFehler::Bereich, "AnzahlEintraege");
    if (h.AktuellerEintrag < 1 || h.AktuellerEintrag > h.AnzahlEintraege)
        return fehler(PruefFehler::Bereich, "AktuellerEintrag");
    for (int n = 2; n <= 4; ++n) {
        std::string f = PruefeEinstellung(h.Einstellungen.Fuer(n));
        if (!f.empty()) return fehler(PruefFehler::Bereich, "Einstellungen." + f);
    }
    for (int i = 1; i <= h.AnzahlEintraege; ++i) {
        const std::string eintrag = "Eintrag[" + std::to_string(i) + "]";
        std::string f = PruefeSpielstand(h.Eintrag[i]);
        if (!f.empty()) return fehler(PruefFehler::Bereich, eintrag + "." + f);
        // No entry holds a card waiting at an observatory: entries are taken between turns.
        f = PruefeKonsistenz(h.Eintrag[i], katalog);
        if (!f.empty()) return fehler(PruefFehler::Inkonsistent, eintrag + ": " + f);
    }
    return PruefFehler::Keiner;
}

std::string SchreibGrund(const TTexte& tx, SchreibFehler f, int fehlerNr) {
    if (f == SchreibFehler::Name) return tx[Text::GrundKeinDateiname];
    switch (fehlerNr) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return tx[Text::GrundVoll];
    case EACCES:
    case EPERM:
    case EROFS:
        return tx[Text::GrundKeinSchreibrecht];
    case ENOENT:
    case ENOTDIR:
        return tx[Text::GrundOrdnerFehlt];
    default:
        return fehlerNr ? tx[Text::GrundSchreibfehler] + ": " + std::strerror(fehlerNr)
                        : tx[Text::GrundSchreibfehler];
    }
}

std::string TMeldung::TextMitGrund(const TTexte& texte) const {
    return Grund.empty() ? Text : Text + "\n\n" + texte[vm::Text::Grund] + Grund;
}

namespace {

std::string MitDetail(const std::string& grund, const std::string& detail) {
    return detail.empty() ? grund : grund + ": " + detail;
}

// Opens a game file for reading: a regular file only, so that a FIFO, a device or a folder
// neither blocks nor feeds the loader. Returns -1 with the reason.
int OeffneSpieldatei(const TTexte& tx, const std::string& datei, std::string& grund) {
    if (datei.empty()) {
        grund = tx[Text::GrundFehlt];
        return -1;
    }
    const int fd = ::open(datei.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int e = errno;
        if (e == ENOENT || e == ENOTDIR)
            grund = tx[Text::GrundFehlt];
        else if (e == EACCES || e == EPERM)
            grund = tx[Text::GrundKeinLeserecht];
        else
            grund = MitDetail(tx[Text::GrundNichtLesbar], std::strerror(e));
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        grund = tx[Text::GrundKeineDatei];
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Two bytes that start a zlib stream (RFC 1950: deflate method, header check).
bool ZlibKopf(const unsigned char* b, size_t n) {
    return n >= 2 && (b[0] & 0x0F) == 8 && (b[0] >> 4) <= 7 && ((b[0] << 8) | b[1]) % 31 == 0;
}

} // namespace

TMeldung SpeichereSpieldatei(TSpielsitzung& g, THistorie& hist, const std::string& datei,
                             std::string& saveDir) {
    const TTexte& tx = hist.Texte();
    TSpielHistorie& h = hist.H();
    KopfSetzen(h);
    PuzzleMarkieren(g, hist);
    saveDir = OrdnerTeil(datei);

    TMeldung m;
    std::string daten;
    if (!KomprimiereHistorie(h, daten)) {
        m = {tx.DateiFehler(6), datei, {}};
    } else {
        const SchreibFehler f = SchreibeAtomar(datei, TempName(datei), daten.data(), daten.size());
        const int fehlerNr = errno;
        int nr = 0;
        switch (f) {
        case SchreibFehler::Keiner:
            break;
        case SchreibFehler::Name:
            nr = 1;
            break;
        case SchreibFehler::Anlegen:
            nr = 2;
            break;
        case SchreibFehler::Schreiben:
            nr = 3;
            break;
        case SchreibFehler::Schliessen:
            nr = 4;
            break;
        case SchreibFehler::Umbenennen:
            nr = 5;
            break;
        }
        if (f != SchreibFehler::Keiner) m = {tx.DateiFehler(nr), datei, SchreibGrund(tx, f, fehlerNr)};
    }
    if (!m.Da()) hist.GesichertBei = g.MenschZuege;
    g.Trace("Datei gespeichert");
    return m;
}

TLadeErgebnis LadeSpieldatei(TSpielsitzung& g, THistorie& hist, const std::string& datei,
                             std::string& saveDir) {
    const TTexte& tx = hist.Texte();
    TLadeErgebnis erg;
    const std::string temp = TempName(datei);
    ::unlink(temp.c_str());

    auto neu = std::make_unique<TSpielHistorie>();
    EntpackFehler ef = EntpackFehler::Daten;
    std::string grund;
    unsigned char anfang[2] = {};
    size_t anfangGelesen = 0;
    int lesefehler = 0;
    const int fd = OeffneSpieldatei(tx, datei, grund);
    if (fd >= 0) {
        ef = EntpackeHistorie(
            [&](char* p, size_t n) -> long {
                ssize_t r;
                do {
                    r = ::read(fd, p, n);
                } while (r < 0 && errno == EINTR);
                if (r < 0) {
                    lesefehler = errno;
                    return -1;
                }
                for (ssize_t i = 0; i < r && anfangGelesen < 2; ++i) anfang[anfangGelesen++] = p[i];
                return static_cast<long>(r);
            },
            *neu);
        ::close(fd);
        if (lesefehler)
            grund = MitDetail(tx[Text::GrundNichtLesbar], std::strerror(lesefehler));
        else if (ef == EntpackFehler::Daten)
            grund =
                ZlibKopf(anfang, anfangGelesen) ? tx[Text::GrundBeschaedigt] : tx[Text::GrundKeineSpieldatei];
        else if (ef == EntpackFehler::ZuKurz)
            grund = anfangGelesen == 0 || ZlibKopf(anfang, anfangGelesen) ? tx[Text::GrundUnvollstaendig]
                                                                          : tx[Text::GrundKeineSpieldatei];
    }
    if (ef == EntpackFehler::Daten) erg.Meldung = {tx.DateiFehler(0), datei, grund};
    if (ef == EntpackFehler::ZuKurz) erg.Meldung = {tx.DateiFehler(3), temp, grund};

    if (ef == EntpackFehler::Keiner) {
        std::string feld;
        switch (PruefeHistorie(*neu, g.Katalog(), &feld)) {
        case PruefFehler::Inkompatibel:
            erg.Meldung = {tx.DateiFehler(6), tx[Text::DateiInkompatibel],
                           KennungStimmt(*neu) ? MitDetail(tx[Text::GrundVersion],
                                                           "Format " + std::to_string(neu->FormatVersion))
                                               : tx[Text::GrundKeineSpieldatei]};
            break;
        case PruefFehler::Leer:
            erg.Meldung = {tx.DateiFehler(5), tx[Text::DateiLeer], {}};
            break;
        case PruefFehler::Bereich:
            erg.Meldung = {tx.DateiFehler(6), tx[Text::DateiInkompatibel],
                           MitDetail(tx[Text::GrundBereich], feld)};
            break;
        case PruefFehler::Inkonsistent:
            erg.Meldung = {tx.DateiFehler(6), tx[Text::DateiInkompatibel],
                           MitDetail(tx[Text::GrundNichtStimmig], feld)};
            break;
        case PruefFehler::Keiner: {
            saveDir = OrdnerTeil(datei);
            const int32_t anzahlVorher =
                g.Menue.SpielerAnzahl >= 2 && g.Menue.SpielerAnzahl <= 4 ? g.Menue.SpielerAnzahl : 4;
            TSpielHistorie& h = hist.H();
            h = *neu;
            hist.HistorieAktiv = true;
            const TSpielstand& e = h.Eintrag[h.AktuellerEintrag];
            SetzeSpielstaerke(g, e.Spielstaerke);
            g.S = e;
            g.ZustandErsetzt();
            g.AktionenImZug = 0;
            g.SternwartenKarteVerwerfen();
            AuswahlAufheben(g);
            g.Einstellungen = h.Einstellungen;
            hist.SteuerungAuffrischen(g);
            // The variants play with the loaded state; the menu keeps the person's own choice
            // for the next new game and the profile.
            const TStrategieEinstellung& vorher = g.Einstellungen.Fuer(anzahlVorher);
            erg.SimModus = vorher.Sim != 0;
            erg.AnzahlSim = vorher.AnzahlSim;
            g.S.Computer[1] = erg.SimModus ? 1 : 0;
            g.Menue.SpielerAnzahl = g.S.SpielerAnzahl;
            if (h.Aufgabe) {
                if (hist.Puzzle.Keiner()) {
                    TSperre s = PuzzleSperre(h.AufgabeUndoErlaubt != 0);
                    TSperre& alt = hist.Sperre;
                    alt.NeuesSpiel |= s.NeuesSpiel;
                    alt.Laden |= s.Laden;
                    alt.Spielzug |= s.Spielzug;
                    alt.Speichern |= s.Speichern;
                    alt.SpielerAnzahl |= s.SpielerAnzahl;
                    alt.Spielstaerke |= s.Spielstaerke;
                    alt.Trace |= s.Trace;
                    alt.ErwEinstellungen |= s.ErwEinstellungen;
                    alt.Korrektur |= s.Korrektur;
                    alt.Strategien |= s.Strategien;
                    alt.Varianten |= s.Varianten;
                    g.Log.TraceAn = false;
                    if (IMenschAuswahl* fenster = g.MenschAuswahl()) fenster->KorrekturmodusSetzen(false);
                }
                g.Zufall.RandSeed = static_cast<uint32_t>(h.AufgabeRandSeed);
            }
            BrettNeuZeichnen(g);
            hist.StatusAuffrischen(g);
            hist.HistorieAktiv = false;
            hist.GesichertBei = g.MenschZuege;
            erg.Geladen = true;
            break;
        }
        }
    }
    g.Trace("Datei geladen");
    return erg;
}

} // namespace vm

namespace vm {

std::string DatumText(double t) {
    if (!(t > -657434.0 && t < 2958466.0)) return std::to_string(t); // years 100..9999
    const double sekunden = (t - 25569.0) * 86400.0;
    std::time_t s = static_cast<std::time_t>(sekunden < 0 ? sekunden - 0.5 : sekunden + 0.5);
    struct tm zeit;
    if (!gmtime_r(&s, &zeit)) return std::to_string(t);
    char puffer[32];
    std::strftime(puffer, sizeof puffer, "%Y-%m-%d %H:%M:%S", &zeit);
    return puffer;
}

std::string HistorieBeschreibung(const TSpielHistorie& h, const TKatalog& katalog) {
    std::string s;
    auto zeile = [&s](const std::string& z) { s += z + "\n"; };
    // The version text comes from the file as it is: no control sequence reaches the terminal.
    std::string version(h.VersionText());
    for (char& c : version)
        if (c < 0x20 || c > 0x7e) c = '?';
    zeile("Version: " + version);
    zeile("Eintrag: " + std::to_string(h.AktuellerEintrag) + " von " + std::to_string(h.AnzahlEintraege));
    zeile("Aufgabe: " + std::to_string(h.Aufgabe) + "  RandSeed: " + std::to_string(h.AufgabeRandSeed) +
          "  UndoErlaubt: " + std::to_string(h.AufgabeUndoErlaubt));
    zeile("Zeitstempel: " + DatumText(h.Zeit()));
    if (h.AktuellerEintrag < 1 || h.AktuellerEintrag > h.AnzahlEintraege ||
        h.AktuellerEintrag > HistorieEintraege || !PruefeSpielstand(h.Eintrag[h.AktuellerEintrag]).empty())
        return s;
    const TSpielstand& e = h.Eintrag[h.AktuellerEintrag];
    zeile("Spieler: " + std::to_string(e.SpielerAnzahl) + "  Runde: " + std::to_string(e.Runde) +
          "  Phase: " + std::to_string(e.Phase) + "  Am Zug: " + std::to_string(e.AktuellerSpieler) +
          (e.Spielende ? "  Spielende" : ""));
    auto liste = [&katalog](const TKartenliste& l) {
        std::string t;
        for (int i = 1; i <= l.Anzahl; ++i) {
            if (!t.empty()) t += ", ";
            t += std::string(KarteName(katalog, OhneMarke(l.Karten[i])));
        }
        return t;
    };
    for (int sp = 1; sp <= e.SpielerAnzahl; ++sp) {
        const TSpieler& p = e.Spieler[sp];
        zeile("Spieler " + std::to_string(sp) + ": Geld " + std::to_string(p.Geld) + ", Siegpunkte " +
              std::to_string(p.Siegpunkte));
        std::string tisch;
        for (int l = 1; l <= 3; ++l) {
            std::string t = liste(p.Karten[l]);
            if (t.empty()) continue;
            if (!tisch.empty()) tisch += ", ";
            tisch += t;
        }
        zeile("  Tisch: " + tisch);
        zeile("  Hand: " + liste(p.Hand()));
    }
    return s;
}

} // namespace vm
