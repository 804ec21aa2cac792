#pragma once
// Where the samples of a curve land in the plot area's pixels.

#include <cstddef>
#include <span>

#include "platform/image_surface.h"
#include "plot/pixel_columns.h"

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

// The same for the samples first, first + 1, ... of a dense grid whose columns were found
// (see pixel_columns.h), reading only their values: a pass over the rows of each run.
int curvePixelsInColumns(std::span<const ColumnRun> runs, std::size_t first,
                         std::span<const double> values,
                         const platform::ImageSurface::PixelMapping& mapping, std::span<int> at);
int curvePixelsInColumnsPlain(std::span<const ColumnRun> runs, std::size_t first,
                              std::span<const double> values,
                              const platform::ImageSurface::PixelMapping& mapping,
                              std::span<int> at);

}  // namespace tracewell::plot
