#pragma once
// Whole-number operations written without branches, once for one double and for vectors of
// them (lanes.h), so that a sample gets the same bits alone or in a vector, on every
// processor: SSE2 has no instruction that rounds a double, nor any that converts between
// doubles and 64-bit integers, but it adds, compares and masks bits.
//
// A double below 2^51 in magnitude plus 1.5 * 2^52 lands where one unit is the last bit: the
// sum is the value rounded to a whole number, half to even (under the default rounding mode,
// the only one the program runs in), and the low 32 bits of the sum's encoding hold that
// number in two's complement. A value that is larger, NaN or infinite comes back from the
// shift at 2^51 or more in magnitude, or NaN, and fails every range check below. The
// formulas hold only while each operation rounds as written: the engine is never compiled
// with -ffast-math or -fassociative-math, which would fold (v + kShift) - kShift to v.

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "cpu.h"
#include "lanes.h"
#include "opcode.h"

namespace tracewell::eval::whole {

inline constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52
inline constexpr double kTwo31 = 2147483648.0;
inline constexpr double kTwo32 = 4294967296.0;
inline constexpr double kTwo52 = 4503599627370496.0;
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

// The encodings of T's doubles: one std::uint64_t, or a vector of them.
template <class T>
using Bits = lanes::BitsOf<T>;
enum class BitOp { Not, And, Or, Xor, Eqv, Imp };  // Not reads only its left operand
enum class Rounding { HalfEven, Down, TowardZero };

// The formulas are compiled for each register width as members of these, every function
// marked for its width: the compiler splits a comparison of vectors lane by lane in a function
// compiled for narrower registers, even one inlined into a wider caller later.
struct Plain {
#define TRACEWELL_WHOLE_TARGET
#include "whole_numbers.inc"
#undef TRACEWELL_WHOLE_TARGET
};
#ifdef TRACEWELL_AVX2_PATHS
struct Avx2 {
#define TRACEWELL_WHOLE_TARGET TRACEWELL_TARGET_AVX2
#include "whole_numbers.inc"
#undef TRACEWELL_WHOLE_TARGET
};
struct Avx512 {
#define TRACEWELL_WHOLE_TARGET TRACEWELL_TARGET_AVX512
#include "whole_numbers.inc"
#undef TRACEWELL_WHOLE_TARGET
};
#else
using Avx2 = Plain;
using Avx512 = Plain;
#endif

// The copy for loops over vectors V.
template <class V>
using For = std::conditional_t<std::is_same_v<V, lanes::V8>, Avx512,
                               std::conditional_t<std::is_same_v<V, lanes::V4>, Avx2, Plain>>;

}  // namespace tracewell::eval::whole
