// The engine's UTF-8 strings as Qt strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vm::ui {

inline QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace vm::ui
