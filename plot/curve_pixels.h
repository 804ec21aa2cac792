#pragma once
// Where the samples of a curve land in the plot area's pixels.

#include <span>

#include "eval/failure.h"
#include "platform/image_surface.h"

namespace tracewell::plot {

// For each sample: the index of its pixel, or -1 where it sets no point (a failed sample, a
// value beyond the single range, a point outside the area). The value is drawn as the
// single it converts to. All spans have the length of xs.
void curvePixels(std::span<const float> xs, std::span<const double> values,
                 std::span<const eval::Failure> failures,
                 const platform::ImageSurface::PixelMapping& mapping, std::span<int> at);

}  // namespace tracewell::plot
