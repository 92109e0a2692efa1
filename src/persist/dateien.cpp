#include "persist/dateien.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {

// As the kernel: a chain of more links than this is a loop.
constexpr int MaxLinks = 40;

bool AllesSchreiben(int fd, const void* daten, size_t n) {
    const char* p = static_cast<const char*>(daten);
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

// Makes the rename itself durable; a failure here loses nothing, so it is not reported.
void OrdnerSynchronisieren(const std::string& datei) {
    std::string ordner = OrdnerTeil(datei);
    if (ordner.empty()) ordner = ".";
    int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool IstLink(const std::string& pfad) {
    struct stat st;
    return ::lstat(pfad.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// The next path of a link chain; empty when `pfad` cannot be read as a link.
std::string LinkSchritt(const std::string& pfad) {
    char puffer[PATH_MAX];
    const ssize_t n = ::readlink(pfad.c_str(), puffer, sizeof puffer);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof puffer) return {};
    std::string ziel(puffer, static_cast<size_t>(n));
    return ziel[0] == '/' ? ziel : OrdnerTeil(pfad) + ziel;
}

// Standard output and its kin: replacing them by a renamed file would lose the stream.
bool EigenerStrom(const std::string& pfad) {
    return pfad == "/dev/stdout" || pfad == "/dev/stderr" || pfad.rfind("/dev/fd/", 0) == 0 ||
           pfad.rfind("/proc/", 0) == 0;
}

std::string NamensTeil(const std::string& pfad) {
    return pfad.substr(OrdnerTeil(pfad).size());
}

// Follows the links of `ziel` and checks that what it leads to may be replaced: a regular file
// its owner may write, or nothing yet. `echt` receives the file to replace, `st` its status
// when `da`.
SchreibFehler ZielPruefen(const std::string& ziel, std::string& echt, struct stat& st, bool& da) {
    da = false;
    if (ziel.empty() || ziel.back() == '/') return SchreibFehler::Name;
    echt = LinkZiel(ziel);
    if (echt.empty() || echt.back() == '/' || IstLink(echt)) return SchreibFehler::Name;
    if (::stat(echt.c_str(), &st) != 0) return SchreibFehler::Keiner;
    da = true;
    if (!S_ISREG(st.st_mode)) return SchreibFehler::Name;
    if ((st.st_mode & S_IWUSR) == 0) {
        // Also for root, who could write it: the owner marked it as not to be replaced.
        errno = EACCES;
        return SchreibFehler::Anlegen;
    }
    return SchreibFehler::Keiner;
}

// The new file takes the old one's permissions (and its owner, where the process may give it).
void RechteUebernehmen(int fd, const struct stat& st) {
    ::fchmod(fd, st.st_mode & 07777);
    if (::geteuid() == 0 && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // The file stays the writer's; its content is what matters.
    }
}

} // namespace

std::string LinkZiel(const std::string& pfad) {
    std::string p = pfad;
    for (int i = 0; i < MaxLinks && IstLink(p); ++i) {
        std::string weiter = LinkSchritt(p);
        if (weiter.empty()) break;
        p = std::move(weiter);
    }
    return p;
}

bool GleicheDatei(const std::string& a, const std::string& b) {
    struct Kennung {
        bool ok = false;
        dev_t geraet = 0;
        ino_t inode = 0;
        std::string name; // set for a file that does not exist yet: its name in the folder
    };
    auto kennung = [](const std::string& pfad) {
        Kennung k;
        struct stat st;
        if (::stat(pfad.c_str(), &st) == 0) {
            k = {true, st.st_dev, st.st_ino, {}};
            return k;
        }
        const std::string echt = LinkZiel(pfad);
        std::string ordner = OrdnerTeil(echt);
        if (::stat(ordner.empty() ? "." : ordner.c_str(), &st) == 0)
            k = {true, st.st_dev, st.st_ino, NamensTeil(echt)};
        return k;
    };
    if (a.empty() || b.empty()) return false;
    const Kennung ka = kennung(a), kb = kennung(b);
    return ka.ok && kb.ok && ka.geraet == kb.geraet && ka.inode == kb.inode && ka.name == kb.name;
}

bool DirektSchreiben(const std::string& pfad) {
    std::string p = pfad;
    for (int i = 0; !p.empty(); ++i) {
        if (EigenerStrom(p)) return true;
        if (i >= MaxLinks || !IstLink(p)) break;
        p = LinkSchritt(p);
    }
    struct stat st;
    return ::stat(pfad.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

SchreibFehler SchreibeAtomar(const std::string& ziel, const std::string& temp, const void* daten, size_t n) {
    std::string echt;
    struct stat st;
    bool da = false;
    const SchreibFehler pruefung = ZielPruefen(ziel, echt, st, da);
    if (pruefung != SchreibFehler::Keiner) return pruefung;
    if (temp.empty() || temp.back() == '/') return SchreibFehler::Name;
    // Through a link the file is replaced where it lies, so the temporary file goes there too.
    std::string tempPfad = echt == ziel ? temp : OrdnerTeil(echt) + NamensTeil(temp);
    if (GleicheDatei(tempPfad, echt)) tempPfad += ".tmp";

    // A leftover of an interrupted save is ours; whatever the name holds is not followed.
    ::unlink(tempPfad.c_str());
    int fd = ::open(tempPfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return SchreibFehler::Anlegen;
    if (da) RechteUebernehmen(fd, st);
    if (!AllesSchreiben(fd, daten, n)) {
        ::close(fd);
        ::unlink(tempPfad.c_str());
        return SchreibFehler::Schreiben;
    }
    bool ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        ::unlink(tempPfad.c_str());
        return SchreibFehler::Schliessen;
    }
    if (::rename(tempPfad.c_str(), echt.c_str()) != 0) {
        ::unlink(tempPfad.c_str());
        return SchreibFehler::Umbenennen;
    }
    OrdnerSynchronisieren(echt);
    return SchreibFehler::Keiner;
}

TAusgabeDatei::~TAusgabeDatei() {
    Verwerfen();
}

void TAusgabeDatei::Verwerfen() {
    if (f_) std::fclose(f_);
    f_ = nullptr;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool TAusgabeDatei::Oeffnen(const std::string& ziel) {
    Verwerfen();
    schreibgeschuetzt_ = false;
    if (DirektSchreiben(ziel)) {
        f_ = std::fopen(ziel.c_str(), "wb");
        ziel_ = ziel;
        return f_ != nullptr;
    }
    std::string echt;
    struct stat st;
    bool da = false;
    const SchreibFehler pruefung = ZielPruefen(ziel, echt, st, da);
    schreibgeschuetzt_ = pruefung == SchreibFehler::Anlegen;
    if (pruefung != SchreibFehler::Keiner) return false;
    // A name of its own per process and attempt: two runs writing beside each other never meet.
    const std::string stamm = echt + ".tmp" + std::to_string(::getpid());
    int fd = -1;
    std::string temp;
    for (int versuch = 0; fd < 0 && versuch < 100; ++versuch) {
        temp = versuch == 0 ? stamm : stamm + "-" + std::to_string(versuch);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    if (da) RechteUebernehmen(fd, st);
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    ziel_ = echt;
    temp_ = temp;
    return true;
}

bool TAusgabeDatei::Abschliessen() {
    if (!f_) return true;
    bool ok = std::fflush(f_) == 0 && std::ferror(f_) == 0;
    // A stream written in place may be a pipe, which cannot be synchronised.
    if (ok && !temp_.empty()) ok = ::fsync(::fileno(f_)) == 0;
    ok = std::fclose(f_) == 0 && ok;
    f_ = nullptr;
    if (temp_.empty()) return ok;
    if (ok) ok = ::rename(temp_.c_str(), ziel_.c_str()) == 0;
    if (ok)
        OrdnerSynchronisieren(ziel_);
    else
        ::unlink(temp_.c_str());
    temp_.clear();
    return ok;
}

bool DateiExistiert(const std::string& pfad) {
    struct stat st;
    return ::stat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool OrdnerExistiert(const std::string& pfad) {
    struct stat st;
    return ::stat(pfad.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DateiLesen(const std::string& pfad, std::string& text) {
    std::ifstream in(pfad, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return false;
    text = s.str();
    return true;
}

std::string OrdnerTeil(const std::string& pfad) {
    size_t p = pfad.find_last_of('/');
    return p == std::string::npos ? std::string() : pfad.substr(0, p + 1);
}

std::string PfadVerbinden(const std::string& ordner, const std::string& name) {
    if (ordner.empty()) return name;
    if (ordner.back() == '/') return ordner + name;
    return ordner + '/' + name;
}

std::string MitEndung(const std::string& pfad, const std::string& ext) {
    size_t schraeg = pfad.find_last_of('/');
    size_t punkt = pfad.find_last_of('.');
    size_t namensAnfang = schraeg == std::string::npos ? 0 : schraeg + 1;
    // A leading dot names a hidden file, not an extension.
    if (punkt == std::string::npos || punkt <= namensAnfang) return pfad + ext;
    return pfad.substr(0, punkt) + ext;
}

double JetztAlsDatum() {
    std::time_t t = std::time(nullptr);
    struct tm lokal;
    localtime_r(&t, &lokal);
    // 25569 days lie between 30 December 1899 and 1 January 1970.
    double sekunden = static_cast<double>(t) + static_cast<double>(lokal.tm_gmtoff);
    return 25569.0 + sekunden / 86400.0;
}

} // namespace vm
