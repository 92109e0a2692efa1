#include "core/trace.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace vm {

void TTraceLog::Zeile(std::string text) {
    if (Weiterleitung) Weiterleitung(text);
    if (Behalten) zeilen_.push_back(std::move(text));
}

bool TTraceLog::Speichern(const std::string& pfad) const {
    // Written beside the target and renamed when whole, so a crash never leaves half a log; a
    // link is followed, so that the file it names is the one replaced.
    std::error_code fehler;
    std::filesystem::path ziel(pfad);
    for (int i = 0; i < 40 && std::filesystem::is_symlink(ziel, fehler); ++i) {
        const std::filesystem::path weiter = std::filesystem::read_symlink(ziel, fehler);
        if (fehler) break;
        ziel = weiter.is_absolute() ? weiter : ziel.parent_path() / weiter;
    }
    // A file its owner marked read-only is not replaced.
    const auto status = std::filesystem::status(ziel, fehler);
    if (!fehler &&
        (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
        return false;
    const std::string temp = ziel.string() + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    for (const std::string& z : zeilen_) {
        if (std::fwrite(z.data(), 1, z.size(), f) != z.size() || std::fputc('\n', f) == EOF) {
            ok = false;
            break;
        }
    }
    if (std::fflush(f) != 0 || ::fsync(::fileno(f)) != 0) ok = false;
    if (std::fclose(f) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), ziel.c_str()) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

std::string FehlerText(int32_t nummer, std::string_view prozedur) {
    std::string s = "Internal Fault ";
    s += std::to_string(nummer);
    s += " in Procedure ";
    s += prozedur;
    return s;
}

} // namespace vm
