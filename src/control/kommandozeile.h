// The program's arguments: the profile folder and a saved game to open, in either order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vm {

struct TKommandozeile {
    std::string ProfilOrdner; // empty: the program folder
    std::string Spieldatei;   // empty: none to load
};

// An argument that ends in ".vmk" (any case) and is no folder is the game file; the first other
// argument is the profile folder. A double click on a saved game thus passes the file alone, and
// a starter may put its profile folder before it.
TKommandozeile LiesKommandozeile(const std::vector<std::string>& argumente);

// The scale the profile file asks for ("Control", "ScaleBy"), read before the window exists:
// none when the file, the key or a usable value is missing (1000 stands for "not set yet").
std::optional<int32_t> ProfilSkalierung(const std::string& profilDatei);

} // namespace vm
