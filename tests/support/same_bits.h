#pragma once
// Bit-for-bit equality of floating-point values: -0 differs from 0, and a NaN equals itself
// when its bits do.

#include <bit>
#include <cstdint>

namespace tracewell::testing {

inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

inline bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

}  // namespace tracewell::testing
