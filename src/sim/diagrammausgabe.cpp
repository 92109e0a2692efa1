#include "sim/diagrammausgabe.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <vector>

#include "persist/dateien.h"

extern char** environ;

namespace vm {

namespace {

// The drawing program beside the running one (/proc/self/exe follows the links it was started by).
std::string ZeichenProgramm() {
    std::vector<char> pfad(4096);
    const ssize_t n = readlink("/proc/self/exe", pfad.data(), pfad.size() - 1);
    if (n <= 0) return {};
    return PfadVerbinden(OrdnerTeil(std::string(pfad.data(), static_cast<size_t>(n))), "veldmark");
}

} // namespace

TDiagrammJson::~TDiagrammJson() {
    if (ordner_.empty()) return;
    std::remove(datei_.c_str());
    rmdir(ordner_.c_str());
}

std::string TDiagrammJson::Anlegen() {
    const char* tmp = std::getenv("TMPDIR");
    std::string muster = PfadVerbinden(tmp && *tmp ? tmp : "/tmp", "veldmark-sim-XXXXXX");
    if (!mkdtemp(muster.data()))
        return "--plot: kein temporärer Ordner in '" + OrdnerTeil(muster) + "': " + std::strerror(errno);
    ordner_ = muster;
    datei_ = PfadVerbinden(ordner_, "ergebnis.json");
    return {};
}

bool DiagrammeZeichnen(const std::string& json, const std::string& ordner, std::ostream& err) {
    const std::string programm = ZeichenProgramm();
    if (programm.empty() || access(programm.c_str(), X_OK) != 0) {
        err << "veldmark-sim: --plot: das Programm 'veldmark' fehlt neben veldmark-sim"
            << (programm.empty() ? std::string() : " ('" + programm + "')") << "; keine Diagramme\n";
        return false;
    }
    err.flush();
    // The simulator blocks Ctrl+C and SIGTERM for its watcher thread; the drawing program must
    // not inherit that, so that the same signals end it.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t keine, standard;
    sigemptyset(&keine);
    sigemptyset(&standard);
    sigaddset(&standard, SIGINT);
    sigaddset(&standard, SIGTERM);
    sigaddset(&standard, SIGPIPE);
    posix_spawnattr_setsigmask(&attr, &keine);
    posix_spawnattr_setsigdefault(&attr, &standard);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::string a0 = programm, a1 = "--diagramme", a2 = json, a3 = ordner;
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), nullptr};
    pid_t pid = 0;
    const int fehler = posix_spawn(&pid, programm.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (fehler != 0) {
        err << "veldmark-sim: --plot: '" << programm
            << "' lässt sich nicht starten: " << std::strerror(fehler) << '\n';
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) {
            err << "veldmark-sim: --plot: auf '" << programm << "' kann nicht gewartet werden\n";
            return false;
        }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    // The drawing program named what went wrong; this says that the charts are missing.
    err << "veldmark-sim: --plot: die Diagramme in '" << ordner << "' sind nicht geschrieben ("
        << (WIFEXITED(status) ? "Exit-Code " + std::to_string(WEXITSTATUS(status))
                              : "Signal " + std::to_string(WTERMSIG(status)))
        << ")\n";
    return false;
}

} // namespace vm
