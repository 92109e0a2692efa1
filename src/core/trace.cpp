#include "core/trace.h"

#include <cstdio>

namespace vm {

void TraceLog::Zeile(std::string text) {
    if (Weiterleitung) Weiterleitung(text);
    if (Behalten) zeilen_.push_back(std::move(text));
}

bool TraceLog::Speichern(const std::string& pfad) const {
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    for (const std::string& z : zeilen_) {
        if (std::fwrite(z.data(), 1, z.size(), f) != z.size() || std::fputc('\n', f) == EOF) {
            ok = false;
            break;
        }
    }
    if (std::fclose(f) != 0) ok = false;
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
