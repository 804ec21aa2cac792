#include "plot/curve_pixels.h"

#include "eval/cpu.h"
#include "plot/pass_lanes.h"

namespace tracewell::plot {
namespace {

// One sample: its pixel's index, or -1 where it sets no point. The same arithmetic as the
// surface's own mapping, without branches so that the compiler can vectorize the pass; only
// a point known to be inside the area is converted to integers.
[[gnu::always_inline]] inline int pixelOf(float x, double value,
                                          const platform::ImageSurface::PixelMapping& m) {
    const float y = static_cast<float>(value);  // beyond the single range: infinite
    const float fx = x * m.scaleX + m.offsetX;
    const float fy = y * m.scaleY + m.offsetY;
    // A failed sample's value is NaN, which no comparison passes.
    const bool inside = (fx >= 0) & (fx < static_cast<float>(m.width)) & (fy >= 0) &
                        (fy < static_cast<float>(m.height));
    const int px = static_cast<int>(inside ? fx : 0.0f);
    const int py = static_cast<int>(inside ? fy : 0.0f);
    return inside ? py * m.stride + px : -1;
}

// Appends each sample's pixel to at unless it repeats the last one; returns the new count.
[[gnu::always_inline]] inline int curvePixelsBody(const float* xs, const double* values,
                                                  const platform::ImageSurface::PixelMapping& m,
                                                  int* at, int count, int& last, int n) {
    for (int i = 0; i < n; ++i) {
        const int p = pixelOf(xs[i], values[i], m);
        if (p >= 0 && p != last) at[count++] = p;
        last = p;
    }
    return count;
}

#if defined(TRACEWELL_AVX2_PATHS)
// The same pass in AVX2 instructions, eight samples at a time. Multiply and add stay two
// roundings, as in the plain loop, so both give the same pixels.
TRACEWELL_TARGET_AVX2 int curvePixelsAvx2(const float* xs, const double* values,
                                          const platform::ImageSurface::PixelMapping& m, int* at,
                                          int n) {
    const __m256 sx = _mm256_set1_ps(m.scaleX), ox = _mm256_set1_ps(m.offsetX);
    const __m256 sy = _mm256_set1_ps(m.scaleY), oy = _mm256_set1_ps(m.offsetY);
    const __m256 zero = _mm256_setzero_ps();
    const __m256 w = _mm256_set1_ps(static_cast<float>(m.width));
    const __m256 h = _mm256_set1_ps(static_cast<float>(m.height));
    const __m256i stride = _mm256_set1_epi32(m.stride), none = _mm256_set1_epi32(-1);
    __m256i previous = none;  // the last lane holds the pixel of the sample before
    int count = 0;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256 y = singlesAvx2(values + i);
        const __m256 fx = _mm256_add_ps(_mm256_mul_ps(_mm256_loadu_ps(xs + i), sx), ox);
        const __m256 fy = _mm256_add_ps(_mm256_mul_ps(y, sy), oy);
        const __m256 inX =
            _mm256_and_ps(_mm256_cmp_ps(fx, zero, _CMP_GE_OQ), _mm256_cmp_ps(fx, w, _CMP_LT_OQ));
        const __m256 inY =
            _mm256_and_ps(_mm256_cmp_ps(fy, zero, _CMP_GE_OQ), _mm256_cmp_ps(fy, h, _CMP_LT_OQ));
        const __m256 inside = _mm256_and_ps(inX, inY);
        const __m256i px = _mm256_cvttps_epi32(_mm256_and_ps(fx, inside));
        const __m256i py = _mm256_cvttps_epi32(_mm256_and_ps(fy, inside));
        const __m256i pixel =
            _mm256_blendv_epi8(none, _mm256_add_epi32(_mm256_mullo_epi32(py, stride), px),
                               _mm256_castps_si256(inside));
        count = appendFreshAvx2(pixel, previous, _mm256_castps_si256(inside), at, count);
        previous = pixel;
    }
    int last = _mm256_extract_epi32(previous, 7);
    return curvePixelsBody(xs + i, values + i, m, at, count, last, n - i);
}

// GCC 12's AVX-512 intrinsics start from an undefined register, which it then reports as
// maybe uninitialized inside its own headers.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// The same pass in AVX-512 instructions, sixteen samples at a time; the fresh pixels are
// compressed into the front of a register and written out in one store.
TRACEWELL_TARGET_AVX512 int curvePixelsAvx512(const float* xs, const double* values,
                                              const platform::ImageSurface::PixelMapping& m,
                                              int* at, int n) {
    const __m512 sx = _mm512_set1_ps(m.scaleX), ox = _mm512_set1_ps(m.offsetX);
    const __m512 sy = _mm512_set1_ps(m.scaleY), oy = _mm512_set1_ps(m.offsetY);
    const __m512i w = _mm512_set1_epi32(m.width), h = _mm512_set1_epi32(m.height);
    const __m512i stride = _mm512_set1_epi32(m.stride), none = _mm512_set1_epi32(-1);
    __m512i previous = none;  // the last lane holds the pixel of the sample before
    int count = 0;
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m512 y = singlesAvx512(values + i, 0xffff);
        const __m512 fx = _mm512_add_ps(_mm512_mul_ps(_mm512_loadu_ps(xs + i), sx), ox);
        const __m512 fy = _mm512_add_ps(_mm512_mul_ps(y, sy), oy);
        // Rounded down, a coordinate inside is its pixel, and one below 0 is negative: as an
        // unsigned number it lies beyond the limit, as does the result for NaN or overflow.
        // Where it is inside, rounding down and truncating agree.
        constexpr int kDown = _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC;
        const __m512i px = _mm512_cvt_roundps_epi32(fx, kDown);
        const __m512i py = _mm512_cvt_roundps_epi32(fy, kDown);
        const __mmask16 inside =
            _mm512_mask_cmplt_epu32_mask(_mm512_cmplt_epu32_mask(px, w), py, h);
        const __m512i pixel =
            _mm512_mask_add_epi32(none, inside, _mm512_mullo_epi32(py, stride), px);
        // The 16 ints fit, as count never passes i and i + 16 <= n.
        count = storeFreshAvx512(pixel, previous, inside, at, count);
        previous = pixel;
    }
    alignas(64) int lanes[16];
    _mm512_store_si512(lanes, previous);
    int last = lanes[15];
    return curvePixelsBody(xs + i, values + i, m, at, count, last, n - i);
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

int plainPass(const float* xs, const double* values, const platform::ImageSurface::PixelMapping& m,
              int* at, int n) {
    int last = -1;
    return curvePixelsBody(xs, values, m, at, 0, last, n);
}

}  // namespace

int curvePixels(std::span<const float> xs, std::span<const double> values,
                const platform::ImageSurface::PixelMapping& mapping, std::span<int> at) {
    using Pass = int (*)(const float*, const double*, const platform::ImageSurface::PixelMapping&,
                         int*, int);
#if defined(TRACEWELL_AVX2_PATHS)
    static const Pass pass = eval::forIsa<Pass>(&plainPass, &curvePixelsAvx2, &curvePixelsAvx512);
#else
    static const Pass pass = &plainPass;
#endif
    return pass(xs.data(), values.data(), mapping, at.data(), static_cast<int>(xs.size()));
}

int curvePixelsPlain(std::span<const float> xs, std::span<const double> values,
                     const platform::ImageSurface::PixelMapping& mapping, std::span<int> at) {
    return plainPass(xs.data(), values.data(), mapping, at.data(), static_cast<int>(xs.size()));
}

}  // namespace tracewell::plot
