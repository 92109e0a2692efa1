// A fixed array indexed from 1, so that code reads like the rules (Spieler[1]).
// Layout is exactly N consecutive T: the records that hold it are stored byte for byte.
#pragma once

#include <cassert>
#include <cstddef>

namespace vm {

template <class T, int N> struct Arr1 {
    T a[N];

    constexpr T& operator[](int i) {
        assert(i >= 1 && i <= N);
        return a[i - 1];
    }
    constexpr const T& operator[](int i) const {
        assert(i >= 1 && i <= N);
        return a[i - 1];
    }
    static constexpr int Groesse() { return N; }
    constexpr T* begin() { return a; }
    constexpr T* end() { return a + N; }
    constexpr const T* begin() const { return a; }
    constexpr const T* end() const { return a + N; }
};

} // namespace vm
