#pragma once

#include <cstdint>
#include <cstdlib>

// The next value of the process-wide generator, 0 to 32767, times the float
// nearest 1/32767 (slightly below it), the product in double precision.
// The Windows runtime's generator gives 15 bits; a wider one (the native
// test builds' C library) is cut to the same range.
inline double randomFraction() {
    const int value = RAND_MAX > 32767 ? (std::rand() & 0x7FFF) : std::rand();
    return static_cast<double>(value) * static_cast<double>(3.0518509e-5f);
}

// trunc(randomFraction() * n) in double precision: always 0 to n - 1.
inline int32_t randomPick(int32_t n) {
    return static_cast<int32_t>(randomFraction() * n);
}

// A chance test: a fresh fraction strictly below the threshold.
inline bool randomChance(double threshold) {
    return randomFraction() < threshold;
}
