#include "persist/ini.h"

// Plain bytes in and out: keys and values are UTF-8 as they stand in the file.
#define SI_NO_CONVERSION
// Debian ships the template bodies behind this switch; they are compiled here, once.
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cstdio>

namespace vm {

struct TIniDatei::Impl {
    CSimpleIniA ini{true, false, false};
    Impl() {
        ini.SetSpaces(false);
        ini.SetQuotes(false);
    }
};

TIniDatei::TIniDatei() : impl_(std::make_unique<Impl>()) {}
TIniDatei::~TIniDatei() = default;

void TIniDatei::Leeren() {
    impl_->ini.Reset();
}

bool TIniDatei::LadenDatei(const std::string& pfad) {
    impl_->ini.Reset();
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return false;
    std::string inhalt;
    char puffer[65536];
    size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) inhalt.append(puffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) return false;
    LadenText(inhalt);
    return true;
}

namespace {

// Keeps the lines the INI format knows: blank, comment, section, key=value. Anything else
// (a damaged file) would be carried along in odd ways by the parser, so it is dropped.
std::string NurIniZeilen(std::string_view text) {
    std::string aus;
    aus.reserve(text.size());
    while (!text.empty()) {
        size_t ende = text.find('\n');
        std::string_view zeile = text.substr(0, ende);
        text.remove_prefix(ende == std::string_view::npos ? text.size() : ende + 1);
        if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
        std::string_view kern = zeile;
        while (!kern.empty() && (kern.front() == ' ' || kern.front() == '\t')) kern.remove_prefix(1);
        bool gut;
        if (zeile.find('\0') != std::string_view::npos || zeile.find('\r') != std::string_view::npos)
            gut = false;
        else if (kern.empty() || kern.front() == ';' || kern.front() == '#')
            gut = true;
        else if (kern.front() == '[')
            gut = kern.find(']') != std::string_view::npos;
        else
            gut = kern.find('=') != std::string_view::npos && kern.front() != '=';
        if (!gut) continue;
        aus.append(zeile);
        aus.push_back('\n');
    }
    return aus;
}

} // namespace

void TIniDatei::LadenText(std::string_view text) {
    impl_->ini.Reset();
    std::string sauber = NurIniZeilen(text);
    if (!sauber.empty()) impl_->ini.LoadData(sauber.data(), sauber.size());
}

std::optional<std::string> TIniDatei::Lies(std::string_view sektion, std::string_view schluessel) const {
    const char* w =
        impl_->ini.GetValue(std::string(sektion).c_str(), std::string(schluessel).c_str(), nullptr);
    if (!w) return std::nullopt;
    return std::string(w);
}

int32_t TIniDatei::LiesInt(std::string_view sektion, std::string_view schluessel, int32_t vorgabe) const {
    std::optional<std::string> w = Lies(sektion, schluessel);
    if (!w) return vorgabe;
    std::optional<int32_t> z = IniZahl(*w);
    return z ? *z : vorgabe;
}

bool TIniDatei::LiesBool(std::string_view sektion, std::string_view schluessel, bool vorgabe) const {
    return LiesInt(sektion, schluessel, vorgabe ? 1 : 0) != 0;
}

std::string TIniDatei::LiesText(std::string_view sektion, std::string_view schluessel,
                                std::string_view vorgabe) const {
    std::optional<std::string> w = Lies(sektion, schluessel);
    return w ? *w : std::string(vorgabe);
}

void TIniDatei::Schreibe(std::string_view sektion, std::string_view schluessel, std::string_view wert) {
    impl_->ini.SetValue(std::string(sektion).c_str(), std::string(schluessel).c_str(),
                        std::string(wert).c_str());
}

void TIniDatei::SchreibeInt(std::string_view sektion, std::string_view schluessel, int32_t wert) {
    Schreibe(sektion, schluessel, std::to_string(wert));
}

std::string TIniDatei::AlsText() const {
    std::string s;
    impl_->ini.Save(s);
    return s;
}

SchreibFehler TIniDatei::Speichern(const std::string& pfad) const {
    std::string s = AlsText();
    return SchreibeAtomar(pfad, pfad + ".tmp", s.data(), s.size());
}

std::optional<int32_t> IniZahl(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\r')) t.remove_suffix(1);
    if (t.empty()) return std::nullopt;
    bool negativ = false;
    if (t.front() == '-' || t.front() == '+') {
        negativ = t.front() == '-';
        t.remove_prefix(1);
    }
    int basis = 10;
    if (!t.empty() && t.front() == '$') {
        basis = 16;
        t.remove_prefix(1);
    } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        basis = 16;
        t.remove_prefix(2);
    }
    if (t.empty()) return std::nullopt;
    uint64_t wert = 0;
    for (char c : t) {
        int z;
        if (c >= '0' && c <= '9')
            z = c - '0';
        else if (basis == 16 && c >= 'a' && c <= 'f')
            z = c - 'a' + 10;
        else if (basis == 16 && c >= 'A' && c <= 'F')
            z = c - 'A' + 10;
        else
            return std::nullopt;
        wert = wert * static_cast<uint64_t>(basis) + static_cast<uint64_t>(z);
        if (wert > 0xFFFFFFFFull) return std::nullopt;
    }
    if (basis == 10) {
        if (negativ ? wert > 2147483648ull : wert > 2147483647ull) return std::nullopt;
        int64_t v = negativ ? -static_cast<int64_t>(wert) : static_cast<int64_t>(wert);
        return static_cast<int32_t>(v);
    }
    uint32_t u = static_cast<uint32_t>(wert);
    if (negativ) u = 0u - u;
    return static_cast<int32_t>(u);
}

} // namespace vm
