#pragma once
// The steps the pixel passes in wide registers share: the values read as singles, and of a
// group of samples' pixels (or rows), only those that differ from the one before kept, dense
// samples mostly repeating it.

#include <bit>

#include "eval/cpu.h"

#if defined(TRACEWELL_AVX2_PATHS)
#include <immintrin.h>

// The vectors passed here stay inside the passes, where the ABI note GCC gives does not
// apply.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace tracewell::plot {

// Eight values as the singles they are drawn as.
TRACEWELL_TARGET_AVX2 [[gnu::always_inline]] inline __m256 singlesAvx2(const double* values) {
    const __m128 low = _mm256_cvtpd_ps(_mm256_loadu_pd(values));
    const __m128 high = _mm256_cvtpd_ps(_mm256_loadu_pd(values + 4));
    return _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
}

// Sixteen values as singles, those outside lanes read as 0.
TRACEWELL_TARGET_AVX512 [[gnu::always_inline]] inline __m512 singlesAvx512(const double* values,
                                                                           __mmask16 lanes) {
    const __m512d low = _mm512_maskz_loadu_pd(static_cast<__mmask8>(lanes), values);
    const __m512d high = _mm512_maskz_loadu_pd(static_cast<__mmask8>(lanes >> 8), values + 8);
    return _mm512_insertf32x8(_mm512_castps256_ps512(_mm512_cvtpd_ps(low)), _mm512_cvtpd_ps(high),
                              1);
}

// Appends the lanes of v marked in inside that differ from the lane before them (for the
// first, the last lane of previous); returns the new count.
TRACEWELL_TARGET_AVX2 [[gnu::always_inline]] inline int appendFreshAvx2(__m256i v, __m256i previous,
                                                                        __m256i inside, int* at,
                                                                        int count) {
    const __m256i shiftUp = _mm256_setr_epi32(7, 0, 1, 2, 3, 4, 5, 6);
    const __m256i before = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(v, shiftUp),
                                              _mm256_permutevar8x32_epi32(previous, shiftUp), 1);
    const __m256i fresh = _mm256_andnot_si256(_mm256_cmpeq_epi32(v, before), inside);
    auto bits = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(fresh)));
    if (bits) {
        alignas(32) int lanes[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), v);
        for (; bits; bits &= bits - 1) at[count++] = lanes[std::countr_zero(bits)];
    }
    return count;
}

// The same for sixteen lanes: the fresh ones are compressed into the front of a register and
// stored whole, as the store to memory of a compress is microcoded on some processors and
// cost most of a pass. at + count must have room for 16 ints.
TRACEWELL_TARGET_AVX512 [[gnu::always_inline]] inline int storeFreshAvx512(__m512i v,
                                                                           __m512i previous,
                                                                           __mmask16 inside,
                                                                           int* at, int count) {
    const __mmask16 fresh =
        inside & _mm512_cmpneq_epi32_mask(v, _mm512_alignr_epi32(v, previous, 15));
    _mm512_storeu_si512(at + count, _mm512_maskz_compress_epi32(fresh, v));
    return count + __builtin_popcount(fresh);
}

}  // namespace tracewell::plot

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
#endif
