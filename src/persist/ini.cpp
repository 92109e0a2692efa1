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

bool LiesTextdatei(const std::string& pfad, std::string& inhalt) {
    inhalt.clear();
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return false;
    char puffer[65536];
    size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) inhalt.append(puffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool TIniDatei::LadenDatei(const std::string& pfad) {
    impl_->ini.Reset();
    std::string inhalt;
    if (!LiesTextdatei(pfad, inhalt)) return false;
    LadenText(inhalt);
    return true;
}

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view OhneBlanks(std::string_view t) {
    while (!t.empty() && Blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && Blank(t.back())) t.remove_suffix(1);
    return t;
}

// Sorts one line the way the parser reads it; anything else (a damaged file) would be carried
// along by the parser in odd ways, so such a line is foreign.
TIniZeile Einordnen(std::string_view zeile, int32_t nummer) {
    TIniZeile z{TIniZeilenArt::Fremd, nummer, zeile, {}, {}};
    const std::string_view kern = OhneBlanks(zeile);
    if (zeile.find('\0') != std::string_view::npos) return z;
    if (kern.empty()) {
        z.Art = TIniZeilenArt::Leer;
    } else if (kern.front() == ';' || kern.front() == '#') {
        z.Art = TIniZeilenArt::Kommentar;
    } else if (kern.front() == '[') {
        const size_t zu = kern.find(']');
        if (zu == std::string_view::npos) return z;
        z.Art = TIniZeilenArt::Sektion;
        z.Name = OhneBlanks(kern.substr(1, zu - 1));
    } else {
        const size_t gleich = kern.find('=');
        if (gleich == std::string_view::npos || gleich == 0) return z;
        z.Art = TIniZeilenArt::Eintrag;
        z.Name = OhneBlanks(kern.substr(0, gleich));
        z.Wert = OhneBlanks(kern.substr(gleich + 1));
    }
    return z;
}

} // namespace

std::vector<TIniZeile> IniZeilen(std::string_view text) {
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    if (text.substr(0, Bom.size()) == Bom) text.remove_prefix(Bom.size());
    std::vector<TIniZeile> zeilen;
    int32_t nummer = 0;
    while (!text.empty()) {
        const size_t ende = text.find_first_of("\r\n");
        zeilen.push_back(Einordnen(text.substr(0, ende), ++nummer));
        if (ende == std::string_view::npos) break;
        const bool crlf = text[ende] == '\r' && ende + 1 < text.size() && text[ende + 1] == '\n';
        text.remove_prefix(ende + (crlf ? 2 : 1));
    }
    return zeilen;
}

void TIniDatei::LadenText(std::string_view text) {
    impl_->ini.Reset();
    // The parser gets the known lines only, each ended by LF.
    std::string sauber;
    sauber.reserve(text.size());
    for (const TIniZeile& z : IniZeilen(text)) {
        if (z.Art == TIniZeilenArt::Fremd) continue;
        sauber.append(z.Roh);
        sauber.push_back('\n');
    }
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
