// Outputs and signals: what the simulator and the saves write reaches its name whole or not at
// all, never over an input or another output, and a lost write is a failure.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/trace.h"
#include "persist/dateien.h"
#include "persist/spieldatei.h"
#include "sim/json.h"
#include "sim/serie.h"
#include "testspieler.h"

using namespace vm;
using namespace vm::test;

namespace {

using Argumente = std::vector<std::string>;
namespace fs = std::filesystem;

constexpr int Signal = 1000; // added to the signal number of a child that a signal ended

// Starts the simulator program with standard output on `aus` and standard error into the file
// `fehler`; with `sigpipeAus` a write to a closed pipe fails instead of ending the program.
pid_t Starte(const Argumente& args, int aus, const std::string& fehler, bool sigpipeAus = false) {
    std::vector<std::string> alle = {VELDMARK_SIM_PROGRAMM};
    alle.insert(alle.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : alle) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int err = ::open(fehler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t pid = ::fork();
    if (pid == 0) {
        sigset_t keine;
        sigemptyset(&keine);
        ::sigprocmask(SIG_SETMASK, &keine, nullptr);
        ::signal(SIGPIPE, sigpipeAus ? SIG_IGN : SIG_DFL);
        ::dup2(aus, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(err);
    return pid;
}

int Warte(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : Signal + WTERMSIG(status);
}

struct TLauf {
    int code = -1;
    std::string aus, fehler;
};

// Runs the program to its end with standard output into the file `aus`.
TLauf Lauf(const Ordner& o, const Argumente& args, const std::string& aus = "aus.txt") {
    const std::string pfad = aus[0] == '/' ? aus : o / aus;
    const int fd = ::open(pfad.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    TLauf l;
    l.code = Warte(Starte(args, fd, o / "fehler.txt"));
    ::close(fd);
    if (DateiExistiert(pfad)) l.aus = LiesDatei(pfad);
    l.fehler = LiesDatei(o / "fehler.txt");
    return l;
}

// The game list and counters of a JSON part agree, and it counts `spiele` games.
void JsonGanz(const std::string& text, int32_t spiele) {
    auto st = std::make_unique<TSimStatistik>();
    TJsonLauf lauf;
    std::string fehler;
    std::string_view liste;
    ASSERT_TRUE(StatistikAusJson(text, *st, lauf, fehler, &liste)) << fehler;
    EXPECT_TRUE(SpieleStimmen(liste, *st, fehler)) << fehler;
    EXPECT_EQ(st->AnzahlSpiele, spiele);
}

bool TempDa(const Ordner& o) {
    return o.Inhalt().find(".tmp") != std::string::npos;
}

} // namespace

TEST(AtomaresSchreiben, FolgtLinksUndLaesstSchreibgeschuetztesStehen) {
    Ordner o;
    fs::create_directory(o / "ziel");
    SchreibeDatei(o / "ziel/a.ini", "alt");
    fs::permissions(o / "ziel/a.ini", fs::perms(0640));
    fs::create_symlink("ziel/a.ini", o / "link.ini");
    ASSERT_EQ(SchreibeAtomar(o / "link.ini", o / "link.ini.tmp", "neu", 3), SchreibFehler::Keiner);
    // The link stays a link, the file it leads to has the new text and its permissions, and the
    // temporary file lay beside that file and is gone.
    EXPECT_TRUE(fs::is_symlink(o / "link.ini"));
    EXPECT_EQ(LiesDatei(o / "ziel/a.ini"), "neu");
    EXPECT_EQ(fs::status(o / "ziel/a.ini").permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(o.Pfad()), fs::directory_iterator()), 2) << o.Inhalt();
    EXPECT_EQ(std::distance(fs::directory_iterator(o / "ziel"), fs::directory_iterator()), 1);
    // A chain: an absolute link to the relative one.
    fs::create_symlink(o / "link.ini", o / "ziel/absolut.ini");
    ASSERT_EQ(SchreibeAtomar(o / "ziel/absolut.ini", o / "ziel/absolut.tmp", "neu2", 4),
              SchreibFehler::Keiner);
    EXPECT_TRUE(fs::is_symlink(o / "ziel/absolut.ini"));
    EXPECT_EQ(LiesDatei(o / "ziel/a.ini"), "neu2");
    fs::remove(o / "ziel/absolut.ini");
    ASSERT_EQ(SchreibeAtomar(o / "link.ini", o / "link.ini.tmp", "neu", 3), SchreibFehler::Keiner);

    // A write-protected file is refused and keeps its text and its protection.
    fs::permissions(o / "ziel/a.ini", fs::perms(0444));
    EXPECT_EQ(SchreibeAtomar(o / "link.ini", o / "link.ini.tmp", "xyz", 3), SchreibFehler::Anlegen);
    EXPECT_EQ(SchreibeAtomar(o / "ziel/a.ini", o / "ziel/a.tmp", "xyz", 3), SchreibFehler::Anlegen);
    EXPECT_EQ(LiesDatei(o / "ziel/a.ini"), "neu");
    EXPECT_EQ(fs::status(o / "ziel/a.ini").permissions(), fs::perms(0444));

    // The game file: the window's "File access error 2", the old file untouched.
    ASSERT_EQ(Lauf(o, {"record", "--seed", "3", "--moves", "10", "--out", o / "spiel.vmk"}).code, 0);
    const std::string spiel = LiesDatei(o / "spiel.vmk");
    fs::permissions(o / "spiel.vmk", fs::perms(0444));
    const TLauf r = Lauf(o, {"record", "--seed", "4", "--moves", "10", "--out", o / "spiel.vmk"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.fehler, "File access error 2: " + o / "spiel.vmk" +
                            "\nveldmark-sim record: nicht schreibbar: keine Berechtigung\n");
    EXPECT_TRUE(LiesDatei(o / "spiel.vmk") == spiel);

    // A simulator output through a link, and one that is write-protected.
    fs::create_symlink("ziel/b.txt", o / "bericht.txt");
    ASSERT_EQ(Lauf(o, {"--games", "2", "--report", o / "bericht.txt"}).code, 0);
    EXPECT_TRUE(fs::is_symlink(o / "bericht.txt"));
    EXPECT_NE(LiesDatei(o / "ziel/b.txt").find("\nnumber of games: 2\n"), std::string::npos);
    const TLauf g = Lauf(o, {"--games", "2", "--json", o / "ziel/a.ini"});
    EXPECT_EQ(g.code, 2);
    EXPECT_EQ(g.fehler, "veldmark-sim: --json: Datei '" + o / "ziel/a.ini" +
                            "' kann nicht geschrieben werden (schreibgeschützt)\n");
    EXPECT_EQ(LiesDatei(o / "ziel/a.ini"), "neu");

    // The trace log (trace window, error trace) the same way: through the link, whole, and never
    // over a write-protected file.
    TTraceLog log;
    log.Zeile("eins");
    log.Zeile("zwei");
    fs::create_symlink("ziel/t.txt", o / "trace.txt");
    ASSERT_TRUE(log.Speichern(o / "trace.txt"));
    EXPECT_TRUE(fs::is_symlink(o / "trace.txt"));
    EXPECT_EQ(LiesDatei(o / "ziel/t.txt"), "eins\nzwei\n");
    EXPECT_FALSE(log.Speichern(o / "ziel/a.ini"));
    EXPECT_EQ(LiesDatei(o / "ziel/a.ini"), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(o / "ziel"), fs::directory_iterator()), 3) << o.Inhalt();
}

TEST(SimAusgaben, SigtermSchreibtAllesGanzSigkillLaesstDieAltenDateien) {
    Ordner o;
    const Argumente args = {"--games",    "100000000",     "--seed",    "7",
                            "--quiet",    "--report",      o / "r.txt", "--json",
                            o / "j.json", "--extra-stats", o / "x.csv"};
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    // Until the child has opened its outputs it may not have taken the signals yet; the old
    // files must stay whole meanwhile.
    auto starteUndWarteAufAusgaben = [&] {
        for (const char* name : {"r.txt", "j.json", "x.csv"})
            SchreibeDatei(o / name, std::string("alt ") + name);
        const pid_t pid = Starte(args, null, o / "fehler.txt");
        const struct timespec pause = {0, 5'000'000};
        for (int i = 0; i < 12000 && !TempDa(o); ++i) ::nanosleep(&pause, nullptr);
        EXPECT_TRUE(TempDa(o)) << o.Inhalt();
        for (const char* name : {"r.txt", "j.json", "x.csv"})
            EXPECT_TRUE(LiesDatei(o / name) == std::string("alt ") + name) << name;
        return pid;
    };

    pid_t pid = starteUndWarteAufAusgaben();
    ::kill(pid, SIGKILL);
    EXPECT_EQ(Warte(pid), Signal + SIGKILL);
    for (const char* name : {"r.txt", "j.json", "x.csv"})
        EXPECT_TRUE(LiesDatei(o / name) == std::string("alt ") + name) << name;
    for (const auto& e : fs::directory_iterator(o.Pfad()))
        if (e.path().string().find(".tmp") != std::string::npos) fs::remove(e.path());

    pid = starteUndWarteAufAusgaben();
    ::kill(pid, SIGTERM);
    EXPECT_EQ(Warte(pid), 143);
    ::close(null);
    EXPECT_FALSE(TempDa(o)) << o.Inhalt();
    const std::string bericht = LiesDatei(o / "r.txt");
    const size_t p = bericht.find("\nnumber of games: ");
    ASSERT_NE(p, std::string::npos) << bericht.substr(0, 200);
    const int32_t spiele = std::stoi(bericht.substr(p + 18));
    EXPECT_GE(spiele, 1);
    EXPECT_NE(bericht.find("\nPlayer 4 : "), std::string::npos);
    EXPECT_EQ(bericht.back(), '\n');
    JsonGanz(LiesDatei(o / "j.json"), spiele);
    const std::string extra = LiesDatei(o / "x.csv");
    EXPECT_EQ(extra.rfind("AnzS,Runde,Phase,", 0), 0u);
    EXPECT_EQ(extra.substr(extra.size() - 2), ",\n");
    EXPECT_EQ(extra.rfind("\n" + std::to_string(spiele) + ","), extra.rfind('\n', extra.size() - 2));
    EXPECT_NE(
        LiesDatei(o / "fehler.txt").find("abgebrochen nach " + std::to_string(spiele) + " von 100000000"),
        std::string::npos);
}

TEST(SimAusgaben, AusgabeAufEingabeOderAufAndereAusgabeWirdAbgelehnt) {
    Ordner o;
    ASSERT_EQ(Lauf(o, {"--seed", "1", "--games", "4", "--json", o / "a.json"}).code, 0);
    ASSERT_EQ(Lauf(o, {"--seed", "2", "--games", "4", "--json", o / "b.json"}).code, 0);
    fs::copy_file(o / "a.json", o / "a2.json");
    const std::string a2 = LiesDatei(o / "a2.json");
    SchreibeDatei(o / "p.ini", "[Strategie_4_Spieler]\n");
    fs::create_symlink("a2.json", o / "l.json");
    fs::create_hard_link(o / "p.ini", o / "hart.ini");
    fs::create_symlink("x.csv", o / "t.lnk");
    fs::create_directory(o / "unter");

    struct TFall {
        Argumente args;
        std::string meldung;
    };
    const std::string neu = o / "unter/neu.txt";
    const std::vector<TFall> faelle = {
        {{"merge", o / "a2.json", o / "b.json", "--json", o.Pfad() + "/./a2.json"},
         "veldmark-sim merge: --json: Datei '" + o.Pfad() + "/./a2.json' ist schon die Eingabe '" +
             o / "a2.json" + "'; nichts geschrieben\n"},
        {{"merge", o / "a2.json", o / "b.json", "--report", o / "l.json"},
         "veldmark-sim merge: --report: Datei '" + o / "l.json" + "' ist schon die Eingabe '" +
             o / "a2.json" + "'; nichts geschrieben\n"},
        {{"merge", o / "b.json", "--report", neu, "--json", o.Pfad() + "/unter/../unter/neu.txt"},
         "veldmark-sim merge: --json: Datei '" + o.Pfad() +
             "/unter/../unter/neu.txt' ist schon die Ausgabe von "
             "--report '" +
             neu + "'; nichts geschrieben\n"},
        {{"--games", "2", "--json", neu, "--report", o.Pfad() + "/unter/./neu.txt"},
         "veldmark-sim: --json: Datei '" + neu + "' ist schon die Ausgabe von --report '" + o.Pfad() +
             "/unter/./neu.txt'; nichts geschrieben\n"},
        {{"--games", "2", "--params", o / "p.ini", "--json", o / "hart.ini"},
         "veldmark-sim: --json: Datei '" + o / "hart.ini" + "' ist schon die Eingabe von --params '" +
             o / "p.ini" + "'; nichts geschrieben\n"},
        {{"--games", "1", "--trace", o / "t.lnk", "--extra-stats", o / "x.csv"},
         "veldmark-sim: --extra-stats: Datei '" + o / "x.csv" + "' ist schon die Ausgabe von --trace '" +
             o / "t.lnk" + "'; nichts geschrieben\n"},
        {{"record", "--params", o / "p.ini", "--out", o / "hart.ini"},
         "veldmark-sim record: --out: Datei '" + o / "hart.ini" + "' ist schon die Eingabe von --params '" +
             o / "p.ini" + "'; nichts geschrieben\n"},
    };
    for (const TFall& f : faelle) {
        const TLauf l = Lauf(o, f.args);
        EXPECT_EQ(l.code, 2) << f.meldung;
        EXPECT_EQ(l.fehler, f.meldung);
        EXPECT_EQ(l.aus, "") << f.meldung;
    }
    EXPECT_TRUE(LiesDatei(o / "a2.json") == a2);
    EXPECT_EQ(LiesDatei(o / "p.ini"), "[Strategie_4_Spieler]\n");
    EXPECT_FALSE(fs::exists(o / "x.csv"));
    EXPECT_TRUE(fs::is_empty(o / "unter"));

    // Streams written in place are not files to lose: two outputs onto standard output, or both
    // thrown away, still run.
    const TLauf beide = Lauf(o, {"--games", "1", "--trace", "/dev/stdout", "--report", "-"});
    EXPECT_EQ(beide.code, 0) << beide.fehler;
    EXPECT_NE(beide.aus.find("\nnumber of games: 1\n"), std::string::npos);
    EXPECT_EQ(Lauf(o, {"--games", "1", "--report", "/dev/null", "--json", "/dev/null"}).code, 0);
}

TEST(SimMerge, DoppelteStroemeUndZaehlerGegenDieSpielelisteWerdenAbgelehnt) {
    Ordner o;
    ASSERT_EQ(Lauf(o, {"--seed", "9", "--games", "10", "--jobs", "2", "--json", o / "j.json"}).code, 0);
    const std::string zweiter = std::to_string(BlockSeed(9, 1));
    ASSERT_EQ(Lauf(o, {"--seed", zweiter, "--games", "5", "--json", o / "s.json"}).code, 0);
    ASSERT_EQ(Lauf(o, {"--seed", "10", "--games", "5", "--json", o / "t.json"}).code, 0);
    fs::copy_file(o / "t.json", o / "kopie.json");
    const std::string t = LiesDatei(o / "t.json");

    // Counters that the game list contradicts: the list emptied, or one seat's points changed.
    const size_t von = t.find("\"spiele\": [") + 11, bis = t.find("\n  ],\n");
    ASSERT_LT(von, bis);
    SchreibeDatei(o / "ohne.json", t.substr(0, von) + t.substr(bis + 3));
    std::string punkte = t;
    const size_t p = punkte.find("\"punkte\": [") + 11;
    punkte.insert(p, "1");
    SchreibeDatei(o / "punkte.json", punkte);

    const std::vector<std::pair<Argumente, std::string>> faelle = {
        {{o / "t.json", o / "t.json"},
         "'" + o / "t.json" + "': der Strom mit Seed 10 (5 Spiele) steht schon in '" + o / "t.json" +
             "' (5 Spiele)"},
        {{o / "t.json", o / "kopie.json"},
         "'" + o / "kopie.json" + "': der Strom mit Seed 10 (5 Spiele) steht schon in '" + o / "t.json" +
             "' (5 Spiele)"},
        {{o / "j.json", o / "t.json", o / "s.json"},
         "'" + o / "s.json" + "': der Strom mit Seed " + zweiter + " (5 Spiele) steht schon in '" +
             o / "j.json" + "' (5 Spiele)"},
        {{o / "j.json", o / "ohne.json"},
         "'" + o / "ohne.json" +
             "': die Zähler passen nicht zur Liste der Spiele: AnzahlSpiele ist 5, die Liste ergibt 0"},
        {{o / "punkte.json"},
         "'" + o / "punkte.json" + "': die Zähler passen nicht zur Liste der Spiele: Siegpunkte[1] ist "},
    };
    for (const auto& [teile, meldung] : faelle) {
        Argumente args = {"merge"};
        args.insert(args.end(), teile.begin(), teile.end());
        args.insert(args.end(), {"--json", o / "m.json"});
        const TLauf l = Lauf(o, args);
        EXPECT_EQ(l.code, 2) << meldung;
        EXPECT_EQ(l.fehler.rfind("veldmark-sim merge: " + meldung, 0), 0u) << l.fehler;
        EXPECT_FALSE(fs::exists(o / "m.json")) << meldung;
    }
    // Distinct streams still merge, and the merged file agrees with itself.
    const TLauf gut = Lauf(o, {"merge", o / "j.json", o / "t.json", "--json", o / "m.json"});
    EXPECT_EQ(gut.code, 0) << gut.fehler;
    JsonGanz(LiesDatei(o / "m.json"), 15);
}

TEST(SimAusgaben, VerloreneStandardausgabeGibtEins) {
    Ordner o;
    ASSERT_EQ(Lauf(o, {"--seed", "1", "--games", "2", "--json", o / "a.json"}).code, 0);
    ASSERT_EQ(Lauf(o, {"record", "--seed", "1", "--moves", "5", "--out", o / "s.vmk"}).code, 0);
    const std::string verloren = "Standardausgabe unvollständig geschrieben\n";
    const std::vector<std::pair<Argumente, std::string>> faelle = {
        {{"--games", "2"}, "veldmark-sim: " + verloren},
        {{"--games", "1", "--trace", "/dev/stdout"},
         "veldmark-sim: --trace: Datei '/dev/stdout' unvollständig geschrieben\n"},
        {{"merge", o / "a.json"}, "veldmark-sim merge: " + verloren},
        {{"record", "--seed", "1", "--moves", "5", "--out", o / "s2.vmk"},
         "veldmark-sim record: " + verloren},
        {{"inspect", o / "s.vmk"}, "veldmark-sim inspect: " + verloren},
        {{"--help"}, ""},
    };
    for (const auto& [args, meldung] : faelle) {
        const TLauf l = Lauf(o, args, "/dev/full");
        EXPECT_EQ(l.code, 1) << args[0] << ": " << l.fehler;
        EXPECT_NE(l.fehler.find(meldung), std::string::npos) << l.fehler;
    }

    // A pipe whose reader is gone, with SIGPIPE ignored as some shells and services leave it.
    int rohr[2];
    ASSERT_EQ(::pipe2(rohr, O_CLOEXEC), 0);
    ::close(rohr[0]);
    const pid_t pid = Starte({"--games", "3"}, rohr[1], o / "fehler.txt", true);
    ::close(rohr[1]);
    EXPECT_EQ(Warte(pid), 1);
    EXPECT_NE(LiesDatei(o / "fehler.txt").find("veldmark-sim: Standardausgabe unvollständig geschrieben\n"),
              std::string::npos);
}

TEST(SimAnsehen, VersionstextNurMitDruckbarenZeichen) {
    Ordner o;
    ASSERT_EQ(Lauf(o, {"record", "--seed", "2", "--moves", "5", "--out", o / "s.vmk"}).code, 0);
    TKatalog katalog;
    auto g = std::make_unique<TSpielsitzung>(katalog);
    auto h = std::make_unique<THistorie>();
    std::string ordner, daten;
    ASSERT_TRUE(LadeSpieldatei(*g, *h, o / "s.vmk", ordner).Geladen);
    h->H().SetzeVersion(std::string("\x1b[2J\x07V\0\x7f\xc3\xa4.", 11));
    ASSERT_TRUE(KomprimiereHistorie(h->H(), daten));
    SchreibeDatei(o / "v.vmk", daten);
    const TLauf l = Lauf(o, {"inspect", o / "v.vmk"});
    EXPECT_EQ(l.code, 0) << l.fehler;
    EXPECT_NE(l.aus.find("\nVersion: ?[2J?V????.\n"), std::string::npos) << l.aus;
}
