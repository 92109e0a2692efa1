#include "persist/dateien.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vm {

namespace {

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
    int fd = ::open(ordner.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

SchreibFehler SchreibeAtomar(const std::string& ziel, const std::string& temp, const void* daten, size_t n) {
    if (ziel.empty() || temp.empty() || ziel.back() == '/' || OrdnerExistiert(ziel))
        return SchreibFehler::Name;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return SchreibFehler::Anlegen;
    if (!AllesSchreiben(fd, daten, n)) {
        ::close(fd);
        ::unlink(temp.c_str());
        return SchreibFehler::Schreiben;
    }
    bool ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        return SchreibFehler::Schliessen;
    }
    if (::rename(temp.c_str(), ziel.c_str()) != 0) {
        ::unlink(temp.c_str());
        return SchreibFehler::Umbenennen;
    }
    OrdnerSynchronisieren(ziel);
    return SchreibFehler::Keiner;
}

bool DateiExistiert(const std::string& pfad) {
    struct stat st;
    return ::stat(pfad.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool OrdnerExistiert(const std::string& pfad) {
    struct stat st;
    return ::stat(pfad.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
