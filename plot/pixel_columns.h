#pragma once
// The pixel column of every sample of a dense piece, as runs of samples in one column: on a
// dense plot a column holds thousands of samples, so the runs are found by bisection, reading
// a few dozen x values per column, and the pixel pass then reads only the values.

#include <cstddef>
#include <span>
#include <vector>

#include "platform/image_surface.h"

namespace tracewell::plot {

struct ColumnRun {
    std::size_t first;  // the index of the run's first sample
    int column;         // -1 for samples left or right of the area
};

class PixelColumns {
public:
    // Whether a run of this many samples is dense: on average at least this many samples to
    // a column of the area. Only then do runs pay: a sparser plot is cheap to read whole.
    static constexpr std::size_t kDense = 256;
    static bool dense(std::size_t samples, const platform::ImageSurface::PixelMapping& m);

    // Finds the runs of xs, which ascend as a plot's samples do.
    void find(std::span<const float> xs, const platform::ImageSurface::PixelMapping& m);
    // In sample order; the first starts at sample 0, and none is empty.
    std::span<const ColumnRun> runs() const { return runs_; }

private:
    void split(std::span<const float> xs, const platform::ImageSurface::PixelMapping& m,
               std::size_t a, std::size_t b, int keyA, int keyB);

    std::vector<ColumnRun> runs_;
};

}  // namespace tracewell::plot
