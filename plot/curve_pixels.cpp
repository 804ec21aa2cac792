#include "plot/curve_pixels.h"

#include "eval/cpu.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tracewell::plot {
namespace {

// One pass the compiler can vectorize: no branches, and only a point known to be inside
// the area is converted to integers.
// One sample: its pixel's index, or -1 where it sets no point. Only a point known to be
// inside the area is converted to integers.
[[gnu::always_inline]] inline int pixelOf(float x, double value,
                                          const platform::ImageSurface::PixelMapping& m) {
    const float y = static_cast<float>(value);  // beyond the single range: infinite
    const double fx = static_cast<double>(x) * m.scaleX + m.offsetX;
    const double fy = static_cast<double>(y) * m.scaleY + m.offsetY;
    // A failed sample's value is NaN, which no comparison passes.
    const bool inside = (fx >= 0) & (fx < m.width) & (fy >= 0) & (fy < m.height);
    const int px = static_cast<int>(inside ? fx : 0.0);
    const int py = static_cast<int>(inside ? fy : 0.0);
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

int curvePixelsBase(const float* xs, const double* values,
                    const platform::ImageSurface::PixelMapping& m, int* at, int n) {
    int last = -1;
    return curvePixelsBody(xs, values, m, at, 0, last, n);
}

#if defined(__x86_64__)
// The same pass in AVX2 instructions, four samples at a time. Multiply and add stay two
// roundings, as in the plain loop, so both give the same pixels.
TRACEWELL_TARGET_AVX2 int curvePixelsAvx2(const float* xs, const double* values,
                                          const platform::ImageSurface::PixelMapping& m,
                                          int* at, int n) {
    const __m256d sx = _mm256_set1_pd(m.scaleX), ox = _mm256_set1_pd(m.offsetX);
    const __m256d sy = _mm256_set1_pd(m.scaleY), oy = _mm256_set1_pd(m.offsetY);
    const __m256d zero = _mm256_setzero_pd();
    const __m256d w = _mm256_set1_pd(m.width), h = _mm256_set1_pd(m.height);
    const __m128i stride = _mm_set1_epi32(m.stride), none = _mm_set1_epi32(-1);
    __m128i previous = none;  // the last lane holds the pixel of the sample before
    int count = 0;
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m256d y = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_loadu_pd(values + i)));
        const __m256d x = _mm256_cvtps_pd(_mm_loadu_ps(xs + i));
        const __m256d fx = _mm256_add_pd(_mm256_mul_pd(x, sx), ox);
        const __m256d fy = _mm256_add_pd(_mm256_mul_pd(y, sy), oy);
        const __m256d inX = _mm256_and_pd(_mm256_cmp_pd(fx, zero, _CMP_GE_OQ),
                                          _mm256_cmp_pd(fx, w, _CMP_LT_OQ));
        const __m256d inY = _mm256_and_pd(_mm256_cmp_pd(fy, zero, _CMP_GE_OQ),
                                          _mm256_cmp_pd(fy, h, _CMP_LT_OQ));
        const __m256d inside = _mm256_and_pd(inX, inY);
        const __m128i px = _mm256_cvttpd_epi32(_mm256_and_pd(fx, inside));
        const __m128i py = _mm256_cvttpd_epi32(_mm256_and_pd(fy, inside));
        // The four 64-bit lanes of the mask, narrowed to 32 bits.
        const __m128 low = _mm256_castps256_ps128(_mm256_castpd_ps(inside));
        const __m128 high = _mm256_extractf128_ps(_mm256_castpd_ps(inside), 1);
        const __m128i mask = _mm_castps_si128(_mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i pixel =
            _mm_blendv_epi8(none, _mm_add_epi32(_mm_mullo_epi32(py, stride), px), mask);
        // Each lane against the one before it: dense samples mostly repeat a pixel.
        const __m128i before = _mm_alignr_epi8(pixel, previous, 12);
        const __m128i fresh = _mm_andnot_si128(_mm_cmpeq_epi32(pixel, before), mask);
        int bits = _mm_movemask_ps(_mm_castsi128_ps(fresh));
        if (bits) {
            alignas(16) int lanes[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(lanes), pixel);
            for (; bits; bits &= bits - 1) at[count++] = lanes[__builtin_ctz(bits)];
        }
        previous = pixel;
    }
    int last = _mm_extract_epi32(previous, 3);
    return curvePixelsBody(xs + i, values + i, m, at, count, last, n - i);
}
#endif

}  // namespace

int curvePixels(std::span<const float> xs, std::span<const double> values,
                const platform::ImageSurface::PixelMapping& mapping, std::span<int> at) {
    const int n = static_cast<int>(xs.size());
#if defined(__x86_64__)
    if (eval::hasAvx2()) return curvePixelsAvx2(xs.data(), values.data(), mapping, at.data(), n);
#endif
    return curvePixelsBase(xs.data(), values.data(), mapping, at.data(), n);
}

}  // namespace tracewell::plot
