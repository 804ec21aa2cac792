#include "plot/curve_pixels.h"

#include <algorithm>
#include <limits>

#include "eval/cpu.h"
#include "plot/pass_lanes.h"

// The pass's vectors stay inside it, where the ABI note GCC gives does not apply. GCC gives
// the note as the file ends, so it stays off to the end.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace tracewell::plot {
namespace {

using Mapping = platform::ImageSurface::PixelMapping;

// The one pixel pass, over the lanes L of a level: the keys of samples, which are their
// pixels, or with kRows their rows in the area (for samples all in one column: no x is read).
// The arithmetic is the surface's own mapping: a multiply and an add, two roundings in every
// copy, and only a coordinate known to be inside the area converted to an integer. A failed
// sample's value is NaN, which is never inside. Appends to at each key that differs from the
// one before (a run of samples on one pixel counted once); returns how many it wrote.
template <class L, bool kRows>
struct Pass {
    using Singles = typename L::Singles;
    using Ints = typename L::Ints;
    static constexpr int kWidth = L::kWidth;

    // A column for x left or right of the area: far enough below 0 that its pixel is negative
    // whatever the row.
    static constexpr int kLeftOrRight = -(1 << 30);

    // The keys of kWidth samples, negative where a sample sets no point.
    [[gnu::always_inline]] static void keysOf(const float* xs, const double* values,
                                              const Mapping& m, int* keys) {
        const Singles fy = pass_lanes::singles<L>(values) * m.scaleY + m.offsetY;
        Ints key;
        L::cellsOf(fy, m.height, -1, key);
        if constexpr (!kRows) {
            Singles x;
            std::memcpy(&x, xs, sizeof x);
            Ints column;
            L::cellsOf(x * m.scaleX + m.offsetX, m.width, kLeftOrRight, column);
            key = key * m.stride + column;
        }
        std::memcpy(keys, &key, sizeof key);
    }

    static int run(const float* xs, const double* values, int n, const Mapping& mapping, int* at) {
        const Mapping m = mapping;  // a copy that no store to at can change, kept in registers
        // The keys of this group and of the one before, whose last is the sample before.
        alignas(64) int keys[2][kWidth];
        std::fill_n(keys[1], kWidth, -1);
        int count = 0, i = 0, now = 0;
        for (; i + kWidth <= n; i += kWidth, now ^= 1) {
            keysOf(kRows ? nullptr : xs + i, values + i, m, keys[now]);
            // A level may store kWidth ints: they fit, as count never passes i.
            count = L::appendFresh(keys[now], keys[now ^ 1], at, count);
        }
        if (i == n) return count;
        // The last few, padded with samples that set no point; here kWidth ints may not fit.
        alignas(64) double v[kWidth];
        alignas(64) float x[kWidth];
        for (int j = 0; j < kWidth; ++j) {
            const bool sample = i + j < n;
            v[j] = sample ? values[i + j] : std::numeric_limits<double>::quiet_NaN();
            x[j] = sample && !kRows ? xs[i + j] : 0.0f;
        }
        keysOf(x, v, m, keys[now]);
        int fresh[kWidth];
        const int k = L::appendFresh(keys[now], keys[now ^ 1], fresh, 0);
        for (int j = 0; j < k; ++j) at[count++] = fresh[j];
        return count;
    }
};

// The passes of one level.
struct Passes {
    int (*points)(const float* xs, const double* values, int n, const Mapping& m, int* at);
    int (*rows)(const double* values, int n, const Mapping& m, int* at);
};

template <class L>
int pointsOf(const float* xs, const double* values, int n, const Mapping& m, int* at) {
    return Pass<L, false>::run(xs, values, n, m, at);
}
template <class L>
int rowsOf(const double* values, int n, const Mapping& m, int* at) {
    return Pass<L, true>::run(nullptr, values, n, m, at);
}

// Each level's copy is compiled for its registers, the pass and its lanes inlined whole.
constexpr Passes kPlain{&pointsOf<pass_lanes::Plain>, &rowsOf<pass_lanes::Plain>};
#if defined(TRACEWELL_AVX2_PATHS)
TRACEWELL_TARGET_AVX2 [[gnu::flatten]] int pointsAvx2(const float* xs, const double* values, int n,
                                                      const Mapping& m, int* at) {
    return pointsOf<pass_lanes::Avx2>(xs, values, n, m, at);
}
TRACEWELL_TARGET_AVX2 [[gnu::flatten]] int rowsAvx2(const double* values, int n, const Mapping& m,
                                                    int* at) {
    return rowsOf<pass_lanes::Avx2>(values, n, m, at);
}
TRACEWELL_TARGET_AVX512 [[gnu::flatten]] int pointsAvx512(const float* xs, const double* values,
                                                          int n, const Mapping& m, int* at) {
    return pointsOf<pass_lanes::Avx512>(xs, values, n, m, at);
}
TRACEWELL_TARGET_AVX512 [[gnu::flatten]] int rowsAvx512(const double* values, int n,
                                                        const Mapping& m, int* at) {
    return rowsOf<pass_lanes::Avx512>(values, n, m, at);
}
constexpr Passes kAvx2{&pointsAvx2, &rowsAvx2}, kAvx512{&pointsAvx512, &rowsAvx512};
#endif

const Passes& passes() {
#if defined(TRACEWELL_AVX2_PATHS)
    static const Passes* const chosen = eval::forIsa(&kPlain, &kAvx2, &kAvx512);
    return *chosen;
#else
    return kPlain;
#endif
}

// Each run in the area is a pass over its rows, and its fresh rows become pixels. The first
// sample inside of each run is always fresh, as its column differs from the column of the
// run before.
int inColumns(const Passes& passes, std::span<const ColumnRun> runs, std::size_t first,
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
            count +=
                passes.rows(values.data() + i, static_cast<int>(end - i), m, at.data() + count);
            for (int k = from; k < count; ++k) at[k] = at[k] * m.stride + run->column;
        }
        i = end;
    }
    return count;
}

}  // namespace

int curvePixels(std::span<const float> xs, std::span<const double> values, const Mapping& mapping,
                std::span<int> at) {
    return passes().points(xs.data(), values.data(), static_cast<int>(xs.size()), mapping,
                           at.data());
}

int curvePixelsPlain(std::span<const float> xs, std::span<const double> values,
                     const Mapping& mapping, std::span<int> at) {
    return kPlain.points(xs.data(), values.data(), static_cast<int>(xs.size()), mapping, at.data());
}

int curvePixelsInColumns(std::span<const ColumnRun> runs, std::size_t first,
                         std::span<const double> values, const Mapping& mapping,
                         std::span<int> at) {
    return inColumns(passes(), runs, first, values, mapping, at);
}

int curvePixelsInColumnsPlain(std::span<const ColumnRun> runs, std::size_t first,
                              std::span<const double> values, const Mapping& mapping,
                              std::span<int> at) {
    return inColumns(kPlain, runs, first, values, mapping, at);
}

}  // namespace tracewell::plot
