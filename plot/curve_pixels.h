#pragma once
// Where the samples of a curve land in the plot area's pixels.

#include <span>

#include "platform/image_surface.h"

namespace tracewell::plot {

// The pixels that a piece of the curve sets, in sample order, a run of samples on the same
// pixel counted once; returns how many were written to at (at most xs.size()). A sample sets
// no point where it failed (its value is NaN), where its value is beyond the single range,
// or where it lies outside the area; a value is drawn as the single it converts to.
int curvePixels(std::span<const float> xs, std::span<const double> values,
                const platform::ImageSurface::PixelMapping& mapping, std::span<int> at);

// The same without wide registers: what curvePixels() must agree with on every processor.
int curvePixelsPlain(std::span<const float> xs, std::span<const double> values,
                     const platform::ImageSurface::PixelMapping& mapping, std::span<int> at);

}  // namespace tracewell::plot
