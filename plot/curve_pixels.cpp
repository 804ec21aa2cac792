#include "plot/curve_pixels.h"

#include "eval/cpu.h"

namespace tracewell::plot {
namespace {

// One pass the compiler can vectorize: no branches, and only a point known to be inside
// the area is converted to integers.
[[gnu::always_inline]] inline void curvePixelsBody(const float* xs, const double* values,
                                                   const eval::Failure* failures,
                                                   const platform::ImageSurface::PixelMapping& m,
                                                   int* at, int n) {
    const double sx = m.scaleX, ox = m.offsetX, sy = m.scaleY, oy = m.offsetY;
    const double w = m.width, h = m.height;
    const int stride = m.stride;
    for (int i = 0; i < n; ++i) {
        const float y = static_cast<float>(values[i]);  // beyond the single range: infinite
        const double fx = static_cast<double>(xs[i]) * sx + ox;
        const double fy = static_cast<double>(y) * sy + oy;
        const bool inside = (failures[i] == eval::Failure::None) & (fx >= 0) & (fx < w) &
                            (fy >= 0) & (fy < h);
        const int px = static_cast<int>(inside ? fx : 0.0);
        const int py = static_cast<int>(inside ? fy : 0.0);
        at[i] = inside ? py * stride + px : -1;
    }
}

void curvePixelsBase(const float* xs, const double* values, const eval::Failure* failures,
                     const platform::ImageSurface::PixelMapping& m, int* at, int n) {
    curvePixelsBody(xs, values, failures, m, at, n);
}

TRACEWELL_TARGET_AVX2 void curvePixelsAvx2(const float* xs, const double* values,
                                           const eval::Failure* failures,
                                           const platform::ImageSurface::PixelMapping& m,
                                           int* at, int n) {
    curvePixelsBody(xs, values, failures, m, at, n);
}

}  // namespace

void curvePixels(std::span<const float> xs, std::span<const double> values,
                 std::span<const eval::Failure> failures,
                 const platform::ImageSurface::PixelMapping& mapping, std::span<int> at) {
    const int n = static_cast<int>(xs.size());
    if (eval::hasAvx2())
        curvePixelsAvx2(xs.data(), values.data(), failures.data(), mapping, at.data(), n);
    else
        curvePixelsBase(xs.data(), values.data(), failures.data(), mapping, at.data(), n);
}

}  // namespace tracewell::plot
