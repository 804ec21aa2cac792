#pragma once
// The lanes the pixel pass runs on, one set for each level of fast paths (see eval/cpu.h):
// vectors of singles and ints in the compiler's vector extensions, as the engine's loops are
// (eval/lanes.h), and the one step each level does its own way: of a group of pixels, keeping
// those that differ from the one before, as dense samples mostly repeat it; and which samples
// are inside the area.
//
// The pass that uses them is written once (plot/curve_pixels.cpp) and compiled into a
// function for each level, with that level's primitives inlined.

#include <bit>
#include <cstdint>
#include <cstring>

#include "eval/cpu.h"

#if defined(TRACEWELL_AVX2_PATHS)
#include <immintrin.h>
#endif

// The vectors passed here stay inside the pass, where the ABI note GCC gives does not apply.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace tracewell::plot::pass_lanes {

template <int W>
struct Vectors {
    static constexpr int kWidth = W;
    typedef float Singles __attribute__((vector_size(4 * W)));
    typedef std::int32_t Ints __attribute__((vector_size(4 * W)));
    typedef double Doubles __attribute__((vector_size(8 * W)));
};

// The integer part of each f inside, outside for the others: only a coordinate inside is
// converted to an integer.
template <class L>
[[gnu::always_inline]] inline void convertInside(const typename L::Singles& f,
                                                 const typename L::Ints& in, int outside,
                                                 typename L::Ints& cells) {
    using Singles = typename L::Singles;
    using Ints = typename L::Ints;
    cells =
        __builtin_convertvector(reinterpret_cast<Singles>(reinterpret_cast<Ints>(f) & in), Ints) |
        (~in & outside);
}

// The primitives of each level. cellsOf(f, limit, outside, cells) gives the cell of each f
// with 0 <= f < limit (its integer part), outside for the others and NaN: the surface's own
// test. GCC
// breaks up a comparison of vectors wider than the function's registers, so each level
// compares in a function of its own. appendFresh(keys, before, at, count) appends to at each
// of its keys that is not negative and differs from the one before it, for the first the last of
// before (the keys of the group before); returns the new count. at + count must have room for
// kWidth ints.

// Four lanes, which every processor's compiler can split or keep as it likes.
struct Plain : Vectors<4> {
    static void cellsOf(const Singles& f, int limit, int outside, Ints& cells) {
        const Ints in = (f >= 0.0f) & (f < static_cast<float>(limit));
        convertInside<Plain>(f, in, outside, cells);
    }
    static int appendFresh(const int* keys, const int* before, int* at, int count) {
        int previous = before[kWidth - 1];
        for (int j = 0; j < kWidth; ++j) {
            const int key = keys[j];
            if (key >= 0 && key != previous) at[count++] = key;
            previous = key;
        }
        return count;
    }
};

#if defined(TRACEWELL_AVX2_PATHS)
struct Avx2 : Vectors<8> {
    // As for four lanes, but compared here, where the eight fit the registers.
    TRACEWELL_TARGET_AVX2 static void cellsOf(const Singles& f, int limit, int outside,
                                              Ints& cells) {
        const Ints in = (f >= 0.0f) & (f < static_cast<float>(limit));
        convertInside<Avx2>(f, in, outside, cells);
    }
    TRACEWELL_TARGET_AVX2 static int appendFresh(const int* keys, const int* before, int* at,
                                                 int count) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(keys));
        const __m256i last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(before));
        const __m256i shiftUp = _mm256_setr_epi32(7, 0, 1, 2, 3, 4, 5, 6);
        const __m256i previous = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(v, shiftUp),
                                                    _mm256_permutevar8x32_epi32(last, shiftUp), 1);
        const __m256i same = _mm256_or_si256(_mm256_cmpeq_epi32(v, previous),
                                             _mm256_cmpgt_epi32(_mm256_setzero_si256(), v));
        auto fresh = ~static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(same))) & 0xFF;
        for (; fresh; fresh &= fresh - 1) at[count++] = keys[std::countr_zero(fresh)];
        return count;
    }
};

// GCC 12's AVX-512 intrinsics start from an undefined register, which it then reports as
// maybe uninitialized inside its own headers.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
struct Avx512 : Vectors<16> {
    // Rounded down, a coordinate inside is its cell and one below 0 is negative: as an
    // unsigned number it lies beyond the limit, as does the result for NaN or overflow.
    TRACEWELL_TARGET_AVX512 static void cellsOf(const Singles& f, int limit, int outside,
                                                Ints& cells) {
        const __m512i down = _mm512_cvt_roundps_epi32(reinterpret_cast<__m512>(f),
                                                      _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
        const __mmask16 in = _mm512_cmplt_epu32_mask(down, _mm512_set1_epi32(limit));
        cells = reinterpret_cast<Ints>(_mm512_mask_mov_epi32(_mm512_set1_epi32(outside), in, down));
    }

    // The fresh pixels are compressed into the front of a register and stored whole, as the
    // store to memory of a compress is microcoded on some processors and cost most of a pass.
    TRACEWELL_TARGET_AVX512 static int appendFresh(const int* keys, const int* before, int* at,
                                                   int count) {
        const __m512i v = _mm512_loadu_si512(keys);
        const __m512i previous = _mm512_alignr_epi32(v, _mm512_loadu_si512(before), 15);
        const __mmask16 fresh = _mm512_mask_cmpneq_epi32_mask(
            _mm512_cmpge_epi32_mask(v, _mm512_setzero_si512()), v, previous);
        _mm512_storeu_si512(at + count, _mm512_maskz_compress_epi32(fresh, v));
        return count + std::popcount(static_cast<unsigned>(fresh));
    }
};
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

// The values from v on as the singles they are drawn as (beyond the single range: infinite).
template <class L>
[[gnu::always_inline]] inline typename L::Singles singles(const double* v) {
    typename L::Doubles doubles;
    std::memcpy(&doubles, v, sizeof doubles);
    return __builtin_convertvector(doubles, typename L::Singles);
}

}  // namespace tracewell::plot::pass_lanes

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
