// The pixel pass of a dense grid: each run of samples in one column is a pass over the rows
// of its values, and only the fresh rows become pixel indexes.
#include <algorithm>

#include "eval/cpu.h"
#include "plot/curve_pixels.h"
#include "plot/pass_lanes.h"

namespace tracewell::plot {
namespace {

using Mapping = platform::ImageSurface::PixelMapping;

// Appends the row of each value unless it repeats the last one, -1 where it sets no point:
// the same arithmetic as the surface's own mapping, and a failed sample's value is NaN,
// which no comparison passes. Returns the new count.
int rowsBody(const double* values, int n, const Mapping& m, int* at, int count, int last) {
    for (int i = 0; i < n; ++i) {
        const float fy = static_cast<float>(values[i]) * m.scaleY + m.offsetY;
        const int row = fy >= 0 && fy < static_cast<float>(m.height) ? static_cast<int>(fy) : -1;
        if (row >= 0 && row != last) at[count++] = row;
        last = row;
    }
    return count;
}

int rowsPlain(const double* values, int n, const Mapping& m, int* at) {
    return rowsBody(values, n, m, at, 0, -1);
}

#if defined(TRACEWELL_AVX2_PATHS)
// The same pass in AVX2 instructions, eight samples at a time. Multiply and add stay two
// roundings, as in the plain loop, so both give the same rows.
TRACEWELL_TARGET_AVX2 int rowsAvx2(const double* values, int n, const Mapping& m, int* at) {
    const __m256 sy = _mm256_set1_ps(m.scaleY), oy = _mm256_set1_ps(m.offsetY);
    const __m256 zero = _mm256_setzero_ps(), h = _mm256_set1_ps(static_cast<float>(m.height));
    const __m256i none = _mm256_set1_epi32(-1);
    __m256i previous = none;  // the last lane holds the row of the sample before
    int count = 0;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256 y = singlesAvx2(values + i);
        const __m256 fy = _mm256_add_ps(_mm256_mul_ps(y, sy), oy);
        const __m256 inside =
            _mm256_and_ps(_mm256_cmp_ps(fy, zero, _CMP_GE_OQ), _mm256_cmp_ps(fy, h, _CMP_LT_OQ));
        const __m256i row = _mm256_blendv_epi8(none, _mm256_cvttps_epi32(_mm256_and_ps(fy, inside)),
                                               _mm256_castps_si256(inside));
        count = appendFreshAvx2(row, previous, _mm256_castps_si256(inside), at, count);
        previous = row;
    }
    return rowsBody(values + i, n - i, m, at, count, _mm256_extract_epi32(previous, 7));
}

// GCC 12's AVX-512 intrinsics start from an undefined register, which it then reports as
// maybe uninitialized inside its own headers.
#if !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
// The rows of sixteen samples in AVX-512 instructions, of those in lanes: -1 where no point
// is set. Returns which of them are inside.
TRACEWELL_TARGET_AVX512 [[gnu::always_inline]] inline __mmask16 rowsOf16(const double* values,
                                                                         __mmask16 lanes,
                                                                         const Mapping& m,
                                                                         __m512i& row) {
    const __m512 fy =
        _mm512_add_ps(_mm512_mul_ps(singlesAvx512(values, lanes), _mm512_set1_ps(m.scaleY)),
                      _mm512_set1_ps(m.offsetY));
    // Rounded down, a row inside is itself and one above the area is negative: as an
    // unsigned number it lies beyond the height, as does the result for NaN or overflow.
    // Inside, rounding down and truncating agree.
    const __m512i down = _mm512_cvt_roundps_epi32(fy, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
    const __mmask16 inside = lanes & _mm512_cmplt_epu32_mask(down, _mm512_set1_epi32(m.height));
    row = _mm512_mask_mov_epi32(_mm512_set1_epi32(-1), inside, down);
    return inside;
}

// The same pass in AVX-512 instructions, sixteen samples at a time.
TRACEWELL_TARGET_AVX512 int rowsAvx512(const double* values, int n, const Mapping& m, int* at) {
    __m512i previous = _mm512_set1_epi32(-1), row;
    int count = 0;
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __mmask16 inside = rowsOf16(values + i, 0xffff, m, row);
        // The 16 ints fit, as count never passes i and i + 16 <= n.
        count = storeFreshAvx512(row, previous, inside, at, count);
        previous = row;
    }
    if (i < n) {  // the last few, read through a mask; 16 ints may not fit here
        const __mmask16 inside =
            rowsOf16(values + i, static_cast<__mmask16>((1u << (n - i)) - 1), m, row);
        alignas(64) int rows[16];
        const int fresh = storeFreshAvx512(row, previous, inside, rows, 0);
        for (int k = 0; k < fresh; ++k) at[count++] = rows[k];
    }
    return count;
}
#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#endif

using RowPass = int (*)(const double* values, int n, const Mapping& m, int* at);

// The first sample inside of each run is always fresh, as its column differs from the
// column of the run before.
int inColumns(RowPass rows, std::span<const ColumnRun> runs, std::size_t first,
              std::span<const double> values, const Mapping& m, std::span<int> at) {
    if (runs.empty()) return 0;
    auto run = std::upper_bound(runs.begin(), runs.end(), first,
                                [](std::size_t i, const ColumnRun& r) { return i < r.first; });
    if (run != runs.begin()) --run;
    int count = 0;
    for (std::size_t i = 0; i < values.size(); ++run) {
        const std::size_t end = run + 1 == runs.end()
                                    ? values.size()
                                    : std::min(values.size(), (run + 1)->first - first);
        if (run->column >= 0) {
            const int from = count;
            count += rows(values.data() + i, static_cast<int>(end - i), m, at.data() + count);
            for (int k = from; k < count; ++k) at[k] = at[k] * m.stride + run->column;
        }
        i = end;
    }
    return count;
}

}  // namespace

int curvePixelsInColumns(std::span<const ColumnRun> runs, std::size_t first,
                         std::span<const double> values, const Mapping& mapping,
                         std::span<int> at) {
#if defined(TRACEWELL_AVX2_PATHS)
    static const RowPass rows = eval::forIsa<RowPass>(&rowsPlain, &rowsAvx2, &rowsAvx512);
#else
    static const RowPass rows = &rowsPlain;
#endif
    return inColumns(rows, runs, first, values, mapping, at);
}

int curvePixelsInColumnsPlain(std::span<const ColumnRun> runs, std::size_t first,
                              std::span<const double> values, const Mapping& mapping,
                              std::span<int> at) {
    return inColumns(rowsPlain, runs, first, values, mapping, at);
}

}  // namespace tracewell::plot
