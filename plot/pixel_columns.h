#pragma once
// The pixel column of every sample of a dense grid, as runs of samples in one column. A kept
// grid is drawn again and again at the same mapping, so its columns are found once, and a
// replot reads only the values.

#include <cstddef>
#include <cstdint>
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
    // Whether xs, which ascend as a grid's do, are dense: on average at least this many
    // samples to a column of the area. Only then do runs pay: a sparser grid is cheap to
    // read whole.
    static constexpr std::size_t kDense = 256;

    // Finds the runs of dense xs, unless they were found for the same xs (the same version
    // of the same grid) at the same horizontal mapping; returns whether xs are dense.
    bool update(std::span<const float> xs, std::uint64_t version,
                const platform::ImageSurface::PixelMapping& m);
    // In sample order; the first starts at sample 0, and none is empty.
    std::span<const ColumnRun> runs() const { return runs_; }

private:
    void find(std::span<const float> xs, const platform::ImageSurface::PixelMapping& m);
    void split(std::span<const float> xs, const platform::ImageSurface::PixelMapping& m,
               std::size_t a, std::size_t b, int keyA, int keyB);

    bool found_ = false;
    const float* xs_ = nullptr;
    std::size_t size_ = 0;
    std::uint64_t version_ = 0;
    float scaleX_ = 0, offsetX_ = 0;
    int width_ = 0;
    std::vector<ColumnRun> runs_;
};

}  // namespace tracewell::plot
