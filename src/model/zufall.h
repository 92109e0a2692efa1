// The single random generator of the game: a 32-bit linear congruential generator.
// Every operation draws in a fixed order, so a stored seed reproduces a game.
#pragma once

#include <cstdint>

namespace vm {

struct TZufall {
    uint32_t RandSeed = 0;

    // A value in 0..n-1 (0 for n <= 0).
    int32_t Random(int32_t n) {
        RandSeed = RandSeed * 134775813u + 1u;
        if (n <= 0) return 0;
        return static_cast<int32_t>((static_cast<uint64_t>(RandSeed) * static_cast<uint32_t>(n)) >> 32);
    }
};

} // namespace vm
